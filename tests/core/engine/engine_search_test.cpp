// The engine's search and evaluation: it takes what the rules let it take,
// keeps its time budget and stop flag, and gives the same answer on any
// thread; the evaluation treats both colours alike.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "game.h"
#include "board_text_fixture.h"
#include "engine/evaluation.h"
#include "engine/game_end.h"
#include "engine/movegen.h"
#include "engine/position.h"
#include "engine/search.h"
#include "record/record_file.h"
#include "rules/setup.h"
#include "sample_positions.h"

namespace velmora::engine {
namespace {

using testing::boardFrom;

Position startPosition() {
    Board b;
    setStartPosition(b);
    return positionFromBoards(b, b, WHITE);
}

bool isGenerated(Position p, EngineMove m) {
    MoveList list;
    generateMoves(p, list);
    for (const EngineMove x : list) {
        if (x == m) return true;
    }
    return false;
}

// Both boards turned round with the colours exchanged.
Board mirrored(const Board& b) {
    Board out;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) out.at(f, 9 - r) = static_cast<PieceCode>(-b.at(f, r));
    }
    return out;
}

// A search to a fixed depth, with all the time it needs to finish it.
SearchLimits toDepth(int depth) {
    SearchLimits limits;
    limits.maxDepth = depth;
    limits.timeMs = 60'000;
    return limits;
}

// A board with only the two kings, on their starting squares.
Board kingsOnly() {
    Board b{};
    b.at(5, 1) = BLACK_KING;
    b.at(5, 8) = WHITE_KING;
    return b;
}

TEST(EngineSearch, TakesAKingThroughTheOtherBoard) {
    // White's knight lands on an empty square of the left board whose twin on
    // the right board holds the black king.
    const Board left = boardFrom({"....k...", "........", "........", "..N.....", "........", "........", "........",
                                  "....K..."});
    const Board right = boardFrom({"q.......", "...k....", "........", "........", "........", "........",
                                   "........", "....K..."});
    const SearchResult r = bestMove(positionFromBoards(left, right, WHITE), 2000);
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.board, BoardId::LEFT);
    EXPECT_EQ((std::pair(r.to.file, r.to.rank)), (std::pair(4, 2)));
    EXPECT_TRUE(isKingTaken(r.score)) << r.score;
}

TEST(EngineSearch, WinsMaterialAndAvoidsLosingIt) {
    // Black's queen hangs to the white rook; white should take it.
    const Board left = boardFrom({"....k...", "........", "........", "...q....", "........", "........", "........",
                                  "...RK..."});
    const SearchResult r = bestMove(positionFromBoards(left, kingsOnly(), WHITE), toDepth(4));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.depth, 4);
    EXPECT_EQ((std::tuple(r.from.file, r.from.rank, r.to.file, r.to.rank)), (std::tuple(4, 8, 4, 4)));
    EXPECT_GT(r.score, 500);
}

// Against the computer the search plays `from`-`to` on the left board (a
// pinned piece taking the enemy king); between two people that piece may not
// leave the file it is pinned on.
void expectTakenOnlyAgainstTheComputer(const Board& left, const Board& right, Colour colour, Square from, Square to) {
    SearchLimits limits = toDepth(3);
    const Position p = positionFromBoards(left, right, colour);
    const SearchResult computer = bestMove(p, limits);
    EXPECT_EQ((std::tuple(computer.board, computer.from, computer.to)), (std::tuple(BoardId::LEFT, from, to)));
    EXPECT_TRUE(isKingTaken(computer.score)) << computer.score;

    limits.kind = GameKind::TWO_PEOPLE;
    const SearchResult person = bestMove(p, limits);
    ASSERT_TRUE(person.found());
    EXPECT_FALSE(person.board == BoardId::LEFT && person.from == from && person.to.file != from.file);
}

// The computer's own moves are not tested for leaving its king attacked, so
// a black rook pinned to its king still takes the white king.
TEST(EngineSearch, AgainstTheComputerBlacksPinnedPieceStillTakesTheKing) {
    const Board left = boardFrom({"....k...", "........", "K...r...", "........", "........", "........",
                                  "....R...", "........"});
    Board right{};
    right.at(5, 1) = BLACK_KING;
    right.at(8, 8) = WHITE_KING;
    expectTakenOnlyAgainstTheComputer(left, right, BLACK, {5, 3}, {1, 3});
}

