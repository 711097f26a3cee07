#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "influence/survey.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::boardFrom;

InfluenceMap surveyed(Game& g, const Board& b, BoardId id = BoardId::LEFT) {
    g.board(id) = b;
    勢力調査(g, id);
    return g.map(id);
}

TEST(Survey, StartPositionCountsPawnsAndKnightsOnTheMiddleRanks) {
    Game g;
    Board b;
    setStartPosition(b);
    const InfluenceMap m = surveyed(g, b);
    // Rank 6: white pawns cover two squares each (one on the edge), knights
    // from (2,8) and (7,8) add (1,6),(3,6) and (6,6),(8,6).
    const int rank6[8] = {2, 2, 3, 2, 2, 3, 2, 2};
    const int rank3[8] = {2, 2, 3, 2, 2, 3, 2, 2};
    for (int f = 1; f <= 8; ++f) {
        EXPECT_EQ(m.whiteAttacks.at(f, 6), rank6[f - 1]) << "file " << f;
        EXPECT_EQ(m.blackAttacks.at(f, 3), rank3[f - 1]) << "file " << f;
        for (int r = 3; r <= 5; ++r) EXPECT_EQ(m.whiteAttacks.at(f, r), 0);
        for (int r = 4; r <= 6; ++r) EXPECT_EQ(m.blackAttacks.at(f, r), 0);
        for (int r = 1; r <= 8; ++r) EXPECT_EQ(m.whiteThreat.at(f, r), NO_WHITE_THREAT);
    }
    EXPECT_EQ(g.side(BoardId::LEFT).whiteKing, (Square{5, 8}));
    EXPECT_EQ(g.side(BoardId::LEFT).blackKing, (Square{5, 1}));
}

TEST(Survey, RookWalksPastTheEnemyKingAndMarksTheCheckLine) {
    Game g;
    const InfluenceMap m = surveyed(g, boardFrom({"........", "........", "........", "k.......",
                                                  "........", "........", "........", "R......K"}));
    for (int r = 1; r <= 7; ++r) EXPECT_EQ(m.whiteAttacks.at(1, r), 1) << "rank " << r;
    EXPECT_EQ(m.whiteCheckLine.at(1, 8), CHECKER_MARK);
    for (int r = 5; r <= 7; ++r) EXPECT_EQ(m.whiteCheckLine.at(1, r), BETWEEN_MARK);
    EXPECT_EQ(m.whiteCheckLine.at(1, 4), 0);
    EXPECT_EQ(m.whiteCheckLine.at(1, 3), 0);
}

TEST(Survey, QueenLinesAndDiagonalsMarkCheckLines) {
    Game g;
    // Queen on (8,5) walking left to the king on (3,5).
    InfluenceMap m = surveyed(g, boardFrom({"........", "........", "........", "........",
                                            "..k....Q", "........", "........", ".......K"}));
    for (int f = 4; f <= 7; ++f) EXPECT_EQ(m.whiteCheckLine.at(f, 5), BETWEEN_MARK);
    EXPECT_EQ(m.whiteCheckLine.at(8, 5), CHECKER_MARK);
    EXPECT_EQ(m.whiteAttacks.at(2, 5), 1);
    EXPECT_EQ(m.whiteAttacks.at(1, 5), 1);
    // Queen on (5,8), king on (1,4): the diagonal between.
    m = surveyed(g, boardFrom({"........", "........", "........", "k.......",
                               "........", "........", "........", "....Q..K"}));
    EXPECT_EQ(m.whiteCheckLine.at(4, 7), BETWEEN_MARK);
    EXPECT_EQ(m.whiteCheckLine.at(3, 6), BETWEEN_MARK);
    EXPECT_EQ(m.whiteCheckLine.at(2, 5), BETWEEN_MARK);
    EXPECT_EQ(m.whiteCheckLine.at(5, 8), CHECKER_MARK);
}

TEST(Survey, CheapestAttackerMetFirstKeepsItsSquare) {
    Game g;
    // Two white knights, (2,5) and (4,5), both attack the black rook on (3,3).
    const InfluenceMap m = surveyed(g, boardFrom({"....k...", "........", "..r.....", "........",
                                                  ".N.N....", "........", "........", "....K..."}));
    EXPECT_EQ(m.whiteThreat.at(3, 3), WHITE_KNIGHT);
    EXPECT_EQ(m.whiteThreatFrom.at(3, 3), (Square{2, 5}));
}

TEST(Survey, PawnCheckMarksOnlyThePawnSquare) {
    Game g;
    const InfluenceMap m = surveyed(g, boardFrom({"....k...", "........", "........", "........",
                                                  "........", "........", "...p....", "....K..."}));
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            EXPECT_EQ(m.blackCheckLine.at(f, r), (f == 4 && r == 7) ? CHECKER_MARK : 0) << f << "," << r;
        }
    }
}

TEST(Survey, DefendersKeepTheRightExtreme) {
    Game g;
    // White knight on (4,6) guarded by a white pawn (5,7) and a white queen (4,8):
    // the most valuable guard, -5, is kept. Black knight (4,3) guarded by a
    // black pawn (3,2) and a black queen (4,1): the cheapest guard, 1.
    const InfluenceMap m = surveyed(g, boardFrom({"...q...k", "..p.....", "...n....", "........",
                                                  "........", "...N....", "....P...", "...Q...K"}));
    EXPECT_EQ(m.whiteDefender.at(4, 6), WHITE_QUEEN);
    EXPECT_EQ(m.blackDefender.at(4, 3), BLACK_PAWN);
}

