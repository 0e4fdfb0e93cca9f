"""Small pictures: the program icon, the day-cell marks, the day-menu icons,
the Back/Next arrows and the band-menu arrow. Each function paints onto a
transparent canvas; make_images.py flattens it with the bitmap's key colour."""

from raster import (Canvas, fill, circle, ellipse, rect, polyline, polygon, heart, arc_points, union, subtract,
                    grow, linear, radial, lighten, darken, intersect)

RASPBERRY = (214, 46, 112)
ROSE = (255, 120, 165)
NEAR_WHITE = (254, 254, 254)  # white itself is the key colour of the day icons


# ---------------------------------------------------------------------------
# The calendar-and-heart picture: the program icon and the logo's mark.


def calendar_heart(canvas, ox, oy, size):
    """A page of a wall calendar with a heart on it, in a size x size box."""
    s = size / 48.0

    def R(x0, y0, x1, y1, r=0.0):
        return rect(ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s, r * s)

    box = (ox, oy, ox + size, oy + size)
    small = size < 24
    # Soft shadow under the page.
    if not small:
        fill(canvas, R(5, 9, 44, 47, 7), (90, 20, 60), box, opacity=0.22, feather=2.5 * s)
    page = R(4, 7, 44, 45, 7 if not small else 8)
    fill(canvas, page, linear(0, oy + 7 * s, 0, oy + 45 * s, [(0.0, (255, 253, 254)), (1.0, (255, 235, 243))]), box)
    # The coloured head of the page.
    head = intersect(page, R(0, 0, 48, 18 if not small else 19))
    fill(canvas, head, linear(0, oy + 7 * s, 0, oy + 18 * s, [(0.0, (240, 90, 150)), (1.0, RASPBERRY)]), box)
    # Page edge.
    fill(canvas, lambda x, y: abs(page(x, y) + 0.5 * s) - max(0.6, 0.9 * s), darken(RASPBERRY, 0.35), box,
         opacity=0.85)
    if not small:
        # Binder rings.
        for cx in (16, 32):
            fill(canvas, R(cx - 2.6, 2.5, cx + 2.6, 13, 2.6), linear(0, oy, 0, oy + 13 * s, [(0.0, (250, 250, 252)),
                                                                                      (1.0, (170, 160, 175))]), box)
            fill(canvas, lambda x, y, cx=cx: abs(R(cx - 2.6, 2.5, cx + 2.6, 13, 2.6)(x, y)) - 0.55 * s,
                 (90, 60, 80), box)
        # A few day dots.
        for row, y in enumerate((24, 31, 38)):
            for col, x in enumerate((11, 18.5, 29.5, 37)):
                if row == 1 and col in (1, 2):
                    continue
                fill(canvas, circle(ox + x * s, oy + y * s, 1.6 * s), (236, 180, 205), box)
    # The heart.
    if small:
        h = heart(ox + 24 * s, oy + 20.5 * s, 21 * s)
    else:
        h = heart(ox + 24 * s, oy + 21 * s, 19 * s)
    paint = radial(ox + 20 * s, oy + 25 * s, 16 * s, [(0.0, (255, 110, 150)), (1.0, (220, 20, 70))])
    fill(canvas, h, paint, box)
    if not small:
        fill(canvas, ellipse(ox + 19.5 * s, oy + 26 * s, 2.6 * s, 1.7 * s, 0.7), (255, 235, 240), box, opacity=0.85)


def calendar_heart_16(canvas):
    """The 16-pixel version, drawn on the pixel grid rather than scaled."""
    page = rect(0.5, 1.0, 15.5, 15.5, 3.0)
    fill(canvas, page, linear(0, 1, 0, 15, [(0.0, (255, 252, 253)), (1.0, (255, 228, 238))]))
    fill(canvas, intersect(page, rect(0, 0, 16, 5.5)), linear(0, 1, 0, 5.5, [(0.0, (240, 90, 150)), (1.0, RASPBERRY)]))
    fill(canvas, lambda x, y: abs(page(x, y) + 0.45) - 0.55, darken(RASPBERRY, 0.35), opacity=0.9)
    for cx in (5.0, 11.0):
        fill(canvas, rect(cx - 1.0, 0.0, cx + 1.0, 3.0, 0.8), (245, 240, 245))
    fill(canvas, heart(8.0, 6.6, 7.6), radial(7.0, 9.5, 6.0, [(0.0, (255, 100, 140)), (1.0, (215, 20, 70))]), ss=8)


