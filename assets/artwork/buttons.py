"""Faces of the piece buttons in the two promotion dialogs, 40 x 40 logical pixels.

Two colour functions of logical pixel coordinates, sampled by textures.render:
  raised_face        the button at rest: light grey, lit from the top left
  highlighted_face   the chosen piece: a warm gold glow inside a bright frame

All band edges sit on whole logical pixels, so the bevel stays sharp at 1x and 2x.
The figure itself is drawn by make_artwork.py with the board's piece shapes.
"""

import math

BUTTON = 40

# Resource name of the button -> figure stem in pieces.FIGURES.  The buttons keep
# their own names (BISYO, NIGT), which differ from the board pictures' stems.
BUTTON_FIGURES = (
    ("QEEN", "QEEN"),
    ("BISYO", "BISH"),
    ("NIGT", "KNIG"),
    ("ROOK", "ROOK"),
    ("PORN", "PORN"),
    ("KING", "KING"),
)
# The king cannot be chosen, so its button has no highlighted twin.
NO_HIGHLIGHT = ("KING",)

# Where the 35 x 35 figure square sits on the button, in logical pixels.  The tallest
# figure (the king, 0.5 .. 31.5) ends up with equal room above and below; the axis
# falls half a pixel left of the middle, where the lit bevel makes the face look
# centred anyway.
FIGURE_OFFSET = (2, 4)

# Highlight: soft halo around the figure (blur radius in logical pixels, colour).
HALO_RADIUS = 2.0
HALO_COLOUR = (255, 252, 222)
HALO_STRENGTH = 0.95


def _mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def _edge_distances(x, y):
    """Distances to the left, top, right and bottom edge of the button."""
    return x, y, BUTTON - x, BUTTON - y


def _lit_side(x, y):
    """True where the nearer edge is the top or the left one (diagonal at the corners)."""
    left, top, right, bottom = _edge_distances(x, y)
    return min(left, top) < min(right, bottom) or (
        min(left, top) == min(right, bottom) and x + y < BUTTON)


# ---------------------------------------------------------------- button at rest

RAISED_BORDER = (112, 114, 120)
RAISED_LIGHT = ((252, 252, 253), (236, 237, 240))   # outer, inner lit band
RAISED_DARK = ((140, 143, 150), (174, 177, 183))    # outer, inner shaded band
RAISED_TOP = (226, 228, 232)
RAISED_BOTTOM = (196, 199, 205)


def raised_face(x, y):
    edge = min(_edge_distances(x, y))
    if edge < 1:
        return RAISED_BORDER
    if edge < 3:
        band = 0 if edge < 2 else 1
        return RAISED_LIGHT[band] if _lit_side(x, y) else RAISED_DARK[band]
    return _mix(RAISED_TOP, RAISED_BOTTOM, (y - 3) / (BUTTON - 6))


# ---------------------------------------------------------------- chosen piece

GLOW_BORDER = (146, 86, 8)
GLOW_FRAME = ((255, 200, 40), (255, 236, 120))     # outer, inner frame band
GLOW_CENTRE = (255, 247, 196)
GLOW_EDGE = (244, 170, 34)


def highlighted_face(x, y):
    edge = min(_edge_distances(x, y))
    if edge < 1:
        return GLOW_BORDER
    if edge < 3:
        return GLOW_FRAME[0 if edge < 2 else 1]
    # Radial glow, brightest a little above the middle where the figure's body is.
    dx = (x - BUTTON / 2) / (BUTTON / 2 - 3)
    dy = (y - BUTTON / 2 + 1.5) / (BUTTON / 2 - 3)
    r = min(1.0, math.sqrt(dx * dx + dy * dy))
    return _mix(GLOW_CENTRE, GLOW_EDGE, r ** 1.6)
