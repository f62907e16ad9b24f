#!/usr/bin/env python3
"""Draws the program's pictures: res/banner.bmp, res/quellbrook.ico, res/hosts.ico.

Each icon is drawn at every size Windows asks for between 100 % and 200 %
(and 256 for Explorer), from one design, so none is a blurred stretch of another.

Python standard library only; text is rasterised by ImageMagick's `convert`
with the WenQuanYi Zen Hei font. Usage: draw_art.py [output-dir] [--preview DIR]
"""

import argparse
import functools
import math
import os
import struct
import subprocess
import sys
import zlib

FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


# ---------------------------------------------------------------- geometry --

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def hexcol(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / ll)
    ex, ey = px - (ax + t * dx), py - (ay + t * dy)
    return math.hypot(ex, ey)


def point_in_poly(px, py, pts):
    inside = False
    n = len(pts)
    j = n - 1
    for i in range(n):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def bezier(p0, p1, p2, steps=12):
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def capsule(ax, ay, bx, by, half_width):
    return lambda x, y: seg_dist(x, y, ax, ay, bx, by) <= half_width


def polygon(pts):
    return lambda x, y: point_in_poly(x, y, pts)


def edge_depth(w, h, inside_pixel):
    """Per pixel, how many 4-connected steps it lies from the outside (0 = outside,
    1 = outermost ring); gives pixel-art bands of exactly one pixel."""
    depth = [[0 if not inside_pixel(x, y) else -1 for x in range(w)] for y in range(h)]
    frontier = [(x, y) for y in range(h) for x in range(w) if depth[y][x] == -1
                and (x in (0, w - 1) or y in (0, h - 1)
                     or 0 in (depth[y][x - 1], depth[y][x + 1], depth[y - 1][x], depth[y + 1][x]))]
    level = 1
    while frontier:
        for x, y in frontier:
            depth[y][x] = level
        nxt = set()
        for x, y in frontier:
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if 0 <= nx < w and 0 <= ny < h and depth[ny][nx] == -1:
                    nxt.add((nx, ny))
        frontier = sorted(nxt)
        level += 1
    return depth


def bbox_of(pts, pad=0.0):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# ------------------------------------------------------------------ canvas --

class Canvas:
    """RGB canvas with a coverage channel; shapes are supersampled. Shapes are
    given in design units: `scale` device pixels each."""

    def __init__(self, w, h, samples=6, scale=1.0):
        self.w, self.h, self.samples, self.scale = w, h, samples, scale
        self.rgb = [[(0.0, 0.0, 0.0)] * w for _ in range(h)]
        self.alpha = [[0.0] * w for _ in range(h)]

    def _coverage(self, inside, x, y, n):
        hits = 0
        k = self.scale
        for sy in range(n):
            py = (y + (sy + 0.5) / n) / k
            for sx in range(n):
                if inside((x + (sx + 0.5) / n) / k, py):
                    hits += 1
        return hits / (n * n)

    def fill(self, inside, colour, bbox=None, opacity=1.0, samples=None):
        """Paints `colour` (a tuple or a function of x, y) where `inside` holds;
        samples=1 gives hard pixel-art edges."""
        n = samples or self.samples
        k = self.scale
        bbox = (0, 0, self.w, self.h) if bbox is None else tuple(v * k for v in bbox)
        x0 = max(0, int(math.floor(bbox[0])))
        y0 = max(0, int(math.floor(bbox[1])))
        x1 = min(self.w, int(math.ceil(bbox[2])) + 1)
        y1 = min(self.h, int(math.ceil(bbox[3])) + 1)
        for y in range(y0, y1):
            for x in range(x0, x1):
                cov = self._coverage(inside, x, y, n)
                if cov > 0:
                    c = colour((x + 0.5) / k, (y + 0.5) / k) if callable(colour) else colour
                    self.blend(x, y, c, cov * opacity)

    def blend(self, x, y, colour, a):
        """Source-over compositing, with the canvas' own colour unpremultiplied."""
        if a <= 0:
            return
        da = self.alpha[y][x]
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        dst = self.rgb[y][x]
        self.rgb[y][x] = tuple((colour[i] * a + dst[i] * da * (1 - a)) / out_a
                               for i in range(3))
        self.alpha[y][x] = out_a

    def gradient_fill(self, colour_at):
        for y in range(self.h):
            for x in range(self.w):
                self.rgb[y][x] = colour_at(x + 0.5, y + 0.5)
                self.alpha[y][x] = 1.0

    def paint_mask(self, mask, mw, mh, ox, oy, colour, opacity=1.0):
        """Composites a coverage mask (rows of 0..1) at integer offset."""
        for my in range(mh):
            y = oy + my
            if not 0 <= y < self.h:
                continue
            for mx in range(mw):
                x = ox + mx
                if 0 <= x < self.w and mask[my][mx] > 0:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, mask[my][mx] * opacity)

    def pixels(self):
        return [[tuple(int(round(clamp(v / 255.0) * 255)) for v in px) for px in row]
                for row in self.rgb]


