#include "persondialog/TFieldInputFilter.h"

#include "ui/TWin1250Validator.h"

#include <algorithm>
#include <utility>

namespace {

// One character as the clerk sees it: a surrogate pair and CR LF stay whole.
qsizetype CharacterLength(const QString& text, qsizetype at) {
    const bool pair = at + 1 < text.size() &&
                      ((text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate()) ||
                       (text.at(at) == u'\r' && text.at(at + 1) == u'\n'));
    return pair ? 2 : 1;
}

bool IsLineEnd(QChar first) {
    return first == u'\r' || first == u'\n' || first == u'\v' || first == u'\f' ||
           first == QChar::LineSeparator || first == QChar::ParagraphSeparator;
}

} // namespace

TFieldInputFilter::TFieldInputFilter(int width, TReport report, QObject* parent)
    : QValidator(parent), width_(width), report_(std::move(report)) {}

// The kept text, with the cursor moved as the characters before it were dropped or made one.
QString TFieldInputFilter::Filtered(const QString& input, int& cursor, TEdit& edit) const {
    const TWin1250Validator codePage;
    const int position = cursor;
    QString kept;
    for (qsizetype at = 0; at < input.size();) {
        const qsizetype length = CharacterLength(input, at);
        QString character = input.mid(at, length);
        const QChar first = character.at(0);
        int unused = 0;
        QString put;
        if (IsLineEnd(first) || first == u'\t') {
            put = QStringLiteral(" ");
            (first == u'\t' ? edit.tabs : edit.lineEnds) = true;
        } else if (first.unicode() < 0x20) {
            edit.controls += character;
        } else if (codePage.validate(character, unused) == Acceptable) {
            put = character;
        } else {
            edit.outside += character;
        }
        if (at < position)
            cursor -= static_cast<int>(length - put.size());
        kept += put;
        at += length;
    }
    return kept;
}

QValidator::State TFieldInputFilter::validate(QString& input, int& position) const {
    if (held_ == input)
        return Acceptable;
    TEdit edit;
    int cursor = position;
    QString kept = Filtered(input, cursor, edit);
    // What does not fit is the end of what was just put in, before the cursor.
    const int excess = static_cast<int>(kept.size()) - width_;
    if (excess > 0) {
        const int from = std::max(0, cursor - excess);
        edit.tooLong = kept.mid(from, excess);
        kept.remove(from, excess);
        cursor = from;
    }
    held_ = kept;
    input = kept;
    position = std::min(cursor, static_cast<int>(kept.size()));
    if (report_)
        report_(edit);
    return Acceptable;
}
