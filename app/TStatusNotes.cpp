#include "app/TStatusNotes.h"

#include "app/TCheckLabel.h"
#include "app/TWindowLayout.h"
#include "notes/StatusAnnouncement.h"
#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderTextLimits.h"
#include "ui/PolishPlural.h"
#include "ui/TFileName.h"

#include <QFileInfo>
#include <QStringList>

TStatusNotes::TStatusNotes(QWidget& window, const TWindowControls& controls)
    : window_(window), skipped_(*controls.LPominiete), toCheck_(*controls.LDoSprawdzenia),
      note_(*controls.LZapisano) {
    connect(controls.mrozkaz->document(), &QTextDocument::contentsChanged, this, [this] {
        if (noteOnOrder_)
            note_.hide();
    });
    connect(controls.mrozkaz, &TOrderBox::LinesCut, this,
            [this](const QString& note) { ShowNote(note, true); });
}

void TStatusNotes::ShowSkipped(int count, const QString& reasons) {
    skipped_.ShowCount(count);
    skipped_.setToolTip(reasons);
}

void TStatusNotes::HideSkipped() {
    skipped_.hide();
}

// The focus stays in the grid, so a screen reader hears the new count from here.
void TStatusNotes::ShowToCheck(int count) {
    if (toCheck_.ShowCount(count))
        Announce(window_, toCheck_.text());
}

// The export has read the file back and found what it wrote.
void TStatusNotes::ShowSaved(int persons, const std::string& fileName) {
    const QString count = PolishCount(persons, QStringLiteral("osobę"), QStringLiteral("osoby"),
                                      QStringLiteral("osób"));
    const QString file = QFileInfo(TFileName::Decode(fileName)).fileName();
    ShowNote(QStringLiteral("Zapisano %1: %2; odczyt kontrolny zgodny").arg(count, file), false);
}

void TStatusNotes::ShowOrderText(const QString& path, const std::vector<int>& cutLines) {
    QStringList parts;
    if (!path.isEmpty())
        parts.append(QStringLiteral("Rozkaz z pliku: %1").arg(QFileInfo(path).fileName()));
    if (!cutLines.empty())
        parts.append(TOrderTextLimits::CutLinesNote(cutLines));
    if (!parts.isEmpty())
        ShowNote(parts.join(QStringLiteral(". ")), true);
}

void TStatusNotes::HideNote() {
    note_.hide();
}

// A note on the order's text goes with the box's next change.
void TStatusNotes::ShowNote(const QString& note, bool onOrder) {
    note_.setText(note);
    note_.show();
    noteOnOrder_ = onOrder;
    Announce(note_, note);
}
