#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace kivrun::test {

struct ToolResult {
    int status = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command; its exit status and what it wrote to stdout.
inline ToolResult RunCommand(const std::string& cmd) {
    ToolResult r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Runs kivrun-tool with the arguments; stderr is collected through a file.
inline ToolResult RunTool(const std::string& args, const std::string& scratchDir) {
    const std::string errFile = scratchDir + "/tool-stderr.txt";
    const std::string cmd =
        std::string(KIVRUN_TOOL_PATH) + " " + args + " 2>" + ShellQuote(errFile);
    ToolResult r = RunCommand(cmd);
    std::array<char, 4096> buf;
    size_t n;
    if (FILE* e = fopen(errFile.c_str(), "r")) {
        while ((n = fread(buf.data(), 1, buf.size(), e)) > 0)
            r.err.append(buf.data(), n);
        fclose(e);
    }
    return r;
}

}  // namespace kivrun::test
