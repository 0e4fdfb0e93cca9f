"""The twelve zodiac icons (5641-5652) and the Birth dialog's small icon
(1110). Every sign is the same round badge, coloured by its element (fire,
earth, air, water), with the sign's traditional glyph drawn as white pen
strokes in a 32-unit box; both icon sizes come from one drawing."""

import math

from raster import (Canvas, fill, circle, ellipse, rect, polyline, strokes, arc_points, union, grow, linear,
                    radial, darken, lighten)

FIRE = (226, 84, 58)
EARTH = (92, 158, 76)
AIR = (226, 172, 40)
WATER = (56, 122, 214)

# Sign index -> (English name, element colour); index order is the program's.
SIGNS = [
    ("aries", FIRE), ("taurus", EARTH), ("gemini", AIR), ("cancer", WATER),
    ("leo", FIRE), ("virgo", EARTH), ("libra", AIR), ("scorpio", WATER),
    ("sagittarius", FIRE), ("capricorn", EARTH), ("aquarius", AIR), ("pisces", WATER),
]


def _arc(cx, cy, rx, ry, a0, a1):
    return arc_points(cx, cy, rx, ry, a0, a1)


def _m_shape(stems):
    """The shared body of Virgo and Scorpio: stems joined by round arches."""
    lines = [[(stems[0], 11.0), (stems[0], 22.5)]]
    for left, right in zip(stems, stems[1:]):
        half = (right - left) / 2.0
        arch = _arc(left + half, 13.0, half, 3.0, 180.0, 0.0)
        lines.append(arch + [(right, 22.5)])
    return lines


def glyph(name):
    """Pen strokes of a sign's glyph: a list of polylines in a 32x32 box."""
    if name == "aries":
        left = _arc(11.5, 12.5, 4.5, 5.0, 0.0, 200.0)
        right = _arc(20.5, 12.5, 4.5, 5.0, 180.0, -20.0)
        return [[(16.0, 25.0), (16.0, 12.5)], left, right]
    if name == "taurus":
        return [_arc(16.0, 19.5, 5.5, 5.5, 0.0, 360.0), _arc(16.0, 6.0, 8.0, 8.0, 205.0, 335.0)]
    if name == "gemini":
        return [[(12.5, 10.0), (12.5, 22.0)], [(19.5, 10.0), (19.5, 22.0)],
                _arc(16.0, 3.0, 10.0, 7.0, 225.0, 315.0), _arc(16.0, 29.0, 10.0, 7.0, 135.0, 45.0)]
    if name == "cancer":
        top = _arc(17.0, 14.5, 8.5, 5.0, 165.0, 20.0)
        bottom = _arc(15.0, 17.5, 8.5, 5.0, 345.0, 200.0)
        return [top, bottom, _arc(10.5, 12.5, 2.6, 2.6, 0.0, 360.0), _arc(21.5, 19.5, 2.6, 2.6, 0.0, 360.0)]
    if name == "leo":
        loop = _arc(10.5, 19.5, 3.4, 3.4, 0.0, 360.0)
        hook = _arc(17.5, 12.0, 4.5, 4.5, 215.0, -10.0)
        tail = [hook[-1], (21.9, 20.5)] + _arc(24.2, 20.5, 2.3, 2.5, 180.0, 330.0)
        return [loop, hook + tail[1:]]
    if name == "virgo":
        lines = _m_shape([7.5, 12.5, 17.5])
        loop = _arc(21.0, 19.5, 3.2, 3.8, 200.0, -150.0)
        lines.append([(17.5, 19.0)] + loop + [(19.5, 27.0)])
        return lines
    if name == "libra":
        hump = _arc(16.0, 14.5, 5.0, 5.0, 235.0, -55.0)
        return [[(6.0, 24.0), (26.0, 24.0)], [(6.0, 19.0), hump[0]], hump, [hump[-1], (26.0, 19.0)]]
    if name == "scorpio":
        lines = _m_shape([6.5, 11.5, 16.5])
        lines[-1] = lines[-1][:-1] + [(16.5, 22.0)] + _arc(20.0, 22.0, 3.5, 3.0, 180.0, 270.0) + [(25.5, 25.0)]
        lines.append([(22.5, 22.0), (25.7, 25.0), (22.5, 28.0)])
        return lines
    if name == "sagittarius":
        return [[(7.5, 24.5), (24.5, 7.5)], [(15.5, 7.5), (24.5, 7.5), (24.5, 16.5)], [(10.5, 15.5), (16.5, 21.5)]]
    if name == "capricorn":
        body = [(6.5, 9.5), (10.5, 22.5), (14.0, 10.5)] + _arc(17.5, 11.5, 3.5, 3.0, 170.0, 0.0)
        body += [(21.0, 19.0)]
        loop = _arc(23.0, 21.0, 3.0, 3.0, 180.0, -170.0)
        return [body + loop + [(17.0, 27.0)]]
    if name == "aquarius":
        waves = []
        for y in (13.0, 20.0):
            waves.append([(6.0, y + 1.8), (9.5, y - 1.8), (13.0, y + 1.8), (16.5, y - 1.8), (20.0, y + 1.8),
                          (23.5, y - 1.8), (26.5, y + 1.5)])
        return waves
    if name == "pisces":
        left = _arc(3.5, 16.0, 6.5, 9.5, 60.0, -60.0)
        right = _arc(28.5, 16.0, 6.5, 9.5, 120.0, 240.0)
        return [left, right, [(9.0, 16.0), (23.0, 16.0)]]
    raise ValueError(name)


