#include "CheckingAidsFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QScreen>

#include "DesignValues.h"

namespace {

using F = TPersonField;

class PersonBoxTest : public CheckingAidsTest {
protected:
    // Opens row `position` in "Dane osoby" from its context menu entry.
    bool OpenRow(int position, const std::function<void(TPersonDialog&)>& fill) {
        window.mt().MoveTo(position);
        return InPersonBox([&] { Grid().actions().at(0)->trigger(); }, fill);
    }

    // Puts `text` on the clipboard and pastes it over the field's value.
    static QString PasteInto(TPersonDialog& box, F field, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QLineEdit& edit = FieldEdit(box, field);
        edit.selectAll();
        edit.paste();
        return edit.text();
    }
};

// Rows 2 and 4 share a PESEL. Typed into row 1, that PESEL is named with its row at once; the sex
// is M or K, chosen by its letter; a paste keeps what the field holds and says what it dropped.
TEST_F(PersonBoxTest, TypedValuesAreCheckedAtOnceAndPastesKeepWhatFits) {
    Import(FaultyOrder());
    QString duplicate, surname, surnameNote, nis, nisNote, sexNote;
    QStringList sexes;
    ASSERT_TRUE(OpenRow(1, [&](TPersonDialog& box) {
        Retype(box, F::pesel, QStringLiteral("44051401358"));
        duplicate = FieldNote(box, F::pesel);
        auto& sex = *box.findChild<QComboBox*>(QStringLiteral("plec"));
        for (int item = 0; item < sex.count(); ++item)
            sexes.append(sex.itemText(item));
        QTest::keyClick(&sex, Qt::Key_K);
        sexNote = FieldNote(box, F::plec);
        surname = PasteInto(box, F::nazwisko, QStringLiteral("KOWAL✓SKA"));
        surnameNote = FieldNote(box, F::nazwisko);
        EXPECT_EQ(FieldEdit(box, F::nazwisko).accessibleDescription(), surnameNote);
        nis = PasteInto(box, F::nis, QStringLiteral("ZS00000000000000000012345"));
        nisNote = FieldNote(box, F::nis);
        Answer(box, QDialogButtonBox::Ok);
    }));
    EXPECT_TRUE(duplicate.endsWith(
        QStringLiteral("Ten sam numer PESEL ma inna osoba na liście: PRÓBNA Ewa, wiersz 2")))
        << duplicate.toStdString();
    EXPECT_EQ(sexes, (QStringList{QStringLiteral("M"), QStringLiteral("K")}));
    EXPECT_EQ(sexNote, QStringLiteral("Płeć niezgodna z numerem PESEL"));
    EXPECT_EQ(surname, QStringLiteral("KOWALSKA"));
    EXPECT_EQ(surnameNote,
              QStringLiteral("Odrzucono znak „✓” (U+2713): brak w stronie kodowej Windows-1250"));
    EXPECT_EQ(nis, QStringLiteral("ZS000000000000000000"));
    EXPECT_EQ(nisNote, QStringLiteral("Odrzucono „12345”: pole mieści najwyżej 20 znaków"));
    const TPersonRecord& row = window.mt().RowAt(1);
    EXPECT_EQ(std::tie(row.pesel, row.plec, row.nazwisko, row.nis),
              std::tie("44051401358", "K", "KOWALSKA", "ZS000000000000000000"));
}

// Row 2's PESEL has two problems: both lines show below its field, whole. Tab walks the values,
// the order lines, OK and Anuluj.
TEST_F(PersonBoxTest, NotesShowAllTheirLinesAndTabFollowsTheBox) {
    Import(FaultyOrder());
    QRect edit, note;
    int noteNeeds = 0;
    QStringList walked;
    ASSERT_TRUE(OpenRow(2, [&](TPersonDialog& box) {
        QLabel& label = *box.findChild<QLabel*>(QStringLiteral("peselUwagi"));
        edit = FieldEdit(box, F::pesel).geometry();
        note = label.geometry();
        noteNeeds = label.sizeHint().height();
        FieldEdit(box, F::pesel).setFocus();
        for (int step = 0; step < 10; ++step) {
            walked.append(box.focusWidget()->objectName() +
                          box.focusWidget()->property("text").toString().left(step >= 8 ? 6 : 0));
            QTest::keyClick(box.focusWidget(), Qt::Key_Tab);
        }
        Answer(box, QDialogButtonBox::Cancel);
    }));
    EXPECT_GE(note.top(), edit.bottom()) << "the note stands below its field";
    EXPECT_GE(note.height(), noteNeeds) << "every line of the note shows";
    EXPECT_EQ(walked.join(QLatin1Char(' ')),
              QStringLiteral("pesel nazwisko imie plec ste stanowisko nis WierszeRozkazu OK "
                             "Anuluj"));
}

// A screen reader hears a cell's problems and the value the import found as its description.
TEST_F(PersonBoxTest, CellsDescribeTheirProblemsAndCorrections) {
    Import(FaultyOrder());
    ASSERT_TRUE(OpenRow(2, [](TPersonDialog& box) {
        Retype(box, F::nazwisko, QStringLiteral("PRÓBNA-NOWAK"));
        Answer(box, QDialogButtonBox::Ok);
    }));
    QAccessibleTableInterface& table =
        *QAccessible::queryAccessibleInterface(&Grid())->tableInterface();
    const auto description = [&](int row, int column) {
        return table.cellAt(row, column)->text(QAccessible::Description);
    };
    EXPECT_EQ(description(1, 1), QStringLiteral("Poprawiono; import znalazł: „PRÓBNA”"));
    EXPECT_EQ(description(1, 0), QStringLiteral("Błędna cyfra kontrolna numeru PESEL\nTen sam "
                                                "numer PESEL ma inna osoba na liście"));
    EXPECT_EQ(description(0, 0), QString());
}

// Run at double scale too (app.PersonBoxAtDoubleScale): the box stays within the screen's free
// area, its values scroll, and OK and Anuluj are on the screen.
TEST_F(PersonBoxTest, ButtonsStayOnTheScreen) {
    Import(FaultyOrder());
    QRect screen, box, ok, cancel;
    ASSERT_TRUE(OpenRow(2, [&](TPersonDialog& shown) {
        screen = shown.screen()->availableGeometry();
        box = shown.frameGeometry();
        const auto place = [](const QWidget& widget) {
            return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
        };
        auto& buttons = *shown.findChild<QDialogButtonBox*>();
        ok = place(*buttons.button(QDialogButtonBox::Ok));
        cancel = place(*buttons.button(QDialogButtonBox::Cancel));

        Answer(shown, QDialogButtonBox::Cancel);
    }));
    EXPECT_TRUE(screen.contains(box)) << box.height() << " of " << screen.height();
    EXPECT_TRUE(screen.contains(ok));
    EXPECT_TRUE(screen.contains(cancel));
}

} // namespace

