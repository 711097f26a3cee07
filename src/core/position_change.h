#pragma once
#include "game.h"

namespace velmora {

// Every command that changes the position (a new game, a load, stepping, the
// level, the handicap, turning the boards, a move, a time control, the end of
// a game) calls this first. The computer's turn stops if it has not moved
// yet (ComputerPlayer::positionAboutToChange), a hint's or a draw offer's search is
// cancelled, and the screen catches up at once with what it still had to
// show, so that the command acts on the game as it stands and on a screen
// that shows it. Commands that leave the position alone (options, help,
// saving) do not call it and run beside whatever is under way.
void positionAboutToChange(Game& g);

// The program ends: every search is cancelled and nothing more is shown.
void stopEverything(Game& g);

}  // namespace velmora
