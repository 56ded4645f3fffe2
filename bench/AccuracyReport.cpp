// Prints how many persons of realistic orders the import records right, and how many wrong rows
// the hints leave silent, for the same orders copied from a word processor and from a PDF viewer.
// The officers' phrasing of the same orders is reported beside the design's.
// Usage: nolt_accuracy_report [persons] [order number] [pdf|officers|officers-pdf]
#include "support/RealisticOrder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void PrintRow(const char* label, const TPersonRecord& row) {
    std::printf("  %-7s [%s|%s|%s|%s|%s|%s|%s]\n", label, row.pesel.c_str(), row.nazwisko.c_str(),
                row.imie.c_str(), row.plec.c_str(), row.ste.c_str(), row.nis.c_str(),
                row.stanowisko.c_str());
}

// The four copies side by side: the design's phrasing and the officers', each from a word
// processor and from a PDF viewer.
constexpr int kCopies = 4;

void PrintShares(const char* label, const TImportScore (&scores)[kCopies],
                 double (TImportScore::*share)() const, const char* goal) {
    std::printf("%-34s", label);
    for (const TImportScore& score : scores)
        std::printf(" %9.2f %%", 100 * (score.*share)());
    std::printf("  %s\n", goal);
}

void PrintCounts(const char* label, const TImportScore (&scores)[kCopies],
                 int TImportScore::*count) {
    std::printf("%-34s", label);
    for (const TImportScore& score : scores)
        std::printf(" %11d", score.*count);
    std::printf("\n");
}

// The first few silent wrong rows of one order, to see what the rules or the hints still miss
// (the order is Windows-1250: pipe through iconv -f cp1250).
void PrintSilentRows(const TRealisticOrder& order) {
    const THintedRows imported = ImportWithHints(order);
    int shown = 0;
    for (std::size_t i = 0; i < imported.rows.size() && i < order.truth.size() && shown < 10; ++i)
        if (!imported.hinted[i] && !(imported.rows[i] == order.truth[i])) {
            PrintRow("row", imported.rows[i]);
            PrintRow("truth", order.truth[i]);
            ++shown;
        }
}

} // namespace

int main(int argc, char** argv) {
    const int persons = argc > 1 ? std::atoi(argv[1]) : 5000;
    const unsigned number = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const char* shown = argc > 3 ? argv[3] : "";
    const TOrderSource sources[] = {TOrderSource::WordProcessor, TOrderSource::PdfViewer};
    const TOrderPhrasing phrasings[] = {TOrderPhrasing::Formal, TOrderPhrasing::Officers};
    std::vector<TRealisticOrder> orders;
    TImportScore scores[kCopies];
    for (const TOrderPhrasing phrasing : phrasings)
        for (const TOrderSource source : sources) {
            orders.push_back(MakeRealisticOrder(persons, number, source, phrasing));
            scores[orders.size() - 1] = ScoreRealisticImport(orders.back());
        }

    std::printf("order %u, %d persons %13s %11s %11s %11s\n", number, persons, "formal:", "",
                "officers:", "");
    std::printf("%-34s %11s %11s %11s %11s\n", "", "word proc.", "PDF viewer", "word proc.",
                "PDF viewer");
    PrintCounts("rows", scores, &TImportScore::rows);
    PrintShares("rows right (all seven fields):", scores, &TImportScore::RightShare, "");
    PrintShares("wrong rows without a hint:", scores, &TImportScore::WrongSilentShare,
                "of the persons, goal <= 0.05 %");
    PrintShares("right rows with a hint:", scores, &TImportScore::RightHintedShare,
                "of the right rows, goal <= 8 %");
    PrintCounts("persons without a row:", scores, &TImportScore::missing);
    PrintCounts("  of them not counted as skipped:", scores, &TImportScore::lost);

    // "pdf", "officers" or "officers-pdf": whose silent wrong rows to show.
    const std::string which = shown;
    const std::size_t copy =
        (which.starts_with("officers") ? 2 : 0) + (which.ends_with("pdf") ? 1 : 0);
    PrintSilentRows(orders[copy]);
    return 0;
}
