#include "views/CalendarPage.h"

#include <gtest/gtest.h>

#include "PageSupport.h"
#include "views/EntryLabel.h"
#include "views/WeekPage.h"

namespace kivrun {
namespace {

using test::PageCatalog;
using test::Planned;
using test::WeekStart;
using test::Workout;

TEST(CalendarGrid, WeeksLeadAndStartFollowTheWeekStartDay) {
    struct Case {
        int weekStart, month, year, weeks, lead;
        const char* start;
        CDate lastDay;
        int lastCell;
    } cases[] = {
        // The 1st on the week start day: no leading days.
        {1, 3, 2021, 5, 0, "3/01/2021", CDate(3, 31, 2021), 30},
        // A non-leap February starting on the week start day fills exactly four weeks.
        {1, 2, 2021, 4, 0, "2/01/2021", CDate(2, 28, 2021), 27},
        {0, 2, 2026, 4, 0, "2/01/2026", CDate(2, 28, 2026), 27},
        // Tuesday start, a 31-day month from a Sunday: six weeks, the 31st shown.
        {2, 3, 2026, 6, 5, "2/24/2026", CDate(3, 31, 2026), 35},
        // 1900 has no 29 February; 2150 is drawn by the same calendar.
        {1, 2, 1900, 5, 3, "1/29/1900", CDate(3, 1, 1900), 31},
        {1, 3, 2150, 6, 6, "2/23/2150", CDate(3, 31, 2150), 36},
    };
    for (const Case& c : cases) {
        WeekStart pinned(c.weekStart);
        const CalendarGrid grid(CDate(c.month, 15, c.year), 800, 600);
        EXPECT_EQ(grid.Weeks(), c.weeks) << c.start;
        EXPECT_EQ(grid.Lead(), c.lead) << c.start;
        EXPECT_EQ(grid.GridStart().Format(1), c.start);
        EXPECT_EQ(grid.CellIndex(c.lastDay), c.lastCell) << c.start;
        EXPECT_EQ(grid.CellIndex(grid.GridStart().AddDays(-1)), grid.CellCount());
        EXPECT_EQ(grid.CellIndex(grid.GridEnd().AddDays(1)), grid.CellCount());
        EXPECT_EQ(grid.CellDate(grid.CellCount() - 1), grid.GridEnd());
    }
}

TEST(CalendarGrid, CellsHeadersAndLinesInPixels) {
    WeekStart monday(1);
    const CalendarGrid grid(CDate(3, 1, 2021), 800, 600);  // five weeks
    EXPECT_EQ(grid.Cell(8), (PixelRect{121, 150, 232, 260}));
    EXPECT_EQ(grid.HitTestCell(122, 151), 8);
    EXPECT_EQ(grid.HitTestCell(232, 260), 8);
    EXPECT_EQ(grid.HitTestCell(121, 150), 0);  // a shared corner goes to the first cell
    EXPECT_EQ(grid.HitTestCell(100, 20), -1);  // the header band
    EXPECT_EQ(grid.HitTestCell(795, 300), -1);
    EXPECT_EQ(grid.TitleRect(), (PixelRect{15, 11, 775, 26}));
    EXPECT_EQ(grid.Title(), "March 2021");
    EXPECT_EQ(grid.WeekdayName(0), "Monday");
    const std::vector<PixelLine> lines = grid.GridLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), (PixelLine{121, 40, 121, 590}));
    EXPECT_EQ(lines[6], (PixelLine{10, 40, 790, 40}));
    EXPECT_EQ(MarginStrips(grid.GridRect()),
              (std::array<PixelRect, 4>{PixelRect{0, 0, 10, 600}, PixelRect{790, 10, 800, 600},
                                        PixelRect{10, 590, 790, 600}, PixelRect{10, 0, 800, 10}}));
}

