#include "support/RealisticOrder.h"

#include "check/TImportTrace.h"
#include "check/TRowHints.h"
#include "import/TOrderParser.h"
#include "register/TPersonTable.h"
#include "support/OrderGenerator.h"
#include "support/TRandom.h"
#include "support/TVectorOrderLines.h"
#include "support/ViewerCopy.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

using namespace std::string_view_literals;

// Windows-1250 as octal escapes: \243 Ł, \263 ł, \214 Ś, \234 ś, \257 Ż, \277 ż, \323 Ó, \363 ó,
// \306 Æ (Ć), \346 ć, \245 Ą, \271 ą, \312 Ę, \352 ę, \321 Ń, \361 ń, \226 en dash, \227 em dash,
// \240 non-breaking space.
constexpr std::array<std::pair<std::string_view, int>, 17> kRanks{{{"szer.", 22},
                                                                   {"st. szer.", 14},
                                                                   {"kpr.", 10},
                                                                   {"st. kpr.", 8},
                                                                   {"plut.", 7},
                                                                   {"sier\277.", 6},
                                                                   {"st. sier\277.", 4},
                                                                   {"m\263. chor.", 3},
                                                                   {"chor.", 3},
                                                                   {"st. chor. sztab.", 2},
                                                                   {"ppor.", 4},
                                                                   {"por.", 4},
                                                                   {"kpt.", 4},
                                                                   {"mjr", 3},
                                                                   {"pp\263k", 2},
                                                                   {"mat", 2},
                                                                   {"kmdr ppor.", 2}}};
// Surnames by stem: the man's and the woman's form.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kSurnames{{
    {"TESTOWY", "TESTOWA"},
    {"PR\323BNY", "PR\323BNA"},
    {"WZOROWY", "WZOROWA"},
    {"PRZYK\243ADOWY", "PRZYK\243ADOWA"},
    {"ZMY\214LONY", "ZMY\214LONA"},
    {"FIKCYJNY", "FIKCYJNA"},
    {"\306WICZEBNY", "\306WICZEBNA"},
    {"NOWACKI", "NOWACKA"},
    {"D\245BROWSKI", "D\245BROWSKA"},
    {"\257\323\243TOWSKI", "\257\323\243TOWSKA"},
    {"KOWALCZYK", "KOWALCZYK"},
    {"MAJ", "MAJ"},
    {"WR\323BEL", "WR\323BEL"},
    {"O\214", "O\214"}, // a surname of two letters
}};
constexpr std::array<std::string_view, 10> kMaleNames{
    "Jan",    "Piotr",     "Pawe\263", "Micha\263", "\243ukasz",
    "Tomasz", "Krzysztof", "Adam",     "\243ukasz", "Miko\263aj"};
constexpr std::array<std::string_view, 8> kFemaleNames{
    "Anna", "Ewa", "Zofia", "Ma\263gorzata", "Joanna", "\257aneta", "Katarzyna", "Ma\263gorzata"};
constexpr std::array<std::string_view, 7> kFathers{
    "Adama", "Jana", "Piotra", "Paw\263a", "J\363zefa", "Stanis\263awa", "Andrzeja"};
constexpr std::array<std::string_view, 10> kPositions{
    "kierowca",          "strzelec",          "operator radiostacji", "dow\363dca dru\277yny",
    "kierowca-operator", "kucharz",           "starszy mechanik",     "sanitariusz",
    "pomocnik kierowcy", "specjalista sekcji"};
// A position whose own name holds a spaced dash: what follows the dash is taken for it.
constexpr std::string_view kDashedPosition = "dow\363dca dru\277yny \226 zast\352pca dow\363dcy";
// Positions long enough for a PDF viewer to break them.
constexpr std::array<std::string_view, 6> kLongPositions{
    "starszy specjalista sekcji wsparcia dowodzenia w ramach si\263 NATO",
    "kierowca-ratownik medyczny zespo\263u ewakuacji medycznej kontyngentu",
    "dow\363dca dru\277yny zabezpieczenia logistycznego grupy wsparcia",
    "operator system\363w \263\271czno\234ci satelitarnej i teleinformatycznej",
    "m\263odszy specjalista sekcji planowania operacyjnego sztabu",
    "pomocnik kierowcy plutonu transportowego zgrupowania bojowego"};
constexpr std::array<std::string_view, 3> kUnits{"do PKW", "do PKW KFOR",
                                                 "do Polskiego Kontyngentu Wojskowego"};
constexpr std::array<std::string_view, 4> kFreeText{"", "Sprawy osobowe \226 kierowanie",
                                                    "z dniem 1 marca 2026 r.",
                                                    "W zwi\271zku z potrzebami s\263u\277by:"};

