#include "export/TPersonFileWriter.h"

#include "export/PersonFileLines.h"
#include "export/TRecordLineBuilder.h"
#include "export/TScrambledOutput.h"
#include "export/TSystemClock.h"

TPersonFileWriter::TPersonFileWriter()
    : ownClock_(std::make_unique<TSystemClock>()), ownFiles_(MakePlatformFileLayer()),
      clock_(ownClock_.get()), files_(ownFiles_.get()) {}

TPersonFileWriter::TPersonFileWriter(TClock& clock, TFileLayer& files)
    : clock_(&clock), files_(&files) {}

TPersonFileWriter::~TPersonFileWriter() = default;

void TPersonFileWriter::Export(TPersonTable& table, const std::string& fileName) const {
    const std::string target = files_->PrepareTarget(fileName);
    std::unique_ptr<TOpenFile> file = files_->CreateBeside(target);
    const std::string written = file->Name();
    try {
        WriteContent(table, *file);
        file->Flush();
        file->Close();
        files_->Replace(written, target);
    } catch (...) {
        file.reset();
        files_->Remove(written);
        throw;
    }
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
