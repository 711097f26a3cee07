#pragma once
#include <QDialog>
#include <QFrame>
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
// the dialog takes no second choice), then closes. While the person chooses,
// a frame shows the piece the keys stand on: the arrow keys move it, Enter
// or Space takes that piece.
class PromotionDialog : public QDialog {
    Q_OBJECT
public:
    PromotionDialog(bool blackPictures, const Pictures& pictures, QWidget* parent);

    std::optional<PieceCode> choice() const { return choice_; }
    // A new choice by the person: the keys start on the queen.
    void resetChoice();
    // Shows the highlighted picture of a button (the king has none).
    void highlight(PieceCode piece);
    void unhighlight();
    // How long the highlight lasts, in seconds: the game's pacing, which knows fast display.
    void highlightFor(std::function<double()> seconds) { highlightSeconds_ = std::move(seconds); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void press(int index);
    void moveTo(int index);

    bool black_;
    std::function<double()> highlightSeconds_;
    bool chosen_ = false;  // a piece is chosen and shown highlighted
    int shown_ = 0;        // counts the dialog's showings: a highlight ends only its own
    std::array<QToolButton*, 6> buttons_{};
    std::array<QIcon, 6> normal_, selected_;
    std::optional<PieceCode> choice_;
    QFrame* marker_;
    int current_ = 0;
};

}  // namespace velmora::ui
