#pragma once

#include <string_view>

// Which markers an order line holds, and where the first "PESEL:" and "/ZS" stand (1-based
// positions, 0 when absent). Normalising a line neither makes nor breaks a marker, since it only
// trims blanks and shortens runs of spaces, so the line need not be normalised to tell which
// markers it holds; only the positions refer to the text searched.
struct TLineMarkers {
    int pesel = 0;
    int nis = 0;
    bool legalBasis = false;
    bool blockEnd = false;

    // Looks at each colon and each slash rather than searching for every marker in turn: most
    // lines hold a colon or two and a slash at most, so this is the cheaper walk. The space of
    // "PODSTAWA PRAWNA:" may be a run of spaces.
    static TLineMarkers Find(std::string_view line);
};

// Whether the line holds "kieruję", found through its rare last letter.
bool HoldsDirected(std::string_view line);
