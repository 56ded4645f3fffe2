#include "CheckingAidsFixture.h"
#include "ui/DesignValues.h"

#include <QComboBox>
#include <QScreen>

namespace {

using F = TPersonField;

class PersonBoxTest : public CheckingAidsTest {
protected:
    // Opens row `position` in "Dane osoby" from its context menu entry.
    bool OpenRow(int position, const std::function<void(TPersonDialog&)>& fill) {
        window.mt().MoveTo(position);
        return InPersonBox([&] { Grid().actions().at(0)->trigger(); }, fill);
    }
};

// Puts `text` on the clipboard and pastes it over the field's value; the field's text and note.
QString PasteInto(TPersonDialog& box, F field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QLineEdit& edit = FieldEdit(box, field);
    edit.selectAll();
    edit.paste();
    // The note shows the same text, broken to the field's width where it is longer.
    const QLabel& note = *box.findChild<QLabel*>(QString::fromLatin1(FieldName(field)) + "Uwagi");
    EXPECT_EQ(QString(note.text()).remove(u'\n'), QString(FieldNote(box, field)).remove(u'\n'));
    EXPECT_LE(note.sizeHint().width(), edit.width() + 2 * note.margin() + 8);
    return edit.text() + QLatin1Char('|') + FieldNote(box, field);
}

// Row 2's PESEL, which row 4 holds too, is typed into row 1: its note names row 2 at once, below
// the field and whole. The sex is M or K, chosen by its letter; a paste keeps what fits and says
// what it dropped. Tab walks the values, the order lines, OK and Anuluj.
TEST_F(PersonBoxTest, TypedValuesAreCheckedAtOnceAndPastesKeepWhatFits) {
    Import(FaultyOrder());
    QString duplicate, surname, nis;
    QStringList sexes, walked;
    QRect edit, note;
    int noteLine = 0;
    bool noteGrew = false;
    ASSERT_TRUE(OpenRow(1, [&](TPersonDialog& box) {
        Retype(box, F::pesel, QStringLiteral("44051401358"));
        duplicate = FieldNote(box, F::pesel);
        const QLabel& label = *box.findChild<QLabel*>(QStringLiteral("peselUwagi"));
        noteGrew = QTest::qWaitFor([&] { return label.height() >= label.sizeHint().height(); });
        edit = FieldEdit(box, F::pesel).geometry();
        note = label.geometry();
        noteLine = label.fontMetrics().height();
        auto& sex = *box.findChild<QComboBox*>(QStringLiteral("plec"));
        sexes = {sex.itemText(0), sex.itemText(1), QString::number(sex.count())};
        QTest::keyClick(&sex, Qt::Key_K);
        surname = PasteInto(box, F::nazwisko, QStringLiteral("KOWAL✓SKA"));
        nis = PasteInto(box, F::nis, QStringLiteral("ZS00000000000000000012345"));
        FieldEdit(box, F::pesel).setFocus();
        for (int step = 0; step < 12; ++step, QTest::keyClick(box.focusWidget(), Qt::Key_Tab))
            walked.append(box.focusWidget()->objectName() +
                          box.focusWidget()->property("text").toString().left(step / 8 * 6));
        Answer(box, QDialogButtonBox::Ok);
    }));
    EXPECT_TRUE(duplicate.endsWith(
        QStringLiteral("Błędna cyfra kontrolna numeru PESEL\nTen sam numer PESEL ma inna osoba na "
                       "liście: PRÓBNA Ewa, wiersz 2")))
        << duplicate.toStdString();
    EXPECT_TRUE(noteGrew);
    EXPECT_GE(note.top(), edit.bottom());
    EXPECT_GE(note.height(), 2 * noteLine); // two lines, whatever the system's font
    EXPECT_EQ(sexes, (QStringList{QStringLiteral("M"), QStringLiteral("K"), QStringLiteral("2")}));
    EXPECT_EQ(surname, QStringLiteral("KOWALSKA|Odrzucono znak „✓” (U+2713): brak w stronie "
                                      "kodowej Windows-1250"));
    EXPECT_EQ(nis, QStringLiteral(
                       "ZS000000000000000000|Odrzucono „12345”: pole mieści najwyżej 20 znaków"));
    EXPECT_EQ(walked.join(QLatin1Char(' ')),
              QStringLiteral("pesel nazwisko imie plec ste stanowisko nis WierszeRozkazu OK "
                             "Anuluj pesel440514 nazwiskoKOWALS"));
    const TPersonRecord& row = window.mt().RowAt(1);
    EXPECT_EQ(std::tie(row.pesel, row.plec, row.nazwisko, row.nis),
              std::tie("44051401358", "K", "KOWALSKA", "ZS000000000000000000"));
}

// What a paste brings that a value cannot hold is turned or dropped, each with its own reason on
// a line of its own, and the note stays when the field loses the focus; blanks at either end are
// kept and hinted. The file then holds the values as shown.
TEST_F(PersonBoxTest, PastedControlCharactersAreTurnedOrRefusedAndSaid) {
    Import(FaultyOrder());
    QStringList pasted;
    QString nul, announced, blanks, stays;
    ASSERT_TRUE(OpenRow(1, [&](TPersonDialog& box) {
        pasted = {
            PasteInto(box, F::stanowisko, QStringLiteral("kierowca\r\nsamochodu\tciężarowego")),
            PasteInto(box, F::nazwisko, QStringLiteral("KOWAL\x15SKI\x1F✓")),
            PasteInto(box, F::imie, QStringLiteral("Jan\vMaria"))};
        nul = PasteInto(box, F::ste, QString::fromUtf16(u"szer.\0x", 7));
        announced = box.findChild<QWidget*>(QStringLiteral("Komunikat"))->accessibleName();
        FieldEdit(box, F::pesel).setFocus();
        stays = FieldNote(box, F::nazwisko);
        blanks = PasteInto(box, F::nis, QStringLiteral(" ZS1 "));
        Answer(box, QDialogButtonBox::Ok);
    }));
    EXPECT_EQ(pasted, (QStringList{
                          QStringLiteral("kierowca samochodu ciężarowego|Zamieniono na spacje: "
                                         "koniec wiersza i tabulator"),
                          QStringLiteral("KOWALSKI|Odrzucono znak „✓” (U+2713): brak w stronie "
                                         "kodowej Windows-1250\nOdrzucono znaki U+0015, U+001F: "
                                         "znak sterujący, niedozwolony w danych osoby"),
                          QStringLiteral("Jan Maria|Zamieniono na spację: koniec wiersza"),
                      }));
    EXPECT_EQ(nul, QStringLiteral("szer.x|Odrzucono znak NUL (U+0000): znak sterujący, "
                                  "niedozwolony w danych osoby"));
    EXPECT_EQ(announced, nul.section(u'|', 1));
    EXPECT_EQ(stays, pasted[1].section(u'|', 1));
    EXPECT_TRUE(blanks.startsWith(QStringLiteral(" ZS1 |")));
    EXPECT_TRUE(blanks.contains(QStringLiteral("zaczyna się lub kończy odstępem")));
    const TPersonRecord& row = window.mt().RowAt(1);
    EXPECT_EQ(std::tie(row.stanowisko, row.nazwisko, row.nis),
              std::tie("kierowca samochodu ci\xEA\xBF"
                       "arowego",
                       "KOWALSKI", " ZS1 "));
}

// Run at double scale too (app.PersonBoxAtDoubleScale): the box stays within the screen's free
// area, its values scroll, and OK and Anuluj are on the screen.
TEST_F(PersonBoxTest, ButtonsStayOnTheScreen) {
    Import(FaultyOrder());
    QRect screen;
    QList<QRect> shown;
    ASSERT_TRUE(OpenRow(2, [&](TPersonDialog& box) {
        screen = box.screen()->availableGeometry();
        shown.append(box.frameGeometry());
        for (const QAbstractButton* button : box.findChild<QDialogButtonBox*>()->buttons())
            shown.append({button->mapToGlobal(QPoint(0, 0)), button->size()});
        Answer(box, QDialogButtonBox::Cancel);
    }));
    ASSERT_EQ(shown.size(), 3);
    for (const QRect& place : shown)
        EXPECT_TRUE(screen.contains(place)) << place.bottom() << " of " << screen.bottom();
}

// A corrected cell on the selected row, the grid focused: the mark lies whole over the focus
// frame, with a white edge along its long side against the selection's colour.
TEST_F(PersonBoxTest, MarksShowWholeOnTheSelectedRow) {
    Import(FaultyOrder());
    ASSERT_TRUE(OpenRow(2, [](TPersonDialog& box) {
        Retype(box, F::imie, QStringLiteral("Ewelina"));
        Answer(box, QDialogButtonBox::Ok);
    }));
    Grid().setFocus();
    const QPoint corner(Grid().Header()->sectionViewportPosition(2),
                        (2 - Grid().TopRow()) * Grid().RowHeight());
    const QImage picture = Grid().viewport()->grab().toImage();
    for (const QPoint inside : {QPoint(0, 0), QPoint(3, 0), QPoint(0, 3), QPoint(2, 2)})
        EXPECT_EQ(picture.pixelColor(corner + inside), QColor::fromRgb(Design::kCorrectionBlue));
    int edge = 0;
    for (int x = 0; x <= 8; ++x)
        for (const int y : {7 - x, 8 - x})
            edge += y >= 0 && picture.pixelColor(corner + QPoint(x, y)) == QColor(Qt::white);
    EXPECT_GE(edge, 6);
}

} // namespace
