#include "ui/review_dialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <cmath>

#include "ui/dialog_buttons.h"
#include "ui/qt_translation.h"

namespace velmora::ui {

ReviewDialog::ReviewDialog(int budgetMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), seconds_(new QDoubleSpinBox(this)) {
    setObjectName("ReviewDialog");
    setWindowTitle(windowText("対局の解析"));
    seconds_->setObjectName("Seconds");
    seconds_->setRange(MIN_SECONDS, MAX_SECONDS);
    seconds_->setDecimals(1);
    seconds_->setSingleStep(0.1);
    seconds_->setValue(budgetMs / 1000.0);
    auto* form = new QFormLayout(this);
    form->addRow(windowText("1局面の解析時間（秒）"), seconds_);
    form->addRow(okCancelButtons(*this));
    form->setSizeConstraint(QLayout::SetFixedSize);
    seconds_->setFocus();
    seconds_->selectAll();
}

int ReviewDialog::budgetMs() const { return static_cast<int>(std::lround(seconds_->value() * 1000)); }

}  // namespace velmora::ui
