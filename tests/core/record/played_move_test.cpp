// Reading a move back from the snapshots before and after it.
#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "record/notation.h"
#include "record/played_move.h"
#include "record/replay.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::boardFrom;

const Board START = [] {
    Board b;
    setStartPosition(b);
    return b;
}();

// A board with some squares changed.
Board with(Board b, std::initializer_list<std::pair<Square, PieceCode>> changes) {
    for (const auto& [s, code] : changes) b.at(s) = code;
    return b;
}

struct Case {
    const char* name;
    Board leftBefore, rightBefore, leftAfter, rightAfter;
};

TEST(ReadMove, PlainMoveOnEitherBoard) {
    const auto m = readMove(START, START, with(START, {{{5, 7}, EMPTY}, {{5, 5}, WHITE_PAWN}}), START);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->board, BoardId::LEFT);
    EXPECT_EQ(m->from, (Square{5, 7}));
    EXPECT_EQ(m->to, (Square{5, 5}));
    EXPECT_EQ(m->piece, WHITE_PAWN);
    EXPECT_FALSE(m->promotion() || m->castling || m->enPassant || m->twinCapture);
    const auto black = readMove(START, START, START, with(START, {{{2, 1}, EMPTY}, {{3, 3}, BLACK_KNIGHT}}));
    ASSERT_TRUE(black);
    EXPECT_EQ(black->board, BoardId::RIGHT);
    EXPECT_EQ(black->from, (Square{2, 1}));
    EXPECT_EQ(black->placed, BLACK_KNIGHT);
}

TEST(ReadMove, TheTwoBoardCaptureIsTheDestinationOfTheOtherBoard) {
    // The white knight takes on (3,6) of the left board; the black knight on
    // (3,6) of the right board goes with it, the white piece on the right
    // board's other squares stays.
    const Board rightBefore = with(START, {{{3, 6}, BLACK_KNIGHT}});
    const Board leftBefore = with(START, {{{3, 6}, BLACK_PAWN}});
    const auto m = readMove(leftBefore, rightBefore, with(leftBefore, {{{2, 8}, EMPTY}, {{3, 6}, WHITE_KNIGHT}}),
                            with(rightBefore, {{{3, 6}, EMPTY}}));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->board, BoardId::LEFT);
    EXPECT_EQ(m->to, (Square{3, 6}));
    EXPECT_TRUE(m->twinCapture);
    // The other board may not lose a piece elsewhere, nor one of the mover's own.
    EXPECT_FALSE(readMove(leftBefore, rightBefore, with(leftBefore, {{{2, 8}, EMPTY}, {{3, 6}, WHITE_KNIGHT}}),
                          with(rightBefore, {{{3, 2}, EMPTY}})));
    const Board ownTwin = with(START, {{{3, 6}, WHITE_BISHOP}});
    EXPECT_FALSE(readMove(leftBefore, ownTwin, with(leftBefore, {{{2, 8}, EMPTY}, {{3, 6}, WHITE_KNIGHT}}),
                          with(ownTwin, {{{3, 6}, EMPTY}})));
}

TEST(ReadMove, CastlingIsTheKingsMoveWithTheRookAlong) {
    // Black castles towards file 7 on the right board, and in the exchanged
    // layout white castles from file 4 to file 2 on the left board.
    const Board before = boardFrom({"r...k..r", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "R..K...R"});
    const Board blackAfter = boardFrom({"r....rk.", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "R..K...R"});
    const auto m = readMove(before, before, before, blackAfter);
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->castling);
    EXPECT_EQ(m->board, BoardId::RIGHT);
    EXPECT_EQ(m->from, (Square{5, 1}));
    EXPECT_EQ(m->to, (Square{7, 1}));
    EXPECT_EQ(m->rookFrom, (Square{8, 1}));
    EXPECT_EQ(m->rookTo, (Square{6, 1}));
    EXPECT_EQ(m->placed, BLACK_KING);
    const Board whiteAfter = boardFrom({"r...k..r", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", ".KR....R"});
    const auto w = readMove(before, before, whiteAfter, before);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->from, (Square{4, 8}));
    EXPECT_EQ(w->to, (Square{2, 8}));
    EXPECT_EQ(w->rookFrom, (Square{1, 8}));
    // A king and a rook that both arrive without a castling's shape are no move.
    const Board odd = boardFrom({"r...k..r", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "...RK..R"});
    EXPECT_FALSE(readMove(before, before, odd, before));
}

