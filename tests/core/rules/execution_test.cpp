#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_text_fixture.h"
#include "fakes.h"
#include "rules/execution.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::boardRows;

TEST(Execution, WhiteCastlesKingsideAndTheRookFollows) {
    testing::FakeWorld w;
    w.game.board(BoardId::LEFT) = boardFrom({"k.......", "........", "........", "........",
                                             "........", "........", "........", "....K..R"});
    駒移動(w.game, BoardId::LEFT, {5, 8}, {7, 8}, WHITE_KING);
    EXPECT_EQ(boardRows(w.game.board(BoardId::LEFT))[7], ".....RK.");
    EXPECT_EQ(w.game.side(BoardId::LEFT).whiteKing, (Square{7, 8}));
}

TEST(Execution, CastlingRookSquaresByKingDestination) {
    struct Case {
        const char* backRank;
        int kingFrom, kingTo;
        const char* after;
    };
    const Case cases[] = {
        {"R...K...", 5, 3, "..KR...."},
        {"R..K....", 4, 2, ".KR....."},
        {"...K...R", 4, 6, "....RK.."},
    };
    for (const Case& c : cases) {
        testing::FakeWorld w;
        w.game.board(BoardId::RIGHT) = boardFrom({"k.......", "........", "........", "........",
                                                  "........", "........", "........", c.backRank});
        駒移動(w.game, BoardId::RIGHT, {c.kingFrom, 8}, {c.kingTo, 8}, WHITE_KING);
        EXPECT_EQ(boardRows(w.game.board(BoardId::RIGHT))[7], c.after) << c.backRank;
    }
    // The black king castles on rank 1 the same way.
    testing::FakeWorld w;
    w.game.board(BoardId::LEFT) = boardFrom({"....k..r", "........", "........", "........",
                                             "........", "........", "........", "K......."});
    駒移動(w.game, BoardId::LEFT, {5, 1}, {7, 1}, BLACK_KING);
    EXPECT_EQ(boardRows(w.game.board(BoardId::LEFT))[0], ".....rk.");
}

// Notes every step of a move with what the square holds at that moment.
class StepLog final : public MoveWatcher {
public:
    explicit StepLog(const RulesState& s) : s_(s) {}
    void squareChanged(BoardId id, Square s) override { note("changed", id, s.file, s.rank); }
    void aboutToTake(BoardId id, Square s) override { note("take", id, s.file, s.rank); }
    std::vector<std::string> steps;

private:
    void note(const char* what, BoardId id, int f, int r) {
        steps.push_back(std::string(what) + " " + std::to_string(static_cast<int>(id)) + " " + std::to_string(f) +
                        " " + std::to_string(r) + " holds " + std::to_string(s_.board(id).at(f, r)));
    }
    const RulesState& s_;
};

TEST(Execution, TheWatcherSeesEachSquareAsItChanges) {
    // White castles kingside on the left board; a black pawn stands on the
    // king's destination square of the right board.
    RulesState s;
    s.board(BoardId::LEFT) = boardFrom({"k.......", "........", "........", "........",
                                        "........", "........", "........", "....K..R"});
    s.board(BoardId::RIGHT).at(7, 8) = BLACK_PAWN;
    StepLog log(s);
    駒移動(s, BoardId::LEFT, {5, 8}, {7, 8}, WHITE_KING, log);
    // The pawn is still there when the capture is announced, so it can blink.
    EXPECT_EQ(log.steps, (std::vector<std::string>{"changed 1 5 8 holds 0", "changed 1 7 8 holds -6",
                                                   "changed 1 6 8 holds -4", "changed 1 8 8 holds 0",
                                                   "take 2 7 8 holds 1", "changed 2 7 8 holds 0"}));
}

