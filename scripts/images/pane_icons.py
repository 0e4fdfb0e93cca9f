"""Icons of the side panes' buttons (16 and 32 pixels, alpha) and the two
gender pictures of the today dialog. Every shape is drawn in a 16-unit box and
scaled, so both icon sizes come from one drawing."""

from raster import (Canvas, fill, circle, ellipse, rect, polyline, polygon, heart, arc_points, union, subtract,
                    grow, linear, radial, darken, intersect)

RASPBERRY = (214, 46, 112)
INK = (70, 55, 80)


def _canvas(size):
    return Canvas(size, size), size / 16.0


def today(size):
    """A calendar page with today's square marked."""
    c, s = _canvas(size)
    page = rect(0.8 * s, 1.6 * s, 15.2 * s, 15.2 * s, 2.2 * s)
    fill(c, grow(page, 0.6 * s), darken(RASPBERRY, 0.4))
    fill(c, page, linear(0, 2 * s, 0, 15 * s, [(0.0, (255, 253, 254)), (1.0, (240, 232, 240))]))
    fill(c, intersect(page, rect(0, 0, 16 * s, 5.4 * s)),
         linear(0, 1.6 * s, 0, 5.4 * s, [(0.0, (240, 90, 150)), (1.0, RASPBERRY)]))
    for cx in (5.0, 11.0):
        fill(c, rect((cx - 0.9) * s, 0.2 * s, (cx + 0.9) * s, 3.4 * s, 0.8 * s), (235, 230, 240))
    for row, y in enumerate((7.8, 11.6)):
        for col, x in enumerate((3.6, 6.8, 10.0, 13.0)):
            if (row, col) == (1, 2):
                continue
            fill(c, rect((x - 1.1) * s, (y - 1.0) * s, (x + 1.1) * s, (y + 1.0) * s, 0.4 * s), (205, 190, 210))
    fill(c, rect(8.4 * s, 10.0 * s, 11.8 * s, 13.4 * s, 0.9 * s), (40, 110, 220))
    return c


def temperature(size):
    c, s = _canvas(size)
    tube = union(rect(6.0 * s, 0.8 * s, 10.0 * s, 11.0 * s, 2.0 * s), circle(8.0 * s, 12.2 * s, 3.4 * s))
    fill(c, grow(tube, 0.7 * s), (70, 70, 90))
    fill(c, tube, linear(4 * s, 0, 12 * s, 0, [(0.0, (250, 250, 252)), (1.0, (205, 210, 222))]))
    mercury = union(rect(7.1 * s, 4.5 * s, 8.9 * s, 11.5 * s, 0.9 * s), circle(8.0 * s, 12.2 * s, 2.3 * s))
    fill(c, mercury, linear(0, 4 * s, 0, 15 * s, [(0.0, (255, 90, 80)), (1.0, (205, 20, 20))]))
    for y in (3.0, 5.5, 8.0):
        fill(c, polyline([(10.6 * s, y * s), (12.6 * s, y * s)], 0.9 * s), (80, 80, 100))
    return c


def period(size):
    """A drop of blood."""
    c, s = _canvas(size)
    body = union(circle(8.0 * s, 10.2 * s, 4.9 * s), polygon([(8.0 * s, 0.6 * s), (3.5 * s, 8.6 * s),
                                                              (12.5 * s, 8.6 * s)]))
    body = intersect(body, lambda x, y: -1.0 if y > 8 * s else abs(x - 8.0 * s) - (y - 0.6 * s) * 0.58)
    fill(c, grow(body, 0.7 * s), (130, 0, 20))
    fill(c, body, radial(6.6 * s, 9.0 * s, 7.5 * s, [(0.0, (255, 90, 90)), (1.0, (200, 10, 30))]))
    fill(c, ellipse(6.0 * s, 10.6 * s, 1.0 * s, 1.9 * s, 0.3), (255, 205, 205), opacity=0.9)
    return c


