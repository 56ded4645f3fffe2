#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "ScrambleLine.h"
#include "TGridColumn.h"
#include "TOrderHighlighter.h"
#include "TPersonDialog.h"
#include "TempFolder.h"
#include "WindowTestSupport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QToolTip>

#include <fstream>
#include <iterator>

namespace {

// One person's block of an order; `directed` false gives a block the import skips.
QString Block(int number, const QString& person, const QString& pesel, bool directed = true,
              const QString& post = QStringLiteral("kierowca")) {
    const QString head = QStringLiteral("%1. %2, PESEL: %3,\n").arg(number).arg(person, pesel);
    if (!directed)
        return head + QStringLiteral("przenoszę do rezerwy kadrowej\nUZASADNIENIE: wniosek\n\n");
    return head + QStringLiteral("kieruję do PKW\nna stanowisko - %1 /ZS%2\nstopień etatowy: "
                                 "szer.\nPODSTAWA PRAWNA: art. 1\nUZASADNIENIE: brak\n\n")
                      .arg(post)
                      .arg(number, 12, 10, QLatin1Char('0'));
}

// Lines 0-1 a heading; then blocks of 7 lines from line 2, the skipped one of 4 lines.
// Row 1 is clean; row 2 has a wrong check digit, a PESEL standing in row 4 too and a sex that
// its PESEL denies; person 3 is skipped; row 3's birth date cannot exist; row 4 has a "?" for
// a character that Windows-1250 lacks.
QString FaultyOrder() {
    return QStringLiteral("ROZKAZ PERSONALNY NR 7/P\n\n") +
           Block(1, QStringLiteral("szer. TESTOWY Jan S. Adama"), "44051401359") +
           Block(2, QStringLiteral("kpr. PRÓBNA Ewa C. Jana"), "44051401358") +
           Block(3, QStringLiteral("plut. ZMYŚLONY Marek S. Józefa"), "02211307589", false) +
           Block(4, QStringLiteral("szer. ĆWICZEBNA Anna C. Piotra"), "02381307589") +
           Block(5, QStringLiteral("szer. NOWAK Adam S. Jana"), "44051401358", true,
                 QStringLiteral("kierowca ✓"));
}

// Many clean persons, to make the box scroll.
QString LongTail(int first, int count) {
    QString text;
    for (int number = first; number < first + count; ++number)
        text += Block(number, QStringLiteral("szer. DALSZY Jan S. Adama"), "44051401359");
    return text;
}

class CheckingAidsTest : public MainWindowTest {
protected:
    // The window's shortcuts (F3, Ctrl+Z) act only in the active window.
    void SetUp() override {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void Import(const QString& order) {
        Paste(order);
        Click("SpeedButton1");
    }

    TPersonGrid& Grid() { return *window.findChild<TPersonGrid*>("RxDBGrid1"); }
    QLabel& Label(const char* name) { return *window.findChild<QLabel*>(name); }

    // The tooltip the grid shows over the cell of `field` in the row at `position`.
    QString Tooltip(int position, TPersonField field) {
        int column = 0;
        while (GridColumn(column).field != field)
            ++column;
        QHeaderView& header = *Grid().Header();
        const QPoint centre(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                            (position - Grid().TopRow()) * Grid().RowHeight() + 5);
        // A hidden tooltip only goes after a delay; take it away at once.
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel"))
                widget->hide();
        QHelpEvent event(QEvent::ToolTip, centre, Grid().viewport()->mapToGlobal(centre));
        QApplication::sendEvent(Grid().viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // The marked lines of the box, by line number, with their colours.
    std::vector<std::pair<int, QColor>> Marks() {
        std::vector<std::pair<int, QColor>> marks;
        for (const QTextEdit::ExtraSelection& mark : Box().extraSelections())
            marks.emplace_back(mark.cursor.blockNumber(), mark.format.background().color());
        std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) {
            return a.first < b.first || (a.first == b.first && a.second.name() < b.second.name());
        });
        return marks;
    }

    // Whether the box shows the line, as far as the lines at its top and bottom edges say.
    bool LineInSight(int line) {
        const QRect view = Box().viewport()->rect();
        const int top = Box().cursorForPosition(view.topLeft()).blockNumber();
        const int bottom = Box().cursorForPosition(view.bottomLeft()).blockNumber();
        return top <= line && line <= bottom;
    }

    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), key, modifiers);
    }

    // The middle of the grid's line that shows the row at `position`.
    QPoint LineCentre(int position) {
        return {Grid().viewport()->width() / 2,
                (position - Grid().TopRow()) * Grid().RowHeight() + Grid().RowHeight() / 2};
    }

    // Opens the box "Dane osoby" with `open` and lets `fill` act in it; true when it came.
    bool InPersonBox(const std::function<void()>& open,
                     const std::function<void(TPersonDialog&)>& fill) {
        const ModalAnswer<TPersonDialog> box(fill);
        open();
        // Without a window manager nobody gives the window back its activation.
        window.activateWindow();
        return box.Answered() && QTest::qWaitForWindowActive(&window);
    }
};

