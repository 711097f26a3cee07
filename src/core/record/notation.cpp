#include "record/notation.h"

namespace velmora {

void 手順保存(Game& g, int n) {
    if (!History::valid(n)) return;
    g.history.left[n] = g.board(BoardId::LEFT);
    g.history.right[n] = g.board(BoardId::RIGHT);
}

std::string 駒文字変換(int code) {
    static const char* const NAMES[] = {"ポーン", "ナイト", "ビショップ", "ルーク", "クィーン", "キング"};
    const int a = absCode(code);
    return a >= 1 && a <= 6 ? NAMES[a - 1] : "";
}

std::string 文字列変換(int value) {
    static const char* const FILES[] = {"ａ", "ｂ", "ｃ", "ｄ", "ｅ", "ｆ", "ｇ", "ｈ"};
    static const char* const DIGITS[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    if (value >= 1 && value <= 8) return FILES[value - 1];
    if (value >= 1001 && value <= 1008) return DIGITS[value - 1001];
    return "";
}

std::string squareText(int file, int rank) { return 文字列変換(file) + 文字列変換(1000 + 9 - rank); }

}  // namespace velmora
