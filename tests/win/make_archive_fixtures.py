#!/usr/bin/env python3
"""Makes the archives the extraction tests open, below the folder given as the argument.

src/<tree>/ holds each source tree, <name>.7z the archives. Ordinary archives come from the
7z command line; damaged ones are cut or altered copies; hostile and oversized names, which
the command line refuses to store, are written by seven_zip() below (Copy method, plain header).
"""
import os
import random
import shutil
import subprocess
import sys
import zlib


def number(value):
    """The 7z header's variable-length integer."""
    for extra in range(8):
        if value < (1 << (7 * (extra + 1))):
            first = ((0xFF00 >> extra) & 0xFF) | (value >> (8 * extra))
            return bytes([first]) + (value & ((1 << (8 * extra)) - 1)).to_bytes(extra, "little")
    return b"\xff" + value.to_bytes(8, "little")


def bits(flags):
    out = bytearray((len(flags) + 7) // 8)
    for i, flag in enumerate(flags):
        if flag:
            out[i // 8] |= 0x80 >> (i % 8)
    return bytes(out)


def seven_zip(items, with_names=True):
    """A 7z archive of (name, bytes or None for a folder) in this order; each file its own block."""
    files = [data for _, data in items if data]
    header = bytearray(b"\x01")
    if files:
        header += b"\x04\x06" + number(0) + number(len(files)) + b"\x09"
        header += b"".join(number(len(d)) for d in files) + b"\x00"
        header += b"\x07\x0b" + number(len(files)) + b"\x00" + b"\x01\x01\x00" * len(files)
        header += b"\x0c" + b"".join(number(len(d)) for d in files) + b"\x00"
        header += b"\x08\x0a\x01" + b"".join(zlib.crc32(d).to_bytes(4, "little") for d in files) + b"\x00"
        header += b"\x00"
    header += b"\x05" + number(len(items))
    empty = [not data for _, data in items]
    if any(empty):
        stream_bits = bits(empty)
        header += b"\x0e" + number(len(stream_bits)) + stream_bits
        file_bits = bits([data is not None for _, data in items if not data])
        header += b"\x0f" + number(len(file_bits)) + file_bits
    names = b"".join(name.encode("utf-16-le") + b"\x00\x00" for name, _ in items)
    if with_names:
        header += b"\x11" + number(len(names) + 1) + b"\x00" + names
    header += b"\x00\x00"
    packed = b"".join(files)
    start = len(packed).to_bytes(8, "little") + len(header).to_bytes(8, "little")
    start += zlib.crc32(header).to_bytes(4, "little")
    return b"7z\xbc\xaf\x27\x1c\x00\x04" + zlib.crc32(start).to_bytes(4, "little") + start + packed + bytes(header)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def text(rng, size):
    words = ["zorvath", "tarn", "map", "wave", "sprite", "level", "gold", "npc", "quest", "\r\n"]
    out = bytearray()
    while len(out) < size:
        out += rng.choice(words).encode() + b" "
    return bytes(out[:size])


def x86_code(rng, size):
    # Calls and jumps (E8/E9 rel32) among other bytes, what the branch filters rewrite.
    out = bytearray()
    while len(out) < size:
        out += bytes([0xE8 if rng.random() < 0.3 else 0x55]) + rng.randrange(1 << 16).to_bytes(4, "little")
    return bytes(out[:size])


def make_trees(src, rng):
    mixed = os.path.join(src, "mixed")
    write(os.path.join(mixed, "a.txt"), text(rng, 3000))
    write(os.path.join(mixed, "data/ui/a.bmp"), rng.randbytes(70000))
    write(os.path.join(mixed, "data/Client.exe"), x86_code(rng, 200000))
    write(os.path.join(mixed, "empty.bin"), b"")
    write(os.path.join(mixed, "中文.txt"), "版本 2.6\r\n".encode())
    # Larger than one 4 MiB write.
    write(os.path.join(mixed, "data/big.dat"), text(rng, 5 * 1024 * 1024 + 123))
    os.makedirs(os.path.join(mixed, "data/empty"), exist_ok=True)

    small = os.path.join(src, "small")
    for i in range(240):
        write(os.path.join(small, "d%d/f%03d.ini" % (i % 8, i)), text(rng, rng.randrange(1, 900)))

    for d in ("a/b/c", "d", "e/f"):
        os.makedirs(os.path.join(src, "dirs", d), exist_ok=True)

    write(os.path.join(src, "zero/z1"), b"")
    write(os.path.join(src, "zero/sub/z2"), b"")

    write(os.path.join(src, "outside/ok.txt"), b"ok")
    write(os.path.join(src, "outside/한국어.txt"), b"outside code page 936")


def pack(out, name, tree, *switches):
    archive = os.path.join(out, name)
    # Fast settings: the tests need the methods, not the best ratio.
    subprocess.run(["7zz", "a", "-bd", "-bso0", "-bsp0", "-y", "-mx=1", *switches, archive, "."],
                   cwd=os.path.join(out, "src", tree), check=True)
    return archive


def blocks_of(archive):
    listing = subprocess.run(["7zz", "l", "-slt", archive], capture_output=True, text=True, check=True).stdout
    return int(next(line.split("=")[1] for line in listing.splitlines() if line.startswith("Blocks = ")))


def main():
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    os.environ["LC_ALL"] = "C.UTF-8"
    make_trees(os.path.join(out, "src"), random.Random(7))

    pack(out, "copy.7z", "mixed", "-m0=Copy")
    pack(out, "lzma.7z", "mixed", "-m0=LZMA:d22")
    pack(out, "lzma2.7z", "mixed", "-m0=LZMA2:d22")
    pack(out, "bcj.7z", "mixed", "-m0=BCJ", "-m1=LZMA:d22")
    pack(out, "bcj2.7z", "mixed", "-m0=BCJ2", "-m1=LZMA:d22", "-m2=LZMA:d19", "-m3=LZMA:d19",
         "-mb0:1", "-mb0s1:2", "-mb0s2:3")
    assert blocks_of(pack(out, "solid.7z", "small", "-m0=LZMA", "-ms=on")) == 1
    assert blocks_of(pack(out, "blocks.7z", "small", "-m0=LZMA", "-ms=40f", "-mhc=off")) == 6
    pack(out, "dirs.7z", "dirs")
    pack(out, "zero.7z", "zero")
    pack(out, "outside936.7z", "outside", "-m0=Copy")
    pack(out, "unsupported.7z", "small", "-m0=PPMd")

    # An archive left empty by deleting its only item.
    empty = pack(out, "empty.7z", "zero", "-m0=Copy")
    subprocess.run(["7zz", "d", "-bd", "-bso0", "-bsp0", empty, "*", "-r"], check=True)
    assert os.path.getsize(empty) == 32

    with open(os.path.join(out, "blocks.7z"), "rb") as f:
        data = bytearray(f.read())
    header_start = 32 + int.from_bytes(data[12:20], "little")
    data[header_start - 16] ^= 0x40  # inside the last block: the plain header follows it
    write(os.path.join(out, "flipped.7z"), bytes(data))
    with open(os.path.join(out, "lzma.7z"), "rb") as f:
        whole = f.read()
    write(os.path.join(out, "truncated.7z"), whole[: len(whole) - 40])
    write(os.path.join(out, "notarchive.7z"), b"This is a text file, not an archive.\r\n" * 20)

    hostile = ["../x", "a/../../x", "C:x", "/x", "CON", "a:b", "..\\x", "a/nul.txt", "a/./b", "q?.txt"]
    for i, name in enumerate(hostile):
        write(os.path.join(out, "hostile%d.7z" % i), seven_zip([(name, b"escaped")]))
    write(os.path.join(out, "hostile_after_good.7z"), seven_zip([("good.txt", b"good"), ("a/../../x", b"bad")]))
    write(os.path.join(out, "name_too_long.7z"), seven_zip([("n" * 300, b"long")]))
    # 200 UTF-16 units fit; their 400 bytes in code page 936 do not.
    write(os.path.join(out, "ansi_too_long.7z"), seven_zip([("中" * 200, b"long")]))
    write(os.path.join(out, "nameless.7z"), seven_zip([("unnamed", b"data")], with_names=False))
    write(os.path.join(out, "three.7z"), seven_zip([("a.txt", b"first"), ("b.txt", b"second"), ("c.txt", b"third")]))
    write(os.path.join(out, "written.7z"), seven_zip([("d/", None), ("d/e.txt", b"e"), ("d/zero", b"")]))


if __name__ == "__main__":
    main()
