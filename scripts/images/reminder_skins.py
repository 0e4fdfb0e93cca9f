"""The reminder popups' skins (250x164 and 250x109, opaque) and the two icons
of the reminders page. The skins carry no words: the popup draws its
translated text in the light panel from (10, 40) to 10 pixels inside the
other edges."""

import math

from raster import (Canvas, fill, circle, rect, polygon, polyline, union, grow, linear, radial, darken, lighten,
                    wave_below, intersect, ellipse)

RASPBERRY = (214, 46, 112)
ROSE = (240, 96, 152)
FRAME = (150, 28, 82)
PANEL_EDGE = (238, 196, 214)


def _bell(c, cx, cy, r, colour, shade):
    """A small bell centred at (cx, cy), r half its height."""
    dome = union(intersect(circle(cx, cy - 0.05 * r, 0.72 * r), lambda x, y: y - (cy + 0.1 * r)),
                 polygon([(cx - 0.72 * r, cy), (cx + 0.72 * r, cy), (cx + 0.98 * r, cy + 0.62 * r),
                          (cx - 0.98 * r, cy + 0.62 * r)]))
    lip = rect(cx - 1.02 * r, cy + 0.55 * r, cx + 1.02 * r, cy + 0.78 * r, 0.1 * r)
    knob = circle(cx, cy - 0.82 * r, 0.17 * r)
    clapper = circle(cx, cy + 0.9 * r, 0.2 * r)
    body = union(dome, lip, knob, clapper)
    fill(c, grow(body, 0.9), shade, opacity=0.55)
    fill(c, body, colour)


def popup_skin(w, h):
    c = Canvas(w, h, (255, 255, 255))
    # The body: a soft blush towards the bottom.
    c.fill_rows(linear(0, 0, 0, h, [(0.0, (255, 246, 250)), (1.0, (250, 226, 238))]))
    # The title band, its lower edge a gentle wave.
    band = intersect(lambda x, y: -1.0, lambda x, y: -wave_below(27.0, 2.2, 125.0, 0.6)(x, y))
    fill(c, band, linear(0, 0, 0, 32, [(0.0, ROSE), (1.0, RASPBERRY)]), bbox=(0, 0, w, 34))
    fill(c, lambda x, y: abs(wave_below(27.0, 2.2, 125.0, 0.6)(x, y)) - 0.6, (255, 214, 232), bbox=(0, 20, w, 34))
    # A bell on the left, dots of light on the right.
    _bell(c, 22.0, 14.0, 9.0, (255, 255, 255), darken(RASPBERRY, 0.4))
    for x, y, r, o in ((178.0, 9.0, 2.2, 0.45), (196.0, 16.0, 3.0, 0.35), (214.0, 8.0, 1.8, 0.5),
                       (229.0, 15.0, 2.6, 0.4), (160.0, 18.0, 1.5, 0.35)):
        fill(c, circle(x, y, r), (255, 255, 255), opacity=o)
    # The text panel: white, rounded, a shade under it.
    panel = rect(6.0, 36.0, w - 6.0, h - 6.0, 6.0)
    fill(c, grow(panel, 1.6), (200, 120, 160), opacity=0.18, feather=3.0)
    fill(c, grow(panel, 0.8), PANEL_EDGE)
    fill(c, panel, linear(0, 36, 0, h, [(0.0, (255, 255, 255)), (1.0, (255, 251, 253))]))
    # A one-pixel frame holds it together on any desktop.
    for x0, y0, x1, y1 in ((0, 0, w, 1), (0, h - 1, w, h), (0, 0, 1, h), (w - 1, 0, w, h)):
        fill(c, rect(x0, y0, x1, y1), FRAME, bbox=(x0, y0, x1, y1))
    return c


def large_skin():
    return popup_skin(250, 164)


def small_skin():
    return popup_skin(250, 109)


def _box(size):
    return Canvas(size, size), size / 16.0


def page_menstruation(size):
    """A bell with a drop: the reminder of the coming period."""
    c, s = _box(size)
    _bell(c, 7.0 * s, 7.0 * s, 6.0 * s, linear(0, 0, 0, 14 * s, [(0.0, (255, 214, 120)), (1.0, (230, 160, 30))]),
          (120, 80, 0))
    drop = union(circle(12.0 * s, 12.2 * s, 3.2 * s),
                 polygon([(12.0 * s, 6.2 * s), (9.2 * s, 11.4 * s), (14.8 * s, 11.4 * s)]))
    fill(c, grow(drop, 0.6 * s), (120, 0, 20))
    fill(c, drop, radial(11.0 * s, 11.4 * s, 4.5 * s, [(0.0, (255, 100, 100)), (1.0, (200, 10, 30))]))
    return c


def page_pill(size):
    """A clock face with a capsule before it: the pill at its time."""
    c, s = _box(size)
    face = circle(6.8 * s, 6.8 * s, 6.0 * s)
    fill(c, grow(face, 0.7 * s), (60, 70, 110))
    fill(c, face, radial(5.0 * s, 4.5 * s, 8.0 * s, [(0.0, (255, 255, 255)), (1.0, (214, 224, 244))]))
    fill(c, polyline([(6.8 * s, 6.8 * s), (6.8 * s, 2.8 * s)], 1.1 * s), (50, 60, 100))
    fill(c, polyline([(6.8 * s, 6.8 * s), (9.6 * s, 8.2 * s)], 1.1 * s), (50, 60, 100))
    a, b = (9.0 * s, 14.2 * s), (14.6 * s, 8.6 * s)
    half = 1.9 * s
    capsule = polyline([a, b], 2 * half)
    fill(c, grow(capsule, 0.6 * s), (90, 20, 60))
    mid = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
    dx, dy = b[0] - a[0], b[1] - a[1]
    fill(c, capsule, lambda x, y: RASPBERRY if (x - mid[0]) * dx + (y - mid[1]) * dy > 0 else (250, 250, 252))
    fill(c, polyline([(a[0] + 0.25 * dx - 0.5 * s, a[1] + 0.25 * dy - 0.9 * s),
                      (b[0] - 0.2 * dx - 0.5 * s, b[1] - 0.2 * dy - 0.9 * s)], 0.6 * s),
         (255, 255, 255), opacity=0.6)
    return c
