#include "app/Unolt_f_r.h"

#include "app/Guarded.h"
#include "app/TCheckingAids.h"
#include "app/TFlatButton.h"
#include "app/TNoltApplication.h"
#include "app/TUnsavedWorkQuestion.h"
#include "export/TPersonFileWriter.h"
#include "import/TOrderParser.h"
#include "orderbox/TOrderBox.h"
#include "orderfile/TOrderFile.h"
#include "personlist/TPersonGridAccessible.h"
#include "report/SaveImportReport.h"
#include "ui/DesignValues.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>

#include <utility>

namespace {

// A screen reader should announce the window as a window, which a plain widget is not.
QAccessibleInterface* AccessibleWindow(const QString&, QObject* object) {
    auto* window = qobject_cast<Tfnolt_f_r*>(object);
    return window != nullptr ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

} // namespace

Tfnolt_f_r::Tfnolt_f_r(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    Q_INIT_RESOURCE(nolt_f_r);
    setObjectName("fnolt_f_r");
    // The task bar and a screen reader know the window by its title.
    setWindowTitle(QString::fromLatin1(TNoltApplication::Title));
    setWindowIcon(QIcon(QStringLiteral(":/images/nolt_f_r.png")));
    // The grid's accessible table reads the grid back, so the grid leaves installing it to here.
    static const bool accessible =
        (QAccessible::installFactory(&AccessibleWindow),
         QAccessible::installFactory(&TPersonGridAccessible::Create), true);
    Q_UNUSED(accessible);

    ui_ = TWindowLayout::Build(*this, ds_);
    ConnectButtons();
    ConnectGrid();
    aids_ = std::make_unique<TCheckingAids>(*this, mt_, ds_, ui_);
    AddShortcuts();
    ui_.mrozkaz->LeaveKeysToWindow(WindowKeys());
    connect(ui_.mrozkaz, &TOrderBox::OpenFileAsked, this, Guarded([this] { AskOrderFile(); }));
    setAcceptDrops(true);
}

Tfnolt_f_r::~Tfnolt_f_r() = default;

void Tfnolt_f_r::ConnectButtons() {
    const std::pair<TFlatButton*, void (Tfnolt_f_r::*)()> clicks[] = {
        {ui_.SBMin, &Tfnolt_f_r::SBMinClick},
        {ui_.SBKoniec, &Tfnolt_f_r::SBKoniecClick},
        {ui_.sbstaleplacowe, &Tfnolt_f_r::sbstaleplacoweClick},
        {ui_.SpeedButton1, &Tfnolt_f_r::SpeedButton1Click},
        {ui_.SpeedButton2, &Tfnolt_f_r::SpeedButton2Click},
        {ui_.SpeedButton3, &Tfnolt_f_r::SpeedButton3Click},
    };
    for (const auto& [button, click] : clicks)
        connect(button, &TFlatButton::clicked, this, Guarded([this, click] { (this->*click)(); }));
}

void Tfnolt_f_r::ConnectGrid() {
    TPersonGrid* grid = ui_.RxDBGrid1;
    // Directly, so that the handler's changes to the cell reach the grid's painting.
    connect(grid, &TPersonGrid::GetCellProps, this, &Tfnolt_f_r::RxDBGrid1GetCellProps,
            Qt::DirectConnection);
    connect(grid, &TPersonGrid::DeleteConfirmed, this, Guarded([this] { aids_->DeletePerson(); }));
    connect(grid, &TPersonGrid::RowOpenRequested, this,
            Guarded([this] { aids_->CorrectPerson(); }));
    connect(grid, &TPersonGrid::ActionFailed, this, &ShowCaughtFailure);
    AddGridAction(QStringLiteral("Popraw dane osoby…"), QKeySequence(Qt::Key_F4),
                  [this] { aids_->CorrectPerson(); });
    AddGridAction(QStringLiteral("Oznacz jako sprawdzone"), QKeySequence(Qt::CTRL | Qt::Key_K),
                  [this] { aids_->ConfirmPerson(); });
    // These keys belong to the whole window already; the menu only names them.
    AddGridAction(QStringLiteral("Usuń osobę\tAlt+U"), {}, [this] { SpeedButton3Click(); });
    AddGridAction(QStringLiteral("Cofnij\tCtrl+Z"), {}, [this] { aids_->UndoChange(); });
    AddGridAction(QStringLiteral("Raport importu\tCtrl+P"), {}, [this] { RaportImportuClick(); });
}

void Tfnolt_f_r::AddShortcuts() {
    AddShortcut(QKeySequence(Qt::Key_F3), [this] { aids_->FindHintedRow(1); });
    AddShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { aids_->FindHintedRow(-1); });
    // In the order box Ctrl+Z stays the box's own undo of an edit.
    AddShortcut(QKeySequence::Undo, [this] { aids_->UndoChange(); });
    AddShortcut(QKeySequence::Open, [this] { AskOrderFile(); });
    // The order box is out of the Tab order; Alt+T reaches it, Escape goes back to the grid.
    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_T), [this] { ui_.mrozkaz->TakeFocus(); });
    auto* backToGrid = new QShortcut(QKeySequence(Qt::Key_Escape), ui_.mrozkaz);
    backToGrid->setContext(Qt::WidgetShortcut);
    connect(backToGrid, &QShortcut::activated, this,
            Guarded([this] { ui_.RxDBGrid1->setFocus(Qt::ShortcutFocusReason); }));
    AddShortcut(QKeySequence(Qt::ALT | Qt::Key_P), [this] { aids_->ShowNextSkipped(); });
    AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { RaportImportuClick(); });
}

