#pragma once
#include "game.h"

namespace velmora {

// ｵﾌﾟｼｮﾝ ▸ 背景画 ▸ 緑, 畳, 竹, 宇宙, 煉瓦.
void MIDORI_Click(Game& g);
void TATAMI_Click(Game& g);
void TAKE_Click(Game& g);
void UCHU_Click(Game& g);
void RENGA_Click(Game& g);

// ｵﾌﾟｼｮﾝ ▸ 移動指導: turns move guidance on or off.
void SIDOU_Click(Game& g);

// ｵﾌﾟｼｮﾝ ▸ 速い表示: turns fast display on or off. From now on the settings
// file carries the choice.
void HAYAI_HYOUJI_Click(Game& g);

}  // namespace velmora
