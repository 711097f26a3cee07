#include "analysis/analyser.h"

namespace velmora {
namespace {

// Entries of the analyser's table: 16 MB, about what a minute's search fills.
constexpr int ANALYSER_TABLE_LOG2 = 20;

}  // namespace

Analyser::Analyser(Report report, int progressMs)
    : report_(std::move(report)),
      progressMs_(progressMs),
      table_(std::make_unique<engine::TranspositionTable>(ANALYSER_TABLE_LOG2)) {}

Analyser::~Analyser() { stop(); }

std::uint64_t Analyser::follow(const engine::Position& position, engine::GameKind kind) {
    stop();
    stop_ = false;
    const std::uint64_t number = ++counter_;
    following_ = number;
    engine::SearchLimits limits;
    limits.timeMs = 0;  // until stopped
    limits.kind = kind;
    limits.stop = &stop_;
    limits.table = table_.get();
    limits.progressMs = progressMs_;
    limits.onProgress = [this, number](const engine::SearchProgress& p) { report_(number, p); };
    worker_ = std::thread([position, limits] { engine::bestMove(position, limits); });
    return number;
}

void Analyser::stop() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    following_ = 0;
}

}  // namespace velmora
