#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "com/com_state.h"
#include "com/danger.h"
#include "com/one_ply_search.h"
#include "influence/survey.h"
#include "rules/move_list.h"

namespace velmora {
namespace {

using testing::boardFrom;

constexpr std::array<const char*, 8> NO_PIECES = {"........", "........", "........", "........",
                                                  "........", "........", "........", "........"};

// Scores one candidate the way the turn's search does: the turn's copies,
// then the board's own preparation (the left board searched and surveyed
// again before the right board).
CandidateScore scoreOf(Game& g, BoardId id, int ff, int fr, int tf, int tr, int level = 3) {
    g.state.comLevel = level;
    prepareTurn(g);
    prepareBoard(g, BoardId::LEFT);
    if (id == BoardId::RIGHT) {
        勢力調査(g, BoardId::LEFT);
        prepareBoard(g, BoardId::RIGHT);
    }
    return tryCandidate(g, id, {ff, fr}, {tf, tr}).score;
}

struct FinalCase {
    const char* name;
    std::array<const char*, 8> left;
    int ff, fr, tf, tr;
    int level;
    CandidateScore expected;
};

class FinalTerms : public ::testing::TestWithParam<FinalCase> {};

TEST_P(FinalTerms, DecideTheScore) {
    const FinalCase& c = GetParam();
    Game g;
    putPosition(g, boardFrom(c.left), boardFrom(NO_PIECES));
    const Board before = g.board(BoardId::LEFT);
    EXPECT_DOUBLE_EQ(scoreOf(g, BoardId::LEFT, c.ff, c.fr, c.tf, c.tr, c.level), c.expected);
    EXPECT_EQ(g.board(BoardId::LEFT), before);
}

INSTANTIATE_TEST_SUITE_P(
    Com, FinalTerms,
    ::testing::Values(
        FinalCase{"king_capture",
                  {"r......k", "........", "........", "........", "........", "........", "........", "K......."},
                  1, 1, 1, 8, 3, 9999},
        // The queen mates along rank 8, but leaving rank 2 uncovers the black king.
        FinalCase{"own_king_left_attacked_even_when_mating",
                  {"........", "Rq.k....", "........", "........", "........", "........", "......PP", ".......K"},
                  2, 2, 2, 8, 3, -9998},
        FinalCase{"mate_by_a_queen",
                  {"........", ".q.k....", "........", "........", "........", "........", "......PP", ".......K"},
                  2, 2, 2, 8, 3, 9998},
        // The pawn on (7,7) checks; the knights guard it and (7,8).
        FinalCase{"mate_by_a_pawn_scores_as_a_loss",
                  {"k.......", "........", "........", "........", "........", "....n.p.", "....n..P", ".......K"},
                  7, 6, 7, 7, 3, -9998},
        // The knight on (7,6) can be taken by the pawn, but the king has no safe square.
        FinalCase{"knight_check_without_a_safe_square_at_level_1",
                  {"k.......", "........", "........", "........", "...bn...", "........", "......PP", ".......K"},
                  5, 5, 7, 6, 1, 9998},
        // Promotion to a queen: +10 for the promotion and nothing else at level 1.
        FinalCase{"promotion_scores_the_queen",
                  {"k.......", "........", "........", "........", "..K.....", "........", ".......p", "........"},
                  8, 7, 8, 8, 1, 10}),
    [](const ::testing::TestParamInfo<FinalCase>& info) { return std::string(info.param.name); });

TEST(Evaluation, KingCaptureOnTheOtherBoardThroughTheTwoBoardCapture) {
    Game g;
    putPosition(g,
                boardFrom({"r......k", "........", "........", "........", "........", "........", "........",
                           "......K."}),
                boardFrom({"........", "........", "........", "........", "........", "........", "........",
                           "K......."}));
    // The rook lands on (1,8): the right board's white king stands there.
    EXPECT_DOUBLE_EQ(scoreOf(g, BoardId::LEFT, 1, 1, 1, 8), 9999);
}

TEST(Evaluation, OnlyTheLeftBoardLooksAtTheOtherBoardsExchange) {
    // Identical boards; the white knight on (2,5) attacks (1,3), where the pawn goes.
    const Board b = boardFrom({"....k...", "p.......", "........", "........", ".N......", "........", "........",
                               "....K..."});
    Game left;
    putPosition(left, b, b);
    Game right;
    putPosition(right, b, b);
    const CandidateScore onLeft = scoreOf(left, BoardId::LEFT, 1, 2, 1, 3);
    const CandidateScore onRight = scoreOf(right, BoardId::RIGHT, 1, 2, 1, 3);
    EXPECT_DOUBLE_EQ(onRight - onLeft, BLACK_PAWN);
}

TEST(Evaluation, AMoveThatThreatensAPinnedAttackerScoresTheAttackersValue) {
    // The black knight goes to (4,4), attacked only by the white knight on
    // (5,6), which the rook on (5,2) pins to its king; from (4,4) the black
    // knight could take it. The same candidate with the pin grid cleared
    // loses exactly the white knight's value: no other term reads the pin here.
    const Board left = boardFrom({"k.......", "....r...", ".....n..", "........", "........", "....N...", "...P....",
                                  "....K..."});
    auto score = [&](bool keepPins) {
        Game g;
        putPosition(g, left, boardFrom(NO_PIECES));
        g.state.comLevel = 3;
        prepareTurn(g);
        prepareBoard(g, BoardId::LEFT);
        IntGrid& pins = comState(g).of(BoardId::LEFT).pinnedWhite;
        EXPECT_EQ(pins.at(5, 6), 1);
        if (!keepPins) pins.fill(0);
        return tryCandidate(g, BoardId::LEFT, {6, 3}, {4, 4}).score;
    };
    EXPECT_DOUBLE_EQ(score(true) - score(false), -WHITE_KNIGHT);
}

TEST(DangerScan, ForkOfTwoUndefendedPiecesAddsTheSmallerValue) {
    // The black bishop has just arrived on (5,5), attacking the white knight
    // (7,7) and the white rook (2,8), neither guarded.
    Game g;
    g.board(BoardId::LEFT) = boardFrom({".......k", "........", "........", "........", "K...b...", "........",
                                        ".P....N.", ".R......"});
    勢力調査(g, BoardId::LEFT);
    EXPECT_NEAR(盤評価_COM危険座標(g, BoardId::LEFT, BLACK_BISHOP, {5, 5}), 2.2, 1e-12);
    // With the knight guarded by a pawn only the rook is forked: no bonus.
    g.board(BoardId::LEFT).at(8, 8) = WHITE_PAWN;
    勢力調査(g, BoardId::LEFT);
    EXPECT_NEAR(盤評価_COM危険座標(g, BoardId::LEFT, BLACK_BISHOP, {5, 5}), 0.1, 1e-12);
}

TEST(DangerScan, BlackKingOnItsBackRankWithTheSquareInFrontAttacked) {
    Game g;
    // A white knight on (4,4) attacks (5,2) in front of the king; black guards it with the king only.
    g.board(BoardId::LEFT) = boardFrom({"....k...", "........", "........", "...N....", "........", "........",
                                        "........", "K......."});
    勢力調査(g, BoardId::LEFT);
    const CandidateScore withKingOnly = 盤評価_COM危険座標(g, BoardId::LEFT, BLACK_KING, {5, 1});
    // -50 and -250 (attackers at least as many as defenders), -0.5 for the
    // attacked empty square next to the king, -0.1 for each of (3,2), (2,3)
    // and (6,3): attacked empty squares of ranks 1-3 that black does not guard.
    EXPECT_NEAR(withKingOnly, -50 - 250 - 0.5 - 3 * 0.1, 1e-9);
}

TEST(BishopCaution, TheFirstMarkedSquareAWhiteBishopCouldReachDecides) {
    Game g;
    g.board(BoardId::LEFT) = boardFrom({"....k...", "........", "........", "...n....", "........", "........",
                                        "........", "K......B"});
    BoardState& bs = g.side(BoardId::LEFT);
    勢力調査(bs);
    // No routine marks squares: nothing is subtracted.
    EXPECT_EQ(盤評価_白ビショ注意_COM(bs, {4, 4}, BLACK_KNIGHT, bishopCautionMarks()), 0);
    // (2,5) is not on a diagonal of (4,4) and is passed over; (6,6) is, and the
    // white bishop on (8,8) can go there.
    IntGrid marks;
    marks.at(2, 5) = 1;
    marks.at(6, 6) = 1;
    EXPECT_EQ(盤評価_白ビショ注意_COM(bs, {4, 4}, BLACK_KNIGHT, marks), BLACK_KNIGHT);
    // A bishop that cannot reach the marked square: 0.
    g.board(BoardId::LEFT).at(8, 8) = EMPTY;
    g.board(BoardId::LEFT).at(7, 8) = WHITE_BISHOP;
    EXPECT_EQ(盤評価_白ビショ注意_COM(bs, {4, 4}, BLACK_KNIGHT, marks), 0);
}

}  // namespace
}  // namespace velmora
