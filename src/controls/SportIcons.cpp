#include "controls/SportIcons.h"

namespace kivrun::controls {

const char* SportIconName(int index) {
    static const char* const kNames[kSportIconCount] = {
        "Road cycling", "Mountain biking", "Running",   "Swimming", "Rowing",
        "Weights",      "Indoor cycling",  "Treadmill", "Skiing",   "Walking",
        "Skating",      "Hiking",          "Other",
    };
    return kNames[ValidSportIcon(index)];
}

}  // namespace kivrun::controls
