#include "engine/search.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/evaluation.h"
#include "engine/movegen.h"

namespace velmora::engine {
namespace {

using SteadyTime = std::chrono::steady_clock;

constexpr Score INFINITE_SCORE = 32000;
constexpr Score KING_VALUE_FOR_ORDER = 2000;
// The positional terms of the evaluation rarely reach this far: a material
// lead this much above beta ends a quiescence node without evaluating.
constexpr Score LAZY_MARGIN = 350;
// Selective search: the null move searches this many plies less (one more
// from depth 7 on), late quiet moves one or two, and near the horizon a
// static evaluation this far above beta per ply left ends the node.
constexpr int NULL_REDUCTION = 2;
constexpr Score STATIC_CUT_MARGIN = 90;
constexpr int STATIC_CUT_DEPTH = 3;
// Quiet moves before this one in the ordering are searched to full depth.
constexpr int FIRST_REDUCED_MOVE = 3;
// The history of quiet moves saturates at this value either way.
constexpr int HISTORY_LIMIT = 1 << 14;
// Mixed into the table's keys between two people: the same position is
// searched under other rules there, so its results must not meet.
constexpr std::uint64_t TWO_PEOPLE_KEY = 0x9e3779b97f4a7c15ULL;

// Gains of a move for ordering: what it takes on both boards, most valuable
// victims first, cheapest attackers first.
Score captureGain(const Position& p, EngineMove m) {
    const int mover = p.at(m.board(), m.from());
    auto value = [](int code) { return std::abs(code) == 6 ? KING_VALUE_FOR_ORDER : PIECE_VALUE[std::abs(code)]; };
    Score gain = 0;
    const int there = p.at(m.board(), m.to());
    const int twin = p.at(otherBoard(m.board()), m.to());
    if (there * mover < 0) gain += value(there);
    if (twin * mover < 0) gain += value(twin);
    if (m.enPassant()) gain += PIECE_VALUE[1];
    if (m.placed() != mover) gain += PIECE_VALUE[std::abs(m.placed())] - PIECE_VALUE[1];
    return gain;
}

// Which of the side to move's moves the game accepts. Against the computer,
// black's moves are the computer's own, judged by the move test alone, and
// white may leave a king attacked while the computer's check stands (a white
// king attacked on either board). Between people every move is tested.
KingTest kingTestOf(const Position& p, GameKind kind) {
    if (kind != GameKind::AGAINST_COM) return KingTest::Tested;
    if (p.sideToMove() == BLACK) return KingTest::Untested;
    for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
        if (attacked(p, b, p.kingSquare(b, WHITE), BLACK)) return KingTest::Untested;
    }
    return KingTest::Tested;
}

class Searcher {
public:
    Searcher(const Position& root, const SearchLimits& limits)
        : pos_(root), limits_(limits), lists_(MAX_PLY + 1), scores_(MAX_PLY + 1) {
        if (limits.useTable) {
            if (limits.table) {
                table_ = limits.table;
            } else {
                ownTable_ = std::make_unique<TranspositionTable>(limits.tableLog2);
                table_ = ownTable_.get();
            }
            table_->newSearch();
        }
        start_ = SteadyTime::now();
        if (limits.timeMs > 0) deadline_ = start_ + std::chrono::milliseconds(limits.timeMs);
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            for (Colour c : {WHITE, BLACK}) rootKings_[boardIndex(b)][colourIndex(c)] = root.kingCount(b, c) > 0;
        }
    }

