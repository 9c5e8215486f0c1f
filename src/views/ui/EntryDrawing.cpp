#include "views/ui/EntryDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <memory>

#include "controls/ui/SportIconSet.h"
#include "print/ui/CharWidths.h"
#include "values/TextEncoding.h"
#include "views/ui/PageDrawing.h"

namespace kivrun {
namespace {

// Arial of that pixel height, stretched to the average character width asked for.
QFont SizedFont(int height, int averageWidth, bool paper) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(height);
    font.setWeight(QFont::DemiBold);
    if (paper) font.setHintingPreference(QFont::PreferNoHinting);
    if (averageWidth > 0) {
        const double average = QFontMetrics(font).averageCharWidth();
        if (average > 0) font.setStretch(std::clamp(qRound(100 * averageWidth / average), 50, 200));
    }
    return font;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QRect R(const PixelRect& r) {
    return ToQRect(r);
}

void DrawText(QPainter& painter, const QFont& font, const PixelRect& rect, const std::string& text,
              Qt::Alignment align = Qt::AlignLeft) {
    painter.setFont(font);
    painter.drawText(R(rect), static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine),
                     Q(text));
}

void DrawIcon(QPainter& painter, int image, const QRect& rect, bool paper) {
    if (paper) {
        QSvgRenderer drawing(SportIconPath(image));
        if (drawing.isValid()) {
            drawing.render(&painter, rect);
            return;
        }
    }
    SportIcon(image).paint(&painter, rect);
}

void DrawRoutine(QPainter& painter, const RoutineTable& table, const EntryLayout& l,
                 const QFont& font) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int rows = static_cast<int>(table.rows.size()) + 1;
    painter.fillRect(QRect(l.routine.left, l.routine.top, l.routine.Width(), l.rowHeight),
                     QColor(230, 233, 242));
    int x = l.routine.left;
    for (std::size_t c = 0; c < l.columnWidths.size(); ++c) {
        const int w = l.columnWidths[c];
        for (int r = 0; r < rows; ++r) {
            const std::string& text = r == 0 ? table.headings[c] : table.rows[r - 1][c];
            const QRect cell(x + EntryLayout::kCellInset, l.routine.top + r * l.rowHeight,
                             w - 2 * EntryLayout::kCellInset, l.rowHeight);
            // Names on the left, numbers centred under their headings.
            painter.drawText(cell,
                             static_cast<int>((c == 0 ? Qt::AlignLeft : Qt::AlignHCenter) |
                                              Qt::AlignVCenter | Qt::TextSingleLine),
                             Q(text));
        }
        x += w;
    }
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(R(l.routine).adjusted(0, 0, -1, -1));
    for (int r = 1; r < rows; ++r)
        painter.drawLine(l.routine.left, l.routine.top + r * l.rowHeight, l.routine.right - 1,
                         l.routine.top + r * l.rowHeight);
    x = l.routine.left;
    for (std::size_t c = 0; c + 1 < l.columnWidths.size(); ++c) {
        x += l.columnWidths[c];
        painter.drawLine(x, l.routine.top, x, l.routine.bottom - 1);
    }
    painter.setPen(Qt::black);
}

}  // namespace

EntryFonts::EntryFonts(bool paper)
    : title(SizedFont(22, 10, paper)),
      field(SizedFont(16, 7, paper)),
      notes(SizedFont(12, 6, paper)),
      table(QStringLiteral("Arial")) {
    table.setPixelSize(11);  // 8.5 points at 96 dots per inch
    if (paper) table.setHintingPreference(QFont::PreferNoHinting);
}

const QFont& EntryFonts::Of(EntryFont font) const {
    switch (font) {
        case EntryFont::Title:
            return title;
        case EntryFont::Field:
            return field;
        case EntryFont::Notes:
            return notes;
        default:
            return table;
    }
}

