#include "cli/commands.h"

#include "cli/json_out.h"
#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/position.h"
#include "engine/search.h"
#include "influence/survey.h"
#include "record/notation.h"
#include "rules/move_list.h"

namespace velmora::cli {

std::string surveyLine(Game& g, int n) {
    勢力調査(g, BoardId::LEFT);
    勢力調査(g, BoardId::RIGHT);
    JsonWriter json;
    json.beginObject().key("move").value(n);
    writeInfluence(json.key("left"), g.side(BoardId::LEFT));
    writeInfluence(json.key("right"), g.side(BoardId::RIGHT));
    json.endObject();
    return json.text();
}

std::string movesLine(Game& g, int n, const std::string& side) {
    const Side turn = sideOf(g.state, side == "white" ? Colour::White : Colour::Black);
    JsonWriter json;
    json.beginObject().key("move").value(n);
    writeMoves(json.key("left"), acceptedMoves(g, BoardId::LEFT, turn));
    writeMoves(json.key("right"), acceptedMoves(g, BoardId::RIGHT, turn));
    json.endObject();
    return json.text();
}

namespace {

// The search engine's answer for the computer (black) in the same shape.
std::string engineLine(Game& g, int n, int level, int timeMs) {
    engine::SearchLimits limits = levelLimits(g, level);
    if (timeMs > 0) limits.timeMs = timeMs;
    const engine::SearchResult r = engine::bestMove(engine::positionFromGame(g, engine::BLACK), limits);
    JsonWriter json;
    json.beginObject().key("move").value(n);
    for (const BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        json.key(id == BoardId::LEFT ? "left" : "right");
        if (r.found() && r.board == id) {
            writeBestMove(json, bestMoveOf(g, r));
        } else {
            json.null();
        }
    }
    json.key("board");
    if (r.found()) {
        json.value(r.board == BoardId::LEFT ? "left" : "right");
    } else {
        json.null();
    }
    json.endObject();
    return json.text();
}

}  // namespace

std::string comLine(Game& g, int n, int level, int timeMs) {
    if (isEngineLevel(level)) return engineLine(g, n, level, timeMs);
    g.state.comLevel = level;
    const std::optional<BoardId> chosen = comSearch(g);
    JsonWriter json;
    json.beginObject().key("move").value(n);
    writeBestMove(json.key("left"), comState(g).of(BoardId::LEFT).best);
    writeBestMove(json.key("right"), comState(g).of(BoardId::RIGHT).best);
    json.key("board");
    if (chosen) {
        json.value(*chosen == BoardId::LEFT ? "left" : "right");
    } else {
        json.null();
    }
    json.endObject();
    return json.text();
}

namespace {

const char* symbol(PieceCode c) {
    static const char* const BLACK[] = {"♟", "♞", "♝", "♜", "♛", "♚"};
    static const char* const WHITE[] = {"♙", "♘", "♗", "♖", "♕", "♔"};
    if (isBlack(c) && c <= BLACK_KING) return BLACK[c - 1];
    if (isWhite(c) && c >= WHITE_KING) return WHITE[-c - 1];
    return "·";
}

std::string fileRow() {
    std::string row = "   ";
    for (int f = 1; f <= 8; ++f) row += 文字列変換(f);
    return row;
}

std::string rankRow(const Board& b, int rank) {
    std::string row = 文字列変換(1000 + 9 - rank) + " ";
    for (int f = 1; f <= 8; ++f) {
        row += symbol(b.at(f, rank));
        row += " ";
    }
    return row;
}

}  // namespace

std::string boardsText(const Board& left, const Board& right) {
    std::string out = "   左                     右\n";
    out += fileRow() + "   " + fileRow() + "\n";
    for (int r = 1; r <= 8; ++r) out += rankRow(left, r) + "    " + rankRow(right, r) + "\n";
    return out;
}

}  // namespace velmora::cli
