"""The logo of the top band (237 x 60): the calendar-and-heart mark and the
name "Tamarel" in the program's own stroke font.

The logo is drawn with a colour key over headers of three themes, so its
outer edge cannot be blended with what lies beneath. The name therefore
carries a white halo: the letters are smooth against the halo, and the halo's
crisp edge meets a light background where a hard edge does not show."""

from raster import Canvas, fill, strokes, bounds_of, linear, grow, mix
from font import text_strokes, text_width
from icons import calendar_heart

WIDTH, HEIGHT = 237, 60
INK_TOP = (200, 40, 115)
INK_BOTTOM = (120, 25, 95)


def logo():
    c = Canvas(WIDTH, HEIGHT)
    mark = 46
    mx, my = 3, 7
    # The mark, on a round white halo.
    halo = Canvas(mark + 6, mark + 6)
    calendar_heart(halo, 3, 3, mark)
    # Spread the mark's own silhouette by 2 pixels in white.
    for y in range(halo.h):
        for x in range(halo.w):
            best = 0.0
            for dy in (-2, -1, 0, 1, 2):
                for dx in (-2, -1, 0, 1, 2):
                    if dx * dx + dy * dy > 5:
                        continue
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < halo.w and 0 <= yy < halo.h:
                        best = max(best, halo.a[yy * halo.w + xx])
            if best >= 0.5:
                xx, yy = x + mx - 3, y + my - 3
                i = yy * c.w + xx
                if 0 <= yy < c.h and 0 <= xx < c.w:
                    c.blend(i, (255, 255, 255), 1.0)
    m = Canvas(mark, mark)
    calendar_heart(m, 0, 0, mark)
    for y in range(mark):
        for x in range(mark):
            col, a = m.pixel(x, y)
            if a > 0:
                c.blend((y + my) * c.w + (x + mx), col, a)

    size = 36.0
    x0 = 58.0
    baseline = 44.0
    lines = text_strokes("Tamarel", x0, baseline, size, slant=0.08)
    pen = 5.0
    box = bounds_of(lines, pad=pen + 4)
    text = strokes(lines, pen)
    fill(c, grow(text, 2.4), (255, 255, 255), box, ss=4)
    fill(c, text, linear(0, baseline - 0.92 * size, 0, baseline, [(0.0, INK_TOP), (1.0, INK_BOTTOM)]), box)
    return c, x0 + text_width("Tamarel", size)
