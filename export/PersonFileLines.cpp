#include "PersonFileLines.h"

#include "PersonFileDateText.h"

#include <algorithm>
#include <array>

namespace {

enum class TValueSource { Field, Constant, ExportDay, FarFutureDay };

struct TColumn {
    std::string_view name; // empty for the last column, which the header line does not name
    TValueSource source;
    TPersonField field;
    std::string_view constant;
};

constexpr TColumn FieldColumn(std::string_view name, TPersonField field) {
    return {name, TValueSource::Field, field, {}};
}
constexpr TColumn ConstantColumn(std::string_view name, std::string_view constant) {
    return {name, TValueSource::Constant, TPersonField::Count, constant};
}
constexpr TColumn DayColumn(std::string_view name, TValueSource source) {
    return {name, source, TPersonField::Count, {}};
}

constexpr std::array kColumns{
    FieldColumn("PESEL", TPersonField::pesel),
    ConstantColumn("AKT", "T"),
    FieldColumn("NIS", TPersonField::nis),
    FieldColumn("STANOWISKO", TPersonField::stanowisko),
    FieldColumn("STE", TPersonField::ste),
    ConstantColumn("ZP", "Z"),
    FieldColumn("PLEC", TPersonField::plec),
    FieldColumn("NAZWISKO", TPersonField::nazwisko),
    FieldColumn("IMIE", TPersonField::imie),
    DayColumn("DATANABYCIA", TValueSource::ExportDay),
    DayColumn("DATAUTRATY", TValueSource::FarFutureDay),
    DayColumn("DATADOPISANIA", TValueSource::ExportDay),
    ConstantColumn("EXPORTZWSI", "N"),
    ConstantColumn("RACHUNEK1CZYWALUTA", "N"),
    ConstantColumn("RACHUNEK2CZYWALUTA", "N"),
    ConstantColumn("PODATEKPROC", "0"),
    ConstantColumn({}, "#"),
};

void AppendFieldValue(std::string& line, const std::string& value) {
    std::transform(value.begin(), value.end(), std::back_inserter(line),
                   [](char c) { return static_cast<unsigned char>(c) < 0x20 ? ' ' : c; });
}

} // namespace

std::string ColumnCountLine() {
    const auto named = std::count_if(kColumns.begin(), kColumns.end(),
                                     [](const TColumn& column) { return !column.name.empty(); });
    return std::to_string(named);
}

std::string HeaderLine() {
    std::string line;
    for (const TColumn& column : kColumns) {
        if (column.name.empty())
            continue;
        line += column.name;
        line += '\t';
    }
    return line;
}

void AppendRecordLine(std::string& line, const TPersonRecord& row, TClock& clock) {
    for (const TColumn& column : kColumns) {
        switch (column.source) {
        case TValueSource::Field:
            AppendFieldValue(line, row.Text(column.field));
            break;
        case TValueSource::Constant:
            line += column.constant;
            break;
        case TValueSource::ExportDay:
            line += PersonFileDateText(clock.Today());
            break;
        case TValueSource::FarFutureDay:
            line += PersonFileDateText(FarFutureDate());
            break;
        }
        line += '\t';
    }
}
