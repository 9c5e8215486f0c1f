#include "controls/ui/IconPickerDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"

namespace kivrun {

namespace {
constexpr int kColumns = 5;
constexpr int kCell = 44;
}  // namespace

CIconPickerDialog::CIconPickerDialog(QWidget* parent, int initial)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(tr("Pick an Icon"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(32, 32));
    list_->setGridSize(QSize(kCell, kCell));
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // All thirteen fit; without scroll bars the view also stops keeping room for one.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < controls::kSportIconCount; ++i) {
        auto* item = new QListWidgetItem(SportIcon(i), QString(), list_);
        const QString name = QString::fromUtf8(controls::SportIconName(i));
        item->setToolTip(name);
        item->setData(Qt::AccessibleTextRole, name);
    }
    const int rows = (controls::kSportIconCount + kColumns - 1) / kColumns;
    const int frame = 2 * list_->frameWidth() + 2;
    list_->setFixedSize(kColumns * kCell + frame, rows * kCell + frame);
    if (initial >= 0 && initial < controls::kSportIconCount) {
        list_->setCurrentRow(initial);
    } else {
        list_->setCurrentItem(nullptr);
    }
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        accept();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIconPickerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CIconPickerDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CIconPickerDialog::accept() {
    // The list puts its focus mark on the first icon when it gets the focus; only an icon
    // the user actually chose counts.
    QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        QMessageBox::warning(this, windowTitle(), tr("Please select an icon!!"));
        list_->setFocus();
        return;
    }
    chosen_ = list_->row(item);
    QDialog::accept();
}

int CIconPickerDialog::pickIcon(QWidget* parent, int initial) {
    CIconPickerDialog dialog(parent, initial);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenIndex() : -1;
}

}  // namespace kivrun
