"""The program's icon: the logo's "V" in its yellow, magenta and black on the
logo's blue, on a rounded square. Drawn from the same strokes as the title
logo, as PNG at the icon theme's sizes and as SVG."""

from PIL import Image, ImageDraw

from logo import (BASELINE, BLACK, BLUE, CAPTOP, MAGENTA, SLANT, STROKE, YELLOW, YELLOW_LIGHT,
                  _draw_strokes, _letters)

UNITS = 64.0            # the icon's own square, in units
CORNER = 12.0           # radius of the rounded corners
RIM = (60, 0, 50)
PNG_SIZES = (48, 64, 128, 256)


def _v_strokes():
    """The logo's V, leaned as in the logo, scaled and centred in the square."""
    parts, width = _letters()[0]
    height = BASELINE - CAPTOP
    k = 40.0 / height
    lean = SLANT * height
    x0 = (UNITS - (width + lean) * k) / 2 - 1.5
    y0 = (UNITS - height * k) / 2 - 1.5
    return [[(x0 + (x + SLANT * (BASELINE - y)) * k, y0 + (y - CAPTOP) * k) for x, y in part] for part in parts], k


# Layers from the back: shadow, extrusion steps, rim, face, highlight.
def _layers(k):
    layers = [(STROKE + 1.6, BLACK, 2.6, 2.6)]
    for i in range(8, 0, -1):
        d = 1.8 * i / 8
        layers.append((STROKE + 0.6, MAGENTA, d, d))
    layers += [(STROKE + 0.9, RIM, 0, 0), (STROKE, YELLOW, 0, 0), (STROKE * 0.35, YELLOW_LIGHT, -0.55, -0.55)]
    return [(w * k, colour, dx * k, dy * k) for w, colour, dx, dy in layers]


def render_icon(size, supersample=8):
    s = size * supersample / UNITS
    img = Image.new("RGBA", (size * supersample, size * supersample), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    draw.rounded_rectangle((0, 0, size * supersample - 1, size * supersample - 1), radius=CORNER * s, fill=BLUE)
    strokes, k = _v_strokes()
    for width, colour, dx, dy in _layers(k):
        _draw_strokes(draw, strokes, s, width, colour, dx, dy)
    return img.resize((size, size), Image.BOX)


def icon_svg():
    strokes, k = _v_strokes()
    hexc = lambda c: "#%02x%02x%02x" % c
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">',
           '  <rect width="64" height="64" rx="%g" fill="%s"/>' % (CORNER, hexc(BLUE))]
    for width, colour, dx, dy in _layers(k):
        for pts in strokes:
            points = " ".join("%.2f,%.2f" % (x + dx, y + dy) for x, y in pts)
            out.append('  <polyline points="%s" fill="none" stroke="%s" stroke-width="%.2f" '
                       'stroke-linecap="round" stroke-linejoin="round"/>' % (points, hexc(colour), width))
    out.append('</svg>')
    return "\n".join(out) + "\n"
