#pragma once

#include <QString>

// What a save dialog asks for: its title, the filter's name ("Pliki z osobami (*.os)"), the
// extension added to a name typed without one, and the object name of Qt's own dialog.
struct TSaveDialogKind {
    QString title;
    QString filter;
    QString suffix;
    const char* objectName;

    // The person file (`SDOsoby`) and the import's report.
    static TSaveDialogKind PersonFile();
    static TSaveDialogKind ImportReport();
};
