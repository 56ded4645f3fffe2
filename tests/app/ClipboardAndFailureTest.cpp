#include "MainWindowFixture.h"
#include "personlist/TPersonGrid.h"
#include "support/TempFolder.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>

#include <functional>

namespace {

// Notes the text of every message box that comes, and closes it.
class MessageBoxes {
public:
    MessageBoxes() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(FrontDialog())) {
                texts_ << box->windowTitle() + ": " + box->text();
                box->accept();
            }
        });
        timer_.start(0);
    }
    const QStringList& Texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

struct ClipboardCase {
    const char* name;
    std::function<void(QClipboard&)> fill;
};

void PrintTo(const ClipboardCase& c, std::ostream* out) {
    *out << c.name;
}

class UnusableClipboardTest : public MainWindowTest,
                              public testing::WithParamInterface<ClipboardCase> {};

// "WKLEJ ROZKAZ" and the box's own Ctrl+V alike.
TEST_P(UnusableClipboardTest, PastesChangeNothingAndSayNothing) {
    const QString before = Box().toPlainText();
    GetParam().fill(*QGuiApplication::clipboard());
    const MessageBoxes boxes;
    Click("sbstaleplacowe");
    Box().setFocus();
    QTest::keyClick(&Box(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Box().toPlainText(), before);
    EXPECT_EQ(boxes.Texts(), QStringList());
}

QMimeData* MimeWith(const std::function<void(QMimeData&)>& fill) {
    auto* data = new QMimeData;
    fill(*data);
    return data;
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, UnusableClipboardTest,
    testing::Values(
        ClipboardCase{"NoOwner", [](QClipboard& c) { c.clear(); }},
        ClipboardCase{"OwnerWithoutFormats", [](QClipboard& c) { c.setMimeData(new QMimeData); }},
        ClipboardCase{"EmptyText", [](QClipboard& c) { c.setText(QString()); }},
        ClipboardCase{"ImageOnly",
                      [](QClipboard& c) { c.setImage(QImage(8, 8, QImage::Format_RGB32)); }},
        ClipboardCase{"HtmlOnly",
                      [](QClipboard& c) {
                          c.setMimeData(MimeWith(
                              [](QMimeData& d) { d.setHtml("<p>PESEL: 00000000001</p>"); }));
                      }},
        ClipboardCase{"OtherFormatOnly",
                      [](QClipboard& c) {
                          c.setMimeData(MimeWith([](QMimeData& d) {
                              d.setData("application/x-nolt-test", "PESEL: 00000000001");
                          }));
                      }}),
    [](const testing::TestParamInfo<ClipboardCase>& info) { return std::string(info.param.name); });

// Beside its HTML a word processor offers the plain text, and only that counts.
TEST_F(MainWindowTest, PasteTakesThePlainTextBesideHtml) {
    QGuiApplication::clipboard()->setMimeData(MimeWith([](QMimeData& d) {
        d.setHtml("<p><b>formatted</b></p>");
        d.setText("plain\ntext");
    }));
    Click("sbstaleplacowe");
    EXPECT_EQ(BoxLines(), (Lines{"plain", "text"}));
}

// The save follows only where the export ends: the last row selected, the counter at n:n.
TEST_F(MainWindowTest, SaveLeavesTheLastRowSelected) {
    Paste(PersonBlock + QString(PersonBlock).replace("00000000001", "00000000002"));
    Click("SpeedButton1");
    const TempFolder folder;
    const ModalAnswer<QFileDialog> dialog(
        [&](QFileDialog& shown) { EnterFileName(shown, Native(folder / "osoby.os")); });
    Click("SpeedButton2");
    ASSERT_TRUE(dialog.Answered());
    EXPECT_EQ(window.findChild<QLabel*>("DBStatusLabel1")->text(), "2:2");
    EXPECT_EQ(window.findChild<TPersonGrid*>("RxDBGrid1")->Model()->CurrentIndex().row(), 1);
}

// A refused table operation, from a shortcut or a key of the grid, ends in the error
// box, and the window stays.
TEST_F(MainWindowTest, RefusedTableOperationShowsTheErrorBox) {
    ImportOnePerson();
    Click("SpeedButton3");
    // A row to restore now, into a table that is closed.
    window.mt().Close();
    auto* grid = window.findChild<TPersonGrid*>("RxDBGrid1");

    const std::pair<const char*, std::function<void()>> actions[] = {
        {"Ctrl+Z", [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier); }},
        {"F3", [&] { QTest::keyClick(&window, Qt::Key_F3); }},
        {"grid's Down", [&] { QTest::keyClick(grid, Qt::Key_Down); }},
    };
    for (const auto& [name, act] : actions) {
        SCOPED_TRACE(name);
        // Shortcuts act only in the active window, which the last error box may have taken.
        window.activateWindow();
        ASSERT_TRUE(WindowBecomesActive(window));
        const MessageBoxes boxes;
        act();
        EXPECT_EQ(boxes.Texts(),
                  QStringList{"NOLT-Fr: mt: Cannot perform this operation on a closed dataset."});
        EXPECT_TRUE(window.isVisible());
    }
}

// A refused order file is named in the error box as it is, also with letters outside
// Windows-1250.
TEST_F(MainWindowTest, RefusedOrderFileKeepsItsNameInTheErrorBox) {
    const TempFolder folder;
    const QString name = QStringLiteral("pusty-Ωμέγα.txt");
    const QString path = QString::fromStdString(folder.Path().string()) + QLatin1Char('/') + name;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const MessageBoxes boxes;
    window.OpenOrderFile(path);
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(boxes.Texts().constFirst().contains(name))
        << boxes.Texts().constFirst().toStdString();
}

} // namespace
