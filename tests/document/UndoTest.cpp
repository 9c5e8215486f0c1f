#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "document/TamselDoc.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::Entry;
using test::ExpectWeekBands;
using test::QueryRows;

// Every workout of the log with its EntryID, routine and split times: what Undo must give
// back. The week shading is left out; it may start from either band.
std::string LogRows(CTamselDoc& doc) {
    LogDatabase& db = doc.Database();
    return QueryRows(db,
                     "SELECT EntryID, Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
                     "Route, Notes, OptionalOne, OptionalTwo FROM \"Log Entry\" ORDER BY EntryID") +
           " / " +
           QueryRows(db,
                     "SELECT EntryID, Exercise, Sets, Weight1, Reps1 FROM \"Log Entry Details "
                     "Routine\" ORDER BY EntryID, rowid") +
           " / " +
           QueryRows(db,
                     "SELECT EntryID, Lap, Split FROM \"Log Entry Details Split Times\" ORDER BY "
                     "EntryID, Lap");
}

// Three workouts a month apart: the first with a routine, the second with split times.
class UndoTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        WorkingEntry weights = Entry(1, 6, 2025, "W", 2700);
        weights.routine = {{"Squats", 3, {100, 110, 120, 0}, {10, 8, 6, 0}}};
        a = doc->AddEntry(weights, nullptr);
        b = doc->AddEntry(Entry(2, 6, 2025), nullptr);
        c = doc->AddEntry(Entry(3, 6, 2025), nullptr);
        doc->Database().sql().Exec(
            "INSERT INTO \"Log Entry Details Split Times\" (EntryID, Lap, Split) VALUES (" +
            std::to_string(b) + ", 1, '7:02'), (" + std::to_string(b) + ", 2, '6:58')");
        view.hints.clear();
    }
    // The notices of what changed (the current entry following is checked on its own).
    std::vector<int> TakeNotices() {
        std::vector<int> kinds;
        for (int kind : view.kinds())
            if (kind != static_cast<int>(Notice::CurrentEntry)) kinds.push_back(kind);
        view.hints.clear();
        return kinds;
    }
    RowId a = 0, b = 0, c = 0;
};

TEST_F(UndoTest, EveryWorkoutActionIsUndoneAndRedoneWhole) {
    struct Case {
        const char* name;
        std::function<void()> act;
        std::vector<int> notices;  // of the action, and of its redo
        std::vector<int> undoNotices;
    };
    WorkingEntry changed = Entry(2, 6, 2025);
    changed.notes = "Windy";
    changed.distance = 6;
    const Case cases[] = {
        {"Add Entry", [&] { doc->AddEntry(Entry(4, 6, 2025), nullptr); }, {0}, {2}},
        {"Duplicate Entry",
         [&] { doc->AddEntry(Entry(12, 6, 2026), nullptr, undo_name::kDuplicateEntry); },
         {0},
         {2}},
        {"Change Entry", [&] { doc->UpdateEntry(b, changed, nullptr); }, {1}, {1}},
        // A new day that changes its place: a new EntryID; undo brings the old one back.
        {"Change Entry", [&] { doc->UpdateEntry(b, Entry(4, 1, 2025), nullptr); }, {2, 0}, {2, 0}},
        {"Change Entry", [&] { doc->UpdateEntry(b, Entry(2, 7, 2025), nullptr); }, {1}, {1}},
        {"Delete Entry", [&] { doc->DeleteEntry(b, nullptr, false); }, {2}, {0}},
        {"Delete Entries",
         [&] {
             doc->DeleteEntries({a, c}, nullptr);
         },
         {3},
         {3}},
        {"Delete Entry", [&] { doc->DeleteEntries({a}, nullptr); }, {3}, {3}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        const std::string before = LogRows(*doc);
        t.act();
        const std::string after = LogRows(*doc);
        ASSERT_NE(after, before);
        EXPECT_EQ(TakeNotices(), t.notices);
        EXPECT_EQ(UndoItemText(doc->History()), std::string("&Undo ") + t.name + "\tCtrl+Z");
        EXPECT_FALSE(doc->CanRedo());

        ASSERT_TRUE(doc->Undo());
        EXPECT_EQ(LogRows(*doc), before);
        EXPECT_EQ(TakeNotices(), t.undoNotices);
        ExpectWeekBands(*doc);
        EXPECT_EQ(RedoItemText(doc->History()), std::string("Red&o ") + t.name + "\tCtrl+Y");

        ASSERT_TRUE(doc->Redo());
        EXPECT_EQ(LogRows(*doc), after);
        EXPECT_EQ(TakeNotices(), t.notices);
        ExpectWeekBands(*doc);
        ASSERT_TRUE(doc->Undo());  // the next case starts from the three workouts
        EXPECT_EQ(LogRows(*doc), before);
        view.hints.clear();
    }
}

TEST_F(UndoTest, UndoTellsTheViewsWhatItChanged) {
    ASSERT_TRUE(doc->DeleteEntry(b, nullptr, false));
    view.hints.clear();
    ASSERT_TRUE(doc->Undo());
    ASSERT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[0].kind, Notice::EntryAdded);
    EXPECT_EQ(view.hints[0].id, b);  // it keeps its EntryID
    EXPECT_EQ(view.hints[0].position, doc->PositionOfEntry(b));
    EXPECT_EQ(view.hints[1].kind, Notice::CurrentEntry);
    EXPECT_EQ(doc->CurrentEntry(), b);
    view.hints.clear();
    ASSERT_TRUE(doc->Redo());
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].kind, Notice::EntryDeleted);
    EXPECT_EQ(view.hints[0].position, 1);  // newest first: c, b, a
}

