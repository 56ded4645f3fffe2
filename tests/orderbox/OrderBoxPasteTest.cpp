#include "orderbox/TOrderBox.h"
#include "orderbox/TOrderTextLimits.h"
#include "ui/TQtError.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <exception>

namespace {

// The clerk's own paste into the box (Ctrl+V), over the whole text.
void PasteOver(TOrderBox& box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box.selectAll();
    box.paste();
}

} // namespace

// A paste of more lines than any order has is refused inside the box, which Qt calls and which
// may not throw: the text stays as it was and the failure goes out for the window to show.
TEST(OrderBoxPasteTest, TooManyLinesLeaveTheTextAndHandTheFailureOn) {
    TOrderBox box;
    const QString before = QStringLiteral("KIERUJĘ\nkpt. KOWALSKI Jan");
    box.setPlainText(before);
    std::exception_ptr failure;
    QObject::connect(&box, &TOrderBox::InsertFailed,
                     [&failure](const std::exception_ptr& thrown) { failure = thrown; });
    PasteOver(box, QString(TOrderTextLimits::MaxLines, u'\n'));
    ASSERT_TRUE(failure);
    EXPECT_THROW(std::rethrow_exception(failure), TQtError);
    EXPECT_EQ(box.toPlainText(), before);
}

// A paste with a line over the bound enters cut, says which line, and fails nothing.
TEST(OrderBoxPasteTest, ALongLineEntersCutAndIsNamed) {
    TOrderBox box;
    QSignalSpy cut(&box, &TOrderBox::LinesCut);
    QSignalSpy failed(&box, &TOrderBox::InsertFailed);
    PasteOver(box,
              QStringLiteral("KIERUJĘ\n") + QString(TOrderTextLimits::MaxLineLength + 5, u'a'));
    EXPECT_EQ(box.toPlainText(),
              QStringLiteral("KIERUJĘ\n") + QString(TOrderTextLimits::MaxLineLength, u'a'));
    ASSERT_EQ(cut.count(), 1);
    EXPECT_FALSE(cut.constFirst().constFirst().toString().isEmpty());
    EXPECT_EQ(failed.count(), 0);
}
