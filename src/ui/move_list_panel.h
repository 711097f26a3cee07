#pragma once
#include <QTableWidget>
#include <optional>
#include <vector>

#include "analysis/win_chance.h"
#include "record/listed_moves.h"

namespace velmora::ui {

// The game's moves beside the boards: the start position, then one line per
// move with its number, its board and the game's text for it. The position
// shown is highlighted and kept in view; the moves ahead of it, which 進 can
// still reach, are drawn dimmer. A click on a line asks for that position.
class MoveListPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit MoveListPanel(QWidget* parent);

    // The lines and the position shown (0 is the start).
    void showMoves(const std::vector<ListedMove>& moves, int current);
    // The review's mark of each move ("?!", "?", "??" or empty), after its text; none clears them.
    void showMarks(const std::vector<MoveMark>& marks);
    QString markShown(int move) const;
    int currentMove() const { return current_; }

signals:
    void moveClicked(int number);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void highlight();
    // The position shown brought wholly into view.
    void scrollToCurrent();
    void applyFont();

    void placeMarks();

    std::optional<std::vector<std::pair<std::string, std::string>>> shown_;  // board and text of each move
    std::vector<MoveMark> marks_;
    int current_ = -1;
    double fontScale_ = 0;
};

}  // namespace velmora::ui
