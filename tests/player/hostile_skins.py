#!/usr/bin/env python3
"""Hostile skins, made here from a good one, and `render` run on each as a
user and as a file manager's thumbnailer would: in a child limited to 256 MB
of address space and a few seconds of processor time. Each case must end as
its row says (exit status, words in the message), and write nothing but the
picture asked for. --report prints each run's processor time and peak memory.

usage: hostile_skins.py VELLUMKIT_CLI [--sanitized] [--report] [--keep DIR]
"""
import os
import resource
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

MB = 1 << 20
# As a user renders a skin, and as the thumbnailer entry's Exec line does.
MODES = (("render", []), ("thumbnail", ["--size", "128", "--windows", "main", "--stopped"]))
ZIP_LIMIT = 0xFFFFFFFF


def crc(data):
    return zlib.crc32(data) & 0xFFFFFFFF


class Member:
    """One zip member as it is stored, with whatever its headers may claim."""

    def __init__(self, name, data, method=8, claimed=None, flags=0, zip64_size=None, packed=None):
        self.name = name if isinstance(name, bytes) else name.encode()
        self.method, self.flags = method, flags
        self.packed = packed if packed is not None else (deflate(data) if method == 8 else data)
        self.size = len(data) if claimed is None else claimed
        self.crc = crc(data) if packed is None else 0
        self.zip64_size = zip64_size


def read(path):
    with open(path, "rb") as f:
        return f.read()


def deflate(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def deflated_zeros(total):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    block, out = bytes(MB), []
    for _ in range(total // MB):
        out.append(c.compress(block))
    out.append(c.flush())
    return b"".join(out)


def zip_bytes(members):
    out, directory = bytearray(), bytearray()
    for m in members:
        extra = b""
        size32 = m.size
        if m.zip64_size is not None:
            extra = struct.pack("<HHQQ", 1, 16, m.zip64_size, len(m.packed))
            size32 = ZIP_LIMIT
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, m.flags, m.method, 0, 0, m.crc,
                           len(m.packed) if not extra else ZIP_LIMIT, min(size32, ZIP_LIMIT),
                           len(m.name), len(extra)) + m.name + extra + m.packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, m.flags, m.method, 0, 0, m.crc,
                                 len(m.packed) if not extra else ZIP_LIMIT, min(size32, ZIP_LIMIT),
                                 len(m.name), len(extra), 0, 0, 0, 0, offset) + m.name + extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(directory), len(out), 0)
    return bytes(out + directory + end)


def bmp_header(width, height, bits=24, compression=0, masks=None):
    extra = struct.pack("<III", *masks) if masks else b""
    offset = 54 + len(extra)
    return (b"BM" + struct.pack("<IHHI", offset, 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 0, 0, 0, 0) + extra)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc(kind + data))


def png(width, height, rows=None, extra_chunks=b"", idat=None):
    rows = rows if rows is not None else b"".join(b"\0" + b"\x80" * (3 * width) for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            extra_chunks + png_chunk(b"IDAT", idat if idat is not None else zlib.compress(rows)) + png_chunk(b"IEND", b""))


def rle8_runs_past_rows(side, size):
    """An RLE8 picture whose runs all lie beyond the row's end: work without pixels."""
    palette = b"\0\0\0\0" * 2
    header = bytearray(bmp_header(side, side, 8, 1))
    struct.pack_into("<I", header, 10, 54 + len(palette))
    body = bytearray(b"\x00\x02" + bytes([255, 0]))  # move far right, then runs that paint nothing
    while len(body) < size:
        body += b"\xff\x01"
    return bytes(header) + palette + bytes(body)


class Skin:
    """The good skin's files by name, to copy and spoil."""

    def __init__(self, folder):
        self.files = {n: open(os.path.join(folder, n), "rb").read() for n in sorted(os.listdir(folder))}

    def with_(self, **changes):
        files = dict(self.files)
        for name, data in changes.items():
            name = name.replace("_dot_", ".")
            if data is None:
                files.pop(name, None)
            else:
                files[name] = data
        return files


def write_folder(path, files):
    os.makedirs(path)
    for name, data in files.items():
        with open(os.path.join(path, name), "wb") as f:
            f.write(data)
    return path


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


