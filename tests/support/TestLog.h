#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "store/DefaultRows.h"
#include "store/LogDatabase.h"
#include "store/Schema.h"
#include "store/UserInterface.h"

namespace kivrun::test {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A user who answers as scripted and remembers everything the program said.
class ScriptedUi : public UserInterface {
  public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<bool> answers;                      // consumed front to back; No when exhausted
    std::vector<std::optional<std::string>> texts;  // typed when asked; cancelled when exhausted
    std::vector<std::pair<std::string, std::string>> prompts;  // asked for text, proposed
    std::vector<std::optional<std::string>> saveFiles;
    std::vector<std::optional<std::string>> openFiles;
    std::optional<ImportOptions> importOptions;
    int preferencesShown = 0;
    int waitDepth = 0;
    // Runs while a question is open, before it is answered.
    std::function<void()> onAsk;

    std::vector<MessageKind> kinds;  // one per message
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (onAsk) onAsk();
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::optional<std::string> AskText(const std::string& prompt,
                                       const std::string& proposed) override {
        prompts.emplace_back(prompt, proposed);
        return Take(texts);
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override {
        return Take(saveFiles);
    }
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override {
        return Take(openFiles);
    }
    std::optional<ImportOptions> ChooseImportOptions() override { return importOptions; }
    void ShowPreferences(CTamselDoc&) override { ++preferencesShown; }
    void Tell(const std::string& text, MessageKind kind) override {
        messages.push_back(text);
        kinds.push_back(kind);
    }
    void BeginWait() override { ++waitDepth; }
    void EndWait() override { --waitDepth; }

  private:
    static std::optional<std::string> Take(std::vector<std::optional<std::string>>& v) {
        if (v.empty()) return std::nullopt;
        auto r = v.front();
        v.erase(v.begin());
        return r;
    }
};

// A scratch folder removed when the test ends.
class TempDir {
  public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("kivrun-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    std::filesystem::path path_;
};

// Every row a query gives, columns joined by "|", rows by ";".
inline std::string QueryRows(LogDatabase& db, const std::string& sql) {
    Statement s = db.sql().Prepare(sql);
    std::string out;
    while (s.Step()) {
        if (!out.empty()) out += ";";
        for (int c = 0; c < s.ColumnCount(); ++c)
            out += (c ? "|" : "") + s.Text(c);
    }
    return out;
}

// The workouts in the log file at path, or those of them `where` picks.
inline long long Workouts(const std::string& path, const std::string& where = "") {
    SqliteDb db(path, false);
    Statement s =
        db.Prepare("SELECT count(*) FROM \"Log Entry\"" + (where.empty() ? "" : " WHERE " + where));
    return s.Step() ? s.Int64(0) : -1;
}

// A new log with its structure and default rows, open.
inline std::unique_ptr<LogDatabase> NewLog(const std::string& path, UserInterface& ui) {
    auto db = LogDatabase::Create(path, ui);
    if (!db || !schema::BuildOrComplete(*db, ui)) return nullptr;
    WriteDefaultRows(*db);
    return db;
}

}  // namespace kivrun::test
