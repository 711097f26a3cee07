// 局面 ▸ ヒント: the search engine's move outlined for the side to move.
#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "com/hint.h"
#include "com/level.h"
#include "draw/geometry.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "rules/move_list.h"

namespace velmora {
namespace {

// The outlines drawn in the guidance colour: board, file, rank of each.
std::vector<std::array<int, 3>> hintMarks(const testing::FakeWorld& w) {
    std::vector<std::array<int, 3>> marks;
    for (const std::string& line : w.view.lines) {
        int b = 0, colour = 0, f = 0, r = 0;
        if (std::sscanf(line.c_str(), "outline %d %d %d %d", &b, &colour, &f, &r) == 4 && colour == WHITE_COLOR) {
            marks.push_back({b, f, r});
        }
    }
    return marks;
}

TEST(Hint, OutsideAGameItIsRefusedLikeAClick) {
    testing::FakeWorld w;
    w.game.sounds.forbiddenSound = 9;
    const GameState before = w.game.state;
    HINT_Click(w.game);
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "「対局」で始めて下さい");
    EXPECT_EQ(w.dialogs.boxes[0].title, "開始");
    EXPECT_EQ(w.sound.played, std::vector<std::int32_t>{9});
    EXPECT_TRUE(hintMarks(w).empty());
    EXPECT_EQ(w.game.state.sideToMove, before.sideToMove);
}

TEST(Hint, OutlinesALegalMoveOfTheSideToMoveAndChangesNothing) {
    for (void (*start)(Game&) : {&SENTE_Click, &START_Click}) {
        testing::FakeWorld w;
        初期設定(w.game);
        start(w.game);
        // Between two people, black to move once white has moved.
        const bool blackToMove = start == &START_Click;
        if (blackToMove) w.game.state.sideToMove = w.game.state.blackSide;
        const Board left = w.game.board(BoardId::LEFT), right = w.game.board(BoardId::RIGHT);
        const std::size_t boxes = w.dialogs.boxes.size();
        w.view.lines.clear();
        HINT_Click(w.game);
        const auto marks = hintMarks(w);
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_EQ(marks[0][0], marks[1][0]);  // from and to on one board
        const BoardId id = marks[0][0] == 1 ? BoardId::LEFT : BoardId::RIGHT;
        const Side turn = blackToMove ? w.game.state.blackSide : w.game.state.whiteSide;
        bool legal = false;
        for (const Move& m : acceptedMoves(w.game, id, turn)) {
            legal |= m.from.file == marks[0][1] && m.from.rank == marks[0][2] && m.to.file == marks[1][1] &&
                     m.to.rank == marks[1][2];
        }
        EXPECT_TRUE(legal);
        const PieceCode moving = w.game.board(id).at(marks[0][1], marks[0][2]);
        EXPECT_TRUE(blackToMove ? isBlack(moving) : isWhite(moving));
        // A hint moves nothing and asks nothing.
        EXPECT_EQ(w.game.board(BoardId::LEFT), left);
        EXPECT_EQ(w.game.board(BoardId::RIGHT), right);
        EXPECT_EQ(w.dialogs.boxes.size(), boxes);
    }
}

// The hint is the full engine's move at any level: no chance choice, no
// oversight, no depth or node limit, even while a lower rung plays.
TEST(Hint, AsksTheFullEngineWhateverTheLevel) {
    struct RecordingEngine : EngineRunner {
        std::vector<engine::SearchLimits> asked;
        std::optional<engine::SearchResult> think(const engine::Position& p, const engine::SearchLimits& limits) override {
            asked.push_back(limits);
            return engine::bestMove(p, 20);
        }
    } engine;
    testing::FakeWorld w(&engine);
    初期設定(w.game);
    SENTE_Click(w.game);
    for (const int level : {4, 6}) {
        LEVEL_Click(w.game, level);
        engine.asked.clear();
        w.view.lines.clear();
        HINT_Click(w.game);
        ASSERT_EQ(engine.asked.size(), 1u);
        const engine::SearchLimits& limits = engine.asked[0];
        const engine::SearchLimits full;
        EXPECT_EQ(limits.timeMs, HINT_TIME_MS);
        EXPECT_EQ(limits.maxDepth, full.maxDepth);
        EXPECT_EQ(limits.maxNodes, 0u);
        EXPECT_EQ(limits.rootSpread, 0);
        EXPECT_TRUE(limits.quiescence);
        EXPECT_EQ(hintMarks(w).size(), 2u) << "level " << level;
    }
}

// Between two people black's moves are the person's, tested for leaving the
// king attacked: the hint must not offer the pinned rook's capture of the
// white king, which only the computer may make.
TEST(Hint, BetweenPeopleItOffersOnlyMovesThePersonMayMake) {
    testing::FakeWorld w;
    初期設定(w.game);
    START_Click(w.game);
    w.game.board(BoardId::LEFT) = testing::boardFrom({"....k...", "........", "K...r...", "........", "........",
                                                      "........", "....R...", "........"});
    Board right{};
    right.at(5, 1) = BLACK_KING;
    right.at(8, 8) = WHITE_KING;
    w.game.board(BoardId::RIGHT) = right;
    w.game.state.sideToMove = w.game.state.blackSide;
    w.view.lines.clear();
    HINT_Click(w.game);
    const auto marks = hintMarks(w);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NE((std::array<int, 4>{marks[0][0], marks[0][1], marks[0][2], marks[1][1]}), (std::array<int, 4>{1, 5, 3, 1}));
}

}  // namespace
}  // namespace velmora
