#include "views/ui/WeekView.h"

#include "document/TamselDoc.h"
#include "views/ui/PagePrintout.h"

namespace kivrun {

QWidget* CWeekView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CWeekView(doc, parent);
}

CWeekView::CWeekView(CTamselDoc& doc, QWidget* parent)
    : CPageView(doc, parent),
      weekStart_(CDate().FirstDayOfWeek()),
      page_{WeekLayout(weekStart_, 0, 0), {}, {}, 0} {
    setObjectName(QStringLiteral("WeekView"));
    setAccessibleName(QStringLiteral("Week"));
    // A window opened from another view's "View Week" shows its current entry.
    ShowEntry(doc.CurrentEntry());
}

void CWeekView::ShowWeek(const CDate& day) {
    weekStart_ = day.FirstDayOfWeek();
    Refill();
}

void CWeekView::ShowEntry(RowId entryId) {
    const std::optional<EntryRow> entry =
        doc_.EntryAt(entryId ? doc_.PositionOfEntry(entryId) : -1);
    if (!entry) return;
    pendingEntry_ = entryId;
    ShowWeek(CDate::FromSerial(entry->date));
}

bool CWeekView::CanGoBack() {
    return kivrun::CanGoBack(weekStart_, doc_.FirstEntryDay());
}

bool CWeekView::CanGoForward() {
    return kivrun::CanGoForward(weekStart_, doc_.LastEntryDay(), CDate());
}

void CWeekView::Refill() {
    page_ = WeekPage::Read(doc_, weekStart_, AreaWidth(), AreaHeight());
    SetItems(page_.items);
    if (pendingEntry_ != 0) SelectItem(PageItem::Kind::Entry, std::exchange(pendingEntry_, 0));
}

void CWeekView::ShowMore(const PageItem& more) {
    if (more.id != 0) doc_.ShowEntryIn(WindowKind::LogWindow, more.id, this);
}

void CWeekView::DrawPage(QPainter& painter) const {
    DrawWeekPage(painter, page_, fonts_, false);
}

void CWeekView::Step(int direction) {
    if (direction < 0 && CanGoBack())
        ShowWeek(weekStart_.AddDays(-7));
    else if (direction > 0 && CanGoForward())
        ShowWeek(weekStart_.AddDays(7));
}

void CWeekView::JumpToEnd(bool end) {
    if (const std::optional<CDate> day = end ? doc_.LastEntryDay() : doc_.FirstEntryDay())
        ShowWeek(*day);
}

void CWeekView::Activate() {
    OpenSelectedEntry();
}

std::unique_ptr<CPagePrintout> CWeekView::MakePrintout() const {
    return std::make_unique<CWeekPrintout>(doc_, weekStart_, width());
}

void CWeekView::RestoreState(const std::string& state) {
    if (CDate::IsValidText(state)) ShowWeek(CDate(state));
}

void CWeekView::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
        case Notice::EntryChanged:
        case Notice::EntryDeleted:
        case Notice::DataReloaded:
        case Notice::FilterApplied:
        case Notice::SportsChanged:
            Refill();
            break;
        case Notice::GeneralPreferences:
            ShowWeek(weekStart_);  // the week may start on another day
            break;
        case Notice::CurrentEntry:
            ShowEntry(hint.id);
            break;
        case Notice::ShowDay:
            ShowWeek(CDate::FromSerial(hint.newDate));
            break;
        default:
            break;
    }
}

std::optional<CommandState> CWeekView::CommandStatus(Command cmd) {
    switch (cmd) {
        case Command::ViewPrevious:
            return CommandState{CanGoBack(), false};
        case Command::ViewNext:
            return CommandState{CanGoForward(), false};
        default:
            return SharedStatus(cmd);
    }
}

void CWeekView::RunCommand(Command cmd) {
    switch (cmd) {
        case Command::ViewPrevious:
            Step(-1);
            break;
        case Command::ViewNext:
            Step(1);
            break;
        default:
            RunShared(cmd);
            break;
    }
}

std::unique_ptr<QMenu> CWeekView::MakeMenu(const QPoint&, bool onLine) {
    if (!onLine || !SelectedIsEntry()) return nullptr;
    return MakeEntryMenu(QStringLiteral("View Mo&nth"), WindowKind::Calendar);
}

}  // namespace kivrun
