#include "app/TUnsavedWorkQuestion.h"
#include "dialogs/TTypeAhead.h"

#include "app/TNoltApplication.h"

#include <QMessageBox>
#include <QPushButton>

bool TUnsavedWorkQuestion::AgreeToImport(QWidget* parent, int changes) {
    return Ask(parent, changes,
               QStringLiteral("Nowy import zastąpi wiersze i odrzuci te zmiany; Ctrl+Z zaraz po "
                              "imporcie przywróci wiersze.\n\nCzy importować osoby?"));
}

bool TUnsavedWorkQuestion::AgreeToClose(QWidget* parent, int changes) {
    return Ask(parent, changes,
               QStringLiteral("Zamknięcie programu odrzuci te zmiany.\n\nCzy zamknąć program?"));
}

bool TUnsavedWorkQuestion::Ask(QWidget* parent, int changes, const QString& consequence) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(TNoltApplication::Title),
                    QStringLiteral("Liczba niezapisanych zmian (poprawek, potwierdzeń, usunięć) "
                                   "od ostatniego importu lub zapisu: %1.\n%2")
                        .arg(changes)
                        .arg(consequence),
                    QMessageBox::NoButton, parent);
    box.setObjectName("PytanieZmiany");
    QPushButton* yes = box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    TTypeAhead::Exec(box);
    return box.clickedButton() == yes;
}
