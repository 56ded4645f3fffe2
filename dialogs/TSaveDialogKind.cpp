#include "dialogs/TSaveDialogKind.h"

TSaveDialogKind TSaveDialogKind::PersonFile() {
    return {QStringLiteral("Wprowadź nazwę pliku"), QStringLiteral("Pliki z osobami (*.os)"),
            QStringLiteral("os"), "SDOsoby"};
}

TSaveDialogKind TSaveDialogKind::ImportReport() {
    return {QStringLiteral("Zapisz raport importu"), QStringLiteral("Raporty importu (*.pdf)"),
            QStringLiteral("pdf"), "SDRaport"};
}
