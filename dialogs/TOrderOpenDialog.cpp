#include "dialogs/TOrderOpenDialog.h"
#include "dialogs/TTypeAhead.h"

#include <QFileDialog>

std::optional<QString> TOrderOpenDialog::Ask(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Otwórz rozkaz"));
    dialog.setObjectName("ODRozkaz");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Rozkazy (*.docx *.odt *.txt)"), QStringLiteral("Dokumenty Word (*.docx)"),
         QStringLiteral("Dokumenty OpenDocument (*.odt)"), QStringLiteral("Pliki tekstowe (*.txt)"),
         QStringLiteral("Wszystkie pliki (*)")});
    if (TTypeAhead::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
