#pragma once
#include <QDialog>
#include <QImage>
#include <functional>

#include "ports/version_dialog_port.h"

class QPushButton;

namespace velmora::ui {

// The version dialog: the program's picture with the buttons ホームページ and
// O K over its lower band. O K has the focus when it opens.
class Form4 : public QDialog {
    Q_OBJECT
public:
    Form4(std::function<void()> homePage, QWidget* parent);

    QPushButton* command1() const { return command1_; }  // ホームページ
    QPushButton* command2() const { return command2_; }  // O K

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> homePage_;
    QPushButton* command1_;
    QPushButton* command2_;
    QImage picture_;
    QImage sharpPicture_;
};

// Opens Form4 modally over the main window.
class QtVersionDialog : public VersionDialog {
public:
    explicit QtVersionDialog(QWidget* window) : window_(window) {}
    // What ホームページ does before the dialog closes.
    void setHomePage(std::function<void()> homePage) { homePage_ = std::move(homePage); }
    void showVersionDialog() override;

private:
    QWidget* window_;
    std::function<void()> homePage_;
};

}  // namespace velmora::ui
