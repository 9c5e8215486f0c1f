#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "views/EntryFields.h"
#include "views/PageItem.h"

namespace kivrun {

class CTamselDoc;

// What the entry page shows of one workout.
struct EntryPageContent {
    RowId entryId = 0;  // 0: no workout to show
    double date = 0;    // serial day
    EntryFieldTexts fields;
    int image = 12;  // the sport's icon
    std::vector<std::string> splits;
    RoutineTable routine;

    bool Shown() const { return entryId != 0; }
    bool HasRoutine() const { return !routine.Empty(); }
    // The workout as the log has it now; nothing shown when there is no such workout.
    static EntryPageContent Read(CTamselDoc& doc, RowId entryId);
};

// What the page says when there is no workout to show.
inline constexpr const char* kNoEntryText = "No workout passes the filter.";

// The page's fonts: the title, the fields, the notes and splits, the routine table.
enum class EntryFont { Title, Field, Notes, Table };

// Text sizes in pixels, in one of the page's fonts.
struct TextMeasure {
    std::function<int(EntryFont, std::string_view)> width;
    std::function<int(EntryFont)> height;
};

// Breaks text into lines narrower than width, as paper::WrapLines does; empty lines of the
// text stay, except at its end.
std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure);

// Where everything of the entry page goes, in pixels of a client area of that size.
struct EntryLayout {
    static constexpr int kMargin = 10;
    static constexpr int kRightInset = 25;
    static constexpr int kIconSize = 24;
    static constexpr int kIconGap = 26;  // from the icon's left edge to the sport name
    static constexpr int kNotesLeft = 165;
    static constexpr int kCellInset = 4;

    PixelRect page;  // inside the margin, framed
    int rightLimit = 0;
    PixelRect title;
    PixelRect sport;
    PixelRect icon;
    // Label and value of each field placed on the page; empty rectangles for the others.
    std::array<PixelRect, kEntryFieldCount> labels{};
    std::array<PixelRect, kEntryFieldCount> values{};
    PixelRect notesCaption;
    PixelRect notes;  // the drawn box
    std::vector<std::string> notesLines;
    int notesLineHeight = 0;
    PixelRect splitsCaption;
    std::vector<PixelRect> splits;
    PixelRect routine;
    std::vector<int> columnWidths;
    int rowHeight = 0;
    PixelRect message;  // the "no workout" text

    static EntryLayout Of(const EntryPageContent& content, int width, int height,
                          const TextMeasure& measure);
    bool Placed(int field) const { return values[static_cast<std::size_t>(field)].right > 0; }
    // The lines of the notes box start here.
    int NotesTextLeft() const { return notes.left + kCellInset; }
    int NotesTextTop() const { return notes.top + 2; }
};

// Fields on the page's left, in their order: distance, pace, time, the optional values.
inline constexpr std::array<int, 5> kPageFields = {kFieldDistance, kFieldPace, kFieldTime,
                                                   kFieldOptionalOne, kFieldOptionalTwo};

}  // namespace kivrun
