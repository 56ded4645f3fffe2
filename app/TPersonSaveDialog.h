#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;

// The save dialog `SDOsoby` for person files. It offers the name confirmed last during the run,
// adds ".os" to a name typed without an extension, and asks nothing about an existing file (the
// export replaces it) or about a folder that does not exist (the export reports it).
class TPersonSaveDialog {
public:
    // Shows the dialog modally over `parent`; the confirmed name in the file layer's narrow
    // encoding, or none when the user cancelled.
    std::optional<std::string> Execute(QWidget* parent);

    // From now on the name comes from `answer` instead of the modal dialog: given the name the
    // dialog would offer, it returns the confirmed name as the dialog would (extension included),
    // or none to cancel. For a caller that times the save without the user's time in the dialog.
    using TAnswer = std::function<std::optional<QString>(const QString& offered)>;
    void AnswerWith(TAnswer answer) { answer_ = std::move(answer); }

private:
    std::optional<QString> Ask(QWidget* parent) const;

    QString lastFileName_;
    TAnswer answer_;
};
