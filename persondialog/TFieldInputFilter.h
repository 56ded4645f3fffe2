#pragma once

#include <QString>
#include <QValidator>

#include <functional>
#include <optional>

// The filter of a text field of "Dane osoby": it keeps of a typed or pasted text what the field
// can hold and drops the rest, rather than refusing the whole text. A tab or a line end (CR LF,
// CR, LF, U+000B, U+000C, U+2028, U+2029) becomes one space; any other control character below
// U+0020 is dropped, and so is a character TWin1250Validator refuses; of a text longer than the
// field, the end of what was just put in. Each edit is reported with what it changed (nothing,
// mostly); the field's further looks at the text it already holds (after a cut, when it loses
// the focus) are no edits and go unreported, so the last report stands until the text changes.
class TFieldInputFilter : public QValidator {
    Q_OBJECT

public:
    // What one edit dropped or changed.
    struct TEdit {
        QString outside;       // characters Windows-1250 lacks
        QString controls;      // control characters
        bool tabs = false;     // tabs made spaces
        bool lineEnds = false; // line ends made spaces
        QString tooLong;       // the text beyond the field's width
    };
    using TReport = std::function<void(const TEdit& edit)>;

    TFieldInputFilter(int width, TReport report, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    QString Filtered(const QString& input, int& cursor, TEdit& edit) const;

    int width_;
    TReport report_;
    mutable std::optional<QString> held_; // the text the field holds since the last edit
};
