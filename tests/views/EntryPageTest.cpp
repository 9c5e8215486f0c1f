#include "views/EntryPage.h"

#include <gtest/gtest.h>

#include "PageSupport.h"
#include "support/DocFixture.h"
#include "views/EntryCursor.h"

namespace kivrun {
namespace {

using test::Workout;

Catalog EntryCatalog() {
    Catalog c = test::PageCatalog();
    c.sports.push_back({"S", "Swimming", 1, 2, 4, 3, "yards", "Y", "min/100y"});
    c.sports.push_back({"T", "Track", 3, 4, 5, 2, "meters", "m", "min/km"});
    return c;
}

TEST(EntryFields, DistancePaceAndOptionalValues) {
    struct Case {
        const char* sport;
        double distance, pace, optionalOne;
        const char *distanceText, *paceText, *optionalLabel, *optionalText;
    } cases[] = {
        {"R", 8.74, 571, 156, "8.7 miles", "9:31 mpm", "AvgHR: ", "156"},
        {"B", 30.06, 18.46, 0, "30.1 km", "18.5 kph", "", ""},
        {"S", 1500.6, 95, 72.6, "1501 yards", "1:35 min/100y", "AvgHR: ", "72.6"},
        {"T", 0.4, 300, 0, "", "5:00 min/km", "", ""},  // rounds to 0: no distance
        {"W", 0, 0, 0, "", "", "", ""},
        {"Q", 2.25, 480, 0, "2.3", "", "", ""},  // a sport the log does not have
    };
    const OptionalNames names{"AvgHR", ""};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sport);
        EntryRow e = Workout(1, CDate(1, 4, 2024), c.sport, c.distance, 3723, c.pace);
        e.optionalOne = c.optionalOne;
        e.optionalTwo = 4;  // its column is missing: a value without a label
        const EntryFieldTexts f = FieldTextsOf(e, EntryCatalog(), names);
        EXPECT_EQ(f[kFieldDistance], (FieldText{"Distance: ", c.distanceText}));
        EXPECT_EQ(f[kFieldPace], (FieldText{"Pace: ", c.paceText}));
        EXPECT_EQ(f[kFieldOptionalOne], (FieldText{c.optionalLabel, c.optionalText}));
        EXPECT_EQ(f[kFieldOptionalTwo], (FieldText{"", "4"}));
        EXPECT_EQ(f[kFieldTime].value, "1:02:03");
        EXPECT_EQ(f[kFieldDate].value, "Thursday, January 4, 2024");
    }
    ListColumn second;
    second.id = 7;
    second.fieldName = "Weight";
    EXPECT_EQ(OptionalNames::FromColumns({second}).two, "Weight");
}

TEST(EntryFields, RoutineTableHasAColumnForEveryPairInUse) {
    auto row = [](int pair, int weight, int reps) {
        RoutineRow r{"Squat", 3};
        r.weight[pair] = weight;
        r.reps[pair] = reps;
        return r;
    };
    struct Case {
        std::vector<RoutineRow> rows;
        int pairs;
    } cases[] = {
        {{}, 0},
        {{RoutineRow{"Plank"}}, 0},
        {{row(0, 100, 10), row(2, 0, 8)}, 3},
        {{row(1, 135, 0)}, 2},  // a weight without reps still shows
        {{row(3, 50, 5)}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoutineTable::PairColumns(c.rows), c.pairs);
    const RoutineTable t = RoutineTable::Of({row(0, 100, 10), row(1, 135, 0)});
    EXPECT_EQ(t.headings, (std::vector<std::string>{"Exercise", "Sets", "Wt-Rp", "Wt-Rp"}));
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"Squat", "3", "100-10", ""}));
    EXPECT_EQ(t.rows[1], (std::vector<std::string>{"Squat", "3", "", "135"}));
}

int TenPerChar(std::string_view s) {
    return 10 * static_cast<int>(s.size());
}

TEST(EntryPage, WrapsNotesAtBlanksAndKeepsLineBreaks) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* text;
        int width;
        Lines lines;
    } cases[] = {
        {"", 100, {}},
        {"tempo run on the hills", 100, {"tempo run", "on the", "hills"}},
        {"felt   good  today", 100, {"felt", "good", "today"}},
        {"abcdefghijklmnop", 60, {"abcde", "fghij", "klmno", "p"}},
        {"easy\r\n\r\nthen fast", 100, {"easy", "", "then fast"}},
        {"xyz", 5, {"x", "y", "z"}},  // narrower than a character
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width, TenPerChar), c.lines) << c.text;
}

