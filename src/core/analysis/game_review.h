#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "analysis/review_pool.h"

namespace velmora {

// A whole game reviewed: the engine's view of each position and each move
// judged from them, with each player's sum.
struct GameReview {
    ReviewGame game;
    std::vector<PositionView> views;  // one per position
    std::vector<MoveReview> moves;    // one per move
    SideSummary first;
    SideSummary second;
};
GameReview judgedReview(ReviewGame game, std::vector<PositionView> views);

// The evaluation graph's height limit, in pawns either way.
constexpr double GRAPH_LIMIT_PAWNS = 10;

// One point of the evaluation graph: the score of a position for the first
// player in pawns, clamped to the limit; a king's fall within reach stands at
// the limit and says so.
struct GraphPoint {
    double pawns = 0;
    bool kingFall = false;
    bool operator==(const GraphPoint&) const = default;
};
GraphPoint graphPointOf(engine::Score firstPlayersScore);
// The graph of a review: a point for the start and one after each move.
std::vector<GraphPoint> graphPoints(const GameReview& review);

// A review running on worker threads while the program goes on. Its
// listener hears on a worker's thread after each position; once every
// position is seen, result() gives the review. Cancelled or destroyed, it
// stops within a search's stopping time and hands on nothing more.
class BackgroundReview {
public:
    struct Progress {
        int finished = 0;  // positions seen
        int count = 0;     // positions in all
        int move = 0;      // the move the review is on, 1..moves (the earliest position not yet seen)
        int msLeft = 0;    // the time left at the pace so far
    };
    using Listener = std::function<void(const Progress&)>;

    BackgroundReview(ReviewGame game, int budgetMs, int jobs, Listener listener);
    BackgroundReview(const BackgroundReview&) = delete;
    BackgroundReview& operator=(const BackgroundReview&) = delete;
    ~BackgroundReview();

    // Returns at once; the workers end by themselves a moment later.
    void cancel();
    // Returns once the workers have ended (all seen, or cancelled).
    void wait();
    // How far it has come (any thread).
    Progress progress() const;
    bool finished() const;
    const ReviewGame& game() const { return game_; }
    // The review, once finished.
    std::optional<GameReview> result() const;

private:
    Progress progressLocked() const;

    const ReviewGame game_;
    const int budgetMs_;
    const int jobs_;
    Listener listener_;
    const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    mutable std::mutex mutex_;
    std::vector<std::optional<PositionView>> views_;
    int finished_ = 0;
    // Last, so that its workers stop before anything they reach is gone.
    std::unique_ptr<ReviewPool> pool_;
};

}  // namespace velmora
