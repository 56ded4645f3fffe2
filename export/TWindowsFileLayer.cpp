#include "export/TFileLayer.h"
#include "export/TIoError.h"
#include "export/TemporaryFileName.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <restartmanager.h>

namespace {

constexpr int kCreateAttempts = 16;
constexpr DWORD kLargestWrite = DWORD{1} << 30;
constexpr DWORD kReadSize = DWORD{1} << 20;
// A virus scanner or an indexer opens a new file for a moment; the main system's reader holds it
// while it reads. Both let go within this time.
constexpr DWORD kHeldFileWaitMs = 2000;
constexpr DWORD kHeldFileRetryMs = 50;
// Beyond this a folder's full name needs the long form; a file's, 12 characters later.
constexpr std::size_t kLongNameFrom = MAX_PATH - 12;

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

// The full name of `name` as the system makes it; `filePart` points into it at the file's own
// name, or is null for a name that ends in a separator.
std::wstring FullPath(const std::string& name, wchar_t*& filePart) {
    const std::wstring wide = Wide(name);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), &filePart);
        if (length == 0)
            FailWithLastError();
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length + 1);
    }
}

// The full name of `name`, split by the system into its folder and its file's own name.
TFullName FullName(const std::string& name) {
    wchar_t* filePart = nullptr;
    const std::wstring full = FullPath(name, filePart);
    // A name that ends in a separator names a folder, not a file in one.
    if (!filePart)
        throw TIoError(ERROR_PATH_NOT_FOUND);
    const std::wstring_view folder(full.data(), static_cast<std::size_t>(filePart - full.data()));
    const std::string folderName = Utf8(folder);
    return {folderName + Utf8(filePart), folderName.size()};
}

