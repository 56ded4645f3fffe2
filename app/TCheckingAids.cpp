#include "app/TCheckingAids.h"

#include "app/Guarded.h"
#include "app/TCheckLabel.h"
#include "check/TImportFacts.h"
#include "notes/HintTexts.h"
#include "notes/StatusAnnouncement.h"
#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderBoxLines.h"
#include "orderbox/TOrderHighlighter.h"
#include "personlist/TDataSource.h"
#include "personlist/TPersonGrid.h"
#include "personlist/TPersonGridModel.h"
#include "register/TPersonTable.h"
#include "ui/TFileName.h"
#include "ui/TQtError.h"
#include "ui/TWin1250.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <utility>

namespace {

// The first and last positions of the rows whose hints differ between `former` and `now`, taking
// in the current row; first > last when there are none.
std::pair<int, int> ChangedRows(const TRowHints& former, const TRowHints& now,
                                const TPersonTable& table) {
    if (!table.IsOpen())
        return {1, 0};
    int first = table.RowNumber() == 0 ? table.TotalRows() + 1 : table.RowNumber();
    int last = table.RowNumber();
    for (int position = 1; position <= table.TotalRows(); ++position) {
        const std::int32_t id = table.RowAt(position).id;
        if (former.HintsOf(id) != now.HintsOf(id)) {
            first = std::min(first, position);
            last = std::max(last, position);
        }
    }
    return {first, last};
}

// The file just saved as the disk holds it. Its SHA-256 is read only for a report: computed here,
// it would take three times as long as the save itself.
TSavedFile SavedFile(const std::string& fileName, int persons) {
    const QFileInfo file(TFileName::Decode(fileName));
    return {fileName, persons, static_cast<std::uint64_t>(file.size()),
            file.lastModified().toMSecsSinceEpoch()};
}

QString LoginName() {
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    return QStringLiteral("(nieznany)");
}

} // namespace

TCheckingAids::TCheckingAids(QWidget& window, TPersonTable& table, TDataSource& link,
                             const TWindowControls& controls)
    : window_(window), mt_(table), controls_(controls), edits_(window, table),
      notes_(window, controls) {
    connect(controls_.LPominiete, &TCheckLabel::clicked, this,
            Guarded([this] { ShowNextSkipped(); }));
    connect(controls_.LDoSprawdzenia, &TCheckLabel::clicked, this,
            Guarded([this] { FindHintedRow(1); }));
    highlighter_ = new TOrderHighlighter(*controls_.mrozkaz);
    connect(highlighter_, &TOrderHighlighter::Forgotten, &notes_, [this] { notes_.HideSkipped(); });
    controls_.RxDBGrid1->Model()->SetNoteSource(
        [this](const TPersonRecord& row, TPersonField field) { return CellNote(row, field); });
    connect(&link, &TDataSource::TableChanged, this, Guarded([this] { ShowCurrentRowSources(); }));
}

int TCheckingAids::UnsavedCount() const {
    return edits_.UnsavedCount();
}

TImportTrace& TCheckingAids::StartImport() {
    replacedTextShown_ = highlighter_->Following();
    edits_.StartImport(trace_);
    return trace_;
}

void TCheckingAids::FinishImport(const TOrderBoxLines& lines) {
    std::vector<std::string> skippedTexts;
    for (const int line : trace_.SkippedLines())
        skippedTexts.push_back(lines.Line(line));
    trace_.NoteOrigin(orderFile_.isEmpty() ? std::string() : TFileName::Encode(orderFile_),
                      QDateTime::currentSecsSinceEpoch(), std::move(skippedTexts));
    highlighter_->Follow(lines.LineStarts(), trace_.SkippedLines());
    notes_.ShowSkipped(highlighter_->SkippedCount(), SkippedNote(trace_.SkipReasons()));
    RefreshChecks();
}

// A failed save leaves no note.
void TCheckingAids::StartSave() {
    notes_.HideNote();
}

// The save's note stays until the rows change.
void TCheckingAids::FinishSave(const std::string& fileName) {
    edits_.MarkSaved();
    trace_.NoteSave(SavedFile(fileName, mt_.TotalRows()));
    notes_.ShowSaved(mt_.TotalRows(), fileName);
}

void TCheckingAids::ShowOrderTextNote(const QString& path, const std::vector<int>& cutLines) {
    orderFile_ = path;
    notes_.ShowOrderText(path, cutLines);
}

TImportReport TCheckingAids::ImportReport() const {
    if (!edits_.AnyImport())
        throw TQtError(QStringLiteral(
            "Raport importu opisuje zaimportowane osoby: najpierw użyj IMPORTUJ OSOBY"));
    return TImportReport::Build(
        {mt_, trace_, hints_, edits_.History(),
         [this](const TPersonRecord& row, TPersonField field) { return CellNote(row, field); },
         &SkipReasonText, LoginName(), QSysInfo::machineHostName(), QDateTime::currentDateTime()});
}

