#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus: a small picture of every BMP depth and
header layout, PNG with alpha, JPEG with an EXIF orientation, GIF, and a few
command lines. Standard library only, except ImageMagick's convert for the
JPEG base picture. Run once and commit fuzz/corpus/."""
import os, struct, subprocess, sys, tempfile, zlib

W, H = 5, 3
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "corpus")


def colour(x, y):
    return ((x * 60) & 255, (y * 120) & 255, ((x + y) * 40) & 255)


def bmp(bits, header, compression=0):
    palette = []
    if bits <= 8:
        palette = [((i * 37) & 255, (i * 91) & 255, (i * 13) & 255) for i in range(1 << bits)]
    index = lambda x, y: (x + 2 * y) % (1 << bits) if bits <= 8 else 0
    rows = []
    for y in reversed(range(H)):
        if compression == 1:  # RLE8: one run per pixel, end of line
            rows.append(b"".join(bytes([1, index(x, y)]) for x in range(W)) + b"\0\0")
            continue
        if compression == 2:  # RLE4: runs of two pixels, end of line
            run = b"".join(bytes([2 if x + 1 < W else 1, index(x, y) << 4 | index(min(x + 1, W - 1), y)])
                           for x in range(0, W, 2))
            rows.append(run + b"\0\0")
            continue
        bitsrow = 0
        row = bytearray()
        if bits < 8:
            acc, n = 0, 0
            for x in range(W):
                acc = acc << bits | index(x, y)
                n += bits
                if n == 8:
                    row.append(acc); acc, n = 0, 0
            if n:
                row.append(acc << (8 - n))
        elif bits == 8:
            row += bytes(index(x, y) for x in range(W))
        elif bits == 16:
            for x in range(W):
                r, g, b = colour(x, y)
                row += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
        else:
            for x in range(W):
                r, g, b = colour(x, y)
                row += bytes([b, g, r] + ([255] if bits == 32 else []))
        row += b"\0" * (-len(row) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows) + (b"\0\1" if compression else b"")
    entry = 3 if header == 12 else 4
    pal = b"".join(bytes([b, g, r] + ([0] if entry == 4 else [])) for r, g, b in palette)
    if header == 12:
        info = struct.pack("<IHHHH", 12, W, H, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, W, H, 1, bits, compression, len(pixels), 2835, 2835,
                           len(palette), 0)
        if header >= 52:
            info += struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
        if header >= 56:
            info += struct.pack("<I", 0)
        info += b"\0" * (header - len(info))
    offset = 14 + len(info) + len(pal)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + pal + pixels


def png_rgba():
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(colour(x, y) + (x * 60,)) for x in range(W)) for y in range(H))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def gif():
    # Four colours, 2-bit LZW codes written uncompressed: each pixel its own
    # code, a clear code every two so that the code size stays at three bits.
    palette = b"".join(bytes(c) for c in [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 0, 255)])
    codes, clear, end = [], 4, 5
    for i in range(W * H):
        if i % 2 == 0:
            codes.append(clear)
        codes.append(i % 4)
    codes.append(end)
    acc = nbits = 0
    data = bytearray()
    for c in codes:
        acc |= c << nbits
        nbits += 3
        while nbits >= 8:
            data.append(acc & 255); acc >>= 8; nbits -= 8
    if nbits:
        data.append(acc)
    return (b"GIF89a" + struct.pack("<HHBBB", W, H, 0x81, 0, 0) + palette
            + b"\x21\xF9\x04\x01\x00\x00\x03\x00"  # colour 3 is transparent
            + b"\x2C" + struct.pack("<HHHHB", 0, 0, W, H, 0) + b"\x02" + bytes([len(data)]) + data + b"\0;")


def exif_app1(orientation):
    tiff = b"II*\0" + struct.pack("<I", 8) + struct.pack("<H", 1) + struct.pack("<HHIHH", 0x112, 3, 1, orientation, 0) \
        + struct.pack("<I", 0)
    body = b"Exif\0\0" + tiff
    return b"\xFF\xE1" + struct.pack(">H", len(body) + 2) + body


def jpeg(orientation):
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "p.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (W, H) + b"".join(bytes(colour(x, y)) for y in range(H) for x in range(W)))
        out = os.path.join(tmp, "p.jpg")
        subprocess.run(["convert", ppm, "-strip", "-quality", "80", out], check=True)
        data = open(out, "rb").read()
    return data[:2] + exif_app1(orientation) + data[2:]


def main():
    pictures = {
        "bmp-os2-1.bmp": bmp(1, 12), "bmp-os2-4.bmp": bmp(4, 12), "bmp-os2-8.bmp": bmp(8, 12),
        "bmp-os2-24.bmp": bmp(24, 12),
        "bmp-1.bmp": bmp(1, 40), "bmp-4.bmp": bmp(4, 40), "bmp-8.bmp": bmp(8, 40), "bmp-16.bmp": bmp(16, 40),
        "bmp-24.bmp": bmp(24, 40), "bmp-32.bmp": bmp(32, 40), "bmp-rle4.bmp": bmp(4, 40, 2),
        "bmp-rle8.bmp": bmp(8, 40, 1), "bmp-v3-32.bmp": bmp(32, 56, 3), "bmp-v4-24.bmp": bmp(24, 108),
        "bmp-v5-32.bmp": bmp(32, 124, 3),
        "png-alpha.png": png_rgba(), "gif-transparent.gif": gif(),
        "jpeg-exif6.jpg": jpeg(6), "jpeg-exif1.jpg": jpeg(1),
    }
    for name, data in pictures.items():
        with open(os.path.join(OUT, "picture", name), "wb") as f:
            f.write(data)
    lines = {
        "make.txt": "--main\na.bmp\n--layout\ntwo-plus-one\n--sink-frame\n--colour\nwinBackColour=102030\n",
        "knobs.txt": "--knob=eq=ffffff\n--vis-colour\n17=00ff00\n--buttons-only\n--background=ff00ff\n",
        "ends.txt": "--equaliser\ne.png\n--\n--playlist\n--colour\nnope\n",
    }
    for name, text in lines.items():
        with open(os.path.join(OUT, "cli", name), "w") as f:
            f.write(text)


if __name__ == "__main__":
    sys.exit(main())
