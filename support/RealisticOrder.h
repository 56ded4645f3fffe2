#pragma once

#include "register/TPersonRecord.h"

#include <string>
#include <vector>

// A personnel order laid out as clerks paste them, with the rows a clerk would record from it.
struct TRealisticOrder {
    std::vector<std::string> lines;   // Windows-1250 bytes
    std::vector<TPersonRecord> truth; // one per directed person, ids 1..n
    std::vector<int> personLines;     // for each of them, the line with its "PESEL:"
};

// Where the clerk copied the order from: a word processor gives each paragraph as one line; a
// PDF viewer breaks them at the page's line ends and brings the page footers along.
enum class TOrderSource { WordProcessor, PdfViewer };

// How the order's author writes a person: as the formal template has it ("szer. TESTOWY Jan",
// "na stanowisko - kierowca"), or as many officers do, besides: the first name before the surname
// ("szer. Jan TESTOWY") on about half of the person lines, and on about half of the position lines
// no separator after "na stanowisko" or "na stanowisko służbowe", now and then on the line of
// "kieruję".
enum class TOrderPhrasing { Formal, Officers };

// An order of `persons` directed persons (and some blocks that direct nobody), with the variation
// real orders show, each in a share of the blocks: ranks of two or three words, surnames of two
// words or not in capitals, two first names or one in capitals, a missing or lower-case father's
// marker, non-breaking spaces and tabs, en and em dashes, colons, positions with inner hyphens,
// rank lines without a separator or missing, valid PESEL numbers. The same arguments always give
// the same order. Copied from a PDF viewer, the same persons come with some positions longer, the
// lines broken at a width chosen per order (60 to 100 characters), now and then right after
// "PESEL:", and page footers of one of several styles between them.
// The officers' phrasing draws its choices apart, so that the order's other variation stays.
TRealisticOrder MakeRealisticOrder(int persons, unsigned seed = 1,
                                   TOrderSource source = TOrderSource::WordProcessor,
                                   TOrderPhrasing phrasing = TOrderPhrasing::Formal);

// How the rows of an import compare with the truth, row by row in order; a missing or extra row
// is wrong.
struct TImportScore {
    int persons = 0;
    int rows = 0;
    int right = 0;       // all seven fields as the clerk would record them
    int wrongSilent = 0; // wrong rows without a hint, and persons missing altogether
    int rightHinted = 0; // right rows that carry a hint all the same
    int missing = 0;     // persons without a row
    int lost = 0;        // of them, those not counted among the skipped persons either

    double RightShare() const;       // of the persons
    double WrongSilentShare() const; // of the persons
    double RightHintedShare() const; // of the right rows
};

// `hinted[i]` tells whether row i (0-based) carries a hint. Rows are matched to the persons in
// order, by PESEL where a person has no row; `counted[i]`, when given, tells whether person i was
// counted among the skipped persons: a missing person so counted is wrong but not silent.
TImportScore ScoreImport(const std::vector<TPersonRecord>& rows, const std::vector<bool>& hinted,
                         const std::vector<TPersonRecord>& truth,
                         const std::vector<bool>& counted = {});

// The rows an import of the order gives, each with whether a hint marks it: what ScoreImport
// compares with the truth.
struct THintedRows {
    std::vector<TPersonRecord> rows;
    std::vector<bool> hinted;
    std::vector<bool> counted; // for each person of the truth: its person line counted as skipped
};
THintedRows ImportWithHints(const TRealisticOrder& order);

// The import of the order scored against its truth.
TImportScore ScoreRealisticImport(const TRealisticOrder& order);
