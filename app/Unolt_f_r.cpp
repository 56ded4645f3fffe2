#include "Unolt_f_r.h"

#include "DesignValues.h"
#include "Guarded.h"
#include "HintTexts.h"
#include "PersonListHandlers.h"
#include "PolishPlural.h"
#include "TAccessKeyCue.h"
#include "TCheckLabel.h"
#include "TFlatButton.h"
#include "TNoltApplication.h"
#include "TOrderBox.h"
#include "TOrderBoxLines.h"
#include "TOrderHighlighter.h"
#include "TOrderParser.h"
#include "TPersonDialog.h"
#include "TPersonFileWriter.h"
#include "TPicture.h"
#include "TRecordCounter.h"
#include "TThumbStyle.h"
#include "TWin1250.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

using namespace Design;

// The instructions the order text box holds until the first paste.
QString Instructions() {
    const QStringList lines = {
        QStringLiteral("INSTRUKCJA UŻYTKOWNIKA"),
        QString(85, QLatin1Char('-')),
        QStringLiteral(
            "Aby dokonać eksportu osób z rozkazu personalnego do pliku tekstowego NOLT-F, "
            "należy:"),
        QStringLiteral(" 1. Otworzyć rozkaz personalny w programie WORD."),
        QStringLiteral(" 2. Zaznaczyć w programie WORD całą treść rozkazu (Ctrl+A)."),
        QStringLiteral(" 3. Skopiować w programie WORD zaznaczony tekst do schowka (Ctrl+C)."),
        QStringLiteral(" 4. Uruchomić moduł NOLT-Fr."),
        QStringLiteral(" 5. Wybrać przycisk WKLEJ ROZKAZ. W górnym oknie powinna się pokazać treść "
                       "rozkazu personalnego."),
        QStringLiteral(
            " 6. Wybrać przycisk IMPORTUJ OSOBY. W dolnym oknie powinny pokazać się osoby."),
        QStringLiteral(" 7. Sprawdzić wszystkie osoby. W przypadku błędnych zapisów użyć przycisku "
                       "USUŃ OSOBĘ."),
        QStringLiteral(" 8. Wybrać przycisk ZAPISZ DO PLIKU, aby zapisać osoby w pliku NOLT-F."),
        QStringLiteral(" 9. Uruchomić NOLT-F."),
        QStringLiteral("10. Otworzyć kartoteke osobową żołnierzy."),
        QStringLiteral("11. Wybrać przycisk WCZYTAJ Z PLIKU."),
        QStringLiteral(
            "12. Sprawdzić poprawność załadowanych danych - w przypadku błędów skorygować "
            "i uzupełnić.."),
        QString(),
        QStringLiteral("Wybrane przypadki, w których mogą pojawić się błędy:"),
        QStringLiteral(" 1. Nazwiska wieloczłonowe."),
        QStringLiteral(" 2. Niewłaściwe zapisy stopni etatowych (inne skróty w rozkazie, niż w "
                       "NOLT-F)."),
        QStringLiteral(" 3. Brak członu imienia ojca w rozkazie personalnym."),
        QStringLiteral(" 4. Brak określenia \"kieruję\" w formule rozkazu."),
    };
    return lines.join(QLatin1Char('\n'));
}

// A screen reader should announce the window as a window, which a plain widget is not.
QAccessibleInterface* AccessibleWindow(const QString&, QObject* object) {
    auto* window = qobject_cast<Tfnolt_f_r*>(object);
    return window != nullptr ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

void SetColours(QWidget* widget, QRgb background, QRgb text = 0x000000) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(background));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(text));
    palette.setColor(QPalette::ButtonText, QColor::fromRgb(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget* NewPanel(QWidget* parent, const char* name, QRgb background) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    SetColours(panel, background);
    return panel;
}

void NewPicture(QWidget* parent, const char* name, const char* resource, const QRect& place) {
    auto* picture = new TPicture(QString::fromLatin1(resource), parent);
    picture->setObjectName(name);
    picture->setGeometry(place);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, const QFont& font,
                 QPoint place) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->move(place);
    label->adjustSize();
    return label;
}

void MarkThumbs(const QAbstractScrollArea& area, QStyle* style) {
    area.verticalScrollBar()->setStyle(style);
    area.horizontalScrollBar()->setStyle(style);
}