TextMeasure EntryFonts::Measure() const {
    // Made once per layout, not once per text measured; texts are measured by their
    // characters, so that a long note is wrapped without shaping each of its words.
    struct Fonts {
        std::array<QFontMetrics, 4> metrics;
        std::array<CharWidths, 4> widths;
    };
    auto fonts = std::make_shared<Fonts>(
        Fonts{{QFontMetrics(title), QFontMetrics(field), QFontMetrics(notes), QFontMetrics(table)},
              {CharWidths(title), CharWidths(field), CharWidths(notes), CharWidths(table)}});
    return {[fonts](EntryFont font, std::string_view text) {
                return fonts->widths[static_cast<std::size_t>(font)].Width(Utf8ToUtf16(text));
            },
            [fonts](EntryFont font) {
                return fonts->metrics[static_cast<std::size_t>(font)].height();
            }};
}

void DrawEntryPage(QPainter& painter, const EntryPageContent& content, const EntryLayout& l,
                   const EntryFonts& fonts, bool paper) {
    const QRect page = R(l.page);
    const QRect outer = page.adjusted(-EntryLayout::kMargin, -EntryLayout::kMargin,
                                      EntryLayout::kMargin, EntryLayout::kMargin);
    // The margin round a black frame.
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), EntryLayout::kMargin),
                     MarginColor());
    painter.fillRect(QRect(outer.left(), page.bottom() + 1, outer.width(), EntryLayout::kMargin),
                     MarginColor());
    painter.fillRect(QRect(outer.left(), page.top(), EntryLayout::kMargin, page.height()),
                     MarginColor());
    painter.fillRect(QRect(page.right() + 1, page.top(), EntryLayout::kMargin, page.height()),
                     MarginColor());
    painter.setPen(Qt::black);
    painter.drawRect(page.adjusted(0, 0, -1, -1));

    if (!content.Shown()) {
        DrawText(painter, fonts.field, l.message, kNoEntryText);
        return;
    }
    const EntryFieldTexts& f = content.fields;
    DrawText(painter, fonts.title, l.title, f[kFieldDate].value, Qt::AlignRight);
    DrawIcon(painter, content.image, R(l.icon), paper);
    PixelRect sportText = l.sport;
    sportText.left += EntryLayout::kIconGap;
    DrawText(painter, fonts.title, sportText, f[kFieldSport].value);

    for (int field = 0; field < kEntryFieldCount; ++field) {
        if (!l.Placed(field)) continue;
        const FieldText& t = f[static_cast<std::size_t>(field)];
        DrawText(painter, fonts.field, l.labels[static_cast<std::size_t>(field)], t.label);
        DrawText(painter, fonts.field, l.values[static_cast<std::size_t>(field)], t.value);
    }

    DrawText(painter, fonts.notes, l.notesCaption, f[kFieldNotes].label);
    painter.drawRect(R(l.notes).adjusted(0, 0, -1, -1));
    painter.setFont(fonts.notes);
    painter.save();
    painter.setClipRect(R(l.notes).adjusted(1, 1, -1, -1));
    int y = l.NotesTextTop();
    // Lines below the page are not drawn: a long note would fill a PDF with them.
    const int bottom = std::min(l.notes.bottom, l.page.bottom);
    for (const std::string& line : l.notesLines) {
        if (y >= bottom) break;
        painter.drawText(QRect(l.NotesTextLeft(), y, l.notes.Width() - 2 * EntryLayout::kCellInset,
                               l.notesLineHeight),
                         static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine),
                         Q(line));
        y += l.notesLineHeight;
    }
    painter.restore();

    if (!l.splits.empty()) {
        DrawText(painter, fonts.notes, l.splitsCaption, "Splits");
        for (std::size_t i = 0; i < l.splits.size() && i < content.splits.size(); ++i)
            DrawText(painter, fonts.notes, l.splits[i], content.splits[i]);
    }
    if (content.HasRoutine()) DrawRoutine(painter, content.routine, l, fonts.table);
}

}  // namespace kivrun
