#include "CheckingAidsFixture.h"

namespace {

// What the window announces to a screen reader, read from its announcement object (the events
// that carry it to the desktop's bus are heard in the e2e group's screen reader round).
class AnnouncementTest : public CheckingAidsTest {
protected:
    QString Announced() {
        const auto* announcement = window.findChild<QWidget*>(QStringLiteral("Komunikat"));
        return announcement != nullptr ? announcement->accessibleName() : QString();
    }
};

// The count of rows to check is announced when it changes, not on a row move; Alt+P announces
// the skipped person it shows.
TEST_F(AnnouncementTest, CountChangesAndTheSkippedPersonAreAnnounced) {
    Import(FaultyOrder());
    EXPECT_EQ(Announced(), Label("LDoSprawdzenia").text());
    const QString count = Announced();
    QTest::keyClick(&Grid(), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(Announced().startsWith(
        QStringLiteral("Pominięta osoba, wiersz 17 rozkazu: 3. plut. ZMYŚLONY Marek")))
        << Announced().toStdString();
    const QString skipped = Announced();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_F3, Qt::Key_Up})
        Keys(key);
    EXPECT_EQ(Announced(), skipped);
    window.mt().MoveTo(2);
    Keys(Qt::Key_K, Qt::ControlModifier);
    EXPECT_NE(Announced(), count);
    EXPECT_EQ(Announced(), Label("LDoSprawdzenia").text());
}

} // namespace