TextMeasure FixedMeasure() {
    return {[](EntryFont font, std::string_view s) {
                return (font == EntryFont::Title ? 10 : 7) * static_cast<int>(s.size());
            },
            [](EntryFont font) { return font == EntryFont::Title ? 22 : 16; }};
}

TEST(EntryPage, LaysOutTitleFieldsNotesAndRoutine) {
    EntryPageContent c;
    c.entryId = 7;
    c.fields = FieldTextsOf(Workout(7, CDate(1, 4, 2024), "W", 0, 2700, 0), EntryCatalog(), {});
    c.fields[kFieldNotes].value = "Heavy legs";
    c.routine = RoutineTable::Of({RoutineRow{"Bench Press", 3, {130, 0, 0, 0}, {7, 0, 0, 0}}});
    const EntryLayout l = EntryLayout::Of(c, 600, 400, FixedMeasure());
    EXPECT_EQ(l.sport, (PixelRect{15, 15, 15 + 70 + 28, 42}));
    EXPECT_EQ(l.title.right, 565);  // moved to the right limit
    EXPECT_EQ(l.title.Width(), 98 + 20 + 250);
    // Only the time has a value; the empty distance and pace take no line.
    EXPECT_FALSE(l.Placed(kFieldDistance));
    EXPECT_EQ(l.labels[kFieldTime], (PixelRect{15, 67, 57, 83}));
    EXPECT_EQ(l.values[kFieldTime].left, 57);
    EXPECT_EQ(l.notes, (PixelRect{165, 77, 165 + 360, 127}));  // 50 high at least
    EXPECT_EQ(l.notesLines, (std::vector<std::string>{"Heavy legs"}));
    EXPECT_EQ(l.routine.top, 127 + 15);
    EXPECT_EQ(l.columnWidths, (std::vector<int>{77 + 8, 28 + 8, 35 + 8}));

    // Without a routine the notes go under the fields, as wide as the page; values line up
    // after the widest label.
    c.routine = {};
    c.fields = FieldTextsOf(Workout(7, CDate(1, 4, 2024), "R", 5, 2400, 480), EntryCatalog(), {});
    const EntryLayout run = EntryLayout::Of(c, 600, 400, FixedMeasure());
    EXPECT_EQ(run.values[kFieldTime].left, 15 + 70);
    EXPECT_EQ(run.values[kFieldDistance].left, 15 + 70);
    EXPECT_EQ(run.labels[kFieldPace].top, run.labels[kFieldDistance].bottom + 10);
    EXPECT_EQ(run.notes.left, 15);
    EXPECT_EQ(run.notes.right, 565);

    EXPECT_EQ(EntryLayout::Of(EntryPageContent{}, 600, 400, FixedMeasure()).title, PixelRect{});
}

// A filtered set of workouts by day, oldest first; descending shows it newest first.
class FakeSet : public EntrySequence {
  public:
    FakeSet(std::vector<std::pair<RowId, double>> ascending, bool newestFirst)
        : rows(std::move(ascending)), descending(newestFirst) {}
    std::vector<std::pair<RowId, double>> rows;  // ascending
    bool descending = false;
    long Count() override { return static_cast<long>(rows.size()); }
    RowId IdAt(long p) override { return p >= 0 && p < Count() ? At(p).first : 0; }
    double DayAt(long p) override { return At(p).second; }
    long PositionOf(RowId id) override {
        for (long p = 0; p < Count(); ++p)
            if (At(p).first == id) return p;
        return -1;
    }
    bool Descending() override { return descending; }

  private:
    const std::pair<RowId, double>& At(long p) const {
        return rows[(descending ? rows.size() - 1 - static_cast<std::size_t>(p)
                                : static_cast<std::size_t>(p))];
    }
};