QLineEdit& FieldEdit(TPersonDialog& box, TPersonField field) {
    return *box.findChild<QLineEdit*>(QString::fromLatin1(FieldName(field)));
}

QString FieldNote(TPersonDialog& box, TPersonField field) {
    return box.findChild<QLabel*>(QString::fromLatin1(FieldName(field)) + "Uwagi")->text();
}

// Types `text` a key at a time, as a keyboard with Polish letters does.
void Type(QWidget& widget, const QString& text) {
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

void Retype(TPersonDialog& box, TPersonField field, const QString& text) {
    QLineEdit& edit = FieldEdit(box, field);
    edit.selectAll();
    Type(edit, text);
}

void Answer(TPersonDialog& box, QDialogButtonBox::StandardButton button) {
    box.findChild<QDialogButtonBox*>()->button(button)->click();
}

TEST_F(CheckingAidsTest, HintsNameTheProblemsOfEachCellAndAreCounted) {
    Import(FaultyOrder());
    ASSERT_EQ(window.mt().TotalRows(), 4);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 3"));
    EXPECT_TRUE(Label("LDoSprawdzenia").isVisible());

    using F = TPersonField;
    const QString duplicate = QStringLiteral("Ten sam numer PESEL ma inna osoba na liście");
    const QString checkDigit = QStringLiteral("Błędna cyfra kontrolna numeru PESEL");
    const std::vector<std::tuple<int, F, QString>> cells = {
        {1, F::pesel, ""},
        {1, F::plec, ""},
        {2, F::pesel, checkDigit + "\n" + duplicate},
        {2, F::plec, QStringLiteral("Płeć niezgodna z numerem PESEL")},
        {2, F::nazwisko, ""},
        {3, F::pesel, QStringLiteral("Numer PESEL zawiera niemożliwą datę urodzenia")},
        {4, F::pesel, checkDigit + "\n" + duplicate},
        {4, F::stanowisko,
         QStringLiteral("Znak „?” może zastępować znak spoza strony kodowej Windows-1250")},
    };
    for (const auto& [position, field, tooltip] : cells) {
        SCOPED_TRACE(testing::Message() << "row " << position << " " << FieldName(field));
        EXPECT_EQ(Tooltip(position, field), tooltip);
    }

    // A deletion takes the duplicate away from the other row.
    window.mt().MoveTo(4);
    Click("SpeedButton3");
    EXPECT_EQ(Tooltip(2, F::pesel), checkDigit);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 2"));
}

TEST_F(CheckingAidsTest, CurrentRowHighlightsItsLinesAndSkippedPersonsAreMarked) {
    const QString order = FaultyOrder();
    Import(order);
    const QColor row = TOrderHighlighter::RowLineColour;
    const QColor person = TOrderHighlighter::PersonLineColour;
    const QColor skipped = TOrderHighlighter::SkippedLineColour;
    EXPECT_EQ(Marks(),
              (std::vector<std::pair<int, QColor>>{
                  {2, person}, {3, row}, {4, row}, {5, row}, {6, row}, {7, row}, {16, skipped}}));
    EXPECT_EQ(Label("LPominiete").text(), QStringLiteral("Pominięte osoby: 1"));

    Keys(Qt::Key_Down);
    Keys(Qt::Key_Down);
    EXPECT_EQ(
        Marks(),
        (std::vector<std::pair<int, QColor>>{
            {16, skipped}, {20, person}, {21, row}, {22, row}, {23, row}, {24, row}, {25, row}}));
    EXPECT_EQ(Box().toPlainText(), order) << "the highlight never changes the text";

    // Once the text changes, the lines of the import are no longer where they were.
    Paste(PersonBlock);
    EXPECT_EQ(Marks(), (std::vector<std::pair<int, QColor>>{}));
    EXPECT_FALSE(Label("LPominiete").isVisible());
}

TEST_F(CheckingAidsTest, BoxScrollsToTheCurrentPersonAndToEachSkippedPerson) {
    // 80 clean blocks after the faulty ones, then one more skipped person at the very end.
    const int tailStart = 2 + 7 * 4 + 4;
    const int lastSkipped = tailStart + 7 * 80;
    Import(FaultyOrder() + LongTail(6, 80) +
           Block(86, QStringLiteral("szer. OSTATNI Jan S. Adama"), "44051401359", false));
    ASSERT_EQ(window.mt().TotalRows(), 84);
    EXPECT_EQ(Label("LPominiete").text(), QStringLiteral("Pominięte osoby: 2"));
    EXPECT_TRUE(LineInSight(2));

    Keys(Qt::Key_End);
    EXPECT_TRUE(LineInSight(lastSkipped - 7)) << "the last row's person line";
    EXPECT_FALSE(LineInSight(2));
    Keys(Qt::Key_Home);
    EXPECT_TRUE(LineInSight(2));

    QTest::mouseClick(&Label("LPominiete"), Qt::LeftButton);
    EXPECT_TRUE(LineInSight(16));
    QTest::mouseClick(&Label("LPominiete"), Qt::LeftButton);
    EXPECT_TRUE(LineInSight(lastSkipped));
    const auto marks = Marks();
    EXPECT_NE(std::find(marks.begin(), marks.end(),
                        std::pair{lastSkipped, TOrderHighlighter::SkippedLineColour}),
              marks.end())
        << "marks follow the scrolling";
    QTest::mouseClick(&Label("LPominiete"), Qt::LeftButton);
    EXPECT_TRUE(LineInSight(16)) << "the clicks go round";
}

TEST_F(CheckingAidsTest, F3AndShiftF3WalkTheHintedRowsRoundTheList) {
    Import(FaultyOrder());
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        Keys(Qt::Key_F3);
        visited.push_back(window.mt().RowNumber());
    }
    Keys(Qt::Key_F3, Qt::ShiftModifier);
    visited.push_back(window.mt().RowNumber());
    QTest::mouseClick(&Label("LDoSprawdzenia"), Qt::LeftButton);
    visited.push_back(window.mt().RowNumber());
    EXPECT_EQ(visited, (std::vector{2, 3, 4, 2, 4, 2}));
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST_F(CheckingAidsTest, CtrlZBringsDeletedRowsBackInPlaceAndASaveWritesThem) {
    Import(FaultyOrder());
    const std::vector<TPersonRecord> imported = TableRows(window.mt());
    const TempFolder folder;
    const auto save = [&] {
        const ModalAnswer<QFileDialog> dialog(
            [&](QFileDialog& shown) { EnterFileName(shown, Native(folder / "osoby.os")); });
        Click("SpeedButton2");
        ASSERT_TRUE(dialog.Answered());
        // Without a window manager nobody gives the window back its activation.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    };
    save();
    std::filesystem::rename(folder / "osoby.os", folder / "przed.os");

    // One row by the button, one by Ctrl+Delete in the grid.
    window.mt().MoveTo(2);
    Click("SpeedButton3");
    Grid().SetConfirmRunner([](QMessageBox& box) { box.buttons().front()->click(); });
    window.mt().MoveTo(3);
    Keys(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(window.mt().TotalRows(), 2);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 1"));

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().RowNumber(), 3);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().RowNumber(), 2);
    EXPECT_EQ(TableRows(window.mt()), imported);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 3"));
    EXPECT_EQ(Marks().front(), std::make_pair(9, TOrderHighlighter::PersonLineColour))
        << "a restored row finds its lines again";
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 4) << "nothing more to bring back";

    save();
    EXPECT_EQ(FileBytes(folder / "osoby.os"), FileBytes(folder / "przed.os"));

    // A new import starts a new history.
    Click("SpeedButton3");
    Click("SpeedButton1");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 4);
}