// The name the system's calls take for `name`: its full name, in the long form (\\?\) when it
// is too long for the short one, so that a folder deep in a tree still takes the file.
std::wstring SystemName(const std::string& name) {
    wchar_t* filePart = nullptr;
    std::wstring full = FullPath(name, filePart);
    if (full.size() < kLongNameFrom || full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\"))
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Whether the failure `code` may come from another program holding the file for a moment. A
// replacement that could not take the name (1176) has already removed the replaced file, so the
// next try moves it into place.
bool IsHeldFile(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
           code == ERROR_LOCK_VIOLATION || code == ERROR_UNABLE_TO_REMOVE_REPLACED ||
           code == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// Ends the Restart Manager's session when it goes.
class TRmSession {
public:
    TRmSession() {
        WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
        started_ = RmStartSession(&handle_, 0, key) == ERROR_SUCCESS;
    }
    ~TRmSession() {
        if (started_)
            RmEndSession(handle_);
    }
    TRmSession(const TRmSession&) = delete;
    TRmSession& operator=(const TRmSession&) = delete;

    // The names of the programs that hold the file `name` open; none when the system cannot tell.
    std::vector<std::wstring> Holders(const std::wstring& name) {
        LPCWSTR names[] = {name.c_str()};
        if (!started_ ||
            RmRegisterResources(handle_, 1, names, 0, nullptr, 0, nullptr) != ERROR_SUCCESS)
            return {};
        std::vector<RM_PROCESS_INFO> found(4);
        for (int attempt = 0; attempt < 3; ++attempt) {
            UINT needed = 0;
            auto count = static_cast<UINT>(found.size());
            DWORD reasons = 0;
            const DWORD result = RmGetList(handle_, &needed, &count, found.data(), &reasons);
            if (result == ERROR_MORE_DATA) {
                found.resize(needed);
                continue;
            }
            if (result != ERROR_SUCCESS)
                return {};
            std::vector<std::wstring> holders;
            for (UINT i = 0; i < count; ++i)
                holders.emplace_back(found[i].strAppName);
            return holders;
        }
        return {};
    }

private:
    DWORD handle_ = 0;
    bool started_ = false;
};

// The code's message, and the programs that hold the file when the system can tell; in
// Windows-1250, as every message of the export.
TIoError HeldFileError(DWORD code, const std::wstring& name) {
    std::wstring holders;
    for (const std::wstring& holder : TRmSession().Holders(name))
        holders += (holders.empty() ? L"" : L", ") + holder;
    std::string message = TIoError(static_cast<int>(code)).what();
    if (holders.empty())
        return TIoError(message);
    const int size = static_cast<int>(holders.size());
    const int length = WideCharToMultiByte(1250, 0, holders.data(), size, nullptr, 0, "?", nullptr);
    std::string named(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(1250, 0, holders.data(), size, named.data(), length, "?", nullptr);
    return TIoError(message + " (plik jest otwarty w programie: " + named + ")");
}

// Runs `step`, which returns the system's error code of its call, again while another program
// holds the file, for up to kHeldFileWaitMs; then reports who holds it.
template <typename Step> void RetryWhileHeld(const std::wstring& name, Step step) {
    const ULONGLONG until = GetTickCount64() + kHeldFileWaitMs;
    for (DWORD code; (code = step()) != ERROR_SUCCESS;) {
        if (!IsHeldFile(code))
            throw TIoError(static_cast<int>(code));
        if (GetTickCount64() >= until)
            throw HeldFileError(code, name);
        Sleep(kHeldFileRetryMs);
    }
}

bool IsReadOnly(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
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
    const HANDLE search = FindFirstFileW(SystemName(folder + ".nolt_f_r-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = Utf8(found.cFileName);
        if (IsTemporaryFileName(name))
            DeleteFileW(SystemName(folder + name).c_str());
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
    // Opening an existing file as the replacement will need it, for writing and for removing its
    // name, changes nothing in it and finds a read-only file (5) or one that another program
    // holds open for writing, or without letting it be removed (32), before anything is written.
    std::string PrepareTarget(const std::string& fileName) override {
        const std::wstring name = SystemName(fileName);
        HANDLE handle = INVALID_HANDLE_VALUE;
        DWORD error = ERROR_SUCCESS;
        RetryWhileHeld(name, [&]() -> DWORD {
            handle = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
            // Only a missing file, not a missing folder, gives this code; and a file marked
            // read-only stays so, unlike another program's hold.
            return error == ERROR_FILE_NOT_FOUND ||
                           (error == ERROR_ACCESS_DENIED && IsReadOnly(name))
                       ? ERROR_SUCCESS
                       : error;
        });
        if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
            throw TIoError(static_cast<int>(error));
        if (handle != INVALID_HANDLE_VALUE) {
            const bool replaceable = IsReplaceable(handle);
            CloseHandle(handle);
            if (!replaceable)
                throw TIoError(ERROR_ACCESS_DENIED);
        }
        return FullName(fileName).name;
    }

    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        const TFullName full = FullName(target);
        const std::string folder = full.name.substr(0, full.filePart);
        RemoveStaleTemporaries(folder);
        for (int attempt = 1;; ++attempt) {
            std::string name = TemporaryFileName(folder);
            // CREATE_NEW, so that an existing file of the same name is never emptied.
            const HANDLE handle =
                CreateFileW(SystemName(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return std::make_unique<TWindowsOpenFile>(std::move(name), handle);
            if (GetLastError() != ERROR_FILE_EXISTS || attempt == kCreateAttempts)
                FailWithLastError();
        }
    }

    // ReplaceFileW keeps the replaced file's attributes and security settings; with no file to
    // replace, the new one is moved into place.
    void Replace(const std::string& written, const std::string& target) override {
        const std::wstring targetName = SystemName(target);
        const std::wstring writtenName = SystemName(written);
        RetryWhileHeld(targetName, [&]() -> DWORD {
            if (ReplaceFileW(targetName.c_str(), writtenName.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
                return ERROR_SUCCESS;
            if (GetLastError() != ERROR_FILE_NOT_FOUND)
                return GetLastError();
            return MoveFileExW(writtenName.c_str(), targetName.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                       ? ERROR_SUCCESS
                       : GetLastError();
        });
    }

    void Remove(const std::string& name) noexcept override {
        try {
            DeleteFileW(SystemName(name).c_str());
        } catch (...) {
            // A name the system cannot make full names no file to remove.
        }
    }

    void ReadBack(const std::string& name,
                  const std::function<void(std::string_view)>& take) override {
        const std::wstring systemName = SystemName(name);
        HANDLE handle = INVALID_HANDLE_VALUE;
        RetryWhileHeld(systemName, [&]() -> DWORD {
            handle = CreateFileW(systemName.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
            return handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        });
        const std::unique_ptr<void, decltype(&CloseHandle)> closer(handle, &CloseHandle);
        const auto buffer = std::make_unique<char[]>(kReadSize);
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(handle, buffer.get(), kReadSize, &read, nullptr))
                FailWithLastError();
            if (read == 0)
                return;
            take(std::string_view(buffer.get(), read));
        }
    }
};

} // namespace

std::unique_ptr<TFileLayer> MakePlatformFileLayer() {
    return std::make_unique<TWindowsFileLayer>();
}
