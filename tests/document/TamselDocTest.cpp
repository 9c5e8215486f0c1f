#include "document/TamselDoc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <tuple>

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "store/LogLock.h"
#include "store/PreferencesSet.h"
#include "store/SportsSet.h"
#include "store/TrainingTypesSet.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::DocFixture;
using test::Entry;
using test::ExpectWeekBands;

using TamselDocTest = DocFixture;

TEST_F(TamselDocTest, EntriesKeepTheirFieldsAndRoutine) {
    WorkingEntry e = Entry(1, 5, 2003, "W", 2700, "R");
    e.route = "Gym \"North\", O'Hare";
    e.notes = "line one\r\nline two";
    e.optionalOne = 142;
    e.routine = {{"Squats", 3, {100, 110, 120, 0}, {10, 8, 6, 0}}, {"Crunches", 1, {}, {50}}};
    const long id = doc->AddEntry(e, nullptr);
    WorkingEntry back;
    ASSERT_TRUE(doc->LoadEntry(id, back));
    EXPECT_EQ(std::tuple(back.date, back.route, back.notes, back.time.TotalSeconds(),
                         back.optionalOne, back.routine),
              std::tuple(e.date, e.route, e.notes, 2700.0, 142.0, e.routine));
    // A change that keeps the day rewrites the routine in place.
    e.routine.pop_back();
    EXPECT_EQ(doc->UpdateEntry(id, e, nullptr), id);
    EXPECT_EQ(doc->RoutineOf(id), e.routine);
    EXPECT_EQ(view.hints.back().kind, Notice::EntryChanged);
}

TEST_F(TamselDocTest, DeletingAsksFirstAndNoChangesNothing) {
    const long id = doc->AddEntry(Entry(3, 4, 2025), nullptr);
    view.hints.clear();
    ui.answers = {false};
    EXPECT_FALSE(doc->DeleteEntry(id, nullptr, true));
    EXPECT_EQ(ui.questions.back(), "Are you sure you want to delete this entry?");
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_TRUE(view.hints.empty());
    ui.answers = {true};
    EXPECT_TRUE(doc->DeleteEntry(id, nullptr, true));
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_FALSE(doc->DeleteEntry(id, nullptr, false));  // gone already
}

TEST_F(TamselDocTest, WeekShadingStaysRightThroughAddsChangesDeletesUndoAndRedo) {
    for (bool descending : {true, false}) {
        if (doc->DateSortDescending() != descending) doc->ToggleDateSort();
        for (int weekStart : {1, 0}) {
            // As the log list does on a new week start or a new order.
            ProgramState::Instance().SetWeekStartDay(weekStart);
            doc->ComputeBackgroundBands();
            std::mt19937 rng(7 + weekStart);
            for (int step = 0; step < 150; ++step) {
                const int op = static_cast<int>(rng() % 12);
                const CDate day = CDate(12, 20, 2024).AddDays(static_cast<int>(rng() % 40));
                WorkingEntry e = Entry(day.Month(), day.Day(), day.Year());
                const long count = doc->EntryCount();
                const RowId some =
                    count ? doc->EntryAt(static_cast<long>(rng()) % count)->entryId : 0;
                if (op < 5 || count == 0) {
                    ASSERT_GT(doc->AddEntry(e, nullptr), 0);
                } else if (op < 7) {
                    ASSERT_GT(doc->UpdateEntry(some, e, nullptr), 0);
                } else if (op < 8) {
                    ASSERT_TRUE(doc->DeleteEntry(some, nullptr, false));
                } else if (op < 9) {
                    ASSERT_GT(doc->DeleteEntries({some, doc->EntryAt(0)->entryId}, nullptr), 0);
                } else if (op < 11) {
                    doc->Undo();
                } else {
                    doc->Redo();
                }
                ExpectWeekBands(*doc);
                if (HasFatalFailure()) return;
            }
            doc->ComputeBackgroundBands();
            ExpectWeekBands(*doc);
        }
    }
}

TEST_F(TamselDocTest, DeletingTheOnlyEntryOfAWeekBetweenLikeWeeksReshadesTheRest) {
    doc->AddEntry(Entry(1, 6, 2025), nullptr);                  // Monday, week A
    doc->AddEntry(Entry(1, 14, 2025), nullptr);                 // week B
    const long c = doc->AddEntry(Entry(1, 22, 2025), nullptr);  // week C
    doc->AddEntry(Entry(1, 29, 2025), nullptr);                 // week D
    view.hints.clear();
    ASSERT_TRUE(doc->DeleteEntry(2, nullptr, false));  // week B's
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_TRUE(view.hints[0].laterRowsReshaded);
    EXPECT_EQ(view.hints[0].position, 2);  // newest first: D, C, B, A
    ExpectWeekBands(*doc);
    ASSERT_TRUE(doc->DeleteEntry(c, nullptr, false));  // now at the top's neighbour
    ExpectWeekBands(*doc);
}

