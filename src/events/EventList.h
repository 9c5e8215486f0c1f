#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/TamselDoc.h"
#include "views/PrintListLayout.h"

namespace kivrun {

// The events list: its columns on screen and on paper, its order, its rows' texts and week
// bands, and its clipboard and printed forms.
struct EventListColumn {
    const char* title;
    int screenWidth;  // pixels
    int printWidth;   // print units
};
const std::array<EventListColumn, 5>& EventListColumns();

// Rows of a week band other than the first.
constexpr Rgb kEventBand{215, 230, 245};
inline Rgb EventRowColor(int band) {
    return band == 1 ? kEventBand : Rgb{255, 255, 255};
}

// The column the list is sorted by (none at first: by date) and its direction. A click on
// the sort column turns it round; another column sorts ascending.
class EventListSort {
  public:
    using Column = CTamselDoc::EventColumn;
    void Click(int column);
    std::optional<Column> SortColumn() const { return column_; }
    Column By() const { return column_.value_or(Column::Date); }
    bool Descending() const { return descending_; }
    // The order as the log's SQL writes it: "EventName DESC, Date, EventID".
    std::string SortText() const;
    // A field name of the sort text ("Date", "SptAbbrev", ...) as a column.
    static std::optional<Column> ColumnOfField(std::string_view field);

  private:
    std::optional<Column> column_;
    bool descending_ = false;
};

struct EventListRow {
    RowId eventId = 0;
    double date = 0;  // serial day
    int band = 0;
    std::array<std::string, 5> cells;
};
using SharedEventRows = std::shared_ptr<const std::vector<EventListRow>>;

// The five texts of an event as the list shows them; the sport's name from the catalog
// (empty when the log has no such sport).
std::array<std::string, 5> EventCells(const EventRow& event, const Catalog& catalog);
// Every event in the sort's order with its texts, the bands shaded (and kept in the log).
std::vector<EventListRow> ReadEventList(CTamselDoc& doc, const EventListSort& sort);
// The first row dated on or after that day, -1 when none: where the list opens.
long FirstRowFrom(const std::vector<EventListRow>& rows, const CDate& day);
// The rows at those indices (in the list's order) as tab-separated lines.
std::string EventClipboardText(const std::vector<EventListRow>& rows, std::vector<long> indices);

// The events list on paper: its printed widths and band colours.
class EventPrintSource : public PrintListSource {
  public:
    explicit EventPrintSource(SharedEventRows rows);
    std::vector<PrintListColumn> Columns(int printableWidth) const override;
    long RowCount() const override;
    std::string CellText(long row, std::size_t column) const override;
    Rgb RowBackground(long row) const override;

  private:
    SharedEventRows rows_;
};

}  // namespace kivrun