// While the computer's check stands against white (a white king attacked on
// either board, here the right one), the person's moves are not tested
// either: a white rook pinned on the left board takes the black king.
TEST(EngineSearch, WhiteInCheckAgainstTheComputerMayLeaveItsKingAttacked) {
    const Board left = boardFrom({"........", "....r...", "........", "........", "........", "k...R...",
                                  "........", "....K..."});
    const Board right = boardFrom({"....r...", "........", "........", "........", "........", "........",
                                   "k.......", "....K..."});
    expectTakenOnlyAgainstTheComputer(left, right, WHITE, {5, 6}, {1, 6});
}

TEST(EngineSearch, KeepsTheTimeBudgetAndAnswersALegalMove) {
    const Position p = startPosition();
    const auto start = std::chrono::steady_clock::now();
    const SearchResult r = bestMove(p, 200);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_TRUE(r.found());
    EXPECT_TRUE(isGenerated(p, r.move));
    EXPECT_GE(r.depth, 1);
    EXPECT_GT(r.nodes, 0u);
    EXPECT_LT(ms.count(), 400);
}

TEST(EngineSearch, StopFlagEndsTheSearchWithALegalMove) {
    const Position p = startPosition();
    std::atomic<bool> stop{true};
    const auto start = std::chrono::steady_clock::now();
    const SearchResult r = bestMove(p, 60'000, &stop);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_TRUE(r.found());
    EXPECT_TRUE(isGenerated(p, r.move));
    EXPECT_LT(ms.count(), 1000);
}

TEST(EngineSearch, ProgressFollowsEachDepthWithAPlayableLine) {
    for (const testing::Sample& s : testing::randomGamePositions(41, 6, 10, 40)) {
        std::vector<SearchProgress> reports;
        SearchLimits limits = toDepth(5);
        limits.onProgress = [&reports](const SearchProgress& p) { reports.push_back(p); };
        const SearchResult r = bestMove(s.position, limits);
        if (!r.found()) continue;
        ASSERT_FALSE(reports.empty()) << s.where;
        int depth = 0;
        std::uint64_t nodes = 0;
        for (const SearchProgress& p : reports) {
            EXPECT_GE(p.depth, depth) << s.where;
            EXPECT_GE(p.nodes, nodes) << s.where;
            depth = p.depth;
            nodes = p.nodes;
            ASSERT_FALSE(p.line.empty()) << s.where;
            EXPECT_LE(p.line.size(), 8u) << s.where;
            Position walk = s.position;
            for (const EngineMove m : p.line) {
                ASSERT_TRUE(isGenerated(walk, m)) << s.where << " depth " << p.depth;
                Undo undo;
                walk.make(m, undo);
            }
        }
        // The last report is the answer.
        EXPECT_EQ(reports.back().depth, r.depth) << s.where;
        EXPECT_EQ(reports.back().line.front(), r.move) << s.where;
        EXPECT_EQ(reports.back().score, r.score) << s.where;
    }
}

TEST(EngineSearch, ALongDepthIsReportedWhileItRuns) {
    std::vector<int> depths;
    SearchLimits limits;
    limits.timeMs = 300;
    limits.progressMs = 10;
    limits.onProgress = [&depths](const SearchProgress& p) { depths.push_back(p.depth); };
    const SearchResult r = bestMove(startPosition(), limits);
    // More reports than depths: the ones between tell the search goes on.
    EXPECT_GT(static_cast<int>(depths.size()), r.depth + 3);
}

TEST(EngineSearch, NoMoveWhenTheSideCannotMove) {
    // Black's only pieces are pawns blocked on both boards.
    const Board b = boardFrom({"........", "........", "........", "p.......", "P.......", "........", "........",
                               "........"});
    const SearchResult r = bestMove(positionFromBoards(b, b, BLACK), 100);
    EXPECT_FALSE(r.found());
}

TEST(EngineSearch, SameAnswerOnParallelThreads) {
    Board b;
    setStartPosition(b);
    Board moved = b;
    moved.at(5, 7) = EMPTY;
    moved.at(5, 5) = WHITE_PAWN;
    const Position p = positionFromBoards(b, moved, BLACK);
    const SearchLimits limits = toDepth(3);
    const SearchResult alone = bestMove(p, limits);
    SearchResult first, second;
    std::thread a([&] { first = bestMove(p, limits); });
    std::thread c([&] { second = bestMove(p, limits); });
    a.join();
    c.join();
    for (const SearchResult& r : {first, second}) {
        EXPECT_EQ(r.move, alone.move);
        EXPECT_EQ(r.score, alone.score);
        EXPECT_EQ(r.nodes, alone.nodes);
    }
}

// The white rook's check on the back rank cannot be met: whatever black
// does, the king falls on white's next move, the third ply. Deeper searches
// must keep that distance (a table that loses the distance of a king-loss
// score would lengthen or shorten it).
TEST(EngineSearch, AKingTakenInThreePliesKeepsItsDistanceAtEveryDepth) {
    const Board left = boardFrom({".......k", "......pp", "........", "........", "R.......", "........", "........",
                                  "....K..."});
    const Position p = positionFromBoards(left, kingsOnly(), WHITE);
    for (int depth : {2, 3, 4, 5}) {
        for (const bool table : {true, false}) {
            SearchLimits limits = toDepth(depth);
            limits.everyDepth = true;
            limits.useTable = table;
            const SearchResult r = bestMove(p, limits);
            EXPECT_EQ(r.depth, depth);
            EXPECT_EQ(r.score, kingTakenAt(3)) << "depth " << depth << (table ? " table" : "");
            EXPECT_EQ((std::tuple(r.board, r.from, r.to)), (std::tuple(BoardId::LEFT, Square{1, 5}, Square{1, 1})));
        }
    }
    // Without the switch the deepening stops once the king's fall is seen.
    EXPECT_EQ(bestMove(p, toDepth(5)).depth, 2);
}

// A search cut short (here by its node limit, which stops at the same node
// on every run) answers the last completed depth's move and score until a
// root move has been searched to the end at the unfinished depth; from then
// on the best move searched there, whose score only rises as the depth goes
// on (a new move only by scoring higher) up to what the whole depth finds.
TEST(EngineSearch, AnUnfinishedDepthAnswersOnlyMovesItSearchedToTheEnd) {
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(VELMORA_CORPUS_DIR "/selfplay.棋譜", record, error)) << error;
    int kept = 0, fromUnfinished = 0;
    for (size_t n = 3; n < record.snapshots.size(); n += 75) {
        const SnapshotPair& s = record.snapshots[n];
        const Position p = positionFromBoards(s.left, s.right, n % 2 == 0 ? WHITE : BLACK);
        std::map<int, SearchResult> completed;
        auto whole = [&](int depth) -> const SearchResult& {
            if (!completed.count(depth)) completed[depth] = bestMove(p, toDepth(depth));
            return completed[depth];
        };
        // The answer of the cut before, while still within the same depth.
        std::optional<SearchResult> before;
        for (std::uint64_t nodes = 1024; nodes <= 24 * 1024; nodes += 512) {
            SearchLimits limits = toDepth(MAX_PLY - 4);
            limits.maxNodes = nodes;
            const SearchResult cut = bestMove(p, limits);
            if (cut.depth == 0) continue;
            const std::string where = "snapshot " + std::to_string(n) + " nodes " + std::to_string(nodes);
            if (before && before->depth != cut.depth) before.reset();
            const SearchResult& last = whole(cut.depth);
            if (cut.move == last.move && cut.score == last.score && !before) {
                ++kept;
                continue;
            }
            // From the unfinished depth.
            ++fromUnfinished;
            EXPECT_LE(cut.score, whole(cut.depth + 1).score) << where;
            if (before) {
                EXPECT_GE(cut.score, before->score) << where;
                if (cut.move != before->move) {
                    EXPECT_GT(cut.score, before->score) << where;
                }
            }
            before = cut;
        }
    }
    EXPECT_GT(kept, 20);
    EXPECT_GT(fromUnfinished, 20);
}

