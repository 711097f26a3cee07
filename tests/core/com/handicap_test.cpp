#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "com/handicap.h"
#include "fakes.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::boardRows;

struct HandicapWorld {
    testing::FakeWorld w;
    Game& g = w.game;
    HandicapWorld() {
        初期設定(g);
        g.sounds = {1, 11, 12, 13, 14};
    }
};

TEST(Handicap, SevenStepsTakeEveryBlackPieceButPawnsAndKing) {
    HandicapWorld h;
    for (int k = 0; k < 7; ++k) LBEL_UP_Click(h.g);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) EXPECT_EQ(boardRows(h.g.board(id))[0], "....k...");
    EXPECT_EQ(h.g.state.handicapLevel, 7);
    EXPECT_TRUE(h.w.view.saw("handicap 7"));
    h.g.state.handicapApplied = false;
    LBEL_UP_Click(h.g);  // at the limit: nothing changes, but the handicap counts as set
    EXPECT_EQ(h.g.state.handicapLevel, 7);
    EXPECT_TRUE(h.g.state.handicapApplied);
    EXPECT_EQ(h.w.sound.played.size(), 7u);
}

TEST(Handicap, StepsUndoEachOther) {
    HandicapWorld h;
    Board start;
    setStartPosition(start);
    LBEL_UP_Click(h.g);
    EXPECT_EQ(h.g.board(BoardId::LEFT).at(1, 1), EMPTY);
    LEBEL_DOWN_Click(h.g);
    EXPECT_EQ(h.g.board(BoardId::LEFT), start);
    LEBEL_DOWN_Click(h.g);
    EXPECT_EQ(h.g.board(BoardId::RIGHT).at(1, 8), EMPTY);
    for (int k = 0; k < 6; ++k) LEBEL_DOWN_Click(h.g);
    EXPECT_EQ(boardRows(h.g.board(BoardId::LEFT))[7], "....K...");
    EXPECT_EQ(h.g.state.handicapLevel, -7);
    for (int k = 0; k < 7; ++k) LBEL_UP_Click(h.g);
    EXPECT_EQ(h.g.board(BoardId::LEFT), start);
    EXPECT_EQ(h.g.board(BoardId::RIGHT), start);
}

TEST(Handicap, RefusedDuringAGameInRecordModeAndAfterTurning) {
    const struct {
        bool recordMode;
        int moveNumber;
        bool reversed;
        const char* reason;
    } cases[] = {{true, 3, true, "棋譜ﾓｰﾄﾞではできません"},
                 {false, 1, true, "対局途中ではできません"},
                 {false, 0, true, "反転後ではできません"}};
    for (const auto& c : cases) {
        HandicapWorld h;
        h.g.state.recordMode = c.recordMode;
        h.g.state.moveNumber = c.moveNumber;
        h.g.state.reversed = c.reversed;
        const Board before = h.g.board(BoardId::LEFT);
        LEBEL_DOWN_Click(h.g);
        ASSERT_EQ(h.w.dialogs.boxes.size(), 1u);
        EXPECT_EQ(h.w.dialogs.boxes[0].text, std::string(c.reason) + "\n\n局面→最初にして下さい");
        EXPECT_EQ(h.w.dialogs.boxes[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
        EXPECT_EQ(h.w.sound.played, (std::vector<std::int32_t>{12}));
        EXPECT_EQ(h.g.board(BoardId::LEFT), before);
        EXPECT_FALSE(h.g.state.handicapApplied);
        EXPECT_EQ(h.g.state.handicapLevel, 0);
    }
}

TEST(Handicap, ExchangedLayoutTakesTheQueenNotTheKing) {
    HandicapWorld h;
    キング_クイン入替(h.g);
    h.g.state.kingQueenSwapped = true;
    for (int k = 0; k < 7; ++k) LBEL_UP_Click(h.g);
    EXPECT_EQ(boardRows(h.g.board(BoardId::LEFT))[0], "...k....");
    for (int k = 0; k < 14; ++k) LEBEL_DOWN_Click(h.g);
    EXPECT_EQ(boardRows(h.g.board(BoardId::RIGHT))[0], "rnbkqbnr");
    EXPECT_EQ(boardRows(h.g.board(BoardId::RIGHT))[7], "...K....");
}

}  // namespace
}  // namespace velmora
