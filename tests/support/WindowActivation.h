#pragma once

#include <QTest>
#include <QWidget>

// Waits until `window` is active. Under Wine, with both cores running other test programs, a
// window's activation has been seen to take over Qt's default five seconds; a slow machine is no
// fault of the window.
inline bool WindowBecomesActive(QWidget& window) {
    return QTest::qWaitForWindowActive(&window, 30000);
}
