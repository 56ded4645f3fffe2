#pragma once

#include "check/TImportFacts.h"
#include "import/TImportObserver.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Which lines fed each row of the last import and which of its values were guesses, by row id,
// which person lines gave no row, and the import's facts for its report (TImportFacts), so that
// they come back with the rows when an import is taken back.
// A row's trace stays after the row is deleted, so a restored row (same id) finds it again.
class TImportTrace : public TImportObserver {
public:
    void ImportStarted() override;
    void RowStored(std::int32_t id, const TRowSources& sources,
                   const TRowGuesses& guesses) override;
    void PersonSkipped(int line, TSkipReason reason) override;
    void TitleRead(int line, std::string_view title) override;

    // After the import: where its order came from, when, and the text of each skipped line.
    void NoteOrigin(std::string orderFile, std::int64_t importedAt,
                    std::vector<std::string> skippedTexts);
    void NoteSave(TSavedFile saved) { facts_.lastSave = std::move(saved); }
    const TImportFacts& Facts() const { return facts_; }
    // How many rows the last import stored.
    int StoredRows() const { return static_cast<int>(byId_.size()); }

    // The lines of row `id`; all -1 for an id the last import did not store.
    TRowSources SourcesOf(std::int32_t id) const;
    // The guessed values of row `id`; none for an id the last import did not store.
    TRowGuesses GuessesOf(std::int32_t id) const;
    // The skipped person lines, in the order's order.
    const std::vector<int>& SkippedLines() const { return skipped_; }
    // Why each of them gave no row, in the same order.
    const std::vector<TSkipReason>& SkipReasons() const { return reasons_; }

private:
    struct TRowTrace {
        TRowSources sources;
        TRowGuesses guesses;
    };
    // The trace of row `id`; an empty one for an id the last import did not store.
    TRowTrace TraceOf(std::int32_t id) const;

    std::vector<TRowTrace> byId_; // index id - 1: an import gives ids 1, 2, 3 ...
    std::vector<int> skipped_;
    std::vector<TSkipReason> reasons_;
    TImportFacts facts_;
};
