#include <gtest/gtest.h>

#include "entries/DataEntryForm.h"
#include "store/LogDatabase.h"
#include "support/DocFixture.h"
#include "weights/RoutineEditor.h"

namespace kivrun {
namespace {

using test::DocFixture;

RoutineRow Row(const char* exercise, int sets = 3, double weight = 100, int reps = 10) {
    RoutineRow r;
    r.exercise = exercise;
    r.sets = sets;
    r.weight[0] = weight;
    r.reps[0] = reps;
    return r;
}

std::vector<std::string> Exercises(const std::vector<RoutineRow>& rows) {
    std::vector<std::string> names;
    for (const RoutineRow& r : rows)
        names.push_back(r.exercise);
    return names;
}

class RoutineEditorTest : public DocFixture {
  protected:
    // A template saved through the dialog, as a user would: rows, a name, Save, Yes.
    RowId SavedTemplate(const std::string& name, std::vector<RoutineRow> rows) {
        RoutineEditor editor(*doc, nullptr);
        editor.SetRows(std::move(rows));
        editor.EditTemplateText(name);
        editor.LeaveTemplateBox();
        ui.answers = {true};
        editor.SaveTemplate();
        return editor.LoadedTemplate() ? editor.LoadedTemplate()->templateId : 0;
    }
    void Type(RoutineEditor& editor, const RoutineGridTexts& fields) {
        editor.fields = fields;
        editor.Enter();
    }
};

TEST_F(RoutineEditorTest, TheGridTakesRowsInsertsDeletesAndClears) {
    const std::vector<RoutineRow> workout = {Row("Bench Press"), Row("Squats", 4, 0, 12)};
    RoutineEditor editor(*doc, &workout);
    EXPECT_FALSE(editor.Modified());
    // Rows of no template can be saved as one at once.
    EXPECT_TRUE(editor.SaveEnabled());

    editor.fields = {" ", "3"};
    EXPECT_EQ(editor.Enter(), RoutineEditor::Focus::Exercise);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"You must enter an exercise !!"});
    EXPECT_EQ(editor.Rows().size(), 2u);

    Type(editor, {"Lunges", "2", "20", "12"});
    EXPECT_EQ(editor.Rows().back(), Row("Lunges", 2, 20, 12));
    EXPECT_EQ(editor.fields, RoutineGridTexts{});  // ready for the next row
    EXPECT_TRUE(editor.Modified());

    // Choosing a row is not editing it: Enter still adds.
    editor.SelectRow(1);
    EXPECT_EQ(editor.fields, RoutineGridTexts{});
    editor.EditRow(1);
    EXPECT_EQ(editor.Editing(), 1);
    EXPECT_EQ(editor.fields, (RoutineGridTexts{"Squats", "4", "", "12"}));
    editor.fields[2] = "60lb";
    EXPECT_EQ(editor.Enter(), RoutineEditor::Focus::Cell);
    EXPECT_EQ(editor.RefusedCell(), 2);
    EXPECT_EQ(ui.messages.back(),
              "Wt 1 must be a weight such as 62.5 (at most two decimals), not \"60lb\" !!");
    editor.fields[2] = "62.5";
    editor.Enter();
    EXPECT_EQ(editor.Rows()[1], Row("Squats", 4, 62.5, 12));
    // The fields empty and the edit ends: the next exercise typed is a row of its own.
    EXPECT_EQ(editor.fields, RoutineGridTexts{});
    EXPECT_EQ(editor.Editing(), -1);
    Type(editor, {"Bent Row", "3"});
    EXPECT_EQ(Exercises(editor.Rows()),
              (std::vector<std::string>{"Bench Press", "Squats", "Lunges", "Bent Row"}));
    editor.EditRow(3);
    editor.CancelEdit();
    EXPECT_EQ(editor.Rows().size(), 4u);
    editor.SelectRow(3);
    editor.DeleteRow();

    editor.SelectRow(1);
    editor.InsertRow();
    EXPECT_EQ(editor.Editing(), 1);  // the new, empty row is the one filled in next
    EXPECT_EQ(Exercises(editor.Rows()),
              (std::vector<std::string>{"Bench Press", "", "Squats", "Lunges"}));
    EXPECT_EQ(editor.Selected(), 1);
    editor.DeleteRow();
    EXPECT_EQ(editor.Selected(), -1);
    editor.DeleteRow();  // nothing chosen: nothing happens
    EXPECT_EQ(editor.Rows().size(), 3u);
    editor.Clear();
    EXPECT_TRUE(editor.Rows().empty());
    EXPECT_TRUE(editor.Modified());
    // The workout itself changes only when OK takes the result.
    EXPECT_EQ(workout.size(), 2u);
}