TEST_F(UndoTest, ANewActionEndsTheRedoAndClosingTheLogEndsTheHistory) {
    ASSERT_TRUE(doc->Undo());  // the third add
    ASSERT_TRUE(doc->CanRedo());
    doc->DeleteEntry(a, nullptr, false);
    EXPECT_FALSE(doc->CanRedo());
    EXPECT_EQ(RedoItemText(doc->History()), "Red&o\tCtrl+Y");
    EXPECT_FALSE(doc->Redo());

    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(UndoItemText(doc->History()), "&Undo\tCtrl+Z");
    EXPECT_FALSE(doc->Undo());
}

TEST_F(UndoTest, AnUndoTheLogRefusesChangesNothingAndStaysInTheHistory) {
    ASSERT_TRUE(doc->DeleteEntry(b, nullptr, false));
    // Its sport went since, with nothing to bring the workout back under.
    doc->Database().sql().Exec("DELETE FROM Sports WHERE SptAbbrev = 'R'");
    const std::string now = LogRows(*doc);
    EXPECT_FALSE(doc->Undo());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().rfind("Couldn't undo or redo the change--Exception:", 0), 0u);
    EXPECT_EQ(LogRows(*doc), now);
    EXPECT_TRUE(doc->CanUndo());
}

// Undoing every step of a mixed history gives back the week shading the log had before each
// step, and redoing them the shading it had after: never the other band.
TEST_F(UndoTest, UndoAndRedoGiveBackTheShadingOfEachStep) {
    const auto bands = [&] {
        return Rows(
            "SELECT EntryID || ':' || Background FROM \"Log Entry\" ORDER BY Date, EntryID");
    };
    std::vector<RowId> ids{a, b, c};
    for (int i = 0; i < 6; ++i)
        ids.push_back(doc->AddEntry(Entry(1 + i / 3, 4 + 9 * (i % 3), 2025), nullptr));
    std::vector<std::string> states{bands()};
    std::mt19937 rng(4);
    for (int step = 0; step < 24; ++step) {
        const RowId some = ids[rng() % ids.size()];
        const RowId other = ids[rng() % ids.size()];
        const CDate day = CDate(1, 1, 2025).AddDays(static_cast<int>(rng() % 120));
        RowId now = 0;
        switch (rng() % 4) {
            case 0:
                ids.push_back(doc->AddEntry(Entry(day.Month(), day.Day(), day.Year()), nullptr));
                break;
            case 1:
                now = doc->UpdateEntry(some, Entry(day.Month(), day.Day(), day.Year()), nullptr);
                std::replace(ids.begin(), ids.end(), some, now);
                break;
            case 2:
                if (ids.size() > 3 && doc->DeleteEntry(some, nullptr, false))
                    ids.erase(std::find(ids.begin(), ids.end(), some));
                break;
            default:
                if (ids.size() > 4 && some != other && doc->DeleteEntries({some, other}, nullptr))
                    std::erase_if(ids, [&](RowId id) { return id == some || id == other; });
                break;
        }
        if (bands() != states.back()) states.push_back(bands());
    }
    ui.messages.clear();
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(doc->Undo());
        while (bands() == states[i] && doc->Undo()) {
        }
        ASSERT_EQ(bands(), states[i - 1]) << "undoing to state " << i - 1;
    }
    while (doc->CanRedo()) {
        ASSERT_TRUE(doc->Redo());
        ExpectWeekBands(*doc);
    }
    EXPECT_EQ(bands(), states.back());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(UndoHistoryTest, KeepsTheNewestStepsAndNamesThem) {
    UndoHistory history;
    history.Record({undo_name::kAddEntry, {}, {}});  // forgotten: one step too many
    history.Record({undo_name::kDuplicateEntry, {}, {}});
    for (std::size_t i = 2; i <= UndoHistory::kMaxSteps; ++i)
        history.Record({undo_name::kDeleteEntry, {}, {}});
    std::size_t undone = 0;
    for (; history.CanUndo(); ++undone)
        history.Undone();
    EXPECT_EQ(undone, UndoHistory::kMaxSteps);
    EXPECT_EQ(RedoItemText(history), "Red&o Duplicate Entry\tCtrl+Y");  // the oldest kept
    history.Redone();
    EXPECT_EQ(UndoItemText(history), "&Undo Duplicate Entry\tCtrl+Z");
    history.Clear();
    EXPECT_FALSE(history.CanUndo() || history.CanRedo());
}

}  // namespace
}  // namespace kivrun
