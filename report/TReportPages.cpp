#include "report/TReportPages.h"

#include "ui/DesignValues.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

constexpr int kResolution = 300; // dots per inch of the page's coordinates
constexpr double kMarginMm = 15;

// The share of the page's width of each column: the row's number, then the grid's columns.
constexpr std::array<double, kGridColumnCount + 1> kColumnShares{0.05,  0.12, 0.15, 0.12,
                                                                 0.045, 0.12, 0.26, 0.135};
static_assert(kColumnShares.size() == kGridColumnCount + 1);

// Lines break between words, and within a word only where it is wider than its box (a long path,
// a long word in a narrow column), so that no text runs over its box.
QTextOption WrapOption(int alignment) {
    QTextOption option{Qt::Alignment(alignment)};
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

QFont PrintFont(const QFont& design, double points, bool bold = false, bool italic = false) {
    QFont font = design;
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

QByteArray TReportPages::Pdf(const TImportReport& report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Raport importu: ") + report.title);
        writer.setCreator(QStringLiteral("NOLT-Fr"));
        TReportPages pages(writer, report);
        const int pageCount = pages.Run(nullptr, 0);
        QPainter painter(&writer);
        pages.Run(&painter, pageCount);
    }
    return bytes;
}

TReportPages::TReportPages(QPagedPaintDevice& device, const TImportReport& report)
    : device_(device), report_(report) {
    const QFont text = Design::TextFont();
    titleFont_ = PrintFont(Design::TitleFont(), 16, true);
    headingFont_ = PrintFont(text, 10, true);
    textFont_ = PrintFont(text, 8.5);
    boldFont_ = PrintFont(text, 8.5, true);
    tableFont_ = PrintFont(text, 7);
    noteFont_ = PrintFont(text, 6.5, false, true);
    orderFont_ = PrintFont(Design::OrderFont(), 7.5);
    width_ = device.width();
    height_ = device.height();
}

int TReportPages::Run(QPainter* painter, int pageCount) {
    painter_ = painter;
    pageCount_ = pageCount;
    nextHeight_ = 0;
    page_ = 0;
    inTable_ = false;
    PageHeading();
    Text(titleFont_, QRectF(0, y_, width_, height_), QStringLiteral("Raport importu"));
    y_ += TextHeight(titleFont_, width_, QStringLiteral("Raport importu")) + Mm(2);
    Heading(QStringLiteral("Rozkaz"));
    Pairs(report_.order);
    Heading(QStringLiteral("Liczby osób"));
    Pairs(report_.counts);
    Legend();
    Rows(QStringLiteral("Osoby na liście"), report_.rows, QStringLiteral("Lista jest pusta."));
    Rows(QStringLiteral("Osoby usunięte z listy"), report_.deleted,
         QStringLiteral("Nie usunięto żadnej osoby."));
    Heading(QStringLiteral("Osoby pominięte przy imporcie"));
    if (report_.skipped.empty())
        Pairs({{QStringLiteral("Brak"), QStringLiteral("każda osoba rozkazu dała wiersz")}});
    for (const TReportSkipped& skipped : report_.skipped)
        Skipped(skipped);
    Signature();
    return page_;
}

double TReportPages::Mm(double millimetres) const {
    return millimetres / 25.4 * kResolution;
}

// The height of `text` wrapped within `width` as Text paints it, measured while the pages are
// counted and remembered for their painting. A text that fits on one line is not laid out, which
// keeps a long list quick.
double TReportPages::TextHeight(const QFont& font, double width, const QString& text) {
    // The painting asks for the heights in the order the count of the pages did.
    if (painter_)
        return heights_.at(nextHeight_++);
    heights_.push_back(MeasuredHeight(font, width, text));
    return heights_.back();
}

double TReportPages::MeasuredHeight(const QFont& font, double width, const QString& text) const {
    const QFontMetricsF metrics(font, &device_);
    if (!text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= width)
        return metrics.height();
    QString lines = text;
    QTextLayout layout(lines.replace(QLatin1Char('\n'), QChar::LineSeparator), font, &device_);
    layout.setTextOption(WrapOption(0));
    layout.beginLayout();
    double height = -metrics.leading();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height() + metrics.leading();
    }
    layout.endLayout();
    return height;
}

// A text that fits on one line is drawn at its place without being laid out: a long list's
// cells are mostly such, and a layout for each would take most of the report's time.
void TReportPages::Text(const QFont& font, const QRectF& box, const QString& text, int flags) {
    if (!painter_)
        return;
    painter_->setFont(font);
    const QFontMetricsF metrics(font, &device_);
    const double width = metrics.horizontalAdvance(text);
    if (text.contains(QLatin1Char('\n')) || width > box.width()) {
        painter_->drawText(box, text, WrapOption(flags));
        return;
    }
    double left = box.left();
    if (flags & Qt::AlignRight)
        left = box.right() - width;
    else if (flags & Qt::AlignHCenter)
        left = box.left() + (box.width() - width) / 2;
    const double top =
        flags & Qt::AlignVCenter ? box.top() + (box.height() - metrics.height()) / 2 : box.top();
    painter_->drawText(QPointF(left, top + metrics.ascent()), text);
}