TEST_F(RoutineEditorTest, SavingANewTemplateAsksAndKeepsItLoaded) {
    RoutineEditor editor(*doc, nullptr);
    Type(editor, {"Bench Press", "3", "100", "10"});
    // No name typed: it is asked for; cancelling saves nothing, a blank name is refused.
    ui.texts = {std::nullopt, std::string(" ")};
    editor.SaveTemplate();
    EXPECT_TRUE(doc->Templates().empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(editor.SaveTemplate(), RoutineEditor::Focus::Template);
    EXPECT_EQ(ui.messages.back(), "Please specify a name for the template!!");
    EXPECT_EQ(ui.prompts.back(), (std::pair<std::string, std::string>{
                                     "Save the current workout as the template named:", ""}));
    EXPECT_TRUE(editor.SaveEnabled());  // still there to save once named

    editor.EditTemplateText("  Farmer's \"Day\" ");
    editor.LeaveTemplateBox();
    ui.answers = {false};
    editor.SaveTemplate();
    EXPECT_EQ(ui.questions.back(),
              "Save the current workout as the \"Farmer's \"Day\"\" template??");
    EXPECT_TRUE(doc->Templates().empty());

    ui.answers = {true};
    editor.SaveTemplate();
    ASSERT_EQ(doc->Templates().size(), 1u);
    EXPECT_EQ(doc->Templates()[0].name, "Farmer's \"Day\"");
    EXPECT_EQ(editor.Templates(), doc->Templates());
    EXPECT_FALSE(editor.SaveEnabled());
    EXPECT_TRUE(editor.RemoveEnabled());
    EXPECT_EQ(doc->TemplateRoutine(doc->Templates()[0].templateId), editor.Rows());
    EXPECT_EQ(view.hints.back().kind, Notice::TemplatesChanged);

    // The same name again is that template saved again, never a second one.
    RoutineEditor other(*doc, nullptr);
    other.SetRows({Row("Rows")});
    other.templateText = "farmer's \"day\"";
    ui.answers = {true};
    other.SaveTemplate();
    ASSERT_EQ(doc->Templates().size(), 1u);
    EXPECT_EQ(Exercises(doc->TemplateRoutine(doc->Templates()[0].templateId)),
              std::vector<std::string>{"Rows"});

    // A name given when asked is the go-ahead, and the box shows it; the last template's
    // name is the one proposed.
    other.Clear();
    other.SetRows({Row("Pull-ups", 3, 0, 8)});
    other.EditTemplateText("");
    other.LeaveTemplateBox();
    ui.questions.clear();
    ui.texts = {std::string("Back day")};
    other.SaveTemplate();
    EXPECT_EQ(ui.prompts.back().second, "Farmer's \"Day\"");
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(other.templateText, "Back day");
    EXPECT_EQ(doc->Templates().size(), 2u);
}

TEST_F(RoutineEditorTest, TypingANewNameOverAChangedTemplateAsksToSaveItFirst) {
    const RowId upper = SavedTemplate("Upper", {Row("Bench Press"), Row("Curls")});
    ASSERT_NE(upper, 0);
    ui.questions.clear();
    RoutineEditor editor(*doc, nullptr);
    editor.ChooseTemplate("upper");
    EXPECT_EQ(Exercises(editor.Rows()), (std::vector<std::string>{"Bench Press", "Curls"}));
    EXPECT_FALSE(editor.SaveEnabled());
    Type(editor, {"Dips", "3"});

    // Declining asks once, not at every keystroke.
    ui.answers = {false};
    editor.EditTemplateText("L");
    editor.EditTemplateText("Le");
    EXPECT_EQ(ui.questions, std::vector<std::string>{
                                "The \"Upper\" template has been modified!!\n\nSave Changes??"});
    EXPECT_EQ(doc->TemplateRoutine(upper).size(), 2u);

    // A further change asks again; Yes saves it under its old name.
    Type(editor, {"Rows", "2"});
    ui.answers = {true};
    editor.EditTemplateText("Leg");
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(Exercises(doc->TemplateRoutine(upper)),
              (std::vector<std::string>{"Bench Press", "Curls", "Dips", "Rows"}));
    EXPECT_FALSE(editor.LoadedTemplate());

    editor.EditTemplateText("Legs");
    editor.LeaveTemplateBox();
    EXPECT_EQ(editor.Rows().size(), 4u);  // an unknown name keeps the grid
    EXPECT_FALSE(editor.RemoveEnabled());
    ui.answers = {true};
    editor.SaveTemplate();
    EXPECT_EQ(doc->Templates().size(), 2u);
}

TEST_F(RoutineEditorTest, RemovingATemplateKeepsTheGrid) {
    const RowId upper = SavedTemplate("Upper", {Row("Bench Press")});
    SavedTemplate("Legs", {Row("Squats")});
    RoutineEditor editor(*doc, nullptr);
    editor.ChooseTemplate("Upper");
    editor.RemoveTemplate();
    EXPECT_EQ(Exercises(editor.Rows()), std::vector<std::string>{"Bench Press"});
    EXPECT_EQ(editor.templateText, "");
    EXPECT_FALSE(editor.LoadedTemplate());
    ASSERT_EQ(editor.Templates().size(), 1u);
    EXPECT_EQ(editor.Templates()[0].name, "Legs");
    EXPECT_EQ(Rows("SELECT count(*) FROM \"Routine Templates Details\" WHERE TemplateID = " +
                   std::to_string(upper)),
              "0");
}

TEST_F(RoutineEditorTest, AFailedSaveLeavesTheOldTemplateWhole) {
    const RowId upper = SavedTemplate("Upper", {Row("Bench Press"), Row("Curls")});
    RoutineEditor editor(*doc, nullptr);
    editor.ChooseTemplate("Upper");
    // The log refuses an exercise name longer than its field, after the first row went in.
    editor.SetRows({Row("Dips"), Row(std::string(101, 'x').c_str())});
    editor.SaveTemplate();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().rfind("Couldn't save the template--Exception: ", 0), 0u);
    EXPECT_EQ(Exercises(doc->TemplateRoutine(upper)),
              (std::vector<std::string>{"Bench Press", "Curls"}));
    EXPECT_TRUE(editor.Modified());
}

