#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "support/TempFolder.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

namespace {

class KeyboardAndTextsTest : public MainWindowTest {
protected:
    // The window's keys act only in the active window.
    void SetUp() override { Activate(); }

    void Activate() {
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
    }

    QWidget& Control(const char* name) { return *window.findChild<QWidget*>(name); }
    QLabel& SaveNote() { return *window.findChild<QLabel*>("LZapisano"); }

    // Saves through the dialog into `file`, by a click or by the given key.
    void Save(const std::filesystem::path& file, QKeyCombination key = {}) {
        const ModalAnswer<QFileDialog> dialog([&](QFileDialog& shown) {
            shown.selectFile(Native(file));
            QTest::keyClick(shown.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
        });
        if (key == QKeyCombination())
            Click("SpeedButton2");
        else
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QTRY_VERIFY(dialog.Answered());
        Activate();
    }
};

// Each action by its key, with the focus in the grid and in the order box; the buttons' own
// clicks (animated) run the same handlers.
TEST_F(KeyboardAndTextsTest, EveryActionHasItsKeyWhereverTheFocusIs) {
    const TempFolder folder;
    for (const char* focus : {"RxDBGrid1", "mrozkaz"}) {
        SCOPED_TRACE(focus);
        Control(focus).setFocus();
        QGuiApplication::clipboard()->setText(PersonBlock + PersonBlock);
        QTest::keyClick(&Control(focus), Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(Box().toPlainText(), PersonBlock + PersonBlock);
        QTest::keyClick(&Control(focus), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(window.mt().TotalRows(), 2);
        QTest::keyClick(&Control(focus), Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(window.mt().TotalRows(), 1);
        for (const QKeyCombination key : {Qt::ALT | Qt::Key_Z, Qt::CTRL | Qt::Key_S}) {
            std::filesystem::remove(folder / "osoby.os");
            Control(focus).setFocus();
            Save(folder / "osoby.os", key);
            EXPECT_TRUE(std::filesystem::exists(folder / "osoby.os"));
        }
    }
    const std::pair<const char*, const char*> tips[] = {{"sbstaleplacowe", "(Alt+W)"},
                                                        {"SpeedButton1", "(Alt+I)"},
                                                        {"SpeedButton2", "(Alt+Z, Ctrl+S)"},
                                                        {"SpeedButton3", "(Alt+U)"},
                                                        {"SBMin", "(Alt+F9)"},
                                                        {"SBKoniec", "(Alt+F4)"}};
    for (const auto& [button, keys] : tips)
        EXPECT_TRUE(Control(button).toolTip().endsWith(keys)) << button;
}

TEST_F(KeyboardAndTextsTest, AccessKeysAreUnderlinedOnlyWhileAltIsHeld) {
    QWidget& grid = Control("RxDBGrid1");
    grid.setFocus();
    const QImage plain = Control("SpeedButton1").grab().toImage();
    QTest::keyPress(&grid, Qt::Key_Alt);
    const QImage held = Control("SpeedButton1").grab().toImage();
    QTest::keyRelease(&grid, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_NE(held, plain);
    EXPECT_EQ(Control("SpeedButton1").grab().toImage(), plain);
}

TEST_F(KeyboardAndTextsTest, CloseKeyEndsTheProgram) {
    QTest::keyClick(&Control("RxDBGrid1"), Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!window.isVisible());
}

// Titles stay as designed: the platform appends the display name to every title once one is
// set. Qt's own texts in the save dialog speak Polish.
TEST_F(KeyboardAndTextsTest, TitlesHaveNothingAppendedAndTheSaveDialogSpeaksPolish) {
    EXPECT_EQ(window.windowTitle(), "NOLT-Fr");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    ImportOnePerson();
    QStringList texts;
    const ModalAnswer<QFileDialog> dialog([&](QFileDialog& shown) {
        texts = {shown.windowTitle(), shown.findChild<QLabel*>("lookInLabel")->text(),
                 shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text()};
        shown.reject();
    });
    Click("SpeedButton2");
    ASSERT_TRUE(dialog.Answered());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Wprowadź nazwę pliku"),
                                  QStringLiteral("Szukaj w:"), QStringLiteral("Anuluj")}));
}

TEST_F(KeyboardAndTextsTest, SaveNoteTellsWhatWentWhereUntilTheRowsChange) {
    Paste(PersonBlock + PersonBlock);
    Click("SpeedButton1");
    const TempFolder folder;
    EXPECT_FALSE(SaveNote().isVisible());
    Save(folder / "osoby.os");
    EXPECT_TRUE(SaveNote().isVisible());
    EXPECT_EQ(SaveNote().text(),
              QStringLiteral("Zapisano 2 osoby: osoby.os; odczyt kontrolny zgodny"));

    Click("SpeedButton3");
    EXPECT_FALSE(SaveNote().isVisible()) << "a deletion changes what was saved";
    Save(folder / "jedna");
    EXPECT_EQ(SaveNote().text(),
              QStringLiteral("Zapisano 1 osobę: jedna.os; odczyt kontrolny zgodny"));

    const ModalAnswer<QMessageBox> error([](QMessageBox& box) { box.accept(); });
    Save(folder / "brak" / "osoby.os");
    EXPECT_TRUE(error.Answered());
    EXPECT_FALSE(SaveNote().isVisible()) << "a failed save leaves no note";
}

// Ctrl+Z in the box undoes only the clerk's own edits of the text, never the paste and never a
// deletion in the grid; from the grid it brings back the deleted row.
TEST_F(KeyboardAndTextsTest, CtrlZInTheBoxUndoesOnlyItsOwnEdits) {
    Paste(PersonBlock + PersonBlock);
    Click("SpeedButton1");
    const QString order = Box().toPlainText();
    Click("SpeedButton3");
    Box().setFocus();
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 1);
    EXPECT_EQ(Box().toPlainText(), order);

    QTest::keyClicks(&Box(), "x");
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Box().toPlainText(), order);
    EXPECT_EQ(window.mt().TotalRows(), 1);
    QTest::keyClick(&Control("RxDBGrid1"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 2);
}

TEST_F(KeyboardAndTextsTest, PastedOrderIsShownFromItsFirstLine) {
    QString order;
    for (int line = 0; line < 300; ++line)
        order += QStringLiteral("linia %1 %2\n").arg(line).arg(QString(200, QLatin1Char('x')));
    Paste(order);
    EXPECT_EQ(Box().verticalScrollBar()->value(), 0);
    EXPECT_EQ(Box().horizontalScrollBar()->value(), 0);
}

} // namespace
