#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads the surname and the first name from the name zone of a person line: the words before
// the sex marker or "PESEL:", whichever comes first ("st. szer. TESTOWY PRÓBNY Jan Maria", or as
// officers write it, "st. szer. Jan Maria TESTOWY PRÓBNY"). The surname is written in capitals;
// the words before it (or before the first name that precedes it) are the person's rank.
class TPersonNameReader {
public:
    enum class TOrder {
        None,          // no surname word: nothing read
        SurnameFirst,  // the first name after the surname
        FirstNameFirst // the first name before the surname
    };

    // Sets `surname` and `firstName` when the zone holds a surname word (two letters or more,
    // none in lower case, not ending in a period; a trailing comma or semicolon does not count),
    // and tells where the first name stood. Without one it changes nothing and returns None.
    TOrder Read(std::string_view zone, std::string& surname, std::string& firstName);

    // Whether `zone` holds such a surname word.
    static bool HoldsSurname(std::string_view zone);

private:
    std::vector<std::string_view> words_; // kept between lines for its storage
};
