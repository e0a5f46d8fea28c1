#!/usr/bin/env python3
"""Generates Brennick's binary resources: trial.bmp and Brennick.ico.

Standard library only and fully deterministic, so the outputs can live in the
repository and be rebuilt byte for byte:

    python3 resources/generate.py          write both files next to this script
    python3 resources/generate.py --check  exit 1 if a committed file is stale

Lettering comes from a small hand-built bold font. Each capital is a union of
shapes (boxes, thick straight strokes, elliptical rings) in a design space
22 units tall; pixels are supersampled 8x8 and the coverage is quantised to
the palette's red-to-white ramp, which smooths the edges.
"""
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
CAP = 22.0       # cap height, design units
STEM = 5.0       # vertical stroke width
BAR = 4.0        # horizontal stroke thickness
DIAG = 5.5       # diagonal stroke width
SS = 8           # supersampling per axis (SS*SS samples per pixel)


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def stroke(xa, ya, xb, yb, width):
    """Thick straight stroke with square-cut ends."""
    dx, dy = xb - xa, yb - ya
    length = (dx * dx + dy * dy) ** 0.5
    ux, uy, half = dx / length, dy / length, width / 2

    def hit(x, y):
        rx, ry = x - xa, y - ya
        along = rx * ux + ry * uy
        return 0 <= along <= length and abs(ry * ux - rx * uy) <= half
    return hit


def ring(cx, cy, rx, ry, xmin=float("-inf")):
    """Elliptical ring, STEM thick at the sides and BAR thick top and bottom;
    only the part at x >= xmin is kept (bowls of B and R use the right half)."""
    ix, iy = rx - STEM, ry - BAR

    def hit(x, y):
        if x < xmin:
            return False
        ox, oy = (x - cx) / rx, (y - cy) / ry
        if ox * ox + oy * oy > 1:
            return False
        jx, jy = (x - cx) / ix, (y - cy) / iy
        return jx * jx + jy * jy > 1
    return hit


def glyph(width, parts, holes=()):
    def hit(x, y):
        if not (0 <= x < width and 0 <= y < CAP):
            return False
        return any(p(x, y) for p in parts) and not any(h(x, y) for h in holes)
    return width, hit


STEM_BOX = box(0, 0, STEM, CAP)
FONT = {
    "B": glyph(16, [STEM_BOX, box(0, 0, 9, BAR), ring(9, 6.5, 6, 6.5, 9),
                    box(0, 9, 10, 13), ring(10, 15.5, 6, 6.5, 10),
                    box(0, 18, 10, 22)]),
    "R": glyph(16, [STEM_BOX, box(0, 0, 10, BAR), ring(10, 6.5, 6, 6.5, 10),
                    box(0, 9, 10, 13), stroke(8.5, 11, 17, 24, DIAG)]),
    "E": glyph(14, [STEM_BOX, box(0, 0, 14, BAR), box(0, 9, 13, 13),
                    box(0, 18, 14, 22)]),
    "N": glyph(17, [STEM_BOX, box(12, 0, 17, CAP),
                    stroke(3.2, 0, 13.8, CAP, DIAG)]),
    "I": glyph(5, [STEM_BOX]),
    "C": glyph(16, [ring(8, 11, 8, 11)], [box(9, 7.5, 16, 14.5)]),
    "K": glyph(16, [STEM_BOX, stroke(3, 15, 16.5, -2, DIAG),
                    stroke(7.5, 9, 16.5, 23, DIAG)]),
}


def layout(text, gap):
    """Returns ([(x offset, width, hit test)], total width), design units."""
    placed, x = [], 0.0
    for ch in text:
        width, hit = FONT[ch]
        placed.append((x, width, hit))
        x += width + gap
    return placed, x - gap


def coverage(w, h, text, gap, scale, left, top):
    """Per-pixel count of covered samples (0..SS*SS) for text drawn at
    (left, top) in pixels with design units scaled by `scale`."""
    placed, _ = layout(text, gap)
    grid = [[0] * w for _ in range(h)]
    offs = [(k + 0.5) / SS for k in range(SS)]
    for py in range(h):
        for px in range(w):
            x0 = (px - left) / scale
            x1 = (px + 1 - left) / scale
            near = [(gx, hit) for gx, gw, hit in placed
                    if gx < x1 and gx + gw > x0]
            if not near:
                continue
            n = 0
            for sy in offs:
                y = (py + sy - top) / scale
                for sx in offs:
                    x = (px + sx - left) / scale
                    n += any(hit(x - gx, y) for gx, hit in near)
            grid[py][px] = n
    return grid


