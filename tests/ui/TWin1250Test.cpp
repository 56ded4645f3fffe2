#include "ui/TWin1250.h"
#include "export/TPersonFileWriter.h"
#include "register/TPersonTable.h"
#include "support/TempFolder.h"
#include "ui/TFileName.h"
#include "ui/TWin1250Validator.h"

#include <QFileInfo>
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

// A file name is not Windows-1250: the name the dialog gave, with letters outside Windows-1250 and
// outside the system's ANSI code page too, must reach the very file the export writes through the
// narrow name, and a written file's name must read back as it was given.
TEST(TWin1250Test, FileNamesTakeTheSystemsEncodingBothWays) {
    const TempFolder folder;
    const QString name =
        QString::fromStdString((folder / "osoby").string()) + QStringLiteral("-Łódź ż Ωμέγα.os");
    const std::string narrow = TFileName::Encode(name);
    EXPECT_NE(narrow, TWin1250::Encode(name));
    TPersonTable table;
    TPersonFileWriter().Export(table, narrow);
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_EQ(TFileName::Decode(narrow), name);
}

} // namespace

// The validator lets in what a value of the file keeps as typed, and refuses the rest whole.
TEST(TWin1250Test, ValidatorRefusesWhatTheFileCannotHold) {
    const std::pair<QString, QValidator::State> cases[] = {
        {QStringLiteral("KOWALSKI-ŻÓŁĆ\tx"), QValidator::Acceptable},
        {QStringLiteral("KOWAL") + QChar::Null + QStringLiteral("SKI"), QValidator::Invalid},
        {QStringLiteral("KOWAL\nSKI"), QValidator::Invalid},
        {QStringLiteral("KOWAL\rSKI"), QValidator::Invalid},
        {QStringLiteral("KOWAL✓"), QValidator::Invalid},
    };
    const TWin1250Validator validator;
    for (auto [text, state] : cases) {
        int position = 0;
        EXPECT_EQ(validator.validate(text, position), state) << text.toStdString();
    }
}