// The lower levels' seeded bias moves the choice, never the score reported:
// whatever the seed, and whichever move it chose, the score is the one the
// unbiased search of the same depth reports.
TEST(EngineSearch, TheReportedScoreCarriesNoSeededBias) {
    struct Shape {
        int depth;
        bool quiescence;
        int spread;
    };
    // The lower levels' searches: one move deep without following captures,
    // and a deeper one whose pruning below the root depends on the window.
    const Shape shapes[] = {{1, false, 400}, {4, true, 120}};
    int compared = 0, otherChoices = 0;
    for (const testing::Sample& s : testing::randomGamePositions(99, 12, 6, 40)) {
        for (const Shape& shape : shapes) {
            SearchLimits limits = toDepth(shape.depth);
            limits.quiescence = shape.quiescence;
            limits.everyDepth = true;
            // The few positions whose captures pile up on both boards are left out.
            limits.maxNodes = 20'000;
            const SearchResult unbiased = bestMove(s.position, limits);
            if (!unbiased.found() || unbiased.depth < shape.depth) continue;
            limits.rootSpread = shape.spread;
            for (std::uint64_t seed = 1; seed <= 4; ++seed) {
                limits.seed = seed * 0x9e3779b97f4a7c15ULL;
                const SearchResult r = bestMove(s.position, limits);
                const std::string where = s.where + ", depth " + std::to_string(shape.depth) + ", seed " + std::to_string(seed);
                // A biased search that ran out of nodes is scored to the depth it completed.
                if (r.depth < shape.depth) continue;
                ++compared;
                otherChoices += r.move != unbiased.move;
                EXPECT_EQ(r.score, unbiased.score) << where;
            }
        }
    }
    EXPECT_GE(compared, 60);
    // The spread did change the choice.
    EXPECT_GE(otherChoices, 10);
}