# -------------------------------------------------------------------- text --

def render_text(text, pointsize, stroke=0.0, kerning=0.0):
    """Rasterises text with ImageMagick; returns (mask rows, width, height)."""
    cmd = ["convert", "-background", "black", "-fill", "white",
           "-font", FONT, "-pointsize", str(pointsize)]
    if stroke:
        cmd += ["-stroke", "white", "-strokewidth", str(stroke)]
    if kerning:
        cmd += ["-kerning", str(kerning)]
    cmd += ["label:" + text, "-trim", "+repage", "-colorspace", "gray",
            "-depth", "8", "pgm:-"]
    data = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    if fields[0] != b"P5" or int(fields[3]) != 255:
        raise RuntimeError("unexpected PGM from convert")
    w, h = int(fields[1]), int(fields[2])
    raw = data[pos:pos + w * h]
    mask = [[raw[y * w + x] / 255.0 for x in range(w)] for y in range(h)]
    return mask, w, h


# ---------------------------------------------------------- file formats --

def bmp24(pixels):
    """24-bit bottom-up BMP with BITMAPINFOHEADER."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return bytes(header + info + body)


def and_mask(opaque):
    """1-bit AND mask rows, bottom-up, 32-bit aligned: 1 = transparent."""
    h, w = len(opaque), len(opaque[0])
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for row in reversed(opaque):
        line = bytearray(stride)
        for x, op in enumerate(row):
            if not op:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def dib_image(width, height, bit_count, palette, xor_bits, mask_bits):
    """An icon image as a DIB (height doubled for the mask)."""
    colours_used = len(palette) if palette else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bit_count, 0,
                       len(xor_bits) + len(mask_bits), 0, 0, colours_used, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return info + pal + xor_bits + mask_bits


def ico(images):
    """ICO of (width, height, colour count, bit count, image bytes) entries."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for width, height, colours, bit_count, image in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0,
                               1, bit_count, len(image), offset)
        bodies += image
        offset += len(image)
    return header + entries + bodies


def icon_pixels(canvas, threshold=0.5):
    """Opaque pixels keep their own (unpremultiplied) colour; the rest are masked."""
    opaque = [[a >= threshold for a in row] for row in canvas.alpha]
    px = canvas.pixels()
    px = [[px[y][x] if opaque[y][x] else (0, 0, 0) for x in range(canvas.w)]
          for y in range(canvas.h)]
    return px, opaque


def ico24(canvas):
    px, opaque = icon_pixels(canvas)
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    xor = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        xor += line + bytes(stride - len(line))
    return (w, h, 0, 24, dib_image(w, h, 24, [], bytes(xor), and_mask(opaque)))