// A PESEL that passes every check: a real birth date, the sex digit, the check digit.
std::string MakePesel(TRandom& random, bool male) {
    const int year = 1966 + static_cast<int>(random.Below(38));
    const int month = 1 + static_cast<int>(random.Below(12));
    const int day = 1 + static_cast<int>(random.Below(28));
    const int sexDigit = static_cast<int>(random.Below(5)) * 2 + (male ? 1 : 0);
    std::string pesel = Digits(static_cast<std::uint64_t>(year % 100), 2) +
                        Digits(static_cast<std::uint64_t>(month + (year >= 2000 ? 20 : 0)), 2) +
                        Digits(static_cast<std::uint64_t>(day), 2) + Digits(random.Below(1000), 3) +
                        static_cast<char>('0' + sexDigit);
    constexpr std::array<int, 10> weights{1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * (pesel[i] - '0');
    pesel.push_back(static_cast<char>('0' + (10 - sum % 10) % 10));
    return pesel;
}

class TOrderWriter {
public:
    // A PDF viewer's copy gets long positions too, from their own draws, so that the order is
    // otherwise the same.
    TOrderWriter(unsigned seed, TOrderSource source, TOrderPhrasing phrasing)
        : random_(seed), forms_(seed ^ 0xF0F0u), officers_(seed ^ 0x0FF1u),
          longPositions_(source == TOrderSource::PdfViewer),
          officersPhrasing_(phrasing == TOrderPhrasing::Officers) {}

    TRealisticOrder Write(int persons) {
        Add("ROZKAZ PERSONALNY NR 12/P");
        Add("z dnia 2 marca 2026 r.");
        for (int ordinal = 1; std::ssize(order_.truth) < persons;) {
            if (random_.Percent(5))
                WriteSkippedBlock(ordinal++);
            WriteBlock(ordinal++);
            if (random_.Percent(30))
                Add(std::string(random_.Pick(kFreeText)));
        }
        Add("D-CA JEDNOSTKI");
        return std::move(order_);
    }

private:
    void Add(std::string line) {
        // Some lines come with the word processor's line end or trailing blanks.
        if (random_.Percent(8))
            line += random_.Percent(50) ? "\r" : "  ";
        order_.lines.push_back(std::move(line));
    }

    // The blank between two words: mostly a space.
    std::string_view Blank() {
        if (random_.Percent(3))
            return "  ";
        return random_.Percent(1) ? "\240" : " ";
    }

    // The person as the clerk records them, and how the order writes their name.
    struct TPerson {
        TPersonRecord row;
        std::string rank; // on the person line
        std::string nameInOrder;
        // The surname in capitals and the first name not: the first name may stand first.
        bool namesAsUsual = true;
    };

    TPerson MakePerson() {
        TPerson person;
        TPersonRecord& row = person.row;
        const bool male = !random_.Percent(15);
        row.plec.assign(1, male ? 'M' : 'K');
        row.pesel = MakePesel(random_, male);
        const auto surname = [&] {
            const auto& forms = random_.Pick(kSurnames);
            return male ? forms.first : forms.second;
        };
        const auto firstName = [&] {
            return male ? random_.Pick(kMaleNames) : random_.Pick(kFemaleNames);
        };
        row.nazwisko = surname();
        if (random_.Percent(3)) // a surname of two words
            row.nazwisko.append(" ").append(surname());
        else if (random_.Percent(3) && !male) // a double-barrelled one
            row.nazwisko.append("-").append(surname());
        row.imie = firstName();
        if (random_.Percent(4))
            row.imie.append(" ").append(firstName());
        person.nameInOrder = row.nazwisko;
        if (random_.Percent(3)) { // the surname written as a name, not in capitals
            for (std::size_t i = 1; i < row.nazwisko.size(); ++i)
                if (row.nazwisko[i - 1] != ' ' && row.nazwisko[i - 1] != '-')
                    row.nazwisko[i] = LowerCase(row.nazwisko[i]);
            person.nameInOrder = row.nazwisko;
            person.namesAsUsual = false;
        }
        if (random_.Percent(3)) { // the whole name in capitals
            for (char& c : row.imie)
                c = UpperCase(c);
            person.namesAsUsual = false;
        }
        person.rank = random_.Weighted(kRanks);
        return person;
    }

    static char LowerCase(char c) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            return static_cast<char>(u + 0x20);
        switch (u) {
        case 0xA3:
            return '\xB3'; // Ł
        case 0xA5:
            return '\xB9'; // Ą
        case 0xAF:
            return '\xBF'; // Ż
        case 0x8C:
            return '\x9C'; // Ś
        case 0x8F:
            return '\x9F'; // Ź
        default:
            return c;
        }
    }
    static char UpperCase(char c) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
            return static_cast<char>(u - 0x20);
        switch (u) {
        case 0xB3:
            return '\xA3';
        case 0xB9:
            return '\xA5';
        case 0xBF:
            return '\xAF';
        case 0x9C:
            return '\x8C';
        case 0x9F:
            return '\x8F';
        default:
            return c;
        }
    }

    std::string PersonLine(int ordinal, const TPerson& person, bool directed) {
        std::string line;
        if (random_.Percent(4))
            line += "   ";
        if (!random_.Percent(4))
            line += std::to_string(ordinal) + (random_.Percent(10) ? ") " : ". ");
        line += person.rank;
        // The word processor's non-breaking space or a tab after the rank's period.
        line += random_.Percent(8) ? "\240"sv : random_.Percent(4) ? "\t"sv : Blank();
        const bool firstNameFirst =
            officersPhrasing_ && person.namesAsUsual && officers_.Percent(50);
        line += firstNameFirst ? person.row.imie : person.nameInOrder;
        line += Blank();
        line += firstNameFirst ? person.nameInOrder : person.row.imie;
        const bool male = person.row.plec == "M";
        if (random_.Percent(8)) { // no father's name
            line += ",";
        } else {
            if (random_.Percent(5))
                line += ",";
            line += " ";
            const std::string_view marker = male ? "S." : "C.";
            line += random_.Percent(5) ? std::string(1, static_cast<char>(marker[0] + 0x20)) + "."
                                       : std::string(marker);
            line += " ";
            line += random_.Pick(kFathers);
            line += ",";
        }
        line += " PESEL:";
        line += random_.Percent(5) ? "" : random_.Percent(5) ? "\240" : " ";
        line += person.row.pesel;
        if (!random_.Percent(15))
            line += random_.Percent(90) ? "," : ";";
        if (directed)
            line += " kieruj\352 " + std::string(random_.Pick(kUnits));
        return line;
    }

    std::string PositionLine(TPersonRecord& row) {
        const bool dashed = random_.Percent(0.3);
        std::string_view position = dashed ? kDashedPosition : random_.Pick(kPositions);
        if (longPositions_ && forms_.Percent(15))
            position = forms_.Pick(kLongPositions);
        row.nis = random_.Percent(30)
                      ? "ZS" + Digits(random_.Below(100000), 5) + "-" +
                            Digits(random_.Below(100), 2) + "-" + Digits(random_.Below(1000), 3)
                      : "ZS" + Digits(random_.Below(1'000'000'000'000ull), 12);
        const std::string_view separator =
            random_.Weighted(std::array<std::pair<std::string_view, int>, 6>{
                {{" - ", 42}, {" \226 ", 35}, {": ", 12}, {" \227 ", 3}, {" ", 4}, {"", 4}}});
        std::string line = separator.empty() ? "- " : "na stanowisko" + std::string(separator);
        if (officersPhrasing_ && officers_.Percent(50))
            line = officers_.Percent(40) ? "na stanowisko s\263u\277bowe " : "na stanowisko ";
        line += position;
        line += " /" + row.nis;
        if (random_.Percent(10))
            line += " (etat nr 12/3)";
        row.stanowisko = position;
        // With a separator or without, the clerk records the position alone.
        return line;
    }

    // The post's rank, often the person's own.
    std::string RankLine(TPersonRecord& row, const std::string& personRank) {
        row.ste = random_.Percent(70) ? personRank : std::string(random_.Weighted(kRanks));
        std::string rank = row.ste;
        const std::string_view head =
            random_.Weighted(std::array<std::pair<std::string_view, int>, 6>{
                {{": ", 62}, {" \226 ", 15}, {" - ", 5}, {":\t", 8}, {":  ", 7}, {" ", 1}}});
        if (head == ":  " && rank.find(' ') != std::string::npos)
            rank.replace(rank.find(' '), 1, "\240 ");
        return "stopie\361 etatowy" + std::string(head) + rank;
    }

    void WriteBlock(int ordinal) {
        TPerson person = MakePerson();
        TPersonRecord& row = person.row;
        const bool directedOnPersonLine = random_.Percent(20);
        const bool valuesFirst = random_.Percent(4);

        // "PODSTAWA PRAWNA:" reads the line before it: the rank line, or the NIS line in a block
        // without one.
        std::vector<std::string> values{PositionLine(row)};
        if (!random_.Percent(2))
            values.push_back(RankLine(row, person.rank));
        values.push_back("PODSTAWA PRAWNA: art. 14 ust. 1 ustawy");
        if (valuesFirst)
            for (std::string& line : values)
                Add(std::move(line));
        order_.personLines.push_back(static_cast<int>(order_.lines.size()));
        Add(PersonLine(ordinal, person, directedOnPersonLine));
        // "kieruję do PKW na stanowisko kierowca /ZS...": the position on the line of "kieruję".
        const bool positionDirected = officersPhrasing_ && !directedOnPersonLine && !valuesFirst &&
                                      values.front().starts_with("na stanowisko") &&
                                      officers_.Percent(30);
        if (!directedOnPersonLine)
            Add("kieruj\352 " + std::string(random_.Pick(kUnits)) +
                (positionDirected ? " " + values.front() : std::string()));
        if (positionDirected)
            values.erase(values.begin());
        if (!valuesFirst)
            for (std::string& line : values)
                Add(std::move(line));
        Add("UZASADNIENIE: potrzeby s\263u\277by.");
        row.id = static_cast<std::int32_t>(order_.truth.size() + 1);
        order_.truth.push_back(std::move(row));
    }

    // A block that directs nobody ("przenoszę"): it gives no row.
    void WriteSkippedBlock(int ordinal) {
        TPerson person = MakePerson();
        Add(PersonLine(ordinal, person, false));
        Add("przenosz\352 do rezerwy kadrowej");
        Add(RankLine(person.row, person.rank));
        Add("PODSTAWA PRAWNA: art. 14 ust. 1 ustawy");
        Add("UZASADNIENIE: wniosek \277o\263nierza.");
    }

    TRandom random_;
    TRandom forms_;
    TRandom officers_;
    bool longPositions_;
    bool officersPhrasing_;
    TRealisticOrder order_;
};

