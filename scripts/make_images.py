#!/usr/bin/env python3
"""Draws every picture of the program into src/resources/images/ and writes
the resource script fragment and the id header that list them.

Pure Python (standard library only): shapes are rasterised with
anti-aliasing by supersampling (scripts/images/raster.py) and written as
24-bit BMP files and one .ico with 16, 32 and 48 pixel 32-bit images. The
output is deterministic, byte for byte, so the committed files can be checked
by running the script again:

    python3 scripts/make_images.py            # write the images
    python3 scripts/make_images.py --check    # fail if a file would change

The table below is the single source of the ids, sizes and key colours;
src/resources/image_ids.h and src/resources/images.rc are written from it.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "images"))

import headers  # noqa: E402
import icons  # noqa: E402
import pane_icons  # noqa: E402
import zodiac_icons  # noqa: E402
import reminder_skins  # noqa: E402
from logo import logo  # noqa: E402
from writers import bmp24, ico  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "resources")

WHITE = (255, 255, 255)
GREY = (200, 200, 200)
MENU_BACKDROP = (245, 245, 245)

# (id name, id, file, maker, (width, height), key colour, flatten mode, use)
#   flatten mode: "opaque" pictures, "crisp" keyed pictures whose edge pixels
#   keep their own colour, "soft" keyed pictures smoothed against a light
#   menu backdrop.
BITMAPS = [
    ("IDB_BAD_FEELING", 129, "bad_feeling.bmp", icons.bad_feeling, (16, 16), WHITE, "crisp",
     "bad-feeling mark on flow, predicted-flow and pre-flow days"),
    ("IDB_BOY_DAY", 1302, "boy_day.bmp", icons.boy, (15, 15), WHITE, "crisp", "boy day"),
    ("IDB_GIRL_DAY", 132, "girl_day.bmp", icons.girl, (16, 16), WHITE, "crisp", "girl day"),
    ("IDB_DAY_NOTE", 146, "day_note.bmp", icons.note_mark, (15, 15), WHITE, "crisp", "the day has a note"),
    ("IDB_DAY_SEX", 145, "day_sex.bmp", icons.two_hearts, (15, 15), WHITE, "crisp", "sex"),
    ("IDB_DAY_PILL", 1695, "day_pill.bmp", icons.pill, (10, 10), WHITE, "crisp", "pill taken"),
    ("IDB_GOOD_MOOD", 170, "good_mood.bmp", lambda: icons.face(10, True), (10, 10), WHITE, "crisp", "good mood"),
    ("IDB_BAD_MOOD", 171, "bad_mood.bmp", lambda: icons.face(10, False), (10, 10), WHITE, "crisp", "bad mood"),
    ("IDB_DAY_DISTURBED", 1696, "day_disturbed.bmp", icons.disturbed, (10, 10), WHITE, "crisp",
     "the day's temperature is disturbed"),
    ("IDB_ARROW_BACK", 165, "arrow_back.bmp", icons.back_arrow, (9, 16), GREY, "crisp",
     "left end of the Back button"),
    ("IDB_ARROW_NEXT", 167, "arrow_next.bmp", icons.next_arrow, (9, 16), GREY, "crisp",
     "right end of the Next button"),
    ("IDB_HEADER_PINK", 207, "header_pink.bmp", lambda: headers.header("pink"), (878, 224), None, "opaque",
     "top band picture, Pink theme (and any unknown theme)"),
    ("IDB_FILLER_PINK", 161, "filler_pink.bmp", lambda: headers.filler("pink"), (20, 224), None, "opaque",
     "tiled left of the Pink picture"),
    ("IDB_HEADER_SPRING", 212, "header_spring.bmp", lambda: headers.header("spring"), (878, 224), None, "opaque",
     "top band picture, Spring theme"),
    ("IDB_FILLER_SPRING", 213, "filler_spring.bmp", lambda: headers.filler("spring"), (20, 224), None, "opaque",
     "tiled left of the Spring picture"),
    ("IDB_HEADER_SKY", 214, "header_sky.bmp", lambda: headers.header("sky"), (878, 224), None, "opaque",
     "top band picture, Sky theme"),
    ("IDB_FILLER_SKY", 215, "filler_sky.bmp", lambda: headers.filler("sky"), (20, 224), None, "opaque",
     "tiled left of the Sky picture"),
    ("IDB_LOGO", 208, "logo.bmp", lambda: logo()[0], (237, 60), GREY, "crisp", "logo at (10, 10) of the band"),
    ("IDB_BAND_MENU_ARROW", 211, "band_menu_arrow.bmp", icons.band_menu_arrow, (8, 4), WHITE, "crisp",
     "arrow after each menu title of the band"),
    ("IDB_MENU_MENSTRUAL", 142, "menu_menstrual.bmp", icons.drop, (16, 16), GREY, "soft",
     "day menu: set/unset menstruation"),
    ("IDB_MENU_SEX", 143, "menu_sex.bmp", lambda: icons.two_hearts(16), (16, 16), GREY, "soft", "day menu: was sex"),
    ("IDB_MENU_PILL", 168, "menu_pill.bmp", icons.menu_pill, (16, 16), GREY, "soft", "day menu: took pill"),
    ("IDB_MENU_TEMPERATURE", 172, "menu_temperature.bmp", icons.thermometer, (16, 16), GREY, "soft",
     "day menu: set temperature"),
    ("IDB_MENU_GOOD_MOOD", 1701, "menu_good_mood.bmp", lambda: icons.face(16, True), (16, 16), GREY, "soft",
     "day menu: good mood"),
    ("IDB_MENU_BAD_MOOD", 1711, "menu_bad_mood.bmp", lambda: icons.face(16, False), (16, 16), GREY, "soft",
     "day menu: bad mood"),
    ("IDB_MENU_DISTURBED", 1697, "menu_disturbed.bmp", lambda: icons.disturbed(16), (16, 16), GREY, "soft",
     "day menu: temperature disturbed"),
    ("IDB_MENU_NOTE", 144, "menu_note.bmp", icons.note_pencil, (16, 16), GREY, "soft", "day menu: add/edit note"),
    ("IDB_GENDER_BOY", 130, "gender_boy.bmp", lambda: pane_icons.gender(True), (48, 48), WHITE, "soft",
     "today dialog: the expected baby is a boy"),
    ("IDB_GENDER_GIRL", 131, "gender_girl.bmp", lambda: pane_icons.gender(False), (48, 48), WHITE, "soft",
     "today dialog: the expected baby is a girl"),
]

# (id name, id, file, maker(size), sizes, use)
ICONS = [
    ("IDI_TAMAREL", 128, "tamarel.ico", icons.program_icon, (16, 32, 48),
     "program, window and tray icon (same number as the frame's menu)"),
    ("IDI_PANE_TODAY", 179, "pane_today.ico", pane_icons.today, (16, 32), "info pane: today"),
    ("IDI_PANE_TEMPERATURE", 181, "pane_temperature.ico", pane_icons.temperature, (16, 32),
     "info pane: temperature; the temperature dialog's icon"),
    ("IDI_PANE_PERIOD", 182, "pane_period.ico", pane_icons.period, (16, 32),
     "info pane: period; the today dialog's icon"),
    ("IDI_PANE_BIRTH", 183, "pane_birth.ico", pane_icons.birth, (16, 32), "goal pane: birth"),
    ("IDI_PANE_MYCYCLES", 184, "pane_cycles.ico", pane_icons.cycles, (16, 32), "goal pane: my cycles"),
    ("IDI_PANE_STATISTIC", 185, "pane_statistic.ico", pane_icons.statistic, (16, 32), "goal pane: statistic"),
]
# Conception planning: the zodiac signs and the Birth dialog's small icon.
ICONS += zodiac_icons.icons()


def reminder_pictures():
    """The reminder popups' skins and the reminders page's icons."""
    bitmaps = [
        ("IDB_POPUP_LARGE", 173, "popup_large.bmp", reminder_skins.large_skin, (250, 164), None, "opaque",
         "reminder popup for texts over 115 characters; text area (10, 40, 240, 154)"),
        ("IDB_POPUP_SMALL", 174, "popup_small.bmp", reminder_skins.small_skin, (250, 109), None, "opaque",
         "reminder popup for short texts and the pill; text area (10, 40, 240, 99)"),
    ]
    icons_ = [
        ("IDI_REMIND_MENSTRUATION", 1721, "remind_menstruation.ico", reminder_skins.page_menstruation, (16, 32),
         "reminders page: menstruation"),
        ("IDI_REMIND_PILL", 1722, "remind_pill.ico", reminder_skins.page_pill, (16, 32), "reminders page: pills"),
    ]
    return bitmaps, icons_


_reminder_bitmaps, _reminder_icons = reminder_pictures()
BITMAPS += _reminder_bitmaps
ICONS += _reminder_icons


def render_bitmap(maker, size, key, mode):
    canvas = maker()
    if (canvas.w, canvas.h) != size:
        raise SystemExit("%s drew %dx%d, expected %dx%d" % (maker, canvas.w, canvas.h, size[0], size[1]))
    if mode == "opaque":
        return bmp24(canvas.rgb_rows())
    if mode == "soft":
        return bmp24(canvas.rgb_rows(key=key, threshold=0.3, backdrop=MENU_BACKDROP))
    return bmp24(canvas.rgb_rows(key=key, threshold=0.5))


def render_icon(maker, sizes):
    return ico([maker(s).rgba_rows() for s in sizes])


def key_text(key):
    if key is None:
        return "opaque"
    if key == WHITE:
        return "key white"
    return "key (%d, %d, %d)" % key


def ids_header():
    lines = [
        "#pragma once",
        "",
        "// Ids of the program's pictures. Written by scripts/make_images.py from",
        "// its table; change the table and run the script rather than editing here.",
        "// Each line gives the picture's size, the colour drawn transparent (the key)",
        "// and where it is used. Bitmaps are 24-bit; icons hold 32-bit images",
        "// with alpha in the sizes given.",
        "",
    ]
    width = max(len(b[0]) for b in BITMAPS + ICONS) + 1
    for name, rid, filename, maker, sizes, use in ICONS:
        sz = ", ".join(str(s) for s in sizes)
        lines.append("#define %-*s %-5d // icon %s px, alpha; %s" % (width, name, rid, sz, use))
    for name, rid, filename, maker, size, key, mode, use in BITMAPS:
        lines.append("#define %-*s %-5d // %dx%d, %s; %s" % (width, name, rid, size[0], size[1], key_text(key), use))
    return ("\n".join(lines) + "\n").encode("ascii")


def resource_script():
    lines = [
        "// The program's pictures; included by tamarel.rc. Written by",
        "// scripts/make_images.py, which also draws the files it names.",
        "",
        '#include "image_ids.h"',
        "",
    ]
    for name, rid, filename, maker, sizes, use in ICONS:
        lines.append('%s ICON "images/%s"' % (name, filename))
    lines.append("")
    for name, rid, filename, maker, size, key, mode, use in BITMAPS:
        lines.append('%s BITMAP "images/%s"' % (name, filename))
    return ("\n".join(lines) + "\n").encode("ascii")


def outputs():
    for name, rid, filename, maker, size, key, mode, _ in BITMAPS:
        yield os.path.join("images", filename), lambda maker=maker, size=size, key=key, mode=mode: render_bitmap(maker, size, key, mode)
    for name, rid, filename, maker, sizes, _ in ICONS:
        yield os.path.join("images", filename), lambda maker=maker, sizes=sizes: render_icon(maker, sizes)
    yield "image_ids.h", ids_header
    yield "images.rc", resource_script


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true", help="compare with the files on disk, write nothing")
    parser.add_argument("--only", help="make only the files whose names contain this text")
    args = parser.parse_args()
    os.makedirs(os.path.join(OUT, "images"), exist_ok=True)
    stale = []
    for filename, render in outputs():
        if args.only and args.only not in filename:
            continue
        data = render()
        path = os.path.join(OUT, filename)
        if args.check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(filename)
            continue
        with open(path, "wb") as f:
            f.write(data)
        print("wrote", os.path.relpath(path, ROOT))
    if stale:
        print("out of date:", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