TEST(EngineGameEnd, StalemateOfTheKingsOwnMovesDraws) {
    // The black king in the corner, not in check, its three neighbours
    // covered by the queen.
    const Board b = boardFrom({".......k", ".....Q..", "........", "........", "........", "........", "........",
                               "....K..."});
    const Position p = positionFromBoards(b, Board{}, BLACK);
    EXPECT_TRUE(drawnAfterMove(p, BoardId::LEFT, WHITE, GameKind::AGAINST_COM));
    EXPECT_TRUE(drawnAfterMove(p, BoardId::LEFT, WHITE, GameKind::TWO_PEOPLE));
    // Against the computer the test follows white's moves only.
    EXPECT_FALSE(drawnAfterMove(p, BoardId::LEFT, BLACK, GameKind::AGAINST_COM));
    // Only the board moved on is tested.
    EXPECT_FALSE(drawnAfterMove(p, BoardId::RIGHT, WHITE, GameKind::AGAINST_COM));

    // Another black piece on the board: still a draw against the computer,
    // not between two people.
    Board withPawn = b;
    withPawn.at(1, 2) = BLACK_PAWN;
    const Position q = positionFromBoards(withPawn, Board{}, BLACK);
    EXPECT_TRUE(drawnAfterMove(q, BoardId::LEFT, WHITE, GameKind::AGAINST_COM));
    EXPECT_FALSE(drawnAfterMove(q, BoardId::LEFT, WHITE, GameKind::TWO_PEOPLE));

    // In check, or with a free neighbour, it is no stalemate.
    Board check = b;
    check.at(6, 2) = EMPTY;
    check.at(6, 1) = WHITE_QUEEN;
    EXPECT_FALSE(drawnAfterMove(positionFromBoards(check, Board{}, BLACK), BoardId::LEFT, WHITE, GameKind::AGAINST_COM));
    Board free = b;
    free.at(6, 2) = EMPTY;
    free.at(6, 4) = WHITE_QUEEN;
    EXPECT_FALSE(drawnAfterMove(positionFromBoards(free, Board{}, BLACK), BoardId::LEFT, WHITE, GameKind::AGAINST_COM));
}

TEST(EngineSearch, AvoidsTheStalemateWhenWinning) {
    // White is a queen up; stalemating the black king would throw it away.
    const Board left = boardFrom({".......k", "........", "........", "........", ".....Q..", "........", "........",
                                  "....K..."});
    const Board right = kingsOnly();
    const SearchResult r = bestMove(positionFromBoards(left, right, WHITE), toDepth(3));
    ASSERT_TRUE(r.found());
    Position after = positionFromBoards(left, right, WHITE);
    Undo undo;
    after.make(r.move, undo);
    EXPECT_FALSE(drawnAfterMove(after, r.move.board(), WHITE, GameKind::AGAINST_COM));
    EXPECT_GT(r.score, 500);
}

