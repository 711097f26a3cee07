"""The six chess figures, drawn as layered outlines on a 35 x 35 logical-pixel square.

Each figure is a list of drawing steps, painted back to front:
  ("body", points)          filled with the figure colour and outlined in the ink colour
  ("ink", points)           filled with the ink colour (eyes, nostrils)
  ("line", points, width)   open stroke in the ink colour (slits, folds)

Straight outline edges sit on half-pixel coordinates, so that a one-pixel outline
covers exactly one pixel column or row at 1x and two at 2x and stays sharp.
The vertical axis of every symmetric figure is x = 17.5, the centre of pixel 17.
"""

from geometry import Path, circle, ellipse, polyline, rect, rounded_rect

AXIS = 17.5


def _pedestal(x0=7.5, x1=27.5):
    # Shared foot: a low rounded slab under every figure.
    return ("body", rounded_rect(x0, 27.5, x1, 31.5, 1.5))


def _flared_stem(top_y, top_half, bottom_half, bottom_y=27.5):
    """Concave stem between a collar and the pedestal."""
    l0, r0 = AXIS - top_half, AXIS + top_half
    l1, r1 = AXIS - bottom_half, AXIS + bottom_half
    mid = (top_y + bottom_y) / 2
    p = Path(l0, top_y)
    p.cubic((l0, mid), (l1 + 1.0, bottom_y - 1.5), (l1, bottom_y))
    p.line(r1, bottom_y)
    p.cubic((r1 - 1.0, bottom_y - 1.5), (r0, mid), (r0, top_y))
    return ("body", p.points)


def pawn():
    return [
        _flared_stem(16.5, 3.5, 7.5),
        _pedestal(9.5, 25.5),
        ("body", ellipse(AXIS, 17.0, 5.5, 1.6)),
        ("body", circle(AXIS, 11.0, 4.5)),
    ]


def rook():
    battlement = [(9.5, 11.5), (9.5, 4.5), (12.5, 4.5), (12.5, 6.5), (15.5, 6.5),
                  (15.5, 4.5), (19.5, 4.5), (19.5, 6.5), (22.5, 6.5), (22.5, 4.5),
                  (25.5, 4.5), (25.5, 11.5)]
    return [
        ("body", [(11.5, 24.5), (12.5, 13.5), (22.5, 13.5), (23.5, 24.5)]),
        ("body", rect(9.5, 23.5, 25.5, 27.5)),
        _pedestal(),
        ("body", battlement),
        ("body", rect(10.5, 10.5, 24.5, 13.5)),
    ]


