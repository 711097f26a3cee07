#pragma once
// velmora-cli run from a test (VELMORA_CLI names the program) for the
// commands that answer in JSON lines.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "json_value.h"

namespace velmora::testing {

struct JsonCliRun {
    int status = -1;  // the exit status; -1 when it did not exit
    std::string text;  // the whole output
    std::vector<Json> lines;
};

// `velmora-cli ARGS` with its standard error dropped: the exit status, the
// output and each line of it read as JSON.
inline JsonCliRun jsonCli(const std::string& args) {
    const std::string command = std::string(VELMORA_CLI) + " " + args + " 2>/dev/null";
    JsonCliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.text.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream in(run.text);
    for (std::string line; std::getline(in, line);) run.lines.push_back(Json::parse(line));
    return run;
}

}  // namespace velmora::testing
