// velmora-cli analyse: the engine's review of a whole record, move by move.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "analysis/line_names.h"
#include "analysis/game_positions.h"
#include "analysis/game_review.h"
#include "cli/commands.h"
#include "cli/json_out.h"
#include "record/notation.h"

namespace velmora::cli {
namespace {

// A score for the first player: hundredths of a pawn, or the king's fall.
void writeScore(JsonWriter& json, engine::Score score) {
    if (const std::optional<KingFall> fall = kingFallOf(score)) {
        json.beginObject().key("kingFallIn").value(fall->moves).key("for").value(fall->forFirst ? "first" : "second");
        json.endObject();
    } else {
        json.value(score);
    }
}

// The engine's best move and its line from `position`, named as the move list names moves.
void writeBestLine(JsonWriter& json, const engine::Position& position, const std::vector<engine::EngineMove>& moves) {
    std::vector<std::string> line;
    for (const Text& name : lineNames(position, moves)) line.push_back(shown(nullptr, name));
    json.key("best");
    if (line.empty()) {
        json.null();
    } else {
        json.value(line.front());
    }
    json.key("line").beginArray();
    for (const std::string& name : line) json.value(name);
    json.endArray();
}

void writeSummary(JsonWriter& json, const SideSummary& s) {
    json.beginObject().key("moves").value(s.moves).key("inaccuracies").value(s.inaccuracies);
    json.key("mistakes").value(s.mistakes).key("blunders").value(s.blunders);
    json.key("averageLoss").value(s.averageLoss).endObject();
}

}  // namespace

bool analyseLines(const RecordFile& record, const Options& options, const std::function<bool(const std::string&)>& write) {
    std::vector<std::pair<Board, Board>> snapshots;
    for (const SnapshotPair& s : record.snapshots) snapshots.emplace_back(s.left, s.right);
    const ReviewGame game = reviewGameOf(snapshots, engine::GameKind::TWO_PEOPLE);
    const int budget = options.timeMs > 0 ? options.timeMs : DEFAULT_REVIEW_MS;
    const int jobs = options.jobs > 0 ? options.jobs : ReviewPool::defaultJobs();
    const bool showProgress = ::isatty(STDERR_FILENO) != 0;
    const int count = static_cast<int>(game.positions.size());
    const std::vector<PositionView> views =
        reviewGame(game, reviewLimits(budget, game.kind), jobs, [&](int, int finished) {
            if (!showProgress) return;
            std::fprintf(stderr, "\ranalyse: %d of %d positions", finished, count);
            if (finished == count) std::fputs("\n", stderr);
        });
    const GameReview review = judgedReview(game, views);
    for (const MoveReview& r : review.moves) {
        const size_t n = static_cast<size_t>(r.ply);
        const std::optional<PlayedMove>& played = game.moves[n - 1];
        const engine::Position& before = game.positions[n - 1].position;
        JsonWriter json;
        json.beginObject().key("ply").value(r.ply).key("side").value(r.byFirst ? "first" : "second");
        json.key("move");
        if (played) {
            json.value(shown(nullptr, moveName(*played, true)));
        } else {
            json.null();
        }
        json.key("scoreBefore");
        writeScore(json, r.before);
        json.key("scoreAfter");
        writeScore(json, r.after);
        writeBestLine(json, before, views[n - 1].line);
        json.key("mark").value(markText(r.mark)).endObject();
        if (!write(json.text() + "\n")) return false;
    }
    JsonWriter json;
    json.beginObject().key("summary").beginObject().key("first");
    writeSummary(json, review.first);
    json.key("second");
    writeSummary(json, review.second);
    json.endObject().key("budgetMs").value(budget).key("jobs").value(jobs).endObject();
    return write(json.text() + "\n");
}

bool analysePositionLine(const PositionText& position, const Options& options,
                         const std::function<bool(const std::string&)>& write) {
    ReviewPosition at;
    at.position = engine::positionFromBoards(position.left, position.right, position.toMove);
    const int budget = options.timeMs > 0 ? options.timeMs : DEFAULT_REVIEW_MS;
    const PositionView view = viewOf(at, reviewLimits(budget, ANALYSIS_KIND));
    JsonWriter json;
    json.beginObject().key("move").value(position.moveNumber);
    json.key("toMove").value(position.toMove == Colour::White ? "white" : "black");
    // The side to move is the first player here: its score as it stands.
    json.key("score");
    writeScore(json, view.score);
    json.key("depth").value(view.depth);
    writeBestLine(json, at.position, view.line);
    json.key("budgetMs").value(budget).endObject();
    return write(json.text() + "\n");
}

}  // namespace velmora::cli
