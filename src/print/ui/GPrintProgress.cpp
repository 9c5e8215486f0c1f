#include "print/ui/GPrintProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace kivrun {
namespace {

// A layout that has run this long gets the dialog; until then it is not worth a flash.
constexpr qint64 kLayoutShowAfterMs = 400;
// Rows are many and quick: the dialog is brought up to date this often.
constexpr qint64 kUpdateEveryMs = 50;

}  // namespace

GPrintProgress::GPrintProgress(QWidget* parent, const QString& title)
    : parent_(parent), title_(title) {
    started_.start();
    sinceUpdate_.start();
}

GPrintProgress::~GPrintProgress() = default;

void GPrintProgress::Show(const QString& label, int maximum) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(parent_);
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    if (dialog_->labelText() != label) dialog_->setLabelText(label);
    if (dialog_->maximum() != maximum) dialog_->setRange(0, maximum);
    if (!dialog_->isVisible()) dialog_->show();
}

bool GPrintProgress::LayingOut(long done, long total) {
    if (!parent_) return true;
    if (sinceUpdate_.elapsed() < kUpdateEveryMs && done + 1 < total) return !Cancelled();
    sinceUpdate_.restart();
    if (!dialog_ && started_.elapsed() < kLayoutShowAfterMs) return true;
    // Rows counted in thousands keep the bar within an int for any log.
    Show(QStringLiteral("Laying out the pages..."), static_cast<int>(total / 1000 + 1));
    dialog_->setValue(static_cast<int>(done / 1000));
    QCoreApplication::processEvents();
    return !Cancelled();
}

bool GPrintProgress::Printing(int index, int count) {
    if (!parent_) return true;
    if (!dialog_ && count <= kFewPages) return true;
    Show(QStringLiteral("Printing page %1 of %2").arg(index + 1).arg(count), count);
    dialog_->setValue(index);
    QCoreApplication::processEvents();
    return !Cancelled();
}

bool GPrintProgress::Cancelled() const {
    return dialog_ && dialog_->wasCanceled();
}

}  // namespace kivrun
