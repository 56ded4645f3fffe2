#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// The fields of a person row, in the row's own order; `Count` ends the list.
enum class TPersonField { id, pesel, nazwisko, imie, plec, ste, nis, stanowisko, Count };

// Every text field, in the row's order: all fields after `id`.
inline constexpr auto kTextFields = [] {
    std::array<TPersonField, static_cast<std::size_t>(TPersonField::Count) - 1> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = static_cast<TPersonField>(i + 1);
    return fields;
}();

// One person row. Texts are Windows-1250 bytes, at most their field's width.
struct TPersonRecord {
    std::int32_t id = 0;
    std::string pesel;
    std::string nazwisko;
    std::string imie;
    std::string plec;
    std::string ste;
    std::string nis;
    std::string stanowisko;

    // The text field `field`; `id` has no text and must not be asked for.
    const std::string& Text(TPersonField field) const;
    std::string& Text(TPersonField field);

    bool operator==(const TPersonRecord&) const = default;
};

// Inline, so that the export's record line, which names each field at compile time, reads the
// member without a switch.
inline const std::string& TPersonRecord::Text(TPersonField field) const {
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

inline std::string& TPersonRecord::Text(TPersonField field) {
    return const_cast<std::string&>(std::as_const(*this).Text(field));
}

struct TFieldInfo {
    std::string_view name; // lower case: "pesel", "nazwisko", ...
    std::size_t width;     // of a text field in characters (bytes); 0 for `id`
};

// Every field's name and width, in the row's order.
inline constexpr std::array<TFieldInfo, static_cast<std::size_t>(TPersonField::Count)> kFieldInfos{{
    {"id", 0},
    {"pesel", 11},
    {"nazwisko", 50},
    {"imie", 50},
    {"plec", 1},
    {"ste", 50},
    {"nis", 20},
    {"stanowisko", 100},
}};

// The lower-case field name ("pesel", "nazwisko", ...).
inline std::string_view FieldName(TPersonField field) {
    return kFieldInfos.at(static_cast<std::size_t>(field)).name;
}
// The width of a text field in characters (bytes); 0 for `id`.
inline std::size_t FieldWidth(TPersonField field) {
    return kFieldInfos.at(static_cast<std::size_t>(field)).width;
}

// What a text field holds of `text`: the text up to a NUL, if any, cut to the field's width.
// The width is cut first, so that the search for a NUL stops there.
inline std::string_view FieldValue(TPersonField field, std::string_view text) {
    text = text.substr(0, FieldWidth(field));
    return text.substr(0, text.find('\0'));
}

// The field of that exact name, or none.
inline std::optional<TPersonField> FieldByName(std::string_view name) {
    for (std::size_t i = 0; i < kFieldInfos.size(); ++i)
        if (kFieldInfos[i].name == name)
            return static_cast<TPersonField>(i);
    return std::nullopt;
}
