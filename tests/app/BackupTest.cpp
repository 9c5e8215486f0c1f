#include "app/Backup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>

#include "store/LogEntryFilteredSet.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;
using test::Entry;

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

long long Entries(const std::string& path) {
    SqliteDb db(path, false);
    Statement s = db.Prepare("SELECT count(*) FROM \"Log Entry\"");
    s.Step();
    return s.Int64(0);
}

class BackupTest : public test::DocFixture {
  protected:
    std::string BackupFile() const { return dir.File("Backup Logs/logBAK.tlg"); }
};

TEST_F(BackupTest, ClosingMakesTheFirstBackup) {
    doc->AddEntry(Entry(1, 2, 2025), nullptr);
    doc->OnCloseDocument();
    ASSERT_TRUE(fs::exists(BackupFile()));
    EXPECT_EQ(Entries(BackupFile()), 1);
    EXPECT_EQ(Entries(path), 1);
    EXPECT_FALSE(fs::exists(BackupFile() + ".kivrun-tmp"));
}

TEST_F(BackupTest, ABackupIsReplacedOnlyWhenItIsOldEnough) {
    doc->OnCloseDocument();  // first backup, no entries
    struct Case {
        int ageDays;
        bool replaced;
    } cases[] = {{3, false}, {6, false}, {7, true}, {8, true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(doc->OnOpenDocument(path));
        doc->AddEntry(Entry(1, 2, 2025), nullptr);
        const long long inLog = Entries(path);
        const long long inBackup = Entries(BackupFile());
        AgeFile(BackupFile(), c.ageDays);
        doc->OnCloseDocument();  // DaysBetweenBackup is 7 in a new log
        EXPECT_EQ(Entries(BackupFile()), c.replaced ? inLog : inBackup) << c.ageDays;
        EXPECT_EQ(Entries(path), inLog) << c.ageDays;
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

TEST_F(BackupTest, FailuresLeaveTheLogAndTheOldBackupAlone) {
    doc->AddEntry(Entry(1, 2, 2025), nullptr);
    const std::string notAFolder = dir.File("not a folder");
    std::ofstream(notAFolder) << "x";
    doc->SetBackupFolder(notAFolder);
    doc->OnCloseDocument();  // nothing said, nothing lost
    EXPECT_EQ(Entries(path), 1);
    EXPECT_TRUE(ui.messages.empty());

    std::ofstream(dir.File("text.tlg")) << "not a database";
    std::ofstream(dir.File("target.tlg")) << "keep me";
    EXPECT_FALSE(CompactInto(dir.File("text.tlg"), dir.File("target.tlg")));
    std::ifstream in(dir.File("target.tlg"));
    std::string kept((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(kept, "keep me");
    EXPECT_FALSE(fs::exists(dir.File("target.tlg.kivrun-tmp")));
}

}  // namespace
}  // namespace kivrun
