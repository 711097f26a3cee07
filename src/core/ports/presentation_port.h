#pragma once
#include <string>

#include "board/board.h"
#include "ports/palette_port.h"

namespace velmora {

// The board drawing procedures that the rules and the computer player call.
// The drawing layer implements them on the canvas; tests record them.
// Columns and rows are cells of the drawing grid of the given board.
// The two message strips of the window: above the boards, below the boards.
enum class ThinkingStrip { Above, Below };

class Presentation {
public:
    virtual ~Presentation() = default;
    virtual void 画面_再描画() = 0;
    // Redraws one square of a board from its current content.
    virtual void 描画_桝駒(BoardId board, Square square) = 0;
    virtual void 描画_駒点滅(BoardId board, Square square, int count) = 0;
    virtual void 描画_桝駒成アニメ(PieceCode piece, BoardId board) = 0;
    virtual void 描画_桝輪郭(BoardId board, PaletteColour colour, int column, int row) = 0;
    // Draws the current background picture into a cell of the left board's grid.
    virtual void 描画_背景セル(int column, int row) = 0;
    // Tiles the whole window outside the two boards with a background picture.
    virtual void 描画_背景(int code) = 0;
    // Clears the message strip above both boards (black's last move and the
    // computer's "思考中") or below them (white's last move).
    virtual void 消去_思考中(ThinkingStrip strip) = 0;
    virtual void 描画_思考中() = 0;
    virtual void 描画_移動結果(BoardId board, Square square, PieceCode piece, PaletteColour colour) = 0;
    virtual void 描画_手数(int moveNumber) = 0;
    // "LEVEL" and the level number left of the left board's letter row.
    virtual void 描画_レベル(int level) = 0;
    // All 64 squares of a board.
    virtual void 描画_盤(BoardId board) = 0;
    // All square outlines of a board in the normal colour.
    virtual void 描画_チェス盤桝(BoardId board) = 0;
    // Clears the outlines, then (with move guidance on) outlines the squares
    // the piece may move to from `from` in `colour`.
    virtual void 描画_移動可能桝色(BoardId board, Square from, PaletteColour colour, PieceCode piece) = 0;
    // Removes the texts a record load printed.
    virtual void 描画_棋譜読込み部分消去() = 0;
    // The handicap grade's label beside the left board (-7..7).
    virtual void 描画_ハンデレベル(int code) = 0;
    // A text at a place in twips, drawn as it is in every language: a loaded
    // record's header lines, which are the record's own words.
    virtual void 描画_文字(double x, double y, const std::string& text, int size, PaletteColour colour) = 0;
    virtual void repaint() = 0;
    // The record or the position shown has changed: the last move is marked
    // anew, and the window's move list follows.
    virtual void followRecord() {}
    // The two players' clocks in the band between the boards, as they stand
    // now; nothing (and the band as it was) when the game has no clock.
    virtual void drawClocks() {}
};

}  // namespace velmora