def ico8(canvas):
    px, opaque = icon_pixels(canvas)
    w, h = canvas.w, canvas.h
    colours = sorted({c for row in px for c in row} | {(0, 0, 0)})
    if len(colours) > 256:
        raise RuntimeError("too many colours for a 256-colour icon")
    palette = colours + [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    stride = (w + 3) & ~3
    xor = bytearray()
    for row in reversed(px):
        line = bytes(index[c] for c in row)
        xor += line + bytes(stride - len(line))
    return (w, h, 0, 8, dib_image(w, h, 8, palette, bytes(xor), and_mask(opaque)))


def straight_rgba(canvas):
    """Rows of (r, g, b, a) bytes, top-down, colour not premultiplied."""
    px = canvas.pixels()
    return [[px[y][x] + (int(round(clamp(canvas.alpha[y][x]) * 255)),) for x in range(canvas.w)]
            for y in range(canvas.h)]


def ico32(canvas):
    """32-bit image with alpha; its AND mask still serves systems that ignore alpha."""
    rgba = straight_rgba(canvas)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rgba) for r, g, b, a in row)
    opaque = [[a >= 128 for *_, a in row] for row in rgba]
    return (canvas.w, canvas.h, 0, 32, dib_image(canvas.w, canvas.h, 32, [], xor, and_mask(opaque)))


def png(canvas):
    rows = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in straight_rgba(canvas))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def ico_png(canvas):
    """The 256 entry as PNG, as Windows Vista and later read it."""
    return (canvas.w, canvas.h, 0, 32, png(canvas))


def icon_file(draw, design_size, classic):
    """Every size of one icon; the design size keeps its classic format."""
    images = []
    for size in ICON_SIZES:
        canvas = draw(size, size / design_size)
        if size == design_size:
            images.append(classic(canvas))
        elif size == 256:
            images.append(ico_png(canvas))
        else:
            images.append(ico32(canvas))
    return ico(images)


# ------------------------------------------------------------------ banner --

def draw_banner():
    w, h = 210, 78
    cv = Canvas(w, h, samples=5)
    top, bottom = hexcol("#2f7fdc"), hexcol("#0c3376")

    def background(x, y):
        t = clamp((y / h) * 0.8 + (x / w) * 0.35)
        c = mix(top, bottom, t)
        # soft light from the upper left, behind the emblem
        glow = math.exp(-(((x - 34) / 46) ** 2 + ((y - 30) / 34) ** 2))
        return mix(c, hexcol("#6fb4ff"), 0.35 * glow)
    cv.gradient_fill(background)

    # thin highlight lines at the top and bottom edges
    cv.fill(lambda x, y: y < 1, hexcol("#8cc4ff"), (0, 0, w, 1), 0.6)
    cv.fill(lambda x, y: y > h - 1, hexcol("#061a40"), (0, h - 1, w, h), 0.8)

    draw_software_box(cv)

    # watermark first so the title never sits under it
    mark, mw, mh = render_text("Software", 22, stroke=0.4)
    cv.paint_mask(mark, mw, mh, w - mw - 5, h - mh - 5, (255, 255, 255), 0.13)

    title, tw, th = render_text("Morvale", 27, stroke=0.9)
    tx, ty = 76, 11
    cv.paint_mask(title, tw, th, tx + 1, ty + 1, hexcol("#06224f"), 0.55)
    cv.paint_mask(title, tw, th, tx, ty, (255, 255, 255))

    sub, sw, sh = render_text("软件论坛", 16, kerning=3)
    sx, sy = tx + 1, ty + th + 9
    cv.paint_mask(sub, sw, sh, sx + 1, sy + 1, hexcol("#06224f"), 0.5)
    cv.paint_mask(sub, sw, sh, sx, sy, hexcol("#e4f0ff"))

    # a fine rule between the name and the Chinese words
    rule_y = ty + th + 4.5
    cv.fill(lambda x, y: abs(y - rule_y) < 0.5 and tx <= x <= tx + tw,
            lambda x, y: mix(hexcol("#bfe0ff"), hexcol("#3b82d6"), clamp((x - tx) / tw)),
            (tx, rule_y - 1, tx + tw, rule_y + 1))

    for name, (mw_, mh_, ox, oy) in {"title": (tw, th, tx, ty), "sub": (sw, sh, sx, sy),
                                      "mark": (mw, mh, w - mw - 5, h - mh - 5)}.items():
        if ox < 0 or oy < 0 or ox + mw_ > w or oy + mh_ > h:
            raise RuntimeError("banner text '%s' does not fit" % name)
    return cv


