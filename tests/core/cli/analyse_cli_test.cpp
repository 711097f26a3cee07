// velmora-cli analyse: a line a move with the review's scores and marks, the
// same as the review the window runs on the same record and budget, the
// same with one worker as with two, and a summary that counts the marks.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "analysis/blunder_game.h"
#include "analysis/review_pool.h"
#include "json_cli.h"
#include "record/record_file.h"

namespace velmora {
namespace {

using testing::Json;
using Object = std::map<std::string, Json>;

using CliRun = testing::JsonCliRun;

CliRun analyse(const std::string& args) { return testing::jsonCli("analyse " + args); }

const Json& at(const Json& j, const std::string& key) { return std::get<Object>(j.value).at(key); }

// A score as the command writes it, for the first player: hundredths of a
// pawn, or the king's fall as the review's own score of it.
bool sameScore(const Json& written, engine::Score score) {
    if (const double* v = std::get_if<double>(&written.value)) return *v == score;
    const std::optional<KingFall> fall = kingFallOf(score);
    return fall && std::get<double>(at(written, "kingFallIn").value) == fall->moves &&
           std::get<std::string>(at(written, "for").value) == (fall->forFirst ? "first" : "second");
}

const std::string GOLDEN = VELMORA_GOLDEN_DIR "/play.棋譜";

// The short game with a blunder of each player's, as a record file.
std::string blunderRecord() {
    RecordFile record;
    record.title = "review";
    record.blackPlayer = "black";
    record.whitePlayer = "white";
    for (const auto& [left, right] : testing::blunderGame()) record.snapshots.push_back({left, right});
    std::string bytes, error;
    EXPECT_TRUE(encodeRecordFile(record, bytes, error)) << error;
    const std::string path = ::testing::TempDir() + "velmora-review.棋譜";
    EXPECT_TRUE(writeFileAtomically(path, bytes, error)) << error;
    return path;
}

TEST(AnalyseCli, EachMoveAsTheReviewSeesItWithTheSameMarksOnAnyNumberOfWorkers) {
    const std::string file = blunderRecord();
    const CliRun two = analyse("'" + file + "' --time 20 --jobs 2");
    ASSERT_EQ(two.status, 0);
    const ReviewGame game = reviewGameOf(testing::blunderGame(), engine::GameKind::TWO_PEOPLE);
    const std::vector<MoveReview> moves = judgeMoves(game, reviewGame(game, reviewLimits(20, game.kind), 1));
    ASSERT_EQ(two.lines.size(), moves.size() + 1);
    int marks[4] = {};
    for (size_t i = 0; i < moves.size(); ++i) {
        const Json& line = two.lines[i];
        EXPECT_EQ(std::get<double>(at(line, "ply").value), moves[i].ply);
        EXPECT_EQ(std::get<std::string>(at(line, "side").value), moves[i].byFirst ? "first" : "second");
        EXPECT_TRUE(sameScore(at(line, "scoreBefore"), moves[i].before)) << "ply " << moves[i].ply << " review " << moves[i].before;
        EXPECT_TRUE(sameScore(at(line, "scoreAfter"), moves[i].after)) << "ply " << moves[i].ply;
        EXPECT_EQ(std::get<std::string>(at(line, "mark").value), markText(moves[i].mark)) << "ply " << moves[i].ply;
        const auto& names = std::get<std::vector<Json>>(at(line, "line").value);
        EXPECT_LE(names.size(), 8u);
        if (!names.empty()) {
            EXPECT_EQ(std::get<std::string>(names.front().value), std::get<std::string>(at(line, "best").value));
        }
        ++marks[static_cast<int>(moves[i].mark)];
    }
    // The summary counts both players' marks.
    const Json& summary = at(two.lines.back(), "summary");
    int counted[4] = {};
    for (const char* side : {"first", "second"}) {
        counted[1] += static_cast<int>(std::get<double>(at(at(summary, side), "inaccuracies").value));
        counted[2] += static_cast<int>(std::get<double>(at(at(summary, side), "mistakes").value));
        counted[3] += static_cast<int>(std::get<double>(at(at(summary, side), "blunders").value));
    }
    for (int k = 1; k < 4; ++k) EXPECT_EQ(counted[k], marks[k]) << k;

    // The blunders are there, each move named.
    EXPECT_EQ(std::get<std::string>(at(two.lines[0], "mark").value), "??");
    EXPECT_EQ(std::get<std::string>(at(two.lines[1], "move").value), "右 ａ４－ｄ４ ルーク（左×）");

    const CliRun one = analyse("'" + file + "' --time 20 --jobs 1");
    ASSERT_EQ(one.status, 0);
    // Everything but the summary's count of workers.
    EXPECT_EQ(one.text.substr(0, one.text.rfind("{\"summary\"")), two.text.substr(0, two.text.rfind("{\"summary\"")));
}

TEST(AnalyseCli, BadCommandLinesAreRefused) {
    EXPECT_EQ(analyse("").status, 2);
    EXPECT_EQ(analyse("'" + GOLDEN + "' --jobs 0").status, 2);
    EXPECT_EQ(analyse("'" + GOLDEN + "' --time 0").status, 2);
    EXPECT_EQ(analyse("'" + GOLDEN + "' --move 3").status, 2);
    EXPECT_EQ(analyse("/nonexistent.棋譜").status, 2);
}

}  // namespace
}  // namespace velmora
