#include "app/ui/ImportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kivrun {

CImportDialog::CImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Import from other Log"));
    auto* group = new QGroupBox(tr("&Import"), this);
    entries_ = new QCheckBox(tr("&Entries"), group);
    routes_ = new QCheckBox(tr("&Routes"), group);
    preferences_ = new QCheckBox(tr("&Preferences"), group);
    calendar_ = new QCheckBox(tr("&Calendar"), group);
    entries_->setChecked(true);
    auto* boxes = new QVBoxLayout(group);
    for (QCheckBox* box : {entries_, routes_, preferences_, calendar_})
        boxes->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    // The title bar shows the whole title: its text in a bold face, with room for the
    // window's icon and buttons.
    QFont bold = font();
    bold.setBold(true);
    const int bar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setMinimumWidth(QFontMetrics(bold).horizontalAdvance(windowTitle()) + 4 * bar);
}

ImportOptions CImportDialog::Options() const {
    ImportOptions o;
    o.entries = entries_->isChecked();
    o.routes = routes_->isChecked();
    o.preferences = preferences_->isChecked();
    o.calendar = calendar_->isChecked();
    return o;
}

std::optional<ImportOptions> CImportDialog::Ask(QWidget* parent) {
    CImportDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const ImportOptions o = dialog.Options();
    if (!o.entries && !o.routes && !o.preferences && !o.calendar) return std::nullopt;
    return o;
}

}  // namespace kivrun
