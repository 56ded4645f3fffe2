#include "TPersonDialog.h"

#include "DesignValues.h"
#include "HintTexts.h"
#include "TWin1250.h"
#include "TWin1250Validator.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

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

QString Caption(const TFieldCaption& entry) {
    return QString::fromUtf16(entry.caption);
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

    auto* form = new QFormLayout;
    for (const TFieldCaption& entry : kFields) {
        auto* label = new QLabel(Caption(entry), this);
        QWidget* field = CreateField(entry.field);
        label->setBuddy(Edit(entry.field));
        Edit(entry.field)->setAccessibleName(QString(Caption(entry)).remove(QLatin1Char('&')));
        form->addRow(label, field);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(CreateOrderLines(orderLines));
    column->addWidget(buttons);
    ShowHints();
}

// The value's edit over the line that tells its problems.
QWidget* TPersonDialog::CreateField(TPersonField field) {
    auto* box = new QWidget(this);
    auto* edit = Edit(field) = new QLineEdit(TWin1250::Decode(row_.Text(field)), box);
    edit->setObjectName(QString::fromLatin1(FieldName(field)));
    edit->setMaxLength(static_cast<int>(FieldWidth(field)));
    edit->setValidator(new TWin1250Validator(edit));
    edit->setMinimumWidth(kFieldWidth);
    auto* note = Note(field) = new QLabel(box);
    note->setObjectName(edit->objectName() + QStringLiteral("Uwagi"));
    note->setWordWrap(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, kHintColour);
    note->setPalette(palette);

    connect(edit, &QLineEdit::textChanged, this, &TPersonDialog::ShowHints);
    // A refused character is said so until the next change; the box's text stays as it was.
    connect(edit, &QLineEdit::inputRejected, note, [note, field] {
        note->setText(
            QStringLiteral("Odrzucono znak spoza strony kodowej Windows-1250 lub ponad %1 znaków "
                           "pola")
                .arg(FieldWidth(field)));
    });

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit);
    layout->addWidget(note);
    return box;
}

QWidget* TPersonDialog::CreateOrderLines(const QStringList& orderLines) {
    auto* box = new QWidget(this);
    auto* caption = new QLabel(QStringLiteral("&Wiersze rozkazu, z których pochodzi osoba:"), box);
    auto* lines = new QPlainTextEdit(box);
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

TPersonRecord TPersonDialog::Values() const {
    TPersonRecord values;
    values.id = row_.id;
    for (const TPersonField field : kTextFields)
        values.Text(field) = TWin1250::Encode(edits_[static_cast<std::size_t>(field)]->text());
    return values;
}

// The rules of the grid's marks, over the values as typed; a value left as it was keeps the
// hints that come from outside the row.
void TPersonDialog::ShowHints() {
    const TPersonRecord values = Values();
    const TRowHintSet own = TRowHints::RowOwnHints(values);
    for (const TPersonField field : kTextFields) {
        THintMask mask = own.Of(field);
        if (values.Text(field) == row_.Text(field))
            mask |= outsideHints_.Of(field);
        const QString note = HintNote(field, mask);
        Note(field)->setText(note);
        Edit(field)->setAccessibleDescription(note);
    }
}
