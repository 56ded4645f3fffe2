#include "export/TPersonFileWriter.h"

#include "export/PersonFileLines.h"
#include "export/TIoError.h"
#include "export/TRecordLineBuilder.h"
#include "export/TScrambledOutput.h"
#include "export/TSystemClock.h"

#include <cstring>

namespace {

// The file being written, keeping a copy of every byte on its way, for the check after the save.
class TKeptCopy final : public TOpenFile {
public:
    explicit TKeptCopy(std::unique_ptr<TOpenFile> file)
        : TOpenFile(file->Name()), file_(std::move(file)) {}

    const std::string& Bytes() const { return bytes_; }

    void Write(std::string_view bytes) override {
        bytes_.append(bytes);
        file_->Write(bytes);
    }
    void Flush() override { file_->Flush(); }
    void Close() override { file_->Close(); }

private:
    std::unique_ptr<TOpenFile> file_;
    std::string bytes_;
};

// Whether the file `name` now holds exactly `expected`.
bool ReadsBackAs(TFileLayer& files, const std::string& name, std::string_view expected) {
    std::size_t offset = 0;
    bool same = true;
    files.ReadBack(name, [&](std::string_view piece) {
        same = same && piece.size() <= expected.size() - offset &&
               std::memcmp(piece.data(), expected.data() + offset, piece.size()) == 0;
        offset += piece.size();
    });
    return same && offset == expected.size();
}

} // namespace

TPersonFileWriter::TPersonFileWriter()
    : ownClock_(std::make_unique<TSystemClock>()), ownFiles_(MakePlatformFileLayer()),
      clock_(ownClock_.get()), files_(ownFiles_.get()) {}

TPersonFileWriter::TPersonFileWriter(TClock& clock, TFileLayer& files)
    : clock_(&clock), files_(&files) {}

TPersonFileWriter::~TPersonFileWriter() = default;

void TPersonFileWriter::Export(TPersonTable& table, const std::string& fileName) const {
    const std::string target = files_->PrepareTarget(fileName);
    auto file = std::make_unique<TKeptCopy>(files_->CreateBeside(target));
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
    // A network share or a failing disk may keep other bytes than it was given without a word.
    if (!ReadsBackAs(*files_, target, file->Bytes()))
        throw TIoError("Osoby pozostaj\xB9 w oknie, ale plik " + target +
                       " nie jest ich wiern\xB9 kopi\xB9: odczyt kontrolny r\xF3\xBFni si\xEA "
                       "od zapisanych danych; zapisz ponownie");
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
