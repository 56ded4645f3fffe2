#pragma once

#include <string>

class TPersonTable;

// The person the parser is collecting from the lines of one block, named after the fields the
// values feed, and whether the block directs that person ("kieruję").
struct TPendingPerson {
    std::string pesel;
    std::string nazwisko;
    std::string imie;
    std::string plec;
    std::string ste;
    std::string nis;
    std::string stanowisko;
    bool directed = false;

    // Empties every value and the flag; the strings keep their storage for the next block.
    void Clear();
    // Appends the values as one new row and posts it.
    void AppendTo(TPersonTable& table) const;
};
