#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Rows.h"
#include "store/UserInterface.h"
#include "values/Date.h"
#include "values/ElapsedTime.h"

namespace kivrun::tool {

// What a command gets: its arguments (after the command name) and the two streams.
struct Context {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

// Thrown for bad arguments; the message is printed with the command's usage.
struct UsageError {
    std::string message;
};

struct Command {
    int order;  // place in --help
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(Context&);
};

// Commands register themselves, each file its own, with a static Registration.
std::vector<Command>& Commands();
struct Registration {
    explicit Registration(const Command& command);
};

// Messages the core would show in a box go to stderr; questions are answered No unless the
// command says otherwise.
class TerminalUserInterface : public SilentUserInterface {
  public:
    explicit TerminalUserInterface(std::ostream& err, bool answerYes = false)
        : err_(err), answerYes_(answerYes) {}
    bool AskYesNo(const std::string& text) override;
    int messages() const { return messages_; }

  protected:
    void Tell(const std::string& text, MessageKind kind) override;

  private:
    std::ostream& err_;
    bool answerYes_;
    int messages_ = 0;
};

// Argument helpers shared by the commands.
void ExpectArgs(const Context& c, size_t n);

// "--name value" options split off the arguments; the rest stay positional.
struct Options {
    std::vector<std::string> positional;
    std::map<std::string, std::string> named;
    const std::string* Find(const std::string& name) const {
        auto it = named.find(name);
        return it == named.end() ? nullptr : &it->second;
    }
};
// Unknown options and options without a value are usage errors.
Options ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& known);
// Each argument is read whole; anything else is a usage error naming `what` and what it
// accepts. The ranges are what the log's views can show.
constexpr double kMaxDistance = 100000;  // in the sport's own unit
constexpr double kMaxOptional = 100000;  // either way of 0
constexpr long long kMaxCount = 10000;   // sets, weights and repetitions
// A finite number.
double Number(const std::string& text, const char* what);
double NumberArg(const std::string& text, const char* what, double low, double high);
long long WholeArg(const std::string& text, const char* what, long long low, long long high);
// A row id (a whole number above 0).
RowId Id(const std::string& text, const char* what);
// M/D/YYYY (or M/D/YY, or M/D for this year), 1/1/1901 to 12/31/2099.
CDate DateArg(const std::string& text, const char* what = "DATE");
// As the entry form reads it (H:MM:SS, or hours as a decimal), above 0 and under 1000 hours.
CElapsedTime TimeArg(const std::string& text, const char* what = "TIME");
// Text the log keeps: valid UTF-8.
const std::string& TextArg(const std::string& text, const char* what);
// A --routine text: every number cell empty or a whole number from 0 to kMaxCount.
void CheckRoutineText(const std::string& text);

// False after saying so when path is not a file (missing, or a folder).
bool IsAFile(const char* command, const std::string& path, std::ostream& err);

// Opens a log through the document, exactly as the desktop program does (an old text log
// is not converted: that is what 'convert' is for, and an empty file is not made a log:
// that is what 'new' is for). Null after saying why, in one line, on err.
// readOnly: for commands that only read, which then never change the file.
std::unique_ptr<CTamselDoc> OpenDocument(const char* command, const std::string& path,
                                         TerminalUserInterface& ui, std::ostream& err,
                                         bool readOnly = false);

// The program's backup folder: "Backup Logs" in its data folder.
std::string DefaultBackupFolder();

}  // namespace kivrun::tool
