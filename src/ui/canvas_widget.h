#pragma once
#include <QFont>
#include <QImage>
#include <QWidget>

#include "ports/canvas.h"
#include "ui/pictures.h"

namespace velmora::ui {

// The window's client area: a persistent back buffer that every drawing call
// paints into; painting the widget only shows the buffer.
class CanvasWidget : public QWidget, public Canvas {
    Q_OBJECT
public:
    static constexpr double TWIPS_PER_PIXEL = 15.0;
    // The client area the game draws on, in logical pixels.
    static constexpr int CLIENT_WIDTH = 860;
    static constexpr int CLIENT_HEIGHT = 446;

    CanvasWidget(const Pictures& pictures, QWidget* parent = nullptr);

    void drawPicture(int code, double x, double y) override;
    void drawOutline(double x, double y, double width, double height, int colour) override;
    void drawText(double x, double y, const std::string& text, int pointSize, bool bold, int colour) override;
    void fillBackground(int colour) override;
    void refresh() override;

    const QImage& backBuffer() const { return buffer_; }
    QSize sizeHint() const override { return {CLIENT_WIDTH, CLIENT_HEIGHT}; }

signals:
    // Button 1 left, 2 right, 4 any other; position in twips.
    void mouseDown(int button, double xTwips, double yTwips);
    void firstFramePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Pictures& pictures_;
    QImage buffer_;
    QFont font_;
    bool painted_ = false;
};

}  // namespace velmora::ui
