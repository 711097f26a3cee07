#include "ui/analysis_panel.h"

#include <QResizeEvent>
#include <QVBoxLayout>

#include "ui/panel_look.h"
#include "ui/qt_translation.h"

namespace velmora::ui {
namespace {

// As the move list above it: white on black, the score larger.
constexpr PaletteColour DIM{7};
constexpr double SCORE_POINT_SIZE = 14;

}  // namespace

AnalysisPanel::AnalysisPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("analysisPanel");
    paintAsPanel(*this);
    auto* layout = new QVBoxLayout(this);
    better_ = new QLabel(this);
    better_->setObjectName("analysisBetterMove");
    better_->setWordWrap(false);
    better_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    better_->hide();
    title_ = new QLabel(this);
    score_ = new QLabel(this);
    score_->setObjectName("analysisScore");
    line_ = new QLabel(this);
    line_->setObjectName("analysisLine");
    // A move a line: a move is never broken across two.
    line_->setWordWrap(false);
    line_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette dim = palette();
    dim.setColor(QPalette::WindowText, qtColour(DIM));
    title_->setPalette(dim);
    layout->addWidget(better_);
    layout->addWidget(title_);
    layout->addWidget(score_);
    layout->addWidget(line_, 1);
    applyFont();
    showWaiting();
    hide();
}

void AnalysisPanel::showView(const QString& score, int depth, const QStringList& line) {
    depth_ = depth;
    title_->setText(windowText("解析") + "  " + windowText("深さ %1").arg(depth));
    score_->setText(score);
    line_->setText(line.join("\n"));
}

void AnalysisPanel::showWaiting() {
    depth_ = 0;
    title_->setText(windowText("解析"));
    score_->setText("…");
    line_->clear();
}

void AnalysisPanel::showLive(bool shown) {
    for (QLabel* label : {title_, score_, line_}) label->setVisible(shown);
}

void AnalysisPanel::showBetterMove(const QString& heading, const QStringList& line) {
    better_->setText((QStringList{heading} + line).join("\n"));
    better_->show();
}

void AnalysisPanel::hideBetterMove() {
    better_->clear();
    better_->hide();
}

void AnalysisPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyFont();
}

void AnalysisPanel::applyFont() {
    const double scale = panelScale(*this);
    if (scale == fontScale_) return;
    fontScale_ = scale;
    for (QLabel* label : {title_, better_, line_}) label->setFont(panelFont(scale));
    score_->setFont(panelFont(scale, SCORE_POINT_SIZE));
    const int margin = panelMargin(scale);
    layout()->setContentsMargins(margin, margin, margin, margin);
}

}  // namespace velmora::ui
