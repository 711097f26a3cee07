#!/usr/bin/python3
"""Draw the picture of Velmora's version dialog.

    /usr/bin/python3 make_version_picture.py [OUTPUT_DIR]

Writes version.png (337 x 106, the dialog's size) and version@2x.png (674 x 212)
into OUTPUT_DIR, by default the folder of this script. Needs Pillow and the
DejaVu fonts (Debian: python3-pil, fonts-dejavu-core).

The dialog lays its two buttons over the lower band of the picture (at about
y = 72..97 px, x = 40..145 and 192..297), so everything that must be read
stays in the upper 68 px and the lower band is kept plain.
"""

import os
import re
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

NAME = "Velmora"
HERE = os.path.dirname(os.path.abspath(__file__))


def project_version():
    """The one version number, from project(... VERSION x.y.z) in CMakeLists.txt."""
    with open(os.path.join(HERE, "..", "..", "CMakeLists.txt")) as f:
        m = re.search(r"project\(\s*\w+\s+VERSION\s+([0-9.]+)", f.read())
    return m.group(1)


VERSION_NUMBER = project_version()
VERSION = "Version " + VERSION_NUMBER

WIDTH, HEIGHT = 337, 106
SUPERSAMPLE = 4  # draw large, then scale down: smooth edges at any size

FONT_DIRS = ("/usr/share/fonts/truetype/dejavu",
             "/usr/share/fonts/dejavu",
             "/usr/local/share/fonts")

# Colours: the game's green, deepened, with a warm gold accent.
GREEN_DARK = (6, 38, 21)
GREEN_MID = (14, 84, 45)
GREEN_LIGHT = (38, 128, 72)
GOLD = (214, 178, 84)
GOLD_LIGHT = (246, 221, 146)
CREAM = (250, 246, 232)
LIGHT_SQ = (236, 220, 184)
DARK_SQ = (150, 105, 64)


def find_font(name):
    for d in FONT_DIRS:
        path = os.path.join(d, name)
        if os.path.exists(path):
            return path
    sys.exit("font %s not found; install fonts-dejavu-core" % name)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def background(w, h):
    """Diagonal green gradient with a soft light behind the title."""
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        for x in range(w):
            t = 0.55 * (x / w) + 0.45 * (1.0 - y / h)
            if t < 0.5:
                c = lerp(GREEN_DARK, GREEN_MID, t / 0.5)
            else:
                c = lerp(GREEN_MID, GREEN_LIGHT, (t - 0.5) / 0.5)
            px[x, y] = c
    # Glow: a blurred ellipse of light, screened over the gradient.
    glow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(glow).ellipse((int(w * 0.18), int(-h * 0.35), int(w * 0.92), int(h * 0.75)), fill=70)
    glow = glow.filter(ImageFilter.GaussianBlur(h * 0.22))
    light = Image.new("RGB", (w, h), (120, 200, 150))
    return Image.composite(ImageChops.screen(img, light), img, glow)


def faint_board(img, s):
    """A checkerboard that fades out towards the left, on the right-hand side."""
    w, h = img.size
    cell = 13 * s
    layer = Image.new("RGB", (w, h), (255, 255, 255))
    mask = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(mask)
    x0 = w - cell * 9
    for row in range(-1, h // cell + 2):
        for col in range(10):
            if (row + col) % 2 == 0:
                x = x0 + col * cell
                y = row * cell - cell // 3
                fade = max(0.0, min(1.0, (x - x0) / (cell * 6.0)))
                d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=int(22 * fade))
    img.paste(layer, (0, 0), mask)


def emblem(draw, x, y, s):
    """Two small boards side by side: the game's mark."""
    cell = 5 * s
    gap = 4 * s
    frame = 2 * s
    for b in range(2):
        bx = x + b * (4 * cell + gap + 2 * frame)
        draw.rounded_rectangle((bx, y, bx + 4 * cell + 2 * frame, y + 4 * cell + 2 * frame),
                               radius=2 * s, fill=GOLD)
        for r in range(4):
            for c in range(4):
                col = LIGHT_SQ if (r + c) % 2 == 0 else DARK_SQ
                cx = bx + frame + c * cell
                cy = y + frame + r * cell
                draw.rectangle((cx, cy, cx + cell - 1, cy + cell - 1), fill=col)
    return 2 * (4 * cell + 2 * frame) + gap


def text_with_shadow(img, pos, text, font, fill, s, blur=1.6, offset=(1, 1), shadow_alpha=150):
    w, h = img.size
    shadow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shadow).text((pos[0] + offset[0] * s, pos[1] + offset[1] * s), text, font=font, fill=shadow_alpha)
    shadow = shadow.filter(ImageFilter.GaussianBlur(blur * s))
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), shadow)
    ImageDraw.Draw(img).text(pos, text, font=font, fill=fill)


def render(scale):
    s = scale * SUPERSAMPLE
    w, h = WIDTH * s, HEIGHT * s
    img = background(w, h)
    faint_board(img, s)
    draw = ImageDraw.Draw(img)

    # Lower band, where the dialog's buttons sit: a little darker and plain.
    band_top = 68 * s
    band = Image.new("RGB", (w, h - band_top), GREEN_DARK)
    band_mask = Image.linear_gradient("L").resize((w, h - band_top)).point(lambda v: 60 + v * 60 // 255)
    img.paste(band, (0, band_top), band_mask)
    draw = ImageDraw.Draw(img)
    draw.line((0, band_top, w, band_top), fill=GOLD, width=max(1, s // 2))

    # Outer frame: a thin gold line inset from the edge.
    inset = 3 * s
    draw.rounded_rectangle((inset, inset, w - inset - 1, h - inset - 1), radius=5 * s,
                           outline=lerp(GOLD, GREEN_MID, 0.45), width=max(1, s // 2))

    # Emblem and name.
    ex, ey = 16 * s, 17 * s
    ew = emblem(draw, ex, ey, s)
    name_font = ImageFont.truetype(find_font("DejaVuSerif-Bold.ttf"), 34 * s)
    ver_font = ImageFont.truetype(find_font("DejaVuSans.ttf"), 11 * s)
    nx = ex + ew + 12 * s
    # Place the name so that its cap height is centred on the emblem.
    top = name_font.getbbox(NAME)[1]
    ny = ey - top - 4 * s
    text_with_shadow(img, (nx, ny), NAME, name_font, CREAM, s)
    draw = ImageDraw.Draw(img)

    # Gold rule under the name, and the version to its right end.
    name_box = draw.textbbox((nx, ny), NAME, font=name_font)
    rule_y = name_box[3] + 6 * s
    draw.line((nx, rule_y, w - 18 * s, rule_y), fill=GOLD, width=max(1, s))
    vb = draw.textbbox((0, 0), VERSION, font=ver_font)
    vx = w - 18 * s - (vb[2] - vb[0])
    vy = rule_y + 3 * s - vb[1]
    text_with_shadow(img, (vx, vy), VERSION, ver_font, GOLD_LIGHT, s, blur=1.0, shadow_alpha=120)

    return img.resize((WIDTH * scale, HEIGHT * scale), Image.LANCZOS)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out_dir, exist_ok=True)
    for scale, name in ((1, "version.png"), (2, "version@2x.png")):
        path = os.path.join(out_dir, name)
        render(scale).save(path, optimize=True)
        print("%-16s %dx%d" % (name, WIDTH * scale, HEIGHT * scale))
    # The number the pictures show, for the test that keeps them in step with the project.
    with open(os.path.join(out_dir, "version.txt"), "w") as f:
        f.write(VERSION_NUMBER + "\n")


if __name__ == "__main__":
    main()
