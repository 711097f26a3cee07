#include "record/listed_moves.h"

#include <algorithm>
#include <cstdlib>

#include "record/notation.h"
#include "record/replay.h"
#include "text/translated_text.h"
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
            const Translator* t = g.translator();
            entry.board = translated(t, entry.move->board == BoardId::LEFT ? "左" : "右");
            // Named as the labels named the square when the move was made.
            const Square to = g.history.turned[n] ? turnedSquare(entry.move->to) : entry.move->to;
            const MoveText text = moveText(to.file, to.rank, entry.move->placed);
            entry.text = translated(t, text.file) + translated(t, text.rank) + " " + translated(t, text.piece);
        } else {
            entry.text = translated(g.translator(), "？");
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
