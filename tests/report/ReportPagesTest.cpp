#include "report/SaveImportReport.h"
#include "support/TempFolder.h"
#include "tests/support/PdfText.h"
#include "ui/TFileName.h"
#include "ui/TQtError.h"

#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const QString kTitle = QStringLiteral("ROZKAZ PERSONALNY NR 12/P DOWÓDCY JEDNOSTKI");

// A report of `count` persons named OSOBA0001, OSOBA0002, ..., one of them with a long position.
TImportReport ReportOf(int count) {
    TImportReport report;
    report.title = kTitle;
    report.order = {{QStringLiteral("Źródło rozkazu"), QStringLiteral("schowek")}};
    for (int number = 1; number <= count; ++number) {
        TReportRow row;
        row.number = number;
        row.cells[1].text = QStringLiteral("OSOBA%1").arg(number, 4, 10, QLatin1Char('0'));
        row.cells[5].text =
            number == 2 ? QStringLiteral("kierowca ").repeated(12) : QStringLiteral("kierowca");
        report.rows.push_back(row);
    }
    return report;
}

QString SavedText(const TImportReport& report, const std::filesystem::path& path) {
    SaveImportReport(report, path.string());
    return PdfText(QString::fromStdString(path.string())).value_or(QString());
}

// Every page names the order and counts "Strona N z M"; the rows run on over the page breaks in
// their order, each once, with the column titles again at the top of each page.
TEST(ReportPagesTest, EveryPageIsNumberedAndTitledAndTheRowsRunOverTheBreaks) {
    if (const char* missing = PdfTextMissing())
        GTEST_SKIP() << missing;
    const TempFolder folder;
    const int count = 150;
    QStringList pages = SavedText(ReportOf(count), folder / "raport.pdf").split(QLatin1Char('\f'));
    ASSERT_TRUE(pages.last().trimmed().isEmpty()) << "each page ends with a form feed";
    pages.removeLast();
    ASSERT_GE(pages.size(), 3);

    int next = 1;
    const QRegularExpression name(QStringLiteral("OSOBA(\\d{4})"));
    for (int page = 1; page <= pages.size(); ++page) {
        const QString& text = pages[page - 1];
        SCOPED_TRACE(testing::Message() << "page " << page);
        EXPECT_EQ(text.count(QStringLiteral("Strona %1 z %2").arg(page).arg(pages.size())), 1);
        EXPECT_TRUE(text.contains(kTitle));
        EXPECT_TRUE(text.contains(QStringLiteral("NAZWISKO")) || next > count);
        for (auto match = name.globalMatch(text); match.hasNext();)
            EXPECT_EQ(match.next().captured(1).toInt(), next++);
    }
    EXPECT_EQ(next, count + 1) << "every row once";
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Podpis:")));
}

// A place that refuses the file says so, names the file, and leaves an existing file whole and
// no temporary file behind.
TEST(ReportPagesTest, ARefusedPlaceSaysSoAndLeavesTheFolderAsItWas) {
    const TempFolder folder;
    std::filesystem::create_directory(folder / "katalog.pdf");
    // A name outside Windows-1250 is named as it was given, not as "?".
    const QString base = QString::fromStdString(folder.Path().string());
    const QString places[] = {base + QStringLiteral("/brak/raport.pdf"),
                              base + QStringLiteral("/katalog.pdf"),
                              base + QStringLiteral("/brak-Ωμέγα/raport.pdf")};
    for (const QString& place : places) {
        SCOPED_TRACE(place.toStdString());
        try {
            SaveImportReport(ReportOf(1), TFileName::Encode(place));
            ADD_FAILURE() << "saved";
        } catch (const TQtError& failure) {
            EXPECT_TRUE(failure.Message().startsWith(
                QStringLiteral("Nie zapisano raportu importu w pliku „%1”: ").arg(place)))
                << failure.what();
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
}

} // namespace
