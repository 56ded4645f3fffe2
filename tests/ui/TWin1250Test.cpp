#include "TWin1250.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

std::string AllBytes() {
    std::string bytes(256, '\0');
    for (int byte = 0; byte < 256; ++byte)
        bytes[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
    return bytes;
}

TEST(TWin1250Test, EveryByteSurvivesARoundTrip) {
    const std::string bytes = AllBytes();
    EXPECT_EQ(TWin1250::Encode(TWin1250::Decode(bytes)), bytes);
}

TEST(TWin1250Test, FixedTableAgreesWithTheSystemCodePage) {
    QStringDecoder system("windows-1250");
    if (!system.isValid())
        GTEST_SKIP() << "this Qt has no windows-1250 decoder to compare with";
    const std::string bytes = AllBytes();
    const QString expected = system.decode(QByteArrayView(bytes.data(), 256));
    EXPECT_EQ(TWin1250::Decode(bytes), expected);
}

TEST(TWin1250Test, PolishLettersAndMissingCharacters) {
    EXPECT_EQ(TWin1250::Encode(u"Łódź żółć ĄĘŚ"), "\xA3\xF3\x64\x9F \xBF\xF3\xB3\xE6 \xA5\xCA\x8C");
    // One "?" per character, a surrogate pair included, so widths in characters survive.
    EXPECT_EQ(TWin1250::Encode(u"a\u4E2D\U0001F600\xD83D"), "a???");
}

} // namespace
