#include "analysis/game_review.h"

#include <algorithm>

namespace velmora {

GameReview judgedReview(ReviewGame game, std::vector<PositionView> views) {
    GameReview review;
    review.moves = judgeMoves(game, views);
    review.first = summarise(review.moves, true);
    review.second = summarise(review.moves, false);
    review.game = std::move(game);
    review.views = std::move(views);
    return review;
}

GraphPoint graphPointOf(engine::Score firstPlayersScore) {
    if (const std::optional<KingFall> fall = kingFallOf(firstPlayersScore)) {
        return {fall->forFirst ? GRAPH_LIMIT_PAWNS : -GRAPH_LIMIT_PAWNS, true};
    }
    return {std::clamp(firstPlayersScore / 100.0, -GRAPH_LIMIT_PAWNS, GRAPH_LIMIT_PAWNS), false};
}

std::vector<GraphPoint> graphPoints(const GameReview& review) {
    std::vector<GraphPoint> points;
    if (review.moves.empty()) return points;
    points.push_back(graphPointOf(review.moves.front().before));
    for (const MoveReview& m : review.moves) points.push_back(graphPointOf(m.after));
    return points;
}

BackgroundReview::BackgroundReview(ReviewGame game, int budgetMs, int jobs, Listener listener)
    : game_(std::move(game)), budgetMs_(budgetMs), jobs_(std::max(1, jobs)), listener_(std::move(listener)),
      views_(game_.positions.size()) {
    pool_ = std::make_unique<ReviewPool>(game_, reviewLimits(budgetMs_, game_.kind), jobs_,
                                         [this](int index, const PositionView& view) {
                                             Progress now;
                                             {
                                                 std::lock_guard lock(mutex_);
                                                 views_[static_cast<size_t>(index)] = view;
                                                 ++finished_;
                                                 now = progressLocked();
                                             }
                                             if (listener_) listener_(now);
                                         });
}

BackgroundReview::~BackgroundReview() { pool_.reset(); }

void BackgroundReview::cancel() { pool_->cancel(); }

void BackgroundReview::wait() { pool_->wait(); }

BackgroundReview::Progress BackgroundReview::progress() const {
    std::lock_guard lock(mutex_);
    return progressLocked();
}

BackgroundReview::Progress BackgroundReview::progressLocked() const {
    Progress p;
    p.finished = finished_;
    p.count = static_cast<int>(views_.size());
    const auto unseen = std::find_if(views_.begin(), views_.end(), [](const auto& v) { return !v.has_value(); });
    const int moves = std::max(1, p.count - 1);
    p.move = std::clamp(static_cast<int>(unseen - views_.begin()) + 1, 1, moves);
    const int left = p.count - p.finished;
    if (finished_ > 0) {
        // The pace so far, which holds the machine's speed and load.
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_).count();
        p.msLeft = static_cast<int>(elapsed * left / finished_);
    } else {
        // Nothing seen yet: the budget, shared by the workers.
        p.msLeft = budgetMs_ * ((left + jobs_ - 1) / jobs_);
    }
    return p;
}

bool BackgroundReview::finished() const {
    std::lock_guard lock(mutex_);
    return finished_ == static_cast<int>(views_.size());
}

std::optional<GameReview> BackgroundReview::result() const {
    std::vector<PositionView> views;
    {
        std::lock_guard lock(mutex_);
        if (finished_ != static_cast<int>(views_.size())) return std::nullopt;
        for (const auto& v : views_) views.push_back(*v);
    }
    return judgedReview(game_, std::move(views));
}

}  // namespace velmora
