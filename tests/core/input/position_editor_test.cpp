// The position editor: what clicks, drags and letters do to the position,
// and the rules its OK holds a position to.
#include <gtest/gtest.h>

#include "fakes.h"
#include "flow/game_flow.h"
#include "input/position_editor.h"
#include "record/set_up.h"

namespace velmora {
namespace {

PositionText read(const std::string& text) {
    PositionTextError e;
    const std::optional<PositionText> p = readPositionText(text, &e);
    EXPECT_TRUE(p) << positionErrorLine(e);
    return p.value_or(PositionText{});
}

std::string faultOf(const std::string& text) {
    const std::optional<Text> fault = setUpFault(read(text));
    return fault ? fault->source() : "";
}

TEST(EditorRules, EachRuleIsNamedAndGoodPositionsPass) {
    const std::string kings = "どちらの盤にも白と黒のキングが1つずつ必要です";
    const std::string pawns = "ポーンは1段目と8段目に置けません";
    const std::string taken = "手番でない側のキングが取れる局面です";
    EXPECT_EQ(faultOf("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w 0"), "");
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/R3K3 4k3/8/8/8/8/8/8/4K3 w 0"), "");
    // Kings: one of each colour on each board.
    EXPECT_EQ(faultOf("8/8/8/8/8/8/8/R3K3 4k3/8/8/8/8/8/8/4K3 w 0"), kings);
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/R3K3 4k3/8/8/8/8/8/8/8 w 0"), kings);
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/K3K3 4k3/8/8/8/8/8/8/4K3 w 0"), kings);
    // Pawns on either board's first or last rank, of either colour.
    EXPECT_EQ(faultOf("4k2P/8/8/8/8/8/8/4K3 4k3/8/8/8/8/8/8/4K3 w 0"), pawns);
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/4K3 4k3/8/8/8/8/8/8/p3K3 w 0"), pawns);
    // The king of the side not to move can be taken on its own board ...
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/4R1K1 4k3/8/8/8/8/8/8/4K3 w 0"), taken);
    // ... but not when it is that side's own move,
    EXPECT_EQ(faultOf("4k3/8/8/8/8/8/8/4R1K1 4k3/8/8/8/8/8/8/4K3 b 0"), "");
    // ... and through the two-board capture: a knight landing on e8 of the
    // left board takes the black king on e8 of the right one.
    EXPECT_EQ(faultOf("k7/8/3N4/8/8/8/8/6K1 4k3/8/8/8/8/8/8/4K3 w 0"), taken);
    EXPECT_EQ(faultOf("k7/8/3N4/8/8/8/8/6K1 3k4/8/8/8/8/8/8/4K3 w 0"), "");
}

TEST(PositionEditor, ClicksDragsAndLettersChangeOnlyTheirSquares) {
    PositionEditor e(read("4k3/8/8/8/8/8/8/4K3 4k3/8/8/8/8/8/8/4K3 b 31"));
    EXPECT_EQ(e.position().moveNumber, 0);  // an edited position counts afresh
    EXPECT_EQ(e.position().toMove, Colour::Black);
    const BoardSquare a1{BoardId::LEFT, {1, 8}};
    const BoardSquare e1Right{BoardId::RIGHT, {5, 8}};
    EXPECT_TRUE(e.chooseToolByLetter('R'));
    e.put(a1);
    EXPECT_EQ(e.position().left.at(1, 8), WHITE_ROOK);
    EXPECT_TRUE(e.chooseToolByLetter('q'));
    EXPECT_EQ(e.tool(), BLACK_QUEEN);
    EXPECT_FALSE(e.chooseToolByLetter('z'));
    EXPECT_EQ(e.tool(), BLACK_QUEEN);
    // A drag moves a piece, across the boards too; off the boards removes it.
    e.drag(a1, BoardSquare{BoardId::RIGHT, {1, 1}});
    EXPECT_EQ(e.position().left.at(1, 8), EMPTY);
    EXPECT_EQ(e.position().right.at(1, 1), WHITE_ROOK);
    e.drag({BoardId::RIGHT, {1, 1}}, std::nullopt);
    EXPECT_EQ(e.position().right.at(1, 1), EMPTY);
    // Let go where it was pressed: a click, the tool goes down.
    e.drag(e1Right, e1Right);
    EXPECT_EQ(e.position().right.at(5, 8), BLACK_QUEEN);
    // The eraser.
    EXPECT_TRUE(e.chooseToolByLetter('x'));
    e.put(e1Right);
    EXPECT_EQ(e.position().right.at(5, 8), EMPTY);
    e.chooseTool(WHITE_KING);
    e.put(e1Right);
    e.erase({BoardId::LEFT, {5, 1}});
    EXPECT_EQ(e.position().left.at(5, 1), EMPTY);
    ASSERT_TRUE(e.fault());
    EXPECT_EQ(e.fault()->source(), "どちらの盤にも白と黒のキングが1つずつ必要です");

    e.startPosition();
    EXPECT_EQ(writePositionText(e.position()),
              "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w 0");
    e.setToMove(Colour::Black);
    e.emptyBoards();
    EXPECT_EQ(writePositionText(e.position()), "8/8/8/8/8/8/8/8 8/8/8/8/8/8/8/8 b 0");
}

TEST(PositionEditor, OkRefusesABrokenRuleAndSetsUpAGoodPosition) {
    testing::FakeWorld w;
    Form_Load(w.game);
    const GameState before = w.game.state;
    EXPECT_FALSE(acceptEditedPosition(w.game, read("4k3/8/8/8/8/8/8/8 4k3/8/8/8/8/8/8/4K3 w 0")));
    ASSERT_EQ(w.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.dialogs.boxes[0].title, "局面の編集");
    EXPECT_EQ(w.game.state, before);
    const PositionText good = read("4k3/8/8/8/8/8/8/R3K3 4k3/8/8/8/8/8/8/4K3 w 0");
    EXPECT_TRUE(acceptEditedPosition(w.game, good));
    EXPECT_EQ(shownPositionText(w.game), good);
}

}  // namespace
}  // namespace velmora