QString TCheckingAids::ReportFileOffer() const {
    const std::optional<TSavedFile>& saved = trace_.Facts().lastSave;
    if (!saved)
        return {};
    const QFileInfo file(TFileName::Decode(saved->name));
    return file.dir().filePath(file.completeBaseName() + QStringLiteral("-raport.pdf"));
}

TCellNote TCheckingAids::CellNote(const TPersonRecord& row, TPersonField field) const {
    const TRowHintSet hints = hints_.HintsOf(row.id);
    // The row holding the same PESEL is named, as "Dane osoby" names it.
    const THintMask duplicate = HintBit(THint::PeselDuplicate);
    TCellNote note{HintNote(field, hints.Of(field) & ~duplicate), hints.confirmed, {}};
    if ((hints.Of(field) & duplicate) != 0) {
        const QString holder = PeselDuplicateNote(mt_, row);
        note.problems += (note.problems.isEmpty() ? QString() : QStringLiteral("\n")) +
                         (holder.isEmpty() ? HintNote(field, duplicate) : holder);
    }
    const TPersonRecord* imported = edits_.History().ImportedRow(row.id);
    if (imported != nullptr && imported->Text(field) != row.Text(field)) {
        const std::string& was = imported->Text(field);
        note.correction =
            was.empty()
                ? QStringLiteral("Poprawiono; import nie znalazł wartości")
                : QStringLiteral("Poprawiono; import znalazł: „%1”").arg(TWin1250::Decode(was));
    }
    if (hints.confirmed && !note.problems.isEmpty())
        note.problems += QStringLiteral("\n(wiersz oznaczony jako sprawdzony)");
    return note;
}

void TCheckingAids::DeletePerson() {
    edits_.DeleteCurrent();
    RefreshChecks();
}

void TCheckingAids::CorrectPerson() {
    const std::int32_t id = CurrentId();
    if (id != 0 && edits_.CorrectCurrent(id, hints_.HintsOf(id), CurrentRowOrderLines()))
        RefreshChecks();
}

void TCheckingAids::ConfirmPerson() {
    if (edits_.ConfirmCurrent(hints_))
        RefreshChecks();
}

// An undone import brings back its rows; their order's lines are marked only while the box still
// holds that order, unedited since.
void TCheckingAids::UndoChange() {
    const TRowEdits::TUndone undone = edits_.Undo(trace_);
    if (undone == TRowEdits::TUndone::Nothing)
        return;
    if (undone == TRowEdits::TUndone::Import && !replacedTextShown_)
        highlighter_->Forget();
    RefreshChecks();
}

// The order lines from the current row's person line to its block's end, while the box still
// holds the imported text; none otherwise.
QStringList TCheckingAids::CurrentRowOrderLines() const {
    const TRowSources sources = trace_.SourcesOf(CurrentId());
    if (sources.person < 0)
        return {};
    int last = sources.person;
    for (const int line :
         {sources.directed, sources.nis, sources.rank, sources.legalBasis, sources.blockEnd})
        last = std::max(last, line);
    return highlighter_->LinesText(sources.person, last);
}

void TCheckingAids::FindHintedRow(int step) {
    const int position = hints_.NextHinted(mt_, mt_.RowNumber(), step);
    if (position != 0)
        mt_.MoveTo(position);
}

// A screen reader hears the line shown, since the focus stays where it was.
void TCheckingAids::ShowNextSkipped() {
    const int line = highlighter_->ShowNextSkipped();
    if (line >= 0)
        Announce(window_, QStringLiteral("Pominięta osoba, wiersz %1 rozkazu: %2")
                              .arg(line + 1)
                              .arg(highlighter_->LinesText(line, line).join(QString())));
}

// Rows came, went or changed: a duplicate PESEL may have appeared or vanished anywhere, and the
// note of the last save no longer tells what the rows hold. A restored row finds its guessed
// values in the trace again by its id; the clerk's corrections and confirmations then have their
// say. The highlight follows the table's own notification of the change; the grid hears of the
// rows whose notes may differ now: those whose hints changed, and the current row, whose
// correction may have come or gone.
void TCheckingAids::RefreshChecks() {
    notes_.HideNote();
    const TRowHints former = hints_;
    hints_.Compute(mt_, &trace_);
    edits_.History().ApplyTo(mt_, hints_);
    notes_.ShowToCheck(hints_.HintedRows());
    const auto [first, last] = ChangedRows(former, hints_, mt_);
    controls_.RxDBGrid1->Model()->NotesChanged(first, last);
}

void TCheckingAids::ShowCurrentRowSources() {
    highlighter_->ShowRow(trace_.SourcesOf(CurrentId()));
}

// The id of the row the table's reads refer to; 0 for none, also while the table is closed,
// as it may be when a failed import is unwinding.
std::int32_t TCheckingAids::CurrentId() const {
    return mt_.IsOpen() ? mt_.FieldNumber("id") : 0;
}
