#include "WindowTestSupport.h"

#include "TOrderBoxLines.h"
#include "Unolt_f_r.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

void PrintTo(const TPersonRecord& row, std::ostream* out) {
    *out << row.id << " [" << row.pesel << '|' << row.nazwisko << '|' << row.imie << '|' << row.plec
         << '|' << row.ste << '|' << row.nis << '|' << row.stanowisko << ']';
}

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

std::vector<TPersonRecord> TableRows(const TPersonTable& table) {
    std::vector<TPersonRecord> rows;
    for (int position = 1; position <= table.TotalRows(); ++position)
        rows.push_back(table.RowAt(position));
    return rows;
}

std::vector<std::string> BoxLines(const QTextDocument& document) {
    const TOrderBoxLines lines(document);
    std::vector<std::string> result;
    for (int i = 0; i < lines.Count(); ++i)
        result.push_back(lines.Line(i));
    return result;
}

void ClickButton(Tfnolt_f_r& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void PasteIntoWindow(Tfnolt_f_r& window, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    ClickButton(window, "sbstaleplacowe");
}
