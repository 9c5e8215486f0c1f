#include "entries/DataEntryForm.h"

#include <gtest/gtest.h>

#include "entries/TimeChecks.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"
#include "values/Units.h"

namespace kivrun {
namespace {

using Focus = DataEntryForm::Focus;

class DataEntryFormTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        doc->Database().sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
            "VALUES ('S','Swimming',3,5,3,3);"
            "INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES "
            "('R','G','Hill loop'), ('R','G','Canal path'), ('R','R','City Half'), "
            "('B','G','Coast road')");
        doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
        model = std::make_unique<DataEntryForm>(*doc, nullptr);
        model->InitialUpdate();
    }
    int SportIndex(const std::string& name) {
        for (size_t i = 0; i < form().Sports().size(); ++i)
            if (form().Sports()[i].name == name) return static_cast<int>(i);
        return -1;
    }
    int ClassIndex(const std::string& abbrev) {
        for (size_t i = 0; i < form().Classes().size(); ++i)
            if (form().Classes()[i].abbrev == abbrev) return static_cast<int>(i);
        return -1;
    }
    WorkingEntry Stored(long id) {
        WorkingEntry e;
        EXPECT_TRUE(doc->LoadEntry(id, e));
        return e;
    }
    long LastId() {
        long id = 0;
        for (long p = 0; p < doc->EntryCount(); ++p)
            id = std::max<long>(id, doc->EntryAt(p)->entryId);
        return id;
    }

    DataEntryForm& form() { return *model; }
    std::unique_ptr<DataEntryForm> model;
};

TEST_F(DataEntryFormTest, TimeDistanceAndPaceDeriveEachOther) {
    struct Case {
        const char* sport;
        double distance;
        const char* time;  // typed, then the box is left
        const char* pace;  // typed, then the box is left (when no time)
        const char* shownTime;
        const char* shownPace;
    } cases[] = {
        {"Running", 10, "1:15:00", "", "1:15:00", "7:30"},
        {"Running", 10, "1.25", "", "1:15:00", "7:30"},
        {"Running", 5, "", "7.5", "0:37:30", "7:30"},
        {"Running", 5, "", "7:30", "0:37:30", "7:30"},
        {"Road", 40, "1:30:00", "", "1:30:00", "26.7"},
        {"Road", 40, "", "25", "1:36:00", "25"},
        {"Swimming", 1500, "0:30:00", "", "0:30:00", "2:00"},
    };
    for (const Case& c : cases) {
        form().Clear();
        form().ChooseSport(SportIndex(c.sport));
        form().time = c.time;
        EXPECT_EQ(form().LeaveTime(), Focus::None);
        form().pace = c.pace;
        form().LeaveDistance(c.distance);
        if (*c.pace) form().LeavePace();
        EXPECT_EQ(form().time, c.shownTime) << c.sport << " " << c.time << c.pace;
        EXPECT_EQ(form().pace, c.shownPace) << c.sport << " " << c.time << c.pace;
    }
}

