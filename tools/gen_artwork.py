#!/usr/bin/python3
"""Generate the Quarnel launcher artwork.

Draws every bitmap the launcher embeds as a resource:

  res/png/close.png       180x36  close-button sprite, 5 frames of 36x36
                                  (normal, hot, pressed, focused, disabled)
  res/png/button.png      615x52  push-button sprite, 5 frames of 123x52
                                  (normal, hot, pressed, focused, disabled)
  res/png/background.png  581x343 window background: white 1-px frame,
                                  black caption band, grey rule, dark body
  res/png/info.png        83x75   blue disc with a white "i"
  res/png/warning.png     83x75   yellow triangle with a "!"
  res/png/error.png       83x75   white disc with a red "prohibited" sign
  res/png/*_144.png, *_192.png    the same six for 144 and 192 DPI, every
                                  length 1.5 and 2 times as long (rounded
                                  half up), drawn at that size, not scaled
  res/icon/app.ico                application icon, sizes 256..16, each in
                                  24-bit, 8-bit and 4-bit colour; 64 px and
                                  up as PNG, 48 px and down as BMP/DIB

Shapes are described by signed distance functions and rasterised with 4x4
supersampling (box filter) near their edges, so edges are anti-aliased while
flat interiors keep their exact colours (unit tests sample those pixels).
The output is deterministic: the same bytes on every run, no PNG text or time
chunks.

Icon images of 64 pixels and more are PNG-compressed: Windows Vista and later
read PNG icon entries of any size, and uncompressed they would make up most of
the download. The 48, 32, 24 and 16-pixel images stay bitmaps, which is what
Windows XP's Explorer shows for the file. Each PNG keeps its entry's colours
(true colour, 8-bit or 4-bit palette) and the coverage the bitmaps' AND mask
gives: the true-colour images as an alpha channel of 0 and 255, the palette
images as one transparent index.

Run from the repository root:

    /usr/bin/python3 tools/gen_artwork.py           (writes res/png/*.png, res/icon/app.ico)
    /usr/bin/python3 tools/gen_artwork.py --check   (fails if one is stale)

Needs only Python 3 and its standard library.
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4


# ---------------------------------------------------------------------------
# Signed distance functions.  Coordinates are continuous: pixel (i, j) covers
# [i, i+1) x [j, j+1), so its centre is (i + 0.5, j + 0.5).  Negative = inside.
# ---------------------------------------------------------------------------

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ring(cx, cy, r_in, r_out):
    mid = (r_in + r_out) / 2.0
    half = (r_out - r_in) / 2.0
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - mid) - half


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def _segment_param(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    return min(max(t, 0.0), 1.0)


def sd_capsule(ax, ay, bx, by, ra, rb=None):
    """Segment with round caps; radius may taper from ra (at a) to rb."""
    if rb is None:
        rb = ra

    def f(x, y):
        t = _segment_param(x, y, ax, ay, bx, by)
        px, py = ax + (bx - ax) * t, ay + (by - ay) * t
        return math.hypot(x - px, y - py) - (ra + (rb - ra) * t)
    return f


def sd_polygon(points):
    """Exact signed distance to a simple polygon."""
    n = len(points)

    def f(x, y):
        best = float("inf")
        sign = 1.0
        j = n - 1
        for i in range(n):
            xi, yi = points[i]
            xj, yj = points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            c1 = y >= yi
            c2 = y < yj
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * best
    return f


def sd_band(cx, cy, angle_deg, half_width):
    """Infinite straight band through (cx, cy)."""
    a = math.radians(angle_deg)
    nx, ny = -math.sin(a), math.cos(a)
    return lambda x, y: abs((x - cx) * nx + (y - cy) * ny) - half_width


def sd_offset(f, amount):
    return lambda x, y: f(x, y) - amount


def sd_translate(f, dx, dy):
    return lambda x, y: f(x - dx, y - dy)


def sd_union(*fs):
    return lambda x, y: min(g(x, y) for g in fs)


def sd_intersect(*fs):
    return lambda x, y: max(g(x, y) for g in fs)


def sd_subtract(f, g):
    return lambda x, y: max(f(x, y), -g(x, y))


class Raster(object):
    """An RGBA picture: 4 bytes a pixel (straight alpha), rows top-down."""

    def __init__(self, width, height, data=None, fill=(0, 0, 0, 0)):
        self.size = (width, height)
        self.data = bytearray(data) if data is not None else \
            bytearray(bytes(fill) * (width * height))
        assert len(self.data) == width * height * 4

    def pixels(self):
        """Every pixel as an (r, g, b, a) tuple, row by row."""
        d = self.data
        return [tuple(d[i:i + 4]) for i in range(0, len(d), 4)]

    def paste(self, other, x0, y0):
        """Copies `other` with its top-left corner at (x0, y0)."""
        w, h = other.size
        for y in range(h):
            dst = ((y0 + y) * self.size[0] + x0) * 4
            self.data[dst:dst + w * 4] = other.data[y * w * 4:(y + 1) * w * 4]

    def fill(self, colour, box):
        """Fills the rectangle [x0, x1) x [y0, y1) with an RGBA colour."""
        x0, y0, x1, y1 = box
        row = bytes(colour) * (x1 - x0)
        for y in range(y0, y1):
            i = (y * self.size[0] + x0) * 4
            self.data[i:i + len(row)] = row


# ---------------------------------------------------------------------------
# Rasteriser
# ---------------------------------------------------------------------------

_OFFSETS = [(k + 0.5) / SUPERSAMPLE for k in range(SUPERSAMPLE)]


def coverage(sdf, x, y, soft=None):
    """Fraction of pixel (x, y) inside the shape."""
    cx, cy = x + 0.5, y + 0.5
    d = sdf(cx, cy)
    if soft:
        return min(max(0.5 - d / soft, 0.0), 1.0)
    if d >= 1.0:
        return 0.0
    if d <= -1.0:
        return 1.0
    hits = 0
    for oy in _OFFSETS:
        for ox in _OFFSETS:
            if sdf(x + ox, y + oy) < 0.0:
                hits += 1
    return hits / float(SUPERSAMPLE * SUPERSAMPLE)


class Layer(object):
    def __init__(self, sdf, colour, opacity=1.0, soft=None):
        self.sdf = sdf
        self.colour = colour          # (r, g, b) or callable(x, y) -> (r, g, b)
        self.opacity = opacity
        self.soft = soft


def render(width, height, layers):
    """Composite layers ("over", straight alpha) into an RGBA image."""
    out = bytearray(width * height * 4)
    for y in range(height):
        for x in range(width):
            r = g = b = a = 0.0
            for layer in layers:
                cov = coverage(layer.sdf, x, y, layer.soft) * layer.opacity
                if cov <= 0.0:
                    continue
                col = layer.colour
                if callable(col):
                    col = col(x + 0.5, y + 0.5)
                na = cov + a * (1.0 - cov)
                keep = a * (1.0 - cov)
                r = (col[0] * cov + r * keep) / na
                g = (col[1] * cov + g * keep) / na
                b = (col[2] * cov + b * keep) / na
                a = na
            i = (y * width + x) * 4
            alpha = int(round(a * 255.0))
            if alpha == 0:
                continue
            out[i] = int(round(r))
            out[i + 1] = int(round(g))
            out[i + 2] = int(round(b))
            out[i + 3] = alpha
    return Raster(width, height, out)


def hexrgb(s):
    s = s.lstrip("#")
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def sprite(frames):
    w, h = frames[0].size
    sheet = Raster(w * len(frames), h)
    for i, f in enumerate(frames):
        sheet.paste(f, w * i, 0)
    return sheet


# ---------------------------------------------------------------------------
# PNG encoder
# ---------------------------------------------------------------------------

PNG_PALETTE, PNG_RGBA = 3, 6


def _png_chunk(kind, body):
    crc = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered_rows(rows, step):
    """Each row with the filter that leaves the smallest sum of magnitudes,
    libpng's heuristic for true-colour images."""
    out = bytearray()
    prior = bytes(len(rows[0]))
    for row in rows:
        candidates = []
        for kind in range(5):
            f = bytearray(len(row))
            for i, x in enumerate(row):
                a = row[i - step] if i >= step else 0
                b = prior[i]
                c = prior[i - step] if i >= step else 0
                pred = (0, a, b, (a + b) >> 1, _paeth(a, b, c))[kind]
                f[i] = (x - pred) & 0xFF
            cost = sum(v if v < 128 else 256 - v for v in f)
            candidates.append((cost, kind, f))
        cost, kind, f = min(candidates, key=lambda t: (t[0], t[1]))
        out.append(kind)
        out += f
        prior = row
    return bytes(out)