def program_icon(size):
    c = Canvas(size, size)
    if size <= 16:
        calendar_heart_16(c)
    else:
        calendar_heart(c, 0, 0, size)
    return c


# ---------------------------------------------------------------------------
# Day-cell marks (key white). They sit on cells of any class colour, so every
# mark has its own dark edge and a crisp silhouette.


def bad_feeling():
    """16x16: a small storm cloud with a lightning bolt."""
    c = Canvas(16, 16)
    cloud = union(circle(5.2, 7.0, 3.2), circle(8.6, 5.3, 3.9), circle(12.0, 7.6, 2.8), rect(4.5, 6.5, 12.5, 10.4, 1.6))
    fill(c, grow(cloud, 0.9), (70, 72, 100))
    fill(c, cloud, linear(0, 2, 0, 10, [(0.0, (205, 210, 228)), (1.0, (140, 146, 172))]))
    bolt = [(8.9, 8.6), (6.6, 12.4), (8.6, 12.4), (7.0, 15.8), (11.4, 11.0), (9.2, 11.0), (10.6, 8.6)]
    fill(c, grow(polygon(bolt), 0.8), (120, 70, 0))
    fill(c, polygon(bolt), (255, 206, 40))
    return c


def boy():
    """15x15: a blue Mars sign."""
    c = Canvas(15, 15)
    ring = lambda x, y: abs(circle(6.0, 9.0, 3.6)(x, y)) - 1.05
    shaft = polyline([(8.6, 6.4), (12.2, 2.8)], 2.1)
    head = polygon([(8.3, 1.3), (13.7, 1.3), (13.7, 6.7)])
    fill(c, union(ring, shaft, head), linear(0, 1, 0, 14, [(0.0, (40, 130, 240)), (1.0, (20, 70, 190))]))
    return c


def girl():
    """16x16: a pink Venus sign."""
    c = Canvas(16, 16)
    ring = lambda x, y: abs(circle(8.0, 6.0, 3.9)(x, y)) - 1.05
    stem = polyline([(8.0, 10.0), (8.0, 15.0)], 2.1)
    bar = polyline([(5.2, 12.6), (10.8, 12.6)], 2.0)
    fill(c, union(ring, stem, bar), linear(0, 1, 0, 15, [(0.0, (245, 70, 160)), (1.0, (200, 20, 110))]))
    return c


def note_mark(size=15):
    """A note paper with a folded corner and written lines."""
    c = Canvas(size, size)
    s = size / 15.0
    body = polygon([(2 * s, 1 * s), (10 * s, 1 * s), (13 * s, 4 * s), (13 * s, 14 * s), (2 * s, 14 * s)])
    fill(c, grow(body, 0.8), (120, 95, 40))
    fill(c, body, linear(0, 1, 0, 14 * s, [(0.0, (255, 250, 215)), (1.0, (250, 232, 160))]))
    fold = polygon([(10 * s, 1 * s), (10 * s, 4 * s), (13 * s, 4 * s)])
    fill(c, grow(fold, 0.35), (120, 95, 40))
    fill(c, fold, (225, 200, 130))
    for y, x1 in ((6.0, 10.5), (8.5, 10.5), (11.0, 8.5)):
        fill(c, polyline([(4.2 * s, y * s), (x1 * s, y * s)], 1.0), (90, 110, 170))
    return c


