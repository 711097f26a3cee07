#include "input/mouse_input.h"

#include <cmath>

#include "clock/game_clock.h"
#include "com/com_state.h"
#include "com/com_turn.h"
#include "command_support.h"
#include "draw/geometry.h"
#include "flow/shutdown.h"
#include "influence/survey.h"
#include "position_change.h"
#include "record/notation.h"
#include "rules/end_tests.h"
#include "rules/execution.h"
#include "rules/legality.h"
#include "rules/setup.h"

namespace velmora {
namespace {

// A click while no game runs asks to resume, and does nothing else.
void resume(Game& g) {
    GameState& st = g.state;
    if (st.recordMode) {
        if (g.dialogs().messageBox("棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo) == Answer::No) {
            g.sound().dsPlay(g.sounds.forbiddenSound);
        }
        return;
    }
    if (st.moveNumber == 0) {
        refuse(g, "「対局」で始めて下さい", "開始");
        return;
    }
    g.dialogs().messageBox("OKですか？", "再開", Buttons::Ok);
    g.playResumedAt = st.moveNumber;
    const Side next = opposite(調査_手番(g, st.moveNumber));
    if (next == st.blackSide && st.gameMode == GameMode::AgainstComputer) {
        // The turn hands the game to the person when it has moved.
        playComputerTurn(g);
    } else {
        st.sideToMove = next;
    }
}

// After the person's (white) move on board `id` against the computer. A black
// king taken from either board wins, also when the two-board capture took it
// from the board not moved on.
GameOutcome endOfMoveAgainstComputer(Game& g, BoardId id) {
    BoardState& bs = g.side(id);
    if (ステールメイトか(bs, bs.blackKing)) {
        g.dialogs().messageBox("ステールメイト", "判定", Buttons::Ok);
        return endWhenShown(g, Winner::Draw);
    }
    if (詰めかCOM(bs) || kingGoneFromEitherBoard(g, BLACK_KING)) {
        return endWhenShown(g, winnerOf(g.state.gameMode, Colour::White));
    }
    if (g.state.gameWinner == Side::None) return playComputerTurn(g);
    return GameOutcome::Continues;
}

// After a move between two people: stalemate or check on the board moved on,
// then a king missing from either board ends the game, else the turn passes.
GameOutcome endOfMoveBetweenPeople(Game& g, BoardId id) {
    GameState& st = g.state;
    BoardState& bs = g.side(id);
    const bool firstMoved = st.sideToMove == Side::First;
    const Side moverTurn = firstMoved ? st.blackSide : st.whiteSide;  // counts the mover's pieces
    const Square king = firstMoved ? bs.blackKing : bs.whiteKing;
    const IntGrid& attacks = firstMoved ? bs.influence.whiteAttacks : bs.influence.blackAttacks;
    if (st.sideToMove == Side::First || st.sideToMove == Side::Second) {
        if (調査_駒数(bs.board, moverTurn, st) == 1 && ステールメイトか(bs, king)) {
            g.dialogs().messageBox("ステールメイト", "判定", Buttons::Ok);
            return endWhenShown(g, Winner::Draw);
        }
        if (attacks.at(king) > 0) g.dialogs().messageBox("   ** チェック **", "", Buttons::Ok);
    }
    if (kingGoneFromEitherBoard(g, BLACK_KING)) return endWhenShown(g, winnerOf(st.gameMode, Colour::White));
    if (kingGoneFromEitherBoard(g, WHITE_KING)) return endWhenShown(g, winnerOf(st.gameMode, Colour::Black));
    if (st.sideToMove == Side::First) {
        st.sideToMove = Side::Second;
    } else if (st.sideToMove == Side::Second) {
        st.sideToMove = Side::First;
    }
    return GameOutcome::Continues;
}

// The piece-choice dialog: the pictures of the mover's colour, beside the board.
std::optional<PieceCode> askPromotion(Game& g, BoardId id, PieceCode mover) {
    const bool whiteMover = isWhite(mover);
    const bool whitePictures = whiteMover != g.state.kingQueenSwapped;
    const PromotionDialog dialog = whitePictures ? PromotionDialog::Form3 : PromotionDialog::Form2;
    int left = 0;
    if (id == BoardId::LEFT) {
        left = whiteMover ? 5500 : 50;
    } else {
        left = whiteMover ? 11820 : 6350;
    }
    return g.dialogs().choosePromotion(dialog, left, 1400);
}

}  // namespace

GameOutcome Form_MouseDown(Game& g, MouseButton button, int shift, double x, double y) {
    // The boards are the computer's from its turn's start until the screen has shown its move.
    if (comState(g).turn != ComState::Turn::None) return GameOutcome::Continues;
    hideRecordPanel(g);
    g.dialogs().hidePromotionDialogs();
    GameState& st = g.state;
    if (st.sideToMove == Side::None) {
        resume(g);
        return GameOutcome::Continues;
    }
    g.presentation().描画_チェス盤桝(BoardId::LEFT);
    g.presentation().描画_チェス盤桝(BoardId::RIGHT);
    const int c = static_cast<int>(std::floor((x - LEFT_ORIGIN_X) / SQUARE_WIDTH));
    const int r = static_cast<int>(std::floor((y - ORIGIN_Y) / SQUARE_HEIGHT));
    GameOutcome outcome = GameOutcome::Continues;
    if (c < 9) {
        outcome = マウスダウン(g, BoardId::LEFT, button, shift, c, r);
    } else if (c > 12) {
        outcome = マウスダウン(g, BoardId::RIGHT, button, shift, c - 12, r);
    }
    if (outcome == GameOutcome::ProgramEnds) return outcome;
    // Only while the boards show the latest position: after stepping back,
    // this store would overwrite a later snapshot with an earlier position.
    if (st.moveNumber == st.lastMoveNumber) 手順保存(g, st.lastMoveNumber);
    return outcome;
}

void dropSelection(Game& g, BoardId id) {
    g.presentation().描画_チェス盤桝(id);
    g.selection(id).pieceSelected = false;
}

GameOutcome マウスダウン(Game& g, BoardId id, MouseButton button, int, int file, int rank) {
    if (!onBoard(file, rank)) return GameOutcome::Continues;
    GameState& st = g.state;
    BoardState& bs = g.side(id);
    Board& b = bs.board;
    Selection& s = g.selection(id);
    Presentation& view = g.presentation();
    const int guide = g.options.guideColor;
    auto movers = [&](PieceCode c) {
        const std::optional<Colour> moving = colourOf(st, st.sideToMove);
        return moving && isColour(c, *moving);
    };

    if (!s.pieceSelected) {
        if (b.at(file, rank) == EMPTY) return GameOutcome::Continues;
        s.from = {file, rank};
        s.movingPiece = b.at(file, rank);
        view.描画_移動可能桝色(id, {file, rank}, guide, s.movingPiece);
        if (movers(s.movingPiece)) {
            s.pieceSelected = true;
            view.描画_桝輪郭(id, SELECT_COLOR, file, rank);
        } else {
            // An opponent's piece: its moves are shown, nothing is selected.
            view.描画_桝輪郭(id, guide, file, rank);
        }
        return GameOutcome::Continues;
    }

    s.to = {file, rank};
    if (movers(b.at(file, rank))) {
        view.描画_桝輪郭(id, OUTLINE_COLOR, s.from.file, s.from.rank);
        s.from = {file, rank};
        s.movingPiece = b.at(file, rank);
        view.描画_移動可能桝色(id, {file, rank}, guide, s.movingPiece);
        view.描画_桝輪郭(id, SELECT_COLOR, file, rank);
        return GameOutcome::Continues;
    }
    if (!移動チェック(bs, s.from, {file, rank}, s.movingPiece)) {
        dropSelection(g, id);
        return GameOutcome::Continues;
    }
    if (!移動後チェック_成り(rank, s.movingPiece) && button == MouseButton::Left) {
        refuse(g, "マウスの右をクリックして下さい", "成り");
        return GameOutcome::Continues;
    }
    if (!移動後チェック_キング(bs, s.from, {file, rank}, st.sideToMove, st) && !st.whiteInCheck) {
        refuse(g, "自殺できません", "チェックです");
        return GameOutcome::Continues;
    }
    if (st.moveNumber >= MAX_MOVES) {
        // The history holds 500 moves; a further move could not be recorded.
        refuse(g, "これ以上指せません", "手数");
        return GameOutcome::Continues;
    }
    if (button == MouseButton::Right && 調査_駒成人選(s.from, {file, rank}, s.movingPiece)) {
        const std::optional<PieceCode> choice = askPromotion(g, id, s.movingPiece);
        if (!choice) return GameOutcome::Continues;  // closed without a choice: nothing is placed
        st.promotionChoice = *choice;
        if (*choice == WHITE_KING || *choice == BLACK_KING) {
            refuse(g, "キングには成れません", "エラー");
            return GameOutcome::Continues;
        }
        // The dialog of the other colour's pictures returns codes of the other sign.
        s.movingPiece = static_cast<PieceCode>(st.kingQueenSwapped ? -*choice : *choice);
    }
    // The move is going to be made: what the screen still shows of the
    // move before (the other player's blink or move text) is shown at once.
    positionAboutToChange(g);
    s.pieceSelected = false;
    view.描画_桝輪郭(id, OUTLINE_COLOR, s.from.file, s.from.rank);
    view.描画_桝輪郭(id, OUTLINE_COLOR, file, rank);
    view.描画_移動可能桝色(id, s.from, OUTLINE_COLOR, s.movingPiece);

    const bool takesPassed = アンパサンド_移動前(b, s.from, {file, rank}, s.movingPiece) &&
                             g.dialogs().messageBox("取りますか？", "アンパッサン", Buttons::YesNo) == Answer::Yes;
    // The move is made now: the mover's clock stops, unless their time ran
    // out while they chose (their dialogs count as their time).
    if (const std::optional<Colour> mover = colourOf(st, st.sideToMove); mover && !clockPersonMove(g, *mover)) {
        return 終了(g, announceTimeUp(g, *mover));
    }
    if (takesPassed) {
        const int passedRank = colourOf(st, st.sideToMove) == Colour::White ? rank + 1 : rank - 1;
        b.at(file, passedRank) = EMPTY;
        view.描画_桝駒(id, {file, passedRank});
    }
    g.sound().dsPlay(g.sounds.pieceSound);
    駒移動(g, id, s.from, {file, rank}, s.movingPiece);
    recordMove(g);
    // Counted once the move is on the boards, with its own number.
    view.描画_手数(st.moveNumber);
    view.消去_思考中(ThinkingStrip::Below);
    view.描画_移動結果(id, {file, rank}, s.movingPiece, RESULT_COLOR);
    勢力調査(bs);

    if (st.gameMode == GameMode::AgainstComputer) return endOfMoveAgainstComputer(g, id);
    return endOfMoveBetweenPeople(g, id);
}

}  // namespace velmora
