#pragma once

#include "export/PersonFileColumns.h"
#include "export/TClock.h"
#include "register/TPersonRecord.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// Builds the clear record lines of one export: the 17 column values, each followed by a tab.
class TRecordLineBuilder {
public:
    explicit TRecordLineBuilder(TClock& clock);

    // The record line of `row`, valid until the next call. The day of the export is read from
    // the clock for column 10 and read again for column 12. A control character inside a field
    // is written as a space, so that the line keeps its 17 entries and holds no line end.
    std::string_view Line(const TPersonRecord& row);

private:
    static constexpr std::size_t kExportDays = static_cast<std::size_t>(
        std::count_if(kPersonFileColumns.begin(), kPersonFileColumns.end(),
                      [](const auto& column) { return column.source == TValueSource::ExportDay; }));
    using TDayTexts = std::array<std::string_view, kExportDays>;

    // A day read from the clock and its text, which serves until the clock tells another day;
    // one per export day column, since a line written across midnight holds two days. Writing
    // the text anew would format two dates for every line.
    struct TDayText {
        TDate day;
        std::string text;
    };

    std::string_view DayText(TDayText& day);

    // The columns are walked at compile time and the line is written into a string of its final
    // length, so that nothing is looked up or checked per value: a plain loop over the columns
    // costs a big export nearly twice the processor's work (ARCHITECTURE.md, Benchmarks).
    template <std::size_t... Column>
    std::size_t FieldsLength(const TPersonRecord& row, std::index_sequence<Column...>) const;
    template <std::size_t... Column>
    void WriteColumns(char* out, const TPersonRecord& row, const TDayTexts& days,
                      std::index_sequence<Column...>) const;
    template <std::size_t Column>
    char* WriteColumn(char* out, const TPersonRecord& row, const TDayTexts& days) const;

    TClock& clock_;
    const std::string farFutureDayText_;
    std::size_t fixedLength_ = 0; // of the constants, the far future day and the tabs
    std::array<TDayText, kExportDays> days_;
    std::string line_;
};
