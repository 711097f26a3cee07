#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "rules/legality.h"
#include "rules/setup.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::setUp;

struct MoveCase {
    const char* name;
    std::array<const char*, 8> board;
    int ff, fr, tf, tr;
    int expected;
};

class MoveCheckTable : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCheckTable, JudgesTheMove) {
    const MoveCase& c = GetParam();
    Game g;
    setUp(g, boardFrom(c.board));
    const Board before = g.board(BoardId::LEFT);
    const PieceCode piece = before.at(c.ff, c.fr);
    EXPECT_EQ(移動チェック(g, BoardId::LEFT, c.ff, c.fr, c.tf, c.tr, piece), c.expected);
    EXPECT_EQ(g.board(BoardId::LEFT), before);
}

constexpr std::array<const char*, 8> START = {"rnbqkbnr", "pppppppp", "........", "........",
                                              "........", "........", "PPPPPPPP", "RNBQKBNR"};
// White king and rook ready to castle on the king's side; black king far away.
constexpr std::array<const char*, 8> WHITE_KINGSIDE = {"k.......", "........", "........", "........",
                                                       "........", "........", "........", "....K..R"};

INSTANTIATE_TEST_SUITE_P(
    Rules, MoveCheckTable,
    ::testing::Values(
        MoveCase{"knight_jumps_over_a_pawn", START, 2, 8, 3, 6, ON},
        MoveCase{"bishop_blocked_by_own_pawn", START, 3, 8, 5, 6, OFF},
        MoveCase{"destination_off_the_board", START, 2, 8, 0, 6, OFF},
        MoveCase{"destination_is_the_from_square", START, 2, 8, 2, 8, OFF},
        MoveCase{"own_piece_on_the_destination", START, 1, 8, 1, 7, OFF},
        MoveCase{"black_en_passant_any_time",
                 {"....k...", "........", "........", "........", "...pP...", "........", "........", "....K..."},
                 4, 5, 5, 6, ON},
        MoveCase{"white_en_passant_any_time",
                 {"....k...", "........", "........", "...pP...", "........", "........", "........", "....K..."},
                 5, 4, 4, 3, ON},
        MoveCase{"pawn_diagonal_to_an_empty_square",
                 {"....k...", "........", "........", "...p....", "........", "........", "........", "....K..."},
                 4, 4, 5, 5, OFF},
        MoveCase{"pawn_straight_into_a_piece",
                 {"....k...", "........", "...p....", "...P....", "........", "........", "........", "....K..."},
                 4, 3, 4, 4, OFF},
        MoveCase{"double_step_over_a_piece",
                 {"....k...", "...p....", "...N....", "........", "........", "........", "........", "....K..."},
                 4, 2, 4, 4, OFF},
        MoveCase{"double_step_onto_a_piece",
                 {"....k...", "...p....", "........", "...N....", "........", "........", "........", "....K..."},
                 4, 2, 4, 4, OFF},
        MoveCase{"double_step_from_home", START, 5, 7, 5, 5, ON},
        MoveCase{"double_step_not_from_home",
                 {"....k...", "........", "........", "........", "........", "...P....", "........", "....K..."},
                 4, 6, 4, 4, OFF},
        MoveCase{"no_castling_from_the_start", START, 5, 8, 7, 8, OFF},
        MoveCase{"castling_when_the_position_allows", WHITE_KINGSIDE, 5, 8, 7, 8, ON},
        MoveCase{"castling_into_an_attacked_square",
                 {"k.....r.", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, OFF},
        MoveCase{"castling_over_an_attacked_square",
                 {"k....r..", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, ON},
        MoveCase{"castling_out_of_check",
                 {"k...r...", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, OFF},
        MoveCase{"castling_queenside_needs_three_empty_squares",
                 {"k.......", "........", "........", "........", "........", "........", "........", "RN..K..."},
                 5, 8, 3, 8, OFF},
        MoveCase{"castling_queenside",
                 {"k.......", "........", "........", "........", "........", "........", "........", "R...K..."},
                 5, 8, 3, 8, ON},
        MoveCase{"black_castling_kingside",
                 {"....k..r", "........", "........", "........", "........", "........", "........", "K......."},
                 5, 1, 7, 1, ON},
        MoveCase{"mirrored_layout_castles_to_file_6",
                 {"k.......", "........", "........", "........", "........", "........", "........", "...K...R"},
                 4, 8, 6, 8, ON},
        MoveCase{"mirrored_layout_castles_to_file_2",
                 {"k.......", "........", "........", "........", "........", "........", "........", "R..K...."},
                 4, 8, 2, 8, ON},
        MoveCase{"king_two_files_without_a_rook",
                 {"k.......", "........", "........", "........", "........", "........", "........", "....K..."},
                 5, 8, 7, 8, OFF},
        MoveCase{"queen_moves_like_a_bishop",
                 {"k.......", "........", "........", "........", "........", "........", "........", "...QK..."},
                 4, 8, 8, 4, ON},
        MoveCase{"queen_does_not_jump",
                 {"k.......", "........", "........", "........", "........", "........", "...P....", "...QK..."},
                 4, 8, 4, 1, OFF}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST(MoveCheck, CastlingTestSurveysTheBoard) {
    Game g;
    g.board(BoardId::LEFT) = boardFrom(WHITE_KINGSIDE);  // grids never surveyed
    EXPECT_EQ(移動チェック(g, BoardId::LEFT, 5, 8, 7, 8, WHITE_KING), ON);
    EXPECT_EQ(g.map(BoardId::LEFT).whiteAttacks.at(5, 7), 1);  // the king's cover, from the survey
}

struct AfterMoveCase {
    const char* name;
    std::array<const char*, 8> board;
    int ff, fr, tf, tr;
    bool white;
    int expected;
};

class KingSafetyTable : public ::testing::TestWithParam<AfterMoveCase> {};

TEST_P(KingSafetyTable, JudgesTheOwnKing) {
    const AfterMoveCase& c = GetParam();
    Game g;
    setUp(g, boardFrom(c.board));
    const Board before = g.board(BoardId::LEFT);
    const int turn = c.white ? g.state.whiteTurn : g.state.blackTurn;
    EXPECT_EQ(移動後チェック_キング(g, BoardId::LEFT, c.ff, c.fr, c.tf, c.tr, turn), c.expected);
    EXPECT_EQ(g.board(BoardId::LEFT), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, KingSafetyTable,
    ::testing::Values(
        AfterMoveCase{"king_steps_into_attack",
                      {"k.......", "...r....", "........", "........", "........", "........", "........", "....K..."},
                      5, 8, 4, 8, true, OFF},
        AfterMoveCase{"king_steps_aside",
                      {"k.......", "...r....", "........", "........", "........", "........", "........", "....K..."},
                      5, 8, 6, 8, true, ON},
        AfterMoveCase{"pinned_piece_uncovers_the_king",
                      {"k...r...", "........", "........", "........", "........", "........", "....N...", "....K..."},
                      5, 7, 3, 6, true, OFF},
        AfterMoveCase{"black_king_steps_next_to_a_pawn",
                      {"........", "....k...", "........", "....P...", "........", "........", "........", "K......."},
                      5, 2, 4, 3, false, OFF},
        AfterMoveCase{"taking_the_checker",
                      {"....k...", "....Q...", "........", "........", "........", "........", "........", "K......."},
                      5, 1, 5, 2, false, ON}),
    [](const ::testing::TestParamInfo<AfterMoveCase>& info) { return std::string(info.param.name); });

TEST(KingSafety, GridsDescribeTheTriedPosition) {
    Game g;
    setUp(g, boardFrom({"k.......", "........", "........", "........", "........", "........", "........",
                        "....K..."}));
    移動後チェック_キング(g, BoardId::LEFT, 5, 8, 6, 7, g.state.whiteTurn);
    EXPECT_EQ(g.side(BoardId::LEFT).whiteKing, (Square{6, 7}));
    EXPECT_EQ(g.board(BoardId::LEFT).at(5, 8), WHITE_KING);
}

TEST(Paths, RookAndBishopPathsLookOnlyBetween) {
    const Board b = boardFrom({"r.......", "........", "........", "........", "........", "........", "........",
                               "R......."});
    EXPECT_EQ(移動チェック_ルーク(b, 1, 8, 1, 1), ON);  // the destination itself is not examined
    EXPECT_EQ(移動チェック_ルーク(b, 1, 8, 2, 7), OFF);
    const Board d = boardFrom({"........", "........", "........", "....p...", "........", "........", "........",
                               "B......."});
    EXPECT_EQ(移動チェック_ビショ(d, 1, 8, 3, 6), ON);
    EXPECT_EQ(移動チェック_ビショ(d, 1, 8, 5, 4), ON);
    EXPECT_EQ(移動チェック_ビショ(d, 1, 8, 7, 2), OFF);
    EXPECT_EQ(移動チェック_ビショ(d, 1, 8, 8, 1), OFF);
    EXPECT_EQ(移動チェック_ビショ(d, 1, 8, 2, 8), OFF);
}

}  // namespace
}  // namespace velmora
