#include "support/OrderGenerator.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

// A small deterministic mixer, so that an order is the same on every platform and library.
class TVariantRandom {
public:
    explicit TVariantRandom(unsigned variant) : state_(0x9E3779B97F4A7C15ull * (variant + 1ull)) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }
    // True about once in `times`.
    bool OneIn(std::size_t times) { return Below(times) == 0; }
    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& choices) {
        return choices[Below(N)];
    }

private:
    std::uint64_t state_;
};

// Made-up persons, in Windows-1250 written as octal escapes (which, unlike hex ones, stop after
// three digits): \323 is Ó, \243 Ł, \214 Ś, \263 ł, \257 Ż, \363 ó, \277 ż, \361 ń, \352 ę.
constexpr std::array<std::string_view, 9> kRanks{"szer.", "st.szer.", "kpr.", "plut.", "sier\277.",
                                                 "chor.", "ppor.",    "kpt.", "mjr"};
constexpr std::array<std::string_view, 6> kSurnameStems{"TESTOW",        "PR\323BN",   "WZOROW",
                                                        "PRZYK\243ADOW", "ZMY\214LON", "FIKCYJN"};
constexpr std::array<std::string_view, 7> kMaleNames{"Jan",       "Piotr",  "Pawe\263", "Micha\263",
                                                     "\243ukasz", "Tomasz", "Krzysztof"};
constexpr std::array<std::string_view, 7> kFemaleNames{
    "Anna", "Ewa", "Zofia", "Ma\263gorzata", "Joanna", "\257aneta", "Katarzyna"};
constexpr std::array<std::string_view, 6> kFathers{"Adama",    "Jana",      "Piotra",
                                                   "Paw\263a", "J\363zefa", "Stanis\263awa"};
constexpr std::array<std::string_view, 6> kPositions{
    "kierowca",          "strzelec", "operator radiostacji", "dow\363dca dru\277yny",
    "mechanik-kierowca", "kucharz"};
constexpr std::array<std::string_view, 4> kFreeText{"Sprawy osobowe", "", "z dniem 1 stycznia",
                                                    "- w sprawie przeniesienia -"};
constexpr std::array<std::string_view, 3> kHeading{"ROZKAZ PERSONALNY NR 1",
                                                   "DOW\323DCY JEDNOSTKI WOJSKOWEJ NR 0000",
                                                   "z dnia 1 stycznia 2000 r."};

// Joins words with one space, or now and then with a run of spaces the parser must collapse;
// some lines arrive indented.
class TLineBuilder {
public:
    explicit TLineBuilder(TVariantRandom& random) : random_(random) {
        if (random_.OneIn(8))
            line_ = random_.OneIn(2) ? "\t" : "   ";
    }
    TLineBuilder& Word(std::string_view word) {
        if (!line_.empty())
            line_.append(random_.OneIn(6) ? 2 + random_.Below(3) : 1, ' ');
        line_.append(word);
        return *this;
    }
    // The words of `text` one by one, so that a run of spaces may fall between any two.
    TLineBuilder& Phrase(std::string_view text) {
        for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
            end = text.find(' ', start);
            Word(text.substr(start, end - start));
        }
        return *this;
    }
    TLineBuilder& Glued(std::string_view text) {
        line_.append(text);
        return *this;
    }
    // Some lines arrive with the word processor's trailing blanks.
    std::string Done() {
        if (random_.OneIn(5))
            line_.append(random_.OneIn(2) ? "  " : "\r");
        return std::move(line_);
    }

private:
    TVariantRandom& random_;
    std::string line_;
};

class TOrderWriter {
public:
    explicit TOrderWriter(unsigned variant) : random_(variant) {}

    GeneratedOrder Write(int persons) {
        for (const std::string_view heading : kHeading)
            Add(heading);
        for (int ordinal = 1; ordinal <= persons; ++ordinal) {
            if (random_.OneIn(10))
                WriteSkippedBlock();
            WriteBlock(ordinal);
            if (random_.OneIn(3))
                Add(random_.Pick(kFreeText));
        }
        return std::move(order_);
    }

private:
    void Add(std::string line) { order_.lines.push_back(std::move(line)); }
    void Add(std::string_view line) { order_.lines.emplace_back(line); }
    TLineBuilder Line() { return TLineBuilder(random_); }

