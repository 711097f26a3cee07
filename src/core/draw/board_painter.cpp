#include "draw/board_painter.h"

#include "draw/move_marks.h"
#include "record/notation.h"
#include "record/played_move.h"
#include "rules/legality.h"

namespace velmora {

namespace {
// The move counter as one text, for a translation.
constexpr const char* MOVE_COUNTER = "%1 手目";
}  // namespace

Text labelText(int code) {
    static const char* const GRADES[] = {"６段", "５段", "４段", "３段", "２段", "初段", "１級", "２級",
                                         "３級", "４級", "５級", "６級", "７級", "８級", "９級"};
    if (code >= -7 && code <= 7) return Text("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:%1").arg(Text(GRADES[code + 7]));
    if (code == 99) return "手目";
    return {};
}

void BoardPainter::text(double x, double y, const Text& t, PaletteColour colour, int size) {
    if (!t.empty()) canvas_.drawText(x, y, g_.shown(t), size, bold_, colour);
}

void BoardPainter::描画_絵(int origin, int code, double column, double row) {
    if (code < PIC_EMPTY_0 || code > BG_BRICK) return;
    canvas_.drawPicture(code, gridX(origin, column), gridY(row));
}

void BoardPainter::描画_駒(int origin, int code, double column, double row) {
    // In the exchanged layout each side is drawn with the other side's pictures.
    if (g_.state.kingQueenSwapped) code = -code;
    if (!isPiecePicture(code)) return;
    canvas_.drawPicture(code, gridX(origin, column), gridY(row));
}

void BoardPainter::描画_桝駒(int origin, PieceCode piece, int shade, double column, double row) {
    if (piece == EMPTY) {
        描画_絵(origin, shade == 0 ? PIC_EMPTY_0 : PIC_EMPTY_1, column, row);
    } else {
        描画_駒(origin, piecePictureCode(piece, shade), column, row);
    }
    描画_桝輪郭(origin, BACK_COLOR, column, row);
}

void BoardPainter::描画_桝輪郭(int origin, PaletteColour colour, double column, double row) {
    canvas_.drawOutline(gridX(origin, column), gridY(row), SQUARE_WIDTH, SQUARE_HEIGHT, colour);
}

void BoardPainter::描画_チェス盤桝(int origin) {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) 描画_桝輪郭(origin, OUTLINE_COLOR, f, r);
    }
}

void BoardPainter::描画_背景(int code) {
    canvas_.setBackdrop(code);
    for (int column = -3; column <= 29; ++column) {
        for (int row = -2; row <= 15; ++row) {
            if (column >= 1 && column <= 8 && row >= 1 && row <= 8) continue;
            描画_絵(LEFT_ORIGIN_X, code, column, row);
            描画_絵(RIGHT_ORIGIN_X, code, column, row);
        }
    }
}

void BoardPainter::描画_数値(double column, double row, int value, PaletteColour colour, int mode, int size) {
    Text t;
    if (mode == 0) {
        // A number takes a blank in the place of its sign.
        std::string s;
        if (value >= 0) s = ' ';
        s += std::to_string(value);
        t = Text::asIs(std::move(s));
    } else if (mode == 1 && value >= 1 && value <= 8) {
        static const char* const KANJI[] = {"一", "二", "三", "四", "五", "六", "七", "八"};
        t = KANJI[value - 1];
    } else if (mode == 2 && value >= 1 && value <= 8) {
        t = Text(文字列変換(value));
    }
    text(gridX(LEFT_ORIGIN_X, column), gridY(row), t, colour, size);
}

void BoardPainter::描画_数値(double column, double row, const Text& t, PaletteColour colour, int size) {
    text(gridX(LEFT_ORIGIN_X, column), gridY(row), t, colour, size);
}

void BoardPainter::描画_移動駒種類(double column, double row, const Text& t, PaletteColour colour, int size) {
    text(gridX(0, column), gridY(row), t, colour, size);
}

void BoardPainter::描画_文字列(double column, double row, int labelCode, PaletteColour colour, int size) {
    text(120 + SQUARE_WIDTH * column, 160 + gridY(row), labelText(labelCode), colour, size);
}

