#include "controls/ui/HoverTipWindow.h"

#include <QEvent>
#include <QPainter>
#include <QToolTip>

namespace kivrun {

namespace {

controls::TipRect ToTip(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QString ToQt(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

}  // namespace

CHoverTipWindow::CHoverTipWindow(QWidget* parent) : QWidget(parent) {
    hide();
    resize(10, 10);
    // The tip never takes the mouse from the parent it explains.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    timer_.setSingleShot(true);
    timer_.setInterval(delay());
    connect(&timer_, &QTimer::timeout, this, &CHoverTipWindow::showTip);
    if (parent) parent->installEventFilter(this);
}

void CHoverTipWindow::addRegion(const QRect& rect, const QString& text) {
    tracker_.AddRegion(ToTip(rect), text.toStdU16String());
}

void CHoverTipWindow::clearRegions() {
    hideTip();
    tracker_.ClearRegions();
}

void CHoverTipWindow::mouseMoved(const QPoint& point) {
    using Move = controls::HoverTipTracker::Move;
    const Move move = tracker_.MouseMoved({point.x(), point.y()});
    if (move == Move::Unchanged) return;
    timer_.stop();
    hide();
    if (move == Move::HideAndWait) timer_.start();
}

void CHoverTipWindow::hideTip() {
    timer_.stop();
    hide();
}

void CHoverTipWindow::showTip() {
    const controls::TipRegion* region = tracker_.CurrentRegion();
    QWidget* owner = parentWidget();
    if (!region || !owner) return;
    const QFontMetrics metrics(font());
    const controls::TipPoint mouse = tracker_.LastPoint();
    layout_ = controls::LayoutTip(
        region->text, mouse, ToTip(owner->rect()), metrics.height(),
        [&](std::u16string_view s) {
            return metrics.horizontalAdvance(QString::fromStdU16String(std::u16string(s)));
        },
        /*padding=*/3, /*gap=*/metrics.averageCharWidth() * 2);
    const controls::TipRect& w = layout_.window;
    setGeometry(w.left, w.top, w.Width(), w.Height());
    raise();
    show();
    update();
}

void CHoverTipWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int dx = -layout_.window.left;
    const int dy = -layout_.window.top;
    const QFontMetrics metrics(font());
    int top =
        layout_.window.top +
        (layout_.window.Height() - layout_.lineHeight * static_cast<int>(layout_.lines.size())) / 2;
    for (const controls::TipLine& line : layout_.lines) {
        const QRect row(layout_.textLeft + dx, top + dy, layout_.textRight - layout_.textLeft,
                        layout_.lineHeight);
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, ToQt(line.left));
        if (line.split) painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, ToQt(line.right));
        top += layout_.lineHeight;
    }
}

bool CHoverTipWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && (event->type() == QEvent::Leave || event->type() == QEvent::Hide))
        hideTip();
    return QWidget::eventFilter(watched, event);
}

}  // namespace kivrun
