#pragma once

#include <QString>

namespace kivrun {

class GPrintout;

// Saves the first page of a printout that is a picture, at its picture size, into a file
// whose name says the format: .svg, .pdf, or a raster format such as .png. The file is
// replaced only once the new one is whole. Empty when written, otherwise why not.
QString SavePicture(GPrintout& printout, const QString& path);

}  // namespace kivrun