def cases(work, skin):
    """(name, path, exit status, words the message must hold, words it must not) for each hazard.
    A case whose name ends in '*' adds only files a player never reads: its picture is the good skin's."""
    good = [Member(n, d) for n, d in skin.files.items()]
    unused = deflated_zeros(250 * MB)
    bomb = deflated_zeros(1024 * MB)
    big_main = bmp_header(32768, 32768)
    broken_png = png(200, 200)[:-40]
    text_bomb = png_chunk(b"zTXt", b"k\0\0" + zlib.compress(bytes(8 * MB - 64), 9))
    long_idat = zlib.compressobj(9)
    long_idat_data = long_idat.compress(b"".join(b"\0" + b"\x80" * 48 for _ in range(16)))
    for _ in range(256):
        long_idat_data += long_idat.compress(bytes(MB))
    long_idat_data += long_idat.flush()

    folder = lambda name, files: write_folder(os.path.join(work, name), files)
    archive = lambda name, members: write_file(os.path.join(work, name + ".wsz"), zip_bytes(members))
    replaced = lambda name, data, **kw: [Member(n, data, **kw) if n == name else m for n, m in zip(skin.files, good)]

    yield "54-byte BMP claiming 32768 x 32768", folder("bmp-claim", skin.with_(main_dot_bmp=big_main)), 0, \
        ["main.bmp skipped: it claims 32768 x 32768 pixels"], []
    yield "member claiming 4 GB", archive("zip-claim", replaced("main.bmp", skin.files["main.bmp"], claimed=0xFFFFFFF0)), 0, \
        ["main.bmp skipped: it claims 4095 MB, more than the 16 MB"], []
    yield "zip64 size of 1 TB", archive("zip64-claim", replaced("main.bmp", skin.files["main.bmp"], zip64_size=1 << 40)), 0, \
        ["main.bmp skipped: it claims 1048576 MB"], []
    yield "PNG claiming 100000 x 100000", folder("png-claim", skin.with_(main_dot_bmp=None, main_dot_png=png(1, 1)[:16] +
                                                struct.pack(">II", 100000, 100000) + png(1, 1)[24:])), 0, \
        ["main.png skipped: it claims 100000 x 100000 pixels"], []
    yield "1 GiB of zeros as main.bmp", archive("inflate-bomb", replaced("main.bmp", b"", packed=bomb, claimed=120054)), 0, \
        ["main.bmp skipped: it unpacks to more than the 16 MB"], []
    yield "12000 x 12000 PNG sheet", folder("png-12000", skin.with_(main_dot_bmp=None, main_dot_png=png(
        12000, 12000, idat=deflated_zeros(16 * MB)))), 0, ["main.png skipped: it claims 12000 x 12000 pixels"], []
    yield "twelve unused 250 MiB members*", archive("unused-members", good + [
        Member("movie%d.avi" % i, b"", packed=unused, claimed=250 * MB) for i in range(12)]), 0, [], ["skipped"]
    yield "200 failing copies of main.png", archive("copies", [m for m in good if m.name != b"main.bmp"] +
                                                    [Member("main.png", broken_png) for _ in range(200)]), 0, \
        ["main.png skipped: Image is not valid", "197 more files named main.png were not tried"], []
    yield "zTXt chunks inflating to 2.4 GB", folder("text-bomb", skin.with_(main_dot_bmp=None, main_dot_png=png(
        275, 116, extra_chunks=text_bomb * 300))), 0, [], ["skipped"]
    yield "image data running 256 MB past the picture", folder("long-idat", skin.with_(
        main_dot_bmp=None, main_dot_png=png(16, 16, idat=long_idat_data))), 0, ["main.png skipped: its image data runs on"], []
    yield "RLE runs past every row", folder("rle-runs", skin.with_(main_dot_bmp=rle8_runs_past_rows(1024, 16 * MB - 4096))), \
        0, [], ["skipped"]
    sparse = folder("sparse-folder", skin.with_())
    with open(os.path.join(sparse, "movie.avi"), "wb") as f:
        f.truncate(1 << 30)
    yield "1 GiB file beside a good skin*", sparse, 0, [], ["skipped", "movie"]
    sparse_main = folder("sparse-main", skin.with_(main_dot_bmp=None))
    with open(os.path.join(sparse_main, "main.bmp"), "wb") as f:
        f.truncate(1 << 30)
    yield "1 GiB sparse main.bmp", sparse_main, 0, ["main.bmp skipped: it is 1024 MB, more than the 16 MB"], []
    fifo = folder("fifo-main", skin.with_(main_dot_bmp=None))
    os.mkfifo(os.path.join(fifo, "main.bmp"))
    yield "a FIFO named main.bmp", fifo, 0, ["main.bmp skipped: it is not a regular file"], []
    yield "bit-field mask of 32 bits", folder("mask-32", skin.with_(main_dot_bmp=bmp_header(
        275, 116, 32, 3, (0xFFFFFFFF, 0xFF00, 0xFF)) + bytes(275 * 116 * 4))), 0, [], ["skipped"]
    largest = bmp_header(2048, 512)  # 2048 x 512: the most pixels a sheet may have
    yield "every sheet claiming the largest size allowed", folder("largest", {
        n: largest if n.endswith(".bmp") else d for n, d in skin.files.items()}), 0, [], ["skipped"]
    yield "an empty folder", folder("empty", {}), 1, ["not a classic skin", "it holds no files"], []
    yield "an empty zip", archive("empty", []), 1, ["not a classic skin", "it holds no files"], []
    yield "a zip of text files", archive("text", [Member("readme.txt", b"hi"), Member("notes.txt", b"x")]), 1, \
        ["not a classic skin", "2 files and no sheet a player draws (readme.txt, notes.txt)"], []
    yield "a folder of holiday photos", folder("photos", {"beach.jpg": b"\xff\xd8\xff" + bytes(100),
                                                          "IMG_0001.JPG": b"\xff\xd8\xff"}), 1, \
        ["not a classic skin", "no sheet a player draws"], []
    yield "an all-LZMA zip", archive("lzma", [Member(n, d, method=14, packed=d) for n, d in skin.files.items()]), 1, \
        ["not a classic skin", "it is packed with LZMA"], []
    yield "a text file named .wsz", write_file(os.path.join(work, "notes.wsz"), b"not a zip at all\n" * 8), 1, \
        ["Cannot open the skin", "not a zip archive"], []
    yield "a zip cut in half", write_file(os.path.join(work, "cut.wsz"), zip_bytes(good)[:20000]), 1, \
        ["Cannot open the skin", "the archive is cut short"], []
    yield "one member of method 99", archive("method-99", replaced("eqMain.bmp", skin.files["eqMain.bmp"], method=99,
                                                                   packed=skin.files["eqMain.bmp"])), 0, \
        ["eqMain.bmp skipped: it is packed with AES encryption"], []
    yield "names flagged UTF-8 that are not*", archive("bad-utf8", good + [
        Member(b"read\xff\xfeme.txt", b"hi", flags=0x800), Member(b"\xc3(.bmp", b"x", flags=0x800)]), 0, [], ["skipped"]


