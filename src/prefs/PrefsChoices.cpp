#include "prefs/PrefsChoices.h"

namespace kivrun::prefs {

std::string OptionalFieldLabel(std::string_view name) {
    static constexpr std::array<const char*, 5> kLabels = {"AHR", "RHR", "RCR", "Wt", "Tmp"};
    for (size_t i = 0; i < kOptionalFieldNames.size(); ++i) {
        if (name == kOptionalFieldNames[i]) return kLabels[i];
    }
    return {};
}

}  // namespace kivrun::prefs
