#pragma once

#include "import/TImportObserver.h"
#include "personlist/TCellNote.h"
#include "personlist/TGridColumn.h"
#include "register/TPersonRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class TChangeHistory;
class TImportTrace;
class TPersonTable;
class TRowHints;

// One cell of a row as the report prints it: the text and the grid's marks.
struct TReportCell {
    QString text;
    bool problem = false; // a red corner, grey once the row was checked
    bool checked = false;
    bool corrected = false; // a blue corner
};

// A row as it stands, in the grid's columns, with its cells' notes ("NAZWISKO: ...") below it.
struct TReportRow {
    int number = 0;
    std::array<TReportCell, kGridColumnCount> cells;
    QStringList notes;
};

// A person line of the order that gave no row.
struct TReportSkipped {
    int line = 0; // from 1, as the clerk counts
    QString reason;
    QString text;
};

using TReportPair = std::pair<QString, QString>; // a label and its value

// What goes on the pages of an import's report, built from the checking aids' data and kept
// apart from the painting: the order's facts, the counts, the rows with their marks, the persons
// the clerk deleted, the skipped person lines. Every page repeats the title; the signature line
// closes the report.
struct TImportReport {
    // Where the report's facts come from; all must outlive the build.
    struct TSources {
        const TPersonTable& table;
        const TImportTrace& trace;
        const TRowHints& hints;
        const TChangeHistory& history;
        // The note of a cell, as the grid shows it.
        std::function<TCellNote(const TPersonRecord&, TPersonField)> note;
        std::function<QString(TSkipReason)> reasonText;
        QString userName;
        QString computerName;
        QDateTime writtenAt;
    };

    QString title; // the order's title, or "(rozkaz bez tytułu)"
    std::vector<TReportPair> order;
    std::vector<TReportPair> counts;
    std::vector<TReportRow> rows;
    std::vector<TReportRow> deleted;
    std::vector<TReportSkipped> skipped;

    static TImportReport Build(const TSources& sources);
};
