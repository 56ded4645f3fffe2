#include "export/WriteInPlace.h"

#include <memory>

void WriteInPlace(TFileLayer& files, const std::string& fileName,
                  const std::function<void(TOpenFile&)>& write) {
    const std::string target = files.PrepareTarget(fileName);
    std::unique_ptr<TOpenFile> file = files.CreateBeside(target);
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
}