double Share(int part, int whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) / whole;
}

} // namespace

TRealisticOrder MakeRealisticOrder(int persons, unsigned seed, TOrderSource source,
                                   TOrderPhrasing phrasing) {
    TRealisticOrder order = TOrderWriter(seed, source, phrasing).Write(persons);
    return source == TOrderSource::PdfViewer ? AsCopiedFromViewer(std::move(order), seed) : order;
}

double TImportScore::RightShare() const {
    return Share(right, persons);
}
double TImportScore::WrongSilentShare() const {
    return Share(wrongSilent, persons);
}
double TImportScore::RightHintedShare() const {
    return Share(rightHinted, right);
}

// Whether one of the few persons after `next` has this PESEL: the person before them has no row.
bool PeselFollows(const std::vector<TPersonRecord>& truth, std::size_t next,
                  const std::string& pesel) {
    for (std::size_t t = next; t < truth.size() && t < next + 4; ++t)
        if (truth[t].pesel == pesel)
            return true;
    return false;
}

TImportScore ScoreImport(const std::vector<TPersonRecord>& rows, const std::vector<bool>& hinted,
                         const std::vector<TPersonRecord>& truth,
                         const std::vector<bool>& counted) {
    TImportScore score;
    score.persons = static_cast<int>(truth.size());
    score.rows = static_cast<int>(rows.size());
    std::size_t r = 0;
    for (std::size_t t = 0; t < truth.size(); ++t) {
        if (r == rows.size() ||
            (rows[r].pesel != truth[t].pesel && PeselFollows(truth, t + 1, rows[r].pesel))) {
            ++score.missing;
            const bool sign = t < counted.size() && counted[t];
            score.lost += sign ? 0 : 1;
            score.wrongSilent += sign ? 0 : 1;
            continue;
        }
        // The ids follow the rows: after a missing person they are one behind the truth's.
        TPersonRecord row = rows[r];
        row.id = truth[t].id;
        if (row == truth[t]) {
            ++score.right;
            score.rightHinted += hinted[r] ? 1 : 0;
        } else if (!hinted[r]) {
            ++score.wrongSilent;
        }
        ++r;
    }
    for (; r < rows.size(); ++r)
        score.wrongSilent += hinted[r] ? 0 : 1;
    return score;
}

THintedRows ImportWithHints(const TRealisticOrder& order) {
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(order.lines), table, &trace);
    TRowHints hints;
    hints.Compute(table, &trace);
    THintedRows result;
    for (int position = 1; position <= table.TotalRows(); ++position) {
        result.rows.push_back(table.RowAt(position));
        result.hinted.push_back(hints.HintsOf(result.rows.back().id).Any());
    }
    const std::vector<int>& skipped = trace.SkippedLines();
    for (const int line : order.personLines)
        result.counted.push_back(std::binary_search(skipped.begin(), skipped.end(), line));
    return result;
}

TImportScore ScoreRealisticImport(const TRealisticOrder& order) {
    const THintedRows imported = ImportWithHints(order);
    return ScoreImport(imported.rows, imported.hinted, order.truth, imported.counted);
}