def draw_software_box(cv):
    """A boxed software package, drawn in a light oblique view, with a disc
    leaning against its front."""
    # front face corners, then the depth offset for top and side faces
    fx0, fy0, fx1, fy1 = 8.0, 20.0, 44.0, 66.0
    dx, dy = 12.0, -9.0
    front = [(fx0, fy0), (fx1, fy0), (fx1, fy1), (fx0, fy1)]
    top_face = [(fx0, fy0), (fx0 + dx, fy0 + dy), (fx1 + dx, fy0 + dy), (fx1, fy0)]
    side = [(fx1, fy0), (fx1 + dx, fy0 + dy), (fx1 + dx, fy1 + dy), (fx1, fy1)]

    # shadow on the ground
    cv.fill(ellipse(33, 68.5, 27, 4), hexcol("#041634"), (4, 63, 62, 74), 0.35)

    cv.fill(polygon(side), lambda x, y: mix(hexcol("#c2561b"), hexcol("#8e3a10"),
                                            clamp((y - fy0) / (fy1 - fy0))),
            bbox_of(side))
    cv.fill(polygon(top_face), hexcol("#ffb25e"), bbox_of(top_face))
    def front_colour(x, y):
        return mix(hexcol("#ff9a3c"), hexcol("#e0641a"), clamp((y - fy0) / (fy1 - fy0)))
    cv.fill(polygon(front), front_colour, bbox_of(front))
    # white band across the front with a dark title stripe
    band = [(fx0, 28), (fx1, 28), (fx1, 40), (fx0, 40)]
    cv.fill(polygon(band), hexcol("#fff6ea"), bbox_of(band))
    stripe = [(fx0 + 4, 31.5), (fx1 - 8, 31.5), (fx1 - 8, 33.5), (fx0 + 4, 33.5)]
    cv.fill(polygon(stripe), hexcol("#1f4f9a"), bbox_of(stripe))
    stripe2 = [(fx0 + 4, 35.5), (fx1 - 16, 35.5), (fx1 - 16, 37), (fx0 + 4, 37)]
    cv.fill(polygon(stripe2), hexcol("#7c9cc8"), bbox_of(stripe2))
    # edge lines keep the faces apart at 1:1
    edge = hexcol("#7a2e08")
    for a, b in ((front[0], front[1]), (front[1], front[2]), (front[0], front[3]),
                 (front[3], front[2]), (top_face[1], top_face[2]),
                 (top_face[0], top_face[1]), (side[1], side[2]), (side[2], side[3])):
        cv.fill(capsule(a[0], a[1], b[0], b[1], 0.5), edge, bbox_of([a, b], 1), 0.9)
    # highlight on the top front edge
    cv.fill(capsule(fx0 + 1, fy0 + 0.8, fx1 - 1, fy0 + 0.8, 0.35), hexcol("#ffe0b8"),
            (fx0, fy0, fx1, fy0 + 2), 0.8)

    # the disc, leaning in front of the lower right of the box
    cx, cy, r = 42.0, 53.0, 15.0
    cv.fill(circle(cx + 1.2, cy + 1.5, r), hexcol("#041634"), (cx - r, cy - r, cx + r + 3, cy + r + 3), 0.35)

    def disc_colour(x, y):
        ang = math.atan2(y - cy, x - cx)
        rad = math.hypot(x - cx, y - cy) / r
        base = mix(hexcol("#e9eef5"), hexcol("#aab6c6"), clamp(rad * 0.8))
        # iridescent sheen that sweeps around the data side
        sheen = 0.5 + 0.5 * math.cos(2 * (ang + 0.6))
        rainbow = (
            150 + 100 * math.cos(ang * 2 + 0.0),
            150 + 100 * math.cos(ang * 2 + 2.1),
            150 + 100 * math.cos(ang * 2 + 4.2),
        )
        c = mix(base, rainbow, 0.35 * (1 - sheen) * clamp(rad * 1.5))
        return mix(c, (255, 255, 255), 0.6 * sheen * clamp(1.2 - rad))
    cv.fill(circle(cx, cy, r), disc_colour, (cx - r, cy - r, cx + r, cy + r))
    cv.fill(ring(cx, cy, r - 0.9, r), hexcol("#5d6b80"), (cx - r, cy - r, cx + r, cy + r))
    cv.fill(circle(cx, cy, 5.0), hexcol("#d5dce6"), (cx - 6, cy - 6, cx + 6, cy + 6))
    cv.fill(ring(cx, cy, 4.3, 5.0), hexcol("#8e99aa"), (cx - 6, cy - 6, cx + 6, cy + 6))
    # the box shows through the centre hole, a shade darker in the disc's shadow
    cv.fill(circle(cx, cy, 2.0), lambda x, y: mix(front_colour(x, y), (0, 0, 0), 0.15),
            (cx - 3, cy - 3, cx + 3, cy + 3))
    cv.fill(ring(cx, cy, 1.6, 2.1), hexcol("#6b768a"), (cx - 3, cy - 3, cx + 3, cy + 3))


