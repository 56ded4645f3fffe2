#include "app/TWindowLayout.h"

#include "app/Guarded.h"
#include "app/TAccessKeyCue.h"
#include "app/TCheckLabel.h"
#include "app/TFlatButton.h"
#include "app/TPicture.h"
#include "app/TThumbStyle.h"
#include "notes/HintTexts.h"
#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderHighlighter.h"
#include "personlist/TPersonGrid.h"
#include "personlist/TRecordCounter.h"
#include "ui/DesignValues.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>

#include <algorithm>
#include <utility>

namespace {

using namespace Design;

constexpr int kSplitHandle = kAreaMargin / 2;
// Set on the split once the clerk moved it; the window's size then no longer places it.
constexpr char kMovedByClerk[] = "movedByClerk";

// The instructions the order text box holds until the first paste, read once from the program's
// resources. The file ends its last line as text files do; the box holds no line break after it.
QString Instructions() {
    static const QString text = [] {
        QFile file(QStringLiteral(":/texts/instructions.txt"));
        QString read =
            file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        read.chop(1);
        return read;
    }();
    return text;
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

// Keeps the column's last button within the column when the split makes the order area shorter
// than the design's: the button moves up, never over the one above it.
class TLastButtonKeeper : public QObject {
public:
    TLastButtonKeeper(QWidget* column, QWidget* button, QWidget* picture)
        : QObject(column), column_(column), button_(button), picture_(picture) {
        column->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const int top =
                std::max(kSaveButtonTop + 2 * kActionButtonHeight,
                         std::min(kDeleteButtonTop, column_->height() - kActionButtonHeight - 2));
            button_->move(button_->x(), top);
            picture_->move(picture_->x(), top - 1);
        }
        return false;
    }

private:
    QWidget* column_;
    QWidget* button_;
    QWidget* picture_;
};

// Moves the split down by `pixels` (up for fewer), within the areas' least heights.
void MoveSplit(QSplitter& split, int pixels) {
    QList<int> sizes = split.sizes();
    const int total = sizes[0] + sizes[1];
    const int least = split.widget(0)->minimumSizeHint().height();
    const int most = total - split.widget(1)->minimumSizeHint().height();
    sizes[0] = std::clamp(sizes[0] + pixels, least, std::max(least, most));
    sizes[1] = total - sizes[0];
    split.setSizes(sizes);
}

} // namespace

TWindowControls TWindowLayout::Build(QWidget& window, TDataSource& link) {
    TWindowLayout layout(window, link);
    QBoxLayout* column = NewLayout(QBoxLayout::TopToBottom, &window);
    column->addWidget(layout.CreateTitleStrip());
    column->addWidget(layout.CreateSplit(), 1);
    return layout.controls_;
}

// The order area over the person area, each at least its heading and a line or two.
QSplitter* TWindowLayout::CreateSplit() {
    auto* split = controls_.Podzial = new QSplitter(Qt::Vertical, &window_);
    split->setObjectName("Podzial");
    split->setChildrenCollapsible(false);
    split->setHandleWidth(kSplitHandle);
    split->addWidget(CreateOrderArea());
    split->addWidget(CreatePersonArea());
    split->setStretchFactor(1, 1);
    split->handle(1)->setToolTip(QStringLiteral("Alt+Shift+↑, Alt+Shift+↓"));
    TPersonGrid* grid = controls_.RxDBGrid1;
    for (const auto& [key, step] : {std::pair{Qt::Key_Up, -1}, std::pair{Qt::Key_Down, 1}}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | key), &window_);
        QObject::connect(shortcut, &QShortcut::activated, split, [split, grid, step = step] {
            split->setProperty(kMovedByClerk, true);
            MoveSplit(*split, step * grid->RowHeight());
        });
    }
    QObject::connect(split, &QSplitter::splitterMoved, split,
                     [split] { split->setProperty(kMovedByClerk, true); });
    return split;
}

TWindowLayout::TWindowLayout(QWidget& window, TDataSource& link) : window_(window), link_(link) {
    SetColours(&window_, kFaceGrey);
    window_.setFont(TextFont());
    accessKeys_ = new TAccessKeyCue(window_);
    thumbs_ = new TThumbStyle(&window_);
}

// A key that does what a click on the button does, wherever the focus is in the window.
void TWindowLayout::AddButtonKey(const QKeySequence& keys, TFlatButton* button) {
    auto* shortcut = new QShortcut(keys, &window_);
    QObject::connect(shortcut, &QShortcut::activated, &window_,
                     Guarded([button] { button->Press(); }));
}

