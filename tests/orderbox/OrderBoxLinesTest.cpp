#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderBoxLines.h"
#include "ui/TWin1250.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
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

QString RandomText(std::mt19937& random, int length) {
    static const std::u16string alphabet = u"ab ę\u00A0\t€漢\n\r\v\u2028\u2029";
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(alphabet[random() % alphabet.size()]);
    return text;
}

// Texts of every kind of line break and character, at every place within the blocks of eight
// characters that the reading takes at once, with a long line now and then.
TEST(OrderBoxLinesTest, AgreeWithReadingCharacterByCharacter) {
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        QTextDocument document;
        document.setPlainText(
            RandomText(random, round % 50 == 0 ? 4200 : static_cast<int>(random() % 60)));
        EXPECT_EQ(LinesOf(TOrderBoxLines(document)), LinesOneByOne(document)) << round;
    }
}

// The clerk's edits, their undo and redo anywhere in a text, one or a few between two imports:
// the box reads the touched blocks again and must hold what a whole reading finds.
TEST(OrderBoxLinesTest, FollowEditsUndoAndRedo) {
    std::mt19937 random(7);
    TOrderBox box;
    box.ReplaceText(RandomText(random, 3000));
    for (int round = 0; round < 400; ++round) {
        for (int edit = 0, edits = 1 + static_cast<int>(random() % 3); edit < edits; ++edit) {
            QTextCursor cursor(box.document());
            const int size = box.document()->characterCount() - 1;
            cursor.setPosition(static_cast<int>(random() % static_cast<unsigned>(size + 1)));
            const int what = static_cast<int>(random() % 6);
            if (what < 3) {
                cursor.insertText(RandomText(random, static_cast<int>(random() % 12)));
            } else if (what < 5) {
                cursor.setPosition(
                    std::min(size, cursor.position() + static_cast<int>(random() % 12)),
                    QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else {
                random() % 2 ? box.document()->undo() : box.document()->redo();
            }
        }
        const TOrderBoxLines whole(*box.document());
        ASSERT_EQ(LinesOf(box.Lines()), LinesOf(whole)) << round;
        ASSERT_EQ(box.Lines().LineStarts(), whole.LineStarts()) << round;
    }
}

} // namespace
