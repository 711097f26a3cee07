#pragma once
#include "flow/shutdown.h"
#include "game.h"

namespace velmora {

// Start-up up to the first complete drawing of the window.
void Form_Load(Game& g);

// Game start commands: two people, person first, computer first. On a
// position stepped to or loaded, a game against the computer goes on with
// the colour to move there, whichever command started it.
void START_Click(Game& g);
void SENTE_Click(Game& g);
void GOTE_Click(Game& g);

// After a command that stopped the computer's search: when the command left
// the game where it stood (a level, the boards turned round, a refusal), the
// computer's turn starts again; when it replaced or stepped the game, nothing
// happens.
void continueComputerTurn(Game& g);

// After every command the window runs: the computer's turn taken up again if
// the command set it aside and left the game where it stood.
void commandDone(Game& g);

// 終わり, Esc (key code 27) and closing the window end the program.
void OWARI_Click(Game& g);
void Form_KeyDown(Game& g, int keyCode);
void Form_Unload(Game& g, EndCause cause = EndCause::Person);

}  // namespace velmora