TEST_F(RoutineEditorTest, TheExerciseListIsGroupedByBodyPart) {
    RoutineEditor editor(*doc, nullptr);
    const auto& items = editor.ExerciseItems();
    ASSERT_GE(items.size(), 4u);
    using Item = RoutineEditor::ExerciseItem;
    EXPECT_EQ(items[0], (Item{"-- Abdominals --", false}));
    EXPECT_EQ(items[1], (Item{"Crunches", true}));
    EXPECT_EQ(items[2], (Item{"", false}));
    EXPECT_EQ(items[3], (Item{"-- Back --", false}));
    EXPECT_EQ(items.size(), 20u + 7u * 2u - 1u);
}

TEST_F(RoutineEditorTest, AWorkoutKeepsItsRoutineThroughTheForm) {
    DataEntryForm form(*doc, nullptr);
    form.InitialUpdate();
    const auto sport = [&form](const std::string& name) {
        for (size_t i = 0; i < form.Sports().size(); ++i)
            if (form.Sports()[i].name == name) return static_cast<int>(i);
        return -1;
    };
    form.ChooseSport(sport("Weights"));
    form.time = "0:45:00";
    RoutineEditor editor(*doc, &form.Routine());
    Type(editor, {"Bench Press", "3", "100", "10"});
    Type(editor, {"Squats", "4", "", "12"});
    form.SetRoutine(editor.Result());  // OK
    form.Enter();
    EXPECT_TRUE(form.Routine().empty());  // cleared for the next workout
    const RowId id = doc->EntryAt(0)->entryId;
    // Storing it and editing it again: WeightsDlgTest, through the dialog. A duplicate too
    // takes the routine.
    form.LoadEntry(id, true);
    EXPECT_EQ(form.Routine(), editor.Result());
    form.LoadEntry(id, false);
    // Another sport: the rows are the athlete's and stay with the workout.
    form.ChooseSport(sport("Running"));
    EXPECT_FALSE(form.WeightsMode());
    form.Enter();
    EXPECT_EQ(doc->RoutineOf(id), editor.Result());
}

}  // namespace
}  // namespace kivrun
