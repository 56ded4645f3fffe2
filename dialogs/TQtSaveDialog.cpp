#include "dialogs/TQtSaveDialog.h"
#include "dialogs/TTypeAhead.h"

#include <QFileDialog>

std::optional<QString> TQtSaveDialog::Ask(QWidget* parent, const TSaveDialogKind& kind,
                                          const QString& offered) {
    QFileDialog dialog(parent, kind.title);
    dialog.setObjectName(kind.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!offered.isEmpty())
        dialog.selectFile(offered);
    if (TTypeAhead::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