# ------------------------------------------------------------- main icon --

def draw_quellbrook_icon(size=32, scale=1.0):
    cv = Canvas(size, size, samples=8, scale=scale)
    fcx, fcy, fr = 13.5, 14.0, 12.6

    def face(x, y):
        d = math.hypot(x - (fcx - 4), y - (fcy - 5)) / (fr * 1.6)
        return mix(hexcol("#fff27a"), hexcol("#f2a900"), clamp(d))
    cv.fill(circle(fcx, fcy, fr), hexcol("#8a5a00"), (0, 0, 28, 28))
    cv.fill(circle(fcx, fcy, fr - 1.0), face, (0, 0, 28, 28))

    # bare eye (left) and a curious little mouth
    cv.fill(ellipse(8.4, 11.6, 1.5, 2.2), hexcol("#3a2400"), (5, 8, 12, 16))
    cv.fill(ellipse(11.5, 20.6, 2.4, 1.7), hexcol("#7a3b00"), (8, 18, 15, 23))
    cv.fill(ellipse(11.5, 21.1, 1.3, 0.8), hexcol("#e0603a"), (9, 19, 14, 23))
    # a raised eyebrow over the lens
    cv.fill(capsule(5.8, 7.6, 9.8, 7.0, 0.55), hexcol("#8a5a00"), (4, 5, 11, 9))

    # handle: down and to the right, out past the face
    lcx, lcy, lr = 18.2, 12.0, 6.6
    hx0, hy0 = lcx + lr * 0.72, lcy + lr * 0.72
    cv.fill(capsule(hx0, hy0, 29.4, 29.4, 2.5), hexcol("#0c2a66"), (18, 18, 32, 32))
    cv.fill(capsule(hx0 + 1.2, hy0 + 1.2, 29.0, 29.0, 1.6),
            lambda x, y: mix(hexcol("#4f8ff0"), hexcol("#1d4fae"),
                             clamp((x - y + 3) / 6)), (18, 18, 32, 32))
    cv.fill(capsule(hx0, hy0, hx0 + 2.2, hy0 + 2.2, 2.6), hexcol("#0c2a66"), (18, 18, 28, 28))

    # lens: a magnified eye under pale blue glass
    lens_box = (lcx - lr - 2, lcy - lr - 2, lcx + lr + 2, lcy + lr + 2)
    cv.fill(circle(lcx, lcy, lr), hexcol("#fffdf0"), lens_box)
    cv.fill(ellipse(lcx - 0.2, lcy + 0.3, 2.7, 3.5), hexcol("#140c00"), lens_box)
    cv.fill(circle(lcx + 0.8, lcy - 1.0, 0.9), (255, 255, 255), lens_box)
    cv.fill(circle(lcx, lcy, lr), hexcol("#8fc6ff"), lens_box, 0.22)
    cv.fill(lambda x, y: (x - lcx + 2.6) ** 2 + (y - lcy + 2.6) ** 2 < 3.2
            and (x - lcx + 1.8) ** 2 + (y - lcy + 1.8) ** 2 > 3.4,
            (255, 255, 255), lens_box, 0.9)
    cv.fill(ring(lcx, lcy, lr - 0.2, lr + 1.9), hexcol("#0c2a66"), lens_box)
    cv.fill(ring(lcx, lcy, lr + 0.3, lr + 1.4),
            lambda x, y: mix(hexcol("#6aa8ff"), hexcol("#1f56c2"),
                             clamp((x + y - lcx - lcy + lr) / (2 * lr))), lens_box)
    return cv


