#pragma once

#include <QString>

#include <optional>

class QWidget;

// The system's own save dialog, asked directly rather than through QFileDialog, which would make
// it append the filter's extension to a name typed with another one ("zapis.txt" saved as
// "zapis.txt.os"). Here the name is taken as typed when the dialog is confirmed, and the
// extension (".os", ".pdf") is added only to a name without one. No question about an existing file
// or a missing folder: the export answers those.
class TSystemSaveDialog {
public:
    // Whether the system has such a dialog for this run (not on the offscreen platform).
    static bool IsAvailable();

    // Shows the dialog modally over `parent` with one filter (`filter`, e.g. "Pliki z osobami
    // (*.os)") for files ending in `suffix`, offering the file name of `offered` (or none when
    // empty) in the folder the system chooses; the confirmed full name, or none when the user
    // cancelled.
    static std::optional<QString> Ask(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& suffix, const QString& offered);
};
