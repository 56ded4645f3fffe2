#include "TPersonListTestWindow.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kOdd = "#c0c0c0";
const std::string kEven = "#a2a2a2";

class PersonListView : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (int pos = 1; pos <= window.mt.TotalRows(); ++pos)
            ids.push_back(window.mt.RowAt(pos).id);
        return ids;
    }

    // The background of each screen line as painted, read at the left edge of the first column.
    std::vector<std::string> LineColours() const {
        const QImage shot = grid->grab().toImage();
        std::vector<std::string> colours;
        for (int line = 0; line < TPersonListTestWindow::kLines; ++line) {
            const int y = grid->TitleHeight() + line * grid->RowHeight() + grid->RowHeight() / 2;
            colours.push_back(QColor(shot.pixel(1, y)).name().toStdString());
        }
        return colours;
    }

    // What the lines should show from `top` on, with the current row selected.
    std::vector<std::string> ExpectedColours(int top) const {
        std::vector<std::string> colours;
        for (int row = top; row < top + TPersonListTestWindow::kLines; ++row)
            colours.push_back(row == std::max(1, window.mt.RowNumber()) ? Highlight()
                              : row > window.mt.TotalRows()             ? Base()
                              : row % 2 == 1                            ? kOdd
                                                                        : kEven);
        return colours;
    }

    std::string Highlight() const {
        return grid->palette().highlight().color().name().toStdString();
    }
    std::string Base() const { return grid->palette().base().color().name().toStdString(); }

    // Answers the next confirm box with a key, after checking how it asks.
    void AnswerConfirmWith(Qt::Key key) {
        grid->SetConfirmRunner([this, key](QMessageBox& box) {
            ++boxesShown;
            EXPECT_EQ(box.windowTitle(), "Confirm");
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.text(), "Delete record?");
            ASSERT_EQ(box.buttons().size(), 2);
            EXPECT_EQ(box.defaultButton()->text(), "&Yes");
            EXPECT_EQ(box.escapeButton()->text(), "&No");
            box.show();
            QTest::keyClick(&box, key);
        });
    }

    TPersonListTestWindow window;
    TPersonGrid* grid = window.grid;
    int boxesShown = 0;
};

