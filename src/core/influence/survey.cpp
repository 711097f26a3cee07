#include "influence/survey.h"

#include "influence/cover.h"
#include "influence/walks.h"

namespace velmora {
namespace {

constexpr int KNIGHT_STEPS[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr int KING_STEPS[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

// Pawns and knights of both sides mark the check line on their own square.
void whiteJump(BoardState& bs, int p, int f, int r, int sf, int sr) {
    if (!onBoard(sf, sr)) return;
    cover::whiteSteps123(bs, p, f, r, sf, sr);
    if (bs.board.at(sf, sr) == BLACK_KING) bs.influence.whiteCheckLine.at(f, r) = CHECKER_MARK;
}

void blackJump(BoardState& bs, int p, int f, int r, int sf, int sr, cover::BlackSteps how) {
    if (!onBoard(sf, sr)) return;
    cover::blackSteps123(bs, p, f, r, sf, sr, how);
    if (bs.board.at(sf, sr) == WHITE_KING) bs.influence.blackCheckLine.at(f, r) = CHECKER_MARK;
}

void rookLines(BoardState& bs, int p, int f, int r) {
    勢力確定下直進(bs, p, f, r);
    勢力確定上直進(bs, p, f, r);
    勢力確定右直進(bs, p, f, r);
    勢力確定左直進(bs, p, f, r);
}

void reset(InfluenceMap& m) {
    m.whiteAttacks.fill(0);
    m.blackAttacks.fill(0);
    m.whiteThreatFile.fill(0);
    m.whiteThreatRank.fill(0);
    m.whiteCheckLine.fill(0);
    m.blackCheckLine.fill(0);
    m.whiteThreat.fill(NO_WHITE_THREAT);
    m.whiteDefender.fill(NO_DEFENDER);
    m.blackDefender.fill(NO_DEFENDER);
    m.blackThreat.fill(NO_DEFENDER);
}

}  // namespace

void 勢力調査(BoardState& bs) {
    reset(bs.influence);
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode c = bs.board.at(f, r);
            switch (c) {
                case EMPTY:
                    break;
                case WHITE_PAWN:
                    if (r > 1) {
                        whiteJump(bs, c, f, r, f - 1, r - 1);
                        whiteJump(bs, c, f, r, f + 1, r - 1);
                    }
                    break;
                case WHITE_KNIGHT:
                    for (const auto& d : KNIGHT_STEPS) whiteJump(bs, c, f, r, f + d[0], r + d[1]);
                    break;
                case WHITE_BISHOP:
                    勢力確定白ビショ(bs, f, r);
                    break;
                case WHITE_ROOK:
                    rookLines(bs, c, f, r);
                    break;
                case WHITE_QUEEN:
                    rookLines(bs, c, f, r);
                    勢力確定白クイーン(bs, f, r);
                    break;
                case WHITE_KING:
                    bs.whiteKing = {f, r};
                    for (const auto& d : KING_STEPS) {
                        if (onBoard(f + d[0], r + d[1])) cover::whiteSteps123(bs, c, f, r, f + d[0], r + d[1]);
                    }
                    break;
                case BLACK_PAWN:
                    // A pawn lowers guard and threat codes but records no square.
                    if (r < 8) {
                        blackJump(bs, c, f, r, f - 1, r + 1, {false, true});
                        blackJump(bs, c, f, r, f + 1, r + 1, {false, true});
                    }
                    break;
                case BLACK_KNIGHT:
                    for (const auto& d : KNIGHT_STEPS) blackJump(bs, c, f, r, f + d[0], r + d[1], {true, false});
                    break;
                case BLACK_BISHOP:
                    勢力確定黒ビショ(bs, c, f, r);
                    break;
                case BLACK_ROOK:
                    rookLines(bs, c, f, r);
                    break;
                case BLACK_QUEEN:
                    rookLines(bs, c, f, r);
                    勢力確定黒クイーン(bs, f, r);
                    break;
                case BLACK_KING:
                    bs.blackKing = {f, r};
                    for (const auto& d : KING_STEPS) {
                        if (onBoard(f + d[0], r + d[1])) {
                            cover::blackSteps123(bs, c, f, r, f + d[0], r + d[1], {false, false});
                        }
                    }
                    break;
                default:
                    break;  // not a piece code: covers nothing
            }
        }
    }
}

}  // namespace velmora
