// The engine's search against a plain one: fixed depth, alpha-beta with a
// quiescence search, no table, no pruning, on the engine's own move
// generator and evaluation. Alpha-beta with a full window gives the exact
// minimax value whatever the order of the moves, so the real search
// (principal variation search, fail-soft, table, killers, its own ordering)
// must report the same root score at the same depth, with its table on and
// off, once its selective pruning is switched off. Two things make the plain search fast enough without changing its
// value: it orders its moves (biggest victims first, then by the
// evaluation after the move) and it confirms the engine's score s with the
// window (s - 1, s + 1), in which plain fail-hard alpha-beta returns s
// exactly when the minimax value is s, and otherwise s - 1 or s + 1 for
// a value below or above. Unordered and with a full window it takes
// minutes a position at depth four.
// Its quiescence takes the moves of the full generator that take something,
// promote or take en passant, so it does not lean on the capture generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/evaluation.h"
#include "engine/game_end.h"
#include "engine/movegen.h"
#include "engine/position.h"
#include "engine/search.h"
#include "sample_positions.h"
#include "record/record_file.h"
#include "rules/setup.h"

namespace velmora::engine {
namespace {

constexpr int INFINITE = 32000;

class PlainSearch {
public:
    PlainSearch(const Position& root, GameKind kind) : p_(root), kind_(kind), lists_(MAX_PLY + 1) {
        for (int b = 0; b < 2; ++b) {
            for (Colour c : {WHITE, BLACK}) rootKings_[b][colourIndex(c)] = root.kingCount(b, c) > 0;
        }
    }

    // The value at `depth` if it is `expected`; expected - 1 or + 1 when the
    // value is below or above; nothing when the search needed more than
    // `budget` nodes.
    std::optional<int> confirm(int depth, int expected, long budget) {
        budget_ = budget;
        const int value = search(depth, expected - 1, expected + 1, 0);
        if (nodes_ > budget_) return std::nullopt;
        return value;
    }

private:
    // A king the side had at the root and no longer has on some board.
    bool lostKing(Colour colour) const {
        for (int b = 0; b < 2; ++b) {
            if (rootKings_[b][colourIndex(colour)] && p_.kingCount(b, colour) == 0) return true;
        }
        return false;
    }

    // Between people every move keeps the mover's king safe. Against the
    // computer black's moves are not tested, nor white's while a white king
    // stands attacked on either board.
    KingTest kingTest() const {
        if (kind_ == GameKind::TWO_PEOPLE) return KingTest::Tested;
        if (p_.sideToMove() == BLACK) return KingTest::Untested;
        for (int b = 0; b < 2; ++b) {
            if (attacked(p_, b, p_.kingSquare(b, WHITE), BLACK)) return KingTest::Untested;
        }
        return KingTest::Tested;
    }

    bool promotes(EngineMove m) const {
        const int mover = p_.at(m.board(), m.from());
        return std::abs(mover) == 1 && rankOf(m.to()) == (mover > 0 ? 8 : 1);
    }

    // The score after `m` for the side that made it; a move that ends the
    // game in a draw scores 0.
    template <class Next>
    int after(EngineMove m, Next next) {
        Undo undo;
        p_.make(m, undo);
        const int score = drawnAfterMove(p_, m.board(), -p_.sideToMove(), kind_) ? 0 : -next();
        p_.unmake(m, undo);
        return score;
    }

    // What the move takes on both boards, a king above everything.
    int victims(EngineMove m) const {
        const int mover = p_.at(m.board(), m.from());
        int taken = m.enPassant() ? 100 : 0;
        for (const int code : {p_.at(m.board(), m.to()), p_.at(1 - m.board(), m.to())}) {
            if (code * mover < 0) taken += std::abs(code) == 6 ? 100'000 : valueOf(code);
        }
        return taken;
    }

