#include "events/EventList.h"

#include <algorithm>

namespace kivrun {
namespace {

constexpr std::array<const char*, 5> kFields = {"Date", "SptAbbrev", "EventAffiliation",
                                                "EventName", "EventDetails"};

}  // namespace

const std::array<EventListColumn, 5>& EventListColumns() {
    static const std::array<EventListColumn, 5> columns = {{
        {"Date", 60, 250},
        {"Sport", 85, 300},
        {"Affiliation", 100, 400},
        {"Event", 150, 600},
        {"Details", 220, 700},
    }};
    return columns;
}

void EventListSort::Click(int column) {
    if (column < 0 || column >= static_cast<int>(kFields.size())) return;
    const auto clicked = static_cast<Column>(column);
    descending_ = column_ == clicked && !descending_;
    column_ = clicked;
}

std::string EventListSort::SortText() const {
    const Column by = By();
    std::string text = kFields[static_cast<std::size_t>(by)];
    if (descending_) text += " DESC";
    if (by != Column::Date) text += ", Date";
    return text + ", EventID";
}

std::optional<EventListSort::Column> EventListSort::ColumnOfField(std::string_view field) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (field == kFields[i]) return static_cast<Column>(i);
    return std::nullopt;
}

std::array<std::string, 5> EventCells(const EventRow& event, const Catalog& catalog) {
    const SportInfo* sport = catalog.Sport(event.sport);
    return {CDate::FromSerial(event.date).Format(0), sport ? sport->name : std::string(),
            event.affiliation, event.name, DetailsOnOneLine(event.details)};
}

std::vector<EventListRow> ReadEventList(CTamselDoc& doc, const EventListSort& sort) {
    const std::vector<EventRow> events = doc.ShadeEvents(sort.By(), sort.Descending());
    const Catalog& catalog = doc.GetCatalog();
    std::vector<EventListRow> rows;
    rows.reserve(events.size());
    for (const EventRow& e : events)
        rows.push_back({e.eventId, e.date, e.background, EventCells(e, catalog)});
    return rows;
}

long FirstRowFrom(const std::vector<EventListRow>& rows, const CDate& day) {
    const double serial = day.ToSerial();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [serial](const EventListRow& r) { return r.date >= serial; });
    return found == rows.end() ? -1 : static_cast<long>(found - rows.begin());
}

std::string EventClipboardText(const std::vector<EventListRow>& rows, std::vector<long> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::string text;
    for (long i : indices) {
        if (i < 0 || i >= static_cast<long>(rows.size())) continue;
        const auto& cells = rows[static_cast<std::size_t>(i)].cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) text += '\t';
            // A tab of the user's own would split the row on pasting.
            std::string cell = cells[c];
            std::replace(cell.begin(), cell.end(), '\t', ' ');
            text += cell;
        }
        text += '\n';
    }
    return text;
}

EventPrintSource::EventPrintSource(SharedEventRows rows)
    : rows_(rows ? std::move(rows) : std::make_shared<const std::vector<EventListRow>>()) {}

std::vector<PrintListColumn> EventPrintSource::Columns(int) const {
    std::vector<PrintListColumn> columns;
    for (const EventListColumn& c : EventListColumns())
        columns.push_back({c.title, c.printWidth, 0});
    return columns;
}

long EventPrintSource::RowCount() const {
    return static_cast<long>(rows_->size());
}

std::string EventPrintSource::CellText(long row, std::size_t column) const {
    return (*rows_)[static_cast<std::size_t>(row)].cells.at(column);
}

Rgb EventPrintSource::RowBackground(long row) const {
    return EventRowColor((*rows_)[static_cast<std::size_t>(row)].band);
}

}  // namespace kivrun
