#include "import/TPersonNameReader.h"

#include "text/OrderWords.h"
#include "text/Win1250Letters.h"

#include <algorithm>

namespace {

std::string_view WithoutTrailingComma(std::string_view word) {
    if (!word.empty() && (word.back() == ',' || word.back() == ';'))
        word.remove_suffix(1);
    return word;
}

bool IsSurnameWord(std::string_view word) {
    word = WithoutTrailingComma(word);
    if (word.empty() || word.back() == '.')
        return false;
    int letters = 0;
    for (const char c : word) {
        const TLetterCase letter = LetterCase(c);
        if (letter == TLetterCase::Lower)
            return false;
        letters += letter != TLetterCase::NotALetter ? 1 : 0;
    }
    return letters >= 2;
}

// "S.", "C.", "s.": the father's or mother's marker, where a first name ends.
bool IsInitial(std::string_view word) {
    return word.size() == 2 && IsLetter(word[0]) && word[1] == '.';
}

// "Jan", "Anna-Maria": each part a capital, then two letters or more, all small.
bool IsGivenName(std::string_view word) {
    std::size_t part = 0;
    for (std::size_t at = 0; at <= word.size(); ++at) {
        if (at < word.size() && word[at] != '-')
            continue;
        const std::string_view name = word.substr(part, at - part);
        if (name.size() < 3 || !IsUpperLetter(name.front()) ||
            !std::all_of(name.begin() + 1, name.end(), IsLowerLetter))
            return false;
        part = at + 1;
    }
    return true;
}

void Join(std::string& into, std::vector<std::string_view>::const_iterator first,
          std::vector<std::string_view>::const_iterator last) {
    into.clear();
    for (auto word = first; word != last; ++word) {
        if (!into.empty())
            into.push_back(' ');
        into.append(*word);
    }
}

} // namespace

TPersonNameReader::TOrder TPersonNameReader::Read(std::string_view zone, std::string& surname,
                                                  std::string& firstName) {
    SplitWords(zone, words_);
    const auto first = std::find_if(words_.begin(), words_.end(), IsSurnameWord);
    if (first == words_.end())
        return TOrder::None;
    auto end = std::find_if_not(first, words_.end(), IsSurnameWord);
    // Nothing but the father's initial or the zone's end follows the capitals.
    const bool closed = end == words_.end() || IsInitial(*end);
    for (auto word = first; word != end; ++word)
        *word = WithoutTrailingComma(*word);
    // "st. szer. Jan KOWALSKI S. Adama": the given names right before the capitals.
    auto given = first;
    while (closed && given != words_.begin() && IsGivenName(*(given - 1)))
        --given;
    if (given != first) {
        Join(surname, first, end);
        Join(firstName, given, first);
        return TOrder::FirstNameFirst;
    }
    // "TESTOWY JAN S. Adama": a first name in capitals closes the run.
    if (end - first >= 2 && closed)
        --end;
    Join(surname, first, end);
    Join(firstName, end, std::find_if(end, words_.end(), IsInitial));
    firstName.resize(WithoutTrailingComma(firstName).size());
    return TOrder::SurnameFirst;
}

// Word by word in place, stopping at the first surname: asked of every person line that may
// continue the line before.
bool TPersonNameReader::HoldsSurname(std::string_view zone) {
    return AnyWord(zone, IsSurnameWord);
}
