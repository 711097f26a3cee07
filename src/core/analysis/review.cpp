#include "analysis/review.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// A score beyond this many hundredths of a pawn counts as this much in a
// move's loss: a king's fall or a lead of ten pawns is decided either way.
constexpr engine::Score LOSS_CAP = 1000;

engine::Score capped(engine::Score s) { return std::clamp(s, -LOSS_CAP, LOSS_CAP); }

}  // namespace

ReviewGame reviewGameOf(const std::vector<std::pair<Board, Board>>& snapshots, engine::GameKind kind) {
    ReviewGame game;
    game.kind = kind;
    if (snapshots.empty()) return game;
    // The mover of each move, by the colour of what arrived.
    const std::vector<Colour> movers = moverColours(snapshots);
    game.first = movers.empty() ? Colour::White : movers.front();
    for (size_t n = 0; n < snapshots.size(); ++n) {
        const Colour toMove = n == 0 ? game.first : -movers[n - 1];
        ReviewPosition p;
        p.position = engine::positionFromBoards(snapshots[n].first, snapshots[n].second, toMove);
        if (n > 0) {
            const auto& [lb, rb] = snapshots[n - 1];
            const auto& [la, ra] = snapshots[n];
            game.moves.push_back(readMove(lb, rb, la, ra));
            const engine::Position before = engine::positionFromBoards(lb, rb, movers[n - 1]);
            for (BoardId b : {BoardId::LEFT, BoardId::RIGHT}) {
                if (before.kingCount(b, toMove) > p.position.kingCount(b, toMove)) p.end = ReviewPosition::End::KingTaken;
            }
            const std::optional<PlayedMove>& m = game.moves.back();
            if (p.end == ReviewPosition::End::None && m &&
                engine::drawnAfterMove(p.position, m->board, movers[n - 1], kind)) {
                p.end = ReviewPosition::End::Drawn;
            }
        }
        game.positions.push_back(std::move(p));
        // Nothing is played after the game's end.
        if (game.positions.back().end != ReviewPosition::End::None) break;
    }
    game.moves.resize(game.positions.size() - 1);
    return game;
}

PositionView viewOf(const ReviewPosition& position, engine::SearchLimits limits) {
    PositionView view;
    if (position.end == ReviewPosition::End::KingTaken) {
        view.score = engine::kingLostAt(0);
        return view;
    }
    if (position.end == ReviewPosition::End::Drawn) return view;
    limits.table = nullptr;  // a fresh table: the same search every time
    std::vector<engine::EngineMove> line;
    const auto keep = limits.onProgress;
    limits.onProgress = [&line, &keep](const engine::SearchProgress& p) {
        line = p.line;
        if (keep) keep(p);
    };
    const engine::SearchResult r = engine::bestMove(position.position, limits);
    view.score = r.score;
    view.depth = std::max(r.depth, 1);
    view.nodes = r.nodes;
    view.line = std::move(line);
    // A depth cut short may have found a better first move than the line's.
    if (r.found() && (view.line.empty() || view.line.front() != r.move)) view.line = {r.move};
    if (!r.found()) view.line.clear();
    return view;
}

engine::Score forFirst(engine::Score score, Colour toMove, Colour first) { return toMove == first ? score : -score; }

std::optional<KingFall> kingFallOf(engine::Score s) {
    if (!engine::isKingFall(s)) return std::nullopt;
    const int plies = engine::KING_LOSS - std::abs(s);
    return KingFall{(plies + 1) / 2, s > 0};
}

bool sameMove(const PlayedMove& played, engine::EngineMove m) {
    return played.board == m.board() && played.from == Square{engine::fileOf(m.from()), engine::rankOf(m.from())} &&
           played.to == Square{engine::fileOf(m.to()), engine::rankOf(m.to())} && played.placed == m.placed() &&
           played.enPassant == m.enPassant();
}

std::vector<MoveReview> judgeMoves(const ReviewGame& game, const std::vector<PositionView>& views) {
    std::vector<MoveReview> out;
    for (size_t n = 1; n < game.positions.size() && n < views.size(); ++n) {
        const engine::Position& before = game.positions[n - 1].position;
        const engine::Position& after = game.positions[n].position;
        MoveReview r;
        r.ply = static_cast<int>(n);
        r.mover = before.sideToMove();
        r.byFirst = r.mover == game.first;
        r.before = forFirst(views[n - 1].score, before.sideToMove(), game.first);
        r.after = forFirst(views[n].score, after.sideToMove(), game.first);
        const std::optional<PlayedMove>& played = game.moves[n - 1];
        r.playedBest = played && !views[n - 1].line.empty() && sameMove(*played, views[n - 1].line.front());
        // The mover's own view of both.
        const engine::Score was = r.byFirst ? r.before : -r.before;
        const engine::Score is = r.byFirst ? r.after : -r.after;
        if (!r.playedBest) {
            r.drop = std::max(0.0, winChance(was) - winChance(is));
            r.loss = std::max(0, capped(was) - capped(is));
            r.mark = markOf(r.drop);
        }
        out.push_back(r);
    }
    return out;
}

SideSummary summarise(const std::vector<MoveReview>& moves, bool first) {
    SideSummary s;
    long total = 0;
    for (const MoveReview& m : moves) {
        if (m.byFirst != first) continue;
        ++s.moves;
        total += m.loss;
        if (m.mark == MoveMark::Inaccuracy) ++s.inaccuracies;
        if (m.mark == MoveMark::Mistake) ++s.mistakes;
        if (m.mark == MoveMark::Blunder) ++s.blunders;
    }
    if (s.moves > 0) s.averageLoss = static_cast<double>(total) / s.moves;
    return s;
}

}  // namespace velmora
