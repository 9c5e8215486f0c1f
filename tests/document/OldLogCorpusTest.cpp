#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

// The fuzz target's checks, so that every test run replays the awkward old logs.
#include "fuzz/OldLogFuzz.cpp"
#include "support/DocFixture.h"

namespace kivrun::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Corpus() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(KIVRUN_TEST_DATA) / "oldlogs"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Each file keeps the fuzz target's invariants. Each text log converts through the document:
// a sound log, and the text kept byte for byte. Binary junk is refused and left as it is; an
// empty file becomes a new log.
TEST(OldLogCorpus, EveryFileKeepsTheInvariantsAndConverts) {
    EXPECT_GE(Corpus().size(), 20u);
    for (const fs::path& file : Corpus()) {
        SCOPED_TRACE(file.filename().string());
        calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
        EXPECT_EQ(ExerciseOldLog(test::ReadBytes(file.string())), "");
        calendar::SetTodayForTesting(std::nullopt);
        test::TempDir dir;
        const std::string path = dir.File("log.tlg");
        fs::copy_file(file, path);
        test::ScriptedUi ui;
        ui.answers = {true};
        CTamselDoc doc(ui);
        doc.SetBackupFolder(dir.File("backup"));
        const bool junk = file.extension() == ".bin";
        ASSERT_EQ(doc.OnOpenDocument(path), !junk);
        if (junk) {
            EXPECT_EQ(test::ReadBytes(path), test::ReadBytes(file.string()));
            continue;
        }
        EXPECT_EQ(doc.Database().IntegrityProblems(), "");
        if (fs::file_size(file) > 0) {
            EXPECT_EQ(test::ReadBytes(dir.File("logOLD.tlg")), test::ReadBytes(file.string()));
        }
        ProgramState::Instance().Reset();
    }
}

// Time in proportion to the file: a megabyte line, and a hundred thousand sections.
TEST(OldLogCorpus, HugeFilesTakeTimeInProportion) {
    const std::string endless(1 << 20, 'x');
    std::string sections;
    for (int i = 0; i < 100000; ++i)
        sections += i % 2 ? "[Calendar\n]\n" : "[Mystery\n\n]\n";
    for (const std::string& text : {endless, sections}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ExerciseOldLog(text), "");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
}

}  // namespace
}  // namespace kivrun::fuzz
