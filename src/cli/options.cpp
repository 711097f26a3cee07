#include "cli/options.h"

#include "com/level.h"

#include <charconv>
#include <set>
#include <tuple>
#include <string_view>

namespace velmora::cli {

const char* const USAGE =
    "usage: velmora-cli COMMAND ...\n"
    "  --help | --version                             this text, or the version\n"
    "  survey FILE [--move N | --all]                 influence grids of both boards\n"
    "  moves FILE --side white|black [--move N | --all]  moves the person's rules accept\n"
    "  show FILE [--move N]                           both boards as text\n"
    "  position FILE [--move N | --all]               the position's one-line text\n"
    "  com FILE [--level 1-12] [--time MS] [--move N | --all]  the computer's choice on each position\n"
    "    (levels 4-12 are the search engine's ladder, each with its own budget a move\n"
    "    unless --time gives one; level 12 is the full engine)\n"
    "  selfplay --games N --seed S [--level L] [--out FILE]  computer against a random mover\n"
    "  match --white L|--white-program PATH --black L|--black-program PATH --games N --seed S\n"
    "        [--time MS] [--white-time MS] [--black-time MS]\n"
    "    two levels (1-12) against each other; --time is both sides' budget at levels\n"
    "    4-12, --white-time and --black-time one side's (and win over --time); without\n"
    "    them each level plays at its own. The summary line gives white's Elo\n"
    "    difference and its 95% margin. A side given a program plays the answers of\n"
    "    'PATH com RECORD --level L [--time MS]', L from --white/--black or else 12.\n"
    "    --time-control puts both sides on clocks (MIN minutes, INC seconds added a\n"
    "    move, e.g. 0.1+0.1): levels 4-12 plan each search from the time left, its\n"
    "    budget at most; a side whose time runs out loses\n"
    "  perft FILE --depth D [--move N] [--divide] [--side white|black]  engine move counts\n"
    "  analyse FILE [--time MS] [--jobs N]             the engine's review of every move\n"
    "    one JSON line a move (scores from the first player's side in hundredths of a\n"
    "    pawn, or the king's fall), then each side's marks; MS is each position's\n"
    "    budget (default 500, counted in nodes, so the same on any machine), N the\n"
    "    positions searched at once (default: one a core)\n"
    "FILE is a game record: 3 header lines, then 512-character snapshot lines.\n"
    "--move N picks snapshot line N (0-based, default the last one).\n"
    "--position TEXT stands for FILE in survey, moves, show, com, perft and analyse\n"
    "(that one position; moves and perft default to its side to move, analyse gives\n"
    "its score and line) and makes every game of match start from it.\n";

namespace {

// Reads a whole decimal number into `value` within [low, high]; otherwise the
// message says what was wrong with it.
template <class T>
std::optional<std::string> parseNumber(std::string_view option, std::string_view text, T low, T high, T& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string range = std::to_string(low) + " to " + std::to_string(high);
    if (ptr != text.data() + text.size() || (ec != std::errc{} && ec != std::errc::result_out_of_range) ||
        text.empty()) {
        return std::string(option) + " needs a number from " + range + ", not '" + std::string(text) + "'";
    }
    if (ec == std::errc::result_out_of_range || value < low || value > high) {
        return std::string(option) + " " + std::string(text) + " is out of range (" + range + ")";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> parseOptions(int argc, char** argv, Options& o) {
    if (argc < 2) return std::string("no command given; velmora-cli --help lists them");
    o.command = argv[1];
    if (o.command == "--help") o.command = "help";
    if (o.command == "--version") o.command = "version";
    static const std::set<std::string> COMMANDS = {"survey", "moves", "show", "position", "com", "selfplay", "match", "perft", "analyse", "help", "version"};
    if (!COMMANDS.count(o.command)) return "unknown command '" + o.command + "'; velmora-cli --help lists them";
    if (o.command == "help" || o.command == "version") {
        if (argc > 2) return o.command + " takes no arguments, not '" + std::string(argv[2]) + "'";
        return std::nullopt;
    }

    const bool match = o.command == "match";
    // Commands that play games of their own and read no record file.
    const bool selfplay = o.command == "selfplay" || match;
    std::set<std::string_view> seen;
    bool gamesGiven = false, seedGiven = false, timeGiven = false;
    std::optional<int> whiteTime, blackTime;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool option = arg.starts_with("--");
        if (option && !seen.insert(arg).second) return std::string(arg) + " is given more than once";
        auto value = [&](std::string_view& v) -> bool {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        std::string_view v;
        std::optional<std::string> bad;
        if (arg == "--position" && o.command != "selfplay" && o.command != "position") {
            if (!value(v)) return std::string("--position needs a position's text");
            o.position = std::string(v);
        } else if (arg == "--move" && !selfplay && o.command != "analyse") {
            int n = 0;
            if (!value(v)) return std::string("--move needs a number");
            bad = parseNumber<int>(arg, v, 0, 1'000'000, n);
            o.move = n;
        } else if (arg == "--all" && o.command != "show" && o.command != "perft" && o.command != "analyse" && !selfplay) {
            o.all = true;
        } else if (arg == "--side" && (o.command == "moves" || o.command == "perft")) {
            if (!value(v) || (v != "white" && v != "black")) return std::string("--side needs white or black");
            o.side = std::string(v);
        } else if (arg == "--level" && o.command == "com") {
            if (!value(v)) return std::string("--level needs a level, 1 to 12");
            bad = parseNumber(arg, v, 1, MAX_LEVEL, o.level);
        } else if ((arg == "--white" || arg == "--black") && match) {
            if (!value(v)) return std::string(arg) + " needs a level, 1 to 12";
            bad = parseNumber(arg, v, 1, MAX_LEVEL, arg == "--white" ? o.whiteLevel : o.blackLevel);
        } else if ((arg == "--white-program" || arg == "--black-program") && match) {
            if (!value(v) || v.empty()) return std::string(arg) + " needs a program";
            (arg == "--white-program" ? o.whiteProgram : o.blackProgram) = std::string(v);
        } else if (arg == "--time" && match) {
            if (!value(v)) return std::string("--time needs a number of milliseconds");
            bad = parseNumber(arg, v, 1, 600'000, o.timeMs);
            timeGiven = true;
        } else if ((arg == "--white-time" || arg == "--black-time") && match) {
            if (!value(v)) return std::string(arg) + " needs a number of milliseconds";
            std::optional<int>& side = arg == "--white-time" ? whiteTime : blackTime;
            side = 0;
            bad = parseNumber(arg, v, 1, 600'000, *side);
        } else if (arg == "--time-control" && match) {
            if (!value(v)) return std::string("--time-control needs MIN+INC, e.g. 1+0");
            const std::optional<TimeControl> control = parseTimeControl(v);
            if (!control) {
                // The one line on stderr escapes it, as it does every message.
                return "bad --time-control '" + std::string(v) +
                       "': give MIN+INC, minutes above 0 and at most 180, seconds 0 to 60";
            }
            o.timeControl = *control;
        } else if (arg == "--level" && selfplay && !match) {
            if (!value(v)) return std::string("--level needs 1, 2 or 3");
            bad = parseNumber(arg, v, 1, 3, o.level);
        } else if (arg == "--time" && o.command == "com") {
            if (!value(v)) return std::string("--time needs a number of milliseconds");
            bad = parseNumber(arg, v, 1, 600'000, o.timeMs);
            timeGiven = true;
        } else if (arg == "--time" && o.command == "analyse") {
            if (!value(v)) return std::string("--time needs a number of milliseconds");
            bad = parseNumber(arg, v, 1, 600'000, o.timeMs);
        } else if (arg == "--jobs" && o.command == "analyse") {
            if (!value(v)) return std::string("--jobs needs a number");
            bad = parseNumber(arg, v, 1, 256, o.jobs);
        } else if (arg == "--depth" && o.command == "perft") {
            if (!value(v)) return std::string("--depth needs a number");
            bad = parseNumber(arg, v, 1, 10, o.depth);
        } else if (arg == "--divide" && o.command == "perft") {
            o.divide = true;
        } else if (arg == "--games" && selfplay) {
            if (!value(v)) return std::string("--games needs a number");
            bad = parseNumber(arg, v, 1, match ? MAX_MATCH_GAMES : MAX_SELFPLAY_GAMES, o.games);
            gamesGiven = true;
        } else if (arg == "--seed" && selfplay) {
            if (!value(v)) return std::string("--seed needs a number");
            bad = parseNumber(arg, v, 0ul, 4294967295ul, o.seed);
            seedGiven = true;
        } else if (arg == "--out" && selfplay && !match) {
            if (!value(v) || v.empty()) return std::string("--out needs a file name");
            o.out = std::string(v);
        } else if (!selfplay && !option) {
            if (!o.file.empty()) return "one record file only, not also '" + std::string(arg) + "'";
            o.file = std::string(arg);
        } else {
            return "unknown option '" + std::string(arg) + "' for " + o.command;
        }
        if (bad) return bad;
    }
    if (o.position && !o.file.empty()) return "a record file or --position, not both";
    if (o.position && (o.move || o.all)) return std::string("--move and --all pick positions of a record file, not of --position");
    if (!selfplay && o.file.empty() && !o.position) {
        return o.command + (o.command == "position" ? " needs a record file" : " needs a record file or --position TEXT");
    }
    if (o.all && o.move) return std::string("--move and --all exclude each other");
    if (o.command == "moves" && o.side.empty() && !o.position) return std::string("moves needs --side white|black");
    if (o.command == "perft" && o.depth == 0) return std::string("perft needs --depth D");
    if (timeGiven && !match && !isEngineLevel(o.level)) return std::string("--time is the budget of levels 4-12 only");
    if (match) {
        for (const auto& [level, program, side] : {std::tuple(&o.whiteLevel, &o.whiteProgram, "white"),
                                                  std::tuple(&o.blackLevel, &o.blackProgram, "black")}) {
            const std::string s = side;
            if (*level == 0 && program->empty()) return "match needs --" + s + " L or --" + s + "-program PATH";
            // Another program is asked for the level given, else its full engine.
            if (!program->empty() && *level == 0) *level = MAX_LEVEL;
            if (!program->empty() && !isEngineLevel(*level)) return "--" + s + "-program plays levels 4-12 only";
        }
    }
    if (o.timeControl.on() && (!o.whiteProgram.empty() || !o.blackProgram.empty())) {
        return std::string("--time-control is for this program's own levels, not with another program");
    }
    if (timeGiven && match && !isEngineLevel(o.whiteLevel) && !isEngineLevel(o.blackLevel)) {
        return std::string("--time is the budget of levels 4-12 only");
    }
    if (whiteTime && !isEngineLevel(o.whiteLevel)) return std::string("--white-time is the budget of levels 4-12 only");
    if (blackTime && !isEngineLevel(o.blackLevel)) return std::string("--black-time is the budget of levels 4-12 only");
    // A side's own budget wins over --time; without either the level's own.
    const std::optional<int> both = timeGiven ? std::optional(o.timeMs) : std::nullopt;
    o.whiteTimeMs = whiteTime.value_or(both.value_or(0));
    o.blackTimeMs = blackTime.value_or(both.value_or(0));
    // analyse keeps its own budget; the levels' commands theirs only when given.
    if (!timeGiven && o.command != "analyse") o.timeMs = 0;
    if (selfplay && !gamesGiven) return o.command + " needs --games N";
    if (selfplay && !seedGiven) return o.command + " needs --seed S";
    return std::nullopt;
}

}  // namespace velmora::cli