TEST_F(DataEntryFormTest, EnterChecksAndStoresAsTheLogStoresIt) {
    EXPECT_EQ(form().Enter(), Focus::Sport);
    EXPECT_EQ(ui.messages.back(), "Please specify a sport !!");
    form().ChooseSport(SportIndex("Running"));
    EXPECT_EQ(form().Enter(), Focus::Time);
    EXPECT_EQ(ui.messages.back(), "Please enter your elapsed time !!");
    form().time = "0:00";
    EXPECT_EQ(form().LeaveTime(), Focus::Time);
    EXPECT_EQ(ui.messages.back(),
              "Time is not valid !! \nMust be in the form: H:MM:SS or a decimal !");
    EXPECT_EQ(form().time, "0:00");  // kept for the user to mend

    form().date = CDate(1, 6, 2003);
    form().time = "1:15:00";
    form().LeaveDistance(10);
    form().route = "Hill loop";
    form().optionalOne = 150;
    EXPECT_EQ(form().Enter(), Focus::None);
    const WorkingEntry e = Stored(LastId());
    EXPECT_EQ(e.pace, 450);  // seconds per mile, from the text 7:30
    EXPECT_EQ(e.time.TotalSeconds(), 4500);
    EXPECT_EQ(e.route, "Hill loop");
    EXPECT_EQ(form().time, "");  // cleared, the date kept for the next workout
    EXPECT_EQ(form().date, CDate(1, 6, 2003));

    form().ChooseSport(SportIndex("Weights"));
    EXPECT_TRUE(form().WeightsMode());
    EXPECT_FALSE(form().DistanceEnabled());
    form().distance = 12;
    form().time = "0:45";
    form().Enter();
    EXPECT_EQ(Stored(LastId()).distance, 0);

    // A log that refuses the row: the user is told why and keeps what was typed.
    doc->Database().sql().Exec(
        "CREATE TRIGGER refuse BEFORE INSERT ON \"Log Entry\" BEGIN SELECT RAISE(ABORT, 'disk "
        "quota exceeded'); END");
    const long before = doc->EntryCount();
    form().ChooseSport(SportIndex("Running"));
    form().time = "0:50";
    form().notes = "bench day";
    EXPECT_EQ(form().Enter(), Focus::Unsaved);
    EXPECT_EQ(ui.messages.back(), "Couldn't add the entry--Exception: disk quota exceeded");
    EXPECT_EQ(form().time, "0:50");
    EXPECT_EQ(form().notes, "bench day");
    EXPECT_EQ(doc->EntryCount(), before);
}

TEST_F(DataEntryFormTest, RoutesFollowSportAndClassGroupAndComplete) {
    form().ChooseSport(SportIndex("Running"));
    EXPECT_EQ(form().Routes(), (std::vector<std::string>{"Canal path", "Hill loop"}));
    form().ChooseClass(ClassIndex("R"));
    EXPECT_EQ(form().Routes(), (std::vector<std::string>{"City Half"}));
    form().ChooseClass(ClassIndex("T"));
    EXPECT_EQ(form().Routes().size(), 2u);

    EXPECT_EQ(form().EditRoute("h"), (std::pair<int, int>{1, 9}));
    EXPECT_EQ(form().route, "Hill loop");
    EXPECT_EQ(form().RouteButtonText(), "&Remove");
    EXPECT_EQ(form().EditRoute("h"), (std::pair<int, int>{1, 1}));  // deleting never completes
    EXPECT_EQ(form().route, "h");

    form().EditRoute("O'Brien's mile");
    ASSERT_TRUE(form().RouteButtonEnabled());
    EXPECT_EQ(form().RouteButtonText(), "&Add");
    form().PressRouteButton();
    EXPECT_EQ(form().Routes().size(), 3u);
    form().ChooseRoute("O'Brien's mile");
    ui.answers = {true};
    EXPECT_EQ(form().PressRouteButton(), Focus::Route);
    EXPECT_EQ(ui.questions.back(), "Are you sure you want to delete the selected route?");
    EXPECT_EQ(form().Routes().size(), 2u);
    EXPECT_EQ(form().route, "");
}

TEST_F(DataEntryFormTest, EditingDuplicatingAndResetting) {
    WorkingEntry run = test::Entry(1, 6, 2003, "R", 4500);
    run.distance = 10;
    run.pace = 450;
    const long id = doc->AddEntry(run, nullptr);
    auto selected = [&] { return doc->CurrentEntry(); };

    form().LoadEntry(id, true);
    EXPECT_FALSE(form().Editing());
    EXPECT_EQ(form().date, CDate());  // a duplicate is a new workout today
    EXPECT_EQ(form().pace, "7:30");
    EXPECT_EQ(selected(), 0);

    form().LoadEntry(id, false);
    EXPECT_TRUE(form().Editing());
    EXPECT_EQ(form().Title(), "Edit Entry");
    EXPECT_EQ(form().EnterText(), "Edit");
    EXPECT_EQ(selected(), id);
    EXPECT_EQ(form().time, "1:15:00");
    // Saving an edit that cannot be stored keeps it, and says which box to fix.
    form().time.clear();
    ui.answers = {true};
    EXPECT_EQ(form().Reset(), Focus::Time);
    EXPECT_EQ(ui.messages.back(), "Please enter your elapsed time !!");
    EXPECT_TRUE(form().Editing());
    form().time = "1:15:00";
    form().notes = "edited";
    ui.answers = {true};
    EXPECT_EQ(form().Reset(), Focus::None);  // "Save changes to this entry ?" Yes
    EXPECT_EQ(ui.questions.back(), "Save changes to this entry ?");
    EXPECT_EQ(Stored(id).notes, "edited");
    EXPECT_FALSE(form().Editing());

    form().LoadEntry(id, false);
    ui.answers = {true};
    form().Delete();
    EXPECT_FALSE(form().Editing());
    EXPECT_EQ(doc->EntryCount(), 0);
}

