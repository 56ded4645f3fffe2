#pragma once

#include <QKeySequence>
#include <QString>

class QLabel;
class QSplitter;
class QStyle;
class QWidget;
class TAccessKeyCue;
class TCheckLabel;
class TDataSource;
class TFlatButton;
class TOrderBox;
class TPersonGrid;
class TRecordCounter;

// The controls of the main window that its handlers and checking aids work with, by the design's
// object names.
struct TWindowControls {
    QLabel* Lwersja = nullptr;
    TFlatButton* SBMin = nullptr;
    TFlatButton* SBKoniec = nullptr;
    TOrderBox* mrozkaz = nullptr;
    TFlatButton* sbstaleplacowe = nullptr;
    TFlatButton* SpeedButton1 = nullptr; // IMPORTUJ OSOBY
    TFlatButton* SpeedButton2 = nullptr; // ZAPISZ DO PLIKU
    TFlatButton* SpeedButton3 = nullptr; // USUŃ OSOBĘ
    TPersonGrid* RxDBGrid1 = nullptr;
    TRecordCounter* DBStatusLabel1 = nullptr;
    TCheckLabel* LPominiete = nullptr;
    TCheckLabel* LDoSprawdzenia = nullptr;
    QLabel* LZapisano = nullptr;
    // Between the order area and the person area; Alt+Shift+Up and Alt+Shift+Down move it.
    QSplitter* Podzial = nullptr;
};

// The main window's controls at the design's places, sizes and colours (ui/DesignValues.h): the
// title strip, the order text box `mrozkaz` with its button column, and the person area with the
// counter line over the grid. Every control carries the design's object name, by which the tests
// and the scripts find it. The buttons' captions, tooltips and keys are set here; what a click
// does is the window's business. A button's further key (Ctrl+S, Alt+F9, Alt+F4) presses it from
// anywhere in the window.
class TWindowLayout {
public:
    // Builds the controls into `window`, whose layout they fill, over the rows of `link`.
    static TWindowControls Build(QWidget& window, TDataSource& link);
    // Puts the split at the design's place, or higher where the grid would show fewer than
    // kLeastGridLines rows there; whenever the window's size changes, until the clerk moves it.
    static void OpenSplit(const TWindowControls& controls);

    static constexpr int kLeastGridLines = 5;

private:
    TWindowLayout(QWidget& window, TDataSource& link);

    QWidget* CreateTitleStrip();
    QWidget* CreateOrderArea();
    QWidget* CreatePersonArea();
    QWidget* CreateCounterLine(QWidget* parent);
    TFlatButton* CreateTitleButton(QWidget* strip, const char* name, int x, const QString& action,
                                   const QKeySequence& keys);
    TFlatButton* CreateActionButton(QWidget* column, const char* name, int y,
                                    const QString& caption, const char* picture,
                                    const QString& action, const QKeySequence& alsoKey = {});
    void AddButtonKey(const QKeySequence& keys, TFlatButton* button);
    QSplitter* CreateSplit();

    QWidget& window_;
    TDataSource& link_;
    TAccessKeyCue* accessKeys_ = nullptr;
    QStyle* thumbs_ = nullptr; // the scroll bars' style
    TWindowControls controls_;
};
