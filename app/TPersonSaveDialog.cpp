#include "app/TPersonSaveDialog.h"
#include "app/TTypeAhead.h"

#include "ui/TWin1250.h"
#ifdef Q_OS_WIN
#include "app/TSystemSaveDialog.h"
#endif

#include <QFileDialog>

TSaveDialogKind TSaveDialogKind::PersonFile() {
    return {QStringLiteral("Wprowadź nazwę pliku"), QStringLiteral("Pliki z osobami (*.os)"),
            QStringLiteral("os"), "SDOsoby"};
}

TSaveDialogKind TSaveDialogKind::ImportReport() {
    return {QStringLiteral("Zapisz raport importu"), QStringLiteral("Raporty importu (*.pdf)"),
            QStringLiteral("pdf"), "SDRaport"};
}

std::optional<std::string> TPersonSaveDialog::Execute(QWidget* parent, const QString& preferred) {
    const QString& offered = preferred.isEmpty() ? lastFileName_ : preferred;
    const std::optional<QString> fileName = answer_ ? answer_(offered) : Ask(parent, offered);
    if (!fileName)
        return std::nullopt;
    lastFileName_ = *fileName;
    return TWin1250::EncodeFileName(lastFileName_);
}

std::optional<QString> TPersonSaveDialog::Ask(QWidget* parent, const QString& offered) const {
#ifdef Q_OS_WIN
    if (TSystemSaveDialog::IsAvailable())
        return TSystemSaveDialog::Ask(parent, kind_.title, kind_.filter, kind_.suffix, offered);
#endif
    QFileDialog dialog(parent, kind_.title);
    dialog.setObjectName(kind_.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kind_.filter);
    dialog.setDefaultSuffix(kind_.suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!offered.isEmpty())
        dialog.selectFile(offered);
    if (TTypeAhead::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