def _maned(points, start, end, depth, teeth):
    """Pushes every other point of points[start:end] outwards, giving a tufted edge.

    The outline runs clockwise on screen, so "outwards" is the left-hand normal.
    """
    out = points[:start]
    run = points[start:end]
    step = max(1, len(run) // (2 * teeth))
    for i, (x, y) in enumerate(run):
        if (i // step) % 2 == 1 and 0 < i < len(run) - 1:
            px, py = run[i - 1]
            nx, ny = run[i + 1]
            dx, dy = nx - px, ny - py
            length = (dx * dx + dy * dy) ** 0.5 or 1.0
            # Tufts are deepest behind the ears and fade out down the neck.
            fade = 1.0 - i / len(run)
            x, y = x + dy / length * depth * fade, y - dx / length * depth * fade
        out.append((x, y))
    return out + points[end:]


def knight():
    # Horse head facing left, neck running down into the pedestal.
    head = Path(10.5, 27.5)
    head.cubic((10.0, 24.0), (13.0, 21.5), (16.0, 19.5))        # chest up to the throat
    head.cubic((13.5, 19.0), (11.0, 21.5), (8.0, 21.5))         # under the jaw
    head.cubic((5.5, 21.5), (3.8, 19.8), (4.5, 17.5))           # chin and lips
    head.cubic((5.2, 15.0), (7.5, 12.0), (10.5, 9.0))           # bridge of the nose
    head.cubic((12.0, 7.5), (13.5, 6.0), (15.0, 5.5))           # forehead
    head.line(16.5, 2.0)                                         # front of the ear
    head.line(19.5, 5.0)                                         # back of the ear
    mane_from = len(head.points)
    head.cubic((24.0, 5.5), (27.5, 9.5), (28.0, 15.0), steps=24)  # poll and crest
    head.cubic((28.5, 20.0), (27.5, 24.5), (27.5, 27.5), steps=24)  # back of the neck
    outline = _maned(head.points, mane_from, mane_from + 36, 1.6, 6)
    return [
        ("body", outline),
        _pedestal(),
        ("ink", ellipse(14.0, 10.5, 1.3, 0.9)),
        ("ink", circle(6.6, 16.3, 0.7)),
        ("line", polyline((4.6, 19.2), (7.6, 19.4)), 0.8),
    ]


def bishop():
    mitre = Path(AXIS, 5.0)
    mitre.cubic((20.5, 8.0), (24.0, 11.5), (24.0, 14.8))
    mitre.cubic((24.0, 17.5), (21.5, 19.5), (AXIS, 19.5))
    mitre.cubic((13.5, 19.5), (11.0, 17.5), (11.0, 14.8))
    mitre.cubic((11.0, 11.5), (14.5, 8.0), (AXIS, 5.0))
    return [
        _flared_stem(20.5, 3.0, 8.0),
        _pedestal(),
        ("body", mitre.points),
        ("body", ellipse(AXIS, 20.8, 6.0, 1.7)),
        ("body", circle(AXIS, 3.9, 1.9)),
        ("line", polyline((20.8, 9.6), (16.2, 15.2)), 1.1),
    ]


def queen():
    tips = [(5.5, 9.5), (11.0, 7.0), (AXIS, 5.5), (24.0, 7.0), (29.5, 9.5)]
    crown = [(12.0, 22.5), tips[0], (10.8, 15.8), tips[1], (14.8, 15.0), tips[2],
             (20.2, 15.0), tips[3], (24.2, 15.8), tips[4], (23.0, 22.5)]
    steps = [
        _flared_stem(22.5, 4.5, 8.0),
        _pedestal(),
        ("body", crown),
    ]
    steps += [("body", circle(x, y - 0.6, 1.6)) for x, y in tips]
    steps.append(("body", ellipse(AXIS, 22.5, 6.8, 1.7)))
    return steps


def king():
    cross = [(15.5, 0.5), (19.5, 0.5), (19.5, 2.5), (22.5, 2.5), (22.5, 5.5), (19.5, 5.5),
             (19.5, 9.5), (15.5, 9.5), (15.5, 5.5), (12.5, 5.5), (12.5, 2.5), (15.5, 2.5)]
    lobes = Path(12.0, 22.0)
    lobes.cubic((7.0, 18.5), (6.0, 11.5), (11.5, 10.0))
    lobes.cubic((14.5, 9.3), (16.8, 11.5), (AXIS, 13.5))
    lobes.cubic((18.2, 11.5), (20.5, 9.3), (23.5, 10.0))
    lobes.cubic((29.0, 11.5), (28.0, 18.5), (23.0, 22.0))
    return [
        ("body", cross),
        _flared_stem(22.5, 4.5, 8.0),
        _pedestal(),
        ("body", ellipse(AXIS, 10.5, 3.0, 2.4)),
        ("body", lobes.points),
        ("line", polyline((AXIS, 13.5), (AXIS, 20.5)), 0.8),
        ("body", ellipse(AXIS, 22.5, 6.8, 1.7)),
    ]


# Resource name stem -> figure.  The stems are the picture names the game uses.
FIGURES = {
    "PORN": pawn,
    "KNIG": knight,
    "BISH": bishop,
    "ROOK": rook,
    "QEEN": queen,
    "KING": king,
}
