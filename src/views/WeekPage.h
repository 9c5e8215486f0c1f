#pragma once

#include <optional>
#include <string>
#include <vector>

#include "values/Date.h"
#include "views/PageItem.h"

namespace kivrun {

class CTamselDoc;
struct GrandTotal;

// The boxes of the week view for an area of width x height pixels: two columns of four,
// the seven days top to bottom from the left column, then the "Summary" box. An area
// smaller than the week needs is taken at the week's least size (the window then scrolls).
class WeekLayout {
  public:
    static constexpr int kSummaryBox = 7;
    // A box's first line lies this far below its top, under its header.
    static constexpr int kFirstLine = 25;
    // A summary column is at least this wide.
    static constexpr int kSummaryColumnWidth = 37;
    // The least a box is: 200 pixels wide, three lines high (the Summary's sports and total).
    static constexpr int kMinBoxWidth = 200;
    static constexpr int kMinBoxLines = 3;

    // weekStart must be a first day of the week.
    WeekLayout(const CDate& weekStart, int width, int height);
    static int MinimumWidth();
    static int MinimumHeight();

    const CDate& WeekStart() const { return weekStart_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelRect Outer() const { return {10, 10, width_ - 10, height_ - 10}; }
    int BoxWidth() const { return boxWidth_; }
    int BoxHeight() const { return boxHeight_; }
    PixelRect Box(int box) const;
    std::vector<PixelRect> DayBoxes() const;
    // The day's box, -1 for a day of another week.
    int BoxOf(const CDate& day) const;
    // Today's box, -1 when it is another week.
    int TodayBox() const { return BoxOf(CDate()); }
    CDate DayOf(int box) const { return weekStart_.AddDays(box); }
    // "Monday, Jan 5, 2004", or "Summary" for the last box.
    std::string HeaderText(int box) const;
    PixelRect HeaderRect(int box) const;
    // The frame is the outer rectangle; these are the lines inside it.
    std::vector<PixelLine> Lines() const;
    // Where the summary is cleared before its lines are drawn.
    PixelRect SummaryArea() const;

  private:
    CDate weekStart_;
    int width_ = 0;
    int height_ = 0;
    int boxWidth_ = 0;
    int boxHeight_ = 0;
};

// One line of the "Summary" box: a sport's totals or, last, the grand total.
struct SummaryLine {
    int image = -1;  // -1 for the grand total, which has no icon; else 18 pixels before x
    int x = 0;       // where the text starts
    int y = 0;
    int width = 0;     // of the rectangle the text is drawn in
    int fitWidth = 0;  // the width the text is cut to; 0 for the total, which is not cut
    std::string text;
};

// The week as the week view shows it.
struct WeekPage {
    WeekLayout layout;
    std::vector<PageItem> items;       // the week's workouts, in the filtered set's order
    std::vector<SummaryLine> summary;  // per sport, in the totals' order, then the total
    int summaryColumns = 0;

    static WeekPage Fill(const WeekLayout& layout, const std::vector<EntryRow>& entries,
                         const Catalog& catalog);
    // The "Summary" box: one line per sport, in as many columns as the rows need and as fit
    // at 37 pixels each, and the grand total at its foot (distance in grandUnit). Nothing
    // when the week has no workouts.
    static void Summarise(WeekPage& page, const std::vector<TotalsRecord>& totals,
                          const GrandTotal& grand, const Catalog& catalog, int grandUnit);
    // ... from the log: the filtered workouts of the week and their totals.
    static WeekPage Read(CTamselDoc& doc, const CDate& weekStart, int width, int height);
};

// The grand total line: "Total:  12.5M  2:10H  3x".
std::string GrandTotalText(const GrandTotal& grand, const std::string& unitShortName);
// A sport's line of the summary.
std::string SportTotalText(const TotalsRecord& totals);

// Previous stops at the week of the earliest workout; Next goes on while the next week
// starts on or before the latest workout or today. Neither moves in an empty log.
bool CanGoBack(const CDate& weekStart, const std::optional<CDate>& earliest);
bool CanGoForward(const CDate& weekStart, const std::optional<CDate>& latest, const CDate& today);

}  // namespace kivrun
