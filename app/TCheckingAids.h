#pragma once

#include "app/TRowEdits.h"
#include "app/TStatusNotes.h"
#include "app/TWindowLayout.h"
#include "check/TImportTrace.h"
#include "check/TRowHints.h"
#include "personlist/TCellNote.h"
#include "report/TImportReport.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

class QWidget;
class TDataSource;
class TOrderBoxLines;
class TOrderHighlighter;
class TPersonTable;

// What helps the clerk check the imported rows, beside the window's handlers: the trace of the
// import and the rows' hints. The order box highlights the lines that fed the current row and
// marks the persons the import skipped; the grid's cells carry the hints and corrections as
// notes. It composes the clerk's edits with their undo (TRowEdits) and the counter line's notes
// (TStatusNotes): after each edit the hints, the counts and the cells' notes follow the rows. The
// window calls in around an import and a save, and for the clerk's corrections, confirmations,
// deletions and undos.
class TCheckingAids : public QObject {
public:
    TCheckingAids(QWidget& window, TPersonTable& table, TDataSource& link,
                  const TWindowControls& controls);

    // The clerk's changes since the last save or import.
    int UnsavedCount() const;

    // Keeps the rows an import is about to replace; the import then records into the trace.
    TImportTrace& StartImport();
    void FinishImport(const TOrderBoxLines& lines);
    void StartSave();
    void FinishSave(const std::string& fileName);
    // A text entered the order box from the file `path` (none for a paste) and had `cutLines`
    // cut: the note says so until the box changes, and the next import names the file.
    void ShowOrderTextNote(const QString& path, const std::vector<int>& cutLines);

    // The report of the last import as the rows stand; throws when nothing was imported yet.
    TImportReport ImportReport() const;
    // The name the report's save dialog offers: the last save's person file with "-raport.pdf"
    // for its extension; empty without a save.
    QString ReportFileOffer() const;

    void DeletePerson();
    void CorrectPerson();
    void ConfirmPerson();
    void UndoChange();
    void FindHintedRow(int step);
    void ShowNextSkipped();

private:
    // The note of a cell: its problems, and the value the import found when the clerk changed it.
    TCellNote CellNote(const TPersonRecord& row, TPersonField field) const;
    QStringList CurrentRowOrderLines() const;
    void RefreshChecks();
    void ShowCurrentRowSources();
    std::int32_t CurrentId() const;

    QWidget& window_;
    TPersonTable& mt_;
    const TWindowControls controls_;
    TImportTrace trace_;
    TRowHints hints_;
    TRowEdits edits_;
    TStatusNotes notes_;
    bool replacedTextShown_ = false; // the order box still held the replaced rows' order
    TOrderHighlighter* highlighter_ = nullptr;
    QString orderFile_; // the box's text came from this file; empty: the clipboard
};
