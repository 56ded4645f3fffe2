#include "check/TImportTrace.h"

void TImportTrace::ImportStarted() {
    byId_.clear();
    skipped_.clear();
    reasons_.clear();
    facts_ = {};
}

void TImportTrace::RowStored(std::int32_t id, const TRowSources& sources,
                             const TRowGuesses& guesses) {
    if (id < 1)
        return;
    const auto index = static_cast<std::size_t>(id - 1);
    if (index >= byId_.size())
        byId_.resize(index + 1);
    byId_[index] = {sources, guesses};
}

void TImportTrace::PersonSkipped(int line, TSkipReason reason) {
    skipped_.push_back(line);
    reasons_.push_back(reason);
}

void TImportTrace::TitleRead(int, std::string_view title) {
    facts_.title.assign(title);
}

void TImportTrace::NoteOrigin(std::string orderFile, std::int64_t importedAt,
                              std::vector<std::string> skippedTexts) {
    facts_.orderFile = std::move(orderFile);
    facts_.importedAt = importedAt;
    facts_.skippedTexts = std::move(skippedTexts);
}

TRowSources TImportTrace::SourcesOf(std::int32_t id) const {
    return TraceOf(id).sources;
}

TRowGuesses TImportTrace::GuessesOf(std::int32_t id) const {
    return TraceOf(id).guesses;
}

TImportTrace::TRowTrace TImportTrace::TraceOf(std::int32_t id) const {
    if (id < 1 || static_cast<std::size_t>(id) > byId_.size())
        return {};
    return byId_[static_cast<std::size_t>(id - 1)];
}
