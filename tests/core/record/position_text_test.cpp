// The one-line text of a position: reading and writing it, and setting a
// position up from it in the game (copy, paste, a game from it, its record).
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes.h"
#include "flow/game_flow.h"
#include "record/notation.h"
#include "record/played_move.h"
#include "record/position_text.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "record/set_up.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const std::string START_TEXT =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w 0";

// Every record the tests and benchmarks keep: the golden positions and the corpus.
std::vector<fs::path> recordFiles() {
    std::vector<fs::path> files{fs::path(VELMORA_GOLDEN_DIR) / "play.棋譜"};
    for (const auto& e : fs::directory_iterator(VELMORA_CORPUS_DIR)) {
        if (e.path().extension() == ".棋譜") files.push_back(e.path());
    }
    return files;
}

TEST(PositionText, EveryRecordedPositionSurvivesTheRoundTrip) {
    int positions = 0;
    for (const fs::path& file : recordFiles()) {
        RecordFile record;
        std::string error;
        ASSERT_TRUE(readRecordFileStrict(file, record, error)) << error;
        std::vector<std::pair<Board, Board>> snapshots;
        for (const SnapshotPair& s : record.snapshots) snapshots.emplace_back(s.left, s.right);
        for (int n = 0; n < static_cast<int>(snapshots.size()); ++n) {
            const PositionText p{snapshots[n].first, snapshots[n].second, toMoveAtSnapshot(snapshots, n), n};
            const std::string text = writePositionText(p);
            PositionTextError e;
            const std::optional<PositionText> back = readPositionText(text, &e);
            ASSERT_TRUE(back) << file << " " << n << ": " << positionErrorLine(e) << "\n" << text;
            EXPECT_EQ(*back, p) << file << " " << n;
            EXPECT_EQ(writePositionText(*back), text);
            EXPECT_LE(text.size(), MAX_POSITION_TEXT_BYTES);
            ++positions;
        }
    }
    EXPECT_GE(positions, 51 + 532);
}

TEST(PositionText, BlackStandsAtTheTopAndWhiteMovesFirstAtTheStart) {
    PositionText start;
    setStartPosition(start.left);
    start.right = start.left;
    EXPECT_EQ(writePositionText(start), START_TEXT);
    // Rank 8 is the program's rank 1, file a its file 1.
    const std::optional<PositionText> p = readPositionText("k7/8/8/8/8/8/8/7K 8/8/8/8/8/8/8/R7 b 42\n");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->left.at(1, 1), BLACK_KING);
    EXPECT_EQ(p->left.at(8, 8), WHITE_KING);
    EXPECT_EQ(p->right.at(1, 8), WHITE_ROOK);
    EXPECT_EQ(p->toMove, Colour::Black);
    EXPECT_EQ(p->moveNumber, 42);
    EXPECT_TRUE(readPositionText(START_TEXT + "\r\n"));
}

