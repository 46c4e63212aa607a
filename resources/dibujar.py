#!/usr/bin/env python3
"""Draws Tesk's artwork and writes the resource files next to this script.

    python3 dibujar.py [output folder [file ...]]

Shapes are described by signed distance functions and painted with analytic
anti-aliasing; text is rendered by ImageMagick (`convert`) with the Liberation
fonts and composited here. Everything else (colour quantisation, the BMP, ICO,
CUR and PNG encoders) is plain Python, so the only tools needed are python3 and
ImageMagick. The build never runs this script: its output files are kept in
the repository.
"""

import math
import os
import struct
import subprocess
import sys
import zlib

FONT_DIR = os.environ.get("LIBERATION_DIR", "/usr/share/fonts/truetype/liberation")
FONT_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")
FONT_REGULAR = os.path.join(FONT_DIR, "LiberationSans-Regular.ttf")

# The panel's palette: white ground, light-blue (#8080FF) labels, light-grey
# lines, grey list text; the accent is the labels' hue, deeper.
WHITE = (255, 255, 255)
LINE_GREY = (0xE0, 0xE0, 0xE0)
TEXT_GREY = (0x80, 0x80, 0x80)
ACCENT_DARK = (0x3C, 0x3C, 0xB4)
TILE_TOP = (0x92, 0x92, 0xFF)              # the mark's tile and the About header
TILE_BOTTOM = (0x56, 0x56, 0xE4)
TITLE_TINT = (0xC4, 0xC4, 0xFF)            # the title bar of the mark's window
NAME_BLUE = (0x4A, 0x4A, 0xD6)             # the name beside the mark
SHADOW = (0x20, 0x20, 0x80)
FRAME = (0x9C, 0x9C, 0xE8)                 # the About picture's edge


# ---------------------------------------------------------------- geometry ---

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def sd_box(x0, y0, x1, y1, r=0.0):
    """Rectangle [x0,x1]x[y0,y1] in pixel-edge coordinates, corner radius r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return f


def sd_segment(ax, ay, bx, by, w):
    """A stroke of width w from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def f(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / ll)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - w / 2
    return f


def sd_arc(cx, cy, r, a0, a1, w):
    """A stroke of width w along the circle (cx, cy, r) from angle a0 to a1
    (degrees, counter-clockwise on screen is negative y), round ends."""
    p0 = (cx + r * math.cos(math.radians(a0)), cy - r * math.sin(math.radians(a0)))
    p1 = (cx + r * math.cos(math.radians(a1)), cy - r * math.sin(math.radians(a1)))

    def f(x, y):
        a = math.degrees(math.atan2(-(y - cy), x - cx))
        while a < a0:
            a += 360
        if a <= a1:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2
        return min(math.hypot(x - p0[0], y - p0[1]),
                   math.hypot(x - p1[0], y - p1[1])) - w / 2
    return f


def sd_polyline(points, w):
    segs = [sd_segment(*points[i], *points[i + 1], w) for i in range(len(points) - 1)]
    return lambda x, y: min(s(x, y) for s in segs)


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def outline(f, w):
    """A stroke of width w centred on the edge of shape f."""
    return lambda x, y: abs(f(x, y)) - w / 2


def inset(f, d):
    return lambda x, y: f(x, y) + d


# ------------------------------------------------------------------ canvas ---

