#include "export/PersonFileLines.h"

#include "export/PersonFileColumns.h"

#include <algorithm>

std::string ColumnCountLine() {
    const auto named =
        std::count_if(kPersonFileColumns.begin(), kPersonFileColumns.end(),
                      [](const TPersonFileColumn& column) { return !column.name.empty(); });
    return std::to_string(named);
}

std::string HeaderLine() {
    std::string line;
    for (const TPersonFileColumn& column : kPersonFileColumns) {
        if (column.name.empty())
            continue;
        line += column.name;
        line += '\t';
    }
    return line;
}