    SearchResult run();

private:
    bool lostKing(Colour colour) const {
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            if (rootKings_[boardIndex(b)][colourIndex(colour)] && pos_.kingCount(b, colour) == 0) return true;
        }
        return false;
    }

    KingTest kingTest() const { return kingTestOf(pos_, limits_.kind); }

    // A king of `colour` that the enemy could take with its next move: a
    // piece covers its square on its own board, or the same square on the
    // other board, where landing removes the king as well. Passing,
    // reducing or pruning then risks overlooking its fall.
    bool kingInDanger(Colour colour) const {
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            if (pos_.kingCount(b, colour) == 0) continue;
            const int king = pos_.kingSquare(b, colour);
            if (attacked(pos_, b, king, -colour) || attacked(pos_, otherBoard(b), king, -colour)) return true;
        }
        return false;
    }

    // Does the side that just moved on `board` now cover the square of an
    // enemy king there, or the twin of one on the other board?
    bool threatensKingAfterMove(BoardId board) const {
        const Colour enemy = pos_.sideToMove();
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            if (pos_.kingCount(b, enemy) > 0 && attacked(pos_, board, pos_.kingSquare(b, enemy), -enemy)) return true;
        }
        return false;
    }

    // Pieces besides king and pawns: without them zugzwang is common and
    // a null move proves nothing.
    bool hasPieces(Colour colour) const {
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            for (int sq = 0; sq < 128; ++sq) {
                if (offBoard(sq)) continue;
                const int code = pos_.at(b, sq) * sign(colour);
                if (code >= 2 && code <= 5) return true;
            }
        }
        return false;
    }

    // The root move's share of the spread: the same on every depth of the
    // search, different from move to move and from seed to seed.
    Score rootBias(EngineMove m) const {
        if (limits_.rootSpread <= 0) return 0;
        std::uint64_t x = limits_.seed ^ (std::uint64_t{m.raw()} * 0x9e3779b97f4a7c15ULL);
        // splitmix64's finaliser: every bit of the move and the seed counts.
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        x ^= x >> 31;
        return static_cast<Score>(x % static_cast<std::uint64_t>(limits_.rootSpread + 1));
    }

    int& history(EngineMove m) {
        return history_[colourIndex(pos_.sideToMove())][boardIndex(m.board())][m.from()][m.to()];
    }

    // Moves toward +-HISTORY_LIMIT in proportion to how far it still is.
    void addHistory(EngineMove m, int bonus) {
        int& h = history(m);
        h += bonus - h * std::abs(bonus) / HISTORY_LIMIT;
    }

    std::uint64_t tableKey() const { return keyOf(pos_); }
    std::uint64_t keyOf(const Position& p) const {
        return limits_.kind == GameKind::TWO_PEOPLE ? p.hash() ^ TWO_PEOPLE_KEY : p.hash();
    }

    bool outOfTime() const { return deadline_ && SteadyTime::now() >= *deadline_; }

    void checkTime() {
        if ((nodes_ & 1023) != 0) return;
        if ((limits_.stop && limits_.stop->load(std::memory_order_relaxed)) || outOfTime()) aborted_ = true;
        if (limits_.maxNodes != 0 && nodes_ >= limits_.maxNodes) aborted_ = true;
        // A long depth: the follower hears that the search goes on.
        if (limits_.onProgress && progress_.depth > 0 &&
            SteadyTime::now() - lastReport_ >= std::chrono::milliseconds(limits_.progressMs)) {
            report();
        }
    }

    int elapsedMs() const {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyTime::now() - start_).count());
    }
    void report() {
        progress_.nodes = nodes_;
        progress_.elapsedMs = elapsedMs();
        lastReport_ = SteadyTime::now();
        limits_.onProgress(progress_);
    }
    // The line the search expects from the root, `first` first: each next
    // move is the table's best for the position reached, as long as it is
    // legal there and the game goes on.
    std::vector<EngineMove> principalLine(EngineMove first) const;

    // Moves on the two boards commute, so the same positions come back
    // often: their evaluations are kept by key.
    Score evaluateCached() {
        EvalEntry& e = evalCache_[pos_.hash() & (evalCache_.size() - 1)];
        if (e.key != pos_.hash() || !e.valid) {
            e.key = pos_.hash();
            e.score = evaluate(pos_);
            e.valid = true;
        }
        return e.score;
    }

    void order(MoveList& list, std::vector<int>& scores, EngineMove best, int ply);
    // From the second depth on: the best move first, then the others by
    // the nodes the depth before spent on them, most first. A move that
    // took many to refute is the likeliest to turn out best, and a depth
    // the time cuts short has then searched the likeliest moves.
    void orderRoot(MoveList& list);
    Score search(int depth, Score alpha, Score beta, int ply, bool nullAllowed = true);
    Score quiesce(Score alpha, Score beta, int ply);
    // The root's best move so far as the search's answer, its bias taken off.
    void takeRootBest(SearchResult& result) const;

    struct EvalEntry {
        std::uint64_t key = 0;
        Score score = 0;
        bool valid = false;
    };

    Position pos_;
    SearchLimits limits_;
    std::vector<EvalEntry> evalCache_ = std::vector<EvalEntry>(std::size_t{1} << 16);
    std::unique_ptr<TranspositionTable> ownTable_;
    TranspositionTable* table_ = nullptr;
    std::vector<MoveList> lists_;
    std::vector<std::vector<int>> scores_;
    EngineMove killers_[MAX_PLY + 1][2]{};
    // How often each quiet move (by side, board, from and to) cut off a
    // search, less how often it was tried before another one did.
    int history_[2][2][128][128]{};
    bool rootKings_[2][2]{};
    SteadyTime::time_point start_;
    std::optional<SteadyTime::time_point> deadline_;  // none: no limit but nodes and depth
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
    // The best root move so far and its score (with its bias); whether a
    // root move has been searched to the end at the depth under way.
    EngineMove rootBest_;
    Score rootScore_ = 0;
    bool rootMoveDone_ = false;
    // The nodes each root move's search took at the last depth, by move.
    std::unordered_map<std::uint32_t, std::uint64_t> rootEffort_;
    // The last depth completed, as the follower is told it.
    SearchProgress progress_;
    SteadyTime::time_point lastReport_;
};