def png_bytes(width, height, colour_type, depth, rows, palette=None,
              transparency=None):
    """A complete PNG file of packed rows (no filter bytes), without text or
    time chunks. Palette images are not filtered, as libpng advises."""
    if colour_type == PNG_PALETTE:
        raw = b"".join(b"\0" + bytes(r) for r in rows)
    else:
        raw = _filtered_rows([bytes(r) for r in rows], 4)
    out = b"\x89PNG\r\n\x1a\n"
    out += _png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth,
                                           colour_type, 0, 0, 0))
    if palette is not None:
        out += _png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if transparency is not None:
        out += _png_chunk(b"tRNS", transparency)
    out += _png_chunk(b"IDAT", zlib.compress(raw, 9))
    out += _png_chunk(b"IEND", b"")
    return out


def encode_png(img):
    w, h = img.size
    rows = [img.data[y * w * 4:(y + 1) * w * 4] for y in range(h)]
    return png_bytes(w, h, PNG_RGBA, 8, rows)


# ---------------------------------------------------------------------------
# PNG artwork
# ---------------------------------------------------------------------------

# Each picture is drawn for a display scale: 1 at 96 DPI, 1.5 at 144, 2 at
# 192. A length of n pixels at 96 DPI becomes px(n, scale), rounded half up
# as the launcher's own scaling (MulDiv) rounds, so that every picture has
# exactly the size of the place the launcher draws it in.
SCALES = {96: 1.0, 144: 1.5, 192: 2.0}