TEST(PositionText, TheReaderNamesTheFieldAndCharacterOfEachFault) {
    const std::string board = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";  // 43 characters
    using F = PositionField;
    using P = PositionProblem;
    struct Case {
        std::string text;
        F field;
        int column;
        P problem;
    };
    const std::vector<Case> cases = {
        {"", F::Whole, 1, P::Empty},
        {"   ", F::Whole, 1, P::Empty},
        {std::string(201, 'p'), F::Whole, 201, P::TooLong},
        // the left board
        {"rnbqxbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 5, P::NotPiece},
        {"rnbqkbnr/pppppppp/44/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 20, P::AdjacentDigits},
        {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 19, P::ZeroCount},
        {"rnbqkbnr/pppppppp/0/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 19, P::ZeroCount},
        {"rnbqkbnrp/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 9, P::RankOverfull},
        {"rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR " + board + " w 0", F::LeftBoard, 17, P::RankShort},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP " + board + " w 0", F::LeftBoard, 35, P::TooFewRanks},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/8 " + board + " w 0", F::LeftBoard, 44, P::TooManyRanks},
        // the right board and the separators
        {board + " " + board.substr(0, 40) + "x w 0", F::RightBoard, 85, P::NotPiece},
        {board + "  " + board + " w 0", F::RightBoard, 45, P::BadSeparator},
        {board + "\t" + board + " w 0", F::LeftBoard, 44, P::NotPiece},
        {board, F::RightBoard, 44, P::MissingField},
        {board + " ", F::RightBoard, 45, P::MissingField},
        // the side to move
        {board + " " + board + " W 0", F::SideToMove, 89, P::BadSide},
        {board + " " + board + " wb 0", F::SideToMove, 90, P::BadSide},
        {board + " " + board, F::SideToMove, 88, P::MissingField},
        // the move number
        {board + " " + board + " w", F::MoveNumber, 90, P::MissingField},
        {board + " " + board + " w 01", F::MoveNumber, 92, P::BadNumber},
        {board + " " + board + " w -1", F::MoveNumber, 91, P::BadNumber},
        {board + " " + board + " w 1x", F::MoveNumber, 92, P::BadNumber},
        {board + " " + board + " w 10000", F::MoveNumber, 91, P::NumberTooLarge},
        {board + " " + board + " w 99999999999999999999", F::MoveNumber, 91, P::NumberTooLarge},
        // anything after it
        {board + " " + board + " w 0 ", F::MoveNumber, 92, P::ExtraText},
        {board + " " + board + " w 0 extra", F::MoveNumber, 92, P::ExtraText},
        {board + " " + board + " w 0\n\n", F::MoveNumber, 92, P::BadNumber},
    };
    for (const Case& c : cases) {
        PositionTextError e;
        EXPECT_FALSE(readPositionText(c.text, &e)) << c.text;
        EXPECT_EQ(e.field, c.field) << c.text << "\n" << positionErrorLine(e);
        EXPECT_EQ(e.column, c.column) << c.text << "\n" << positionErrorLine(e);
        EXPECT_EQ(e.problem, c.problem) << c.text << "\n" << positionErrorLine(e);
    }
    PositionTextError e;
    readPositionText(board + " " + board + " x 0", &e);
    EXPECT_EQ(positionErrorLine(e), "side to move, character 89: the side to move must be w or b");
    EXPECT_EQ(shown(nullptr, positionErrorText(e)), "手番、89文字目: 手番は w か b です");
    EXPECT_TRUE(readPositionText(board + " " + board + " b 9999"));
}

// A game between people with a few moves, as the window plays it.
void playSomeMoves(testing::FakeWorld& w) {
    Form_Load(w.game);
    START_Click(w.game);
    testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    testing::clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4);
    testing::clickMove(w.game, BoardId::LEFT, 7, 8, 6, 6);
    ASSERT_EQ(w.game.state.moveNumber, 3);
}

TEST(SetUpPosition, CopyThenPasteGivesTheSamePosition) {
    testing::FakeWorld from;
    playSomeMoves(from);
    const std::string text = writePositionText(shownPositionText(from.game));
    EXPECT_EQ(text.substr(text.size() - 4), " b 3");

    testing::FakeWorld to;
    Form_Load(to.game);
    ASSERT_TRUE(pastePosition(to.game, "  " + text + "\n"));
    EXPECT_EQ(writePositionText(shownPositionText(to.game)), text);
    EXPECT_EQ(to.game.board(BoardId::LEFT), from.game.board(BoardId::LEFT));
    EXPECT_EQ(to.game.board(BoardId::RIGHT), from.game.board(BoardId::RIGHT));
    EXPECT_EQ(to.game.state.moveNumber, 0);
    EXPECT_EQ(to.game.state.lastMoveNumber, 0);
    EXPECT_TRUE(to.game.state.recordMode);
    // Black to move begins, so black is the first player, as a record whose
    // first move is black's loads; the pictures keep the pieces' own colours.
    EXPECT_EQ(to.game.state.blackSide, Side::First);
    EXPECT_FALSE(to.game.state.kingQueenSwapped);

    // Stepping on through a game from the pasted position keeps the count.
    START_Click(to.game);
    EXPECT_EQ(to.game.state.sideToMove, to.game.state.blackSide);
    testing::clickMove(to.game, BoardId::RIGHT, 3, 2, 3, 4);
    EXPECT_EQ(to.game.state.moveNumber, 1);
    const PositionText after = shownPositionText(to.game);
    EXPECT_EQ(after.moveNumber, 4);
    EXPECT_EQ(after.toMove, Colour::White);
}

TEST(SetUpPosition, ARefusedTextShowsTheReadersLineAndChangesNothing) {
    testing::FakeWorld w;
    playSomeMoves(w);
    const GameState state = w.game.state;
    const Board left = w.game.board(BoardId::LEFT);
    const History history = w.game.history;
    w.dialogs.boxes.clear();
    EXPECT_FALSE(pastePosition(w.game, "\n  8/8/8/8/8/8/8/8 8/8/8/8/8/8/8/X w 0"));
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].title, "局面");
    EXPECT_EQ(w.dialogs.boxes[0].text, "局面を読めません\n右の盤、34文字目: 駒の文字（PNBRQK pnbrqk）でも空きの数でもありません");
    EXPECT_EQ(w.game.state, state);
    EXPECT_EQ(w.game.board(BoardId::LEFT), left);
    EXPECT_EQ(w.game.history.left, history.left);
    EXPECT_FALSE(w.game.setUpToMove);
}

