#pragma once

#include "TChangeHistory.h"
#include "TDataSource.h"
#include "TImportTrace.h"
#include "TOrderOpenDialog.h"
#include "TPersonGrid.h"
#include "TPersonSaveDialog.h"
#include "TPersonTable.h"
#include "TReplacedRows.h"
#include "TRowHints.h"

#include <QWidget>

#include <functional>

class QLabel;
class QStyle;
class TAccessKeyCue;
class TCheckLabel;
class TFlatButton;
class TOrderBox;
class TOrderHighlighter;
class TRecordCounter;

// The main window `fnolt_f_r`: borderless and maximized, with the title strip, the order text
// box `mrozkaz` and its button column, and the person area below. It owns the person table `mt`
// and the save dialog `SDOsoby` for the whole run. Its handlers catch nothing: each is connected
// through Guarded, where a failure ends and is shown in the error box.
//
// Beside them the window helps the clerk check the rows: the order box highlights the lines that
// fed the current row and marks the persons the import skipped, hinted cells carry a mark and a
// tooltip, F3 and Shift+F3 walk the hinted rows. The clerk may correct a row in the box "Dane
// osoby" (a double-click, F4 or the grid's context menu), which marks the changed cells, and
// confirm a hinted row as right (Ctrl+K); Ctrl+Z takes back corrections, confirmations and
// deletions one at a time, and then the import that replaced rows the clerk had changed. Before
// such changes go unsaved (an import, closing) the window asks.
//
// The order may also come from its own file (.docx, .odt, text): dropped on the window, named on
// the command line, or chosen with Ctrl+O or the order box's context menu in the dialog
// "Otwórz rozkaz". Its text replaces the box's as a paste does, and the note beside the counter
// names the file until the next change.
//
// Every action has its key: Alt and the underlined letter of a button's caption (underlined
// while Alt is held), Ctrl+S to save, Alt+F9 and Alt+F4 to minimize and close. After a save a
// note beside the counter says what went where.
class Tfnolt_f_r : public QWidget {
    Q_OBJECT

public:
    explicit Tfnolt_f_r(QWidget* parent = nullptr);

    // Shows the window over the whole screen, also where no window manager maximizes it.
    void ShowMaximized();

    TPersonTable& mt() { return mt_; }
    TPersonSaveDialog& SDOsoby() { return SDOsoby_; }
    TOrderOpenDialog& ODRozkaz() { return ODRozkaz_; }

    // Puts the text of the order's file in the box; a file that cannot be read is shown in the
    // error box and changes nothing.
    void OpenOrderFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
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
    void RxDBGrid1GetCellProps(TPersonField Field, TCellFont& AFont, QColor& Background);
    TCellNote RxDBGrid1GetCellNote(TPersonField Field) const;

    void DeletePerson();
    void CorrectPerson();
    void ConfirmPerson();
    void UndoChange();
    QStringList CurrentRowOrderLines() const;
    void FindHintedRow(int step);
    void RefreshChecks();
    void ShowSaveNote(const std::string& fileName);
    void AskOrderFile();
    void LoadOrderFile(const QString& path);
    void ShowCurrentRowSources();
    std::int32_t CurrentId() const;

    QWidget* CreateTitleStrip();
    QWidget* CreateOrderArea();
    QWidget* CreatePersonArea();
    QWidget* CreateCounterLine(QWidget* parent);
    void AddShortcut(const QKeySequence& keys, const std::function<void()>& action);
    void AddGridAction(const QString& caption, const QKeySequence& keys,
                       const std::function<void()>& action);
    void AddButtonKey(const QKeySequence& keys, TFlatButton* button);
    TFlatButton* CreateTitleButton(QWidget* strip, const char* name, int x, const QString& action,
                                   const QKeySequence& keys);
    TFlatButton* CreateActionButton(QWidget* column, const char* name, int y,
                                    const QString& caption, const char* picture,
                                    const QString& action, const QKeySequence& alsoKey = {});

    TPersonTable mt_;
    TDataSource ds_{mt_}; // after mt_: the link goes before the table
    TPersonSaveDialog SDOsoby_;
    TOrderOpenDialog ODRozkaz_;
    QLabel* Lwersja_ = nullptr;
    TOrderBox* mrozkaz_ = nullptr;
    TPersonGrid* RxDBGrid1_ = nullptr;
    TRecordCounter* DBStatusLabel1_ = nullptr;

    TImportTrace trace_;
    TRowHints hints_;
    TChangeHistory history_;
    int imports_ = 0; // tells a row of one import from the row of another with the same id
    TReplacedRows replaced_;
    bool replacedTextShown_ = false; // the order box still held the replaced rows' order
    TOrderHighlighter* highlighter_ = nullptr;
    TCheckLabel* LPominiete_ = nullptr;
    TCheckLabel* LDoSprawdzenia_ = nullptr;
    QLabel* LZapisano_ = nullptr;
    bool notesOrderFile_ = false; // LZapisano_ names the order's file, not a save
    TAccessKeyCue* accessKeys_ = nullptr;
    QStyle* thumbs_ = nullptr; // the scroll bars' style
};
