#pragma once
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "input/mouse_input.h"
#include "ports/canvas_port.h"
#include "ui/drawing_list.h"
#include "ui/picture_transform.h"
#include "ui/pictures.h"

namespace velmora::ui {

// The window's client area. Every drawing call is kept in a list, in picture
// coordinates, and painted into a back buffer of the client area's device
// pixels; the widget only shows the buffer. Each call marks what it changed
// for the next paint, so what was drawn reaches the screen when control
// returns to the event loop. The picture keeps its proportions at every size:
// scaled uniformly, centred, the background tile continued around it.
class CanvasWidget : public QWidget, public Canvas {
    Q_OBJECT
public:
    static constexpr double TWIPS_PER_PIXEL = PictureTransform::TWIPS_PER_PIXEL;
    // A position in twips as whole picture pixels.
    static int pixels(double twips) { return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL)); }
    // The picture the game draws on, in logical pixels at its natural size.
    static constexpr int CLIENT_WIDTH = PictureTransform::PICTURE_WIDTH;
    static constexpr int CLIENT_HEIGHT = PictureTransform::PICTURE_HEIGHT;

    CanvasWidget(Pictures& pictures, QWidget* parent = nullptr);

    void drawPicture(int code, double x, double y) override;
    void drawOutline(double x, double y, double width, double height, PaletteColour colour) override;
    void drawText(double x, double y, const std::string& text, int pointSize, bool bold, PaletteColour colour) override;
    void fillBackground(PaletteColour colour) override;
    void setBackdrop(int code) override;
    void refresh() override;
    void setMarks(const std::vector<CellMark>& marks) override;
    // The keyboard's square cursor, a ring inside the last move's marks, kept
    // above everything drawn; nothing hides it.
    void setKeyCursor(const std::optional<CellMark>& cursor);

    // The move list: a child at the right edge, shown while the person wants
    // it and the client area has room for it beside the picture: at no less
    // than the picture's natural size, or at the scale the height allows.
    void setSidePanel(QWidget* panel);
    // A panel under the side panel, sharing its place, shown while wanted:
    // it takes `share` of the height.
    void setSidePanelFoot(QWidget* foot);
    void showSidePanelFoot(bool shown, double share = 0.4);
    void showSidePanel(bool shown);
    bool sidePanelShown() const;

    // A press has picked up the piece drawn on the cell at (x, y) twips: from
    // now on, moving with `button` held drags it, the square left empty and
    // the piece under the pointer, until the button is released.
    void armDrag(double xTwips, double yTwips, velmora::MouseButton button);
    bool dragging() const { return drag_.moving; }

    // The whole client area in device pixels, as the next paint shows it.
    const QImage& backBuffer();
    const PictureTransform& transform() const { return transform_; }
    const DrawingList& drawing() const { return list_; }
    // A point of the picture (logical pixels at natural size) in the widget.
    QPoint toWidget(QPointF picture) const { return transform_.toWidget(picture).toPoint(); }
    QSize sizeHint() const override { return {CLIENT_WIDTH, CLIENT_HEIGHT}; }
    // Draws the whole client area again from the list (for measuring).
    void renderAll();

signals:
    // Button 1 left, 2 right, 4 any other; position in twips of the picture.
    void mouseDown(velmora::MouseButton button, double xTwips, double yTwips);
    void firstFramePainted();
    // A dragged piece was let go at this place (twips of the picture).
    void pieceDropped(velmora::MouseButton button, double xTwips, double yTwips);
    // A piece armed for dragging was let go without moving: a plain click
    // (the game has handled it on the press; the position editor has not).
    void releasedInPlace(velmora::MouseButton button, double xTwips, double yTwips);
    // The scale or place of the picture changed (the record panel follows it).
    void transformChanged(const PictureTransform& transform);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QFont fontFor(int pointSize, bool bold, double deviceScale) const;
    QRect textBounds(QPointF at, const QString& text, int pointSize, bool bold) const;
    void renderOp(QPainter& p, const DrawOp& op);
    void renderBackdrop(QPainter& p, const QRegion& area);
    void renderRegion(const QRect& pictureRect);
    // What lies above the drawing: the dragged piece's empty square, the
    // last move's marks, the dragged piece.
    void renderOverlay(QPainter& p, const QRect& pictureArea);
    // A ring `inset` rings of marks inside the cell's own outline.
    void renderMark(QPainter& p, const QRect& cell, PaletteColour colour, int inset = 1);
    // Draws again the cells of marks that came, went or moved.
    void redrawCells(const std::vector<QRect>& cells);
    QRect floatingBounds() const;
    const QImage& floatingPiece(QSize deviceSize);
    void endDrag();
    PictureTransform fitted() const;
    // The picture fitted again to the client area and the side panel's room.
    void refit();
    void placeSidePanel();
    void changed(const QRect& device);
    bool ready();
    void ensureRendered();

    Pictures& pictures_;
    DrawingList list_;
    PictureTransform transform_;
    QImage buffer_;
    QFont font_;
    PaletteColour backColour_ = BACK_COLOR;
    int backdrop_ = -1;
    bool valid_ = false;
    bool painted_ = false;
    QRect pending_;
    struct Mark {
        QRect cell;
        PaletteColour colour;
        bool operator==(const Mark&) const = default;
    };
    std::vector<Mark> marks_;
    std::optional<Mark> cursor_;
    QWidget* sidePanel_ = nullptr;
    QWidget* sidePanelFoot_ = nullptr;
    bool footWanted_ = false;
    double footShare_ = 0.4;
    bool sidePanelWanted_ = true;
    struct Drag {
        bool armed = false;
        bool moving = false;
        Qt::MouseButton button = Qt::NoButton;
        velmora::MouseButton gameButton = velmora::MouseButton::Other;
        QPoint pressedAt;     // widget pixels
        QRect origin;         // the piece's cell, picture pixels
        int pieceCode = 0;
        int emptyCode = 0;
        QPointF pointer;      // picture pixels
    } drag_;
    QPoint lastPress_;
    QImage floating_;
    quint64 floatingKey_ = 0;
};

}  // namespace velmora::ui
