#pragma once
#include <string>
#include <vector>

#include "ports/palette_port.h"

namespace velmora {

// A marked cell of the drawing grid, in twips, and the mark's colour.
struct CellMark {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    PaletteColour colour{};
    bool operator==(const CellMark&) const = default;
};

// The window's persistent image. Positions are twips from the client area's
// top-left corner (15 twips to a logical pixel); colours are numbers of the
// 16-colour palette.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Picture codes 0..7 (empty squares, title, background tiles) and the 24
    // piece picture codes ±10..±61; drawn at natural size, top-left at (x, y).
    virtual void drawPicture(int code, double x, double y) = 0;
    // A rectangle outline of one grid cell, not filled. In the board's green
    // it is the one-pixel grid line; in any other colour it marks the square
    // (selection, guidance, the computer's target) and is drawn two pixels
    // wide inside the cell, so that it reads on both square colours.
    virtual void drawOutline(double x, double y, double width, double height, PaletteColour colour) = 0;
    // Text in the window's Japanese serif font, top-left at (x, y).
    virtual void drawText(double x, double y, const std::string& text, int pointSize, bool bold, PaletteColour colour) = 0;
    virtual void fillBackground(PaletteColour colour) = 0;
    // The tile the background is drawn with: a window larger than the picture
    // continues it around the picture.
    virtual void setBackdrop(int /*pictureCode*/) {}
    // Brings what was drawn to the screen now.
    virtual void refresh() = 0;
    // The last move's marks, kept above everything drawn until the next call
    // replaces them: a two-pixel ring just inside the cell's own outline, so
    // that a selection or guidance outline of the same cell stays in view.
    virtual void setMarks(const std::vector<CellMark>& /*marks*/) {}
};

}  // namespace velmora
