#ifdef _WIN32

#include "export/TFileLayer.h"
#include "export/TIoError.h"
#include "export/TemporaryFileName.h"

#include <algorithm>
#include <string_view>
#include <utility>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

constexpr int kCreateAttempts = 16;
constexpr DWORD kLargestWrite = DWORD{1} << 30;

[[noreturn]] void FailWithLastError() {
    throw TIoError(static_cast<int>(GetLastError()));
}

// Names travel through the program in UTF-8 and reach the system through its wide-character
// calls, so that every name the dialog gives can be written, whatever the system's ANSI code page.
std::wstring Wide(std::string_view name) {
    if (name.empty())
        return {};
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8(std::wstring_view name) {
    if (name.empty())
        return {};
    const int size = static_cast<int>(name.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, name.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

struct TFullName {
    std::string name;
    std::size_t filePart; // where the file's own name begins, after its folder
};

// The full name of `name`, split by the system into its folder and its file's own name.
TFullName FullName(const std::string& name) {
    const std::wstring wide = Wide(name);
    std::wstring full(MAX_PATH, L'\0');
    wchar_t* filePart = nullptr;
    for (;;) {
        const DWORD length =
            GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), &filePart);
        if (length == 0)
            FailWithLastError();
        if (length < full.size())
            break;
        full.resize(length + 1);
    }
    // A name that ends in a separator names a folder, not a file in one.
    if (!filePart)
        throw TIoError(ERROR_PATH_NOT_FOUND);
    const std::wstring_view folder(full.data(), static_cast<std::size_t>(filePart - full.data()));
    const std::string folderName = Utf8(folder);
    return {folderName + Utf8(filePart), folderName.size()};
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
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Wide(folder + ".nolt_f_r-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = Utf8(found.cFileName);
        if (IsTemporaryFileName(name))
            DeleteFileW(Wide(folder + name).c_str());
    } while (FindNextFileW(search, &found));
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
        const HANDLE handle =
            CreateFileW(Wide(fileName).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
            const HANDLE handle = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return std::make_unique<TWindowsOpenFile>(std::move(name), handle);
            if (GetLastError() != ERROR_FILE_EXISTS || attempt == kCreateAttempts)
                FailWithLastError();
        }
    }

    void Replace(const std::string& written, const std::string& target) override {
        const std::wstring targetName = Wide(target);
        const std::wstring writtenName = Wide(written);
        // ReplaceFileW keeps the replaced file's attributes and security settings.
        if (ReplaceFileW(targetName.c_str(), writtenName.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return;
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            FailWithLastError();
        // No file to replace: the new one is moved into place.
        if (!MoveFileExW(writtenName.c_str(), targetName.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            FailWithLastError();
    }

    void Remove(const std::string& name) noexcept override { DeleteFileW(Wide(name).c_str()); }
};

} // namespace

std::unique_ptr<TFileLayer> MakePlatformFileLayer() {
    return std::make_unique<TWindowsFileLayer>();
}

#endif
