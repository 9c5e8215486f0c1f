#pragma once

// The document's record sets, for the document's own source files.

#include "document/TamselDoc.h"
#include "store/AffiliationsSet.h"
#include "store/BodyPartsSet.h"
#include "store/ColumnSettingsSet.h"
#include "store/DistanceUnitsSet.h"
#include "store/EventsSet.h"
#include "store/ExercisesSet.h"
#include "store/LogEntrySet.h"
#include "store/PaceUnitsSet.h"
#include "store/PreferencesSet.h"
#include "store/RoutesSet.h"
#include "store/RoutineRowSets.h"
#include "store/RoutinesSet.h"
#include "store/SportsSet.h"
#include "store/TotalsSet.h"
#include "store/TrainingTypesSet.h"

namespace kivrun {

struct CTamselDoc::Sets {
    explicit Sets(LogDatabase* db)
        : logEntry(db),
          filtered(db),
          routine(db),
          trainingTypes(db),
          distanceUnits(db),
          paceUnits(db),
          sports(db),
          events(db),
          columnSettings(db),
          preferences(db),
          routes(db),
          affiliations(db),
          totals(db),
          routines(db),
          routinesDetails(db),
          exercises(db),
          bodyParts(db) {}
    CLogEntrySet logEntry;
    CLogEntryFilteredSet filtered;
    CLogEntryRoutineSet routine;
    CTrainingTypesSet trainingTypes;
    CDistanceUnitsSet distanceUnits;
    CPaceUnitsSet paceUnits;
    CSportsSet sports;
    CEventsSet events;
    CColumnSettingsSet columnSettings;
    CPreferencesSet preferences;
    CRoutesSet routes;
    CAffiliationsSet affiliations;
    CTotalsSet totals;
    CRoutinesSet routines;
    CRoutinesDetailsSet routinesDetails;
    CExercisesSet exercises;
    CBodyPartsSet bodyParts;
};

}  // namespace kivrun