TEST_F(DataEntryFormTest, TodaysEventBecomesAnEntryWhenTheUserAgrees) {
    doc->Database().sql().Exec(
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES ('R', " +
        std::to_string(CDate().ToSerial()) + ", 'Harbour 10k')");
    DataEntryForm fresh(*doc, nullptr);
    ui.answers = {true};
    EXPECT_EQ(fresh.InitialUpdate(), Focus::Distance);  // a race: its distance comes next
    EXPECT_EQ(ui.questions.back(),
              "There is an event scheduled for today!!\nWould you like to convert the event to "
              "an entry???");
    EXPECT_EQ(fresh.route, "Harbour 10k");
    EXPECT_EQ(fresh.Sports()[size_t(fresh.sport)].name, "Running");
    EXPECT_EQ(fresh.Classes()[size_t(fresh.cls)].abbrev, "R");
    // The event stays until the workout is entered; then one Undo brings it back.
    EXPECT_EQ(doc->Database().RowCount("Calendar Events"), 1);
    fresh.time = "0:45:00";
    EXPECT_EQ(fresh.Enter(), Focus::None);
    EXPECT_EQ(doc->Database().RowCount("Calendar Events"), 0);
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_EQ(UndoItemText(doc->History()), "&Undo Log Event as Workout\tCtrl+Z");
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Database().RowCount("Calendar Events"), 1);
    EXPECT_EQ(doc->EntryCount(), 0);
}

TEST_F(DataEntryFormTest, TheDefaultSportIsChosenWithItsUnits) {
    doc->PreferencesSet().SetDefaultSport("Road");
    form().Clear();
    ASSERT_GE(form().sport, 0);
    EXPECT_EQ(form().Sports()[size_t(form().sport)].name, "Road");
    EXPECT_EQ(form().DistanceUnitLabel(), "km");
    EXPECT_EQ(form().PaceUnitLabel(), "kph");
}

// Workouts as athletes type them: world-class, slow and plain slips ("45" is 45 hours), in
// every pace unit.
TEST(TimeChecks, PacesOutsideWhatPeopleDoAreImplausible) {
    using namespace pace_unit;
    namespace d = distance_unit;
    struct Case {
        int pace;
        int unit;
        double distance;
        const char* time;
        bool plausible;
    } cases[] = {
        {kMinutesPerMile, d::kMiles, 26.2, "2:01:09", true},   // a marathon record
        {kMinutesPerMile, d::kMiles, 26.2, "45", false},       // meant 45 minutes?
        {kMinutesPerMile, d::kMiles, 3, "1:30", true},         // a walk
        {kMinutesPerMile, d::kMiles, 0.062, "0:00:10", true},  // 100 m sprint
        {kMilesPerHour, d::kMiles, 100, "4:00", true},
        {kMilesPerHour, d::kMiles, 60, "0:30", false},
        {kMilesPerHour, d::kMiles, 1, "45", false},
        {kMinutesPer100Yards, d::kYards, 1650, "0:15:00", true},
        {kMinutesPer100Yards, d::kYards, 1650, "15", false},
        {kKmPerHour, d::kKm, 40, "45", false},
        {kKmPerHour, d::kKm, 40, "0:20:00", false},
        {kKmPerHour, d::kKm, 180, "4:30", true},
        {kMinutesPerKm, d::kKm, 10, "0:45", true},
        {kMinutesPerKm, d::kKm, 10, "45", false},
        {kMinutesPerKm, d::kKm, 0.1, "0:00:08", false},
        {kMinutesPer100Meters, d::kMeters, 2000, "0:07:00", true},  // a rowing race
        {kMinutesPer100Meters, d::kMeters, 1500, "0:30:00", true},
        {kMinutesPer100Meters, d::kMeters, 1500, "45", false},
        {kMinutesPer100Meters, d::kMeters, 100, "0:00:10", false},
        {kNone, d::kNone, 0, "45", true},  // no pace, nothing to judge by
    };
    for (const Case& c : cases) {
        const double seconds = CElapsedTime::FromUserText(c.time).TotalSeconds();
        const double pace = ComputePace(c.pace, seconds, c.distance, c.unit).value;
        EXPECT_EQ(IsPlausiblePace(c.pace, pace), c.plausible)
            << "unit " << c.pace << ": " << c.distance << " in " << c.time;
    }
}

