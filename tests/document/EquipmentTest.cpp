#include <gtest/gtest.h>

#include <algorithm>

#include "document/TamselDoc.h"
#include "store/Database.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::Entry;

EquipmentItem Item(const char* name, const char* kind, std::vector<EquipmentSport> sports,
                   double startKm = 0, double limitKm = 0) {
    EquipmentItem item;
    item.name = name;
    item.kind = kind;
    item.sports = std::move(sports);
    item.startKm = startKm;
    item.limitKm = limitKm;
    return item;
}

// Running counts miles, Road km, Weights no distance. Two pairs of shoes and a bike.
class EquipmentTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        shoes = doc->AddEquipment(Item("Trail Shoes", "shoes", {{"R", true}}, 100, 700), nullptr);
        racers = doc->AddEquipment(Item("Racers", "shoes", {{"R", false}, {"B", false}}), nullptr);
        bike = doc->AddEquipment(Item("Bike", "bike", {{"B", true}}, 0, 0), nullptr);
        ASSERT_TRUE(shoes && racers && bike) << (ui.messages.empty() ? "" : ui.messages.back());
        view.hints.clear();
    }
    RowId Add(int month, int day, const char* sport, double distance,
              std::vector<RowId> equipment) {
        WorkingEntry e = Entry(month, day, 2025, sport, 3600, "G", distance);
        e.equipment = std::move(equipment);
        return doc->AddEntry(e, nullptr);
    }
    const EquipmentTotal& TotalOf(const std::vector<EquipmentTotal>& totals, RowId id) {
        for (const EquipmentTotal& t : totals)
            if (t.item.equipmentId == id) return t;
        throw std::runtime_error("no such item");
    }
    std::string Uses() {
        return Rows("SELECT EntryID, EquipmentID FROM \"Equipment Use\" ORDER BY 1, 2");
    }
    RowId shoes = 0, racers = 0, bike = 0;
};

TEST_F(EquipmentTest, TotalsAddStartingDistanceAndConvertEachSportsUnit) {
    Add(3, 1, "R", 10, {shoes});         // 16.09 km
    Add(3, 2, "R", 5, {shoes, racers});  // 8.05 km each
    Add(3, 3, "B", 40, {bike, racers});  // km already
    Add(3, 4, "W", 0, {});               // no equipment: nothing
    Add(6, 1, "B", 20, {bike});
    struct Case {
        const char* name;
        RowId id;
        double km, lifetimeKm;
        long workouts;
        CDate first, last;
    };
    const double mile = 1.609344;
    const Case all[] = {
        {"shoes", shoes, 100 + 15 * mile, 100 + 15 * mile, 2, CDate(3, 1, 2025), CDate(3, 2, 2025)},
        {"racers", racers, 5 * mile + 40, 5 * mile + 40, 2, CDate(3, 2, 2025), CDate(3, 3, 2025)},
        {"bike", bike, 60, 60, 2, CDate(3, 3, 2025), CDate(6, 1, 2025)},
    };
    const auto check = [&](const Case* cases, std::size_t n) {
        const std::vector<EquipmentTotal> totals = doc->EquipmentTotals();
        ASSERT_EQ(totals.size(), 3u);
        EXPECT_EQ(totals[0].item.name, "Bike");  // by name
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(cases[i].name);
            const EquipmentTotal& t = TotalOf(totals, cases[i].id);
            EXPECT_NEAR(t.km, cases[i].km, 1e-6);
            EXPECT_NEAR(t.lifetimeKm, cases[i].lifetimeKm, 1e-6);
            EXPECT_EQ(t.workouts, cases[i].workouts);
            if (t.workouts) {
                EXPECT_EQ(CDate::FromSerial(t.firstUse), cases[i].first);
                EXPECT_EQ(CDate::FromSerial(t.lastUse), cases[i].last);
            }
        }
    };
    check(all, std::size(all));
    // The filter narrows what is shown, never what wears an item towards its limit.
    FilterState march = doc->Filter();
    march.showAll = false;
    march.dateOn = true;
    march.dateOp = FilterState::kBefore;
    march.date1 = march.date2 = CDate(4, 1, 2025);
    doc->ApplyFilter(march);
    const Case filtered[] = {
        {"shoes", shoes, 100 + 15 * mile, 100 + 15 * mile, 2, CDate(3, 1, 2025), CDate(3, 2, 2025)},
        {"bike", bike, 40, 60, 1, CDate(3, 3, 2025), CDate(3, 3, 2025)},
    };
    check(filtered, std::size(filtered));
}

