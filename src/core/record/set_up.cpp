#include "record/set_up.h"

#include <algorithm>

#include "engine/movegen.h"
#include "engine/position.h"
#include "position_change.h"
#include "record/played_move.h"
#include "rules/setup.h"

namespace velmora {

namespace {

// A game is under way: moves have been played, not stepped through as a
// record, nobody has won, and the boards were not set back to the start
// since (which leaves the move number at 0 and nobody to move).
bool gameUnderWay(const Game& g) {
    const GameState& st = g.state;
    return !st.recordMode && st.gameWinner == Side::None && st.lastMoveNumber > 0 &&
           (st.moveNumber > 0 || st.sideToMove != Side::None);
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
    // The pictures show each piece in its own colour, whichever colour begins.
    st.kingQueenSwapped = false;
    st.recordMode = true;
    st.moveNumber = 0;
    手順保存(g, 0);
    st.lastMoveNumber = 0;
    // Nothing is played yet: nothing to keep.
    g.movesUnsaved = false;
}

std::optional<Text> setUpFault(const PositionText& p) {
    for (const Board* b : {&p.left, &p.right}) {
        int white = 0, black = 0;
        for (const PieceCode code : b->cells) {
            white += code == WHITE_KING;
            black += code == BLACK_KING;
        }
        if (white != 1 || black != 1) return Text("どちらの盤にも白と黒のキングが1つずつ必要です");
    }
    for (const Board* b : {&p.left, &p.right}) {
        for (int f = 1; f <= 8; ++f) {
            for (const int r : {1, 8}) {
                if (absCode(b->at(f, r)) == PAWN) return Text("ポーンは1段目と8段目に置けません");
            }
        }
    }
    // Every move the side to move may make, the two-board capture included:
    // none may take a king of the other side.
    engine::Position position = engine::positionFromBoards(p.left, p.right, p.toMove);
    engine::MoveList moves;
    engine::generateMoves(position, moves, engine::KingTest::Untested);
    for (const engine::EngineMove m : moves) {
        engine::Undo undo;
        position.make(m, undo);
        const bool taken = position.kingCount(BoardId::LEFT, -p.toMove) == 0 ||
                           position.kingCount(BoardId::RIGHT, -p.toMove) == 0;
        position.unmake(m, undo);
        if (taken) return Text("手番でない側のキングが取れる局面です");
    }
    return std::nullopt;
}

std::optional<PositionText> readPastedPosition(Game& g, std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t leading = first == std::string_view::npos ? 0 : first;
    std::string_view trimmed = text.substr(leading);
    trimmed = trimmed.substr(0, trimmed.find_last_not_of(" \t\r\n") + 1);
    PositionTextError error;
    std::optional<PositionText> p = readPositionText(trimmed, &error);
    if (!p) {
        error.column += static_cast<int>(leading);
        g.messageBox(Text("局面を読めません\n%1").arg(positionErrorText(error)), "局面", Buttons::Ok);
    }
    return p;
}

bool pastePosition(Game& g, std::string_view text) {
    const std::optional<PositionText> p = readPastedPosition(g, text);
    return p && placePosition(g, *p);
}

bool acceptEditedPosition(Game& g, const PositionText& p) {
    if (const std::optional<Text> fault = setUpFault(p)) {
        g.messageBox(*fault, "局面の編集", Buttons::Ok);
        return false;
    }
    return placePosition(g, p);
}

bool placePosition(Game& g, const PositionText& p) {
    if (gameUnderWay(g) && g.messageBox("対局中です。この局面から始めますか？", "局面", Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    positionAboutToChange(g);
    setUpPosition(g, p);
    Presentation& view = g.presentation();
    view.描画_棋譜読込み部分消去();
    view.画面_再描画();
    view.followRecord();
    return true;
}

}  // namespace velmora
