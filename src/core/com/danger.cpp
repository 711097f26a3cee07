#include "com/danger.h"

#include <cstdlib>

#include "com/com_state.h"
#include "com/probes.h"
#include "rules/legality.h"

namespace velmora {

const IntGrid& bishopCautionMarks() {
    static const IntGrid none{};
    return none;
}

CandidateScore 盤評価_白ビショ注意_COM(BoardState& bs, Square to, PieceCode piece, const IntGrid& marks) {
    for (int a = 1; a <= 8; ++a) {
        for (int b = 1; b <= 8; ++b) {
            if (marks.at(a, b) != 1) continue;
            if (!移動チェック(bs, to, {a, b}, WHITE_BISHOP)) continue;
            for (int f = 1; f <= 8; ++f) {
                for (int r = 1; r <= 8; ++r) {
                    if (bs.board.at(f, r) == WHITE_BISHOP && 移動チェック(bs, {f, r}, {a, b}, WHITE_BISHOP)) return piece;
                }
            }
            return 0;
        }
    }
    return 0;
}

CandidateScore 盤評価_COM危険座標(Game& g, BoardId id, PieceCode piece, Square to) {
    BoardState& bs = g.side(id);
    BoardState& left = g.side(BoardId::LEFT);
    const ComBoardWork& work = comState(g).of(id);
    const InfluenceMap& m = bs.influence;
    const Board& b = bs.board;
    // Only the left board has a pin grid; on the right every attacker counts as free.
    auto pinnedAt = [&](int f, int r) {
        return id == BoardId::LEFT && onBoard(f, r) ? work.pinnedWhite.at(f, r) : 0;
    };

    CandidateScore d = 0;
    int forks = 0;
    int smallestForked = 9999;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode c = b.at(f, r);
            const Square bk = bs.blackKing;
            if (c == EMPTY) {
                const int wa = m.whiteAttacks.at(f, r);
                if (wa <= 0) continue;
                const int ba = m.blackAttacks.at(f, r);
                if (std::abs(f - bk.file) < 2 && std::abs(r - bk.rank) < 2) {
                    d -= 0.5 * wa;
                    if (ba == 1 && wa > 1) d -= 10;
                }
                if (ba == 0 && r < 4) {
                    d -= 0.1;
                    if (調査_自守駒MAN_直進駒(left, {f, r})) d -= 10;
                }
                if (r < 4 && b.at(f, r + 1) == WHITE_PAWN && wa >= ba) {
                    d -= 30;
                    if (調査_自守駒MAN_直進駒(left, {f, r + 1})) d -= 70;
                }
            } else if (isBlack(c)) {
                const int v = c;
                if (c == BLACK_KING && r == 1 && m.whiteAttacks.at(f, 2) > 0) {
                    d -= 50;
                    if (m.whiteAttacks.at(f, 2) >= m.blackAttacks.at(f, 2)) d -= 250;
                }
                const int wa = m.whiteAttacks.at(f, r);
                if (wa <= 0) continue;
                const int ba = m.blackAttacks.at(f, r);
                const auto [tf, tr] = m.whiteThreatFrom.at(f, r);
                const int t = std::abs(m.whiteThreat.at(f, r));
                const int pin = pinnedAt(tf, tr);
                if (m.blackDefender.at(f, r) == BLACK_KING && (wa > 1 || v > t)) d -= 100;
                if (pin == 0 && v > t) d += t - v;
                if (ba > 0 && pin == 0) {
                    if (wa > ba && m.blackDefender.at(f, r) >= t) d -= v;
                    if (r <= 3 && wa == ba && b.at(f, r + 1) != EMPTY && 調査_自守駒MAN_直進駒(left, {f, r + 1})) {
                        d -= v + std::abs(m.whiteThreat.at(f, r + 1));
                    }
                }
                if (ba == 0) {
                    d -= v;
                    if (r <= 3) d -= 1;
                    // The black piece has just taken a white piece here.
                    const PieceCode before = work.boardBefore.at(f, r);
                    if (isWhite(before)) d += absCode(before);
                    if (r < 3 && m.whiteThreat.at(f, r) == WHITE_PAWN) d -= 20;
                }
            } else {
                if (work.blackAttacksBefore.at(f, r) == 0 && m.blackAttacks.at(f, r) > 0 &&
                    std::abs(f - bk.file) < 3 && std::abs(r - bk.rank) < 3) {
                    d += 15;
                }
                if (c == WHITE_ROOK && f == bk.file) d -= 1;
                const Square wk = bs.whiteKing;
                if (m.whiteAttacks.at(to) == 0 &&
                    (m.whiteAttacks.at(f, r) == 0 || (c == WHITE_KING && wk == Square{f, r})) &&
                    移動チェック(bs, to, {f, r}, piece)) {
                    d += 0.1;
                    ++forks;
                    if (absCode(c) < smallestForked) smallestForked = absCode(c);
                }
            }
        }
    }
    if (forks >= 2) d += smallestForked;
    return d;
}

}  // namespace velmora
