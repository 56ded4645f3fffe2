#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "app/TNoltApplication.h"
#include "app/Unolt_f_r.h"
#include "orderbox/TOrderBoxLines.h"
#include "support/TempFolder.h"
#include "tests/support/ModalAnswer.h"
#include "ui/TWin1250.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(StartUpTest, ShowsTheInstructionsAnEmptyTableAndTheVersionOverTheScreen) {
    Tfnolt_f_r window;
    const auto* version = window.findChild<QLabel*>("Lwersja");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "1.0") << "the caption changes when the window is shown";

    window.ShowMaximized();
    EXPECT_EQ(version->text(), "1.5");
    EXPECT_EQ(window.geometry(), window.screen()->availableGeometry());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.mt().IsOpen());
    EXPECT_EQ(window.mt().TotalRows(), 0);

    const TOrderBoxLines lines(*window.findChild<QPlainTextEdit*>("mrozkaz")->document());
    EXPECT_EQ((Lines{lines.Line(0), lines.Line(1), lines.Line(15), lines.Line(20)}),
              (Lines{"INSTRUKCJA U\xAFYTKOWNIKA", std::string(85, '-'), "",
                     " 4. Brak okre\x9C"
                     "lenia \"kieruj\xEA\" w formule rozkazu."}));
    EXPECT_EQ(lines.Count(), 21);
}

