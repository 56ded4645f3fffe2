#pragma once

#include "RealisticOrder.h"

#include <vector>

// The rows an import of a realistic order gives, in table order, and for each whether the hints
// (the import's guesses included) mark it: what the accuracy figures are counted from.
struct THintedRows {
    std::vector<TPersonRecord> rows;
    std::vector<bool> hinted;
};

THintedRows ImportWithHints(const TRealisticOrder& order);
