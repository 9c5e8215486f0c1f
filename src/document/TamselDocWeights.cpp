// The document's weight-training reads and writes: routine templates and the exercise list.
// Names are bound, never spliced into SQL, and compared as the log's text columns compare
// (without regard to case) with the blanks that TrimBlanks takes off ignored, however they
// were stored.

#include <cmath>

#include "document/TamselDocSets.h"
#include "store/Field.h"
#include "store/LogDatabase.h"
#include "store/Schema.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

const char* const kExerciseExists =
    "Exercise already exists!!  Please specify a different name for this exercise.";

template <class Set>
void RequeryIfOpen(Set& set) {
    if (set.IsOpen()) set.Requery();
}

// "column = ?" for a name, with the blanks TrimBlanks takes off ignored on the stored side.
std::string NameIs(const char* column) {
    return std::string("trim(") + column + ", char(32, 9, 10, 13)) = ? COLLATE NOCASE";
}

// The first row the statement finds for a name (bound trimmed), read by read.
template <class Read>
auto FirstNamed(SqliteDb& db, const std::string& sql, const std::string& name, Read read)
    -> std::optional<decltype(read(std::declval<Statement&>()))> {
    Statement& s = db.Cached(sql);
    s.Bind(1, TrimBlanks(name));
    std::optional<decltype(read(s))> row;
    if (s.Step()) row = read(s);
    s.Reset();
    return row;
}

}  // namespace

// --- Reads ------------------------------------------------------------------------------------

std::vector<TemplateRow> CTamselDoc::Templates() {
    std::vector<TemplateRow> rows;
    if (!db_) return rows;
    Statement& s =
        db_->sql().Cached("SELECT TemplateID, Name FROM \"Routine Templates\" ORDER BY TemplateID");
    while (s.Step())
        rows.push_back({s.Int64(0), s.Text(1)});
    s.Reset();
    return rows;
}

std::optional<TemplateRow> CTamselDoc::TemplateNamed(const std::string& name) {
    if (!db_) return std::nullopt;
    return FirstNamed(db_->sql(),
                      "SELECT TemplateID, Name FROM \"Routine Templates\" WHERE " + NameIs("Name") +
                          " ORDER BY TemplateID LIMIT 1",
                      name, [](Statement& s) {
                          return TemplateRow{s.Int64(0), s.Text(1)};
                      });
}

std::vector<RoutineRow> CTamselDoc::TemplateRoutine(RowId templateId) {
    return RoutineRows("Routine Templates Details", "TemplateID", templateId);
}

std::vector<ExerciseRow> CTamselDoc::ExerciseList() {
    std::vector<ExerciseRow> rows;
    if (!db_) return rows;
    Statement& s = db_->sql().Cached(
        "SELECT e.ExerciseID, e.BodyPartID, e.ExerciseName, e.ExerciseDescription, "
        "b.BodyPartName FROM BodyParts AS b JOIN Exercises AS e ON b.BodyPartID = e.BodyPartID "
        "ORDER BY b.BodyPartName, e.ExerciseName, e.ExerciseID");
    while (s.Step())
        rows.push_back({s.Int64(0), s.Int64(1), s.Text(2), s.Text(3), s.Text(4)});
    s.Reset();
    return rows;
}

std::vector<BodyPartRow> CTamselDoc::BodyParts() {
    std::vector<BodyPartRow> rows;
    if (!db_) return rows;
    Statement& s = db_->sql().Cached(
        "SELECT BodyPartID, BodyPartName, BodyPartDescription FROM BodyParts "
        "ORDER BY BodyPartName, BodyPartID");
    while (s.Step())
        rows.push_back({s.Int64(0), s.Text(1), s.Text(2)});
    s.Reset();
    return rows;
}

std::optional<BodyPartRow> CTamselDoc::BodyPartNamed(const std::string& name) {
    if (!db_) return std::nullopt;
    return FirstNamed(db_->sql(),
                      "SELECT BodyPartID, BodyPartName, BodyPartDescription FROM BodyParts WHERE " +
                          NameIs("BodyPartName") + " ORDER BY BodyPartID LIMIT 1",
                      name, [](Statement& s) {
                          return BodyPartRow{s.Int64(0), s.Text(1), s.Text(2)};
                      });
}

std::optional<ExerciseRow> CTamselDoc::ExerciseNamed(const std::string& name) {
    if (!db_) return std::nullopt;
    return FirstNamed(
        db_->sql(),
        "SELECT e.ExerciseID, e.BodyPartID, e.ExerciseName, e.ExerciseDescription, "
        "coalesce(b.BodyPartName, '') FROM Exercises AS e LEFT JOIN BodyParts AS b ON "
        "b.BodyPartID = e.BodyPartID WHERE " +
            NameIs("e.ExerciseName") + " ORDER BY e.ExerciseID LIMIT 1",
        name, [](Statement& s) {
            return ExerciseRow{s.Int64(0), s.Int64(1), s.Text(2), s.Text(3), s.Text(4)};
        });
}

bool CTamselDoc::BodyPartInUse(RowId bodyPartId) {
    if (!db_) return false;
    Statement& s = db_->sql().Cached("SELECT 1 FROM Exercises WHERE BodyPartID = ? LIMIT 1");
    s.Bind(1, bodyPartId);
    const bool used = s.Step();
    s.Reset();
    return used;
}

// --- Templates --------------------------------------------------------------------------------

void CTamselDoc::AllowDecimalWeightsFor(const std::vector<RoutineRow>& routine) {
    // A log from before decimal weights learns them the first time it is given one.
    for (const RoutineRow& row : routine)
        for (double weight : row.weight)
            if (weight != std::trunc(weight)) {
                schema::AllowDecimalWeights(*db_);
                return;
            }
}

