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

const std::string& TPersonRecord::Text(TPersonField field) const {
    switch (field) {
    case TPersonField::pesel:
        return pesel;
    case TPersonField::nazwisko:
        return nazwisko;
    case TPersonField::imie:
        return imie;
    case TPersonField::plec:
        return plec;
    case TPersonField::ste:
        return ste;
    case TPersonField::nis:
        return nis;
    case TPersonField::stanowisko:
        return stanowisko;
    case TPersonField::id:
    case TPersonField::Count:
        break;
    }
    throw std::logic_error("TPersonRecord::Text: not a text field");
}

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
