#pragma once

#include "dialogs/TSaveDialogKind.h"

#include <QString>

#include <optional>

class QWidget;

// Qt's own save dialog of a kind, run so that the keys typed after the key that opened it reach
// it (TTypeAhead).
class TQtSaveDialog {
public:
    // Shows the dialog modally over `parent`, offering `offered` when it is not empty; the
    // confirmed full name, or none when the user cancelled.
    static std::optional<QString> Ask(QWidget* parent, const TSaveDialogKind& kind,
                                      const QString& offered);
};
