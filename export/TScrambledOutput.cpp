#include "export/TScrambledOutput.h"

#include "export/ScrambleLine.h"

namespace {

// Large enough that the system's cost per write does not count, small enough to stay in cache.
constexpr std::size_t kWriteSize = std::size_t{1} << 20;
// A record line is at most 336 bytes and its line end 2; the header line is shorter.
constexpr std::size_t kLongestLine = 338;

} // namespace

TScrambledOutput::TScrambledOutput(TOpenFile& file) : file_(file) {
    pending_.reserve(kWriteSize + kLongestLine);
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
