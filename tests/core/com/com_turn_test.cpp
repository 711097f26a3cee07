#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board_text_fixture.h"
#include "com/com_state.h"
#include "com/com_turn.h"
#include "com/level.h"
#include "com/one_ply_search.h"
#include "engine/search.h"
#include "fakes.h"
#include "flow/shutdown.h"
#include "record/record_file.h"
#include "rules/legality.h"
#include "rules/move_list.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::boardRows;

// A game against the computer with these boards, the person having just moved.
void startComGame(testing::FakeWorld& w, const Board& left, const Board& right) {
    putPosition(w.game, left, right);
    w.game.state.gameMode = GameMode::AgainstComputer;
    w.game.state.sideToMove = w.game.state.whiteSide;
    w.game.sounds.pieceSound = 7;
}

// The black king on (1,1) cannot move without stepping into the rooks' lines.
constexpr const char* TRAPPED_RANK_1 = "k.......";
constexpr const char* TRAPPED_RANK_2 = ".......R";

TEST(ComTurn, EnPassantIsAnnouncedAndTakesThePawnBelow) {
    testing::FakeWorld w;
    // The pawn on (4,5) cannot go straight (a knight stands on (4,6)); its only
    // move that does not lose the king is taking the pawn on (5,5) en passant.
    startComGame(w,
                 boardFrom({TRAPPED_RANK_1, TRAPPED_RANK_2, "........", "........", "...pP...", "...N....",
                            "........", ".R.....K"}),
                 boardFrom({"........", "........", "........", "........", "........", "........", "........",
                            ".......K"}));
    com_ban(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes[0].text, "アンパッサンします！");
    EXPECT_EQ(w.dialogs.boxes[0].title, "アンパッサン");
    const auto rows = boardRows(w.game.board(BoardId::LEFT));
    EXPECT_EQ(rows[4], "........");  // both pawns gone from rank 5
    EXPECT_EQ(rows[5], "...Np...");
    EXPECT_TRUE(w.view.saw("blink 1 4 5 2"));
    EXPECT_TRUE(w.view.saw("square 1 5 5"));
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{7}));
    EXPECT_EQ(w.pauses.waits, (std::vector<double>{0.3, 0.3, 0.5}));
    EXPECT_EQ(w.game.state.moveNumber, 1);
    EXPECT_EQ(w.game.state.lastMoveNumber, 1);
    EXPECT_EQ(w.game.history.left[1], w.game.board(BoardId::LEFT));
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    EXPECT_FALSE(w.game.state.whiteInCheck);
}

TEST(ComTurn, PromotionShowsTheQueenAndAnnouncesTheCheck) {
    testing::FakeWorld w;
    startComGame(w,
                 boardFrom({TRAPPED_RANK_1, TRAPPED_RANK_2, "........", "........", "........", ".R......",
                            "..p.....", ".......K"}),
                 boardFrom({"........", "........", "........", "........", "........", "........", "........",
                            ".......K"}));
    com_ban(w.game);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(3, 8), BLACK_QUEEN);
    EXPECT_TRUE(w.view.saw("promotion 5 1"));
    EXPECT_TRUE(w.view.saw("result 1 3 8 5 15"));
    // The queen on rank 8 attacks the king on (8,8); it can step away.
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "   ** チェック **");
    EXPECT_EQ(w.dialogs.boxes[0].title, "");
    EXPECT_TRUE(w.game.state.whiteInCheck);
}

TEST(ComTurn, MateIsAnnouncedAndTheGameGoesOn) {
    testing::FakeWorld w;
    startComGame(w,
                 boardFrom({"........", ".q.k....", "........", "........", "........", "........", "......PP",
                            ".......K"}),
                 boardFrom({"........", "........", "........", "........", "........", "........", "........",
                            "....K..."}));
    com_ban(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "よし！!");
    EXPECT_EQ(w.dialogs.boxes[0].title, "チェックメイト ?");
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
}