def run(argv, sanitized, seconds, said_path):
    """The exit status, what it said, its processor time and peak memory (MB)."""
    def limit():
        if not sanitized:
            resource.setrlimit(resource.RLIMIT_AS, (256 * MB, 256 * MB))
        resource.setrlimit(resource.RLIMIT_CPU, (seconds, seconds + 1))
    # The script's own pages would count as the child's peak: GNU time, a small
    # program, forks the render and reports its peak alone.
    peak_path = said_path + ".peak"
    if os.path.exists("/usr/bin/time"):
        argv = ["/usr/bin/time", "-q", "-f", "%M", "-o", peak_path] + argv
    with open(said_path, "wb") as said:
        child = subprocess.Popen(argv, preexec_fn=limit, stdout=said, stderr=said, stdin=subprocess.DEVNULL,
                                 env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
    code = child.returncode if child.returncode >= 0 else 128 - child.returncode
    peak = usage.ru_maxrss
    if os.path.exists(peak_path):
        with open(peak_path) as f:
            peak = int((f.read().split() or ["0"])[-1])
        os.remove(peak_path)
    with open(said_path, "rb") as said:
        return code, said.read().decode(errors="replace"), usage.ru_utime + usage.ru_stime, peak // 1024


def main():
    cli = os.path.abspath(sys.argv[1])
    sanitized, report = "--sanitized" in sys.argv, "--report" in sys.argv
    keep = sys.argv[sys.argv.index("--keep") + 1] if "--keep" in sys.argv else None
    work = keep or tempfile.mkdtemp(prefix="hostile-skins-")
    os.makedirs(work, exist_ok=True)
    failures = runs = 0
    try:
        base = os.path.join(work, "good")
        subprocess.run([cli, "make", "--out", base, "--no-sync"], check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        skin = Skin(base)
        pictures = {}
        for mode, extra in MODES:
            subprocess.run([cli, "render", base, "--out", os.path.join(work, mode + ".png")] + extra, check=True,
                           stdout=subprocess.DEVNULL)
            pictures[mode] = read(os.path.join(work, mode + ".png"))
        seconds = 60 if sanitized else 5
        for name, path, status, words, absent in cases(work, skin):
            for mode, extra in MODES:
                outdir = tempfile.mkdtemp(dir=work)
                out = os.path.join(outdir, "out.png")
                code, said, cpu, peak = run([cli, "render", path, "--out", out] + extra, sanitized, seconds,
                                            os.path.join(work, "said.txt"))
                runs += 1
                problems = []
                if code != status:
                    problems.append("exit %s, not %d" % (code, status))
                problems += ["no '%s' in what it said" % w for w in words if w not in said]
                problems += ["'%s' in what it said" % w for w in absent if w in said]
                if "std::" in said or "bad_alloc" in said:
                    problems.append("a raw exception text")
                if name.endswith("*") and code == 0 and read(out) != pictures[mode]:
                    problems.append("the picture differs from the good skin's")
                left = sorted(os.listdir(outdir))
                if left != (["out.png"] if status == 0 else []):
                    problems.append("left %s beside --out" % left)
                if problems or report:
                    print("%-45s %-9s exit %-3s cpu %5.2f s  peak %4d MB  %s" % (
                        name, mode, code, cpu, peak, "; ".join(problems) or "ok"))
                if problems:
                    print("    said: " + said.strip().replace("\n", "\n          "))
                    failures += 1
                shutil.rmtree(outdir)
    finally:
        if not keep:
            shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (runs - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
