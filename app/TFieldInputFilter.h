#pragma once

#include <QValidator>

#include <functional>
#include <optional>

// The filter of a text field of "Dane osoby": it keeps of a typed or pasted text what the field
// can hold and drops the rest, rather than refusing the whole text. A character is dropped when
// TWin1250Validator refuses it; of a text longer than the field, the end of what was just put in.
// Each edit is reported, with what it dropped (nothing, mostly); the field's second look at the
// text the filter has just cut is not an edit of its own.
class TFieldInputFilter : public QValidator {
    Q_OBJECT

public:
    // `outside`: the characters dropped for the code page; `tooLong`: the text dropped for the
    // field's width.
    using TReport = std::function<void(const QString& outside, const QString& tooLong)>;

    TFieldInputFilter(int width, TReport report, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    int width_;
    TReport report_;
    mutable std::optional<QString>
        cut_; // the text the last edit was cut to, until the field looks at it again
};