TEST(ComTurn, ACheckOnTheRightBoardIsAnnouncedBeforeAMateOnTheLeft) {
    // The queen mates on the left board by going to (2,8). On the right board
    // the same square holds the white knight that shields its king from the
    // rook on (1,8); the two-board capture takes it, and that king, which can
    // step away, is in check too. The right board is looked at first.
    testing::FakeWorld w;
    startComGame(w,
                 boardFrom({"........", ".q.k....", "........", "........", "........", "........", "......PP",
                            ".......K"}),
                 boardFrom({"......k.", "........", "........", "........", "........", "........", "........",
                            "rN..K..."}));
    com_ban(w.game);
    ASSERT_EQ(w.game.board(BoardId::LEFT).at(2, 8), BLACK_QUEEN);
    ASSERT_EQ(w.game.board(BoardId::RIGHT).at(2, 8), EMPTY);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "   ** チェック **");
    EXPECT_EQ(w.dialogs.boxes[0].title, "");
    EXPECT_TRUE(w.game.state.whiteInCheck);
}

TEST(ComTurn, TakingTheKingWinsAfterTheMoveIsCounted) {
    testing::FakeWorld w;
    w.dialogs.answers = {Answer::No};
    startComGame(w,
                 boardFrom({"r...k...", "........", "........", "........", "........", "........", "........",
                            "K......."}),
                 boardFrom({"....k...", "........", "........", "........", "........", "........", "........",
                            "....K..."}));
    EXPECT_EQ(com_ban(w.game), Winner::Computer);
    EXPECT_EQ(w.game.state.gameWinner, w.game.state.blackSide);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(1, 8), BLACK_ROOK);
    EXPECT_EQ(w.game.state.moveNumber, 1);
    // The turn only reports the end; ending the game is left to the caller.
    EXPECT_TRUE(w.dialogs.boxes.empty());
    EXPECT_FALSE(w.shell.quitRequested);
    EXPECT_EQ(finishTurn(w.game, Winner::Computer), GameOutcome::ProgramEnds);
    ASSERT_EQ(w.dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(w.dialogs.boxes[1].text, "続けますか？");
    EXPECT_TRUE(w.shell.quitRequested);
}

// The search engine with a short budget, noting what it was asked.
struct QuickEngine : EngineRunner {
    int calls = 0;
    std::vector<engine::SearchLimits> asked;
    std::optional<engine::SearchResult> think(const engine::Position& p, const engine::SearchLimits& limits) override {
        ++calls;
        asked.push_back(limits);
        return engine::bestMove(p, 30);
    }
};

TEST(ComTurn, LevelFourPlaysTheEnginesMoveThroughTheSameTurn) {
    testing::ScriptedDialogs dialogs;
    testing::RecordingPresentation view;
    testing::RecordingSound sound;
    testing::RecordingPauses pauses;
    NullShell shell;
    testing::RecordingMarks marks;
    QuickEngine engine;
    Ports ports{&dialogs, &view, &sound, &pauses, &shell, &marks};
    ports.engineRunner = &engine;
    Game g(ports);
    putPosition(g, boardFrom({"r...k...", "........", "........", "........", "........", "........", "........",
                              "K......."}),
                boardFrom({"....k...", "........", "........", "........", "........", "........", "........",
                           "....K..."}));
    g.state.gameMode = GameMode::AgainstComputer;
    g.state.sideToMove = g.state.whiteSide;
    dialogs.answers = {Answer::No};
    LEVEL_Click(g, MAX_LEVEL);
    // The engine sees the king on a8 take: it wins, as the one-move levels do.
    EXPECT_EQ(finishTurn(g, com_ban(g)), GameOutcome::ProgramEnds);
    EXPECT_EQ(engine.calls, 1);
    ASSERT_EQ(engine.asked.size(), 1u);
    EXPECT_EQ(engine.asked[0].timeMs, FULL_ENGINE_TIME_MS);
    EXPECT_LE(engine.asked[0].timeMs, 1000);
    EXPECT_EQ(engine.asked[0].maxNodes, 0u);
    EXPECT_EQ(engine.asked[0].rootSpread, 0);
    EXPECT_EQ(engine.asked[0].kind, engine::GameKind::AGAINST_COM);
    EXPECT_EQ(g.board(BoardId::LEFT).at(1, 8), BLACK_ROOK);
    EXPECT_EQ(g.state.moveNumber, 1);
    EXPECT_EQ(g.history.left[1].at(1, 8), BLACK_ROOK);  // stored as a snapshot
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes[0].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_TRUE(view.saw("thinking"));
}

