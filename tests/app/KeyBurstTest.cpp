#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "TPersonDialog.h"
#include "WindowTestSupport.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

QString Order(const QStringList& surnames) {
    QString order;
    for (const QString& surname : surnames)
        order += QString(PersonBlock).replace(QStringLiteral("TESTOWY"), surname);
    return order;
}

// The window the keyboard feeds: an open modal box, else the active window; within it the
// focused control.
QWidget* KeyTarget() {
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr)
        top = QApplication::activeWindow();
    return top != nullptr && top->focusWidget() != nullptr ? top->focusWidget() : top;
}

class KeyBurstTest : public MainWindowTest {
protected:
    void SetUp() override {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void Import(const QStringList& surnames) {
        Paste(Order(surnames));
        Click("SpeedButton1");
    }

    std::vector<std::string> Surnames() {
        std::vector<std::string> surnames;
        for (const TPersonRecord& row : TableRows(window.mt()))
            surnames.push_back(row.nazwisko);
        return surnames;
    }

    // Types `keys` as a quick typist does: all of them wait in the event queue before the first
    // acts, and each goes where the focus is when its turn comes, so a box that one key opens
    // gets the next. Gives the surname each person box held when a key reached it.
    std::vector<std::string> Burst(const std::vector<QKeyCombination>& keys) {
        auto seen = std::make_shared<std::vector<std::string>>();
        auto done = std::make_shared<std::size_t>(0);
        for (const QKeyCombination key : keys)
            QMetaObject::invokeMethod(
                qApp,
                [key, seen, done] {
                    QWidget* target = KeyTarget();
                    if (auto* box = qobject_cast<TPersonDialog*>(target->window()))
                        seen->push_back(box->Values().nazwisko);
                    QTest::keyClick(target, key.key(), key.keyboardModifiers());
                    ++*done;
                },
                Qt::QueuedConnection);
        [&] { QTRY_COMPARE(*done, keys.size()); }();
        EXPECT_EQ(*done, keys.size()) << "a key is still waiting";
        return *seen;
    }
};

// Each key acts before the next one is read: a deletion by Alt+U comes before the keys typed
// after it, two of them delete two rows, and a box that F4 opens after Alt+I shows a row of
// the new import.
TEST_F(KeyBurstTest, KeysActInTheOrderPressed) {
    using Names = std::vector<std::string>;
    struct TCase {
        const char* name;
        QStringList imported;
        QStringList pastedAfter; // then imported by the keys
        int current;
        std::vector<QKeyCombination> keys;
        Names rows;
        int currentAfter;
        Names boxShowed;
    };
    const QStringList abcd = {"ALFA", "BETA", "GAMMA", "DELTA"};
    const TCase cases[] = {
        {"delete, correct, OK",
         abcd,
         {},
         4,
         {Qt::ALT | Qt::Key_U, Qt::Key_F4, Qt::Key_Return},
         {"ALFA", "BETA", "GAMMA"},
         3,
         {"GAMMA"}},
        {"import, correct, OK",
         {"OSOBAA"},
         {"NOWYA", "NOWYB", "NOWYC"},
         1,
         {Qt::ALT | Qt::Key_I, Qt::Key_F4, Qt::Key_Return},
         {"NOWYA", "NOWYB", "NOWYC"},
         1,
         {"NOWYA"}},
        {"delete, down",
         abcd,
         {},
         2,
         {Qt::ALT | Qt::Key_U, Qt::Key_Down},
         {"ALFA", "GAMMA", "DELTA"},
         3,
         {}},
        {"delete twice",
         abcd,
         {},
         2,
         {Qt::ALT | Qt::Key_U, Qt::ALT | Qt::Key_U},
         {"ALFA", "DELTA"},
         2,
         {}},
    };
    for (const TCase& race : cases) {
        SCOPED_TRACE(race.name);
        Import(race.imported);
        if (!race.pastedAfter.isEmpty())
            Paste(Order(race.pastedAfter));
        window.mt().MoveTo(race.current);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.findChild<QWidget*>("RxDBGrid1")->setFocus();

        EXPECT_EQ(Burst(race.keys), race.boxShowed);
        EXPECT_EQ(Surnames(), race.rows);
        EXPECT_EQ(window.mt().RowNumber(), race.currentAfter);
    }
}

// OK in "Dane osoby" writes the row the box was opened for, wherever the current row has gone
// meanwhile; a row that is gone (deleted, or its import replaced) takes nothing, and the clerk is
// told so.
TEST_F(KeyBurstTest, CorrectionLandsOnItsOwnRowOrNowhere) {
    using Names = std::vector<std::string>;
    const auto press = [this](const char* button) {
        window.findChild<QAbstractButton*>(button)->click();
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
        Import({"ALFA", "BETA", "GAMMA"});
        window.mt().MoveTo(2);
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
        window.findChild<QWidget*>("RxDBGrid1")->setFocus();
        QTest::keyClick(window.findChild<QWidget*>("RxDBGrid1"), Qt::Key_F4);
        ASSERT_TRUE(person.Answered());
        EXPECT_EQ(Surnames(), race.rows);
        EXPECT_EQ(message.Answered(), race.told);
        if (race.told)
            EXPECT_TRUE(told.startsWith(QStringLiteral("Poprawionej osoby nie ma już na liście")))
                << told.toStdString();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
}

} // namespace
