#!/usr/bin/env python3
"""Packs a 24-bit BMP picture for the program's resources, without losing a
pixel: the wizard's backgrounds are large flat areas, and as plain bitmaps they
were most of the program's size.

    python3 tools/pack_picture.py IN.bmp OUT.pkd

The packed form (read by framework/packed_picture.cpp):
    "TPK1", width and height (little-endian uint32), then the pixels in the
    BMP's order (bottom row first, each blue, green, red; no row padding) as
    packets: a byte n < 128 followed by n + 1 pixels as they are, or a byte
    n >= 128 followed by one pixel that repeats n - 126 times (2 to 129).
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


def pack(pixels):
    count = len(pixels) // 3
    at = lambda i: pixels[3 * i: 3 * i + 3]
    out = bytearray()
    literal_start = i = 0
    while i <= count:
        run = 1
        while i + run < count and run < 129 and at(i + run) == at(i):
            run += 1
        if i == count or run >= 2:
            # The pixels since the last run, as they are, 128 at most a packet.
            for start in range(literal_start, i, 128):
                n = min(128, i - start)
                out.append(n - 1)
                out.extend(pixels[3 * start: 3 * (start + n)])
            if i == count:
                break
            out.append(run + 126)
            out.extend(at(i))
            i += run
            literal_start = i
        else:
            i += 1
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    width, height, pixels = read_bmp(sys.argv[1])
    with open(sys.argv[2], "wb") as out:
        out.write(b"TPK1" + struct.pack("<II", width, height) + pack(pixels))


if __name__ == "__main__":
    main()
