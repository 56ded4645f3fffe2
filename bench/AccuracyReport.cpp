// Prints how many persons of realistic orders the import records right, and how many wrong rows
// the hints leave silent. Usage: nolt_accuracy_report [persons] [order number]
#include "RealisticOrder.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void PrintRow(const char* label, const TPersonRecord& row) {
    std::printf("  %-7s [%s|%s|%s|%s|%s|%s|%s]\n", label, row.pesel.c_str(), row.nazwisko.c_str(),
                row.imie.c_str(), row.plec.c_str(), row.ste.c_str(), row.nis.c_str(),
                row.stanowisko.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const int persons = argc > 1 ? std::atoi(argv[1]) : 5000;
    const unsigned number = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const TRealisticOrder order = MakeRealisticOrder(persons, number);

    const THintedRows imported = ImportWithHints(order);
    const std::vector<TPersonRecord>& rows = imported.rows;
    const std::vector<bool>& hinted = imported.hinted;
    const TImportScore score = ScoreImport(rows, hinted, order.truth);

    std::printf("persons %d, rows %zu (order %u)\n", score.persons, rows.size(), number);
    std::printf("rows right (all seven fields):   %6.2f %%  (%d)\n", 100 * score.RightShare(),
                score.right);
    std::printf("wrong rows without a hint:       %6.2f %%  (%d) of the persons, goal <= 0.5 %%\n",
                100 * score.WrongSilentShare(), score.wrongSilent);
    std::printf(
        "right rows with a hint:          %6.2f %%  (%d) of the right rows, goal <= 10 %%\n",
        100 * score.RightHintedShare(), score.rightHinted);

    // The first few silent wrong rows, to see what the rules or the hints still miss (the order
    // is Windows-1250: pipe through iconv -f cp1250).
    int shown = 0;
    for (std::size_t i = 0; i < rows.size() && i < order.truth.size() && shown < 10; ++i)
        if (!hinted[i] && !(rows[i] == order.truth[i])) {
            PrintRow("row", rows[i]);
            PrintRow("truth", order.truth[i]);
            ++shown;
        }
    return 0;
}
