#include "document/Backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>

#include "support/DocFixture.h"
#include "support/FailingVfs.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;
using test::Entry;
using test::Workouts;

// Sets a file's modification time to noon of the day n days before (pinned) today.
void AgeFile(const std::string& path, int days) {
    const CDate day = CDate().SubtractDays(days);
    std::tm t{};
    t.tm_year = day.Year() - 1900;
    t.tm_mon = day.Month() - 1;
    t.tm_mday = day.Day();
    t.tm_hour = 12;
    t.tm_isdst = -1;
    const auto sys = std::chrono::system_clock::from_time_t(std::mktime(&t));
    fs::last_write_time(path, std::chrono::file_clock::from_sys(sys));
}

class BackupTest : public test::DocFixture {
  protected:
    std::string BackupFile() const { return dir.File("Backup Logs/logBAK.tlg"); }
};

TEST_F(BackupTest, ABackupIsReplacedOnlyWhenItIsOldEnough) {
    doc->OnCloseDocument();  // the first close makes the first backup
    ASSERT_TRUE(fs::exists(BackupFile()));
    struct Case {
        int ageDays;
        bool replaced;
    } cases[] = {{3, false}, {6, false}, {7, true}, {8, true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(doc->OnOpenDocument(path));
        doc->AddEntry(Entry(1, 2, 2025), nullptr);
        const long long inLog = Workouts(path);
        const long long inBackup = Workouts(BackupFile());
        AgeFile(BackupFile(), c.ageDays);
        doc->OnCloseDocument();  // DaysBetweenBackup is 7 in a new log
        EXPECT_EQ(Workouts(BackupFile()), c.replaced ? inLog : inBackup) << c.ageDays;
        EXPECT_EQ(Workouts(path), inLog) << c.ageDays;
    }
}

TEST_F(BackupTest, ABackupOpenedAsALogAsksForAnotherNameFirst) {
    doc->OnCloseDocument();
    const std::string bak = dir.File("logBAK.tlg");
    fs::copy_file(path, bak);
    struct Case {
        std::vector<std::optional<std::string>> answers;
        bool backedUp;
    } cases[] = {
        {{std::nullopt}, false},
        {{dir.File("logBAK.tlg"), std::nullopt}, false},  // the same name is asked again
        {{dir.File("logBAK.tlg"), dir.File("restored.tlg")}, true},
    };
    for (const Case& c : cases) {
        fs::remove(dir.File("Backup Logs/logBAKBAK.tlg"));
        ASSERT_TRUE(doc->OnOpenDocument(bak));
        ui.saveFiles = c.answers;
        doc->OnCloseDocument();
        EXPECT_TRUE(ui.saveFiles.empty());
        EXPECT_EQ(fs::exists(dir.File("Backup Logs/logBAKBAK.tlg")), c.backedUp);
    }
}

TEST_F(BackupTest, FailuresAreToldAndLeaveTheLogAndTheOldBackupAlone) {
    doc->AddEntry(Entry(1, 2, 2025), nullptr);
    const std::string notAFolder = dir.File("not a folder");
    std::ofstream(notAFolder) << "x";
    doc->SetBackupFolder(notAFolder);
    EXPECT_EQ(doc->OnCloseDocument().result, BackupOutcome::Failed);
    EXPECT_EQ(Workouts(path), 1);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Couldn't back up the training log--Exception: '" +
                                       notAFolder + "' is not a folder"});

    std::ofstream(dir.File("text.tlg")) << "not a database";
    std::ofstream(dir.File("target.tlg")) << "keep me";
    EXPECT_FALSE(CompactInto(dir.File("text.tlg"), dir.File("target.tlg")));
    std::ifstream in(dir.File("target.tlg"));
    std::string kept((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(kept, "keep me");

    // A full disk at any write: the log keeps its workout, the backup is the old one or the
    // new one, whole, and nothing is left beside them.
    doc->SetBackupFolder(dir.File("Backup Logs"));
    ASSERT_TRUE(doc->OnOpenDocument(path));
    doc->OnCloseDocument();
    test::FailingVfs::Install();
    BackupOutcome outcome;
    for (int allowed = 0; outcome.result != BackupOutcome::Made; allowed += 1 + allowed / 4) {
        SCOPED_TRACE(allowed);
        ASSERT_LT(allowed, 2000);
        ASSERT_TRUE(doc->OnOpenDocument(path));
        doc->AddEntry(Entry(1, 3, 2025), nullptr);
        const long long before = Workouts(BackupFile());
        AgeFile(BackupFile(), 8);
        ui.messages.clear();
        test::FailingVfs::FailWritesAfter(allowed);
        outcome = doc->OnCloseDocument();
        test::FailingVfs::Disarm();
        EXPECT_EQ(ui.messages.size(), outcome.result == BackupOutcome::Failed ? 1u : 0u);
        SqliteDb backup(BackupFile(), false);
        Statement check = backup.Prepare("PRAGMA integrity_check");
        ASSERT_TRUE(check.Step());
        EXPECT_EQ(check.Text(0), "ok");
        const long long now = Workouts(BackupFile());
        EXPECT_TRUE(now == before || now == Workouts(path)) << now;
        if (outcome.result == BackupOutcome::Made) {
            EXPECT_EQ(now, Workouts(path));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("Backup Logs")),
                                fs::directory_iterator()),
                  1);
    }
}

// What a killed backup left behind goes with the next one.
TEST_F(BackupTest, LeftoversOfAKilledBackupAreRemoved) {
    fs::create_directories(dir.File("Backup Logs"));
    for (const char* name :
         {".logBAK.tlg.kivrun-tmp-999999999-7", "logBAK.tlg.kivrun-tmp",
          ".logBAK.tlg.kivrun-tmp-999999999-7-journal", ".gone.htm.kivrun-tmp-999999999-3"})
        std::ofstream(dir.File("Backup Logs/") + name) << "a copy cut short";
    std::ofstream(dir.File("Backup Logs/otherBAK.tlg")) << "another log's";
    EXPECT_EQ(doc->OnCloseDocument().result, BackupOutcome::Made);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.File("Backup Logs")))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"logBAK.tlg", "otherBAK.tlg"}));
}

}  // namespace
}  // namespace kivrun