QWidget* TWindowLayout::CreateTitleStrip() {
    QWidget* panel1 = NewPanel(&window_, "Panel1", kTitleGrey);
    panel1->setFixedHeight(kTitleStripHeight);

    QWidget* panel5 = NewPanel(panel1, "Panel5", kTitleGrey);
    panel5->setFixedWidth(kTitleLeftWidth);
    NewPicture(panel5, "Image1", ":/images/nolt_f_r.png", QRect(4, 2, 32, 32));
    const QLabel* label1 =
        NewLabel(panel5, "Label1", QStringLiteral("NOLT-Fr"), TitleFont(), QPoint(40, 4));
    // The version stands right after the title; a substitute font wider than the design's
    // pushes it right rather than under the title's last letter.
    controls_.Lwersja = NewLabel(panel5, "Lwersja", QStringLiteral("1.0"), TextFont(),
                                 QPoint(std::max(141, label1->x() + TextWidth(*label1) + 1), 14));

    QWidget* panel3 = NewPanel(panel1, "Panel3", kTitleGrey);
    panel3->setFixedWidth(kTitleRightWidth);
    NewPicture(panel3, "I1", ":/images/minimize.png", QRect(13, 7, 21, 21));
    controls_.SBMin =
        CreateTitleButton(panel3, "SBMin", kMinimizeButtonLeft, QStringLiteral("Minimalizuj"),
                          QKeySequence(Qt::ALT | Qt::Key_F9));
    NewPicture(panel3, "I3", ":/images/close.png", QRect(42, 7, 21, 21));
    controls_.SBKoniec =
        CreateTitleButton(panel3, "SBKoniec", kCloseButtonLeft, QStringLiteral("Zamknij"),
                          QKeySequence(Qt::ALT | Qt::Key_F4));

    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, panel1);
    row->addWidget(panel5);
    row->addStretch(1);
    row->addWidget(panel3);
    return panel1;
}

