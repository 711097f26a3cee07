#pragma once
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "ui/evaluation_graph.h"

namespace velmora::ui {

// 対局の解析 under the move list: while the review runs, the move it is
// on, the time left, a bar and 中止; once done, the evaluation graph and
// each player's marks and average loss.
class ReviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReviewPanel(QWidget* parent);

    void showProgress(const QString& text, int finished, int count);
    // The graph, and each player's count of each mark and average loss a
    // move in pawns.
    void showReview(std::vector<GraphPoint> points, std::vector<MoveMark> marks, const SideSummary& first,
                    const SideSummary& second);
    EvaluationGraph& graph() { return *graph_; }
    QString progressText() const { return progressText_->text(); }
    QString summaryText() const { return summary_->text(); }
    bool reviewing() const { return bar_->isVisible(); }
    QPushButton& cancelButton() { return *cancel_; }

signals:
    void cancelClicked();
    void positionClicked(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFont();

    QLabel* progressText_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    EvaluationGraph* graph_;
    QLabel* summary_;
    double fontScale_ = 0;
};

}  // namespace velmora::ui
