#include "print/ui/PictureFile.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "print/ui/GPrintout.h"

namespace kivrun {
namespace {

constexpr int kScreenDpi = 96;

bool Paint(GPrintout& printout, QPaintDevice& device, const QSize& size) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    printout.PaintPage(painter, QRect(QPoint(0, 0), size), 0);
    return painter.end();
}

}  // namespace

QString SavePicture(GPrintout& printout, const QString& path) {
    const QSize size = printout.PictureSize();
    if (size.isEmpty()) return QStringLiteral("This view cannot be saved as a picture.");
    printout.Layout(GPage{size, kScreenDpi}, {});
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool raster = suffix != QLatin1String("svg") && suffix != QLatin1String("pdf");
    if (raster && !QImageWriter::supportedImageFormats().contains(suffix.toLatin1()))
        return QStringLiteral("%1 is not a picture format: save as .png, .svg or .pdf.")
            .arg(suffix.isEmpty() ? QStringLiteral("A name without an extension")
                                  : QStringLiteral(".") + suffix);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    bool painted = false;
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kScreenDpi);
        svg.setTitle(printout.Title());
        painted = Paint(printout, svg, size);
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&file);
        pdf.setTitle(printout.Title());
        pdf.setResolution(kScreenDpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point));
        painted = Paint(printout, pdf, size);
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        painted = Paint(printout, image, size);
        QImageWriter writer(&file, suffix.toLatin1());
        if (painted && !writer.write(image)) {
            file.cancelWriting();
            return writer.errorString();
        }
    }
    if (!painted) {
        file.cancelWriting();
        return QStringLiteral("The picture could not be drawn.");
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace kivrun