TEST_F(PersonListView, CounterAndButtonThroughStartImportExportAndDeletion) {
    struct Step {
        const char* name;
        std::function<void()> act;
        std::string caption;
        std::vector<int> ids;
    };
    const auto button = [this] { QTest::mouseClick(window.deleteButton, Qt::LeftButton); };
    const Step steps[] = {
        {"start", [] {}, "( 0 )", {}},
        {"button on the empty table", button, "( 0 )", {}},
        {"import of three", [this] { ImportRows(window.mt, 3); }, "1:3", {1, 2, 3}},
        {"export walk",
         [this] {
             for (window.mt.MoveFirst(); !window.mt.AtEnd();)
                 window.mt.MoveNext();
         },
         "3:3",
         {1, 2, 3}},
        {"button deletes the last row", button, "2:2", {1, 2}},
        {"button again", button, "1:1", {1}},
        {"button on the only row", button, "( 0 )", {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(std::make_pair(window.counter->text().toStdString(), Ids()),
                  std::make_pair(step.caption, step.ids));
    }
    EXPECT_EQ(LineColours(), ExpectedColours(1)) << "the empty table shows one selected line";
}

TEST_F(PersonListView, ButtonOnTheMiddleRowSelectsTheNextOneAndRecoloursIt) {
    ImportRows(window.mt, 3);
    window.mt.MoveTo(2);
    QTest::mouseClick(window.deleteButton, Qt::LeftButton);
    EXPECT_EQ(window.counter->text(), "2:2");
    EXPECT_EQ(window.mt.FieldNumber("id"), 3);
    EXPECT_EQ(LineColours(), ExpectedColours(1));

    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(LineColours()[1], kEven) << "the former row 3 is now row 2";
}

TEST_F(PersonListView, CtrlDeleteAsksFirstAndOnlyWhenThereAreRows) {
    struct Case {
        const char* name;
        int rows;
        Qt::Key answer;
        int boxes;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"No keeps the row", 3, Qt::Key_Escape, 1, {1, 2, 3}},
        {"Yes, the default button, deletes it", 3, Qt::Key_Return, 1, {1, 3}},
        {"empty grid asks nothing", 0, Qt::Key_Return, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportRows(window.mt, c.rows);
        window.mt.MoveTo(2);
        boxesShown = 0;
        AnswerConfirmWith(c.answer);
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(std::make_pair(boxesShown, Ids()), std::make_pair(c.boxes, c.ids));
    }
}

TEST_F(PersonListView, KeysOutsideTheMovesChangeNothing) {
    ImportRows(window.mt, 3);
    window.mt.MoveLast();
    const std::vector<TPersonRecord> before{window.mt.RowAt(1), window.mt.RowAt(2),
                                            window.mt.RowAt(3)};
    for (const Qt::Key key :
         {Qt::Key_Down, Qt::Key_Right, Qt::Key_Insert, Qt::Key_F2, Qt::Key_Return, Qt::Key_Escape,
          Qt::Key_A, Qt::Key_Delete, Qt::Key_Tab}) {
        SCOPED_TRACE(static_cast<int>(key));
        QTest::keyClick(grid, key);
        grid->setFocus();
    }
    QTest::keyClicks(grid, "x1 ");
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    const std::vector<TPersonRecord> after{window.mt.RowAt(1), window.mt.RowAt(2),
                                           window.mt.RowAt(3)};
    EXPECT_EQ(window.mt.TotalRows(), 3);
    EXPECT_EQ(after, before);
    EXPECT_EQ(window.mt.RowNumber(), 3);
}

struct KeyMove {
    const char* name;
    int start; // made current from outside: from row 1 the grid scrolls just enough to show it
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    int row;
    int top;
};

void PrintTo(const KeyMove& move, std::ostream* out) {
    *out << move.name;
}

class PersonListKeys : public PersonListView, public ::testing::WithParamInterface<KeyMove> {};

TEST_P(PersonListKeys, MoveTheTableAndKeepTheRowInView) {
    ImportRows(window.mt, 40);
    window.mt.MoveTo(GetParam().start);
    for (const auto& [key, modifiers] : GetParam().keys)
        QTest::keyClick(grid, key, modifiers);
    EXPECT_EQ(std::make_pair(window.mt.RowNumber(), grid->TopRow()),
              std::make_pair(GetParam().row, GetParam().top));
    EXPECT_EQ(grid->verticalScrollBar()->value(), GetParam().row);
}

constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Moves, PersonListKeys,
    ::testing::Values(
        KeyMove{"Down", 1, {{Qt::Key_Down, kPlain}}, 2, 1},
        KeyMove{"RightThenLeftThenUp",
                5,
                {{Qt::Key_Right, kPlain}, {Qt::Key_Left, kPlain}, {Qt::Key_Up, kPlain}},
                4,
                1},
        KeyMove{"UpAtFirst", 1, {{Qt::Key_Up, kPlain}}, 1, 1},
        KeyMove{"PageDownScrollsJustEnough", 1, {{Qt::Key_PageDown, kPlain}}, 11, 2},
        KeyMove{"PageUp", 20, {{Qt::Key_PageUp, kPlain}}, 10, 10},
        KeyMove{"PageDownStopsAtLast", 35, {{Qt::Key_PageDown, kPlain}}, 40, 31},
        KeyMove{"End", 1, {{Qt::Key_End, kPlain}}, 40, 31},
        KeyMove{"CtrlEndThenCtrlHome", 20, {{Qt::Key_End, kCtrl}, {Qt::Key_Home, kCtrl}}, 1, 1},
        KeyMove{"CtrlDownToBottomLine", 5, {{Qt::Key_Down, kCtrl}}, 10, 1},
        KeyMove{"CtrlPageDownToBottomLine", 5, {{Qt::Key_PageDown, kCtrl}}, 10, 1},
        KeyMove{"CtrlUpToTopLine", 20, {{Qt::Key_Up, kCtrl}}, 11, 11},
        KeyMove{"CtrlPageUpToTopLine", 20, {{Qt::Key_PageUp, kCtrl}}, 11, 11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PersonListView, ScrollBarFollowsTheTableAndMovesIt) {
    QScrollBar* bar = grid->verticalScrollBar();
    ImportRows(window.mt, 1);
    EXPECT_FALSE(bar->isVisibleTo(grid)) << "one row";
    ImportRows(window.mt, 40);
    EXPECT_TRUE(QTest::qWaitFor([bar, this] { return bar->isVisibleTo(grid); }));
    EXPECT_EQ(std::make_tuple(bar->minimum(), bar->maximum(), bar->pageStep(), bar->value()),
              std::make_tuple(1, 40, TPersonListTestWindow::kLines, 1));

    struct Action {
        QAbstractSlider::SliderAction action;
        int row;
        int top;
    };
    for (const Action& a : {Action{QAbstractSlider::SliderSingleStepAdd, 11, 2},
                            Action{QAbstractSlider::SliderSingleStepSub, 1, 1},
                            Action{QAbstractSlider::SliderPageStepAdd, 11, 2},
                            Action{QAbstractSlider::SliderPageStepSub, 1, 1},
                            Action{QAbstractSlider::SliderToMaximum, 40, 31},
                            Action{QAbstractSlider::SliderToMinimum, 1, 1}}) {
        SCOPED_TRACE(a.action);
        bar->triggerAction(a.action);
        EXPECT_EQ(std::make_tuple(window.mt.RowNumber(), grid->TopRow(), bar->value()),
                  std::make_tuple(a.row, a.top, a.row));
    }
    bar->setValue(25); // where a dragged thumb is released
    EXPECT_EQ(std::make_pair(window.mt.RowNumber(), grid->TopRow()), std::make_pair(25, 16));
}

TEST_F(PersonListView, ClickMovesToTheLineAndTakesTheFocus) {
    ImportRows(window.mt, 3);
    window.deleteButton->setFocus();
    const auto lineCentre = [this](int line) {
        return QPoint(50, line * grid->RowHeight() + grid->RowHeight() / 2);
    };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, lineCentre(2));
    EXPECT_EQ(window.mt.RowNumber(), 3);
    EXPECT_TRUE(grid->hasFocus());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, lineCentre(5));
    EXPECT_EQ(window.mt.RowNumber(), 3) << "below the last row";
}

TEST_F(PersonListView, WheelMovesOneRowANotchOnlyWithTheFocus) {
    ImportRows(window.mt, 20);
    const auto turn = [this](int angle) {
        const QPointF at(50, 30);
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, angle}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
    };
    turn(-120);
    EXPECT_EQ(window.counter->text(), "2:20");
    turn(-60);
    turn(-60);
    EXPECT_EQ(window.counter->text(), "3:20") << "two half notches";
    turn(120);
    EXPECT_EQ(window.counter->text(), "2:20");
    window.deleteButton->setFocus();
    turn(-120);
    EXPECT_EQ(window.counter->text(), "2:20") << "without the focus";
}

