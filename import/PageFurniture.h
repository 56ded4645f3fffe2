#pragma once

#include <string_view>

// Whether `line` is what a PDF viewer copies from a page's margin rather than from the order's
// text: a page number alone ("3", "- 3 -", "3/7", "Strona 3", "Strona 3 z 7") or the order's
// `title` repeated on every page (an empty title matches nothing). Blanks at either end do not
// matter; an empty line is none.
bool IsPageFurniture(std::string_view line, std::string_view title);
