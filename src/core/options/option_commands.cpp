#include "options/option_commands.h"

#include "draw/geometry.h"
#include "options/settings_file.h"

namespace velmora {
namespace {

// Choosing the background already marked still rewrites the file and redraws
// the whole window.
void chooseBackground(Game& g, int code) {
    if (g.options.backgroundPicture != code) {
        チェック設定(g, code);
        g.options.backgroundPicture = code;
    }
    書込_環境設定ファイル(g);
    g.presentation().画面_再描画();
}

}  // namespace

void MIDORI_Click(Game& g) { chooseBackground(g, BG_GREEN); }
void TATAMI_Click(Game& g) { chooseBackground(g, BG_TATAMI); }
void TAKE_Click(Game& g) { chooseBackground(g, BG_BAMBOO); }
void UCHU_Click(Game& g) { chooseBackground(g, BG_SPACE); }
void RENGA_Click(Game& g) { chooseBackground(g, BG_BRICK); }

void SIDOU_Click(Game& g) {
    if (g.state.moveGuidance) {
        // Redrawing every outline in the normal colour wipes the target marks
        // on screen.
        for (int file = 1; file <= 8; ++file) {
            for (int rank = 1; rank <= 8; ++rank) {
                g.presentation().描画_桝輪郭(BoardId::LEFT, OUTLINE_COLOR, file, rank);
                g.presentation().描画_桝輪郭(BoardId::RIGHT, OUTLINE_COLOR, file, rank);
            }
        }
        g.menuMarks().setChecked(MenuItem::MoveGuidance, false);
        g.state.moveGuidance = false;
        g.options.guideColor = OUTLINE_COLOR;
    } else {
        // A piece already selected gets its marks with the next selection.
        g.menuMarks().setChecked(MenuItem::MoveGuidance, true);
        g.state.moveGuidance = true;
        g.options.guideColor = WHITE_COLOR;
    }
    書込_環境設定ファイル(g);
}

void HAYAI_HYOUJI_Click(Game& g) {
    const bool on = !g.options.fastDisplay;
    g.menuMarks().setChecked(MenuItem::FastDisplay, on);
    g.options.fastDisplay = on;
    g.options.fastDisplayLine = true;
    書込_環境設定ファイル(g);
}

}  // namespace velmora
