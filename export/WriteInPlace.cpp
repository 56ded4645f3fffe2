#include "export/WriteInPlace.h"

#include "export/TIoError.h"

#include <cstring>
#include <memory>

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

void WriteInPlace(TFileLayer& files, const std::string& fileName,
                  const std::function<void(TOpenFile&)>& write,
                  const std::function<std::string(const std::string& target)>& mismatch) {
    const std::string target = files.PrepareTarget(fileName);
    auto file = std::make_unique<TKeptCopy>(files.CreateBeside(target));
    const std::string written = file->Name();
    try {
        write(*file);
        file->Flush();
        file->Close();
        files.Replace(written, target);
    } catch (...) {
        file.reset();
        files.Remove(written);
        throw;
    }
    if (!ReadsBackAs(files, target, file->Bytes()))
        throw TIoError(mismatch(target));
}
