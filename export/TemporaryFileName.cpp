#include "export/TemporaryFileName.h"

#include <cstdint>
#include <random>
#include <string_view>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr std::string_view kPrefix = ".nolt_f_r-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kDigits = 16;

} // namespace

std::string TemporaryFileName(std::string_view folder) {
    std::random_device source;
    std::uint64_t value = (std::uint64_t{source()} << 32) | source();
    std::string digits(kDigits, '0');
    for (char& digit : digits) {
        digit = kHexDigits[value & 0xF];
        value >>= 4;
    }
    return std::string(folder).append(kPrefix).append(digits).append(kSuffix);
}

bool IsTemporaryFileName(std::string_view fileName) {
    if (fileName.size() != kPrefix.size() + kDigits + kSuffix.size() ||
        !fileName.starts_with(kPrefix) || !fileName.ends_with(kSuffix))
        return false;
    const std::string_view digits = fileName.substr(kPrefix.size(), kDigits);
    return digits.find_first_not_of(kHexDigits) == std::string_view::npos;
}