int TextWidth(const QLabel& label) {
    return label.fontMetrics().horizontalAdvance(label.text());
}

QBoxLayout* NewLayout(QBoxLayout::Direction direction, QWidget* owner, int margin = 0) {
    auto* layout = new QBoxLayout(direction, owner);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(0);
    return layout;
}

// The 1-based position of the row with `id`; 0 when the table holds none.
int PositionOfId(const TPersonTable& table, std::int32_t id) {
    for (int position = 1; position <= table.TotalRows(); ++position)
        if (table.RowAt(position).id == id)
            return position;
    return 0;
}

// The first and last positions of the rows whose hints differ between `former` and `now`, taking
// in the current row; first > last when there are none.
std::pair<int, int> ChangedRows(const TRowHints& former, const TRowHints& now,
                                const TPersonTable& table) {
    if (!table.IsOpen())
        return {1, 0};
    int first = table.RowNumber() == 0 ? table.TotalRows() + 1 : table.RowNumber();
    int last = table.RowNumber();
    for (int position = 1; position <= table.TotalRows(); ++position) {
        const std::int32_t id = table.RowAt(position).id;
        if (former.HintsOf(id) != now.HintsOf(id)) {
            first = std::min(first, position);
            last = std::max(last, position);
        }
    }
    return {first, last};
}

} // namespace

Tfnolt_f_r::Tfnolt_f_r(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    Q_INIT_RESOURCE(nolt_f_r);
    setObjectName("fnolt_f_r");
    // The task bar and a screen reader know the window by its title.
    setWindowTitle(QString::fromLatin1(TNoltApplication::Title));
    setWindowIcon(QIcon(QStringLiteral(":/images/nolt_f_r.svg")));
    SetColours(this, kFaceGrey);
    setFont(TextFont());
    accessKeys_ = new TAccessKeyCue(*this);
    thumbs_ = new TThumbStyle(this);
    static const bool accessible = (QAccessible::installFactory(&AccessibleWindow), true);
    Q_UNUSED(accessible);

    QBoxLayout* layout = NewLayout(QBoxLayout::TopToBottom, this);
    layout->addWidget(CreateTitleStrip());
    layout->addWidget(CreateOrderArea());
    layout->addWidget(CreatePersonArea(), 1);

    connect(&ds_, &TDataSource::TableChanged, this, Guarded([this] { ShowCurrentRowSources(); }));
    AddShortcut(QKeySequence(Qt::Key_F3), [this] { FindHintedRow(1); });
    AddShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindHintedRow(-1); });
    // In the order box Ctrl+Z stays the box's own undo of an edit.
    AddShortcut(QKeySequence::Undo, [this] { UndoChange(); });
}

// A key that does what a click on the button does, wherever the focus is in the window.
void Tfnolt_f_r::AddButtonKey(const QKeySequence& keys, TFlatButton* button) {
    AddShortcut(keys, [button] { button->Press(); });
}

void Tfnolt_f_r::AddShortcut(const QKeySequence& keys, const std::function<void()>& action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, Guarded(action));
}

void Tfnolt_f_r::ShowMaximized() {
    // Without a window manager nobody acts on the maximize request, so take the screen first.
    setGeometry(screen()->availableGeometry());
    showMaximized();
}

void Tfnolt_f_r::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tfnolt_f_r::FormShow() {
    Lwersja_->setText(QStringLiteral("1.5"));
    Lwersja_->adjustSize();
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
    mrozkaz_->ReplaceText(std::move(text));
}

void Tfnolt_f_r::SpeedButton1Click() {
    const TOrderBoxLines& lines = mrozkaz_->Lines();
    ++imports_;
    history_.Clear();
    // The controls follow the import's outcome, not each of its rows.
    const TDataSource::THold hold(ds_);
    TOrderParser().ImportPersons(lines, mt_, &trace_);
    highlighter_->Follow(lines.LineStarts(), trace_.SkippedLines());
    LPominiete_->ShowCount(highlighter_->SkippedCount());
    RefreshChecks();
}

