// Failures that only the Windows file layer meets, made real: the files are opened and marked
// through the system's own calls, as another program or the user would.
#include "ExportTestSupport.h"
#include "export/TPersonFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const std::string kOldContent = "the file as it was\r\n";

// A handle to the target that another program holds for the whole export.
class HeldFile {
public:
    HeldFile(const fs::path& name, DWORD access, DWORD share)
        : handle_(CreateFileA(name.string().c_str(), access, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

struct WindowsCase {
    const char* name;
    // Prepares the existing target; returns what must stay open during the export.
    std::function<std::unique_ptr<HeldFile>(const fs::path& target)> prepare;
    std::string message; // which names the Windows error code
};
void PrintTo(const WindowsCase& c, std::ostream* out) {
    *out << c.name;
}

std::function<std::unique_ptr<HeldFile>(const fs::path&)> Held(DWORD access, DWORD share) {
    return
        [=](const fs::path& target) { return std::make_unique<HeldFile>(target, access, share); };
}

std::function<std::unique_ptr<HeldFile>(const fs::path&)> Marked(DWORD attributes) {
    return [=](const fs::path& target) {
        SetFileAttributesA(target.string().c_str(), attributes);
        return nullptr;
    };
}

class FailedExportOnWindows : public testing::TestWithParam<WindowsCase> {};

TEST_P(FailedExportOnWindows, IsReportedAndKeepsTheFile) {
    const WindowsCase& c = GetParam();
    const TempFolder folder;
    std::ofstream(folder / "persons.os", std::ios::binary) << kOldContent;
    auto held = c.prepare(folder / "persons.os");
    ASSERT_TRUE(!held || held->IsOpen()) << "the other program's handle";
    const auto listing = Listing(folder.Path());
    TPersonTable table = TableOf({Row("1", "NOWAK")});

    std::string message = "(no error)";
    try {
        TPersonFileWriter().Export(table, (folder / "persons.os").string());
    } catch (const TIoError& e) {
        message = e.what();
    }
    // Where the system can tell, the message goes on to name the program that holds the file.
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << message;
    held.reset();
    EXPECT_EQ(Listing(folder.Path()), listing) << "no temporary file is left";
    EXPECT_EQ(ReadBytes(folder / "persons.os"), kOldContent);
}

INSTANTIATE_TEST_SUITE_P(
    PersonFile, FailedExportOnWindows,
    testing::Values(
        WindowsCase{"HeldOpenForWriting", Held(GENERIC_WRITE, FILE_SHARE_READ), "I/O error 32"},
        // A reader that lets nobody write keeps the export out, as it keeps out any writer.
        WindowsCase{"HeldOpenByAReaderThatSharesNoWriting", Held(GENERIC_READ, FILE_SHARE_READ),
                    "I/O error 32"},
        WindowsCase{"HeldOpenByAWriterThatSharesEverything",
                    Held(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE),
                    "I/O error 32"},
        // A reader that lets nobody remove the file's name keeps the new file from taking it;
        // found before anything is written.
        WindowsCase{"HeldOpenByAReaderThatKeepsTheName",
                    Held(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE), "I/O error 32"},
        WindowsCase{"ReadOnlyAttribute", Marked(FILE_ATTRIBUTE_READONLY), "File access denied"},
        WindowsCase{"HiddenAttribute", Marked(FILE_ATTRIBUTE_HIDDEN), "File access denied"},
        WindowsCase{"SystemAttribute", Marked(FILE_ATTRIBUTE_SYSTEM), "File access denied"}));

// The main system's reader or a virus scanner holds the file for a moment: the save waits it out.
TEST(PersonFile, FileHeldForAMomentIsWaitedOut) {
    const TempFolder folder;
    const fs::path target = folder / "persons.os";
    std::ofstream(target, std::ios::binary) << kOldContent;
    auto held = std::make_unique<HeldFile>(target, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(held->IsOpen());
    // The other program, which lets go of the file a while after the save began.
    std::thread otherProgram([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.reset();
    });
    TPersonTable table = TableOf({Row("1", "NOWAK")});
    std::string message = "(no error)";
    try {
        TPersonFileWriter().Export(table, target.string());
    } catch (const TIoError& e) {
        message = e.what();
    }
    otherProgram.join();
    EXPECT_EQ(message, "(no error)");
    EXPECT_EQ(ClearLines(ReadBytes(target)).size(), 4u);
}

// A file deep in a tree, its full name beyond 260 characters, saves.
TEST(PersonFile, LongNameSaves) {
    const TempFolder folder;
    std::wstring deep = L"\\\\?\\" + fs::absolute(folder.Path()).wstring();
    std::string name = fs::absolute(folder.Path()).string();
    for (int level = 0; level < 6; ++level) {
        const std::string part(60, static_cast<char>('a' + level));
        deep += L"\\" + std::wstring(part.begin(), part.end());
        name += "\\" + part;
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << GetLastError();
    }
    name += "\\persons.os";
    ASSERT_GT(name.size(), std::size_t{MAX_PATH});
    TPersonTable table = TableOf({Row("1", "NOWAK")});
    EXPECT_NO_THROW(TPersonFileWriter().Export(table, name));
    EXPECT_NE(GetFileAttributesW((deep + L"\\persons.os").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW((deep + L"\\persons.os").c_str());
    for (int level = 0; level < 6; ++level) {
        RemoveDirectoryW(deep.c_str());
        deep.resize(deep.rfind(L'\\'));
    }
}

// A device is no file to put the new one in the place of.
TEST(PersonFile, DeviceNameIsRefusedOnWindows) {
    TPersonTable table = TableOf({Row("1", "NOWAK")});
    std::string message = "(no error)";
    try {
        TPersonFileWriter().Export(table, "NUL");
    } catch (const TIoError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "File access denied");
}

} // namespace
