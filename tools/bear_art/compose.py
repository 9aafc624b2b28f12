"""Paints shape parts into a grid of role colors.

Parts are painted in order; each belongs to a group that says how it is
colored. The outline of a group runs where it meets the ground or a group
painted before it, so whatever lies in front carries the line.
"""

from shapes import coverage

BLACK, RED, DARK_RED, GREEN, DARK_GREEN = "black", "red", "dark red", "green", "dark green"


class Group:
    def __init__(self, fill, outline=None, silhouette=2, shade=0, inner=1):
        self.fill = fill
        self.outline = outline
        self.silhouette = silhouette  # outline width against the ground
        self.inner = inner  # outline width against groups behind
        self.shade = shade  # depth of the lower-right shading crescent


class Part:
    def __init__(self, shape, group, threshold=0.5, detail=False):
        self.shape, self.group, self.threshold = shape, group, threshold
        self.detail = detail  # too fine to keep at icon size


def _disc(radius):
    r = int(radius)
    return [(dx, dy) for dy in range(-r, r + 1) for dx in range(-r, r + 1)
            if (dx or dy) and dx * dx + dy * dy <= radius * radius + 0.5]



def compose(parts, marks, width, height, samples=4, ground=BLACK, thin=False):
    """Role colors by pixel; thin draws every line one pixel wide and leaves out shading."""
    owner = [[None] * width for _ in range(height)]
    depth, masks = {}, {}
    for part in parts:
        g = part.group
        if g not in depth:
            depth[g] = len(depth)
            masks[g] = set()
        for (x, y), share in coverage(part.shape, width, height, samples).items():
            if share >= part.threshold:
                owner[y][x] = g
                masks[g].add((x, y))

    def at(x, y):
        return owner[y][x] if 0 <= x < width and 0 <= y < height else None

    grid = [[ground] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            g = owner[y][x]
            if g is None:
                continue
            color = g.fill
            if g.outline:
                edge = any(at(x + dx, y + dy) is None
                           for dx, dy in _disc(1 if thin else g.silhouette))
                behind = any((n := at(x + dx, y + dy)) is not None and depth[n] < depth[g]
                             for dx, dy in _disc(1 if thin else g.inner))
                if edge or behind:
                    color = g.outline
                elif g.shade and not thin and (x + g.shade, y + g.shade) not in masks[g]:
                    color = g.outline
            grid[y][x] = color

    for shape, color, over, threshold in marks:
        for (x, y), share in coverage(shape, width, height, samples).items():
            if share >= threshold and grid[y][x] in over:
                grid[y][x] = color
    return grid