TEST_F(EquipmentTest, AWorkoutThatTakesAnItemPastItsLimitSaysSoOnce) {
    struct Case {
        const char* name;
        double miles;
        std::vector<RowId> equipment;
        std::size_t warnings;
    };
    // 100 km start; 700 km limit is 372.8 miles away.
    const Case cases[] = {
        {"well short", 300, {shoes}, 0},
        {"another item only", 500, {racers}, 0},
        {"reaches the limit", 73, {shoes, racers}, 1},
        {"already past it", 10, {shoes}, 0},
    };
    int day = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(Add(1, day++, "R", c.miles, c.equipment), 0);
        const std::vector<std::string> warnings = doc->TakeEquipmentWarnings();
        ASSERT_EQ(warnings.size(), c.warnings);
        if (c.warnings) {
            EXPECT_EQ(warnings[0], "Trail Shoes has passed its limit of 700.0 km (700.3 km).");
        }
        EXPECT_TRUE(doc->TakeEquipmentWarnings().empty());
    }
    EXPECT_TRUE(TotalOf(doc->EquipmentTotals(), shoes).OverLimit());
    EXPECT_FALSE(TotalOf(doc->EquipmentTotals(), racers).OverLimit());
}

TEST_F(EquipmentTest, EditingAWorkoutOntoTheLimitCountsOnlyItsChange) {
    const RowId id = Add(1, 1, "R", 370, {shoes});
    EXPECT_TRUE(doc->TakeEquipmentWarnings().empty());
    WorkingEntry longer;
    ASSERT_TRUE(doc->LoadEntry(id, longer));
    longer.distance = 373;
    ASSERT_EQ(doc->UpdateEntry(id, longer, nullptr), id);
    EXPECT_EQ(doc->TakeEquipmentWarnings().size(), 1u);
    longer.notes = "still past";
    ASSERT_EQ(doc->UpdateEntry(id, longer, nullptr), id);
    EXPECT_TRUE(doc->TakeEquipmentWarnings().empty());
}

TEST_F(EquipmentTest, RetiredItemsKeepTheirHistoryButAreNoLongerOffered) {
    Add(1, 1, "R", 5, {shoes});
    EXPECT_EQ(doc->DefaultEquipment("R"), std::vector<RowId>{shoes});
    ASSERT_TRUE(doc->RetireEquipment(shoes, true, nullptr));
    EXPECT_EQ(doc->History().NextUndo()->name, "Retire Equipment");
    EXPECT_TRUE(doc->DefaultEquipment("R").empty());
    ASSERT_EQ(doc->EquipmentFor("R").size(), 1u);
    EXPECT_EQ(doc->EquipmentFor("R")[0].name, "Racers");
    EXPECT_EQ(TotalOf(doc->EquipmentTotals(), shoes).workouts, 1);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->DefaultEquipment("R"), std::vector<RowId>{shoes});
}

TEST_F(EquipmentTest, AnItemInUseIsNotRemovedAndAnUnusedOneComesBackOnUndo) {
    const RowId workout = Add(1, 1, "R", 5, {racers});
    EXPECT_FALSE(doc->RemoveEquipment(racers, nullptr));
    EXPECT_EQ(ui.messages.back(),
              "\"Racers\" was used by 1 workout; it can be retired, but not removed.");
    // The log itself refuses it too, whoever asks.
    EXPECT_THROW(doc->Database().sql().Exec("DELETE FROM Equipment WHERE Name = 'Racers'"),
                 DbError);
    EXPECT_TRUE(doc->EquipmentById(racers).has_value());

    const EquipmentItem before = *doc->EquipmentById(bike);
    ASSERT_TRUE(doc->RemoveEquipment(bike, nullptr));
    EXPECT_FALSE(doc->EquipmentById(bike).has_value());
    EXPECT_EQ(view.hints.back().kind, Notice::EquipmentChanged);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->EquipmentById(bike), before);
    ASSERT_TRUE(doc->Redo());
    EXPECT_FALSE(doc->EquipmentById(bike).has_value());

    // Once its workout is gone, so are its uses, and the item may go.
    ASSERT_TRUE(doc->DeleteEntry(workout, nullptr, false));
    EXPECT_EQ(Uses(), "");
    EXPECT_TRUE(doc->RemoveEquipment(racers, nullptr));
}

TEST_F(EquipmentTest, AWorkoutsEquipmentIsPartOfItsUndoRecord) {
    const RowId id = Add(1, 1, "R", 5, {shoes, racers});
    const std::string both = Uses();
    WorkingEntry edited;
    ASSERT_TRUE(doc->LoadEntry(id, edited));
    EXPECT_EQ(edited.equipment, (std::vector<RowId>{shoes, racers}));
    edited.equipment = {racers};
    ASSERT_EQ(doc->UpdateEntry(id, edited, nullptr), id);
    const std::string one = Uses();
    EXPECT_NE(one, both);
    struct Step {
        const char* name;
        std::function<bool()> act;
        std::string uses;
    };
    const Step steps[] = {
        {"undo the change", [&] { return doc->Undo(); }, both},
        {"undo the add", [&] { return doc->Undo(); }, ""},
        {"redo the add", [&] { return doc->Redo(); }, both},
        {"redo the change", [&] { return doc->Redo(); }, one},
        {"delete", [&] { return doc->DeleteEntry(id, nullptr, false); }, ""},
        {"undo the delete", [&] { return doc->Undo(); }, one},
        {"delete as one of many", [&] { return doc->DeleteEntries({id}, nullptr) == 1; }, ""},
        {"undo that", [&] { return doc->Undo(); }, one},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(s.act());
        EXPECT_EQ(Uses(), s.uses);
    }
}

