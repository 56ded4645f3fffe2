#include "text/OrderWords.h"
#include "text/Win1250Letters.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <string_view>
#include <vector>

namespace {

TEST(OrderWords, SplitAndJoinAtSpacesTabsAndNonBreakingSpaces) {
    std::vector<std::string_view> words{"left over"};
    SplitWords(" st.\xA0 szer.\tTESTOWY  ", words);
    EXPECT_EQ(words, (std::vector<std::string_view>{"st.", "szer.", "TESTOWY"}));
    std::string joined = "x";
    AppendJoinedWords("\xA0 st.\xA0 chor.\t sztab. ", joined);
    EXPECT_EQ(joined, "xst. chor. sztab.");
}

TEST(OrderWords, LastSeparatorIsAColonOrADashAfterABlank) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"na stanowisko - kierowca", " kierowca"},
        {"na stanowisko \x96 kierowca-operator", " kierowca-operator"},
        {"a: b \x97 c", " c"},
        {"-kierowca", "kierowca"},
        {"stopie\xF1 etatowy:\tszer.", "\tszer."},
        {"a\xA0-b", "b"},
    };
    for (const auto& [text, after] : cases) {
        SCOPED_TRACE(testing::Message() << '"' << text << '"');
        EXPECT_EQ(text.substr(AfterLastSeparator(text)), after);
    }
    EXPECT_EQ(AfterLastSeparator("kierowca-operator 12/3"), std::string_view::npos);
}

// Where a position begins after the order's words when no separator stands before it.
TEST(OrderWords, PositionFollowsTheLastWordStanowisko) {
    constexpr std::string_view npos = "(none)";
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"na stanowisko kierowca", "kierowca"},
        {"na STANOWISKO S\xA3U\xAF"
         "BOWE  dow\xF3"
         "dca",
         "dow\xF3"
         "dca"},
        {"stanowisko\xA0\tkierowca", "kierowca"},
        {"stanowisko na stanowisko kierowca", "kierowca"},
        {"stanowisko: kierowca", "kierowca"},
        {"na stanowisko", npos},
        {"na stanowisko s\xB3u\xBF"
         "bowe ",
         npos},
        {"przestanowisko kierowca", npos},
        {"stanowiskowy kierowca", npos},
    };
    for (const auto& [text, after] : cases) {
        SCOPED_TRACE(testing::Message() << '"' << text << '"');
        const std::size_t at = AfterPositionWords(text);
        EXPECT_EQ(at == std::string_view::npos ? npos : text.substr(at), after);
    }
}

TEST(Win1250Letters, PolishLettersHaveTheirCaseAndSignsAreNoLetters) {
    std::string upper, lower, none;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<char>(c);
        (IsUpperLetter(byte) ? upper : IsLowerLetter(byte) ? lower : none).push_back(byte);
    }
    for (const char c : std::string_view("A\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAFZ"))
        EXPECT_NE(upper.find(c), std::string::npos) << int(static_cast<unsigned char>(c));
    for (const char c : std::string_view("a\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xDFz"))
        EXPECT_NE(lower.find(c), std::string::npos) << int(static_cast<unsigned char>(c));
    for (const char c : std::string_view(".-1 \xA0\x96\xD7\xF7\xFF"))
        EXPECT_FALSE(IsLetter(c)) << int(static_cast<unsigned char>(c));
    EXPECT_TRUE(IsLetter('\xA1')) << "the caron is a letter without case";
    EXPECT_EQ(upper.size() + lower.size(), 26u * 2 + 40 + 42);
    // Each capital has its own small letter.
    std::string lowered;
    for (const char c : upper) {
        lowered.push_back(LowerLetter(c));
        EXPECT_TRUE(IsLowerLetter(lowered.back())) << int(static_cast<unsigned char>(c));
    }
    std::sort(lowered.begin(), lowered.end());
    EXPECT_EQ(std::unique(lowered.begin(), lowered.end()), lowered.end());
    EXPECT_EQ(LowerLetter('.'), '.');
}

} // namespace
