#include "views/ui/PageDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <memory>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"

namespace kivrun {
namespace {

constexpr int kIconSize = 16;
constexpr int kLineHeight = LinePlacer::kLineHeight;
// The label starts this far after the line's icon.
constexpr int kLabelOffset = 18;
constexpr int kLabelPadding = 2;

void DrawIcon(QPainter& painter, int image, const QRect& rect, bool paper) {
    if (!paper) {
        // Hundreds of lines a page: each icon is looked up once for the screen's pixel ratio.
        static std::array<QPixmap, controls::kSportIconCount> pixmaps;
        static qreal ratio = 0;
        const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
        if (ratio != deviceRatio) {
            ratio = deviceRatio;
            pixmaps = {};
        }
        QPixmap& pixmap = pixmaps[static_cast<std::size_t>(controls::ValidSportIcon(image))];
        if (pixmap.isNull())
            pixmap = SportIcon(image).pixmap(QSize(kIconSize, kIconSize), deviceRatio);
        painter.drawPixmap(rect, pixmap);
        return;
    }
    static std::array<std::unique_ptr<QSvgRenderer>, controls::kSportIconCount> drawings;
    auto& svg = drawings[static_cast<std::size_t>(controls::ValidSportIcon(image))];
    if (!svg) {
        SportIcon(image);  // makes sure the drawings are loaded
        svg = std::make_unique<QSvgRenderer>(SportIconPath(image));
    }
    svg->render(&painter, QRectF(rect));
}

void FillAndWrite(QPainter& painter, const PixelRect& where, const QString& text, int flags) {
    const QRect rect = ToQRect(where);
    painter.fillRect(rect, Qt::white);
    painter.drawText(rect, flags | Qt::TextSingleLine, text);
}

void DrawFrameAndMargins(QPainter& painter, const PixelRect& inner,
                         const std::vector<PixelLine>& lines) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(inner).adjusted(0, 0, -1, -1));
    for (const PixelLine& l : lines)
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
}

void FillMargins(QPainter& painter, const PixelRect& inner) {
    for (const PixelRect& strip : MarginStrips(inner))
        painter.fillRect(ToQRect(strip), MarginColor());
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Today's day on screen: a coloured frame just inside its cell.
void MarkToday(QPainter& painter, const QRect& cell) {
    if (cell.width() < 4 || cell.height() < 4) return;
    painter.setPen(QPen(TodayColor(), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5));
}

}  // namespace

PageFonts::PageFonts() {
    regular = QFont(QStringLiteral("Arial"));
    regular.setPixelSize(11);  // 8.3 points at 96 dots per inch
    bold = regular;
    bold.setWeight(QFont::Bold);
}

QRect ToQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QString FitLabel(const std::string& text, int width, const QFont& font) {
    return LabelFitter(font).Fit(text, width);
}

LabelFitter::LabelFitter(const QFont& font) : metrics_(font) {
    // One table per font for the whole program: the pages use two fonts.
    static std::unordered_map<QString, std::unordered_map<char16_t, int>> tables;
    widths_ = &tables[font.key()];
}

int LabelFitter::Width(std::u16string_view text) {
    // Lines are cut many times a page: each character is measured once, and a start of a
    // label is as wide as its characters.
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        auto it = widths_->find(c);
        if (it == widths_->end()) {
            int w = 0;
            if (QChar::isHighSurrogate(c) && i + 1 < text.size())
                w = metrics_.horizontalAdvance(QString::fromUtf16(text.data() + i, 2));
            else if (!QChar::isLowSurrogate(c))
                w = metrics_.horizontalAdvance(QChar(c));
            // A pair is measured at its first half; its width depends on the second.
            if (QChar::isHighSurrogate(c)) {
                width += w;
                continue;
            }
            it = widths_->emplace(c, w).first;
        }
        width += it->second;
    }
    return width;
}

QString LabelFitter::Fit(const std::string& text, int width) {
    const std::u16string whole = QString::fromStdString(text).toStdU16String();
    const std::u16string fitted =
        FitTextToWidth(whole, width, [this](std::u16string_view t) { return Width(t); });
    return QString::fromStdU16String(fitted);
}

DrawnItems DrawnItems::Fit(std::vector<PageItem> items, const QFont& font) {
    DrawnItems drawn;
    const QFontMetrics metrics(font);
    for (const PageItem& item : items) {
        QString text = FitLabel(item.label, item.fitWidth, font);
        const int width = kLabelOffset + metrics.horizontalAdvance(text) + 2 * kLabelPadding;
        drawn.rects.emplace_back(item.x, item.y, width, kLineHeight - 1);
        drawn.texts.push_back(std::move(text));
    }
    drawn.items = std::move(items);
    return drawn;
}

int DrawnItems::At(const QPoint& point) const {
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (rects[i].contains(point)) return static_cast<int>(i);
    return -1;
}

int DrawnItems::Find(PageItem::Kind kind, RowId id) const {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == kind && items[i].id == id) return static_cast<int>(i);
    return -1;
}

