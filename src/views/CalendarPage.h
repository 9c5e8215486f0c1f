#pragma once

#include <optional>
#include <string>
#include <vector>

#include "values/Date.h"
#include "views/PageItem.h"

namespace kivrun {

class CTamselDoc;

// The month grid of the calendar view for an area of width x height pixels: the weeks of
// the shown month (4 to 6, starting on the program's week start day) under a header band
// with the month's title and the weekday names. Cells are numbered row by row from 0. An
// area smaller than the month needs is taken at the month's least size (the window then
// scrolls): a page is never empty.
class CalendarGrid {
  public:
    static constexpr int kHeaderBottom = 40;
    // A cell's first line lies this far below its top, under the day number.
    static constexpr int kFirstLine = 20;
    // The least a cell is: 80 pixels wide, two lines high (a line and "+N more").
    static constexpr int kMinColumnWidth = 80;
    static constexpr int kMinRowLines = 2;

    // The month of `shown` (its day does not matter).
    CalendarGrid(const CDate& shown, int width, int height);
    // The least width and height a month of that many weeks is laid out at.
    static int MinimumWidth();
    static int MinimumHeight(int weeks);

    const CDate& Shown() const { return shown_; }
    const CDate& GridStart() const { return start_; }
    CDate GridEnd() const { return start_.AddDays(CellCount() - 1); }
    // Cells before the 1st of the month.
    int Lead() const { return lead_; }
    int Weeks() const { return weeks_; }
    int CellCount() const { return weeks_ * 7; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowHeight() const { return rowHeight_; }
    int ColumnWidth() const { return columnWidth_; }
    PixelRect GridRect() const { return {10, 10, width_ - 10, height_ - 10}; }

    PixelRect Cell(int cell) const;
    std::vector<PixelRect> Cells() const;
    // CellCount() for a date outside the grid.
    int CellIndex(const CDate& date) const;
    CDate CellDate(int cell) const { return start_.AddDays(cell); }
    // The cell at a point, -1 when there is none.
    int HitTestCell(int x, int y) const;
    // Grey day numbers: the cell shows a day of the month before or after.
    bool InShownMonth(int cell) const;
    // The cell of today, -1 when the grid does not show it.
    int TodayCell() const;

    // The header band: "January 2005" centred over the grid, then the weekday names.
    std::string Title() const { return shown_.Format(3); }
    PixelRect TitleRect() const { return {15, 11, width_ - 25, 26}; }
    int TitleX(int titleWidth) const;
    std::string WeekdayName(int column) const;
    PixelRect WeekdayRect(int column) const;
    PixelRect DayNumberRect(int cell) const;
    // The frame is the grid rectangle; these are the lines inside it.
    std::vector<PixelLine> GridLines() const;

    // Previous: the last day of the month before; Next: the 1st of the month after.
    static CDate PreviousMonth(const CDate& shown);
    static CDate NextMonth(const CDate& shown);
    // "M/YYYY" as the 1st of that month; none for any other text.
    static std::optional<CDate> MonthFromText(const std::string& text);

  private:
    CDate shown_;
    CDate start_;
    int lead_ = 0;
    int weeks_ = 4;
    int width_ = 0;
    int height_ = 0;
    int rowHeight_ = 0;
    int columnWidth_ = 0;
};

// The month as the calendar view shows it: the grid and the lines in its cells.
struct CalendarPage {
    CalendarGrid grid;
    // Workouts first, in the filtered set's order, then events by date and EventID.
    std::vector<PageItem> items;

    // Fills the grid's cells. A day splits into two columns when its workouts and events
    // together do not fit under each other.
    static CalendarPage Fill(const CalendarGrid& grid, const std::vector<EntryRow>& entries,
                             const std::vector<EventRow>& events, const Catalog& catalog);
    // ... from the log: only the filtered workouts and the events of the grid's days.
    static CalendarPage Read(CTamselDoc& doc, const CDate& shown, int width, int height);
};

}  // namespace kivrun