class Canvas:
    """Premultiplied RGBA in floats 0..1, pixel (x, y) covers [x,x+1]x[y,y+1]."""

    def __init__(self, w, h, colour=None):
        self.w, self.h = w, h
        if colour is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        else:
            c = [v / 255 for v in colour]
            self.px = [[c[0], c[1], c[2], 1.0] for _ in range(w * h)]

    def blend(self, x, y, rgb, a):
        """Paints colour rgb (0..1 floats) with coverage a over pixel (x, y)."""
        if a <= 0.0:
            return
        p = self.px[y * self.w + x]
        k = 1.0 - a
        p[0] = rgb[0] * a + p[0] * k
        p[1] = rgb[1] * a + p[1] * k
        p[2] = rgb[2] * a + p[2] * k
        p[3] = a + p[3] * k

    def fill(self, shape, paint, bbox=None, opacity=1.0, ss=1, soft=1.0):
        """Fills shape with paint: an (r, g, b) tuple or a function of (x, y)
        returning one. Coverage is analytic (clamp(0.5 - d)); ss > 1 also
        supersamples, for thin shapes whose distance field is not exact;
        soft > 1 blurs the edge over that many pixels (for shadows)."""
        x0, y0, x1, y1 = bbox or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0)) - 1), max(0, int(math.floor(y0)) - 1)
        x1, y1 = min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1)
        const = None if callable(paint) else tuple(v / 255 for v in paint)
        offs = [(i + 0.5) / ss for i in range(ss)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                if ss == 1:
                    cov = clamp(0.5 - shape(x + 0.5, y + 0.5) / soft)
                else:
                    cov = 0.0
                    for oy in offs:
                        for ox in offs:
                            cov += clamp(0.5 - ss * shape(x + ox, y + oy))
                    cov /= ss * ss
                if cov <= 0.0:
                    continue
                rgb = const or tuple(v / 255 for v in paint(x + 0.5, y + 0.5))
                self.blend(x, y, rgb, cov * opacity)

    def mask(self, cov, x0, y0, w, paint, opacity=1.0):
        """Paints through a coverage mask (floats 0..1, row-major, width w)."""
        h = len(cov) // w
        const = None if callable(paint) else tuple(v / 255 for v in paint)
        for j in range(h):
            y = y0 + j
            if not 0 <= y < self.h:
                continue
            for i in range(w):
                x = x0 + i
                a = cov[j * w + i]
                if a <= 0.0 or not 0 <= x < self.w:
                    continue
                rgb = const or tuple(v / 255 for v in paint(x + 0.5, y + 0.5))
                self.blend(x, y, rgb, a * opacity)

    def draw(self, other, x0, y0):
        """Composites another canvas over this one at (x0, y0)."""
        for j in range(other.h):
            for i in range(other.w):
                q = other.px[j * other.w + i]
                if q[3] <= 0.0:
                    continue
                x, y = x0 + i, y0 + j
                if 0 <= x < self.w and 0 <= y < self.h:
                    p = self.px[y * self.w + x]
                    k = 1.0 - q[3]
                    for c in range(4):
                        p[c] = q[c] + p[c] * k

    def rgba8(self, x, y):
        """Straight (not premultiplied) 8-bit RGBA of one pixel."""
        p = self.px[y * self.w + x]
        a = p[3]
        if a <= 0.0:
            return (0, 0, 0, 0)
        return tuple(int(round(clamp(p[c] / a) * 255)) for c in range(3)) + (int(round(a * 255)),)


def pixels(c, rows, colour, x0=0, y0=0):
    """Paints pixel art: digits are coverage in ninths, '.' is nothing."""
    rgb = tuple(k / 255 for k in colour)
    for j, row in enumerate(rows):
        for i, v in enumerate(row):
            if v != ".":
                c.blend(x0 + i, y0 + j, rgb, int(v) / 9)


def linear(p0, c0, p1, c1):
    """A linear gradient from colour c0 at point p0 to c1 at point p1."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    ll = dx * dx + dy * dy

    def paint(x, y):
        return mix(c0, c1, clamp(((x - p0[0]) * dx + (y - p0[1]) * dy) / ll))
    return paint


# -------------------------------------------------------------------- text ---

def text_mask(text, font, size, oversample=4):
    """Renders text with ImageMagick; returns (coverage, width, height,
    baseline) with the ink trimmed tightly on every side. `baseline` is the
    baseline's row in the mask. oversample > 1 renders larger and box-filters
    down, which suits large type; small type looks better rendered 1:1."""
    k = oversample
    pad = int(size * k)
    cw, ch = int(size * k * (len(text) + 2)), int(size * k * 3)
    cmd = ["convert", "-size", f"{cw}x{ch}", "xc:black", "-font", font,
           "-pointsize", str(size * k * 72 / 96), "-density", "96",
           "-fill", "white", "-annotate", f"+{pad}+{2 * pad}", text,
           "-depth", "8", "pgm:-"]
    data = subprocess.run(cmd, check=True, capture_output=True).stdout
    w, h, pix = parse_pgm(data)
    # Box-filter down to 1x, keeping the 1x grid aligned with the origin.
    sw, sh = w // k, h // k
    cov = [0.0] * (sw * sh)
    for j in range(sh):
        for i in range(sw):
            s = 0
            for y in range(j * k, j * k + k):
                row = y * w
                for x in range(i * k, i * k + k):
                    s += pix[row + x]
            cov[j * sw + i] = s / (255.0 * k * k)
    # Trim.
    cols = [i for i in range(sw) if any(cov[j * sw + i] > 0.004 for j in range(sh))]
    rows = [j for j in range(sh) if any(cov[j * sw + i] > 0.004 for i in range(sw))]
    i0, i1, j0, j1 = cols[0], cols[-1] + 1, rows[0], rows[-1] + 1
    tw, th = i1 - i0, j1 - j0
    out = [cov[(j0 + j) * sw + i0 + i] for j in range(th) for i in range(tw)]
    baseline = (2 * pad) // k - j0
    return out, tw, th, baseline


def parse_pgm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    assert fields[0] == b"P5" and int(fields[3]) == 255
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos + 1:pos + 1 + w * h]


# ----------------------------------------------------------------- writers ---

def bmp8(canvas, background=WHITE):
    """An 8-bit BMP file: the canvas flattened on the background colour, its
    colours reduced by median cut to a palette of its own (exact for a
    picture of 256 colours or fewer), which holds only the colours it uses,
    and its rows run-length encoded (BI_RLE8), which Windows decodes as it
    loads the picture: a third of the size of the plain 8-bit file, and a
    ninth of the 24-bit one, which keeps the program small."""
    w, h = canvas.w, canvas.h
    flat = []
    for y in range(h):
        for x in range(w):
            p = canvas.px[y * w + x]
            k = 1.0 - p[3]
            flat.append(tuple(int(round(clamp(p[c] + background[c] / 255 * k) * 255)) for c in range(3)))
    palette = median_cut(flat, 256)
    cache = {}

    def index(c):
        if c not in cache:
            cache[c] = min(range(len(palette)), key=lambda i: sum((c[k] - palette[i][k]) ** 2 for k in range(3)))
        return cache[c]
    bits = bytearray()
    for y in range(h - 1, -1, -1):
        bits += rle8_row([index(flat[y * w + x]) for x in range(w)])
        bits += b"\0\0"                        # end of the row
    bits[-2:] = b"\0\1"                        # the last one ends the picture
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(bits), 3780, 3780, len(palette), 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pal) + len(bits), 0, 0, 14 + len(info) + len(pal))
    return head + info + pal + bytes(bits)


def rle8_row(row):
    """One row of palette indices in BI_RLE8: a run of three or more equal
    pixels as (count, index); what lies between runs as an absolute stretch
    (0, count, the indices, padded to a whole word) when it is three pixels
    or more, as runs of one otherwise. Counts go up to 255."""
    out = bytearray()
    literal = []

    def flush():
        while literal:
            part = literal[:255]
            del literal[:255]
            if len(part) < 3:
                for v in part:
                    out.extend((1, v))
            else:
                out.extend((0, len(part)))
                out.extend(part)
                if len(part) % 2:
                    out.append(0)
    i = 0
    while i < len(row):
        j = i
        while j < len(row) and j - i < 255 and row[j] == row[i]:
            j += 1
        if j - i >= 3:
            flush()
            out.extend((j - i, row[i]))
        else:
            literal.extend(row[i:j])
        i = j
    flush()
    return bytes(out)


def and_mask(w, h, transparent):
    """The 1-bit AND mask of an icon image, bottom-up, rows padded to 32 bits."""
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def dib_32(canvas):
    """An icon image in 32-bit BGRA with its AND mask."""
    w, h = canvas.w, canvas.h
    bits = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.rgba8(x, y)
            bits += bytes((b, g, r, a)) if a else b"\0\0\0\0"
    mask = and_mask(w, h, lambda x, y: canvas.rgba8(x, y)[3] == 0)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(bits) + len(mask), 0, 0, 0, 0)
    return info + bytes(bits) + mask, 0, 32


def dib_8(canvas):
    """An icon image in 256 colours: opaque where coverage is at least half,
    colours reduced by median cut to the image's own palette."""
    w, h = canvas.w, canvas.h
    opaque = {}
    for y in range(h):
        for x in range(w):
            r, g, b, a = canvas.rgba8(x, y)
            if a >= 128:
                opaque[(x, y)] = (r, g, b)
    palette = median_cut(list(opaque.values()), 255)
    palette = [(0, 0, 0)] + palette            # 0: under the transparent mask
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def index(c):
        if c not in cache:
            cache[c] = min(range(1, 256), key=lambda i: sum((c[k] - palette[i][k]) ** 2 for k in range(3)))
        return cache[c]
    stride = (w + 3) & ~3
    bits = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if (x, y) in opaque:
                row[x] = index(opaque[(x, y)])
        bits += row
    mask = and_mask(w, h, lambda x, y: (x, y) not in opaque)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, len(bits) + len(mask), 0, 0, 256, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return info + pal + bytes(bits) + mask, 256, 8


def png_32(canvas):
    """An icon image as a PNG file, 8-bit RGBA, which Windows Vista and later
    read in icons at any size (Wine too): the same pixels and alpha as the
    32-bit DIB, far smaller. Each row
    takes the PNG filter that leaves it the smallest sum of (signed) bytes,
    the usual heuristic; the rows then go through zlib at its best."""
    w, h = canvas.w, canvas.h
    raw = []
    for y in range(h):
        row = bytearray()
        for x in range(w):
            row += bytes(canvas.rgba8(x, y))
        raw.append(bytes(row))

    def paeth(a, b, c):
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        return a if pa <= pb and pa <= pc else b if pb <= pc else c

    def filtered(kind, row, up):
        out = bytearray(len(row))
        for i, v in enumerate(row):
            a = row[i - 4] if i >= 4 else 0
            b = up[i]
            c = up[i - 4] if i >= 4 else 0
            pred = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out[i] = (v - pred) & 0xFF
        return bytes(out)
    data = bytearray()
    up = bytes(4 * w)
    for row in raw:
        options = [filtered(kind, row, up) for kind in range(5)]
        kind = min(range(5), key=lambda k: sum(v if v < 128 else 256 - v for v in options[k]))
        data += bytes((kind,)) + options[kind]
        up = row

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + \
            struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + \
        chunk(b"IDAT", zlib.compress(bytes(data), 9)) + chunk(b"IEND", b"")
    return out, 0, 32


def median_cut(colours, n):
    unique = sorted(set(colours))
    if len(unique) <= n:
        return unique
    weights = {}
    for c in colours:
        weights[c] = weights.get(c, 0) + 1
    boxes = [unique]
    while len(boxes) < n:
        # Split the box with the widest channel range (weighted by size).
        def spread(box):
            return max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3)) * \
                math.sqrt(sum(weights[c] for c in box))
        boxes.sort(key=spread)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        k = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[k])
        total, acc, cut = sum(weights[c] for c in box), 0, 1
        for i, c in enumerate(box):
            acc += weights[c]
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, i + 1))
                break
        boxes += [box[:cut], box[cut:]]
    out = []
    for box in boxes:
        tw = sum(weights[c] for c in box)
        out.append(tuple(int(round(sum(c[k] * weights[c] for c in box) / tw)) for k in range(3)))
    return out


