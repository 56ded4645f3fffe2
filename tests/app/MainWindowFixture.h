#pragma once

#include "app/Unolt_f_r.h"
#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderBoxLines.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

inline const QString PersonBlock =
    QStringLiteral("1. szer. TESTOWY Jan S. Adama, PESEL: 00000000001,\n"
                   "kieruję do PKW\n"
                   "na stanowisko - kierowca /ZS000000000001\n"
                   "stopień etatowy: szer.\n"
                   "PODSTAWA PRAWNA: art. 1\n"
                   "UZASADNIENIE: brak\n");

// The main window shown over the screen, with the steps a clerk takes in it.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() { window.ShowMaximized(); }

    void Click(const char* name) {
        auto* button = window.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        Click("sbstaleplacowe");
    }

    void ImportOnePerson() {
        Paste(PersonBlock);
        Click("SpeedButton1");
        ASSERT_EQ(window.mt().TotalRows(), 1);
    }

    TOrderBox& Box() { return *window.findChild<TOrderBox*>("mrozkaz"); }

    // The lines the box hands to the parser, from the first to the last counted one.
    Lines BoxLines() {
        const TOrderBoxLines& lines = Box().Lines();
        Lines result;
        for (int i = 0; i < lines.Count(); ++i)
            result.push_back(lines.Line(i));
        return result;
    }

    Tfnolt_f_r window;
};

// Types the name into the dialog's file name box and confirms it with Enter, as a user does.
inline void EnterFileName(QFileDialog& dialog, const QString& fileName) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(fileName);
    QTest::keyClick(edit, Qt::Key_Return);
}

inline QString Native(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}
