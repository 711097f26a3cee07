#pragma once
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/win_chance.h"
#include "board/board.h"
#include "engine/game_end.h"
#include "engine/position.h"
#include "engine/search.h"
#include "record/played_move.h"

namespace velmora {

// One position of a game as the review sees it: the boards, the side to
// move, and whether the move that led here ended the game.
struct ReviewPosition {
    enum class End { None, KingTaken, Drawn };
    engine::Position position;
    End end = End::None;
};

// A game laid out for the review: its positions, from the start to the last
// move, and the moves between them as read from the boards.
struct ReviewGame {
    std::vector<ReviewPosition> positions;        // snapshots 0..N
    std::vector<std::optional<PlayedMove>> moves;  // move n at n - 1; none where the boards do not read as one
    Colour first = Colour::White;                  // the colour that moved first
    engine::GameKind kind = engine::GameKind::TWO_PEOPLE;
};

// The game of these snapshots (each its left and right board), played under
// `kind`'s rules. The side to move after a move is the other colour than the
// one that made it; at the start, the colour of the first move.
ReviewGame reviewGameOf(const std::vector<std::pair<Board, Board>>& snapshots, engine::GameKind kind);

// What the engine saw in one position.
struct PositionView {
    engine::Score score = 0;  // for the side to move
    int depth = 0;            // 0: the game had ended, nothing was searched
    std::uint64_t nodes = 0;
    std::vector<engine::EngineMove> line;  // the best line, the best move first
};

// The engine's view of one position of a review: a search within `limits`
// (its own table each time, so that the same budget always gives the same
// answer), or, where the game had ended, the end's score.
PositionView viewOf(const ReviewPosition& position, engine::SearchLimits limits);

// A score for the side to move of `position` turned to the first player's.
engine::Score forFirst(engine::Score score, Colour toMove, Colour first);

// A king that falls within the search's reach: in how many moves of the side
// that takes it (0: fallen already), and whether that is the first player.
struct KingFall {
    int moves = 0;
    bool forFirst = true;
};
std::optional<KingFall> kingFallOf(engine::Score firstPlayersScore);

// One move judged.
struct MoveReview {
    int ply = 0;  // 1..N
    Colour mover = Colour::White;
    bool byFirst = true;
    engine::Score before = 0;  // the position before, for the first player
    engine::Score after = 0;   // the position after
    bool playedBest = false;   // the move is the engine's own choice
    double drop = 0;           // the fall of the mover's winning chance
    engine::Score loss = 0;    // the fall of the mover's score, in hundredths of a pawn (capped)
    MoveMark mark = MoveMark::None;
};

// Every move of the game judged from the views of its positions (one per position).
std::vector<MoveReview> judgeMoves(const ReviewGame& game, const std::vector<PositionView>& views);

// One player's moves in sum.
struct SideSummary {
    int moves = 0;
    int inaccuracies = 0;
    int mistakes = 0;
    int blunders = 0;
    double averageLoss = 0;  // hundredths of a pawn a move
};
SideSummary summarise(const std::vector<MoveReview>& moves, bool first);

// Whether the engine's move is the move read from the boards.
bool sameMove(const PlayedMove& played, engine::EngineMove move);

}  // namespace velmora