TEST(ComTurn, NoLegalBlackMoveOnEitherBoardIsADraw) {
    testing::FakeWorld w;
    w.dialogs.answers = {Answer::Yes};
    const Board kingsOnly = boardFrom({"........", "........", "........", "........", "........", "........",
                                       "........", "....K..."});
    startComGame(w, kingsOnly, kingsOnly);
    EXPECT_EQ(com_ban(w.game), Winner::Draw);
    EXPECT_TRUE(w.dialogs.boxes.empty());
    EXPECT_EQ(finishTurn(w.game, Winner::Draw), GameOutcome::NewGame);
    ASSERT_EQ(w.dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "引き分けです");
    EXPECT_EQ(w.game.state.moveNumber, 0);
    EXPECT_EQ(w.game.state.sideToMove, Side::None);  // Yes: a new board, no game
    EXPECT_TRUE(w.sound.played.empty());
}

TEST(ComTurn, AFullHistoryRefusesTheMove) {
    testing::FakeWorld w;
    Board b = boardFrom({"....k...", "pppppppp", "........", "........", "........", "........", "........",
                         "....K..."});
    startComGame(w, b, b);
    w.game.state.moveNumber = w.game.state.lastMoveNumber = MAX_MOVES;
    EXPECT_FALSE(com_ban(w.game).has_value());
    EXPECT_EQ(w.game.board(BoardId::LEFT), b);
    EXPECT_EQ(w.game.board(BoardId::RIGHT), b);
    EXPECT_EQ(w.game.state.moveNumber, MAX_MOVES);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "これ以上指せません");
    EXPECT_EQ(w.dialogs.boxes[0].title, "手数");
}

TEST(ComSearch, EqualBoardsChooseTheLeftBoard) {
    Game g;
    const Board b = boardFrom({"k......r", "........", "........", "........", "........", "........", "........",
                               "....K..."});
    putPosition(g, b, b);
    ASSERT_EQ(comSearch(g), BoardId::LEFT);
    const std::optional<BestMove>& left = comState(g).of(BoardId::LEFT).best;
    const std::optional<BestMove>& right = comState(g).of(BoardId::RIGHT).best;
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->score, right->score);
}

TEST(ComSearch, ABoardWithoutAMoveLosesToAnyMoveOfTheOther) {
    ComState c;
    EXPECT_EQ(betterBoard(c), std::nullopt);
    // The lowest score a candidate gets still beats no move at all, on either side.
    const BestMove leavesKingAttacked{-9998, {5, 1}, {5, 2}, BLACK_KING, BLACK_KING};
    c.of(BoardId::RIGHT).best = leavesKingAttacked;
    EXPECT_EQ(betterBoard(c), BoardId::RIGHT);
    c.of(BoardId::LEFT).best = leavesKingAttacked;
    c.of(BoardId::RIGHT).best.reset();
    EXPECT_EQ(betterBoard(c), BoardId::LEFT);
    // Both with a move: the higher score, the left board on a tie.
    c.of(BoardId::RIGHT).best = BestMove{-9997.9, {1, 2}, {1, 3}, BLACK_PAWN, BLACK_PAWN};
    EXPECT_EQ(betterBoard(c), BoardId::RIGHT);
    c.of(BoardId::LEFT).best->score = -9997.9;
    EXPECT_EQ(betterBoard(c), BoardId::LEFT);
}

TEST(ComSearch, TheSamePositionAlwaysGivesTheSameMove) {
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(std::string(VELMORA_GOLDEN_DIR) + "/play.棋譜", record, error));
    for (const SnapshotPair& p : record.snapshots) {
        auto a = std::make_unique<Game>();
        auto b = std::make_unique<Game>();
        putPosition(*a, p.left, p.right);
        putPosition(*b, p.left, p.right);
        comSearch(*a);
        comSearch(*b);  // b runs it twice: the second time on grids left by the first
        const auto chosen = comSearch(*b);
        EXPECT_EQ(comSearch(*a), chosen);
        for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
            const std::optional<BestMove>& x = comState(*a).of(id).best;
            const std::optional<BestMove>& y = comState(*b).of(id).best;
            ASSERT_EQ(x.has_value(), y.has_value());
            if (!x) continue;
            EXPECT_EQ(x->score, y->score);
            EXPECT_EQ(std::tie(x->from.file, x->from.rank, x->to.file, x->to.rank),
                      std::tie(y->from.file, y->from.rank, y->to.file, y->to.rank));
        }
    }
}

