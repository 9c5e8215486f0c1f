#include "summaries/ui/GraphView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/ui/HoverTipWindow.h"

namespace kivrun {

CGraphView::CGraphView(CTamselDoc& doc, const GraphSettings& settings, QWidget* parent)
    : QWidget(parent), model_(doc, settings) {
    setObjectName(QStringLiteral("GraphView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    tip_ = new CHoverTipWindow(this);
    model_.Resize(width(), height());
}

void CGraphView::Refresh() {
    const GraphScene& scene = model_.Scene();
    tip_->clearRegions();
    for (const GraphScene::Tip& t : scene.tips)
        tip_->addRegion(QRect(t.rect.x, t.rect.y, t.rect.width, t.rect.height),
                        QString::fromStdString(t.text));
    update();
}

void CGraphView::Moved() {
    Refresh();
    emit Changed();
}

void CGraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintGraph(painter, model_.Scene(), fonts_);
}

void CGraphView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.Resize(width(), height());
    Moved();
}

void CGraphView::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, model_.VisibleCount());
    switch (event->key()) {
        case Qt::Key_Left:
            model_.ScrollBy(-1);
            break;
        case Qt::Key_Right:
            model_.ScrollBy(1);
            break;
        case Qt::Key_PageUp:
            model_.ScrollBy(-page);
            break;
        case Qt::Key_PageDown:
            model_.ScrollBy(page);
            break;
        case Qt::Key_Home:
            model_.ScrollTo(0);
            break;
        case Qt::Key_End:
            model_.ScrollToEnd();
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            model_.ZoomIn();
            break;
        case Qt::Key_Minus:
            model_.ZoomOut();
            break;
        case Qt::Key_Escape:
            if (!model_.Selected()) {
                QWidget::keyPressEvent(event);
                return;
            }
            model_.ClearSelection();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    tip_->hideTip();
    Moved();
}

void CGraphView::wheelEvent(QWheelEvent* event) {
    // One period a notch; Ctrl zooms. A touchpad's small steps add up.
    const QPoint delta = event->angleDelta();
    wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = wheelRest_ / 120;
    wheelRest_ %= 120;
    if (notches == 0) return;
    if (event->modifiers() & Qt::ControlModifier) {
        for (int i = 0; i < std::abs(notches); ++i)
            notches > 0 ? model_.ZoomIn() : model_.ZoomOut();
    } else {
        model_.ScrollBy(-notches);
    }
    tip_->hideTip();
    Moved();
    event->accept();
}

void CGraphView::mouseMoveEvent(QMouseEvent* event) {
    tip_->mouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void CGraphView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (model_.SelectAt(at.x(), at.y())) Moved();
}

}  // namespace kivrun