std::vector<EngineMove> Searcher::principalLine(EngineMove first) const {
    std::vector<EngineMove> line;
    Position p = pos_;
    std::vector<std::uint64_t> seen{p.hash()};
    MoveList legal;
    for (EngineMove m = first; !m.isNull() && static_cast<int>(line.size()) < limits_.lineLength;) {
        generateMoves(p, legal, kingTestOf(p, limits_.kind));
        if (std::find(legal.begin(), legal.end(), m) == legal.end()) break;
        line.push_back(m);
        Undo undo;
        p.make(m, undo);
        const Colour mover = -p.sideToMove();
        // A king taken or a draw ends the game, and the line with it.
        bool kingTaken = false;
        for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
            if (rootKings_[boardIndex(b)][colourIndex(-mover)] && p.kingCount(b, -mover) == 0) kingTaken = true;
        }
        if (kingTaken || drawnAfterMove(p, m.board(), mover, limits_.kind)) break;
        // The table can lead round in a circle.
        if (std::find(seen.begin(), seen.end(), p.hash()) != seen.end()) break;
        seen.push_back(p.hash());
        const TableEntry* e = table_ ? table_->probe(keyOf(p)) : nullptr;
        m = e ? EngineMove::fromRaw(e->move) : EngineMove{};
    }
    return line;
}

void Searcher::orderRoot(MoveList& list) {
    if (rootEffort_.empty()) return;
    const auto effort = [this](EngineMove m) {
        if (m == rootBest_) return std::numeric_limits<std::uint64_t>::max();
        const auto it = rootEffort_.find(m.raw());
        return it == rootEffort_.end() ? 0 : it->second;
    };
    std::stable_sort(list.moves, list.moves + list.size,
                     [&effort](EngineMove x, EngineMove y) { return effort(x) > effort(y); });
}