void BoardPainter::描画_桝_数値(BoardId id) {
    bold_ = true;
    const int origin = originX(id);
    const double textShift = id == BoardId::LEFT ? 0 : 12;
    const int bg = g_.options.backgroundPicture;
    // Boards turned round by 反転 are labelled turned round: h to a, 8 at the bottom.
    const auto label = [this](int i) { return g_.state.boardsTurned ? 9 - i : i; };
    for (int i = 1; i <= 8; ++i) {
        描画_絵(origin, bg, i, 0);
        描画_数値(i + 0.4 + textShift, 0.3, label(i), SHADOW_COLOR, 2, 16);
        描画_数値(i + 0.3 + textShift, 0.2, label(i), LABEL_COLOR, 2, 16);
        描画_桝駒(id, {i, 1});
        描画_絵(origin, bg, 9, 9 - i);
        描画_数値(9.2 + textShift, 9 - i + 0.4, label(i), SHADOW_COLOR, 0, 16);
        描画_数値(9.1 + textShift, 9 - i + 0.3, label(i), LABEL_COLOR, 0, 16);
        描画_桝輪郭(origin, BACK_COLOR, 8, 9 - i);
    }
}

void BoardPainter::描画_移動結果(double c, double r, Square square, PieceCode piece, PaletteColour colour) {
    if (isWhite(piece)) 消去_思考中(ThinkingStrip::Below);
    if (isBlack(piece)) 消去_思考中(ThinkingStrip::Above);
    // The square is named as the labels name it.
    const Square named = g_.state.boardsTurned ? turnedSquare(square) : square;
    const MoveText t = moveText(named.file, named.rank, piece);
    const Text file(t.file), rank(t.rank), name(t.piece);
    描画_移動駒種類(c + 1.1, r + 0.1, file, SHADOW_COLOR, 14);
    描画_移動駒種類(c + 1, r, file, colour, 14);
    描画_移動駒種類(c + 1.5, r + 0.2, rank, SHADOW_COLOR, 12);
    描画_移動駒種類(c + 1.4, r + 0.1, rank, colour, 12);
    描画_移動駒種類(c + 0.8, r + 0.8, name, SHADOW_COLOR, 12);
    描画_移動駒種類(c + 0.7, r + 0.7, name, colour, 12);
    canvas_.refresh();
    g_.pauses().wait(0.3);
}

void BoardPainter::描画_ハンデレベル(int code) {
    // The whole band under the label, from the left board's edge to the
    // right board's: a translated label is longer and its grade may stand
    // further left than the Japanese one.
    for (int column : {10, 11, 12}) 描画_絵(LEFT_ORIGIN_X, g_.options.backgroundPicture, column, 2);
    描画_文字列(11.1, 2.1, code, SHADOW_COLOR, 10);
    描画_文字列(11, 2, code, WHITE_COLOR, 10);
}

void BoardPainter::描画_文字(double x, double y, const std::string& s, int size, PaletteColour colour) {
    text(x, y, Text::asIs(s), colour, size);
}

void BoardPainter::画面_再描画() {
    const int bg = g_.options.backgroundPicture;
    描画_背景(bg);
    for (int column : {-1, 0}) {
        for (int row : {2, 3}) 描画_絵(LEFT_ORIGIN_X, bg, column, row);
    }
    描画_桝_数値(BoardId::LEFT);
    描画_桝_数値(BoardId::RIGHT);
    描画_盤(BoardId::LEFT);
    描画_盤(BoardId::RIGHT);
    描画_絵(LEFT_ORIGIN_X, PIC_TITLE, 9.5, -1.4);
    if (g_.state.gameMode == GameMode::AgainstComputer) 描画_レベル(g_.state.comLevel);
    if (g_.state.handicapApplied) 描画_ハンデレベル(g_.state.handicapLevel);
    clocksShown_ = false;
    drawClocks();
}

namespace {
// The clocks' rows in the band: black's above the move counter, white's
// below it, each on the side of the boards its pieces start on.
constexpr int TOP_CLOCK_ROW = 3;
constexpr int BOTTOM_CLOCK_ROW = 6;
}  // namespace

void BoardPainter::clearClockRow(int row) {
    // Two cells of the empty band; their background reaches a little into
    // the band's third cell and the row below, never onto a board.
    for (int column : {10, 11}) 描画_絵(LEFT_ORIGIN_X, g_.options.backgroundPicture, column, row);
}

