// Weight training from the command line: routines of workouts, templates and the exercise
// list, through the same rules and messages as the "Weights" and "Modify Exercise List"
// dialogs. The command is the user's say-so, so their questions are answered Yes.
#include <algorithm>
#include <ostream>

#include "document/TamselDoc.h"
#include "tool/Tool.h"
#include "values/NumberFormat.h"
#include "weights/ExerciseListEditor.h"
#include "weights/RoutineCells.h"
#include "weights/RoutineEditor.h"

namespace kivrun::tool {
namespace {

std::vector<RoutineRow> RoutineOption(const std::string& text) {
    CheckRoutineText(text);
    std::string error;
    std::optional<std::vector<RoutineRow>> rows = ParseRoutineText(text, error);
    if (!rows) throw UsageError{"--routine: " + error};
    return *rows;
}

void PrintGridRows(std::ostream& out, const std::vector<RoutineRow>& rows) {
    const auto& columns = RoutineGridColumnsOf();
    for (size_t i = 0; i < columns.size(); ++i)
        out << (i ? "\t" : "") << columns[i].heading;
    out << '\n';
    for (const RoutineRow& row : rows) {
        const RoutineGridTexts texts = GridTexts(row);
        for (size_t i = 0; i < texts.size(); ++i)
            out << (i ? "\t" : "") << texts[i];
        out << '\n';
    }
}

int CmdRoutine(Context& c) {
    ExpectArgs(c, 2);
    const RowId id = Id(c.args[1], "ENTRYID");
    TerminalUserInterface ui(c.err);
    auto doc = OpenDocument("routine", c.args[0], ui, c.err);
    if (!doc) return 1;
    const std::optional<EntryDetail> entry = doc->Entry(id);
    if (!entry) {
        c.err << "kivrun-tool routine: no entry " << id << '\n';
        return 1;
    }
    PrintGridRows(c.out, entry->routine);
    return 0;
}

// "--routine R" taken out of the arguments; the rest stay in order.
std::optional<std::string> TakeRoutine(std::vector<std::string>& args) {
    const auto at = std::find(args.begin(), args.end(), "--routine");
    if (at == args.end()) return std::nullopt;
    if (at + 1 == args.end()) throw UsageError{"option --routine needs a value"};
    std::string value = *(at + 1);
    args.erase(at, at + 2);
    return value;
}

int CmdTemplate(Context& c) {
    std::vector<std::string> args = c.args;
    const std::optional<std::string> routine = TakeRoutine(args);
    if (args.size() < 2) throw UsageError{"missing argument"};
    const std::string& action = args[0];
    const bool list = action == "list";
    if (!list && action != "save" && action != "load" && action != "remove")
        throw UsageError{"save, load, remove or list, not " + action};
    if (args.size() != (list ? 2u : 3u))
        throw UsageError{list ? "expected LOG" : "expected LOG NAME"};
    if (routine && action != "save") throw UsageError{"--routine goes with save"};
    if (!list) TextArg(args[2], "NAME");
    TerminalUserInterface ui(c.err, true);
    auto doc = OpenDocument("template", args[1], ui, c.err);
    if (!doc) return 1;
    RoutineEditor editor(*doc, nullptr);
    if (list) {
        for (const TemplateRow& t : editor.Templates())
            c.out << t.name << '\n';
        return 0;
    }
    const std::string& name = args[2];
    // As the dialog does it: the name chosen first (loading the template of that name),
    // then the grid filled in.
    editor.ChooseTemplate(name);
    if (action == "save") {
        editor.SetRows(routine ? RoutineOption(*routine) : std::vector<RoutineRow>{});
        editor.SaveTemplate();
        return editor.Modified() ? 1 : 0;
    }
    if (!editor.LoadedTemplate()) {
        c.err << "kivrun-tool template: no template " << name << '\n';
        return 1;
    }
    if (action == "load") {
        PrintGridRows(c.out, editor.Rows());
        return 0;
    }
    editor.RemoveTemplate();
    return editor.LoadedTemplate() ? 1 : 0;
}

int CmdExercise(Context& c) {
    if (c.args.empty()) throw UsageError{"missing argument"};
    const std::string& action = c.args[0];
    const size_t expected = action == "list" ? 2 : 4;
    if (action != "list" && action != "add" && action != "remove")
        throw UsageError{"add, remove or list, not " + action};
    if (c.args.size() != expected)
        throw UsageError{expected == 2 ? "expected LOG" : "expected LOG BODYPART NAME"};
    if (expected == 4) {
        TextArg(c.args[2], "BODYPART");
        TextArg(c.args[3], "NAME");
    }
    TerminalUserInterface ui(c.err, true);
    auto doc = OpenDocument("exercise", c.args[1], ui, c.err);
    if (!doc) return 1;
    ExerciseListEditor editor(*doc);
    if (action == "list") {
        for (const ExerciseRow& e : editor.Exercises())
            c.out << e.bodyPartName << '\t' << e.name << '\n';
        return 0;
    }
    editor.EditBodyPart(c.args[2]);
    editor.exerciseText = c.args[3];
    if (action == "add") {
        editor.FocusEntryBoxes();
        editor.Add();
        // The dialog empties the name box once the exercise is in; a refusal has been said.
        const bool added = editor.exerciseText.empty() && !TrimBlanks(c.args[3]).empty() &&
                           !TrimBlanks(c.args[2]).empty();
        return added ? 0 : 1;
    }
    // The row the dialog's list shows for that body part and exercise.
    const std::optional<ExerciseRow> exercise = doc->ExerciseNamed(c.args[3]);
    const std::optional<BodyPartRow> part = doc->BodyPartNamed(c.args[2]);
    if (!exercise || !part || exercise->bodyPartId != part->bodyPartId) {
        c.err << "kivrun-tool exercise: no exercise " << c.args[3] << " under " << c.args[2]
              << '\n';
        return 1;
    }
    const auto& rows = editor.Exercises();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].exerciseId == exercise->exerciseId) editor.SelectRow(static_cast<int>(i));
    editor.FocusList();
    editor.Remove();
    return doc->ExerciseNamed(c.args[3]) ? 1 : 0;
}

