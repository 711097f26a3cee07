#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "fakes.h"
#include "flow/shutdown.h"
#include "influence/survey.h"
#include "rules/end_tests.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::setUp;

BoardState& left(Game& g) { return g.side(BoardId::LEFT); }

TEST(Stalemate, KingOwnMovesOnly) {
    Game g;
    // Black king (8,1) alone, white queen (6,2): no check, three neighbours attacked.
    setUp(g, boardFrom({".......k", ".....Q..", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_TRUE(ステールメイトか(left(g), {8, 1}));
    // A square holding a queen is no king.
    EXPECT_FALSE(ステールメイトか(left(g), {6, 2}));
    // With the king in check it is not stalemate.
    setUp(g, boardFrom({".......k", "......Q.", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_FALSE(ステールメイトか(left(g), {8, 1}));
    // A neighbour holding the king's own piece counts as an escape when unattacked.
    setUp(g, boardFrom({".......k", ".....Qp.", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_FALSE(ステールメイトか(left(g), {8, 1}));
}

TEST(MateOfTheComputer, BackRankMateAndItsParry) {
    Game g;
    setUp(g, boardFrom({"R......k", "......pp", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_TRUE(詰めかCOM(left(g)));
    // A black bishop that can step between on (3,1) parries.
    setUp(g, boardFrom({"R......k", "......pp", "........", ".b......",
                        "........", "........", "........", "K......."}));
    EXPECT_FALSE(詰めかCOM(left(g)));
    // Not in check at all.
    setUp(g, boardFrom({".......k", "R.....pp", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_FALSE(詰めかCOM(left(g)));
}

TEST(MateOfTheComputer, BoardRestoredAfterTheTrials) {
    Game g;
    const Board b = boardFrom({"R......k", "......pp", "........", ".b......",
                               "........", "........", "........", "K......."});
    setUp(g, b);
    詰めかCOM(left(g));
    EXPECT_EQ(g.board(BoardId::LEFT), b);
}

TEST(MateOfThePerson, CaptureOfTheCheckerParries) {
    Game g;
    // White king (8,8) behind its pawns, checked along rank 8 by the black rook
    // on (1,8); the white rook on (1,1) can take it.
    setUp(g, boardFrom({"R...k...", "........", "........", "........",
                        "........", "........", "......PP", "r......K"}));
    EXPECT_FALSE(詰めかMAN(left(g)));
    // Without that rook it is mate.
    setUp(g, boardFrom({"....k...", "........", "........", "........",
                        "........", "........", "......PP", "r......K"}));
    EXPECT_TRUE(詰めかMAN(left(g)));
    // With a black knight also on the king, no single capture saves it.
    setUp(g, boardFrom({"R...k...", "........", "........", "........",
                        "........", "......n.", "......PP", "r......K"}));
    EXPECT_TRUE(詰めかMAN(left(g)));
}

TEST(WhiteKingEscapes, CountsEmptyUnattackedNeighbours) {
    Game g;
    setUp(g, boardFrom({"....k...", "........", "........", "........",
                        "........", "........", "........", "K......."}));
    EXPECT_EQ(調査_白キング逃道(left(g)), 3);
    EXPECT_EQ(left(g).whiteKingEscapeMap.at(2, 7), 1);
    // A white piece next to the king and an attacked square do not count.
    setUp(g, boardFrom({"....k...", "........", "........", "...b....",
                        "........", "........", ".N......", "K.....r."}));
    EXPECT_EQ(調査_白キング逃道(left(g)), 0);
}

TEST(PieceExists, FindsAnyOccurrence) {
    const Board b = boardFrom({"....k...", "........", "........", "........",
                               "........", "........", "........", "........"});
    EXPECT_TRUE(存在チェック駒(b, BLACK_KING));
    EXPECT_FALSE(存在チェック駒(b, WHITE_KING));
}

TEST(PieceExists, AKingMissingFromEitherBoard) {
    Game g;
    const Board both = boardFrom({"....k...", "........", "........", "........",
                                  "........", "........", "........", "....K..."});
    const Board noBlackKing = boardFrom({"........", "........", "........", "........",
                                         "........", "........", "........", "....K..."});
    for (BoardId emptied : {BoardId::LEFT, BoardId::RIGHT}) {
        g.board(otherBoard(emptied)) = both;
        g.board(emptied) = noBlackKing;
        EXPECT_TRUE(kingGoneFromEitherBoard(g, BLACK_KING));
        EXPECT_FALSE(kingGoneFromEitherBoard(g, WHITE_KING));
    }
    g.board(BoardId::LEFT) = both;
    g.board(BoardId::RIGHT) = both;
    EXPECT_FALSE(kingGoneFromEitherBoard(g, BLACK_KING));
}

TEST(GameEnd, ResultBoxThenContinueQuestion) {
    testing::FakeWorld w;
    w.dialogs.answers = {Answer::Yes};
    w.game.state.sideToMove = Side::First;
    w.game.state.moveNumber = 7;
    EXPECT_EQ(終了(w.game, Winner::Person), GameOutcome::NewGame);
    ASSERT_EQ(w.dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "あなたの勝ちです");
    EXPECT_EQ(w.dialogs.boxes[0].title, "終了");
    EXPECT_EQ(w.dialogs.boxes[1].text, "続けますか？");
    EXPECT_EQ(w.dialogs.boxes[1].title, "再ゲーム");
    EXPECT_EQ(w.dialogs.boxes[1].buttons, Buttons::YesNo);
    // Yes: a fresh board and no game running.
    EXPECT_EQ(w.game.state.sideToMove, Side::None);
    EXPECT_EQ(w.game.state.moveNumber, 0);
    EXPECT_TRUE(w.view.saw("redraw"));
    EXPECT_FALSE(w.shell.quitRequested);
}

TEST(GameEnd, EveryWinnerHasItsResultText) {
    const std::pair<Winner, const char*> texts[] = {{Winner::Draw, "引き分けです"},
                                                    {Winner::Person, "あなたの勝ちです"},
                                                    {Winner::Computer, "ｺﾝﾋﾟｭｰﾀの勝ちです"},
                                                    {Winner::FirstPlayer, "先手の勝ちです"},
                                                    {Winner::SecondPlayer, "後手の勝ちです"}};
    for (const auto& [winner, text] : texts) {
        testing::FakeWorld w;
        w.dialogs.answers = {Answer::Yes};
        EXPECT_EQ(resultText(winner), text);
        終了(w.game, winner);
        ASSERT_FALSE(w.dialogs.boxes.empty());
        EXPECT_EQ(w.dialogs.boxes[0].text, text);
    }
}

TEST(GameEnd, DrawAndQuit) {
    testing::FakeWorld w;
    w.game.sounds = {1, 11, 12, 13, 14};
    w.dialogs.answers = {Answer::No};
    EXPECT_EQ(終了(w.game, Winner::Draw), GameOutcome::ProgramEnds);
    EXPECT_EQ(w.dialogs.boxes[0].text, "引き分けです");
    EXPECT_TRUE(w.shell.quitRequested);
    // The sound buffers are released before the program ends.
    EXPECT_EQ(w.sound.freed, (std::vector<std::int32_t>{13, 12, 11, 14}));
    EXPECT_EQ(w.sound.terminated, (std::vector<std::int32_t>{1}));
}

}  // namespace
}  // namespace velmora