TEST_F(TamselDocTest, MovingAnEntryToAnotherDayGivesItANewIdWithItsSplitTimes) {
    const long a = doc->AddEntry(Entry(1, 6, 2025), nullptr);
    doc->AddEntry(Entry(2, 6, 2025), nullptr);
    doc->Database().sql().Exec("INSERT INTO \"Log Entry Details Split Times\" VALUES (" +
                               std::to_string(a) + ", 1, '7:02')");
    view.hints.clear();
    const long moved = doc->UpdateEntry(a, Entry(4, 1, 2025), nullptr);
    EXPECT_NE(moved, a);
    ASSERT_TRUE(doc->Entry(moved));
    EXPECT_EQ(doc->Entry(moved)->splits, (std::vector<SplitTime>{{1, "7:02"}}));
}

TEST_F(TamselDocTest, AnEntryHiddenByTheFilterTurnsShowAllOnAndTheOthersAreTold) {
    FilterState bikes;
    bikes.showAll = false;
    bikes.sports.fill(false);
    bikes.sports['B' - 'A'] = true;
    doc->ApplyFilter(bikes);
    view.hints.clear();
    // Which notice each write sends, and its undo, is UndoTest's; here, whom it goes to.
    test::RecordingView sender;
    doc->AddView(&sender);
    const long id = doc->AddEntry(Entry(5, 1, 2025, "R"), &sender);
    EXPECT_TRUE(doc->Filter().showAll);
    EXPECT_EQ(view.kinds(), (std::vector<int>{5, 0}));
    EXPECT_EQ(view.hints[1].id, id);
    EXPECT_EQ(sender.kinds(), std::vector<int>{5});  // told of the filter, not of its own add
    WorkingEntry e;
    EXPECT_TRUE(doc->LoadEntry(id, e));
}

TEST_F(TamselDocTest, ReopeningRestoresWeekStartAndRepairsEarlierBuilds) {
    doc->PreferencesSet().SetWeekStartDay(3);
    doc->Database().sql().Exec(
        "UPDATE Sports SET Image = 99 WHERE SptAbbrev = 'R'; DELETE FROM \"Training Types\";"
        "INSERT INTO \"Training Types\" (TypeAbbrev, TypeName, ColorCode, \"Order\") VALUES "
        "('T','Training','1,1,1',7), ('I','Int','',8), ('R','Race','0,0,210',9)");
    doc->OnCloseDocument();
    ProgramState::Instance().Reset();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 3);
    CSportsSet& sports = doc->SportsSet();
    ASSERT_TRUE(sports.FindFirst("SptAbbrev = 'R'"));
    EXPECT_EQ(sports.Image, 2);
    CTrainingTypesSet& classes = doc->TrainingTypesSet();
    std::string seen;
    for (classes.MoveFirst(); !classes.IsEOF(); classes.MoveNext())
        seen += classes.TypeAbbrev.get() + classes.TypeName.get() + "(" + classes.ColorCode.get() +
                ") ";
    EXPECT_EQ(seen,
              "GGeneral(0,0,0) CClimbing(0,0,0) IIntervals(0,0,0) ERecovery(0,0,0) "
              "SSprints(0,0,0) TTempo(0,0,0) RRace(200,0,0) ");
    // A second open leaves classes whose first order is 0 alone.
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(doc->TrainingTypesSet().GetRecordCount(), 7);
}

// The desktop program claims its log: a second instance is told who has it, and opens it
// read-only (writing nothing, not even when it closes) or not at all.
TEST_F(TamselDocTest, ASecondInstanceIsToldWhoHasTheLog) {
    doc->AddEntry(Entry(1, 2, 2025), nullptr);
    doc->OnCloseDocument();
    doc->SetClaimsLog(true);
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_TRUE(std::filesystem::exists(LogLock::PathFor(path)));
    test::ScriptedUi otherUi;
    CTamselDoc other(otherUi);
    other.SetClaimsLog(true);
    other.SetBackupFolder(dir.File("Backup Logs"));
    otherUi.answers = {false, true};
    EXPECT_FALSE(other.OnOpenDocument(path));
    EXPECT_EQ(otherUi.questions.at(0),
              "The training log \"" + path + "\" is open in Kivrun on " + LogLock::ThisHost() +
                  " (process " + std::to_string(::getpid()) +
                  ").\n\nOpen it read-only? Nothing you do will be saved in it.");
    const std::string bytes = test::ReadBytes(path);
    ASSERT_TRUE(other.OnOpenDocument(path)) << ::testing::PrintToString(otherUi.messages);
    EXPECT_TRUE(other.IsReadOnly());  // what that refuses is ReadModelTest's
    EXPECT_EQ(other.EntryCount(), 1);
    other.OnCloseDocument();
    EXPECT_EQ(test::ReadBytes(path), bytes);
    // The first instance goes on as before; closing ends its claim.
    EXPECT_NE(doc->AddEntry(Entry(1, 4, 2025), nullptr), 0);
    doc->OnCloseDocument();
    EXPECT_FALSE(std::filesystem::exists(LogLock::PathFor(path)));
    // A claim whose program is gone is taken over without a word.
    std::ofstream(LogLock::PathFor(path)) << "host=" << LogLock::ThisHost() << "\npid=999999999\n";
    otherUi.questions.clear();
    ASSERT_TRUE(other.OnOpenDocument(path));
    EXPECT_FALSE(other.IsReadOnly());
    EXPECT_TRUE(otherUi.questions.empty());
}

