#pragma once

#include <QValidator>

// Lets into a text field only what Windows-1250 and a value of the person file can hold, so that
// no character the core would turn into "?" is ever typed or pasted, nor a NUL or a line end; a
// text with any other character is refused whole.
class TWin1250Validator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};
