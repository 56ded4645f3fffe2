#pragma once

#include "dialogs/TOrderOpenDialog.h"
#include "dialogs/TPersonSaveDialog.h"
#include "app/TWindowLayout.h"
#include "personlist/TDataSource.h"
#include "personlist/TPersonGrid.h"
#include "register/TPersonTable.h"

#include <QWidget>

#include <functional>
#include <memory>

class TCheckingAids;

// The main window `fnolt_f_r`: borderless and maximized, with the title strip, the order text
// box `mrozkaz` and its button column, and the person area below. It owns the person table `mt`
// and the save dialog `SDOsoby` for the whole run. Here stand the design's handlers, one per
// click; the controls are built by TWindowLayout and the checking aids (hints, highlighted order
// lines) live in TCheckingAids, which the handlers call and which hands the clerk's corrections
// and undo to TRowEdits and the counter line's notes to TStatusNotes. The handlers catch
// nothing: each is connected through Guarded, where a failure ends and is shown in the error box.
//
// The buttons: sbstaleplacowe "WKLEJ ROZKAZ" pastes the order, SpeedButton1 "IMPORTUJ OSOBY"
// reads the persons from it, SpeedButton2 "ZAPISZ DO PLIKU" saves them, SpeedButton3 "USUŃ OSOBĘ"
// deletes the current one; SBMin and SBKoniec minimize and close the window. Before the clerk's
// unsaved changes go (an import, closing) the window asks.
//
// The order may also come from its own file (.docx, .odt, text): dropped on the window, named on
// the command line, or chosen with Ctrl+O or the order box's context menu in the dialog
// "Otwórz rozkaz". Its text replaces the box's as a paste does.
//
// Every action has its key: Alt and the underlined letter of a button's caption (underlined
// while Alt is held), Ctrl+S to save, Alt+F9 and Alt+F4 to minimize and close, F3 and Shift+F3
// to walk the hinted rows, F4 to correct a row, Ctrl+K to confirm it, Ctrl+Z to undo, Ctrl+P
// to save the import's report.
class Tfnolt_f_r : public QWidget {
    Q_OBJECT

public:
    explicit Tfnolt_f_r(QWidget* parent = nullptr);
    ~Tfnolt_f_r() override;

    // Shows the window over the whole screen, also where no window manager maximizes it.
    void ShowMaximized();

    TPersonTable& mt() { return mt_; }
    TPersonSaveDialog& SDOsoby() { return SDOsoby_; }
    TPersonSaveDialog& SDRaport() { return SDRaport_; }
    TOrderOpenDialog& ODRozkaz() { return ODRozkaz_; }

    // Puts the text of the order's file in the box; a file that cannot be read is shown in the
    // error box and changes nothing.
    void OpenOrderFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Asks before unsaved changes of the clerk's go; without them the window closes at once.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void SBKoniecClick();
    void SBMinClick();
    void sbstaleplacoweClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void RaportImportuClick();
    void RxDBGrid1GetCellProps(int Row, TPersonField Field, TCellFont& AFont, QColor& Background);

    void AskOrderFile();
    void LoadOrderFile(const QString& path);
    void ConnectButtons();
    void ConnectGrid();
    void AddShortcuts();
    void AddShortcut(const QKeySequence& keys, const std::function<void()>& action);
    QList<QKeySequence> WindowKeys() const;
    void AddGridAction(const QString& caption, const QKeySequence& keys,
                       const std::function<void()>& action);

    TPersonTable mt_;
    TDataSource ds_{mt_}; // after mt_: the link goes before the table
    TPersonSaveDialog SDOsoby_;
    TPersonSaveDialog SDRaport_{TSaveDialogKind::ImportReport()};
    TOrderOpenDialog ODRozkaz_;
    TWindowControls ui_;
    bool splitOpened_ = false;            // the split opens once, at the window's first showing
    std::unique_ptr<TCheckingAids> aids_; // goes before the controls, whose signals it hears
};
