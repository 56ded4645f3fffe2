#include "persondialog/TPersonDialog.h"

#include "notes/HintTexts.h"
#include "notes/StatusAnnouncement.h"
#include "persondialog/TFieldInputFilter.h"
#include "register/TPersonTable.h"
#include "ui/DesignValues.h"
#include "ui/TWin1250.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace {

// The fields in the grid's order, with their captions; "&" marks each access key.
struct TFieldCaption {
    TPersonField field;
    const char16_t* caption;
};
constexpr TFieldCaption kFields[] = {
    {TPersonField::pesel, u"&PESEL"},
    {TPersonField::nazwisko, u"&Nazwisko"},
    {TPersonField::imie, u"&Imię"},
    {TPersonField::plec, u"Pł&eć"},
    {TPersonField::ste, u"S&topień etatowy"},
    {TPersonField::stanowisko, u"St&anowisko"},
    {TPersonField::nis, u"NI&S"},
};

const QColor kHintColour = QColor::fromRgb(Design::kHintTextRed);
constexpr int kFieldWidth = 420; // wide enough for a long position to show most of itself
constexpr int kOrderLinesShown = 8;
const QString kSexes[] = {QStringLiteral("M"), QStringLiteral("K")};

// The default button keeps a darker edge; the focused one, default or not, a thick edge in the
// selection's colour, so the clerk sees where Enter and Space go.
const QString kButtonLook = QStringLiteral(
    "QPushButton { min-width: 80px; padding: 4px 12px; border: 1px solid #808080;"
    " border-radius: 3px; background: #EEEEEE; }"
    "QPushButton:default { border-color: #202020; }"
    "QPushButton:focus { border: 2px solid palette(highlight); background: #FFFFFF; }");

QString Caption(const TFieldCaption& entry) {
    return QString::fromUtf16(entry.caption);
}

QString Quoted(const QString& text) {
    return QStringLiteral("„%1”").arg(text);
}

// "„✓” (U+2713)"; a control character shows by its code alone, a NUL also by its name, since
// neither reads as a glyph and a NUL would end the note for a screen reader.
QString NamedCharacter(char32_t code) {
    const QString number =
        QStringLiteral("U+%1").arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'));
    if (code == 0)
        return QStringLiteral("NUL (%1)").arg(number);
    if (code < 0x20)
        return number;
    return QStringLiteral("%1 (%2)").arg(Quoted(QString::fromUcs4(&code, 1)), number);
}

// "znak „✓” (U+2713)" for one character, "znaki „✓” (U+2713), „☺” (U+263A)" for more.
QString NamedCharacters(const QString& characters) {
    QStringList named;
    for (const uint code : characters.toUcs4())
        named.append(NamedCharacter(static_cast<char32_t>(code)));
    return (named.size() == 1 ? QStringLiteral("znak ") : QStringLiteral("znaki ")) +
           named.join(QStringLiteral(", "));
}

// The note's lines broken to the field's width, between words where they can be and anywhere in
// a long word: the note then fits the box at any scaling and never widens it.
QString Wrapped(const QString& text, const QFont& font, int width) {
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines.join(u'\n');
}

// What a paste turned into spaces.
QString MadeSpaces(const TFieldInputFilter::TEdit& edit) {
    if (edit.lineEnds && edit.tabs)
        return QStringLiteral("Zamieniono na spacje: koniec wiersza i tabulator");
    if (edit.lineEnds)
        return QStringLiteral("Zamieniono na spację: koniec wiersza");
    return edit.tabs ? QStringLiteral("Zamieniono na spację: tabulator") : QString();
}

bool HasBlankAtEnd(const QString& value) {
    return !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
}

} // namespace

TPersonDialog::TPersonDialog(const TPersonRecord& row, const TRowHintSet& hints,
                             const QStringList& orderLines, QWidget* parent)
    : QDialog(parent), row_(row) {
    setObjectName("DaneOsoby");
    setWindowTitle(QStringLiteral("Dane osoby"));
    setFont(Design::TextFont());
    const TRowHintSet own = TRowHints::RowOwnHints(row);
    for (const TPersonField field : kTextFields)
        outsideHints_.fields[static_cast<std::size_t>(field)] = hints.Of(field) & ~own.Of(field);

    auto* content = new QWidget(this);
    auto* contentColumn = new QVBoxLayout(content);
    // A note that gains lines makes the values taller at once, and the scrolling follows.
    contentColumn->setSizeConstraint(QLayout::SetMinimumSize);
    contentColumn->addWidget(CreateFields());
    contentColumn->addWidget(CreateOrderLines(orderLines));
    contentColumn->addStretch(1);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("DaneOsobyPrzewijanie");
    scroll_->setFrameShape(QFrame::NoFrame);
    // The area itself is no stop of Tab: the keys go round the values and buttons only.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content);

    auto* column = new QVBoxLayout(this);
    column->addWidget(scroll_, 1);
    column->addWidget(CreateButtons());
    SetTabOrder();
    ShowHints();
}

