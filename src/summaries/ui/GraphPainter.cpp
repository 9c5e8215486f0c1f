#include "summaries/ui/GraphPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kivrun {
namespace {

const QColor kGridColor(220, 220, 220);
const QColor kAxisColor(Qt::black);
const QColor kSelectionBand(255, 250, 205);
const QColor kBoxColor(255, 255, 210);
const QColor kYearMarkColor(110, 110, 110);

QColor ColorOf(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

QRect RectOf(const GraphRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

void PaintTitles(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const GraphRect& plot = s.plot;
    p.setPen(kAxisColor);
    p.setFont(f.title);
    p.drawText(QRect(0, 8, s.width, graph_layout::kTop - 24), Qt::AlignCenter, Text(s.title));
    p.setFont(f.axis);
    p.drawText(QRect(plot.x, plot.Bottom() + 48, plot.width, 24), Qt::AlignCenter,
               Text(s.horizontalLabel));
    if (s.verticalLabel.empty()) return;
    // Turned a quarter clockwise, read from top to bottom, its tops towards the plot.
    p.save();
    p.translate(18, plot.y + plot.height / 2);
    p.rotate(90);
    p.setFont(f.verticalAxis);
    p.drawText(QRect(-plot.height, -10, 2 * plot.height, 20), Qt::AlignCenter,
               Text(s.verticalLabel));
    p.restore();
}

void PaintAxes(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const GraphRect& plot = s.plot;
    p.setFont(f.small);
    for (const GraphScene::Gridline& g : s.gridlines) {
        p.setPen(QPen(kGridColor, 1));
        p.drawLine(plot.x + 1, g.y, plot.Right(), g.y);
        p.setPen(kAxisColor);
        p.drawText(QRect(8, g.y - 8, plot.x - 14, 16), Qt::AlignRight | Qt::AlignVCenter,
                   Text(g.label));
    }
    if (!s.axes) return;
    p.setPen(QPen(kAxisColor, 1));
    p.drawLine(plot.x, plot.y, plot.x, plot.Bottom());
    p.drawLine(plot.x, plot.Bottom(), plot.Right(), plot.Bottom());
    for (int x : s.ticks)
        p.drawLine(x, plot.Bottom(), x, plot.Bottom() + 4);
}

void PaintYearMarks(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const GraphRect& plot = s.plot;
    p.setFont(f.small);
    const QFontMetrics metrics(f.small);
    for (const GraphScene::YearMark& mark : s.yearMarks) {
        p.setPen(QPen(kYearMarkColor, 1, Qt::DashLine));
        p.drawLine(mark.x, plot.y, mark.x, plot.Bottom() + 10);
        p.setPen(kYearMarkColor);
        p.drawText(QRect(mark.x + 3, plot.y + 2, metrics.horizontalAdvance(Text(mark.year)) + 4,
                         metrics.height()),
                   Qt::AlignLeft | Qt::AlignTop, Text(mark.year));
    }
}

void PaintPeriodLabels(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const QFont font = f.period;
    const QFontMetrics metrics(font);
    p.setFont(font);
    p.setPen(kAxisColor);
    for (const GraphScene::PeriodLabel& label : s.periodLabels) {
        const QString text = Text(label.text);
        p.save();
        int x = label.x;
        // Under a pie the slanted label is centred; under an axis it ends at its tick.
        if (!s.axes) x += metrics.horizontalAdvance(text) * 47 / 100;
        p.translate(x, label.y);
        p.rotate(-graph_font::kPeriod.escapement);
        p.drawText(QRect(-400, 0, 400, metrics.height()), Qt::AlignRight | Qt::AlignTop, text);
        p.restore();
    }
}

void PaintData(QPainter& p, const GraphScene& s) {
    for (const GraphScene::Bar& bar : s.bars) {
        const QColor c = ColorOf(bar.color);
        p.setPen(QPen(c.darker(150), 1));
        p.setBrush(c);
        p.drawRect(RectOf(bar.rect).adjusted(0, 0, -1, -1));
    }
    for (const GraphScene::Slice& slice : s.slices) {
        const QColor c = ColorOf(slice.color);
        p.setPen(QPen(c.darker(150), 1));
        p.setBrush(c);
        // Qt counts from 3 o'clock, anticlockwise, in sixteenths of a degree.
        const int start = (90 - slice.startAngle) * 16;
        const int span = -(slice.endAngle - slice.startAngle) * 16;
        if (slice.endAngle - slice.startAngle >= 360)
            p.drawEllipse(RectOf(slice.box));
        else
            p.drawPie(RectOf(slice.box), start, span);
    }
    p.setBrush(Qt::NoBrush);
    for (const GraphScene::Line& line : s.lines) {
        const QColor c = ColorOf(line.color);
        QPolygon points;
        for (const GraphScene::Point& pt : line.points)
            points << QPoint(pt.x, pt.y);
        p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(points);
        p.setPen(QPen(c.darker(150), 1));
        p.setBrush(c);
        for (const QPoint& pt : points)
            p.drawEllipse(pt, 3, 3);
        p.setBrush(Qt::NoBrush);
    }
}

void PaintLegend(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const QFont font = f.small;
    const QFontMetrics metrics(font);
    p.setFont(font);
    for (const GraphScene::LegendItem& item : s.legend) {
        const QRect swatch = RectOf(item.swatch);
        p.setPen(kAxisColor);
        p.setBrush(ColorOf(item.color));
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        const int left = swatch.x() + GraphScene::kLegendText;
        const QString name =
            metrics.elidedText(Text(item.name), Qt::ElideRight, std::max(10, s.width - left - 4));
        p.drawText(QRect(left, swatch.y() - 4, s.width - left, swatch.height() + 8),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    p.setBrush(Qt::NoBrush);
}

void PaintSelectionBox(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    const GraphScene::Selection& sel = *s.selection;
    const QFont font = f.point;
    const QFontMetrics metrics(font);
    int left = 0, right = 0, whole = 0;
    for (const std::string& line : sel.lines) {
        const QString text = Text(line);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0) {
            whole = std::max(whole, metrics.horizontalAdvance(text));
        } else {
            left = std::max(left, metrics.horizontalAdvance(text.left(tab)));
            right = std::max(right, metrics.horizontalAdvance(text.mid(tab + 1)));
        }
    }
    const int gap = metrics.averageCharWidth() * 2;
    const int width = std::max(whole, left + gap + right) + 12;
    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(sel.lines.size()) + 8;
    const GraphRect& plot = s.plot;
    const int x = sel.boxOnRight ? plot.Right() - width - 8 : plot.x + 8;
    const QRect box(x, plot.y + 8, width, height);
    p.setPen(kAxisColor);
    p.setBrush(kBoxColor);
    p.drawRect(box);
    p.setFont(font);
    int y = box.y() + 4;
    for (const std::string& line : sel.lines) {
        const QString text = Text(line);
        const QRect row(box.x() + 6, y, box.width() - 12, lineHeight);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, tab < 0 ? text : text.left(tab));
        if (tab >= 0) p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, text.mid(tab + 1));
        y += lineHeight;
    }
    p.setBrush(Qt::NoBrush);
}

}  // namespace

QFont GraphFontOf(const GraphFont& spec, bool paper) {
    QFont font;
    font.setFamilies({QString::fromLatin1(spec.family), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    if (std::string_view(spec.family) == "Garamond")
        font.setFamilies({QStringLiteral("Garamond"), QStringLiteral("Liberation Serif"),
                          QStringLiteral("DejaVu Serif")});
    // Points are taken at the screen's 96 to the inch: the scene is in screen pixels.
    font.setPixelSize(std::max(1, qRound(spec.inPoints ? spec.height * 96 / 72 : spec.height)));
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    if (spec.averageWidth > 0) {
        const double average = QFontMetrics(font).averageCharWidth();
        if (average > 0)
            font.setStretch(std::clamp(qRound(100.0 * spec.averageWidth / average), 50, 200));
    }
    if (paper) font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

GraphFonts::GraphFonts(bool paper)
    : title(GraphFontOf(graph_font::kTitle, paper)),
      axis(GraphFontOf(graph_font::kAxis, paper)),
      verticalAxis(GraphFontOf(graph_font::kVerticalAxis, paper)),
      small(GraphFontOf(graph_font::kSmall, paper)),
      point(GraphFontOf(graph_font::kPoint, paper)),
      period(GraphFontOf(graph_font::kPeriod, paper)) {}

void PaintGraph(QPainter& p, const GraphScene& s, const GraphFonts& f) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRect(0, 0, s.width, s.height), Qt::white);
    if (s.selection) p.fillRect(RectOf(s.selection->band), kSelectionBand);
    PaintAxes(p, s, f);
    PaintData(p, s);
    PaintYearMarks(p, s, f);
    PaintPeriodLabels(p, s, f);
    PaintLegend(p, s, f);
    PaintTitles(p, s, f);
    if (s.selection) PaintSelectionBox(p, s, f);
    p.restore();
}

void PaintGraphInto(QPainter& p, const GraphScene& s, const QRect& target,
                    const GraphFonts& fonts) {
    if (s.width <= 0 || s.height <= 0) return;
    const double scale = std::min(static_cast<double>(target.width()) / s.width,
                                  static_cast<double>(target.height()) / s.height);
    p.save();
    p.translate(target.x() + (target.width() - s.width * scale) / 2, target.y());
    p.scale(scale, scale);
    PaintGraph(p, s, fonts);
    p.restore();
}

}  // namespace kivrun
