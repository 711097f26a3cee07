#!/usr/bin/python3
"""Draws every picture of the game into assets/images/, at 1x and at 2x ("@2x").

  /usr/bin/python3 assets/artwork/make_artwork.py

Needs Pillow only.  The output is the same on every run: all randomness comes from
fixed seeds and the drawing uses no fonts.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True        # keep the source folder free of __pycache__

from buttons import (BUTTON, BUTTON_FIGURES, FIGURE_OFFSET, HALO_COLOUR,  # noqa: E402
                     HALO_RADIUS, HALO_STRENGTH, NO_HIGHLIGHT, highlighted_face,
                     raised_face)
from logo import render_logo          # noqa: E402
from icon import PNG_SIZES, icon_svg, render_icon  # noqa: E402
from pieces import FIGURES            # noqa: E402
from textures import BACKGROUNDS, RED_MARBLE, TEAL_MARBLE, render  # noqa: E402

OUT_DIR = os.path.normpath(os.path.join(HERE, "..", "images"))
ICON_DIR = os.path.normpath(os.path.join(HERE, "..", "icons"))

SQUARE = 35
TILE = 36
SCALES = (1, 2, 3)
SUPERSAMPLE = 16          # canvas pixels per logical pixel; box-filtered down to 1x, 2x or 3x

# Shade 0 squares (suffix 1) are teal marble, shade 1 squares (suffix 2) red marble.
SHADES = (("1", "KARA_MASU1", TEAL_MARBLE), ("2", "KARA_MASU2", RED_MARBLE))

# Figure colour and the colour of its outline and inner marks.
SIDES = {
    "W": ((224, 224, 224, 255), (22, 22, 22, 255)),
    "B": ((49, 49, 49, 255), (190, 190, 190, 255)),
}
OUTLINE = 1.0             # outline width in logical pixels, at every scale


def draw_figure(steps, scale, fill, ink):
    """Paints a figure on a transparent canvas and returns it at the output size."""
    px = SUPERSAMPLE                   # one canvas serves both scales
    size = SQUARE * px
    canvas = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(canvas)

    def sp(points):
        return [(x * px, y * px) for x, y in points]

    def stroke(points, width, closed):
        pts = sp(points)
        if closed:
            pts = pts + pts[:2]
        w = max(1, int(round(width * px)))
        draw.line(pts, fill=ink, width=w, joint="curve")
        if not closed:
            r = width * px / 2
            for x, y in (pts[0], pts[-1]):
                draw.ellipse((x - r, y - r, x + r, y + r), fill=ink)

    for step in steps:
        kind, points = step[0], step[1]
        if kind == "body":
            draw.polygon(sp(points), fill=fill)
            stroke(points, OUTLINE, closed=True)
        elif kind == "ink":
            draw.polygon(sp(points), fill=ink)
        elif kind == "line":
            stroke(points, step[2], closed=False)
    out = SQUARE * scale
    return canvas.resize((out, out), Image.BOX)


def place_figure(figure, scale):
    """The figure on a transparent button-sized layer, at FIGURE_OFFSET."""
    layer = Image.new("RGBA", (BUTTON * scale, BUTTON * scale), (0, 0, 0, 0))
    layer.alpha_composite(figure, (FIGURE_OFFSET[0] * scale, FIGURE_OFFSET[1] * scale))
    return layer


def halo(layer, scale):
    """A soft light around the figure's silhouette, for the highlighted buttons."""
    alpha = layer.getchannel("A").filter(ImageFilter.MaxFilter(2 * scale + 1))
    alpha = alpha.filter(ImageFilter.GaussianBlur(HALO_RADIUS * scale))
    alpha = alpha.point(lambda v: int(round(v * HALO_STRENGTH)))
    glow = Image.new("RGBA", layer.size, HALO_COLOUR + (255,))
    glow.putalpha(alpha)
    return glow


def piece_buttons(scale):
    """The promotion dialogs' buttons: (name, picture) for both colours."""
    rest = render(raised_face, BUTTON, BUTTON, scale, 4).convert("RGBA")
    chosen = render(highlighted_face, BUTTON, BUTTON, scale, 4).convert("RGBA")
    for side, (fill, ink) in SIDES.items():
        for name, stem in BUTTON_FIGURES:
            layer = place_figure(draw_figure(FIGURES[stem](), scale, fill, ink), scale)
            img = rest.copy()
            img.alpha_composite(layer)
            yield "%s_%s" % (side, name), img
            if name in NO_HIGHLIGHT:
                continue
            img = chosen.copy()
            img.alpha_composite(halo(layer, scale))
            img.alpha_composite(layer)
            yield "%s_%s_S" % (side, name), img


def save(img, name, scale):
    suffix = "" if scale == 1 else "@%dx" % scale
    path = os.path.join(OUT_DIR, name + suffix + ".png")
    img.convert("RGB").save(path, optimize=True)
    return path


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    written = []
    for scale in SCALES:
        for suffix, empty_name, marble in SHADES:
            square = render(marble, SQUARE, SQUARE, scale, 3)
            written.append(save(square, empty_name, scale))
            for side, (fill, ink) in SIDES.items():
                for stem, figure in FIGURES.items():
                    piece = draw_figure(figure(), scale, fill, ink)
                    img = square.convert("RGBA")
                    img.alpha_composite(piece)
                    written.append(save(img, "%s_%s_%s" % (side, stem, suffix), scale))
        for name, fn in BACKGROUNDS.items():
            written.append(save(render(fn, TILE, TILE, scale, 4), name, scale))
        written.append(save(render_logo(scale), "title_logo", scale))
        for name, img in piece_buttons(scale):
            written.append(save(img, name, scale))
    os.makedirs(ICON_DIR, exist_ok=True)
    for size in PNG_SIZES:
        path = os.path.join(ICON_DIR, "velmora-%d.png" % size)
        render_icon(size).save(path, optimize=True)
        written.append(path)
    with open(os.path.join(ICON_DIR, "velmora.svg"), "w") as f:
        f.write(icon_svg())
    written.append(os.path.join(ICON_DIR, "velmora.svg"))
    print("wrote %d pictures to %s and %s" % (len(written), OUT_DIR, ICON_DIR))


if __name__ == "__main__":
    main()
