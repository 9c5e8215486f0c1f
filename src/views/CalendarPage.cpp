#include "views/CalendarPage.h"

#include <algorithm>

#include "document/TamselDoc.h"
#include "views/EntryLabel.h"

namespace kivrun {

CalendarGrid::CalendarGrid(const CDate& shown, int width, int height) : shown_(shown) {
    const CDate first(shown.Month(), 1, shown.Year());
    start_ = first.FirstDayOfWeek();
    lead_ = CDate::DaysBetween(start_, first);
    weeks_ = (CDate::DaysInMonth(shown.Month(), shown.Year()) + lead_ + 6) / 7;
    width_ = std::max(width, MinimumWidth());
    height_ = std::max(height, MinimumHeight(weeks_));
    rowHeight_ = (height_ - 50) / weeks_;
    columnWidth_ = (width_ - 20) / 7;
}

int CalendarGrid::MinimumWidth() {
    return 20 + 7 * kMinColumnWidth;
}

int CalendarGrid::MinimumHeight(int weeks) {
    return 50 + weeks * (kFirstLine + kMinRowLines * LinePlacer::kLineHeight);
}

int CalendarGrid::TodayCell() const {
    const int cell = CellIndex(CDate());
    return cell < CellCount() ? cell : -1;
}

PixelRect CalendarGrid::Cell(int cell) const {
    const int x = 10 + (cell % 7) * columnWidth_;
    const int y = kHeaderBottom + (cell / 7) * rowHeight_;
    return {x, y, x + columnWidth_, y + rowHeight_};
}

std::vector<PixelRect> CalendarGrid::Cells() const {
    std::vector<PixelRect> cells;
    for (int i = 0; i < CellCount(); ++i)
        cells.push_back(Cell(i));
    return cells;
}

int CalendarGrid::CellIndex(const CDate& date) const {
    if (date < start_) return CellCount();
    const int days = CDate::DaysBetween(start_, date);
    return days < CellCount() ? days : CellCount();
}

int CalendarGrid::HitTestCell(int x, int y) const {
    for (int i = 0; i < CellCount(); ++i) {
        const PixelRect c = Cell(i);
        if (x - c.left >= 0 && x - c.left <= columnWidth_ && y - c.top >= 0 &&
            y - c.top <= rowHeight_)
            return i;
    }
    return -1;
}

bool CalendarGrid::InShownMonth(int cell) const {
    return cell >= lead_ && CellDate(cell).Month() == shown_.Month();
}

int CalendarGrid::TitleX(int titleWidth) const {
    const PixelRect r = TitleRect();
    return (r.right - titleWidth - r.left + 30) / 2;
}

std::string CalendarGrid::WeekdayName(int column) const {
    return start_.AddDays(column).Format(6);
}

PixelRect CalendarGrid::WeekdayRect(int column) const {
    const int left = 15 + column * columnWidth_;
    return {left, 24, left + columnWidth_ - 20, 39};
}

PixelRect CalendarGrid::DayNumberRect(int cell) const {
    const PixelRect c = Cell(cell);
    return {c.left + 5, c.top + 2, c.left + 5 + columnWidth_ - 20, c.top + 17};
}

std::vector<PixelLine> CalendarGrid::GridLines() const {
    std::vector<PixelLine> lines;
    const PixelRect grid = GridRect();
    for (int d = 1; d < 7; ++d) {
        const PixelRect c = Cell(d);
        lines.push_back({c.left, c.top, c.left, grid.bottom});
    }
    for (int w = 0; w < weeks_; ++w) {
        const PixelRect c = Cell(w * 7);
        lines.push_back({c.left, c.top, grid.right, c.top});
    }
    return lines;
}

CDate CalendarGrid::PreviousMonth(const CDate& shown) {
    return CDate(shown.Month(), 1, shown.Year()).AddDays(-1);
}

CDate CalendarGrid::NextMonth(const CDate& shown) {
    return CDate(shown.Month(), CDate::DaysInMonth(shown.Month(), shown.Year()), shown.Year())
        .AddDays(1);
}

std::optional<CDate> CalendarGrid::MonthFromText(const std::string& text) {
    const auto slash = text.find('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == text.size()) return std::nullopt;
    const std::string month = text.substr(0, slash), year = text.substr(slash + 1);
    auto digits = [](const std::string& t) {
        return t.size() <= 9 && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(month) || !digits(year)) return std::nullopt;
    const int m = std::stoi(month), y = std::stoi(year);
    if (m < 1 || m > 12 || y < 1) return std::nullopt;
    return CDate(m, 1, y);
}

CalendarPage CalendarPage::Fill(const CalendarGrid& grid, const std::vector<EntryRow>& entries,
                                const std::vector<EventRow>& events, const Catalog& catalog) {
    CalendarPage page{grid, {}};
    const int cells = grid.CellCount();
    auto cellOf = [&](double serial) { return grid.CellIndex(CDate::FromSerial(serial)); };
    std::vector<int> lines(static_cast<std::size_t>(cells), 0);
    for (const EntryRow& e : entries)
        if (const int c = cellOf(e.date); c < cells) ++lines[static_cast<std::size_t>(c)];
    for (const EventRow& e : events)
        if (const int c = cellOf(e.date); c < cells) ++lines[static_cast<std::size_t>(c)];

    LinePlacer placer(grid.Cells(), CalendarGrid::kFirstLine);
    // The first workout each crowded day leaves out.
    std::vector<RowId> firstHidden(static_cast<std::size_t>(cells), 0);
    auto place = [&](PageItem item) {
        const std::optional<LinePlacer::Spot> spot =
            placer.Next(item.cell, lines[static_cast<std::size_t>(item.cell)]);
        if (!spot) {
            RowId& hidden = firstHidden[static_cast<std::size_t>(item.cell)];
            if (hidden == 0 && item.kind == PageItem::Kind::Entry) hidden = item.id;
            return;
        }
        item.x = spot->x;
        item.y = spot->y;
        item.column = spot->column;
        item.fitWidth = spot->fitWidth;
        page.items.push_back(std::move(item));
    };
    for (const EntryRow& e : entries) {
        const int cell = cellOf(e.date);
        if (cell >= cells) continue;
        const SportInfo* sport = catalog.Sport(e.sport);
        place({PageItem::Kind::Entry, e.entryId, e.date, cell, 1, LineImage(sport), 0, 0, 0,
               FormatEntryLabel(e, sport)});
    }
    for (const EventRow& e : events) {
        const int cell = cellOf(e.date);
        if (cell >= cells) continue;
        place({PageItem::Kind::Event, e.eventId, e.date, cell, 1, LineImage(catalog.Sport(e.sport)),
               0, 0, 0, e.name});
    }
    AddMoreLines(
        placer, cells, firstHidden, [&](int cell) { return grid.CellDate(cell).ToSerial(); },
        page.items);
    return page;
}

CalendarPage CalendarPage::Read(CTamselDoc& doc, const CDate& shown, int width, int height) {
    const CalendarGrid grid(shown, width, height);
    return Fill(grid, doc.EntriesBetween(grid.GridStart(), grid.GridEnd()),
                doc.EventsBetween(grid.GridStart(), grid.GridEnd()), doc.GetCatalog());
}

}  // namespace kivrun
