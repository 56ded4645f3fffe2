#include "app/TPersonSaveDialog.h"
#include "app/TTypeAhead.h"

#include "ui/TWin1250.h"
#ifdef Q_OS_WIN
#include "app/TSystemSaveDialog.h"
#endif

#include <QFileDialog>

std::optional<std::string> TPersonSaveDialog::Execute(QWidget* parent) {
    const std::optional<QString> fileName = answer_ ? answer_(lastFileName_) : Ask(parent);
    if (!fileName)
        return std::nullopt;
    lastFileName_ = *fileName;
    return TWin1250::EncodeFileName(lastFileName_);
}

std::optional<QString> TPersonSaveDialog::Ask(QWidget* parent) const {
    const QString title = QStringLiteral("Wprowadź nazwę pliku");
#ifdef Q_OS_WIN
    if (TSystemSaveDialog::IsAvailable())
        return TSystemSaveDialog::Ask(parent, title, lastFileName_);
#endif
    QFileDialog dialog(parent, title);
    dialog.setObjectName("SDOsoby");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Pliki z osobami (*.os)"));
    dialog.setDefaultSuffix(QStringLiteral("os"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!lastFileName_.isEmpty())
        dialog.selectFile(lastFileName_);
    if (TTypeAhead::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
