#!/usr/bin/env python3
"""Draws the program's icon (an open book crossed by a green speed stroke on black) and writes
it as data/icons/tavori.png (256 px), data/icons/tavori-<size>.png for the smaller sizes a Linux
desktop looks for (16 to 128 px) and the 192 and 512 px ones a web app's manifest names,
data/icons/tavori-maskable-512.png (the same drawing on a square of black to its edges, small
enough for any mask a phone cuts it with), and src/platform/win32/tavori.ico (16 to 256 px).

Plain Python: every pixel is sampled 4 x 4 times inside the shapes below, so the edges are
smooth at every size. Run it from anywhere; it writes beside the repository's sources."""

import math
import pathlib
import struct
import zlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
SAMPLES = 4
# The freedesktop icon theme's usual sizes below 256 px.
LINUX_SIZES = (16, 22, 24, 32, 48, 64, 128)
# The sizes browsers ask a web app's manifest for (an installed app's icon, its splash screen).
WEB_SIZES = (192, 512)
# A maskable icon may be cut to any shape that holds the circle of 0.4 of its side around its
# centre; the drawing, whose farthest mark (the cover's corner) lies 0.52 of the side from its
# centre, is shrunk to fit inside that circle and set on black to the edges.
MASKABLE_SCALE = 0.75

BLACK = (0, 0, 0)
PAGE = (246, 244, 236)
PAGE_SHADE = (200, 198, 190)
PRINT = (120, 120, 120)
GREEN = (40, 220, 80)


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def page(left, right, spine_x, outer_top, spine_top, height):
    """A page whose top edge sags towards the spine, as an open book's does."""
    def shape(x, y):
        if not (min(left, right) <= x <= max(left, right)):
            return False
        t = (x - left) / (right - left)
        top = outer_top + (spine_top - outer_top) * (t ** 0.7)
        return top <= y <= top + height
    return shape


LEFT_PAGE = page(0.12, 0.485, 0.5, 0.30, 0.38, 0.42)
RIGHT_PAGE = page(0.88, 0.515, 0.5, 0.30, 0.38, 0.42)
COVER = [(0.08, 0.76), (0.5, 0.84), (0.92, 0.76), (0.92, 0.80), (0.5, 0.88), (0.08, 0.80)]


def printed_line(x, y):
    """Rows of print on both pages, following the sag of the top edge."""
    for left, right in ((0.17, 0.45), (0.55, 0.83)):
        if left <= x <= right:
            outer = left if left < 0.5 else right
            t = abs(x - outer) / (0.485 - 0.12)
            top = 0.30 + 0.08 * (t ** 0.7)
            for row in range(5):
                centre = top + 0.09 + row * 0.065
                if abs(y - centre) < 0.011:
                    return True
    return False


def speed_stroke(x, y):
    """A sweeping green stroke across the book, thick in the middle, thin at both ends."""
    if not (0.04 <= x <= 0.96):
        return False
    t = (x - 0.04) / 0.92
    centre = 0.62 - 0.38 * t + 0.10 * math.sin(math.pi * t)
    half = 0.055 * math.sin(math.pi * min(1.0, t * 1.15)) + 0.004
    return abs(y - centre) < half


def motion_lines(x, y):
    for start, end, height in ((0.04, 0.30, 0.58), (0.02, 0.22, 0.70)):
        if start <= x <= end and abs(y - height) < 0.012:
            return True
    return False


def inside_rounded_square(x, y, radius=0.16):
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    if not inside_rounded_square(x, y):
        return None
    if speed_stroke(x, y):
        return GREEN
    if motion_lines(x, y):
        return GREEN
    if LEFT_PAGE(x, y) or RIGHT_PAGE(x, y):
        return PRINT if printed_line(x, y) else PAGE
    if inside_polygon(x, y, COVER):
        return PAGE_SHADE
    return BLACK


def maskable_colour_at(x, y):
    u = (x - 0.5) / MASKABLE_SCALE + 0.5
    v = (y - 0.5) / MASKABLE_SCALE + 0.5
    c = colour_at(u, v) if 0 <= u <= 1 and 0 <= v <= 1 else None
    return BLACK if c is None else c


def render(size, colour_at=colour_at):
    """Rows of (r, g, b, a) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        a += 1
            n = SAMPLES * SAMPLES
            row.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def png_bytes(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_icon_bytes(rows):
    """A 32-bit icon image: BITMAPINFOHEADER of double height, BGRA rows bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for (r, g, b, a) in row for v in (b, g, r, a)) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def ico_bytes(images):
    """images: (size, data) pairs; 256 is written as 0 in the directory, as the format asks."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    big = render(256)
    (ROOT / "data" / "icons" / "tavori.png").write_bytes(png_bytes(big))
    # Each size is drawn on its own rather than scaled down, so small icons stay sharp.
    for size in LINUX_SIZES + WEB_SIZES:
        (ROOT / "data" / "icons" / f"tavori-{size}.png").write_bytes(png_bytes(render(size)))
    (ROOT / "data" / "icons" / "tavori-maskable-512.png").write_bytes(png_bytes(render(512, maskable_colour_at)))
    images = [(size, bmp_icon_bytes(render(size))) for size in (16, 24, 32, 48, 64)]
    images.append((256, png_bytes(big)))
    (ROOT / "src" / "platform" / "win32" / "tavori.ico").write_bytes(ico_bytes(images))


if __name__ == "__main__":
    main()
