// Keys typed ahead of a dialog, and the bounds of what enters the order box.
#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "orderbox/TOrderTextLimits.h"
#include "support/TempFolder.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"
#include "ui/TQtError.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>

#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

namespace {

std::set<std::string> Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A key pressed and released as the system delivers it: to the window that has the keyboard,
// through the shortcuts, with no events processed in between (as QTest's own keys would).
void SystemKey(QKeyCombination key) {
    const bool letter = key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
    const QString text = key.key() == Qt::Key_Return ? QStringLiteral("\r")
                         : letter                    ? QString(QChar(key.key())).toLower()
                                                     : QString();
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        qt_handleKeyEvent(QGuiApplication::focusWindow(), type, key.key(), key.keyboardModifiers(),
                          text);
}

class TypeAheadTest : public MainWindowTest {
protected:
    // The window active (the system gives it the keyboard back after a dialog), the grid
    // focused.
    void Ready() {
#ifdef Q_OS_WIN
        // The system gives the keys typed ahead to the dialog there, which runs modal as it is;
        // the hold that these tests check serves X11.
        GTEST_SKIP() << "the type-ahead hold serves X11";
#endif
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
        window.findChild<QWidget*>("RxDBGrid1")->setFocus();
    }

    // Types `keys` as the system delivers them: each to the window that has the keyboard when
    // its turn comes, all waiting in the queue before the first acts. A dialog that a key
    // opened has the keyboard only once the system has activated it, after the keys typed
    // meanwhile were queued. Gives the title of a dialog the keys left open (which is closed).
    QString TypeAhead(const QList<QKeyCombination>& keys) {
        Ready();
        auto done = std::make_shared<qsizetype>(0);
        for (const QKeyCombination key : keys)
            QMetaObject::invokeMethod(
                qApp,
                [key, done] {
                    SystemKey(key);
                    ++*done;
                },
                Qt::QueuedConnection);
        auto leftOpen = std::make_shared<QString>();
        QMetaObject::invokeMethod(
            qApp,
            [leftOpen] {
                if (QTest::qWaitFor([] { return FrontDialog() == nullptr; }))
                    return;
                *leftOpen = FrontDialog()->windowTitle();
                qobject_cast<QDialog*>(FrontDialog())->reject();
            },
            Qt::QueuedConnection);
        [&] { QTRY_COMPARE(*done, keys.size()); }();
        [] { QTRY_VERIFY(FrontDialog() == nullptr); }();
        return *leftOpen;
    }
};

// Return typed right after the key that opens a dialog answers that dialog: "Dane osoby" takes
// the row as it is, the question about unsaved changes keeps them ("Nie").
TEST_F(TypeAheadTest, ReturnTypedAheadReachesTheDialog) {
    Ready();
    if (IsSkipped())
        return;
    ImportOnePerson();
    EXPECT_EQ(TypeAhead({Qt::Key_F4, Qt::Key_Return}), QString());
    window.mt().MoveTo(1);
    Click("SpeedButton3");
    ASSERT_EQ(window.mt().TotalRows(), 0) << "one unsaved change";
    Paste(PersonBlock + PersonBlock);
    EXPECT_EQ(TypeAhead({Qt::ALT | Qt::Key_I, Qt::Key_Return}), QString());
    EXPECT_EQ(window.mt().TotalRows(), 0) << "the question kept the change";
}

// In the first save of the run, a file name typed right after Ctrl+S is the name saved, its
// first letters included. The dialog opens in the current folder.
TEST_F(TypeAheadTest, NameTypedAheadReachesTheSaveDialog) {
    Ready();
    if (IsSkipped())
        return;
    ImportOnePerson();
    const TempFolder folder;
    const QString before = QDir::currentPath();
    QDir::setCurrent(Native(folder.Path()));
    const QString leftOpen = TypeAhead({Qt::CTRL | Qt::Key_S, Qt::Key_K, Qt::Key_A, Qt::Key_D,
                                        Qt::Key_R, Qt::Key_Y, Qt::Key_Return});
    QDir::setCurrent(before);
    EXPECT_EQ(leftOpen, QString());
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"kadry.os"});
}

