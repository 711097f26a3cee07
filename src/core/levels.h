#pragma once

namespace velmora {

// The computer's levels: 1 to 3 look one move ahead on both boards; 4 to 12
// are the search engine, a rung of a ladder each, 12 the full engine.
constexpr int FIRST_ENGINE_LEVEL = 4;
constexpr int MAX_LEVEL = 12;

constexpr bool isEngineLevel(int level) { return level >= FIRST_ENGINE_LEVEL && level <= MAX_LEVEL; }

}  // namespace velmora
