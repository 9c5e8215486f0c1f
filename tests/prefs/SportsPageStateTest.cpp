#include <gtest/gtest.h>

#include "prefs/SportsPageState.h"
#include "store/EventsSet.h"
#include "store/PreferencesSet.h"
#include "store/SportsSet.h"
#include "support/DocFixture.h"

namespace kivrun::prefs {
namespace {

// The fixture's log lists Running (R), Road (B) and Weights (W). Running has a workout and
// Road a planned event; Weights is unused.
class SportsPageTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        ASSERT_GT(doc->AddEntry(test::Entry(3, 2, 2026, "R"), nullptr), 0);
        CEventsSet& events = doc->EventsSet();
        events.AddNew();
        events.SptAbbrev = std::string("B");
        events.Date = 46100.0;
        events.EventName = std::string("Gran fondo");
        events.Update();
        state.Load(*doc);
        view.hints.clear();
    }

    std::string SportRows() {
        return Rows(
            "SELECT SptAbbrev, SptName, DistanceID, PaceID, Image, \"Order\" FROM Sports ORDER BY "
            "\"Order\", rowid");
    }

    void Draft(const char* name, char letter, int distance, int pace) {
        state.SetName(name);
        state.ChooseLetter(letter);
        state.ChooseDistance(distance);
        state.ChoosePace(pace);
    }

    SportsPageState state;
};

TEST_F(SportsPageTest, LoadsTheSportsTheirLettersAndWhichAreInUse) {
    ASSERT_EQ(state.Lines().size(), 3u);
    EXPECT_EQ(LineText(state.Lines()[0]), "Running\tR\tmin/mile\tmiles\t2");
    EXPECT_EQ(state.Lines()[1].name, "Road");
    EXPECT_EQ(state.FreeLetters().size(), 23u);
    EXPECT_EQ(state.NameChoices(),
              (std::vector<std::string>{"MTB", "Indoor", "Rowing", "Skiing", "Swimming"}));
    EXPECT_FALSE(state.CanRemove(0));  // workouts
    EXPECT_FALSE(state.CanRemove(1));  // a planned event
    EXPECT_TRUE(state.CanRemove(2));
    EXPECT_FALSE(state.CanRemove(3));
    EXPECT_FALSE(state.Changed());
}

TEST_F(SportsPageTest, ABuiltInNameFillsTheOtherFields) {
    state.SetName("Swimming");
    EXPECT_EQ(state.Draft().letter, 'S');
    EXPECT_EQ(state.Draft().units, (UnitChoice{1, 2}));
    EXPECT_EQ(state.Draft().icon, 3);
    // Road's usual letter is taken by the listed Road: a new "Road" would get A. It is
    // listed, though, so it cannot be added.
    state.SetName("Road ");
    EXPECT_FALSE(state.CanAdd());
    EXPECT_EQ(state.Add(), AddResult::AlreadyListed);
    state.SetName("running");  // names differing only in case are the same sport
    EXPECT_EQ(state.Add(), AddResult::AlreadyListed);
    // A name of the user's own leaves what was chosen.
    state.SetName("Swimming");
    state.SetName("Swimming drills");
    EXPECT_EQ(state.Draft().letter, 'S');
    EXPECT_TRUE(state.CanAdd());
}

TEST_F(SportsPageTest, AddAsksForWhatIsMissingInOrder) {
    EXPECT_EQ(state.Add(), AddResult::NoName);
    EXPECT_EQ(AddMessage(AddResult::NoName), nullptr);
    state.SetName("Yoga");
    EXPECT_EQ(state.Draft().letter, 'Y');  // proposed: the first free letter of the name
    state.ChooseLetter('R');               // taken: not accepted
    EXPECT_EQ(state.Add(), AddResult::NeedLetter);
    EXPECT_STREQ(AddMessage(AddResult::NeedLetter),
                 "Please select the desired abbreviation to use for the new sport !!");
    state.ChooseLetter('Y');
    EXPECT_EQ(state.Add(), AddResult::NeedDistance);
    EXPECT_STREQ(AddMessage(AddResult::NeedDistance),
                 "Please select the desired distance units to use for the new sport !!");
    state.ChooseDistance(-1);
    EXPECT_EQ(state.Add(), AddResult::NeedDistance);
    // Units and pace fill each other, so a missing pace is only met with units cleared.
    EXPECT_STREQ(AddMessage(AddResult::NeedPace),
                 "Please select the desired pace to use for the new sport !!");
    state.ChoosePace(6);
    EXPECT_EQ(state.Add(), AddResult::Added);
    EXPECT_EQ(LineText(state.Lines().back()), "Yoga\tY\tN/A\tN/A\t12");
    // The group is ready for the next sport.
    EXPECT_EQ(state.Draft().name, "");
    EXPECT_EQ(state.Draft().letter, 0);
    EXPECT_EQ(state.Draft().units, (UnitChoice{-1, -1}));
    EXPECT_EQ(state.Draft().icon, kNewSportIcon);
    EXPECT_TRUE(state.Changed());
    EXPECT_EQ(state.FreeLetters().size(), 22u);
}

