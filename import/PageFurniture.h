#pragma once

#include "text/TextPrimitives.h"

#include <cstddef>
#include <string_view>

// "Strona 12 z 345": no page number line is longer.
inline constexpr std::size_t kLongestPageNumber = 16;

// The whole test, for a line that may be furniture.
bool IsPageFurnitureText(std::string_view line, std::string_view title);

// Whether `line` is what a PDF viewer copies from a page's margin rather than from the order's
// text: a page number alone ("3", "- 3 -", "3/7", "Strona 3", "Strona 3 z 7") or the order's
// `title` repeated on every page (an empty title matches nothing). Blanks at either end do not
// matter; an empty line is none.
// Inline: most lines are longer than any page number, are not as long as the title and have no
// blank at either end to trim, which tells them at once.
inline bool IsPageFurniture(std::string_view line, std::string_view title) {
    if (line.size() > kLongestPageNumber && line.size() != title.size() && !IsBlank(line.front()) &&
        !IsBlank(line.back()))
        return false;
    return IsPageFurnitureText(line, title);
}
