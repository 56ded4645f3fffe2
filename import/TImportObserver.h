#pragma once

#include <cstdint>
#include <string_view>

// The order lines (0-based indexes, -1 when the block had no such line) that fed one stored row.
struct TRowSources {
    int person = -1;     // the line with "PESEL:"
    int directed = -1;   // the line with "kieruję"
    int nis = -1;        // the line with "/ZS"
    int rank = -1;       // the line before "PODSTAWA PRAWNA:", the rank's source
    int legalBasis = -1; // the line with "PODSTAWA PRAWNA:"
    int blockEnd = -1;   // the line with "UZASADNIENIE:"

    bool operator==(const TRowSources&) const = default;
};

// Where the import could not read a row's value from the order and took the likeliest one: the
// value may be wrong although it looks right.
struct TRowGuesses {
    bool namesByPlace = false; // no surname word in capitals: surname and first name by word order
    bool sexByDefault = false; // neither "S." / " C." nor an eleven-digit PESEL: "K"
    bool rankLastWord = false; // a rank line of several words without a separator: its last word
    // The text after the last of several separators, or after one that follows "stanowisko" and
    // words: the position's own name may hold it.
    bool positionAfterSeveralSeparators = false;
    // Lines a PDF viewer broke: the position read over several lines before its "/ZS" line, from
    // the last separator on them, or (`positionJoinedWhole`) all of them, none having a
    // separator; page furniture (a page number, the repeated title) passed over between the lines
    // that gave the PESEL or the rank.
    bool positionJoined = false;
    bool positionJoinedWhole = false;
    bool pageSkipped = false;
    // A person line broken before "PESEL:", read together with the line before it.
    bool personLineJoined = false;
    // The first name read from the words right before the surname ("Jan KOWALSKI"): a reading,
    // not a guess, hinted only where other rows read the surname's word as a first name.
    bool firstNameBeforeSurname = false;

    bool operator==(const TRowGuesses&) const = default;
};

// Why a person line gave no row.
enum class TSkipReason : unsigned char {
    NoDirected, // its block ended without "kieruję"
    NoBlockEnd, // another person line or the order's end came before "UZASADNIENIE:"
    NoPesel,    // no number after "PESEL:", so "kieruję" could not direct the person
};

// What an import reports beside the rows it stores, for a reader that wants to show where each
// row came from. The import finds the same rows whether or not it has an observer.
class TImportObserver {
public:
    virtual ~TImportObserver() = default;
    // The import starts over: everything reported before belongs to a former import.
    virtual void ImportStarted() = 0;
    // The row just stored with this `id` was fed by these lines, and its values marked in
    // `guesses` were taken where the order could not be read for sure.
    virtual void RowStored(std::int32_t id, const TRowSources& sources,
                           const TRowGuesses& guesses) = 0;
    // The person line at `line` gave no row, for `reason`.
    virtual void PersonSkipped(int line, TSkipReason reason) = 0;
    // The order's title is `title`, the text of line `line` (the order's first line with text and
    // no marker); an order without one reports none.
    virtual void TitleRead(int line, std::string_view title) = 0;
};
