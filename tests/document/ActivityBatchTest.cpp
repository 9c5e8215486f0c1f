#include "document/ActivityBatch.h"

#include <gtest/gtest.h>

#include "devices/ActivityFile.h"
#include "support/DocFixture.h"
#include "support/FitActivities.h"

namespace kivrun {
namespace {

using Status = ActivityItem::Status;
using test::kRunStart;
using test::WriteSession;

constexpr std::int64_t kRide = 1639300553;  // 2021-12-12 09:15:53Z

class ActivityBatchTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        doc->Database().sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
            "VALUES ('C','Cycling',2,3,3,0), ('S','Swim',3,5,4,0)");
        doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
        view.hints.clear();
    }
    // Writes the file and adds what it holds to the batch.
    void Add(ActivityBatch& batch, const std::string& name, const std::string& bytes) {
        test::WriteBytes(dir.File(name), bytes);
        batch.Add(dir.File(name), devices::ReadActivityFile(dir.File(name)));
    }
    std::vector<Status> Statuses(const ActivityBatch& batch) {
        std::vector<Status> statuses;
        for (const ActivityItem& item : batch.Items())
            statuses.push_back(item.status);
        return statuses;
    }
    std::vector<bool> Checks(const ActivityBatch& batch) {
        std::vector<bool> checks;
        for (const ActivityItem& item : batch.Items())
            checks.push_back(item.checked);
        return checks;
    }
};

TEST_F(ActivityBatchTest, RecordingsOfAWorkoutTheLogHasAreLeftUnchecked) {
    // Typed by hand: 8 km in 0:50:30 on 30 March.
    WorkingEntry typed = test::Entry(3, 30, 2024, "R", 3030, "G", 4.97);
    const RowId typedId = doc->AddEntry(typed, nullptr);
    {
        ActivityBatch first(*doc);
        Add(first, "run.fit", WriteSession(1, 0, kRunStart, 3600, 3600, 10000));
        Add(first, "watch.fit", WriteSession(2, 6, kRide, 355, 355, 2200));
        // The same ride from an app, four seconds earlier and measured longer.
        Add(first, "app.fit", WriteSession(2, 58, kRide - 4, 370, 369, 3120, 260, 0));
        Add(first, "evening.fit", WriteSession(1, 0, kRunStart + 36000, 3600, 3600, 10000));
        Add(first, "typed.fit", WriteSession(1, 0, kRunStart - 82800, 3030, 3010, 8000));
        EXPECT_EQ(Statuses(first),
                  (std::vector<Status>{Status::New, Status::New, Status::SameWorkout, Status::New,
                                       Status::SameWorkout}));
        EXPECT_EQ(Checks(first), (std::vector<bool>{true, true, false, true, false}));
        EXPECT_EQ(first.Item(2).sameItem, 1);
        EXPECT_EQ(first.StatusText(2), "probably the same workout as watch.fit");
        EXPECT_EQ(first.Item(4).sameEntry, typedId);
        EXPECT_EQ(first.StatusText(4),
                  "probably the same workout as Running on 3/30/2024, 4.97 M, 0:50:30");
        EXPECT_EQ(first.Import(nullptr), 3);
    }
    // The same files again, one under another name: nothing new.
    ActivityBatch again(*doc);
    Add(again, "run.fit", WriteSession(1, 0, kRunStart, 3600, 3600, 10000));
    Add(again, "copy of run.fit.gz", WriteSession(1, 0, kRunStart, 3600, 3600, 10000));
    Add(again, "app.fit", WriteSession(2, 58, kRide - 4, 370, 369, 3120, 260, 0));
    EXPECT_EQ(Statuses(again),
              (std::vector<Status>{Status::InLog, Status::InLog, Status::SameWorkout}));
    EXPECT_EQ(again.StatusText(0), "already in the log");
    EXPECT_EQ(again.CheckedCount(), 0u);
    // Asked for, duplicates go in all the same.
    again.CheckDuplicates();
    EXPECT_EQ(again.CheckedCount(), 3u);
}

TEST_F(ActivityBatchTest, OneUndoTakesTheWholeBatchBackAndRedoBringsItBack) {
    const RowId before = doc->AddEntry(test::Entry(3, 1, 2024), nullptr);
    view.hints.clear();
    ActivityBatch batch(*doc);
    Add(batch, "triathlon.fit", test::WriteTriathlon().Bytes());
    Add(batch, "run.fit", test::WriteRun().Bytes());
    ASSERT_EQ(batch.Size(), 4u);  // swim, bike, run; transitions left out; and the run
    ASSERT_EQ(batch.Import(nullptr), 4);
    EXPECT_EQ(view.kinds(), std::vector<int>{static_cast<int>(Notice::DataReloaded)});
    EXPECT_EQ(doc->EntryCount(), 5);
    test::ExpectWeekBands(*doc);
    const RowId run = batch.Item(3).entryId;
    const std::optional<EntryDetail> imported = doc->Entry(run);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->splits.size(), 2u);
    EXPECT_EQ(UndoItemText(doc->History()), "&Undo Import Activities\tCtrl+Z");

    view.hints.clear();
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_TRUE(doc->Entry(before));
    EXPECT_EQ(Count("Log Entry Details Split Times"), 0);
    EXPECT_EQ(view.kinds(), std::vector<int>{static_cast<int>(Notice::DataReloaded)});
    // Undone, the activities are not in the log: they can be imported again.
    {
        ActivityBatch after(*doc);
        Add(after, "run.fit", test::WriteRun().Bytes());
        EXPECT_EQ(after.Item(0).status, Status::New);
    }

    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(doc->EntryCount(), 5);
    EXPECT_EQ(doc->Entry(run)->splits, imported->splits);
    test::ExpectWeekBands(*doc);
    ActivityBatch again(*doc);
    Add(again, "run.fit", test::WriteRun().Bytes());
    EXPECT_EQ(again.Item(0).status, Status::InLog);
}

TEST_F(ActivityBatchTest, ASportChosenForADeviceSportIsRememberedOnImport) {
    ActivityBatch batch(*doc);
    Add(batch, "a.fit", WriteSession(0, 0, kRunStart, 1800, 1800, 5000));
    Add(batch, "b.fit", WriteSession(0, 0, kRunStart + 86400, 1800, 1800, 5000));
    Add(batch, "bad.fit", "not a FIT file at all");
    EXPECT_EQ(batch.StatusText(0), "no sport for generic");
    EXPECT_FALSE(batch.CanCheck(0));
    EXPECT_EQ(batch.Item(2).status, Status::Refused);
    // One choice takes every activity of that device sport.
    EXPECT_EQ(batch.ChooseSport(0, "R"), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(Checks(batch), (std::vector<bool>{true, true, false}));
    batch.SetChecked(1, false);
    EXPECT_EQ(batch.Import(nullptr), 1);
    EXPECT_EQ(doc->DeviceSports(), (std::map<std::string, std::string>{{"generic", "R"}}));

    ActivityBatch next(*doc);
    Add(next, "b.fit", WriteSession(0, 0, kRunStart + 86400, 1800, 1800, 5000));
    EXPECT_EQ(next.Item(0).sport, "R");
    EXPECT_TRUE(next.Item(0).checked);
}

}  // namespace
}  // namespace kivrun