// Below the size a month or a week needs, it is laid out at its least size: every cell keeps
// two lines of 80 pixels (a box three lines of 200), whatever the window.
TEST(PageLayouts, AWindowTooSmallGetsTheLeastSizeNeverAnEmptyPage) {
    WeekStart monday(1);
    const struct {
        CDate month;
        int width, height, laidWidth, laidHeight;
    } months[] = {
        {CDate(3, 1, 2021), 119, 100, 580, 340},  // five weeks
        {CDate(5, 1, 2021), 600, 240, 600, 398},  // six
        {CDate(2, 1, 2021), 0, 0, 580, 282},      // four
        {CDate(3, 1, 2021), 800, 600, 800, 600},  // room enough: as given
    };
    for (const auto& m : months) {
        const CalendarGrid grid(m.month, m.width, m.height);
        EXPECT_EQ(std::make_pair(grid.Width(), grid.Height()),
                  std::make_pair(m.laidWidth, m.laidHeight))
            << m.width << " x " << m.height;
        EXPECT_GE(grid.ColumnWidth(), CalendarGrid::kMinColumnWidth);
        EXPECT_GE(grid.RowHeight(), CalendarGrid::kFirstLine + 2 * LinePlacer::kLineHeight);
    }
    const WeekLayout week(CDate(3, 1, 2021), 300, 240);
    EXPECT_EQ(std::make_pair(week.Width(), week.Height()), std::make_pair(420, 348));
    EXPECT_EQ(week.BoxWidth(), 200);
    EXPECT_EQ(week.BoxHeight(), WeekLayout::kFirstLine + 3 * LinePlacer::kLineHeight);
}

TEST(CalendarGrid, PreviousAndNextCrossMonthAndYearEnds) {
    struct Case {
        CDate from;
        const char *previous, *next;
    } cases[] = {{CDate(3, 31, 2026), "2/28/2026", "4/01/2026"},
                 {CDate(1, 15, 2026), "12/31/2025", "2/01/2026"},
                 {CDate(12, 31, 2025), "11/30/2025", "1/01/2026"}};
    for (const Case& c : cases) {
        EXPECT_EQ(CalendarGrid::PreviousMonth(c.from).Format(1), c.previous);
        EXPECT_EQ(CalendarGrid::NextMonth(c.from).Format(1), c.next);
    }
}

// Three lines fit a column of a day: more split the day into two columns, and what does not
// fit there either ends with "+N more". Events follow the workouts and count the same.
TEST(CalendarFill, ACrowdedDaySplitsThenEndsWithMore) {
    WeekStart monday(1);
    const CDate day(3, 10, 2021);  // cell 9
    struct Spot {
        int x, y, column;
    };
    // The places of a day's lines, in the order they fill.
    const Spot spots[] = {{237, 140, 1}, {237, 159, 1}, {237, 178, 1},
                          {287, 140, 2}, {287, 159, 2}, {287, 178, 2}};
    struct Case {
        int workouts;
        bool event;
        int fitWidth;
        std::size_t lines;
        const char* more;  // the last line's text, when it is "+N more"
    } cases[] = {
        {2, true, 111, 3, nullptr},
        {3, true, 55, 4, nullptr},
        {6, false, 55, 6, nullptr},
        {8, true, 55, 6, "+4 more"},  // five lines and the sixth place for the other four
    };
    for (const Case& c : cases) {
        const CalendarGrid grid(day, 800, 450);  // rows of 80: three lines
        std::vector<EntryRow> entries;
        for (int i = 1; i <= c.workouts; ++i)
            entries.push_back(Workout(i, day));
        std::vector<EventRow> events;
        if (c.event) events.push_back(Planned(7, day, "Spring 10K", "Q"));
        const CalendarPage page = CalendarPage::Fill(grid, entries, events, PageCatalog());
        ASSERT_EQ(page.items.size(), c.lines);
        for (std::size_t i = 0; i < c.lines; ++i) {
            const PageItem& item = page.items[i];
            const bool last = i + 1 == c.lines;
            const PageItem::Kind kind = last && c.more    ? PageItem::Kind::More
                                        : last && c.event ? PageItem::Kind::Event
                                                          : PageItem::Kind::Entry;
            EXPECT_EQ(item.cell, 9);
            EXPECT_EQ(item.kind, kind);
            // "+N more" knows the first workout it stands for, and its day.
            EXPECT_EQ(item.id, kind == PageItem::Kind::Event ? 7 : RowId(i + 1));
            EXPECT_EQ(std::make_tuple(item.x, item.y, item.column, item.fitWidth),
                      std::make_tuple(spots[i].x, spots[i].y, spots[i].column, c.fitWidth))
                << c.workouts << " workouts, line " << i;
            if (kind == PageItem::Kind::More) {
                EXPECT_EQ(item.label, c.more);
                EXPECT_EQ(CDate::FromSerial(item.date), day);
            }
        }
    }
}

