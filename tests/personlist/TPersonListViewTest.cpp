#include "TPersonListTestWindow.h"
#include "register/TTableError.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QAccessible>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kOdd = "#c0c0c0";
const std::string kEven = "#a2a2a2";
constexpr int kLines = TPersonListTestWindow::kLines;

class PersonListView : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(WindowBecomesActive(window));
        grid->setFocus();
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (int pos = 1; pos <= mt.TotalRows(); ++pos)
            ids.push_back(mt.RowAt(pos).id);
        return ids;
    }

    // The background of each screen line as painted, read at the left edge of the first column.
    std::vector<std::string> LineColours() const {
        const QImage shot = grid->grab().toImage();
        std::vector<std::string> colours;
        for (int line = 0; line < kLines; ++line) {
            const int y = grid->TitleHeight() + line * grid->RowHeight() + grid->RowHeight() / 2;
            colours.push_back(QColor(shot.pixel(1, y)).name().toStdString());
        }
        return colours;
    }

    // What the lines should show from `top` on: the current row (or the one empty line of an
    // empty table) selected, the others grey by their row number.
    std::vector<std::string> ExpectedColours(int top) const {
        const QPalette& colours = grid->palette();
        std::vector<std::string> expected;
        for (int row = top; row < top + kLines; ++row)
            expected.push_back(row == std::max(1, mt.RowNumber())
                                   ? colours.highlight().color().name().toStdString()
                               : row > mt.TotalRows() ? colours.base().color().name().toStdString()
                               : row % 2 == 1         ? kOdd
                                                      : kEven);
        return expected;
    }

    // Answers the next confirm box with a key, after checking how it asks.
    static ModalAnswer<QMessageBox> AnswerConfirmWith(Qt::Key key) {
        return ModalAnswer<QMessageBox>([key](QMessageBox& box) {
            EXPECT_EQ(std::make_tuple(box.windowTitle(), box.icon(), box.text(),
                                      box.defaultButton()->text(), box.escapeButton()->text(),
                                      box.buttons().size()),
                      std::make_tuple(QStringLiteral("Confirm"), QMessageBox::Question,
                                      QStringLiteral("Delete record?"), QStringLiteral("&Yes"),
                                      QStringLiteral("&No"), 2));
            QTest::keyClick(&box, key);
        });
    }

    void Wheel(QWidget* target, int angle) {
        const QPointF at(5, 5);
        QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    TPersonListTestWindow window;
    TPersonTable& mt = window.mt;
    TPersonGrid* grid = window.grid;
};

