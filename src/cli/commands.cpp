#include "cli/commands.h"

#include <cstdio>

#include "cli/json_out.h"
#include "com/search.h"

namespace velmora::cli {
namespace {

std::string bestJson(const BestMove& best) {
    if (!best.found()) return "null";
    return "{\"score\": " + numberJson(best.score) + ", \"from\": " + squareJson(best.fromFile, best.fromRank) +
           ", \"to\": " + squareJson(best.toFile, best.toRank) +
           ", \"placedPiece\": " + std::to_string(best.placedPiece) +
           ", \"movingPiece\": " + std::to_string(best.movingPiece) + "}";
}

}  // namespace

std::string comLine(Game& g, int n, int level) {
    g.state.comLevel = level;
    const std::optional<BoardId> chosen = comSearch(g);
    const char* board = !chosen ? "null" : *chosen == BoardId::LEFT ? "\"left\"" : "\"right\"";
    return "{\"move\": " + std::to_string(n) + ", \"left\": " + bestJson(g.com.of(BoardId::LEFT).best) +
           ", \"right\": " + bestJson(g.com.of(BoardId::RIGHT).best) + ", \"board\": " + board + "}";
}

}  // namespace velmora::cli
