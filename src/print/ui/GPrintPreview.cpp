#include "print/ui/GPrintPreview.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "print/ui/GPrintDriver.h"
#include "print/ui/GPrintJob.h"
#include "print/ui/GPrintProgress.h"
#include "print/ui/GPrintout.h"

namespace kivrun {
namespace {

constexpr int kGap = 12;  // round and between the pages on screen
constexpr int kKeptImages = 12;
constexpr double kSmallestZoom = 20;
constexpr double kLargestZoom = 400;

}  // namespace

// The pages one under another, each drawn when it comes into view.
class PreviewPages : public QAbstractScrollArea {
  public:
    explicit PreviewPages(GPrintPreview& preview) : preview_(preview) {
        setBackgroundRole(QPalette::Dark);
        viewport()->setBackgroundRole(QPalette::Dark);
        setFocusPolicy(Qt::StrongFocus);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this] { preview_.ShowPosition(); });
    }

    int PageStep() const { return preview_.PaperPixels().height() + kGap; }
    void UpdateRanges() {
        const QSize paper = preview_.PaperPixels();
        const int height = preview_.PageCount() * PageStep() + kGap;
        verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setSingleStep(std::max(1, paper.height() / 20));
        const int width = paper.width() + 2 * kGap;
        horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        viewport()->update();
    }
    QPoint PageOrigin(int page) const {
        const QSize paper = preview_.PaperPixels();
        const int x = std::max(kGap, (viewport()->width() - paper.width()) / 2);
        return {x - horizontalScrollBar()->value(),
                kGap + page * PageStep() - verticalScrollBar()->value()};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(viewport());
        const QSize paper = preview_.PaperPixels();
        if (paper.isEmpty() || preview_.PageCount() == 0) return;
        const int step = PageStep();
        const int first = std::max(0, (verticalScrollBar()->value() - kGap) / step);
        for (int p = first; p < preview_.PageCount(); ++p) {
            const QPoint at = PageOrigin(p);
            if (at.y() > viewport()->height()) break;
            const QRect sheet(at, paper);
            painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 90));
            painter.drawImage(sheet, preview_.PageImage(p));
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        if (preview_.fitWidth_)
            preview_.FitWidth();
        else
            UpdateRanges();
    }

  private:
    GPrintPreview& preview_;
};

GPrintPreview::GPrintPreview(GPrintout& printout, QPrinter& printer, UserInterface* ui,
                             QWidget* parent)
    : QDialog(parent), printout_(printout), printer_(printer), ui_(ui) {
    setWindowTitle(QStringLiteral("Print Preview - %1").arg(printout.Title()));
    setObjectName(QStringLiteral("PrintPreview"));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [&](QStyle::StandardPixmap icon, const QString& text, QKeySequence key, auto slot) {
        QAction* a = bar->addAction(style()->standardIcon(icon), text, this, slot);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setToolTip(text + " (" + key.toString(QKeySequence::NativeText) + ")");
        }
        return a;
    };
    add(QStyle::SP_DialogSaveButton, tr("&Print..."), QKeySequence::Print, [this] { Print(); });
    add(QStyle::SP_FileDialogDetailedView, tr("Page &Setup..."), QKeySequence(),
        [this] { PageSetup(); });
    bar->addSeparator();
    add(QStyle::SP_MediaSkipBackward, tr("First"), QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { GoToPage(0); });
    add(QStyle::SP_ArrowUp, tr("Previous"), QKeySequence(),
        [this] { GoToPage(CurrentPage() - 1); });
    pageBox_ = new QSpinBox(bar);
    pageBox_->setAccessibleName(tr("Page"));
    pageBox_->setKeyboardTracking(false);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != CurrentPage()) GoToPage(page - 1);
    });
    bar->addWidget(pageBox_);
    ofPages_ = new QLabel(bar);
    bar->addWidget(ofPages_);
    add(QStyle::SP_ArrowDown, tr("Next"), QKeySequence(), [this] { GoToPage(CurrentPage() + 1); });
    add(QStyle::SP_MediaSkipForward, tr("Last"), QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { GoToPage(PageCount() - 1); });
    bar->addSeparator();
    add(QStyle::SP_ArrowRight, tr("Zoom &In"), QKeySequence::ZoomIn,
        [this] { SetZoom(zoom_ * 1.25); });
    add(QStyle::SP_ArrowLeft, tr("Zoom &Out"), QKeySequence::ZoomOut,
        [this] { SetZoom(zoom_ / 1.25); });
    add(QStyle::SP_TitleBarMaxButton, tr("&Fit Width"), QKeySequence(Qt::CTRL | Qt::Key_0),
        [this] { FitWidth(); });
    bar->addSeparator();
    add(QStyle::SP_DialogCloseButton, tr("&Close"), QKeySequence(), [this] { reject(); });
    layout->addWidget(bar);

    pages_ = new PreviewPages(*this);
    layout->addWidget(pages_, 1);
    if (QWidget* top = parent ? parent->window() : nullptr)
        resize(top->size() * 8 / 10);
    else
        resize(800, 700);
}

