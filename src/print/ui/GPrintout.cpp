#include "print/ui/GPrintout.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace kivrun {

QSize GPage::Units() const {
    const double toUnits = static_cast<double>(paper::kUnitsPerInch) / std::max(1, dpi);
    return QSize(static_cast<int>(pixels.width() * toUnits),
                 static_cast<int>(pixels.height() * toUnits));
}

PaperPainter::PaperPainter(QPainter& painter, const QRect& pageRect, QSize units)
    : painter_(painter) {
    painter_.save();
    painter_.translate(pageRect.topLeft());
    if (units.width() > 0 && units.height() > 0)
        painter_.scale(static_cast<double>(pageRect.width()) / units.width(),
                       static_cast<double>(pageRect.height()) / units.height());
}

PaperPainter::~PaperPainter() {
    painter_.restore();
}

QString PaperString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

Qt::Alignment PaperAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

int PaperUnits(double points) {
    return qRound(points * paper::kUnitsPerInch / 72.0);
}

QFont PaperFont(const QString& family, int pixelUnits, int weight) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelUnits));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace kivrun
