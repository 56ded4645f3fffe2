#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads the surname and the first name from the name zone of a person line: the words before
// the sex marker or "PESEL:", whichever comes first ("st. szer. TESTOWY PRÓBNY Jan Maria").
// The surname is written in capitals; the words before it are the person's rank.
class TPersonNameReader {
public:
    // Sets `surname` and `firstName` and returns true when the zone holds a surname word (two
    // letters or more, none in lower case, not ending in a period; a trailing comma or semicolon
    // does not count). Without one it changes nothing and returns false.
    bool Read(std::string_view zone, std::string& surname, std::string& firstName);

    // Whether `zone` holds such a surname word.
    static bool HoldsSurname(std::string_view zone);

private:
    std::vector<std::string_view> words_; // kept between lines for its storage
};
