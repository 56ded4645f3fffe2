#pragma once

#include "TDataSource.h"
#include "TPersonGrid.h"
#include "TPersonSaveDialog.h"
#include "TPersonTable.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class TFlatButton;
class TRecordCounter;

// The main window `fnolt_f_r`: borderless and maximized, with the title strip, the order text
// box `mrozkaz` and its button column, and the person area below. It owns the person table `mt`
// and the save dialog `SDOsoby` for the whole run. Its handlers catch nothing; a failure reaches
// the application object, which shows it.
class Tfnolt_f_r : public QWidget {
    Q_OBJECT

public:
    explicit Tfnolt_f_r(QWidget* parent = nullptr);

    // Shows the window over the whole screen, also where no window manager maximizes it.
    void ShowMaximized();

    TPersonTable& mt() { return mt_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void SBKoniecClick();
    void SBMinClick();
    void sbstaleplacoweClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void RxDBGrid1GetCellProps(TPersonField Field, TCellFont& AFont, QColor& Background);

    QWidget* CreateTitleStrip();
    QWidget* CreateOrderArea();
    QWidget* CreatePersonArea();
    TFlatButton* CreateActionButton(QWidget* column, const char* name, int y,
                                    const QString& caption, const char* picture);

    TPersonTable mt_;
    TDataSource ds_{mt_}; // after mt_: the link goes before the table
    TPersonSaveDialog SDOsoby_;
    QLabel* Lwersja_ = nullptr;
    QPlainTextEdit* mrozkaz_ = nullptr;
    TPersonGrid* RxDBGrid1_ = nullptr;
    TRecordCounter* DBStatusLabel1_ = nullptr;
};