void BoardPainter::drawClocks() {
    const PlayerClocks& clock = g_.playerClocks;
    if (!clock.on()) {
        if (clocksShown_) {
            clearClockRow(TOP_CLOCK_ROW);
            clearClockRow(BOTTOM_CLOCK_ROW);
            clocksShown_ = false;
        }
        return;
    }
    const double now = g_.pauses().now();
    for (Colour c : {Colour::Black, Colour::White}) {
        // Turned round, white's pieces stand at the top.
        const int row = (c == Colour::Black) != g_.state.boardsTurned ? TOP_CLOCK_ROW : BOTTOM_CLOCK_ROW;
        clearClockRow(row);
        const bool running = clock.running() == c;
        const Text face = Text::asIs(clockFace(clock.remainingMs(c, now)));
        // The running clock is marked and in the labels' colour.
        if (running) {
            描画_数値(10.15, row + 0.5, Text::asIs("●"), SHADOW_COLOR, 9);
            描画_数値(10.1, row + 0.45, Text::asIs("●"), LABEL_COLOR, 9);
        }
        描画_数値(10.6, row + 0.5, face, SHADOW_COLOR, 12);
        描画_数値(10.5, row + 0.4, face, running ? LABEL_COLOR : WHITE_COLOR, 12);
    }
    clocksShown_ = true;
}

void BoardPainter::描画_桝駒(BoardId board, Square square) {
    const auto [file, rank] = square;
    描画_桝駒(originX(board), g_.board(board).at(square), g_.squareShade.at(square), file, rank);
}

void BoardPainter::描画_駒点滅(BoardId board, Square square, int count) {
    if (!onBoard(square)) return;
    const auto [file, rank] = square;
    const int origin = originX(board);
    const int shade = g_.squareShade.at(file, rank);
    for (int k = 0; k < count; ++k) {
        描画_桝駒(origin, EMPTY, shade, file, rank);
        canvas_.refresh();
        g_.pauses().wait(0.2);
        描画_桝駒(origin, g_.board(board).at(file, rank), shade, file, rank);
        canvas_.refresh();
        g_.pauses().wait(0.2);
    }
}

void BoardPainter::描画_桝駒成アニメ(PieceCode piece, BoardId board) {
    const int offset = board == BoardId::RIGHT ? 6200 : 0;
    // The computer's pieces are black in the normal layout, white in the exchanged one.
    const PromotionDialog dialog = !g_.state.kingQueenSwapped ? PromotionDialog::Form2 : PromotionDialog::Form3;
    Dialogs& dialogs = g_.dialogs();
    dialogs.showPromotionDialog(dialog, 50 + offset, 1400);
    canvas_.refresh();
    g_.pauses().wait(1.5);
    const int kind = absCode(piece);
    if (kind < BLACK_PAWN || kind > BLACK_QUEEN) return;  // no such button: the dialog stays
    const bool blackPictures = dialog == PromotionDialog::Form2;
    g_.state.promotionChoice = static_cast<PieceCode>(blackPictures ? kind : -kind);
    dialogs.highlightPromotionButton(dialog, g_.state.promotionChoice);
    g_.pauses().waitTick();
    dialogs.closePromotionDialog(dialog);
}

void BoardPainter::描画_桝輪郭(BoardId board, PaletteColour colour, int column, int row) {
    描画_桝輪郭(originX(board), colour, column, row);
}

void BoardPainter::描画_背景セル(int column, int row) {
    描画_絵(LEFT_ORIGIN_X, g_.options.backgroundPicture, column, row);
}

void BoardPainter::消去_思考中(ThinkingStrip strip) {
    const int bg = g_.options.backgroundPicture;
    if (strip == ThinkingStrip::Above) {
        for (int column = 3; column <= 6; ++column) {
            for (int row : {-1, -2}) {
                描画_絵(LEFT_ORIGIN_X, bg, column, row);
                描画_絵(RIGHT_ORIGIN_X, bg, column, row);
            }
        }
    } else {
        for (int column = 3; column <= 6; ++column) {
            for (int row : {9, 10}) {
                描画_絵(LEFT_ORIGIN_X, bg, column, row);
                描画_絵(RIGHT_ORIGIN_X, bg, column, row);
            }
            描画_桝輪郭(LEFT_ORIGIN_X, OUTLINE_COLOR, column, 8);
            描画_桝輪郭(RIGHT_ORIGIN_X, OUTLINE_COLOR, column, 8);
        }
    }
}

void BoardPainter::描画_思考中() {
    for (const double column : {5.0, 17.0}) {
        描画_数値(column - 0.9, -1.5 + 0.5, "思考中", SHADOW_COLOR, 12);
        描画_数値(column - 1, -1.5 + 0.4, "思考中", RESULT_COLOR, 12);
    }
}

