#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::puts("usage: kivrun-tool COMMAND [ARGS]");
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "kivrun-tool: unknown command '%s'\n", argv[1]);
    return 2;
}