def zodiac(index):
    name, element = SIGNS[index]

    def make(size):
        c = Canvas(size, size)
        s = size / 32.0
        badge = circle(16.0 * s, 16.0 * s, 15.0 * s)
        fill(c, badge, darken(element, 0.35))
        fill(c, circle(16.0 * s, 16.0 * s, 13.9 * s),
             radial(11.0 * s, 9.0 * s, 22.0 * s, [(0.0, lighten(element, 0.35)), (1.0, element)]))
        # A 16-pixel glyph keeps a pen of about a pixel and a half, or its
        # strokes run together; the larger sizes get a soft shadow.
        pen = 2.7 * s if size >= 32 else 1.45
        lines = [[(x * s, y * s) for x, y in line] for line in glyph(name)]
        if size >= 32:
            fill(c, grow(strokes(lines, pen), 0.8 * s), darken(element, 0.45), opacity=0.55)
        fill(c, strokes(lines, pen), (255, 255, 255))
        return c

    return make


def birth_small(size):
    """A pram: a hood over a round body on two wheels."""
    c = Canvas(size, size)
    s = size / 16.0
    pink = (226, 70, 130)
    body = union(ellipse(7.5 * s, 8.4 * s, 6.3 * s, 3.6 * s), rect(1.2 * s, 5.0 * s, 13.8 * s, 8.4 * s))
    fill(c, grow(body, 0.6 * s), darken(pink, 0.4))
    fill(c, body, linear(0, 4.5 * s, 0, 12.0 * s, [(0.0, lighten(pink, 0.35)), (1.0, pink)]))
    hood = lambda x, y: max(circle(7.5 * s, 5.0 * s, 6.3 * s)(x, y), y - 5.0 * s, x - 7.5 * s)
    fill(c, grow(hood, 0.6 * s), darken(pink, 0.4))
    fill(c, hood, linear(0, 0, 0, 5 * s, [(0.0, (255, 200, 220)), (1.0, (240, 140, 180))]))
    fill(c, polyline([(13.8 * s, 5.0 * s), (15.2 * s, 2.4 * s)], 1.2 * s), (90, 70, 90))
    for x in (4.2, 11.0):
        fill(c, circle(x * s, 13.2 * s, 2.3 * s), (70, 60, 80))
        fill(c, circle(x * s, 13.2 * s, 0.9 * s), (220, 220, 230))
    return c


def icons():
    """Entries for the picture table of make_images.py."""
    names = ["Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius",
             "Capricorn", "Aquarius", "Pisces"]
    out = [("IDI_BIRTH_SMALL", 1110, "birth_small.ico", birth_small, (16, 32), "the Birth dialog's small icon")]
    for i, name in enumerate(names):
        out.append(("IDI_ZODIAC_%s" % name.upper(), 5641 + i, "zodiac_%s.ico" % name.lower(), zodiac(i), (16, 32, 48),
                    "zodiac sign %s" % name))
    return out
