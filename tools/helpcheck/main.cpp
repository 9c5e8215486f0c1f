// Checks the user guide before it is compiled into the program: every page the program or
// the contents links to exists, every link and picture resolves, and the resource list
// names every file of the guide. Run by the build; prints each fault and fails on any.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/HelpGuide.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: kivrun-help-check HELP_FOLDER RESOURCE_LIST.qrc [STAMP]\n";
        return 2;
    }
    const fs::path folder = argv[1];
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = Slurp(entry.path());
    if (error) {
        std::cerr << folder.string() << ": " << error.message() << "\n";
        return 2;
    }

    std::vector<std::string> problems = kivrun::HelpProblems(files);
    // The resource list names its files as "help/<path>".
    const std::string list = Slurp(argv[2]);
    const std::regex entry("<file>help/([^<]+)</file>");
    std::set<std::string> listed;
    for (auto it = std::sregex_iterator(list.begin(), list.end(), entry);
         it != std::sregex_iterator(); ++it)
        listed.insert((*it)[1]);
    for (const auto& [path, bytes] : files)
        if (!listed.count(path)) problems.push_back(path + ": not in " + argv[2]);
    for (const std::string& path : listed)
        if (!files.count(path)) problems.push_back(std::string(argv[2]) + ": no file " + path);

    for (const std::string& problem : problems) std::cerr << "help: " << problem << "\n";
    if (!problems.empty()) return 1;
    if (argc > 3) std::ofstream(argv[3]) << "ok\n";
    return 0;
}
