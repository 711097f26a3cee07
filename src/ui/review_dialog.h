#pragma once
#include <QDialog>

class QDoubleSpinBox;

namespace velmora::ui {

// 棋譜 ▸ 対局の解析: the seconds the engine looks at each position.
class ReviewDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr double MIN_SECONDS = 0.1;
    static constexpr double MAX_SECONDS = 10;

    ReviewDialog(int budgetMs, QWidget* parent);
    int budgetMs() const;
    QDoubleSpinBox* seconds() const { return seconds_; }

private:
    QDoubleSpinBox* seconds_;
};

}  // namespace velmora::ui