def icon_file(images, kind=1, hotspot=(0, 0)):
    """An ICO (kind 1) or CUR (kind 2) file from (canvas, encoder) pairs."""
    encoded = [(c.w, c.h) + enc(c) for c, enc in images]
    out = struct.pack("<HHH", 0, kind, len(encoded))
    offset = 6 + 16 * len(encoded)
    for w, h, data, colours, bpp in encoded:
        planes, bits = (1, bpp) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours % 256, 0,
                           planes, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data, _, _ in encoded)


# ----------------------------------------------------------------- artwork ---

def window_with_eye(c, x0, y0, x1, y1, eye_colour=ACCENT_DARK, pixel_eye=None):
    """A white window (title bar tinted) whose eye is closed, in the box
    [x0,x1]x[y0,y1]; callers pass whole-pixel edges so the frame is crisp."""
    w = x1 - x0
    frame = sd_box(x0, y0, x1, y1, max(1.0, w / 10))
    c.fill(frame, WHITE, bbox=(x0, y0, x1, y1))
    bar = max(2, round(w * 0.18))
    c.fill(intersect(frame, lambda x, y: y - (y0 + bar)), TITLE_TINT, bbox=(x0, y0, x1, y0 + bar))
    top = y0 + bar
    if pixel_eye:
        ex, ey, rows = pixel_eye
        pixels(c, rows, eye_colour, ex, ey)
        return
    # The lid, a shallow arc, and the lashes below it, pointing away from
    # the arc's centre.
    ew = max(1.0, w / 12)
    ecx = (x0 + x1) / 2
    half = w * 0.30
    sag = half * 0.55
    ey0 = top + (y1 - top) * 0.24
    rr = (half * half + sag * sag) / (2 * sag)
    cy = ey0 + sag - rr
    ang = math.degrees(math.asin(half / rr))
    parts = [sd_arc(ecx, cy, rr, 270 - ang, 270 + ang, ew)]
    ln = (y1 - top) * 0.2
    for a in ((-0.55, 0, 0.55) if w < 28 else (-0.66, -0.22, 0.22, 0.66)):
        t = math.radians(270 + a * ang)
        px, py = ecx + rr * math.cos(t), cy - rr * math.sin(t)
        parts.append(sd_segment(px, py, px + ln * math.cos(t), py - ln * math.sin(t), ew))
    c.fill(union(*parts), eye_colour, bbox=(x0, top, x1, y1), ss=4)