TEST(CalendarFill, NeighbouringDaysAreGreyAndListedInEitherDateOrder) {
    WeekStart tuesday(2);
    const CalendarGrid grid(CDate(3, 1, 2026), 800, 600);
    EXPECT_FALSE(grid.InShownMonth(0));
    EXPECT_TRUE(grid.InShownMonth(5));
    EXPECT_FALSE(grid.InShownMonth(36));
    std::vector<EntryRow> ascending = {Workout(1, CDate(2, 23, 2026)),  // before the grid
                                       Workout(2, CDate(2, 24, 2026)),
                                       Workout(3, CDate(3, 9, 2026)),
                                       Workout(4, CDate(3, 9, 2026), "W", 0, 2700, 0),
                                       Workout(5, CDate(4, 6, 2026), "B", 20, 3600, 20)};
    const std::vector<EventRow> events = {Planned(1, CDate(4, 5, 2026), "Club race")};
    const CalendarPage up = CalendarPage::Fill(grid, ascending, events, PageCatalog());
    const std::vector<std::pair<int, std::string>> want = {{0, "5M  0:40H  8:00mpm"},
                                                           {13, "0:45H"},
                                                           {13, "5M  0:40H  8:00mpm"},
                                                           {40, "Club race"},
                                                           {41, "20K  1:00H  20.0kph"}};
    EXPECT_EQ(test::Lines(up.items), want);
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(test::Lines(CalendarPage::Fill(grid, ascending, events, PageCatalog()).items), want);
}

TEST(EntryLabel, CalendarAndWeekLines) {
    const Catalog catalog = PageCatalog();
    auto row = [](const char* sport, double distance, double seconds, double pace) {
        EntryRow e = Workout(1, CDate(3, 1, 2026), sport, distance, seconds, pace);
        e.route = "Lake loop";
        e.notes = "windy\r\nthen rain";
        return e;
    };
    struct Case {
        EntryRow entry;
        const char* calendar;
    } cases[] = {
        {row("R", 5, 2400, 480), "5M  0:40H  8:00mpm"},
        {row("B", 40.5, 5400, 27), "40.5K  1:30H  27.0kph"},
        {row("W", 0, 2700, 0), "0:45H"},
        {row("Y", 6.25, 3600, 0), "Y: 6.25M  1:00H"},  // no pace stored
        {row("Q", 3, 1800, 360), "3  0:30H"},          // a sport the log does not have
    };
    for (const Case& c : cases) {
        const SportInfo* sport = catalog.Sport(c.entry.sport);
        EXPECT_EQ(FormatEntryLabel(c.entry, sport), c.calendar);
        EXPECT_EQ(WeekEntryLine(c.entry, sport),
                  std::string(c.calendar) + "   Lake loop  { windy then rain }");
    }
    EXPECT_EQ(LineImage(catalog.Sport("Q")), kMissingSportImage);
}

TEST(PageItem, FitTextToWidthKeepsTheLongestStartThatFits) {
    const controls::TextWidth sevenEach = [](std::u16string_view t) {
        return static_cast<int>(t.size()) * 7;
    };
    const std::u16string text = u"5M  0:40H  8:00mpm";
    struct Case {
        int width;
        std::u16string want;
    } cases[] = {{200, text}, {100, u"5M  0:40H "}, {30, u""}, {29, text}};
    for (const Case& c : cases)
        EXPECT_EQ(FitTextToWidth(text, c.width, sevenEach), c.want) << c.width;
    EXPECT_EQ(FitTextToWidth(u"ab\U0001F3C3", 51, sevenEach), u"ab");  // 3 units fit, not 4
}

TEST(PageItem, ArrowsMoveToTheNearestLineThatWay) {
    auto at = [](int cell, int x, int y) {
        PageItem i;
        i.cell = cell;
        i.x = x;
        i.y = y;
        return i;
    };
    // Two lines in Monday, one in Tuesday, one in the Monday below.
    const std::vector<PageItem> items = {at(0, 15, 60), at(7, 15, 170), at(0, 15, 79),
                                         at(1, 126, 60)};
    struct Case {
        int from;
        PageMove move;
        int to;
    } cases[] = {{-1, PageMove::Down, 0}, {0, PageMove::Down, 2}, {2, PageMove::Down, 1},
                 {1, PageMove::Down, 1},  {2, PageMove::Up, 0},   {2, PageMove::Right, 3},
                 {3, PageMove::Left, 0},  {0, PageMove::Last, 1}, {1, PageMove::First, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(MoveSelection(items, c.from, c.move), c.to) << c.from;
    EXPECT_EQ(MoveSelection({}, -1, PageMove::Down), -1);
}

}  // namespace
}  // namespace kivrun
