#include "import/TOrderParser.h"

#include "import/OrderMarkers.h"
#include "import/PageFurniture.h"
#include "import/TBrokenPosition.h"
#include "import/TLineMarkers.h"
#include "import/TPendingPerson.h"
#include "import/TPersonNameReader.h"
#include "import/TRecentLines.h"
#include "text/OrderWords.h"
#include "text/Pesel.h"
#include "text/TextPrimitives.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kNisLength = 14;

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
// second and the third word begin, 0 when the name part has no such word. Only a person line
// without a surname in capitals is read this way.
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
// (a daughter), else 0.
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

// A marker decides the sex; without one, the PESEL's tenth digit does: odd for a man. Without
// either the sex is a guess.
char Sex(const TSexMark& mark, std::string_view pesel, bool& guessed) {
    guessed = false;
    if (mark.position > 0)
        return mark.male ? 'M' : 'K';
    if (IsElevenDigits(pesel))
        return PeselSex(pesel);
    guessed = true;
    return 'K';
}

// The names as the words "rank surname first-name" fall, for a line without a surname in
// capitals: the second word, and what stands between the third word and the marker.
void ReadNamesByPlace(std::string_view name, int markInName, TPendingPerson& person) {
    const TWordStarts words = WordStarts(name);
    person.nazwisko.assign(TrimText(SubText(name, words.w2, words.w3 - words.w2)));
    if (markInName > 0)
        person.imie.assign(words.w3 == 0
                               ? std::string_view()
                               : TrimText(SubText(name, words.w3, markInName - words.w3)));
}

// Whether nothing but blanks follows "PESEL:": a viewer that broke the line there put the number
// on the next one.
bool PeselAtLineEnd(std::string_view line, int pesel) {
    const std::string_view rest =
        line.substr(static_cast<std::size_t>(pesel) - 1 + OrderMarker::Pesel.size());
    return std::all_of(rest.begin(), rest.end(), [](char c) { return IsBlank(c) || c == '\xA0'; });
}

// The number at the start of the line after a person line that ended with "PESEL:"; empty when the
// line opens with anything but blanks and a digit.
std::string_view PeselOpening(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && IsWordBlank(line[start]))
        ++start;
    if (start == line.size() || line[start] < '0' || line[start] > '9')
        return {};
    return TrimText(line.substr(start, kPeselLength));
}

void ReadPersonLine(std::string_view line, int pesel, TPersonNameReader& names,
                    TPendingPerson& person, TRowGuesses& guesses) {
    const std::string_view name = NamePart(line);
    const TSexMark mark = SexMark(line);
    person.pesel.assign(PeselAfter(line, pesel));
    person.plec.assign(1, Sex(mark, person.pesel, guesses.sexByDefault));

    // Positions in the line, measured from the name part's start, whatever the ordinal's width.
    const int nameStart = static_cast<int>(name.data() - line.data());
    const int markInName = mark.position > 0 ? mark.position - nameStart : 0;
    // The names stand before the marker or "PESEL:", whichever comes first.
    int zoneEnd = pesel - nameStart;
    if (markInName > 0)
        zoneEnd = std::min(zoneEnd, markInName);
    const std::string_view zone =
        name.substr(0, static_cast<std::size_t>(std::max(zoneEnd - 1, 0)));
    const TPersonNameReader::TOrder order = names.Read(zone, person.nazwisko, person.imie);
    guesses.firstNameBeforeSurname = order == TPersonNameReader::TOrder::FirstNameFirst;
    guesses.namesByPlace = order == TPersonNameReader::TOrder::None;
    if (guesses.namesByPlace)
        ReadNamesByPlace(name, markInName, person);
}

// Where the position of a "/ZS" line begins: after the last separator before the slash, else
// after the order's words "na stanowisko [służbowe]" that officers write without one.
struct TPositionStart {
    std::size_t separatorEnd = std::string_view::npos;
    bool afterWords = false;
};

