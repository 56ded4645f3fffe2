#include "TPersonListTestWindow.h"
#include "ui/PolishPlural.h"

#include <QHeaderView>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

TEST(PolishCount, TakesTheFormOfTheNumber) {
    const std::pair<int, const char*> cases[] = {
        {0, "0 osób"},    {1, "1 osobę"},    {2, "2 osoby"},    {4, "4 osoby"},
        {5, "5 osób"},    {12, "12 osób"},   {14, "14 osób"},   {21, "21 osób"},
        {22, "22 osoby"}, {112, "112 osób"}, {104, "104 osoby"}};
    for (const auto& [count, text] : cases)
        EXPECT_EQ(PolishCount(count, QStringLiteral("osobę"), QStringLiteral("osoby"),
                              QStringLiteral("osób"))
                      .toStdString(),
                  text);
}

// The grid painted at a scaling above 1: around each column line only the line's and the
// row's colours, never the white of the background showing through a gap.
class GridScalingTest : public testing::TestWithParam<double> {};

TEST_P(GridScalingTest, ColumnLinesMeetTheCells) {
    const double scale = GetParam();
    TPersonListTestWindow window;
    ImportRows(window.mt, 3);
    TPersonGrid& grid = *window.grid;
    QPixmap picture(grid.size() * scale);
    picture.setDevicePixelRatio(scale);
    grid.render(&picture);
    const QImage image = picture.toImage();

    const QHeaderView& header = *grid.Header();
    // The title row and the two lines that are not selected.
    const int lines[] = {header.height() / 2, header.height() + grid.RowHeight() * 3 / 2,
                         header.height() + grid.RowHeight() * 5 / 2};
    for (int column = 0; column < header.count(); ++column) {
        const int edge = header.sectionViewportPosition(column) + header.sectionSize(column);
        // Beyond the last column lies the background.
        const int end = column + 1 < header.count() ? edge + 1 : edge;
        for (const int y : lines) {
            std::set<QRgb> colours;
            for (int x = int(std::floor((edge - 2) * scale)); x < int(end * scale); ++x)
                colours.insert(image.pixel(x, int(y * scale)) & 0xFFFFFF);
            EXPECT_EQ(colours.count(0xFFFFFF), 0u) << "column " << column << ", y " << y;
            EXPECT_EQ(colours.count(0x808080), 1u) << "column " << column << ", y " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PersonGrid, GridScalingTest, testing::Values(1.0, 1.5, 2.0));

} // namespace
