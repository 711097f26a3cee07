#pragma once
// The drawing grid: every item of the window sits at a grid position (column,
// row) from an origin; one cell is 522 x 525 twips.
#include "board/board.h"
#include "ports/palette_port.h"

namespace velmora {

constexpr int SQUARE_WIDTH = 522;
constexpr int SQUARE_HEIGHT = 525;
constexpr int LEFT_ORIGIN_X = 700;
constexpr int ORIGIN_Y = 900;
constexpr int RIGHT_ORIGIN_X = 12 * SQUARE_WIDTH + LEFT_ORIGIN_X;

// Picture codes of the non-piece pictures.
constexpr int PIC_EMPTY_0 = 0;
constexpr int PIC_EMPTY_1 = 1;
constexpr int PIC_TITLE = 2;
constexpr int BG_GREEN = 3;
constexpr int BG_TATAMI = 4;
constexpr int BG_BAMBOO = 5;
constexpr int BG_SPACE = 6;
constexpr int BG_BRICK = 7;

constexpr int originX(BoardId id) { return id == BoardId::LEFT ? LEFT_ORIGIN_X : RIGHT_ORIGIN_X; }
constexpr double gridX(double origin, double column) { return origin + SQUARE_WIDTH * column; }
constexpr double gridY(double row) { return ORIGIN_Y + SQUARE_HEIGHT * row; }

// A piece's picture code: 10 x value + shade, negative for white.
constexpr int piecePictureCode(PieceCode piece, int shade) {
    const int code = 10 * absCode(piece) + shade;
    return piece < 0 ? -code : code;
}
constexpr bool isPiecePicture(int code) {
    const int a = code < 0 ? -code : code;
    return a >= 10 && a <= 61 && (a % 10) <= 1;
}

}  // namespace velmora
