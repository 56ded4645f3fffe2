#pragma once

#include "PersonListHandlers.h"
#include "PersonRows.h"
#include "TDataSource.h"
#include "TPersonGrid.h"
#include "TRecordCounter.h"

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
// "USUŃ OSOBĘ" button, wired the way the window wires them. The grid shows ten lines.
class TPersonListTestWindow : public QWidget {
public:
    static constexpr int kLines = 10;

    TPersonListTestWindow()
        : counter(new TRecordCounter(ds, this)), grid(new TPersonGrid(ds, this)),
          deleteButton(new QPushButton(QStringLiteral("USUŃ OSOBĘ"), this)) {
        counter->setObjectName(QStringLiteral("DBStatusLabel1"));
        grid->setObjectName(QStringLiteral("RxDBGrid1"));
        grid->setFixedSize(1100, grid->TitleHeight() + kLines * grid->RowHeight());
        grid->SetOnGetCellProps([](int row, TPersonField, TCellFont&, QColor& background) {
            SetRowBackground(row, background);
        });
        connect(deleteButton, &QPushButton::clicked, this,
                [this] { DeleteCurrentPerson(mt, [this] { mt.DeleteRow(); }); });
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