void CTamselDoc::InsertTemplateRows(RowId templateId, const std::vector<RoutineRow>& routine) {
    AllowDecimalWeightsFor(routine);
    Statement& s = db_->sql().Cached(
        "INSERT INTO \"Routine Templates Details\" (TemplateID, Exercise, Sets, Weight1, Reps1, "
        "Weight2, Reps2, Weight3, Reps3, Weight4, Reps4) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    for (const RoutineRow& row : routine) {
        s.Reset();
        s.Bind(1, templateId).Bind(2, row.exercise).Bind(3, row.sets);
        for (int i = 0; i < 4; ++i) {
            BindValue(s, 4 + 2 * i, WholeOrReal(row.weight[i]));
            s.Bind(5 + 2 * i, row.reps[i]);
        }
        s.Run();
    }
}

RowId CTamselDoc::AddTemplate(const std::string& name, const std::vector<RoutineRow>& routine,
                              View* sender) {
    if (!db_) return 0;
    RowId id = 0;
    const bool written = Write("Couldn't save the template", [&] {
        Statement& s = db_->sql().Cached("INSERT INTO \"Routine Templates\" (Name) VALUES (?)");
        s.Bind(1, TrimBlanks(name));
        s.Run();
        id = db_->sql().LastInsertRowId();
        InsertTemplateRows(id, routine);
    });
    RequeryIfOpen(sets_->routines);
    RequeryIfOpen(sets_->routinesDetails);
    if (!written) return 0;
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::TemplatesChanged, id));
    return id;
}

bool CTamselDoc::SaveTemplateRoutine(RowId templateId, const std::vector<RoutineRow>& routine,
                                     View* sender) {
    if (!db_) return false;
    const bool written = Write("Couldn't save the template", [&] {
        deleteTemplateQuery_.SetParamValue("ID", templateId);
        deleteTemplateQuery_.Execute();
        InsertTemplateRows(templateId, routine);
    });
    RequeryIfOpen(sets_->routinesDetails);
    if (written) UpdateAllViews(sender, UpdateHint::ForRow(Notice::TemplatesChanged, templateId));
    return written;
}

bool CTamselDoc::RemoveTemplate(RowId templateId, View* sender) {
    const bool removed =
        DeleteById("Couldn't remove the template",
                   "DELETE FROM \"Routine Templates\" WHERE TemplateID = ?", templateId, [&] {
                       deleteTemplateQuery_.SetParamValue("ID", templateId);
                       deleteTemplateQuery_.Execute();
                   });
    if (!removed) return false;
    RequeryIfOpen(sets_->routines);
    RequeryIfOpen(sets_->routinesDetails);
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::TemplatesChanged, templateId));
    return true;
}

bool CTamselDoc::DeleteById(const char* what, const std::string& sql, RowId id,
                            const std::function<void()>& before) {
    if (!db_) return false;
    bool removed = false;
    const bool written = Write(what, [&] {
        if (before) before();
        Statement& s = db_->sql().Cached(sql);
        s.Bind(1, id);
        s.Run();
        removed = db_->sql().Changes() > 0;
    });
    return written && removed;
}

// --- The exercise list ------------------------------------------------------------------------

RowId CTamselDoc::AddExercise(const std::string& bodyPart, const std::string& name, View* sender) {
    const std::string part = TrimBlanks(bodyPart);
    const std::string exercise = TrimBlanks(name);
    if (!db_ || part.empty() || exercise.empty()) return 0;
    RowId id = 0;
    bool exists = false;
    const bool written = Write("Couldn't add the exercise", [&] {
        // Checked here as well as by the log's index: a log that came with duplicates has
        // no index, and its list must not grow more of them.
        if (ExerciseNamed(exercise)) {
            exists = true;
            return;
        }
        RowId partId = 0;
        if (const std::optional<BodyPartRow> found = BodyPartNamed(part)) {
            partId = found->bodyPartId;
        } else {
            Statement& s = db_->sql().Cached("INSERT INTO BodyParts (BodyPartName) VALUES (?)");
            s.Bind(1, part);
            s.Run();
            partId = db_->sql().LastInsertRowId();
        }
        Statement& s =
            db_->sql().Cached("INSERT INTO Exercises (BodyPartID, ExerciseName) VALUES (?, ?)");
        s.Bind(1, partId).Bind(2, exercise);
        s.Run();
        id = db_->sql().LastInsertRowId();
    });
    if (exists) ui_.ShowMessage(kExerciseExists);
    RequeryIfOpen(sets_->bodyParts);
    RequeryIfOpen(sets_->exercises);
    if (!written || id == 0) return 0;
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::ExercisesChanged, id));
    return id;
}

bool CTamselDoc::RemoveExercise(RowId exerciseId, View* sender) {
    if (!DeleteById("Couldn't remove the exercise", "DELETE FROM Exercises WHERE ExerciseID = ?",
                    exerciseId))
        return false;
    RequeryIfOpen(sets_->exercises);
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::ExercisesChanged, exerciseId));
    return true;
}

bool CTamselDoc::RemoveBodyPart(RowId bodyPartId, View* sender) {
    if (!DeleteById("Couldn't remove the body part", "DELETE FROM BodyParts WHERE BodyPartID = ?",
                    bodyPartId))
        return false;
    RequeryIfOpen(sets_->bodyParts);
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::ExercisesChanged, bodyPartId));
    return true;
}

}  // namespace kivrun
