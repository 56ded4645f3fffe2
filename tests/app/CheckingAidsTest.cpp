#include "CheckingAidsFixture.h"
#include "tests/support/WindowActivation.h"

#include <QAccessible>
#include <QSignalSpy>

namespace {

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
        {2, F::pesel, checkDigit + "\n" + duplicate + ": NOWAK Adam, wiersz 4"},
        {2, F::plec, QStringLiteral("Płeć niezgodna z numerem PESEL")},
        {2, F::nazwisko, ""},
        {3, F::pesel, QStringLiteral("Numer PESEL zawiera niemożliwą datę urodzenia")},
        {4, F::pesel, checkDigit + "\n" + duplicate + ": PRÓBNA Ewa, wiersz 2"},
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
    EXPECT_TRUE(Label("LPominiete")
                    .toolTip()
                    .contains(QStringLiteral("\n– brak „kieruję” w bloku osoby: 1\n")))
        << Label("LPominiete").toolTip().toStdString();

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
        ASSERT_TRUE(WindowBecomesActive(window));
    };
    save();
    std::filesystem::rename(folder / "osoby.os", folder / "przed.os");

    // One row by the button, one by Ctrl+Delete in the grid.
    window.mt().MoveTo(2);
    Click("SpeedButton3");
    window.mt().MoveTo(3);
    {
        const ModalAnswer<QMessageBox> confirm(
            [](QMessageBox& box) { box.buttons().front()->click(); });
        Keys(Qt::Key_Delete, Qt::ControlModifier);
        ASSERT_TRUE(confirm.Answered());
    }
    window.activateWindow();
    ASSERT_TRUE(WindowBecomesActive(window));
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
    EXPECT_EQ(title, QStringLiteral("Dane osoby: PRÓBNA Ewa, wiersz 2 z 4"));
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
    // A screen reader hears the same as the cell's description.
    QAccessibleTableInterface& cells =
        *QAccessible::queryAccessibleInterface(&Grid())->tableInterface();
    EXPECT_EQ(cells.cellAt(1, 1)->text(QAccessible::Description),
              QStringLiteral("Poprawiono; import znalazł: „PRÓBNA”"));
    EXPECT_EQ(cells.cellAt(1, 0)->text(QAccessible::Description),
              QStringLiteral("Błędna cyfra kontrolna numeru PESEL\nTen sam numer PESEL ma inna "
                             "osoba na liście: NOWAK Adam, wiersz 4"));

    const TempFolder folder;
    const ModalAnswer<QFileDialog> dialog(
        [&](QFileDialog& shown) { EnterFileName(shown, Native(folder / "osoby.os")); });
    Click("SpeedButton2");
    const std::string bytes = FileBytes(folder / "osoby.os");
    EXPECT_NE(ClearLine(bytes).find("\tPR\xD3"
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
    EXPECT_EQ(note, QStringLiteral("Odrzucono znak „✓” (U+2713): brak w stronie kodowej "
                                   "Windows-1250"));
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
    EXPECT_EQ(entries,
              (QStringList{QStringLiteral("Popraw dane osoby… F4"),
                           QStringLiteral("Oznacz jako sprawdzone Ctrl+K"),
                           QStringLiteral("Usuń osobę\tAlt+U "), QStringLiteral("Cofnij\tCtrl+Z "),
                           QStringLiteral("Raport importu\tCtrl+P ")}));
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

// A deletion's undo brings back the row's notes with the row. The save's note tells of the rows,
// so an edit of the order leaves it, and the undo, which changes the rows, takes it away.
TEST_F(CheckingAidsTest, UndoneDeletionBringsBackTheNotesAndTheSaveNoteOutlivesAnOrderEdit) {
    Import(FaultyOrder());
    const QString peselNote = Tooltip(2, TPersonField::pesel);
    ASSERT_FALSE(peselNote.isEmpty());
    window.mt().MoveTo(2);
    Click("SpeedButton3");
    const TempFolder folder;
    Save(folder / "osoby.os");
    Box().appendPlainText(QStringLiteral("x"));
    EXPECT_TRUE(Label("LZapisano").isVisibleTo(&window));

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Label("LZapisano").isVisibleTo(&window));
    EXPECT_EQ(window.mt().RowNumber(), 2);
    EXPECT_EQ(Tooltip(2, TPersonField::pesel), peselNote);
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