def birth(size):
    """Two small footprints of a baby."""
    c, s = _canvas(size)

    def foot(cx, cy, turn):
        sole = ellipse(cx * s, (cy + 0.6) * s, 1.9 * s, 2.9 * s, turn)
        toes = [circle((cx - 1.5 + 1.0 * i + turn * 3) * s, (cy - 3.6 + abs(i - 1.2) * 0.45) * s,
                       (0.62 - 0.07 * i) * s) for i in range(4)]
        shape = union(sole, *toes)
        fill(c, grow(shape, 0.55 * s), (150, 40, 90))
        fill(c, shape, linear(0, 2 * s, 0, 15 * s, [(0.0, (255, 150, 190)), (1.0, (225, 70, 130))]))

    foot(5.0, 10.6, -0.15)
    foot(11.0, 7.2, 0.15)
    return c


def cycles(size):
    """A circle of two arrows chasing each other."""
    c, s = _canvas(size)
    colour = linear(0, 1 * s, 0, 15 * s, [(0.0, (240, 90, 150)), (1.0, (180, 30, 90))])
    for a0, a1 in ((200.0, 340.0), (20.0, 160.0)):
        pts = [(x * s, y * s) for x, y in arc_points(8.0, 8.0, 5.6, 5.6, a0, a1)]
        fill(c, grow(polyline(pts, 1.9 * s), 0.5 * s), (120, 20, 60))
        fill(c, polyline(pts, 1.9 * s), colour)
        ex, ey = pts[-1]
        # Arrow head at the end of the arc, pointing along it.
        if a1 > 300:
            head = [(ex - 2.6 * s, ey - 1.2 * s), (ex + 2.2 * s, ey - 1.6 * s), (ex + 0.2 * s, ey + 2.8 * s)]
        else:
            head = [(ex + 2.6 * s, ey + 1.2 * s), (ex - 2.2 * s, ey + 1.6 * s), (ex - 0.2 * s, ey - 2.8 * s)]
        fill(c, grow(polygon(head), 0.5 * s), (120, 20, 60))
        fill(c, polygon(head), colour)
    return c


def statistic(size):
    """A small bar chart on an axis."""
    c, s = _canvas(size)
    bars = [(2.2, 9.0, (120, 170, 240)), (6.4, 4.0, (240, 90, 150)), (10.6, 7.0, (150, 200, 110))]
    for x, top, colour in bars:
        bar = rect(x * s, top * s, (x + 3.4) * s, 14.2 * s, 0.6 * s)
        fill(c, grow(bar, 0.55 * s), darken(colour, 0.45))
        fill(c, bar, linear(x * s, 0, (x + 3.4) * s, 0, [(0.0, colour), (1.0, darken(colour, 0.15))]))
    fill(c, polyline([(0.8 * s, 14.9 * s), (15.2 * s, 14.9 * s)], 1.1 * s), INK)
    return c


def gender(boy):
    """48x48: a round badge with the Mars or Venus sign."""
    c = Canvas(48, 48)
    base = (40, 120, 230) if boy else (235, 70, 150)
    fill(c, circle(24, 24, 22.5), darken(base, 0.35))
    fill(c, circle(24, 24, 21.3), radial(18, 16, 30, [(0.0, (255, 255, 255)), (1.0, (235, 240, 250) if boy
                                                                               else (252, 232, 242))]))
    if boy:
        ring = lambda x, y: abs(circle(20.5, 27.5, 8.0)(x, y)) - 2.3
        shaft = polyline([(26.5, 21.5), (34.5, 13.5)], 4.4)
        head = polygon([(26.5, 10.0), (38.0, 10.0), (38.0, 21.5)])
        sign = union(ring, shaft, head)
    else:
        ring = lambda x, y: abs(circle(24.0, 18.5, 8.2)(x, y)) - 2.3
        stem = polyline([(24.0, 27.0), (24.0, 39.5)], 4.4)
        bar = polyline([(18.0, 33.5), (30.0, 33.5)], 4.2)
        sign = union(ring, stem, bar)
    fill(c, sign, linear(0, 8, 0, 40, [(0.0, base), (1.0, darken(base, 0.25))]))
    return c