    TPersonRecord MakePerson(int ordinal) {
        TPersonRecord person;
        person.id = ordinal;
        const bool male = !random_.OneIn(3);
        person.plec.assign(1, male ? 'M' : 'K');
        person.nazwisko = std::string(random_.Pick(kSurnameStems)) + (male ? "Y" : "A");
        person.imie = male ? random_.Pick(kMaleNames) : random_.Pick(kFemaleNames);
        person.pesel = Digits(random_.Next() % 100'000'000'000ull, 11);
        return person;
    }

    std::string PersonLine(int ordinal, const TPersonRecord& person, std::string_view rank,
                           bool directed) {
        TLineBuilder line = Line();
        if (!random_.OneIn(8))
            line.Word(std::to_string(ordinal) + ".");
        line.Word(rank).Word(person.nazwisko).Word(person.imie);
        line.Word(person.plec == "M" ? "S." : "C.").Word(random_.Pick(kFathers)).Glued(",");
        switch (random_.Below(3)) {
        case 0:
            line.Word("PESEL:").Word(person.pesel);
            break;
        case 1:
            line.Word("PESEL:" + person.pesel);
            break;
        default:
            line.Word("PESEL:\240" + person.pesel);
            break;
        }
        line.Glued(",");
        if (directed)
            line.Phrase("kieruj\352 do PKW");
        return line.Done();
    }

    // The NIS number ends at the first blank, whatever follows it. A line without the hyphen
    // takes its position from the line's start, so then neither value may hold a hyphen.
    std::string PositionLine(TPersonRecord& person) {
        person.stanowisko = random_.Pick(kPositions);
        person.nis = random_.OneIn(4) ? "ZS" + Digits(random_.Next() % 1'000'000, 6) + "-" +
                                            Digits(random_.Below(100), 2)
                                      : "ZS" + Digits(random_.Next() % 1'000'000'000'000ull, 12);
        const bool bare = random_.OneIn(5) && person.stanowisko.find('-') == std::string::npos &&
                          person.nis.find('-') == std::string::npos;
        TLineBuilder line = Line();
        if (!bare)
            line.Phrase("na stanowisko -");
        line.Phrase(person.stanowisko).Word("/" + person.nis);
        if (random_.OneIn(4))
            line.Phrase("(etat 12/1)");
        return line.Done();
    }

    void RankLines(TPersonRecord& person, std::string_view rank) {
        person.ste = rank;
        Add(Line().Phrase("stopie\361 etatowy:").Word(rank).Done());
        Add(Line().Phrase("PODSTAWA PRAWNA: art. 1 ust. 2").Done());
    }

    void WriteBlock(int ordinal) {
        TPersonRecord person = MakePerson(ordinal);
        const std::string_view rank = random_.Pick(kRanks);
        const bool hasPosition = !random_.OneIn(6);
        const bool hasRank = !random_.OneIn(6);
        const bool valuesFirst = random_.OneIn(5);
        const bool directedOnPersonLine = random_.OneIn(4);

        if (valuesFirst && hasPosition)
            Add(PositionLine(person));
        if (valuesFirst && hasRank)
            RankLines(person, rank);
        Add(PersonLine(ordinal, person, rank, directedOnPersonLine));
        if (!directedOnPersonLine)
            Add(Line().Phrase("kieruj\352 do PKW").Done());
        if (!valuesFirst && hasPosition)
            Add(PositionLine(person));
        if (!valuesFirst && hasRank)
            RankLines(person, rank);
        Add(Line().Phrase("UZASADNIENIE: potrzeby s\263u\277by").Done());
        order_.expected.push_back(std::move(person));
    }

    // A complete block that directs nobody: none of its values may reach the next row.
    void WriteSkippedBlock() {
        TPersonRecord skipped = MakePerson(0);
        const std::string_view rank = random_.Pick(kRanks);
        Add(PersonLine(0, skipped, rank, false));
        Add(PositionLine(skipped));
        RankLines(skipped, rank);
        Add(Line().Phrase("UZASADNIENIE: brak").Done());
    }

    TVariantRandom random_;
    GeneratedOrder order_;
};

} // namespace

std::string Digits(std::uint64_t value, int width) {
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0 && value > 0; --i, value /= 10)
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    return text;
}

GeneratedOrder GenerateOrder(int persons, unsigned variant) {
    return TOrderWriter(variant).Write(persons);
}
