// Whole games through the window's mouse handler, with scripted dialogs.
#include <gtest/gtest.h>

#include "board_text_fixture.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "input/mouse_input.h"
#include "record/listed_moves.h"
#include "record/notation.h"
#include "record/replay.h"
#include "rules/move_list.h"
#include "rules/end_tests.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::boardFrom;
using testing::boardRows;
using testing::clickMove;
using testing::clickSquare;

// Boards as given; a game of the given kind just started on them.
void startOn(testing::FakeWorld& w, const Board& left, const Board& right, void (*start)(Game&)) {
    初期設定(w.game);
    w.game.board(BoardId::LEFT) = left;
    w.game.board(BoardId::RIGHT) = right;
    手順保存(w.game, 0);
    w.dialogs.boxes.clear();
    start(w.game);
    w.dialogs.boxes.clear();
    w.game.sounds = {1, 11, 12, 13, 14};  // piece 11, refusal 12
}

std::string lastBox(const testing::FakeWorld& w) { return w.dialogs.boxes.empty() ? "" : w.dialogs.boxes.back().text; }

const Board START = [] {
    Board b;
    setStartPosition(b);
    return b;
}();

TEST(TwoPeople, MovesAlternateAndEveryMoveIsStored) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    GameState& st = w.game.state;
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(st.sideToMove, Side::Second);
    clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    EXPECT_EQ(st.sideToMove, Side::First);
    EXPECT_EQ(st.moveNumber, 2);
    EXPECT_EQ(st.lastMoveNumber, 2);
    EXPECT_EQ(w.game.history.left[1].at(5, 5), WHITE_PAWN);
    EXPECT_EQ(w.game.history.right[2].at(4, 4), BLACK_PAWN);
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{11, 11}));
    // White cannot move a black piece: the click only shows its moves.
    clickSquare(w.game, BoardId::LEFT, 4, 2);
    EXPECT_FALSE(w.game.selection(BoardId::LEFT).pieceSelected);
    EXPECT_TRUE(w.view.saw("targets 1 4 2 15 1"));
}

TEST(TwoPeople, CastlingMovesTheRook) {
    testing::FakeWorld w;
    Board b = START;
    b.at(6, 8) = b.at(7, 8) = EMPTY;
    startOn(w, b, START, START_Click);
    clickMove(w.game, BoardId::LEFT, 5, 8, 7, 8);
    EXPECT_EQ(boardRows(w.game.board(BoardId::LEFT))[7], "RNBQ.RK.");
    EXPECT_EQ(w.game.state.sideToMove, Side::Second);
}

TEST(TwoPeople, EnPassantAsksAndBothAnswersWork) {
    const Board b = boardFrom({"....k...", "........", "........", "...pP...", "........", "........", "........",
                               "....K..."});
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        testing::FakeWorld w;
        startOn(w, b, b, START_Click);
        w.dialogs.answers = {answer};
        clickMove(w.game, BoardId::LEFT, 5, 4, 4, 3);
        ASSERT_FALSE(w.dialogs.boxes.empty());
        EXPECT_EQ(w.dialogs.boxes[0].text, "取りますか？");
        EXPECT_EQ(w.dialogs.boxes[0].title, "アンパッサン");
        EXPECT_EQ(w.game.board(BoardId::LEFT).at(4, 3), WHITE_PAWN);
        EXPECT_EQ(w.game.board(BoardId::LEFT).at(4, 4), answer == Answer::Yes ? EMPTY : BLACK_PAWN);
    }
}

TEST(TwoPeople, BlackEnPassantTakesThePawnBesideItsStart) {
    // Black's pawn on (4,5) passes to (5,6); the white pawn taken stands on (5,5).
    const Board b = boardFrom({"....k...", "........", "........", "........", "...pP...", "........", "....P...",
                               "K......."});
    testing::FakeWorld w;
    startOn(w, b, b, START_Click);
    clickMove(w.game, BoardId::RIGHT, 1, 8, 1, 7);  // white moves on the other board
    ASSERT_EQ(w.game.state.sideToMove, Side::Second);
    w.dialogs.answers = {Answer::Yes};
    clickMove(w.game, BoardId::LEFT, 4, 5, 5, 6);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes[0].text, "取りますか？");
    const auto rows = boardRows(w.game.board(BoardId::LEFT));
    EXPECT_EQ(rows[4], "........");
    EXPECT_EQ(rows[5], "....p...");
    EXPECT_EQ(rows[6], "....P...");  // the pawn two ranks below stays
    EXPECT_TRUE(w.view.saw("square 1 5 5"));
    EXPECT_EQ(w.game.history.left[2], w.game.board(BoardId::LEFT));
}