def px(length, scale):
    return int(math.floor(length * scale + 0.5))


CLOSE_SIZE = 36
CLOSE_COLOURS = ["#FFFFFF", "#FF7F7F", "#FF0000", "#FFFFFF", "#505451"]


def close_frame(colour, scale):
    # An X whose visible extent is the 23 pixels 6..28, centred at 17.5.
    lo, hi, stroke = 6.0 * scale, 29.0 * scale, 3.0 * scale
    r = stroke / 2.0
    a, b = lo + r, hi - r
    cross = sd_union(sd_capsule(a, a, b, b, r), sd_capsule(b, a, a, b, r))
    size = px(CLOSE_SIZE, scale)
    return render(size, size, [Layer(cross, hexrgb(colour))])


def make_close(scale):
    return sprite([close_frame(c, scale) for c in CLOSE_COLOURS])


BUTTON_W, BUTTON_H, BUTTON_RADIUS, BUTTON_OUTLINE = 123, 52, 6.0, 2.0
BUTTON_FRAMES = [
    ("#191919", "#FFFFFF"),
    ("#679BBE", "#FFFFFF"),
    ("#0160C1", "#FFFFFF"),
    None,                      # focused: cyan glow, drawn separately
    ("#191919", "#505451"),
]
GLOW_COLOUR = "#00FFEA"


def button_outline_frame(fill, outline, scale):
    w, h = px(BUTTON_W, scale), px(BUTTON_H, scale)
    r, o = BUTTON_RADIUS * scale, BUTTON_OUTLINE * scale
    outer = sd_round_rect(0, 0, w, h, r)
    inner = sd_round_rect(o, o, w - o, h - o, r - o)
    return render(w, h, [Layer(outer, hexrgb(outline)),
                         Layer(inner, hexrgb(fill))])