// Every key that acts in the window: its shortcuts, the buttons' access keys and the grid's
// actions, which act from the order box too.
QList<QKeySequence> Tfnolt_f_r::WindowKeys() const {
    QList<QKeySequence> keys;
    for (const QShortcut* shortcut : findChildren<QShortcut*>())
        keys.append(shortcut->key());
    for (const QAbstractButton* button : findChildren<QAbstractButton*>())
        if (!button->shortcut().isEmpty())
            keys.append(button->shortcut());
    for (const QAction* action : ui_.RxDBGrid1->actions())
        if (!action->shortcut().isEmpty())
            keys.append(action->shortcut());
    return keys;
}

void Tfnolt_f_r::AddShortcut(const QKeySequence& keys, const std::function<void()>& action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, Guarded(action));
}

// An entry of the grid's context menu, with its key, which acts on the current row wherever the
// focus is in the window, the order box included.
void Tfnolt_f_r::AddGridAction(const QString& caption, const QKeySequence& keys,
                               const std::function<void()>& action) {
    auto* entry = new QAction(caption, ui_.RxDBGrid1);
    entry->setShortcut(keys);
    entry->setShortcutContext(Qt::WindowShortcut);
    connect(entry, &QAction::triggered, this, Guarded(action));
    ui_.RxDBGrid1->addAction(entry);
}

void Tfnolt_f_r::ShowMaximized() {
    // Without a window manager nobody acts on the maximize request, so take the screen first.
    setGeometry(screen()->availableGeometry());
    showMaximized();
}

void Tfnolt_f_r::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    TWindowLayout::OpenSplit(ui_);
    FormShow();
}

// The areas have their new sizes already: the layout follows the window before this.
void Tfnolt_f_r::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible())
        TWindowLayout::OpenSplit(ui_);
}

void Tfnolt_f_r::closeEvent(QCloseEvent* event) {
    const int changes = aids_->UnsavedCount();
    if (changes > 0 && !TUnsavedWorkQuestion::AgreeToClose(this, changes))
        event->ignore();
}

void Tfnolt_f_r::FormShow() {
    ui_.Lwersja->setText(QStringLiteral("1.5"));
    ui_.Lwersja->adjustSize();
}

void Tfnolt_f_r::SBKoniecClick() {
    close();
}

void Tfnolt_f_r::SBMinClick() {
    showMinimized();
}

// The clipboard's text replaces everything the box holds; formats other than plain text do not
// count, so a clipboard without text (no owner, an image, only HTML) leaves the box as it is.
// The text is set at once: the box's own paste inserts it as a fragment, at twice the cost.
void Tfnolt_f_r::sbstaleplacoweClick() {
    QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    aids_->ShowOrderTextNote({}, ui_.mrozkaz->ReplaceText(std::move(text)));
}

void Tfnolt_f_r::SpeedButton1Click() {
    const int changes = aids_->UnsavedCount();
    if (changes > 0 && !TUnsavedWorkQuestion::AgreeToImport(this, changes))
        return;
    const TOrderBoxLines& lines = ui_.mrozkaz->Lines();
    TImportTrace& trace = aids_->StartImport();
    // The controls follow the import's outcome, not each of its rows.
    const TDataSource::THold hold(ds_);
    TOrderParser().ImportPersons(lines, mt_, &trace);
    aids_->FinishImport(lines);
}

void Tfnolt_f_r::SpeedButton2Click() {
    if (const std::optional<std::string> fileName = SDOsoby_.Execute(this)) {
        aids_->StartSave();
        {
            // The export walks every row; the controls follow where it ends, not each step.
            const TDataSource::THold hold(ds_);
            TPersonFileWriter().Export(mt_, *fileName);
        }
        aids_->FinishSave(*fileName);
    }
}

// Deletes at once, without a question; an id of 0 means the table has no row.
void Tfnolt_f_r::SpeedButton3Click() {
    if (mt_.FieldNumber("id") != 0)
        aids_->DeletePerson();
}

// The report is written only when the clerk asks for it, to the file the dialog gives.
void Tfnolt_f_r::RaportImportuClick() {
    const TImportReport report = aids_->ImportReport();
    if (const std::optional<std::string> fileName =
            SDRaport_.Execute(this, aids_->ReportFileOffer()))
        SaveImportReport(report, *fileName);
}

void Tfnolt_f_r::RxDBGrid1GetCellProps(int Row, TPersonField, TCellFont&, QColor& Background) {
    Background = QColor::fromRgb(Design::RowGrey(Row));
}

void Tfnolt_f_r::OpenOrderFile(const QString& path) {
    const auto load = [this, &path] { LoadOrderFile(path); };
    RunGuarded(load);
}

void Tfnolt_f_r::AskOrderFile() {
    if (const std::optional<QString> path = ODRozkaz_.Execute(this))
        LoadOrderFile(*path);
}

// The file's text takes the road of "WKLEJ ROZKAZ"; the note beside the counter names the file
// and the lines cut.
void Tfnolt_f_r::LoadOrderFile(const QString& path) {
    aids_->ShowOrderTextNote(path, ui_.mrozkaz->ReplaceText(TOrderFile::Read(path)));
}

// A file dropped anywhere on the window, the order box included (which leaves files to it).
void Tfnolt_f_r::dragEnterEvent(QDragEnterEvent* event) {
    if (TOrderBox::HoldsLocalFile(event->mimeData()))
        event->acceptProposedAction();
}

void Tfnolt_f_r::dropEvent(QDropEvent* event) {
    if (!TOrderBox::HoldsLocalFile(event->mimeData()))
        return;
    event->acceptProposedAction();
    OpenOrderFile(event->mimeData()->urls().constFirst().toLocalFile());
}
