#include "record/replay.h"

#include "command_support.h"
#include "ports/palette_port.h"
#include "record/notation.h"
#include "record/played_move.h"
#include "rules/setup.h"
#include "position_change.h"

namespace velmora {
namespace {

struct Arrival {
    BoardId board = BoardId::LEFT;
    Square square;
    PieceCode piece = EMPTY;
};

// Puts snapshot `moveNumber` on both boards, redrawing the squares that change,
// and returns the last square (file, then rank, left before right) where a piece arrived.
// A snapshot stored the other way round than the boards stand brings its own
// orientation, and the whole screen is drawn again for the labels to follow.
Arrival showSnapshot(Game& g) {
    const int n = g.state.moveNumber;
    const bool turnRound = g.history.turned[n] != g.state.boardsTurned;
    // What arrived is found against the boards as the snapshot stands.
    const auto seen = [&g, turnRound](BoardId id) { return turnRound ? turnedBoard(g.board(id)) : g.board(id); };
    const Board seenBoards[2] = {seen(BoardId::LEFT), seen(BoardId::RIGHT)};
    Arrival last;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
                const PieceCode stored = g.history.of(id)[n].at(f, r);
                if (stored == seenBoards[boardIndex(id)].at(f, r)) continue;
                if (stored != EMPTY) last = {id, {f, r}, stored};
                if (turnRound) continue;
                g.board(id).at(f, r) = stored;
                g.presentation().描画_桝駒(id, {f, r});
            }
        }
    }
    if (turnRound) {
        g.state.boardsTurned = g.history.turned[n];
        for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) g.board(id) = g.history.of(id)[n];
        g.presentation().画面_再描画();
    }
    return last;
}

void dropSelections(Game& g) {
    g.selection(BoardId::LEFT).pieceSelected = false;
    g.selection(BoardId::RIGHT).pieceSelected = false;
}

}  // namespace

void CANCEL_Click(Game& g) {
    positionAboutToChange(g);
    初期設定(g);
    g.presentation().画面_再描画();
    g.sound().dsPlay(g.sounds.pieceSound);
    g.state.sideToMove = Side::None;
    g.state.gameWinner = Side::None;
}

void REPLAY_Click(Game& g) {
    positionAboutToChange(g);
    hideRecordPanel(g);
    GameState& st = g.state;
    if (st.moveNumber < 1) {
        refuse(g, "できません", "戻る");
        return;
    }
    g.presentation().消去_思考中(ThinkingStrip::Above);
    g.presentation().消去_思考中(ThinkingStrip::Below);
    st.moveNumber -= 1;
    dropSelections(g);
    st.whiteInCheck = false;
    showSnapshot(g);
    g.presentation().描画_盤(BoardId::LEFT);
    g.presentation().描画_盤(BoardId::RIGHT);
    g.sound().dsPlay(g.sounds.pieceSound);
    st.sideToMove = Side::None;
    g.presentation().描画_手数(st.moveNumber);
}

void AFTER_Click(Game& g) {
    positionAboutToChange(g);
    hideRecordPanel(g);
    GameState& st = g.state;
    if (st.moveNumber >= st.lastMoveNumber || !History::valid(st.moveNumber + 1)) {
        if (st.recordMode) {
            g.messageBox("終わり", "進む", Buttons::Ok);
        } else {
            refuse(g, "できません", "進む");
        }
        return;
    }
    st.moveNumber += 1;
    dropSelections(g);
    const Arrival arrival = showSnapshot(g);
    g.presentation().描画_盤(BoardId::LEFT);
    g.presentation().描画_盤(BoardId::RIGHT);
    g.sound().dsPlay(g.sounds.pieceSound);
    if (arrival.piece != EMPTY) {
        g.presentation().描画_移動結果(arrival.board, arrival.square, arrival.piece, WHITE_COLOR);
    }
    g.presentation().描画_手数(st.moveNumber);
    st.sideToMove = opposite(調査_手番(g, st.moveNumber));
}

void REVERSE_Click(Game& g) {
    positionAboutToChange(g);
    GameState& st = g.state;
    if (st.recordMode) {
        refuse(g, "棋譜ﾓｰﾄﾞではできません", "反転");
        return;
    }
    st.reversed = true;
    st.boardsTurned = !st.boardsTurned;
    dropSelections(g);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const Board copy = g.board(id);
        for (int f = 1; f <= 8; ++f) {
            for (int r = 1; r <= 8; ++r) g.board(id).at(9 - f, 9 - r) = static_cast<PieceCode>(-copy.at(f, r));
        }
    }
    g.presentation().画面_再描画();
    g.presentation().描画_手数(st.moveNumber);
    if (st.handicapApplied) {
        st.handicapLevel = -st.handicapLevel;
        g.presentation().描画_ハンデレベル(st.handicapLevel);
    }
    g.sound().dsPlay(g.sounds.pieceSound);
}

}  // namespace velmora
