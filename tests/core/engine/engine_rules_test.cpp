// The engine's moves and their execution in the places where this game's
// rules differ from ordinary chess, and perft counts checked against a count
// made with the rules module's own move list and execution.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "game.h"
#include "board_text_fixture.h"
#include "engine/movegen.h"
#include "engine/perft.h"
#include "engine/position.h"
#include "record/record_file.h"
#include "rules/execution.h"
#include "rules/move_list.h"
#include "rules/setup.h"

namespace velmora::engine {
namespace {

using testing::boardFrom;

const Board EMPTY_BOARD{};

std::vector<EngineMove> movesFrom(Position& p, int board, int ff, int fr, int tf, int tr,
                                  KingTest test = KingTest::Tested) {
    MoveList list;
    generateMoves(p, list, test);
    std::vector<EngineMove> out;
    for (const EngineMove m : list) {
        if (m.board() == board && m.from() == squareOf(ff, fr) && m.to() == squareOf(tf, tr)) out.push_back(m);
    }
    return out;
}

Position after(Position p, EngineMove m) {
    Undo undo;
    p.make(m, undo);
    return p;
}

TEST(EngineRules, CastlingIsJudgedFromThePositionAlone) {
    // The king may have moved before; only the squares count. An attacked
    // square passed over does not matter, an attacked destination does.
    const Board passedOverAttacked = boardFrom({"....k...", ".....r..", "........", "........", "........", "........",
                                                "........", "....K..R"});
    Position p = positionFromBoards(passedOverAttacked, EMPTY_BOARD, WHITE);
    const auto castle = movesFrom(p, 0, 5, 8, 7, 8);
    ASSERT_EQ(castle.size(), 1u);
    const Position done = after(p, castle[0]);
    EXPECT_EQ(done.at(0, squareOf(7, 8)), WHITE_KING);
    EXPECT_EQ(done.at(0, squareOf(6, 8)), WHITE_ROOK);
    EXPECT_EQ(done.at(0, squareOf(8, 8)), EMPTY);
    // The computer's own moves skip the self-check test: the king may step
    // onto the attacked square it passes over, and still castles.
    EXPECT_TRUE(movesFrom(p, 0, 5, 8, 6, 8).empty());
    EXPECT_EQ(movesFrom(p, 0, 5, 8, 6, 8, KingTest::Untested).size(), 1u);
    EXPECT_EQ(movesFrom(p, 0, 5, 8, 7, 8, KingTest::Untested).size(), 1u);

    // An attacked destination: with the self-check test the king could not
    // land there anyway, so only the untested mode shows that castling
    // itself refuses it.
    const Board destinationAttacked = boardFrom({"....k...", "......r.", "........", "........", "........", "........",
                                                 "........", "....K..R"});
    Position q = positionFromBoards(destinationAttacked, EMPTY_BOARD, WHITE);
    EXPECT_TRUE(movesFrom(q, 0, 5, 8, 7, 8).empty());
    EXPECT_TRUE(movesFrom(q, 0, 5, 8, 7, 8, KingTest::Untested).empty());
}

TEST(EngineRules, ExchangedLayoutCastlesBothWays) {
    const Board b = boardFrom({"....k...", "........", "........", "........", "........", "........", "........",
                               "R..K...R"});
    Position p = positionFromBoards(b, EMPTY_BOARD, WHITE);
    const auto kingside = movesFrom(p, 0, 4, 8, 6, 8);
    const auto queenside = movesFrom(p, 0, 4, 8, 2, 8);
    ASSERT_EQ(kingside.size(), 1u);
    ASSERT_EQ(queenside.size(), 1u);
    EXPECT_EQ(after(p, kingside[0]).at(0, squareOf(5, 8)), WHITE_ROOK);
    EXPECT_EQ(after(p, queenside[0]).at(0, squareOf(3, 8)), WHITE_ROOK);
    EXPECT_EQ(after(p, queenside[0]).at(0, squareOf(1, 8)), EMPTY);
}

TEST(EngineRules, EnPassantAnyTimeTakenOrDeclined) {
    const Board b = boardFrom({"....k...", "........", "........", "...pP...", "........", "........", "........",
                               "....K..."});
    Position p = positionFromBoards(b, EMPTY_BOARD, WHITE);
    const auto moves = movesFrom(p, 0, 5, 4, 4, 3);
    ASSERT_EQ(moves.size(), 2u);
    const EngineMove take = moves[0].enPassant() ? moves[0] : moves[1];
    const EngineMove decline = moves[0].enPassant() ? moves[1] : moves[0];
    EXPECT_TRUE(take.enPassant());
    EXPECT_FALSE(decline.enPassant());
    EXPECT_EQ(after(p, take).at(0, squareOf(4, 4)), EMPTY);
    EXPECT_EQ(after(p, decline).at(0, squareOf(4, 4)), BLACK_PAWN);
    EXPECT_EQ(after(p, decline).at(0, squareOf(4, 3)), WHITE_PAWN);
}

TEST(EngineRules, EnPassantPinnedOnTheRankIsAllowedBecauseTheTestLeavesThePawn) {
    // The self-check test makes the plain move: the passed pawn still shields
    // the king from the rook, so the capture is accepted.
    const Board b = boardFrom({"....k...", "........", "........", "K..Pp..r", "........", "........", "........",
                               "........"});
    Position p = positionFromBoards(b, EMPTY_BOARD, WHITE);
    EXPECT_EQ(movesFrom(p, 0, 4, 4, 5, 3).size(), 2u);
    auto g = std::make_unique<Game>();
    putPosition(*g, b, EMPTY_BOARD);
    const auto accepted = acceptedMoves(*g, BoardId::LEFT, g->state.whiteSide);
    EXPECT_NE(std::find(accepted.begin(), accepted.end(), Move{{4, 4}, {5, 3}}), accepted.end());
}

TEST(EngineRules, PromotionOffersFivePiecesIncludingThePawn) {
    const Board b = boardFrom({"....k...", "........", "........", "........", "........", "........", "p.......",
                               "....K..."});
    Position p = positionFromBoards(b, EMPTY_BOARD, BLACK);
    const auto moves = movesFrom(p, 0, 1, 7, 1, 8);
    std::vector<int> placed;
    for (const EngineMove m : moves) placed.push_back(m.placed());
    std::sort(placed.begin(), placed.end());
    EXPECT_EQ(placed, (std::vector<int>{BLACK_PAWN, BLACK_KNIGHT, BLACK_BISHOP, BLACK_ROOK, BLACK_QUEEN}));
}

TEST(EngineRules, TwoBoardCaptureRemovesEnemiesOnlyAndCanTakeAKing) {
    const Board left = boardFrom({"....k...", "........", "........", "..N.....", "........", "........", "........",
                                  "....K..."});
    const Board right = boardFrom({"........", "...k....", "........", "........", "....R...", ".p......",
                                   "........", "....K..."});
    Position p = positionFromBoards(left, right, WHITE);
    // Onto the black king's square of the other board: the king goes.
    const auto toKing = movesFrom(p, 0, 3, 4, 4, 2);
    ASSERT_EQ(toKing.size(), 1u);
    const Position kingTaken = after(p, toKing[0]);
    EXPECT_EQ(kingTaken.at(1, squareOf(4, 2)), EMPTY);
    EXPECT_EQ(kingTaken.kingCount(1, BLACK), 0);
    EXPECT_EQ(kingTaken.kingCount(0, BLACK), 1);
    // The square where the king was lost is the one the rules keep testing.
    EXPECT_EQ(kingTaken.kingSquare(1, BLACK), squareOf(4, 2));
    // An enemy pawn on the twin square goes, the mover's own rook stays.
    const auto toPawn = movesFrom(p, 0, 3, 4, 2, 6);
    ASSERT_EQ(toPawn.size(), 1u);
    EXPECT_EQ(after(p, toPawn[0]).at(1, squareOf(2, 6)), EMPTY);
    const auto toRook = movesFrom(p, 0, 3, 4, 5, 5);
    ASSERT_EQ(toRook.size(), 1u);
    EXPECT_EQ(after(p, toRook[0]).at(1, squareOf(5, 5)), WHITE_ROOK);
    EXPECT_TRUE(isCapture(p, toPawn[0]));
    EXPECT_FALSE(isCapture(p, toRook[0]));
}

std::vector<Move> boardMoves(Position& p, BoardId id) {
    MoveList list;
    generateMoves(p, list);
    std::vector<Move> moves;
    for (const EngineMove m : list) {
        if (m.board() != boardIndex(id)) continue;
        const Move move{fileOf(m.from()), rankOf(m.from()), fileOf(m.to()), rankOf(m.to())};
        if (moves.empty() || !(moves.back() == move)) moves.push_back(move);
    }
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
        return std::tie(a.from.file, a.from.rank, a.to.file, a.to.rank) < std::tie(b.from.file, b.from.rank, b.to.file, b.to.rank);
    });
    return moves;
}

