#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "board_text_fixture.h"
#include "engine/position.h"
#include "flow/shutdown.h"
#include "game.h"
#include "rules/move_list.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::boardFrom;

TEST(Colour, EveryPieceCodeHasTheColourOfItsSign) {
    const PieceCode white[] = {WHITE_PAWN, WHITE_KNIGHT, WHITE_BISHOP, WHITE_ROOK, WHITE_QUEEN, WHITE_KING};
    const PieceCode black[] = {BLACK_PAWN, BLACK_KNIGHT, BLACK_BISHOP, BLACK_ROOK, BLACK_QUEEN, BLACK_KING};
    for (int kind = PAWN; kind <= KING; ++kind) {
        const PieceCode w = white[kind - 1], b = black[kind - 1];
        EXPECT_EQ(colourOf(w), Colour::White) << kind;
        EXPECT_EQ(colourOf(b), Colour::Black) << kind;
        EXPECT_EQ(pieceCode(Colour::White, kind), w) << kind;
        EXPECT_EQ(pieceCode(Colour::Black, kind), b) << kind;
        EXPECT_TRUE(isColour(w, Colour::White) && !isColour(w, Colour::Black)) << kind;
        EXPECT_TRUE(isColour(b, Colour::Black) && !isColour(b, Colour::White)) << kind;
        EXPECT_TRUE(opponents(w, b) && !sameColour(w, b)) << kind;
        EXPECT_TRUE(sameColour(w, WHITE_KING) && sameColour(b, BLACK_PAWN)) << kind;
        // An empty square belongs to neither colour and is nobody's ally or enemy.
        EXPECT_FALSE(sameColour(w, EMPTY) || opponents(w, EMPTY) || opponents(EMPTY, b)) << kind;
    }
    EXPECT_FALSE(isColour(EMPTY, Colour::White) || isColour(EMPTY, Colour::Black));
    EXPECT_EQ(-Colour::White, Colour::Black);
    EXPECT_EQ(-Colour::Black, Colour::White);
}

// A record whose first move is black's makes black the first player: every
// conversion between colours and sides must follow the game's own order.
TEST(Colour, SidesFollowWhoMovedFirst) {
    GameState st;
    EXPECT_EQ(colourOf(st, Side::First), std::nullopt);  // before the first game no colour has a side
    EXPECT_EQ(colourOf(st, Side::None), std::nullopt);

    st.blackSide = Side::First;
    st.whiteSide = Side::Second;
    EXPECT_EQ(colourOf(st, Side::First), Colour::Black);
    EXPECT_EQ(colourOf(st, Side::Second), Colour::White);
    EXPECT_EQ(colourOf(st, Side::None), std::nullopt);
    EXPECT_EQ(sideOf(st, Colour::White), Side::Second);
    EXPECT_EQ(sideOf(st, Colour::Black), Side::First);
}

TEST(Colour, TheRulesAndTheEngineAgreeWhoseTurnItIs) {
    auto g = std::make_unique<Game>();
    const Board left = boardFrom({"....k...", "........", "........", "........", "........", "........",
                                  "P.......", "....K..."});
    Board right{};
    right.at(5, 1) = BLACK_KING;
    right.at(5, 8) = WHITE_KING;
    putPosition(*g, left, right);
    g->state.blackSide = Side::First;
    g->state.whiteSide = Side::Second;

    g->state.sideToMove = Side::Second;
    EXPECT_EQ(engine::positionFromGame(*g).sideToMove(), Colour::White);
    // White's turn: the white pawn's two steps are among the moves.
    const std::vector<Move> whites = acceptedMoves(*g, BoardId::LEFT, g->state.sideToMove);
    EXPECT_NE(std::find(whites.begin(), whites.end(), Move{{1, 7}, {1, 5}}), whites.end());

    g->state.sideToMove = Side::First;
    EXPECT_EQ(engine::positionFromGame(*g).sideToMove(), Colour::Black);
    const std::vector<Move> blacks = acceptedMoves(*g, BoardId::LEFT, g->state.sideToMove);
    ASSERT_FALSE(blacks.empty());
    for (const Move& m : blacks) EXPECT_EQ(m.from, (Square{5, 1}));  // the black king's only

    g->state.sideToMove = Side::None;  // no game: the engine looks at white
    EXPECT_EQ(engine::positionFromGame(*g).sideToMove(), Colour::White);
}

TEST(Colour, WinnersAreNamedByTheGameMode) {
    EXPECT_EQ(resultText(winnerOf(GameMode::AgainstComputer, Colour::White)), "あなたの勝ちです");
    EXPECT_EQ(resultText(winnerOf(GameMode::AgainstComputer, Colour::Black)), "ｺﾝﾋﾟｭｰﾀの勝ちです");
    // Between people white is the first player, also after a record in which black moved first.
    EXPECT_EQ(resultText(winnerOf(GameMode::BetweenPeople, Colour::White)), "先手の勝ちです");
    EXPECT_EQ(resultText(winnerOf(GameMode::BetweenPeople, Colour::Black)), "後手の勝ちです");
}

}  // namespace
}  // namespace velmora
