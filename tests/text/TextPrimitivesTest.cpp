#include "text/TextPrimitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

TEST(TextPrimitives, TextPosFindsTheFirstExactOccurrence) {
    struct Case {
        std::string_view needle, text;
        int position;
    };
    const Case cases[] = {
        {"PESEL:", "1. PESEL: 2", 4},
        {"S.", "S. Adama S.", 1},
        {"S.", "Jan s. Adama", 0},
        {"x", "", 0},
        {"", "text", 0},
        {"abcd", "abc", 0},
        {"kieruj\xEA", "Kieruj\xEA, kieruj\xEA", 10},
        {"\0b"sv, "a\0b"sv, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.needle << "\" in \"" << c.text << '"');
        EXPECT_EQ(TextPos(c.needle, c.text), c.position);
    }
}

TEST(TextPrimitives, SubTextClampsItsRange) {
    struct Case {
        std::string_view text;
        int start, count;
        std::string_view part;
    };
    const Case cases[] = {
        {"abcdef", 2, 3, "bcd"},
        {"abcdef", 0, 3, "abc"},
        {"abcdef", -5, 3, "abc"},
        {"abcdef", 5, 10, "ef"},
        {"abcdef", 6, 1, "f"},
        {"abcdef", 7, 1, ""},
        {"abcdef", 2, 0, ""},
        {"abcdef", 2, -1, ""},
        {"", 1, 1, ""},
        {"abcdef", 1, INT_MAX, "abcdef"},
        {"abcdef", INT_MAX, INT_MAX, ""},
        {"abcdef", INT_MIN, 2, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " from " << c.start << " for " << c.count);
        EXPECT_EQ(SubText(c.text, c.start, c.count), c.part);
    }
}

TEST(TextPrimitives, TrimTextRemovesControlCharactersButNotHighBytes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {" \t\r\n x y \x01\x1F", "x y"}, {"\0x\0"sv, "x"},         {"   ", ""},
        {"\xA0x\xA0", "\xA0x\xA0"},      {"\x80\xFF", "\x80\xFF"}, {"", ""},
    };
    for (const auto& [text, trimmed] : cases) {
        SCOPED_TRACE(testing::Message() << '"' << text << '"');
        EXPECT_EQ(TrimText(text), trimmed);
    }
}

// The buffer is reused from line to line, so a short line after a long one must not keep a tail.
TEST(TextPrimitives, NormaliseLineCollapsesOnlySpaces) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"  1.   szer.  TESTOWY  ", "1. szer. TESTOWY"},
        {"a\t\tb", "a\t\tb"},
        {"a \xA0  b", "a \xA0 b"},
        {" \t a  b \t\r", "a b"},
        {"   ", ""},
        {"x", "x"},
    };
    std::string buffer;
    for (const auto& [line, normalised] : cases) {
        SCOPED_TRACE(testing::Message() << '"' << line << '"');
        NormaliseLine(line, buffer);
        EXPECT_EQ(buffer, normalised);
    }
}

// A marker found in the line as it came must point at the same character once it is normalised.
TEST(TextPrimitives, NormalisedPositionFollowsTheCharacterThroughNormalising) {
    const std::string_view lines[] = {
        "PESEL: 1",   " \t 1.   szer.  X   PESEL: 1", "a  \xA0  b  PESEL:", "a \t  PESEL:",
        "a b PESEL:",
    };
    std::string normalised;
    for (const std::string_view line : lines) {
        SCOPED_TRACE(testing::Message() << '"' << line << '"');
        NormaliseLine(line, normalised);
        const int position = NormalisedPosition(line, TextPos("PESEL:", line));
        EXPECT_EQ(position, TextPos("PESEL:", normalised));
    }
}
