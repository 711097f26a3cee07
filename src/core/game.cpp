#include "game.h"

namespace velmora {

Game::Game(Ports ports) : ports_(ports) {
    // A file-size limit must fail a write, not end the program and the game with it.
    ignoreFileSizeSignal();
    if (!ports_.dialogs) ports_.dialogs = &nullDialogs_;
    if (!ports_.presentation) ports_.presentation = &nullPresentation_;
    if (!ports_.sound) ports_.sound = &nullSound_;
    if (!ports_.clock) ports_.clock = &nullClock_;
    if (!ports_.shell) ports_.shell = &nullShell_;
    if (!ports_.menuMarks) ports_.menuMarks = &nullMenuMarks_;
    if (!ports_.recordPanel) ports_.recordPanel = &nullRecordPanel_;
    if (!ports_.files) ports_.files = &diskWriter_;
    if (!ports_.browser) ports_.browser = &nullBrowser_;
    if (!ports_.versionDialog) ports_.versionDialog = &nullVersionDialog_;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) squareShade.at(f, r) = (f % 2) == (r % 2) ? 1 : 0;
    }
    state.comLevel = 3;
    state.moveNumber = 0;
    state.lastMoveNumber = state.moveNumber;
}

}  // namespace velmora
