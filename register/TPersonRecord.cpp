#include "TPersonRecord.h"

#include <stdexcept>
#include <utility>

namespace {

struct FieldInfo {
    std::string_view name;
    std::size_t width;
};

constexpr std::array<FieldInfo, static_cast<std::size_t>(TPersonField::Count)> kFields{{
    {"id", 0},
    {"pesel", 11},
    {"nazwisko", 50},
    {"imie", 50},
    {"plec", 1},
    {"ste", 50},
    {"nis", 20},
    {"stanowisko", 100},
}};

const FieldInfo& Info(TPersonField field) {
    return kFields.at(static_cast<std::size_t>(field));
}

} // namespace

std::string& TPersonRecord::Text(TPersonField field) {
    return const_cast<std::string&>(std::as_const(*this).Text(field));
}

std::string_view FieldName(TPersonField field) {
    return Info(field).name;
}

std::optional<TPersonField> FieldByName(std::string_view name) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].name == name)
            return static_cast<TPersonField>(i);
    return std::nullopt;
}

std::size_t FieldWidth(TPersonField field) {
    return Info(field).width;
}

std::string_view FieldValue(TPersonField field, std::string_view text) {
    return text.substr(0, text.find('\0')).substr(0, FieldWidth(field));
}
