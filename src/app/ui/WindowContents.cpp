#include "app/ui/WindowContents.h"

#include "app/ui/WindowTemplates.h"

namespace kivrun {

void RegisterWindowContents() {
    [[maybe_unused]] WindowTemplates& templates = WindowTemplates::Instance();
}

}  // namespace kivrun