QWidget* TPersonDialog::CreateFields() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (const TFieldCaption& entry : kFields) {
        auto* label = new QLabel(Caption(entry), box);
        QWidget* field =
            entry.field == TPersonField::plec ? CreateSexChoice() : CreateField(entry.field);
        label->setBuddy(Input(entry.field));
        Input(entry.field)->setAccessibleName(QString(Caption(entry)).remove(QLatin1Char('&')));
        form->addRow(label, field);
    }
    return box;
}

// The value's edit over the lines that tell its problems. The edit opens showing the value's
// start, where a long value says what it is.
QWidget* TPersonDialog::CreateField(TPersonField field) {
    auto* box = new QWidget(this);
    auto* edit = Edit(field) = new QLineEdit(TWin1250::Decode(row_.Text(field)), box);
    edit->setObjectName(QString::fromLatin1(FieldName(field)));
    edit->setValidator(new TFieldInputFilter(
        static_cast<int>(FieldWidth(field)),
        [this, field](const TFieldInputFilter::TEdit& edit) { Refused(field, edit); }, edit));
    edit->setMinimumWidth(kFieldWidth);
    edit->setCursorPosition(0);
    connect(edit, &QLineEdit::textChanged, this, &TPersonDialog::ShowHints);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit);
    layout->addWidget(CreateNote(box, field));
    return box;
}

// M or K and nothing else; a value the import left otherwise stays until one is chosen.
QWidget* TPersonDialog::CreateSexChoice() {
    auto* box = new QWidget(this);
    sex_ = new QComboBox(box);
    sex_->setObjectName(QString::fromLatin1(FieldName(TPersonField::plec)));
    for (const QString& sex : kSexes)
        sex_->addItem(sex);
    sex_->setCurrentIndex(sex_->findText(TWin1250::Decode(row_.plec)));
    connect(sex_, &QComboBox::currentIndexChanged, this, &TPersonDialog::ShowHints);

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sex_);
    layout->addWidget(CreateNote(box, TPersonField::plec), 1);
    return box;
}

// The problems of a value, a line each, as many lines as they take. The label does not wrap
// itself: a wrapped label's height depends on its width, which the box's scrolling area does not
// give it, so its last lines would hide under the next field; its text comes broken instead.
QLabel* TPersonDialog::CreateNote(QWidget* owner, TPersonField field) {
    auto* note = Note(field) = new QLabel(owner);
    note->setObjectName(QString::fromLatin1(FieldName(field)) + QStringLiteral("Uwagi"));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, kHintColour);
    note->setPalette(palette);
    return note;
}

QWidget* TPersonDialog::CreateOrderLines(const QStringList& orderLines) {
    auto* box = new QWidget(this);
    auto* caption = new QLabel(QStringLiteral("&Wiersze rozkazu, z których pochodzi osoba:"), box);
    auto* lines = orderLines_ = new QPlainTextEdit(box);
    lines->setObjectName("WierszeRozkazu");
    lines->setAccessibleName(QStringLiteral("Wiersze rozkazu, z których pochodzi osoba"));
    lines->setReadOnly(true);
    lines->setTabChangesFocus(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setFont(Design::OrderFont());
    lines->setPlainText(orderLines.isEmpty()
                            ? QStringLiteral("(treść rozkazu zmieniła się od importu)")
                            : orderLines.join(QLatin1Char('\n')));
    lines->setFixedHeight(lines->fontMetrics().lineSpacing() * kOrderLinesShown + 12);
    caption->setBuddy(lines);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 8, 0, 4);
    layout->addWidget(caption);
    layout->addWidget(lines);
    return box;
}

QDialogButtonBox* TPersonDialog::CreateButtons() {
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    buttons_->setStyleSheet(kButtonLook);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons_;
}

// The values in the grid's order, the order lines, then OK before Anuluj, and round again.
void TPersonDialog::SetTabOrder() {
    QWidget* previous = nullptr;
    for (const TFieldCaption& entry : kFields) {
        if (previous != nullptr)
            setTabOrder(previous, Input(entry.field));
        previous = Input(entry.field);
    }
    setTabOrder(previous, orderLines_);
    setTabOrder(orderLines_, buttons_->button(QDialogButtonBox::Ok));
    setTabOrder(buttons_->button(QDialogButtonBox::Ok), buttons_->button(QDialogButtonBox::Cancel));
    setTabOrder(buttons_->button(QDialogButtonBox::Cancel), Input(kFields[0].field));
}

