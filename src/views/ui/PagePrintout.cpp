#include "views/ui/PagePrintout.h"

#include <QPainter>
#include <algorithm>

#include "document/TamselDoc.h"

namespace kivrun {
namespace {

// A page is laid out at this width when the view gives none that shows anything.
constexpr int kUsualWidth = 800;

}  // namespace

bool CPagePrintout::Layout(const GPage& page, const GProgress&) {
    LayoutFor(page.pixels);
    return true;
}

void CPagePrintout::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    if (page == 0) Paint(painter, pageRect);
}

PageFonts CPagePrintout::PaperFonts() {
    PageFonts fonts;
    // Unhinted, so that text is as wide on paper as it was measured.
    fonts.regular.setHintingPreference(QFont::PreferNoHinting);
    fonts.bold.setHintingPreference(QFont::PreferNoHinting);
    return fonts;
}

QSize CPagePrintout::LogicalSize(int viewWidth, QSize pagePixels) {
    const int width = viewWidth > 0 ? viewWidth : kUsualWidth;
    if (pagePixels.width() <= 0 || pagePixels.height() <= 0) return {width, 0};
    const long long height =
        static_cast<long long>(width) * pagePixels.height() / pagePixels.width();
    return {width, static_cast<int>(height)};
}

void CPagePrintout::BeginPage(QPainter& painter, const QRect& pageRect, QSize logical) {
    painter.save();
    painter.fillRect(pageRect, Qt::white);
    painter.translate(pageRect.topLeft());
    // One scale both ways: a page laid out larger than the paper's proportions (a month at
    // its least size) is made smaller, never stretched.
    if (logical.width() > 0 && logical.height() > 0) {
        const double scale = std::min(static_cast<double>(pageRect.width()) / logical.width(),
                                      static_cast<double>(pageRect.height()) / logical.height());
        painter.scale(scale, scale);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// --- The month ------------------------------------------------------------------------------

CCalendarPrintout::CCalendarPrintout(CTamselDoc& doc, const CDate& shown, int viewWidth)
    : doc_(doc), shown_(shown), viewWidth_(viewWidth) {}

QString CCalendarPrintout::Title() const {
    return QStringLiteral("Calendar");
}

void CCalendarPrintout::LayoutFor(QSize pagePixels) {
    logical_ = LogicalSize(viewWidth_, pagePixels);
    // The whole grid below the top offset, whichever way the paper is turned.
    page_ = CalendarPage::Read(doc_, shown_, logical_.width(), logical_.height() - kTopOffset);
    logical_ = logical_.expandedTo(QSize(page_->grid.Width(), page_->grid.Height() + kTopOffset));
    drawn_ = DrawnItems::Fit(page_->items, fonts_.regular);
}

void CCalendarPrintout::Paint(QPainter& painter, const QRect& pageRect) const {
    if (!page_) return;
    BeginPage(painter, pageRect, logical_);
    painter.translate(0, kTopOffset);
    DrawCalendarPage(painter, page_->grid, fonts_);
    DrawItems(painter, drawn_, fonts_, -1, false, nullptr);
    painter.restore();
}

// --- The week ---------------------------------------------------------------------------------

CWeekPrintout::CWeekPrintout(CTamselDoc& doc, const CDate& weekStart, int viewWidth)
    : doc_(doc), weekStart_(weekStart), viewWidth_(viewWidth) {}

QString CWeekPrintout::Title() const {
    return QStringLiteral("Week");
}

void CWeekPrintout::LayoutFor(QSize pagePixels) {
    logical_ = LogicalSize(viewWidth_, pagePixels);
    page_ = WeekPage::Read(doc_, weekStart_, logical_.width(), logical_.height());
    logical_ = logical_.expandedTo(QSize(page_->layout.Width(), page_->layout.Height()));
    drawn_ = DrawnItems::Fit(page_->items, fonts_.regular);
}

void CWeekPrintout::Paint(QPainter& painter, const QRect& pageRect) const {
    if (!page_) return;
    BeginPage(painter, pageRect, logical_);
    DrawWeekPage(painter, *page_, fonts_, true);
    DrawItems(painter, drawn_, fonts_, -1, false, nullptr);
    painter.restore();
}

}  // namespace kivrun