TEST(SetUpPosition, DuringAGameThePersonIsAskedFirst) {
    testing::FakeWorld w;
    playSomeMoves(w);
    const GameState state = w.game.state;
    w.dialogs.boxes.clear();
    w.dialogs.answers = {Answer::No};
    EXPECT_FALSE(pastePosition(w.game, START_TEXT));
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(w.game.state, state);
    w.dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(pastePosition(w.game, START_TEXT));
    EXPECT_EQ(writePositionText(shownPositionText(w.game)), START_TEXT);
    // The unsaved moves went with the person's yes; nothing new to keep.
    EXPECT_FALSE(w.game.movesUnsaved);

    // A game set back to the start (as a yes to "続けますか？" does) is over: no question.
    testing::FakeWorld after;
    playSomeMoves(after);
    初期設定(after.game);
    after.dialogs.boxes.clear();
    EXPECT_TRUE(pastePosition(after.game, START_TEXT));
    EXPECT_TRUE(after.dialogs.boxes.empty());
}

// Kings and queens on both boards, black to move: a layout a new game would
// otherwise exchange.
const std::string BLACK_TO_MOVE = "3qk3/8/8/8/8/8/8/3QK3 3qk3/pppp4/8/8/8/8/8/3QK3 b 0";

TEST(SetUpPosition, AGameFromItBeginsWithItsSideToMoveAndKeepsThePieces) {
    testing::FakeWorld people;
    Form_Load(people.game);
    ASSERT_TRUE(pastePosition(people.game, BLACK_TO_MOVE));
    const Board left = people.game.board(BoardId::LEFT);
    START_Click(people.game);
    EXPECT_EQ(people.game.state.sideToMove, people.game.state.blackSide);
    EXPECT_EQ(people.game.board(BoardId::LEFT), left);

    // Against the computer (white for the person), either command: black, the computer, begins.
    for (void (*start)(Game&) : {SENTE_Click, GOTE_Click}) {
        testing::FakeWorld w;
        Form_Load(w.game);
        ASSERT_TRUE(pastePosition(w.game, BLACK_TO_MOVE));
        start(w.game);
        EXPECT_EQ(w.game.state.moveNumber, 1);
        EXPECT_TRUE(isBlack(調査_手番駒(w.game, 1)));
        EXPECT_EQ(w.game.history.left[0], left);
        EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    }
}

TEST(SetUpPosition, AGameFromItSavesAndLoadsAsTheSameGame) {
    testing::FakeWorld w;
    Form_Load(w.game);
    ASSERT_TRUE(pastePosition(w.game, BLACK_TO_MOVE));
    GOTE_Click(w.game);
    testing::clickMove(w.game, BoardId::LEFT, 5, 8, 6, 8);
    // The computer's move, the person's and the computer's answer.
    ASSERT_EQ(w.game.state.lastMoveNumber, 3);
    RecordFile record;
    for (int n = 0; n <= 3; ++n) record.snapshots.push_back({w.game.history.left[n], w.game.history.right[n]});
    std::string bytes, error;
    ASSERT_TRUE(encodeRecordFile(record, bytes, error)) << error;

    testing::FakeWorld loaded;
    Form_Load(loaded.game);
    ASSERT_EQ(applyRecord(loaded.game, bytes), RecordLoad::Loaded);
    // The same first player; only the pictures differ: a loaded record whose
    // first move is black's shows them exchanged, the set-up game does not.
    EXPECT_EQ(loaded.game.state.whiteSide, w.game.state.whiteSide);
    EXPECT_FALSE(w.game.state.kingQueenSwapped);
    EXPECT_TRUE(loaded.game.state.kingQueenSwapped);
    for (int n = 0; n <= 3; ++n) {
        w.game.state.moveNumber = loaded.game.state.moveNumber = n;
        EXPECT_EQ(writePositionText(shownPositionText(loaded.game)), writePositionText(shownPositionText(w.game))) << n;
    }
}

}  // namespace
}  // namespace velmora
