#include "views/ui/PageView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "document/TamselDoc.h"
#include "frames/ui/CommandRefresh.h"
#include "frames/ui/WindowTemplates.h"
#include "print/ui/GPrintDriver.h"
#include "views/ui/PagePrintout.h"

namespace kivrun {

CPageView::CPageView(CTamselDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), doc_(doc) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(60, 60);
}

int CPageView::AreaWidth() const {
    return viewport()->width();
}

int CPageView::AreaHeight() const {
    return viewport()->height();
}

QPoint CPageView::ToPage(const QPoint& p) const {
    return p + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CPageView::ToWindow(const QPoint& p) const {
    return p - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CPageView::PageLaidOut() {
    const QSize page = PageSize();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setSingleStep(LinePlacer::kLineHeight);
    verticalScrollBar()->setRange(0, std::max(0, page.height() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(LinePlacer::kLineHeight);
}

void CPageView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CPageView::EnsureVisible(int index) {
    if (index < 0 || index >= static_cast<int>(drawn_.rects.size())) return;
    const QRect r = drawn_.rects[static_cast<std::size_t>(index)];
    const QRect shown(ToPage(QPoint(0, 0)), viewport()->size());
    if (r.left() < shown.left()) horizontalScrollBar()->setValue(r.left() - 4);
    if (r.right() > shown.right())
        horizontalScrollBar()->setValue(r.right() - viewport()->width() + 4);
    if (r.top() < shown.top()) verticalScrollBar()->setValue(r.top() - 24);
    if (r.bottom() > shown.bottom())
        verticalScrollBar()->setValue(r.bottom() - viewport()->height() + 4);
}

CPageView::~CPageView() = default;

const PageItem* CPageView::SelectedItem() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(drawn_.items.size())) return nullptr;
    return &drawn_.items[static_cast<std::size_t>(selected_)];
}

void CPageView::Select(int index) {
    if (index >= static_cast<int>(drawn_.items.size())) index = -1;
    if (index == selected_) {
        EnsureVisible(index);
        return;
    }
    selected_ = index;
    EnsureVisible(index);
    viewport()->update();
    RequestCommandRefresh(this);
}

void CPageView::SetItems(std::vector<PageItem> items) {
    const PageItem* old = SelectedItem();
    const PageItem::Kind keptKind = old ? old->kind : PageItem::Kind::Entry;
    const RowId keptId = old ? old->id : 0;
    drawn_ = DrawnItems::Fit(std::move(items), fonts_.regular);
    selected_ = keptId != 0 ? drawn_.Find(keptKind, keptId) : -1;
    PageLaidOut();
    viewport()->update();
    RequestCommandRefresh(this);
}

void CPageView::SelectItem(PageItem::Kind kind, RowId id) {
    Select(drawn_.Find(kind, id));
}

// --- What the selection offers ------------------------------------------------------------

bool CPageView::SelectedIsEntry() const {
    const PageItem* item = SelectedItem();
    return item && item->kind == PageItem::Kind::Entry;
}

bool CPageView::HasEntryView() const {
    return WindowTemplates::Instance().HasContent(WindowKind::EntryView);
}

void CPageView::OpenSelectedEntry() {
    if (!SelectedIsEntry()) return;
    if (HasEntryView())
        ShowSelectedIn(WindowKind::EntryView);
    else
        EditSelectedEntry(false);
}

void CPageView::EditSelectedEntry(bool duplicate) {
    if (SelectedIsEntry()) doc_.RequestEntryEdit(SelectedItem()->id, duplicate, this);
}

void CPageView::ShowSelectedIn(WindowKind kind) {
    if (SelectedIsEntry()) doc_.ShowEntryIn(kind, SelectedItem()->id, this);
}

void CPageView::DeleteSelected() {
    const PageItem* item = SelectedItem();
    if (!item || item->kind == PageItem::Kind::More) return;
    const PageItem line = *item;  // the page is read again while the line goes
    // Every view hears of it, this one too: the page is read again from the log.
    if (line.kind == PageItem::Kind::Entry)
        doc_.DeleteEntry(line.id, nullptr, true);
    else
        doc_.DeleteEvent(line.id, true);
}

std::optional<CommandState> CPageView::SharedStatus(Command cmd) const {
    const bool writable = !doc_.IsReadOnly();
    switch (cmd) {
        case Command::EditEntry:
        case Command::EditDuplicate:
            return CommandState{SelectedIsEntry() && writable, false};
        case Command::EditDelete:
            return CommandState{
                SelectedItem() && SelectedItem()->kind != PageItem::Kind::More && writable, false};
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

bool CPageView::RunShared(Command cmd) {
    switch (cmd) {
        case Command::EditEntry:
            EditSelectedEntry(false);
            return true;
        case Command::EditDuplicate:
            EditSelectedEntry(true);
            return true;
        case Command::EditDelete:
            DeleteSelected();
            return true;
        case Command::FilePrint:
            Print();
            return true;
        case Command::FilePrintPreview:
            PrintPreview();
            return true;
        default:
            return false;
    }
}

std::unique_ptr<QMenu> CPageView::MakeEntryMenu(const QString& otherView, WindowKind other) {
    const bool writable = !doc_.IsReadOnly();
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(QStringLiteral("&Open Entry"), this,
                    [this] { ShowSelectedIn(WindowKind::EntryView); })
        ->setEnabled(HasEntryView());
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Edit..."), this, [this] { EditSelectedEntry(false); })
        ->setEnabled(writable);
    menu->addAction(QStringLiteral("D&uplicate"), this, [this] { EditSelectedEntry(true); })
        ->setEnabled(writable);
    menu->addAction(QStringLiteral("&Delete"), this, [this] { DeleteSelected(); })
        ->setEnabled(writable);
    menu->addSeparator();
    menu->addAction(otherView, this, [this, other] { ShowSelectedIn(other); })
        ->setEnabled(WindowTemplates::Instance().HasContent(other));
    return menu;
}

void CPageView::Print() {
    const std::unique_ptr<CPagePrintout> printout = MakePrintout();
    GPrintDriver::Instance().Print(this, *printout, doc_.ui());
}

void CPageView::PrintPreview() {
    const std::unique_ptr<CPagePrintout> printout = MakePrintout();
    GPrintDriver::Instance().Preview(this, *printout, &doc_.ui());
}

void CPageView::JumpToEnd(bool end) {
    Select(MoveSelection(drawn_.items, selected_, end ? PageMove::Last : PageMove::First));
}

// --- Painting and input ---------------------------------------------------------------------

void CPageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    painter.translate(ToWindow(QPoint(0, 0)));
    DrawPage(painter);
    DrawItems(painter, drawn_, fonts_, selected_, hasFocus(), &palette());
}

void CPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Refill();
}

void CPageView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    auto move = [this](PageMove m) { Select(MoveSelection(drawn_.items, selected_, m)); };
    switch (event->key()) {
        case Qt::Key_Up:
            move(PageMove::Up);
            break;
        case Qt::Key_Down:
            move(PageMove::Down);
            break;
        case Qt::Key_Left:
            move(PageMove::Left);
            break;
        case Qt::Key_Right:
            move(PageMove::Right);
            break;
        case Qt::Key_Home:
            JumpToEnd(false);
            break;
        case Qt::Key_End:
            JumpToEnd(true);
            break;
        case Qt::Key_PageUp:
            Step(-1);
            break;
        case Qt::Key_PageDown:
            Step(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const PageItem* item = SelectedItem()) {
                if (item->kind == PageItem::Kind::More)
                    ShowMore(*item);
                else
                    Activate();
            }
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (!doc_.IsReadOnly()) DeleteSelected();
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CPageView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const int line = drawn_.At(ToPage(event->position().toPoint()));
    Select(line);
    // "+N more" is a link: one click opens the day's lines.
    if (event->button() == Qt::LeftButton && line >= 0 &&
        drawn_.items[static_cast<std::size_t>(line)].kind == PageItem::Kind::More) {
        ShowMore(drawn_.items[static_cast<std::size_t>(line)]);
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CPageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = ToPage(event->position().toPoint());
    const int line = drawn_.At(at);
    Select(line);
    if (line >= 0) {
        if (drawn_.items[static_cast<std::size_t>(line)].kind != PageItem::Kind::More) Activate();
    } else {
        DoubleClickedAt(at);
    }
    event->accept();
}

void CPageView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // The menu key: the selected line's menu, under it.
        if (selected_ >= 0)
            ShowMenu(drawn_.rects[static_cast<std::size_t>(selected_)].bottomLeft(), true);
        return;
    }
    const QPoint at = ToPage(event->pos());
    ShowMenu(at, drawn_.At(at) >= 0);
}

void CPageView::ShowMenu(const QPoint& at, bool onLine) {
    if (const PageItem* item = SelectedItem(); onLine && item && item->kind == PageItem::Kind::More)
        return;
    if (const std::unique_ptr<QMenu> menu = MakeMenu(at, onLine))
        menu->exec(viewport()->mapToGlobal(ToWindow(at)));
}

void CPageView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // A page larger than the window scrolls; one that fits steps through the months.
    if (delta == 0 || verticalScrollBar()->maximum() > 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Away from the user: back in time.
    for (int steps = wheel_.Turn(delta); steps != 0; steps += steps < 0 ? 1 : -1)
        Step(steps < 0 ? -1 : 1);
    event->accept();
}

void CPageView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CPageView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace kivrun
