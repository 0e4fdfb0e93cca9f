"""A tiny stroke font for the program name: a rounded geometric sans drawn
as pen strokes (polylines and elliptic arcs). Units: baseline at y = 0, y up,
x-height 0.62, cap height 0.92. Only the letters the images need."""

from raster import arc_points

X = 0.62  # x-height
C = 0.92  # cap height
A = 0.98  # ascender


def _arc(cx, cy, rx, ry, a0, a1):
    # arc_points works in a y-down space; glyphs are y-up, so flip the sign
    # of the centre and the points and the angles keep their usual meaning.
    return [(x, -y) for x, y in arc_points(cx, -cy, rx, ry, a0, a1)]


def _glyphs():
    g = {}
    g["T"] = (0.66, [[(0.0, C), (0.66, C)], [(0.33, C), (0.33, 0.0)]])
    bowl = _arc(0.29, X / 2, 0.29, X / 2, 0, 360)
    g["a"] = (0.58, [bowl, [(0.58, X), (0.58, 0.0)]])
    r = 0.2
    arch1 = [(0.0, X - r)] + _arc(r, X - r, r, r, 180, 0) + [(2 * r, 0.0)]
    arch2 = [(2 * r, X - r)] + _arc(3 * r, X - r, r, r, 180, 0) + [(4 * r, 0.0)]
    g["m"] = (4 * r, [[(0.0, X), (0.0, 0.0)], arch1, arch2])
    rr = 0.25
    g["r"] = (0.34, [[(0.0, X), (0.0, 0.0)], [(0.0, X - rr)] + _arc(rr, X - rr, rr, rr, 180, 62)])
    g["e"] = (0.58, [[(0.02, X / 2), (0.58, X / 2)], _arc(0.29, X / 2, 0.29, X / 2, 0, 318)])
    t = 0.11
    g["l"] = (0.2, [[(0.0, A), (0.0, t)] + _arc(t, t, t, t, 180, 300)])
    return g


GLYPHS = _glyphs()
KERNING = {("T", "a"): -0.13, ("T", "e"): -0.13}
TRACKING = 0.17


def text_width(text, size):
    w = 0.0
    for i, ch in enumerate(text):
        w += GLYPHS[ch][0]
        if i + 1 < len(text):
            w += TRACKING + KERNING.get((ch, text[i + 1]), 0.0)
    return w * size


def text_strokes(text, x, baseline, size, slant=0.0):
    """Polylines in pixel coordinates (y down) for text at (x, baseline)."""
    strokes = []
    pen = 0.0
    for i, ch in enumerate(text):
        adv, glyph = GLYPHS[ch]
        for stroke in glyph:
            strokes.append([(x + (pen + gx + slant * gy) * size, baseline - gy * size) for gx, gy in stroke])
        pen += adv
        if i + 1 < len(text):
            pen += TRACKING + KERNING.get((ch, text[i + 1]), 0.0)
    return strokes
