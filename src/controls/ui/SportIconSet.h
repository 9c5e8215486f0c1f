#pragma once

#include <QIcon>
#include <QString>

namespace kivrun {

// The icon of a sport's Image index, crisp at the usual list and button sizes. An index
// out of range gives the "Other" icon.
QIcon SportIcon(int index);

// The resource path of the icon's drawing.
QString SportIconPath(int index);

}  // namespace kivrun
