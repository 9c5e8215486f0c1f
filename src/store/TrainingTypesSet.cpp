#include "store/TrainingTypesSet.h"

#include "store/Criteria.h"

namespace kivrun {

bool CTrainingTypesSet::FindClass(const std::string& abbreviation) {
    return FindFirst(criteria::Is("TypeAbbrev", abbreviation));
}

}  // namespace kivrun
