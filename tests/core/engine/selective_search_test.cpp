// The selective search (null move, reductions of late quiet moves, the
// static cut-off near the horizon): it must not lose what the exact search
// finds where kings can fall. A king's capture is found at the same
// distance, a threatened king is defended, and every answer is a move.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "board_text_fixture.h"
#include "engine/movegen.h"
#include "engine/position.h"
#include "engine/search.h"
#include "sample_positions.h"
#include "record/record_file.h"
#include "rules/setup.h"

namespace velmora::engine {
namespace {

using testing::boardFrom;

SearchResult toDepth(const Position& p, int depth, bool selective, std::uint64_t maxNodes = 100'000) {
    SearchLimits limits;
    limits.maxDepth = depth;
    limits.timeMs = 60'000;
    limits.everyDepth = true;
    limits.selective = selective;
    limits.tableLog2 = 16;
    // The few positions whose captures pile up on both boards are left out.
    limits.maxNodes = maxNodes;
    return bestMove(p, limits);
}

bool isGenerated(Position p, EngineMove m) {
    MoveList list;
    generateMoves(p, list, KingTest::Untested);
    for (const EngineMove x : list) {
        if (x == m) return true;
    }
    return false;
}

// Black threatens Ra8, after which nothing saves the white king on h8 (and
// no white piece reaches a black king in time); a pawn fork on the right
// board attacks white's queen and knight at once.
// Saving the queen leaves the mate: white must make room for its king or
// keep black busy, and give up the queen. A search that cut off the node where white stands
// attacked (its material far above the bound) would save the queen.
TEST(SelectiveSearch, AThreatenedKingIsDefendedBeforeMaterial) {
    const Board left = boardFrom({"....k...", "........", "r.......", "........", "........", "........",
                                  ".....PPP", ".......K"});
    const Board right = boardFrom({"....k...", "...p.p..", ".p.p....", "..p.p...", "...Q.N..", "........",
                                   "PP......", "..K....."});
    const Position p = positionFromBoards(left, right, WHITE);
    for (const int depth : {3, 4, 5}) {
        for (const bool selective : {true, false}) {
            const SearchResult r = toDepth(p, depth, selective);
            ASSERT_TRUE(r.found());
            EXPECT_FALSE(isKingFall(r.score)) << "depth " << depth << " selective " << selective << " score " << r.score;
            // Black cannot take a white king after the move white chose.
            Position after = p;
            Undo undo;
            after.make(r.move, undo);
            const SearchResult reply = toDepth(after, 3, false);
            EXPECT_FALSE(isKingFall(reply.score)) << "depth " << depth << " selective " << selective << " move "
                                                 << r.from.file << r.from.rank << "-" << r.to.file << r.to.rank;
        }
    }
}

// Kings hunted over both boards in sparse positions, the fall six or seven
// plies away: the moves on the way attack a king from its own board or
// from the twin square, and are late quiet moves at their nodes. The
// selective search finds each fall at the exact search's distance; one
// that weighed a king's danger on its own board only, or reduced a late
// quiet move that attacks a king, missed these.
TEST(SelectiveSearch, AKingHuntedOverBothBoardsFallsAtTheExactDistance) {
    struct Hunt {
        const char* name;
        std::array<const char*, 8> left, right;
        Colour toMove;
        int score;  // the exact search's, for the side to move
    };
    const Hunt hunts[] = {
        {"two rooks and a bishop on the left board",
         {".......r", "K.......", ".r......", "b.......", "..k.....", "........", "........", "........"},
         {"........", "........", "..P.k...", ".......N", "........", "........", "K.......", "........"},
         BLACK, KING_LOSS - 7},
        {"white to move, a rook on each side of its king",
         {"...P....", "........", ".k...r..", "........", "........", "..K....r", "........", "........"},
         {"K.......", "........", ".N......", "k.......", "........", "........", "...b....", "........"},
         WHITE, -(KING_LOSS - 6)},
        {"rooks on both back ranks",
         {"........", ".....b..", ".k.....K", "........", "......P.", ".....r..", "........", "..r....."},
         {"........", "........", "........", "........", "........", "........", ".K...N..", ".....k.."},
         BLACK, KING_LOSS - 7},
        {"a rook beside a knight",
         {"......r.", "........", "........", "....K...", ".......k", "........", "b....r.N", "........"},
         {"........", "........", "K.......", "........", "........", "..P.....", "....k...", "........"},
         BLACK, KING_LOSS - 7},
    };
    for (const Hunt& h : hunts) {
        const Position p = positionFromBoards(boardFrom(h.left), boardFrom(h.right), h.toMove);
        const SearchResult exact = toDepth(p, 6, false, 1'000'000);
        const SearchResult selective = toDepth(p, 6, true, 1'000'000);
        ASSERT_EQ(exact.depth, 6) << h.name;
        ASSERT_EQ(selective.depth, 6) << h.name;
        EXPECT_EQ(exact.score, h.score) << h.name;
        EXPECT_EQ(selective.score, exact.score) << h.name;
    }
}

using testing::Sample;

// Positions of the corpus and of seeded random games, both sides to move.
std::vector<Sample> samples() {
    std::vector<Sample> out = testing::recordPositions(VELMORA_CORPUS_DIR "/selfplay.棋譜", "corpus", 10);
    for (Sample& s : testing::randomGamePositions(777, 120, 10, 80)) out.push_back(s);
    return out;
}

// Where the exact search sees the side to move take a king within four
// plies, or lose one whatever it does, the selective one sees it too, at
// the same distance, and plays a move; and it never claims a king's fall
// the exact search does not see.
TEST(SelectiveSearch, AKingsFallIsFoundAtTheSameDistance) {
    int wins = 0, losses = 0, checked = 0;
    for (const Sample& s : samples()) {
        const SearchResult exact = toDepth(s.position, 4, false);
        const SearchResult selective = toDepth(s.position, 4, true);
        if (!exact.found() || exact.depth < 4 || selective.depth < 4) continue;
        ++checked;
        ASSERT_TRUE(selective.found()) << s.where;
        EXPECT_TRUE(isGenerated(s.position, selective.move)) << s.where;
        if (isKingFall(exact.score)) {
            ++(exact.score > 0 ? wins : losses);
            EXPECT_EQ(selective.score, exact.score) << s.where;
        } else {
            EXPECT_FALSE(isKingFall(selective.score)) << s.where << " exact " << exact.score;
        }
    }
    EXPECT_GT(checked, 80);
    EXPECT_GE(wins, 20);
    EXPECT_GE(losses, 5);
}

}  // namespace
}  // namespace velmora::engine