// "... - position /ZS0000001 ...": the NIS number runs from the Z to the first blank, the
// position is what stands between the last separator before the slash (or the words
// "stanowisko [służbowe]", or the line's start) and the slash.
TPositionStart ReadNisLine(std::string_view line, int slash, TPendingPerson& person) {
    std::string_view nis = line.substr(static_cast<std::size_t>(slash), kNisLength);
    std::size_t end = 0;
    while (end < nis.size() && !IsBlank(nis[end]))
        ++end;
    person.nis.assign(nis.substr(0, end));

    const std::string_view before = line.substr(0, static_cast<std::size_t>(slash - 1));
    TPositionStart start{AfterLastSeparator(before)};
    std::string_view position = before;
    if (start.separatorEnd != std::string_view::npos) {
        position.remove_prefix(start.separatorEnd);
    } else if (const std::size_t words = AfterPositionWords(before);
               words != std::string_view::npos && !TrimText(before.substr(words)).empty()) {
        position.remove_prefix(words);
        start.afterWords = true;
    }
    person.stanowisko.assign(TrimText(position));
    return start;
}

// Whether another separator, or the words "stanowisko" and more, stand before the separator the
// position follows (which ends at `separatorEnd`): in "na stanowisko – dowódca drużyny – zastępca
// dowódcy /ZS..." and "na stanowisko dowódca drużyny – zastępca dowódcy /ZS..." the position's own
// name may hold the dash cut at. On a person line the colon of "PESEL:" does not count.
bool SeparatorBefore(std::string_view line, std::size_t separatorEnd, int pesel) {
    const std::size_t from =
        pesel > 0 ? static_cast<std::size_t>(pesel) - 1 + OrderMarker::Pesel.size() : 0;
    return separatorEnd != std::string_view::npos && separatorEnd > from + 1 &&
           OpensBeforeSeparator(line.substr(from, separatorEnd - 1 - from));
}

