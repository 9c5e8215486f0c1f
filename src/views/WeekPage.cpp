#include "views/WeekPage.h"

#include <algorithm>

#include "document/TamselDoc.h"
#include "values/NumberFormat.h"
#include "views/EntryLabel.h"

namespace kivrun {

WeekLayout::WeekLayout(const CDate& weekStart, int width, int height)
    : weekStart_(weekStart),
      width_(std::max(width, MinimumWidth())),
      height_(std::max(height, MinimumHeight())),
      boxWidth_((width_ - 20) / 2),
      boxHeight_((height_ - 20) / 4) {}

int WeekLayout::MinimumWidth() {
    return 20 + 2 * kMinBoxWidth;
}

int WeekLayout::MinimumHeight() {
    return 20 + 4 * (kFirstLine + kMinBoxLines * LinePlacer::kLineHeight);
}

PixelRect WeekLayout::Box(int box) const {
    const int x = 10 + (box / 4) * boxWidth_;
    const int y = 10 + (box % 4) * boxHeight_;
    return {x, y, x + boxWidth_, y + boxHeight_};
}

std::vector<PixelRect> WeekLayout::DayBoxes() const {
    std::vector<PixelRect> boxes;
    for (int i = 0; i < 7; ++i)
        boxes.push_back(Box(i));
    return boxes;
}

int WeekLayout::BoxOf(const CDate& day) const {
    if (day < weekStart_) return -1;
    const int days = CDate::DaysBetween(weekStart_, day);
    return days < 7 ? days : -1;
}

std::string WeekLayout::HeaderText(int box) const {
    return box == kSummaryBox ? std::string("Summary") : DayOf(box).Format(5);
}

PixelRect WeekLayout::HeaderRect(int box) const {
    const PixelRect b = Box(box);
    return {b.left + 5, b.top + 2, b.left + 5 + boxWidth_ - 20, b.top + 22};
}

std::vector<PixelLine> WeekLayout::Lines() const {
    std::vector<PixelLine> lines;
    const PixelRect outer = Outer();
    for (int box = 1; box <= 3; ++box) {
        const PixelRect b = Box(box);
        lines.push_back({b.left, b.top, outer.right, b.top});
    }
    const PixelRect right = Box(4);
    lines.push_back({right.left, right.top, right.left, outer.bottom});
    return lines;
}

PixelRect WeekLayout::SummaryArea() const {
    const PixelRect b = Box(kSummaryBox);
    return {b.left + 5, b.top + kFirstLine, b.left + 5 + boxWidth_ - 6,
            b.top + kFirstLine + boxHeight_ - 26};
}

WeekPage WeekPage::Fill(const WeekLayout& layout, const std::vector<EntryRow>& entries,
                        const Catalog& catalog) {
    WeekPage page{layout, {}, {}, 0};
    int lines[7] = {};
    std::vector<int> boxes;
    boxes.reserve(entries.size());
    for (const EntryRow& e : entries) {
        boxes.push_back(layout.BoxOf(CDate::FromSerial(e.date)));
        if (boxes.back() >= 0) ++lines[boxes.back()];
    }
    LinePlacer placer(layout.DayBoxes(), WeekLayout::kFirstLine);
    std::vector<RowId> firstHidden(7, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int box = boxes[i];
        if (box < 0) continue;
        const EntryRow& e = entries[i];
        const std::optional<LinePlacer::Spot> spot = placer.Next(box, lines[box]);
        if (!spot) {
            if (firstHidden[static_cast<std::size_t>(box)] == 0)
                firstHidden[static_cast<std::size_t>(box)] = e.entryId;
            continue;
        }
        const SportInfo* sport = catalog.Sport(e.sport);
        page.items.push_back({PageItem::Kind::Entry, e.entryId, e.date, box, spot->column,
                              LineImage(sport), spot->x, spot->y, spot->fitWidth,
                              WeekEntryLine(e, sport)});
    }
    AddMoreLines(
        placer, 7, firstHidden, [&](int box) { return layout.DayOf(box).ToSerial(); }, page.items);
    return page;
}

std::string GrandTotalText(const GrandTotal& grand, const std::string& unitShortName) {
    std::string text = "Total:  ";
    if (grand.distance > 0)
        text += DisplayDoubleText(Round(grand.distance, 1)) + unitShortName + "  ";
    return text + grand.time.Format(0) + "H  " + IntToText(grand.workouts) + "x";
}

std::string SportTotalText(const TotalsRecord& t) {
    std::string text;
    if (!IsBuiltInSportName(t.sportName)) text = t.sport + ": ";
    if (t.distance != 0) text += DisplayDoubleText(t.distance) + t.distanceShortName + "  ";
    return text + CElapsedTime::FromSeconds(t.time).Format(0) + "H  " + IntToText(t.workouts) + "x";
}

void WeekPage::Summarise(WeekPage& page, const std::vector<TotalsRecord>& totals,
                         const GrandTotal& grand, const Catalog& catalog, int grandUnit) {
    page.summary.clear();
    page.summaryColumns = 0;
    const WeekLayout& layout = page.layout;
    if (totals.empty()) return;
    const PixelRect box = layout.Box(WeekLayout::kSummaryBox);
    const int width = layout.BoxWidth();
    const int height = layout.BoxHeight();

    std::string unit;
    for (const UnitInfo& u : catalog.distanceUnits)
        if (u.id == grandUnit) unit = u.shortName;
    // At the foot of the box, below the sports.
    const SummaryLine total{
        -1, box.left + 5, box.top + height - 20, width - 6, 0, GrandTotalText(grand, unit)};

    const int linesPerColumn = (height - 50) / LinePlacer::kLineHeight;
    int columns = 0;
    if (linesPerColumn > 0) {
        const int rows = static_cast<int>(totals.size());
        columns = (rows + linesPerColumn - 1) / linesPerColumn;
        while (columns > 0 && columns * WeekLayout::kSummaryColumnWidth > width)
            --columns;
    }
    if (columns > 0) {
        const int columnWidth = (width - 6) / columns;
        int x = box.left + 5;
        int y = box.top + WeekLayout::kFirstLine;
        int column = 1;
        for (const TotalsRecord& t : totals) {
            if (y + LinePlacer::kLineHeight > box.top + height - 25) {
                if (column == columns) break;
                ++column;
                x += columnWidth;
                y = box.top + WeekLayout::kFirstLine;
            }
            page.summary.push_back({LineImage(catalog.Sport(t.sport)), x + 18, y, width - 5,
                                    columnWidth - 20, SportTotalText(t)});
            y += LinePlacer::kLineHeight;
        }
    }
    page.summaryColumns = columns;
    page.summary.push_back(total);
}

WeekPage WeekPage::Read(CTamselDoc& doc, const CDate& weekStart, int width, int height) {
    const WeekLayout layout(weekStart, width, height);
    const CDate last = weekStart.AddDays(6);
    const Catalog& catalog = doc.GetCatalog();
    WeekPage page = Fill(layout, doc.EntriesBetween(weekStart, last), catalog);
    GrandTotal grand;
    const std::vector<TotalsRecord> totals = doc.GetTotals(weekStart, last, "", &grand);
    Summarise(page, totals, grand, catalog, TextToInt(doc.Preference("GrandTotalUnits")));
    return page;
}

bool CanGoBack(const CDate& weekStart, const std::optional<CDate>& earliest) {
    return earliest && weekStart.AddDays(-1) >= *earliest;
}

bool CanGoForward(const CDate& weekStart, const std::optional<CDate>& latest, const CDate& today) {
    if (!latest) return false;
    const CDate next = weekStart.AddDays(7);
    return next <= *latest || next <= today;
}

}  // namespace kivrun
