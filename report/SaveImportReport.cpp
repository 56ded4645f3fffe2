#include "report/SaveImportReport.h"

#include "export/TIoError.h"
#include "export/WriteInPlace.h"
#include "report/TReportPages.h"
#include "ui/TFileName.h"
#include "ui/TQtError.h"
#include "ui/TWin1250.h"

#include <memory>
#include <string_view>

void SaveImportReport(const TImportReport& report, const std::string& fileName) {
    const QByteArray pdf = TReportPages::Pdf(report);
    const std::unique_ptr<TFileLayer> files = MakePlatformFileLayer();
    try {
        WriteInPlace(
            *files, fileName,
            [&pdf](TOpenFile& file) {
                file.Write(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
            },
            [](const std::string&) {
                return TWin1250::Encode(QStringLiteral(
                    "odczyt kontrolny różni się od zapisanych danych; zapisz ponownie"));
            });
    } catch (const TIoError& failure) {
        throw TQtError(QStringLiteral("Nie zapisano raportu importu w pliku „%1”: %2")
                           .arg(TFileName::Decode(fileName), TWin1250::Decode(failure.what())));
    }
}
