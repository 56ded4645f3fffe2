#include "ModalAnswer.h"
#include "TNoltApplication.h"
#include "TempFolder.h"
#include "Unolt_f_r.h"
#include "WindowTestSupport.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const QString PersonBlock = QStringLiteral("1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,\n"
                                           "kieruję do PKW\n"
                                           "na stanowisko - kierowca /ZS000000000001\n"
                                           "stopień etatowy: szer.\n"
                                           "PODSTAWA PRAWNA: art. 1\n"
                                           "UZASADNIENIE: brak\n");

const TPersonRecord PersonRow{1,   "00000000001", "TESTOWY",        "Jan",
                              "M", "szer.",       "ZS000000000001", "kierowca"};

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() { window.ShowMaximized(); }

    QPlainTextEdit& Box() { return *window.findChild<QPlainTextEdit*>("mrozkaz"); }

    Tfnolt_f_r window;
};

TEST(StartUpTest, ShowsTheInstructionsAnEmptyTableAndTheVersion) {
    Tfnolt_f_r window;
    auto* version = window.findChild<QLabel*>("Lwersja");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "1.0") << "the version caption changes when the window is shown";

    window.ShowMaximized();
    EXPECT_EQ(version->text(), "1.5");
    EXPECT_EQ(window.geometry(), window.screen()->availableGeometry());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.mt().IsOpen());
    EXPECT_EQ(window.mt().TotalRows(), 0);

    const Lines lines = BoxLines(*window.findChild<QPlainTextEdit*>("mrozkaz")->document());
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "INSTRUKCJA U\xAFYTKOWNIKA");
    EXPECT_EQ(lines[1], std::string(85, '-'));
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[20], " 4. Brak okre\x9C"
                         "lenia \"kieruj\xEA\" w formule rozkazu.");

    // The instructions name "kieruję" but no PESEL, so importing them finds nobody.
    ClickButton(window, "SpeedButton1");
    EXPECT_EQ(window.mt().TotalRows(), 0);
}

