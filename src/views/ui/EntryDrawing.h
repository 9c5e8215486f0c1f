#pragma once

#include <QFont>

#include "views/EntryPage.h"

class QPainter;

namespace kivrun {

// The entry page's fonts: Arial, semi-bold, 22 x 10 pixels for the title, 16 x 7 for the
// fields, 12 x 6 for the notes and splits, and 8.5 points for the routine table.
struct EntryFonts {
    QFont title;
    QFont field;
    QFont notes;
    QFont table;
    // On paper the fonts are unhinted, so that text is as wide as it was measured.
    explicit EntryFonts(bool paper = false);
    const QFont& Of(EntryFont font) const;
    TextMeasure Measure() const;
};

// The page as laid out: margin and frame, title, sport and icon, fields, notes, routine
// table, route and splits; or the line that says there is nothing to show. On paper the
// icon is drawn from its drawing, crisp at any resolution.
void DrawEntryPage(QPainter& painter, const EntryPageContent& content, const EntryLayout& layout,
                   const EntryFonts& fonts, bool paper);

}  // namespace kivrun
