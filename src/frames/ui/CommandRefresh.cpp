#include "frames/ui/CommandRefresh.h"

#include <QWidget>

namespace kivrun {

void RequestCommandRefresh(QWidget* from) {
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* host = dynamic_cast<CommandHost*>(w)) {
            host->RefreshCommandsSoon();
            return;
        }
}

}  // namespace kivrun
