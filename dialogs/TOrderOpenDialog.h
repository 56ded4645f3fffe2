#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QWidget;

// The system's open dialog "Otwórz rozkaz" for an order's own file, offering the formats the
// program reads and all files.
class TOrderOpenDialog {
public:
    // Shows the dialog modally over `parent`; the chosen file, or none when the user cancelled.
    std::optional<QString> Execute(QWidget* parent) const {
        return answer_ ? answer_() : Ask(parent);
    }

    // From now on the file comes from `answer` instead of the modal dialog (none to cancel).
    using TAnswer = std::function<std::optional<QString>()>;
    void AnswerWith(TAnswer answer) { answer_ = std::move(answer); }

private:
    static std::optional<QString> Ask(QWidget* parent);

    TAnswer answer_;
};
