#pragma once

#include "support/RealisticOrder.h"

// The order as a PDF viewer gives it to the clipboard: every line broken at the width its page
// set (chosen per order, 60 to 100 characters), now and then right after "PESEL:", without the
// blanks at either end, and a page footer of one style per order ("Strona 3", "- 3 -", "3/7", the
// number alone, or the order's title), sometimes with the title repeated as the next page's
// header, after every page. The persons stay; their person lines move with the breaks.
TRealisticOrder AsCopiedFromViewer(TRealisticOrder order, unsigned seed);
