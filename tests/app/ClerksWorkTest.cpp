#include "CheckingAidsFixture.h"

#include <QContextMenuEvent>
#include <QTimer>

namespace {

// Answers the question about unsaved changes with the button captioned `answer`, and keeps its
// text and the caption of its default button.
struct QuestionAnswer {
    explicit QuestionAnswer(const QString& answer)
        : modal([this, answer](QMessageBox& box) {
              text = box.text();
              defaultButton = box.defaultButton()->text();
              for (QAbstractButton* button : box.buttons())
                  if (button->text() == answer)
                      button->click();
          }) {}

    QString text;
    QString defaultButton;
    ModalAnswer<QMessageBox> modal;
};

class ClerksWorkTest : public CheckingAidsTest {
protected:
    // Imports through the button while `answer` stands ready for the question; whether it came.
    bool ImportAnswering(const QString& answer, QString* text = nullptr) {
        QuestionAnswer question(answer);
        Click("SpeedButton1");
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        if (text != nullptr)
            *text = question.text;
        if (question.modal.Answered()) {
            EXPECT_EQ(question.defaultButton, QStringLiteral("&Nie"));
        }
        return question.modal.Answered();
    }

    bool CloseAnswering(const QString& answer) {
        const QuestionAnswer question(answer);
        window.close();
        return question.modal.Answered();
    }

    void Save(const std::filesystem::path& path) {
        const ModalAnswer<QFileDialog> dialog(
            [&](QFileDialog& shown) { EnterFileName(shown, Native(path)); });
        Click("SpeedButton2");
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Row 2 corrected, row 3 confirmed, row 4 deleted.
    void ChangeThreeRows() {
        window.mt().MoveTo(2);
        ASSERT_TRUE(InPersonBox([&] { Grid().actions().at(0)->trigger(); },
                                [](TPersonDialog& box) {
                                    Retype(box, TPersonField::imie, QStringLiteral("Ewelina"));
                                    Answer(box, QDialogButtonBox::Ok);
                                }));
        window.mt().MoveTo(3);
        Grid().actions().at(1)->trigger();
        window.mt().MoveTo(4);
        Click("SpeedButton3");
    }
};

TEST_F(ClerksWorkTest, ImportAsksBeforeTheClerksChangesGoAndCtrlZBringsThemBack) {
    Import(FaultyOrder());
    const std::vector<TPersonRecord> imported = TableRows(window.mt());
    EXPECT_FALSE(ImportAnswering(QStringLiteral("&Nie"))) << "rows as imported come again";
    ChangeThreeRows();
    const std::vector<TPersonRecord> changed = TableRows(window.mt());
    const QString count = Label("LDoSprawdzenia").text();

    QString question;
    EXPECT_TRUE(ImportAnswering(QStringLiteral("&Nie"), &question));
    EXPECT_TRUE(question.contains(QStringLiteral("od ostatniego importu lub zapisu: 3.")))
        << question.toStdString();
    EXPECT_EQ(TableRows(window.mt()), changed);

    EXPECT_TRUE(ImportAnswering(QStringLiteral("&Tak")));
    EXPECT_EQ(TableRows(window.mt()), imported);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableRows(window.mt()), changed);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), count) << "the confirmation came back";
    window.mt().MoveTo(2);
    EXPECT_EQ(Tooltip(2, TPersonField::imie), QStringLiteral("Poprawiono; import znalazł: „Ewa”"));
    for (int change = 0; change < 3; ++change)
        Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableRows(window.mt()), imported) << "the history came back too";

    // Saved changes go without a question.
    ChangeThreeRows();
    const TempFolder folder;
    Save(folder / "osoby.os");
    EXPECT_FALSE(ImportAnswering(QStringLiteral("&Nie")));
    EXPECT_EQ(TableRows(window.mt()), imported);
}

TEST_F(ClerksWorkTest, ClosingAsksOnlyWhileChangesAreUnsaved) {
    Import(FaultyOrder());
    window.mt().MoveTo(2);
    Click("SpeedButton3");
    EXPECT_TRUE(CloseAnswering(QStringLiteral("&Nie")));
    EXPECT_TRUE(window.isVisible());

    const TempFolder folder;
    Save(folder / "osoby.os");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(window.mt().TotalRows(), 4);
    EXPECT_TRUE(CloseAnswering(QStringLiteral("&Nie"))) << "the file lacks the row brought back";
    Save(folder / "osoby.os");
    EXPECT_FALSE(CloseAnswering(QStringLiteral("&Nie")));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ClerksWorkTest, ClosingWithUnsavedChangesCloses) {
    Import(FaultyOrder());
    Click("SpeedButton3");
    EXPECT_TRUE(CloseAnswering(QStringLiteral("&Tak")));
    EXPECT_FALSE(window.isVisible());
}

// Alt+T reaches the order box, which Tab still passes by, and Escape goes back to the grid;
// Alt+P shows the next skipped person; Shift+F10 and the Menu key open the grid's menu at the
// current row, and its entries act there.
TEST_F(ClerksWorkTest, KeysReachTheBoxTheSkippedPersonsAndTheRowMenu) {
    Import(FaultyOrder() + LongTail(6, 40));
    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(Box().hasFocus());
    QTest::keyClick(&Box(), Qt::Key_Escape);
    EXPECT_TRUE(Grid().hasFocus());
    QTest::keyClick(&Grid(), Qt::Key_Tab);
    EXPECT_FALSE(Box().hasFocus());
    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_End);
    QTest::keyClick(&Grid(), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(LineInSight(16));

    window.mt().MoveTo(30);
    const QRect line(Grid().viewport()->mapToGlobal(QPoint(0, LineCentre(30).y())), QSize(1, 1));
    const auto menuAt = [&](const std::function<void()>& open) {
        QPoint shown;
        QTimer::singleShot(0, &window, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            ASSERT_NE(menu, nullptr);
            shown = menu->pos();
            menu->close();
        });
        open();
        return shown.y() - line.y();
    };
    const int below = Grid().RowHeight();
    EXPECT_LE(std::abs(menuAt([&] { QTest::keyClick(&Grid(), Qt::Key_F10, Qt::ShiftModifier); })),
              below);
    EXPECT_LE(std::abs(menuAt([&] {
                  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
                  QApplication::sendEvent(&Grid(), &menuKey);
              })),
              below);

    Grid().actions().at(2)->trigger();
    EXPECT_EQ(window.mt().TotalRows(), 43);
    Grid().actions().at(3)->trigger();
    EXPECT_EQ(window.mt().TotalRows(), 44);
}

} // namespace
