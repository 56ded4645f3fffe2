#include "CheckingAidsFixture.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"
#include "ui/DesignValues.h"

#include <QAction>
#include <QDialog>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QWheelEvent>

namespace {

class OrderBoxKeysTest : public CheckingAidsTest {
protected:
    // Every key that acts in the window, gathered as a clerk meets them: the window's shortcuts,
    // the buttons' access keys and the grid's menu entries.
    QList<QKeySequence> WindowKeys() {
        QList<QKeySequence> keys;
        for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
            keys.append(shortcut->key());
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
            if (!button->shortcut().isEmpty())
                keys.append(button->shortcut());
        for (const QAction* action : Grid().actions())
            if (!action->shortcut().isEmpty())
                keys.append(action->shortcut());
        return keys;
    }

    // The caret in the middle of the order's first person line, the box focused.
    void CaretInPersonLine() {
        Box().setFocus();
        QTextCursor caret(Box().document()->findBlockByNumber(2));
        caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 12);
        Box().setTextCursor(caret);
    }

    void ShowAgain() {
        if (!window.isVisible() || window.isMinimized())
            window.ShowMaximized();
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
    }
};

// No key of the window's edits the order: from the box, with the caret inside a person line,
// each key does what it does (a dialog or question it opens is cancelled) and the text stays.
// Ctrl+K, which Qt's text boxes take for "delete to the line's end" on Linux, among them.
TEST_F(OrderBoxKeysTest, NoWindowKeyEditsTheOrderText) {
    Import(FaultyOrder());
    const QString text = Box().toPlainText();
    const QList<QKeySequence> keys = WindowKeys();
    ASSERT_GE(keys.size(), 18);
    for (const QKeySequence& key : keys) {
        SCOPED_TRACE(key.toString().toStdString());
        QGuiApplication::clipboard()->setText(text); // Alt+W pastes the same text again
        CaretInPersonLine();
        const ModalAnswer<QDialog> cancel([](QDialog& dialog) { dialog.reject(); });
        QTest::keyClick(&Box(), key[0].key(), key[0].keyboardModifiers());
        ShowAgain();
        EXPECT_EQ(Box().toPlainText(), text);
    }
}

// F4 and Ctrl+K act on the current row from the box as F3 and Alt+U do; Ctrl+Z there stays the
// box's own undo.
TEST_F(OrderBoxKeysTest, RowKeysActOnTheCurrentRowFromTheBox) {
    Import(FaultyOrder());
    window.mt().MoveTo(2);
    const QString hinted = Label("LDoSprawdzenia").text();
    CaretInPersonLine();
    QTest::keyClick(&Box(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_NE(Label("LDoSprawdzenia").text(), hinted);
    EXPECT_TRUE(InPersonBox([&] { QTest::keyClick(&Box(), Qt::Key_F4); },
                            [](TPersonDialog& box) { box.reject(); }));
    CaretInPersonLine();
    const QString text = Box().toPlainText();
    const int rows = window.mt().TotalRows();
    QTest::keyClicks(&Box(), QStringLiteral("x"));
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Box().toPlainText(), text);
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), rows);
}

// Alt+T: the box shows a frame in the focus colour, and the caret is on a line in sight, not at
// the text's start far above.
TEST_F(OrderBoxKeysTest, AltTShowsTheFocusAndACaretInSight) {
    Paste(FaultyOrder() + LongTail(6, 60));
    Box().verticalScrollBar()->setValue(200);
    Grid().setFocus();
    const QColor unfocused = Box().palette().color(QPalette::WindowText);
    QTest::keyClick(&Grid(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(Box().hasFocus());
    EXPECT_EQ(Box().palette().color(QPalette::WindowText),
              Box().palette().color(QPalette::Highlight));
    EXPECT_NE(unfocused, Box().palette().color(QPalette::WindowText));
    EXPECT_TRUE(Box().viewport()->rect().contains(Box().cursorRect()));
    EXPECT_EQ(Box().verticalScrollBar()->value(), 200);
}

// A break inside a paragraph shows as a line end, and the box gives the import the same lines as
// before, pasted or set.
TEST_F(OrderBoxKeysTest, ALineBreakInsideAParagraphShowsAsALineEnd) {
    Paste(QStringLiteral("pierwszy\vdrugi\ntrzeci"));
    EXPECT_EQ(BoxLines(), (Lines{"pierwszy", "drugi", "trzeci"}));
    const QTextBlock first = Box().document()->firstBlock();
    EXPECT_FALSE(first.text().contains(u'\v'));
    EXPECT_EQ(first.layout()->lineCount(), 2);
    Box().selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("a\vb"));
    Box().paste();
    EXPECT_EQ(BoxLines(), (Lines{"a", "b"}));
    EXPECT_EQ(Box().document()->firstBlock().layout()->lineCount(), 2);
}

// The split opens at the design's place where the grid shows 5 rows there, higher where it would
// not; Alt+Shift+Up and Down move it a row. Run at double scale too (app.SplitAtDoubleScale).
TEST_F(OrderBoxKeysTest, TheSplitShowsFiveRowsAndMovesByKeys) {
    Import(FaultyOrder() + LongTail(6, 20));
    auto& split = *window.findChild<QSplitter*>("Podzial");
    QWidget& orderArea = *split.widget(0);
    const int least = orderArea.minimumSizeHint().height();
    EXPECT_TRUE(Grid().VisibleLines() >= 5 || orderArea.height() == least)
        << Grid().VisibleLines() << " rows, the order area " << orderArea.height();
    // Moved no higher than the five rows need (and the sideways bar, which may not show).
    if (orderArea.height() < Design::kOrderAreaHeight) {
        EXPECT_LE(Grid().VisibleLines(), 6)
            << window.height() << " " << orderArea.height() << " " << split.sizes()[1] << " "
            << Grid().height() << " " << Grid().RowHeight() << " " << least;
    }
    const int before = orderArea.height();
    QTest::keyClick(&Grid(), Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(orderArea.height(), std::max(least, before - Grid().RowHeight()));
    QTest::keyClick(&Box(), Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(orderArea.height(),
              std::max(least, before - Grid().RowHeight()) + Grid().RowHeight());
}

// Columns that do not fit come into sight by Alt+Right and Alt+Left, or the wheel with Shift;
// Right alone moves a row.
TEST_F(OrderBoxKeysTest, TheGridScrollsSidewaysByKeys) {
    Import(FaultyOrder());
    window.resize(500, window.height());
    QScrollBar& bar = *Grid().horizontalScrollBar();
    QTRY_VERIFY(bar.maximum() > 0);
    Grid().setFocus();
    const int row = window.mt().RowNumber();
    QTest::keyClick(&Grid(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_GT(bar.value(), 0);
    EXPECT_EQ(window.mt().RowNumber(), row);
    QTest::keyClick(&Grid(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(bar.value(), 0);
    QTest::keyClick(&Grid(), Qt::Key_Right);
    EXPECT_EQ(window.mt().RowNumber(), row + 1);
    const QPoint centre = Grid().viewport()->rect().center();
    QWheelEvent shifted(centre, Grid().viewport()->mapToGlobal(centre), {}, QPoint(0, -120),
                        Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid().viewport(), &shifted);
    EXPECT_GT(bar.value(), 0);
    EXPECT_EQ(window.mt().RowNumber(), row + 1);
}

} // namespace
