#pragma once

#include "TChangeHistory.h"
#include "TDataSource.h"
#include "TImportTrace.h"
#include "TPersonGrid.h"
#include "TPersonSaveDialog.h"
#include "TPersonTable.h"
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
// deletions one at a time.
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
    void RxDBGrid1GetCellProps(int Row, TPersonField Field, TCellFont& AFont, QColor& Background);
    // The note of a cell: its problems, and the value the import found when the clerk changed it.
    TCellNote CellNote(const TPersonRecord& row, TPersonField field) const;

    void DeletePerson();
    void CorrectPerson();
    void ConfirmPerson();
    void UndoChange();
    QStringList CurrentRowOrderLines() const;
    void FindHintedRow(int step);
    void RefreshChecks();
    void ShowSaveNote(const std::string& fileName);
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
    QLabel* Lwersja_ = nullptr;
    TOrderBox* mrozkaz_ = nullptr;
    TPersonGrid* RxDBGrid1_ = nullptr;
    TRecordCounter* DBStatusLabel1_ = nullptr;

    TImportTrace trace_;
    TRowHints hints_;
    TChangeHistory history_;
    int imports_ = 0; // tells a row of one import from the row of another with the same id
    TOrderHighlighter* highlighter_ = nullptr;
    TCheckLabel* LPominiete_ = nullptr;
    TCheckLabel* LDoSprawdzenia_ = nullptr;
    QLabel* LZapisano_ = nullptr;
    TAccessKeyCue* accessKeys_ = nullptr;
    QStyle* thumbs_ = nullptr; // the scroll bars' style
};
