#include "TPersonSaveDialog.h"

#include "TWin1250.h"

#include <QFileDialog>

std::optional<std::string> TPersonSaveDialog::Execute(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Wprowadź nazwę pliku"));
    dialog.setObjectName("SDOsoby");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Pliki z osobami (*.os)"));
    dialog.setDefaultSuffix(QStringLiteral("os"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!lastFileName_.isEmpty())
        dialog.selectFile(lastFileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    lastFileName_ = dialog.selectedFiles().constFirst();
    return TWin1250::EncodeFileName(lastFileName_);
}
