#include "views/ui/EntryView.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QWheelEvent>

#include "document/TamselDoc.h"
#include "frames/ui/CommandRefresh.h"
#include "print/ui/GPrintDriver.h"
#include "values/Date.h"
#include "values/NumberFormat.h"
#include "values/ProgramState.h"
#include "views/ui/PageDrawing.h"
#include "weights/ui/RoutinePrintout.h"

namespace kivrun {
namespace {

// A page is laid out at this width when the view gives none that shows anything.
constexpr int kUsualWidth = 650;

Qt::DayOfWeek FirstDayOfWeek() {
    const int day = ProgramState::Instance().WeekStartDay();  // 0 Sunday .. 6 Saturday
    return day == 0 ? Qt::Sunday : static_cast<Qt::DayOfWeek>(day);
}

// Escape closes the month calendar without picking a day.
class CalendarKeys : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            auto* calendar = static_cast<QWidget*>(parent());
            calendar->hide();
            calendar->parentWidget()->setFocus();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QWidget* CEntryView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CEntryView(doc, parent);
}

CEntryView::CEntryView(CTamselDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), set_(doc), cursor_(set_) {
    setObjectName(QStringLiteral("EntryView"));
    setAccessibleName(QStringLiteral("Entry view"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 120);

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(1);
    // Dragging the thumb reads only the workout it is let go on.
    scroll_->setTracking(false);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!settingScroll_) MoveTo(value);
    });

    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("EntryCalendar"));
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->installEventFilter(new CalendarKeys(calendar_));
    calendar_->hide();
    connect(calendar_, &QCalendarWidget::currentPageChanged, this,
            [this](int year, int month) { MarkMonth(year, month); });
    connect(calendar_, &QCalendarWidget::clicked, this,
            [this](QDate day) { PickDay(CDate(day.month(), day.day(), day.year())); });
    connect(calendar_, &QCalendarWidget::activated, this,
            [this](QDate day) { PickDay(CDate(day.month(), day.day(), day.year())); });

    // A window opened from another view's "Open Entry" shows its current entry.
    ShowEntry(doc.CurrentEntry());
}

CEntryView::~CEntryView() = default;

// --- Showing and stepping ---------------------------------------------------------------

void CEntryView::ShowEntry(RowId entryId) {
    if (entryId != 0 && doc_.PositionOfEntry(entryId) >= 0)
        cursor_.Show(entryId);
    else
        cursor_.ShowLast();
    Rebuild();
}

void CEntryView::RestoreState(const std::string& state) {
    const long long id = TextToLong(state);
    if (id > 0 && doc_.PositionOfEntry(id) >= 0) ShowEntry(id);
}

void CEntryView::MoveBy(long delta) {
    if (cursor_.MoveBy(delta)) Moved();
}

void CEntryView::MoveTo(long position) {
    if (cursor_.MoveTo(position))
        Moved();
    else
        UpdateScrollBar();  // a thumb let go where it was
}

void CEntryView::PickDay(const CDate& day) {
    calendar_->hide();
    setFocus();
    if (cursor_.PickDay(day)) Moved();
}

// Stepped by the user: the log list (and any other view) moves to the same workout.
void CEntryView::Moved() {
    Rebuild();
    doc_.SetCurrentEntry(cursor_.Shown(), this);
}

void CEntryView::Rebuild() {
    content_ = EntryPageContent::Read(doc_, cursor_.Shown());
    UpdateScrollBar();
    Relayout();
    RequestCommandRefresh(this);
}

QSize CEntryView::PageSize() const {
    const int bar = scroll_->isVisibleTo(this) ? scroll_->sizeHint().width() : 0;
    return {std::max(0, width() - bar), height()};
}

void CEntryView::Relayout() {
    const QSize size = PageSize();
    layout_ = EntryLayout::Of(content_, size.width(), size.height(), fonts_.Measure());
    update();
}

void CEntryView::UpdateScrollBar() {
    settingScroll_ = true;
    const long maximum = std::max(0L, cursor_.Maximum());
    scroll_->setRange(0, static_cast<int>(std::min<long>(maximum, INT_MAX)));
    scroll_->setValue(static_cast<int>(std::max(0L, cursor_.Position())));
    scroll_->setEnabled(cursor_.Position() >= 0);
    const bool show = maximum >= 1;
    if (show != scroll_->isVisibleTo(this)) {
        scroll_->setVisible(show);
        Relayout();
    }
    const int bar = scroll_->sizeHint().width();
    scroll_->setGeometry(width() - bar, 0, bar, height());
    settingScroll_ = false;
}

// --- The month calendar -------------------------------------------------------------------

void CEntryView::ShowCalendar(int x) {
    calendar_->setFirstDayOfWeek(FirstDayOfWeek());
    QDate selected = QDate::currentDate();
    if (content_.Shown()) {
        const CDate d = CDate::FromSerial(content_.date);
        selected = QDate(d.Year(), d.Month(), d.Day());
    }
    calendar_->setSelectedDate(selected);
    calendar_->setCurrentPage(selected.year(), selected.month());
    MarkMonth(selected.year(), selected.month());
    const QSize size = calendar_->sizeHint();
    calendar_->resize(size);
    // Inside the page: shifted left when it would cover the scroll bar.
    const int left = std::max(0, std::min(x, PageSize().width() - size.width()));
    calendar_->move(left, layout_.title.bottom);
    calendar_->show();
    calendar_->raise();
    calendar_->setFocus();
}

