// Several programs on one log at once, and runs killed half way: nothing acknowledged is lost,
// and nothing fails without saying so.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "document/TamselDoc.h"
#include "store/Database.h"
#include "support/DocFixture.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::RunCommand;
using test::ShellQuote;

// A text log of the previous version with that many workouts.
std::string OldText(int workouts) {
    std::string text = "[Sports\nR\tRunning\t1\t0\n]\n";
    for (int i = 0; i < workouts; ++i)
        text += "1/" + std::to_string(1 + i % 28) + "/98\tRG\t5\t0:40:00\t0\tPark\tnote\n";
    return text;
}

class ConcurrencyTest : public test::ToolTest {
  protected:
    std::string Tool() const { return KIVRUN_TOOL_PATH; }
};

// The backup compacts the log while an add writes it: the add waits, and its workout stays.
TEST_F(ConcurrencyTest, ABackupRacingAnAddLosesNothing) {
    const std::string log = ShellQuote(dir.File("race.tlg"));
    ASSERT_EQ(Run("sample " + log + " 1500 3").status, 0);
    ASSERT_EQ(Run("pref " + log + " DaysBetweenBackup 0").status, 0);
    const std::string backup =
        Tool() + " backup " + log + " --backup-dir " + ShellQuote(dir.File("bk")) + " >/dev/null";
    for (const char* delay : {"0.01", "0.02", "0.03", "0.04", "0.06", "0.08"}) {
        SCOPED_TRACE(delay);
        const auto r = RunCommand("(" + backup + " & sleep " + delay + "; " + Tool() + " add " +
                                  log + " 1/06/2003 Running General 5 0:40; wait) 2>/dev/null");
        const long id = std::atol(r.out.c_str());
        ASSERT_GT(id, 0) << r.out;
        EXPECT_EQ(test::Workouts(dir.File("race.tlg"), "EntryID = " + std::to_string(id)), 1);
    }
}

// Two imports at once: each one lands whole, or fails and says so.
TEST_F(ConcurrencyTest, TwoImportsAtOnceBothLandOrOneFailsLoudly) {
    const std::string log = dir.File("log.tlg");
    ASSERT_EQ(Run("sample " + ShellQuote(log) + " 0 5").status, 0);
    ASSERT_EQ(Run("sample " + ShellQuote(dir.File("other.tlg")) + " 400 5").status, 0);
    const std::string import = Tool() + " import " + ShellQuote(log) + " " +
                               ShellQuote(dir.File("other.tlg")) + " 2>/dev/null";
    long long expected = 0;
    for (int round = 0; round < 3; ++round) {
        const auto r = RunCommand("(" + import + "; echo a$?) & (" + import + "; echo b$?) & wait");
        expected += 400 * ((r.out.find("a0") != std::string::npos) +
                           (r.out.find("b0") != std::string::npos));
        EXPECT_EQ(test::Workouts(log), expected) << r.out;
    }
    EXPECT_GT(expected, 0);
}

// A conversion killed at any moment leaves the user's name holding the whole text or the whole
// new log, and converting again finishes the job.
TEST_F(ConcurrencyTest, AConversionKilledAnyTimeLeavesTheNameWhole) {
    const std::string text = OldText(6000);
    const std::string path = dir.File("old.tlg");
    for (int delayMs : {0, 10, 25, 45, 70, 100}) {
        SCOPED_TRACE(delayMs);
        std::filesystem::remove(dir.File("oldOLD.tlg"));
        std::ofstream(path, std::ios::binary) << text;
        const pid_t child = fork();
        if (child == 0) {
            execl(KIVRUN_TOOL_PATH, KIVRUN_TOOL_PATH, "convert", path.c_str(), nullptr);
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        if (test::ReadBytes(path) != text) {
            EXPECT_EQ(test::Workouts(path), 6000);
        }
        // The next run finishes, or finds it finished; nothing of ours is left about.
        Run("convert " + ShellQuote(path));
        EXPECT_EQ(test::Workouts(path), 6000);
        EXPECT_EQ(test::ReadBytes(dir.File("oldOLD.tlg")), text);
        // The engine's own journal of a write killed before it began may stay till the next.
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            if (e.path().filename() != "old.tlg-journal") names.insert(e.path().filename());
        EXPECT_EQ(names, (std::set<std::string>{"old.tlg", "oldOLD.tlg", "tool-stderr.txt"}));
    }
}

// A second conversion of the same text, begun while the first runs, waits for it and finds
// the log made: it never puts a log of its own over the one the first program goes on writing.
TEST_F(ConcurrencyTest, ASecondConversionLeavesTheFirstOneItsLog) {
    const std::string path = dir.File("old.tlg");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        std::filesystem::remove(dir.File("oldOLD.tlg"));
        test::WriteBytes(path, OldText(6000));
        const pid_t second = fork();
        if (second == 0) {
            usleep(30000);
            execl(KIVRUN_TOOL_PATH, KIVRUN_TOOL_PATH, "convert", path.c_str(), nullptr);
            _exit(127);
        }
        test::ScriptedUi ui;
        ui.answers = {true};
        CTamselDoc doc(ui);
        ASSERT_TRUE(doc.OnOpenDocument(path)) << ::testing::PrintToString(ui.messages);
        int status = 0;
        waitpid(second, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_NE(doc.AddEntry(test::Entry(1, 2, 2003), nullptr), 0);
        EXPECT_EQ(test::Workouts(path), 6001);
        doc.OnCloseDocument();
    }
}

}  // namespace
}  // namespace kivrun
