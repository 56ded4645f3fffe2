#include "dialogs/TQtSaveDialog.h"
#include "dialogs/TSystemSaveDialog.h"

// Qt's dialog is the one the desktop's own look and keys come with.
std::optional<QString> TSystemSaveDialog::Ask(QWidget* parent, const TSaveDialogKind& kind,
                                              const QString& offered) {
    return TQtSaveDialog::Ask(parent, kind, offered);
}
