#include "TScrambledOutput.h"

#include "ScrambleLine.h"

namespace {

constexpr std::size_t kWriteSize = std::size_t{1} << 18;

} // namespace

TScrambledOutput::TScrambledOutput(TOpenFile& file) : file_(file) {
    pending_.reserve(kWriteSize + 1024);
}

void TScrambledOutput::WriteScrambledLine(std::string_view text) {
    AppendScrambledLine(pending_, text);
    if (pending_.size() >= kWriteSize)
        WriteOut();
}

void TScrambledOutput::WriteOut() {
    file_.Write(pending_);
    pending_.clear();
}
