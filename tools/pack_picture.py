#!/usr/bin/env python3
"""Packs a 24-bit BMP picture for the program's resources, without losing a
pixel: the wizard's backgrounds are large flat areas, and as plain bitmaps they
were most of the program's size.

    python3 tools/pack_picture.py IN.bmp OUT.pkd

The packed form (read by framework/packed_picture.cpp):
    "TPK2", width and height (little-endian uint32), then the pixels in the
    BMP's order (bottom row first, each blue, green, red; no row padding) as
    packets, each a byte n and what follows it:
      n < 64         n + 1 pixels as they are
      64 <= n < 128  one pixel that repeats n - 62 times (2 to 65)
      n >= 128       n - 127 pixels (1 to 128), each the same as the pixel one
                     row before it (never in the first row)
    Copying the row before folds the edges that run down a picture (cards,
    panels, gradients' rows) into a byte or two.
"""

import struct
import sys


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0 or width <= 0 or height <= 0:
        sys.exit(f"{path}: only bottom-up 24-bit BMP pictures are packed")
    stride = (width * 3 + 3) & ~3
    rows = [data[offset + y * stride: offset + y * stride + width * 3] for y in range(height)]
    return width, height, b"".join(rows)


def pack(width, pixels):
    count = len(pixels) // 3
    at = lambda i: pixels[3 * i: 3 * i + 3]
    out = bytearray()
    literal = []

    def flush():
        for start in range(0, len(literal), 64):
            chunk = literal[start:start + 64]
            out.append(len(chunk) - 1)
            for pixel in chunk:
                out.extend(pixel)
        literal.clear()

    i = 0
    while i < count:
        copy = 0
        if i >= width:
            while i + copy < count and copy < 128 and at(i + copy) == at(i + copy - width):
                copy += 1
        run = 1
        while i + run < count and run < 65 and at(i + run) == at(i):
            run += 1
        if copy >= 2 and copy >= run:
            flush()
            out.append(127 + copy)
            i += copy
        elif run >= 2:
            flush()
            out.append(62 + run)
            out.extend(at(i))
            i += run
        else:
            literal.append(at(i))
            i += 1
    flush()
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    width, height, pixels = read_bmp(sys.argv[1])
    with open(sys.argv[2], "wb") as out:
        out.write(b"TPK2" + struct.pack("<II", width, height) + pack(width, pixels))


if __name__ == "__main__":
    main()