// Where the docked panels and the placed controls end up, in window coordinates, for a window
// of width w and height h.
struct PlaceCase {
    const char* name;
    QRect (*place)(int w, int h);
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

class LayoutTest : public MainWindowTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(LayoutTest, PlacesTheControl) {
    auto* control = window.findChild<QWidget*>(GetParam().name);
    ASSERT_NE(control, nullptr);
    const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
    EXPECT_EQ(place, GetParam().place(window.width(), window.height()));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, LayoutTest,
    testing::Values(
        PlaceCase{"Panel1", [](int w, int) { return QRect(0, 0, w, 37); }},
        PlaceCase{"Panel5", [](int, int) { return QRect(0, 0, 169, 37); }},
        PlaceCase{"Image1", [](int, int) { return QRect(4, 2, 32, 32); }},
        PlaceCase{"Panel3", [](int w, int) { return QRect(w - 70, 0, 70, 37); }},
        PlaceCase{"SBMin", [](int w, int) { return QRect(w - 70 + 11, 5, 25, 25); }},
        PlaceCase{"I1", [](int w, int) { return QRect(w - 70 + 13, 7, 21, 21); }},
        PlaceCase{"SBKoniec", [](int w, int) { return QRect(w - 70 + 40, 5, 25, 25); }},
        PlaceCase{"I3", [](int w, int) { return QRect(w - 70 + 42, 7, 21, 21); }},
        PlaceCase{"Panel2", [](int w, int) { return QRect(0, 37, w, 360); }},
        PlaceCase{"Panel4", [](int w, int) { return QRect(10, 47, w - 20, 25); }},
        PlaceCase{"Panel8", [](int w, int) { return QRect(w - 205, 72, 195, 315); }},
        PlaceCase{"mrozkaz", [](int w, int) { return QRect(10, 72, w - 215, 315); }},
        PlaceCase{"sbstaleplacowe", [](int w, int) { return QRect(w - 193, 83, 173, 32); }},
        PlaceCase{"sbstaleplacowePicture", [](int w, int) { return QRect(w - 194, 82, 32, 32); }},
        PlaceCase{"SpeedButton1", [](int w, int) { return QRect(w - 193, 127, 173, 32); }},
        PlaceCase{"SpeedButton2", [](int w, int) { return QRect(w - 193, 175, 173, 32); }},
        PlaceCase{"SpeedButton3", [](int w, int) { return QRect(w - 193, 351, 173, 32); }},
        PlaceCase{"Panel6", [](int w, int h) { return QRect(0, 397, w, h - 397); }},
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
    PasteIntoWindow(window, GetParam().text);
    EXPECT_EQ(BoxLines(*Box().document()), GetParam().lines);
}

std::vector<PasteCase> PasteCases() {
    const QString longLine(5000, QLatin1Char('x'));
    return {
        {"OneLine", "abc", {"abc"}},
        {"EndsInLineBreak", "a\nb\n", {"a", "b"}},
        {"EndsInTwoLineBreaks", "a\n\n", {"a", ""}},
        {"OnlyALineBreak", "\n", {""}},
        {"WindowsLineBreaks", "a\r\nb\r\n", {"a", "b"}},
        {"LoneCarriageReturn", "a\rb", {"a", "b"}},
        {"SoftLineBreak", QStringLiteral("a\u2028b"), {"a", "b"}},
        {"VerticalTab", "a\vb", {"a", "b"}},
        {"ParagraphSeparator", QStringLiteral("a\u2029b"), {"a", "b"}},
        {"EndsInSoftLineBreak", QStringLiteral("a\u2028"), {"a"}},
        {"NonBreakingSpaceAndTabKept",
         QStringLiteral("a\u00A0b\tc"),
         {"a\xA0"
          "b\tc"}},
        {"PolishLetters", QStringLiteral("kieruję ŻÓŁW"), {"kieruj\xEA \xAF\xD3\xA3W"}},
        {"UnmappableCharacters", QStringLiteral("€ 漢 \U0001F600."), {"\x80 ? ?."}},
        {"LineCutAt4096", longLine + "\nnext", {std::string(4096, 'x'), "next"}},
        {"LineOf4096Kept", longLine.left(4096), {std::string(4096, 'x')}},
    };
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PasteTest, testing::ValuesIn(PasteCases()),
                         [](const testing::TestParamInfo<PasteCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainWindowTest, EmptiedBoxHasNoLines) {
    Box().clear();
    EXPECT_EQ(BoxLines(*Box().document()), Lines{});
}

TEST_F(MainWindowTest, SecondPasteReplacesTheFirst) {
    PasteIntoWindow(window, "first paste\nwith two lines");
    Box().moveCursor(QTextCursor::Start);
    PasteIntoWindow(window, "second\npaste\n");
    EXPECT_EQ(BoxLines(*Box().document()), (Lines{"second", "paste"}));
}

TEST_F(MainWindowTest, ImportReadsTheBoxAndReplacesTheRows) {
    PasteIntoWindow(window, PersonBlock);
    ClickButton(window, "SpeedButton1");
    ClickButton(window, "SpeedButton1");
    EXPECT_EQ(TableRows(window.mt()), std::vector<TPersonRecord>{PersonRow});
    EXPECT_EQ(window.mt().RowNumber(), 1);
}

TEST_F(MainWindowTest, ImportSeesALongLineCutAt4096Characters) {
    // The slash of "/ZS" stands at character 4090, so the cut keeps "/ZS1234" of the NIS number.
    const QString nisLine = "- " + QString(4086, QLatin1Char('k')) + " /ZS1234567890AB";
    PasteIntoWindow(window, "1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,\nkieruję\n" +
                                nisLine + "\nUZASADNIENIE:\n");
    ClickButton(window, "SpeedButton1");
    const TPersonRecord row{1,        "00000000001",        "TESTOWY", "Jan", "M", "",
                            "ZS1234", std::string(100, 'k')};
    EXPECT_EQ(TableRows(window.mt()), std::vector<TPersonRecord>{row});
}

struct ErrorTextCase {
    const char* message;
    QString text;
};

TEST(ErrorBoxTextTest, AddsAFullStopAfterACharacterAboveTheFullStop) {
    const ErrorTextCase cases[] = {
        {"Invalid filename", "Invalid filename."},
        {"I/O error 32", "I/O error 32."},
        {"Already a sentence.", "Already a sentence."},
        {"Exclamation!", "Exclamation!"},
        {"Ends in a hyphen -", "Ends in a hyphen -"},
        {"Ends in a slash /", "Ends in a slash /."},
        {"Ends in a space ", "Ends in a space "},
        {"mt: Field 'pr\xF3"
         "ba' not found",
         QStringLiteral("mt: Field 'próba' not found.")},
        {"ko\xF1", QStringLiteral("koń.")},
        {"", ""},
    };
    for (const ErrorTextCase& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(TNoltApplication::ErrorBoxText(c.message), c.text);
    }
}

// What the error box showed.
struct ShownBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool operator==(const ShownBox&) const = default;
};

void PrintTo(const ShownBox& box, std::ostream* out) {
    *out << '"' << box.caption.toStdString() << "\" \"" << box.text.toStdString() << "\" icon "
         << box.icon << " buttons " << box.buttons.toInt();
}

ModalAnswer<QMessageBox> ReadErrorBox(ShownBox& shown) {
    return ModalAnswer<QMessageBox>([&shown](QMessageBox& box) {
        shown = {box.windowTitle(), box.text(), box.icon(), box.standardButtons()};
        box.accept();
    });
}

// Types the name into the dialog's file name box and confirms it with Enter.
void EnterFileName(QFileDialog& dialog, const QString& fileName) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(fileName);
    QTest::keyClick(edit, Qt::Key_Return);
}

ModalAnswer<QFileDialog> ChooseFile(const QString& fileName) {
    return ModalAnswer<QFileDialog>(
        [fileName](QFileDialog& dialog) { EnterFileName(dialog, fileName); });
}

TEST_F(MainWindowTest, FailingSaveShowsTheErrorAndKeepsTheRows) {
    PasteIntoWindow(window, PersonBlock + PersonBlock);
    ClickButton(window, "SpeedButton1");
    const TempFolder folder;
    const std::filesystem::path missing = folder / "missing" / "osoby.os";

    ShownBox shown{};
    const auto dialog = ChooseFile(QString::fromStdString(missing.string()));
    const auto box = ReadErrorBox(shown);
    ClickButton(window, "SpeedButton2");

    ASSERT_TRUE(dialog.Answered());
    ASSERT_TRUE(box.Answered());
    EXPECT_EQ(shown,
              (ShownBox{"NOLT-Fr", "Invalid filename.", QMessageBox::Critical, QMessageBox::Ok}));
    EXPECT_EQ(window.mt().TotalRows(), 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

struct DialogSettings {
    QString title;
    QStringList filters;
    QString suffix;
    bool asksBeforeReplacing;
    bool operator==(const DialogSettings&) const = default;
};

void PrintTo(const DialogSettings& settings, std::ostream* out) {
    *out << settings.title.toStdString() << " | " << settings.filters.join(';').toStdString()
         << " | " << settings.suffix.toStdString()
         << " | asks before replacing: " << settings.asksBeforeReplacing;
}

TEST_F(MainWindowTest, SaveDialogAddsTheExtensionOffersTheLastNameAndReplacesSilently) {
    PasteIntoWindow(window, PersonBlock);
    ClickButton(window, "SpeedButton1");
    const TempFolder folder;
    const QString typed = QString::fromStdString((folder / "osoby").string());
    const std::filesystem::path saved = folder / "osoby.os";

    DialogSettings settings{};
    const ModalAnswer<QFileDialog> first([&](QFileDialog& dialog) {
        settings = {dialog.windowTitle(), dialog.nameFilters(), dialog.defaultSuffix(),
                    !dialog.testOption(QFileDialog::DontConfirmOverwrite)};
        EnterFileName(dialog, typed);
    });
    ClickButton(window, "SpeedButton2");
    ASSERT_TRUE(first.Answered());
    EXPECT_EQ(settings, (DialogSettings{QStringLiteral("Wprowadź nazwę pliku"),
                                        {QStringLiteral("Pliki z osobami (*.os)")},
                                        "os",
                                        false}));
    ASSERT_TRUE(std::filesystem::exists(saved));
    const auto firstSize = std::filesystem::file_size(saved);
    std::filesystem::resize_file(saved, 3);

    QStringList offered;
    const ModalAnswer<QFileDialog> second([&](QFileDialog& dialog) {
        offered = dialog.selectedFiles();
        QTest::keyClick(dialog.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    ShownBox question{};
    const auto anyBox = ReadErrorBox(question);
    ClickButton(window, "SpeedButton2");
    ASSERT_TRUE(second.Answered());
    EXPECT_EQ(offered, QStringList{QString::fromStdString(saved.string())});
    EXPECT_FALSE(anyBox.Answered()) << question.text.toStdString();
    EXPECT_EQ(std::filesystem::file_size(saved), firstSize);
}

TEST_F(MainWindowTest, CancelledSaveWritesNothing) {
    PasteIntoWindow(window, PersonBlock);
    ClickButton(window, "SpeedButton1");
    const TempFolder folder;
    const ModalAnswer<QFileDialog> dialog([&](QFileDialog& shown) {
        shown.setDirectory(QString::fromStdString(folder.Path().string()));
        shown.findChild<QLineEdit*>("fileNameEdit")->setText("osoby");
        shown.reject();
    });
    ClickButton(window, "SpeedButton2");
    ASSERT_TRUE(dialog.Answered());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(MainWindowTest, CloseButtonEndsTheProgramAtOnceWithUnsavedRows) {
    PasteIntoWindow(window, PersonBlock);
    ClickButton(window, "SpeedButton1");
    ASSERT_EQ(window.mt().TotalRows(), 1);

    // A question before closing would block inside the click and keep the loop from ending.
    QTimer::singleShot(0, &window, [this] {
        ClickButton(window, "SBKoniec");
        if (window.isVisible())
            QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, MinimizeButtonMinimizesTheWindow) {
    ClickButton(window, "SBMin");
    EXPECT_TRUE(window.isMinimized());
}

} // namespace