def glow_strength(depth):
    """Cyan share at a given depth (px at 96 DPI) inside the button edge."""
    solid, fade = 2.0, 5.0
    if depth <= solid:
        return 1.0
    t = (depth - solid) / fade
    if t >= 1.0:
        return 0.0
    return (1.0 - t) ** 2


def button_glow_frame(scale):
    w, h = px(BUTTON_W, scale), px(BUTTON_H, scale)
    outer = sd_round_rect(0, 0, w, h, BUTTON_RADIUS * scale)
    cyan = hexrgb(GLOW_COLOUR)

    def colour(x, y):
        k = glow_strength(-outer(x, y) / scale)
        return (cyan[0] * k, cyan[1] * k, cyan[2] * k)
    return render(w, h, [Layer(outer, colour)])


def make_button(scale):
    frames = []
    for colours in BUTTON_FRAMES:
        if colours is None:
            frames.append(button_glow_frame(scale))
        else:
            frames.append(button_outline_frame(*colours, scale=scale))
    return sprite(frames)


BG_W, BG_H = 581, 343
BG_CAPTION_ROWS = 75          # rows 1..75
BG_RULE = (107, 107, 107)     # row 76
BG_BODY = (0x19, 0x19, 0x19)  # rows 77..341


def make_background(scale):
    """The frame, band, rule and body edges fall where the launcher's scaled
    layout puts them (the drag band ends with the rule)."""
    w, h = px(BG_W, scale), px(BG_H, scale)
    frame_lo, frame_r, frame_b = px(1, scale), px(BG_W - 1, scale), \
        px(BG_H - 1, scale)
    rule, body = px(1 + BG_CAPTION_ROWS, scale), px(2 + BG_CAPTION_ROWS, scale)
    img = Raster(w, h, fill=(255, 255, 255, 255))
    img.fill((0, 0, 0, 255), (frame_lo, frame_lo, frame_r, rule))
    img.fill(BG_RULE + (255,), (frame_lo, rule, frame_r, body))
    img.fill(BG_BODY + (255,), (frame_lo, body, frame_r, frame_b))
    return img


MSG_W, MSG_H = 83, 75
MSG_CX, MSG_CY = MSG_W / 2.0, MSG_H / 2.0
DISC_R = 35.0


class IconFrame(object):
    """The message icon's coordinates at a scale: points given at 96 DPI
    move with the picture's centre, lengths grow by the scale."""

    def __init__(self, scale):
        self.scale = scale
        self.size = (px(MSG_W, scale), px(MSG_H, scale))
        self.cx, self.cy = self.size[0] / 2.0, self.size[1] / 2.0

    def x(self, at96):
        return self.cx + (at96 - MSG_CX) * self.scale

    def y(self, at96):
        return self.cy + (at96 - MSG_CY) * self.scale

    def len(self, at96):
        return at96 * self.scale


def make_info(scale):
    f = IconFrame(scale)
    disc = sd_circle(f.cx, f.cy, f.len(DISC_R))
    dot = sd_circle(f.cx, f.y(21.0), f.len(5.0))
    stem = sd_round_rect(f.x(MSG_CX - 4.0), f.y(29.5), f.x(MSG_CX + 4.0),
                         f.y(56.5), f.len(2.0))
    return render(f.size[0], f.size[1], [
        Layer(disc, hexrgb("#0078D7")),
        Layer(sd_union(dot, stem), hexrgb("#FFFFFF")),
    ])


def make_warning(scale):
    f = IconFrame(scale)
    core = sd_polygon([(f.cx, f.y(8.0)), (f.x(MSG_CX + 34.0), f.y(67.0)),
                       (f.x(MSG_CX - 34.0), f.y(67.0))])
    dark = hexrgb("#202020")
    stem = sd_capsule(f.cx, f.y(28.0), f.cx, f.y(50.0), f.len(3.6),
                      f.len(2.6))
    dot = sd_circle(f.cx, f.y(58.5), f.len(3.6))
    return render(f.size[0], f.size[1], [
        Layer(sd_offset(core, f.len(6.0)), dark),
        Layer(sd_offset(core, f.len(3.0)), hexrgb("#FFFF00")),
        Layer(sd_union(stem, dot), dark),
    ])


