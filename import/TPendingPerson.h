#pragma once

#include "register/TPersonRecord.h"

class TPersonTable;

// The person the parser is collecting from the lines of one block, in the fields the values
// feed (the id stays 0: the table gives it), and whether the block directs that person
// ("kieruję").
struct TPendingPerson : TPersonRecord {
    bool directed = false;

    // Empties every value and the flag; the strings keep their storage for the next block.
    void Clear();
    // Appends the values as one new row and posts it.
    void AppendTo(TPersonTable& table) const;
};
