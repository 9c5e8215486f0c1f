#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Rows.h"
#include "store/UserInterface.h"

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
// A number text; anything else is a usage error naming `what`.
double Number(const std::string& text, const char* what);
// A row id (a whole number above 0); anything else is a usage error naming `what`.
RowId Id(const std::string& text, const char* what);

// Opens a log through the document, exactly as the desktop program does (an old text log
// is not converted: that is what 'convert' is for). Null after saying why on err.
// readOnly: for commands that only read, which then never change the file.
std::unique_ptr<CTamselDoc> OpenDocument(const char* command, const std::string& path,
                                         UserInterface& ui, std::ostream& err,
                                         bool readOnly = false);

// The program's backup folder: "Backup Logs" in its data folder.
std::string DefaultBackupFolder();

}  // namespace kivrun::tool
