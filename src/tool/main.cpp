#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>

#include "store/Database.h"
#include "tool/Tool.h"
#include "values/NumberFormat.h"

namespace kivrun::tool {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

Registration::Registration(const Command& command) {
    auto& all = Commands();
    auto at = std::find_if(all.begin(), all.end(),
                           [&](const Command& c) { return c.order > command.order; });
    all.insert(at, command);
}

void ExpectArgs(const Context& c, size_t n) {
    if (c.args.size() < n) throw UsageError{"missing argument"};
    if (c.args.size() > n) throw UsageError{"too many arguments"};
}

Options ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& known) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            const std::string name = a.substr(2);
            if (std::find(known.begin(), known.end(), name) == known.end())
                throw UsageError{"unknown option " + a};
            if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
            o.named[name] = args[++i];
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

double Number(const std::string& text, const char* what) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end) throw UsageError{std::string(what) + " is not a number: " + text};
    return v;
}

RowId Id(const std::string& text, const char* what) {
    const long long id = TextToLong(text);
    if (id <= 0 || IntToText(id) != TrimBlanks(text))
        throw UsageError{std::string(what) + " is not a number: " + text};
    return id;
}

void TerminalUserInterface::Tell(const std::string& text, MessageKind) {
    ++messages_;
    err_ << text << '\n';
}

bool TerminalUserInterface::AskYesNo(const std::string& text) {
    err_ << text << (answerYes_ ? " [Yes]" : " [No]") << '\n';
    return answerYes_;
}

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: kivrun-tool COMMAND [ARGS]\n"
           "  or:  kivrun-tool --help | --version\n\n"
           "A headless companion to the Kivrun training log: it creates, checks, fills, totals\n"
           "and exports logs with the same code as the desktop program.\n\nCommands:\n";
    for (const Command& c : Commands())
        out << "  " << c.usage << "\n      " << c.summary << "\n";
}

}  // namespace
}  // namespace kivrun::tool

namespace {

int Run(int argc, char** argv) {
    using namespace kivrun::tool;
    if (argc < 2) {
        PrintHelp(std::cerr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        PrintHelp(std::cout);
        return 0;
    }
    if (!std::strcmp(argv[1], "--version")) {
        // The version the desktop program shows in its About box.
        std::cout << "kivrun-tool (Kivrun) 1.0.03\n"
                     "Copyright (C) 2026 The Kivrun developers\n"
                     "License GPLv3+: GNU GPL version 3 or later "
                     "<https://gnu.org/licenses/gpl.html>.\n"
                     "This is free software: you are free to change and redistribute it.\n"
                     "There is NO WARRANTY, to the extent permitted by law.\n";
        return 0;
    }
    for (const Command& command : Commands()) {
        if (std::strcmp(argv[1], command.name) != 0) continue;
        Context context{{argv + 2, argv + argc}, std::cout, std::cerr};
        try {
            return command.run(context);
        } catch (const UsageError& e) {
            std::cerr << "kivrun-tool " << command.name << ": " << e.message
                      << "\nusage: kivrun-tool " << command.usage << '\n';
            return 2;
        } catch (const kivrun::DbError& e) {
            std::cerr << "kivrun-tool " << command.name << ": " << e.what() << '\n';
            return 1;
        } catch (const std::exception& e) {
            std::cerr << "kivrun-tool " << command.name << ": " << e.what() << '\n';
            return 1;
        }
    }
    std::cerr << "kivrun-tool: unknown command '" << argv[1] << "' (see kivrun-tool --help)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Output goes through one large buffer: a list of a hundred thousand workouts is a few
    // hundred writes, not one a line.
    std::ios::sync_with_stdio(false);
    static char buffer[1 << 20];
    std::cout.rdbuf()->pubsetbuf(buffer, sizeof buffer);
    int result = Run(argc, argv);
    std::cout.flush();
    if (!std::cout) {
        // A full disk or a closed pipe: what was printed is not all there.
        std::cerr << "kivrun-tool: could not write the output\n";
        if (result == 0) result = 1;
    }
    return result;
}
