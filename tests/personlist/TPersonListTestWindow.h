#pragma once

#include "personlist/TDataSource.h"
#include "personlist/TPersonGrid.h"
#include "personlist/TRecordCounter.h"
#include "support/PersonRows.h"
#include "ui/DesignValues.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <string>

// Fills the table the way an import does: Close, Open, the rows, MoveFirst. Row n has the
// surname "ROWn".
inline void ImportRows(TPersonTable& table, int count) {
    table.Close();
    table.Open();
    std::vector<TPersonRecord> rows;
    for (int n = 1; n <= count; ++n)
        rows.push_back(Row(std::to_string(80010100000 + n), "ROW" + std::to_string(n)));
    StoreRows(table, rows);
}

// A stand-in for the person area of the main window: the counter, the grid and the
// "USUŃ OSOBĘ" button, wired the way the window wires them (a confirmed Ctrl+Delete deletes the
// current row). The grid shows ten lines.
class TPersonListTestWindow : public QWidget {
public:
    static constexpr int kLines = 10;

    TPersonListTestWindow()
        : counter(new TRecordCounter(ds, this)), grid(new TPersonGrid(ds, this)),
          deleteButton(new QPushButton(QStringLiteral("USUŃ OSOBĘ"), this)) {
        counter->setObjectName(QStringLiteral("DBStatusLabel1"));
        grid->setObjectName(QStringLiteral("RxDBGrid1"));
        grid->setFixedSize(1100, grid->TitleHeight() + kLines * grid->RowHeight());
        connect(
            grid, &TPersonGrid::GetCellProps, this,
            [](int row, TPersonField, TCellFont&, QColor& background) {
                background = QColor::fromRgb(Design::RowGrey(row));
            },
            Qt::DirectConnection);
        connect(deleteButton, &QPushButton::clicked, this, [this] {
            if (mt.FieldNumber("id") != 0)
                mt.DeleteRow();
        });
        connect(grid, &TPersonGrid::DeleteConfirmed, this, [this] { mt.DeleteRow(); });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(deleteButton);
        layout->addWidget(counter);
        layout->addWidget(grid);
    }

    TPersonTable mt;
    TDataSource ds{mt};
    TRecordCounter* counter;
    TPersonGrid* grid;
    QPushButton* deleteButton;
};
