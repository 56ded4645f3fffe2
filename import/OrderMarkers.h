#pragma once

#include <string_view>

// The fixed texts the parser looks for in an order line, matched byte for byte and
// case-sensitively; only the first occurrence in a line counts.
namespace OrderMarker {
inline constexpr std::string_view Pesel = "PESEL:";
inline constexpr std::string_view Son = "S.";
// Looked for only when "S." is absent; the mark is the C, one past the space.
inline constexpr std::string_view Daughter = " C.";
// "kieruję" in Windows-1250: the last letter is byte 0xEA.
inline constexpr std::string_view Directed = "kieruj\xEA";
inline constexpr std::string_view Nis = "/ZS";
inline constexpr std::string_view LegalBasis = "PODSTAWA PRAWNA:";
inline constexpr std::string_view BlockEnd = "UZASADNIENIE:";
} // namespace OrderMarker