// The draw after a white move counts inside the quiescence search too.
// Black, two queens up on the right board, could take the white rook on b3
// with its knight; white's queen would take back on b3, leaving the black
// king on a1 unattacked with every square around it attacked: a draw,
// which white, far behind, gladly takes. One ply deep that recapture is
// only seen by the quiescence search: black must keep its lead instead.
TEST(EngineSearch, ACaptureThatDrawsIsADrawInTheQuiescenceSearch) {
    const Board left = boardFrom({"k.n.....", "........", ".R......", "........", "........", "........",
                                  "........", ".Q.....K"});
    const Board right = boardFrom({"......q.", "....q...", "........", "........", "........", "........",
                                   "........", "........"});
    const Position p = positionFromBoards(left, right, BLACK);
    // The recapture draws.
    Position after = p;
    Undo undo;
    after.make(EngineMove(BoardId::LEFT, squareOf(3, 1), squareOf(2, 3), BLACK_KNIGHT, false), undo);
    after.make(EngineMove(BoardId::LEFT, squareOf(2, 8), squareOf(2, 3), WHITE_QUEEN, false), undo);
    ASSERT_TRUE(drawnAfterMove(after, BoardId::LEFT, WHITE, GameKind::AGAINST_COM));
    for (const int depth : {1, 2, 3}) {
        SearchLimits limits = toDepth(depth);
        limits.everyDepth = true;
        limits.selective = false;
        const SearchResult r = bestMove(p, limits);
        ASSERT_TRUE(r.found());
        EXPECT_FALSE(r.board == BoardId::LEFT && r.from == (Square{3, 1}) && r.to == (Square{2, 3}))
            << "depth " << depth << ": the knight takes on b3, score " << r.score;
        // The two queens' lead over white's queen and rook stays.
        EXPECT_GT(r.score, 500) << "depth " << depth;
    }
}

TEST(EngineEvaluation, BothColoursAlike) {
    EXPECT_EQ(evaluate(startPosition()), 0);
    const Board left = boardFrom({"r...k..r", "pp...ppp", "..n.....", "...qP...", "..B.....", ".....N..",
                                  "PPP..PPP", "R..QK..R"});
    const Board right = boardFrom({"....k...", "....p...", "........", "..b.....", "........", "........",
                                   "...R....", "....K..."});
    const Position p = positionFromBoards(left, right, WHITE);
    const Position q = positionFromBoards(mirrored(left), mirrored(right), BLACK);
    EXPECT_EQ(evaluate(p), evaluate(q));
    const EvaluationTerms white = evaluationTerms(p, WHITE);
    const EvaluationTerms black = evaluationTerms(p, BLACK);
    EXPECT_EQ(evaluate(p), white.material + white.kingSafety + white.mobility - black.material -
                               black.kingSafety - black.mobility);
    // White has a rook more over the two boards.
    EXPECT_GT(white.material - black.material, 300);
}

// Standing in check costs the side to move only: the other side's king in
// check is simply taken, which the search sees for itself. Checked for
// either colour on mirrored boards.
TEST(EngineEvaluation, OnlyTheSideToMovePaysForStandingInCheck) {
    // A black rook on the white king's file, far enough not to count as a
    // piece close to the king.
    const Board left = boardFrom({"....k...", "........", "....r...", "........", "........", "........",
                                  "........", "....K..."});
    const Board right = kingsOnly();
    for (const bool swapped : {false, true}) {
        const Board l = swapped ? mirrored(left) : left;
        const Board r = swapped ? mirrored(right) : right;
        const Colour checked = swapped ? BLACK : WHITE;
        const Position toMove = positionFromBoards(l, r, checked);
        const Position waiting = positionFromBoards(l, r, -checked);
        ASSERT_TRUE(attacked(toMove, BoardId::LEFT, toMove.kingSquare(BoardId::LEFT, checked), -checked));
        EXPECT_LT(evaluationTerms(toMove, checked).kingSafety, evaluationTerms(waiting, checked).kingSafety) << swapped;
        EXPECT_EQ(evaluationTerms(toMove, -checked).kingSafety, evaluationTerms(waiting, -checked).kingSafety) << swapped;
        // Whose move it is matters more than the material (equal here).
        EXPECT_LT(evaluate(toMove), -evaluate(waiting)) << swapped;
    }
}

TEST(EngineEvaluation, AnExposedKingCostsSafety) {
    const Board sheltered = boardFrom({"....k...", "...ppp..", "........", "........", "........", "........",
                                       "...PPP..", "....K..."});
    Board exposed = sheltered;
    exposed.at(4, 2) = EMPTY;
    exposed.at(5, 2) = EMPTY;
    exposed.at(6, 2) = EMPTY;
    exposed.at(4, 4) = BLACK_PAWN;
    exposed.at(5, 4) = BLACK_PAWN;
    exposed.at(6, 4) = BLACK_PAWN;
    const Board empty{};
    EXPECT_GT(evaluationTerms(positionFromBoards(sheltered, empty, WHITE), BLACK).kingSafety,
              evaluationTerms(positionFromBoards(exposed, empty, WHITE), BLACK).kingSafety);
}

}  // namespace
}  // namespace velmora::engine
