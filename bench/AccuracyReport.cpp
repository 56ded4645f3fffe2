// Prints how many persons of realistic orders the import records right, and how many wrong rows
// the hints leave silent, for the same orders copied from a word processor and from a PDF viewer.
// Usage: nolt_accuracy_report [persons] [order number] [pdf]
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

void PrintShares(const char* label, double word, double viewer, const char* goal) {
    std::printf("%-34s %9.2f %%  %9.2f %%  %s\n", label, 100 * word, 100 * viewer, goal);
}

void PrintCounts(const char* label, int word, int viewer) {
    std::printf("%-34s %11d  %11d\n", label, word, viewer);
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
    const bool showViewer = argc > 3 && std::strcmp(argv[3], "pdf") == 0;
    const TRealisticOrder word = MakeRealisticOrder(persons, number);
    const TRealisticOrder viewer = MakeRealisticOrder(persons, number, TOrderSource::PdfViewer);
    const TImportScore w = ScoreRealisticImport(word);
    const TImportScore v = ScoreRealisticImport(viewer);

    std::printf("order %u, %d persons    %14s  %11s\n", number, persons, "word proc.",
                "PDF viewer");
    PrintCounts("rows", w.rows, v.rows);
    PrintShares("rows right (all seven fields):", w.RightShare(), v.RightShare(), "");
    PrintShares("wrong rows without a hint:", w.WrongSilentShare(), v.WrongSilentShare(),
                "of the persons, goal <= 0.5 %");
    PrintShares("right rows with a hint:", w.RightHintedShare(), v.RightHintedShare(),
                "of the right rows, goal <= 10 %");
    PrintCounts("persons without a row:", w.missing, v.missing);
    PrintCounts("  of them not counted as skipped:", w.lost, v.lost);

    PrintSilentRows(showViewer ? viewer : word);
    return 0;
}