// The clerk double-clicks row 2, retypes its surname with a small letter first (the hint shows
// at once), then right; OK keeps the row in place with its id, the cell carries the value the
// import found, and the file holds the new value.
TEST_F(CheckingAidsTest, DoubleClickCorrectsTheRowInPlaceAndTheFileHoldsTheNewValue) {
    Import(FaultyOrder());
    QString title, lines, hintWhileTyping;
    ASSERT_TRUE(InPersonBox(
        [&] { QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, LineCentre(2)); },
        [&](TPersonDialog& box) {
            title = box.windowTitle();
            lines = box.findChild<QPlainTextEdit*>("WierszeRozkazu")->toPlainText();
            Retype(box, TPersonField::nazwisko, QStringLiteral("Próbna"));
            hintWhileTyping = FieldNote(box, TPersonField::nazwisko);
            Retype(box, TPersonField::nazwisko, QStringLiteral("PRÓBNA-NOWAK"));
            Answer(box, QDialogButtonBox::Ok);
        }));
    EXPECT_EQ(title, QStringLiteral("Dane osoby"));
    EXPECT_TRUE(lines.startsWith(QStringLiteral("2. kpr. PRÓBNA Ewa C. Jana")))
        << lines.toStdString();
    EXPECT_TRUE(lines.endsWith(QStringLiteral("UZASADNIENIE: brak")));
    EXPECT_TRUE(hintWhileTyping.startsWith(QStringLiteral("Nazwisko z małą literą")));

    EXPECT_EQ(window.mt().RowNumber(), 2);
    EXPECT_EQ(window.mt().FieldNumber("id"), 2);
    EXPECT_EQ(window.mt().FieldText("nazwisko"), "PR\xD3"
                                                 "BNA-NOWAK");
    EXPECT_EQ(Tooltip(2, TPersonField::nazwisko),
              QStringLiteral("Poprawiono; import znalazł: „PRÓBNA”"));
    EXPECT_EQ(Tooltip(2, TPersonField::imie), QString()) << "an unchanged cell is not marked";

    const TempFolder folder;
    const ModalAnswer<QFileDialog> dialog(
        [&](QFileDialog& shown) { EnterFileName(shown, Native(folder / "osoby.os")); });
    Click("SpeedButton2");
    const std::string bytes = FileBytes(folder / "osoby.os");
    EXPECT_NE(ScrambleLine(bytes).find("\tPR\xD3"
                                       "BNA-NOWAK\t"),
              std::string::npos);
}

