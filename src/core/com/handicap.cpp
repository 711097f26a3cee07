#include "com/handicap.h"

#include <optional>

#include "command_support.h"
#include "position_change.h"

namespace velmora {
namespace {

// The order in which pieces leave the back rank: rook a, rook h, bishop c,
// bishop f, knight b, knight g, queen. Step k (1..7) is index k - 1.
constexpr int STEP_FILES[7] = {1, 8, 3, 6, 2, 7, 4};
constexpr PieceCode STEP_PIECES[7] = {BLACK_ROOK, BLACK_ROOK, BLACK_BISHOP, BLACK_BISHOP,
                                      BLACK_KNIGHT, BLACK_KNIGHT, BLACK_QUEEN};

// Takes off (or puts back) black's (rank 1) or white's (rank 8) piece of step k.
void step(Game& g, int k, bool black, bool putBack) {
    int file = STEP_FILES[k - 1];
    // In the exchanged layout the queen stands on file 5, the king on file 4.
    if (k == 7 && g.state.kingQueenSwapped) file = 5;
    const int rank = black ? 1 : 8;
    const PieceCode piece = static_cast<PieceCode>(black ? STEP_PIECES[k - 1] : -STEP_PIECES[k - 1]);
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        PieceCode& square = g.board(id).at(file, rank);
        if (square == BLACK_KING || square == WHITE_KING) continue;  // a king is never taken off
        square = putBack ? piece : EMPTY;
        g.presentation().描画_桝駒(id, {file, rank});
    }
}

void change(Game& g, int delta) {
    positionAboutToChange(g);
    hideRecordPanel(g);
    GameState& st = g.state;
    std::optional<HandicapRefusal> refusal;
    if (st.recordMode) {
        refusal = HandicapRefusal::RecordMode;
    } else if (st.moveNumber > 0) {
        refusal = HandicapRefusal::GameUnderWay;
    } else if (st.reversed) {
        refusal = HandicapRefusal::Reversed;
    }
    if (refusal) {
        g.sound().dsPlay(g.sounds.forbiddenSound);
        描画_メッセージ(g, *refusal);
        return;
    }
    const int from = st.handicapLevel;
    const int to = from + delta;
    if (to >= -7 && to <= 7) {
        st.handicapLevel = to;
        g.presentation().描画_ハンデレベル(to);
        if (delta > 0) {
            // Up: black gives one more piece, or white gets one back.
            if (to > 0) {
                step(g, to, true, false);
            } else {
                step(g, -from, false, true);
            }
        } else {
            if (to < 0) {
                step(g, -to, false, false);
            } else {
                step(g, from, true, true);
            }
        }
        g.sound().dsPlay(g.sounds.pieceSound);
    }
    st.handicapApplied = true;
}

}  // namespace

void 描画_メッセージ(Game& g, HandicapRefusal reason) {
    Text text;
    switch (reason) {
        case HandicapRefusal::RecordMode: text = "棋譜ﾓｰﾄﾞではできません\n\n局面→最初にして下さい"; break;
        case HandicapRefusal::GameUnderWay: text = "対局途中ではできません\n\n局面→最初にして下さい"; break;
        case HandicapRefusal::Reversed: text = "反転後ではできません\n\n局面→最初にして下さい"; break;
    }
    g.messageBox(text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", Buttons::Ok);
}

void LBEL_UP_Click(Game& g) { change(g, +1); }
void LEBEL_DOWN_Click(Game& g) { change(g, -1); }

}  // namespace velmora