TEST(EntryCursor, StepsCountFromTheEarliestInEitherOrder) {
    for (bool descending : {false, true}) {
        SCOPED_TRACE(descending);
        FakeSet set({{11, 100}, {12, 101}, {13, 105}, {14, 109}}, descending);
        EntryCursor cursor(set);
        cursor.Show(12);
        EXPECT_EQ(cursor.Position(), 1);
        EXPECT_TRUE(cursor.MoveBy(1));
        EXPECT_EQ(cursor.Shown(), 13);
        EXPECT_TRUE(cursor.MoveTo(0));  // Home
        EXPECT_EQ(cursor.Shown(), 11);
        EXPECT_FALSE(cursor.MoveBy(-1));
        EXPECT_FALSE(cursor.CanMove(-1));
        EXPECT_TRUE(cursor.MoveTo(cursor.Maximum()));  // End
        EXPECT_EQ(cursor.Shown(), 14);
        EXPECT_FALSE(cursor.MoveBy(5));
        EXPECT_TRUE(cursor.MoveBy(-10));  // clamped
        EXPECT_EQ(cursor.Shown(), 11);
    }
}

TEST(EntryCursor, PicksTheDayOrTheNearestLaterOrTheLatestEarlier) {
    struct Case {
        double day;
        RowId ascending, descending;  // shown afterwards in either order
    } cases[] = {
        {101, 12, 13},  // two on that day: the first of each order
        {102, 14, 14},  // none: the next later one
        {99, 11, 11},   // before all
        {200, 15, 15},  // after all: the latest earlier one
    };
    for (const Case& c : cases)
        for (bool descending : {false, true}) {
            FakeSet set({{11, 100}, {12, 101}, {13, 101.5}, {14, 105}, {15, 109}}, descending);
            EntryCursor cursor(set);
            EXPECT_TRUE(cursor.PickDay(CDate::FromSerial(c.day)));
            EXPECT_EQ(cursor.Shown(), descending ? c.descending : c.ascending) << c.day;
        }
    FakeSet empty({}, false);
    EntryCursor none(empty);
    EXPECT_FALSE(none.PickDay(CDate(1, 1, 2024)));
}

TEST(EntryCursor, FollowsTheNotices) {
    FakeSet set({{11, 100}, {12, 101}, {13, 105}}, true);
    EntryCursor cursor(set);
    cursor.Show(12);

    set.rows.erase(set.rows.begin());  // another one went: the shown one moves up
    EXPECT_TRUE(cursor.OnNotice(UpdateHint::ForRow(Notice::EntryDeleted, 11, 100, 100)));
    EXPECT_EQ(std::make_pair(cursor.Shown(), cursor.Position()), std::make_pair(RowId{12}, 0L));

    set.rows.erase(set.rows.begin());  // the shown one: the last row of the set in its order
    cursor.OnNotice(UpdateHint::ForRow(Notice::EntryDeleted, 12, 101, 101));
    EXPECT_EQ(cursor.Shown(), 13);

    set.rows.clear();  // none remain
    cursor.OnNotice(UpdateHint::ForRow(Notice::EntryDeleted, 13, 105, 105));
    EXPECT_EQ(std::make_pair(cursor.Shown(), cursor.Position()), std::make_pair(RowId{0}, -1L));
    EXPECT_FALSE(cursor.MoveTo(0));

    set.rows = {{20, 110}, {21, 111}};  // a new one while none is shown: it is shown
    cursor.OnNotice(UpdateHint::ForRow(Notice::EntryAdded, 21, 111, 111));
    EXPECT_EQ(cursor.Shown(), 21);
    cursor.OnNotice(UpdateHint::Of(Notice::FilterApplied));
    EXPECT_EQ(cursor.Shown(), 20);  // the last row, newest first
    EXPECT_FALSE(cursor.OnNotice(UpdateHint::Of(Notice::EventAdded)));
}

using EntryPageFromTheLog = test::DocFixture;

TEST_F(EntryPageFromTheLog, TheNotesBoxEndsWithTheWorkoutsEquipment) {
    EquipmentItem shoes;
    shoes.name = "Trail";
    shoes.kind = "shoes";
    WorkingEntry run = test::Entry(3, 2, 2026, "R");
    run.notes = "Hills";
    run.equipment = {doc->AddEquipment(shoes, nullptr)};
    const RowId with = doc->AddEntry(run, nullptr);
    run.equipment.clear();
    const RowId without = doc->AddEntry(run, nullptr);
    EXPECT_EQ(EntryPageContent::Read(*doc, with).fields[kFieldNotes].value,
              "Hills\n\nEquipment: Trail");
    EXPECT_EQ(EntryPageContent::Read(*doc, without).fields[kFieldNotes].value, "Hills");
}

}  // namespace
}  // namespace kivrun
