#include "analysis/blunder_game.h"

#include "board_text_fixture.h"
#include "engine/movegen.h"
#include "rules/setup.h"

namespace velmora::testing {
namespace {

using Snapshot = std::pair<Board, Board>;

// Moves a piece on one board; `twin` also empties the square on the other
// board, as the two-board capture does.
Snapshot moved(Snapshot s, BoardId board, Square from, Square to, bool twin) {
    Board& on = board == BoardId::LEFT ? s.first : s.second;
    Board& other = board == BoardId::LEFT ? s.second : s.first;
    on.at(to) = on.at(from);
    on.at(from) = EMPTY;
    if (twin) other.at(to) = EMPTY;
    return s;
}

}  // namespace

std::vector<Snapshot> blunderGame() {
    // Rank 1, black's back rank, first.
    const Board left = boardFrom({".......k", "........", "....N...", "........", "........", "........", "........",
                                  "...Q...K"});
    const Board right = boardFrom({".k......", "........", "........", "........", "r.......", "........", "........",
                                   ".......K"});
    std::vector<Snapshot> game{{left, right}};
    game.push_back(moved(game.back(), BoardId::LEFT, {4, 8}, {4, 5}, false));  // 1. Q d8-d5 ??
    game.push_back(moved(game.back(), BoardId::RIGHT, {1, 5}, {4, 5}, true));  // 2. R a5-d5, the queen goes
    // 3. K h8-g7 ?? when the knight could take the rook through the other board
    game.push_back(moved(game.back(), BoardId::RIGHT, {8, 8}, {7, 7}, false));
    game.push_back(moved(game.back(), BoardId::RIGHT, {2, 1}, {3, 2}, false)); // 4. K b1-c2 ??
    game.push_back(moved(game.back(), BoardId::LEFT, {5, 3}, {3, 2}, true));   // 5. N e3-c2 takes the king
    return game;
}

std::vector<Snapshot> openingGame(int plies) {
    Board start;
    setStartPosition(start);
    std::vector<Snapshot> snapshots{{start, start}};
    engine::Position p = engine::positionFromBoards(start, start, Colour::White);
    for (int ply = 0; ply < plies; ++ply) {
        engine::MoveList moves;
        engine::generateMoves(p, moves);
        engine::Undo undo;
        p.make(moves.moves[0], undo);
        snapshots.emplace_back(engine::boardOf(p, BoardId::LEFT), engine::boardOf(p, BoardId::RIGHT));
    }
    return snapshots;
}

}  // namespace velmora::testing
