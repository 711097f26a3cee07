#pragma once
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>
#include <map>

#include "board/piece.h"
#include "ui/pictures.h"

namespace velmora::ui {

// 局面の編集's palette beside the boards: the twelve pieces and the eraser,
// the start position and empty boards, the side to move, OK and キャンセル.
// It only reports what the person chose; the window edits the position.
class PositionEditorPanel : public QWidget {
    Q_OBJECT
public:
    PositionEditorPanel(Pictures& pictures, QWidget* parent);

    // Shows the tool chosen and the side to move as the editor has them.
    void showState(PieceCode tool, Colour toMove);

    // The buttons, for tests that click them.
    QToolButton& toolButton(PieceCode tool) { return *tools_.at(tool); }
    QPushButton& startButton() { return *start_; }
    QPushButton& emptyButton() { return *empty_; }
    QRadioButton& toMoveButton(Colour colour) { return colour == Colour::White ? *white_ : *black_; }
    QPushButton& okButton() { return *ok_; }
    QPushButton& cancelButton() { return *cancel_; }

signals:
    void toolChosen(velmora::PieceCode tool);
    void startPositionChosen();
    void emptyBoardsChosen();
    void toMoveChosen(velmora::Colour colour);
    void accepted();
    void cancelled();

private:
    std::map<PieceCode, QToolButton*> tools_;
    QPushButton* start_;
    QPushButton* empty_;
    QRadioButton* white_;
    QRadioButton* black_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace velmora::ui
