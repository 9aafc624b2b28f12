"""Shape primitives for the bear art, tested at sample points.

Coordinates are output pixels (x right, y down); a shape covers a pixel by the
share of the pixel's sample points that fall inside it.
"""

import math


class Ellipse:
    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        a = math.radians(angle)
        self.cos, self.sin = math.cos(a), math.sin(a)

    def bounds(self):
        r = max(self.rx, self.ry)
        return self.cx - r, self.cy - r, self.cx + r, self.cy + r

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Capsule:
    """A segment swept by a circle whose radius runs from r0 to r1."""

    def __init__(self, a, b, r0, r1=None):
        self.a, self.b = a, b
        self.r0, self.r1 = r0, r0 if r1 is None else r1
        dx, dy = b[0] - a[0], b[1] - a[1]
        self.d = (dx, dy)
        self.len2 = dx * dx + dy * dy or 1e-9

    def bounds(self):
        r = max(self.r0, self.r1)
        xs, ys = (self.a[0], self.b[0]), (self.a[1], self.b[1])
        return min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r

    def contains(self, x, y):
        px, py = x - self.a[0], y - self.a[1]
        t = (px * self.d[0] + py * self.d[1]) / self.len2
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        ex, ey = px - t * self.d[0], py - t * self.d[1]
        r = self.r0 + (self.r1 - self.r0) * t
        return ex * ex + ey * ey <= r * r


class Polygon:
    def __init__(self, points):
        self.points = list(points)

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Stroke:
    """A polyline of round-capped segments, for lines drawn over the fill."""

    def __init__(self, points, width=1.2):
        r = width / 2
        self.parts = [Capsule(points[i], points[i + 1], r) for i in range(len(points) - 1)]

    def bounds(self):
        return union_bounds(self.parts)

    def contains(self, x, y):
        return any(p.contains(x, y) for p in self.parts)


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def bounds(self):
        return union_bounds(self.shapes)

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)


class Both:
    def __init__(self, a, b):
        self.a, self.b = a, b

    def bounds(self):
        return self.a.bounds()

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)


class Scaled:
    """A shape seen shrunk by factor about its origin, then moved by offset."""

    def __init__(self, shape, factor, offset):
        self.shape, self.factor, self.offset = shape, factor, offset

    def bounds(self):
        x0, y0, x1, y1 = self.shape.bounds()
        f, (ox, oy) = self.factor, self.offset
        return x0 * f + ox, y0 * f + oy, x1 * f + ox, y1 * f + oy

    def contains(self, x, y):
        return self.shape.contains((x - self.offset[0]) / self.factor,
                                   (y - self.offset[1]) / self.factor)


def union_bounds(shapes):
    bs = [s.bounds() for s in shapes]
    return (min(b[0] for b in bs), min(b[1] for b in bs),
            max(b[2] for b in bs), max(b[3] for b in bs))


def coverage(shape, width, height, samples):
    """Map (x, y) -> share of the pixel's samples x samples points inside."""
    x0, y0, x1, y1 = shape.bounds()
    result = {}
    offsets = [(i + 0.5) / samples for i in range(samples)]
    total = samples * samples
    for y in range(max(0, math.floor(y0)), min(height, math.ceil(y1) + 1)):
        for x in range(max(0, math.floor(x0)), min(width, math.ceil(x1) + 1)):
            n = sum(1 for oy in offsets for ox in offsets if shape.contains(x + ox, y + oy))
            if n:
                result[(x, y)] = n / total
    return result
