#include "CheckingAidsFixture.h"
#include "tests/support/PdfText.h"
#include "tests/support/WindowActivation.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <optional>

namespace {

class ImportReportTest : public CheckingAidsTest {
protected:
    // Ctrl+P with the report's dialog answered by `path`; the name the dialog offered goes to
    // `offered_`.
    void Report(const std::filesystem::path& path) {
        window.SDRaport().AnswerWith([this, name = Native(path)](const QString& offered) {
            offered_ = offered;
            return name;
        });
        Keys(Qt::Key_P, Qt::ControlModifier);
    }

    // The report's text with every run of blanks and line ends made one space.
    static QString FlatText(const std::filesystem::path& path) {
        QString text = PdfText(Native(path)).value_or(QString());
        return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    }

    // The error box's text while `step` runs; empty when none came.
    QString ErrorText(const std::function<void()>& step) {
        QString text;
        const ModalAnswer<QMessageBox> box([&](QMessageBox& shown) {
            text = shown.text();
            shown.accept();
        });
        step();
        // Without a window manager nobody gives the window back its activation.
        window.activateWindow();
        EXPECT_TRUE(WindowBecomesActive(window));
        return text;
    }

    std::optional<QString> offered_;
};

QString Sha256(const std::filesystem::path& path) {
    QFile file(Native(path));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file)
               ? QString::fromLatin1(hash.result().toHex())
               : QString();
}

// Row 2 corrected, row 3 confirmed, row 4 deleted, person 3 skipped; saved, then reported.
TEST_F(ImportReportTest, HoldsTheOrderTheCountsTheRowsAsTheyStandAndTheSkippedPersons) {
    if (const char* missing = PdfTextMissing())
        GTEST_SKIP() << missing;
    Import(FaultyOrder());
    ChangeThreeRows();
    const TempFolder folder;
    Save(folder / "osoby.os");
    const QString toCheck = Label("LDoSprawdzenia").text().section(QLatin1Char(' '), -1);
    Report(folder / "raport.pdf");
    ASSERT_TRUE(offered_.has_value());
    EXPECT_EQ(*offered_, Native(folder / "osoby-raport.pdf"));

    const QString text = FlatText(folder / "raport.pdf");
    const QString persons =
        toCheck == QStringLiteral("1") ? QStringLiteral("osoba") : QStringLiteral("osoby");
    const QString expected[] = {
        QStringLiteral("ROZKAZ PERSONALNY NR 7/P Strona 1 z 1 Raport importu"),
        QStringLiteral("Źródło rozkazu schowek"),
        QStringLiteral("Tytuł rozkazu ROZKAZ PERSONALNY NR 7/P"),
        QStringLiteral("Użytkownik ") + qEnvironmentVariable("USER"),
        QStringLiteral("Komputer ") + QSysInfo::machineHostName(),
        QStringLiteral("Zaimportowane 4 osoby"),
        QStringLiteral("Zapisane 3 osoby do pliku ") + Native(folder / "osoby.os"),
        QStringLiteral("Rozmiar pliku %1 B").arg(std::filesystem::file_size(folder / "osoby.os")),
        QStringLiteral("SHA-256 pliku ") + Sha256(folder / "osoby.os"),
        QStringLiteral("Usunięte 1 osoba Poprawione 1 osoba Oznaczone jako sprawdzone 1 osoba"),
        QStringLiteral("Do sprawdzenia %1 %2 Pominięte w rozkazie 1 osoba").arg(toCheck, persons),
        QStringLiteral("2 44051401358 PRÓBNA Ewelina K szer. kierowca ZS000000000002"),
        QStringLiteral("IMIĘ: Poprawiono; import znalazł: „Ewa”"),
        QStringLiteral("PESEL: Numer PESEL zawiera niemożliwą datę urodzenia; (wiersz oznaczony "
                       "jako sprawdzony)"),
        QStringLiteral("Osoby usunięte z listy"),
        QStringLiteral(
            "Lp. PESEL NAZWISKO IMIĘ PŁEĆ STE STANOWISKO NIS "
            "1 44051401358 NOWAK Adam M szer. kierowca ? ZS000000000005 Osoby pominięte"),
        QStringLiteral("Wiersz 17: brak „kieruję” w bloku osoby 3. plut. ZMYŚLONY Marek S. "
                       "Józefa, PESEL: 02211307589,"),
        QStringLiteral("Sprawdził(a), imię i nazwisko: Data: Podpis:"),
    };
    for (const QString& part : expected)
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\nin:\n" << text.toStdString();

    // A person file changed since its save is no longer attested by its SHA-256.
    std::ofstream(folder / "osoby.os", std::ios::app) << "x";
    Report(folder / "raport2.pdf");
    EXPECT_TRUE(FlatText(folder / "raport2.pdf")
                    .contains(QStringLiteral("SHA-256 pliku brak: plik zmieniono")));
}

// Nothing is written unless the clerk asks; asked for in the grid's menu before any import, and
// for a place that refuses the file, the error box says why.
TEST_F(ImportReportTest, RefusedPlaceAndMissingImportSaySoAndWriteNothing) {
    QAction* entry = nullptr;
    for (QAction* action : Grid().actions())
        if (action->text() == QStringLiteral("Raport importu\tCtrl+P"))
            entry = action;
    ASSERT_NE(entry, nullptr);
    const TempFolder folder;
    window.SDRaport().AnswerWith([](const QString&) { return std::optional<QString>(); });
    EXPECT_TRUE(ErrorText([&] {
                    entry->trigger();
                }).startsWith(QStringLiteral("Raport importu opisuje zaimportowane osoby")));

    Import(FaultyOrder());
    Save(folder / "osoby.os");
    const std::filesystem::path refused = folder / "brak" / "raport.pdf";
    const QString error = ErrorText([&] { Report(refused); });
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("Nie zapisano raportu importu w pliku „%1”: ").arg(Native(refused))))
        << error.toStdString();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "only the person file";
}

} // namespace