def tesk_mark(s):
    """The program's mark at s x s pixels: a blue tile holding a white window
    whose eye is closed. Key edges are snapped to whole pixels at each size."""
    c = Canvas(s, s)
    m = 0 if s <= 24 else max(1, round(s / 24))           # margin
    r = max(2.5, s * 0.19)
    tile = sd_box(m, m, s - m, s - m, r)
    c.fill(tile, linear((0, m), TILE_TOP, (0, s - m), TILE_BOTTOM))
    # A faint light rim along the top edge gives the tile some depth: one
    # pixel wide up to 64 pixels, in proportion above.
    rw = max(1, round(s / 48))
    rim = intersect(outline(inset(tile, rw / 2), rw), lambda x, y: y - (m + r))
    c.fill(rim, WHITE, opacity=0.35)
    inner = round(s * 0.17)
    window_with_eye(c, inner, round(s * 0.19), s - inner, s - round(s * 0.19),
                    pixel_eye=PIXEL_EYES.get(s))
    return c


# The closed eye at 16 pixels, from (5, 7); digits are coverage in ninths.
EYE_16 = [
    "9.....9",
    ".9...9.",
    "..999..",
    ".9.9.9.",
]


# At 22 pixels (the banner's mark), from (6, 10); at 20 pixels, whose
# window is as wide, from (5, 9).
EYE_22 = [
    "9.........9",
    ".99.....99.",
    "...99999...",
    "...9.9.9...",
    "..9..9..9..",
]

