#include <gtest/gtest.h>

#include "store/LogDatabase.h"
#include "support/DocFixture.h"
#include "weights/ExerciseListEditor.h"

namespace kivrun {
namespace {

using test::DocFixture;

class ExerciseListEditorTest : public DocFixture {
  protected:
    int RowOf(const ExerciseListEditor& e, const std::string& name) {
        for (size_t i = 0; i < e.Exercises().size(); ++i)
            if (e.Exercises()[i].name == name) return static_cast<int>(i);
        return -1;
    }
    static bool Lists(const std::vector<BodyPartRow>& parts, const std::string& name) {
        for (const BodyPartRow& p : parts)
            if (p.name == name) return true;
        return false;
    }
};

TEST_F(ExerciseListEditorTest, AddingUnderANewBodyPartMakesAndListsIt) {
    ExerciseListEditor editor(*doc);
    editor.EditBodyPart("  Grip's ");
    EXPECT_FALSE(editor.RemoveBodyPartEnabled());  // no such body part yet
    editor.exerciseText = " Farmer's Walk\t";
    EXPECT_EQ(editor.Add(), ExerciseListEditor::Focus::Name);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(Lists(editor.BodyParts(), "Grip's"));
    ASSERT_GE(editor.Selected(), 0);
    const ExerciseRow& added = editor.Exercises()[size_t(editor.Selected())];
    EXPECT_EQ(added.bodyPartName, "Grip's");
    EXPECT_EQ(added.name, "Farmer's Walk");
    EXPECT_EQ(editor.exerciseText, "");
    EXPECT_EQ(view.hints.back().kind, Notice::ExercisesChanged);

    // An existing body part is found whatever its case; it gets no twin.
    editor.EditBodyPart("grip'S");
    editor.exerciseText = "Wrist Roller";
    editor.Add();
    EXPECT_EQ(editor.Exercises()[size_t(RowOf(editor, "Wrist Roller"))].bodyPartName, "Grip's");
    EXPECT_EQ(editor.BodyParts().size(), 8u);
}

TEST_F(ExerciseListEditorTest, AddRefusesEmptyTextsAndNamesTheListHas) {
    struct Case {
        const char* bodyPart;
        const char* name;
        const char* message;
        ExerciseListEditor::Focus focus;
    } cases[] = {
        {"   ", "Dips", "Please select a body part for this exercise!!",
         ExerciseListEditor::Focus::BodyPart},
        {"Chest", " ", "Please enter a name for this exercise!!", ExerciseListEditor::Focus::Name},
        // Squats are a Legs exercise: no second one under another body part.
        {"Back", " squats ",
         "Exercise already exists!!  Please specify a different name for this exercise.",
         ExerciseListEditor::Focus::Name},
    };
    const size_t before = doc->ExerciseList().size();
    for (const Case& c : cases) {
        ui.messages.clear();
        ExerciseListEditor editor(*doc);
        editor.EditBodyPart(c.bodyPart);
        editor.exerciseText = c.name;
        EXPECT_EQ(editor.Add(), c.focus) << c.name;
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.name;
    }
    EXPECT_EQ(doc->ExerciseList().size(), before);
    // The log refuses a duplicate by itself too, whoever writes it.
    EXPECT_THROW(doc->Database().sql().Exec(
                     "INSERT INTO Exercises (BodyPartID, ExerciseName) VALUES (1, 'SQUATS ')"),
                 DbError);
}

TEST_F(ExerciseListEditorTest, AUsedBodyPartStays) {
    ExerciseListEditor editor(*doc);
    editor.EditBodyPart("Abdominals");
    EXPECT_FALSE(editor.RemoveBodyPartEnabled());
    editor.RemoveBodyPart();
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{
                  "Some exercises use this body part!!\n\nUnable to remove body part!!"});
    EXPECT_TRUE(Lists(doc->BodyParts(), "Abdominals"));

    // Crunches are its only exercise: once they go, so may it.
    editor.SelectRow(RowOf(editor, "Crunches"));
    editor.FocusEntryBoxes();
    EXPECT_TRUE(editor.AddEnabled());
    EXPECT_FALSE(editor.RemoveEnabled());
    editor.FocusList();
    EXPECT_TRUE(editor.RemoveEnabled());
    EXPECT_FALSE(editor.AddEnabled());
    ui.answers = {false, true};
    editor.Remove();
    EXPECT_EQ(ui.questions.back(), "Are you sure you want to remove the selected exercise??");
    EXPECT_GE(RowOf(editor, "Crunches"), 0);
    editor.Remove();
    EXPECT_EQ(RowOf(editor, "Crunches"), -1);
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_EQ(editor.Remove(), ExerciseListEditor::Focus::List);
    EXPECT_EQ(ui.messages.back(), "Please select the exercise you want to remove!!");

    editor.EditBodyPart(" abdominals ");
    EXPECT_TRUE(editor.RemoveBodyPartEnabled());
    editor.RemoveBodyPart();
    EXPECT_FALSE(Lists(editor.BodyParts(), "Abdominals"));
    EXPECT_EQ(editor.bodyPartText, "");
}

TEST_F(ExerciseListEditorTest, ALogThatCameWithDuplicatesOpensWithThemAll) {
    doc->OnCloseDocument();
    {
        SqliteDb earlier(path, false);
        earlier.Exec("DROP INDEX \"kivrun_Exercises_ExerciseName\"");
        earlier.Exec("INSERT INTO Exercises (BodyPartID, ExerciseName) VALUES (2, 'Squats')");
    }
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(Rows("SELECT count(*) FROM Exercises WHERE ExerciseName = 'Squats'"), "2");
    // Without the index the document still keeps a third from coming.
    EXPECT_EQ(doc->AddExercise("Legs", "Squats", nullptr), 0);

    // Once the names differ again, the next opening builds the index.
    doc->Database().sql().Exec(
        "DELETE FROM Exercises WHERE ExerciseName = 'Squats' AND BodyPartID = 2");
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(Rows("SELECT count(*) FROM sqlite_master WHERE name = "
                   "'kivrun_Exercises_ExerciseName'"),
              "1");
}

}  // namespace
}  // namespace kivrun