void BoardPainter::描画_移動結果(BoardId board, Square square, PieceCode piece, PaletteColour colour) {
    // Texts about the top side (black) go above the board, about the bottom side below it.
    const double column = board == BoardId::LEFT ? 5 : 17;
    const double row = isBlack(piece) ? -1.5 : 9.5;
    描画_移動結果(column, row, square, piece, colour);
}

void BoardPainter::描画_手数(int n) {
    for (int column : {10, 11, 12}) 描画_絵(LEFT_ORIGIN_X, g_.options.backgroundPicture, column, 4);
    描画_桝輪郭(RIGHT_ORIGIN_X, BACK_COLOR, 1, 4);
    描画_桝駒(BoardId::LEFT, {8, 4});
    if (g_.translator()) {
        // Another language may put its word before the number ("Move 12"):
        // the counter is translated as one text, drawn where the number
        // starts, and nothing else (neither the bare number nor "手目").
        const Text counter = Text(MOVE_COUNTER).arg(n);
        描画_数値(10.4, 4.5, counter, SHADOW_COLOR, 12);
        描画_数値(10.3, 4.4, counter, WHITE_COLOR, 12);
        return;
    }
    const double column = n < 10 ? 10.7 : n < 100 ? 10.5 : 10.3;
    描画_数値(column, 4.5, n, SHADOW_COLOR, 0, 12);
    描画_数値(column - 0.1, 4.4, n, WHITE_COLOR, 0, 12);
    描画_文字列(12.4, 4.2, 99, SHADOW_COLOR, 10);
    描画_文字列(12.3, 4.1, 99, WHITE_COLOR, 10);
}

void BoardPainter::描画_レベル(int level) {
    // Two digits start where one digit's blank would stand, so the number
    // ends within the cell left of the board, which a new level erases; the
    // word moves left by as much to keep a gap before it.
    const double wordShift = level < 10 ? 0 : -0.2;
    描画_数値(-0.8 + wordShift, 0.7, Text::asIs("LEVEL"), SHADOW_COLOR, 10);
    描画_数値(-0.9 + wordShift, 0.6, Text::asIs("LEVEL"), WHITE_COLOR, 10);
    if (level < 10) {
        描画_数値(0.4, 0.7, level, SHADOW_COLOR, 0, 12);
        描画_数値(0.3, 0.6, level, WHITE_COLOR, 0, 12);
        return;
    }
    const Text number = Text::asIs(std::to_string(level));
    描画_数値(0.3, 0.7, number, SHADOW_COLOR, 12);
    描画_数値(0.2, 0.6, number, WHITE_COLOR, 12);
}

void BoardPainter::描画_盤(BoardId id) {
    const int columnShift = id == BoardId::LEFT ? 0 : 12;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            描画_桝駒(LEFT_ORIGIN_X, g_.board(id).at(f, r), g_.squareShade.at(f, r), f + columnShift, r);
        }
    }
}

void BoardPainter::描画_チェス盤桝(BoardId board) { 描画_チェス盤桝(originX(board)); }

void BoardPainter::描画_移動可能桝色(BoardId board, Square from, PaletteColour colour, PieceCode piece) {
    const int origin = originX(board);
    描画_チェス盤桝(origin);
    if (!g_.state.moveGuidance) return;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            if (移動チェック(g_, board, from, {f, r}, piece)) 描画_桝輪郭(origin, colour, f, r);
        }
    }
}

void BoardPainter::描画_棋譜読込み部分消去() {
    描画_桝_数値(BoardId::LEFT);
    描画_桝_数値(BoardId::RIGHT);
    const int bg = g_.options.backgroundPicture;
    for (int column = -1; column <= 8; ++column) 描画_絵(LEFT_ORIGIN_X, bg, column, 9);
    for (int c = 1; c <= 8; ++c) 描画_桝輪郭(LEFT_ORIGIN_X, BACK_COLOR, c, 8);
}

void BoardPainter::followRecord() {
    std::vector<CellMark> cells;
    for (const SquareMark& m : lastMoveMarks(g_)) {
        cells.push_back({gridX(originX(m.board), m.square.file), gridY(m.square.rank), SQUARE_WIDTH, SQUARE_HEIGHT, m.colour});
    }
    canvas_.setMarks(cells);
    if (recordFollower_) recordFollower_();
}

}  // namespace velmora