TEST(TimeChecks, ATypedTimeIsShownAsItIsRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"45", "45 h 00 min"},
        {"1:08", "1 h 08 min"},
        {":45", "45 min"},
        {":07:30", "7 min 30 s"},
        {"1.5", "1 h 30 min"},
        {"0:00:05", "5 s"},
        {"1:08:05", "1 h 08 min 05 s"},
        {" ", ""},
        {"0:00", "not a time"},
        {"1:60", "not a time"},
    };
    for (const auto& [typed, read] : cases)
        EXPECT_EQ(TimeAsRead(typed), read) << typed;
    // Plural units ("45 hours"): AnImplausibleTimeIsAskedAboutAndNoGoesBackToIt.
    EXPECT_EQ(ImplausibleTimeQuestion(CElapsedTime::FromUserText("1:01:01")),
              "Time is 1:01:01 (1 hour 1 minute 1 second). Save it anyway?");
}

TEST_F(DataEntryFormTest, AnImplausibleTimeIsAskedAboutAndNoGoesBackToIt) {
    form().ChooseSport(SportIndex("Running"));
    form().LeaveDistance(10);
    form().time = "45";
    EXPECT_EQ(form().TimeRead(), "45 h 00 min");
    ui.answers = {false};
    EXPECT_EQ(form().Enter(), Focus::Time);
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{"Time is 45:00:00 (45 hours). Save it anyway?"});
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_EQ(form().time, "45");  // kept, to be mended
    ui.answers = {true};
    EXPECT_EQ(form().Enter(), Focus::None);
    EXPECT_EQ(Stored(LastId()).time.TotalSeconds(), 45 * 3600);
}

// A route a workout was kept with is offered the next time, in its sport and class group.
TEST_F(DataEntryFormTest, ARouteUsedInASavedWorkoutIsRemembered) {
    form().ChooseSport(SportIndex("Running"));
    form().time = "0:50:00";
    form().route = "River loop ";
    EXPECT_EQ(form().Enter(), Focus::None);
    form().ChooseSport(SportIndex("Running"));
    EXPECT_EQ(form().Routes(), (std::vector<std::string>{"Canal path", "Hill loop", "River loop"}));
    form().ChooseClass(ClassIndex("R"));
    EXPECT_EQ(form().Routes(), (std::vector<std::string>{"City Half"}));
    // Used again, it is not listed twice.
    form().ChooseClass(ClassIndex("G"));
    form().time = "0:52:00";
    form().route = "River loop";
    form().Enter();
    EXPECT_EQ(doc->Routes("R", "G").size(), 3u);
}

// A read-only copy asks nothing, neither about today's event nor on leaving.
TEST_F(DataEntryFormTest, AReadOnlyCopyAsksNothing) {
    doc->Database().sql().Exec(
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES ('R', " +
        std::to_string(CDate().ToSerial()) + ", 'Harbour 10k')");
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path, CTamselDoc::OpenMode::ReadOnly));
    ui.questions.clear();
    DataEntryForm copy(*doc, nullptr);
    EXPECT_EQ(copy.InitialUpdate(), Focus::None);
    copy.notes = "typed into a copy";
    EXPECT_FALSE(copy.SaveBeforeReset(true));
    EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace kivrun
