#!/usr/bin/env python3
"""Draws the desktop program's pictures as PNG files (16 x 16, the program
icon 32 x 32) into src/desktop/windows/pictures, and the program icon at the
sizes Windows asks for (16 to 256 pixels) as src/desktop/windows/resources/
declarium.ico, the icon of declarium.exe. The files are kept in the
repository; run this again only to change a picture.

Each picture is a list of shapes painted in order, sampled 4 x 4 times per
pixel so that edges are smooth. Only the standard library is used."""

import math
import os
import struct
import zlib

SAMPLES = 4


def png_bytes(size, pixels):
    rows = b"".join(b"\x00" + bytes(v for p in pixels[y] for v in p) for y in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def png(path, size, pixels):
    with open(path, "wb") as f:
        f.write(png_bytes(size, pixels))


def ico(path, images):
    """images: (size, PNG bytes); Windows Vista and later read PNG entries."""
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    body = b""
    for size, data in images:
        side = size if size < 256 else 0  # 0 is 256 in the directory
        head += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(head + body)


def scaled(shapes, factor):
    """The shapes drawn factor times as large."""
    return [(colour, lambda x, y, inside=inside: inside(x / factor, y / factor)) for colour, inside in shapes]


def render(size, shapes):
    """shapes: (colour (r, g, b), inside(x, y) -> bool) in painting order."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for colour, inside in shapes:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                cover = hits / (SAMPLES * SAMPLES)
                if cover == 0:
                    continue
                # "over" compositing, premultiplied
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


# ---- shapes -------------------------------------------------------------

def rect(x0, y0, x1, y1, radius=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def frame(x0, y0, x1, y1, width, radius=0.0):
    outer = rect(x0, y0, x1, y1, radius)
    inner = rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, radius - width))
    return lambda x, y: outer(x, y) and not inner(x, y)


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width, start=0.0, end=360.0):
    """Degrees counter-clockwise from the right, on a y-down page."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > width / 2:
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return start <= angle <= end if start <= end else (angle >= start or angle <= end)
    return inside


def line(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        for i in range(len(points)):
            (ax, ay), (bx, by) = points[i], points[i - 1]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                hit = not hit
        return hit
    return inside


def union(*parts):
    return lambda x, y: any(p(x, y) for p in parts)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


# ---- colours ------------------------------------------------------------

WHITE = (255, 255, 255)
OUTLINE = (90, 90, 90)
BLUE = (48, 112, 192)
DARK_BLUE = (32, 64, 128)
YELLOW = (232, 176, 48)
DARK_YELLOW = (168, 120, 24)
GREEN = (64, 144, 64)
PURPLE = (144, 80, 144)
RED = (192, 48, 48)
GREY = (112, 112, 112)
TEAL = (32, 144, 160)


def page(x0, y0, x1, y1, fold=3.0):
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    inner = polygon([(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1),
                     (x0 + 1, y1 - 1)])
    return [(OUTLINE, body), (WHITE, inner), (OUTLINE, polygon([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)]))]


def folder(x0, y0, x1, y1):
    tab = rect(x0, y0, x0 + (x1 - x0) * 0.45, y0 + 3, 1)
    body = rect(x0, y0 + 2, x1, y1, 1)
    return [(DARK_YELLOW, union(tab, body)), (YELLOW, rect(x0 + 1, y0 + 3, x1 - 1, y1 - 1, 0.5))]


def parentheses(cx, cy, r, colour, width=1.6):
    """"( )": two short arcs of circles of radius r, their insides facing."""
    gap = r * 0.45
    return [(colour, ring(cx + r - gap, cy, r, width, 140, 220)), (colour, ring(cx - r + gap, cy, r, width, 320, 40))]


def badge(colour):
    return [(colour, disc(8, 8, 7.5))]


PICTURES = {
    # toolbar, in button order
    "functions": page(2.5, 1, 13.5, 15) + parentheses(8, 9, 5, BLUE),
    "categories": folder(1, 3, 15, 14),
    "datatypes": [(OUTLINE, rect(1, 2, 15, 14)), (WHITE, rect(2, 3, 14, 13)), (GREEN, rect(2, 3, 14, 6)),
                  (OUTLINE, line(2, 9.5, 14, 9.5, 1)), (OUTLINE, line(7, 6, 7, 13, 1))],
    "constants": [(PURPLE, rect(1, 1, 15, 15, 3)),
                  (WHITE, union(line(6.5, 3.5, 5.5, 12.5, 1.6), line(10.5, 3.5, 9.5, 12.5, 1.6),
                                line(3.5, 6.5, 12.5, 6.5, 1.6), line(3.5, 9.5, 12.5, 9.5, 1.6)))],
    "addtolist": [(GREY, union(line(1.5, 3, 11, 3, 1.6), line(1.5, 6.5, 11, 6.5, 1.6), line(1.5, 10, 7, 10, 1.6))),
                  (GREEN, disc(11.5, 11.5, 4.3)),
                  (WHITE, union(line(9, 11.5, 14, 11.5, 1.6), line(11.5, 9, 11.5, 14, 1.6)))],
    "copy": page(1, 1, 10, 12, 2.5) + page(5.5, 4, 15, 15, 2.5) +
            [(BLUE, union(line(7.5, 8.5, 12.5, 8.5, 1), line(7.5, 10.5, 12.5, 10.5, 1), line(7.5, 12.5, 11, 12.5, 1)))],
    "find": [(WHITE, disc(6.5, 6.5, 4.2)), (DARK_BLUE, ring(6.5, 6.5, 4.5, 1.8)),
             (DARK_YELLOW, line(9.8, 9.8, 14.5, 14.5, 2.6))],
    "help": badge(BLUE) + [(WHITE, ring(8, 6, 2.6, 1.8, 300, 200)), (WHITE, line(9.4, 8.3, 8, 9.6, 1.8)),
                           (WHITE, disc(8, 12.3, 1.1))],
    "about": badge(TEAL) + [(WHITE, disc(8, 4.6, 1.2)), (WHITE, line(8, 7.2, 8, 12.5, 2))],
    "exit": badge(RED) + [(WHITE, union(line(5, 5, 11, 11, 2), line(11, 5, 5, 11, 2)))],
    "settings": [(GREY, minus(union(disc(8, 8, 5), *[line(8 + 3 * math.cos(a), 8 + 3 * math.sin(a),
                                                          8 + 7 * math.cos(a), 8 + 7 * math.sin(a), 2.6)
                                                     for a in [i * math.pi / 4 for i in range(8)]]),
                             disc(8, 8, 2.2)))],
    # tree
    "category": folder(1, 3, 15, 14),
    "function": page(2.5, 1, 13.5, 15) + parentheses(8, 9, 5, BLUE),
    # status bar
    "info": badge(BLUE) + [(WHITE, disc(8, 4.6, 1.2)), (WHITE, line(8, 7.2, 8, 12.5, 2))],
    "done": badge(GREEN) + [(WHITE, union(line(4.5, 8.5, 7, 11, 2), line(7, 11, 11.8, 5.2, 2)))],
}

ICON = [(DARK_BLUE, rect(1, 1, 31, 31, 6)), (BLUE, rect(2.5, 2.5, 29.5, 29.5, 5)),
        (WHITE, polygon([(8, 5), (20, 5), (25, 10), (25, 27), (8, 27)])),
        (OUTLINE, polygon([(20, 5), (25, 10), (20, 10)])),
        ] + parentheses(16.5, 17.5, 8, BLUE, 2.4)


# The sizes of the .ico: the shell's small and large icons at 100 to 200 %
# scaling, and 256 for large views.
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "..", "src", "desktop", "windows", "pictures")
    os.makedirs(out, exist_ok=True)
    for name, shapes in PICTURES.items():
        png(os.path.join(out, name + ".png"), 16, render(16, shapes))
    png(os.path.join(out, "program.png"), 32, render(32, ICON))
    resources = os.path.join(here, "..", "..", "src", "desktop", "windows", "resources")
    os.makedirs(resources, exist_ok=True)
    ico(os.path.join(resources, "declarium.ico"),
        [(size, png_bytes(size, render(size, scaled(ICON, size / 32)))) for size in ICON_SIZES])


if __name__ == "__main__":
    main()