TEST(TwoPeople, PromotionNeedsTheRightButtonAndRefusesTheKing) {
    const Board b = boardFrom({"....k...", ".P......", "........", "........", "........", "........", "........",
                               "....K..."});
    testing::FakeWorld w;
    startOn(w, b, b, START_Click);
    GameState& st = w.game.state;
    // The left button is refused and the pawn stays selected.
    clickMove(w.game, BoardId::LEFT, 2, 2, 2, 1);
    EXPECT_EQ(lastBox(w), "マウスの右をクリックして下さい");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "成り");
    EXPECT_TRUE(w.game.selection(BoardId::LEFT).pieceSelected);
    EXPECT_EQ(st.moveNumber, 0);
    // A king is refused.
    w.dialogs.choices = {WHITE_KING};
    clickSquare(w.game, BoardId::LEFT, 2, 1, MouseButton::Right);
    EXPECT_EQ(lastBox(w), "キングには成れません");
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(2, 2), WHITE_PAWN);
    // The queen: the white dialog, beside the left board.
    w.dialogs.choices = {WHITE_QUEEN};
    clickSquare(w.game, BoardId::LEFT, 2, 1, MouseButton::Right);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(2, 1), WHITE_QUEEN);
    ASSERT_EQ(w.dialogs.promotions.size(), 2u);
    EXPECT_EQ(w.dialogs.promotions[1].dialog, PromotionDialog::Form3);
    EXPECT_EQ(w.dialogs.promotions[1].left, 5500);
    EXPECT_EQ(w.dialogs.promotions[1].top, 1400);
    EXPECT_EQ(st.moveNumber, 1);
}

TEST(TwoPeople, PromotionInTheExchangedLayoutUsesTheOtherDialog) {
    const Board b = boardFrom({"...k....", "......P.", "........", "........", "........", "........", "........",
                               "...K...."});
    testing::FakeWorld w;
    startOn(w, b, b, START_Click);
    w.game.state.kingQueenSwapped = true;  // as after loading a record played second
    w.dialogs.choices = {BLACK_KNIGHT};
    clickMove(w.game, BoardId::RIGHT, 7, 2, 7, 1, MouseButton::Right);
    EXPECT_EQ(w.dialogs.promotions[0].dialog, PromotionDialog::Form2);
    EXPECT_EQ(w.dialogs.promotions[0].left, 11820);
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(7, 1), WHITE_KNIGHT);
}

TEST(TwoPeople, AnyOtherButtonPutsThePawnOnTheLastRankUnchanged) {
    const Board b = boardFrom({"....k...", ".P......", "........", "........", "........", "........", "........",
                               "....K..."});
    testing::FakeWorld w;
    startOn(w, b, b, START_Click);
    clickMove(w.game, BoardId::LEFT, 2, 2, 2, 1, MouseButton::Other);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(2, 1), WHITE_PAWN);
    EXPECT_TRUE(w.dialogs.promotions.empty());
}

TEST(TwoPeople, SelfCheckIsRefusedAndTakingAKingEndsTheGame) {
    const Board b = boardFrom({"....k...", "........", "........", "........", "....r...", "........", "....R...",
                               "....K..."});
    testing::FakeWorld w;
    startOn(w, b, b, START_Click);
    // The white rook is pinned on the file.
    clickMove(w.game, BoardId::LEFT, 5, 7, 1, 7);
    EXPECT_EQ(lastBox(w), "自殺できません");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "チェックです");
    // Taking the black rook is fine; black then takes nothing, and white takes the king.
    clickSquare(w.game, BoardId::LEFT, 5, 5);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 5), WHITE_ROOK);
    EXPECT_EQ(w.game.board(BoardId::RIGHT).at(5, 5), EMPTY);  // the two-board capture
    clickMove(w.game, BoardId::RIGHT, 5, 1, 4, 1);
    w.dialogs.answers = {Answer::Yes};
    clickMove(w.game, BoardId::LEFT, 5, 5, 5, 1);
    ASSERT_GE(w.dialogs.boxes.size(), 2u);
    EXPECT_EQ(w.dialogs.boxes[w.dialogs.boxes.size() - 2].text, "先手の勝ちです");
    EXPECT_EQ(lastBox(w), "続けますか？");
    EXPECT_EQ(w.game.state.sideToMove, Side::None);
}

