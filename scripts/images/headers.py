"""The header pictures of the main window's top band (878 x 224) and their
fillers (20 x 224), one pair per colour theme.

The band shows only the top 97 rows: the picture is drawn right-aligned and
the filler is tiled to its left, so the picture's left edge must match the
filler column exactly and its decoration fades in further right. The logo
sits on the left (on the filler in wide windows), the menu titles at the top
right, and the calendar below the band starts with the theme's base colour,
which is what the band's bottom row shows."""

import math

from raster import (Canvas, fill, circle, ellipse, polyline, polygon, heart, union, wave_below, linear, radial,
                    mix, lighten, darken, smoothstep, arc_points, grow)

WIDTH, HEIGHT, FILLER_WIDTH = 878, 224, 20
BAND = 97  # rows that show

THEMES = {
    "pink": {"base": (254, 154, 205), "dark": (180, 26, 97), "pale": (255, 199, 255)},
    "spring": {"base": (255, 243, 112), "dark": (151, 185, 33), "pale": (255, 237, 199)},
    "sky": {"base": (97, 195, 255), "dark": (26, 120, 180), "pale": (160, 206, 241)},
}


def column_colour(theme, y):
    """The plain vertical gradient shared by the filler and the picture's
    left edge: light at the top (behind the logo), the base colour at the
    band's bottom row, a little deeper below it."""
    base = THEMES[theme]["base"]
    top = lighten(base, 0.72)
    if y <= BAND:
        return mix(top, base, smoothstep(y / BAND) * 0.85 + (y / BAND) * 0.15)
    return mix(base, darken(base, 0.12), (y - BAND) / (HEIGHT - BAND))


def background(theme):
    base = THEMES[theme]["base"]
    cols = [column_colour(theme, y + 0.5) for y in range(HEIGHT)]

    def paint(x, y):
        c = cols[min(HEIGHT - 1, int(y))]
        # Towards the right the top rows come down to the base colour, so
        # the menu titles there stand on a mid tone.
        t = smoothstep((x - 260) / 560.0) * 0.75
        if t > 0 and y < BAND:
            c = mix(c, base, t * (1.0 - y / BAND))
        return c

    return paint


def fade_in(x0, x1, peak):
    return lambda x, y: peak * smoothstep((x - x0) / (x1 - x0))


def waves(c, theme):
    base = THEMES[theme]["base"]
    dark = THEMES[theme]["dark"]
    light = lighten(base, 0.55)
    layers = [
        (62, 9, 520, 0.4, -0.035, light, 0.55),
        (74, 7, 430, 2.1, -0.02, mix(base, dark, 0.25), 0.30),
        (84, 6, 610, 4.0, -0.01, lighten(base, 0.3), 0.45),
    ]
    for y0, amp, period, phase, slope, colour, peak in layers:
        # The band on screen ends at row 97; a wave rising to the right keeps
        # its crest visible there.
        fill(c, wave_below(y0 + 22, amp, period, phase, slope), colour, (180, 0, WIDTH, HEIGHT),
             opacity=fade_in(180, 520, peak), feather=1.6)
    # A fine light line along the top wave.
    crest = [(x, 84 + 9 * math.sin(2 * math.pi * x / 520 + 0.4) - 0.035 * x) for x in range(180, WIDTH + 4, 4)]
    fill(c, polyline(crest, 1.4), lighten(base, 0.85), (180, 0, WIDTH, HEIGHT), opacity=fade_in(200, 560, 0.7))


def bokeh(c, theme, spots):
    base = THEMES[theme]["base"]
    for x, y, r, strength in spots:
        paint = radial(x, y, r, [(0.0, lighten(base, 0.9)), (1.0, lighten(base, 0.4))])
        fill(c, circle(x, y, r), paint, (x - r - 2, y - r - 2, x + r + 2, y + r + 2),
             opacity=strength * smoothstep((x - 240) / 200.0), feather=2.0)


def flower(c, cx, cy, r, petal, centre, edge, opacity=1.0, turn=0.0):
    box = (cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3)
    for k in range(5):
        a = turn + k * 2 * math.pi / 5
        px, py = cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55
        e = ellipse(px, py, r * 0.5, r * 0.32, a)
        fill(c, grow(e, 0.7), edge, box, opacity=opacity * 0.6)
        fill(c, e, petal, box, opacity=opacity)
    fill(c, circle(cx, cy, r * 0.24), centre, box, opacity=opacity)


def leaf(c, x0, y0, x1, y1, width, colour, vein, opacity=1.0):
    ang = math.atan2(y1 - y0, x1 - x0)
    length = math.hypot(x1 - x0, y1 - y0)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    box = (min(x0, x1) - width, min(y0, y1) - width, max(x0, x1) + width, max(y0, y1) + width)
    fill(c, ellipse(cx, cy, length / 2, width / 2, ang), colour, box, opacity=opacity)
    fill(c, polyline([(x0 + (x1 - x0) * 0.1, y0 + (y1 - y0) * 0.1), (x1, y1)], 1.0), vein, box,
         opacity=opacity * 0.8)


