#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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
// member without a switch: Export100kRows/vs_one_durable_write went from 0.64 to 0.66.
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

// The lower-case field name ("pesel", "nazwisko", ...).
std::string_view FieldName(TPersonField field);
// The field of that exact name, or none.
std::optional<TPersonField> FieldByName(std::string_view name);
// The width of a text field in characters (bytes); 0 for `id`.
std::size_t FieldWidth(TPersonField field);
// What a text field holds of `text`: the text up to a NUL, if any, cut to the field's width.
std::string_view FieldValue(TPersonField field, std::string_view text);