void CEntryView::MarkMonth(int year, int month) {
    // The days of the month marked before go back to plain.
    if (markedYear_ != 0)
        for (int day : boldDays_)
            calendar_->setDateTextFormat(QDate(markedYear_, markedMonth_, day), QTextCharFormat());
    boldDays_ = EntryDaysOfMonth(doc_, year, month);
    markedYear_ = year;
    markedMonth_ = month;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int day : boldDays_)
        calendar_->setDateTextFormat(QDate(year, month, day), bold);
}

// --- Printing --------------------------------------------------------------------------------

void CEntryView::Print() {
    CEntryPrintout printout(doc_, Shown(), PageSize().width());
    GPrintDriver::Instance().Print(this, printout, doc_.ui());
}

void CEntryView::PrintPreview() {
    CEntryPrintout printout(doc_, Shown(), PageSize().width());
    GPrintDriver::Instance().Preview(this, printout, &doc_.ui());
}

// --- Notices and commands ------------------------------------------------------------------

void CEntryView::OnUpdate(View*, const UpdateHint& hint) {
    if (hint.kind == Notice::CurrentEntry) {
        ShowEntry(hint.id);
        return;
    }
    if (hint.kind == Notice::GeneralPreferences) {
        calendar_->setFirstDayOfWeek(FirstDayOfWeek());
        return;
    }
    if (cursor_.OnNotice(hint)) {
        Rebuild();
        if (calendar_->isVisible()) MarkMonth(markedYear_, markedMonth_);
    }
}

std::optional<CommandState> CEntryView::CommandStatus(Command cmd) {
    const bool shown = content_.Shown();
    const bool writable = !doc_.IsReadOnly();
    switch (cmd) {
        case Command::ViewPrevious:
            return CommandState{cursor_.CanMove(-1), false};
        case Command::ViewNext:
            return CommandState{cursor_.CanMove(1), false};
        case Command::EditEntry:
        case Command::EditDelete:
            return CommandState{shown && writable, false};
        case Command::PrintRoutine:
            return CommandState{shown && content_.HasRoutine(), false};
        case Command::FilePrint:
        case Command::FilePrintPreview:
            return CommandState{doc_.IsOpen(), false};
        default:
            return std::nullopt;
    }
}

void CEntryView::RunCommand(Command cmd) {
    const RowId id = Shown();
    switch (cmd) {
        case Command::ViewPrevious:
            MoveBy(-1);
            break;
        case Command::ViewNext:
            MoveBy(1);
            break;
        case Command::EditEntry:
            if (id) doc_.RequestEntryEdit(id, false, this);
            break;
        case Command::EditDelete:
            // This view hears of it too, and shows the last workout of the set.
            if (id) doc_.DeleteEntry(id, nullptr, true);
            break;
        case Command::PrintRoutine:
            if (id && content_.HasRoutine()) CRoutinePrintout::PrintEntry(doc_, id, this);
            break;
        case Command::FilePrint:
            Print();
            break;
        case Command::FilePrintPreview:
            PrintPreview();
            break;
        default:
            break;
    }
}

// --- Painting and input ----------------------------------------------------------------------

void CEntryView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize size = PageSize();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    DrawEntryPage(painter, content_, layout_, fonts_, false);
}

void CEntryView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int bar = scroll_->sizeHint().width();
    scroll_->setGeometry(width() - bar, 0, bar, height());
    Relayout();
}

void CEntryView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_Left:
        case Qt::Key_Up:
            MoveBy(-1);
            break;
        case Qt::Key_PageDown:
        case Qt::Key_Right:
        case Qt::Key_Down:
            MoveBy(1);
            break;
        case Qt::Key_Home:
            MoveTo(0);
            break;
        case Qt::Key_End:
            MoveTo(cursor_.Maximum());
            break;
        case Qt::Key_Escape:
            calendar_->hide();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CEntryView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && content_.Shown() &&
        ToQRect(layout_.title).contains(at))
        ShowCalendar(at.x());
    else
        calendar_->hide();
    QWidget::mousePressEvent(event);
}

void CEntryView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    // Away from the user: an earlier workout.
    if (const int steps = wheel_.Turn(delta)) MoveBy(steps);
    event->accept();
}

// --- On paper ----------------------------------------------------------------------------------

CEntryPrintout::CEntryPrintout(CTamselDoc& doc, RowId entryId, int viewWidth)
    : content_(EntryPageContent::Read(doc, entryId)), viewWidth_(viewWidth) {}

std::unique_ptr<CEntryPrintout> CEntryPrintout::ForEntry(CTamselDoc& doc, RowId entryId) {
    auto printout = std::make_unique<CEntryPrintout>(doc, entryId, 0);
    if (!printout->content_.Shown()) return nullptr;
    return printout;
}

bool CEntryPrintout::Layout(const GPage& page, const GProgress&) {
    const int width = (viewWidth_ >= 200 ? viewWidth_ : kUsualWidth) + 50;
    logical_ = {width, 0};
    if (page.pixels.width() > 0 && page.pixels.height() > 0)
        logical_.setHeight(static_cast<int>(static_cast<long long>(width) * page.pixels.height() /
                                            page.pixels.width()));
    layout_ = EntryLayout::Of(content_, logical_.width(), logical_.height(), fonts_.Measure());
    return true;
}

void CEntryPrintout::PaintPage(QPainter& painter, const QRect& pageRect, int page) const {
    if (page != 0 || logical_.height() <= 0) return;
    painter.save();
    painter.fillRect(pageRect, Qt::white);
    painter.translate(pageRect.topLeft());
    painter.scale(static_cast<double>(pageRect.width()) / logical_.width(),
                  static_cast<double>(pageRect.height()) / logical_.height());
    DrawEntryPage(painter, content_, layout_, fonts_, true);
    painter.restore();
}

}  // namespace kivrun
