#pragma once
#include <cstdint>

namespace velmora {

// Piece codes: black positive, white negative; the absolute value is also the
// piece's value in the computer's scores.
using PieceCode = std::int16_t;

constexpr PieceCode EMPTY = 0;
constexpr PieceCode BLACK_PAWN = 1;
constexpr PieceCode BLACK_KNIGHT = 2;
constexpr PieceCode BLACK_BISHOP = 3;
constexpr PieceCode BLACK_ROOK = 4;
constexpr PieceCode BLACK_QUEEN = 5;
constexpr PieceCode BLACK_KING = 6;
constexpr PieceCode WHITE_PAWN = -1;
constexpr PieceCode WHITE_KNIGHT = -2;
constexpr PieceCode WHITE_BISHOP = -3;
constexpr PieceCode WHITE_ROOK = -4;
constexpr PieceCode WHITE_QUEEN = -5;
constexpr PieceCode WHITE_KING = -6;

constexpr int BOARD_SIZE = 8;

constexpr bool isBlack(int code) { return code >= BLACK_PAWN; }
constexpr bool isWhite(int code) { return code <= WHITE_PAWN; }
constexpr bool isPieceCode(int code) { return code >= WHITE_KING && code <= BLACK_KING; }
constexpr int absCode(int code) { return code < 0 ? -code : code; }

}  // namespace velmora
