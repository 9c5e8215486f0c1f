#pragma once

#include <QAction>
#include <QIcon>
#include <string>

#include "frames/Commands.h"

namespace kivrun {

// The QAction of a command: its tooltip, status-bar prompt, icon and check mark. Its text
// and shortcut come from the menu it is shown in (ApplyMenuText).
QAction* MakeCommandAction(Command cmd, QObject* parent);
// The toolbar picture of a command; null when it has none.
QIcon CommandIcon(Command cmd);
// "&Print Log...\tCtrl+P": the text before the tab, the shortcut after it (none without).
void ApplyMenuText(QAction* action, const std::string& itemText);
// The text a command gives itself for now (CommandState::text), or back to the menu's.
void ApplyStateText(QAction* action, const std::string& stateText);

}  // namespace kivrun
