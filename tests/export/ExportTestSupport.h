#pragma once

#include "export/TFileLayer.h"
#include "export/TIoError.h"
#include "support/PersonRows.h"
#include "tests/support/ClearLine.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The clear lines of a person file: split at every line end, each scrambled again. Bytes after
// the last line end come last, marked.
inline std::vector<std::string> ClearLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(ClearLine(std::string_view(bytes).substr(start, end - start)));
    if (start < bytes.size())
        lines.push_back("(no line end) " + bytes.substr(start));
    return lines;
}

inline std::set<std::string> Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

enum class TFault { WriteHalfway, Replace, ReadBack };

// The system's file layer with one step made to fail with a chosen code. A failing write first
// passes half of its bytes on, as a disk that fills up does. A failing read back gives the file's
// bytes as `reread` changes them, as a disk that keeps other bytes than it was given does.
class FaultyFileLayer final : public TFileLayer {
public:
    FaultyFileLayer(TFault fault, int code) : fault_(fault), code_(code) {}
    explicit FaultyFileLayer(std::function<void(std::string&)> reread)
        : fault_(TFault::ReadBack), code_(0), reread_(std::move(reread)) {}

    std::string PrepareTarget(const std::string& name) override {
        return real_->PrepareTarget(name);
    }
    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        return std::make_unique<File>(*this, real_->CreateBeside(target));
    }
    void Replace(const std::string& written, const std::string& target) override {
        FailAt(TFault::Replace);
        real_->Replace(written, target);
    }
    void Remove(const std::string& name) noexcept override { real_->Remove(name); }
    void ReadBack(const std::string& name,
                  const std::function<void(std::string_view)>& take) override {
        if (fault_ != TFault::ReadBack)
            return real_->ReadBack(name, take);
        std::string bytes;
        real_->ReadBack(name, [&](std::string_view piece) { bytes.append(piece); });
        reread_(bytes);
        take(bytes);
    }

private:
    struct File final : TOpenFile {
        File(FaultyFileLayer& layer, std::unique_ptr<TOpenFile> real)
            : TOpenFile(real->Name()), layer(layer), real(std::move(real)) {}
        void Write(std::string_view bytes) override {
            if (layer.fault_ == TFault::WriteHalfway)
                real->Write(bytes.substr(0, bytes.size() / 2));
            layer.FailAt(TFault::WriteHalfway);
            real->Write(bytes);
        }
        void Flush() override { real->Flush(); }
        void Close() override { real->Close(); }
        FaultyFileLayer& layer;
        std::unique_ptr<TOpenFile> real;
    };

    void FailAt(TFault step) const {
        if (step == fault_)
            throw TIoError(code_);
    }

    TFault fault_;
    int code_;
    std::function<void(std::string&)> reread_;
    std::unique_ptr<TFileLayer> real_ = MakePlatformFileLayer();
};
