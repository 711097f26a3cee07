#pragma once
#include "game.h"
#include "game_outcome.h"

namespace velmora {

// 対局 ▸ 投了: asked Yes/No, the side to move (the person, against the
// computer) gives the game up and the other side wins through the game's
// end. Outside a game it is refused as a click on the boards is.
GameOutcome resignClick(Game& g);

// 対局 ▸ 引き分け提案: between people the other side answers Yes/No; the
// computer answers by its own judgement. Accepted, the game ends drawn
// through the game's end; declined, a box says so and play goes on. Outside
// a game it is refused as 投了 is.
GameOutcome offerDrawClick(Game& g);

}  // namespace velmora