def two_hearts(size=15, key_white=True):
    """Two hearts, one behind the other."""
    c = Canvas(size, size)
    s = size / 15.0
    back = heart(9.6 * s, 1.2 * s, 8.6 * s)
    front = heart(5.6 * s, 4.8 * s, 9.6 * s)
    fill(c, grow(back, 0.8), (150, 30, 80))
    fill(c, back, linear(0, 1 * s, 0, 10 * s, [(0.0, (255, 160, 200)), (1.0, (245, 100, 160))]))
    fill(c, grow(front, 0.85), (120, 10, 40))
    fill(c, front, linear(0, 5 * s, 0, 14 * s, [(0.0, (255, 80, 100)), (1.0, (205, 20, 50))]))
    fill(c, ellipse(4.2 * s, 7.6 * s, 1.3 * s, 0.8 * s, 0.7), (255, 215, 225), opacity=0.9)
    return c


def capsule(c, a, b, w, edge_width):
    """A two-coloured capsule from a (blue end) to b (pale end)."""
    body = polyline([a, b], w)
    fill(c, grow(body, edge_width), (40, 50, 110))
    mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
    ax, ay = b[0] - a[0], b[1] - a[1]
    n = (ax * ax + ay * ay) ** 0.5
    across = lambda x, y: ((x - mx) * ax + (y - my) * ay) / n  # > 0 towards b
    fill(c, intersect(body, lambda x, y: -across(x, y)),
         linear(a[0], a[1] - w / 2, a[0], a[1] + w / 2, [(0.0, (90, 150, 245)), (1.0, (40, 90, 210))]))
    fill(c, intersect(body, across), linear(b[0], b[1] - w / 2, b[0], b[1] + w / 2,
                                            [(0.0, (252, 250, 246)), (1.0, (225, 220, 215))]))


def pill(size=10):
    """A capsule lying diagonally, blue end at the bottom left."""
    c = Canvas(size, size)
    s = size / 10.0
    capsule(c, (2.3 * s, 7.7 * s), (7.7 * s, 2.3 * s), 4.3 * s, 0.75)
    return c


def face(size, good):
    """A round face: a yellow smile or a grey-blue frown."""
    c = Canvas(size, size)
    s = size / 10.0
    r = 4.5 * s
    cx = cy = size / 2.0
    head = circle(cx, cy, r - 0.4)
    if good:
        edge, top, bottom, ink = (150, 95, 0), (255, 232, 90), (250, 180, 20), (110, 60, 0)
    else:
        edge, top, bottom, ink = (50, 70, 120), (185, 205, 240), (120, 150, 210), (30, 45, 90)
    fill(c, grow(head, 0.8 * max(1.0, s * 0.8)), edge)
    fill(c, head, linear(0, cy - r, 0, cy + r, [(0.0, top), (1.0, bottom)]))
    eye = 0.75 * s if size <= 10 else 0.95 * s
    fill(c, circle(cx - 1.5 * s, cy - 1.0 * s, eye), ink)
    fill(c, circle(cx + 1.5 * s, cy - 1.0 * s, eye), ink)
    pen = 0.95 * s if size <= 10 else 1.1 * s
    if good:
        mouth = arc_points(cx, cy + 0.2 * s, 2.3 * s, 2.0 * s, 200, 340)
    else:
        mouth = arc_points(cx, cy + 3.6 * s, 2.1 * s, 1.6 * s, 30, 150)
    fill(c, polyline(mouth, pen), ink)
    return c


# ---------------------------------------------------------------------------
# Day-menu icons (16x16, key grey 200). Menus are light, so their edges are
# smoothed against a light backdrop.


def drop():
    c = Canvas(16, 16)
    body = union(circle(8.0, 10.2, 4.6), polygon([(8.0, 0.8), (3.8, 8.6), (12.2, 8.6)]))
    body = intersect(body, lambda x, y: -1.0 if y > 8 else abs(x - 8.0) - (y - 0.8) * 0.56)
    fill(c, grow(body, 0.7), (130, 0, 20))
    fill(c, body, radial(6.6, 9.0, 7.5, [(0.0, (255, 90, 90)), (1.0, (200, 10, 30))]))
    fill(c, ellipse(6.0, 10.4, 1.0, 1.8, 0.3), (255, 200, 200), opacity=0.9)
    return c