TEST(TwoPeople, AKingTakenFromTheOtherBoardEndsTheGameToo) {
    // White's rook lands on (5,1) of the right board; the left board's black king stands there.
    const Board left = boardFrom({"....k...", "........", "........", "........", "........", "........", "........",
                                  "K......."});
    const Board right = boardFrom({"R.......", "k.......", "........", "........", "........", "........", "........",
                                   ".......K"});
    testing::FakeWorld w;
    startOn(w, left, right, START_Click);
    w.dialogs.answers = {Answer::No};
    EXPECT_EQ(clickMove(w.game, BoardId::RIGHT, 1, 1, 5, 1), GameOutcome::ProgramEnds);
    ASSERT_GE(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "先手の勝ちです");
    EXPECT_TRUE(w.shell.quitRequested);
}

TEST(AgainstTheComputer, PersonWinsByTakingTheKingThroughTheOtherBoard) {
    const Board left = boardFrom({"....k...", "pppppppp", "........", "........", "........", "........", "........",
                                  "K......."});
    const Board right = boardFrom({"R.......", "k.......", "........", "........", "........", "........", "........",
                                   ".......K"});
    testing::FakeWorld w;
    startOn(w, left, right, SENTE_Click);
    w.dialogs.answers = {Answer::Yes};
    clickMove(w.game, BoardId::RIGHT, 1, 1, 5, 1);
    ASSERT_GE(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].text, "あなたの勝ちです");
    EXPECT_EQ(w.game.state.moveNumber, 0);  // a new board after Yes
}

TEST(AgainstTheComputer, ComputerTakesAnUnguardedKingAndWins) {
    // After white's quiet move the black rook takes the white king.
    const Board b = boardFrom({"r...k...", "........", "........", "........", "........", "........", ".......P",
                               "K......."});
    testing::FakeWorld w;
    startOn(w, b, b, SENTE_Click);
    w.dialogs.answers = {Answer::Yes};
    w.game.state.whiteInCheck = true;  // as the computer's check left it: the move is not refused
    clickMove(w.game, BoardId::LEFT, 8, 7, 8, 6);
    EXPECT_EQ(w.dialogs.boxes[0].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(w.game.state.sideToMove, Side::None);
}

TEST(AgainstTheComputer, ComputerAnswersAndHandsTheTurnBack) {
    testing::FakeWorld w;
    startOn(w, START, START, SENTE_Click);
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(w.game.state.moveNumber, 2);
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    EXPECT_NE(w.game.history.left[2], w.game.history.left[1]) ;
}

// Every move counter drawn, in order.
std::vector<int> countsDrawn(const testing::FakeWorld& w) {
    std::vector<int> counts;
    for (const std::string& line : w.view.lines) {
        if (line.rfind("count ", 0) == 0) counts.push_back(std::stoi(line.substr(6)));
    }
    return counts;
}

TEST(MoveCounter, AfterNMovesItReadsNInEitherKindOfGame) {
    testing::FakeWorld people;
    startOn(people, START, START, START_Click);
    clickMove(people.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(people.game, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(people.game, BoardId::LEFT, 7, 8, 6, 6);
    EXPECT_EQ(countsDrawn(people), (std::vector<int>{1, 2, 3}));
    // The person's move is counted before the computer answers with its own.
    testing::FakeWorld computer;
    startOn(computer, START, START, SENTE_Click);
    clickMove(computer.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(countsDrawn(computer), (std::vector<int>{1, 2}));
}

TEST(MoveCounter, AGameResumedAfterSteppingBackCountsAsTheMoveListDoes) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(w.game, BoardId::LEFT, 7, 8, 6, 6);
    clickMove(w.game, BoardId::LEFT, 2, 1, 3, 3);
    REPLAY_Click(w.game);
    REPLAY_Click(w.game);
    clickSquare(w.game, BoardId::LEFT, 1, 1);  // "OKですか？": white to move again
    ASSERT_EQ(lastBox(w), "OKですか？");
    w.view.lines.clear();
    clickMove(w.game, BoardId::RIGHT, 2, 8, 3, 6);
    EXPECT_EQ(countsDrawn(w), std::vector<int>{3});
    EXPECT_EQ(listedMoves(w.game).size(), 3u);
}

TEST(Resume, IdleRecordAndPausedClicks) {
    testing::FakeWorld w;
    初期設定(w.game);
    w.game.sounds = {1, 11, 12, 13, 14};
    clickSquare(w.game, BoardId::LEFT, 5, 7);
    EXPECT_EQ(lastBox(w), "「対局」で始めて下さい");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "開始");
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{12}));
    w.game.state.recordMode = true;
    w.dialogs.answers = {Answer::No};
    clickSquare(w.game, BoardId::LEFT, 5, 7);
    EXPECT_EQ(lastBox(w), "棋譜を '進 'で進めて下さい");
    EXPECT_EQ(w.sound.played.size(), 2u);
}