# ------------------------------------------------------------- hosts icon --

def draw_hosts_icon(size=16, scale=1.0):
    cv = Canvas(size, size, samples=8, scale=scale)
    # straight edges sit on pixel boundaries so the 1px outline and rim stay crisp
    outline = [(1.0, 1.0), (15.0, 1.0), (15.0, 9.0)]
    outline += bezier((15.0, 9.0), (14.8, 13.0), (8.0, 15.9))
    outline += bezier((8.0, 15.9), (1.2, 13.0), (1.0, 9.0))
    inside = polygon(outline)
    box = (0, 0, 16, 16)
    if size == 16:
        # the silhouette and its bands are pixel-hard: at 16px a soft 1px
        # outline turns to grey mush on the curve
        depth = edge_depth(16, 16, lambda px, py: inside(px + 0.5, py + 0.5))
        band = lambda lo: (lambda x, y: depth[int(y)][int(x)] >= lo)
        samples = 1
    else:
        # larger sizes have the pixels for smooth bands of one design pixel each
        edges = list(zip(outline, outline[1:] + outline[:1]))

        @functools.lru_cache(maxsize=None)
        def depth_at(x, y):
            if not inside(x, y):
                return 0.0
            return min(seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in edges)
        band = lambda lo: (lambda x, y: depth_at(x, y) > lo - 1)
        samples = 4
    cv.fill(band(1), hexcol("#4b6178"), box, samples=samples)
    cv.fill(band(2), (255, 255, 255), box, samples=samples)
    cv.fill(band(3), lambda x, y: mix(hexcol("#ff6a2c"), hexcol("#d8321a"), clamp((y - 3) / 9)),
            box, samples=samples)
    # an X of two 2px diagonal strokes, mirrored about the centre line
    red = band(3)

    def cross(x, y):
        return (red(x, y) and 5.0 <= y <= 11.0
                and (abs(y - x - 0.5) < 0.75 or abs(y + x - 16.5) < 0.75))
    cv.fill(cross, (255, 255, 255), box, samples=samples)
    return cv


# ------------------------------------------------------------------ output --

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (path, len(data)))


def preview(src, dst, scale):
    subprocess.run(["convert", src, "-scale", "%d%%" % (scale * 100), dst], check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draw the program's pictures.")
    parser.add_argument("outdir", nargs="?", default=os.path.join(here, "..", "..", "res"))
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNG previews")
    args = parser.parse_args()
    outdir = os.path.normpath(args.outdir)
    os.makedirs(outdir, exist_ok=True)

    outputs = [
        ("banner.bmp", bmp24(draw_banner().pixels()), 3),
        ("quellbrook.ico", icon_file(draw_quellbrook_icon, 32, ico24), 8),
        ("hosts.ico", icon_file(draw_hosts_icon, 16, ico8), 8),
    ]
    for name, data, scale in outputs:
        path = os.path.join(outdir, name)
        write(path, data)
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            stem = os.path.splitext(name)[0]
            preview(path, os.path.join(args.preview, stem + ".png"), scale)
    return 0


if __name__ == "__main__":
    sys.exit(main())
