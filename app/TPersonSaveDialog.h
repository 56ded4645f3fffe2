#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

// The save dialog `SDOsoby` for person files. It offers the name confirmed last during the run,
// adds ".os" to a name typed without an extension, and asks nothing about an existing file (the
// export replaces it) or about a folder that does not exist (the export reports it).
class TPersonSaveDialog {
public:
    // Shows the dialog modally over `parent`; the confirmed name in the system's narrow file name
    // encoding, or none when the user cancelled.
    std::optional<std::string> Execute(QWidget* parent);

private:
    QString lastFileName_;
};
