#include "ui/evaluation_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ui/palette.h"
#include "ui/panel_look.h"

namespace velmora::ui {
namespace {

constexpr PaletteColour BACKGROUND{0};
constexpr PaletteColour MIDDLE{8};
constexpr PaletteColour FIRST_AHEAD{7};
constexpr PaletteColour SECOND_AHEAD{8};
constexpr PaletteColour CURVE{15};
constexpr PaletteColour CURRENT{14};
constexpr PaletteColour KING_FALL{12};

}  // namespace

QColor markColour(MoveMark mark) {
    switch (mark) {
        case MoveMark::Inaccuracy: return qtColour(PaletteColour{11});
        case MoveMark::Mistake: return qtColour(PaletteColour{13});
        case MoveMark::Blunder: return qtColour(PaletteColour{12});
        case MoveMark::None: break;
    }
    return {};
}

EvaluationGraph::EvaluationGraph(QWidget* parent) : QWidget(parent) {
    setObjectName("evaluationGraph");
    setCursor(Qt::PointingHandCursor);
}

void EvaluationGraph::setPoints(std::vector<GraphPoint> points, std::vector<MoveMark> marks) {
    points_ = std::move(points);
    marks_ = std::move(marks);
    update();
}

void EvaluationGraph::setCurrent(int position) {
    if (position == current_) return;
    current_ = position;
    update();
}

QSize EvaluationGraph::sizeHint() const {
    const double scale = panelScale(*this);
    return {static_cast<int>(PictureTransform::PANEL_WIDTH * scale), static_cast<int>(72 * scale)};
}

QSize EvaluationGraph::minimumSizeHint() const { return {40, static_cast<int>(48 * panelScale(*this))}; }

int EvaluationGraph::margin() const { return std::max(3, height() / 20); }

double EvaluationGraph::step() const {
    const int gaps = std::max(1, static_cast<int>(points_.size()) - 1);
    return (width() - 2.0 * margin()) / gaps;
}

QPointF EvaluationGraph::pointAt(int n) const {
    const double half = height() / 2.0 - margin();
    const double pawns = n >= 0 && n < static_cast<int>(points_.size()) ? points_[static_cast<size_t>(n)].pawns : 0;
    return {margin() + n * step(), height() / 2.0 - pawns / GRAPH_LIMIT_PAWNS * half};
}

void EvaluationGraph::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), qtColour(BACKGROUND));
    const double middle = height() / 2.0;
    if (!points_.empty()) {
        // The area between the curve and the middle, lighter where the first player leads.
        QPainterPath area;
        area.moveTo(pointAt(0).x(), middle);
        for (int n = 0; n < static_cast<int>(points_.size()); ++n) area.lineTo(pointAt(n));
        area.lineTo(pointAt(static_cast<int>(points_.size()) - 1).x(), middle);
        area.closeSubpath();
        p.save();
        p.setClipRect(QRectF(0, 0, width(), middle));
        p.fillPath(area, qtColour(FIRST_AHEAD));
        p.setClipRect(QRectF(0, middle, width(), height() - middle));
        p.fillPath(area, qtColour(SECOND_AHEAD));
        p.restore();
    }
    p.setPen(qtColour(MIDDLE));
    p.drawLine(QPointF(0, middle), QPointF(width(), middle));
    if (points_.empty()) return;
    p.setRenderHint(QPainter::Antialiasing);
    const double x = pointAt(current_).x();
    p.setPen(QPen(qtColour(CURRENT), std::max(1.0, width() / 180.0)));
    p.drawLine(QPointF(x, 0), QPointF(x, height()));
    p.setPen(QPen(qtColour(CURVE), 1));
    for (int n = 1; n < static_cast<int>(points_.size()); ++n) p.drawLine(pointAt(n - 1), pointAt(n));
    const double dot = std::max(2.0, std::min(width(), height()) / 60.0);
    p.setPen(Qt::NoPen);
    for (int n = 0; n < static_cast<int>(points_.size()); ++n) {
        QColor colour;
        if (points_[static_cast<size_t>(n)].kingFall) colour = qtColour(KING_FALL);
        if (n > 0 && n <= static_cast<int>(marks_.size()) && marks_[static_cast<size_t>(n - 1)] != MoveMark::None) {
            colour = markColour(marks_[static_cast<size_t>(n - 1)]);
        }
        if (!colour.isValid()) continue;
        p.setBrush(colour);
        p.drawEllipse(pointAt(n), dot, dot);
    }
}

void EvaluationGraph::mousePressEvent(QMouseEvent* event) {
    if (points_.empty() || event->button() != Qt::LeftButton) return;
    const int last = static_cast<int>(points_.size()) - 1;
    const int n = static_cast<int>(std::lround((event->position().x() - margin()) / step()));
    emit positionClicked(std::clamp(n, 0, last));
}

}  // namespace velmora::ui
