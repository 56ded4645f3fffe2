#pragma once

#include "dialogs/TSaveDialogKind.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;

// The save dialog `SDOsoby` for person files, and of that kind for the import's report. It offers
// the name confirmed last during the run, adds the kind's extension to a name typed without one,
// and asks nothing about an existing file (the save replaces it) or about a folder that does not
// exist (the save reports it).
class TPersonSaveDialog {
public:
    explicit TPersonSaveDialog(TSaveDialogKind kind = TSaveDialogKind::PersonFile())
        : kind_(std::move(kind)) {}

    // Shows the dialog modally over `parent`, offering `preferred` when it is given and the name
    // confirmed last otherwise; the confirmed name in the file layer's narrow encoding, or none
    // when the user cancelled.
    std::optional<std::string> Execute(QWidget* parent, const QString& preferred = {});

    // From now on the name comes from `answer` instead of the modal dialog: given the name the
    // dialog would offer, it returns the confirmed name as the dialog would (extension included),
    // or none to cancel. For a caller that times the save without the user's time in the dialog.
    using TAnswer = std::function<std::optional<QString>(const QString& offered)>;
    void AnswerWith(TAnswer answer) { answer_ = std::move(answer); }

private:
    TSaveDialogKind kind_;
    QString lastFileName_;
    TAnswer answer_;
};