TEST_F(PersonListView, RowsKeepTheirColoursWhileScrollingAndSelectionWithoutFocus) {
    ImportRows(window.mt, 40);
    const std::vector<std::string> before = LineColours();
    EXPECT_EQ(before, ExpectedColours(1));
    EXPECT_EQ(std::make_pair(before[6], before[7]), std::make_pair(kOdd, kEven)) << "rows 7 and 8";

    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(grid->TopRow(), 4);
    const std::vector<std::string> after = LineColours();
    EXPECT_EQ(after, ExpectedColours(4));
    EXPECT_EQ(std::make_pair(after[3], after[4]), std::make_pair(kOdd, kEven)) << "rows 7 and 8";

    QTest::mouseClick(window.deleteButton, Qt::LeftButton);
    window.deleteButton->setFocus();
    ASSERT_FALSE(grid->hasFocus());
    EXPECT_EQ(LineColours()[9], Highlight()) << "row 13, selected after the deletion";
}

TEST_F(PersonListView, DeletionKeepsTheNewRowOnTheSameLineWhenRowsAboveAllow) {
    struct Case {
        const char* name;
        int rows;
        std::vector<Qt::Key> keys;
        int row;
        int top;
    };
    const Case cases[] = {
        {"middle of a long list", 40, {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Up}, 9, 2},
        {"last row at the bottom", 40, {Qt::Key_End}, 39, 30},
        {"last row of a short list", 5, {Qt::Key_End}, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportRows(window.mt, c.rows);
        for (const Qt::Key key : c.keys)
            QTest::keyClick(grid, key);
        AnswerConfirmWith(Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(std::make_pair(window.mt.RowNumber(), grid->TopRow()),
                  std::make_pair(c.row, c.top));
    }
}

TEST_F(PersonListView, ColumnsAsLaidOutAndTheUsersChangesSurviveNewRows) {
    QHeaderView* header = grid->Header();
    std::vector<std::pair<std::string, int>> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        columns.emplace_back(
            grid->Model()->headerData(logical, Qt::Horizontal).toString().toStdString(),
            header->sectionSize(logical));
    }
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
    ImportRows(window.mt, 3);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(std::make_pair(header->sectionSize(1), header->logicalIndex(0)),
              std::make_pair(300, 6));
}

TEST_F(PersonListView, CounterLook) {
    const QFont font = window.counter->font();
    EXPECT_EQ(std::make_tuple(font.pixelSize(), font.bold(), window.counter->height()),
              std::make_tuple(13, true, 28));
    EXPECT_EQ(window.counter->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(window.counter->contentsMargins(), QMargins(0, 0, 1, 0));
    const QImage shot = window.counter->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(2, 2)).name(), "#d8d8d8");
}

} // namespace