def menu_pill():
    c = Canvas(16, 16)
    # A round tablet behind the capsule.
    fill(c, circle(11.2, 11.2, 4.2), (110, 110, 130))
    fill(c, circle(11.2, 11.2, 3.5), linear(0, 7, 0, 15, [(0.0, (252, 252, 252)), (1.0, (210, 210, 222))]))
    fill(c, polyline([(9.2, 13.2), (13.2, 9.2)], 0.9), (150, 150, 165))
    capsule(c, (2.8, 10.2), (9.2, 3.8), 5.0, 0.75)
    return c


def thermometer():
    c = Canvas(16, 16)
    tube = union(rect(6.0, 0.8, 10.0, 11.0, 2.0), circle(8.0, 12.2, 3.4))
    fill(c, grow(tube, 0.7), (70, 70, 90))
    fill(c, tube, linear(4, 0, 12, 0, [(0.0, (250, 250, 252)), (1.0, (205, 210, 222))]))
    mercury = union(rect(7.1, 4.5, 8.9, 11.5, 0.9), circle(8.0, 12.2, 2.3))
    fill(c, mercury, linear(0, 4, 0, 15, [(0.0, (255, 90, 80)), (1.0, (205, 20, 20))]))
    for y in (3.0, 5.5, 8.0):
        fill(c, polyline([(10.6, y), (12.4, y)], 0.9), (80, 80, 100))
    return c


def disturbed(size=10):
    """A small thermometer with an orange zigzag beside it: a temperature
    that illness, a short night or alcohol has pushed up."""
    c = Canvas(size, size)
    s = size / 10.0
    tube = union(rect(1.2 * s, 0.6 * s, 3.8 * s, 7.0 * s, 1.3 * s), circle(2.5 * s, 7.6 * s, 2.0 * s))
    fill(c, grow(tube, 0.6), (70, 70, 90))
    fill(c, tube, (250, 250, 252))
    mercury = union(rect(2.0 * s, 3.2 * s, 3.0 * s, 7.2 * s, 0.5 * s), circle(2.5 * s, 7.6 * s, 1.2 * s))
    fill(c, mercury, (220, 30, 30))
    bolt = [(8.8 * s, 0.7 * s), (5.6 * s, 4.6 * s), (8.2 * s, 4.8 * s), (5.4 * s, 9.3 * s)]
    fill(c, polyline(bolt, 2.2 * s), (150, 70, 0))
    fill(c, polyline(bolt, 1.3 * s), (255, 150, 20))
    return c


def note_pencil():
    c = note_mark(16)
    pen = [(15.2, 3.6), (8.2, 10.6)]
    fill(c, polyline(pen, 3.6), (90, 60, 30))
    fill(c, polyline(pen, 2.4), linear(8, 4, 15, 10, [(0.0, (255, 200, 60)), (1.0, (230, 150, 20))]))
    tip = polygon([(8.9, 8.5), (10.3, 9.9), (7.1, 11.6)])
    fill(c, tip, (240, 205, 160))
    fill(c, circle(7.5, 11.1, 0.7), (60, 50, 50))
    return c


# ---------------------------------------------------------------------------
# Arrows


def back_arrow():
    """9x16: the pointed left end of the white Back button (the button's
    white body continues to the right of it), with a small chevron."""
    c = Canvas(9, 16)
    tip = polygon([(0.6, 8.0), (9.5, -0.4), (9.5, 16.4)])
    fill(c, tip, (255, 255, 255))
    fill(c, polygon([(3.6, 8.0), (7.2, 4.6), (7.2, 11.4)]), (120, 110, 130))
    return c


def next_arrow():
    c = Canvas(9, 16)
    tip = polygon([(8.4, 8.0), (-0.5, -0.4), (-0.5, 16.4)])
    fill(c, tip, (255, 255, 255))
    fill(c, polygon([(5.4, 8.0), (1.8, 4.6), (1.8, 11.4)]), (120, 110, 130))
    return c


def band_menu_arrow():
    """8x4: the small triangle after each menu title of the band."""
    c = Canvas(8, 4)
    fill(c, polygon([(0.0, 0.0), (8.0, 0.0), (4.0, 4.0)]), (70, 55, 75), ss=8)
    return c