void Tfnolt_f_r::SpeedButton2Click() {
    if (const std::optional<std::string> fileName = SDOsoby_.Execute(this)) {
        LZapisano_->hide();
        {
            // The export walks every row; the controls follow where it ends, not each step.
            const TDataSource::THold hold(ds_);
            TPersonFileWriter().Export(mt_, *fileName);
        }
        ShowSaveNote(*fileName);
    }
}

// "Zapisano 12 osób: osoby.os", until the rows change.
void Tfnolt_f_r::ShowSaveNote(const std::string& fileName) {
    const QString persons = PolishCount(mt_.TotalRows(), QStringLiteral("osobę"),
                                        QStringLiteral("osoby"), QStringLiteral("osób"));
    const QString file = QFileInfo(TWin1250::DecodeFileName(fileName)).fileName();
    LZapisano_->setText(QStringLiteral("Zapisano %1: %2").arg(persons, file));
    LZapisano_->show();
}

QWidget* Tfnolt_f_r::CreateTitleStrip() {
    QWidget* panel1 = NewPanel(this, "Panel1", kTitleGrey);
    panel1->setFixedHeight(kTitleStripHeight);

    QWidget* panel5 = NewPanel(panel1, "Panel5", kTitleGrey);
    panel5->setFixedWidth(kTitleLeftWidth);
    NewPicture(panel5, "Image1", ":/images/nolt_f_r.svg", QRect(4, 2, 32, 32));
    const QLabel* label1 =
        NewLabel(panel5, "Label1", QStringLiteral("NOLT-Fr"), TitleFont(), QPoint(40, 4));
    // The version stands right after the title; a substitute font wider than the design's
    // pushes it right rather than under the title's last letter.
    Lwersja_ = NewLabel(panel5, "Lwersja", QStringLiteral("1.0"), TextFont(),
                        QPoint(std::max(141, label1->x() + TextWidth(*label1) + 1), 14));

    QWidget* panel3 = NewPanel(panel1, "Panel3", kTitleGrey);
    panel3->setFixedWidth(kTitleRightWidth);
    NewPicture(panel3, "I1", ":/images/minimize.svg", QRect(13, 7, 21, 21));
    TFlatButton* sbMin =
        CreateTitleButton(panel3, "SBMin", kMinimizeButtonLeft, QStringLiteral("Minimalizuj"),
                          QKeySequence(Qt::ALT | Qt::Key_F9));
    connect(sbMin, &TFlatButton::clicked, this, Guarded([this] { SBMinClick(); }));
    NewPicture(panel3, "I3", ":/images/close.svg", QRect(42, 7, 21, 21));
    TFlatButton* sbKoniec =
        CreateTitleButton(panel3, "SBKoniec", kCloseButtonLeft, QStringLiteral("Zamknij"),
                          QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(sbKoniec, &TFlatButton::clicked, this, Guarded([this] { SBKoniecClick(); }));

    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, panel1);
    row->addWidget(panel5);
    row->addStretch(1);
    row->addWidget(panel3);
    return panel1;
}

// A captionless button of the title strip over its picture, named for screen readers.
TFlatButton* Tfnolt_f_r::CreateTitleButton(QWidget* strip, const char* name, int x,
                                           const QString& action, const QKeySequence& keys) {
    auto* button = new TFlatButton(QString(), 0, strip);
    button->setObjectName(name);
    button->setGeometry(x, kTitleButtonTop, kTitleButtonSize, kTitleButtonSize);
    button->setAccessibleName(action);
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(action, keys.toString(QKeySequence::NativeText)));
    AddButtonKey(keys, button);
    return button;
}

