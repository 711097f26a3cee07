// The search's table: a bucket keeps the deepest and the latest result, a
// later search's results displace an earlier one's, and a table kept across
// searches saves work without changing what a search finds.
#include <gtest/gtest.h>

#include <vector>

#include "engine/position.h"
#include "engine/search.h"
#include "engine/transposition.h"
#include "ports/engine_runner_port.h"
#include "rules/setup.h"

namespace velmora::engine {
namespace {

// Keys that fall into bucket 0 of a table of 2^4 entries (8 buckets).
constexpr std::uint64_t inBucket0(std::uint64_t n) { return n << 3; }

EngineMove someMove(int n) { return EngineMove::fromRaw(static_cast<std::uint32_t>(n + 1)); }

TEST(TranspositionTable, BucketKeepsTheDeepestAndTheLatestResult) {
    TranspositionTable t(4);
    t.newSearch();
    t.store(inBucket0(1), someMove(1), 10, 9, Bound::EXACT);
    // Shallower results of other positions pass through the second slot.
    for (std::uint64_t k = 2; k <= 5; ++k) t.store(inBucket0(k), someMove(static_cast<int>(k)), 20, 2, Bound::LOWER);
    const TableEntry* deep = t.probe(inBucket0(1));
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->depth, 9);
    EXPECT_EQ(deep->score, 10);
    EXPECT_EQ(deep->bound(), Bound::EXACT);
    const TableEntry* latest = t.probe(inBucket0(5));
    ASSERT_NE(latest, nullptr);
    EXPECT_EQ(latest->bound(), Bound::LOWER);
    EXPECT_EQ(t.probe(inBucket0(4)), nullptr);
    // A key of another bucket is not confused with these.
    EXPECT_EQ(t.probe(inBucket0(1) + 1), nullptr);
}

TEST(TranspositionTable, ShallowerBoundOfTheSamePositionKeepsTheDeeperResult) {
    TranspositionTable t(4);
    t.newSearch();
    t.store(inBucket0(1), someMove(1), 50, 7, Bound::LOWER);
    t.store(inBucket0(1), someMove(2), -30, 3, Bound::UPPER);
    ASSERT_NE(t.probe(inBucket0(1)), nullptr);
    EXPECT_EQ(t.probe(inBucket0(1))->depth, 7);
    EXPECT_EQ(t.probe(inBucket0(1))->score, 50);
    // An exact result replaces it whatever its depth.
    t.store(inBucket0(1), someMove(3), 5, 2, Bound::EXACT);
    EXPECT_EQ(t.probe(inBucket0(1))->bound(), Bound::EXACT);
    EXPECT_EQ(t.probe(inBucket0(1))->depth, 2);
}

TEST(TranspositionTable, LaterSearchDisplacesAnEarlierSearchsDeepEntry) {
    TranspositionTable t(4);
    t.newSearch();
    t.store(inBucket0(1), someMove(1), 10, 12, Bound::EXACT);
    t.newSearch();
    t.store(inBucket0(2), someMove(2), 20, 1, Bound::UPPER);
    t.store(inBucket0(3), someMove(3), 30, 1, Bound::UPPER);
    // Within one search the deep entry would have stayed; an old one gives way.
    EXPECT_EQ(t.probe(inBucket0(1)), nullptr);
    ASSERT_NE(t.probe(inBucket0(2)), nullptr);
    EXPECT_EQ(t.probe(inBucket0(2))->depth, 1);
    ASSERT_NE(t.probe(inBucket0(3)), nullptr);
}

TEST(TranspositionTable, EntriesAreSixteenBytesAndTheRunnersTableHoldsAMillion) {
    EXPECT_EQ(sizeof(TableEntry), 16u);
    EXPECT_GE(std::size_t{1} << EngineRunner::TABLE_LOG2, std::size_t{1} << 20);
}

TEST(TranspositionTable, AKingsFallIsKeptByItsDistanceFromThePositionStored) {
    // Found at ply 3, two plies below it: the root sees a king taken at ply 5.
    const Score found = kingTakenAt(5);
    const Score kept = scoreToTable(found, 3);
    EXPECT_EQ(kept, kingTakenAt(2));
    // Met again at ply 1, the same fall is three plies from the root.
    EXPECT_EQ(scoreFromTable(kept, 1), kingTakenAt(3));
    EXPECT_EQ(scoreFromTable(scoreToTable(-found, 3), 1), kingLostAt(3));
    // The farthest fall the search scores is still one; the bound itself,
    // and the scores inside it, pass unchanged.
    EXPECT_EQ(scoreToTable(kingLostAt(MAX_PLY - 1), 1), kingLostAt(MAX_PLY - 2));
    EXPECT_EQ(scoreFromTable(kingTakenAt(MAX_PLY - 2), 1), kingTakenAt(MAX_PLY - 1));
    EXPECT_EQ(scoreToTable(KING_FALL_BOUND, 7), KING_FALL_BOUND);
    EXPECT_EQ(scoreFromTable(-KING_FALL_BOUND, 7), -KING_FALL_BOUND);
    EXPECT_EQ(scoreToTable(250, 7), 250);
    EXPECT_EQ(scoreFromTable(-250, 7), -250);
}

SearchLimits toDepth(int depth, TranspositionTable* table) {
    SearchLimits limits;
    limits.maxDepth = depth;
    limits.timeMs = 60'000;
    limits.table = table;
    return limits;
}

TEST(TranspositionTable, KeptAcrossSearchesSavesWorkAndFindsTheSameScore) {
    Board b;
    setStartPosition(b);
    const Position start = positionFromBoards(b, b, WHITE);
    TranspositionTable shared(16);
    const SearchResult first = bestMove(start, toDepth(5, &shared));
    const SearchResult again = bestMove(start, toDepth(5, &shared));
    const SearchResult fresh = bestMove(start, toDepth(5, nullptr));
    EXPECT_EQ(again.score, first.score);
    EXPECT_EQ(fresh.score, first.score);
    EXPECT_LT(again.nodes * 2, first.nodes);
}

// Each search marks the shared table as a new one begins: what it stores
// carries its own age, so that the entries of the searches before give way
// to it.
TEST(TranspositionTable, EachSearchOfASharedTableStoresUnderANewAge) {
    Board b;
    setStartPosition(b);
    const Position start = positionFromBoards(b, b, WHITE);
    TranspositionTable shared(16);
    std::vector<int> ages;
    for (int search = 0; search < 3; ++search) {
        bestMove(start, toDepth(3, &shared));
        // The root's result is stored last, by the search just made.
        const TableEntry* root = shared.probe(start.hash());
        ASSERT_NE(root, nullptr) << "search " << search;
        ages.push_back(root->age());
    }
    // A fresh table's age is 0; every search moves it on by one.
    EXPECT_EQ(ages, (std::vector<int>{1, 2, 3}));
}

TEST(TranspositionTable, TableSharedAcrossKindsOfGameFindsWhatAFreshOneFinds) {
    // Black's knight, pinned to its king by the white rook, attacks the white
    // king: against the computer it may take it (black's moves are judged by
    // the move test alone), between people it may not. The search from
    // white's move meets black's replies below the root, where a result
    // stored under the other rules would be read.
    Board left{};
    left.at(5, 1) = BLACK_KING;
    left.at(5, 2) = BLACK_KNIGHT;
    left.at(5, 8) = WHITE_ROOK;
    left.at(4, 4) = WHITE_KING;
    left.at(1, 7) = WHITE_PAWN;
    Board right{};
    right.at(1, 1) = BLACK_KING;
    right.at(8, 8) = WHITE_KING;
    const Position p = positionFromBoards(left, right, WHITE);
    for (int depth : {3, 4}) {
        for (GameKind first : {GameKind::AGAINST_COM, GameKind::TWO_PEOPLE}) {
            const GameKind second = first == GameKind::AGAINST_COM ? GameKind::TWO_PEOPLE : GameKind::AGAINST_COM;
            TranspositionTable shared(16);
            SearchLimits before = toDepth(depth, &shared);
            before.kind = first;
            SearchLimits after = toDepth(depth, &shared);
            after.kind = second;
            SearchLimits alone = toDepth(depth, nullptr);
            alone.kind = second;
            bestMove(p, before);
            const SearchResult byShared = bestMove(p, after);
            const SearchResult byFresh = bestMove(p, alone);
            EXPECT_EQ(byShared.score, byFresh.score) << "depth " << depth;
            EXPECT_EQ(byShared.move, byFresh.move) << "depth " << depth;
        }
    }
}

}  // namespace
}  // namespace velmora::engine