// As large as the values and the lines want, but within the screen's free area together with the
// frame the desktop adds; what does not fit scrolls.
void TPersonDialog::FitScreen() {
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const int frame = 2 * fontMetrics().height();
    const QMargins margins = layout()->contentsMargins();
    const QSize content = scroll_->widget()->sizeHint();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = content.width() + bar + margins.left() + margins.right();
    const int height = content.height() + layout()->spacing() + buttons_->sizeHint().height() +
                       margins.top() + margins.bottom();
    setMaximumSize(available.width() - frame / 2, available.height() - frame);
    resize(std::min(width, maximumWidth()), std::min(height, maximumHeight()));
    move(available.left() + std::max(0, (available.width() - this->width() - frame / 2) / 2),
         available.top() + std::max(0, (available.height() - this->height() - frame) / 2));
}

// Hidden fields do not tell the box their sizes; once shown, they do, and the box fits again.
void TPersonDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FitScreen();
}

void TPersonDialog::PlaceIn(const TPersonTable& table) {
    table_ = &table;
    outsideHints_.fields[static_cast<std::size_t>(TPersonField::pesel)] &=
        ~HintBit(THint::PeselDuplicate);
    if (const int position = table.PositionOfId(row_.id); position != 0)
        setWindowTitle(QStringLiteral("Dane osoby: %1 %2, wiersz %3 z %4")
                           .arg(TWin1250::Decode(row_.nazwisko), TWin1250::Decode(row_.imie))
                           .arg(position)
                           .arg(table.TotalRows()));
    ShowHints();
}

QWidget* TPersonDialog::Input(TPersonField field) const {
    if (field == TPersonField::plec)
        return sex_;
    return edits_[static_cast<std::size_t>(field)];
}

QString TPersonDialog::Text(TPersonField field) const {
    if (field != TPersonField::plec)
        return edits_[static_cast<std::size_t>(field)]->text();
    return sex_->currentIndex() < 0 ? TWin1250::Decode(row_.plec) : sex_->currentText();
}

TPersonRecord TPersonDialog::Values() const {
    TPersonRecord values;
    values.id = row_.id;
    for (const TPersonField field : kTextFields)
        values.Text(field) = TWin1250::Encode(Text(field));
    return values;
}

// What the field's last edit dropped or changed, and why, a reason a line, stays in its note until
// the field's next edit; a screen reader hears it at once.
void TPersonDialog::Refused(TPersonField field, const TFieldInputFilter::TEdit& edit) {
    QStringList reasons;
    if (!edit.outside.isEmpty())
        reasons.append(QStringLiteral("Odrzucono %1: brak w stronie kodowej Windows-1250")
                           .arg(NamedCharacters(edit.outside)));
    if (!edit.controls.isEmpty())
        reasons.append(QStringLiteral("Odrzucono %1: znak sterujący, niedozwolony w danych osoby")
                           .arg(NamedCharacters(edit.controls)));
    reasons.append(MadeSpaces(edit));
    if (!edit.tooLong.isEmpty())
        reasons.append(QStringLiteral("Odrzucono %1: pole mieści najwyżej %2 znaków")
                           .arg(Quoted(edit.tooLong))
                           .arg(FieldWidth(field)));
    reasons.removeAll(QString());
    QString& refusal = refusals_[static_cast<std::size_t>(field)];
    const QString former = std::exchange(refusal, reasons.join(u'\n'));
    if (refusal == former)
        return;
    ShowHints();
    Announce(*this, refusal);
}

// The rules of the grid's marks, over the values as typed; a value left as it was keeps the
// hints that come from outside the row. A PESEL is compared with the table's other rows live.
void TPersonDialog::ShowHints() {
    const TPersonRecord values = Values();
    const TRowHintSet own = TRowHints::RowOwnHints(values);
    for (const TPersonField field : kTextFields) {
        THintMask mask = own.Of(field);
        if (values.Text(field) == row_.Text(field))
            mask |= outsideHints_.Of(field);
        QStringList lines{HintNote(field, mask)};
        if (field == TPersonField::pesel && table_ != nullptr)
            lines.append(PeselDuplicateNote(*table_, values));
        if (field == TPersonField::plec && sex_->currentIndex() < 0)
            lines.append(QStringLiteral("Wybierz płeć: M lub K"));
        if (HasBlankAtEnd(Text(field)))
            lines.append(QStringLiteral("Wartość zaczyna się lub kończy odstępem; zostanie "
                                        "zapisana tak, jak wpisano"));
        lines.append(refusals_[static_cast<std::size_t>(field)]);
        lines.removeAll(QString());
        const QString note = lines.join(QLatin1Char('\n'));
        Note(field)->setText(Wrapped(note, Note(field)->font(), kFieldWidth));
        Input(field)->setAccessibleDescription(note);
    }
}