// Where docked panels and placed controls end up, in window coordinates, for a window w wide and
// h high: the layout must keep the margins, the docking order and the controls' places.
struct PlaceCase {
    const char* name;
    QRect (*place)(int w, int h);
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

class LayoutTest : public MainWindowTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(LayoutTest, PlacesTheControl) {
    const auto* control = window.findChild<QWidget*>(GetParam().name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(QRect(control->mapTo(&window, QPoint(0, 0)), control->size()),
              GetParam().place(window.width(), window.height()));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, LayoutTest,
    testing::Values(
        PlaceCase{"Image1", [](int, int) { return QRect(4, 2, 32, 32); }},
        PlaceCase{"SBKoniec", [](int w, int) { return QRect(w - 30, 5, 25, 25); }},
        PlaceCase{"mrozkaz", [](int w, int) { return QRect(10, 72, w - 215, 315); }},
        PlaceCase{"sbstaleplacowe", [](int w, int) { return QRect(w - 193, 83, 173, 32); }},
        PlaceCase{"SpeedButton3", [](int w, int) { return QRect(w - 193, 351, 173, 32); }},
        PlaceCase{"DBStatusLabel1", [](int w, int) { return QRect(10, 407, w - 20, 28); }},
        PlaceCase{"RxDBGrid1", [](int w, int h) { return QRect(10, 435, w - 20, h - 445); }}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

// A pasted text and the lines the box then hands to the parser (Windows-1250).
struct PasteCase {
    const char* name;
    QString text;
    Lines lines;
};

void PrintTo(const PasteCase& c, std::ostream* out) {
    *out << c.name;
}

class PasteTest : public MainWindowTest, public testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTest, DeliversTheLines) {
    Paste(GetParam().text);
    EXPECT_EQ(BoxLines(), GetParam().lines);
}

std::vector<PasteCase> PasteCases() {
    const QString longLine(5000, QLatin1Char('x'));
    return {
        {"EndsInLineBreak", "a\nb\n", {"a", "b"}},
        {"EndsInTwoLineBreaks", "a\n\n", {"a", ""}},
        {"WindowsLineBreaksAndLoneCarriageReturn", "a\r\nb\rc", {"a", "b", "c"}},
        {"SoftBreaksAndParagraphSeparator",
         QStringLiteral("a\u2028b\vc\u2029d\u2028"),
         {"a", "b", "c", "d"}},
        {"NonBreakingSpaceAndTabKept",
         QStringLiteral("a\u00A0b\tc"),
         {"a\xA0"
          "b\tc"}},
        {"PolishLetters", QStringLiteral("kieruję ŻÓŁW ąś"), {"kieruj\xEA \xAF\xD3\xA3W \xB9\x9C"}},
        {"UnmappableCharactersOneQuestionMarkEach",
         QStringLiteral("€ 漢 \U0001F600 ") + QChar(0xD800),
         {"\x80 ? ? ?"}},
        {"LineCutAt4096", longLine + "\nnext", {std::string(4096, 'x'), "next"}},
    };
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PasteTest, testing::ValuesIn(PasteCases()),
                         [](const testing::TestParamInfo<PasteCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainWindowTest, SecondPasteReplacesTheFirst) {
    Paste("first paste\nwith two lines");
    Box().moveCursor(QTextCursor::Start);
    Paste("second\npaste\n");
    EXPECT_EQ(BoxLines(), (Lines{"second", "paste"}));
}

TEST_F(MainWindowTest, ImportSeesTheClerksEditsAndTheirUndoAfterAPaste) {
    Paste(PersonBlock);
    Click("SpeedButton1");
    QTextCursor surname = Box().document()->find("TESTOWY");
    Box().setTextCursor(surname);
    Box().setFocus();
    QTest::keyClicks(&Box(), "NOWAK");
    Click("SpeedButton1");
    EXPECT_EQ(window.mt().FieldText("nazwisko"), "NOWAK");

    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    Click("SpeedButton1");
    EXPECT_EQ(window.mt().FieldText("nazwisko"), "TESTOWY");
}

TEST_F(MainWindowTest, ImportSeesALongLineCutAt4096Characters) {
    // The slash of "/ZS" stands at character 4090, so the cut keeps "/ZS1234" of the NIS number.
    const QString nisLine = "- " + QString(4086, QLatin1Char('k')) + " /ZS1234567890AB";
    Paste("1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,\nkieruję\n" + nisLine +
          "\nUZASADNIENIE:\n");
    Click("SpeedButton1");
    const TPersonRecord row{1,        "00000000001",        "TESTOWY", "Jan", "M", "",
                            "ZS1234", std::string(100, 'k')};
    EXPECT_EQ(TableRows(window.mt()), std::vector<TPersonRecord>{row});
}

TEST(ErrorBoxTextTest, AddsAFullStopAfterACharacterAboveTheFullStop) {
    const std::pair<const char*, QString> cases[] = {
        {"Invalid filename", "Invalid filename."},
        {"I/O error 32", "I/O error 32."},
        {"A sentence.", "A sentence."},
        {"Ends in a hyphen -", "Ends in a hyphen -"},
        {"Ends in a slash /", "Ends in a slash /."},
        {"mt: Field 'pr\xF3g'", QStringLiteral("mt: Field 'próg'")},
        {"ko\xF1", QStringLiteral("koń.")},
        {"", ""},
    };
    for (const auto& [message, text] : cases) {
        SCOPED_TRACE(message);
        EXPECT_EQ(TNoltApplication::ErrorBoxText(TWin1250::Decode(message)), text);
    }
}

// Notes the caption, text, icon and buttons of the next message box and closes it.
ModalAnswer<QMessageBox> ReadMessageBox(QStringList& shown) {
    return ModalAnswer<QMessageBox>([&shown](QMessageBox& box) {
        shown = {box.windowTitle(), box.text(), QString::number(box.icon()),
                 QString::number(box.standardButtons().toInt())};
        box.accept();
    });
}

TEST_F(MainWindowTest, FailingSaveShowsTheErrorBoxAndKeepsTheRows) {
    ImportOnePerson();
    const TempFolder folder;
    const std::filesystem::path missing = folder / "missing" / "osoby.os";

    const ModalAnswer<QFileDialog> dialog(
        [&](QFileDialog& shown) { EnterFileName(shown, Native(missing)); });
    QStringList shown;
    const auto box = ReadMessageBox(shown);
    Click("SpeedButton2");

    ASSERT_TRUE(dialog.Answered());
    EXPECT_EQ(shown,
              (QStringList{"NOLT-Fr", "Invalid filename.", QString::number(QMessageBox::Critical),
                           QString::number(QMessageBox::Ok)}));
    EXPECT_EQ(window.mt().TotalRows(), 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

TEST_F(MainWindowTest, SaveDialogAddsTheExtensionOffersTheLastNameAndReplacesSilently) {
    ImportOnePerson();
    const TempFolder folder;
    const std::filesystem::path saved = folder / "osoby.os";

    QStringList settings;
    const ModalAnswer<QFileDialog> first([&](QFileDialog& dialog) {
        settings = {dialog.windowTitle(), dialog.nameFilters().join(';'), dialog.defaultSuffix(),
                    dialog.testOption(QFileDialog::DontConfirmOverwrite) ? "silent" : "asks"};
        EnterFileName(dialog, Native(folder / "osoby"));
    });
    Click("SpeedButton2");
    ASSERT_TRUE(first.Answered());
    EXPECT_EQ(settings, (QStringList{QStringLiteral("Wprowadź nazwę pliku"),
                                     QStringLiteral("Pliki z osobami (*.os)"), "os", "silent"}));
    ASSERT_TRUE(std::filesystem::exists(saved));
    const auto size = std::filesystem::file_size(saved);
    std::filesystem::resize_file(saved, 3);

    QStringList offered;
    const ModalAnswer<QFileDialog> second([&](QFileDialog& dialog) {
        offered = dialog.selectedFiles();
        QTest::keyClick(dialog.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    QStringList question;
    const auto anyBox = ReadMessageBox(question);
    Click("SpeedButton2");
    ASSERT_TRUE(second.Answered());
    EXPECT_EQ(offered, QStringList{Native(saved)});
    EXPECT_FALSE(anyBox.Answered()) << question.join(' ').toStdString();
    EXPECT_EQ(std::filesystem::file_size(saved), size);
}

TEST_F(MainWindowTest, CancelledSaveWritesNothing) {
    ImportOnePerson();
    const TempFolder folder;
    const ModalAnswer<QFileDialog> dialog([&](QFileDialog& shown) {
        shown.findChild<QLineEdit*>("fileNameEdit")->setText(Native(folder / "osoby"));
        shown.reject();
    });
    Click("SpeedButton2");
    ASSERT_TRUE(dialog.Answered());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

// The seam a benchmark uses: the answer stands in for the dialog, which never shows, and is
// offered the name confirmed last as the dialog would be.
TEST_F(MainWindowTest, AnsweredSaveDialogSavesWithoutShowingIt) {
    ImportOnePerson();
    const TempFolder folder;
    const QString fileName = Native(folder / "osoby.os");
    QStringList offered;
    std::optional<QString> answer = fileName;
    window.SDOsoby().AnswerWith([&](const QString& name) {
        offered.push_back(name);
        return answer;
    });
    const ModalAnswer<QFileDialog> dialog([](QFileDialog& shown) { shown.reject(); });

    Click("SpeedButton2");
    std::filesystem::remove(folder / "osoby.os");
    answer.reset();
    Click("SpeedButton2");

    EXPECT_FALSE(dialog.Answered());
    EXPECT_EQ(offered, (QStringList{QString(), fileName}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_TRUE(window.findChild<QLabel*>("LZapisano")->isVisibleTo(&window));
}

TEST_F(MainWindowTest, CloseButtonEndsTheProgramAtOnceWithUnsavedRows) {
    ImportOnePerson();
    // A question before closing would block inside the click and keep the loop from ending.
    QTimer::singleShot(0, &window, [this] {
        Click("SBKoniec");
        if (window.isVisible())
            QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

} // namespace

namespace {

QString ThreePersons() {
    QString text;
    for (const char digit : {'1', '2', '3'})
        text += QString(PersonBlock).replace("00000000001", QStringLiteral("0000000000") + digit);
    return text;
}

} // namespace

TEST_F(MainWindowTest, DeleteButtonRemovesTheCurrentRowAndTheCounterFollows) {
    auto* counter = window.findChild<QLabel*>("DBStatusLabel1");
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->text(), "( 0 )");
    Click("SpeedButton3");
    EXPECT_EQ(window.mt().TotalRows(), 0) << "the button does nothing on an empty table";

    Paste(ThreePersons());
    Click("SpeedButton1");
    EXPECT_EQ(counter->text(), "1:3");
    window.mt().MoveNext();
    Click("SpeedButton3");
    EXPECT_EQ(counter->text(), "2:2");
    EXPECT_EQ(window.mt().FieldText("pesel"), "00000000003");
    Click("SpeedButton3");
    Click("SpeedButton3");
    EXPECT_EQ(counter->text(), "( 0 )");
}
