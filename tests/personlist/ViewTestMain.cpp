#include "personlist/TPersonGridAccessible.h"

#include <QAccessible>
#include <QApplication>

#include <gtest/gtest.h>

// The view tests need one application object for the whole run. They draw offscreen, also when
// CTest lists the cases at build time, where no display may exist.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As the program does, so that the grid tells a screen reader its table.
    QAccessible::installFactory(&TPersonGridAccessible::Create);
    return RUN_ALL_TESTS();
}