    // The side to move's moves, biggest victims first; with `byEvaluation`
    // the rest by the mover's evaluation after the move.
    std::vector<EngineMove>& movesAt(int ply, bool byEvaluation) {
        MoveList& list = lists_[static_cast<size_t>(ply)];
        generateMoves(p_, list, kingTest());
        std::vector<std::pair<long, EngineMove>> keyed;
        for (const EngineMove m : list) {
            long key = static_cast<long>(victims(m)) * 100'000;
            if (byEvaluation) {
                Undo undo;
                p_.make(m, undo);
                key -= evaluate(p_);
                p_.unmake(m, undo);
            }
            keyed.emplace_back(key, m);
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<EngineMove>& moves = sorted_[static_cast<size_t>(ply)];
        moves.clear();
        for (const auto& k : keyed) moves.push_back(k.second);
        return moves;
    }

    int search(int depth, int alpha, int beta, int ply) {
        if (++nodes_ > budget_) return alpha;
        if (ply > 0 && lostKing(p_.sideToMove())) return -(KING_LOSS - ply);
        if (depth <= 0) return quiesce(alpha, beta, ply);
        const std::vector<EngineMove>& moves = movesAt(ply, depth >= 2);
        if (moves.empty()) return 0;  // no move on either board: a draw
        for (const EngineMove m : moves) {
            const int score = after(m, [&] { return search(depth - 1, -beta, -alpha, ply + 1); });
            if (score >= beta) return beta;
            alpha = std::max(alpha, score);
        }
        return alpha;
    }

    int quiesce(int alpha, int beta, int ply) {
        if (++nodes_ > budget_) return alpha;
        if (lostKing(p_.sideToMove())) return -(KING_LOSS - ply);
        const int standPat = evaluate(p_);
        if (ply >= MAX_PLY) return standPat;
        if (standPat >= beta) return beta;
        alpha = std::max(alpha, standPat);
        for (const EngineMove m : movesAt(ply, false)) {
            if (!isCapture(p_, m) && !promotes(m)) continue;
            // A pawn promotes to a queen or stays a pawn here; the other
            // pieces add nothing to the exchange.
            const int placed = std::abs(m.placed());
            if (promotes(m) && placed != 5 && placed != 1) continue;
            const int score = after(m, [&] { return quiesce(-beta, -alpha, ply + 1); });
            if (score >= beta) return beta;
            alpha = std::max(alpha, score);
        }
        return alpha;
    }

    Position p_;
    GameKind kind_;
    bool rootKings_[2][2]{};
    long nodes_ = 0;
    long budget_ = 0;
    std::vector<MoveList> lists_;
    std::vector<std::vector<EngineMove>> sorted_ = std::vector<std::vector<EngineMove>>(MAX_PLY + 1);
};

using testing::Sample;

std::vector<Sample> allSamples() {
    std::vector<Sample> samples = testing::recordPositions(VELMORA_GOLDEN_DIR "/play.棋譜", "golden", 1);
    for (Sample& s : testing::recordPositions(VELMORA_CORPUS_DIR "/selfplay.棋譜", "corpus", 5)) samples.push_back(s);
    for (Sample& s : testing::randomGamePositions(5150, 150, 6, 90)) samples.push_back(s);
    return samples;
}

// Node budgets a position for both searches: the few positions where
// captures pile up on both boards and a fixed depth takes seconds are left
// out (and counted).
constexpr std::uint64_t REAL_BUDGET = 100'000;
constexpr long PLAIN_BUDGET = 50'000;

SearchResult realSearch(const Position& p, int depth, bool table, GameKind kind) {
    SearchLimits limits;
    limits.maxDepth = depth;
    limits.everyDepth = true;
    limits.timeMs = 600'000;
    limits.useTable = table;
    limits.tableLog2 = 16;
    limits.kind = kind;
    limits.maxNodes = REAL_BUDGET;
    // Pruning and reductions trade the exact value for depth: off here.
    limits.selective = false;
    return bestMove(p, limits);
}

TEST(ReferenceSearch, SameRootScoreAtDepthsTwoToFourWithTableOnAndOff) {
    const std::vector<Sample> samples = allSamples();
    int compared[5] = {}, tooBig = 0, kingScores = 0, failures = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        const int depth = 2 + static_cast<int>(i % 3);
        // Every fourth position under the rules between two people.
        const GameKind kind = i % 4 == 3 ? GameKind::TWO_PEOPLE : GameKind::AGAINST_COM;
        const SearchResult withTable = realSearch(s.position, depth, true, kind);
        const SearchResult without = realSearch(s.position, depth, false, kind);
        // A side without any move gets no move and no depth.
        const int claimed = withTable.found() ? withTable.score : 0;
        const int claimedWithout = without.found() ? without.score : 0;
        if (withTable.found() && (withTable.depth < depth || without.depth < depth)) {
            ++tooBig;
            continue;
        }
        std::optional<int> plain = PlainSearch(s.position, kind).confirm(depth, claimed, PLAIN_BUDGET);
        if (!plain) {
            ++tooBig;
            continue;
        }
        ++compared[depth];
        kingScores += std::abs(claimed) > KING_LOSS - MAX_PLY;
        if (*plain == claimed && claimedWithout == claimed) continue;
        if (++failures <= 5) {
            auto relation = [](int plainValue, int score) {
                return plainValue < score ? "above the plain value" : plainValue > score ? "below the plain value" : "right";
            };
            ADD_FAILURE() << s.where << (s.position.sideToMove() == WHITE ? " white" : " black") << " depth " << depth
                          << (kind == GameKind::TWO_PEOPLE ? " two people" : "") << ": with the table " << claimed
                          << " (" << relation(*plain, claimed) << "), without " << claimedWithout;
        }
    }
    EXPECT_EQ(failures, 0);
    const int total = compared[2] + compared[3] + compared[4];
    EXPECT_GE(total, 200) << tooBig << " positions beyond the plain search's budget";
    for (int depth = 2; depth <= 4; ++depth) EXPECT_GE(compared[depth], 40) << "depth " << depth;
    // The set reaches positions where a king falls within the horizon.
    EXPECT_GT(kingScores, 0);
}

}  // namespace
}  // namespace velmora::engine
