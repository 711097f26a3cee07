#include "rules/end_tests.h"

#include "flow/shutdown.h"
#include "influence/survey.h"
#include "rules/legality.h"
#include "rules/setup.h"

namespace velmora {

int 存在チェック駒(const Board& b, PieceCode code) {
    for (PieceCode c : b.cells) {
        if (c == code) return ON;
    }
    return OFF;
}

int ステールメイトか(const BoardState& bs, int kingFile, int kingRank) {
    if (!onBoard(kingFile, kingRank)) return OFF;
    const PieceCode king = bs.board.at(kingFile, kingRank);
    const IntGrid* enemy = nullptr;
    if (king == BLACK_KING) {
        enemy = &bs.influence.whiteAttacks;
    } else if (king == WHITE_KING) {
        enemy = &bs.influence.blackAttacks;
    } else {
        return OFF;
    }
    if (enemy->at(kingFile, kingRank) != 0) return OFF;
    for (int x = kingFile - 1; x <= kingFile + 1; ++x) {
        for (int y = kingRank - 1; y <= kingRank + 1; ++y) {
            if (!onBoard(x, y) || (x == kingFile && y == kingRank)) continue;
            if (enemy->at(x, y) == 0) return OFF;
        }
    }
    return ON;
}

namespace {

// A king step to an unattacked square escapes the check.
bool kingCanStepOut(BoardState& bs, Square k, PieceCode king, const IntGrid& enemy) {
    for (int x = k.file - 1; x <= k.file + 1; ++x) {
        for (int y = k.rank - 1; y <= k.rank + 1; ++y) {
            if (!onBoard(x, y)) continue;
            // The move test may survey the board; read the map afterwards.
            if (移動チェック(bs, k.file, k.rank, x, y, king) == ON && enemy.at(x, y) == 0) return true;
        }
    }
    return false;
}

}  // namespace

int 詰めかCOM(BoardState& bs) {
    const Square k = bs.blackKing;
    if (!onBoard(k.file, k.rank)) return OFF;
    if (bs.influence.whiteAttacks.at(k) == 0) return OFF;
    if (kingCanStepOut(bs, k, BLACK_KING, bs.influence.whiteAttacks)) return OFF;

    Board& b = bs.board;
    for (int sf = 1; sf <= 8; ++sf) {
        for (int sr = 1; sr <= 8; ++sr) {
            const PieceCode s = b.at(sf, sr);
            if (!(s >= BLACK_PAWN && s < BLACK_KING)) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    // The grid is read as it stands: each trial below rewrites it.
                    if (bs.influence.whiteCheckLine.at(tf, tr) <= 0) continue;
                    if (移動チェック(bs, sf, sr, tf, tr, s) != ON) continue;
                    const PieceCode kept = b.at(tf, tr);
                    b.at(tf, tr) = s;
                    b.at(sf, sr) = EMPTY;
                    勢力調査(bs);
                    b.at(sf, sr) = s;
                    b.at(tf, tr) = kept;
                    if (bs.influence.whiteAttacks.at(k) == 0) return OFF;
                }
            }
        }
    }
    return ON;
}

int 詰めかMAN_COM移動(BoardState& bs) {
    const Square k = bs.whiteKing;
    for (int sf = 1; sf <= 8; ++sf) {
        for (int sr = 1; sr <= 8; ++sr) {
            const PieceCode s = bs.board.at(sf, sr);
            if (s >= BLACK_PAWN && 移動チェック(bs, sf, sr, k.file, k.rank, s) == ON) return ON;
        }
    }
    return OFF;
}

int 詰めかMAN(BoardState& bs) {
    const Square k = bs.whiteKing;
    if (!onBoard(k.file, k.rank)) return OFF;
    if (bs.influence.blackAttacks.at(k) == 0) return OFF;
    if (kingCanStepOut(bs, k, WHITE_KING, bs.influence.blackAttacks)) return OFF;

    Board& b = bs.board;
    for (int sf = 1; sf <= 8; ++sf) {
        for (int sr = 1; sr <= 8; ++sr) {
            const PieceCode s = b.at(sf, sr);
            if (!(s <= WHITE_PAWN && s > WHITE_KING)) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    if (tf == sf && tr == sr) continue;
                    // A white non-king move test has no side effects, so the
                    // cheaper check-line test may come first.
                    if (bs.influence.blackCheckLine.at(tf, tr) <= 0) continue;
                    if (移動チェック(bs, sf, sr, tf, tr, s) != ON) continue;
                    const PieceCode kept = b.at(tf, tr);
                    b.at(tf, tr) = s;
                    b.at(sf, sr) = EMPTY;
                    const int kingStillTaken = 詰めかMAN_COM移動(bs);
                    b.at(sf, sr) = s;
                    b.at(tf, tr) = kept;
                    if (kingStillTaken == OFF) return OFF;
                }
            }
        }
    }
    return ON;
}

int 調査_白キング逃道(BoardState& bs) {
    const int f = bs.whiteKing.file;
    const int r = bs.whiteKing.rank;
    static constexpr int ORDER[8][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
    int count = 0;
    for (const auto& d : ORDER) {
        const int x = f + d[0];
        const int y = r + d[1];
        if (!onBoard(x, y)) continue;
        if (bs.board.at(x, y) == EMPTY && bs.influence.blackAttacks.at(x, y) == 0) {
            bs.whiteKingEscapeMap.at(x, y) = 1;
            ++count;
        }
    }
    return count;
}

void 終了(Game& g, const std::string& winner) {
    if (winner == "引分") {
        g.dialogs().messageBox("引き分けです", "終了", Buttons::Ok);
    } else {
        g.dialogs().messageBox(winner + "の勝ちです", "終了", Buttons::Ok);
    }
    if (g.dialogs().messageBox("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes) {
        初期設定(g);
    } else {
        終了処理(g);
        g.shell().quit();
    }
}

}  // namespace velmora
