#include "MissingTool.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::filesystem::path Reader =
    std::filesystem::path(NOLT_SOURCE_DIR) / "tests" / "e2e" / "atspi_read_window.py";

// The system's own Python, which has the accessibility bindings (python3-gi).
QString SystemPython() {
    const QString python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    return python.isEmpty() ? QStandardPaths::findExecutable("python3") : python;
}

// The real program on its own display and session bus, read by a small AT-SPI client that fills
// the order box and presses "IMPORTUJ OSOBY" over the bus, as an assistive tool may; it hears the
// count of rows to check announced once, and moving to the next row, every problem of that row
// with its column's title; Ctrl+K in the order box confirms that row and leaves the order's text
// as it was (offscreen, Qt takes the Windows keys, where Ctrl+K edits nothing).
TEST(AccessibilityBusTest, ScreenReaderReadsTheControlsAndWalksTheGrid) {
    if (const char* tool = MissingTool({"xvfb-run", "dbus-run-session", "xdotool"}))
        GTEST_SKIP() << tool << " is not installed; the accessibility bus test needs xvfb, "
                     << "dbus, xdotool, at-spi2-core and python3-gi";
    const TempFolder folder;
    const std::filesystem::path order = folder / "rozkaz.txt";
    QFile file(QString::fromStdString(order.string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const char digit : {'1', '2'})
        file.write(QStringLiteral("%1. szer. TESTOWY%1 Jan S. Adama, PESEL: 0000000000%1,\n"
                                  "kieruję do PKW\nna stanowisko - kierowca /ZS00000000000%1\n"
                                  "stopień etatowy: szer.\nUZASADNIENIE: brak\n")
                       .arg(digit)
                       .toUtf8());
    file.close();

    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                             "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"})
        environment.remove(name);
    reader.setProcessEnvironment(environment);
    const std::filesystem::path reading = folder / "odczyt.txt";
    reader.start("xvfb-run", {"-a", "-s", "-screen 0 1280x800x24", "dbus-run-session", "--",
                              SystemPython(), QString::fromStdString(Reader.string()), NOLT_PROGRAM,
                              QString::fromStdString(order.string()),
                              QString::fromStdString(reading.string())});
    ASSERT_TRUE(reader.waitForFinished(180'000));
    QFile readingFile(QString::fromStdString(reading.string()));
    const QString output = readingFile.open(QIODevice::ReadOnly)
                               ? QString::fromUtf8(readingFile.readAll())
                               : QString();
    if (reader.exitCode() == 77)
        GTEST_SKIP() << output.toStdString();
    ASSERT_EQ(reader.exitCode(), 0)
        << output.toStdString() << reader.readAllStandardOutput().toStdString()
        << reader.readAllStandardError().toStdString();

    EXPECT_EQ(output.toStdString(),
              std::string("window frame NOLT-Fr\n"
                          "title NOLT-Fr\n"
                          "control text Treść rozkazu kierującego do PKW\n"
                          "control push button WKLEJ ROZKAZ\n"
                          "control push button IMPORTUJ OSOBY\n"
                          "control push button ZAPISZ DO PLIKU\n"
                          "control push button USUŃ OSOBĘ\n"
                          "control push button Minimalizuj\n"
                          "control push button Zamknij\n"
                          "table Osoby 2 x 7\n"
                          "titles PESEL|NAZWISKO|IMIĘ|PŁEĆ|STE|STANOWISKO|NIS\n"
                          "row 0 00000000001|TESTOWY1|Jan|M||kierowca|ZS000000000001\n"
                          "row 1 00000000002|TESTOWY2|Jan|M||kierowca|ZS000000000002\n"
                          "selected [0]\n"
                          "cell table cell TESTOWY1 selected\n"
                          "counter label osoba 1 z 2\n"
                          "announced Do sprawdzenia: 2\n"
                          "focus table row: 00000000002, TESTOWY2, Jan, M, kierowca, "
                          "ZS000000000002; PESEL: błędna cyfra kontrolna numeru PESEL; "
                          "PESEL: numer PESEL zawiera niemożliwą datę urodzenia; "
                          "PŁEĆ: płeć niezgodna z numerem PESEL; STE: brak stopnia\n"
                                     "announced Do sprawdzenia: 1\n"
                                     "order text after Ctrl+K unchanged\n"))
        << reader.readAllStandardError().toStdString();
}

} // namespace
