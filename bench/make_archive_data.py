#!/usr/bin/env python3
"""Writes a deterministic data set shaped like a game client update (about `megabytes` MB):
many small text and settings files, structured binary assets, program code, and
already-compressed media that LZMA cannot shrink. Usage: make_archive_data.py FOLDER [megabytes]"""
import os
import random
import sys

WORDS = ("zorvath tarn brannock quest npc level map wave sprite gold guild server dungeon item sword "
         "armor potion spell 0 1 2 3 10 25 100 = [Section] ; true false x y z\r\n").split(" ")


def text(rng, size):
    out = " ".join(rng.choices(WORDS, k=size // 5 + 16)).encode()
    return out[:size]


def asset(rng, size):
    # A few tiles repeated with small changes, like bitmaps and level data.
    tiles = [rng.randbytes(4096) for _ in range(8)]
    out = bytearray()
    while len(out) < size:
        tile = bytearray(rng.choice(tiles))
        for _ in range(64):
            tile[rng.randrange(4096)] = rng.randrange(256)
        out += tile
    return bytes(out[:size])


def code(rng, size):
    # Short instruction-like runs with rel32 calls and jumps.
    pieces = [bytes([0x55, 0x8B, 0xEC]), bytes([0x83, 0xEC, 0x10]), bytes([0x5D, 0xC3]), bytes([0x89, 0x45, 0xFC])]
    out = bytearray()
    while len(out) < size:
        if rng.random() < 0.2:
            out += bytes([rng.choice((0xE8, 0xE9))]) + rng.randrange(1 << 20).to_bytes(4, "little")
        else:
            out += rng.choice(pieces)
    return bytes(out[:size])


def media(rng, size):
    return rng.randbytes(size)


def main():
    root = sys.argv[1]
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    rng = random.Random(20261211)
    # Share of the bytes, size range of one file, extension, maker.
    kinds = [(0.35, (500, 60000), "ini", text), (0.25, (20000, 3000000), "dat", asset),
             (0.15, (100000, 8000000), "dll", code), (0.25, (200000, 12000000), "ogg", media)]
    for share, (low, high), ext, make in kinds:
        budget = int(total * 1000000 * share)
        index = 0
        while budget > 0:
            size = min(budget, rng.randrange(low, high))
            folder = os.path.join(root, ext, "part%02d" % (index % 17))
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "%s%05d.%s" % (ext, index, ext)), "wb") as f:
                f.write(make(rng, size))
            budget -= size
            index += 1


if __name__ == "__main__":
    main()
