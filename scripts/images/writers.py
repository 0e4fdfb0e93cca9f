"""BMP and ICO files written byte by byte (no image library)."""

import struct


def bmp24(rows):
    """A 24-bit uncompressed BMP from rows of (r, g, b), top row first."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    data = bytearray()
    for row in reversed(rows):  # BMP rows go bottom-up
        for r, g, b in row:
            data += bytes((b, g, r))
        data += pad
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return bytes(file_header + header + data)


def _icon_image(rows):
    """One icon image: BITMAPINFOHEADER (double height), 32-bit BGRA
    bottom-up, then the 1-bit AND mask (1 = transparent), rows padded to
    32 bits. The mask matters to programs that ignore the alpha channel."""
    h = len(rows)
    w = len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return bytes(header + xor + mask)


def ico(images):
    """An .ico file from a list of RGBA row lists (one per size)."""
    blobs = [_icon_image(rows) for rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        w, h = len(rows[0]), len(rows)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)