TEST(EngineRules, SeveralKingsOrNoneAsTheRulesModuleSeesThem) {
    // Left: two white kings; the rules guard the last one in file-then-rank
    // order, (7,8), which the rook on (7,1) attacks along the file.
    const Board left = boardFrom({"......r.", "........", "........", "........", "........", "........",
                                  "..P.....", ".K....K."});
    // Right: no white king. The bishop on (1,4) reaches (5,8), where a
    // fresh program assumes the king, once the knight leaves the diagonal;
    // with no king there nothing is exposed and every move stands.
    const Board right = boardFrom({"........", "........", "........", "b.......", "........", "..N.....",
                                   ".......P", "........"});
    auto g = std::make_unique<Game>();
    putPosition(*g, left, right);
    Position p = positionFromGame(*g, WHITE);
    EXPECT_EQ(p.kingSquare(0, WHITE), squareOf(7, 8));
    EXPECT_EQ(p.kingSquare(1, WHITE), squareOf(5, 8));
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const auto expected = acceptedMoves(*g, id, g->state.whiteSide);
        EXPECT_EQ(expected.size(), id == BoardId::LEFT ? 4u : 10u);
        if (id == BoardId::RIGHT) {
            EXPECT_EQ(expected, movesByMoveTest(*g, id, g->state.whiteSide));
        }
        EXPECT_EQ(boardMoves(p, id), expected) << (id == BoardId::LEFT ? "left" : "right");
    }
}

