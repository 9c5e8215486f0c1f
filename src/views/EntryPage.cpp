#include "views/EntryPage.h"

#include <algorithm>

#include "document/TamselDoc.h"
#include "print/PaperText.h"
#include "values/TextEncoding.h"

namespace kivrun {
namespace {

constexpr int kFieldGap = 10;    // between field lines
constexpr int kSectionGap = 15;  // between the parts of the page
constexpr int kNotesMinHeight = 50;

PixelRect Box(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

EntryPageContent EntryPageContent::Read(CTamselDoc& doc, RowId entryId) {
    EntryPageContent c;
    if (entryId == 0 || !doc.IsOpen()) return c;
    const std::optional<EntryDetail> detail = doc.Entry(entryId);
    if (!detail) return c;
    const Catalog& catalog = doc.GetCatalog();
    c.entryId = entryId;
    c.date = detail->entry.date;
    c.fields = FieldTextsOf(detail->entry, catalog, OptionalNames::FromColumns(doc.Columns(true)));
    if (const SportInfo* sport = catalog.Sport(detail->entry.sport)) c.image = sport->image;
    for (const SplitTime& s : detail->splits)
        c.splits.push_back(SplitText(s));
    c.routine = RoutineTable::Of(detail->routine);
    // The workout's equipment closes its notes box.
    std::string items;
    for (RowId id : detail->equipment)
        if (const std::optional<EquipmentItem> item = doc.EquipmentById(id))
            items += (items.empty() ? "" : "; ") + item->name;
    if (!items.empty()) {
        std::string& notes = c.fields[kFieldNotes].value;
        notes += (notes.empty() ? "" : "\n\n") + std::string("Equipment: ") + items;
    }
    return c;
}

std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure) {
    const std::vector<std::u16string> wrapped =
        paper::WrapLines(Utf8ToUtf16(text), width,
                         [&measure](std::u16string_view s) { return measure(Utf16ToUtf8(s)); },
                         {.belowRoom = true, .keepEmptyLines = true});
    std::vector<std::string> lines;
    lines.reserve(wrapped.size());
    for (const std::u16string& line : wrapped)
        lines.push_back(Utf16ToUtf8(line));
    // Blank lines at the end of a note take no room.
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

EntryLayout EntryLayout::Of(const EntryPageContent& content, int width, int height,
                            const TextMeasure& measure) {
    EntryLayout l;
    l.page = {kMargin, kMargin, std::max(kMargin, width - kMargin),
              std::max(kMargin, height - kMargin)};
    l.rightLimit = l.page.right - kRightInset;
    const int left = l.page.left + 5;
    if (!content.Shown()) {
        l.message = {left, l.page.top + 5, l.page.right - 5,
                     l.page.top + 5 + measure.height(EntryFont::Field)};
        return l;
    }
    auto w = [&](EntryFont font, const std::string& text) { return measure.width(font, text); };
    const EntryFieldTexts& f = content.fields;

    // The sport and its icon on the left, the date right-aligned on the same line.
    const int titleHeight = measure.height(EntryFont::Title);
    l.sport =
        Box(left, l.page.top + 5, w(EntryFont::Title, f[kFieldSport].value) + 28, titleHeight + 5);
    l.icon =
        Box(l.sport.left, l.sport.top + (l.sport.Height() - kIconSize) / 2, kIconSize, kIconSize);
    l.title = {left, l.sport.top, l.sport.right + 20 + w(EntryFont::Title, f[kFieldDate].value),
               l.sport.top + titleHeight};
    if (l.title.right < l.rightLimit) {
        const int shift = l.rightLimit - l.title.right;
        l.title.left += shift;
        l.title.right += shift;
    }

    // The field lines, their values lined up after the widest label.
    const int lineHeight = measure.height(EntryFont::Field);
    int y = l.sport.bottom + 25;
    int widestLabel = left;
    auto placeLine = [&](int field) {
        const FieldText& t = f[static_cast<std::size_t>(field)];
        if (t.value.empty()) return;
        PixelRect& label = l.labels[static_cast<std::size_t>(field)];
        label = Box(left, y, w(EntryFont::Field, t.label), lineHeight);
        l.values[static_cast<std::size_t>(field)] =
            Box(label.right, y, w(EntryFont::Field, t.value), lineHeight);
        widestLabel = std::max(widestLabel, label.right);
        y += lineHeight + kFieldGap;
    };
    for (int field : kPageFields)
        placeLine(field);
    placeLine(kFieldRoute);
    int valuesRight = left;
    for (int field = 0; field < kEntryFieldCount; ++field) {
        PixelRect& v = l.values[static_cast<std::size_t>(field)];
        if (v.right == 0) continue;
        const int shift = widestLabel - v.left;
        v.left += shift;
        v.right += shift;
        if (field != kFieldRoute) valuesRight = std::max(valuesRight, v.right);
    }
    const int fieldsBottom = y;

    // The notes: beside the fields and above the routine table when there is one, below the
    // fields otherwise.
    const int notesHeight = measure.height(EntryFont::Notes);
    const int captionWidth = w(EntryFont::Notes, f[kFieldNotes].label);
    PixelRect box;
    if (content.HasRoutine()) {
        // Never over the values beside it, however long they are.
        box.left = std::max(kNotesLeft, valuesRight + kSectionGap);
        box.top = l.title.bottom + 40;
        box.right = std::max(box.left + 40, l.rightLimit - (l.rightLimit - box.left) / 10);
    } else {
        box.left = left;
        box.top = fieldsBottom + notesHeight + 2;
        box.right = std::max(box.left + 40, l.rightLimit);
    }
    l.notesCaption = Box(box.left, box.top - notesHeight - 2, captionWidth, notesHeight);
    l.notesLines = WrapText(f[kFieldNotes].value, box.Width() - 2 * kCellInset,
                            [&](std::string_view s) { return measure.width(EntryFont::Notes, s); });
    l.notesLineHeight = notesHeight;
    box.bottom = box.top +
                 std::max(kNotesMinHeight, static_cast<int>(l.notesLines.size()) * notesHeight + 5);
    l.notes = box;
    int bottom = std::max(fieldsBottom, box.bottom);

    // The routine table under the notes.
    if (content.HasRoutine()) {
        const RoutineTable& t = content.routine;
        l.columnWidths.assign(t.headings.size(), 0);
        for (std::size_t c = 0; c < t.headings.size(); ++c) {
            int widest = w(EntryFont::Table, t.headings[c]);
            for (const std::vector<std::string>& row : t.rows)
                widest = std::max(widest, w(EntryFont::Table, row[c]));
            l.columnWidths[c] = widest + 2 * kCellInset;
        }
        l.rowHeight = measure.height(EntryFont::Table) + 4;
        int tableWidth = 0;
        for (int cw : l.columnWidths)
            tableWidth += cw;
        l.routine = Box(box.left, box.bottom + kSectionGap, tableWidth,
                        l.rowHeight * static_cast<int>(t.rows.size() + 1));
        bottom = std::max(bottom, l.routine.bottom);
    }

    // The split times, as many to a line as fit.
    if (!content.splits.empty()) {
        l.splitsCaption =
            Box(left, bottom + kSectionGap, w(EntryFont::Notes, "Splits"), notesHeight);
        int cell = 0;
        for (const std::string& s : content.splits)
            cell = std::max(cell, w(EntryFont::Notes, s) + 20);
        int x = left;
        int top = l.splitsCaption.bottom + 4;
        for (std::size_t i = 0; i < content.splits.size(); ++i) {
            if (x > left && x + cell > l.rightLimit) {
                x = left;
                top += notesHeight + 4;
            }
            l.splits.push_back(Box(x, top, cell, notesHeight));
            x += cell;
        }
    }
    return l;
}

}  // namespace kivrun