TEST_F(SportsPageTest, TheTwentySeventhSportIsRefused) {
    for (char c = 'A'; state.Lines().size() < 26; ++c) {
        if (c == 'R' || c == 'B' || c == 'W') continue;
        Draft((std::string("Sport ") + c).c_str(), c, 2, 3);
        ASSERT_EQ(state.Add(), AddResult::Added) << c;
    }
    EXPECT_TRUE(state.FreeLetters().empty());
    state.SetName("Rowing");
    EXPECT_EQ(state.Draft().letter, 0);  // no letter left for it
    EXPECT_EQ(state.Add(), AddResult::TooMany);
    EXPECT_STREQ(AddMessage(AddResult::TooMany), "Maximum of 26 sports !!");
    EXPECT_EQ(state.Lines().size(), 26u);
}

// Re-added under another letter, the sport leaves no row under its old one.
TEST_F(SportsPageTest, RemovingGivesBackTheLetterAndABuiltInName) {
    EXPECT_FALSE(state.Remove(0));
    ASSERT_TRUE(state.Remove(2));
    EXPECT_EQ(state.Lines().size(), 2u);
    EXPECT_EQ(state.NameChoices().back(), "Weights");
    state.SetName("Weights");
    EXPECT_EQ(state.Draft().letter, 'W');
    Draft("Weights", 'X', 4, 6);
    ASSERT_EQ(state.Add(), AddResult::Added);
    ASSERT_TRUE(state.Apply(*doc));
    EXPECT_EQ(SportRows(), "R|Running|0|1|2|0;B|Road|2|3|0|1;X|Weights|4|6|5|2");
}

TEST_F(SportsPageTest, MovesLinesBothWays) {
    ASSERT_TRUE(state.Move(0, 2));
    EXPECT_EQ(state.Lines()[0].name, "Road");
    EXPECT_EQ(state.Lines()[2].name, "Running");
    ASSERT_TRUE(state.Move(2, 0));
    EXPECT_EQ(state.Lines()[0].name, "Running");
    EXPECT_FALSE(state.Move(0, 3));
    EXPECT_FALSE(state.Move(1, 1));
}

TEST_F(SportsPageTest, ApplyWritesTheListInItsOrderAndTellsTheViews) {
    doc->PreferencesSet().SetDefaultSport("Weights");
    state.SetName("Swimming");
    ASSERT_EQ(state.Add(), AddResult::Added);
    Draft("Nordic O'Ski \"classic\"", 'N', 2, 4);
    ASSERT_EQ(state.Add(), AddResult::Added);
    ASSERT_TRUE(state.Remove(2));  // Weights
    ASSERT_TRUE(state.Move(3, 0));

    ASSERT_TRUE(state.Apply(*doc));
    EXPECT_EQ(SportRows(),
              "N|Nordic O'Ski \"classic\"|2|4|12|0;R|Running|0|1|2|1;B|Road|2|3|0|2;"
              "S|Swimming|1|2|3|3");
    // The document reapplies the filter (5) before passing the sports change on (6).
    EXPECT_EQ(view.kinds(), (std::vector<int>{5, 6}));
    EXPECT_EQ(doc->SportsSet().GetRecordCount(), 4);         // the document's set was read again
    EXPECT_EQ(doc->PreferencesSet().GetDefaultSport(), "");  // Weights is gone
    EXPECT_FALSE(state.Changed());
    EXPECT_TRUE(ui.messages.empty());
    // The workout and the event of the kept sports are still there.
    EXPECT_EQ(Count("Log Entry"), 1);
}

TEST_F(SportsPageTest, ApplyNeverDeletesASportThatIsInUse) {
    // A list that lost Running without the page noticing its workouts.
    SportsPageState stale;
    stale.AddLoadedLine({"Road", "B", 2, 3, 0}, false);
    ASSERT_TRUE(stale.Apply(*doc));
    EXPECT_EQ(SportRows(), "R|Running|0|1|2|0;B|Road|2|3|0|0");
    EXPECT_EQ(Count("Log Entry"), 1);
}

TEST_F(SportsPageTest, AnEmptyListIsNotApplied) {
    SportsPageState empty;
    EXPECT_STREQ(empty.Validate(), "Please add at least one sport!!");
    EXPECT_FALSE(empty.Apply(*doc));
    EXPECT_EQ(SportRows(), "R|Running|0|1|2|0;B|Road|2|3|0|1;W|Weights|4|6|5|2");
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(state.Validate(), nullptr);
}

}  // namespace
}  // namespace kivrun::prefs
