#include "app/ui/WindowContents.h"

#include "app/ui/WindowTemplates.h"
#include "entries/ui/DataEntryFrm.h"
#include "output/TextExport.h"
#include "views/ui/CalendarView.h"
#include "views/ui/TamselView.h"
#include "views/ui/WeekView.h"

namespace kivrun {

void RegisterWindowContents() {
    WindowTemplates& templates = WindowTemplates::Instance();
    // The log window: the entry form above the log list.
    templates.SetPaneFactories(
        WindowKind::LogWindow,
        [](CTamselDoc& doc, QWidget* parent) -> QWidget* { return new CDataEntryFrm(doc, parent); },
        &CTamselView::Create);
    CTamselView::SetClipboardText([](CTamselDoc& doc, const std::vector<long>& positions) {
        return ClipboardText(doc, positions);
    });
    templates.SetContentFactory(WindowKind::Calendar, &CCalendarView::Create);
    templates.SetContentFactory(WindowKind::WeekView, &CWeekView::Create);
}

}  // namespace kivrun