// The rank from the line before "PODSTAWA PRAWNA:" ("stopień etatowy: st. szer."): the words
// after its last separator, else its last word. A NIS line there means the block has no rank line.
// Returns true when the rank is the last word of several: nothing tells where the rank begins
// ("stopień etatowy st. szer.").
bool ReadRank(std::string_view lineBefore, std::string& rank) {
    const std::string_view trimmed = TrimText(lineBefore);
    rank.clear();
    if (trimmed.find(OrderMarker::Nis) != std::string_view::npos)
        return false;
    if (const std::size_t start = AfterLastSeparator(trimmed); start != std::string_view::npos) {
        AppendJoinedWords(trimmed.substr(start), rank);
        return false;
    }
    std::size_t end = trimmed.size();
    while (end > 0 && IsWordBlank(trimmed[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && !IsWordBlank(trimmed[start - 1]))
        --start;
    rank.assign(trimmed.substr(start, end - start));
    return std::any_of(trimmed.begin(), trimmed.begin() + static_cast<std::ptrdiff_t>(start),
                       [](char c) { return !IsWordBlank(c); });
}

// The person line still pending when another person line, a block end without a row or the
// order's end arrives gave no row: without a PESEL "kieruję" could not count, without "kieruję" the
// block could not direct, and with both the block did not end.
void ReportSkipped(TImportObserver* observer, const TPendingPerson& person, int personLine,
                   bool directedSince) {
    if (!observer || personLine < 0)
        return;
    const TSkipReason reason = person.pesel.empty() ? TSkipReason::NoPesel
                               : directedSince      ? TSkipReason::NoBlockEnd
                                                    : TSkipReason::NoDirected;
    observer->PersonSkipped(personLine, reason);
}

// Where the markers found in `raw` stand in its normalised form `normalised`. Most lines have no
// run of spaces inside: then only the blanks trimmed at the start move them, and the line need not
// be walked again (ARCHITECTURE.md, Benchmarks).
void NormaliseMarkers(std::string_view raw, std::string_view normalised, TLineMarkers& markers) {
    std::size_t lead = 0;
    while (lead < raw.size() && IsBlank(raw[lead]))
        ++lead;
    std::size_t end = raw.size();
    while (end > lead && IsBlank(raw[end - 1]))
        --end;
    const bool runs = normalised.size() != end - lead;
    for (int* const position : {&markers.pesel, &markers.nis})
        if (*position > 0)
            *position =
                runs ? NormalisedPosition(raw, *position) : *position - static_cast<int>(lead);
}

// "12. ", "3) ": the ordinal that opens a person's paragraph.
bool OpensWithOrdinal(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && IsWordBlank(line[at]))
        ++at;
    const std::size_t digits = at;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9')
        ++at;
    return at > digits && at - digits <= 4 && at + 1 < line.size() &&
           (line[at] == '.' || line[at] == ')') && IsWordBlank(line[at + 1]);
}

// One import: the pending person and what the lines read so far tell about the next ones.
class TImportRun {
public:
    TImportRun(const TOrderLines& lines, TPersonTable& table, TImportObserver* observer)
        : lines_(lines), table_(table), observer_(observer) {}

    void Read(int index, std::string raw);
    // The order ended: a person still pending gave no row.
    void Finish() { ReportSkipped(observer_, person_, sources_.person, directedSince_); }

private:
    void ReadPerson(int index, std::string_view line, int pesel);
    void ReadAwaitedPesel(int index, std::string_view raw);
    void ReadNis(int index, std::string_view line, const TLineMarkers& markers);
    void EndBlock(int index);
    void NoteTitle(std::string_view raw, int index, bool anyMarker);
    bool JoinPersonLine(std::string& raw, TLineMarkers& markers);

    const TOrderLines& lines_;
    TPersonTable& table_;
    TImportObserver* observer_;
    TPendingPerson person_;
    TPersonNameReader names_;
    TRowSources sources_;
    TRowGuesses guesses_;
    // The person line ended with "PESEL:"; whether its sex waits for the number too.
    bool peselAwaited_ = false;
    bool sexAwaited_ = false;
    // "kieruję" stood on the pending person line or after it: the flag may come from a person line
    // before it.
    bool directedSince_ = false;
    std::string normalised_;
    // The lines before, where the rank stands, page furniture left out: kept rather than asked for
    // again, since the lines may have to be converted to be read.
    TRecentLines recent_;
    TBrokenPosition broken_;
    // The order's first line with text and no marker, repeated on every page of a PDF copy.
    std::string title_;
    int titleIndex_ = -1;
    bool titleSeen_ = false;
};

void TImportRun::Read(int index, std::string raw) {
    TLineMarkers markers = TLineMarkers::Find(raw);
    if (markers.pesel > 0 && JoinPersonLine(raw, markers))
        guesses_.personLineJoined = true;
    const bool anyMarker =
        markers.pesel > 0 || markers.nis > 0 || markers.legalBasis || markers.blockEnd;
    NoteTitle(raw, index, anyMarker);
    std::string_view line = raw;
    // Only the person line and the NIS line have values cut from them at positions, so only
    // they are normalised; the other markers are found alike in the line as it came.
    if (markers.pesel > 0 || markers.nis > 0) {
        NormaliseLine(raw, normalised_);
        line = normalised_;
        NormaliseMarkers(raw, normalised_, markers);
    }

    // The line that ends the person line's PESEL belongs to the person line.
    const bool personLine = markers.pesel > 0 || (peselAwaited_ && !IsPageFurniture(raw, title_));
    if (markers.pesel > 0)
        ReadPerson(index, line, markers.pesel);
    else if (personLine)
        ReadAwaitedPesel(index, raw);
    const bool directed = !person_.pesel.empty() && HoldsDirected(line);
    if (directed) {
        person_.directed = true;
        directedSince_ = true;
        sources_.directed = index;
    }
    if (markers.nis > 0)
        ReadNis(index, line, markers);
    if (markers.legalBasis) {
        // The first line has no line before it; an empty one leaves the rank empty.
        const TRecentLines::TLine* before = recent_.Newest(title_, titleIndex_);
        guesses_.rankLastWord = ReadRank(before ? before->text : std::string_view(), person_.ste);
        guesses_.pageSkipped |= before && before->index != index - 1;
        sources_.rank = before ? before->index : -1;
        sources_.legalBasis = index;
    }
    if (markers.blockEnd)
        EndBlock(index);

    // A position may run over the lines before its "/ZS" line, not past a marker or "kieruję"; it
    // may begin after "kieruję ... na stanowisko" on the same line.
    if (anyMarker || personLine || raw.empty() || (IsBlank(raw.front()) && TrimText(raw).empty()))
        broken_.Clear();
    else if (directed)
        broken_.HoldDirected(index);
    else
        broken_.Hold(index);
    recent_.Push(raw, index, !anyMarker && !personLine && !directed);
}

// A person line that a PDF viewer broke before "PESEL:" ("1. szer. TESTOWY Jan" and "S. Adama,
// PESEL: ..."): the line with "PESEL:" opens without an ordinal and holds no surname before it,
// and the line before opens with one or holds a surname. The two are read as one.
bool TImportRun::JoinPersonLine(std::string& raw, TLineMarkers& markers) {
    // A marked line before (most often the block end) is no start of a person line.
    if (!recent_.NewestFree() || OpensWithOrdinal(raw) ||
        TPersonNameReader::HoldsSurname(std::string_view(raw).substr(0, markers.pesel - 1)))
        return false;
    const TRecentLines::TLine* before = recent_.Newest(title_, titleIndex_);
    // The order's title, in capitals, opens no person line.
    if (!before || !before->free || before->index == titleIndex_ ||
        !(OpensWithOrdinal(before->text) || TPersonNameReader::HoldsSurname(before->text)))
        return false;
    raw.insert(0, 1, ' ');
    raw.insert(0, before->text);
    markers = TLineMarkers::Find(raw);
    return true;
}

void TImportRun::NoteTitle(std::string_view raw, int index, bool anyMarker) {
    if (titleSeen_)
        return;
    const std::string_view text = TrimText(raw);
    if (text.empty())
        return;
    titleSeen_ = true;
    if (!anyMarker) {
        title_.assign(text);
        titleIndex_ = index;
        if (observer_)
            observer_->TitleRead(index, title_);
    }
}

void TImportRun::ReadPerson(int index, std::string_view line, int pesel) {
    ReportSkipped(observer_, person_, sources_.person, directedSince_);
    directedSince_ = false;
    ReadPersonLine(line, pesel, names_, person_, guesses_);
    sources_.person = index;
    peselAwaited_ = person_.pesel.empty() && PeselAtLineEnd(line, pesel);
    sexAwaited_ = peselAwaited_ && SexMark(line).position == 0;
}

// The first line after the person line that is not page furniture.
void TImportRun::ReadAwaitedPesel(int index, std::string_view raw) {
    person_.pesel.assign(PeselOpening(raw));
    if (sexAwaited_)
        person_.plec.assign(1, Sex({}, person_.pesel, guesses_.sexByDefault));
    guesses_.pageSkipped |= index - 1 != sources_.person;
    peselAwaited_ = false;
}

void TImportRun::ReadNis(int index, std::string_view line, const TLineMarkers& markers) {
    const TPositionStart start = ReadNisLine(line, markers.nis, person_);
    const std::size_t separatorEnd = start.separatorEnd;
    sources_.nis = index;
    const bool anchored = sources_.person < 0;
    // Without a separator or the words "stanowisko ..." on the line, the position may have begun
    // on the lines before it.
    const bool mayOpenBefore = separatorEnd == std::string_view::npos && !start.afterWords;
    // Lines held before this one are read again only where they may matter.
    const bool loaded = (mayOpenBefore || (observer_ && !start.afterWords)) &&
                        broken_.Load(lines_, title_, titleIndex_);
    bool severalSeparators = false;
    if (mayOpenBefore && loaded) {
        const std::string_view before = line.substr(0, static_cast<std::size_t>(markers.nis - 1));
        const TBrokenPosition::TJoin join =
            broken_.Join(before, anchored, person_.stanowisko, severalSeparators);
        guesses_.positionJoined = join != TBrokenPosition::TJoin::None;
        guesses_.positionJoinedWhole = join == TBrokenPosition::TJoin::Whole;
    }
    // A second search of the lines that only a reader of the guesses pays for.
    if (observer_)
        guesses_.positionAfterSeveralSeparators =
            severalSeparators || SeparatorBefore(line, separatorEnd, markers.pesel) ||
            (separatorEnd != std::string_view::npos && loaded && broken_.HoldsSeparator(anchored));
}

void TImportRun::EndBlock(int index) {
    sources_.blockEnd = index;
    if (person_.directed) {
        person_.AppendTo(table_);
        if (observer_)
            observer_->RowStored(table_.RowAt(table_.TotalRows()).id, sources_, guesses_);
    } else {
        ReportSkipped(observer_, person_, sources_.person, false);
    }
    // A block end clears the pending person whether or not it was recorded, so a skipped
    // person's values never reach the next row.
    person_.Clear();
    sources_ = TRowSources();
    guesses_ = TRowGuesses();
    directedSince_ = false;
    peselAwaited_ = false;
}

} // namespace

void TOrderParser::ImportPersons(const TOrderLines& lines, TPersonTable& table,
                                 TImportObserver* observer) const {
    table.Close();
    table.Open();
    if (observer)
        observer->ImportStarted();
    TImportRun run(lines, table, observer);
    const int count = lines.Count();
    for (int i = 0; i < count; ++i)
        run.Read(i, lines.Line(i));
    run.Finish();
    table.MoveFirst();
}
