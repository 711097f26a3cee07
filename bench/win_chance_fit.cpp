// Fits the slope of the review's winning-chance curve: the full engine
// plays itself at the review's budget from seeded random openings, each
// position's score (for the side to move) is the search that chose the move
// there, the same search the review makes, and k is the value that makes
// 1 / (1 + e^(-k score)) the likeliest account of who went on to win.
//
//   velmora_win_chance_fit [--games N] [--budget MS] [--jobs J] [--seed S] [--records DIR]
//
// With --records each game is also written to DIR as a game record
// (game-N.棋譜), for the review to be tried and timed on.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "analysis/review_pool.h"
#include "engine/game_end.h"
#include "engine/movegen.h"
#include "record/record_file.h"
#include "rules/setup.h"

using namespace velmora;

namespace {

constexpr int OPENING_PLIES = 6;
constexpr int MAX_PLIES = 300;

struct Sample {
    engine::Score score;  // for the side to move
    double result;        // 1 when the side to move went on to win, 0 lost, 0.5 drawn
};

struct GameSamples {
    std::vector<Sample> samples;
    double firstResult = 0.5;
    std::vector<SnapshotPair> snapshots;  // the boards after each move, the start first
};

int kings(const engine::Position& p, Colour c) {
    return p.kingCount(BoardId::LEFT, c) + p.kingCount(BoardId::RIGHT, c);
}

GameSamples playGame(unsigned seed, int budgetMs) {
    Board start;
    setStartPosition(start);
    engine::Position p = engine::positionFromBoards(start, start, Colour::White);
    std::mt19937 random(seed);
    const engine::SearchLimits limits = reviewLimits(budgetMs, engine::GameKind::TWO_PEOPLE);
    std::vector<std::pair<engine::Score, Colour>> seen;
    std::optional<Colour> winner;
    std::vector<SnapshotPair> snapshots{{start, start}};
    for (int ply = 0; ply < MAX_PLIES; ++ply) {
        const Colour mover = p.sideToMove();
        engine::EngineMove move;
        if (ply < OPENING_PLIES) {
            engine::MoveList list;
            engine::generateMoves(p, list);
            if (list.size == 0) break;
            move = list.moves[std::uniform_int_distribution<int>(0, list.size - 1)(random)];
        } else {
            const PositionView view = viewOf({p, ReviewPosition::End::None}, limits);
            if (view.line.empty()) break;  // no move: the game stands still, drawn
            seen.emplace_back(view.score, mover);
            move = view.line.front();
        }
        const int theirs = kings(p, -mover);
        engine::Undo undo;
        p.make(move, undo);
        snapshots.push_back({engine::boardOf(p, BoardId::LEFT), engine::boardOf(p, BoardId::RIGHT)});
        if (kings(p, -mover) < theirs) {
            winner = mover;
            break;
        }
        if (engine::drawnAfterMove(p, move.board(), mover, engine::GameKind::TWO_PEOPLE)) break;
    }
    GameSamples out;
    out.snapshots = std::move(snapshots);
    out.firstResult = !winner ? 0.5 : *winner == Colour::White ? 1.0 : 0.0;
    for (const auto& [score, mover] : seen) {
        const double r = !winner ? 0.5 : *winner == mover ? 1.0 : 0.0;
        // A king's fall within reach says nothing about the curve's slope.
        if (!engine::isKingFall(score)) out.samples.push_back({score, r});
    }
    return out;
}

double logLikelihood(const std::vector<const GameSamples*>& games, double k) {
    double sum = 0;
    for (const GameSamples* g : games) {
        for (const Sample& s : g->samples) {
            const double p = 1.0 / (1.0 + std::exp(-k * s.score));
            sum += s.result * std::log(std::max(p, 1e-12)) + (1 - s.result) * std::log(std::max(1 - p, 1e-12));
        }
    }
    return sum;
}

// The k of the greatest likelihood, by golden-section search.
double fit(const std::vector<const GameSamples*>& games) {
    double lo = 0.0001, hi = 0.05;
    const double phi = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 80; ++i) {
        const double a = hi - phi * (hi - lo), b = lo + phi * (hi - lo);
        if (logLikelihood(games, a) > logLikelihood(games, b)) {
            hi = b;
        } else {
            lo = a;
        }
    }
    return (lo + hi) / 2;
}

