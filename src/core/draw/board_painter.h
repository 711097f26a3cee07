#pragma once
#include <functional>
#include <string>

#include "draw/geometry.h"
#include "game.h"
#include "ports/canvas_port.h"

namespace velmora {

// All board and text drawing of the window, on the canvas: squares and
// pieces, outlines, the background, blinking, the computer's promotion
// display, coordinate labels, move counter, move texts and labels.
class BoardPainter : public Presentation {
public:
    BoardPainter(Game& game, Canvas& canvas) : g_(game), canvas_(canvas) {}

    // Pictures and squares.
    void 描画_絵(int origin, int code, double column, double row);
    void 描画_駒(int origin, int code, double column, double row);
    void 描画_桝駒(int origin, PieceCode piece, int shade, double column, double row);
    void 描画_桝輪郭(int origin, PaletteColour colour, double column, double row);
    void 描画_チェス盤桝(int origin);
    void 描画_背景(int code) override;

    // Texts: each call draws once; callers draw the shadow, then the text.
    void 描画_数値(double column, double row, int value, PaletteColour colour, int mode, int size);
    void 描画_数値(double column, double row, const Text& text, PaletteColour colour, int size);
    void 描画_移動駒種類(double column, double row, const Text& text, PaletteColour colour, int size);
    void 描画_文字列(double column, double row, int labelCode, PaletteColour colour, int size);
    void 描画_桝_数値(BoardId board);
    void 描画_移動結果(double column, double row, Square square, PieceCode piece, PaletteColour colour);
    bool bold() const { return bold_; }

    // Presentation
    void 画面_再描画() override;
    void 描画_桝駒(BoardId board, Square square) override;
    void 描画_駒点滅(BoardId board, Square square, int count) override;
    void 描画_桝駒成アニメ(PieceCode piece, BoardId board) override;
    void 描画_桝輪郭(BoardId board, PaletteColour colour, int column, int row) override;
    void 描画_背景セル(int column, int row) override;
    void 消去_思考中(ThinkingStrip strip) override;
    void 描画_思考中() override;
    void 描画_移動結果(BoardId board, Square square, PieceCode piece, PaletteColour colour) override;
    void 描画_手数(int moveNumber) override;
    void 描画_レベル(int level) override;
    void 描画_盤(BoardId board) override;
    void 描画_チェス盤桝(BoardId board) override;
    void 描画_移動可能桝色(BoardId board, Square from, PaletteColour colour, PieceCode piece) override;
    void 描画_棋譜読込み部分消去() override;
    void 描画_ハンデレベル(int code) override;
    void 描画_文字(double x, double y, const std::string& text, int size, PaletteColour colour) override;
    void repaint() override { canvas_.refresh(); }
    void followRecord() override;
    void drawClocks() override;
    // What else follows the record (the window's move list).
    void setRecordFollower(std::function<void()> follower) { recordFollower_ = std::move(follower); }

private:
    // Every text drawn comes here, shown in the run's language.
    void text(double x, double y, const Text& t, PaletteColour colour, int size);
    // The band's cells of one clock row back to the background.
    void clearClockRow(int row);

    Game& g_;
    Canvas& canvas_;
    bool bold_ = false;  // the window font turns bold with the first board labels
    std::function<void()> recordFollower_;
    bool clocksShown_ = false;  // the band shows the clocks, to be cleared when they go
};

// The label texts of the handicap grades (-7..7) and "手目" (99); empty otherwise.
Text labelText(int code);

}  // namespace velmora
