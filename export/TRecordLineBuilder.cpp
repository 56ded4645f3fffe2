#include "export/TRecordLineBuilder.h"

#include "export/PersonFileDateText.h"

namespace {

using TColumns = std::make_index_sequence<kPersonFileColumns.size()>;

// The place of an export day column among the export day columns.
constexpr std::size_t ExportDayIndex(std::size_t column) {
    return static_cast<std::size_t>(std::count_if(
        kPersonFileColumns.begin(),
        kPersonFileColumns.begin() + static_cast<std::ptrdiff_t>(column),
        [](const TPersonFileColumn& c) { return c.source == TValueSource::ExportDay; }));
}

char* WriteField(const std::string& value, char* out) {
    return std::transform(value.begin(), value.end(), out,
                          [](char c) { return static_cast<unsigned char>(c) < 0x20 ? ' ' : c; });
}

} // namespace

TRecordLineBuilder::TRecordLineBuilder(TClock& clock)
    : clock_(clock), farFutureDayText_(PersonFileDateText(FarFutureDate())) {
    for (const TPersonFileColumn& column : kPersonFileColumns) {
        if (column.source == TValueSource::Constant)
            fixedLength_ += column.constant.size();
        if (column.source == TValueSource::FarFutureDay)
            fixedLength_ += farFutureDayText_.size();
        ++fixedLength_;
    }
}

std::string_view TRecordLineBuilder::Line(const TPersonRecord& row) {
    TDayTexts days;
    std::size_t length = fixedLength_ + FieldsLength(row, TColumns());
    for (std::size_t i = 0; i < kExportDays; ++i) {
        days[i] = DayText(days_[i]); // in column order
        length += days[i].size();
    }
    line_.resize(length);
    WriteColumns(line_.data(), row, days, TColumns());
    return line_;
}

std::string_view TRecordLineBuilder::DayText(TDayText& day) {
    const TDate today = clock_.Today();
    if (day.text.empty() || !(today == day.day))
        day = {today, PersonFileDateText(today)};
    return day.text;
}

template <std::size_t... Column>
std::size_t TRecordLineBuilder::FieldsLength(const TPersonRecord& row,
                                             std::index_sequence<Column...>) const {
    return ((kPersonFileColumns[Column].source == TValueSource::Field
                 ? row.Text(kPersonFileColumns[Column].field).size()
                 : 0) +
            ...);
}

template <std::size_t... Column>
void TRecordLineBuilder::WriteColumns(char* out, const TPersonRecord& row, const TDayTexts& days,
                                      std::index_sequence<Column...>) const {
    ((out = WriteColumn<Column>(out, row, days)), ...);
}

template <std::size_t Column>
char* TRecordLineBuilder::WriteColumn(char* out, const TPersonRecord& row,
                                      const TDayTexts& days) const {
    constexpr TPersonFileColumn column = kPersonFileColumns[Column];
    if constexpr (column.source == TValueSource::Field)
        out = WriteField(row.Text(column.field), out);
    else if constexpr (column.source == TValueSource::Constant)
        out = std::copy(column.constant.begin(), column.constant.end(), out);
    else if constexpr (column.source == TValueSource::ExportDay) {
        constexpr std::size_t day = ExportDayIndex(Column);
        out = std::copy(days[day].begin(), days[day].end(), out);
    } else
        out = std::copy(farFutureDayText_.begin(), farFutureDayText_.end(), out);
    *out++ = '\t';
    return out;
}