QWidget* Tfnolt_f_r::CreateOrderArea() {
    QWidget* panel2 = NewPanel(this, "Panel2", kFaceGrey);
    panel2->setFixedHeight(kOrderAreaHeight);

    auto* panel4 = new QLabel(QStringLiteral("  TREŚĆ ROZKAZU KIERUJĄCEGO DO PKW"), panel2);
    panel4->setObjectName("Panel4");
    SetColours(panel4, kHeadingGrey, 0xFFFFFF);
    panel4->setFixedHeight(kHeadingBarHeight);
    panel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    mrozkaz_ = new TOrderBox(panel2);
    mrozkaz_->setObjectName("mrozkaz");
    mrozkaz_->setAccessibleName(QStringLiteral("Treść rozkazu kierującego do PKW"));
    mrozkaz_->setFont(OrderFont());
    mrozkaz_->setFrameShape(QFrame::NoFrame);
    mrozkaz_->setLineWrapMode(QPlainTextEdit::NoWrap);
    mrozkaz_->document()->setDocumentMargin(10);
    mrozkaz_->setTabChangesFocus(true);
    mrozkaz_->setFocusPolicy(Qt::ClickFocus);
    mrozkaz_->setPlainText(Instructions());
    MarkThumbs(*mrozkaz_, thumbs_);

    QWidget* panel8 = NewPanel(panel2, "Panel8", kFaceGrey);
    panel8->setFixedWidth(kButtonColumnWidth);
    auto* paste = CreateActionButton(panel8, "sbstaleplacowe", kPasteButtonTop,
                                     QStringLiteral("&WKLEJ ROZKAZ"), ":/images/paste.svg",
                                     QStringLiteral("Wkleja treść rozkazu ze schowka"));
    connect(paste, &TFlatButton::clicked, this, Guarded([this] { sbstaleplacoweClick(); }));
    auto* importButton = CreateActionButton(
        panel8, "SpeedButton1", kImportButtonTop, QStringLiteral("&IMPORTUJ OSOBY"),
        ":/images/import.svg", QStringLiteral("Wyszukuje osoby w treści rozkazu"));
    connect(importButton, &TFlatButton::clicked, this, Guarded([this] { SpeedButton1Click(); }));
    auto* save = CreateActionButton(panel8, "SpeedButton2", kSaveButtonTop,
                                    QStringLiteral("&ZAPISZ DO PLIKU"), ":/images/save.svg",
                                    QStringLiteral("Zapisuje osoby do pliku NOLT-F"),
                                    QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &TFlatButton::clicked, this, Guarded([this] { SpeedButton2Click(); }));
    auto* remove =
        CreateActionButton(panel8, "SpeedButton3", kDeleteButtonTop, QStringLiteral("&USUŃ OSOBĘ"),
                           ":/images/delete.svg", QStringLiteral("Usuwa zaznaczoną osobę"));
    connect(remove, &TFlatButton::clicked, this, Guarded([this] { SpeedButton3Click(); }));

    QBoxLayout* column = NewLayout(QBoxLayout::TopToBottom, panel2, kAreaMargin);
    column->addWidget(panel4);
    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, nullptr);
    row->addWidget(mrozkaz_, 1);
    row->addWidget(panel8);
    column->addLayout(row, 1);
    return panel2;
}

// The caption's "&" marks the button's access key; the tooltip names it and the further key.
TFlatButton* Tfnolt_f_r::CreateActionButton(QWidget* column, const char* name, int y,
                                            const QString& caption, const char* picture,
                                            const QString& action, const QKeySequence& alsoKey) {
    NewPicture(column, (QByteArray(name) + "Picture").constData(), picture,
               QRect(11, y - 1, 32, 32));
    auto* button = new TFlatButton(caption, 34, column);
    button->setObjectName(name);
    button->setGeometry(kActionButtonLeft, y, kActionButtonWidth, kActionButtonHeight);
    QString keys = button->shortcut().toString(QKeySequence::NativeText);
    if (!alsoKey.isEmpty()) {
        AddButtonKey(alsoKey, button);
        keys += QStringLiteral(", ") + alsoKey.toString(QKeySequence::NativeText);
    }
    button->setToolTip(QStringLiteral("%1 (%2)").arg(action, keys));
    connect(accessKeys_, &TAccessKeyCue::Shown, button, &TFlatButton::ShowAccessKey);
    return button;
}

