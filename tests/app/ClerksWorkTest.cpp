#include "CheckingAidsFixture.h"
#include "tests/support/WindowActivation.h"

#include <QContextMenuEvent>
#include <QTimer>

namespace {

class ClerksWorkTest : public CheckingAidsTest {
protected:
    // Takes `step` while the question about unsaved changes waits for `answer`; whether it came.
    // Its text goes to `text`; "Nie" must be its default.
    bool Answering(const QString& answer, const std::function<void()>& step,
                   QString* text = nullptr) {
        const ModalAnswer<QMessageBox> question([&](QMessageBox& box) {
            EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("&Nie"));
            if (text != nullptr)
                *text = box.text();
            for (QAbstractButton* button : box.buttons())
                if (button->text() == answer)
                    button->click();
        });
        step();
        window.activateWindow();
        EXPECT_TRUE(!window.isVisible() || WindowBecomesActive(window));
        return question.Answered();
    }
};

TEST_F(ClerksWorkTest, ImportAsksBeforeTheClerksChangesGoAndCtrlZBringsThemBack) {
    const auto import = [this] { Click("SpeedButton1"); };
    Import(FaultyOrder());
    const std::vector<TPersonRecord> imported = TableRows(window.mt());
    EXPECT_FALSE(Answering(QStringLiteral("&Nie"), import)) << "rows as imported come again";
    ChangeThreeRows();
    const std::vector<TPersonRecord> changed = TableRows(window.mt());
    const QString count = Label("LDoSprawdzenia").text();

    QString question;
    EXPECT_TRUE(Answering(QStringLiteral("&Nie"), import, &question));
    EXPECT_TRUE(question.contains(QStringLiteral("od ostatniego importu lub zapisu: 3.")));
    EXPECT_EQ(TableRows(window.mt()), changed);
    EXPECT_TRUE(Answering(QStringLiteral("&Tak"), import));
    EXPECT_EQ(TableRows(window.mt()), imported);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableRows(window.mt()), changed);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), count) << "the confirmation came back";
    window.mt().MoveTo(2);
    EXPECT_EQ(Tooltip(2, TPersonField::imie), QStringLiteral("Poprawiono; import znalazł: „Ewa”"));
    for (int change = 0; change < 3; ++change)
        Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableRows(window.mt()), imported) << "the history came back too";

    ChangeThreeRows();
    const TempFolder folder;
    Save(folder / "osoby.os");
    EXPECT_FALSE(Answering(QStringLiteral("&Nie"), import)) << "saved changes go at once";
}

// Ctrl+Z after the import of another order brings back the former rows, whose lines that
// order does not hold: no line is marked for them, nor any skipped person counted.
TEST_F(ClerksWorkTest, UndoneImportOfAnotherOrderMarksNoneOfItsLines) {
    Import(FaultyOrder());
    ChangeThreeRows();
    Paste(Block(1, QStringLiteral("szer. INNY Jan S. Adama"), "44051401359") +
          Block(2, QStringLiteral("szer. POMINIĘTY Jan S. Adama"), "44051401359", false));
    EXPECT_TRUE(Answering(QStringLiteral("&Tak"), [this] { Click("SpeedButton1"); }));
    ASSERT_EQ(window.mt().TotalRows(), 1);
    ASSERT_TRUE(Label("LPominiete").isVisibleTo(&window));

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 3);
    EXPECT_EQ(Marks(), (std::vector<std::pair<int, QColor>>{}));
    EXPECT_FALSE(Label("LPominiete").isVisibleTo(&window));
}

// A change that the file lacks, also a saved one taken back, is asked about; "Tak" closes.
TEST_F(ClerksWorkTest, ClosingAsksWhileAChangeIsUnsaved) {
    const auto close = [this] { window.close(); };
    Import(FaultyOrder());
    Click("SpeedButton3");
    EXPECT_TRUE(Answering(QStringLiteral("&Nie"), close));
    EXPECT_TRUE(window.isVisible());
    const TempFolder folder;
    Save(folder / "osoby.os");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Answering(QStringLiteral("&Tak"), close));
    EXPECT_FALSE(window.isVisible());
}

// Alt+T reaches the order box, which Tab still passes by, Escape goes back to the grid; Alt+P
// shows the next skipped person; Shift+F10 and the Menu key open the grid's menu at the row.
TEST_F(ClerksWorkTest, KeysReachTheBoxTheSkippedPersonsAndTheRowMenu) {
    Import(FaultyOrder() + LongTail(6, 40));
    QTest::keyClick(&Grid(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(Box().hasFocus());
    QTest::keyClick(&Box(), Qt::Key_Escape);
    EXPECT_TRUE(Grid().hasFocus());
    QTest::keyClick(&Grid(), Qt::Key_Tab);
    EXPECT_FALSE(Box().hasFocus());
    Keys(Qt::Key_End);
    Keys(Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(LineInSight(16));

    window.mt().MoveTo(30);
    const int line = Grid().viewport()->mapToGlobal(LineCentre(30)).y();
    const auto menuOffset = [&](const std::function<void()>& open) {
        int top = 0;
        QTimer::singleShot(0, &window, [&] {
            top = QApplication::activePopupWidget()->y();
            QApplication::activePopupWidget()->close();
        });
        open();
        return std::abs(top - line);
    };
    EXPECT_LE(menuOffset([&] { Keys(Qt::Key_F10, Qt::ShiftModifier); }), Grid().RowHeight());
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
    EXPECT_LE(menuOffset([&] { QApplication::sendEvent(&Grid(), &menuKey); }), Grid().RowHeight());
}

} // namespace
