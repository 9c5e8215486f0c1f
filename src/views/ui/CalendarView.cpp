#include "views/ui/CalendarView.h"

#include <QMenu>

#include "document/TamselDoc.h"
#include "views/ui/PagePrintout.h"

namespace kivrun {

CCalendarView::EventEditor& CCalendarView::Editor() {
    static EventEditor editor;
    return editor;
}

void CCalendarView::SetEventEditor(EventEditor editor) {
    Editor() = std::move(editor);
}

QWidget* CCalendarView::Create(CTamselDoc& doc, QWidget* parent) {
    return new CCalendarView(doc, parent);
}

CCalendarView::CCalendarView(CTamselDoc& doc, QWidget* parent)
    : CPageView(doc, parent), grid_(CDate(), 0, 0) {
    setObjectName(QStringLiteral("CalendarView"));
    setAccessibleName(QStringLiteral("Month calendar"));
    // A window opened from another view's "View Month" shows its current entry.
    ShowEntry(doc.CurrentEntry());
    if (pendingEntry_ == 0) ShowMonth(CDate());
}

void CCalendarView::ShowMonth(const CDate& date) {
    shown_ = date;
    Refill();
}

void CCalendarView::ShowEntry(RowId entryId) {
    const long position = entryId ? doc_.PositionOfEntry(entryId) : -1;
    const std::optional<EntryRow> entry = doc_.EntryAt(position);
    if (!entry) return;
    pendingEntry_ = entryId;
    ShowMonth(CDate::FromSerial(entry->date));
}

void CCalendarView::Refill() {
    CalendarPage page = CalendarPage::Read(doc_, shown_, AreaWidth(), AreaHeight());
    grid_ = page.grid;
    SetItems(std::move(page.items));
    if (pendingEntry_ != 0) SelectItem(PageItem::Kind::Entry, std::exchange(pendingEntry_, 0));
}

void CCalendarView::ShowMore(const PageItem& more) {
    doc_.ShowDayIn(WindowKind::WeekView, CDate::FromSerial(more.date), this);
}

void CCalendarView::DrawPage(QPainter& painter) const {
    DrawCalendarPage(painter, grid_, fonts_, true);
}

void CCalendarView::Step(int direction) {
    ShowMonth(direction < 0 ? CalendarGrid::PreviousMonth(shown_)
                            : CalendarGrid::NextMonth(shown_));
}

std::unique_ptr<CPagePrintout> CCalendarView::MakePrintout() const {
    return std::make_unique<CCalendarPrintout>(doc_, shown_, width());
}

std::string CCalendarView::SavedState() const {
    return CDate(shown_.Month(), 1, shown_.Year()).Format(1);
}

void CCalendarView::RestoreState(const std::string& state) {
    if (CDate::IsValidText(state)) ShowMonth(CDate(state));
}

// --- Notices -------------------------------------------------------------------------------

void CCalendarView::OnUpdate(View*, const UpdateHint& hint) {
    switch (hint.kind) {
        case Notice::EntryAdded:
        case Notice::EntryChanged:
        case Notice::EntryDeleted:
        case Notice::DataReloaded:
        case Notice::FilterApplied:
        case Notice::SportsChanged:
        case Notice::EventChanged:
        case Notice::EventAdded:
        case Notice::EventDeleted:
        case Notice::EventsImported:
        case Notice::GeneralPreferences:  // the week may start on another day
            Refill();
            break;
        case Notice::CurrentEntry:
            ShowEntry(hint.id);
            break;
        case Notice::ShowDay:
            ShowMonth(CDate::FromSerial(hint.newDate));
            break;
        default:
            break;
    }
}

// --- Events ----------------------------------------------------------------------------------

bool CCalendarView::CanEditEvents() const {
    return !doc_.IsReadOnly();
}

void CCalendarView::NewEventOnDate(const CDate& day) {
    if (Editor().newEvent && CanEditEvents()) Editor().newEvent(doc_, day, this);
}

void CCalendarView::OpenSelectedEvent() {
    const PageItem* item = SelectedItem();
    if (item && item->kind == PageItem::Kind::Event && Editor().openEvent)
        Editor().openEvent(doc_, item->id, this);
}

void CCalendarView::NewEntryOnCell(int cell) {
    if (cell >= 0 && cell < grid_.CellCount() && !doc_.IsReadOnly())
        doc_.RequestNewEntry(grid_.CellDate(cell), this);
}

// --- Commands and input ------------------------------------------------------------------

std::optional<CommandState> CCalendarView::CommandStatus(Command cmd) {
    const PageItem* item = SelectedItem();
    const bool event = item && item->kind == PageItem::Kind::Event;
    switch (cmd) {
        case Command::ViewPrevious:
        case Command::ViewNext:
            return CommandState{doc_.IsOpen(), false};
        case Command::CalendarNewEvent:
            return CommandState{Editor().newEvent && CanEditEvents(), false};
        case Command::EditEntry:
            if (event) return CommandState{Editor().openEvent != nullptr, false, "&Open Event"};
            break;
        case Command::EditDelete:
            if (event) return CommandState{CanEditEvents(), false, "De&lete Event"};
            break;
        default:
            break;
    }
    return SharedStatus(cmd);
}

void CCalendarView::RunCommand(Command cmd) {
    switch (cmd) {
        case Command::ViewPrevious:
            Step(-1);
            break;
        case Command::ViewNext:
            Step(1);
            break;
        case Command::CalendarNewEvent:
            NewEventOnDate(CDate());
            break;
        case Command::EditEntry:
            if (SelectedIsEntry())
                EditSelectedEntry(false);
            else
                OpenSelectedEvent();
            break;
        default:
            RunShared(cmd);
            break;
    }
}

void CCalendarView::Activate() {
    if (SelectedIsEntry())
        OpenSelectedEntry();
    else
        OpenSelectedEvent();
}

void CCalendarView::DoubleClickedAt(const QPoint& at) {
    const int cell = grid_.HitTestCell(at.x(), at.y());
    if (cell >= 0) NewEventOnDate(grid_.CellDate(cell));
}

std::unique_ptr<QMenu> CCalendarView::MakeMenu(const QPoint& at, bool onLine) {
    rightClickedCell_ = -1;
    const bool writable = !doc_.IsReadOnly();
    if (onLine && SelectedIsEntry()) {
        return MakeEntryMenu(QStringLiteral("View &Week"), WindowKind::WeekView);
    }
    auto menu = std::make_unique<QMenu>(this);
    if (onLine && SelectedItem()) {
        menu->addAction(QStringLiteral("&Open Event"), this, [this] { OpenSelectedEvent(); })
            ->setEnabled(Editor().openEvent != nullptr);
        const RowId eventId = SelectedItem()->id;
        menu->addAction(QStringLiteral("Log as &Workout"), this,
                        [this, eventId] { doc_.RequestEntryFromEvent(eventId, this); })
            ->setEnabled(writable);
        menu->addSeparator();
        menu->addAction(QStringLiteral("&Delete Event"), this, [this] { DeleteSelected(); })
            ->setEnabled(writable);
        return menu;
    }
    rightClickedCell_ = grid_.HitTestCell(at.x(), at.y());
    if (rightClickedCell_ < 0) return nullptr;
    const int cell = rightClickedCell_;
    menu->addAction(QStringLiteral("New &Entry..."), this, [this, cell] { NewEntryOnCell(cell); })
        ->setEnabled(writable);
    const CDate day = grid_.CellDate(cell);
    menu->addAction(QStringLiteral("New E&vent..."), this, [this, day] { NewEventOnDate(day); })
        ->setEnabled(Editor().newEvent && writable);
    return menu;
}

}  // namespace kivrun
