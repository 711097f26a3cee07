#pragma once
#include <optional>

#include "board/board.h"
#include "board/influence_map.h"
#include "board/piece.h"
#include "board/side.h"

namespace velmora {

// The game-wide variables. A flag never assigned is false.
struct GameState {
    Side sideToMove = Side::None;
    Side whiteSide = Side::None;
    Side blackSide = Side::None;
    GameMode gameMode = GameMode::BetweenPeople;
    bool kingQueenSwapped = false;
    int moveNumber = 0;
    int lastMoveNumber = 0;
    bool recordMode = false;
    Side gameWinner = Side::None;
    bool whiteInCheck = false;
    PieceCode promotionChoice = EMPTY;
    PieceCode comPromotionPiece = EMPTY;
    bool handicapApplied = false;
    bool reversed = false;
    // The boards on the screen stand turned round by 反転 (an odd number of
    // times since the snapshot they came from was stored unturned): the
    // labels and the names of squares turn with them.
    bool boardsTurned = false;
    bool moveGuidance = false;
    int comLevel = 3;
    int handicapLevel = 0;
    bool operator==(const GameState&) const = default;
};

// The side colour `c` plays as in this game (Side::None before the first game).
constexpr Side sideOf(const GameState& st, Colour c) { return c == Colour::White ? st.whiteSide : st.blackSide; }

// The colour that plays as `s` in this game; none for Side::None or a side no
// colour plays as yet.
constexpr std::optional<Colour> colourOf(const GameState& st, Side s) {
    if (s == Side::None) return std::nullopt;
    if (s == st.whiteSide) return Colour::White;
    if (s == st.blackSide) return Colour::Black;
    return std::nullopt;
}

// Everything that belongs to one of the two boards.
struct BoardState {
    Board board;
    InfluenceMap influence;
    Square whiteKing{5, 8};  // before any survey
    Square blackKing{5, 1};
    IntGrid whiteKingEscapeMap;
};

// What the rules read and write: both boards with their influence maps and
// king squares, and the game-wide variables. The program's Game adds the
// history, the computer's working copies and the ports around it.
class RulesState {
public:
    BoardState& side(BoardId id) { return boards_[boardIndex(id)]; }
    const BoardState& side(BoardId id) const { return boards_[boardIndex(id)]; }
    Board& board(BoardId id) { return side(id).board; }
    const Board& board(BoardId id) const { return side(id).board; }
    InfluenceMap& map(BoardId id) { return side(id).influence; }
    const InfluenceMap& map(BoardId id) const { return side(id).influence; }

    GameState state;

private:
    BoardState boards_[2];
};

}  // namespace velmora
