#pragma once
#include "rules/piece.h"

namespace velmora {

// The game-wide variables. A flag never assigned counts as OFF.
struct GameState {
    int sideToMove = NONE;
    int whiteTurn = 0;
    int blackTurn = 0;
    int gameMode = MODE_MAN;
    int kingQueenSwapped = OFF;
    int moveNumber = 0;
    int lastMoveNumber = 0;
    int recordMode = OFF;
    int gameWinner = NONE;
    int whiteInCheck = OFF;
    PieceCode promotionChoice = EMPTY;
    PieceCode comPromotionPiece = EMPTY;
    int handicapApplied = OFF;
    int reversed = OFF;
    int moveGuidance = OFF;
    int comLevel = 3;
    int handicapLevel = 0;
};

}  // namespace velmora
