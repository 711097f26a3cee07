#pragma once
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace velmora::ui {

// The engine's view of the position on the screen, under the move list:
// the score for the first player, the depth reached and the best line.
class AnalysisPanel : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPanel(QWidget* parent);

    // What the engine sees now.
    void showView(const QString& score, int depth, const QStringList& line);
    // A new position, nothing found yet.
    void showWaiting();
    QString scoreShown() const { return score_->text(); }
    int depthShown() const { return depth_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFont();

    QLabel* title_;
    QLabel* score_;
    QLabel* line_;
    int depth_ = 0;
    double fontScale_ = 0;
};

}  // namespace velmora::ui
