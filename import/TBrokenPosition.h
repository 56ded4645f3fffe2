#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class TOrderLines;

// The lines that may hold the start of a position which a PDF viewer broke before the line with
// "/ZS": those since the last line with a marker or "kieruję" (and that line itself, from the word
// "stanowisko" on, where the word follows "kieruję"), page furniture left out. A run longer than
// any broken position holds none. Join and HoldsSeparator read what Load loaded.
class TBrokenPosition {
public:
    enum class TJoin {
        None,          // nothing held: the position stands on the "/ZS" line alone
        FromSeparator, // from the last separator on the held lines
        Whole,         // no separator anywhere: every held line, a guess
    };

    void Clear() {
        held_ = 0;
        directedFirst_ = false;
    }
    // The line at `index`, with no marker, continues the run. Only its place is
    // kept: the lines are read again in the rare case that a "/ZS" line needs them.
    void Hold(int index) {
        if (held_++ == 0)
            first_ = index;
        last_ = index;
    }
    // The line at `index` holds "kieruję": a run starts after it or, where the word "stanowisko"
    // follows "kieruję" on it ("kieruję do PKW na stanowisko ..."), with it from that word on.
    // Which of the two is told only when the lines are loaded, since few "/ZS" lines need them.
    void HoldDirected(int index) {
        Clear();
        Hold(index);
        directedFirst_ = true;
    }
    // Reads the held lines again, page furniture (the order's `title`, standing itself at
    // `titleIndex`, repeated) left out, for Join and HoldsSeparator; false when there are none or
    // more than a broken position could have.
    bool Load(const TOrderLines& lines, std::string_view title, int titleIndex);
    // The position that ends with `onNisLine` (the "/ZS" line's text before the slash, which has
    // no separator), its parts joined by one space, into `position` unless None; without any
    // separator, from after the words "stanowisko [służbowe]" where they stand in it. None when the
    // "/ZS" line opens a position itself ("na stanowisko ...", "- ..."); when `anchored` (no
    // person line is pending, so the held lines may be free text between blocks), also unless
    // the held line it starts on opens a position.
    // `severalSeparators` tells that the line it starts on has another separator before the one
    // it starts after.
    TJoin Join(std::string_view onNisLine, bool anchored, std::string& position,
               bool& severalSeparators) const;

    // Whether a held line has a separator or the word "stanowisko" with words after it, on a line
    // that opens a position when `anchored`: a separator on the "/ZS" line may then be one inside
    // the position's own name.
    bool HoldsSeparator(bool anchored) const;

private:
    // Counting the page furniture between them.
    static constexpr std::size_t kMostLines = 6;
    std::size_t held_ = 0;
    int first_ = 0;
    int last_ = 0;
    bool directedFirst_ = false;
    // The line of "kieruję" besides.
    std::array<std::string, kMostLines + 1> lines_;
    std::size_t count_ = 0; // loaded
};
