#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A file the export has created and is writing. Every failure throws TIoError.
class TOpenFile {
public:
    virtual ~TOpenFile() = default; // closes the file if Close was not reached, ignoring errors

    const std::string& Name() const { return name_; }

    virtual void Write(std::string_view bytes) = 0;
    // Makes everything written so far reach the disk.
    virtual void Flush() = 0;
    virtual void Close() = 0;

protected:
    explicit TOpenFile(std::string name) : name_(std::move(name)) {}

private:
    std::string name_;
};

// The file operations of the export, the only code of the program that touches files. Names are
// in the system's native narrow encoding on Linux and in UTF-8 on Windows, where the layer passes
// them to the system's wide-character calls. Every failure throws TIoError.
class TFileLayer {
public:
    virtual ~TFileLayer() = default;

    // Checks that `fileName` may be created or replaced, before anything is written: its folder
    // exists, and an existing file of that name is a file that may be written. Returns the name
    // that the later steps use for it: a full name where the system needs one, a link followed to
    // the file it names.
    virtual std::string PrepareTarget(const std::string& fileName) = 0;
    // Creates a new, empty file with a name of its own in the folder of `target`, shared for
    // reading only.
    virtual std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) = 0;
    // Puts the closed file `written` in the place of `target` in one step; the file then has the
    // permissions an existing `target` had.
    virtual void Replace(const std::string& written, const std::string& target) = 0;
    // Removes a file, if it can; used to clean up after a failure.
    virtual void Remove(const std::string& name) noexcept = 0;
    // Opens the file `name` anew and hands its bytes to `take` piece by piece, in order, as the
    // system gives them back now (past the program's own buffers, and where it can the system's
    // cache), so that a file that differs from what was written is found.
    virtual void ReadBack(const std::string& name,
                          const std::function<void(std::string_view)>& take) = 0;
};

// The file layer of the system the program runs on.
std::unique_ptr<TFileLayer> MakePlatformFileLayer();
