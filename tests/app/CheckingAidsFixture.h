#pragma once

// The window with the rows of an order full of faults, and the steps of a clerk who checks them.

#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "orderbox/TOrderHighlighter.h"
#include "persondialog/TPersonDialog.h"
#include "personlist/TGridColumn.h"
#include "support/TempFolder.h"
#include "tests/support/ClearLine.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

#include <fstream>
#include <iterator>

// One person's block of an order; `directed` false gives a block the import skips.
inline QString Block(int number, const QString& person, const QString& pesel, bool directed = true,
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
inline QString FaultyOrder() {
    return QStringLiteral("ROZKAZ PERSONALNY NR 7/P\n\n") +
           Block(1, QStringLiteral("szer. TESTOWY Jan S. Adama"), "44051401359") +
           Block(2, QStringLiteral("kpr. PRÓBNA Ewa C. Jana"), "44051401358") +
           Block(3, QStringLiteral("plut. ZMYŚLONY Marek S. Józefa"), "02211307589", false) +
           Block(4, QStringLiteral("szer. ĆWICZEBNA Anna C. Piotra"), "02381307589") +
           Block(5, QStringLiteral("szer. NOWAK Adam S. Jana"), "44051401358", true,
                 QStringLiteral("kierowca ✓"));
}

// Many clean persons, to make the box scroll.
inline QString LongTail(int first, int count) {
    QString text;
    for (int number = first; number < first + count; ++number)
        text += Block(number, QStringLiteral("szer. DALSZY Jan S. Adama"), "44051401359");
    return text;
}

inline void Retype(TPersonDialog& box, TPersonField field, const QString& text);
inline void Answer(TPersonDialog& box, QDialogButtonBox::StandardButton button);

class CheckingAidsTest : public MainWindowTest {
protected:
    // The window's shortcuts (F3, Ctrl+Z) act only in the active window.
    void SetUp() override {
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
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

    // Through the dialog's seam, so that the test runs where Qt's own dialog cannot be shown.
    void Save(const std::filesystem::path& path) {
        window.SDOsoby().AnswerWith([name = Native(path)](const QString&) { return name; });
        Click("SpeedButton2");
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

    // Opens the box "Dane osoby" with `open` and lets `fill` act in it; true when it came.
    bool InPersonBox(const std::function<void()>& open,
                     const std::function<void(TPersonDialog&)>& fill) {
        const ModalAnswer<TPersonDialog> box(fill);
        open();
        // Without a window manager nobody gives the window back its activation.
        window.activateWindow();
        return box.Answered() && WindowBecomesActive(window);
    }
};

inline QLineEdit& FieldEdit(TPersonDialog& box, TPersonField field) {
    return *box.findChild<QLineEdit*>(QString::fromLatin1(FieldName(field)));
}

// The note under the field as a screen reader has it, its lines unbroken.
inline QString FieldNote(TPersonDialog& box, TPersonField field) {
    return box.findChild<QWidget*>(QString::fromLatin1(FieldName(field)))->accessibleDescription();
}

// Types `text` a key at a time, as a keyboard with Polish letters does.
inline void Type(QWidget& widget, const QString& text) {
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

inline void Retype(TPersonDialog& box, TPersonField field, const QString& text) {
    QLineEdit& edit = FieldEdit(box, field);
    edit.selectAll();
    Type(edit, text);
}

inline void Answer(TPersonDialog& box, QDialogButtonBox::StandardButton button) {
    box.findChild<QDialogButtonBox*>()->button(button)->click();
}

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
