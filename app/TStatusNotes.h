#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QLabel;
class QWidget;
class TCheckLabel;
struct TWindowControls;

// The counter line's words to the clerk: how many persons the import skipped (with the reasons
// as its tooltip), how many rows are to check, and `LZapisano`'s note, which tells either what the
// last save wrote or where the order box's text came from and which of its lines were cut. A save's
// note stays until the rows change; a note on the order's text goes with the box's next change.
// A screen reader hears each note and each new count of the rows to check.
class TStatusNotes : public QObject {
public:
    TStatusNotes(QWidget& window, const TWindowControls& controls);

    void ShowSkipped(int count, const QString& reasons);
    void HideSkipped();
    void ShowToCheck(int count);
    // "Zapisano 12 osób: osoby.os; odczyt kontrolny zgodny".
    void ShowSaved(int persons, const std::string& fileName);
    // The file the order box's text came from (none for a paste) and the lines it had cut.
    void ShowOrderText(const QString& path, const std::vector<int>& cutLines);
    void HideNote();

private:
    // Shows `note`; `onOrder`: it tells of the order's text rather than of a save.
    void ShowNote(const QString& note, bool onOrder);

    QWidget& window_;
    TCheckLabel& skipped_;
    TCheckLabel& toCheck_;
    QLabel& note_;
    bool noteOnOrder_ = false; // the note tells of the order's text, not of a save
};
