#include "personlist/TGridHeader.h"

#include "ui/DesignValues.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace {
const QColor kTitleText(Qt::white);
// Title captions are placed like cell texts: their top 2 px below the title's top.
constexpr int kTextTop = 2;
} // namespace

TGridHeader::TGridHeader(const QFont& titleFont, QColor lineColour, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), titleFont_(titleFont), lineColour_(lineColour) {
    setSectionsMovable(true);
    setSectionsClickable(false);
    setSortIndicatorShown(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setFixedHeight(TitleHeight());
}

int TGridHeader::TitleHeight() const {
    return QFontMetrics(titleFont_).height() + 4;
}

void TGridHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Active, QPalette::Base));
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical), height());
        if (rect.intersects(event->rect()))
            paintSection(&painter, rect, logical);
    }
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect.adjusted(0, 0, -1, 0), QColor::fromRgb(Design::kHeadingGrey));
    // Filled, not drawn: a drawn line leaves a gap beside it at some scalings.
    painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), lineColour_);
    painter->setPen(kTitleText);
    painter->setFont(titleFont_);
    const QRect textRect = rect.adjusted(0, kTextTop, -1, 0);
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                      model()->headerData(logicalIndex, orientation()).toString());
    painter->restore();
}