// The file dialog has asked whether to replace it; New then makes a whole log there.
TEST_F(TamselDocTest, NewReplacesTheFileTheUserChose) {
    const std::string other = dir.File("other.tlg");
    std::ofstream(other) << "an old file the user chose to replace";
    CTamselDoc fresh(ui);
    ui.saveFiles = {other};
    ASSERT_TRUE(fresh.OnNewDocument());
    EXPECT_EQ(fresh.TrainingTypesSet().GetRecordCount(), 7);
}

// An empty file is made a log only when the user says so; read-only, it is refused.
TEST_F(TamselDocTest, AnEmptyFileBecomesALogWhenTheUserSaysSo) {
    const std::string empty = dir.File("empty.tlg");
    std::ofstream{empty};
    const std::string question = "This file is empty. Make it a new training log?";
    for (const bool yes : {false, true}) {
        ui.questions.clear();
        ui.answers = {yes};
        CTamselDoc fresh(ui);
        EXPECT_EQ(fresh.OnOpenDocument(empty), yes);
        EXPECT_EQ(ui.questions, std::vector{question});
        if (!yes) {
            EXPECT_EQ(std::filesystem::file_size(empty), 0u);
        }
    }
    CTamselDoc made(ui);
    ASSERT_TRUE(made.OnOpenDocument(empty));
    EXPECT_EQ(made.TrainingTypesSet().GetRecordCount(), 7);
    EXPECT_EQ(ui.preferencesShown, 1);  // as after File New, the sports are set up first

    std::ofstream{dir.File("empty2.tlg")};
    ui.messages.clear();
    ui.questions.clear();
    CTamselDoc reader(ui);
    EXPECT_FALSE(reader.OnOpenDocument(dir.File("empty2.tlg"), CTamselDoc::OpenMode::ReadOnly));
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Couldn't open database--Exception: '" +
                                       dir.File("empty2.tlg") + "' is empty, not a training log."});
}

// Another program writes the open log: between its operations (after a reopen and a read
// too) the log holds no lock, and the document notices the change at its next look and tells
// the views; a workout that program removed is said to be gone when it is edited or deleted.
TEST_F(TamselDocTest, ChangesAnotherProgramMadeAreShown) {
    const RowId kept = doc->AddEntry(Entry(1, 2, 2025), nullptr);
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    const RowId gone = doc->AddEntry(Entry(1, 3, 2025), nullptr);
    EXPECT_FALSE(doc->RefreshIfChangedElsewhere());
    WorkingEntry entry;
    doc->LoadEntry(gone, entry);
    SqliteDb other(path, false);
    sqlite3_busy_timeout(other.handle(), 0);
    EXPECT_NO_THROW(
        other.Exec("INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) VALUES "
                   "(45700, 'R', 'G', 600)"));
    view.hints.clear();
    EXPECT_TRUE(doc->RefreshIfChangedElsewhere());
    EXPECT_EQ(doc->EntryCount(), 3);
    EXPECT_NE(std::find(view.kinds().begin(), view.kinds().end(), 5), view.kinds().end());
    ExpectWeekBands(*doc);
    EXPECT_FALSE(doc->RefreshIfChangedElsewhere());

    other.Exec("DELETE FROM \"Log Entry\" WHERE EntryID = " + std::to_string(gone));
    EXPECT_FALSE(doc->DeleteEntry(gone, nullptr, false));
    EXPECT_EQ(doc->UpdateEntry(gone, Entry(1, 4, 2025), nullptr), 0);
    EXPECT_EQ(ui.messages, std::vector<std::string>(2,
                                                    "This workout is no longer in the log: "
                                                    "another program has removed it."));
    EXPECT_EQ(doc->EntryCount(), 2);  // the list no longer shows it
    EXPECT_GT(doc->UpdateEntry(kept, Entry(1, 5, 2025), nullptr), 0);
}

}  // namespace
}  // namespace kivrun