# At 24 pixels, from (6, 10).
EYE_24 = [
    "9...........9",
    ".9.........9.",
    "..99.....99..",
    "....99999....",
    "....9.9.9....",
    "...9..9..9...",
]

# Up to 24 pixels the eye is placed pixel by pixel; larger, it is drawn.
PIXEL_EYES = {16: (5, 7, EYE_16), 20: (5, 9, EYE_22), 22: (6, 10, EYE_22),
              24: (6, 10, EYE_24)}

# The program's icon: 16 and 32 pixels at 100 % scaling (and 48, Explorer's
# large icons), 20 and 40 at 125 %, 24 and 48 at 150 %, 32 and 64 at 200 %,
# and 256 for Explorer's largest views. Each size is drawn at that size.
# Below 256 the images are 256-colour DIBs, small and crisp, except 20, 24
# and 40: those are 32-bit BGRA with their alpha, and an AND mask that is
# opaque wherever the alpha is not zero, for readers that ignore the alpha.
# They are the sizes whose mask rows are padded (to 16 bits in a bitmap):
# when Wine hands a tray icon to its notification area it copies the mask
# as width x height / 8 bytes, so at 125 % and 150 % the bottom rows of a
# 20 or 24 pixel mask arrived as garbage. An icon with alpha is drawn by its
# alpha and the mask goes unused. The 256 image is a PNG, which Windows
# Vista and later read in icons (as a DIB it alone would take 264 KB).
TESK_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
TESK_ALPHA = (20, 24, 40)


def tesk_encoder(s):
    return png_32 if s == 256 else dib_32 if s in TESK_ALPHA else dib_8


def tesk_ico():
    return icon_file([(tesk_mark(s), tesk_encoder(s)) for s in TESK_SIZES])


