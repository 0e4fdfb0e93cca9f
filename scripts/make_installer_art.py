#!/usr/bin/env python3
"""Draws the installer's welcome and finish picture (164 x 314, 24-bit BMP):
the program's calendar-and-heart mark on a soft pink gradient with a wave.

    python3 scripts/make_installer_art.py   # writes installer/welcome.bmp
"""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "images"))

from icons import calendar_heart  # noqa: E402
from raster import Canvas, fill, linear, wave_below, circle, heart  # noqa: E402
from writers import bmp24  # noqa: E402

W, H = 164, 314


def welcome():
    c = Canvas(W, H)
    c.fill_rows(linear(0, 0, 0, H, [(0.0, (255, 236, 245)), (0.55, (254, 190, 222)), (1.0, (232, 110, 168))]))
    box = (0, 0, W, H)
    fill(c, wave_below(220, 10, 150, 0.6, -0.05), (255, 255, 255), box, opacity=0.35)
    fill(c, wave_below(245, 12, 190, 2.1, 0.04), (214, 46, 112), box, opacity=0.35)
    for x, y, r, o in ((24, 40, 9, 0.35), (140, 70, 6, 0.3), (118, 180, 11, 0.25), (30, 160, 5, 0.3)):
        fill(c, circle(x, y, r), (255, 255, 255), box, opacity=o)
    for x, y, s, o in ((130, 30, 14, 0.45), (22, 205, 12, 0.4), (142, 270, 16, 0.35)):
        fill(c, heart(x, y, s), (255, 255, 255), box, opacity=o)
    calendar_heart(c, 34, 78, 96)
    rows = []
    for y in range(H):
        row = []
        for x in range(W):
            colour, _ = c.pixel(x, y)
            row.append(tuple(max(0, min(255, int(round(v)))) for v in colour))
        rows.append(row)
    return rows


if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(root, "installer", "welcome.bmp"), "wb") as f:
        f.write(bmp24(welcome()))