def make_error(scale):
    f = IconFrame(scale)
    r = f.len(DISC_R)
    disc = sd_circle(f.cx, f.cy, r)
    ring = sd_ring(f.cx, f.cy, r - f.len(8.0), r)
    bar = sd_intersect(sd_band(f.cx, f.cy, 45.0, f.len(4.0)),
                       sd_circle(f.cx, f.cy, r - f.len(4.0)))
    return render(f.size[0], f.size[1], [
        Layer(disc, hexrgb("#FFFFFF")),
        Layer(sd_union(ring, bar), hexrgb("#EE1A22")),
    ])


# ---------------------------------------------------------------------------
# Application icon
# ---------------------------------------------------------------------------

ICON_SIZES = [256, 128, 96, 64, 48, 32, 24, 16]
ICON_DEPTHS = [24, 8, 4]
ICON_MARGIN = {256: 8, 128: 4, 96: 3, 64: 2, 48: 1, 32: 1, 24: 0, 16: 0}

GRAD_TOP = (18, 52, 138)       # deep blue, top-left
GRAD_BOTTOM = (0, 150, 152)    # teal, bottom-right
FLAT_TILE = (0, 128, 128)      # VGA teal, for the 16-colour images

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# size: (bowl centre, bowl inner radius, outer radius, tail start, tail end,
#        tail half width); the tail runs along the diagonal.
SMALL_Q = {
    16: (7.0, 3.0, 5.0, 8.6, 13.3, 1.05),
    24: (11.0, 5.0, 8.0, 12.8, 20.0, 1.5),
}


def logo_shapes(size):
    """Tile and the stylised "Q" (ring plus forward tail) for one size."""
    m = ICON_MARGIN[size]
    s = float(size - 2 * m)
    tile = sd_round_rect(m, m, size - m, size - m, max(2.0, 0.2 * s))
    if size in SMALL_Q:
        # Hand-fitted to the pixel grid so the letter stays crisp.
        cx, r_in, r_out, t0, t1, half = SMALL_Q[size]
        ring = sd_ring(cx, cx, r_in, r_out)
        tail = sd_capsule(t0, t0, t1, t1, half)
        return tile, sd_union(ring, tail)
    half = max(0.062 * s, 1.25)
    cx, cy = m + 0.46 * s, m + 0.45 * s
    mid = 0.25 * s
    ring = sd_ring(cx, cy, mid - half, mid + half)
    # The tail crosses the bowl at the lower right and points forward.
    tail = sd_capsule(m + 0.53 * s, m + 0.52 * s, m + 0.77 * s, m + 0.76 * s,
                      half * 0.9, half * 1.1)
    return tile, sd_union(ring, tail)


def logo_art(size, flat=False):
    tile, letter = logo_shapes(size)
    m = ICON_MARGIN[size]
    s = float(size - 2 * m)
    if flat:
        return render(size, size, [Layer(tile, FLAT_TILE),
                                   Layer(letter, (255, 255, 255))])

    def gradient(x, y):
        t = ((x - m) + (y - m)) / (2.0 * s)
        t = min(max(t, 0.0), 1.0)
        return tuple(GRAD_TOP[k] + (GRAD_BOTTOM[k] - GRAD_TOP[k]) * t
                     for k in range(3))

    layers = [Layer(tile, gradient)]
    if size >= 48:
        # Soft sheen over the upper part and a faint drop shadow under the Q.
        sheen = sd_intersect(tile, sd_circle(m + 0.5 * s, m - 0.55 * s,
                                             1.05 * s))
        layers.append(Layer(sheen, (255, 255, 255), opacity=0.10))
        shadow = sd_intersect(tile, sd_translate(letter, 0.012 * s,
                                                 0.024 * s))
        layers.append(Layer(shadow, (0, 20, 40), opacity=0.35,
                            soft=max(1.0, 0.03 * s)))
    layers.append(Layer(letter, (255, 255, 255)))
    return render(size, size, layers)