// Starts a new page when `height` does not fit below the current position; the column titles
// come again at the top of a page the rows' table goes on to.
void TReportPages::Ensure(double height) {
    if (y_ + height <= height_ || y_ <= bodyTop_)
        return;
    if (painter_)
        device_.newPage();
    PageHeading();
    if (inTable_)
        TableTitles();
    bodyTop_ = y_;
}

// The order's title at the left and "Strona N z M" at the right, over a rule.
void TReportPages::PageHeading() {
    ++page_;
    const QString number = QStringLiteral("Strona %1 z %2").arg(page_).arg(pageCount_);
    const QFontMetricsF metrics(boldFont_, &device_);
    const double numberWidth = metrics.horizontalAdvance(number) + Mm(4);
    const QString title = metrics.elidedText(report_.title, Qt::ElideRight, width_ - numberWidth);
    Text(boldFont_, QRectF(0, 0, width_ - numberWidth, metrics.height()), title);
    Text(boldFont_, QRectF(0, 0, width_, metrics.height()), number, Qt::AlignRight);
    if (painter_)
        painter_->drawLine(QPointF(0, metrics.height() + Mm(1)),
                           QPointF(width_, metrics.height() + Mm(1)));
    y_ = metrics.height() + Mm(4);
    bodyTop_ = y_;
}

void TReportPages::Heading(const QString& text) {
    inTable_ = false;
    const double height = TextHeight(headingFont_, width_, text);
    // A heading keeps at least a few lines of its section below it.
    Ensure(height + Mm(2) + Mm(12));
    y_ += Mm(2);
    Text(headingFont_, QRectF(0, y_, width_, height), text);
    y_ += height + Mm(1);
}

void TReportPages::Pairs(const std::vector<TReportPair>& pairs) {
    const double labelWidth = Mm(50);
    for (const auto& [label, value] : pairs) {
        const double height = std::max(TextHeight(boldFont_, labelWidth - Mm(2), label),
                                       TextHeight(textFont_, width_ - labelWidth, value));
        Ensure(height);
        Text(boldFont_, QRectF(0, y_, labelWidth - Mm(2), height), label);
        Text(textFont_, QRectF(labelWidth, y_, width_ - labelWidth, height), value);
        y_ += height + Mm(0.5);
    }
}

// What the corners of a cell mean, each beside a cell that shows it.
void TReportPages::Legend() {
    Heading(QStringLiteral("Oznaczenia"));
    const std::pair<TReportCell, QString> entries[] = {
        {{{}, true, false, false},
         QStringLiteral("czerwony róg: wartość do sprawdzenia (opis pod wierszem)")},
        {{{}, true, true, false}, QStringLiteral("szary róg: wiersz oznaczony jako sprawdzony")},
        {{{}, false, false, true},
         QStringLiteral("niebieski róg: wartość poprawiona ręcznie (pod wierszem wartość, którą "
                        "znalazł import)")},
    };
    const double sample = Mm(6);
    for (const auto& [cell, text] : entries) {
        const double height = std::max(TextHeight(textFont_, width_ - sample - Mm(2), text), Mm(4));
        Ensure(height);
        const QRectF box(0, y_, sample, Mm(4));
        if (painter_)
            painter_->drawRect(box);
        Marks(cell, box);
        Text(textFont_, QRectF(sample + Mm(2), y_, width_ - sample - Mm(2), height), text);
        y_ += height + Mm(1);
    }
}

void TReportPages::Rows(const QString& heading, const std::vector<TReportRow>& rows,
                        const QString& none) {
    Heading(heading);
    if (rows.empty()) {
        Pairs({{none, {}}});
        return;
    }
    TableTitles();
    inTable_ = true;
    for (const TReportRow& row : rows)
        Row(row);
    inTable_ = false;
}

// The width of column `index` (0: the row's number), and its left edge in `left`.
double TReportPages::Column(int index, double* left) const {
    const auto shares = kColumnShares.begin();
    if (left)
        *left = width_ * std::accumulate(shares, shares + index, 0.0);
    return width_ * shares[index];
}

