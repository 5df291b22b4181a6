"""Pieces shared by the desk's art (gen_art.py) and the gallery's (gallery_art.py): font
paths, colour and text helpers, the brushed metal, frames, wells, screws and engraving, the
key plate, the 8-bit BMP writer and its check, and the sizes and names of the desk's keys,
which the gallery shows too. Both generators import this module; it imports neither.
"""

import os
import random
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LIBERATION = "/usr/share/fonts/truetype/liberation/"
FONT_BOLD = DEJAVU + "DejaVuSans-Bold.ttf"
FONT_COND_BOLD = DEJAVU + "DejaVuSansCondensed-Bold.ttf"
FONT_NARROW_BOLD = LIBERATION + "LiberationSansNarrow-Bold.ttf"

# The desk's keys, which the gallery shows as well.
START_W, START_H = 44, 31
RATE_W, RATE_H = 40, 21
RATES = (("24", "24"), ("25", "25"), ("2997", "29.97"), ("30d", "30 D"), ("30", "30"))


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


def font(path, size):
    if not os.path.exists(path):
        sys.exit("gen_art: missing font %s (install fonts-dejavu-core, "
                 "fonts-dejavu-extra, fonts-liberation)" % path)
    return ImageFont.truetype(path, size)


def text_mask(text, fnt, crisp=True):
    """Returns the text's ink as an 'L' mask cropped to its ink box."""
    probe = ImageDraw.Draw(Image.new("L", (1, 1)))
    l, t, r, b = probe.textbbox((0, 0), text, font=fnt)
    m = Image.new("L", (r - l + 4, b - t + 4), 0)
    d = ImageDraw.Draw(m)
    d.fontmode = "1" if crisp else "L"
    d.text((2 - l, 2 - t), text, font=fnt, fill=255)
    return m.crop(m.getbbox())


def paste_colour(img, mask, xy, colour):
    img.paste(Image.new("RGB", mask.size, colour), xy, mask)


# ---------------------------------------------------------------- metal texture

def brushed_metal(w, h, seed, base, spread=1.0, light=16.0):
    """Brushed plate: per-row streaks smoothed along x, lit from the top-left."""
    rng = random.Random(seed)
    img = Image.new("RGB", (w, h))
    px = img.load()
    k = 17
    for y in range(h):
        row = rng.gauss(0.0, 2.0) * spread
        raw = [rng.gauss(0.0, 6.0) for _ in range(w + k)]
        s = sum(raw[:k])
        for x in range(w):
            streak = s / k * 1.5 * spread
            s += raw[x + k] - raw[x]
            grain = rng.gauss(0.0, 0.8) * spread
            grad = light * (0.5 - (0.35 * x / w + 0.65 * y / h))
            v = base + row + streak + grain + grad
            px[x, y] = (clamp(v - 3), clamp(v - 1), clamp(v + 3))
    return img


def shade(img, box, factor, add=0):
    x0, y0, x1, y1 = box
    px = img.load()
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            r, g, b = px[x, y]
            px[x, y] = (clamp(r * factor + add), clamp(g * factor + add), clamp(b * factor + add))