ICON_PNG_FROM = 64             # entries of this size and up are PNG
OPAQUE = 128                   # alpha from which a pixel counts as opaque


def _row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def _nearest(colour, palette):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = ((colour[0] - p[0]) ** 2 + (colour[1] - p[1]) ** 2 +
             (colour[2] - p[2]) ** 2)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def _channel_range(entries, k):
    return max(c[k] for c, _ in entries) - min(c[k] for c, _ in entries)


def _split_at_median(entries):
    """Two halves of a box, cut at its pixel-weighted median along its
    widest channel."""
    ch = max(range(3), key=lambda k: _channel_range(entries, k))
    entries = sorted(entries, key=lambda e: (e[0][ch], e[0]))
    total = sum(n for _, n in entries)
    seen = 0
    for i, (_, n) in enumerate(entries):
        seen += n
        if 2 * seen >= total:
            cut = min(max(i + 1, 1), len(entries) - 1)
            return entries[:cut], entries[cut:]
    return entries[:-1], entries[-1:]


def median_cut(colours, count):
    """A palette of at most `count` colours for a list of RGB tuples and a
    dict mapping each of those colours to its palette index. The box with the
    most pixels is split first; each palette colour is its box's weighted
    mean."""
    histogram = {}
    for c in colours:
        histogram[c] = histogram.get(c, 0) + 1
    boxes = [(sum(histogram.values()), list(histogram.items()))]
    while len(boxes) < count:
        splittable = [i for i, b in enumerate(boxes) if len(b[1]) > 1]
        if not splittable:
            break
        pick = max(splittable, key=lambda i: boxes[i][0])
        _, entries = boxes.pop(pick)
        for half in _split_at_median(entries):
            boxes.append((sum(n for _, n in half), half))
    palette, index = [], {}
    for i, (weight, entries) in enumerate(boxes):
        palette.append(tuple(
            int(round(sum(c[k] * n for c, n in entries) / float(weight)))
            for k in range(3)))
        for c, _ in entries:
            index[c] = i
    return palette, index


def icon_colours(rgba, bpp):
    """The image in `bpp`-bit colour: (palette, values, masked). Values are
    RGB tuples (24-bit) or palette indices; masked pixels are transparent and
    their value is a placeholder (black, index 255 or index 0)."""
    px = rgba.pixels()
    masked = [p[3] < OPAQUE for p in px]
    if bpp == 24:
        return [], [(0, 0, 0) if mk else p[:3] for p, mk in zip(px, masked)], \
            masked
    if bpp == 8:
        opaque = [p[:3] for p, mk in zip(px, masked) if not mk]
        palette, index = median_cut(opaque, 255)
        palette += [(0, 0, 0)] * (256 - len(palette))
        values = [255 if mk else index[p[:3]] for p, mk in zip(px, masked)]
        return palette, values, masked
    palette = list(VGA16)
    cache = {}
    values = []
    for p, mk in zip(px, masked):
        if mk:
            values.append(0)
            continue
        c = p[:3]
        if c not in cache:
            cache[c] = _nearest(c, palette)
        values.append(cache[c])
    return palette, values, masked


def _packed_row(values, bpp):
    """One row of palette indices or RGB tuples, packed, without padding."""
    row = bytearray()
    if bpp == 24:
        for v in values:
            row += bytes(v)
    elif bpp == 8:
        row += bytes(values)
    else:
        for x in range(0, len(values), 2):
            lo = values[x + 1] if x + 1 < len(values) else 0
            row.append((values[x] << 4) | lo)
    return row


def dib_image(size, bpp, colours):
    """BITMAPINFOHEADER + palette + XOR bitmap + AND mask for one entry."""
    w, h = size
    palette, values, masked = colours
    xor_stride = _row_bytes(bpp, w)
    and_stride = _row_bytes(1, w)
    xor = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):           # bottom-up
        base = y * w
        row = _packed_row(values[base:base + w], bpp)
        if bpp == 24:                        # DIBs store blue first
            for x in range(0, len(row), 3):
                row[x], row[x + 2] = row[x + 2], row[x]
        row += b"\0" * (xor_stride - len(row))
        xor += row

        bits = bytearray(and_stride)
        for x in range(w):
            if masked[base + x]:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits

    pal_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, len(palette), 0)
    return header + pal_bytes + bytes(xor) + bytes(mask)


