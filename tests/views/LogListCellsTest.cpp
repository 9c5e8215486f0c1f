#include "views/LogListCells.h"

#include <gtest/gtest.h>

#include "support/DocFixture.h"
#include "views/EntryFields.h"

namespace kivrun {
namespace {

using LogListCellsTest = test::DocFixture;

EntryRow Row(const char* sport, double distance, double seconds, double pace) {
    EntryRow e;
    e.date = CDate(1, 5, 2003).ToSerial();
    e.sport = sport;
    e.cls = "R";
    e.distance = distance;
    e.time = seconds;
    e.pace = pace;
    e.optionalOne = 142.4;
    e.route = "Hill loop";
    return e;
}

TEST_F(LogListCellsTest, EveryColumnInEveryFormat) {
    LogListCells cells;
    cells.Refresh(doc->GetCatalog());  // miles, km and a sport without distance: mixed units
    const EntryRow run = Row("R", 10, 4086, 450);
    const EntryRow ride = Row("B", 40.25, 5400, 26.8);
    const EntryRow lift = Row("W", 0, 2700, 0);
    // The date and time forms are the Date and ElapsedTime tests' own: one each shows the
    // column's form reaches them.
    struct Case {
        const EntryRow& row;
        int column, format;
        const char* text;
    } cases[] = {
        {run, 0, 4, "Sunday, January 5, 2003"},
        {run, 1, 0, "Running"},
        {run, 1, 1, "R"},
        {run, 1, 2, ""},
        {run, 2, 0, "Racing"},
        {run, 2, 1, "R"},
        {run, 3, 0, "10.0M"},
        {ride, 3, 0, "40.3K"},
        {lift, 3, 0, ""},
        {run, 4, 1, "1:08:06"},
        {run, 4, 3, "68:06"},
        {run, 5, 0, "7:30"},
        {ride, 5, 0, "26.8"},
        {lift, 5, 0, ""},
        {run, 6, 0, "142.4"},
        {run, 7, 0, ""},
        {run, 8, 0, "Hill loop"},
        {Row("Q", 3, 60, 1), 1, 0, ""},  // a sport the log does not have
    };
    for (const Case& c : cases)
        EXPECT_EQ(cells.Text(c.row, c.column, c.format), c.text)
            << "column " << c.column << " format " << c.format;
    EXPECT_EQ(cells.ClassColor("R"), (Rgb{0, 0, 210}));
    EXPECT_EQ(cells.ClassColor("C"), std::nullopt);  // Climbing has no colour
    EXPECT_EQ(cells.SportImage("W"), 5);
    EXPECT_EQ(cells.SportImage("Q"), 12);
}

TEST_F(LogListCellsTest, UnitLettersOnlyWhenSportsUseDifferentUnits) {
    doc->Database().sql().Exec("UPDATE Sports SET DistanceID = 0 WHERE SptAbbrev = 'B'");
    LogListCells cells;
    cells.Refresh(doc->GetCatalog());
    EXPECT_FALSE(cells.MixedDistanceUnits());  // Weights has no distance: it does not count
    EXPECT_EQ(cells.Text(Row("B", 40, 1, 1), 3, 0), "40.0");
    doc->Database().sql().Exec("UPDATE Sports SET DistanceID = 3 WHERE SptAbbrev = 'B'");
    cells.Refresh(doc->GetCatalog());
    EXPECT_EQ(cells.Text(Row("B", 1500, 1, 1), 3, 0), "1500m");
    EXPECT_EQ(cells.Text(Row("R", 5, 1, 1), 3, 0), "5.0M");
}

// A body weight of 71.5 is not 72, nor -3 degrees -2: as many decimals as the value has, up to
// two, the same in the list, the entry view and the pages made from them.
TEST_F(LogListCellsTest, OptionalValuesShowTheirDecimals) {
    const std::pair<double, const char*> cases[] = {
        {71.5, "71.5"},   {152, "152"},     {-3, "-3"},        {-2.5, "-2.5"},
        {62.25, "62.25"}, {71.15, "71.15"}, {62.125, "62.13"}, {-0.125, "-0.13"},
        {0.004, "0"},     {-0.004, "0"},    {0, ""},           {1e7, "10000000"},
    };
    LogListCells cells;
    cells.Refresh(doc->GetCatalog());
    for (const auto& [value, text] : cases) {
        EntryRow row = Row("R", 1, 60, 0);
        row.optionalOne = row.optionalTwo = value;
        EXPECT_EQ(cells.Text(row, LogListCells::kOptionalOne, 0), text) << value;
        EXPECT_EQ(cells.Text(row, LogListCells::kOptionalTwo, 0), text) << value;
        const EntryFieldTexts fields = FieldTextsOf(row, doc->GetCatalog(), {"AvgHR", "Weight"});
        EXPECT_EQ(fields[kFieldOptionalTwo].value, text) << value;
    }
}

TEST(ColorCode, ReadsWhatClassesStore) {
    EXPECT_EQ(ParseColorCode("0,0,210"), (Rgb{0, 0, 210}));
    EXPECT_EQ(ParseColorCode("200, 0,0"), (Rgb{200, 0, 0}));
    EXPECT_EQ(ParseColorCode("999,-5"), (Rgb{255, 0, 0}));
    EXPECT_EQ(ParseColorCode(""), std::nullopt);
}

}  // namespace
}  // namespace kivrun
