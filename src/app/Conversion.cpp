#include "app/Conversion.h"

namespace kivrun {

// Logs of the previous version cannot be read yet.
bool ConvertOldLog(CTamselDoc&, const std::string&) {
    return false;
}

}  // namespace kivrun
