#pragma once

#include "TFileLayer.h"
#include "TIoError.h"

#include <memory>
#include <string>

// The step at which FaultyFileLayer fails.
enum class TFault { Create, WriteHalfway, Flush, Close, Replace };

// The system's file layer with one step made to fail with a chosen code. A failing write first
// passes half of its bytes on, as a disk that fills up does.
class FaultyFileLayer final : public TFileLayer {
public:
    FaultyFileLayer(TFault fault, int code) : fault_(fault), code_(code) {}

    std::string PrepareTarget(const std::string& fileName) override {
        return real_->PrepareTarget(fileName);
    }

    std::unique_ptr<TOpenFile> CreateBeside(const std::string& target) override {
        FailAt(TFault::Create);
        return std::make_unique<File>(*this, real_->CreateBeside(target));
    }

    void Replace(const std::string& written, const std::string& target) override {
        FailAt(TFault::Replace);
        real_->Replace(written, target);
    }

    void Remove(const std::string& name) noexcept override { real_->Remove(name); }

private:
    class File final : public TOpenFile {
    public:
        File(FaultyFileLayer& layer, std::unique_ptr<TOpenFile> real)
            : TOpenFile(real->Name()), layer_(layer), real_(std::move(real)) {}

        void Write(std::string_view bytes) override {
            if (layer_.fault_ == TFault::WriteHalfway)
                real_->Write(bytes.substr(0, bytes.size() / 2));
            layer_.FailAt(TFault::WriteHalfway);
            real_->Write(bytes);
        }
        void Flush() override {
            layer_.FailAt(TFault::Flush);
            real_->Flush();
        }
        void Close() override {
            layer_.FailAt(TFault::Close);
            real_->Close();
        }

    private:
        FaultyFileLayer& layer_;
        std::unique_ptr<TOpenFile> real_;
    };

    void FailAt(TFault step) const {
        if (step == fault_)
            throw TIoError(code_);
    }

    TFault fault_;
    int code_;
    std::unique_ptr<TFileLayer> real_ = MakePlatformFileLayer();
};
