#include "record/played_move.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace velmora {
namespace {

// What changed on one board: squares a piece arrived on (also by taking) and
// squares left empty.
struct Changes {
    std::vector<Square> arrivals;
    std::vector<Square> departures;
    bool empty() const { return arrivals.empty() && departures.empty(); }
};

// The mover's own departure and, for castling, the rook's; the single enemy
// departure there may be is the pawn taken en passant.
bool readOneArrival(const Board& before, const Board& after, const Changes& c, PlayedMove& m) {
    m.to = c.arrivals[0];
    m.placed = after.at(m.to);
    std::vector<Square> own, enemy;
    for (Square s : c.departures) (sameColour(before.at(s), m.placed) ? own : enemy).push_back(s);
    if (own.size() != 1 || enemy.size() > 1) return false;
    m.from = own[0];
    m.piece = before.at(m.from);
    m.capture = before.at(m.to) != EMPTY;
    if (enemy.empty()) return true;
    const Square victim{m.to.file, m.from.rank};
    const bool pawnStep = absCode(m.piece) == BLACK_PAWN && std::abs(m.to.file - m.from.file) == 1;
    if (!pawnStep || before.at(m.to) != EMPTY || enemy[0] != victim || before.at(victim) != -m.piece) return false;
    m.enPassant = true;
    m.passedPawn = victim;
    return true;
}

bool readCastling(const Board& before, const Board& after, const Changes& c, PlayedMove& m) {
    if (c.departures.size() != 2) return false;
    const PieceCode a = after.at(c.arrivals[0]), b = after.at(c.arrivals[1]);
    const bool kingFirst = absCode(a) == BLACK_KING;
    const PieceCode king = kingFirst ? a : b, rook = kingFirst ? b : a;
    if (absCode(king) != BLACK_KING || rook != pieceCode(colourOf(king), ROOK)) return false;
    m.to = kingFirst ? c.arrivals[0] : c.arrivals[1];
    m.rookTo = kingFirst ? c.arrivals[1] : c.arrivals[0];
    for (Square s : c.departures) {
        if (before.at(s) == king) m.from = s;
        if (before.at(s) == rook) m.rookFrom = s;
    }
    if (m.from == Square{} || m.rookFrom == Square{}) return false;
    if (m.from.rank != m.to.rank || std::abs(m.to.file - m.from.file) != 2 || m.rookFrom.rank != m.to.rank) return false;
    m.piece = m.placed = king;
    m.castling = true;
    return true;
}

}  // namespace

std::optional<PlayedMove> readMove(const Board& leftBefore, const Board& rightBefore, const Board& leftAfter,
                                   const Board& rightAfter) {
    const Board* before[2] = {&leftBefore, &rightBefore};
    const Board* after[2] = {&leftAfter, &rightAfter};
    Changes changes[2];
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const Square s{f, r};
            if (leftBefore.at(s) == rightBefore.at(s) && leftAfter.at(s) == rightAfter.at(s)) continue;
            for (int k = 0; k < 2; ++k) {
                const PieceCode was = before[k]->at(s), is = after[k]->at(s);
                if (was == is) continue;
                (is == EMPTY ? changes[k].departures : changes[k].arrivals).push_back(s);
            }
        }
    }
    // Pieces arrive on the board moved on only.
    if (changes[0].arrivals.empty() == changes[1].arrivals.empty()) return std::nullopt;
    const int k = changes[0].arrivals.empty() ? 1 : 0;
    const Board& b0 = *before[k];
    const Board& b1 = *after[k];
    const Changes& c = changes[k];
    PlayedMove m;
    m.board = k == 0 ? BoardId::LEFT : BoardId::RIGHT;
    if (c.arrivals.size() == 1) {
        if (!readOneArrival(b0, b1, c, m)) return std::nullopt;
    } else if (c.arrivals.size() == 2) {
        if (!readCastling(b0, b1, c, m)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    // The other board loses at most the enemy piece on the destination's square.
    const Changes& other = changes[1 - k];
    if (other.empty()) return m;
    const PieceCode taken = before[1 - k]->at(m.to);
    if (other.departures.size() != 1 || other.departures[0] != m.to || taken == EMPTY || sameColour(taken, m.placed)) {
        return std::nullopt;
    }
    m.twinCapture = true;
    return m;
}

std::optional<Colour> arrivedColour(const Board& leftBefore, const Board& rightBefore, const Board& leftAfter,
                                    const Board& rightAfter) {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            for (const auto& [was, is] : {std::pair(&leftBefore, &leftAfter), std::pair(&rightBefore, &rightAfter)}) {
                const PieceCode code = is->at(f, r);
                if (code != was->at(f, r) && code != EMPTY) return colourOf(code);
            }
        }
    }
    return std::nullopt;
}

std::vector<Colour> moverColours(const std::vector<std::pair<Board, Board>>& snapshots) {
    std::vector<Colour> movers;
    for (size_t n = 1; n < snapshots.size(); ++n) {
        std::optional<Colour> c = arrivedColour(snapshots[n - 1].first, snapshots[n - 1].second, snapshots[n].first,
                                                snapshots[n].second);
        if (!c) c = movers.empty() ? Colour::White : -movers.back();
        movers.push_back(*c);
    }
    return movers;
}

Colour toMoveAtSnapshot(const std::vector<std::pair<Board, Board>>& snapshots, int n, Colour start) {
    // Only the moves up to n (or the first one) count.
    const size_t needed = static_cast<size_t>(std::max(n, 1)) + 1;
    std::vector<std::pair<Board, Board>> upTo(snapshots.begin(),
                                              snapshots.begin() + static_cast<std::ptrdiff_t>(std::min(needed, snapshots.size())));
    const std::vector<Colour> movers = moverColours(upTo);
    if (n >= 1 && static_cast<size_t>(n) <= movers.size()) return -movers[static_cast<size_t>(n) - 1];
    return movers.empty() ? start : movers.front();
}

Board turnedBoard(const Board& b) {
    Board t;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) t.at(9 - f, 9 - r) = static_cast<PieceCode>(-b.at(f, r));
    }
    return t;
}

std::optional<PlayedMove> playedMove(const Game& g, int n) {
    if (n < 1 || !History::valid(n)) return std::nullopt;
    const History& h = g.history;
    if (auto m = readMove(h.left[n - 1], h.right[n - 1], h.left[n], h.right[n])) return m;
    // 反転 between the two snapshots: the move was made on the turned boards.
    return readMove(turnedBoard(h.left[n - 1]), turnedBoard(h.right[n - 1]), h.left[n], h.right[n]);
}

}  // namespace velmora