TEST(Resume, AfterSteppingBackTheComputerMovesFirst) {
    testing::FakeWorld w;
    startOn(w, START, START, SENTE_Click);
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);  // white, then the computer: move 2
    const Board afterTwo = w.game.history.left[2];
    // Step back to move 1 (white's): no game running.
    GameState& st = w.game.state;
    st.moveNumber = 1;
    st.sideToMove = Side::None;
    w.game.board(BoardId::LEFT) = w.game.history.left[1];
    w.game.board(BoardId::RIGHT) = w.game.history.right[1];
    clickSquare(w.game, BoardId::LEFT, 1, 1);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "OKですか？");
    EXPECT_EQ(st.moveNumber, 2);  // the computer moved again from move 1
    EXPECT_EQ(st.sideToMove, st.whiteSide);
    EXPECT_EQ(w.game.history.left[2], afterTwo);  // the same position gives the same move
}

TEST(Resume, ClicksAfterSteppingBackNeverOverwriteLaterSnapshots) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(w.game, BoardId::LEFT, 5, 2, 5, 4);
    const Board latest = w.game.history.left[2];
    GameState& st = w.game.state;
    st.moveNumber = 1;  // stepped back, then play resumed with black to move
    w.game.board(BoardId::LEFT) = w.game.history.left[1];
    st.sideToMove = Side::Second;
    clickSquare(w.game, BoardId::LEFT, 1, 1);  // selects a black rook, moves nothing
    EXPECT_EQ(w.game.history.left[2], latest);
}

TEST(Resume, TheComputerEndingTheGameStartsNoNewTurn) {
    // White's last move (move 1) leaves its king to the black rook.
    testing::FakeWorld w;
    const Board b = boardFrom({"r...k...", "........", "........", "........", "........", "........", ".......P",
                               "K......."});
    startOn(w, b, b, SENTE_Click);
    GameState& st = w.game.state;
    Board moved = b;
    moved.at(8, 7) = EMPTY;
    moved.at(8, 6) = WHITE_PAWN;
    w.game.history.left[1] = moved;
    w.game.history.right[1] = b;
    w.game.board(BoardId::LEFT) = moved;
    st.moveNumber = st.lastMoveNumber = 1;
    st.sideToMove = Side::None;
    w.dialogs.answers = {Answer::Yes};
    clickSquare(w.game, BoardId::LEFT, 1, 1);
    EXPECT_EQ(w.dialogs.boxes[1].text, "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(st.sideToMove, Side::None);
}

TEST(FullHistory, TheFiveHundredFirstMoveIsRefused) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    GameState& st = w.game.state;
    st.moveNumber = st.lastMoveNumber = MAX_MOVES;
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    EXPECT_EQ(lastBox(w), "これ以上指せません");
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().title, "手数");
    EXPECT_EQ(w.game.board(BoardId::LEFT), START);
    EXPECT_EQ(st.moveNumber, MAX_MOVES);
}

TEST(Clicks, GapAndOffBoardChangeNothingButStoreThePosition) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    w.game.history.left[0].at(1, 1) = EMPTY;  // something to be overwritten
    Form_MouseDown(w.game, MouseButton::Left, 0, 700 + 522 * 10 + 10, 900 + 525 * 4 + 10);  // the gap
    EXPECT_EQ(w.game.history.left[0], START);
    Form_MouseDown(w.game, MouseButton::Left, 0, 10, 10);  // above and left of the boards
    EXPECT_FALSE(w.game.selection(BoardId::LEFT).pieceSelected);
    EXPECT_EQ(w.game.state.moveNumber, 0);
}

