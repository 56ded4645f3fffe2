#include "app/TFieldInputFilter.h"

#include "ui/TWin1250Validator.h"

#include <algorithm>
#include <utility>

namespace {

// One character as the clerk sees it: a surrogate pair stays whole.
qsizetype CharacterLength(const QString& text, qsizetype at) {
    return text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()
               ? 2
               : 1;
}

} // namespace

TFieldInputFilter::TFieldInputFilter(int width, TReport report, QObject* parent)
    : QValidator(parent), width_(width), report_(std::move(report)) {}

QValidator::State TFieldInputFilter::validate(QString& input, int& position) const {
    if (std::exchange(cut_, std::nullopt) == input)
        return Acceptable;
    const TWin1250Validator codePage;
    QString kept;
    QString outside;
    int cursor = position;
    for (qsizetype at = 0; at < input.size();) {
        const qsizetype length = CharacterLength(input, at);
        QString character = input.mid(at, length);
        int unused = 0;
        if (codePage.validate(character, unused) == Acceptable) {
            kept += character;
        } else {
            outside += character;
            if (at < position)
                cursor -= static_cast<int>(length);
        }
        at += length;
    }
    // What does not fit is the end of what was just put in, before the cursor.
    QString tooLong;
    const int excess = static_cast<int>(kept.size()) - width_;
    if (excess > 0) {
        const int from = std::max(0, cursor - excess);
        tooLong = kept.mid(from, excess);
        kept.remove(from, excess);
        cursor = from;
    }
    if (!outside.isEmpty() || !tooLong.isEmpty())
        cut_ = kept;
    input = kept;
    position = std::min(cursor, static_cast<int>(kept.size()));
    if (report_)
        report_(outside, tooLong);
    return Acceptable;
}