TEST(Survey, PawnGuardWritesNoSquareWhileBishopGuardDoes) {
    Game g;
    // Bishop (2,1) met first, then the pawn (5,2): the code drops to 1, the
    // square stays the bishop's.
    InfluenceMap m = surveyed(g, boardFrom({".b......", "....p...", "...n....", "........",
                                            "........", "........", "........", "k......K"}));
    EXPECT_EQ(m.blackDefender.at(4, 3), BLACK_PAWN);
    EXPECT_EQ(m.blackDefenderFrom.at(4, 3), (Square{2, 1}));
    // Pawn (3,2) met before the bishop (6,1): the square grids keep what an
    // earlier survey left.
    g.side(BoardId::LEFT).influence.blackDefenderFrom.at(4, 3) = {7, 7};
    m = surveyed(g, boardFrom({".....b..", "..p.....", "...n....", "........",
                               "........", "........", "........", "k......K"}));
    EXPECT_EQ(m.blackDefender.at(4, 3), BLACK_PAWN);
    EXPECT_EQ(m.blackDefenderFrom.at(4, 3), (Square{7, 7}));
}

TEST(Survey, EachColourWritesTheGuardsThreatsAndSquaresOfItsOwnRules) {
    Game g;
    // Black: bishop (1,3) on the white pawn (4,6), knight (3,3) on the white
    // pawn (2,5) and guarding the pawn (5,4), king (5,1) beside the white
    // pawn (6,2) and guarding the pawn (4,2). White: knight (6,6) on the
    // black pawn (5,4), king (8,8) beside the black pawn (7,7).
    const InfluenceMap m = surveyed(g, boardFrom({"....k...", "...p.P..", "b.n.....", "....p...",
                                                  ".P......", "...P.N..", "......p.", ".......K"}));
    EXPECT_EQ(m.blackThreat.at(4, 6), BLACK_BISHOP);
    EXPECT_EQ(m.blackThreatFrom.at(4, 6), (Square{1, 3}));
    // Black's knight and king count their attacks but threaten nothing.
    EXPECT_EQ(m.blackAttacks.at(2, 5), 1);
    EXPECT_EQ(m.blackThreat.at(2, 5), NO_DEFENDER);
    EXPECT_EQ(m.blackAttacks.at(6, 2), 1);
    EXPECT_EQ(m.blackThreat.at(6, 2), NO_DEFENDER);
    // The knight's guard keeps its square, the king's none.
    EXPECT_EQ(m.blackDefender.at(5, 4), BLACK_KNIGHT);
    EXPECT_EQ(m.blackDefenderFrom.at(5, 4), (Square{3, 3}));
    EXPECT_EQ(m.blackDefender.at(4, 2), BLACK_KING);
    EXPECT_EQ(m.blackDefenderFrom.at(4, 2), (Square{}));
    // White's knight and king threaten, with their squares.
    EXPECT_EQ(m.whiteThreat.at(5, 4), WHITE_KNIGHT);
    EXPECT_EQ(m.whiteThreatFrom.at(5, 4), (Square{6, 6}));
    EXPECT_EQ(m.whiteThreat.at(7, 7), WHITE_KING);
    EXPECT_EQ(m.whiteThreatFrom.at(7, 7), (Square{8, 8}));
}

TEST(Survey, LinePiecesStopAtThePieceTheyMeet) {
    Game g;
    // Black rook (4,1) down over its own pawn (4,2); white bishop (3,8) behind
    // a white pawn (4,7); a rook on rank 1 facing up covers nothing upwards.
    const InfluenceMap m = surveyed(g, boardFrom({"...r...k", "...p....", "........", "........",
                                                  "........", "........", "...P....", "..B....K"}));
    EXPECT_EQ(m.blackAttacks.at(4, 2), 1);
    EXPECT_EQ(m.blackAttacks.at(4, 3), 0);  // behind the pawn
    EXPECT_EQ(m.blackDefender.at(4, 2), BLACK_ROOK);
    EXPECT_EQ(m.blackDefenderFrom.at(4, 2), (Square{4, 1}));
    EXPECT_EQ(m.whiteAttacks.at(4, 7), 1);
    EXPECT_EQ(m.whiteAttacks.at(5, 6), 1);  // the pawn's own cover only
    EXPECT_EQ(m.whiteAttacks.at(6, 5), 0);
}

TEST(Survey, TheTwoBoardsKeepIndependentGrids) {
    Game g;
    Board start;
    setStartPosition(start);
    surveyed(g, start, BoardId::LEFT);
    const InfluenceMap before = g.map(BoardId::LEFT);
    // A black queen alone on the right board, surveyed there.
    surveyed(g, boardFrom({"........", "........", "........", "...q....",
                           "........", "........", "........", "....K..."}),
             BoardId::RIGHT);
    EXPECT_EQ(g.map(BoardId::RIGHT).blackAttacks.at(1, 1), 1);  // its up-left diagonal
    EXPECT_EQ(g.map(BoardId::LEFT).blackAttacks, before.blackAttacks);
    EXPECT_EQ(g.side(BoardId::RIGHT).whiteKing, (Square{5, 8}));
}

TEST(Survey, KingSquaresStayWhenAKingIsMissing) {
    Game g;
    surveyed(g, boardFrom({"k.......", "........", "........", "........",
                           "........", "........", "........", ".......K"}));
    surveyed(g, boardFrom({"........", "........", "........", "........",
                           "........", "........", "........", "........"}));
    EXPECT_EQ(g.side(BoardId::LEFT).blackKing, (Square{1, 1}));
    EXPECT_EQ(g.side(BoardId::LEFT).whiteKing, (Square{8, 8}));
}

}  // namespace
}  // namespace velmora
