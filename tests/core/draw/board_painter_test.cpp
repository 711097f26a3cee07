#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "board_text_fixture.h"
#include "draw/board_painter.h"
#include "draw/geometry.h"
#include "fakes.h"
#include "rules/setup.h"

namespace velmora {
namespace {

class RecordingCanvas : public Canvas {
public:
    struct Picture {
        int code;
        double x, y;
    };
    struct Outline {
        double x, y;
        PaletteColour colour;
    };
    struct Text {
        double x, y;
        std::string text;
        int size;
        bool bold;
        PaletteColour colour;
    };
    void drawPicture(int code, double x, double y) override { pictures.push_back({code, x, y}); }
    void drawOutline(double x, double y, double, double, PaletteColour colour) override { outlines.push_back({x, y, colour}); }
    void drawText(double x, double y, const std::string& t, int size, bool bold, PaletteColour colour) override {
        texts.push_back({x, y, t, size, bold, colour});
    }
    void fillBackground(PaletteColour) override {}
    void refresh() override { ++refreshes; }
    void clear() {
        pictures.clear();
        outlines.clear();
        texts.clear();
    }
    const Picture* pictureAt(double x, double y) const {
        const Picture* found = nullptr;
        for (const auto& p : pictures) {
            if (std::fabs(p.x - x) < 1e-6 && std::fabs(p.y - y) < 1e-6) found = &p;
        }
        return found;
    }
    std::vector<Picture> pictures;
    std::vector<Outline> outlines;
    std::vector<Text> texts;
    int refreshes = 0;
};

struct PainterWorld {
    testing::FakeWorld world;
    RecordingCanvas canvas;
    BoardPainter painter{world.game, canvas};
    Game& game = world.game;
    PainterWorld() { game.setPresentation(&painter); }
};

double squareX(BoardId id, int file) { return originX(id) + 522.0 * file; }
double squareY(int rank) { return 900 + 525.0 * rank; }

TEST(BoardDrawing, EachMessageStripClearsItsOwnRows) {
    PainterWorld w;
    w.game.options.backgroundPicture = BG_SPACE;
    // Above: rows -2 and -1 of columns 3..6 on both boards, nothing else.
    w.painter.消去_思考中(ThinkingStrip::Above);
    EXPECT_EQ(w.canvas.pictures.size(), 16u);
    for (const auto& p : w.canvas.pictures) {
        EXPECT_EQ(p.code, BG_SPACE);
        EXPECT_TRUE(p.y == squareY(-1) || p.y == squareY(-2)) << p.y;
    }
    EXPECT_TRUE(w.canvas.outlines.empty());
    EXPECT_NE(w.canvas.pictureAt(squareX(BoardId::RIGHT, 6), squareY(-2)), nullptr);
    // Below: rows 9 and 10, and the outlines of row 8 the texts overlap.
    w.canvas.clear();
    w.painter.消去_思考中(ThinkingStrip::Below);
    EXPECT_EQ(w.canvas.pictures.size(), 16u);
    for (const auto& p : w.canvas.pictures) EXPECT_TRUE(p.y == squareY(9) || p.y == squareY(10)) << p.y;
    EXPECT_EQ(w.canvas.outlines.size(), 8u);
    for (const auto& o : w.canvas.outlines) EXPECT_EQ(o.y, squareY(8));
    EXPECT_NE(w.canvas.pictureAt(squareX(BoardId::LEFT, 3), squareY(10)), nullptr);
}

TEST(BoardDrawing, ShadesAndPieceCodes) {
    PainterWorld w;
    setStartPosition(w.game.board(BoardId::LEFT));
    setStartPosition(w.game.board(BoardId::RIGHT));
    w.painter.描画_盤(BoardId::LEFT);
    w.painter.描画_盤(BoardId::RIGHT);
    // (1,1) is a red (shade 1) square, (1,8) a teal one.
    EXPECT_EQ(w.canvas.pictureAt(squareX(BoardId::LEFT, 1), squareY(1))->code, 41);
    EXPECT_EQ(w.canvas.pictureAt(squareX(BoardId::LEFT, 1), squareY(8))->code, -40);
    EXPECT_EQ(w.canvas.pictureAt(squareX(BoardId::RIGHT, 4), squareY(5))->code, PIC_EMPTY_0);
    EXPECT_EQ(w.canvas.pictureAt(squareX(BoardId::RIGHT, 4), squareY(4))->code, PIC_EMPTY_1);
    EXPECT_EQ(w.canvas.pictures.size(), 128u);
    EXPECT_EQ(w.canvas.outlines.size(), 128u);  // each square ends with its outline
}

TEST(BoardDrawing, ExchangedLayoutDrawsEachSideWithTheOthersPictures) {
    PainterWorld w;
    w.game.state.kingQueenSwapped = true;
    w.game.board(BoardId::LEFT).at(5, 8) = BLACK_KING;  // shade 0
    w.painter.描画_桝駒(BoardId::LEFT, {5, 8});
    ASSERT_FALSE(w.canvas.pictures.empty());
    EXPECT_EQ(w.canvas.pictures.back().code, -60);
}

TEST(BoardDrawing, BackgroundCoversEverythingButTheLeftSquares) {
    PainterWorld w;
    w.painter.描画_背景(BG_BRICK);
    EXPECT_EQ(w.canvas.pictures.size(), 2u * (33 * 18 - 64));
    for (const auto& p : w.canvas.pictures) EXPECT_EQ(p.code, BG_BRICK);
    EXPECT_EQ(w.canvas.pictureAt(squareX(BoardId::LEFT, 4), squareY(4)), nullptr);
}

TEST(BoardDrawing, MoveGuidanceOutlinesTargetsOnlyWhenOn) {
    PainterWorld w;
    setStartPosition(w.game.board(BoardId::LEFT));
    w.painter.描画_移動可能桝色(BoardId::LEFT, {2, 8}, WHITE_COLOR, WHITE_KNIGHT);
    EXPECT_EQ(w.canvas.outlines.size(), 64u);  // cleared only
    w.canvas.clear();
    w.game.state.moveGuidance = true;
    w.painter.描画_移動可能桝色(BoardId::LEFT, {2, 8}, WHITE_COLOR, WHITE_KNIGHT);
    ASSERT_EQ(w.canvas.outlines.size(), 66u);
    EXPECT_EQ(w.canvas.outlines[64].colour, WHITE_COLOR);
    EXPECT_EQ(w.canvas.outlines[64].x, squareX(BoardId::LEFT, 1));
    EXPECT_EQ(w.canvas.outlines[64].y, squareY(6));
}

TEST(BoardDrawing, BlinkShowsTheSquareEmptyThenThePieceTwice) {
    PainterWorld w;
    w.game.board(BoardId::RIGHT).at(3, 3) = BLACK_QUEEN;  // shade 1
    w.painter.描画_駒点滅(BoardId::RIGHT, {3, 3}, 2);
    std::vector<int> codes;
    for (const auto& p : w.canvas.pictures) codes.push_back(p.code);
    EXPECT_EQ(codes, (std::vector<int>{PIC_EMPTY_1, 51, PIC_EMPTY_1, 51}));
    EXPECT_EQ(w.canvas.refreshes, 4);
    EXPECT_EQ(w.world.pauses.waits, (std::vector<double>(4, 0.2)));
}

TEST(BoardDrawing, ComputerPromotionIsShownBesideItsBoard) {
    PainterWorld w;
    w.painter.描画_桝駒成アニメ(BLACK_QUEEN, BoardId::RIGHT);
    ASSERT_EQ(w.world.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.world.dialogs.shown[0].dialog, PromotionDialog::Form2);
    EXPECT_EQ(w.world.dialogs.shown[0].left, 6250);
    EXPECT_EQ(w.world.dialogs.highlighted, (std::vector<PieceCode>{BLACK_QUEEN}));
    EXPECT_EQ(w.world.dialogs.closed, 1);
    EXPECT_EQ(w.world.pauses.waits, (std::vector<double>{1.5}));
    EXPECT_EQ(w.world.pauses.ticks, 1);
    // In the exchanged layout the computer's pieces are white.
    w.game.state.kingQueenSwapped = true;
    w.painter.描画_桝駒成アニメ(BLACK_QUEEN, BoardId::LEFT);
    EXPECT_EQ(w.world.dialogs.shown[1].dialog, PromotionDialog::Form3);
    EXPECT_EQ(w.world.dialogs.shown[1].left, 50);
    EXPECT_EQ(w.game.state.promotionChoice, WHITE_QUEEN);
}

TEST(StatusTexts, MoveCounterMovesLeftWithEachDigit) {
    const struct {
        int n;
        double column;
    } cases[] = {{9, 10.6}, {10, 10.4}, {100, 10.2}};
    for (const auto& c : cases) {
        PainterWorld w;
        w.painter.描画_手数(c.n);
        ASSERT_EQ(w.canvas.texts.size(), 4u);
        EXPECT_DOUBLE_EQ(w.canvas.texts[1].x, 700 + 522 * c.column) << c.n;
        EXPECT_EQ(w.canvas.texts[1].text, std::string(1, ' ').append(std::to_string(c.n)));
        EXPECT_EQ(w.canvas.texts[1].colour, WHITE_COLOR);
        EXPECT_EQ(w.canvas.texts[0].colour, SHADOW_COLOR);
        EXPECT_EQ(w.canvas.texts[3].text, "手目");
    }
}

TEST(StatusTexts, LabelsTurnTheFontBoldForTheRestOfTheRun) {
    PainterWorld w;
    w.painter.描画_レベル(2);
    ASSERT_FALSE(w.canvas.texts.empty());
    EXPECT_FALSE(w.canvas.texts.back().bold);
    w.painter.描画_桝_数値(BoardId::LEFT);
    EXPECT_EQ(w.canvas.texts[4].text, "ａ");
    EXPECT_EQ(w.canvas.texts[4].colour, SHADOW_COLOR);
    EXPECT_EQ(w.canvas.texts[5].colour, LABEL_COLOR);
    EXPECT_EQ(w.canvas.texts[7].text, " 1");  // rank numbers: bottom row 1
    EXPECT_DOUBLE_EQ(w.canvas.texts[7].y, 900 + 525 * (8 + 0.3));
    w.canvas.clear();
    w.painter.描画_レベル(2);
    ASSERT_FALSE(w.canvas.texts.empty());
    EXPECT_TRUE(w.canvas.texts.back().bold);
}

TEST(StatusTexts, MoveTextClearsTheSideItNames) {
    PainterWorld w;
    w.painter.描画_移動結果(BoardId::LEFT, {5, 7}, WHITE_PAWN, RESULT_COLOR);
    ASSERT_EQ(w.canvas.texts.size(), 6u);
    EXPECT_EQ(w.canvas.texts[1].text, "ｅ");
    EXPECT_EQ(w.canvas.texts[3].text, "２");
    EXPECT_EQ(w.canvas.texts[5].text, "ポーン");
    EXPECT_DOUBLE_EQ(w.canvas.texts[1].x, 522 * 6.0);        // column 5 + 1 from the text origin
    EXPECT_DOUBLE_EQ(w.canvas.texts[1].y, 900 + 525 * 9.5);  // below the board
    ASSERT_FALSE(w.canvas.pictures.empty());
    EXPECT_EQ(w.canvas.pictures.front().y, 900 + 525 * 9.0);  // the lower strip was cleared first
    EXPECT_EQ(w.world.pauses.waits, (std::vector<double>{0.3}));
    w.canvas.clear();
    w.painter.描画_移動結果(5, 9.5, {5, 7}, EMPTY, RESULT_COLOR);
    EXPECT_TRUE(w.canvas.pictures.empty());
}

TEST(StatusTexts, TurnedBoardsAreLabelledAndTheirSquaresNamedTurnedRound) {
    PainterWorld w;
    w.game.state.boardsTurned = true;
    w.painter.描画_桝_数値(BoardId::RIGHT);
    ASSERT_GE(w.canvas.texts.size(), 4u);
    EXPECT_EQ(w.canvas.texts[1].text, "ｈ");  // the leftmost file
    EXPECT_EQ(w.canvas.texts[3].text, " 8");  // the bottom row
    EXPECT_DOUBLE_EQ(w.canvas.texts[3].y, 900 + 525 * (8 + 0.3));
    EXPECT_EQ(w.canvas.texts.back().text, " 1");  // the top row
    w.canvas.clear();
    // The square at the top of the fifth column is e1 on turned boards.
    w.painter.描画_移動結果(BoardId::LEFT, {4, 8}, BLACK_KING, RESULT_COLOR);
    EXPECT_EQ(w.canvas.texts[1].text, "ｅ");
    EXPECT_EQ(w.canvas.texts[3].text, "８");
}

TEST(StatusTexts, HandicapLabelsAndUnknownCodes) {
    EXPECT_EQ(shown(nullptr, labelText(-7)), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段");
    EXPECT_EQ(shown(nullptr, labelText(0)), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    EXPECT_EQ(shown(nullptr, labelText(7)), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級");
    EXPECT_EQ(shown(nullptr, labelText(-2)), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段");
    PainterWorld w;
    w.painter.描画_ハンデレベル(8);
    EXPECT_EQ(w.canvas.pictures.size(), 3u);  // the fresh tiles stay
    EXPECT_TRUE(w.canvas.texts.empty());
}

// A new label is drawn over a cleared band that reaches from where the text
// starts to the right board, so no part of a longer old one is left.
TEST(StatusTexts, AHandicapLabelIsDrawnOverTheWholeBandCleared) {
    PainterWorld w;
    w.game.options.backgroundPicture = BG_TATAMI;
    w.painter.描画_ハンデレベル(1);
    ASSERT_FALSE(w.canvas.texts.empty());
    const double textStart = w.canvas.texts.front().x;
    const size_t tilesBeforeText = w.canvas.pictures.size();
    double clearedFrom = 1e9, clearedTo = 0;
    for (const auto& p : w.canvas.pictures) {
        EXPECT_EQ(p.code, BG_TATAMI);
        EXPECT_DOUBLE_EQ(p.y, 900 + 525 * 2.0);
        clearedFrom = std::min(clearedFrom, p.x);
        clearedTo = std::max(clearedTo, p.x + 522);
    }
    EXPECT_GT(tilesBeforeText, 0u);
    EXPECT_LE(clearedFrom - textStart, 522 * 0.2);  // from the text's start, give or take its first letter
    EXPECT_DOUBLE_EQ(clearedTo, 700 + 522 * 13.0);   // to the right board's first file
    EXPECT_LE(clearedFrom, 700 + 522 * 10.0);        // never onto the left board's labels
    EXPECT_GE(clearedFrom, 700 + 522 * 10.0);
}

TEST(StatusTexts, ThinkingIsShownAboveBothBoards) {
    PainterWorld w;
    w.painter.描画_思考中();
    ASSERT_EQ(w.canvas.texts.size(), 4u);
    EXPECT_DOUBLE_EQ(w.canvas.texts[1].x, 700 + 522 * 4.0);
    EXPECT_DOUBLE_EQ(w.canvas.texts[1].y, 900 + 525 * -1.1);
    EXPECT_DOUBLE_EQ(w.canvas.texts[3].x, 700 + 522 * 16.0);
    EXPECT_EQ(w.canvas.texts[3].text, "思考中");
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// The texts drawn in the band between the boards, top to bottom (shadows left out).
std::vector<std::string> bandTexts(const RecordingCanvas& canvas) {
    std::vector<std::pair<double, std::string>> found;
    for (const auto& t : canvas.texts) {
        if (t.x > gridX(LEFT_ORIGIN_X, 9.5) && t.x < gridX(LEFT_ORIGIN_X, 12) && t.colour != SHADOW_COLOR) {
            found.emplace_back(t.y, t.text);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (const auto& [y, text] : found) texts.push_back(text);
    return texts;
}

TEST(ClockDrawing, BothClocksInTheBandTheRunningOneMarkedAndNothingWithoutAControl) {
    PainterWorld w;
    w.game.playerClocks.reset({300'000, 0});
    w.painter.画面_再描画();
    EXPECT_EQ(bandTexts(w.canvas), (std::vector<std::string>{"5:00", "5:00"}));
    // White's clock, below, runs: marked, and counting from the port's time.
    w.canvas.clear();
    w.game.playerClocks.start(Colour::White, w.world.pauses.time);
    w.world.pauses.time += 291.25;
    w.painter.drawClocks();
    EXPECT_EQ(bandTexts(w.canvas), (std::vector<std::string>{"5:00", "0:08.7", "●"}));
    // Turned round, white's clock stands at the top.
    w.canvas.clear();
    w.game.state.boardsTurned = true;
    w.painter.drawClocks();
    EXPECT_EQ(bandTexts(w.canvas), (std::vector<std::string>{"0:08.7", "●", "5:00"}));
    // No control: the band is cleared once, then left alone.
    w.canvas.clear();
    w.game.playerClocks.reset({});
    w.painter.drawClocks();
    EXPECT_TRUE(bandTexts(w.canvas).empty());
    EXPECT_EQ(w.canvas.pictures.size(), 4u);
    w.canvas.clear();
    w.painter.drawClocks();
    EXPECT_TRUE(w.canvas.pictures.empty());
    w.painter.画面_再描画();
    EXPECT_TRUE(bandTexts(w.canvas).empty());
}

}  // namespace
}  // namespace velmora
