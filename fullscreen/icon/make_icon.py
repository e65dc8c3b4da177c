#!/usr/bin/env python3
"""Draws the programs' icon and writes it as velkrant.ico: three images,
32x32 and 16x16 in 16 colours and 32x32 monochrome. Run it again after
changing the picture; the build uses the committed .ico."""
import math
import struct
import sys

# The 16-colour palette, as (blue, green, red, 0) entries.
PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
             (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
             (255, 0, 255), (0, 255, 255), (255, 255, 255)]  # (r, g, b)
BLACK, NAVY, GREY, YELLOW, WHITE = 0, 4, 8, 11, 15


def picture(size):
    """A white ring of arcs over a dark checkerboard, with a yellow core."""
    c = (size - 1) / 2.0
    cell = max(size // 8, 2)
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            r = math.hypot(x - c, y - c) * 32.0 / size
            a = math.atan2(y - c, x - c)
            if 11.0 <= r < 14.0 and math.sin(3 * a) > -0.6:
                row.append(WHITE)
            elif r < 5.0:
                row.append(YELLOW)
            else:
                row.append(NAVY if ((x // cell) + (y // cell)) % 2 else BLACK)
        px.append(row)
    return px


def mask_rows(size, opaque):
    """AND mask rows, 1 = transparent, each row padded to 4 bytes."""
    out = b""
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque(x, y) else 1)
        nbytes = (size + 31) // 32 * 4
        bits <<= nbytes * 8 - size
        out += bits.to_bytes(nbytes, "big")
    return out


def dib(size, bpp, palette, pixel):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    stride = (size * bpp + 31) // 32 * 4
    xor = b""
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << bpp) | pixel(x, y)
        bits <<= stride * 8 - size * bpp
        xor += bits.to_bytes(stride, "big")
    # Corners cut round: the four corner pixels are transparent.
    def opaque(x, y):
        return not ((x in (0, size - 1)) and (y in (0, size - 1)))
    return header + pal + xor + mask_rows(size, opaque), len(palette)


def main(path):
    big, small = picture(32), picture(16)
    images = [
        (32, dib(32, 4, PALETTE16, lambda x, y: big[y][x])),
        (16, dib(16, 4, PALETTE16, lambda x, y: small[y][x])),
        (32, dib(32, 1, [(0, 0, 0), (255, 255, 255)], lambda x, y: 1 if big[y][x] in (WHITE, YELLOW) else 0)),
    ]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, (data, colours) in images:
        bpp = 4 if colours == 16 else 1
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(out + body)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "velkrant.ico")
