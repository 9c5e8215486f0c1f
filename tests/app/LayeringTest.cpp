#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = KIVRUN_SOURCE_DIR;

// Folder -> its line in LAYERS (folders on one line share it).
std::map<std::string, int> ReadLayers() {
    std::ifstream in(kSource / "LAYERS");
    std::map<std::string, int> rank;
    std::string line;
    int level = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        for (std::string folder; words >> folder;)
            rank[folder] = level;
        ++level;
    }
    return rank;
}

TEST(LayeringTest, IncludesPointDownTheLayersAndNeverFromCoreIntoTheGui) {
    const std::map<std::string, int> rank = ReadLayers();
    ASSERT_FALSE(rank.empty()) << "src/LAYERS is missing or empty";
    const std::regex include(R"re(^\s*#\s*include\s*"([a-z]+)/([^"]*)")re");
    std::set<std::string> unlisted;
    std::string faults;
    for (const auto& entry : fs::recursive_directory_iterator(kSource)) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), kSource);
        const std::string ext = rel.extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        const std::string folder = rel.begin()->string();
        if (!rank.count(folder)) {
            unlisted.insert(folder);
            continue;
        }
        const bool core = rel.string().find("/ui/") == std::string::npos;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string target = m[1];
            const std::string where = rel.string() + ":" + std::to_string(number) + ": ";
            if (!rank.count(target))
                faults += where + "includes " + target + "/, which src/LAYERS does not list\n";
            else if (target != folder && rank.at(target) >= rank.at(folder))
                faults += where + "includes " + target + "/, which stands above or beside " +
                          folder + "/\n";
            if (core && std::string(m[2]).find("ui/") != std::string::npos)
                faults += where + "the core includes a GUI header\n";
        }
    }
    for (const auto& folder : unlisted)
        faults += "src/" + folder + "/ is not placed in src/LAYERS\n";
    EXPECT_EQ(faults, "");
}

}  // namespace
