#include "TPersonListTestWindow.h"
#include "tests/support/WindowActivation.h"

#include <QAccessible>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The offscreen platform has no accessibility bridge to hear events (the e2e group's screen
// reader round hears them); here the objects they name are read as a bridge reads them.
class GridScreenReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Row 2's sex and rank have problems, row 3's surname was corrected.
        grid->Model()->SetNoteSource([](const TPersonRecord& row, TPersonField field) {
            TCellNote note;
            if (row.id == 2 && field == TPersonField::plec)
                note.problems = QStringLiteral("Płeć niezgodna z numerem PESEL");
            if (row.id == 2 && field == TPersonField::ste)
                note.problems = QStringLiteral("Brak stopnia\nPESEL w innym wierszu");
            if (row.id == 3 && field == TPersonField::nazwisko)
                note.correction = QStringLiteral("Poprawiono; import znalazł: „ROW”");
            return note;
        });
        ImportRows(window.mt, 4);
        window.show();
        ASSERT_TRUE(WindowBecomesActive(window));
        grid->setFocus();
    }

    // The object a focus event of the grid names: the child the grid sends it for.
    QAccessibleInterface* Focused() const {
        QAccessibleInterface* focused = table->focusChild();
        EXPECT_EQ(focused, table->child(table->childCount() - 1));
        return focused;
    }

    TPersonListTestWindow window;
    TPersonGrid* grid = window.grid;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
};

// Landing on a row tells every problem and correction of it, each with its column's title;
// reading the table cell by cell still gives each cell's own note.
TEST_F(GridScreenReaderTest, TheRowMovedToTellsEveryProblemWithItsColumn) {
    QStringList told;
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) {
        QTest::keyClick(grid, key);
        QAccessibleInterface* row = Focused();
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->role(), QAccessible::Row);
        EXPECT_TRUE(row->state().focused && row->state().selected);
        told.append(row->text(QAccessible::Name) + QStringLiteral(" | ") +
                    row->text(QAccessible::Description));
    }
    EXPECT_EQ(told.join(u'\n').toStdString(),
              "80010100002, ROW2 | PŁEĆ: płeć niezgodna z numerem PESEL; STE: brak stopnia; "
              "STE: PESEL w innym wierszu\n"
              "80010100003, ROW3 | NAZWISKO: poprawiono; import znalazł: „ROW”");
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->cellAt(1, 3)->text(QAccessible::Description),
              QStringLiteral("Płeć niezgodna z numerem PESEL"));
    EXPECT_EQ(cells->cellAt(1, 0)->text(QAccessible::Description), QString());
    EXPECT_EQ(cells->rowCount() * cells->columnCount() + cells->columnCount() + 1,
              table->childCount());
}

// New rows come: the object the focus names stands and tells the new current row.
TEST_F(GridScreenReaderTest, TheFocusAfterNewRowsNamesAnObjectThatStands) {
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_NE(Focused(), nullptr);
    ImportRows(window.mt, 3);
    QAccessibleInterface* row = Focused();
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->isValid());
    EXPECT_TRUE(row->text(QAccessible::Name).startsWith(QStringLiteral("80010100001, ROW1")));
    EXPECT_EQ(table->indexOfChild(row), table->childCount() - 1);
    grid->clearFocus();
    EXPECT_EQ(table->focusChild(), nullptr);
}

// A cell names the grid's table as its parent and its column's title as its header, also after
// the clerk moved a column; every child is found again at its own index.
TEST_F(GridScreenReaderTest, CellsKnowTheirTableAndTheirColumnsTitle) {
    grid->Header()->moveSection(0, 6);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 6);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->parent(), table);
    const QList<QAccessibleInterface*> titles = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(titles.size(), 1);
    ASSERT_NE(titles.front(), nullptr);
    EXPECT_EQ(std::make_tuple(cell->text(QAccessible::Name), titles.front()->role(),
                              titles.front()->text(QAccessible::Name)),
              std::make_tuple(QStringLiteral("80010100003"), QAccessible::ColumnHeader,
                              QStringLiteral("PESEL")));
    for (int index = 0; index < table->childCount(); ++index)
        EXPECT_EQ(table->indexOfChild(table->child(index)), index);
}

// A reader's pointer finds each part where the grid draws it: the current row on its line, a cell
// in its column there (and that cell again at its middle), a title in the header; a row scrolled
// off has no place.
TEST_F(GridScreenReaderTest, EveryPartLiesWhereTheGridDrawsIt) {
    ImportRows(window.mt, TPersonListTestWindow::kLines + 2);
    QTest::keyClick(grid, Qt::Key_End);
    ASSERT_EQ(grid->TopRow(), 3);
    const QWidget& viewport = *grid->viewport();
    const int lineTop = (TPersonListTestWindow::kLines - 1) * grid->RowHeight();
    EXPECT_EQ(Focused()->rect(), QRect(viewport.mapToGlobal(QPoint(0, lineTop)),
                                       QSize(viewport.width(), grid->RowHeight())));

    const QHeaderView& header = *grid->Header();
    QAccessibleTableInterface* cells = table->tableInterface();
    QAccessibleInterface* last = cells->cellAt(TPersonListTestWindow::kLines + 1, 2);
    const QRect place = last->rect();
    EXPECT_EQ(place, QRect(viewport.mapToGlobal(QPoint(header.sectionViewportPosition(2), lineTop)),
                           QSize(header.sectionSize(2), grid->RowHeight())));
    QAccessibleInterface* found = table->childAt(place.center().x(), place.center().y());
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->text(QAccessible::Name), last->text(QAccessible::Name));

    EXPECT_TRUE(cells->cellAt(0, 2)->rect().isEmpty());
    EXPECT_EQ(table->child(2)->rect(),
              QRect(header.mapToGlobal(QPoint(header.sectionViewportPosition(2), 0)),
                    QSize(header.sectionSize(2), header.height())));
}

} // namespace
