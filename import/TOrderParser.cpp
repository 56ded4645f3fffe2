#include "TOrderParser.h"

#include "OrderMarkers.h"
#include "TLineMarkers.h"
#include "TPendingPerson.h"
#include "TextPrimitives.h"

#include <string>
#include <string_view>

namespace {

constexpr std::size_t kPeselLength = 11;
constexpr std::size_t kNisLength = 14;
constexpr std::size_t kRankLength = 1000;

// The line without its leading ordinal ("1.", "12.") and the blanks after it.
std::string_view NamePart(std::string_view line) {
    const std::size_t start = line.find_first_not_of("0123456789.");
    return TrimText(line.substr(start == std::string_view::npos ? line.size() : start));
}

// The number after "PESEL:", whether a space separates them or not; a non-breaking space
// pasted from the word processor counts as a separator too.
std::string_view PeselAfter(std::string_view line, int pesel) {
    std::string_view rest =
        line.substr(static_cast<std::size_t>(pesel) - 1 + OrderMarker::Pesel.size());
    std::size_t start = 0;
    while (start < rest.size() && (IsBlank(rest[start]) || rest[start] == '\xA0'))
        ++start;
    return TrimText(rest.substr(start, kPeselLength));
}

// The name part's words are "rank surname first-name ...": w2 and w3 are the positions where the
// second and the third word begin, 0 when the name part has no such word.
struct TWordStarts {
    int w2 = 0;
    int w3 = 0;
};

TWordStarts WordStarts(std::string_view name) {
    TWordStarts starts;
    const std::size_t first = name.find(' ');
    if (first == std::string_view::npos)
        return starts;
    starts.w2 = PositionOf(first) + 1;
    const std::size_t second = name.find(' ', first + 1);
    if (second != std::string_view::npos)
        starts.w3 = PositionOf(second) + 1;
    return starts;
}

// The position in the line where the first name ends: "S." (a son, so male), else the C of " C."
// (a daughter), else 0. Only a son's marker makes the sex "M".
struct TSexMark {
    bool male = false;
    int position = 0;
};

TSexMark SexMark(std::string_view line) {
    if (const int son = TextPos(OrderMarker::Son, line); son > 0)
        return {true, son};
    const int daughter = TextPos(OrderMarker::Daughter, line);
    return {false, daughter > 0 ? daughter + 1 : 0};
}

void ReadPersonLine(std::string_view line, int pesel, TPendingPerson& person) {
    const std::string_view name = NamePart(line);
    const TWordStarts words = WordStarts(name);
    const TSexMark mark = SexMark(line);

    person.pesel.assign(PeselAfter(line, pesel));
    person.nazwisko.assign(TrimText(SubText(name, words.w2, words.w3 - words.w2)));
    person.plec.assign(1, mark.male ? 'M' : 'K');
    if (mark.position == 0)
        return;
    // The marker's position counts in the line but the first name is cut from the name part;
    // measuring both from the name part's start keeps the cut right whatever the ordinal's width.
    const int inName = mark.position - static_cast<int>(name.data() - line.data());
    person.imie.assign(words.w3 == 0 ? std::string_view()
                                     : TrimText(SubText(name, words.w3, inName - words.w3)));
}

// "... - position /ZS0000001 ...": the NIS number runs from the Z to the first blank, the
// position is what stands between the hyphen (or the line's start) and the slash.
void ReadNisLine(std::string_view line, int slash, TPendingPerson& person) {
    std::string_view nis = line.substr(static_cast<std::size_t>(slash), kNisLength);
    std::size_t end = 0;
    while (end < nis.size() && !IsBlank(nis[end]))
        ++end;
    person.nis.assign(nis.substr(0, end));

    const int hyphen = TextPos("-", line);
    person.stanowisko.assign(TrimText(SubText(line, hyphen + 1, slash - hyphen - 1)));
}

// The rank is the last word of the line before "PODSTAWA PRAWNA:" ("stopień etatowy: szer.").
std::string_view RankIn(std::string_view lineBefore) {
    const std::string_view trimmed = TrimText(lineBefore);
    const std::size_t space = trimmed.rfind(' ');
    if (space == std::string_view::npos)
        return {};
    return trimmed.substr(space + 1, kRankLength);
}

// A person line with a PESEL that is still pending when another person line, a block end without
// "kieruję" or the order's end arrives gave no row.
void ReportSkipped(TImportObserver* observer, const TPendingPerson& person, int personLine) {
    if (observer && personLine >= 0 && !person.pesel.empty())
        observer->PersonSkipped(personLine);
}

} // namespace

void TOrderParser::ImportPersons(const TOrderLines& lines, TPersonTable& table) const {
    ImportPersons(lines, table, nullptr);
}

void TOrderParser::ImportPersons(const TOrderLines& lines, TPersonTable& table,
                                 TImportObserver* observer) const {
    table.Close();
    table.Open();
    if (observer)
        observer->ImportStarted();

    TPendingPerson person;
    TRowSources sources;
    std::string normalised;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const std::string raw = lines.Line(i);
        TLineMarkers markers = TLineMarkers::Find(raw);
        std::string_view line = raw;
        // Only the person line and the NIS line have values cut from them at positions, so only
        // they are normalised; the other markers are found alike in the line as it came.
        if (markers.pesel > 0 || markers.nis > 0) {
            NormaliseLine(raw, normalised);
            line = normalised;
            markers = TLineMarkers::Find(line);
        }

        if (markers.pesel > 0) {
            ReportSkipped(observer, person, sources.person);
            ReadPersonLine(line, markers.pesel, person);
            sources.person = i;
        }
        if (!person.pesel.empty() && HoldsDirected(line)) {
            person.directed = true;
            sources.directed = i;
        }
        if (markers.nis > 0) {
            ReadNisLine(line, markers.nis, person);
            sources.nis = i;
        }
        if (markers.legalBasis) {
            // The first line has no line before it; an empty one leaves the rank empty.
            person.ste.assign(RankIn(i > 0 ? lines.Line(i - 1) : std::string()));
            sources.rank = i > 0 ? i - 1 : -1;
            sources.legalBasis = i;
        }
        if (markers.blockEnd) {
            sources.blockEnd = i;
            if (person.directed) {
                person.AppendTo(table);
                if (observer)
                    observer->RowStored(table.RowAt(table.TotalRows()).id, sources);
            } else {
                ReportSkipped(observer, person, sources.person);
            }
            // A block end clears the pending person whether or not it was recorded, so a skipped
            // person's values never reach the next row.
            person.Clear();
            sources = TRowSources();
        }
    }
    ReportSkipped(observer, person, sources.person);
    table.MoveFirst();
}