GPrintPreview::~GPrintPreview() = default;

bool GPrintPreview::Prepare() {
    GPrintProgress progress(parentWidget(), printout_.Title());
    const int dpi = printer_.resolution();
    const GPage page{printer_.pageLayout().paintRectPixels(dpi).size(), dpi};
    const bool done =
        printout_.Layout(page, [&](long d, long total) { return progress.LayingOut(d, total); });
    images_.clear();
    PagesChanged();
    return done;
}

int GPrintPreview::PageCount() const {
    return printout_.PageCount();
}

QSize GPrintPreview::PaperPixels() const {
    const QSizeF inches = printer_.pageLayout().fullRect(QPageLayout::Inch).size();
    return {std::max(1, static_cast<int>(std::lround(inches.width() * zoom_))),
            std::max(1, static_cast<int>(std::lround(inches.height() * zoom_)))};
}

QRect GPrintPreview::PrintArea() const {
    const int dpi = printer_.resolution();
    return printer_.pageLayout().paintRectPixels(dpi);
}

const QImage& GPrintPreview::PageImage(int page) {
    for (auto it = images_.begin(); it != images_.end(); ++it)
        if (it->first == page) {
            images_.splice(images_.begin(), images_, it);
            return images_.front().second;
        }
    const qreal ratio = devicePixelRatioF();
    const QSize paper = PaperPixels();
    QImage image(paper * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // Fonts in points grow as on the printer; the painter's scale brings it all down.
    const int dpi = printer_.resolution();
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const double scale = zoom_ / dpi;
        painter.scale(scale, scale);
        const QRect area = PrintArea();
        painter.translate(area.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), area.size()));
        printout_.PaintPage(painter, QRect(QPoint(0, 0), area.size()), page);
    }
    ++drawn_;
    images_.emplace_front(page, std::move(image));
    if (static_cast<int>(images_.size()) > kKeptImages) images_.pop_back();
    return images_.front().second;
}

void GPrintPreview::PagesChanged() {
    pageBox_->blockSignals(true);
    pageBox_->setRange(PageCount() > 0 ? 1 : 0, PageCount());
    pageBox_->blockSignals(false);
    ofPages_->setText(tr(" of %1 ").arg(PageCount()));
    if (fitWidth_)
        FitWidth();
    else
        pages_->UpdateRanges();
    ShowPosition();
}

int GPrintPreview::CurrentPage() const {
    const int step = pages_->PageStep();
    if (step <= 0 || PageCount() == 0) return 0;
    const int middle = pages_->verticalScrollBar()->value() + pages_->viewport()->height() / 3;
    return std::clamp(middle / step, 0, PageCount() - 1);
}

void GPrintPreview::GoToPage(int page) {
    if (PageCount() == 0) return;
    page = std::clamp(page, 0, PageCount() - 1);
    pages_->verticalScrollBar()->setValue(page * pages_->PageStep());
    ShowPosition();
}

void GPrintPreview::ShowPosition() {
    pageBox_->blockSignals(true);
    pageBox_->setValue(CurrentPage() + 1);
    pageBox_->blockSignals(false);
}

void GPrintPreview::SetZoom(double pixelsPerInch) {
    const int page = CurrentPage();
    fitWidth_ = false;
    zoom_ = std::clamp(pixelsPerInch, kSmallestZoom, kLargestZoom);
    images_.clear();
    pages_->UpdateRanges();
    GoToPage(page);
}

void GPrintPreview::FitWidth() {
    const double inches = printer_.pageLayout().fullRect(QPageLayout::Inch).width();
    const int room = pages_->viewport()->width() - 2 * kGap;
    if (inches <= 0 || room <= 0) return;
    const double zoom = std::clamp(room / inches, kSmallestZoom, kLargestZoom);
    fitWidth_ = true;
    if (std::abs(zoom - zoom_) >= 0.5) {
        const int page = CurrentPage();
        zoom_ = zoom;
        images_.clear();
        pages_->UpdateRanges();
        GoToPage(page);
        return;
    }
    pages_->UpdateRanges();
}

void GPrintPreview::PageSetup() {
    if (GPrintDriver::Instance().PageSetup(this)) Prepare();
}

void GPrintPreview::Print() {
    GPrintJob::Result result = GPrintJob::kPrinted;
    if (ui_) {
        result = GPrintDriver::Instance().Print(this, printout_, *ui_);
    } else {
        GPrintJob job(printout_, printer_);
        result = job.Run(this);
        if (result == GPrintJob::kFailed)
            QMessageBox::warning(
                this, windowTitle(),
                tr("Unable to print the %1\n%2").arg(printout_.Title().toLower(), job.ErrorText()));
    }
    // The print dialog may have chosen other paper: the pages are laid out for it again.
    if (result != GPrintJob::kCancelled) Prepare();
}

void GPrintPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            GoToPage(CurrentPage() - 1);
            return;
        case Qt::Key_PageDown:
            GoToPage(CurrentPage() + 1);
            return;
        case Qt::Key_Home:
            GoToPage(0);
            return;
        case Qt::Key_End:
            GoToPage(PageCount() - 1);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace kivrun
