#pragma once
#include "engine/search.h"

namespace velmora {

// Runs the search engine for the computer's move. The window runs it off
// its own thread so that it keeps painting while the computer thinks; a
// headless game simply calls it.
class EngineRunner {
public:
    virtual ~EngineRunner() = default;
    virtual engine::SearchResult think(const engine::Position& position, const engine::SearchLimits& limits) {
        return engine::bestMove(position, limits);
    }
};

}  // namespace velmora
