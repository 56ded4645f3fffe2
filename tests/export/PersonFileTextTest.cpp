#include "PersonFileDateText.h"
#include "TIoError.h"
#include "TSystemClock.h"

#ifndef _WIN32
#include "WindowsErrorCode.h"
#include <cerrno>
#endif

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace {

using TextOfDate = std::pair<TDate, std::string>;

TEST(PersonFileText, DateTextIsDayMonthYear) {
    const std::vector<TextOfDate> expected{
        {{2026, 7, 5}, "05.07.2026"},    {{2026, 12, 25}, "25.12.2026"},
        {{2026, 10, 9}, "09.10.2026"},   {{1900, 1, 1}, "01.01.1900"},
        {{1899, 12, 31}, "00.00.0000"},  {{1, 1, 1}, "00.00.0000"},
        {FarFutureDate(), "01.01.2999"},
    };
    std::vector<TextOfDate> actual;
    for (const auto& [date, text] : expected)
        actual.emplace_back(date, PersonFileDateText(date));
    EXPECT_EQ(actual, expected);
}

using MessageOfCode = std::pair<int, std::string>;

TEST(PersonFileText, IoErrorMessagesFollowTheWindowsCodes) {
    const std::vector<MessageOfCode> expected{
        {2, "File not found"},     {3, "Invalid filename"}, {4, "Too many open files"},
        {5, "File access denied"}, {32, "I/O error 32"},    {112, "I/O error 112"},
        {0, "I/O error 0"},
    };
    std::vector<MessageOfCode> actual;
    for (const auto& [code, message] : expected) {
        const TIoError error(code);
        EXPECT_EQ(error.Code(), code);
        actual.emplace_back(code, error.what());
    }
    EXPECT_EQ(actual, expected);
}

#ifndef _WIN32
using CodeOfErrno = std::pair<int, int>;

TEST(PersonFileText, PosixConditionsGiveTheWindowsCodes) {
    const std::vector<CodeOfErrno> expected{
        {ENOENT, 3}, {ENOTDIR, 3},  {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4},
        {EACCES, 5}, {EPERM, 5},    {EROFS, 5},        {EISDIR, 5}, {ETXTBSY, 32},
        {EBUSY, 32}, {ENOSPC, 112}, {EDQUOT, 112},     {EIO, 29},   {EXDEV, EXDEV},
    };
    std::vector<CodeOfErrno> actual;
    for (const auto& [posixError, code] : expected)
        actual.emplace_back(posixError, WindowsErrorCode(posixError));
    EXPECT_EQ(actual, expected);
}
#endif

TDate LocalDayNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

TEST(PersonFileText, SystemClockTellsTheLocalDay) {
    TSystemClock clock;
    const TDate before = LocalDayNow();
    const TDate first = clock.Today();
    const TDate second = clock.Today();
    const TDate after = LocalDayNow();
    for (const TDate& day : {first, second}) {
        SCOPED_TRACE(PersonFileDateText(day));
        EXPECT_TRUE(day == before || day == after);
    }
}

} // namespace
