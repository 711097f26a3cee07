#include "cli/options.h"

#include <charconv>
#include <set>
#include <string_view>

namespace velmora::cli {

const char* const USAGE =
    "usage: velmora-cli COMMAND ...\n"
    "  survey FILE [--move N | --all]                 influence grids of both boards\n"
    "  moves FILE --side white|black [--move N | --all]  moves the person's rules accept\n"
    "  show FILE [--move N]                           both boards as text\n"
    "  com FILE [--level 1|2|3] [--move N | --all]     the computer's choice on each position\n"
    "  selfplay --games N --seed S [--level L] [--out FILE]  computer against a random mover\n"
    "FILE is a game record: 3 header lines, then 512-character snapshot lines.\n"
    "--move N picks snapshot line N (0-based, default the last one).\n";

namespace {

template <class T>
bool parseNumber(std::string_view text, T& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && ptr == text.data() + text.size();
}

}  // namespace

std::optional<std::string> parseOptions(int argc, char** argv, Options& o) {
    if (argc < 2) return std::string("no command given");
    o.command = argv[1];
    static const std::set<std::string> COMMANDS = {"survey", "moves", "show", "com", "selfplay", "help"};
    if (!COMMANDS.count(o.command)) return "unknown command '" + o.command + "'";
    if (o.command == "help") return std::nullopt;

    const bool takesFile = o.command != "selfplay";
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string_view& v) -> bool {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        std::string_view v;
        if (arg == "--move" && o.command != "selfplay") {
            int n = 0;
            if (!value(v) || !parseNumber(v, n)) return std::string("--move needs a number");
            o.move = n;
        } else if (arg == "--all" && o.command != "show" && o.command != "selfplay") {
            o.all = true;
        } else if (arg == "--side" && o.command == "moves") {
            if (!value(v) || (v != "white" && v != "black")) return std::string("--side needs white or black");
            o.side = std::string(v);
        } else if (arg == "--level" && (o.command == "com" || o.command == "selfplay")) {
            if (!value(v) || !parseNumber(v, o.level) || o.level < 1 || o.level > 3) {
                return std::string("--level needs 1, 2 or 3");
            }
        } else if (arg == "--games" && o.command == "selfplay") {
            if (!value(v) || !parseNumber(v, o.games) || o.games < 1) return std::string("--games needs a positive number");
        } else if (arg == "--seed" && o.command == "selfplay") {
            if (!value(v) || !parseNumber(v, o.seed)) return std::string("--seed needs a number");
        } else if (arg == "--out" && o.command == "selfplay") {
            if (!value(v)) return std::string("--out needs a file name");
            o.out = std::string(v);
        } else if (takesFile && o.file.empty() && !arg.starts_with("--")) {
            o.file = std::string(arg);
        } else {
            return "unknown option '" + std::string(arg) + "' for " + o.command;
        }
    }
    if (takesFile && o.file.empty()) return o.command + " needs a record file";
    if (o.all && o.move) return std::string("--move and --all exclude each other");
    if (o.command == "moves" && o.side.empty()) return std::string("moves needs --side white|black");
    return std::nullopt;
}

}  // namespace velmora::cli
