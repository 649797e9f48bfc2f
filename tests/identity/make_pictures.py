# Writes the three fixed pictures the byte-identity recipes use (24-bit BMP).
import struct, sys

def bmp(path, w, h, pixel):
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes((b & 255, g & 255, r & 255))
        rows.append(bytes(row) + b"\0" * (stride - 3 * w))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + data)

out = sys.argv[1]
bmp(out + "/main.bmp", 301, 203, lambda x, y: (x * 7 + y, y * 3 ^ x, (x * y) >> 3))
bmp(out + "/equaliser.bmp", 123, 79, lambda x, y: (255 - x * 2, (x + y) * 5, y * 9))
bmp(out + "/playlist.bmp", 410, 157, lambda x, y: ((x ^ y) * 3, 200 - y, x // 2))