int CmdBodyPart(Context& c) {
    if (c.args.empty() || c.args[0] != "remove") throw UsageError{"expected remove"};
    if (c.args.size() != 3) throw UsageError{"expected LOG NAME"};
    TerminalUserInterface ui(c.err, true);
    auto doc = OpenDocument("bodypart", c.args[1], ui, c.err);
    if (!doc) return 1;
    ExerciseListEditor editor(*doc);
    editor.EditBodyPart(c.args[2]);
    if (!doc->BodyPartNamed(c.args[2])) {
        c.err << "kivrun-tool bodypart: no body part " << c.args[2] << '\n';
        return 1;
    }
    editor.RemoveBodyPart();
    return doc->BodyPartNamed(c.args[2]) ? 1 : 0;
}

const Registration kRoutine({52, "routine", "routine LOG ENTRYID",
                             "print a workout's weights routine as the Weights dialog's grid "
                             "shows it, tab-separated",
                             CmdRoutine});
const Registration kTemplate({54, "template",
                              "template save|load|remove|list LOG [NAME] "
                              "[--routine \"Exercise,Sets,W1,R1,...;...\"]",
                              "save a routine as a template (or over the one of that name), "
                              "print a template's rows, remove one, or list their names",
                              CmdTemplate});
const Registration kExercise({56, "exercise", "exercise add|remove|list LOG [BODYPART NAME]",
                              "add an exercise under a body part (made on first use), remove "
                              "one, or list them by body part, tab-separated",
                              CmdExercise});
const Registration kBodyPart({58, "bodypart", "bodypart remove LOG NAME",
                              "remove a body part that no exercise uses", CmdBodyPart});

}  // namespace
}  // namespace kivrun::tool
