#ifdef _WIN32

#include "TFileLayer.h"
#include "TIoError.h"
#include "TemporaryFileName.h"

#include <algorithm>
#include <utility>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

constexpr int kCreateAttempts = 16;
constexpr DWORD kLargestWrite = DWORD{1} << 30;

[[noreturn]] void FailWithLastError() {
    throw TIoError(static_cast<int>(GetLastError()));
}

struct TFullName {
    std::string name;
    std::size_t filePart; // where the file's own name begins, after its folder
};

// The full name of `name`. The system splits it, so that the second byte of a double-byte
// character is never taken for a separator.
TFullName FullName(const std::string& name) {
    std::string full(MAX_PATH, '\0');
    char* filePart = nullptr;
    for (;;) {
        const DWORD length =
            GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), &filePart);
        if (length == 0)
            FailWithLastError();
        if (length < full.size())
            break;
        full.resize(length + 1);
    }
    // A name that ends in a separator names a folder, not a file in one.
    if (!filePart)
        throw TIoError(ERROR_PATH_NOT_FOUND);
    const auto filePartAt = static_cast<std::size_t>(filePart - full.data());
    full.resize(filePartAt + std::char_traits<char>::length(filePart));
    return {full, filePartAt};
}

// A device such as NUL is no file to put another in the place of. A hidden or system file is
// refused as creating it anew with FILE_ATTRIBUTE_NORMAL would refuse it.
bool IsReplaceable(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

// Removes the temporary files that exports killed part-way left in `folder` (a full name ending
// in a separator). A live export's file is open without leave to remove it, so it stays.
void RemoveStaleTemporaries(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + ".nolt_f_r-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsTemporaryFileName(found.cFileName))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

class TWindowsOpenFile final : public TOpenFile {
public:
    TWindowsOpenFile(std::string name, HANDLE handle)
        : TOpenFile(std::move(name)), handle_(handle) {}
    ~TWindowsOpenFile() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }

    void Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kLargestWrite));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr))
                FailWithLastError();
            if (written == 0)
                throw TIoError(ERROR_WRITE_FAULT);
            bytes.remove_prefix(written);
        }
    }

    void Flush() override {
        if (!FlushFileBuffers(handle_))
            FailWithLastError();
    }

    void Close() override {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        if (!CloseHandle(handle))
            FailWithLastError();
    }

private:
    HANDLE handle_;
};

class TWindowsFileLayer final : public TFileLayer {
public:
    std::string PrepareTarget(const std::string& fileName) override {
        // Opening an existing file as the replacement will need it, for writing and for removing
        // its name, changes nothing in it and finds a read-only file (5) or one that another
        // program holds open for writing, or without letting it be removed (32), before anything
        // is written.
        const HANDLE handle = CreateFileA(fileName.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            // Only a missing file, not a missing folder, gives this code.
            if (GetLastError() != ERROR_FILE_NOT_FOUND)
                FailWithLastError();
            return FullName(fileName).name;
        }
        const bool replaceable = IsReplaceable(handle);
        CloseHandle(handle);
        if (!replaceable)
            throw TIoError(ERROR_ACCESS_DENIED);
        return FullName(fileName).name;
    }

    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        const TFullName full = FullName(target);
        const std::string folder = full.name.substr(0, full.filePart);
        RemoveStaleTemporaries(folder);
        for (int attempt = 1;; ++attempt) {
            std::string name = TemporaryFileName(folder);
            // CREATE_NEW, so that an existing file of the same name is never emptied.
            const HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return std::make_unique<TWindowsOpenFile>(std::move(name), handle);
            if (GetLastError() != ERROR_FILE_EXISTS || attempt == kCreateAttempts)
                FailWithLastError();
        }
    }

    void Replace(const std::string& written, const std::string& target) override {
        // ReplaceFileA keeps the replaced file's attributes and security settings.
        if (ReplaceFileA(target.c_str(), written.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr))
            return;
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            FailWithLastError();
        // No file to replace: the new one is moved into place.
        if (!MoveFileExA(written.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            FailWithLastError();
    }

    void Remove(const std::string& name) noexcept override { DeleteFileA(name.c_str()); }
};

} // namespace

std::unique_ptr<TFileLayer> MakePlatformFileLayer() {
    return std::make_unique<TWindowsFileLayer>();
}

#endif
