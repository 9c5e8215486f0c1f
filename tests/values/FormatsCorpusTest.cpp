#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The fuzz target's checks, so that every test run replays its seed corpus.
#include "fuzz/FormatsFuzz.cpp"

namespace kivrun::fuzz {
namespace {

TEST(FormatsCorpus, EverySeedKeepsTheInvariants) {
    const auto dir =
        std::filesystem::path(KIVRUN_TEST_DATA).parent_path() / "fuzz" / "corpus" / "formats";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        EXPECT_EQ(ExerciseFormats(text), "") << entry.path().filename() << ": " << text;
        ++seeds;
    }
    EXPECT_GT(seeds, 0);
}

}  // namespace
}  // namespace kivrun::fuzz
