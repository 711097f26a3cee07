#include "input/position_editor.h"

#include "record/set_up.h"
#include "rules/setup.h"

namespace velmora {

PositionEditor::PositionEditor(const PositionText& p) : position_(p) { position_.moveNumber = 0; }

void PositionEditor::chooseTool(PieceCode tool) {
    if (tool == EMPTY || isPieceCode(tool)) tool_ = tool;
}

bool PositionEditor::chooseToolByLetter(char letter) {
    if (letter == 'x' || letter == 'X') {
        tool_ = EMPTY;
        return true;
    }
    const PieceCode piece = pieceOfLetter(letter);
    if (piece == EMPTY) return false;
    tool_ = piece;
    return true;
}

void PositionEditor::put(const BoardSquare& at) {
    if (!onBoard(at.square)) return;
    board(at.board).at(at.square) = tool_;
}

void PositionEditor::erase(const BoardSquare& at) {
    if (onBoard(at.square)) board(at.board).at(at.square) = EMPTY;
}

void PositionEditor::drag(const BoardSquare& from, std::optional<BoardSquare> to) {
    if (!onBoard(from.square)) return;
    if (to == from) {
        put(from);
        return;
    }
    PieceCode& source = board(from.board).at(from.square);
    const PieceCode piece = source;
    if (piece == EMPTY) return;
    source = EMPTY;
    if (to && onBoard(to->square)) board(to->board).at(to->square) = piece;
}

void PositionEditor::startPosition() {
    setStartPosition(position_.left);
    position_.right = position_.left;
    position_.toMove = Colour::White;
}

void PositionEditor::emptyBoards() {
    position_.left.fill(EMPTY);
    position_.right.fill(EMPTY);
}

std::optional<Text> PositionEditor::fault() const { return setUpFault(position_); }

}  // namespace velmora
