#include "orderbox/TOrderTextLimits.h"

#include "orderbox/TOrderBoxLines.h"
#include "ui/TQtError.h"

#include <QStringList>

#include <algorithm>

namespace {

// The cut lines a note names one by one; the rest it counts.
constexpr std::size_t kNamedCutLines = 10;
static_assert(TOrderTextLimits::MaxLines == 2'000'000, "the refusal's message names the bound");

bool EndsLine(QChar unit) {
    return unit == u'\n' || unit == u'\r' || unit == QChar::ParagraphSeparator ||
           unit == QChar::LineSeparator || unit == u'\v';
}

// A line of the text: where it starts, where its line break (or the text) ends it, and where
// the next line starts, after a carriage return and its line feed as after one break.
struct TLine {
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

// The lines of `text`, until more than `most` were found.
std::vector<TLine> Lines(const QString& text, int most) {
    std::vector<TLine> lines;
    const QChar* const first = text.constData();
    const QChar* const last = first + text.size();
    for (const QChar* at = first;;) {
        const QChar* const end = std::find_if(at, last, EndsLine);
        const QChar* next = end;
        if (end != last && *next++ == u'\r' && next != last && *next == u'\n')
            ++next;
        lines.push_back({at - first, end - first, next - first});
        if (end == last || lines.size() > static_cast<std::size_t>(most))
            return lines;
        at = next;
    }
}

} // namespace

TOrderTextLimits::TLimited TOrderTextLimits::Apply(QString text) {
    const std::vector<TLine> lines = Lines(text, MaxLines);
    if (lines.size() > static_cast<std::size_t>(MaxLines))
        // The number written out: the Polish locale groups no digit of a single leading one.
        throw TQtError(
            QStringLiteral("Tekst ma ponad 2\u00A0000\u00A0000 wierszy, więcej niż ma jakikolwiek "
                           "rozkaz; nie wstawiono go. Sprawdź, czy to właściwy plik lub tekst"));
    TLimited limited;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].end - lines[i].start > MaxLineLength)
            limited.cutLines.push_back(static_cast<int>(i) + 1);
    if (limited.cutLines.empty()) {
        limited.text = std::move(text);
        return limited;
    }
    const QStringView whole(text);
    for (const TLine& line : lines) {
        limited.text +=
            whole.mid(line.start, std::min<qsizetype>(line.end - line.start, MaxLineLength));
        limited.text += whole.mid(line.end, line.next - line.end);
    }
    return limited;
}

QString TOrderTextLimits::CutLinesNote(const std::vector<int>& cutLines) {
    if (cutLines.empty())
        return {};
    QStringList named;
    for (std::size_t i = 0; i < std::min(cutLines.size(), kNamedCutLines); ++i)
        named.append(QString::number(cutLines[i]));
    QString note = QStringLiteral("Skrócono do %L1 znaków (import czyta %2) wiersze: %3")
                       .arg(MaxLineLength)
                       .arg(TOrderBoxLines::MaxLineLength)
                       .arg(named.join(QStringLiteral(", ")));
    if (cutLines.size() > kNamedCutLines)
        note += QStringLiteral(" i %L1 dalszych").arg(cutLines.size() - kNamedCutLines);
    return note;
}