def frame(img, box, tl, br):
    """1-px frame: top/left in colour tl, bottom/right in colour br (corners split)."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    d.line((x0, y1, x0, y0, x1, y0), fill=tl)
    d.line((x0 + 1, y1, x1, y1, x1, y0 + 1), fill=br)


def recess(img, box, depth=0.86):
    """A shallow well: darker inside, shadow top/left, highlight bottom/right."""
    x0, y0, x1, y1 = box
    shade(img, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), depth)
    frame(img, box, (96, 98, 104), (232, 234, 238))
    d = ImageDraw.Draw(img)
    d.line((x0 + 1, y1 - 1, x0 + 1, y0 + 1, x1 - 1, y0 + 1), fill=(132, 134, 140))


def screw(img, cx, cy, r, slot_angle):
    """Round shaded screw head with a slot, anti-aliased by drawing at 8x."""
    import math
    s = 8
    size = int(2 * r + 6)
    big = size * s
    layer = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    px = layer.load()
    c = big / 2.0
    R = r * s
    ca, sa = math.cos(slot_angle), math.sin(slot_angle)
    for y in range(big):
        for x in range(big):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            dist = math.hypot(dx, dy)
            if dist <= R:
                # dome lit from the top-left
                lit = -(dx + dy) / (R * 1.4142)
                v = 176 + 62 * lit - 30 * (dist / R) ** 4
                if dist > R - 0.9 * s:                      # dark rim
                    v = 78 + 30 * lit
                along = dx * ca + dy * sa
                across = -dx * sa + dy * ca
                if abs(along) < R - 0.9 * s:
                    if abs(across) <= 0.75 * s:             # slot
                        v = 44
                    elif 0.75 * s < across <= 1.6 * s:      # lit lower lip of the slot
                        v = max(v, 222)
                px[x, y] = (clamp(v - 2), clamp(v), clamp(v + 4), 255)
            elif dist <= R + 1.0 * s and dx + dy > 0:       # soft shadow bottom-right
                px[x, y] = (40, 40, 48, 70)
    small = layer.resize((size, size), Image.BOX)
    img.paste(small, (int(round(cx - size / 2.0)), int(round(cy - size / 2.0))), small)


def engrave(img, text, fnt, xy, crisp=False, highlight=(238, 240, 244)):
    """Dark engraved lettering with a 1-px light highlight below-right."""
    m = text_mask(text, fnt, crisp)
    x, y = xy
    paste_colour(img, m, (x + 1, y + 1), highlight)
    paste_colour(img, m, (x, y), (52, 54, 60))
    return m.size


# ---------------------------------------------------------------- buttons

def plate(w, h, pressed, top, bottom):
    """Button plate with a 1-px dark border and a 2-px bevel (inverted when pressed)."""
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        d.line((0, y, w - 1, y), fill=tuple(clamp(a + (b - a) * t) for a, b in zip(top, bottom)))
    d.rectangle((0, 0, w - 1, h - 1), outline=(52, 54, 60))
    hi1, hi2 = (255, 255, 255), (236, 238, 242)
    lo1, lo2 = (112, 114, 120), (162, 164, 170)
    if pressed:
        frame(img, (1, 1, w - 2, h - 2), (96, 98, 104), (246, 246, 248))
        frame(img, (2, 2, w - 3, h - 3), (150, 152, 158), tuple(clamp(c + 6) for c in bottom))
    else:
        frame(img, (1, 1, w - 2, h - 2), hi1, lo1)
        frame(img, (2, 2, w - 3, h - 3), hi2, lo2)
    return img


# ---------------------------------------------------------------- BMP writer

def to_palette(img, colours=256, keep=()):
    """Adaptive palette, no dithering; returns (width, height, palette, indices).
    Pixels of a colour listed in keep keep that exact colour (a palette entry of its own),
    where another bitmap drawn over the image must meet it without a seam."""
    rgb = img.convert("RGB")
    q = rgb.quantize(colors=colours - len(keep), method=Image.Quantize.MEDIANCUT,
                     dither=Image.Dither.NONE)
    data = list(q.getdata())
    pal = q.getpalette()
    if keep:
        base = colours - len(keep)
        own = {c: base + i for i, c in enumerate(keep)}
        data = [own.get(c, i) for c, i in zip(rgb.getdata(), data)]
        pal = (pal + [0] * 3 * base)[:3 * base] + [v for c in keep for v in c]
    used = sorted(set(data))
    remap = {old: new for new, old in enumerate(used)}
    palette = [tuple(pal[3 * i:3 * i + 3]) for i in used]
    return q.size[0], q.size[1], palette, [remap[i] for i in data]


def write_bmp8(path, img, keep=()):
    w, h, palette, idx = to_palette(img, keep=keep)
    stride = (w + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):                      # bottom-up
        rows.append(bytes(idx[y * w:(y + 1) * w]) + b"\0" * (stride - w))
    pixels = b"".join(rows)
    n = len(palette)
    off = 14 + 40 + 4 * n
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, n, n)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    with open(path, "wb") as f:
        f.write(head + info + pal + pixels)


# ---------------------------------------------------------------- checks

class BadFile(Exception):
    pass


def need(cond, path, what):
    if not cond:
        raise BadFile("%s: %s" % (path, what))


def check_bmp8(path, w, h):
    data = open(path, "rb").read()
    need(len(data) >= 54 and data[:2] == b"BM", path, "not a BMP")
    size, _, _, off = struct.unpack_from("<IHHI", data, 2)
    (bi_size, bw, bh, planes, bpp, comp, img_size,
     _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    need(size == len(data), path, "bfSize %d != file length %d" % (size, len(data)))
    need(bi_size == 40, path, "biSize %d" % bi_size)
    need((bw, bh) == (w, h), path, "size %dx%d, want %dx%d" % (bw, bh, w, h))
    need(planes == 1, path, "biPlanes %d" % planes)
    need(bpp == 8, path, "biBitCount %d" % bpp)
    need(comp == 0, path, "biCompression %d" % comp)
    need(0 < used <= 256, path, "biClrUsed %d" % used)
    need(off == 54 + 4 * used, path, "bfOffBits %d" % off)
    stride = (w + 3) & ~3
    need(img_size == stride * h and off + img_size == len(data), path, "pixel data size")
    need(max(data[off + y * stride + x] for y in range(h) for x in range(w)) < used, path,
         "pixel index beyond palette")
    with Image.open(path) as im:
        need(im.size == (w, h) and im.mode == "P", path, "Pillow reads %s %s" % (im.size, im.mode))
    return "%s: %dx%d, 8 bpp, BI_RGB, %d colours" % (os.path.basename(path), w, h, used)
