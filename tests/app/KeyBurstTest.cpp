#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "persondialog/TPersonDialog.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

using Names = QStringList;

class KeyBurstTest : public MainWindowTest {
protected:
    // Pastes an order of the persons named, and imports it unless told not to; the changes of
    // the case before go with a "Tak" to the question about them.
    void Order(const QStringList& surnames, bool import = true) {
        QString order;
        for (const QString& surname : surnames)
            order += QString(PersonBlock).replace(QStringLiteral("TESTOWY"), surname);
        Paste(order);
        if (!import)
            return;
        const ModalAnswer<QMessageBox> replace([](QMessageBox& question) {
            for (QAbstractButton* button : question.buttons())
                if (question.buttonRole(button) == QMessageBox::YesRole)
                    button->click();
        });
        Click("SpeedButton1");
    }

    Names Surnames() {
        Names surnames;
        for (const TPersonRecord& row : TableRows(window.mt()))
            surnames.append(QString::fromStdString(row.nazwisko));
        return surnames;
    }

    // The window active and the grid focused, on the row at `current`.
    void Ready(int current) {
        window.mt().MoveTo(current);
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
        window.findChild<QWidget*>("RxDBGrid1")->setFocus();
    }

    // Types `keys` as a quick typist does: all wait in the event queue before the first acts,
    // and each goes where the focus is when its turn comes (into a box that a key before opened).
    // Gives the surname each person box held when a key reached it.
    Names Burst(const QKeySequence& keys) {
        auto seen = std::make_shared<Names>();
        auto done = std::make_shared<std::size_t>(0);
        for (int i = 0; i < keys.count(); ++i)
            QMetaObject::invokeMethod(
                qApp,
                [key = keys[i], seen, done] {
                    QWidget* top =
                        FrontDialog() != nullptr ? FrontDialog() : QApplication::activeWindow();
                    QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
                    if (auto* box = qobject_cast<TPersonDialog*>(top))
                        seen->append(QString::fromStdString(box->Values().nazwisko));
                    QTest::keyClick(target, key.key(), key.keyboardModifiers());
                    ++*done;
                },
                Qt::QueuedConnection);
        const auto count = static_cast<std::size_t>(keys.count());
        [&] { QTRY_COMPARE(*done, count); }();
        EXPECT_EQ(*done, count) << "a key is still waiting";
        return *seen;
    }
};

// Each key acts before the next one is read: Alt+U deletes before the keys typed after it, twice
// deletes two rows, and a box that F4 opens after Alt+I shows a row of the new import.
TEST_F(KeyBurstTest, KeysActInTheOrderPressed) {
    const QStringList abcd = {"ALFA", "BETA", "GAMMA", "DELTA"}, nowe = {"NOWYA", "NOWYB", "NOWYC"};
    const struct {
        QStringList imported, pastedAfter;
        int current;
        const char* keys;
        Names rows;
        int currentAfter;
        Names boxShowed;
    } cases[] = {
        {abcd, {}, 4, "Alt+U, F4, Return", {"ALFA", "BETA", "GAMMA"}, 3, {"GAMMA"}},
        {{"OSOBAA"}, nowe, 1, "Alt+I, F4, Return", nowe, 1, {"NOWYA"}},
        {abcd, {}, 2, "Alt+U, Down", {"ALFA", "GAMMA", "DELTA"}, 3, {}},
        {abcd, {}, 2, "Alt+U, Alt+U", {"ALFA", "DELTA"}, 2, {}},
    };
    for (const auto& race : cases) {
        SCOPED_TRACE(race.keys);
        Order(race.imported);
        Order(race.pastedAfter, false);
        Ready(race.current);
        EXPECT_EQ(Burst(QKeySequence(QString::fromLatin1(race.keys))), race.boxShowed);
        EXPECT_EQ(Surnames(), race.rows);
        EXPECT_EQ(window.mt().RowNumber(), race.currentAfter);
    }
}

// OK in "Dane osoby" writes the row the box was opened for, wherever the current row has gone;
// a row that is gone (deleted, or its import replaced) takes nothing, and the clerk is told so.
TEST_F(KeyBurstTest, CorrectionLandsOnItsOwnRowOrNowhere) {
    const auto press = [this](const char* name) {
        window.findChild<QAbstractButton*>(name)->click();
    };
    const struct {
        const char* name;
        std::function<void()> meanwhile;
        Names rows;
        bool told;
    } cases[] = {
        {"current row moved",
         [this] { window.mt().MoveTo(1); },
         {"ALFA", "KOWALSKI", "GAMMA"},
         false},
        {"row deleted", [&] { press("SpeedButton3"); }, {"ALFA", "GAMMA"}, true},
        {"imported again", [&] { press("SpeedButton1"); }, {"ALFA", "BETA", "GAMMA"}, true},
    };
    for (const auto& race : cases) {
        SCOPED_TRACE(race.name);
        Order({"ALFA", "BETA", "GAMMA"});
        Ready(2);
        QString told;
        const ModalAnswer<QMessageBox> message([&](QMessageBox& box) {
            told = box.text();
            box.accept();
        });
        const ModalAnswer<TPersonDialog> person([&](TPersonDialog& box) {
            race.meanwhile();
            box.findChild<QLineEdit*>("nazwisko")->setText(QStringLiteral("KOWALSKI"));
            box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        ASSERT_TRUE(person.Answered());
        EXPECT_EQ(Surnames(), race.rows);
        EXPECT_EQ(message.Answered(), race.told);
        EXPECT_EQ(told.startsWith(QStringLiteral("Poprawionej osoby nie ma już")), race.told);
    }
}

} // namespace
