#include "record/listed_moves.h"

#include <algorithm>
#include <cstdlib>

#include "record/notation.h"
#include "record/replay.h"
#include "position_change.h"

namespace velmora {

std::vector<ListedMove> listedMoves(const Game& g) {
    std::vector<ListedMove> list;
    const int last = std::min(g.state.lastMoveNumber, MAX_MOVES);
    for (int n = 1; n <= last; ++n) {
        ListedMove entry;
        entry.number = n;
        entry.move = playedMove(g, n);
        if (entry.move) {
            // In the run's language, part by part as the picture shows them.
            entry.board = g.shown(entry.move->board == BoardId::LEFT ? "左" : "右");
            // Named as the labels named the squares when the move was made.
            PlayedMove named = *entry.move;
            if (g.history.turned[n]) {
                named.from = turnedSquare(named.from);
                named.to = turnedSquare(named.to);
            }
            entry.text = g.shown(moveName(named, false));
        } else {
            entry.text = g.shown("？");
        }
        list.push_back(std::move(entry));
    }
    return list;
}

void stepToMove(Game& g, int n) {
    positionAboutToChange(g);
    while (g.state.moveNumber != n) {
        const int from = g.state.moveNumber;
        // The steps on the way do not pause; the one that arrives does.
        Pauses* pauses = std::abs(n - from) > 1 ? g.swapPauses(nullptr) : nullptr;
        if (n < from) {
            REPLAY_Click(g);
        } else {
            AFTER_Click(g);
        }
        if (pauses) g.swapPauses(pauses);
        if (g.state.moveNumber == from) return;
    }
}

}  // namespace velmora
