#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "print/PaperText.h"

class QPainter;

namespace kivrun {

class PaperCanvas;

// The page a printout is laid out for: the printable part of the paper in device pixels,
// at the device's resolution.
struct GPage {
    QSize pixels;
    int dpi = paper::kUnitsPerInch;
    // The same page in print units.
    QSize Units() const;
};

// Long work says how far it has come; false when the user cancelled.
using GProgress = std::function<bool(long done, long total)>;

// A printout: what the print driver runs through print, print preview and PDF. It lays
// itself out for a page, says how many pages that makes, and paints any one of them.
class GPrintout {
  public:
    virtual ~GPrintout() = default;
    // The document name of the job ("Totals"); its dialogs are titled after it.
    virtual QString Title() const = 0;
    // Lays out for pages of that size; false when progress says stop.
    virtual bool Layout(const GPage& page, const GProgress& progress) = 0;
    virtual int PageCount() const = 0;
    // Paints a page (0 for the first) into pageRect of the painter's device.
    virtual void PaintPage(QPainter& painter, const QRect& pageRect, int page) const = 0;
    // A printout that is also a picture (a graph) gives the size its first page is drawn
    // at, so that it can be saved as a picture file; empty for the others.
    virtual QSize PictureSize() const { return {}; }
    // A printout made only of text, rules and fills draws on a canvas too, in print units,
    // in the fonts it gives here; its PDF is then written directly, many times faster than
    // through a painter. None for the others.
    virtual std::vector<QFont> CanvasFonts() const { return {}; }
    virtual void DrawPage(PaperCanvas& /*canvas*/, int /*page*/) const {}
};

// Paints in print units for as long as it lives: a page of `units` fills pageRect.
class PaperPainter {
  public:
    PaperPainter(QPainter& painter, const QRect& pageRect, QSize units);
    ~PaperPainter();
    PaperPainter(const PaperPainter&) = delete;
    PaperPainter& operator=(const PaperPainter&) = delete;

  private:
    QPainter& painter_;
};

// A text of the core's layouts as Qt's.
QString PaperString(std::u16string_view text);
// A column's alignment as the lists keep it (0 left, 1 right, 2 centre).
Qt::Alignment PaperAlignment(int alignment);

// Print units of a length in points.
int PaperUnits(double points);
// A font whose height is given in print units, unhinted so that text is as wide on paper
// as it was measured.
QFont PaperFont(const QString& family, int pixelUnits, int weight = QFont::Normal);

}  // namespace kivrun