namespace {

// A corrected cell on the selected row, the grid focused: the mark lies whole over the focus
// frame, with a white edge against the selection's colour.
TEST_F(PersonBoxTest, MarksShowWholeOnTheSelectedRow) {
    Import(FaultyOrder());
    ASSERT_TRUE(OpenRow(2, [](TPersonDialog& box) {
        Retype(box, F::imie, QStringLiteral("Ewelina"));
        Answer(box, QDialogButtonBox::Ok);
    }));
    Grid().setFocus();
    QHeaderView& header = *Grid().Header();
    const QPoint corner(header.sectionViewportPosition(2),
                        (2 - Grid().TopRow()) * Grid().RowHeight());
    const QImage picture = Grid().viewport()->grab().toImage();
    const QColor blue = QColor::fromRgb(Design::kCorrectionBlue);
    for (const QPoint inside : {QPoint(0, 0), QPoint(3, 0), QPoint(0, 3), QPoint(2, 2)}) {
        SCOPED_TRACE(testing::Message() << inside.x() << "," << inside.y());
        EXPECT_EQ(picture.pixelColor(corner + inside), blue);
    }
    int edge = 0;
    for (int x = 0; x <= 8; ++x)
        for (const int y : {7 - x, 8 - x})
            edge += y >= 0 && picture.pixelColor(corner + QPoint(x, y)) == QColor(Qt::white);
    EXPECT_GE(edge, 6) << "the white edge along the long side";
}

} // namespace
