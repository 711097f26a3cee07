"""Title logo: "Velmora" in hand-built stroke letters, yellow on blue,
with a magenta extrusion and a black drop shadow."""

import math

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 105, 55
BLUE = (51, 153, 255)
YELLOW = (255, 236, 0)
YELLOW_LIGHT = (255, 252, 150)
MAGENTA = (230, 0, 200)
BLACK = (0, 0, 0)

BASELINE = 38.0
XHEIGHT = 24.5          # top of the lower-case letters
CAPTOP = 12.5           # top of the V and the l
STROKE = 3.7
SLANT = 0.16            # italic lean: x shift per pixel of height above the baseline


def _arc(cx, cy, rx, ry, a0, a1, steps=40):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


def _letters():
    """Centre-line strokes of each letter, with its advance width."""
    mid = (XHEIGHT + BASELINE) / 2
    ry = (BASELINE - XHEIGHT) / 2
    return [
        ([[(0, CAPTOP), (6.0, BASELINE), (12.0, CAPTOP)]], 12.0),
        ([[(0.2, mid), (9.4, mid)] + _arc(4.8, mid, 4.8, ry, 0, -310)], 9.6),
        ([[(0, CAPTOP - 1.0), (0, BASELINE)]], 0.0),
        ([[(0, XHEIGHT), (0, BASELINE)],
          [(0, BASELINE)] + _arc(3.3, XHEIGHT + 4.0, 3.3, 4.0, 180, 360) + [(6.6, BASELINE)],
          _arc(9.9, XHEIGHT + 4.0, 3.3, 4.0, 180, 360) + [(13.2, BASELINE)]], 13.2),
        ([_arc(4.8, mid, 4.8, ry, 0, 360, 60)], 9.6),
        ([[(0, XHEIGHT), (0, BASELINE)],
          [(0, XHEIGHT + 5.5)] + _arc(5.2, XHEIGHT + 4.5, 5.2, 4.5, 180, 280)], 6.5),
        ([_arc(4.6, mid, 4.6, ry, 0, 360, 60), [(9.2, XHEIGHT), (9.2, BASELINE)]], 9.2),
    ]


def _layout():
    """All strokes of the word placed left to right and leaned, centred in the logo."""
    gap = STROKE + 1.7
    letters = _letters()
    total = sum(adv for _, adv in letters) + gap * (len(letters) - 1)
    lean = SLANT * (BASELINE - CAPTOP)
    x = (WIDTH - total - lean) / 2 - 1.0      # leave room for the shadow on the right
    strokes = []
    for parts, adv in letters:
        for part in parts:
            strokes.append([(x + px + SLANT * (BASELINE - py), py) for px, py in part])
        x += adv + gap
    return strokes


def _draw_strokes(draw, strokes, scale, width, colour, dx=0.0, dy=0.0):
    w = max(1, int(round(width * scale)))
    r = width * scale / 2
    for pts in strokes:
        sp = [((x + dx) * scale, (y + dy) * scale) for x, y in pts]
        draw.line(sp, fill=colour, width=w, joint="curve")
        for x, y in sp:
            # Round caps and joins: a disc at every vertex.
            draw.ellipse((x - r, y - r, x + r, y + r), fill=colour)


def render_logo(scale, supersample=8):
    k = scale * supersample
    img = Image.new("RGB", (WIDTH * k, HEIGHT * k), BLUE)
    draw = ImageDraw.Draw(img)
    strokes = _layout()
    # Black drop shadow, furthest back.
    _draw_strokes(draw, strokes, k, STROKE + 1.6, BLACK, 2.6, 2.6)
    # Magenta extrusion: the letter stacked down and to the right.
    for i in range(8, 0, -1):
        d = 1.8 * i / 8
        _draw_strokes(draw, strokes, k, STROKE + 0.6, MAGENTA, d, d)
    # Thin dark rim, then the yellow face with a lighter upper-left edge.
    _draw_strokes(draw, strokes, k, STROKE + 0.9, (60, 0, 50))
    _draw_strokes(draw, strokes, k, STROKE, YELLOW)
    _draw_strokes(draw, strokes, k, STROKE * 0.35, YELLOW_LIGHT, -0.55, -0.55)
    return img.resize((WIDTH * scale, HEIGHT * scale), Image.BOX)
