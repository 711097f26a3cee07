#include "ui/time_control_dialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>

#include "ui/dialog_buttons.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

TimeControlDialog::TimeControlDialog(TimeControl current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      minutes_(new QDoubleSpinBox(this)),
      increment_(new QDoubleSpinBox(this)) {
    setObjectName("TimeControlDialog");
    setWindowTitle(windowText("持ち時間の設定"));
    minutes_->setObjectName("Minutes");
    minutes_->setRange(DIALOG_MIN_MINUTES, MAX_MINUTES);
    minutes_->setDecimals(1);
    minutes_->setSingleStep(0.5);
    minutes_->setValue(current.baseMs / 60'000.0);
    increment_->setObjectName("Increment");
    increment_->setRange(0, MAX_INCREMENT_SECONDS);
    increment_->setDecimals(1);
    increment_->setSingleStep(1);
    increment_->setValue(current.incrementMs / 1'000.0);
    auto* form = new QFormLayout(this);
    form->addRow(windowText("持ち時間（分）"), minutes_);
    form->addRow(windowText("加算（秒）"), increment_);
    form->addRow(okCancelButtons(*this));
    form->setSizeConstraint(QLayout::SetFixedSize);
    minutes_->setFocus();
    minutes_->selectAll();
}

TimeControl TimeControlDialog::control() const {
    // The fields keep their values in range; the dialog's own check is the same.
    return timeControlOf(minutes_->value(), increment_->value()).value_or(TimeControl{});
}

}  // namespace velmora::ui
