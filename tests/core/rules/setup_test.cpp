#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "fakes.h"
#include "record/notation.h"
#include "rules/execution.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::boardRows;

TEST(InitialSetting, BothBoardsAtTheStartAndNoGame) {
    testing::FakeWorld w;
    Game& g = w.game;
    g.state.sideToMove = Side::First;
    g.state.lastMoveNumber = 9;
    g.state.moveNumber = 9;
    初期設定(g);
    EXPECT_EQ(g.board(BoardId::LEFT), g.board(BoardId::RIGHT));
    const auto rows = boardRows(g.board(BoardId::LEFT));
    EXPECT_EQ(rows[0], "rnbqkbnr");
    EXPECT_EQ(rows[7], "RNBQKBNR");
    EXPECT_EQ(g.state.sideToMove, Side::None);
    EXPECT_EQ(g.state.moveNumber, 0);
    EXPECT_EQ(g.state.lastMoveNumber, 9);  // kept, so replay can still walk the old game
    EXPECT_EQ(g.history.left[0], g.board(BoardId::LEFT));
    // Drawing the new boards is the caller's step.
    EXPECT_FALSE(w.view.saw("redraw"));
}

TEST(KingQueenExchange, MirrorsAndRestores) {
    Game g;
    初期設定(g);
    キング_クイン入替(g);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const auto rows = boardRows(g.board(id));
        EXPECT_EQ(rows[0], "rnbkqbnr");
        EXPECT_EQ(rows[7], "RNBKQBNR");
    }
    キング_クイン入替(g);
    EXPECT_EQ(boardRows(g.board(BoardId::LEFT))[7], "RNBQKBNR");
}

TEST(KingQueenExchange, LastQueenFoundTakesTheKingAndAMissingKingIsNotRecreated) {
    Game g;
    g.board(BoardId::LEFT) = boardFrom({"...qk...", "........", "........", ".......q",
                                        "........", "........", "........", "...Q...."});
    キング_クイン入替(g);
    const auto rows = boardRows(g.board(BoardId::LEFT));
    EXPECT_EQ(rows[0], "...qq...");  // the queen on (8,4) comes last in file order
    EXPECT_EQ(rows[3], ".......k");
    EXPECT_EQ(rows[7], "...Q....");  // no white king: nothing exchanged
}

TEST(PieceCount, NamesTheSideNotCounted) {
    Game g;
    初期設定(g);
    g.state.whiteSide = Side::First;
    g.state.blackSide = Side::Second;
    g.board(BoardId::LEFT).at(1, 2) = EMPTY;
    EXPECT_EQ(調査_駒数(g, BoardId::LEFT, g.state.blackSide), 16);  // white pieces
    EXPECT_EQ(調査_駒数(g, BoardId::LEFT, g.state.whiteSide), 15);  // black pieces
    EXPECT_EQ(調査_駒数(g, BoardId::LEFT, Side::None), 0);
}

TEST(KingSquares, FoundOnTheNamedBoardOnly) {
    Game g;
    g.board(BoardId::RIGHT) = boardFrom({"........", "..k.....", "........", "........",
                                         "........", "........", "......K.", "........"});
    調査_キング座標(g, BoardId::RIGHT);
    EXPECT_EQ(g.side(BoardId::RIGHT).blackKing, (Square{3, 2}));
    EXPECT_EQ(g.side(BoardId::RIGHT).whiteKing, (Square{7, 7}));
    EXPECT_EQ(g.side(BoardId::LEFT).whiteKing, (Square{5, 8}));  // the other board's stay
}

TEST(WhoMoved, FromTheArrivingPieceAndTheFirstEmptiedSquare) {
    Game g;
    初期設定(g);
    g.state.whiteSide = Side::First;
    g.state.blackSide = Side::Second;
    // Move 1: a white knight takes on (3,3) of the left board and, by the
    // two-board capture, the black piece on (3,3) of the right board too.
    g.board(BoardId::LEFT).at(3, 3) = BLACK_BISHOP;
    g.board(BoardId::RIGHT).at(3, 3) = BLACK_PAWN;
    g.board(BoardId::LEFT).at(2, 5) = WHITE_KNIGHT;
    g.board(BoardId::LEFT).at(2, 8) = EMPTY;
    手順保存(g, 0);
    駒移動(g, BoardId::LEFT, {2, 5}, {3, 3}, WHITE_KNIGHT);
    手順保存(g, 1);
    EXPECT_EQ(調査_手番(g, 1), g.state.whiteSide);
    EXPECT_EQ(調査_手番駒(g, 1), WHITE_KNIGHT);
    // Move 2: white castles queenside on the right board: the rook on file 1
    // empties first in file order.
    Board& right = g.board(BoardId::RIGHT);
    for (int f = 2; f <= 4; ++f) right.at(f, 8) = EMPTY;
    手順保存(g, 1);
    駒移動(g, BoardId::RIGHT, {5, 8}, {3, 8}, WHITE_KING);
    手順保存(g, 2);
    EXPECT_EQ(調査_手番駒(g, 2), WHITE_ROOK);
    EXPECT_EQ(調査_手番(g, 2), g.state.whiteSide);
    // With the computer moving first, white is the second player.
    g.state.whiteSide = Side::Second;
    g.state.blackSide = Side::First;
    EXPECT_EQ(調査_手番(g, 2), Side::Second);
    // Identical snapshots: nobody moved.
    手順保存(g, 3);
    手順保存(g, 4);
    EXPECT_EQ(調査_手番(g, 4), Side::None);
    EXPECT_EQ(調査_手番駒(g, 4), 0);
}

TEST(Side, TheOppositeOfAPlayerAndOfNobody) {
    EXPECT_EQ(opposite(Side::First), Side::Second);
    EXPECT_EQ(opposite(Side::Second), Side::First);
    // Nobody moved between identical snapshots: nobody moves next either.
    EXPECT_EQ(opposite(Side::None), Side::None);
}

TEST(History, NeverWritesOutsideItsSnapshots) {
    Game g;
    初期設定(g);
    const History before = g.history;
    g.board(BoardId::LEFT).at(1, 1) = EMPTY;
    手順保存(g, HISTORY_SIZE);
    手順保存(g, -1);
    // Not even the nearest snapshot takes the position.
    for (int n = 0; n < HISTORY_SIZE; ++n) {
        EXPECT_TRUE(g.history.left[n] == before.left[n] && g.history.right[n] == before.right[n]) << "snapshot " << n;
    }
    手順保存(g, 500);
    EXPECT_EQ(g.history.left[500].at(1, 1), EMPTY);
    EXPECT_EQ(調査_手番(g, 501), Side::None);
}

TEST(Notation, PieceNamesAndSquares) {
    EXPECT_EQ(駒文字変換(-5), "クィーン");
    EXPECT_EQ(駒文字変換(1), "ポーン");
    EXPECT_EQ(駒文字変換(0), "");
    EXPECT_EQ(文字列変換(9), "");
    EXPECT_EQ(文字列変換(1008), "８");
    EXPECT_EQ(squareText({5, 7}), "ｅ２");
    EXPECT_EQ(squareText({7, 1}), "ｇ８");
}

}  // namespace
}  // namespace velmora