TEST(ComSearch, TiesWithinABoardGoToTheFirstMoveInScanOrder) {
    // Score every left-board move of each position on its own and check that
    // the search kept the first of the best ones.
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(std::string(VELMORA_GOLDEN_DIR) + "/play.棋譜", record, error));
    int positionsWithTies = 0;
    for (const SnapshotPair& p : record.snapshots) {
        auto g = std::make_unique<Game>();
        putPosition(*g, p.left, p.right);
        comSearch(*g);
        const std::optional<BestMove> best = comState(*g).of(BoardId::LEFT).best;

        auto h = std::make_unique<Game>();
        putPosition(*h, p.left, p.right);
        prepareTurn(*h);
        prepareBoard(*h, BoardId::LEFT);
        Board& b = h->board(BoardId::LEFT);
        std::vector<std::array<int, 4>> tied;
        std::optional<CandidateScore> top;
        for (int ff = 1; ff <= 8; ++ff) {
            for (int fr = 1; fr <= 8; ++fr) {
                if (!isBlack(b.at(ff, fr))) continue;
                for (int tf = 1; tf <= 8; ++tf) {
                    for (int tr = 1; tr <= 8; ++tr) {
                        if (!移動チェック(*h, BoardId::LEFT, {ff, fr}, {tf, tr}, b.at(ff, fr))) continue;
                        const CandidateScore s = tryCandidate(*h, BoardId::LEFT, {ff, fr}, {tf, tr}).score;
                        if (!top || s > *top) tied.clear(), top = s;
                        if (s == *top) tied.push_back({ff, fr, tf, tr});
                    }
                }
            }
        }
        // No move on the board: none kept.
        ASSERT_EQ(best.has_value(), !tied.empty());
        if (!best) continue;
        positionsWithTies += tied.size() > 1;
        EXPECT_EQ(best->score, *top);
        EXPECT_EQ((std::array<int, 4>{best->from.file, best->from.rank, best->to.file, best->to.rank}), tied.front());
    }
    EXPECT_GT(positionsWithTies, 0) << "the corpus should hold a tie to make this test bite";
}

TEST(Level, SettingMarksAndDrawsOnlyAgainstTheComputer) {
    testing::FakeWorld w;
    w.game.state.gameMode = GameMode::BetweenPeople;
    LEVEL_Click(w.game, 2);
    EXPECT_EQ(w.game.state.comLevel, 2);
    EXPECT_TRUE(w.marks.marks["LEVEL2"]);
    EXPECT_FALSE(w.marks.marks["LEVEL3"]);
    EXPECT_TRUE(w.view.saw("background -2 0"));
    EXPECT_FALSE(w.view.saw("level 2"));
    w.game.state.gameMode = GameMode::AgainstComputer;
    LEVEL_Click(w.game, 2);
    EXPECT_TRUE(w.view.saw("level 2"));
    // Level 4, the search engine, is marked like the others.
    LEVEL_Click(w.game, 4);
    EXPECT_EQ(w.game.state.comLevel, 4);
    EXPECT_TRUE(w.marks.marks["LEVEL4"]);
    EXPECT_FALSE(w.marks.marks["LEVEL2"]);
    EXPECT_TRUE(w.view.saw("level 4"));
    // The ladder's two-digit top rung, and the number past it that is no level.
    LEVEL_Click(w.game, 12);
    EXPECT_EQ(w.game.state.comLevel, 12);
    EXPECT_TRUE(w.marks.marks["LEVEL12"]);
    EXPECT_FALSE(w.marks.marks["LEVEL4"]);
    EXPECT_TRUE(w.view.saw("level 12"));
    // A value that is no level clears the marks and keeps the level.
    レベル_設定(w.game, 13);
    EXPECT_EQ(w.game.state.comLevel, 12);
    for (int n = 1; n <= MAX_LEVEL; ++n) EXPECT_FALSE(w.marks.marks["LEVEL" + std::to_string(n)]) << n;
}

}  // namespace
}  // namespace velmora
