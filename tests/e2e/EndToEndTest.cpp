#include "MissingTool.h"
#include "tests/support/ClearLine.h"
#include "import/TOrderParser.h"
#include "support/TVectorOrderLines.h"
#include "support/PersonRows.h"
#include "support/TempFolder.h"
#include "ui/TWin1250.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::filesystem::path SourceDir = NOLT_SOURCE_DIR;
const std::filesystem::path Sample = SourceDir / "samples" / "rozkaz-przyklad.txt";

// The sample order's lines in Windows-1250, read straight from the file.
Lines SampleLines() {
    QFile file(QString::fromStdString(Sample.string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList text = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!text.isEmpty() && text.back().isEmpty())
        text.removeLast();
    Lines lines;
    for (const QString& line : text)
        lines.push_back(TWin1250::Encode(line));
    return lines;
}

// The clear lines of a person file: each line scrambled and ended by a clear CR LF.
Lines DecodedLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(ClearLine(std::string_view(bytes).substr(start, end - start)));
    EXPECT_EQ(start, bytes.size()) << "the file ends with a line end";
    return lines;
}

std::string RecordLine(const TPersonRecord& row, const std::string& today) {
    std::string line;
    for (const std::string& value :
         {row.pesel, std::string("T"), row.nis, row.stanowisko, row.ste, std::string("Z"), row.plec,
          row.nazwisko, row.imie, today, std::string("01.01.2999"), today, std::string("N"),
          std::string("N"), std::string("N"), std::string("0"), std::string("#")})
        line += value + '\t';
    return line;
}

TEST(EndToEndTest, RoundThroughTheRealWindowSavesThePersonsOfTheSample) {
    if (const char* tool = MissingTool({"Xvfb", "xdotool", "xclip"}))
        GTEST_SKIP() << tool << " is not installed; the round through a real window needs "
                     << "Xvfb, xdotool and xclip (scripts/install-deps.sh installs them)";
    const TempFolder out;
    QProcess round;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    round.setProcessEnvironment(environment);
    round.start("bash", {QString::fromStdString((SourceDir / "scripts" / "e2e-round.sh").string()),
                         NOLT_PROGRAM, QString::fromStdString(Sample.string()),
                         QString::fromStdString(out.Path().string())});
    ASSERT_TRUE(round.waitForFinished(300'000));
    const QString output = round.readAllStandardOutput();
    ASSERT_EQ(round.exitCode(), 0)
        << output.toStdString() << round.readAllStandardError().toStdString();
    EXPECT_TRUE(output.trimmed().endsWith(QString::fromStdString(out.Path().string())))
        << output.toStdString();

    TPersonTable table;
    TOrderParser().ImportPersons(TVectorOrderLines(SampleLines()), table);
    const std::vector<TPersonRecord> rows = TableRows(table);
    ASSERT_FALSE(rows.empty());

    const Lines file = DecodedLines(out / "osoby.os");
    ASSERT_EQ(file.size(), 3 + rows.size());
    EXPECT_EQ((Lines{file[0], file[1]}), (Lines{"LO", "16"}));
    const QRegularExpression dateText(R"(^(?:[^\t]*\t){9}(\d\d\.\d\d\.\d{4})\t)");
    const QRegularExpressionMatch date = dateText.match(QString::fromLatin1(file[3]));
    ASSERT_TRUE(date.hasMatch()) << file[3];
    Lines expected;
    for (const TPersonRecord& row : rows)
        expected.push_back(RecordLine(row, date.captured(1).toStdString()));
    EXPECT_EQ(Lines(file.begin() + 3, file.end()), expected);

    // The screenshot shows the whole screen covered by the window: the title strip's grey at
    // the top and the heading bar's darker grey below it.
    const QImage screenshot(QString::fromStdString((out / "okno.png").string()));
    ASSERT_EQ(screenshot.size(), QSize(1280, 800));
    EXPECT_EQ(screenshot.pixel(640, 20) & 0xFFFFFF, 0xA2A2A2u);
    EXPECT_EQ(screenshot.pixel(640, 60) & 0xFFFFFF, 0x5C5C5Cu);
}

} // namespace

// The round starts the program as a process of its own; this side needs no window, and no
// display until the script starts one.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