// The same count made with the rules module: its move list on each board,
// en passant offered taken and declined, promotions five ways, and its own
// execution; the boards are put back after each move.
std::uint64_t rulesPerft(Game& g, Side turn, int depth) {
    std::uint64_t nodes = 0;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        for (const Move& m : acceptedMoves(g, id, turn)) {
            const PieceCode piece = g.board(id).at(m.from.file, m.from.rank);
            const bool enPassant =
                アンパサンド_移動前(g.board(id), m.from, m.to, piece);
            const bool promotes = 調査_駒成人選(m.from, m.to, piece);
            std::vector<std::pair<PieceCode, bool>> variants;
            if (promotes) {
                for (int k = 1; k <= 5; ++k) variants.push_back({static_cast<PieceCode>(piece * k), false});
            } else {
                variants.push_back({piece, false});
                if (enPassant) variants.push_back({piece, true});
            }
            for (const auto& [placed, takes] : variants) {
                if (depth == 1) {
                    ++nodes;
                    continue;
                }
                const Board left = g.board(BoardId::LEFT);
                const Board right = g.board(BoardId::RIGHT);
                if (takes) g.board(id).at(m.to.file, m.from.rank) = EMPTY;
                駒移動(g, id, m.from, m.to, placed);
                nodes += rulesPerft(g, opposite(turn), depth - 1);
                g.board(BoardId::LEFT) = left;
                g.board(BoardId::RIGHT) = right;
            }
        }
    }
    return nodes;
}

TEST(EnginePerft, StartPositionMatchesTheRulesModule) {
    auto g = std::make_unique<Game>();
    初期設定(*g);
    putPosition(*g, g->board(BoardId::LEFT), g->board(BoardId::RIGHT));
    Position p = positionFromGame(*g, WHITE);
    // Twenty moves a board.
    EXPECT_EQ(perft(p, 1), 40u);
    EXPECT_EQ(perft(p, 2), rulesPerft(*g, g->state.whiteSide, 2));
    EXPECT_EQ(perft(p, 3), rulesPerft(*g, g->state.whiteSide, 3));
}

TEST(EnginePerft, GoldenPositionsMatchTheRulesModuleAtDepthTwo) {
    RecordFile record;
    std::string error;
    ASSERT_TRUE(readRecordFileStrict(VELMORA_GOLDEN_DIR "/play.棋譜", record, error)) << error;
    for (size_t n = 0; n < record.snapshots.size(); n += 7) {
        for (Colour colour : {WHITE, BLACK}) {
            auto g = std::make_unique<Game>();
            putPosition(*g, record.snapshots[n].left, record.snapshots[n].right);
            Position p = positionFromGame(*g, colour);
            const Side turn = sideOf(g->state, colour);
            EXPECT_EQ(perft(p, 2), rulesPerft(*g, turn, 2)) << "snapshot " << n << (colour == WHITE ? " white" : " black");
        }
    }
}

TEST(EnginePerft, DivideAddsUpToPerftAndLeavesThePositionAsItWas) {
    Board b;
    setStartPosition(b);
    Position p = positionFromBoards(b, b, WHITE);
    const Position before = p;
    std::uint64_t sum = 0;
    const auto entries = divide(p, 3);
    for (const DivideEntry& e : entries) sum += e.nodes;
    EXPECT_EQ(entries.size(), 40u);
    EXPECT_EQ(sum, perft(p, 3));
    EXPECT_TRUE(p == before);
}

}  // namespace
}  // namespace velmora::engine
