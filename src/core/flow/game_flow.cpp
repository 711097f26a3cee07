#include "flow/game_flow.h"

#include <filesystem>
#include <system_error>

#include "com/com_state.h"
#include "com/com_turn.h"
#include "draw/geometry.h"
#include "flow/clock_commands.h"
#include "flow/shutdown.h"
#include "io/stale_temporaries.h"
#include "options/settings_file.h"
#include "position_change.h"
#include "record/notation.h"
#include "record/resume.h"
#include "rules/setup.h"
#include "sound/sound.h"

namespace velmora {

namespace {

// Temporaries a killed write left in the folders the program writes: the
// settings file's, the resume record's and the record panel's first folder.
void clearStaleTemporaries(Game& g) {
    namespace fs = std::filesystem;
    auto folderOf = [](const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); };
    const fs::path folders[] = {folderOf(g.options.settingsPath(SETTINGS_FILE)),
                                folderOf(g.options.resumePath(RESUME_FILE_NAME)), g.recordPanel().folder()};
    for (size_t k = 0; k < std::size(folders); ++k) {
        if (folders[k].empty()) continue;
        std::error_code ec;
        bool seen = false;
        for (size_t j = 0; j < k && !seen; ++j) seen = fs::equivalent(folders[j], folders[k], ec);
        if (!seen) removeStaleTemporaries(folders[k], STALE_TEMPORARY_AGE);
    }
}

}  // namespace

void Form_Load(Game& g) {
    startSound(g);
    loadSounds(g);
    std::error_code ec;
    g.options.startDirectory = std::filesystem::current_path(ec).string();
    clearStaleTemporaries(g);
    g.selection(BoardId::LEFT).pieceSelected = false;
    g.selection(BoardId::RIGHT).pieceSelected = false;
    g.state.handicapLevel = 0;
    g.state.kingQueenSwapped = false;
    g.state.moveNumber = 0;
    g.state.lastMoveNumber = 0;
    g.dialogs().hidePromotionDialogs();
    g.menuMarks().setChecked(MenuItem::MoveGuidance, false);
    g.menuMarks().setChecked(MenuItem::Level3, true);
    g.state.comLevel = 3;
    g.options.guideColor = WHITE_COLOR;
    読込_環境設定ファイル(g);
    // The control the settings remember, or the run's own.
    markTimeControl(g);
    初期設定(g);
    g.presentation().画面_再描画();
}

namespace {

// The colour to move on the position a game starts from: at move 0 the one
// the command names (the person's white for 先手, the computer's black for
// 後手); on a position stepped to or loaded, the colour that did not make the
// move that led to it, so that no side moves twice in a row; a set-up
// position's start, the colour its text gives.
Colour colourToMoveAt(const Game& g, bool personFirst) {
    const PieceCode mover = 調査_手番駒(g, g.state.moveNumber);
    if (mover == EMPTY && g.setUpToMove) return *g.setUpToMove;
    if (mover == EMPTY) return personFirst ? Colour::White : Colour::Black;
    return isWhite(mover) ? Colour::Black : Colour::White;
}

}  // namespace

void START_Click(Game& g) {
    positionAboutToChange(g);
    GameState& st = g.state;
    Presentation& view = g.presentation();
    view.描画_棋譜読込み部分消去();
    for (int column : {-2, -1, 0}) view.描画_背景セル(column, 0);  // no level in a game between people
    st.gameMode = GameMode::BetweenPeople;
    if (g.setUpToMove) {
        // A set-up position keeps its pieces: its side to move is the first
        // player's, and a later position's the side that did not move into it.
        st.whiteSide = *g.setUpToMove == Colour::White ? Side::First : Side::Second;
        st.blackSide = opposite(st.whiteSide);
        st.sideToMove = sideOf(st, colourToMoveAt(g, *g.setUpToMove == Colour::White));
    } else {
        st.whiteSide = Side::First;
        st.blackSide = Side::Second;
        st.sideToMove = st.whiteSide;
        if (st.kingQueenSwapped) キング_クイン入替(g);
        st.kingQueenSwapped = false;
    }
    view.描画_盤(BoardId::LEFT);
    view.描画_盤(BoardId::RIGHT);
    // Both clocks afresh; the first player's runs once the box is answered.
    g.playerClocks.reset(g.options.timeControl);
    view.drawClocks();
    g.messageBox("先手の番です", " ", Buttons::Ok);
}

namespace {

// The steps both games against the computer start with; `personFirst` decides
// who has the first move and whether kings and queens stand exchanged.
void startAgainstComputer(Game& g, bool personFirst) {
    positionAboutToChange(g);
    GameState& st = g.state;
    Presentation& view = g.presentation();
    view.描画_棋譜読込み部分消去();
    view.描画_レベル(st.comLevel);
    g.selection(BoardId::LEFT).pieceSelected = false;
    // The person plays white; on a set-up position its side to move begins,
    // whichever command was chosen, and the pieces stay as they were set up.
    const bool setUp = g.setUpToMove.has_value();
    if (setUp) personFirst = *g.setUpToMove == Colour::White;
    st.whiteSide = personFirst ? Side::First : Side::Second;
    st.blackSide = opposite(st.whiteSide);
    st.sideToMove = Side::First;
    st.gameMode = GameMode::AgainstComputer;
    st.recordMode = false;
    const bool layout = !personFirst;
    if (st.kingQueenSwapped != layout && !setUp) キング_クイン入替(g);
    // The computer moves first on exchanged files: that position is move 0.
    if (!personFirst && !setUp) 手順保存(g, st.moveNumber);
    if (!setUp) st.kingQueenSwapped = layout;
    g.playerClocks.reset(g.options.timeControl);
    view.画面_再描画();
}

}  // namespace

namespace {

// The game goes on with the side to move: the person is told it is their
// move, or the computer makes its own.
void firstMoveOf(Game& g, Colour toMove) {
    GameState& st = g.state;
    if (toMove == Colour::White) {
        st.sideToMove = st.whiteSide;
        g.messageBox("あなたの番です", " ", Buttons::Ok);
    } else {
        st.sideToMove = st.blackSide;
        playComputerTurn(g);
    }
}

}  // namespace

void SENTE_Click(Game& g) {
    const Colour toMove = colourToMoveAt(g, true);
    startAgainstComputer(g, true);
    firstMoveOf(g, toMove);
}

void GOTE_Click(Game& g) {
    const Colour toMove = colourToMoveAt(g, false);
    startAgainstComputer(g, false);
    firstMoveOf(g, toMove);
}

void continueComputerTurn(Game& g) {
    const GameState& st = g.state;
    if (!comState(g).turnStopped || st.sideToMove != Side::None || st.gameMode != GameMode::AgainstComputer ||
        st.recordMode || st.gameWinner != Side::None || st.moveNumber != st.lastMoveNumber) {
        return;
    }
    playComputerTurn(g);
}

void commandDone(Game& g) {
    // Only a turn set aside by a command is taken up; a turn still under way goes on by itself.
    if (comState(g).turn == ComState::Turn::None) continueComputerTurn(g);
}

void OWARI_Click(Game& g) { endProgram(g); }

void Form_KeyDown(Game& g, int keyCode) {
    if (keyCode == 27) endProgram(g);
}

void Form_Unload(Game& g, EndCause cause) { endProgram(g, cause); }

}  // namespace velmora
