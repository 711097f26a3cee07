#pragma once
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace velmora::ui {

// The engine's view of the position on the screen, under the move list:
// the score for the first player, the depth reached and the best line;
// and, on a move the review marked, the move the engine would have played
// instead and its line.
class AnalysisPanel : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPanel(QWidget* parent);

    // What the engine sees now.
    void showView(const QString& score, int depth, const QStringList& line);
    // A new position, nothing found yet.
    void showWaiting();
    // The live view shown or hidden.
    void showLive(bool shown);
    // The review's note on the move that led to the position shown: its mark,
    // the better move and its line; none hides it.
    void showBetterMove(const QString& heading, const QStringList& line);
    void hideBetterMove();
    QString betterMoveShown() const { return better_->isHidden() ? QString() : better_->text(); }
    QString scoreShown() const { return score_->text(); }
    int depthShown() const { return depth_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFont();

    QLabel* better_;
    QLabel* title_;
    QLabel* score_;
    QLabel* line_;
    int depth_ = 0;
    double fontScale_ = 0;
};

}  // namespace velmora::ui
