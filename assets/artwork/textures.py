"""Seeded, tileable textures: the marble of the board squares and the five backgrounds.

Every texture is a colour function of logical pixel coordinates (x, y) that repeats
every PERIOD pixels in both directions.  A picture at any scale samples the same
function, so the 1x and 2x files show the same marble, and tiles laid side by side
continue into each other.
"""

import math

from PIL import Image

PERIOD = 35.0


def _hash01(i, j, seed):
    """Deterministic pseudo-random number in [0, 1) for a lattice point."""
    h = (i * 374761393 + j * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return h / 4294967296.0


def _fade(t):
    return t * t * t * (t * (t * 6 - 15) + 10)


def value_noise(x, y, cells, seed):
    """Smooth noise in [0, 1) on a lattice of cells x cells per period; wraps at PERIOD."""
    gx = x / PERIOD * cells
    gy = y / PERIOD * cells
    i0 = math.floor(gx)
    j0 = math.floor(gy)
    fx = _fade(gx - i0)
    fy = _fade(gy - j0)
    i0 %= cells
    j0 %= cells
    i1 = (i0 + 1) % cells
    j1 = (j0 + 1) % cells
    a = _hash01(i0, j0, seed)
    b = _hash01(i1, j0, seed)
    c = _hash01(i0, j1, seed)
    d = _hash01(i1, j1, seed)
    top = a + (b - a) * fx
    bottom = c + (d - c) * fx
    return top + (bottom - top) * fy


def fbm(x, y, cells, octaves, seed):
    """Several octaves of value noise, normalised to [0, 1)."""
    total = 0.0
    amp = 1.0
    norm = 0.0
    for k in range(octaves):
        total += amp * value_noise(x, y, cells << k, seed + 101 * k)
        norm += amp
        amp *= 0.5
    return total / norm


def _mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def _shade(colour, factor):
    return tuple(v * factor for v in colour)


# ---------------------------------------------------------------- marble squares

class Marble:
    """Veined marble around a dominant colour.

    The veins follow sin(2*pi*(kx*u + ky*v) + turbulence): with integer kx, ky the
    pattern wraps at the tile edge.  Most of the surface stays close to the base
    colour so pieces stand out; veins are a lighter and a darker tone.
    """

    def __init__(self, base, light, dark, seed, kx, ky):
        self.base, self.light, self.dark = base, light, dark
        self.seed, self.kx, self.ky = seed, kx, ky

    def __call__(self, x, y):
        turb = fbm(x, y, 3, 4, self.seed)
        phase = 2 * math.pi * (self.kx * x + self.ky * y) / PERIOD + 5.0 * turb
        colour = self.base
        # Soft clouding over the whole square, darker where the noise is low.
        cloud = fbm(x, y, 4, 3, self.seed + 7) - 0.5
        colour = _shade(colour, 1.0 + 0.18 * cloud)
        colour = _mix(colour, self.dark, 0.45 * max(0.0, -cloud - 0.08) / 0.42)
        # A main vein on each wave crest and fainter hairline veins between them.
        main = max(0.0, (math.sin(phase) - 0.88) / 0.12)
        hair = max(0.0, (math.sin(2 * phase + 1.3 + 3.0 * cloud) - 0.94) / 0.06)
        colour = _mix(colour, self.light, 0.55 * main + 0.30 * hair)
        return colour


TEAL_MARBLE = Marble((69, 155, 155), (170, 222, 214), (40, 108, 112), seed=11, kx=1, ky=1)
RED_MARBLE = Marble((186, 100, 100), (236, 178, 166), (140, 66, 70), seed=23, kx=-1, ky=1)


# ---------------------------------------------------------------- background tiles

def green_field(x, y):
    """Plain green with scattered darker patches and tufts."""
    base = (0, 128, 0)
    n = fbm(x, y, 5, 3, 301)
    spots = fbm(x, y, 10, 2, 307)
    colour = base
    if n > 0.62:
        colour = _mix(colour, (0, 104, 0), min(1.0, (n - 0.62) / 0.06))
    if spots > 0.72:
        colour = _mix(colour, (0, 78, 0), min(1.0, (spots - 0.72) / 0.06))
    return colour


def tatami(x, y):
    """Rush matting: rows of horizontal straws bound by faint warp threads every 7 px."""
    base = (48, 190, 132)
    xm = x % PERIOD
    ym = y % PERIOD
    bay = int(xm // 7)
    # Straws are 2.5 px high (14 per tile); neighbouring bays are shifted by half a
    # straw, which is how the weave looks from above.
    row_pos = ym / 2.5 + 0.5 * (bay % 2)
    row = math.floor(row_pos)
    t = row_pos - row
    straw = math.sin(math.pi * t) ** 0.6                     # 0 in the gaps, 1 mid-straw
    tone = 0.94 + 0.10 * (_hash01(row % 14, bay % 5, 401) - 0.5)
    colour = _shade(base, tone * (0.82 + 0.24 * straw))
    grain = fbm(x, y, 20, 2, 411) - 0.5
    colour = _shade(colour, 1.0 + 0.08 * grain)
    warp = abs(xm - (bay * 7 + 0.5))
    warp = min(warp, abs(xm - (bay * 7 + 7.5)))
    if warp < 0.5:
        colour = _mix(colour, (30, 130, 92), 0.55 * (1.0 - warp / 0.5))
    return colour


def bamboo(x, y):
    """Two upright stalks per tile, rounded by shading, each with one node."""
    base = (21, 185, 142)
    xm = x % PERIOD
    ym = y % PERIOD
    if xm < 17.5:
        left, width, node = 0.0, 17.5, 9.0
    else:
        left, width, node = 17.5, 17.5, 26.0
    s = (xm - left) / width                                  # 0..1 across the stalk
    # Cylinder shading: bright band left of centre, dark rims.
    round_ = math.sin(math.pi * s)
    colour = _shade(base, 0.66 + 0.40 * round_)
    highlight = max(0.0, 1.0 - abs(s - 0.33) / 0.10)
    colour = _mix(colour, (150, 236, 204), 0.45 * highlight)
    streak = fbm(x * 0.15, y * 2.0, 35, 2, 521) - 0.5          # faint lengthwise fibres
    colour = _shade(colour, 1.0 + 0.10 * streak)
    d = (ym - node + PERIOD / 2) % PERIOD - PERIOD / 2       # signed distance to the node
    if -1.0 <= d < 0.0:
        colour = _mix(colour, (8, 88, 62), 0.85)
    elif 0.0 <= d < 1.2:
        colour = _mix(colour, (170, 240, 210), 0.55)
    elif 1.2 <= d < 3.0:
        colour = _shade(colour, 0.92)
    return colour


def _stars():
    """Star positions (pixel centres at 1x), radius and brightness, from a fixed seed."""
    stars = []
    for k in range(26):
        px = int(_hash01(k, 1, 601) * PERIOD)
        py = int(_hash01(k, 2, 601) * PERIOD)
        b = _hash01(k, 3, 601)
        if b > 0.8:
            stars.append((px + 0.5, py + 0.5, 0.75, 255))
        elif b > 0.45:
            stars.append((px + 0.5, py + 0.5, 0.55, 200))
        else:
            stars.append((px + 0.5, py + 0.5, 0.5, 120))
    return stars


STARS = _stars()


def space(x, y):
    """Black sky with white and grey stars and a faint glow on the brightest ones."""
    value = 0.0
    for sx, sy, r, b in STARS:
        dx = (x - sx + PERIOD / 2) % PERIOD - PERIOD / 2
        dy = (y - sy + PERIOD / 2) % PERIOD - PERIOD / 2
        d = math.hypot(dx, dy)
        if d < r:
            value = max(value, b)
        elif b == 255 and d < 1.6:
            value = max(value, 70 * (1.6 - d) / 0.85)
    return (value, value, value)


def _brick_colour(course, index):
    pick = _hash01(course, index, 701)
    return (153, 102, 102) if pick < 0.5 else (153, 102, 51)


def brick(x, y):
    """Running bond: five 7-px courses, bricks 17 and 18 px long, 1-px grey mortar."""
    xm = x % PERIOD
    ym = y % PERIOD
    course = int(ym // 7)
    if ym - course * 7 < 1.0:
        return _shade((85, 85, 85), 1.0 + 0.12 * (fbm(x, y, 17, 1, 709) - 0.5))
    offset = 9.0 if course % 2 else 0.0
    bx = (xm - offset) % PERIOD
    joints = (0.0, 17.0)
    if any(0.0 <= bx - j < 1.0 for j in joints):
        return _shade((85, 85, 85), 1.0 + 0.12 * (fbm(x, y, 17, 1, 709) - 0.5))
    index = 0 if bx < 17.0 else 1
    colour = _brick_colour(course, index)
    grain = fbm(x, y, 12, 2, 711) - 0.5
    colour = _shade(colour, 1.0 + 0.16 * grain)
    # A lighter top edge and darker bottom edge give each brick a little relief.
    top = ym - course * 7 - 1.0
    if top < 1.0:
        colour = _shade(colour, 1.08)
    elif top > 5.0:
        colour = _shade(colour, 0.90)
    return colour


BACKGROUNDS = {
    "HAIKEI_MIDORI": green_field,
    "HAIKEI_TATAMI": tatami,
    "HAIKEI_TAKE": bamboo,
    "HAIKEI_UCHU": space,
    "HAIKEI_RENGA": brick,
}


# ---------------------------------------------------------------- sampling

def render(fn, width, height, scale, samples):
    """Sample a colour function over width x height logical pixels at the given scale.

    Each output pixel averages samples x samples points, which smooths the hard
    edges (mortar, nodes, stars) without blurring the noise.
    """
    w, h = width * scale, height * scale
    img = Image.new("RGB", (w, h))
    data = []
    inv = 1.0 / (samples * samples)
    for py in range(h):
        for px in range(w):
            r = g = b = 0.0
            for sy in range(samples):
                y = (py + (sy + 0.5) / samples) / scale
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / scale
                    c = fn(x, y)
                    r += c[0]
                    g += c[1]
                    b += c[2]
            data.append((_clamp(r * inv), _clamp(g * inv), _clamp(b * inv)))
    img.putdata(data)
    return img


def _clamp(v):
    return max(0, min(255, int(round(v))))
