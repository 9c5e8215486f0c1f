#include <gtest/gtest.h>

#include <algorithm>

#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ShellQuote;

const char* const kGridHeadings = "Exercise\tSets\tWt\tReps\tWt\tReps\tWt\tReps\tWt\tReps\n";

class WeightsCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override { MakeLog("weights.tlg", {"W Weights 4 6"}); }
};

TEST_F(WeightsCommandsTest, AWorkoutKeepsItsRoutineAndTemplatesAreReused) {
    const auto added =
        Run("add " + log + " 1/08/2003 Weights General 0 0:45:00 --routine " +
            ShellQuote("Bench Press,3,100,10,110,8;Squats,4,,12;Farmer's Walk,2,40"));
    ASSERT_EQ(added.status, 0) << added.err;
    const auto routine = Run("routine " + log + " " + added.out.substr(0, added.out.size() - 1));
    EXPECT_EQ(routine.out, std::string(kGridHeadings) +
                               "Bench Press\t3\t100\t10\t110\t8\t\t\t\t\n"
                               "Squats\t4\t\t12\t\t\t\t\t\t\n"
                               "Farmer's Walk\t2\t40\t\t\t\t\t\t\t\n");
    EXPECT_EQ(Run("routine " + log + " 99").status, 1);
    EXPECT_EQ(Run("add " + log + " 1/09/2003 Weights General 0 0:45:00 --routine ',3'").status, 2);

    const std::string name = ShellQuote("Mike's \"Day\"");
    const auto saved = Run("template save " + log + " " + name + " --routine 'Dips,3;Rows,2'");
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.err, "Save the current workout as the \"Mike's \"Day\"\" template?? [Yes]\n");
    // Saving again under the name replaces its rows.
    EXPECT_EQ(Run("template save " + log + " " + name + " --routine 'Curls,1,20'").status, 0);
    EXPECT_EQ(Run("template list " + log).out, "Mike's \"Day\"\n");
    EXPECT_EQ(Run("template load " + log + " " + name).out,
              std::string(kGridHeadings) + "Curls\t1\t20\t\t\t\t\t\t\t\n");
    EXPECT_EQ(Run("template save " + log + " ' ' --routine Dips").err,
              "Please specify a name for the template!!\n");
    EXPECT_EQ(Run("template remove " + log + " " + name).status, 0);
    EXPECT_EQ(Run("template list " + log).out, "");
    EXPECT_EQ(Run("template load " + log + " " + name).status, 1);
}

TEST_F(WeightsCommandsTest, TheExerciseListFollowsTheDialogsRules) {
    EXPECT_EQ(Run("exercise add " + log + " ' Grip' \" Farmer's Walk \"").status, 0);
    const auto twice = Run("exercise add " + log + " Legs \"farmer's walk\"");
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err,
              "Exercise already exists!!  Please specify a different name for this exercise.\n");
    const auto list = Run("exercise list " + log);
    EXPECT_NE(list.out.find("Grip\tFarmer's Walk\n"), std::string::npos) << list.out;
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 21);

    const auto used = Run("bodypart remove " + log + " Grip");
    EXPECT_EQ(used.status, 1);
    EXPECT_EQ(used.err, "Some exercises use this body part!!\n\nUnable to remove body part!!\n");
    EXPECT_EQ(Run("exercise remove " + log + " grip \"Farmer's Walk\"").status, 0);
    EXPECT_EQ(Run("bodypart remove " + log + " Grip").status, 0);
    EXPECT_EQ(Run("exercise list " + log).out.find("Grip"), std::string::npos);
}

}  // namespace
}  // namespace kivrun