TEST_F(EquipmentTest, ItemsAreCheckedBeforeTheyAreWritten) {
    struct Case {
        const char* name;
        EquipmentItem item;
        const char* message;
    };
    EquipmentItem negative = Item("Old", "shoes", {});
    negative.limitKm = -1;
    const Case cases[] = {
        {"same name, other case", Item(" trail shoes ", "shoes", {}),
         "There is already an item named \"Trail Shoes\"."},
        {"blank name", Item("  ", "bike", {}), "An item of equipment needs a name."},
        {"unknown kind", Item("Kayak", "canoe", {}),
         "\"canoe\" is not a kind of equipment (shoes, bike, boat, skis, other)."},
        {"negative limit", negative, "Distances and limits of an item cannot be negative."},
        {"sport the log lacks", Item("Skates", "other", {{"Z", false}}),
         "Couldn't add the equipment--Exception: You cannot add or change a record because a "
         "related record is required in table 'Sports'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(doc->AddEquipment(c.item, nullptr), 0);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back(), c.message);
    }
    EXPECT_EQ(doc->Equipment().size(), 3u);
    // Renaming keeps the item's own name free for it, case changes included.
    EquipmentItem renamed = *doc->EquipmentById(shoes);
    renamed.name = "TRAIL SHOES";
    EXPECT_TRUE(doc->ModifyEquipment(renamed, nullptr));
    EXPECT_EQ(doc->History().NextUndo()->name, "Change Equipment");
}

TEST_F(EquipmentTest, TheFilterSelectsTheWorkoutsOfItems) {
    const RowId run = Add(1, 1, "R", 5, {shoes});
    const RowId brick = Add(1, 2, "B", 20, {bike, racers});
    Add(1, 3, "B", 20, {bike});
    Add(1, 4, "R", 5, {});
    struct Case {
        const char* name;
        std::vector<RowId> equipment;
        std::vector<RowId> entries;
    };
    const Case cases[] = {
        {"one item", {racers}, {brick}},
        {"either of two", {shoes, racers}, {run, brick}},
        {"an item never used", {999}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterState state;
        state.showAll = false;
        state.equipment = c.equipment;
        // Kept in the log as its saved text, and read back whole.
        EXPECT_EQ(FilterState::Restore(state.Save()).equipment, c.equipment);
        doc->ApplyFilter(state);
        std::vector<RowId> shown;
        for (long i = 0; i < doc->EntryCount(); ++i)
            shown.push_back(doc->EntryAt(i)->entryId);
        std::sort(shown.begin(), shown.end());  // the list's order is the user's
        EXPECT_EQ(shown, c.entries);
    }
    // Without items the saved text is what it always was.
    EXPECT_EQ(FilterState().Save().find("Equipment"), std::string::npos);
}

TEST_F(EquipmentTest, ALogWithoutEquipmentTablesGainsThemOnOpen) {
    // As a log made before equipment: no tables, relations or their triggers.
    SqliteDb& db = doc->Database().sql();
    std::vector<std::string> triggers;
    for (Statement s = db.Prepare("SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                                  "name LIKE '%Equipment%'");
         s.Step();)
        triggers.push_back(s.Text(0));
    for (const std::string& t : triggers)
        db.Exec("DROP TRIGGER \"" + t + "\"");
    db.Exec(
        "DROP TABLE \"Equipment Use\"; DROP TABLE \"Equipment Sports\"; DROP TABLE Equipment; "
        "DELETE FROM kivrun_relations WHERE Name LIKE '%Equipment%'");
    const RowId id = Add(1, 1, "R", 5, {});
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_TRUE(doc->Equipment().empty());
    ASSERT_NE(doc->AddEquipment(Item("New", "shoes", {{"R", true}}), nullptr), 0);
    WorkingEntry e;
    ASSERT_TRUE(doc->LoadEntry(id, e));
    e.equipment = doc->DefaultEquipment("R");
    ASSERT_EQ(doc->UpdateEntry(id, e, nullptr), id);
    EXPECT_EQ(doc->EquipmentTotals()[0].workouts, 1);
}

}  // namespace
}  // namespace kivrun
