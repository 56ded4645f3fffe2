#include "text/Pesel.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 10> kWeights{1, 3, 7, 9, 1, 3, 7, 9, 1, 3};

int Digit(std::string_view text, std::size_t index) {
    return text[index] - '0';
}

int TwoDigits(std::string_view text, std::size_t index) {
    return Digit(text, index) * 10 + Digit(text, index + 1);
}

bool CheckDigitMatches(std::string_view pesel) {
    int sum = 0;
    for (std::size_t i = 0; i < kWeights.size(); ++i)
        sum += kWeights[i] * Digit(pesel, i);
    return (10 - sum % 10) % 10 == Digit(pesel, 10);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// The month field carries the century in steps of 20: 1900s +0, 2000s +20, 2100s +40,
// 2200s +60, 1800s +80.
bool BirthDateExists(std::string_view pesel) {
    constexpr std::array<int, 5> centuries{1900, 2000, 2100, 2200, 1800};
    const int coded = TwoDigits(pesel, 2);
    const int step = (coded - 1) / 20;
    if (coded < 1 || step >= static_cast<int>(centuries.size()))
        return false;
    const int month = coded - step * 20;
    if (month > 12)
        return false;
    const int year = centuries[static_cast<std::size_t>(step)] + TwoDigits(pesel, 0);
    const int day = TwoDigits(pesel, 4);
    return day >= 1 && day <= DaysInMonth(year, month);
}

} // namespace

bool IsElevenDigits(std::string_view pesel) {
    return pesel.size() == kPeselLength &&
           std::all_of(pesel.begin(), pesel.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TPeselVerdict CheckPesel(std::string_view pesel) {
    TPeselVerdict verdict;
    verdict.elevenDigits = IsElevenDigits(pesel);
    if (!verdict.elevenDigits)
        return verdict;
    verdict.checkDigitOk = CheckDigitMatches(pesel);
    verdict.dateOk = BirthDateExists(pesel);
    verdict.sex = PeselSex(pesel);
    return verdict;
}

char PeselSex(std::string_view pesel) {
    return Digit(pesel, 9) % 2 == 1 ? 'M' : 'K';
}
