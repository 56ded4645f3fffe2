#pragma once

#include "register/TPersonRecord.h"

#include <cstdint>
#include <string>
#include <vector>

// A synthetic personnel order and the rows its import must give.
struct GeneratedOrder {
    std::vector<std::string> lines;      // Windows-1250 bytes
    std::vector<TPersonRecord> expected; // ids 1..n
};

// An order of `persons` directed person blocks of made-up persons, laid out like a pasted order:
// heading lines, free text between blocks, blocks that direct nobody (they give no row), person
// lines with or without an ordinal, with runs of spaces and either sex marker, "kieruję" on the
// person line or after it, and blocks with or without their position and rank lines, some of
// them before the person line. The same `persons` and `variant` always give the same order.
GeneratedOrder GenerateOrder(int persons, unsigned variant = 1);

// `value` in `width` decimal digits, zero-padded on the left (the lowest digits if it is longer).
std::string Digits(std::uint64_t value, int width);