TEST(ReadMove, EnPassantAndPromotion) {
    const Board before = boardFrom({"....k...", "........", "........", "...pP...", "........", "........", "p.......", "....K..."});
    const Board passed = boardFrom({"....k...", "........", "...P....", "........", "........", "........", "p.......", "....K..."});
    const auto ep = readMove(before, Board{}, passed, Board{});
    ASSERT_TRUE(ep);
    EXPECT_TRUE(ep->enPassant);
    EXPECT_EQ(ep->from, (Square{5, 4}));
    EXPECT_EQ(ep->to, (Square{4, 3}));
    EXPECT_EQ(ep->passedPawn, (Square{4, 4}));
    // A black pawn gone from anywhere but beside the capturing pawn is not en passant.
    const Board wrong = with(passed, {{{4, 4}, BLACK_PAWN}, {{1, 7}, EMPTY}});
    EXPECT_FALSE(readMove(before, Board{}, wrong, Board{}));
    // The black pawn promotes to a knight on the last rank.
    const Board promoted = with(before, {{{1, 7}, EMPTY}, {{1, 8}, BLACK_KNIGHT}});
    const auto p = readMove(before, Board{}, promoted, Board{});
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->promotion());
    EXPECT_EQ(p->piece, BLACK_PAWN);
    EXPECT_EQ(p->placed, BLACK_KNIGHT);
}

TEST(ReadMove, ChangesThatAreNoOneMove) {
    const Board moved = with(START, {{{5, 7}, EMPTY}, {{5, 5}, WHITE_PAWN}});
    for (const Case& c : {
             Case{"nothing changed", START, START, START, START},
             Case{"pieces arrived on both boards", START, START, moved, moved},
             Case{"two white pieces left", START, START, with(moved, {{{4, 7}, EMPTY}}), START},
             Case{"a piece vanished", START, START, with(START, {{{5, 7}, EMPTY}}), START},
             Case{"a white piece arrived from nowhere", START, START, with(START, {{{5, 5}, WHITE_PAWN}}), START},
         }) {
        EXPECT_FALSE(readMove(c.leftBefore, c.rightBefore, c.leftAfter, c.rightAfter)) << c.name;
    }
}

TEST(ReadMove, PiecesTakenOffBothBoardsByAHandicapAreNotTheMove) {
    // Snapshot 0 may still hold the full set when the handicap took black's
    // rooks and white's queen off both boards before the first move.
    const Board handicapped = with(START, {{{1, 1}, EMPTY}, {{8, 1}, EMPTY}, {{4, 8}, EMPTY}});
    const auto m = readMove(START, START, with(handicapped, {{{7, 8}, EMPTY}, {{6, 6}, WHITE_KNIGHT}}), handicapped);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->from, (Square{7, 8}));
    EXPECT_EQ(m->to, (Square{6, 6}));
    EXPECT_FALSE(m->twinCapture);
}

TEST(PlayedMove, AMoveAfterTurningTheBoardsIsReadOnTheTurnedBoards) {
    testing::FakeWorld w;
    Form_Load(w.game);
    START_Click(w.game);
    testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    testing::clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    // Back one move, turn the boards and play on from there: snapshot 1 is
    // the unturned position, snapshot 2 the turned one with black's move.
    REPLAY_Click(w.game);
    REVERSE_Click(w.game);
    testing::clickSquare(w.game, BoardId::LEFT, 1, 1);  // resumes: black to move
    ASSERT_EQ(w.game.state.sideToMove, Side::Second);
    testing::clickMove(w.game, BoardId::RIGHT, 3, 2, 3, 4);
    ASSERT_EQ(w.game.state.moveNumber, 2);
    const auto m = playedMove(w.game, 2);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->board, BoardId::RIGHT);
    EXPECT_EQ(m->from, (Square{3, 2}));
    EXPECT_EQ(m->to, (Square{3, 4}));
    EXPECT_EQ(m->placed, BLACK_PAWN);
    ASSERT_TRUE(playedMove(w.game, 1));
    EXPECT_EQ(playedMove(w.game, 1)->to, (Square{5, 5}));
    EXPECT_FALSE(playedMove(w.game, 0));
    EXPECT_FALSE(playedMove(w.game, 501));
}

}  // namespace
}  // namespace velmora