TEST(Clicks, ReselectAndIllegalDestination) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    const Selection& left = w.game.selection(BoardId::LEFT);
    clickSquare(w.game, BoardId::LEFT, 5, 7);
    clickSquare(w.game, BoardId::LEFT, 4, 7);  // another white piece: selected instead
    EXPECT_TRUE(left.pieceSelected);
    EXPECT_EQ(left.from, (Square{4, 7}));
    clickSquare(w.game, BoardId::LEFT, 4, 3);  // not a pawn move
    EXPECT_FALSE(left.pieceSelected);
    EXPECT_TRUE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.game.state.moveNumber, 0);
}

// A game against the computer started on a position stepped to goes on with
// the colour to move there: 先手 with black to move lets the computer move
// first, 後手 with white to move gives the person the move; nobody moves
// twice in a row.
TEST(StartCommands, AGameFromASteppedPositionGoesOnWithTheColourToMove) {
    testing::FakeWorld w;
    startOn(w, START, START, START_Click);
    GameState& st = w.game.state;
    clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);  // white's first move
    clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    REPLAY_Click(w.game);  // back to move 1: black to move
    ASSERT_EQ(st.moveNumber, 1);
    w.dialogs.boxes.clear();
    SENTE_Click(w.game);
    EXPECT_EQ(lastBox(w), "");  // no "あなたの番です": the computer moves
    ASSERT_EQ(st.moveNumber, 2);
    EXPECT_TRUE(isBlack(調査_手番駒(w.game, 2)));
    EXPECT_EQ(st.sideToMove, st.whiteSide);
    clickMove(w.game, BoardId::LEFT, 4, 7, 4, 6);  // the person answers as white
    EXPECT_EQ(st.moveNumber, 4);
    EXPECT_TRUE(isWhite(調査_手番駒(w.game, 3)));
    EXPECT_TRUE(isBlack(調査_手番駒(w.game, 4)));

    // 後手 on a position with white to move: the person's move, not the computer's.
    testing::FakeWorld v;
    startOn(v, START, START, START_Click);
    clickMove(v.game, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(v.game, BoardId::RIGHT, 4, 2, 4, 4);
    v.dialogs.boxes.clear();
    GOTE_Click(v.game);
    EXPECT_EQ(lastBox(v), "あなたの番です");
    EXPECT_EQ(v.game.state.moveNumber, 2);
    EXPECT_EQ(v.game.state.sideToMove, v.game.state.whiteSide);
    clickMove(v.game, BoardId::LEFT, 7, 8, 6, 6);
    EXPECT_EQ(v.game.state.moveNumber, 4);
    EXPECT_TRUE(isWhite(調査_手番駒(v.game, 3)));
    EXPECT_TRUE(isBlack(調査_手番駒(v.game, 4)));
}

TEST(StartCommands, ComputerFirstExchangesKingsAndQueensOnce) {
    testing::FakeWorld w;
    Form_Load(w.game);
    GOTE_Click(w.game);
    EXPECT_TRUE(w.game.state.kingQueenSwapped);
    EXPECT_EQ(w.game.state.whiteSide, Side::Second);
    EXPECT_EQ(w.game.state.moveNumber, 1);  // the computer's first move
    EXPECT_EQ(w.game.history.left[0].at(4, 1), BLACK_KING);
    GOTE_Click(w.game);  // again: no second exchange, kings stay on file 4
    for (const Board& b : {w.game.history.left[0], w.game.history.right[0]}) {
        EXPECT_EQ(b.at(4, 1), BLACK_KING);
        EXPECT_EQ(b.at(5, 1), BLACK_QUEEN);
        EXPECT_EQ(b.at(4, 8), WHITE_KING);
        EXPECT_EQ(b.at(5, 8), WHITE_QUEEN);
    }
    START_Click(w.game);  // exchanged back for two people
    EXPECT_FALSE(w.game.state.kingQueenSwapped);
    EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 8), WHITE_KING);
    EXPECT_EQ(lastBox(w), "先手の番です");
}

}  // namespace
}  // namespace velmora
