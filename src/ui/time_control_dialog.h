#pragma once
#include <QDialog>

#include "timing/time_control.h"

class QDoubleSpinBox;

namespace velmora::ui {

// 持ち時間 ▸ 設定...: the minutes each side starts with (0.5 to 180, in
// half minutes) and the seconds added after each move (0 to 60).
class TimeControlDialog : public QDialog {
    Q_OBJECT
public:
    TimeControlDialog(TimeControl current, QWidget* parent);
    // The control the fields show.
    TimeControl control() const;

    QDoubleSpinBox* minutes() const { return minutes_; }
    QDoubleSpinBox* increment() const { return increment_; }

private:
    QDoubleSpinBox* minutes_;
    QDoubleSpinBox* increment_;
};

}  // namespace velmora::ui