def png_icon_image(size, bpp, colours):
    """The same entry as a PNG. A PNG has no AND mask, so transparency moves
    into the image: the 24-bit colours get an alpha channel that is 0 where
    the mask is set and 255 elsewhere (icon loaders ignore the colour key of
    an RGB PNG), and the palettes give one index that no pixel shows a zero
    opacity through the tRNS chunk."""
    w, h = size
    palette, values, masked = colours
    if bpp == 24:
        rgba = [(0, 0, 0, 0) if mk else v + (255,)
                for v, mk in zip(values, masked)]
        rows = [b"".join(bytes(p) for p in rgba[y * w:(y + 1) * w])
                for y in range(h)]
        return png_bytes(w, h, PNG_RGBA, 8, rows)
    # The 8-bit palette keeps index 255 free; of the 16 VGA colours the
    # first that no pixel shows becomes the transparent one.
    used = set(v for v, mk in zip(values, masked) if not mk)
    free = 255 if bpp == 8 else \
        next(i for i in range(len(palette)) if i not in used)
    values = [free if mk else v for v, mk in zip(values, masked)]
    rows = [_packed_row(values[y * w:(y + 1) * w], bpp) for y in range(h)]
    return png_bytes(w, h, PNG_PALETTE, bpp, rows, palette,
                     b"\xff" * free + b"\0")


def icon_image(rgba, bpp):
    colours = icon_colours(rgba, bpp)
    if rgba.size[0] >= ICON_PNG_FROM:
        return png_icon_image(rgba.size, bpp, colours)
    return dib_image(rgba.size, bpp, colours)


def make_icon():
    entries = []
    for size in ICON_SIZES:
        full = logo_art(size)
        flat = logo_art(size, flat=True)
        for bpp in ICON_DEPTHS:
            data = icon_image(flat if bpp == 4 else full, bpp)
            entries.append((size, bpp, data))

    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, bpp, data in entries:
        dim = 0 if size >= 256 else size
        colours = 16 if bpp == 4 else 0
        out += struct.pack("<BBBBHHII", dim, dim, colours, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    return bytes(out)


# ---------------------------------------------------------------------------

def png_name(name, dpi):
    """close.png at 96 DPI, close_144.png at 144, as res/images.rc lists them."""
    if dpi == 96:
        return name
    stem, ext = os.path.splitext(name)
    return "%s_%d%s" % (stem, dpi, ext)


def outputs():
    """Every file the generator makes: (path under the root, its bytes)."""
    pngs = [
        ("close.png", make_close),
        ("button.png", make_button),
        ("background.png", make_background),
        ("info.png", make_info),
        ("warning.png", make_warning),
        ("error.png", make_error),
    ]
    for dpi in sorted(SCALES):
        for name, maker in pngs:
            yield os.path.join("res", "png", png_name(name, dpi)), \
                encode_png(maker(SCALES[dpi]))
    yield os.path.join("res", "icon", "app.ico"), make_icon()


def main(argv):
    """Writes the artwork under the root (argv[1], else the repository's);
    with --check writes nothing and fails naming each file that differs
    from what the generator makes."""
    args = [a for a in argv[1:] if a != "--check"]
    check = len(args) < len(argv) - 1
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if args:
        root = os.path.abspath(args[0])
    stale = []
    for relative, data in outputs():
        path = os.path.join(root, relative)
        if check:
            try:
                with open(path, "rb") as fh:
                    current = fh.read()
            except OSError:
                current = None
            if current != data:
                stale.append(relative)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as fh:
            fh.write(data)
        print("wrote %s" % relative)
    if stale:
        print("stale, run tools/gen_artwork.py: %s" % ", ".join(stale))
        return 1
    if check:
        print("artwork matches its generator")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