void Searcher::order(MoveList& list, std::vector<int>& scores, EngineMove best, int ply) {
    scores.resize(static_cast<size_t>(list.size));
    for (int i = 0; i < list.size; ++i) {
        const EngineMove m = list.moves[i];
        int s = 0;
        if (m == best) {
            s = 1 << 24;
        } else if (const Score gain = captureGain(pos_, m); gain > 0) {
            s = (1 << 20) + gain * 16 - PIECE_VALUE[std::abs(pos_.at(m.board(), m.from())) % 6] / 10;
        } else if (ply <= MAX_PLY && (m == killers_[ply][0] || m == killers_[ply][1])) {
            s = 1 << 19;
        } else if (ply <= MAX_PLY) {
            s = history(m);
        }
        scores[static_cast<size_t>(i)] = s;
    }
    // Insertion sort: the lists are short and mostly in order already.
    for (int i = 1; i < list.size; ++i) {
        const EngineMove m = list.moves[i];
        const int s = scores[static_cast<size_t>(i)];
        int j = i - 1;
        while (j >= 0 && scores[static_cast<size_t>(j)] < s) {
            list.moves[j + 1] = list.moves[j];
            scores[static_cast<size_t>(j + 1)] = scores[static_cast<size_t>(j)];
            --j;
        }
        list.moves[j + 1] = m;
        scores[static_cast<size_t>(j + 1)] = s;
    }
}

Score Searcher::quiesce(Score alpha, Score beta, int ply) {
    ++nodes_;
    checkTime();
    if (lostKing(pos_.sideToMove())) return kingLostAt(ply);
    const Colour us = pos_.sideToMove();
    const Score lazy = pos_.material(us) - pos_.material(-us) - LAZY_MARGIN;
    if (lazy >= beta) return lazy;
    const Score standPat = evaluateCached();
    if (ply >= MAX_PLY || standPat >= beta) return standPat;
    alpha = std::max(alpha, standPat);
    MoveList& list = lists_[static_cast<size_t>(ply)];
    generateCaptures(pos_, list, kingTest());
    order(list, scores_[static_cast<size_t>(ply)], EngineMove(), MAX_PLY + 1);
    for (int i = 0; i < list.size; ++i) {
        const EngineMove m = list.moves[i];
        // Promotions other than to a queen add nothing the quiescence needs.
        const int placedKind = std::abs(m.placed());
        const int moverKind = std::abs(pos_.at(m.board(), m.from()));
        if (moverKind == 1 && placedKind != 1 && placedKind != 5) continue;
        if (!limits_.quiescence && captureGain(pos_, m) < KING_VALUE_FOR_ORDER) continue;
        Undo undo;
        pos_.make(m, undo);
        const bool drawn = drawnAfterMove(pos_, m.board(), -pos_.sideToMove(), limits_.kind);
        const Score score = drawn ? 0 : -quiesce(-beta, -alpha, ply + 1);
        pos_.unmake(m, undo);
        if (aborted_) return 0;
        if (score >= beta) return score;
        alpha = std::max(alpha, score);
    }
    return alpha;
}

