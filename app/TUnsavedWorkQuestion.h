#pragma once

#include <QString>

class QWidget;

// The question before the clerk's unsaved changes to the rows go, with the window's title as its
// caption and "Nie" as the default and the escape answer, so that a slip of Enter or Escape keeps
// the work. It says how many changes would go and what the step does with them.
class TUnsavedWorkQuestion {
public:
    // Before an import replaces the rows.
    static bool AgreeToImport(QWidget* parent, int changes);
    // Before the window closes.
    static bool AgreeToClose(QWidget* parent, int changes);

private:
    static bool Ask(QWidget* parent, int changes, const QString& consequence);
};
