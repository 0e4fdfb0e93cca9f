"""A small anti-aliased rasteriser in pure Python.

Shapes are signed distance functions f(x, y) -> distance in pixels (negative
inside). A pixel (i, j) covers [i, i+1] x [j, j+1]. Pixels clearly inside or
outside a shape are decided from the distance at their centre; pixels near
the edge are supersampled on an n x n grid, which gives the anti-aliasing.
Colours are (r, g, b) floats 0-255; the canvas keeps premultiplied RGBA so
shapes can be painted onto transparency (icons) as well as onto a picture.
"""

import math


# ---------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, w, h, color=None):
        self.w = w
        self.h = h
        n = w * h
        if color is None:
            self.r = [0.0] * n
            self.g = [0.0] * n
            self.b = [0.0] * n
            self.a = [0.0] * n
        else:
            self.r = [float(color[0])] * n
            self.g = [float(color[1])] * n
            self.b = [float(color[2])] * n
            self.a = [1.0] * n

    def blend(self, i, color, alpha):
        """Paints colour with coverage alpha over pixel index i ("over")."""
        k = 1.0 - alpha
        self.r[i] = color[0] * alpha + self.r[i] * k
        self.g[i] = color[1] * alpha + self.g[i] * k
        self.b[i] = color[2] * alpha + self.b[i] * k
        self.a[i] = alpha + self.a[i] * k

    def pixel(self, x, y):
        """Straight (not premultiplied) colour and alpha of a pixel."""
        i = y * self.w + x
        a = self.a[i]
        if a <= 0.0:
            return (0.0, 0.0, 0.0), 0.0
        return (self.r[i] / a, self.g[i] / a, self.b[i] / a), a

    def fill_rows(self, paint):
        """Sets every pixel from paint(x, y) (opaque); for backgrounds."""
        for y in range(self.h):
            for x in range(self.w):
                c = paint(x + 0.5, y + 0.5)
                i = y * self.w + x
                self.r[i], self.g[i], self.b[i], self.a[i] = c[0], c[1], c[2], 1.0

    def crop(self, x0, y0, w, h):
        out = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                i = (y0 + y) * self.w + (x0 + x)
                j = y * w + x
                out.r[j], out.g[j], out.b[j], out.a[j] = self.r[i], self.g[i], self.b[i], self.a[i]
        return out

    def rgb_rows(self, key=None, threshold=0.5, backdrop=None):
        """Opaque 8-bit rows (top row first) for a BMP.

        Transparent canvases are flattened: with a backdrop colour every pixel
        is composed over it; pixels whose alpha is below threshold become the
        key colour. With no backdrop, covered pixels keep their own colour, so
        a colour-keyed bitmap has a crisp silhouette whose edge pixels are the
        shape's colour rather than a blend with some background they will
        never be drawn on."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                c, a = self.pixel(x, y)
                if key is not None and a < threshold:
                    row.append(tuple(key))
                    continue
                if backdrop is not None and a < 1.0:
                    c = tuple(c[k] * a + backdrop[k] * (1.0 - a) for k in range(3))
                px = tuple(clamp8(v) for v in c)
                if key is not None and px == tuple(key):
                    # Never let a painted pixel turn transparent by accident.
                    px = (px[0], px[1], px[2] - 1 if px[2] > 0 else 1)
                row.append(px)
            rows.append(row)
        return rows

    def rgba_rows(self):
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                c, a = self.pixel(x, y)
                row.append((clamp8(c[0]), clamp8(c[1]), clamp8(c[2]), clamp8(a * 255.0)))
            rows.append(row)
        return rows


def clamp8(v):
    v = int(math.floor(v + 0.5))
    return 0 if v < 0 else 255 if v > 255 else v


# ---------------------------------------------------------------------------
# Painting


def fill(canvas, sdf, paint, bbox=None, opacity=1.0, ss=4, feather=0.0):
    """Paints the inside of sdf.

    paint is a colour or a function (x, y) -> colour; opacity is a number or
    a function (x, y) -> number. bbox (x0, y0, x1, y1)
    limits the work; it is clipped to the canvas. feather > 0 gives a soft
    edge that fades over that many pixels instead of a supersampled one."""
    if bbox is None:
        bbox = (0, 0, canvas.w, canvas.h)
    x0 = max(0, int(math.floor(bbox[0])) - 1)
    y0 = max(0, int(math.floor(bbox[1])) - 1)
    x1 = min(canvas.w, int(math.ceil(bbox[2])) + 1)
    y1 = min(canvas.h, int(math.ceil(bbox[3])) + 1)
    flat = None if callable(paint) else paint
    inv = 1.0 / (ss * ss)
    offsets = [(k + 0.5) / ss for k in range(ss)]
    half = feather * 0.5
    for y in range(y0, y1):
        cy = y + 0.5
        for x in range(x0, x1):
            cx = x + 0.5
            d = sdf(cx, cy)
            if feather > 0.0:
                if d >= half:
                    continue
                cov = 1.0 if d <= -half else 0.5 - d / feather
            else:
                if d >= 0.75:
                    continue
                if d <= -0.75:
                    cov = 1.0
                else:
                    hits = 0
                    for oy in offsets:
                        for ox in offsets:
                            if sdf(x + ox, y + oy) <= 0.0:
                                hits += 1
                    if hits == 0:
                        continue
                    cov = hits * inv
            color = flat if flat is not None else paint(cx, cy)
            op = opacity(cx, cy) if callable(opacity) else opacity
            if op > 0.0:
                canvas.blend(y * canvas.w + x, color, cov * op)


def mix(c0, c1, t):
    return (c0[0] + (c1[0] - c0[0]) * t, c0[1] + (c1[1] - c0[1]) * t, c0[2] + (c1[2] - c0[2]) * t)


def smoothstep(t):
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return t * t * (3.0 - 2.0 * t)


def ramp(stops, t):
    """Colour at t of a gradient given as [(t0, colour0), (t1, colour1), ...]."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
        if t <= tb:
            return mix(ca, cb, smoothstep((t - ta) / (tb - ta)) if tb > ta else 1.0)
    return stops[-1][1]