# The command images: thin strokes, like the labels' type. At 16 pixels
# (96 dpi) each is placed pixel by pixel; the larger images used at higher
# DPI are drawn from the same design on a 16-unit grid and scaled. Each
# image is a PNG: one colour and its alpha compress to a tenth of the DIB.
COMMAND_SIZES = (16, 20, 24, 32)
COMMAND_BLUE = (0x74, 0x74, 0xF6)     # the labels' blue, a touch deeper for thin lines

MINIMIZAR_16 = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "...999999999....",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]

CERRAR_16 = [
    "................",
    "................",
    "................",
    "...9.......9....",
    "....9.....9.....",
    ".....9...9......",
    "......9.9.......",
    ".......9........",
    "......9.9.......",
    ".....9...9......",
    "....9.....9.....",
    "...9.......9....",
    "................",
    "................",
    "................",
    "................",
]

CAMBIAR_16 = [
    "................",
    "................",
    "..........9.....",
    "...........9....",
    "............9...",
    "..99999999999...",
    "............9...",
    "...........9....",
    "...9......9.....",
    "..9.............",
    ".9..............",
    ".99999999999....",
    ".9..............",
    "..9.............",
    "...9............",
    "................",
]


def command_image(pixel_art, shape, s):
    c = Canvas(s, s)
    if s == 16:
        pixels(c, pixel_art, COMMAND_BLUE)
        return c
    k = s / 16
    w = max(1, round(k * 1.1))

    def g(v):
        # A grid coordinate scaled, then put on a pixel centre for odd
        # strokes or on a pixel edge for even ones, so strokes stay sharp.
        return math.floor(v * k) + 0.5 if w % 2 else float(round(v * k))
    c.fill(shape(g, w), COMMAND_BLUE, ss=4)
    return c


# The same designs as shapes on the 16-unit grid (pixel centres at .5),
# through g, which scales and snaps a grid coordinate, for stroke width w.
def shape_minimizar(g, w):
    return sd_segment(g(3.5), g(9.5), g(11.5), g(9.5), w)


def shape_cerrar(g, w):
    a, b = g(3.5), g(11.5)
    return union(sd_segment(a, a, b, b, w), sd_segment(b, a, a, b, w))


def shape_cambiar(g, w):
    right = sd_polyline([(g(10.5), g(2.5)), (g(13.5), g(5.5)), (g(10.5), g(8.5))], w)
    left = sd_polyline([(g(4.5), g(8.5)), (g(1.5), g(11.5)), (g(4.5), g(14.5))], w)
    return union(sd_segment(g(2.5), g(5.5), g(13.5), g(5.5), w), right,
                 sd_segment(g(1.5), g(11.5), g(12.5), g(11.5), w), left)


def command_ico(pixel_art, shape):
    return icon_file([(command_image(pixel_art, shape, s), png_32) for s in COMMAND_SIZES])


def text_at(c, text, font, size, x, y, paint, anchor="lt", oversample=4, opacity=1.0):
    """Draws text so that its ink box has the anchor point at (x, y): anchor
    is 'l'/'c'/'r' and 't'/'m'/'b' (or 'B' for the baseline)."""
    cov, w, h, base = text_mask(text, font, size, oversample)
    ax = {"l": 0, "c": w / 2, "r": w}[anchor[0]]
    ay = {"t": 0, "m": h / 2, "b": h, "B": base}[anchor[1]]
    c.mask(cov, int(round(x - ax)), int(round(y - ay)), w, paint, opacity)
    return w, h


def banner(k=1):
    """The 93 x 28 banner: the mark and the name, on white."""
    c = Canvas(93 * k, 28 * k, WHITE)
    s = 22 * k
    c.draw(tesk_mark(s), 3 * k, 3 * k)
    text_at(c, "Tesk", FONT_BOLD, 21 * k, 31 * k, 14 * k, NAME_BLUE, "lm")
    return c



