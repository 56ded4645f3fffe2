#include "TOrderBoxLines.h"
#include "TWin1250.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The box's lines read the simple way: the document's raw text cut at every line break, each
// character encoded on its own.
Lines LinesOneByOne(const QTextDocument& document) {
    Lines lines(1);
    for (const QChar character : document.toRawText()) {
        if (character == QChar::LineSeparator || character == QChar::ParagraphSeparator ||
            character == u'\v')
            lines.emplace_back();
        else if (lines.back().size() < TOrderBoxLines::MaxLineLength)
            lines.back() += TWin1250::Encode(QStringView(&character, 1));
    }
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

Lines LinesOf(const TOrderBoxLines& lines) {
    Lines result;
    for (int i = 0; i < lines.Count(); ++i)
        result.push_back(lines.Line(i));
    return result;
}

// Texts of every kind of line break and character, at every place within the blocks of eight
// characters that the reading takes at once, with a long line now and then.
TEST(OrderBoxLinesTest, AgreeWithReadingCharacterByCharacter) {
    const std::u16string alphabet = u"ab ę\u00A0\t€漢\n\r\v\u2028\u2029";
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        const int length = round % 50 == 0 ? 4200 : static_cast<int>(random() % 60);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(alphabet[random() % alphabet.size()]);
        QTextDocument document;
        document.setPlainText(text);
        EXPECT_EQ(LinesOf(TOrderBoxLines(document)), LinesOneByOne(document)) << round;
    }
}

} // namespace