void DrawCalendarPage(QPainter& painter, const CalendarGrid& grid, const PageFonts& fonts,
                      bool screen) {
    painter.save();
    DrawFrameAndMargins(painter, grid.GridRect(), grid.GridLines());

    painter.setFont(fonts.bold);
    const QString title = Text(grid.Title());
    const PixelRect titleRect = grid.TitleRect();
    painter.fillRect(ToQRect(titleRect), Qt::white);
    const int titleX = grid.TitleX(QFontMetrics(fonts.bold).horizontalAdvance(title));
    painter.drawText(QRect(titleX, titleRect.top, titleRect.right - titleX, titleRect.Height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
    for (int column = 0; column < 7; ++column)
        FillAndWrite(painter, grid.WeekdayRect(column), Text(grid.WeekdayName(column)),
                     Qt::AlignCenter);
    for (int cell = 0; cell < grid.CellCount(); ++cell) {
        painter.setPen(grid.InShownMonth(cell) ? QColor(Qt::black) : QColor(150, 150, 150));
        FillAndWrite(painter, grid.DayNumberRect(cell), QString::number(grid.CellDate(cell).Day()),
                     Qt::AlignLeft | Qt::AlignVCenter);
    }
    FillMargins(painter, grid.GridRect());
    if (screen && grid.TodayCell() >= 0) MarkToday(painter, ToQRect(grid.Cell(grid.TodayCell())));
    painter.restore();
}

void DrawWeekPage(QPainter& painter, const WeekPage& page, const PageFonts& fonts, bool paper) {
    const WeekLayout& layout = page.layout;
    painter.save();
    FillMargins(painter, layout.Outer());
    DrawFrameAndMargins(painter, layout.Outer(), layout.Lines());

    painter.setFont(fonts.bold);
    for (int box = 0; box <= WeekLayout::kSummaryBox; ++box)
        FillAndWrite(painter, layout.HeaderRect(box), Text(layout.HeaderText(box)),
                     Qt::AlignLeft | Qt::AlignVCenter);

    painter.setFont(fonts.regular);
    painter.fillRect(ToQRect(layout.SummaryArea()), Qt::white);
    for (const SummaryLine& line : page.summary) {
        const QRect rect(line.x, line.y, line.width, kLineHeight);
        if (line.image >= 0) {
            DrawIcon(painter, line.image,
                     QRect(line.x - kLabelOffset, line.y, kIconSize, kIconSize), paper);
            painter.setPen(Qt::black);
        } else {
            painter.setPen(QColor(100, 100, 100));
        }
        QString text =
            line.fitWidth > 0 ? FitLabel(line.text, line.fitWidth, fonts.regular) : Text(line.text);
        if (line.fitWidth > 0) {
            // A column too narrow for any start of its text (the fitting rule then keeps it
            // whole) would write over the next column: the text ends with "..." at the column.
            const int room = std::min(line.width, line.fitWidth + 2);
            const QFontMetrics metrics(fonts.regular);
            if (metrics.horizontalAdvance(text) > room)
                text = metrics.elidedText(text, Qt::ElideRight, room);
        }
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    const int today = layout.TodayBox();
    if (!paper && today >= 0) MarkToday(painter, ToQRect(layout.Box(today)));
    painter.restore();
}

void DrawItems(QPainter& painter, const DrawnItems& drawn, const PageFonts& fonts, int selected,
               bool focus, const QPalette* palette) {
    painter.save();
    painter.setFont(fonts.regular);
    const QFontMetrics metrics(fonts.regular);
    const int baseline = (kLineHeight - 1 - metrics.height()) / 2 + metrics.ascent();
    for (std::size_t i = 0; i < drawn.items.size(); ++i) {
        const PageItem& item = drawn.items[i];
        const QRect& rect = drawn.rects[i];
        if (item.image >= 0)
            DrawIcon(painter, item.image, QRect(item.x, item.y + 1, kIconSize, kIconSize),
                     !palette);
        const QRect label = rect.adjusted(kLabelOffset, 0, 0, 0);
        const bool isSelected = palette && static_cast<int>(i) == selected;
        if (isSelected) {
            painter.fillRect(label, palette->color(QPalette::Highlight));
            painter.setPen(palette->color(QPalette::HighlightedText));
        } else {
            painter.setPen(item.kind == PageItem::Kind::Event  ? EventColor()
                           : item.kind == PageItem::Kind::More ? MoreColor()
                                                               : QColor(Qt::black));
        }
        // At its base line: a label is one line already cut to fit, with nothing to lay out.
        painter.drawText(QPoint(label.left() + kLabelPadding, label.top() + baseline),
                         drawn.texts[i]);
        if (isSelected && focus) {
            QPen dotted(palette->color(QPalette::HighlightedText));
            dotted.setStyle(Qt::DotLine);
            painter.setPen(dotted);
            painter.drawRect(label.adjusted(0, 0, -1, -1));
        }
    }
    painter.restore();
}

}  // namespace kivrun
