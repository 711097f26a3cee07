#pragma once
#include <QDialog>
#include <QToolButton>
#include <array>
#include <functional>
#include <optional>

#include "board/piece.h"
#include "ui/pictures.h"

namespace velmora::ui {

// A piece-choice dialog: one column of six piece buttons (queen, bishop,
// knight, rook, pawn, king) in one colour's pictures. Choosing a piece shows
// its highlighted picture until the clock's second changes (a timer, while
// the dialog takes no second choice), then closes.
class PromotionDialog : public QDialog {
    Q_OBJECT
public:
    PromotionDialog(bool blackPictures, const Pictures& pictures, QWidget* parent);

    std::optional<PieceCode> choice() const { return choice_; }
    void resetChoice() {
        choice_.reset();
        chosen_ = false;
        ++shown_;
    }
    // Shows the highlighted picture of a button (the king has none).
    void highlight(PieceCode piece);
    void unhighlight();
    // How long the highlight lasts, in seconds: the game's pacing, which knows fast display.
    void highlightFor(std::function<double()> seconds) { highlightSeconds_ = std::move(seconds); }

private:
    void press(int index);

    bool black_;
    std::function<double()> highlightSeconds_;
    bool chosen_ = false;  // a piece is chosen and shown highlighted
    int shown_ = 0;        // counts the dialog's showings: a highlight ends only its own
    std::array<QToolButton*, 6> buttons_{};
    std::array<QIcon, 6> normal_, selected_;
    std::optional<PieceCode> choice_;
};

}  // namespace velmora::ui
