#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The lines that may hold the start of a position which a PDF viewer broke before the line with
// "/ZS": those since the last line with a marker or "kieruję", page furniture left out. A run
// longer than any broken position holds none.
class TBrokenPosition {
public:
    enum class TJoin {
        None,          // nothing held: the position stands on the "/ZS" line alone
        FromSeparator, // from the last separator on the held lines
        Whole,         // no separator anywhere: every held line, a guess
    };

    void Clear() {
        count_ = 0;
        overflow_ = false;
    }
    void Hold(std::string_view line);
    // The position that ends with `onNisLine` (the "/ZS" line's text before the slash, which has
    // no separator), its parts joined by one space, into `position` unless None. None when the
    // "/ZS" line opens a position itself ("na stanowisko ...", "- ..."); when `anchored` (no
    // person line is pending, so the held lines may be free text between blocks), also unless
    // the held line it starts on opens a position.
    // `severalSeparators` tells that the line it starts on has another separator before the one
    // it starts after.
    TJoin Join(std::string_view onNisLine, bool anchored, std::string& position,
               bool& severalSeparators) const;

    // Whether a held line has a separator, on a line that opens a position when `anchored`: a
    // separator on the "/ZS" line may then be one inside the position's own name.
    bool HoldsSeparator(bool anchored) const;

private:
    static constexpr std::size_t kMostLines = 4;
    std::array<std::string, kMostLines> lines_;
    std::size_t count_ = 0;
    bool overflow_ = false;
};
