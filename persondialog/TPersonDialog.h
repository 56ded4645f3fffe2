#pragma once

#include "check/TRowHints.h"
#include "persondialog/TFieldInputFilter.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class TPersonTable;

// The box "Dane osoby", where the clerk corrects one row before saving: its seven values, each
// limited to its field's width and to what Windows-1250 holds (the sex a choice of M and K), the
// problems of each value shown as it is typed, and the order lines the row came from for
// reference. It fits the screen's height: the values and the lines scroll, the buttons stay.
class TPersonDialog : public QDialog {
    Q_OBJECT

public:
    // `hints` are the row's hints as the grid shows them: the ones that come from outside the row
    // (a PESEL standing in another row, a guess of the import) hold for a value while it is
    // unchanged. Empty `orderLines` say that the order box no longer holds the imported text.
    TPersonDialog(const TPersonRecord& row, const TRowHintSet& hints, const QStringList& orderLines,
                  QWidget* parent = nullptr);

    // The row stands in `table`, which outlives the box: the title names the row and its place
    // ("Dane osoby: KOWALSKI Jan, wiersz 3 z 17"), and a PESEL as typed is compared with the
    // other rows' at once, naming the row that holds it too.
    void PlaceIn(const TPersonTable& table);

    // The values as they stand in the box, in Windows-1250, with the row's id.
    TPersonRecord Values() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateFields();
    QWidget* CreateField(TPersonField field);
    QWidget* CreateSexChoice();
    QLabel* CreateNote(QWidget* owner, TPersonField field);
    QWidget* CreateOrderLines(const QStringList& orderLines);
    QDialogButtonBox* CreateButtons();
    void SetTabOrder();
    void FitScreen();
    void ShowHints();
    void Refused(TPersonField field, const TFieldInputFilter::TEdit& edit);
    QString Text(TPersonField field) const;
    QWidget* Input(TPersonField field) const;
    QLineEdit*& Edit(TPersonField field) { return edits_[static_cast<std::size_t>(field)]; }
    QLabel*& Note(TPersonField field) { return notes_[static_cast<std::size_t>(field)]; }

    static constexpr std::size_t kFieldCount = static_cast<std::size_t>(TPersonField::Count);

    TPersonRecord row_;
    TRowHintSet outsideHints_; // the row's hints that its own values do not give
    const TPersonTable* table_ = nullptr;
    std::array<QLineEdit*, kFieldCount> edits_{}; // none for the sex
    QComboBox* sex_ = nullptr;
    std::array<QLabel*, kFieldCount> notes_{};
    std::array<QString, kFieldCount> refusals_; // what the field's last edit dropped
    QScrollArea* scroll_ = nullptr;
    QPlainTextEdit* orderLines_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};
