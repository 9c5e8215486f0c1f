#include <gtest/gtest.h>

#include "support/FilterText.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ShellQuote;
using test::StateWith;

class LogCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("week.tlg", {"R Running 0 1", "S Swimming 3 5", "W Weights 4 6"});
    }
};

TEST_F(LogCommandsTest, AWeekOfWorkoutsListsFiltersAndTotals) {
    ASSERT_NO_FATAL_FAILURE(AddWorkouts(
        {"1/06/2003 Running General 10 1:15:00 --route \"River loop\" --opt1 150",
         "1/07/2003 Swimming Intervals 1500 0:30:00 --notes \"6 x 250, \\\"hard\\\"\"",
         "1/08/2003 Weights Tempo 0 0.75", "1/09/2003 Running Racing 6.2 0:45:00 --pace 7:15",
         "1/12/2003 Running Recovery 4 0:40:00"}));
    const auto list = Run("list " + log);
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out,
              "Date\tSport\tClass\tDist\tTime\tPace\tAHR\tWt\tRoute\tNotes\n"
              "1/12/03\tRunning\tRecovery\t4.0M\t0:40:00\t10:00\t\t\t\t\n"
              "1/09/03\tRunning\tRacing\t6.2M\t0:45:00\t7:15\t\t\t\t\n"
              "1/08/03\tWeights\tTempo\t\t0:45:00\t\t\t\t\t\n"
              "1/07/03\tSwimming\tIntervals\t1500m\t0:30:00\t2:00\t\t\t\t6 x 250, \"hard\"\n"
              "1/06/03\tRunning\tGeneral\t10.0M\t1:15:00\t7:30\t150\t\tRiver loop\t\n");

    const std::string runsAndSwims = StateWith("RS", "GIRE", "1,3,1/01/2003,1/09/2003,0");
    const auto filtered = Run("list " + log + " --filter " + ShellQuote(runsAndSwims));
    EXPECT_EQ(std::count(filtered.out.begin(), filtered.out.end(), '\n'), 4) << filtered.out;

    const auto totals = Run("totals " + log + " week");
    EXPECT_EQ(totals.out,
              "\t\t\t\t\n"
              "1/06/03 -\tRunning\t3\t20.2M\t2:40\n"
              "1/12/03\tSwimming\t1\t1500m\t0:30\n"
              "\tWeights\t1\t--\t0:45\n"
              " \tTotal:\t5\t21.1M\t3:55\n");

    // The filter is kept in the log and a later list without --filter sees the whole log.
    const auto sql = Run("filter " + log + " " + ShellQuote(runsAndSwims));
    EXPECT_EQ(sql.out.rfind("SELECT * FROM [Log Entry] WHERE ((([Log Entry].Date) Between "
                            "#1/01/2003# And #1/09/2003#)",
                            0),
              0u)
        << sql.out;
    EXPECT_EQ(Run("pref " + log + " StateFilterToolBar").out.rfind("Sports:,0", 0), 0u);
}

// A backup through the tool: HostileSchemaTest.
TEST_F(LogCommandsTest, DeleteAndSample) {
    const auto added = Run("add " + log + " 1/06/2003 Running General 5 0:40");
    ASSERT_EQ(added.out, "1\n");
    EXPECT_EQ(Run("delete " + log + " 1").status, 0);
    EXPECT_EQ(Run("list " + log).out,
              "Date\tSport\tClass\tDist\tTime\tPace\tAHR\tWt\tRoute\tNotes\n");

    const std::string sample = ShellQuote(dir.File("sample.tlg"));
    ASSERT_EQ(Run("sample " + sample + " 300 7").status, 0);  // its workouts: HostileSchemaTest
    EXPECT_NE(Run("sample " + sample + " 10").status, 0);     // never over an existing file
}

TEST_F(LogCommandsTest, GraphPrintsEachPeriodAndTheScale) {
    ASSERT_NO_FATAL_FAILURE(AddWorkouts({"1/06/2003 Running General 10 1:15:00",
                                         "1/07/2003 Swimming General 1500 0:30:00",
                                         "1/20/2003 Running General 6 0:45:00"}));
    // 1500 meters are 0.932 miles; the week between has nothing.
    auto graph = Run("graph " + log);
    ASSERT_EQ(graph.status, 0) << graph.err;
    EXPECT_EQ(graph.out,
              "Period\tAll\tText\tRunning\tSwimming\n"
              "1/06/2003\t10.932\t10.9\t10\t0.932\n"
              "1/13/2003\t0\t0\t0\t0\n"
              "1/20/2003\t6\t6.0\t6\t0\n"
              "Maximum\t13\nStep\t1\n");
    // Miles an hour over both sports: 16.932 miles in 2:30.
    graph = Run("graph " + log + " --type line --y pace --group month --cumulative");
    EXPECT_NE(graph.out.find("1/01/2003\t6.773\t6.8\t8\t1.864\n"), std::string::npos) << graph.out;
    graph = Run("graph " + log + " --y speed");
    EXPECT_EQ(graph.status, 2);
    EXPECT_NE(graph.err.find("not 'speed'"), std::string::npos) << graph.err;
}

}  // namespace
}  // namespace kivrun
