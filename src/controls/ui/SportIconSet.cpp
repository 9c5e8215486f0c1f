#include "controls/ui/SportIconSet.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>

#include "controls/SportIcons.h"

// The drawings are compiled into a static library: whoever shows a sport icon pulls them in.
static void InitSportsResource() {
    Q_INIT_RESOURCE(sports);
}

namespace kivrun {

namespace {

QIcon Render(int index) {
    QSvgRenderer svg(SportIconPath(index));
    QIcon icon;
    // Drawn at each size rather than scaled from one, and without relying on the SVG icon
    // plug-in being installed.
    for (int size : {16, 20, 22, 24, 32, 40, 48, 64, 96}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QString SportIconPath(int index) {
    return QStringLiteral(":/icons/sports/%1.svg").arg(controls::ValidSportIcon(index));
}

QIcon SportIcon(int index) {
    static const std::array<QIcon, controls::kSportIconCount> icons = [] {
        InitSportsResource();
        std::array<QIcon, controls::kSportIconCount> all;
        for (int i = 0; i < controls::kSportIconCount; ++i)
            all[static_cast<size_t>(i)] = Render(i);
        return all;
    }();
    return icons[static_cast<size_t>(controls::ValidSportIcon(index))];
}

}  // namespace kivrun
