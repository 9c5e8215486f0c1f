#include "output/ExportCommand.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "store/Database.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;

TEST(ExportFormat, TheFileNamesExtensionChoosesItExactly) {
    struct Case {
        const char* path;
        const char* extension;
        std::optional<ExportFormat> format;
    } cases[] = {
        {"log.htm", ".htm", ExportFormat::Html},
        {"/home/ann/log.txt", ".txt", ExportFormat::Text},
        {"log.xls", ".xls", ExportFormat::Xls},
        {"log.xlsx", ".xlsx", ExportFormat::Xlsx},
        {"log.tar.htm", ".htm", ExportFormat::Html},
        {"log.TXT", ".TXT", std::nullopt},
        {"log.html", ".html", std::nullopt},
        {"log.", ".", std::nullopt},
        {"log", "", std::nullopt},
        {"/home/ann/my.logs/log", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(ExportFormatOf(FileExtension(c.path)), c.format) << c.path;
    }
}

class ExportCommandTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        Transaction tx(doc->Database().sql());
        Statement add = doc->Database().sql().Prepare(
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
            "Notes) VALUES (?, 'R', 'G', 5, 2400, 480, ?)");
        for (int i = 0; i < 100; ++i) {
            add.Reset();
            add.Bind(1, CDate(3, 1, 2026).AddDays(i).ToSerial());
            add.Bind(2, "easy run number " + std::to_string(i));
            add.Run();
        }
        tx.Commit();
        doc->ReapplyFilter();
        out = dir.path() / "out";
        fs::create_directory(out);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(out))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path out;
};

struct Written {
    const char* extension;
    std::string start;  // how a file of the format begins
};
const Written kFormats[] = {
    {".htm", "<html>\n"}, {".txt", "Date\tSport\t"}, {".xls", "\xD0\xCF\x11\xE0"}, {".xlsx", "PK"}};

TEST_F(ExportCommandTest, ExportAsksWhereReplacesTheFileAndSaysSo) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const Written& w : kFormats) {
        const fs::path file = out / (std::string("log") + w.extension);
        std::ofstream(file) << "an older export";
        ui.messages.clear();
        ui.kinds.clear();
        ui.saveFiles = {file.string()};
        ExportLog(*doc);
        EXPECT_EQ(ui.messages, std::vector<std::string>{"File Export Complete!!"}) << w.extension;
        EXPECT_EQ(ui.kinds, std::vector<MessageKind>{MessageKind::Information});
        EXPECT_EQ(Read(file).substr(0, w.start.size()), w.start) << w.extension;
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << w.extension;
    }
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"log.htm", "log.txt", "log.xls", "log.xlsx"}));
    EXPECT_EQ(ui.waitDepth, 0);

    ui.messages.clear();
    ui.saveFiles = {std::nullopt};  // cancelled
    ExportLog(*doc);
    EXPECT_TRUE(ui.messages.empty());
}

// A name without an extension is written as text (ExportCommandsTest, through the tool); one
// with an extension no format has writes nothing.
TEST_F(ExportCommandTest, AnUnsupportedExtensionWritesNothingAndSaysSo) {
    for (const char* name : {"log.TXT", "log.csv", "log.", ""}) {
        ui.messages.clear();
        ui.saveFiles = {out.string() + "/" + name};
        ExportLog(*doc);
        ASSERT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(ui.messages[0].rfind("Nothing was exported", 0), 0u) << ui.messages[0];
    }
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ExportCommandTest, AFolderThatCannotTakeTheFileLeavesNothingBehind) {
    fs::create_directory(out / "taken.htm");  // a folder where the file would go
    fs::create_directory(out / "locked");
    fs::permissions(out / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    struct Case {
        fs::path path;
        const char* reason;
    } cases[] = {
        {out / "missing" / "log.htm", "No such file or directory"},
        {out / "taken.htm", "Is a directory"},
        {out / "locked" / "log.xlsx", "Permission denied"},
    };
    for (const Case& c : cases) {
        // Permissions do not hold a superuser back.
        if (std::string(c.reason) == "Permission denied" && ::geteuid() == 0) continue;
        ui.messages.clear();
        EXPECT_EQ(ExportToPath(*doc, c.path.string()).result, ExportOutcome::Failed);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].rfind("Couldn't export the training log--Exception: ", 0), 0u);
        EXPECT_NE(ui.messages[0].find(c.reason), std::string::npos) << ui.messages[0];
    }
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"locked", "taken.htm"}));
    EXPECT_TRUE(fs::is_empty(out / "locked"));
    EXPECT_TRUE(fs::is_empty(out / "taken.htm"));
    fs::permissions(out / "locked", fs::perms::owner_all);
}

// While it lives, no file may grow past `bytes`: a disk that fills up half-way.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

  private:
    rlimit previous_{};
    void (*previousSignal_)(int);
};

TEST_F(ExportCommandTest, AnExportThatFailsHalfWayKeepsTheFileThatWasThere) {
    // Every preference the exports read exists before the limit holds.
    ASSERT_EQ(ExportToPath(*doc, dir.File("first.htm")).result, ExportOutcome::Written);
    for (const Written& w : kFormats) {
        const fs::path file = out / (std::string("log") + w.extension);
        std::ofstream(file) << "an older export";
        ui.messages.clear();
        ExportOutcome outcome;
        {
            FileSizeLimit limit(3000);
            outcome = ExportToPath(*doc, file.string());
        }
        EXPECT_EQ(outcome.result, ExportOutcome::Failed) << w.extension;
        ASSERT_EQ(ui.messages.size(), 1u) << w.extension;
        EXPECT_EQ(ui.messages[0].rfind("Couldn't export the training log--Exception: ", 0), 0u)
            << ui.messages[0];
        EXPECT_EQ(Read(file), "an older export") << w.extension;
    }
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"log.htm", "log.txt", "log.xls", "log.xlsx"}));
}

}  // namespace
}  // namespace kivrun
