#include "summaries/TotalsTable.h"

#include "document/TamselDoc.h"

namespace kivrun {
namespace {

constexpr const char* kGroupingKey = "TotalsGrouping";

}  // namespace

const std::array<TotalsColumn, 5>& TotalsColumns() {
    static const std::array<TotalsColumn, 5> columns = {{
        {"Week Of", 80, 300, 0},
        {"Sport", 125, 700, 0},
        {"#", 35, 150, 1},
        {"Distance", 70, 300, 1},
        {"Time", 65, 300, 1},
    }};
    return columns;
}

std::string TotalsPeriodTitle(TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Month:
            return "Month";
        case TotalsGrouping::Year:
            return "Year";
        case TotalsGrouping::Week:
            break;
    }
    return "Week";
}

std::optional<TotalsGrouping> ParseTotalsGrouping(std::string_view name) {
    if (name == "week") return TotalsGrouping::Week;
    if (name == "month") return TotalsGrouping::Month;
    if (name == "year") return TotalsGrouping::Year;
    return std::nullopt;
}

TotalsGrouping SavedTotalsGrouping(CTamselDoc& doc) {
    const std::string value = doc.Preference(kGroupingKey, "0");
    if (value == "1") return TotalsGrouping::Month;
    if (value == "2") return TotalsGrouping::Year;
    return TotalsGrouping::Week;
}

void SaveTotalsGrouping(CTamselDoc& doc, TotalsGrouping grouping) {
    const std::string value = std::to_string(static_cast<int>(grouping));
    if (doc.Preference(kGroupingKey, "0") != value) doc.SetPreference(kGroupingKey, value);
}

TotalsPrintSource::TotalsPrintSource(SharedTotalsRows rows, TotalsGrouping grouping)
    : rows_(rows ? std::move(rows) : std::make_shared<const std::vector<TotalsRow>>()),
      grouping_(grouping) {}

std::vector<PrintListColumn> TotalsPrintSource::Columns(int) const {
    std::vector<PrintListColumn> columns;
    for (const TotalsColumn& c : TotalsColumns())
        columns.push_back({c.title, c.printWidth, c.alignment});
    columns[0].title = TotalsPeriodTitle(grouping_);
    return columns;
}

long TotalsPrintSource::RowCount() const {
    return static_cast<long>(rows_->size());
}

std::string TotalsPrintSource::CellText(long row, std::size_t column) const {
    if (row < 0 || row >= RowCount() || column >= 5) return {};
    return (*rows_)[static_cast<std::size_t>(row)].text[column];
}

Rgb TotalsPrintSource::RowBackground(long row) const {
    if (row < 0 || row >= RowCount()) return kTotalsBackground;
    return TotalsRowColor((*rows_)[static_cast<std::size_t>(row)]);
}

}  // namespace kivrun
