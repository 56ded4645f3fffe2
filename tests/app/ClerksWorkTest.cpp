#include "CheckingAidsFixture.h"

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

} // namespace
