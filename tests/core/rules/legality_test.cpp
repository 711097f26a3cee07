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
    bool expected;
};

class MoveCheckTable : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCheckTable, JudgesTheMove) {
    const MoveCase& c = GetParam();
    Game g;
    setUp(g, boardFrom(c.board));
    const Board before = g.board(BoardId::LEFT);
    const PieceCode piece = before.at(c.ff, c.fr);
    EXPECT_EQ(移動チェック(g, BoardId::LEFT, {c.ff, c.fr}, {c.tf, c.tr}, piece), c.expected);
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
        MoveCase{"knight_jumps_over_a_pawn", START, 2, 8, 3, 6, true},
        MoveCase{"bishop_blocked_by_own_pawn", START, 3, 8, 5, 6, false},
        MoveCase{"destination_off_the_board", START, 2, 8, 0, 6, false},
        MoveCase{"destination_is_the_from_square", START, 2, 8, 2, 8, false},
        MoveCase{"own_piece_on_the_destination", START, 1, 8, 1, 7, false},
        MoveCase{"black_en_passant_any_time",
                 {"....k...", "........", "........", "........", "...pP...", "........", "........", "....K..."},
                 4, 5, 5, 6, true},
        MoveCase{"white_en_passant_any_time",
                 {"....k...", "........", "........", "...pP...", "........", "........", "........", "....K..."},
                 5, 4, 4, 3, true},
        MoveCase{"pawn_diagonal_to_an_empty_square",
                 {"....k...", "........", "........", "...p....", "........", "........", "........", "....K..."},
                 4, 4, 5, 5, false},
        MoveCase{"pawn_straight_into_a_piece",
                 {"....k...", "........", "...p....", "...P....", "........", "........", "........", "....K..."},
                 4, 3, 4, 4, false},
        MoveCase{"double_step_over_a_piece",
                 {"....k...", "...p....", "...N....", "........", "........", "........", "........", "....K..."},
                 4, 2, 4, 4, false},
        MoveCase{"double_step_onto_a_piece",
                 {"....k...", "...p....", "........", "...N....", "........", "........", "........", "....K..."},
                 4, 2, 4, 4, false},
        MoveCase{"double_step_from_home", START, 5, 7, 5, 5, true},
        MoveCase{"double_step_not_from_home",
                 {"....k...", "........", "........", "........", "........", "...P....", "........", "....K..."},
                 4, 6, 4, 4, false},
        MoveCase{"no_castling_from_the_start", START, 5, 8, 7, 8, false},
        MoveCase{"castling_when_the_position_allows", WHITE_KINGSIDE, 5, 8, 7, 8, true},
        MoveCase{"castling_into_an_attacked_square",
                 {"k.....r.", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, false},
        MoveCase{"castling_over_an_attacked_square",
                 {"k....r..", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, true},
        MoveCase{"castling_out_of_check",
                 {"k...r...", "........", "........", "........", "........", "........", "........", "....K..R"},
                 5, 8, 7, 8, false},
        MoveCase{"castling_queenside_needs_three_empty_squares",
                 {"k.......", "........", "........", "........", "........", "........", "........", "RN..K..."},
                 5, 8, 3, 8, false},
        MoveCase{"castling_queenside",
                 {"k.......", "........", "........", "........", "........", "........", "........", "R...K..."},
                 5, 8, 3, 8, true},
        MoveCase{"black_castling_kingside",
                 {"....k..r", "........", "........", "........", "........", "........", "........", "K......."},
                 5, 1, 7, 1, true},
        MoveCase{"mirrored_layout_castles_to_file_6",
                 {"k.......", "........", "........", "........", "........", "........", "........", "...K...R"},
                 4, 8, 6, 8, true},
        MoveCase{"mirrored_layout_castles_to_file_2",
                 {"k.......", "........", "........", "........", "........", "........", "........", "R..K...."},
                 4, 8, 2, 8, true},
        MoveCase{"king_two_files_without_a_rook",
                 {"k.......", "........", "........", "........", "........", "........", "........", "....K..."},
                 5, 8, 7, 8, false},
        MoveCase{"queen_moves_like_a_bishop",
                 {"k.......", "........", "........", "........", "........", "........", "........", "...QK..."},
                 4, 8, 8, 4, true},
        MoveCase{"queen_does_not_jump",
                 {"k.......", "........", "........", "........", "........", "........", "...P....", "...QK..."},
                 4, 8, 4, 1, false}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST(MoveCheck, CastlingTestSurveysTheBoard) {
    Game g;
    g.board(BoardId::LEFT) = boardFrom(WHITE_KINGSIDE);  // grids never surveyed
    EXPECT_TRUE(移動チェック(g, BoardId::LEFT, {5, 8}, {7, 8}, WHITE_KING));
    EXPECT_EQ(g.map(BoardId::LEFT).whiteAttacks.at(5, 7), 1);  // the king's cover, from the survey
}

struct AfterMoveCase {
    const char* name;
    std::array<const char*, 8> board;
    int ff, fr, tf, tr;
    bool white;
    bool expected;
};

class KingSafetyTable : public ::testing::TestWithParam<AfterMoveCase> {};

TEST_P(KingSafetyTable, JudgesTheOwnKing) {
    const AfterMoveCase& c = GetParam();
    Game g;
    setUp(g, boardFrom(c.board));
    const Board before = g.board(BoardId::LEFT);
    const Side turn = c.white ? g.state.whiteSide : g.state.blackSide;
    EXPECT_EQ(移動後チェック_キング(g, BoardId::LEFT, {c.ff, c.fr}, {c.tf, c.tr}, turn), c.expected);
    EXPECT_EQ(g.board(BoardId::LEFT), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, KingSafetyTable,
    ::testing::Values(
        AfterMoveCase{"king_steps_into_attack",
                      {"k.......", "...r....", "........", "........", "........", "........", "........", "....K..."},
                      5, 8, 4, 8, true, false},
        AfterMoveCase{"king_steps_aside",
                      {"k.......", "...r....", "........", "........", "........", "........", "........", "....K..."},
                      5, 8, 6, 8, true, true},
        AfterMoveCase{"pinned_piece_uncovers_the_king",
                      {"k...r...", "........", "........", "........", "........", "........", "....N...", "....K..."},
                      5, 7, 3, 6, true, false},
        AfterMoveCase{"black_king_steps_next_to_a_pawn",
                      {"........", "....k...", "........", "....P...", "........", "........", "........", "K......."},
                      5, 2, 4, 3, false, false},
        AfterMoveCase{"taking_the_checker",
                      {"....k...", "....Q...", "........", "........", "........", "........", "........", "K......."},
                      5, 1, 5, 2, false, true},
        // No king of the mover on the board: the square a king was last
        // known on (here (5,8) and (5,1), a fresh program's guess) is
        // attacked, but no king stands there to expose.
        AfterMoveCase{"no_white_king_on_the_board",
                      {"....k...", "........", "........", "....r...", "........", "........", "........", "R......."},
                      1, 8, 1, 7, true, true},
        AfterMoveCase{"no_black_king_on_the_board",
                      {"r.......", "........", "........", "....R...", "........", "........", "........", "....K..."},
                      1, 1, 1, 2, false, true}),
    [](const ::testing::TestParamInfo<AfterMoveCase>& info) { return std::string(info.param.name); });

TEST(KingSafety, GridsDescribeTheTriedPosition) {
    Game g;
    setUp(g, boardFrom({"k.......", "........", "........", "........", "........", "........", "........",
                        "....K..."}));
    移動後チェック_キング(g, BoardId::LEFT, {5, 8}, {6, 7}, g.state.whiteSide);
    EXPECT_EQ(g.side(BoardId::LEFT).whiteKing, (Square{6, 7}));
    EXPECT_EQ(g.board(BoardId::LEFT).at(5, 8), WHITE_KING);
}

TEST(Paths, RookAndBishopPathsLookOnlyBetween) {
    const Board b = boardFrom({"r.......", "........", "........", "........", "........", "........", "........",
                               "R......."});
    EXPECT_TRUE(移動チェック_ルーク(b, {1, 8}, {1, 1}));  // the destination itself is not examined
    EXPECT_FALSE(移動チェック_ルーク(b, {1, 8}, {2, 7}));
    const Board d = boardFrom({"........", "........", "........", "....p...", "........", "........", "........",
                               "B......."});
    EXPECT_TRUE(移動チェック_ビショ(d, {1, 8}, {3, 6}));
    EXPECT_TRUE(移動チェック_ビショ(d, {1, 8}, {5, 4}));
    EXPECT_FALSE(移動チェック_ビショ(d, {1, 8}, {7, 2}));
    EXPECT_FALSE(移動チェック_ビショ(d, {1, 8}, {8, 1}));
    EXPECT_FALSE(移動チェック_ビショ(d, {1, 8}, {2, 8}));
}

}  // namespace
}  // namespace velmora