def acerca(k=1):
    """The 283 x 170 About picture: a blue header with the window and the
    name, and a white strip at the bottom that carries the version label."""
    W, H = 283 * k, 170 * k
    c = Canvas(W, H, WHITE)
    band = 145 * k
    c.fill(sd_box(0, 0, W, band), linear((0, 0), TILE_TOP, (W * 0.3, band * 1.5), TILE_BOTTOM))
    # Depth: faint outlines of windows drifting off the right edge.
    in_band = lambda x, y: y - band
    for (x0, y0, x1, y1, o) in ((206, -34, 318, 40, 0.24), (236, 4, 340, 66, 0.14),
                                (192, 112, 300, 190, 0.16)):
        win = sd_box(x0 * k, y0 * k, x1 * k, y1 * k, 5 * k)
        c.fill(intersect(outline(inset(win, 0.5 * k), 1 * k), in_band), WHITE, opacity=o)
        title = intersect(win, lambda x, y, t=(y0 + 10) * k: y - t)
        c.fill(intersect(title, in_band), WHITE, opacity=o * 0.5)
    # A soft shadow, then the window with the closed eye.
    x0, y0, x1, y1 = 22 * k, 42 * k, 92 * k, 102 * k
    c.fill(sd_box(x0 + 1 * k, y0 + 4 * k, x1 + 1 * k, y1 + 4 * k, 8 * k), SHADOW,
           opacity=0.30, soft=4 * k)
    window_with_eye(c, x0, y0, x1, y1)
    # The name and the tagline.
    text_at(c, "Tesk", FONT_BOLD, 46 * k, 108 * k, 78 * k, WHITE, "lB")
    text_at(c, "Oculta y recupera tus ventanas", FONT_REGULAR, 11.5 * k, 110 * k, 98 * k, WHITE,
            "lB", oversample=1 if k == 1 else 4, opacity=0.92)
    # The strip: a hint at the left, on the version label's baseline. The
    # program draws the label at 192..265 x 152..169, over plain white.
    c.fill(sd_box(0, band, W, band + 1 * k), LINE_GREY)
    text_at(c, "Click para cerrar", FONT_REGULAR, 11 * k, 12 * k, 162 * k, TEXT_GREY, "lB",
            oversample=1 if k == 1 else 4)
    # A thin frame: the box has no border of its own.
    c.fill(outline(sd_box(0.5 * k, 0.5 * k, W - 0.5 * k, H - 0.5 * k), 1 * k), FRAME)
    return c



# The pointing hand, 32 x 32, fingertip at (12, 1): '#' black, '-' white,
# '.' transparent. Drawn pixel by pixel: a pointer must be crisp.
MANO = [
    "................................",
    "...........###..................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---#.................",
    "..........#---####..............",
    "..........#---#---####..........",
    "..........#---#---#---#.........",
    "..........#---#---#---###.......",
    ".....##...#---#---#---#--#......",
    "....#--#..#---#---#---#--#......",
    "....#---#.#---#---#---#--#......",
    "....#----##---#---#---#--#......",
    "....#-----#--------------#......",
    "....#--------------------#......",
    ".....#-------------------#......",
    "......#------------------#......",
    ".......#-----------------#......",
    ".......#-----------------#......",
    "........#---------------#.......",
    "........#---------------#.......",
    "........#---------------#.......",
    "........#################.......",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]
assert len(MANO) == 32 and all(len(r) == 32 for r in MANO)


def mano_cursor():
    c = Canvas(32, 32)
    for y, row in enumerate(MANO):
        for x, v in enumerate(row[:32]):
            if v == "#":
                c.blend(x, y, (0.0, 0.0, 0.0), 1.0)
            elif v == "-":
                c.blend(x, y, (1.0, 1.0, 1.0), 1.0)
    return icon_file([(c, dib_32)], kind=2, hotspot=(12, 1))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "tesk.ico": tesk_ico,
        "minimizar.ico": lambda: command_ico(MINIMIZAR_16, shape_minimizar),
        "cerrar.ico": lambda: command_ico(CERRAR_16, shape_cerrar),
        "cambiar.ico": lambda: command_ico(CAMBIAR_16, shape_cambiar),
        "banner.bmp": lambda: bmp8(banner()),
        "acerca.bmp": lambda: bmp8(acerca()),
        "banner2x.bmp": lambda: bmp8(banner(2)),
        "mano.cur": mano_cursor,
    }
    only = sys.argv[2:]
    unknown = [name for name in only if name not in files]
    if unknown:
        sys.exit(f"dibujar: nothing draws {', '.join(unknown)}")
    for name, make in files.items():
        if only and name not in only:
            continue
        data = make()
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