void writeRecord(const std::string& path, const std::vector<SnapshotPair>& snapshots, int number) {
    RecordFile record;
    record.title = "self-play " + std::to_string(number);
    record.blackPlayer = "engine";
    record.whitePlayer = "engine";
    record.snapshots = snapshots;
    std::string bytes, error;
    if (!encodeRecordFile(record, bytes, error) || !writeFileAtomically(path, bytes, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    int games = 100, budget = DEFAULT_REVIEW_MS, jobs = ReviewPool::defaultJobs();
    unsigned seed = 1;
    std::string records;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--records")) records = argv[i + 1];
        const int v = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--games")) games = std::max(1, v);
        if (!std::strcmp(argv[i], "--budget")) budget = std::max(1, v);
        if (!std::strcmp(argv[i], "--jobs")) jobs = std::max(1, v);
        if (!std::strcmp(argv[i], "--seed")) seed = static_cast<unsigned>(v);
    }
    std::vector<GameSamples> played(static_cast<size_t>(games));
    std::mutex mutex;
    int next = 0, done = 0;
    std::vector<std::thread> workers;
    for (int j = 0; j < jobs; ++j) {
        workers.emplace_back([&] {
            for (;;) {
                int n;
                {
                    std::lock_guard lock(mutex);
                    if (next >= games) return;
                    n = next++;
                }
                GameSamples g = playGame(seed * 1000 + static_cast<unsigned>(n), budget);
                if (!records.empty()) writeRecord(records + "/game-" + std::to_string(n + 1) + ".棋譜", g.snapshots, n + 1);
                std::lock_guard lock(mutex);
                played[static_cast<size_t>(n)] = std::move(g);
                std::fprintf(stderr, "\rgames %d of %d", ++done, games);
            }
        });
    }
    for (std::thread& t : workers) t.join();
    std::fputs("\n", stderr);

    std::vector<const GameSamples*> all;
    size_t positions = 0;
    double firstScore = 0;
    for (const GameSamples& g : played) {
        all.push_back(&g);
        positions += g.samples.size();
        firstScore += g.firstResult;
    }
    const double k = fit(all);
    // The margin: the fit again over games drawn with replacement.
    std::mt19937 random(seed);
    std::vector<double> again;
    for (int b = 0; b < 200; ++b) {
        std::vector<const GameSamples*> resampled;
        for (int i = 0; i < games; ++i) resampled.push_back(all[std::uniform_int_distribution<int>(0, games - 1)(random)]);
        again.push_back(fit(resampled));
    }
    std::sort(again.begin(), again.end());
    std::printf("games %d, positions %zu, budget %d ms (%llu nodes), white scored %.1f %%\n", games, positions, budget,
                static_cast<unsigned long long>(budget * REVIEW_NODES_PER_MS), 100 * firstScore / games);
    std::printf("k = %.5f a hundredth of a pawn (95 %%: %.5f to %.5f)\n", k, again[5], again[194]);
    // The scores by band: how often the side they favour won.
    std::printf("score band      positions  won by the side to move\n");
    for (int lo = -1000; lo < 1000; lo += 200) {
        double won = 0;
        int n = 0;
        for (const GameSamples* g : all) {
            for (const Sample& s : g->samples) {
                if (s.score >= lo && s.score < lo + 200) {
                    won += s.result;
                    ++n;
                }
            }
        }
        if (n > 0) std::printf("%+6d..%+6d %10d  %6.1f %%\n", lo, lo + 200, n, 100 * won / n);
    }
    return 0;
}
