#pragma once

#include <QLayout>
#include <vector>

#include "controls/RowFlow.h"

namespace kivrun {

// Groups of controls side by side, wrapping to further rows when the width runs short;
// elastic groups shrink first and share what their row leaves (controls/RowFlow). Its
// height follows its width, so a scroll area or splitter that asks gets the real need.
class RowFlowLayout : public QLayout {
  public:
    explicit RowFlowLayout(QWidget* parent = nullptr) : QLayout(parent) {}
    ~RowFlowLayout() override;

    void AddGroup(QLayout* group, bool elastic = false);
    int Rows() const;
    // The space between rows; spacing() is the space between groups in a row.
    void SetRowGap(int gap) { rowGap_ = gap; }

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;
    void invalidate() override;

  private:
    struct Entry {
        QLayoutItem* item;
        bool elastic;
    };
    int Gap() const;
    // The rows at a width inside the margins; shown gets the groups placed, in order.
    controls::FlowRows Arrange(int innerWidth, std::vector<QLayoutItem*>* shown) const;

    std::vector<Entry> items_;
    int rowGap_ = 6;
    mutable int cachedWidth_ = -1;
    mutable int cachedHeight_ = 0;
};

}  // namespace kivrun
