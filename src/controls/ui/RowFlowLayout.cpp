#include "controls/ui/RowFlowLayout.h"

#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "controls/RowFlow.h"

namespace kivrun {

RowFlowLayout::~RowFlowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void RowFlowLayout::AddGroup(QLayout* group, bool elastic) {
    if (group->parent() == nullptr) addChildLayout(group);
    items_.push_back({group, elastic});
    invalidate();
}

void RowFlowLayout::addItem(QLayoutItem* item) {
    items_.push_back({item, false});
    invalidate();
}

QLayoutItem* RowFlowLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<size_t>(index)].item : nullptr;
}

QLayoutItem* RowFlowLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<size_t>(index)].item;
    items_.erase(items_.begin() + index);
    invalidate();
    return item;
}

int RowFlowLayout::Gap() const {
    if (spacing() >= 0) return spacing();
    const QWidget* w = parentWidget();
    return w ? w->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, w) : 6;
}

// The shown groups in rows; hidden ones take no room.
controls::FlowRows RowFlowLayout::Arrange(int innerWidth, std::vector<QLayoutItem*>* shown) const {
    std::vector<controls::FlowItem> flow;
    for (const Entry& e : items_) {
        if (e.item->isEmpty()) continue;
        const QSize least = e.item->minimumSize();
        const QSize wanted = e.item->sizeHint().expandedTo(least);
        flow.push_back({least.width(), wanted.width(), wanted.height(), e.elastic});
        if (shown) shown->push_back(e.item);
    }
    return controls::ArrangeInRows(flow, innerWidth, Gap(), rowGap_);
}

int RowFlowLayout::Rows() const {
    return Arrange(contentsRect().width(), nullptr).rows;
}

int RowFlowLayout::heightForWidth(int width) const {
    if (width != cachedWidth_) {
        const QMargins m = contentsMargins();
        cachedWidth_ = width;
        cachedHeight_ =
            Arrange(width - m.left() - m.right(), nullptr).height + m.top() + m.bottom();
    }
    return cachedHeight_;
}

QSize RowFlowLayout::minimumSize() const {
    int width = 0;
    int height = 0;
    for (const Entry& e : items_)
        if (!e.item->isEmpty()) {
            width = std::max(width, e.item->minimumSize().width());
            height = std::max(height, e.item->minimumSize().height());
        }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

QSize RowFlowLayout::sizeHint() const {
    int width = 0;
    int height = 0;
    for (const Entry& e : items_)
        if (!e.item->isEmpty()) {
            const QSize wanted = e.item->sizeHint().expandedTo(e.item->minimumSize());
            width += (width > 0 ? Gap() : 0) + wanted.width();
            height = std::max(height, wanted.height());
        }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void RowFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    std::vector<QLayoutItem*> shown;
    const controls::FlowRows rows = Arrange(inner.width(), &shown);
    for (size_t i = 0; i < shown.size(); ++i) {
        const controls::FlowPlace& p = rows.places[i];
        const int height = shown[i]->sizeHint().expandedTo(shown[i]->minimumSize()).height();
        shown[i]->setGeometry(QRect(inner.x() + p.x, inner.y() + p.y, p.width, height));
    }
}

void RowFlowLayout::invalidate() {
    cachedWidth_ = -1;
    QLayout::invalidate();
}

}  // namespace kivrun
