#include "app/ui/WindowContents.h"

#include "app/ui/WindowTemplates.h"
#include "entries/ui/DataEntryFrm.h"

namespace kivrun {

void RegisterWindowContents() {
    WindowTemplates& templates = WindowTemplates::Instance();
    templates.SetPaneFactories(
        WindowKind::LogWindow,
        [](CTamselDoc& doc, QWidget* parent) -> QWidget* { return new CDataEntryFrm(doc, parent); },
        templates.Template(WindowKind::LogWindow).lower);
}

}  // namespace kivrun
