// The engine's move generator against the rules module: on every position of
// the golden record and the corpus, and on positions reached by random play,
// the moves the engine generates (collapsed to board, from and to) must be
// exactly the moves the person's rules accept, for both sides, and without
// the king test exactly the computer's candidates; the capture generator
// gives exactly the full generator's captures, promotions and en passant
// moves. Along the random games each engine move is also carried out by the
// rules module's execution, and the two resulting boards must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game.h"
#include "engine/movegen.h"
#include "engine/position.h"
#include "record/record_file.h"
#include "rules/execution.h"
#include "rules/move_list.h"
#include "rules/setup.h"

#ifndef VELMORA_ENGINE_RANDOM_POSITIONS
#define VELMORA_ENGINE_RANDOM_POSITIONS 10000
#endif

namespace velmora::engine {
namespace {

std::vector<Move> engineMoves(Position& p, BoardId id, KingTest test = KingTest::Tested) {
    MoveList list;
    generateMoves(p, list, test);
    std::vector<Move> moves;
    for (const EngineMove m : list) {
        if (m.board() != boardIndex(id)) continue;
        moves.push_back({{fileOf(m.from()), rankOf(m.from())}, {fileOf(m.to()), rankOf(m.to())}});
    }
    auto key = [](const Move& m) { return std::tuple(m.from.file, m.from.rank, m.to.file, m.to.rank); };
    std::sort(moves.begin(), moves.end(), [&](const Move& a, const Move& b) { return key(a) < key(b); });
    moves.erase(std::unique(moves.begin(), moves.end()), moves.end());
    return moves;
}

std::string describe(const std::vector<Move>& moves) {
    std::string out;
    for (const Move& m : moves) {
        for (int v : {m.from.file, m.from.rank, m.to.file, m.to.rank}) out.push_back(static_cast<char>('0' + v));
        out.push_back(' ');
    }
    return out;
}

// The capture generator gives exactly the moves of the full generator that
// take something on either board, promote, or take en passant.
bool capturesAgree(Position& p, KingTest test, std::string& report) {
    MoveList all, captures;
    generateMoves(p, all, test);
    generateCaptures(p, captures, test);
    std::vector<std::uint32_t> expected, got;
    for (const EngineMove m : all) {
        const int mover = p.at(m.board(), m.from());
        const bool promotes = std::abs(mover) == 1 && rankOf(m.to()) == (mover > 0 ? 8 : 1);
        if (isCapture(p, m) || promotes || m.enPassant()) expected.push_back(m.raw());
    }
    for (const EngineMove m : captures) got.push_back(m.raw());
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    if (got == expected) return true;
    report = " captures: " + std::to_string(got.size()) + " generated, " + std::to_string(expected.size()) + " expected";
    return false;
}

// Compares both boards for both sides; returns the number of disagreements
// and reports the first few.
int compareWithRules(const Board& left, const Board& right, const std::string& where) {
    int failures = 0;
    for (Colour colour : {WHITE, BLACK}) {
        auto g = std::make_unique<Game>();
        putPosition(*g, left, right);
        Position p = positionFromGame(*g, colour);
        const Side turn = sideOf(g->state, colour);
        for (const KingTest test : {KingTest::Tested, KingTest::Untested}) {
            std::string report;
            if (capturesAgree(p, test, report)) continue;
            if (++failures <= 3) {
                ADD_FAILURE() << where << (colour == WHITE ? " white" : " black")
                              << (test == KingTest::Tested ? "" : " untested") << report;
            }
        }
        for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
            // With the king test, the person's moves; without it, the
            // computer's candidates.
            for (const KingTest test : {KingTest::Tested, KingTest::Untested}) {
                const std::vector<Move> expected =
                    test == KingTest::Tested ? acceptedMoves(*g, id, turn) : movesByMoveTest(*g, id, turn);
                const std::vector<Move> got = engineMoves(p, id, test);
                if (got == expected) continue;
                if (++failures <= 3) {
                    ADD_FAILURE() << where << (colour == WHITE ? " white" : " black")
                                  << (id == BoardId::LEFT ? " left" : " right")
                                  << (test == KingTest::Tested ? "" : " untested") << "\n rules: " << describe(expected)
                                  << "\n engine:" << describe(got);
                }
            }
        }
    }
    return failures;
}

RecordFile readRecord(const std::string& path) {
    RecordFile record;
    std::string error;
    EXPECT_TRUE(readRecordFileStrict(path, record, error)) << error;
    return record;
}

void compareRecord(const std::string& path) {
    const RecordFile record = readRecord(path);
    ASSERT_FALSE(record.snapshots.empty());
    int failures = 0;
    for (size_t n = 0; n < record.snapshots.size(); ++n) {
        const SnapshotPair& s = record.snapshots[n];
        failures += compareWithRules(s.left, s.right, path + " snapshot " + std::to_string(n));
    }
    EXPECT_EQ(failures, 0);
}

TEST(EngineDifferential, EveryGoldenPositionBothSides) { compareRecord(VELMORA_GOLDEN_DIR "/play.棋譜"); }

TEST(EngineDifferential, EveryCorpusPositionBothSides) { compareRecord(VELMORA_CORPUS_DIR "/selfplay.棋譜"); }

// Plays an engine move through the rules module's execution: the passed
// pawn is removed first, then the piece is placed (promoted as chosen).
void playByRules(Game& g, EngineMove m) {
    const BoardId id = m.board() == 0 ? BoardId::LEFT : BoardId::RIGHT;
    const int ff = fileOf(m.from()), fr = rankOf(m.from()), tf = fileOf(m.to()), tr = rankOf(m.to());
    if (m.enPassant()) g.board(id).at(tf, fr) = EMPTY;
    駒移動(g, id, {ff, fr}, {tf, tr}, static_cast<PieceCode>(m.placed()));
}

TEST(EngineDifferential, RandomPlayFromStartAndGoldenPositions) {
    const RecordFile golden = readRecord(VELMORA_GOLDEN_DIR "/play.棋譜");
    ASSERT_FALSE(golden.snapshots.empty());
    std::mt19937 random(20261207);
    int positions = 0;
    int failures = 0;
    int executionFailures = 0;
    int kingless = 0;
    int walk = 0;
    while (positions < VELMORA_ENGINE_RANDOM_POSITIONS) {
        // Every other walk starts from the starting position, the rest from
        // a golden position chosen at random.
        auto g = std::make_unique<Game>();
        if (walk % 2 == 0) {
            初期設定(*g);
        } else {
            const SnapshotPair& s = golden.snapshots[random() % golden.snapshots.size()];
            putPosition(*g, s.left, s.right);
        }
        Position p = positionFromBoards(g->board(BoardId::LEFT), g->board(BoardId::RIGHT), walk % 4 < 2 ? WHITE : BLACK);
        const Position start = p;
        std::vector<std::pair<EngineMove, Undo>> played;
        for (int ply = 0; ply < 120 && positions < VELMORA_ENGINE_RANDOM_POSITIONS; ++ply) {
            const std::string where = "walk " + std::to_string(walk) + " ply " + std::to_string(ply);
            failures += compareWithRules(boardOf(p, BoardId::LEFT), boardOf(p, BoardId::RIGHT), where);
            ++positions;
            for (int b = 0; b < 2; ++b) kingless += p.kingCount(b, WHITE) == 0 || p.kingCount(b, BLACK) == 0;
            MoveList list;
            generateMoves(p, list);
            if (list.size == 0) break;
            const EngineMove m = list.moves[random() % static_cast<unsigned>(list.size)];
            Undo undo;
            p.make(m, undo);
            played.emplace_back(m, undo);
            playByRules(*g, m);
            const bool same = boardOf(p, BoardId::LEFT) == g->board(BoardId::LEFT) &&
                              boardOf(p, BoardId::RIGHT) == g->board(BoardId::RIGHT);
            if (!same && ++executionFailures <= 3) ADD_FAILURE() << where << ": execution differs";
            // The incremental key and material must be those of the position
            // built afresh.
            const Position fresh = positionFromBoards(boardOf(p, BoardId::LEFT), boardOf(p, BoardId::RIGHT), p.sideToMove());
            EXPECT_EQ(fresh.hash(), p.hash()) << where;
            EXPECT_EQ(fresh.material(WHITE), p.material(WHITE)) << where;
            EXPECT_EQ(fresh.material(BLACK), p.material(BLACK)) << where;
        }
        // Unmaking the whole game gives back the starting position exactly.
        for (auto it = played.rbegin(); it != played.rend(); ++it) p.unmake(it->first, it->second);
        EXPECT_TRUE(p == start) << "walk " << walk;
        ++walk;
    }
    EXPECT_EQ(positions, VELMORA_ENGINE_RANDOM_POSITIONS);
    // Random games lose kings too; the rules then guard a remembered square.
    EXPECT_GT(kingless, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(executionFailures, 0);
}

}  // namespace
}  // namespace velmora::engine
