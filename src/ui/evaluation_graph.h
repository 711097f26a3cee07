#pragma once
#include <QWidget>
#include <vector>

#include "analysis/game_review.h"

namespace velmora::ui {

// The colour a move's mark is shown in, on the graph and in the move list.
QColor markColour(MoveMark mark);

// The review's score after each move, for the first player: above the
// middle line the first player stands better. Scores beyond ten pawns and
// a king's fall within reach stand at the edge, the fall as a red dot; the
// moves marked are dotted in their mark's colour and the position shown
// has a yellow line. A click on the graph asks for the position there.
class EvaluationGraph : public QWidget {
    Q_OBJECT
public:
    explicit EvaluationGraph(QWidget* parent);

    // Points 0..N (the start, then after each move) and the N moves' marks.
    void setPoints(std::vector<GraphPoint> points, std::vector<MoveMark> marks);
    void setCurrent(int position);
    const std::vector<GraphPoint>& points() const { return points_; }
    int current() const { return current_; }
    // Where position n's point is drawn, in the widget.
    QPointF pointAt(int n) const;
    // Tall enough to read at a glance, and never squeezed flat.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void positionClicked(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double step() const;
    int margin() const;

    std::vector<GraphPoint> points_;
    std::vector<MoveMark> marks_;
    int current_ = 0;
};

}  // namespace velmora::ui
