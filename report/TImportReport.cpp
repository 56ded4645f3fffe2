#include "report/TImportReport.h"

#include "check/TChangeHistory.h"
#include "check/TImportTrace.h"
#include "check/TRowHints.h"
#include "register/TPersonTable.h"
#include "ui/PolishPlural.h"
#include "ui/TFileName.h"
#include "ui/TWin1250.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QString TitleOf(const TImportTrace& trace) {
    const std::string& title = trace.Facts().title;
    return title.empty() ? QStringLiteral("(rozkaz bez tytułu)") : TWin1250::Decode(title);
}

QString Persons(int count) {
    return PolishCount(count, QStringLiteral("osoba"), QStringLiteral("osoby"),
                       QStringLiteral("osób"));
}

QString DateTimeText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("dd.MM.yyyy, HH:mm:ss"));
}

std::vector<TReportPair> OrderFacts(const TImportReport::TSources& sources) {
    const TImportFacts& facts = sources.trace.Facts();
    const QString source = facts.orderFile.empty()
                               ? QStringLiteral("schowek")
                               : QFileInfo(TFileName::Decode(facts.orderFile)).fileName();
    return {
        {QStringLiteral("Źródło rozkazu"), source},
        {QStringLiteral("Tytuł rozkazu"), TitleOf(sources.trace)},
        {QStringLiteral("Import"), DateTimeText(QDateTime::fromSecsSinceEpoch(facts.importedAt))},
        {QStringLiteral("Użytkownik"), sources.userName},
        {QStringLiteral("Komputer"), sources.computerName},
        {QStringLiteral("Raport sporządzono"), DateTimeText(sources.writtenAt)},
    };
}

// The SHA-256 of the saved file, read now, as lower-case hexadecimal digits; a file changed since
// its save (another size or time of change), removed or unreadable has none that would attest it.
QString SavedFileSha256(const TSavedFile& saved) {
    QFile file(TFileName::Decode(saved.name));
    const QFileInfo info(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (static_cast<std::uint64_t>(info.size()) != saved.size ||
        info.lastModified().toMSecsSinceEpoch() != saved.modified ||
        !file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QStringLiteral(
            "brak: plik zmieniono, usunięto lub nie da się go odczytać po zapisie");
    return QString::fromLatin1(hash.result().toHex());
}

// The last save: how many persons went into which file, its size and SHA-256; and how many of
// the clerk's changes came after it.
std::vector<TReportPair> SaveFacts(const TImportReport::TSources& sources) {
    const std::optional<TSavedFile>& saved = sources.trace.Facts().lastSave;
    if (!saved)
        return {{QStringLiteral("Zapisane"), QStringLiteral("nie zapisano")}};
    const QString file = TFileName::Decode(saved->name);
    std::vector<TReportPair> facts{
        {QStringLiteral("Zapisane"),
         QStringLiteral("%1 do pliku %2").arg(Persons(saved->persons), file)},
        {QStringLiteral("Rozmiar pliku"), QStringLiteral("%1 B").arg(saved->size)},
        {QStringLiteral("SHA-256 pliku"), SavedFileSha256(*saved)},
    };
    if (const int changes = sources.history.UnsavedCount(); changes > 0)
        facts.emplace_back(QStringLiteral("Zmiany po zapisie"), QString::number(changes));
    return facts;
}

std::vector<TReportPair> Counts(const TImportReport::TSources& sources) {
    int corrected = 0;
    int confirmed = 0;
    for (int position = 1; position <= sources.table.TotalRows(); ++position) {
        const TPersonRecord& row = sources.table.RowAt(position);
        const TPersonRecord* imported = sources.history.ImportedRow(row.id);
        corrected += imported != nullptr && *imported != row;
        confirmed += sources.hints.HintsOf(row.id).confirmed;
    }
    std::vector<TReportPair> counts{
        {QStringLiteral("Zaimportowane"), Persons(sources.trace.StoredRows())}};
    for (TReportPair& fact : SaveFacts(sources))
        counts.push_back(std::move(fact));
    const std::pair<const char16_t*, int> rest[] = {
        {u"Usunięte", static_cast<int>(sources.history.DeletedRows().size())},
        {u"Poprawione", corrected},
        {u"Oznaczone jako sprawdzone", confirmed},
        {u"Do sprawdzenia", sources.hints.HintedRows()},
        {u"Pominięte w rozkazie", static_cast<int>(sources.trace.SkippedLines().size())},
    };
    for (const auto& [label, count] : rest)
        counts.emplace_back(QString::fromUtf16(label), Persons(count));
    return counts;
}

// The row's cells and, where `note` is given, their marks and notes.
TReportRow ReportRow(const TPersonRecord& row, int number,
                     const std::function<TCellNote(const TPersonRecord&, TPersonField)>& note) {
    TReportRow reported;
    reported.number = number;
    for (int column = 0; column < kGridColumnCount; ++column) {
        const TGridColumnLayout& layout = GridColumn(column);
        TReportCell& cell = reported.cells[static_cast<std::size_t>(column)];
        cell.text = TWin1250::Decode(row.Text(layout.field));
        if (!note)
            continue;
        const TCellNote cellNote = note(row, layout.field);
        cell.problem = !cellNote.problems.isEmpty();
        cell.checked = cellNote.checked;
        cell.corrected = !cellNote.correction.isEmpty();
        if (!cellNote.Empty())
            reported.notes.append(
                layout.title + QStringLiteral(": ") +
                cellNote.Tooltip().replace(QLatin1Char('\n'), QStringLiteral("; ")));
    }
    return reported;
}

std::vector<TReportSkipped> Skipped(const TImportReport::TSources& sources) {
    const std::vector<int>& lines = sources.trace.SkippedLines();
    const std::vector<TSkipReason>& reasons = sources.trace.SkipReasons();
    const std::vector<std::string>& texts = sources.trace.Facts().skippedTexts;
    std::vector<TReportSkipped> skipped;
    for (std::size_t i = 0; i < lines.size(); ++i)
        skipped.push_back({lines[i] + 1, sources.reasonText(reasons[i]),
                           i < texts.size() ? TWin1250::Decode(texts[i]).trimmed() : QString()});
    return skipped;
}

} // namespace

TImportReport TImportReport::Build(const TSources& sources) {
    TImportReport report;
    report.title = TitleOf(sources.trace);
    report.order = OrderFacts(sources);
    report.counts = Counts(sources);
    report.rows.reserve(static_cast<std::size_t>(sources.table.TotalRows()));
    for (int position = 1; position <= sources.table.TotalRows(); ++position)
        report.rows.push_back(ReportRow(sources.table.RowAt(position), position, sources.note));
    int number = 0;
    for (const TPersonRecord& row : sources.history.DeletedRows())
        report.deleted.push_back(ReportRow(row, ++number, {}));
    report.skipped = Skipped(sources);
    return report;
}