def rgbquads(colours):
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in colours)


def ramp(steps):
    """steps+1 colours from pure red to white in equal steps."""
    return [(255, v, v) for v in (int(255 * k / steps + 0.5)
                                  for k in range(steps + 1))]


def level(samples, steps):
    """Quantise a sample count to 0..steps, rounding halves up."""
    return (2 * samples * steps + SS * SS) // (2 * SS * SS)


def pack_rows(rows, bpp):
    """Packs palette-index rows bottom-up, each padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        for v in row:
            bits = (bits << bpp) | v
        nbits = len(row) * bpp
        stride = (nbits + 31) // 32 * 4
        out += (bits << (stride * 8 - nbits)).to_bytes(stride, "big")
    return bytes(out)


def info_header(w, h, bpp, image_size, colours_used, ppm):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size,
                       ppm, ppm, colours_used, 0)


def trial_bmp():
    w, h, steps, gap = 200, 36, 16, 3
    _, text_w = layout("BRENNICK", gap)
    grid = coverage(w, h, "BRENNICK", gap, 1.0,
                    (w - text_w) // 2, (h - CAP) // 2)
    pixels = pack_rows([[level(n, steps) for n in row] for row in grid], 8)
    palette = rgbquads(ramp(steps))
    offset = 14 + 40 + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return (head + info_header(w, h, 8, len(pixels), steps + 1, 2835)
            + palette + pixels)


# At 16x16 the drawn "B" blurs, so that size gets a hand-placed one:
# '#' fully white, '+' half covered.
SMALL_B = """
######+.
#######+
###..###
###..###
#######+
#######.
###..+##
###...##
###..+##
########
######+.
""".split()


def pixel_art(size, rows, left, top):
    grid = [[0] * size for _ in range(size)]
    samples = {"#": SS * SS, "+": SS * SS // 2, ".": 0}
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            grid[top + y][left + x] = samples[ch]
    return grid


def icon_image(size, bpp, letter):
    """A red rounded square with a dark red rim and the white "B" whose
    per-pixel coverage is `letter`; the corners are transparent. The 1-bit
    image is the same in black and white."""
    radius = size * 0.2
    lo, hi = radius, size - radius
    square = [[0] * size for _ in range(size)]
    offs = [(k + 0.5) / SS for k in range(SS)]
    for py in range(size):
        for px in range(size):
            for sy in offs:
                for sx in offs:
                    x, y = px + sx, py + sy
                    dx = max(lo - x, 0, x - hi)
                    dy = max(lo - y, 0, y - hi)
                    square[py][px] += dx * dx + dy * dy <= radius * radius
    opaque = [[2 * n >= SS * SS for n in row] for row in square]

    def solid(x, y):
        return 0 <= x < size and 0 <= y < size and opaque[y][x]

    if bpp == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        colour = lambda x, y: int(2 * letter[y][x] >= SS * SS)
    else:
        # 0 black (behind transparent pixels), 1 dark red rim, 2..15 red->white
        palette = [(0, 0, 0), (128, 0, 0)] + ramp(13)

        def colour(x, y):
            if not all(solid(x + dx, y + dy) for dx, dy in
                       ((1, 0), (-1, 0), (0, 1), (0, -1))):
                return 1
            return 2 + level(letter[y][x], 13)
    xor = [[colour(x, y) if opaque[y][x] else 0 for x in range(size)]
           for y in range(size)]
    mask = [[0 if opaque[y][x] else 1 for x in range(size)]
            for y in range(size)]
    bits = pack_rows(xor, bpp) + pack_rows(mask, 1)
    return (info_header(size, 2 * size, bpp, len(bits), 0, 0)
            + rgbquads(palette) + bits)


def brennick_ico():
    big_b = coverage(32, 32, "B", 0, 1.0, 8, 5)
    small_b = pixel_art(16, SMALL_B, 4, 2)
    variants = [(32, 1, big_b), (32, 4, big_b), (16, 4, small_b)]
    images = [icon_image(*v) for v in variants]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp, _), data in zip(variants, images):
        out += struct.pack("<BBBBHHII", size, size, 1 << bpp, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(images)


OUTPUTS = {"trial.bmp": trial_bmp, "Brennick.ico": brennick_ico}


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        sys.exit("usage: generate.py [--check]")
    stale = []
    for name, build in OUTPUTS.items():
        data, path = build(), HERE / name
        if check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
            print(f"wrote {path} ({len(data)} bytes)")
    if stale:
        print("stale or missing, rerun resources/generate.py: "
              + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
