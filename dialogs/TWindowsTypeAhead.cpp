#include "dialogs/TTypeAhead.h"

#include <QDialog>

// Windows hands each key to the window that has the keyboard when the key is read, and a dialog
// shown has it at once: the keys typed ahead reach it as they are.
int TTypeAhead::Exec(QDialog& dialog) {
    return dialog.exec();
}
