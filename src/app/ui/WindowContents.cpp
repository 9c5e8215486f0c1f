#include "app/ui/WindowContents.h"

#include "app/ui/WindowTemplates.h"
#include "views/ui/TamselView.h"

namespace kivrun {

void RegisterWindowContents() {
    [[maybe_unused]] WindowTemplates& templates = WindowTemplates::Instance();
    templates.SetPaneFactories(WindowKind::LogWindow,
                               templates.Template(WindowKind::LogWindow).upper,
                               &CTamselView::Create);
}

}  // namespace kivrun
