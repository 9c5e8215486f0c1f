#include <gtest/gtest.h>

#include "support/FilterText.h"
#include "support/FitActivities.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::kRunStart;
using test::ShellQuote;
using test::WriteSession;

// Two pairs of shoes and a bike, as a new user sets them up; Running counts miles.
class EquipmentCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("log.tlg", {"R Running 0 1", "B Cycling 2 3"});
        for (const char* args :
             {"Trail --kind shoes --sport Running --default --start 690 --limit 700",
              "Racers --kind shoes --sport R --sport Cycling --notes 'race days'",
              "\"Bob's bike\" --kind bike --sport Cycling --default --limit-time 100:00:00"}) {
            const auto r = Run("equipment add " + log + " " + args);
            ASSERT_EQ(r.status, 0) << args << ": " << r.err;
        }
    }
};

TEST_F(EquipmentCommandsTest, WorkoutsTakeTheirSportsDefaultsAndTheListCountsThem) {
    // Two runs from the watch: 10 km and 5 km, the shoes ticked by default.
    test::WriteBytes(dir.File("a.fit"), WriteSession(1, 0, kRunStart, 3600, 3600, 10000));
    test::WriteBytes(dir.File("b.fit"), WriteSession(1, 0, kRunStart + 86400, 1800, 1800, 5000));
    ASSERT_EQ(Run("import-activities " + log + " " + ShellQuote(dir.File("a.fit")) + " " +
                  ShellQuote(dir.File("b.fit")))
                  .status,
              0);
    const auto typed = Run("add " + log + " 4/3/2024 Cycling General 40 1:30:00");
    ASSERT_EQ(typed.status, 0) << typed.err;
    const auto brick = Run("add " + log + " 4/4/2024 Cycling General 20 0:45:00 --equipment " +
                           ShellQuote("racers; Bob's bike"));
    ASSERT_EQ(brick.status, 0) << brick.err;
    EXPECT_EQ(Run("add " + log + " 4/5/2024 Running General 1 0:08:00 --equipment Nope").err,
              "kivrun-tool add: no equipment named Nope\n");
    const auto bare = Run("add " + log + " 4/6/2024 Running General 3.1 0:25:00 --equipment ''");
    ASSERT_EQ(bare.status, 0) << bare.err;

    EXPECT_EQ(Run("equipment list " + log).out,
              "Bob's bike\tbike\tCycling (default)\t60.0\t2:15:00\t2\t4/03/2024\t4/04/2024\t"
              "100:00:00\t97:45:00\t\n"
              "Racers\tshoes\tRunning, Cycling\t20.0\t0:45:00\t1\t4/04/2024\t4/04/2024\t\t\t\n"
              "Trail\tshoes\tRunning (default)\t705.0\t1:30:00\t2\t3/31/2024\t4/01/2024\t"
              "700.0\t-5.0\tover limit\n");
    // The filter narrows the workouts counted, not the limit.
    const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::string april = test::StateWith(all, all, "1,3,4/02/2024,4/30/2024,0");
    const auto filtered = Run("equipment list " + log + " --filter " + ShellQuote(april));
    EXPECT_NE(filtered.out.find("Trail\tshoes\tRunning (default)\t690.0\t0:00:00\t0\t\t\t700.0\t"
                                "-5.0\tover limit\n"),
              std::string::npos)
        << filtered.out << filtered.err;
}

TEST_F(EquipmentCommandsTest, ItemsAreChangedRetiredAndRemovedOnlyWhenUnused) {
    ASSERT_EQ(Run("add " + log + " 4/3/2024 Running General 3 0:25:00").status, 0);
    struct Case {
        std::string args;
        int status;
        std::string err;
    } cases[] = {
        {"remove " + log + " Trail", 1,
         "\"Trail\" was used by 1 workout; it can be retired, but not removed.\n"},
        {"retire " + log + " trail", 0, ""},
        {"remove " + log + " Racers", 0, ""},
        {"remove " + log + " Racers", 1,
         "kivrun-tool equipment remove: no equipment named Racers\n"},
        {"add " + log + " \"Bob's bike\"", 1, "There is already an item named \"Bob's bike\".\n"},
        {"add " + log + " Kayak --sport Rowing", 1, "Please specify a sport !!\n"},
        {"add " + log + " Kayak --limit -3", 2, ""},
        {"edit " + log + " \"Bob's bike\" --name Roadie --limit 5000 --limit-time 0", 0, ""},
        {"retire " + log + " Roadie --kind boat", 2, ""},
        {"lend " + log + " Roadie", 2, ""},
    };
    for (const Case& c : cases) {
        const auto r = Run("equipment " + c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        if (c.status != 2) {
            EXPECT_EQ(r.err, c.err) << c.args;
        }
    }
    EXPECT_EQ(Run("equipment list " + log).out,
              "Roadie\tbike\tCycling (default)\t0.0\t0:00:00\t0\t\t\t5000.0\t5000.0\t\n"
              "Trail\tshoes\tRunning (default)\t694.8\t0:25:00\t1\t4/03/2024\t4/03/2024\t"
              "700.0\t5.2\tretired\n");
}

}  // namespace
}  // namespace kivrun
