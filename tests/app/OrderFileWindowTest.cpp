#include "MainWindowFixture.h"
#include "OrderDocuments.h"
#include "support/TempFolder.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/WindowActivation.h"

#include <QDropEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>

namespace {

class OrderFileWindowTest : public MainWindowTest {
protected:
    QString Write(const char* name, const QByteArray& contents) {
        const QString path = Native(folder / name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return path;
    }

    // A file dragged from the file manager and dropped on `target`.
    static void Drop(const QString& path, QWidget* target) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }

    QString Note() {
        const auto* note = window.findChild<QLabel*>("LZapisano");
        return note->isVisibleTo(&window) ? note->text() : QString();
    }

    const TempFolder folder;
};

// The box takes the file's text as it takes a paste: no undo brings back what it held.
TEST_F(OrderFileWindowTest, DroppedFileIsImportedAndSaved) {
    Drop(Write("rozkaz.docx", DocxOfLines(PersonBlock)), Box().viewport());
    EXPECT_EQ(Box().toPlainText(), PersonBlock);
    EXPECT_EQ(Note(), "Rozkaz z pliku: rozkaz.docx");
    QTest::keyClick(&Box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Box().toPlainText(), PersonBlock);

    Click("SpeedButton1");
    ASSERT_EQ(window.mt().TotalRows(), 1);
    EXPECT_EQ(window.mt().FieldText("nazwisko"), "TESTOWY");
    window.SDOsoby().AnswerWith([&](const QString&) { return Native(folder / "osoby.os"); });
    Click("SpeedButton2");
    EXPECT_TRUE(std::filesystem::exists(folder / "osoby.os"));
}

// Ctrl+O asks for the file; one the program cannot read leaves the box as it was.
TEST_F(OrderFileWindowTest, RefusedFileChangesNothing) {
    Drop(Write("rozkaz.txt", PersonBlock.toUtf8()), window.findChild<QWidget*>("RxDBGrid1"));
    ASSERT_EQ(Box().toPlainText(), PersonBlock);
    Box().appendPlainText("x");
    EXPECT_EQ(Note(), QString()) << "an edit takes the file's note away";
    const QString before = Box().toPlainText();

    window.ODRozkaz().AnswerWith([&] { return Write("rozkaz.pdf", "%PDF-1.7"); });
    QString shown;
    const ModalAnswer<QMessageBox> box([&](QMessageBox& b) {
        shown = b.text();
        b.accept();
    });
    window.activateWindow();
    ASSERT_TRUE(WindowBecomesActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(box.Answered());
    EXPECT_TRUE(shown.startsWith("Nie można wczytać rozkazu z pliku „rozkaz.pdf”"))
        << shown.toStdString();
    EXPECT_EQ(Box().toPlainText(), before);
}

} // namespace
