// Imports arbitrary bytes as an order, one line per '\n', and aborts when a result breaks what
// must hold for any text.
#include "import/OrderMarkers.h"
#include "import/TLineMarkers.h"
#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "register/TPersonTable.h"
#include "text/TextPrimitives.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "import invariant broken: %s\n", what);
    std::abort();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

// The marker walk on the line as it came must agree with a plain search of the normalised line.
void CheckMarkers(const std::string& raw) {
    std::string normalised;
    NormaliseLine(raw, normalised);
    const TLineMarkers asCame = TLineMarkers::Find(raw);
    const TLineMarkers found = TLineMarkers::Find(normalised);
    Require(found.pesel == TextPos(OrderMarker::Pesel, normalised), "position of PESEL:");
    Require(found.nis == TextPos(OrderMarker::Nis, normalised), "position of /ZS");
    Require(found.legalBasis == (TextPos(OrderMarker::LegalBasis, normalised) > 0),
            "PODSTAWA PRAWNA: found");
    Require(found.blockEnd == (TextPos(OrderMarker::BlockEnd, normalised) > 0),
            "UZASADNIENIE: found");
    Require((asCame.pesel > 0) == (found.pesel > 0) && (asCame.nis > 0) == (found.nis > 0) &&
                asCame.legalBasis == found.legalBasis && asCame.blockEnd == found.blockEnd,
            "markers before and after normalising");
    Require(HoldsDirected(raw) == (TextPos(OrderMarker::Directed, normalised) > 0),
            "kieruje found");
}

std::vector<TPersonRecord> Rows(const TPersonTable& table) {
    std::vector<TPersonRecord> rows;
    for (int position = 1; position <= table.TotalRows(); ++position)
        rows.push_back(table.RowAt(position));
    return rows;
}

void CheckRows(const TPersonTable& table, std::size_t lineCount) {
    Require(table.IsOpen() && !table.HasPendingRow(), "table open, no row pending");
    Require(static_cast<std::size_t>(table.TotalRows()) <= lineCount, "at most a row per line");
    for (int position = 1; position <= table.TotalRows(); ++position) {
        const TPersonRecord& row = table.RowAt(position);
        Require(row.id == position, "ids 1..n in order");
        Require(row.plec == "M" || row.plec == "K", "sex M or K");
        for (const TPersonField field : kTextFields) {
            Require(row.Text(field).size() <= FieldWidth(field), "field within its width");
            Require(row.Text(field).find('\0') == std::string::npos, "no NUL in a field");
        }
    }
    if (table.TotalRows() > 0)
        Require(table.RowNumber() == 1 && !table.AtEnd(), "cursor on the first row");
    else
        Require(table.RowNumber() == 0 && table.AtEnd(), "no current row in an empty table");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& line : lines)
        CheckMarkers(line);

    const TVectorOrderLines order(lines);
    TPersonTable table;
    const TOrderParser parser;
    parser.ImportPersons(order, table);
    CheckRows(table, lines.size());

    const std::vector<TPersonRecord> first = Rows(table);
    parser.ImportPersons(order, table);
    Require(Rows(table) == first, "importing again gives the same rows");
    return 0;
}
