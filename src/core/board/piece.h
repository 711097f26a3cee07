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

// The kinds of piece, the absolute values of their codes.
enum PieceKind : int { PAWN = 1, KNIGHT = 2, BISHOP = 3, ROOK = 4, QUEEN = 5, KING = 6 };

// The colour of the pieces, shared by the rules and the search engine. Its
// values are the signs of the colour's piece codes; -c is the other colour.
enum class Colour : int { White = -1, Black = 1 };

constexpr Colour operator-(Colour c) { return static_cast<Colour>(-static_cast<int>(c)); }

// The sign of `c`'s piece codes: a code times it is the piece's kind for
// `c`'s pieces and below zero for the other colour's.
constexpr int sign(Colour c) { return static_cast<int>(c); }

// The colour of a piece; `code` must not be EMPTY.
constexpr Colour colourOf(int code) { return code < 0 ? Colour::White : Colour::Black; }

// The code of the piece of kind `kind` in colour `c` (an int, as the engine
// compares it with its own narrower squares).
constexpr int pieceCode(Colour c, int kind) { return kind * sign(c); }

// Whether `code` is one of `c`'s pieces (never for an empty square).
constexpr bool isColour(int code, Colour c) { return code * sign(c) > 0; }
constexpr bool isBlack(int code) { return isColour(code, Colour::Black); }
constexpr bool isWhite(int code) { return isColour(code, Colour::White); }

// Whether two codes are pieces of the same colour, or of opposite colours
// (neither for an empty square).
constexpr bool sameColour(int a, int b) { return a * b > 0; }
constexpr bool opponents(int a, int b) { return a * b < 0; }

constexpr bool isPieceCode(int code) { return code >= WHITE_KING && code <= BLACK_KING; }
constexpr int absCode(int code) { return code < 0 ? -code : code; }

}  // namespace velmora
