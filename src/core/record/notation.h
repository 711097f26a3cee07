#pragma once
#include <string>

#include "game.h"

namespace velmora {

// Stores both boards as snapshot n; n outside 0..500 writes nothing.
void 手順保存(Game& g, int n);

// After a move has been played on the boards: counts it, stores both boards as
// its snapshot and makes it the latest move.
void recordMove(Game& g);

// The side that made move n (nobody when snapshots n-1 and n agree).
Side 調査_手番(const Game& g, int n);
// The code of the piece that made move n (0 when none left a square).
PieceCode 調査_手番駒(const Game& g, int n);

// "ポーン" .. "キング" for a code of either colour, "" otherwise.
std::string 駒文字変換(PieceCode code);
// File letters "ａ".."ｈ" for 1..8, rank digits "１".."８" for 1001..1008, "" otherwise.
std::string 文字列変換(int value);
// A square as the game writes it: file letter and rank digit, rank 8 reading "１".
std::string squareText(Square s);

}  // namespace velmora