TEST_F(PersonListView, CounterAndButtonThroughStartImportExportAndDeletion) {
    const auto button = [this] { QTest::mouseClick(window.deleteButton, Qt::LeftButton); };
    const struct {
        const char* name;
        std::function<void()> act;
        std::string caption;
        std::vector<int> ids;
    } steps[] = {
        {"start", [] {}, "( 0 )", {}},
        {"button on the empty table", button, "( 0 )", {}},
        {"import of four", [this] { ImportRows(mt, 4); }, "1:4", {1, 2, 3, 4}},
        {"row 2 current", [this] { mt.MoveNext(); }, "2:4", {1, 2, 3, 4}},
        {"button deletes row 2", button, "2:3", {1, 3, 4}},
        {"export walk",
         [this] {
             for (mt.MoveFirst(); !mt.AtEnd();)
                 mt.MoveNext();
         },
         "3:3",
         {1, 3, 4}},
        {"button deletes the last row", button, "2:2", {1, 3}},
        {"button again", button, "1:1", {1}},
        {"button on the only row", button, "( 0 )", {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(std::make_tuple(window.counter->text().toStdString(), Ids(), LineColours()),
                  std::make_tuple(step.caption, step.ids, ExpectedColours(1)));
    }
}

TEST_F(PersonListView, CtrlDeleteAsksFirstAndOnlyWhenThereAreRows) {
    const struct {
        const char* name;
        int rows;
        Qt::Key answer;
        bool asked;
        qsizetype confirmed;
        std::vector<int> ids;
    } cases[] = {
        {"No, also Escape, keeps the row", 3, Qt::Key_Escape, true, 0, {1, 2, 3}},
        {"Yes, the default button, deletes it", 3, Qt::Key_Return, true, 1, {1, 3}},
        {"an empty grid asks nothing", 0, Qt::Key_Return, false, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportRows(mt, c.rows);
        mt.MoveTo(2);
        QSignalSpy confirmed(grid, &TPersonGrid::DeleteConfirmed);
        const ModalAnswer<QMessageBox> confirm = AnswerConfirmWith(c.answer);
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(std::make_tuple(confirm.Answered(), confirmed.count(), Ids()),
                  std::make_tuple(c.asked, c.confirmed, c.ids));
    }
}

// Every input of the grid, from a start row made current from outside (from row 1 the grid
// scrolls just enough to show it): the row it leads to and the row on the top line.
TEST_F(PersonListView, InputsMoveTheTableOnlyAsTheMovesSay) {
    QScrollBar* bar = grid->verticalScrollBar();
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [this, k, m] { QTest::keyClick(grid, k, m); };
    };
    const auto action = [bar](QAbstractSlider::SliderAction a) {
        return [bar, a] { bar->triggerAction(a); };
    };
    const auto wheel = [this](int angle) {
        return [this, angle] { Wheel(grid->viewport(), angle); };
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const struct {
        const char* name;
        int start;
        std::function<void()> input;
        int row;
        int top;
    } cases[] = {
        {"Down", 1, key(Qt::Key_Down), 2, 1},
        {"Right", 5, key(Qt::Key_Right), 6, 1},
        {"Left", 5, key(Qt::Key_Left), 4, 1},
        {"Up at the first row", 1, key(Qt::Key_Up), 1, 1},
        {"Page Down", 1, key(Qt::Key_PageDown), 11, 2},
        {"Page Up", 20, key(Qt::Key_PageUp), 10, 10},
        {"Page Down near the end", 35, key(Qt::Key_PageDown), 40, 31},
        {"Home", 20, key(Qt::Key_Home), 1, 1},
        {"End", 1, key(Qt::Key_End), 40, 31},
        {"Ctrl+Home", 20, key(Qt::Key_Home, ctrl), 1, 1},
        {"Ctrl+End", 1, key(Qt::Key_End, ctrl), 40, 31},
        {"Ctrl+Down", 5, key(Qt::Key_Down, ctrl), 10, 1},
        {"Ctrl+Page Down", 5, key(Qt::Key_PageDown, ctrl), 10, 1},
        {"Ctrl+Up", 20, key(Qt::Key_Up, ctrl), 11, 11},
        {"Ctrl+Page Up", 20, key(Qt::Key_PageUp, ctrl), 11, 11},
        {"Down at the last row", 40, key(Qt::Key_Down), 40, 31},
        {"Insert, F2, Enter, Escape, Delete, Shift+Down, typing", 5,
         [this] {
             for (const Qt::Key k :
                  {Qt::Key_Insert, Qt::Key_F2, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete})
                 QTest::keyClick(grid, k);
             QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
             QTest::keyClicks(grid, QStringLiteral("x1 "));
         },
         5, 1},
        {"click on the fourth line, taking the focus", 1,
         [this] {
             window.deleteButton->setFocus();
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                               QPoint(50, 3 * grid->RowHeight() + 5));
             EXPECT_TRUE(grid->hasFocus());
         },
         4, 1},
        {"wheel notch down", 1, wheel(-120), 2, 1},
        {"wheel notch up", 5, wheel(120), 4, 1},
        {"wheel without the focus", 5,
         [=, this] {
             window.deleteButton->setFocus();
             wheel(-120)();
         },
         5, 1},
        {"two half notches", 1,
         [=] {
             wheel(-60)();
             wheel(-60)();
         },
         2, 1},
        {"notch over the scroll bar", 5, [this, bar] { Wheel(bar, -120); }, 6, 1},
        {"bar's down arrow", 1, action(QAbstractSlider::SliderSingleStepAdd), 11, 2},
        {"bar's up arrow", 20, action(QAbstractSlider::SliderSingleStepSub), 10, 10},
        {"bar's page down", 1, action(QAbstractSlider::SliderPageStepAdd), 11, 2},
        {"bar's page up", 20, action(QAbstractSlider::SliderPageStepSub), 10, 10},
        {"bar's bottom", 1, action(QAbstractSlider::SliderToMaximum), 40, 31},
        {"bar's top", 20, action(QAbstractSlider::SliderToMinimum), 1, 1},
        {"thumb released at 25", 1, [bar] { bar->setValue(25); }, 25, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid->setFocus();
        ImportRows(mt, 40);
        mt.MoveTo(c.start);
        c.input();
        EXPECT_EQ(std::make_tuple(mt.RowNumber(), grid->TopRow(), mt.TotalRows(), bar->value()),
                  std::make_tuple(c.row, c.top, 40, c.row));
    }
    EXPECT_EQ(std::make_pair(bar->maximum(), bar->pageStep()), std::make_pair(40, kLines));
}

TEST_F(PersonListView, RowsKeepTheirColoursWhileScrollingAndSelectionWithoutFocus) {
    ImportRows(mt, 40);
    EXPECT_EQ(LineColours(), ExpectedColours(1));
    EXPECT_EQ(std::make_pair(LineColours()[6], LineColours()[7]), std::make_pair(kOdd, kEven));

    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(grid->TopRow(), 4);
    EXPECT_EQ(LineColours(), ExpectedColours(4));
    EXPECT_EQ(std::make_pair(LineColours()[3], LineColours()[4]), std::make_pair(kOdd, kEven));

    QTest::mouseClick(window.deleteButton, Qt::LeftButton);
    window.deleteButton->setFocus();
    ASSERT_FALSE(grid->hasFocus());
    EXPECT_EQ(LineColours(), ExpectedColours(4)) << "row 13 selected, the grid without focus";
}

TEST_F(PersonListView, DeletionKeepsTheNewRowOnTheSameLineWhenRowsAboveAllow) {
    const struct {
        const char* name;
        int rows;
        std::vector<Qt::Key> keys;
        int row;
        int top;
    } cases[] = {
        {"middle of a long list", 40, {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Up}, 9, 2},
        {"last row on the bottom line", 40, {Qt::Key_End}, 39, 30},
        {"last row of a short list", 5, {Qt::Key_End}, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportRows(mt, c.rows);
        for (const Qt::Key key : c.keys)
            QTest::keyClick(grid, key);
        const ModalAnswer<QMessageBox> confirm = AnswerConfirmWith(Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(std::make_pair(mt.RowNumber(), grid->TopRow()), std::make_pair(c.row, c.top));
    }
}

TEST_F(PersonListView, ColumnsAsLaidOutAndTheUsersChangesSurviveNewRows) {
    QHeaderView* header = grid->Header();
    std::vector<std::pair<std::string, int>> columns;
    for (int column = 0; column < header->count(); ++column)
        columns.emplace_back(
            header->model()->headerData(column, Qt::Horizontal).toString().toStdString(),
            header->sectionSize(column));
    EXPECT_EQ(columns, (std::vector<std::pair<std::string, int>>{{"PESEL", 110},
                                                                 {"NAZWISKO", 186},
                                                                 {"IMIĘ", 182},
                                                                 {"PŁEĆ", 47},
                                                                 {"STE", 131},
                                                                 {"STANOWISKO", 241},
                                                                 {"NIS", 151}}));
    EXPECT_TRUE(header->sectionsMovable());
    EXPECT_FALSE(header->sectionsClickable()) << "a click on a title does not sort";

    header->resizeSection(1, 300);
    header->moveSection(6, 0);
    ImportRows(mt, 3);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(std::make_pair(header->sectionSize(1), header->logicalIndex(0)),
              std::make_pair(300, 6));
}

// What an input does to the table runs inside Qt's frames, which do not unwind: a failure goes out
// as ActionFailed, once, and the grid takes the next input. A closed table refuses every move.
TEST_F(PersonListView, AFailedMoveGoesOutAsActionFailed) {
    QScrollBar* bar = grid->verticalScrollBar();
    std::vector<std::string> failures;
    QObject::connect(grid, &TPersonGrid::ActionFailed, grid,
                     [&failures](const std::exception_ptr& thrown) {
                         try {
                             std::rethrow_exception(thrown);
                         } catch (const TTableError& failure) {
                             failures.emplace_back(failure.what());
                         }
                     });
    const struct {
        const char* name;
        std::function<void()> input;
    } cases[] = {
        {"Home", [this] { QTest::keyClick(grid, Qt::Key_Home); }},
        {"Ctrl+Up", [this] { QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier); }},
        {"wheel notch", [this] { Wheel(grid->viewport(), -120); }},
        {"bar's top", [bar] { bar->triggerAction(QAbstractSlider::SliderToMinimum); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportRows(mt, 5);
        mt.Close();
        failures.clear();
        c.input();
        EXPECT_EQ(failures.size(), std::size_t{1});
    }
    ImportRows(mt, 5);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(std::make_pair(mt.RowNumber(), failures.size()), std::make_pair(5, std::size_t{1}));
}

// A double-click selects the line it is on and asks to open that row; below the last row it does
// neither. A screen reader's selection moves the table as a click does.
TEST_F(PersonListView, DoubleClickOpensTheRowItSelects) {
    ImportRows(mt, 5);
    QSignalSpy opened(grid, &TPersonGrid::RowOpenRequested);
    const auto doubleClick = [this](int line) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                           QPoint(50, line * grid->RowHeight() + 5));
    };
    doubleClick(2);
    EXPECT_EQ(std::make_pair(mt.RowNumber(), opened.count()), std::make_pair(3, qsizetype{1}));
    doubleClick(7);
    EXPECT_EQ(std::make_pair(mt.RowNumber(), opened.count()), std::make_pair(3, qsizetype{1}));

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_TRUE(table->tableInterface()->selectRow(3));
    EXPECT_EQ(std::make_pair(mt.RowNumber(), opened.count()), std::make_pair(4, qsizetype{1}));
}

TEST_F(PersonListView, CounterLook) {
    const QFont font = window.counter->font();
    EXPECT_EQ(
        std::make_tuple(font.pixelSize(), font.bold(), window.counter->height(),
                        window.counter->alignment(), window.counter->contentsMargins()),
        std::make_tuple(13, true, 28, Qt::AlignRight | Qt::AlignVCenter, QMargins(0, 0, 1, 0)));
    EXPECT_EQ(QColor(window.counter->grab().toImage().pixel(2, 2)).name(),
              QStringLiteral("#d8d8d8"));
}

} // namespace
