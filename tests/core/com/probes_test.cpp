// The probes the computer's evaluation asks about the left board: which
// pieces are pinned to their king, and whether a white piece is backed along
// its file by a white rook.
#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "com/com_state.h"
#include "com/probes.h"
#include "rules/move_list.h"

namespace velmora {
namespace {

using testing::boardFrom;

// The squares of the grid that hold `value`, as "f,r" in file, rank order.
std::vector<std::string> squaresWith(const IntGrid& grid, int value) {
    std::vector<std::string> out;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            if (grid.at(f, r) == value) out.push_back(std::to_string(f) + "," + std::to_string(r));
        }
    }
    return out;
}

struct PinCase {
    const char* name;
    std::array<const char*, 8> left;
    std::vector<std::string> pinnedWhite;
    bool blackPinned;
};
void PrintTo(const PinCase& c, std::ostream* os) { *os << c.name; }

class PinProbe : public ::testing::TestWithParam<PinCase> {};

TEST_P(PinProbe, MarksThePiecesThatShieldTheirKing) {
    const PinCase& c = GetParam();
    Game g;
    putPosition(g, boardFrom(c.left), Board{});
    const Board before = g.board(BoardId::LEFT);
    comState(g).of(BoardId::LEFT).pinnedWhite.fill(1);  // left over from an earlier turn
    comState(g).blackPinned = true;
    調査_移動不可駒(g);
    EXPECT_EQ(squaresWith(comState(g).of(BoardId::LEFT).pinnedWhite, 1), c.pinnedWhite);
    EXPECT_EQ(comState(g).blackPinned, c.blackPinned);
    EXPECT_EQ(g.board(BoardId::LEFT), before);  // every lifted piece is put back
}

INSTANTIATE_TEST_SUITE_P(
    Com, PinProbe,
    ::testing::Values(
        // The knight on (5,6) shields its king from the rook on (5,2), the pawn on
        // (3,6) from the bishop on (1,4); the pawn on (1,7) shields nothing.
        PinCase{"rook_and_bishop_pin_white",
                {"k.......", "....r...", "........", "b.......", "........", "..P.N...", "P.......", "....K..."},
                {"3,6", "5,6"},
                false},
        // A queen on the rook's square pins nothing: only bishops and rooks are looked at.
        PinCase{"a_queen_is_not_looked_at",
                {"k.......", "....q...", "........", "........", "........", "....N...", "........", "....K..."},
                {},
                false},
        // The knight on (5,3) shields the black king from the rook on (5,7).
        PinCase{"white_rook_pins_black",
                {"....k...", "........", "....n...", "........", "........", "........", "....R...", "K......."},
                {},
                true},
        PinCase{"nothing_pinned",
                {"....k...", "........", "....n...", "........", "........", "........", ".....R..", "K......."},
                {},
                false}),
    [](const ::testing::TestParamInfo<PinCase>& info) { return std::string(info.param.name); });

struct BackingCase {
    const char* name;
    std::array<const char*, 8> left;
    int file, rank;
    bool expected;
};
void PrintTo(const BackingCase& c, std::ostream* os) { *os << c.name; }

class FileBackingProbe : public ::testing::TestWithParam<BackingCase> {};

TEST_P(FileBackingProbe, LooksBehindAlongTheFile) {
    const BackingCase& c = GetParam();
    Game g;
    putPosition(g, boardFrom(c.left), Board{});
    const Board before = g.board(BoardId::LEFT);
    EXPECT_EQ(調査_自守駒MAN_直進駒(g.side(BoardId::LEFT), {c.file, c.rank}), c.expected);
    EXPECT_EQ(g.board(BoardId::LEFT), before);
}

INSTANTIATE_TEST_SUITE_P(
    Com, FileBackingProbe,
    ::testing::Values(
        BackingCase{"rook_right_behind",
                    {"k.......", "........", "........", "........", "........", "...P....", "...R....", "K......."},
                    4, 6, true},
        BackingCase{"rook_two_squares_behind",
                    {"k.......", "........", "........", "........", "........", "...P....", "........", "K..R...."},
                    4, 6, true},
        // An empty square is backed the same way.
        BackingCase{"empty_square",
                    {"k.......", "........", "........", "........", "........", "........", "........", "K..R...."},
                    4, 5, true},
        BackingCase{"black_piece_in_between",
                    {"k.......", "........", "........", "........", "........", "...P....", "...n....", "K..R...."},
                    4, 6, false},
        BackingCase{"white_piece_in_between_blocks_the_rook",
                    {"k.......", "........", "........", "........", "........", "...P....", "...B....", "K..R...."},
                    4, 6, false},
        // The rook must stand behind (towards rank 8), not in front.
        BackingCase{"rook_in_front",
                    {"k.......", "........", "...R....", "........", "........", "...P....", "........", "K......."},
                    4, 6, false},
        BackingCase{"a_queen_does_not_count",
                    {"k.......", "........", "........", "........", "........", "...P....", "...Q....", "K......."},
                    4, 6, false},
        BackingCase{"off_the_board",
                    {"k.......", "........", "........", "........", "........", "........", "........", "K..R...."},
                    4, 9, false}),
    [](const ::testing::TestParamInfo<BackingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
