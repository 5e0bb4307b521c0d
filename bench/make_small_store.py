#!/usr/bin/env python3
"""Writes a message store of many small messages and its index, for the
wizard's speed benchmark: FOLDER/Small.imm and FOLDER/Small.imh.

    bench/make_small_store.py FOLDER [MESSAGES]   (default 100000)

Deterministic, so every run measures the same bytes."""
import os
import struct
import sys

SIGNATURE = bytes([0x56, 0x23, 0x30, 0x34, 0x3C, 0x12, 0x08, 0x49])
MARKER = bytes([0x00, 0x00, 0x03, 0x00])
PEOPLE = ["Anna Berger <anna.berger@example.org>", "Tom Hale <tom.hale@example.net>",
          "\"Maria Lopez\" <maria.lopez@example.com>", "Lukas Wagner <lukas@example.at>"]


def message(number):
    sender = PEOPLE[number % len(PEOPLE)]
    reader = PEOPLE[(number + 1) % len(PEOPLE)]
    return (f"From: {sender}\r\nTo: {reader}\r\nSubject: Note number {number}\r\n"
            f"Date: Mon, 03 Mar 2008 09:{number % 60:02d}:00 +0100\r\nMIME-Version: 1.0\r\n"
            f"Content-Type: text/plain; charset=us-ascii\r\n\r\nShort note {number}.\r\n").encode("ascii")


def main():
    folder = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    os.makedirs(folder, exist_ok=True)
    store = bytearray()
    index = bytearray(SIGNATURE + b"\0\0\0\0")
    for number in range(count):
        body = message(number)
        store += body
        index += MARKER + struct.pack("<I", len(body))
    with open(os.path.join(folder, "Small.imm"), "wb") as out:
        out.write(store)
    with open(os.path.join(folder, "Small.imh"), "wb") as out:
        out.write(index)


if __name__ == "__main__":
    main()