def linear(x0, y0, x1, y1, stops):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    return lambda x, y: ramp(stops, ((x - x0) * dx + (y - y0) * dy) / ll)


def radial(cx, cy, r, stops):
    return lambda x, y: ramp(stops, math.hypot(x - cx, y - cy) / r)


def lighten(c, t):
    return mix(c, (255.0, 255.0, 255.0), t)


def darken(c, t):
    return mix(c, (0.0, 0.0, 0.0), t)


# ---------------------------------------------------------------------------
# Signed distance functions


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry, angle=0.0):
    ca, sa = math.cos(angle), math.sin(angle)
    m = min(rx, ry)

    def f(x, y):
        px, py = x - cx, y - cy
        u = (px * ca + py * sa) / rx
        v = (-px * sa + py * ca) / ry
        return (math.hypot(u, v) - 1.0) * m

    return f


def rect(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) * 0.5, (y0 + y1) * 0.5
    hx, hy = (x1 - x0) * 0.5 - radius, (y1 - y0) * 0.5 - radius

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius

    return f


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0.0 else ((x - ax) * dx + (y - ay) * dy) / ll
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return math.hypot(x - ax - dx * t, y - ay - dy * t)


def polyline(points, width):
    """A stroke of the given width along a list of points, round caps."""
    half = width * 0.5
    segs = list(zip(points, points[1:])) or [(points[0], points[0])]

    def f(x, y):
        best = 1e9
        for (ax, ay), (bx, by) in segs:
            d = segment_distance(x, y, ax, ay, bx, by)
            if d < best:
                best = d
        return best - half

    return f


def polygon(points):
    n = len(points)

    def f(x, y):
        d = 1e18
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            d = min(d, segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return -d if inside else d

    return f


def heart(cx, top, size):
    """A heart size pixels high whose top edge is at y = top."""

    def unit(px, py):
        px = abs(px)
        if py + px > 1.0:
            return math.hypot(px - 0.25, py - 0.75) - math.sqrt(2.0) / 4.0
        d1 = (px - 0.0) ** 2 + (py - 1.0) ** 2
        m = 0.5 * max(px + py, 0.0)
        d2 = (px - m) ** 2 + (py - m) ** 2
        s = 1.0 if px - py > 0 else -1.0
        return math.sqrt(min(d1, d2)) * s

    # The unit heart spans y from 0 (tip) to about 1.1 (lobes), x +-0.6.
    scale = size / 1.1035

    def f(x, y):
        return unit((x - cx) / scale, (top + size - y) / scale) * scale

    return f


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    """Points along an elliptic arc, angles in degrees, y down, counterclockwise
    on screen for growing angles (0 = right, 90 = up)."""
    if steps is None:
        steps = max(8, int(abs(a1 - a0) / 6))
    pts = []
    for k in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * k / steps)
        pts.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    return pts


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def outline(f, width):
    """A band of the given width centred on the edge of f."""
    half = width * 0.5
    return lambda x, y: abs(f(x, y)) - half


def grow(f, by):
    return lambda x, y: f(x, y) - by


def wave_below(y0, amp, period, phase, slope=0.0):
    """The area below a sine curve y = y0 + amp*sin(...) + slope*x."""
    k = 2.0 * math.pi / period

    def f(x, y):
        curve = y0 + amp * math.sin(k * x + phase) + slope * x
        deriv = amp * k * math.cos(k * x + phase) + slope
        return (curve - y) / math.sqrt(1.0 + deriv * deriv)

    return f


def strokes(polylines, width):
    """A union of pen strokes; far strokes are skipped by their boxes."""
    half = width * 0.5
    items = []
    for pts in polylines:
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        segs = list(zip(pts, pts[1:])) or [(pts[0], pts[0])]
        items.append((min(xs), min(ys), max(xs), max(ys), segs))

    def f(x, y):
        best = 1e9
        for x0, y0, x1, y1, segs in items:
            dx = x0 - x if x < x0 else x - x1 if x > x1 else 0.0
            dy = y0 - y if y < y0 else y - y1 if y > y1 else 0.0
            if dx >= best or dy >= best:
                continue
            for (ax, ay), (bx, by) in segs:
                d = segment_distance(x, y, ax, ay, bx, by)
                if d < best:
                    best = d
        return best - half

    return f


def bounds_of(polylines, pad=0.0):
    xs = [p[0] for pts in polylines for p in pts]
    ys = [p[1] for pts in polylines for p in pts]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)
