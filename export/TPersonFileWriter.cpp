#include "export/TPersonFileWriter.h"

#include "export/PersonFileLines.h"
#include "export/TRecordLineBuilder.h"
#include "export/TScrambledOutput.h"
#include "export/TSystemClock.h"
#include "export/WriteInPlace.h"

TPersonFileWriter::TPersonFileWriter()
    : ownClock_(std::make_unique<TSystemClock>()), ownFiles_(MakePlatformFileLayer()),
      clock_(ownClock_.get()), files_(ownFiles_.get()) {}

TPersonFileWriter::TPersonFileWriter(TClock& clock, TFileLayer& files)
    : clock_(&clock), files_(&files) {}

TPersonFileWriter::~TPersonFileWriter() = default;

void TPersonFileWriter::Export(TPersonTable& table, const std::string& fileName) const {
    WriteInPlace(
        *files_, fileName, [&](TOpenFile& file) { WriteContent(table, file); },
        [](const std::string& target) {
            return "Osoby pozostaj\xB9 w oknie, ale plik " + target +
                   " nie jest ich wiern\xB9 kopi\xB9: odczyt kontrolny r\xF3\xBFni si\xEA "
                   "od zapisanych danych; zapisz ponownie";
        });
}

void TPersonFileWriter::WriteContent(TPersonTable& table, TOpenFile& file) const {
    TScrambledOutput output(file);
    output.WriteScrambledLine(kPersonFileFirstLine);
    output.WriteScrambledLine(ColumnCountLine());
    output.WriteScrambledLine(HeaderLine());
    TRecordLineBuilder records(*clock_);
    for (table.MoveFirst(); !table.AtEnd(); table.MoveNext())
        output.WriteScrambledLine(records.Line(table.RowAt(table.RowNumber())));
    output.WriteOut();
}