Score Searcher::search(int depth, Score alpha, Score beta, int ply, bool nullAllowed) {
    if (ply > 0 && lostKing(pos_.sideToMove())) return kingLostAt(ply);
    if (depth <= 0 || ply >= MAX_PLY) return quiesce(alpha, beta, ply);
    ++nodes_;
    checkTime();
    if (aborted_) return 0;

    EngineMove ttMove;
    if (const TableEntry* e = table_ ? table_->probe(tableKey()) : nullptr) {
        ttMove = EngineMove::fromRaw(e->move);
        const Score score = scoreFromTable(e->score, ply);
        if (ply > 0 && e->depth >= depth) {
            if (e->bound() == Bound::EXACT) return score;
            if (e->bound() == Bound::LOWER && score >= beta) return score;
            if (e->bound() == Bound::UPPER && score <= alpha) return score;
        }
    }
    if (ply == 0 && !rootBest_.isNull()) ttMove = rootBest_;

    const Colour us = pos_.sideToMove();
    const bool pvNode = beta - alpha > 1;
    // A king of the side to move under attack may simply be taken next: no
    // pass, no reduction, no static cut-off then.
    const bool danger = limits_.selective && kingInDanger(us);
    if (limits_.selective && ply > 0 && !pvNode && !danger && std::abs(beta) < KING_FALL_BOUND) {
        const Score eval = evaluateCached();
        // So far above beta that the last plies will hardly bring it down.
        if (depth <= STATIC_CUT_DEPTH && eval - STATIC_CUT_MARGIN * depth >= beta) return eval;
        // Even passing keeps the score above beta: a real move would too.
        if (nullAllowed && depth >= 3 && eval >= beta && hasPieces(us)) {
            const int reduction = NULL_REDUCTION + (depth >= 7 ? 1 : 0);
            pos_.setSideToMove(-us);
            const Score score = -search(depth - 1 - reduction, -beta, -beta + 1, ply + 1, false);
            pos_.setSideToMove(us);
            if (aborted_) return 0;
            // A king's fall seen after a pass is not proven for a real move.
            if (score >= beta) return isKingTaken(score) ? beta : score;
        }
    }

    MoveList& list = lists_[static_cast<size_t>(ply)];
    generateMoves(pos_, list, kingTest());
    if (list.size == 0) return 0;  // nothing to move on either board
    order(list, scores_[static_cast<size_t>(ply)], ttMove, ply);
    if (ply == 0) orderRoot(list);

    const Score alphaStart = alpha;
    Score best = -INFINITE_SCORE;
    EngineMove bestMove;
    // The quiet moves searched so far at this node, which lose history when
    // a later move cuts off.
    EngineMove quietsTried[64];
    int quietCount = 0;
    for (int i = 0; i < list.size; ++i) {
        const EngineMove m = list.moves[i];
        const bool quiet = captureGain(pos_, m) == 0;
        // At the root a move's score carries its bias: the window it is
        // searched with is moved by the same amount.
        const Score bias = ply == 0 ? rootBias(m) : 0;
        const bool reducible = limits_.selective && quiet && ply > 0 && depth >= 3 && i >= FIRST_REDUCED_MOVE &&
                               !danger && m != killers_[ply][0] && m != killers_[ply][1];
        Undo undo;
        pos_.make(m, undo);
        const std::uint64_t nodesBefore = nodes_;
        Score score;
        const Score a = alpha - bias;
        const Score b = beta - bias;
        if (drawnAfterMove(pos_, m.board(), -pos_.sideToMove(), limits_.kind)) {
            score = 0;  // the game ends in a draw after this move
        } else if (i == 0) {
            score = -search(depth - 1, -b, -a, ply + 1);
        } else {
            bool full = true;
            // A late quiet move is first searched less deep; only a move
            // that then beats alpha is searched again to the full depth.
            if (reducible && !threatensKingAfterMove(m.board())) {
                const int reduction = depth >= 6 && i >= 3 * FIRST_REDUCED_MOVE ? 2 : 1;
                score = -search(depth - 1 - reduction, -a - 1, -a, ply + 1);
                full = score > a;
            }
            // A null window proves the move no better; only then search fully.
            if (full) {
                score = -search(depth - 1, -a - 1, -a, ply + 1);
                if (score > a && score < b) score = -search(depth - 1, -b, -a, ply + 1);
            }
        }
        // A king's fall keeps its exact distance: the nearer fall must
        // always weigh more than any bias.
        if (!isKingFall(score)) score += bias;
        pos_.unmake(m, undo);
        if (aborted_) return 0;
        if (ply == 0) {
            rootMoveDone_ = true;
            rootEffort_[m.raw()] = nodes_ - nodesBefore;
        }
        if (score > best) {
            best = score;
            bestMove = m;
            if (ply == 0) {
                rootBest_ = m;
                rootScore_ = score;
            }
        }
        if (score > alpha) alpha = score;
        if (alpha >= beta) {
            if (quiet) {
                if (killers_[ply][0] != m) {
                    killers_[ply][1] = killers_[ply][0];
                    killers_[ply][0] = m;
                }
                addHistory(m, depth * depth);
                for (int j = 0; j < quietCount; ++j) addHistory(quietsTried[j], -depth * depth);
            }
            break;
        }
        if (quiet && quietCount < 64) quietsTried[quietCount++] = m;
    }
    const Bound bound = best >= beta ? Bound::LOWER : best > alphaStart ? Bound::EXACT : Bound::UPPER;
    // A root score raised by a bias is no value of the position.
    if (table_ && (ply > 0 || limits_.rootSpread <= 0)) {
        table_->store(tableKey(), bestMove, scoreToTable(best, ply), depth, bound);
    }
    return best;
}

