#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "views/CalendarPage.h"
#include "views/WeekPage.h"

class QPainter;
class QPalette;

namespace kivrun {

// The fonts of the month and week pages: Arial at 8.3 points of a 96-dpi screen, and the
// same in bold. Sized in pixels, because the pages are laid out in pixels (19 to a line),
// on screen and on paper alike.
struct PageFonts {
    QFont regular;
    QFont bold;
    PageFonts();
};

// The lines of a page as they are drawn: labels cut to their width in the regular font,
// and the rectangle of each (icon and label) for clicks and the selection.
struct DrawnItems {
    std::vector<PageItem> items;
    std::vector<QString> texts;
    std::vector<QRect> rects;

    static DrawnItems Fit(std::vector<PageItem> items, const QFont& font);
    // The line at a point, -1 for none.
    int At(const QPoint& point) const;
    // The line that stands for this workout or event, -1 when the page does not show it.
    int Find(PageItem::Kind kind, RowId id) const;
};

QRect ToQRect(const PixelRect& r);

// Cuts labels as FitTextToWidth does, measured in one font.
class LabelFitter {
  public:
    explicit LabelFitter(const QFont& font);
    QString Fit(const std::string& text, int width);
    int Width(std::u16string_view text);
    int Width(const QString& text) {
        return Width(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<std::size_t>(text.size())));
    }

  private:
    QFontMetrics metrics_;
    std::unordered_map<char16_t, int>* widths_;
};
QString FitLabel(const std::string& text, int width, const QFont& font);

inline QColor MarginColor() {
    return QColor(170, 179, 206);
}
inline QColor EventColor() {
    return QColor(128, 128, 255);
}
// "+3 more", which opens the day's lines elsewhere.
inline QColor MoreColor() {
    return QColor(0, 70, 170);
}
// The frame round today's day on screen.
inline QColor TodayColor() {
    return QColor(230, 120, 0);
}

// The grid, header and margins of a month; on screen, today's cell is framed.
void DrawCalendarPage(QPainter& painter, const CalendarGrid& grid, const PageFonts& fonts,
                      bool screen = false);
// The boxes, day headers, margins and the Summary of a week; on screen, today's box is
// framed; on paper the icons are drawn from their drawings.
void DrawWeekPage(QPainter& painter, const WeekPage& page, const PageFonts& fonts, bool paper);
// The lines; on screen the selected one is highlighted (framed too while the view has the
// focus). On paper (palette null) the icons are drawn from their drawings, crisp at any
// resolution.
void DrawItems(QPainter& painter, const DrawnItems& drawn, const PageFonts& fonts, int selected,
               bool focus, const QPalette* palette);

}  // namespace kivrun
