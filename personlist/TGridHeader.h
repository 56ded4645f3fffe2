#pragma once

#include <QColor>
#include <QFont>
#include <QHeaderView>

// The grid's title row: flat dark titles in white, a vertical line after each column, and the
// window background beyond the last column. Titles can be dragged to move a column and their
// separators to resize it; a click does not sort.
class TGridHeader : public QHeaderView {
    Q_OBJECT

public:
    TGridHeader(const QFont& titleFont, QColor lineColour, QWidget* parent = nullptr);

    // The text height of the title font plus 4.
    int TitleHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QFont titleFont_;
    QColor lineColour_;
};