def cloud(c, x, y, s, colour, opacity):
    shape = union(circle(x - 1.1 * s, y + 0.2 * s, 0.8 * s), circle(x, y - 0.35 * s, 1.05 * s),
                  circle(x + 1.15 * s, y + 0.1 * s, 0.85 * s), circle(x + 2.0 * s, y + 0.45 * s, 0.55 * s),
                  ellipse(x + 0.3 * s, y + 0.6 * s, 2.3 * s, 0.5 * s))
    box = (x - 2.2 * s, y - 1.6 * s, x + 2.8 * s, y + 1.4 * s)
    fill(c, shape, colour, box, opacity=opacity, feather=1.8)


def bird(c, x, y, s, colour, opacity):
    left = arc_points(x - s, y + 0.35 * s, s, 0.6 * s, 20, 160)
    right = arc_points(x + s, y + 0.35 * s, s, 0.6 * s, 20, 160)
    fill(c, polyline(list(reversed(left)) + right, 1.3), colour, (x - 2.2 * s, y - s, x + 2.2 * s, y + s),
         opacity=opacity)


def pink_motif(c):
    t = THEMES["pink"]
    for cx, top, size, op in ((455, 30, 22, 0.55), (500, 12, 13, 0.45), (610, 48, 16, 0.4), (700, 66, 11, 0.5),
                              (382, 58, 12, 0.35)):
        h = heart(cx, top, size)
        fill(c, h, lighten(t["base"], 0.85), (cx - size, top - 2, cx + size, top + size + 2), opacity=op, ss=4)
        fill(c, lambda x, y, h=h: abs(h(x, y)) - 0.6, lighten(t["base"], 0.97),
             (cx - size, top - 2, cx + size, top + size + 2), opacity=op)
    for cx, cy, r, op, turn in ((545, 44, 15, 0.75, 0.3), (575, 70, 9, 0.6, 1.0), (800, 60, 12, 0.55, 0.6),
                                (420, 80, 8, 0.5, 0.2)):
        flower(c, cx, cy, r, (255, 236, 246), (255, 214, 120), mix(t["base"], t["dark"], 0.3), op, turn)


def spring_motif(c):
    t = THEMES["spring"]
    green, deep = (150, 200, 70), (95, 150, 35)
    # Soft sun glow at the top right.
    fill(c, circle(760, -30, 140), radial(760, -30, 140, [(0.0, (255, 255, 235)), (1.0, lighten(t["base"], 0.3))]),
         (600, 0, WIDTH, 120), opacity=0.6, feather=40)
    # Grass hill along the bottom.
    fill(c, wave_below(100, 8, 340, 1.0, -0.012), lighten(green, 0.25), (260, 0, WIDTH, HEIGHT),
         opacity=fade_in(260, 560, 0.8), feather=1.4)
    fill(c, wave_below(108, 6, 260, 2.6, -0.006), green, (260, 0, WIDTH, HEIGHT),
         opacity=fade_in(300, 620, 0.75), feather=1.4)
    # Daisies on curved stems, each stem with a leaf.
    for cx, cy, r, op, turn, bend, side in ((455, 50, 14, 0.95, 0.2, -10, 1), (505, 34, 9, 0.9, 0.9, 6, -1),
                                            (600, 62, 11, 0.9, 0.5, -6, 1), (720, 50, 13, 0.9, 0.1, 8, -1),
                                            (790, 70, 9, 0.85, 0.7, -4, 1), (380, 66, 8, 0.75, 0.4, 5, -1)):
        bottom = 112
        stem = []
        for k in range(13):
            t = k / 12.0
            stem.append((cx + bend * (1 - t) * t * 4 + bend * 0.2 * t, cy + (bottom - cy) * t))
        fade = smoothstep((cx - 300) / 160.0)
        fill(c, polyline(stem, 2.0), deep, (cx - 20, cy, cx + 20, bottom + 2), opacity=0.9 * fade)
        mid = stem[7]
        tip = (mid[0] + side * (r + 6), mid[1] - r * 0.9)
        leaf(c, mid[0], mid[1], tip[0], tip[1], max(6, r * 0.6), green, deep, 0.9 * fade)
        flower(c, cx, cy, r, (255, 255, 250), (255, 190, 40), (200, 190, 120), op, turn)


def sky_motif(c):
    t = THEMES["sky"]
    white = (255, 255, 255)
    for x, y, s, op in ((470, 40, 16, 0.85), (610, 66, 12, 0.75), (760, 44, 14, 0.6), (385, 72, 9, 0.55),
                        (850, 80, 9, 0.5)):
        cloud(c, x, y, s, white, op)
    for x, y, s, op in ((545, 28, 6, 0.7), (566, 38, 4.5, 0.6), (420, 22, 5, 0.55)):
        bird(c, x, y, s, darken(t["dark"], 0.2), op)


MOTIFS = {"pink": pink_motif, "spring": spring_motif, "sky": sky_motif}

SPOTS = [(330, 24, 16, 0.35), (402, 44, 9, 0.4), (520, 18, 11, 0.3), (590, 30, 20, 0.22), (668, 56, 10, 0.35),
         (735, 28, 7, 0.4), (820, 34, 18, 0.25), (860, 58, 8, 0.35), (300, 66, 7, 0.3)]


def header(theme):
    c = Canvas(WIDTH, HEIGHT)
    c.fill_rows(background(theme))
    bokeh(c, theme, SPOTS)
    waves(c, theme)
    MOTIFS[theme](c)
    return c


def filler(theme):
    c = Canvas(FILLER_WIDTH, HEIGHT)
    c.fill_rows(lambda x, y: column_colour(theme, y))
    return c
