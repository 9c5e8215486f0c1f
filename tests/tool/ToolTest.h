#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/RunTool.h"
#include "support/TestLog.h"

namespace kivrun::test {

// A scratch folder for the tool's runs and, once made, a log in it.
class ToolTest : public ::testing::Test {
  protected:
    ToolResult Run(const std::string& args) { return RunTool(args, dir.path()); }
    // A new log with these sports ("R Running 0 1") and workouts ("1/06/2003 Running ...").
    void MakeLog(const std::string& name, std::initializer_list<const char*> sports,
                 std::initializer_list<const char*> workouts = {}) {
        log = ShellQuote(dir.File(name));
        ASSERT_EQ(Run("new " + log).status, 0);
        for (const char* s : sports)
            ASSERT_EQ(Run("sport " + log + " " + s).status, 0) << s;
        AddWorkouts(workouts);
    }
    void AddWorkouts(std::initializer_list<const char*> workouts) {
        for (const char* w : workouts)
            ASSERT_EQ(Run("add " + log + " " + w).status, 0) << w;
    }

    TempDir dir;
    std::string log;
};

}  // namespace kivrun::test
