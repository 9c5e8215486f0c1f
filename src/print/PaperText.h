#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/ShortenText.h"

// What every printed list shares: how a cell text is cut into lines, where the pages
// break, and the footer.
namespace kivrun::paper {

// Print units: lengths on paper, whatever the printer's resolution.
constexpr int kUnitsPerInch = 600;

// How WrapLines treats the edges.
struct WrapStyle {
    // A line fits when it is narrower than room, rather than at most as wide.
    bool belowRoom = false;
    // An empty line of the text stays as an empty line, rather than taking none.
    bool keepEmptyLines = false;
};

// A text in lines no wider than room: as many whole words as fit go on a line, blanks
// between them kept, blanks where a line breaks dropped; blanks before the first word stay.
// A word wider than room is cut where the line ends, at least one character a line, a
// character of two code units kept whole. Line breaks in the text start new lines; tabs
// count as blanks. No text, no lines.
// Words are measured one at a time and their widths added, so a line costs what its own
// characters do, and the whole text is wrapped in time linear in its length.
std::vector<std::u16string> WrapLines(std::u16string_view text, int room,
                                      const controls::TextWidth& measure, WrapStyle style = {});

// How full a page may get before the next row goes over.
enum class PageFill {
    Whole,          // rows are added while they fit
    LeaveLastLine,  // a row that would reach the last line exactly goes over too
};

// The first row of every page, given the lines each row takes. A row never leaves a page
// empty: one taller than a page has a page of its own. Always at least one page.
std::vector<long> PageStarts(const std::vector<int>& rowLines, int linesPerPage, PageFill fill);

// Rows on pages: where each page begins. Always at least one page.
class Pages {
  public:
    Pages() = default;
    Pages(std::vector<long> starts, long rows);
    int Count() const { return static_cast<int>(starts_.size()); }
    // The page's first row, and one past its last; 0 for a page that is not there.
    long First(int page) const;
    long End(int page) const;

  private:
    std::vector<long> starts_{0};
    long rows_ = 0;
};

// "Page 2 of 7".
std::string FooterText(int page, int pageCount);

}  // namespace kivrun::paper
