#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "ui/qt_translation.h"

namespace velmora::ui {

// The game's OK and キャンセル under a dialog's fields: OK the default,
// each closing the dialog with its answer.
inline QDialogButtonBox* okCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(windowText("キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace velmora::ui
