#include "dialogs/TPersonSaveDialog.h"
#include "dialogs/TSystemSaveDialog.h"

#include "ui/TFileName.h"

std::optional<std::string> TPersonSaveDialog::Execute(QWidget* parent, const QString& preferred) {
    const QString& offered = preferred.isEmpty() ? lastFileName_ : preferred;
    const std::optional<QString> fileName =
        answer_ ? answer_(offered) : TSystemSaveDialog::Ask(parent, kind_, offered);
    if (!fileName)
        return std::nullopt;
    lastFileName_ = *fileName;
    return TFileName::Encode(lastFileName_);
}
