#pragma once

#include "register/TPersonRecord.h"

#include <array>
#include <string_view>

// The columns of the person file, in their order: the header line names them, a record line
// holds their values.

enum class TValueSource { Field, Constant, ExportDay, FarFutureDay };

struct TPersonFileColumn {
    std::string_view name; // empty for the last column, which the header line does not name
    TValueSource source;
    TPersonField field;        // for a Field column
    std::string_view constant; // for a Constant column
};

namespace person_file_columns {

constexpr TPersonFileColumn FieldColumn(std::string_view name, TPersonField field) {
    return {name, TValueSource::Field, field, {}};
}
constexpr TPersonFileColumn ConstantColumn(std::string_view name, std::string_view constant) {
    return {name, TValueSource::Constant, TPersonField::Count, constant};
}
constexpr TPersonFileColumn DayColumn(std::string_view name, TValueSource source) {
    return {name, source, TPersonField::Count, {}};
}

} // namespace person_file_columns

inline constexpr std::array kPersonFileColumns{
    person_file_columns::FieldColumn("PESEL", TPersonField::pesel),
    person_file_columns::ConstantColumn("AKT", "T"),
    person_file_columns::FieldColumn("NIS", TPersonField::nis),
    person_file_columns::FieldColumn("STANOWISKO", TPersonField::stanowisko),
    person_file_columns::FieldColumn("STE", TPersonField::ste),
    person_file_columns::ConstantColumn("ZP", "Z"),
    person_file_columns::FieldColumn("PLEC", TPersonField::plec),
    person_file_columns::FieldColumn("NAZWISKO", TPersonField::nazwisko),
    person_file_columns::FieldColumn("IMIE", TPersonField::imie),
    person_file_columns::DayColumn("DATANABYCIA", TValueSource::ExportDay),
    person_file_columns::DayColumn("DATAUTRATY", TValueSource::FarFutureDay),
    person_file_columns::DayColumn("DATADOPISANIA", TValueSource::ExportDay),
    person_file_columns::ConstantColumn("EXPORTZWSI", "N"),
    person_file_columns::ConstantColumn("RACHUNEK1CZYWALUTA", "N"),
    person_file_columns::ConstantColumn("RACHUNEK2CZYWALUTA", "N"),
    person_file_columns::ConstantColumn("PODATEKPROC", "0"),
    person_file_columns::ConstantColumn({}, "#"),
};
