#include "record/notation.h"

namespace velmora {

void recordMove(Game& g) {
    GameState& st = g.state;
    st.moveNumber += 1;
    手順保存(g, st.moveNumber);
    st.lastMoveNumber = st.moveNumber;
    g.movesUnsaved = true;
    // The move is marked and listed as soon as it is on the boards, before
    // the computer's answer.
    g.presentation().followRecord();
}

Side 調査_手番(const Game& g, int n) {
    if (n < 1 || !History::valid(n)) return Side::None;
    const GameState& st = g.state;
    const Board* now[2] = {&g.history.left[n], &g.history.right[n]};
    const Board* before[2] = {&g.history.left[n - 1], &g.history.right[n - 1]};
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            for (int k = 0; k < 2; ++k) {
                const PieceCode c = now[k]->at(f, r);
                if (c == before[k]->at(f, r) || c == EMPTY) continue;
                return sideOf(st, colourOf(c));
            }
        }
    }
    return Side::None;
}

PieceCode 調査_手番駒(const Game& g, int n) {
    if (n < 1 || !History::valid(n)) return EMPTY;
    const Board* now[2] = {&g.history.left[n], &g.history.right[n]};
    const Board* before[2] = {&g.history.left[n - 1], &g.history.right[n - 1]};
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            for (int k = 0; k < 2; ++k) {
                if (now[k]->at(f, r) == EMPTY && before[k]->at(f, r) != EMPTY) return before[k]->at(f, r);
            }
        }
    }
    return EMPTY;
}

std::string 駒文字変換(PieceCode code) {
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

std::string squareText(Square s) { return 文字列変換(s.file) + 文字列変換(1000 + 9 - s.rank); }

MoveText moveText(int file, int rank, PieceCode piece) {
    return {文字列変換(file), 文字列変換(1000 + 9 - rank), 駒文字変換(piece)};
}

Text boardName(BoardId board) { return Text(board == BoardId::LEFT ? "左" : "右"); }

Text moveName(const PlayedMove& move, bool withBoard) {
    const MoveText from = moveText(move.from.file, move.from.rank, move.piece);
    const MoveText to = moveText(move.to.file, move.to.rank, move.placed);
    const bool takes = move.capture || move.enPassant;
    Text name = Text("%1%2%3%4%5 %6")
                    .arg(Text(from.file))
                    .arg(Text(from.rank))
                    .arg(Text(takes ? "×" : "－"))
                    .arg(Text(to.file))
                    .arg(Text(to.rank))
                    .arg(Text(to.piece));
    if (move.twinCapture) name = Text("%1（%2×）").arg(std::move(name)).arg(boardName(otherBoard(move.board)));
    if (withBoard) name = Text("%1 %2").arg(boardName(move.board)).arg(std::move(name));
    return name;
}

}  // namespace velmora