TEST(Execution, TwoBoardCaptureRemovesOnlyEnemyPieces) {
    struct Case {
        PieceCode twin;
        PieceCode expectedTwin;
        bool blinks;
    };
    // A black knight arrives on (4,5) of the left board.
    const Case cases[] = {{WHITE_ROOK, EMPTY, true}, {BLACK_PAWN, BLACK_PAWN, false}, {EMPTY, EMPTY, true}};
    for (const Case& c : cases) {
        testing::FakeWorld w;
        w.game.board(BoardId::LEFT).at(3, 3) = BLACK_KNIGHT;
        w.game.board(BoardId::RIGHT).at(4, 5) = c.twin;
        駒移動(w.game, BoardId::LEFT, {3, 3}, {4, 5}, BLACK_KNIGHT);
        EXPECT_EQ(w.game.board(BoardId::RIGHT).at(4, 5), c.expectedTwin);
        EXPECT_EQ(w.view.saw("blink 2 4 5 2"), c.blinks) << "twin " << c.twin;
        EXPECT_EQ(w.game.board(BoardId::LEFT).at(4, 5), BLACK_KNIGHT);
    }
}

TEST(Execution, OneMoveCanCaptureOnBothBoards) {
    testing::FakeWorld w;
    w.game.board(BoardId::LEFT).at(2, 5) = WHITE_KNIGHT;
    w.game.board(BoardId::LEFT).at(3, 3) = BLACK_BISHOP;
    w.game.board(BoardId::RIGHT).at(3, 3) = BLACK_QUEEN;
    w.game.board(BoardId::RIGHT).at(2, 5) = WHITE_PAWN;  // the from square of the other board stays
    駒移動(w.game, BoardId::LEFT, {2, 5}, {3, 3}, WHITE_KNIGHT);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(3, 3), WHITE_KNIGHT);
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(3, 3), EMPTY);
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(2, 5), WHITE_PAWN);
}

TEST(Execution, BlackKingArrivingOverTheWhiteKingRemovesIt) {
    testing::FakeWorld w;
    w.game.board(BoardId::RIGHT).at(5, 2) = BLACK_KING;
    w.game.board(BoardId::LEFT).at(5, 3) = WHITE_KING;
    駒移動(w.game, BoardId::RIGHT, {5, 2}, {5, 3}, BLACK_KING);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 3), EMPTY);
}

TEST(Execution, EnPassantAndPromotionQuestions) {
    const Board b = boardFrom({"....k...", "........", "........", "...pP...",
                               "........", "........", "........", "....K..."});
    EXPECT_TRUE(アンパサンド_移動前(b, {5, 4}, {4, 3}, WHITE_PAWN));
    EXPECT_FALSE(アンパサンド_移動前(b, {5, 4}, {6, 3}, WHITE_PAWN));
    EXPECT_FALSE(アンパサンド_移動前(b, {5, 4}, {4, 3}, WHITE_KNIGHT));
    EXPECT_FALSE(移動後チェック_成り(8, BLACK_PAWN));
    EXPECT_TRUE(移動後チェック_成り(7, BLACK_PAWN));
    EXPECT_FALSE(移動後チェック_成り(1, WHITE_PAWN));
    EXPECT_TRUE(移動後チェック_成り(1, WHITE_ROOK));
    EXPECT_TRUE(調査_駒成人選({2, 2}, {2, 1}, WHITE_PAWN));
    EXPECT_TRUE(調査_駒成人選({2, 7}, {2, 8}, BLACK_PAWN));
    EXPECT_FALSE(調査_駒成人選({2, 3}, {2, 2}, WHITE_PAWN));

    GameState st;
    st.comPromotionPiece = EMPTY;
    EXPECT_FALSE(調査_駒成(st, {2, 3}, {2, 2}, WHITE_PAWN));
    EXPECT_EQ(st.comPromotionPiece, EMPTY);
    EXPECT_TRUE(調査_駒成(st, {2, 7}, {2, 8}, BLACK_PAWN));
    EXPECT_EQ(st.comPromotionPiece, BLACK_QUEEN);
    EXPECT_TRUE(調査_駒成(st, {2, 2}, {2, 1}, WHITE_PAWN));
    EXPECT_EQ(st.comPromotionPiece, WHITE_QUEEN);
}

}  // namespace
}  // namespace velmora