QWidget* Tfnolt_f_r::CreatePersonArea() {
    QWidget* panel6 = NewPanel(this, "Panel6", kFaceGrey);

    RxDBGrid1_ = new TPersonGrid(ds_, panel6);
    RxDBGrid1_->setObjectName("RxDBGrid1");
    RxDBGrid1_->setAccessibleName(QStringLiteral("Osoby"));
    MarkThumbs(*RxDBGrid1_, thumbs_);
    RxDBGrid1_->SetOnGetCellProps(
        [this](int row, TPersonField field, TCellFont& font, QColor& background) {
            RxDBGrid1GetCellProps(row, field, font, background);
        });
    RxDBGrid1_->Model()->SetNoteSource(
        [this](const TPersonRecord& row, TPersonField field) { return CellNote(row, field); });
    RxDBGrid1_->SetRowDeleter([this] { DeletePerson(); });
    RxDBGrid1_->SetRowOpener([this] { CorrectPerson(); });
    RxDBGrid1_->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddGridAction(QStringLiteral("Popraw dane osoby…"), QKeySequence(Qt::Key_F4),
                  [this] { CorrectPerson(); });
    AddGridAction(QStringLiteral("Oznacz jako sprawdzone"), QKeySequence(Qt::CTRL | Qt::Key_K),
                  [this] { ConfirmPerson(); });
    RxDBGrid1_->SetActionRunner([](const std::function<void()>& action) { RunGuarded(action); });

    QBoxLayout* column = NewLayout(QBoxLayout::TopToBottom, panel6, kAreaMargin);
    column->addWidget(CreateCounterLine(panel6));
    column->addWidget(RxDBGrid1_, 1);
    return panel6;
}

// An entry of the grid's context menu, with its key while the grid has the focus.
void Tfnolt_f_r::AddGridAction(const QString& caption, const QKeySequence& keys,
                               const std::function<void()>& action) {
    auto* entry = new QAction(caption, RxDBGrid1_);
    entry->setShortcut(keys);
    entry->setShortcutContext(Qt::WidgetShortcut);
    connect(entry, &QAction::triggered, this, Guarded(action));
    RxDBGrid1_->addAction(entry);
}

// The record counter over the grid's width, its numbers at the right, and at its left what the
// clerk should look at.
QWidget* Tfnolt_f_r::CreateCounterLine(QWidget* parent) {
    DBStatusLabel1_ = new TRecordCounter(ds_, parent);
    DBStatusLabel1_->setObjectName("DBStatusLabel1");
    LPominiete_ = new TCheckLabel(
        QStringLiteral("Pominięte osoby: "), TOrderHighlighter::SkippedLineColour.darker(250),
        QStringLiteral("Osoby z numerem PESEL, z których nie powstał wiersz (brak \"kieruję\").\n"
                       "Kliknij, aby pokazać w treści rozkazu następną z nich."),
        DBStatusLabel1_);
    LPominiete_->setObjectName("LPominiete");
    connect(LPominiete_, &TCheckLabel::clicked, this,
            Guarded([this] { highlighter_->ShowNextSkipped(); }));
    LDoSprawdzenia_ = new TCheckLabel(
        QStringLiteral("Do sprawdzenia: "), QColor::fromRgb(kHintTextRed),
        QStringLiteral("Wiersze z oznaczonymi polami; opis w podpowiedzi pola.\n"
                       "F3 – następny, Shift+F3 – poprzedni wiersz do sprawdzenia,\n"
                       "Ctrl+K – oznacz wiersz jako sprawdzony."),
        DBStatusLabel1_);
    LDoSprawdzenia_->setObjectName("LDoSprawdzenia");
    connect(LDoSprawdzenia_, &TCheckLabel::clicked, this, Guarded([this] { FindHintedRow(1); }));
    LZapisano_ = new QLabel(DBStatusLabel1_);
    LZapisano_->setObjectName("LZapisano");
    LZapisano_->setFont(font());
    LZapisano_->hide();

    highlighter_ = new TOrderHighlighter(*mrozkaz_);
    connect(highlighter_, &TOrderHighlighter::Forgotten, LPominiete_, &QWidget::hide);

    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, DBStatusLabel1_);
    row->setSpacing(24);
    row->addWidget(LPominiete_);
    row->addWidget(LDoSprawdzenia_);
    row->addWidget(LZapisano_);
    row->addStretch(1);
    return DBStatusLabel1_;
}

void Tfnolt_f_r::SpeedButton3Click() {
    DeleteCurrentPerson(mt_, [this] { DeletePerson(); });
}

void Tfnolt_f_r::RxDBGrid1GetCellProps(int Row, TPersonField, TCellFont&, QColor& Background) {
    SetRowBackground(Row, Background);
}

