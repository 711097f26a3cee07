"""Outline helpers: paths built from lines and Bezier curves, sampled into point lists.

All coordinates are logical pixels of the finished picture; the renderer scales
them to its supersampled canvas.
"""

import math

CURVE_STEPS = 32


class Path:
    """A closed outline made of straight and cubic Bezier segments."""

    def __init__(self, x, y):
        self.points = [(x, y)]

    def line(self, x, y):
        self.points.append((x, y))
        return self

    def cubic(self, c1, c2, end, steps=CURVE_STEPS):
        x0, y0 = self.points[-1]
        for i in range(1, steps + 1):
            t = i / steps
            a = (1 - t) ** 3
            b = 3 * (1 - t) ** 2 * t
            c = 3 * (1 - t) * t * t
            d = t ** 3
            self.points.append((a * x0 + b * c1[0] + c * c2[0] + d * end[0],
                                a * y0 + b * c1[1] + c * c2[1] + d * end[1]))
        return self


def polyline(*points):
    """Open stroke: a list of points as given."""
    return list(points)


def ellipse(cx, cy, rx, ry, steps=72):
    return [(cx + rx * math.cos(2 * math.pi * i / steps),
             cy + ry * math.sin(2 * math.pi * i / steps)) for i in range(steps)]


def circle(cx, cy, r, steps=72):
    return ellipse(cx, cy, r, r, steps)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def rounded_rect(x0, y0, x1, y1, r, steps=8):
    pts = []
    corners = ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
               (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180))
    for cx, cy, start in corners:
        for i in range(steps + 1):
            a = math.radians(start + 90 * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts

