#include "TWin1250.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TWin1250Test, EveryByteComesBackFromItsCharacter) {
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes.push_back(static_cast<char>(byte));
    const QString text = TWin1250::Decode(allBytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(TWin1250::Encode(text), allBytes);
    EXPECT_EQ(text.mid(0xA0, 1), QStringLiteral("\u00A0"));
    EXPECT_EQ(TWin1250::Decode("kieruj\xEA \xAF\xF3\xB3w \x80"), QStringLiteral("kieruję Żółw €"));
}

struct EncodeCase {
    const char* name;
    QString text;
    std::string bytes;
};

TEST(TWin1250Test, EachCharacterBecomesOneByteAndAMissingOneAQuestionMark) {
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const EncodeCase cases[] = {
        {"letters of the code page", QStringLiteral("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"),
         "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"},
        {"characters outside it", QStringLiteral("Ā漢\u0301"), "???"},
        {"a pair of surrogates", QStringLiteral("a\U0001F600b"), "a?b"},
        {"a lone high surrogate at the end", QStringLiteral("a") + high, "a?"},
        {"a lone low surrogate", QStringLiteral("a") + low + QStringLiteral("b"), "a?b"},
        {"control characters stay", QStringLiteral("\t") + QChar(0x1A) + QChar(0) + "x",
         std::string("\t\x1A\0x", 4)},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TWin1250::Encode(c.text), c.bytes);
    }
}

TEST(TWin1250Test, AppendingStopsAtTheLimitCountingCharacters) {
    std::string out = "x";
    TWin1250::AppendEncoded(QStringLiteral("\U0001F600ąbc"), out, 2);
    EXPECT_EQ(out, "x?\xB9");
}

} // namespace
