#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/piece.h"
#include "text/text.h"

namespace velmora {

// A whole position of the game as one line of text: both boards, the colour
// to move and the move number. The rules judge castling and en passant from
// the squares alone and keep no counters, so nothing else decides what can
// happen next. The form is written out in docs/POSITION.md.
struct PositionText {
    Board left;
    Board right;
    Colour toMove = Colour::White;
    int moveNumber = 0;
    bool operator==(const PositionText&) const = default;
};

// The longest text the reader looks at; the longest valid one is 149 bytes.
constexpr std::size_t MAX_POSITION_TEXT_BYTES = 200;
// The largest move number: a game holds at most 500 moves, but one set up at
// a later number counts on from there, and a file of many games counts its
// snapshots on through all of them.
constexpr int MAX_POSITION_MOVE_NUMBER = 9999;

// The parts of the line, in order, for a refusal to name.
enum class PositionField { Whole, LeftBoard, RightBoard, SideToMove, MoveNumber };

// What was wrong where the reader stopped.
enum class PositionProblem {
    Empty,            // nothing but, at most, white space
    TooLong,          // over MAX_POSITION_TEXT_BYTES
    NotPiece,         // a character that is neither a piece letter nor a digit
    AdjacentDigits,   // two counts of empty squares in a row ("44" for "8")
    ZeroCount,        // a count of 0 or 9
    RankOverfull,     // a rank of more than eight squares
    RankShort,        // a rank of fewer than eight squares
    TooFewRanks,      // the board ended before its eighth rank
    TooManyRanks,     // a ninth rank
    BadSide,          // the colour to move is not "w" or "b"
    BadNumber,        // the move number is not a plain decimal number
    NumberTooLarge,   // over MAX_POSITION_MOVE_NUMBER
    MissingField,     // the line ended before this field
    BadSeparator,     // something other than one space between fields
    ExtraText,        // anything after the move number
};

// Where and why a text was refused: the field and the 1-based character
// (byte) of the text where reading stopped.
struct PositionTextError {
    PositionField field = PositionField::Whole;
    int column = 0;
    PositionProblem problem = PositionProblem::Empty;
};

// The piece a letter of the text stands for (PNBRQK white, pnbrqk black),
// EMPTY for any other character.
PieceCode pieceOfLetter(char letter);

// The text of a position; reading it back gives the same position.
std::string writePositionText(const PositionText& position);

// Reads a text, strictly: only the form the writer writes is accepted (one
// trailing line end aside, so a copied line reads), and the first fault is
// returned instead of a position.
std::optional<PositionText> readPositionText(std::string_view text, PositionTextError* error = nullptr);

// The refusal as one line, for the command line ("left board, character 12: ...").
std::string positionErrorLine(const PositionTextError& error);
// The same for the window, in the game's own language.
Text positionErrorText(const PositionTextError& error);

}  // namespace velmora
