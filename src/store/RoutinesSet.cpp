#include "store/RoutinesSet.h"

#include "store/Criteria.h"

namespace kivrun {

bool CRoutinesSet::FindTemplate(int templateId) {
    return FindFirst(criteria::Is("TemplateID", templateId));
}

}  // namespace kivrun