void TReportPages::TableTitles() {
    const double height = QFontMetricsF(boldFont_, &device_).height() + Mm(1);
    if (painter_) {
        painter_->fillRect(QRectF(0, y_, width_, height), QColor::fromRgb(Design::kFaceGrey));
        for (int column = 0; column <= kGridColumnCount; ++column) {
            double left = 0;
            const double width = Column(column, &left);
            const QString title =
                column == 0 ? QStringLiteral("Lp.") : GridColumn(column - 1).title;
            Text(PrintFont(boldFont_, 7, true), QRectF(left, y_, width, height), title,
                 Qt::AlignCenter);
        }
    }
    y_ += height;
}

// The grid's corners: the problems' at the top right (grey once the row was checked), the
// correction's at the top left.
void TReportPages::Marks(const TReportCell& cell, const QRectF& box) {
    if (!painter_ || !(cell.problem || cell.corrected))
        return;
    const double side = Mm(1.8);
    const auto triangle = [this, side](QPointF corner, double across, QRgb colour) {
        const QPointF points[] = {corner, corner + QPointF(across, 0), corner + QPointF(0, side)};
        painter_->save();
        painter_->setPen(Qt::NoPen);
        painter_->setBrush(QColor::fromRgb(colour));
        painter_->drawPolygon(points, 3);
        painter_->restore();
    };
    if (cell.problem)
        triangle(box.topRight(), -side, cell.checked ? Design::kCheckedNoteGrey : Design::kNoteRed);
    if (cell.corrected)
        triangle(box.topLeft(), side, Design::kCorrectionBlue);
}

// A row is kept whole on a page with its notes.
void TReportPages::Row(const TReportRow& row) {
    const double pad = Mm(0.8);
    double cellsHeight = 0;
    for (int column = 0; column < kGridColumnCount; ++column)
        cellsHeight = std::max(cellsHeight, TextHeight(tableFont_, Column(column + 1) - 2 * pad,
                                                       row.cells[column].text));
    cellsHeight += 2 * pad;
    double notesLeft = 0;
    Column(1, &notesLeft);
    const double notesWidth = width_ - notesLeft - pad;
    const QString notes = row.notes.join(QLatin1Char('\n'));
    const double notesHeight = notes.isEmpty() ? 0 : TextHeight(noteFont_, notesWidth, notes) + pad;
    Ensure(cellsHeight + notesHeight);
    if (painter_) {
        Text(tableFont_, QRectF(0, y_ + pad, Column(0) - pad, cellsHeight),
             QString::number(row.number), Qt::AlignRight);
        for (int column = 0; column < kGridColumnCount; ++column) {
            double left = 0;
            const double width = Column(column + 1, &left);
            const QRectF cell(left, y_, width, cellsHeight);
            Text(tableFont_, cell.adjusted(pad, pad, -pad, -pad), row.cells[column].text,
                 static_cast<int>(GridColumn(column).cellAlignment));
            Marks(row.cells[column], cell.adjusted(Mm(0.3), Mm(0.3), -Mm(0.3), 0));
        }
        Text(noteFont_, QRectF(notesLeft + pad, y_ + cellsHeight, notesWidth, notesHeight), notes);
        painter_->save();
        painter_->setPen(QPen(QColor::fromRgb(Design::kFaceGrey), 0));
        painter_->drawLine(QPointF(0, y_ + cellsHeight + notesHeight),
                           QPointF(width_, y_ + cellsHeight + notesHeight));
        painter_->restore();
    }
    y_ += cellsHeight + notesHeight;
}

// "Wiersz 12: <reason>" and the line as the order holds it.
void TReportPages::Skipped(const TReportSkipped& skipped) {
    const QString heading = QStringLiteral("Wiersz %1: %2").arg(skipped.line).arg(skipped.reason);
    const double indent = Mm(5);
    const double headingHeight = TextHeight(boldFont_, width_, heading);
    const double textHeight = TextHeight(orderFont_, width_ - indent, skipped.text);
    Ensure(headingHeight + textHeight);
    Text(boldFont_, QRectF(0, y_, width_, headingHeight), heading);
    Text(orderFont_, QRectF(indent, y_ + headingHeight, width_ - indent, textHeight), skipped.text);
    y_ += headingHeight + textHeight + Mm(1.5);
}

// Lines for the checking clerk's name, the date and the signature, on the report's last page.
void TReportPages::Signature() {
    const QString labels[] = {QStringLiteral("Sprawdził(a), imię i nazwisko:"),
                              QStringLiteral("Data:"), QStringLiteral("Podpis:")};
    const double line = Mm(10);
    Ensure(Mm(8) + line * std::size(labels));
    y_ += Mm(8);
    const double labelWidth = Mm(55);
    for (const QString& label : labels) {
        y_ += line;
        const double height = QFontMetricsF(textFont_, &device_).height();
        Text(textFont_, QRectF(0, y_ - height, labelWidth, height), label);
        if (painter_)
            painter_->drawLine(QPointF(labelWidth, y_), QPointF(labelWidth + Mm(90), y_));
    }
}
