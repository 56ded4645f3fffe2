#pragma once

#include "TRowHints.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;

// The box "Dane osoby", where the clerk corrects one row before saving: its seven values, each
// limited to its field's width and to what Windows-1250 holds, the problems of each value shown
// as it is typed, and the order lines the row came from for reference.
class TPersonDialog : public QDialog {
    Q_OBJECT

public:
    // `hints` are the row's hints as the grid shows them: the ones that come from outside the row
    // (a PESEL standing in another row, a guess of the import) hold for a value while it is
    // unchanged. Empty `orderLines` say that the order box no longer holds the imported text.
    TPersonDialog(const TPersonRecord& row, const TRowHintSet& hints, const QStringList& orderLines,
                  QWidget* parent = nullptr);

    // The values as they stand in the box, in Windows-1250, with the row's id.
    TPersonRecord Values() const;

private:
    QWidget* CreateField(TPersonField field);
    QWidget* CreateOrderLines(const QStringList& orderLines);
    void ShowHints();
    QLineEdit*& Edit(TPersonField field) { return edits_[static_cast<std::size_t>(field)]; }
    QLabel*& Note(TPersonField field) { return notes_[static_cast<std::size_t>(field)]; }

    TPersonRecord row_;
    TRowHintSet outsideHints_; // the row's hints that its own values do not give
    std::array<QLineEdit*, static_cast<std::size_t>(TPersonField::Count)> edits_{};
    std::array<QLabel*, static_cast<std::size_t>(TPersonField::Count)> notes_{};
};
