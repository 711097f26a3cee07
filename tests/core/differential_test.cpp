// An independent, differently built reference of chess attacks and moves,
// compared with the game's survey and move rules on many positions. The
// reference looks outward from each target square; the game walks outward
// from each piece. Where this game departs from standard chess the reference
// follows the game: a sliding piece's line goes on past the enemy king; castling
// and en passant (which this game allows at any time) are left out of the
// comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

#include "game.h"
#include "influence/survey.h"
#include "record/record_file.h"
#include "rules/move_list.h"

namespace velmora {
namespace {

int sign(int v) { return (v > 0) - (v < 0); }

// Number of pieces of side `white` that cover (f, r).
int referenceAttackers(const Board& b, int f, int r, bool white) {
    const int s = white ? -1 : 1;
    auto is = [&](int x, int y, int kind) { return onBoard(x, y) && b.at(x, y) == s * kind; };
    int count = 0;
    // Pawns cover diagonally forward: white towards rank 1, black towards rank 8.
    const int pawnRank = white ? r + 1 : r - 1;
    count += is(f - 1, pawnRank, 1) + is(f + 1, pawnRank, 1);
    static const int knight[8][2] = {{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}};
    for (const auto& d : knight) count += is(f + d[0], r + d[1], 2);
    for (int df = -1; df <= 1; ++df) {
        for (int dr = -1; dr <= 1; ++dr) {
            if (df == 0 && dr == 0) continue;
            count += is(f + df, r + dr, 6);
            const bool diagonal = df != 0 && dr != 0;
            const PieceCode enemyKing = white ? BLACK_KING : WHITE_KING;
            for (int x = f + df, y = r + dr; onBoard(x, y); x += df, y += dr) {
                const PieceCode c = b.at(x, y);
                if (c == EMPTY || c == enemyKing) continue;  // the line goes on past the enemy king
                if (c == s * 5 || c == s * (diagonal ? 3 : 4)) ++count;
                break;
            }
        }
    }
    return count;
}

bool kingAttacked(const Board& b, bool white) {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            if (b.at(f, r) == (white ? WHITE_KING : BLACK_KING)) return referenceAttackers(b, f, r, !white) > 0;
        }
    }
    return false;
}

std::set<std::array<int, 4>> referenceMoves(const Board& b, bool white) {
    const int s = white ? -1 : 1;
    std::set<std::array<int, 4>> moves;
    auto add = [&](int ff, int fr, int tf, int tr) {
        if (!onBoard(tf, tr) || sign(b.at(tf, tr)) == s) return;
        Board after = b;
        after.at(tf, tr) = after.at(ff, fr);
        after.at(ff, fr) = EMPTY;
        if (!kingAttacked(after, white)) moves.insert({ff, fr, tf, tr});
    };
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode c = b.at(f, r);
            if (sign(c) != s) continue;
            const int kind = std::abs(c);
            if (kind == 1) {
                const int dir = white ? -1 : 1;
                if (onBoard(f, r + dir) && b.at(f, r + dir) == EMPTY) {
                    add(f, r, f, r + dir);
                    const int home = white ? 7 : 2;
                    if (r == home && b.at(f, r + 2 * dir) == EMPTY) add(f, r, f, r + 2 * dir);
                }
                for (int df : {-1, 1}) {
                    if (onBoard(f + df, r + dir) && sign(b.at(f + df, r + dir)) == -s) add(f, r, f + df, r + dir);
                }
            } else if (kind == 2) {
                for (int df : {-2, -1, 1, 2}) {
                    for (int dr : {-2, -1, 1, 2}) {
                        if (std::abs(df) != std::abs(dr)) add(f, r, f + df, r + dr);
                    }
                }
            } else {
                for (int df = -1; df <= 1; ++df) {
                    for (int dr = -1; dr <= 1; ++dr) {
                        if (df == 0 && dr == 0) continue;
                        const bool diagonal = df != 0 && dr != 0;
                        if (kind == 6) {
                            add(f, r, f + df, r + dr);
                            continue;
                        }
                        if ((kind == 3 && !diagonal) || (kind == 4 && diagonal)) continue;
                        for (int x = f + df, y = r + dr; onBoard(x, y); x += df, y += dr) {
                            add(f, r, x, y);
                            if (b.at(x, y) != EMPTY) break;
                        }
                    }
                }
            }
        }
    }
    return moves;
}

bool oneKingEach(const Board& b) {
    return std::count(b.cells.begin(), b.cells.end(), WHITE_KING) == 1 &&
           std::count(b.cells.begin(), b.cells.end(), BLACK_KING) == 1;
}

// Compares one board; returns how many comparisons were made.
void compare(const Board& b, const std::string& where) {
    Game g;
    putPosition(g, b, Board{});
    勢力調査(g, BoardId::LEFT);
    const InfluenceMap m = g.map(BoardId::LEFT);
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            ASSERT_EQ(m.whiteAttacks.at(f, r), referenceAttackers(b, f, r, true)) << where << " white on " << f << "," << r;
            ASSERT_EQ(m.blackAttacks.at(f, r), referenceAttackers(b, f, r, false)) << where << " black on " << f << "," << r;
        }
    }
    if (!oneKingEach(b)) return;
    for (bool white : {true, false}) {
        std::set<std::array<int, 4>> game;
        for (const Move& mv : acceptedMoves(g, BoardId::LEFT, white ? g.state.whiteSide : g.state.blackSide)) {
            const PieceCode p = b.at(mv.from.file, mv.from.rank);
            const bool castling = std::abs(p) == 6 && std::abs(mv.to.file - mv.from.file) == 2;
            const bool enPassant = std::abs(p) == 1 && mv.to.file != mv.from.file && b.at(mv.to.file, mv.to.rank) == EMPTY;
            if (!castling && !enPassant) game.insert({mv.from.file, mv.from.rank, mv.to.file, mv.to.rank});
        }
        ASSERT_EQ(game, referenceMoves(b, white)) << where << (white ? " white" : " black");
    }
}

TEST(Differential, PositionsFromRealPlay) {
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(std::string(VELMORA_GOLDEN_DIR) + "/play.棋譜", record, error)) << error;
    for (size_t i = 0; i < record.snapshots.size(); ++i) {
        compare(record.snapshots[i].left, "left " + std::to_string(i));
        compare(record.snapshots[i].right, "right " + std::to_string(i));
    }
}

TEST(Differential, RandomPositions) {
    std::mt19937 random(20261207);
    for (int n = 0; n < 3000; ++n) {
        Board b;
        auto freeSquare = [&]() {
            for (;;) {
                const int f = static_cast<int>(random() % 8) + 1, r = static_cast<int>(random() % 8) + 1;
                if (b.at(f, r) == EMPTY) return Square{f, r};
            }
        };
        b.at(freeSquare()) = WHITE_KING;
        b.at(freeSquare()) = BLACK_KING;
        const int pieces = static_cast<int>(random() % 24);
        for (int k = 0; k < pieces; ++k) {
            const int kind = static_cast<int>(random() % 5) + 1;
            b.at(freeSquare()) = static_cast<PieceCode>((random() % 2) ? kind : -kind);
        }
        compare(b, "random " + std::to_string(n));
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace velmora
