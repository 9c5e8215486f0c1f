#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ShortenText.h"
#include "store/Rows.h"

namespace kivrun {

// Pixel geometry of the painted views (the month calendar and the week), left, top, right
// and bottom as the views draw them.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const PixelLine&, const PixelLine&) = default;
};

// The four strips of the 10-pixel margin round an inner rectangle: left, right, bottom, top.
std::array<PixelRect, 4> MarginStrips(const PixelRect& inner);

// One line of a day: a workout or a planned event, its icon at (x, y) and its label after it;
// or, last in a day with more lines than fit, "+3 more" in place of the lines left out.
struct PageItem {
    enum class Kind { Entry, Event, More };
    Kind kind = Kind::Entry;
    RowId id = 0;     // EntryID or EventID; for More the first workout left out (0: none)
    double date = 0;  // serial day
    int cell = 0;     // the day's cell or box
    int column = 1;   // 1, or 2 in the right half of a split cell
    int image = 7;
    int x = 0;
    int y = 0;
    int fitWidth = 0;   // the width the label is cut to (FitTextToWidth)
    std::string label;  // the whole text, before cutting
};

// The sport icon a line shows when its sport is not in the log.
inline constexpr int kMissingSportImage = 7;

// "entry", "event" or "more", as the tool prints a line.
const char* KindName(PageItem::Kind kind);
// "+3 more".
std::string MoreText(int hidden);

// Places the lines of each day one under another. A crowded day whose cell is wide enough
// is split: its lines are cut to half the width, and once the left half is full they go
// on in the right half. A day with more lines than its cell holds shows as many as fit but
// one, and ends with "+N more" for the rest.
class LinePlacer {
  public:
    static constexpr int kLineHeight = 19;
    // A cell splits only when it is wider than this.
    static constexpr int kMinSplitWidth = 75;

    struct Spot {
        int x = 0;
        int y = 0;
        int column = 1;
        int fitWidth = 0;
    };

    // firstLine: how far below a cell's top its first line starts.
    LinePlacer(std::vector<PixelRect> cells, int firstLine);
    // Where the next line of the cell goes, none when it is left out; `lines` is how many the
    // cell holds in all, and counts only at its first line.
    std::optional<Spot> Next(int cell, int lines);
    // How many lines of the cell were left out, and where its "+N more" goes (none in a cell
    // too low for a line).
    int Hidden(int cell) const;
    std::optional<Spot> MoreSpot(int cell) const;

  private:
    struct State {
        bool started = false;
        bool split = false;
        int perColumn = 0;  // lines a column holds
        int shown = 0;      // lines the cell shows
        int placed = 0;     // lines asked for so far
    };
    Spot SpotAt(int cell, int slot) const;

    std::vector<PixelRect> cells_;
    std::vector<State> states_;
    int firstLine_;
};

// Once every line of the cells is placed: "+N more" at the foot of each crowded cell, in cell
// order. firstHidden: each cell's first workout left out (0 for none); dayOf: a cell's day.
void AddMoreLines(const LinePlacer& placer, int cells, const std::vector<RowId>& firstHidden,
                  const std::function<double(int cell)>& dayOf, std::vector<PageItem>& items);

// The longest start of text whose width plus 30 pixels is at most width, found by halving;
// a text of which no start fits stays whole. A character of two code units is kept whole.
std::u16string FitTextToWidth(std::u16string_view text, int width,
                              const controls::TextWidth& measure);

// Keyboard moves between the lines of a page.
enum class PageMove { Up, Down, Left, Right, First, Last };
// The item a move from `from` reaches (-1 for none selected yet: the first line), or `from`
// itself when nothing lies that way. Items are compared by where they are drawn.
int MoveSelection(const std::vector<PageItem>& items, int from, PageMove move);

}  // namespace kivrun
