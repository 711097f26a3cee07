#pragma once
#include <QDialog>
#include <QToolButton>
#include <array>
#include <optional>

#include "rules/piece.h"
#include "ui/pictures.h"

namespace velmora {
class Clock;
}

namespace velmora::ui {

// A piece-choice dialog: one column of six piece buttons (queen, bishop,
// knight, rook, pawn, king) in one colour's pictures. Choosing a piece shows
// its highlighted picture until the clock's second changes, then closes.
class PromotionDialog : public QDialog {
    Q_OBJECT
public:
    PromotionDialog(bool blackPictures, const Pictures& pictures, Clock& clock, QWidget* parent);

    std::optional<PieceCode> choice() const { return choice_; }
    void resetChoice() { choice_.reset(); }
    // Shows the highlighted picture of a button (the king has none).
    void highlight(PieceCode piece);
    void unhighlight();
    // The clock the highlight waits on: the game's, which knows fast display.
    void pauseWith(Clock& clock) { clock_ = &clock; }

private:
    void press(int index);

    bool black_;
    Clock* clock_;
    std::array<QToolButton*, 6> buttons_{};
    std::array<QIcon, 6> normal_, selected_;
    std::optional<PieceCode> choice_;
};

}  // namespace velmora::ui
