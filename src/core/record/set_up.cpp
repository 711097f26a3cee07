#include "record/set_up.h"

#include <algorithm>

#include "position_change.h"
#include "record/played_move.h"
#include "rules/setup.h"

namespace velmora {

namespace {

// A game is under way: moves are being played, not stepped through, and nobody has won.
bool gameUnderWay(const Game& g) {
    const GameState& st = g.state;
    return st.whiteSide != Side::None && !st.recordMode && st.gameWinner == Side::None && st.lastMoveNumber > 0;
}

}  // namespace

PositionText shownPositionText(const Game& g) {
    const GameState& st = g.state;
    const int n = std::clamp(st.moveNumber, 0, MAX_MOVES);
    // The moves up to the shown one, or the first when the start is shown.
    const int last = std::max(n, std::min(1, std::clamp(st.lastMoveNumber, 0, MAX_MOVES)));
    std::vector<std::pair<Board, Board>> snapshots;
    for (int k = 0; k <= last; ++k) snapshots.emplace_back(g.history.left[k], g.history.right[k]);
    PositionText p;
    p.left = g.history.left[n];
    p.right = g.history.right[n];
    if (g.history.turned[n]) {
        p.left = turnedBoard(p.left);
        p.right = turnedBoard(p.right);
    }
    p.toMove = toMoveAtSnapshot(snapshots, n, g.setUpToMove.value_or(Colour::White));
    p.moveNumber = g.setUpMoveNumber + n;
    return p;
}

void setUpPosition(Game& g, const PositionText& p) {
    初期設定(g);
    GameState& st = g.state;
    g.board(BoardId::LEFT) = p.left;
    g.board(BoardId::RIGHT) = p.right;
    調査_キング座標(g, BoardId::LEFT);
    調査_キング座標(g, BoardId::RIGHT);
    g.setUpToMove = p.toMove;
    g.setUpMoveNumber = p.moveNumber;
    const bool whiteFirst = p.toMove == Colour::White;
    st.whiteSide = whiteFirst ? Side::First : Side::Second;
    st.blackSide = opposite(st.whiteSide);
    st.kingQueenSwapped = !whiteFirst;
    st.recordMode = true;
    st.moveNumber = 0;
    手順保存(g, 0);
    st.lastMoveNumber = 0;
    // Nothing is played yet: nothing to keep.
    g.movesUnsaved = false;
}

bool pastePosition(Game& g, std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t leading = first == std::string_view::npos ? 0 : first;
    std::string_view trimmed = text.substr(leading);
    trimmed = trimmed.substr(0, trimmed.find_last_not_of(" \t\r\n") + 1);
    PositionTextError error;
    const std::optional<PositionText> p = readPositionText(trimmed, &error);
    if (!p) {
        error.column += static_cast<int>(leading);
        g.messageBox(Text("局面を読めません\n%1").arg(positionErrorText(error)), "局面", Buttons::Ok);
        return false;
    }
    if (gameUnderWay(g) && g.messageBox("対局中です。局面を貼り付けますか？", "局面", Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    positionAboutToChange(g);
    setUpPosition(g, *p);
    Presentation& view = g.presentation();
    view.描画_棋譜読込み部分消去();
    view.画面_再描画();
    view.followRecord();
    return true;
}

}  // namespace velmora
