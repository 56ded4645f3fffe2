#pragma once

#include <QFont>
#include <QRgb>
#include <QString>

// The window's design values: its greys, fonts and sizes, in pixels at 96 dots per inch.
// scripts/e2e-round.sh reads the layout sizes from this file by name, so each stays on one line
// of the shape "constexpr int kName = 12;".
namespace Design {

// Greys.
constexpr QRgb kFaceGrey = 0xD8D8D8;    // the window's face, the counter line
constexpr QRgb kTitleGrey = 0xA2A2A2;   // the title strip
constexpr QRgb kHeadingGrey = 0x5C5C5C; // the order box's heading bar and the grid's titles
constexpr QRgb kOddRowGrey = 0xC0C0C0;
constexpr QRgb kEvenRowGrey = 0xA2A2A2;
// The background of the row numbered `row` from 1. The colour belongs to the row's number, not to
// its screen line, so scrolling keeps every row's colour and a deletion recolours the rows below.
constexpr QRgb RowGrey(int row) {
    return row % 2 == 1 ? kOddRowGrey : kEvenRowGrey;
}
constexpr QRgb kColumnLineGrey = 0x808080;
constexpr QRgb kThumbGrey = 0x8A8A8A;
constexpr QRgb kPressedThumbGrey = 0x6E6E6E;
constexpr QRgb kHintTextRed = 0xC00000; // "Do sprawdzenia" and a field's problems in "Dane osoby"
constexpr QRgb kNoteRed = 0xE00000;     // the mark of a cell with problems
constexpr QRgb kCheckedNoteGrey = 0x404040; // a cell's problem mark once the clerk checked the row
constexpr QRgb kCorrectionBlue = 0x0030C0;  // the mark of a value the clerk corrected

// Fonts: the window's text (Verdana 13 px: captions, the counter, the grid), the title and the
// order box's fixed-width text.
inline QFont DesignFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
inline QFont TextFont(bool bold = false) {
    return DesignFont(QStringLiteral("Verdana"), 13, bold);
}
inline QFont TitleFont() {
    return DesignFont(QStringLiteral("Bookman Old Style"), 24, true);
}
inline QFont OrderFont() {
    return DesignFont(QStringLiteral("Courier New"), 13);
}

// The title strip: the picture and title at the left, the minimize and close buttons in the
// right block.
constexpr int kTitleStripHeight = 37;
constexpr int kTitleLeftWidth = 169;
constexpr int kTitleRightWidth = 70;
constexpr int kTitleButtonTop = 5;
constexpr int kTitleButtonSize = 25;
constexpr int kMinimizeButtonLeft = 11;
constexpr int kCloseButtonLeft = 40;

// The order area: the heading bar over the order box, the button column docked at its right.
constexpr int kOrderAreaHeight = 360;
constexpr int kAreaMargin = 10;
constexpr int kHeadingBarHeight = 25;
constexpr int kButtonColumnWidth = 195;
constexpr int kActionButtonLeft = 12;
constexpr int kActionButtonWidth = 173;
constexpr int kActionButtonHeight = 32;
constexpr int kPasteButtonTop = 11;
constexpr int kImportButtonTop = 55;
constexpr int kSaveButtonTop = 103;
constexpr int kDeleteButtonTop = 279;

// The person area: the counter line over the grid.
constexpr int kCounterHeight = 28;

} // namespace Design
