#pragma once
#include "game.h"

namespace velmora {

// The starting position on both boards; no game running; snapshot 0 stored.
void 初期設定(Game& g);
void setStartPosition(Board& b);

// Exchanges king and queen of each side on both boards (the mirrored layout).
void キング_クイン入替(Game& g);

// Locates both kings of board 1 (left) or 2 (right); other values do nothing.
void 調査_キング座標(Game& g, int boardId);

// Number of pieces of the side opposite to `turnValue` on the board.
int 調査_駒数(const Board& b, int turnValue, const GameState& st);
inline int 調査_駒数(const Game& g, BoardId id, int turnValue) { return 調査_駒数(g.board(id), turnValue, g.state); }

// The turn value of the side that made move n (0 when snapshots n-1 and n agree).
int 調査_手番(const Game& g, int n);
// The code of the piece that made move n (0 when none left a square).
int 調査_手番駒(const Game& g, int n);

}  // namespace velmora