TCellNote Tfnolt_f_r::CellNote(const TPersonRecord& row, TPersonField field) const {
    const TRowHintSet hints = hints_.HintsOf(row.id);
    TCellNote note{HintNote(field, hints.Of(field)), hints.confirmed, {}};
    const TPersonRecord* imported = history_.ImportedRow(row.id);
    if (imported != nullptr && imported->Text(field) != row.Text(field)) {
        const std::string& was = imported->Text(field);
        note.correction =
            was.empty()
                ? QStringLiteral("Poprawiono; import nie znalazł wartości")
                : QStringLiteral("Poprawiono; import znalazł: „%1”").arg(TWin1250::Decode(was));
    }
    if (hints.confirmed && !note.problems.isEmpty())
        note.problems += QStringLiteral("\n(wiersz oznaczony jako sprawdzony)");
    return note;
}

void Tfnolt_f_r::DeletePerson() {
    history_.DeleteCurrent(mt_);
    RefreshChecks();
}

// The box shows the row as it stands; OK stores what it holds then in that very row, wherever
// the current row is by then, and Cancel nothing. A row that went meanwhile (deleted, or its
// import replaced by another, whose ids start again from 1) takes nothing.
void Tfnolt_f_r::CorrectPerson() {
    const std::int32_t id = CurrentId();
    if (id == 0)
        return;
    const int import = imports_;
    TPersonDialog box(mt_.RowAt(mt_.RowNumber()), hints_.HintsOf(id), CurrentRowOrderLines(), this);
    if (box.exec() != QDialog::Accepted)
        return;
    const int position = import == imports_ ? PositionOfId(mt_, id) : 0;
    if (position == 0)
        throw std::runtime_error(TWin1250::Encode(
            QStringLiteral("Poprawionej osoby nie ma już na liście (usunięto ją albo ponownie "
                           "zaimportowano osoby); niczego nie zmieniono")));
    mt_.MoveTo(position);
    if (history_.CorrectCurrent(mt_, box.Values()))
        RefreshChecks();
}

void Tfnolt_f_r::ConfirmPerson() {
    if (history_.ConfirmCurrent(mt_, hints_))
        RefreshChecks();
}

void Tfnolt_f_r::UndoChange() {
    if (history_.UndoLast(mt_))
        RefreshChecks();
}

// The order lines from the current row's person line to its block's end, while the box still
// holds the imported text; none otherwise.
QStringList Tfnolt_f_r::CurrentRowOrderLines() const {
    const TRowSources sources = trace_.SourcesOf(CurrentId());
    if (sources.person < 0)
        return {};
    int last = sources.person;
    for (const int line :
         {sources.directed, sources.nis, sources.rank, sources.legalBasis, sources.blockEnd})
        last = std::max(last, line);
    return highlighter_->LinesText(sources.person, last);
}

void Tfnolt_f_r::FindHintedRow(int step) {
    const int position = hints_.NextHinted(mt_, mt_.RowNumber(), step);
    if (position != 0)
        mt_.MoveTo(position);
}

// Rows came, went or changed: a duplicate PESEL may have appeared or vanished anywhere, and the
// note of the last save no longer tells what the rows hold. A restored row finds its guessed
// values in the trace again by its id; the clerk's corrections and confirmations then have their
// say. The highlight follows the table's own notification of the change; the grid hears of the
// rows whose notes may differ now: those whose hints changed, and the current row, whose
// correction may have come or gone.
void Tfnolt_f_r::RefreshChecks() {
    LZapisano_->hide();
    const TRowHints former = hints_;
    hints_.Compute(mt_, &trace_);
    history_.ApplyTo(mt_, hints_);
    LDoSprawdzenia_->ShowCount(hints_.HintedRows());
    const auto [first, last] = ChangedRows(former, hints_, mt_);
    RxDBGrid1_->Model()->NotesChanged(first, last);
}

void Tfnolt_f_r::ShowCurrentRowSources() {
    highlighter_->ShowRow(trace_.SourcesOf(CurrentId()));
}

// The id of the row the table's reads refer to; 0 for none, also while the table is closed,
// as it may be when a failed import is unwinding.
std::int32_t Tfnolt_f_r::CurrentId() const {
    return mt_.IsOpen() ? mt_.FieldNumber("id") : 0;
}