class OrderTextLimitsTest : public MainWindowTest {
protected:
    QString SaveNote() { return window.findChild<QLabel*>("LZapisano")->text(); }
};

// A line longer than the bound is cut and the note names it, whichever way the text came.
TEST_F(OrderTextLimitsTest, LongLineIsCutAndNamed) {
    const QString longLine(3 * TOrderTextLimits::MaxLineLength, u'x');
    const QString text = PersonBlock + longLine + u'\n' + PersonBlock;
    const QString expected =
        PersonBlock + longLine.left(TOrderTextLimits::MaxLineLength) + u'\n' + PersonBlock;
    const QString note =
        QStringLiteral("Skrócono do 10\u00A0000 znaków (import czyta 4096) wiersze: 7");
    for (const bool intoTheBox : {false, true}) {
        SCOPED_TRACE(intoTheBox ? "Ctrl+V in the box" : "WKLEJ ROZKAZ");
        Paste(QStringLiteral("x"));
        QGuiApplication::clipboard()->setText(text);
        if (intoTheBox) {
            Box().selectAll();
            Box().paste();
        } else {
            Click("sbstaleplacowe");
        }
        EXPECT_EQ(Box().toPlainText(), expected);
        EXPECT_EQ(SaveNote(), note);
        Click("SpeedButton1");
        EXPECT_EQ(window.mt().TotalRows(), 2) << "the persons around the cut line";
    }
}

// A text of more lines than any order is refused whole, the box as it was.
TEST_F(OrderTextLimitsTest, TooManyLinesAreRefusedWithTheBoxUnchanged) {
    Paste(PersonBlock);
    QString told;
    const ModalAnswer<QMessageBox> error([&](QMessageBox& box) {
        told = box.text();
        box.accept();
    });
    Paste(QString(TOrderTextLimits::MaxLines, u'\n'));
    EXPECT_TRUE(error.Answered());
    EXPECT_TRUE(told.startsWith(QStringLiteral("Tekst ma ponad 2\u00A0000\u00A0000 wierszy")))
        << told.toStdString();
    EXPECT_EQ(Box().toPlainText(), PersonBlock);
}

// Lines end where the import ends them; a line of the bound's length is kept whole.
TEST(OrderTextLimits, CountsLinesAsTheImportDoes) {
    const int bound = TOrderTextLimits::MaxLineLength;
    const QString atBound(bound, u'a');
    const QString over = atBound + u'b';
    const struct {
        const char* name;
        QString text;
        QString kept;
        std::vector<int> cut;
    } cases[] = {
        {"at the bound", atBound, atBound, {}},
        {"one over", over, atBound, {1}},
        {"after CR LF",
         QStringLiteral("x\r\n") + over + QStringLiteral("\r\ny"),
         QStringLiteral("x\r\n") + atBound + QStringLiteral("\r\ny"),
         {2}},
        {"after CR alone", QStringLiteral("x\r") + over, QStringLiteral("x\r") + atBound, {2}},
        {"after U+000B and U+2029",
         QStringLiteral("x\v") + over + QChar::ParagraphSeparator + over,
         QStringLiteral("x\v") + atBound + QChar::ParagraphSeparator + atBound,
         {2, 3}},
        {"after U+2028",
         over + QChar::LineSeparator + QStringLiteral("x"),
         atBound + QChar::LineSeparator + QStringLiteral("x"),
         {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TOrderTextLimits::TLimited limited = TOrderTextLimits::Apply(c.text);
        EXPECT_EQ(limited.text, c.kept);
        EXPECT_EQ(limited.cutLines, c.cut);
    }
    EXPECT_NO_THROW(TOrderTextLimits::Apply(QString(TOrderTextLimits::MaxLines - 1, u'\n')));
    EXPECT_THROW(TOrderTextLimits::Apply(QString(TOrderTextLimits::MaxLines, u'\n')), TQtError);
}

} // namespace
