#include "text/Pesel.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

struct PeselCase {
    const char* name;
    std::string pesel;
    bool elevenDigits, checkDigitOk, dateOk;
    char sex;
};

// A PESEL with a right check digit for its first ten digits.
std::string WithCheckDigit(const std::string& ten) {
    constexpr int weights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += weights[i] * (ten[static_cast<std::size_t>(i)] - '0');
    return ten + std::to_string((10 - sum % 10) % 10);
}

const PeselCase kCases[] = {
    {"Valid1944Man", "44051401359", true, true, true, 'M'},
    {"WrongCheckDigit", "44051401358", true, false, true, 'M'},
    {"Valid2002Woman", "02211307589", true, true, true, 'K'},
    {"ImpossibleDate", "02381307589", true, true, false, 'K'},
    {"Born1800s", WithCheckDigit("9981310123"), true, true, true, 'M'},
    {"Born2100s", WithCheckDigit("0041010124"), true, true, true, 'K'},
    {"Born2200s", WithCheckDigit("0061010124"), true, true, true, 'K'},
    {"MonthAboveAllCenturies", WithCheckDigit("0093010124"), true, true, false, 'K'},
    {"MonthZero", WithCheckDigit("0000010124"), true, true, false, 'K'},
    {"DayZero", WithCheckDigit("0001000124"), true, true, false, 'K'},
    {"LeapDay2000", WithCheckDigit("0022290124"), true, true, true, 'K'},
    {"NoLeapDay1900", WithCheckDigit("0002290124"), true, true, false, 'K'},
    {"April31", WithCheckDigit("9904310124"), true, true, false, 'K'},
    {"TenDigits", "4405140135", false, false, false, '\0'},
    {"TwelveDigits", "440514013590", false, false, false, '\0'},
    {"LetterInside", "44051A01359", false, false, false, '\0'},
    {"Empty", "", false, false, false, '\0'},
};

class PeselCheck : public testing::TestWithParam<PeselCase> {};

TEST_P(PeselCheck, JudgesEachRule) {
    const PeselCase& c = GetParam();
    const TPeselVerdict v = CheckPesel(c.pesel);
    EXPECT_EQ(std::make_tuple(v.elevenDigits, v.checkDigitOk, v.dateOk, v.sex),
              std::make_tuple(c.elevenDigits, c.checkDigitOk, c.dateOk, c.sex))
        << c.pesel;
}

INSTANTIATE_TEST_SUITE_P(Vectors, PeselCheck, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
