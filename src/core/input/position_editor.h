#pragma once
#include <optional>

#include "input/drag_input.h"
#include "record/position_text.h"
#include "text/text.h"

namespace velmora {

// 局面の編集: a position being set up by hand. The tool is the piece a click
// puts down (or the eraser); pieces already on the boards are dragged to
// another square or off the boards. The window shows the position on the
// game's boards while the editor lasts and sets it up on OK.
class PositionEditor {
public:
    // Starts from `p`; an edited position counts its moves from 0.
    explicit PositionEditor(const PositionText& p);

    const PositionText& position() const { return position_; }

    // The piece a click puts down; EMPTY is the eraser.
    PieceCode tool() const { return tool_; }
    void chooseTool(PieceCode tool);
    // A letter chooses the tool as the text of a position writes it: PNBRQK
    // white, pnbrqk black, and x the eraser. False for any other key.
    bool chooseToolByLetter(char letter);

    // A click on a square: the tool's piece goes there, or the eraser empties it.
    void put(const BoardSquare& at);
    void erase(const BoardSquare& at);
    // A piece pressed on `from` and let go on `to` moves there (a release on
    // its own square is a click, and puts the tool down); let go off the
    // boards, it is removed. Dragging an empty square does nothing.
    void drag(const BoardSquare& from, std::optional<BoardSquare> to);

    void startPosition();
    void emptyBoards();
    void setToMove(Colour colour) { position_.toMove = colour; }

    // The first rule the position breaks, for OK's box; none when it may be set up.
    std::optional<Text> fault() const;

private:
    Board& board(BoardId id) { return id == BoardId::LEFT ? position_.left : position_.right; }

    PositionText position_;
    PieceCode tool_ = WHITE_PAWN;
};

}  // namespace velmora
