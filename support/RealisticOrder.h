#pragma once

#include "TPersonRecord.h"

#include <string>
#include <vector>

// A personnel order laid out as clerks paste them, with the rows a clerk would record from it.
struct TRealisticOrder {
    std::vector<std::string> lines;   // Windows-1250 bytes
    std::vector<TPersonRecord> truth; // one per directed person, ids 1..n
};

// An order of `persons` directed persons (and some blocks that direct nobody), with the variation
// real orders show, each in a share of the blocks: ranks of two or three words, surnames of two
// words or not in capitals, two first names or one in capitals, a missing or lower-case father's
// marker, non-breaking spaces and tabs, en and em dashes, colons, positions with inner hyphens,
// rank lines without a separator or missing, valid PESEL numbers. The same arguments always give
// the same order.
TRealisticOrder MakeRealisticOrder(int persons, unsigned seed = 1);

// How the rows of an import compare with the truth, row by row in order; a missing or extra row
// is wrong.
struct TImportScore {
    int persons = 0;
    int right = 0;       // all seven fields as the clerk would record them
    int wrongSilent = 0; // wrong rows without a hint, and persons missing altogether
    int rightHinted = 0; // right rows that carry a hint all the same

    double RightShare() const;       // of the persons
    double WrongSilentShare() const; // of the persons
    double RightHintedShare() const; // of the right rows
};

// `hinted[i]` tells whether row i (0-based) carries a hint.
TImportScore ScoreImport(const std::vector<TPersonRecord>& rows, const std::vector<bool>& hinted,
                         const std::vector<TPersonRecord>& truth);

// The rows an import of the order gives, each with whether a hint marks it: what ScoreImport
// compares with the truth.
struct THintedRows {
    std::vector<TPersonRecord> rows;
    std::vector<bool> hinted;
};
THintedRows ImportWithHints(const TRealisticOrder& order);
