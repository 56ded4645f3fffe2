#pragma once

#include "report/TImportReport.h"

#include <QByteArray>
#include <QFont>

#include <cstddef>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

// Lays the report out on A4 pages and paints them: each page starts with the order's title and
// "Strona N z M", the rows' table repeats its column titles on every page it runs over, a row and
// the signature block are never split. Laid out twice: once to count the pages, once to paint.
class TReportPages {
public:
    // The report as a PDF document, in memory.
    static QByteArray Pdf(const TImportReport& report);

private:
    TReportPages(QPagedPaintDevice& device, const TImportReport& report);
    // Lays out every page; paints them through `painter` when given. Returns the page count.
    int Run(QPainter* painter, int pageCount);

    void Ensure(double height);
    void PageHeading();
    void Heading(const QString& text);
    void Pairs(const std::vector<TReportPair>& pairs);
    void Legend();
    void TableTitles();
    void Row(const TReportRow& row);
    void Skipped(const TReportSkipped& skipped);
    void Signature();
    void Rows(const QString& heading, const std::vector<TReportRow>& rows, const QString& none);

    double Mm(double millimetres) const;
    double TextHeight(const QFont& font, double width, const QString& text);
    double MeasuredHeight(const QFont& font, double width, const QString& text) const;
    void Text(const QFont& font, const QRectF& box, const QString& text, int flags = 0);
    double Column(int index, double* left = nullptr) const;
    void Marks(const TReportCell& cell, const QRectF& box);

    QPagedPaintDevice& device_;
    const TImportReport& report_;
    QFont titleFont_, headingFont_, textFont_, boldFont_, tableFont_, noteFont_, orderFont_;
    double width_ = 0;
    double height_ = 0;
    QPainter* painter_ = nullptr; // none while counting the pages
    int page_ = 0;
    int pageCount_ = 0;
    double y_ = 0;
    double bodyTop_ = 0;   // where a page's content starts: nothing gained by a page break there
    bool inTable_ = false; // a page break repeats the column titles
    std::vector<double> heights_; // every TextHeight of the count, in its order
    std::size_t nextHeight_ = 0;
};