void Searcher::takeRootBest(SearchResult& result) const {
    result.move = rootBest_;
    result.score = isKingFall(rootScore_) ? rootScore_ : rootScore_ - rootBias(rootBest_);
}

SearchResult Searcher::run() {
    SearchResult result;
    bool onlyMove = false;
    {
        // Whatever happens, a legal move is answered when there is one.
        MoveList first;
        generateMoves(pos_, first, kingTest());
        if (first.size == 0) return result;
        result.move = first.moves[0];
        onlyMove = first.size == 1;
    }
    for (int depth = 1; depth <= limits_.maxDepth; ++depth) {
        // The budget is the move's: time not spent is lost, so each depth is
        // begun while any is left, and a depth cut short still counts.
        if (depth > 1 && outOfTime()) break;
        rootMoveDone_ = false;
        const Score score = search(depth, -INFINITE_SCORE, INFINITE_SCORE, 0);
        if (aborted_) {
            // The moves searched to the end at the unfinished depth: the
            // first was the last depth's best, and another took its place
            // only by scoring higher in a full window, so the best of them
            // is the better guess.
            if (rootMoveDone_) takeRootBest(result);
            break;
        }
        takeRootBest(result);
        result.depth = depth;
        if (limits_.onProgress) {
            progress_.depth = depth;
            progress_.score = result.score;
            progress_.line = principalLine(result.move);
            report();
        }
        // A king taken or lost within reach: deeper searches change nothing.
        if (isKingFall(score) && !limits_.everyDepth) break;
        // The only move: nothing to choose, so no deeper search.
        if (onlyMove && !limits_.everyDepth) break;
    }
    result.nodes = nodes_;
    const EngineMove m = result.move;
    result.board = m.board();
    result.from = {fileOf(m.from()), rankOf(m.from())};
    result.to = {fileOf(m.to()), rankOf(m.to())};
    result.placed = m.placed();
    result.enPassant = m.enPassant();
    return result;
}

}  // namespace

SearchResult bestMove(const Position& position, const SearchLimits& limits) {
    const SteadyTime::time_point started = SteadyTime::now();
    SearchResult result = std::make_unique<Searcher>(position, limits)->run();
    if (limits.rootSpread <= 0 || result.depth == 0 || isKingFall(result.score)) return result;
    // The spread moves the choice only; the score is the unbiased search's
    // to the same depth. Taking the bias back off the chosen move's score is
    // not enough: each root move was searched in a window moved by its
    // bias, and what the selective search prunes below the root depends on
    // the window, so the same move would be scored differently for each seed.
    SearchLimits unbiased = limits;
    unbiased.rootSpread = 0;
    unbiased.onProgress = nullptr;
    unbiased.maxDepth = result.depth;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyTime::now() - started).count();
    if (limits.timeMs > 0) unbiased.timeMs = std::max(1, limits.timeMs - static_cast<int>(spent));
    const SearchResult plain = std::make_unique<Searcher>(position, unbiased)->run();
    result.nodes += plain.nodes;
    // Out of time or stopped before that depth: the chosen move's own score
    // stands. A king's fall ends the deepening early, and is no estimate.
    const bool kingFalls = plain.depth > 0 && isKingFall(plain.score);
    if (plain.depth == result.depth || kingFalls) result.score = plain.score;
    return result;
}

}  // namespace velmora::engine