// A captionless button of the title strip over its picture, named for screen readers.
TFlatButton* TWindowLayout::CreateTitleButton(QWidget* strip, const char* name, int x,
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

QWidget* TWindowLayout::CreateOrderArea() {
    QWidget* panel2 = NewPanel(&window_, "Panel2", kFaceGrey);

    auto* panel4 = new QLabel(QStringLiteral("  TREŚĆ ROZKAZU KIERUJĄCEGO DO PKW"), panel2);
    panel4->setObjectName("Panel4");
    SetColours(panel4, kHeadingGrey, 0xFFFFFF);
    panel4->setFixedHeight(kHeadingBarHeight);
    panel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* box = controls_.mrozkaz = new TOrderBox(panel2);
    box->setObjectName("mrozkaz");
    box->setAccessibleName(QStringLiteral("Treść rozkazu kierującego do PKW"));
    box->setToolTip(QStringLiteral("TREŚĆ ROZKAZU (Alt+T; Esc – powrót do listy osób)"));
    box->setFont(OrderFont());
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->document()->setDocumentMargin(10);
    box->setTabChangesFocus(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setPlainText(Instructions());
    QObject::connect(box, &TOrderBox::InsertFailed, box, &ShowCaughtFailure);
    MarkThumbs(*box, thumbs_);

    QWidget* panel8 = NewPanel(panel2, "Panel8", kFaceGrey);
    panel8->setFixedWidth(kButtonColumnWidth);
    controls_.sbstaleplacowe = CreateActionButton(
        panel8, "sbstaleplacowe", kPasteButtonTop, QStringLiteral("&WKLEJ ROZKAZ"),
        ":/images/paste.png", QStringLiteral("Wkleja treść rozkazu ze schowka"));
    controls_.SpeedButton1 = CreateActionButton(
        panel8, "SpeedButton1", kImportButtonTop, QStringLiteral("&IMPORTUJ OSOBY"),
        ":/images/import.png", QStringLiteral("Wyszukuje osoby w treści rozkazu"));
    controls_.SpeedButton2 = CreateActionButton(
        panel8, "SpeedButton2", kSaveButtonTop, QStringLiteral("&ZAPISZ DO PLIKU"),
        ":/images/save.png", QStringLiteral("Zapisuje osoby do pliku NOLT-F"),
        QKeySequence(Qt::CTRL | Qt::Key_S));
    controls_.SpeedButton3 =
        CreateActionButton(panel8, "SpeedButton3", kDeleteButtonTop, QStringLiteral("&USUŃ OSOBĘ"),
                           ":/images/delete.png", QStringLiteral("Usuwa zaznaczoną osobę"));
    new TLastButtonKeeper(panel8, controls_.SpeedButton3,
                          panel8->findChild<QWidget*>(QStringLiteral("SpeedButton3Picture")));

    QBoxLayout* column = NewLayout(QBoxLayout::TopToBottom, panel2, kAreaMargin);
    column->addWidget(panel4);
    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, nullptr);
    row->addWidget(box, 1);
    row->addWidget(panel8);
    column->addLayout(row, 1);
    return panel2;
}

// The caption's "&" marks the button's access key; the tooltip names it and the further key.
TFlatButton* TWindowLayout::CreateActionButton(QWidget* column, const char* name, int y,
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
    QObject::connect(accessKeys_, &TAccessKeyCue::Shown, button, &TFlatButton::ShowAccessKey);
    return button;
}

void TWindowLayout::OpenSplit(const TWindowControls& controls) {
    QSplitter& split = *controls.Podzial;
    if (split.property(kMovedByClerk).toBool())
        return;
    const TPersonGrid& grid = *controls.RxDBGrid1;
    // Beside the rows, the person area holds its margins and the counter line, and the grid its
    // titles and the sideways bar, which it may need.
    const QMargins margins = split.widget(1)->layout()->contentsMargins();
    const int besideRows = margins.top() + margins.bottom() + controls.DBStatusLabel1->height() +
                           grid.TitleHeight() + grid.horizontalScrollBar()->sizeHint().height();
    const int total = split.sizes().value(0) + split.sizes().value(1);
    const int least = split.widget(0)->minimumSizeHint().height();
    const int order =
        std::min(kOrderAreaHeight, total - besideRows - kLeastGridLines * grid.RowHeight());
    const int placed = std::clamp(order, std::min(least, total), total);
    split.setSizes({placed, total - placed});
}

QWidget* TWindowLayout::CreatePersonArea() {
    QWidget* panel6 = NewPanel(&window_, "Panel6", kFaceGrey);

    auto* grid = controls_.RxDBGrid1 = new TPersonGrid(link_, panel6);
    grid->setObjectName("RxDBGrid1");
    grid->setAccessibleName(QStringLiteral("Osoby"));
    MarkThumbs(*grid, thumbs_);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);

    QBoxLayout* column = NewLayout(QBoxLayout::TopToBottom, panel6, kAreaMargin);
    // The split's handle lies in the area's top margin: the counter and grid keep their places.
    column->setContentsMargins(kAreaMargin, kAreaMargin - kSplitHandle, kAreaMargin, kAreaMargin);
    column->addWidget(CreateCounterLine(panel6));
    column->addWidget(grid, 1);
    return panel6;
}

// The record counter over the grid's width, its numbers at the right, and at its left what the
// clerk should look at.
QWidget* TWindowLayout::CreateCounterLine(QWidget* parent) {
    auto* counter = controls_.DBStatusLabel1 = new TRecordCounter(link_, parent);
    counter->setObjectName("DBStatusLabel1");
    controls_.LPominiete =
        new TCheckLabel(QStringLiteral("Pominięte osoby: "),
                        TOrderHighlighter::SkippedLineColour.darker(250), SkippedNote({}), counter);
    controls_.LPominiete->setObjectName("LPominiete");
    controls_.LDoSprawdzenia = new TCheckLabel(
        QStringLiteral("Do sprawdzenia: "), QColor::fromRgb(kHintTextRed),
        QStringLiteral("Wiersze z oznaczonymi polami; opis w podpowiedzi pola.\n"
                       "F3 – następny, Shift+F3 – poprzedni wiersz do sprawdzenia,\n"
                       "Ctrl+K – oznacz wiersz jako sprawdzony."),
        counter);
    controls_.LDoSprawdzenia->setObjectName("LDoSprawdzenia");
    controls_.LZapisano = new QLabel(counter);
    controls_.LZapisano->setObjectName("LZapisano");
    controls_.LZapisano->setFont(window_.font());
    controls_.LZapisano->hide();

    QBoxLayout* row = NewLayout(QBoxLayout::LeftToRight, counter);
    row->setSpacing(24);
    row->addWidget(controls_.LPominiete);
    row->addWidget(controls_.LDoSprawdzenia);
    row->addWidget(controls_.LZapisano);
    row->addStretch(1);
    return counter;
}
