#include "ui/review_panel.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "ui/panel_look.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

ReviewPanel::ReviewPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("reviewPanel");
    paintAsPanel(*this);
    auto* layout = new QVBoxLayout(this);
    progressText_ = new QLabel(this);
    progressText_->setObjectName("reviewProgressText");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("reviewProgress");
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(windowText("中止"), this);
    cancel_->setObjectName("reviewCancel");
    cancel_->setFocusPolicy(Qt::NoFocus);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(bar_, 1);
    progressRow->addWidget(cancel_);
    graph_ = new EvaluationGraph(this);
    summary_ = new QLabel(this);
    summary_->setObjectName("reviewSummary");
    summary_->setTextFormat(Qt::RichText);
    layout->addWidget(progressText_);
    layout->addLayout(progressRow);
    layout->addWidget(graph_, 1);
    layout->addWidget(summary_);
    // The progress alone keeps to the top.
    layout->addStretch(0);
    connect(cancel_, &QPushButton::clicked, this, &ReviewPanel::cancelClicked);
    connect(graph_, &EvaluationGraph::positionClicked, this, &ReviewPanel::positionClicked);
    applyFont();
    hide();
}

void ReviewPanel::showProgress(const QString& text, int finished, int count) {
    progressText_->setText(text);
    bar_->setRange(0, count);
    bar_->setValue(finished);
    for (QWidget* w : std::initializer_list<QWidget*>{progressText_, bar_, cancel_}) w->show();
    graph_->hide();
    summary_->hide();
}

void ReviewPanel::showReview(std::vector<GraphPoint> points, std::vector<MoveMark> marks, const SideSummary& first,
                             const SideSummary& second) {
    graph_->setPoints(std::move(points), std::move(marks));
    // A small table: the marks in their colours over the counts.
    auto cellOf = [](const QString& text, const QColor& colour = {}) {
        const QString style = colour.isValid() ? QString("color:%1;").arg(colour.name()) : QString();
        return QString("<td align=\"right\" style=\"padding-left:0.6em;%1\">%2</td>").arg(style, text.toHtmlEscaped());
    };
    QString table = "<table cellspacing=\"0\" cellpadding=\"1\" width=\"100%\"><tr><td></td>";
    for (MoveMark mark : {MoveMark::Inaccuracy, MoveMark::Mistake, MoveMark::Blunder}) {
        table += cellOf(QString::fromLatin1(markText(mark).data(), static_cast<int>(markText(mark).size())), markColour(mark));
    }
    table += cellOf(windowText("損失")) + "</tr>";
    auto row = [&](const char* side, const SideSummary& sum) {
        table += "<tr><td>" + windowText(side).toHtmlEscaped() + "</td>" + cellOf(QString::number(sum.inaccuracies)) +
                 cellOf(QString::number(sum.mistakes)) + cellOf(QString::number(sum.blunders)) +
                 cellOf(QString::number(sum.averageLoss / 100.0, 'f', 2)) + "</tr>";
    };
    row("先手", first);
    row("後手", second);
    summary_->setText(table + "</table>");
    for (QWidget* w : std::initializer_list<QWidget*>{progressText_, bar_, cancel_}) w->hide();
    graph_->show();
    summary_->show();
}

void ReviewPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyFont();
}

void ReviewPanel::applyFont() {
    const double scale = panelScale(*this);
    if (scale == fontScale_) return;
    fontScale_ = scale;
    for (QWidget* w : std::initializer_list<QWidget*>{progressText_, cancel_, summary_}) w->setFont(panelFont(scale));
    const int margin = panelMargin(scale);
    layout()->setContentsMargins(margin, margin, margin, margin);
}

}  // namespace velmora::ui
