#include "game.h"

#include "rules/execution.h"
#include "rules/setup.h"

namespace velmora {
namespace {

// The screen follows a move square by square.
class DrawingWatcher final : public MoveWatcher {
public:
    explicit DrawingWatcher(Presentation& view) : view_(view) {}
    void squareChanged(BoardId id, Square s) override { view_.描画_桝駒(id, s); }
    void aboutToTake(BoardId id, Square s) override { view_.描画_駒点滅(id, s, 2); }

private:
    Presentation& view_;
};

}  // namespace

Game::Game(Ports ports) : ports_(ports) {
    // A file-size limit must fail a write, not end the program and the game with it.
    ignoreFileSizeSignal();
    if (!ports_.dialogs) ports_.dialogs = &nullDialogs_;
    if (!ports_.presentation) ports_.presentation = &nullPresentation_;
    if (!ports_.sound) ports_.sound = &nullSound_;
    if (!ports_.pauses) ports_.pauses = &nullPauses_;
    pacedPauses_.setInner(*ports_.pauses);
    if (!ports_.shell) ports_.shell = &nullShell_;
    if (!ports_.menuMarks) ports_.menuMarks = &nullMenuMarks_;
    if (!ports_.recordPanel) ports_.recordPanel = &nullRecordPanel_;
    if (!ports_.files) ports_.files = &diskWriter_;
    if (!ports_.browser) ports_.browser = &nullBrowser_;
    if (!ports_.versionDialog) ports_.versionDialog = &nullVersionDialog_;
    if (!ports_.engineRunner) ports_.engineRunner = &directEngine_;
    if (!ports_.sequencer) ports_.sequencer = &immediateSequencer_;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) squareShade.at(f, r) = (f % 2) == (r % 2) ? 1 : 0;
    }
    state.comLevel = 3;
    state.moveNumber = 0;
    state.lastMoveNumber = state.moveNumber;
}

void 手順保存(Game& g, int n) {
    if (!History::valid(n)) return;
    g.history.left[n] = g.board(BoardId::LEFT);
    g.history.right[n] = g.board(BoardId::RIGHT);
    g.history.turned[n] = g.state.boardsTurned;
}

void 初期設定(Game& g) {
    GameState& st = g.state;
    st.handicapApplied = false;
    st.recordMode = false;
    st.gameMode = GameMode::BetweenPeople;
    st.gameWinner = Side::None;
    st.sideToMove = Side::None;
    st.moveNumber = 0;
    if (g.computer) g.computer->newBoard();
    g.playerClocks.reset(g.options.timeControl);
    g.playResumedAt = -1;
    g.selection(BoardId::LEFT).pieceSelected = false;
    g.selection(BoardId::RIGHT).pieceSelected = false;
    st.kingQueenSwapped = false;
    st.whiteInCheck = false;
    st.reversed = false;
    st.boardsTurned = false;
    g.setUpToMove.reset();
    g.setUpMoveNumber = 0;
    setStartPosition(g.board(BoardId::LEFT));
    g.board(BoardId::RIGHT) = g.board(BoardId::LEFT);
    手順保存(g, st.moveNumber);
}

void 駒移動(Game& g, BoardId id, Square from, Square to, PieceCode piece) {
    DrawingWatcher watcher(g.presentation());
    駒移動(static_cast<RulesState&>(g), id, from, to, piece, watcher);
}

}  // namespace velmora
