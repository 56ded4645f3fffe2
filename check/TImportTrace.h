#pragma once

#include "import/TImportObserver.h"

#include <cstdint>
#include <vector>

// Which lines fed each row of the last import and which of its values were guesses, by row id,
// and which person lines gave no row.
// A row's trace stays after the row is deleted, so a restored row (same id) finds it again.
class TImportTrace : public TImportObserver {
public:
    void ImportStarted() override;
    void RowStored(std::int32_t id, const TRowSources& sources,
                   const TRowGuesses& guesses) override;
    void PersonSkipped(int line, TSkipReason reason) override;

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
};
