#pragma once

#include "dialogs/TSaveDialogKind.h"

#include <QString>

#include <optional>

class QWidget;

// The save dialog of the system the program runs on; each system has its own implementation,
// chosen when the program is built. On Windows it is the system's own dialog, asked directly
// rather than through QFileDialog, which would make it append the filter's extension to a name
// typed with another one ("zapis.txt" saved as "zapis.txt.os"): the name is taken as typed, and
// the kind's extension is added only to a name without one. Where the system's dialog cannot
// start (or on the offscreen platform), and on every other system, it is Qt's own dialog
// (TQtSaveDialog). No question about an existing file or a missing folder: the export answers
// those.
class TSystemSaveDialog {
public:
    // Shows the dialog of `kind` modally over `parent`, offering the file name of `offered` (or
    // none when empty); the confirmed full name, or none when the user cancelled.
    static std::optional<QString> Ask(QWidget* parent, const TSaveDialogKind& kind,
                                      const QString& offered);
};