// F4 opens the box too. A character that Windows-1250 lacks is refused, and said so; Cancel
// keeps the row as it was and leaves nothing to undo.
TEST_F(CheckingAidsTest, CancelChangesNothingAndACharacterOutsideWindows1250IsRefused) {
    Import(FaultyOrder());
    const std::vector<TPersonRecord> imported = TableRows(window.mt());
    Grid().setFocus();
    QString afterCheckMark, note;
    ASSERT_TRUE(InPersonBox([&] { Keys(Qt::Key_F4); },
                            [&](TPersonDialog& box) {
                                QLineEdit& edit = FieldEdit(box, TPersonField::imie);
                                edit.end(false);
                                Type(edit, QStringLiteral("✓"));
                                afterCheckMark = edit.text();
                                note = FieldNote(box, TPersonField::imie);
                                Type(edit, QStringLiteral("ł"));
                                Answer(box, QDialogButtonBox::Cancel);
                            }));
    EXPECT_EQ(afterCheckMark, QStringLiteral("Jan"));
    EXPECT_TRUE(note.startsWith(QStringLiteral("Odrzucono znak spoza strony kodowej")))
        << note.toStdString();
    EXPECT_EQ(TableRows(window.mt()), imported);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TableRows(window.mt()), imported);
}

// Ctrl+Z takes back a deletion, then the correction made before it, each where it was made.
TEST_F(CheckingAidsTest, CtrlZUndoesACorrectionAfterTheDeletionThatFollowedIt) {
    Import(FaultyOrder());
    const std::vector<TPersonRecord> imported = TableRows(window.mt());
    ASSERT_TRUE(InPersonBox(
        [&] { QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, LineCentre(1)); },
        [](TPersonDialog& box) {
            Retype(box, TPersonField::stanowisko, QStringLiteral("kierowca-operator"));
            Answer(box, QDialogButtonBox::Ok);
        }));
    window.mt().MoveTo(3);
    Click("SpeedButton3");
    ASSERT_EQ(window.mt().TotalRows(), 3);

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().TotalRows(), 4);
    EXPECT_EQ(window.mt().RowAt(1).stanowisko, "kierowca-operator");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.mt().RowNumber(), 1);
    EXPECT_EQ(TableRows(window.mt()), imported);
    EXPECT_EQ(Tooltip(1, TPersonField::stanowisko), QString()) << "the mark goes with the change";
}

