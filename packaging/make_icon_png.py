#!/usr/bin/env python3
"""Writes the programs' icon as PNG files for the desktop entries, one per
size of the hicolor theme: icons/velkrant-SIZE.png. The picture is the one
of fullscreen/icon/make_icon.py (the .ico of the Win32 exes), drawn at each
size with the same 16 colours, the four corner pixels transparent as in the
.ico. Run it again after changing the picture; the build uses the committed
PNG files."""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "fullscreen", "icon"))
import make_icon  # noqa: E402

SIZES = (16, 32, 48, 64, 128, 256)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_rgba(size, rgba_at):
    """An 8-bit RGBA PNG; each row starts with filter byte 0 (none)."""
    raw = b""
    for y in range(size):
        raw += b"\x00" + b"".join(bytes(rgba_at(x, y)) for x in range(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def icon_png(size):
    px = make_icon.picture(size)
    last = size - 1

    def rgba_at(x, y):
        if x in (0, last) and y in (0, last):
            return (0, 0, 0, 0)
        return make_icon.PALETTE16[px[y][x]] + (255,)
    return png_rgba(size, rgba_at)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for size in SIZES:
        with open(os.path.join(folder, "velkrant-%d.png" % size), "wb") as f:
            f.write(icon_png(size))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "icons"))
