#pragma once
#include <cstdint>

namespace velmora {

// Who is to move: the player who moved first or the one who moved second, or
// nobody while no game runs. GameState's whiteSide and blackSide say which of
// the two each colour is; they change places when the computer moves first
// or a record shows black moving first.
enum class Side : std::int8_t { None = 0, First = 1, Second = -1 };

// The other player; nobody stays nobody.
constexpr Side opposite(Side s) {
    return s == Side::First ? Side::Second : s == Side::Second ? Side::First : Side::None;
}

// Two people at the screen, or a person against the computer.
enum class GameMode : std::int8_t { BetweenPeople, AgainstComputer };

}  // namespace velmora
