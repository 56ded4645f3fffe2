#include "personlist/TRecordCounter.h"

#include "ui/DesignValues.h"
#include "ui/PolishPlural.h"

namespace {

QString Caption(int rowNumber, int rowCount) {
    if (rowNumber >= 0 && rowCount >= 0)
        return QStringLiteral("%1:%2").arg(rowNumber).arg(rowCount);
    if (rowCount >= 0)
        return QStringLiteral("( %1 )").arg(rowCount);
    if (rowNumber >= 0)
        return QString::number(rowNumber);
    return {};
}

// The caption as a screen reader should say it ("osoba 3 z 17" for 3:17).
QString SpokenCaption(int rowNumber, int rowCount) {
    if (rowNumber >= 0 && rowCount >= 0)
        return QStringLiteral("osoba %1 z %2").arg(rowNumber).arg(rowCount);
    if (rowCount == 0)
        return QStringLiteral("brak osób");
    if (rowCount > 0)
        return PolishCount(rowCount, QStringLiteral("osoba"), QStringLiteral("osoby"),
                           QStringLiteral("osób"));
    if (rowNumber >= 0)
        return QStringLiteral("osoba %1").arg(rowNumber);
    return {};
}

} // namespace

TRecordCounter::TRecordCounter(TDataSource& ds, QWidget* parent)
    : QLabel(parent), table_(ds.DataSet()) {
    connect(&ds, &TDataSource::TableChanged, this, &TRecordCounter::Follow);
    setFont(Design::TextFont(true));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrameShape(QFrame::NoFrame);
    setIndent(0);
    setContentsMargins(0, 0, 1, 0);
    setFixedHeight(Design::kCounterHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(Design::kFaceGrey));
    setPalette(colours);
    setAutoFillBackground(true);
    // Attaching reads the table the way a change of its open state does.
    Follow(TTableChange::OpenStateChanged);
}

void TRecordCounter::Follow(TTableChange change) {
    const bool open = table_.IsOpen();
    const bool pending = table_.HasPendingRow();
    if (change != TTableChange::CursorMoved)
        rowCount_ = open && !pending ? table_.TotalRows() : -1;
    rowNumber_ = open && (table_.TotalRows() > 0 || pending) ? table_.RowNumber() : -1;
    setText(Caption(rowNumber_, rowCount_));
    setAccessibleName(SpokenCaption(rowNumber_, rowCount_));
}