// The context menu confirms a hinted row: it leaves the count and F3 passes it by; a correction
// brings it back, and Ctrl+Z takes both back in turn.
TEST_F(CheckingAidsTest, ConfirmedRowLeavesTheCountUntilItIsCorrected) {
    Import(FaultyOrder());
    QStringList entries;
    for (QAction* action : Grid().actions())
        entries.append(action->text() + QLatin1Char(' ') + action->shortcut().toString());
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Popraw dane osoby… F4"),
                                    QStringLiteral("Oznacz jako sprawdzone Ctrl+K")}));
    window.mt().MoveTo(3);
    Grid().actions().at(1)->trigger();
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 2"));
    window.mt().MoveTo(1);
    Keys(Qt::Key_F3);
    Keys(Qt::Key_F3);
    EXPECT_EQ(window.mt().RowNumber(), 4) << "row 3 does not stop F3";

    window.mt().MoveTo(3);
    Grid().setFocus(); // the grid's own keys
    ASSERT_TRUE(InPersonBox([&] { Keys(Qt::Key_F4); },
                            [](TPersonDialog& box) {
                                Retype(box, TPersonField::imie, QStringLiteral("Marta"));
                                Answer(box, QDialogButtonBox::Ok);
                            }));
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 3"));
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 2"));
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Label("LDoSprawdzenia").text(), QStringLiteral("Do sprawdzenia: 3"));
}

// The grid hears of the rows whose notes changed: a confirmation names its row; a correction that
// moves a duplicate PESEL, and its undoing, name every row between the ones it touches.
TEST_F(CheckingAidsTest, EachChangeTellsTheGridTheRowsWhoseNotesChanged) {
    Import(FaultyOrder());
    QSignalSpy changed(Grid().Model(), &QAbstractItemModel::dataChanged);
    window.mt().MoveTo(3);
    Grid().actions().at(1)->trigger();
    // Row 2 takes row 1's PESEL and leaves row 4's.
    window.mt().MoveTo(2);
    Grid().setFocus();
    ASSERT_TRUE(InPersonBox([&] { Keys(Qt::Key_F4); },
                            [](TPersonDialog& box) {
                                Retype(box, TPersonField::pesel, QStringLiteral("44051401359"));
                                Answer(box, QDialogButtonBox::Ok);
                            }));
    Keys(Qt::Key_Z, Qt::ControlModifier);
    std::vector<std::pair<int, int>> rows;
    for (const QList<QVariant>& signal : changed)
        rows.emplace_back(signal.at(0).toModelIndex().row() + 1,
                          signal.at(1).toModelIndex().row() + 1);
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{3, 3}, {1, 4}, {1, 4}}));
}

} // namespace
