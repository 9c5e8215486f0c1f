#pragma once

#include "store/RecordSet.h"

namespace kivrun {

// Exercises with their body parts, grouped by body part.
class CExercisesSet : public RecordSet {
  public:
    explicit CExercisesSet(LogDatabase* db) : RecordSet(db) {
        Bind("ExerciseID", ExerciseID);
        Bind("BodyPartID", BodyPartID);
        Bind("ExerciseName", ExerciseName);
        Bind("ExerciseDescription", ExerciseDescription);
        Bind("BodyPartName", BodyPartName, false);
        Bind("BodyPartDescription", BodyPartDescription, false);
    }

    LongField ExerciseID;
    LongField BodyPartID;
    TextField ExerciseName;
    TextField ExerciseDescription;
    TextField BodyPartName;
    TextField BodyPartDescription;

  protected:
    std::string GetDefaultSQL() const override {
        return "SELECT Exercises.ExerciseID, Exercises.BodyPartID, Exercises.ExerciseName, "
               "Exercises.ExerciseDescription, BodyParts.BodyPartName, "
               "BodyParts.BodyPartDescription FROM BodyParts INNER JOIN Exercises ON "
               "BodyParts.BodyPartID = Exercises.BodyPartID ORDER BY BodyParts.BodyPartName, "
               "Exercises.ExerciseName;";
    }
    std::string BaseTable() const override { return "Exercises"; }
    bool FetchFromBaseTable() const override { return false; }
    std::string KeyExpression() const override { return "Exercises.ExerciseID"; }
};

}  // namespace kivrun
