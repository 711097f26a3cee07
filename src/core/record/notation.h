#pragma once
#include <string>

#include "game.h"
#include "record/played_move.h"
#include "text/text.h"

namespace velmora {

// After a move has been played on the boards: counts it, stores both boards as
// its snapshot and makes it the latest move, and has the window follow it.
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

// The game's text for a move: the destination's file letter and rank digit and
// the name of the piece that stands there. Beside the board the three parts
// are drawn apart; the move list writes them in one line.
struct MoveText {
    std::string file;
    std::string rank;
    std::string piece;
    std::string line() const { return file + rank + " " + piece; }
};
MoveText moveText(int file, int rank, PieceCode piece);

// "左" or "右".
Text boardName(BoardId board);

// A move named so that no other move reads the same: its origin and
// destination joined by "－", or by "×" when it takes on its own board (en
// passant included), the piece standing on the destination afterwards, and
// "（右×）" or "（左×）" when the same square of the other board lost a piece
// too; the board first when `withBoard`. Squares are named as the labels
// name them on boards not turned round.
Text moveName(const PlayedMove& move, bool withBoard);

}  // namespace velmora
