#!/usr/bin/python3
"""Draws the desk's art into resources/: the panel background, the start and rate
buttons (8-bit palettised BMP), the program icon (16 colours, 16x16 + 32x32) and the
"psize" cursor (16 colours, 32x32, hot spot 0,0); then the toolkit gallery's art and
layout (gallery_art.py) into gallery/art/ and gallery/gallery_art.h.

Deterministic: all noise comes from fixed seeds, so every run writes the same bytes.
Needs Pillow (Debian: python3-pil) and Debian's DejaVu / Liberation fonts.

Usage: gen_art.py [--out DIR] [--preview DIR] [--gallery-preview PNG]
"""

import argparse
import os
import struct
import sys

from PIL import Image, ImageDraw

from art_kit import (DEJAVU, FONT_BOLD, FONT_COND_BOLD, FONT_NARROW_BOLD, RATE_H, RATE_W, RATES,
                     START_H, START_W, BadFile, brushed_metal, check_bmp8, engrave, font, frame,
                     need, paste_colour, plate, recess, screw, text_mask, write_bmp8)

# Geometry shared with the program (where it draws on top of the background).
BG_W, BG_H = 339, 100
DISPLAY = (31, 14, 261, 59)            # black window, inclusive
FIELD_X = (39, 94, 149, 204)           # time fields, 50 wide, y 14, 44 high
FIELD_W, FIELD_Y, FIELD_H = 50, 14, 44
RATE_X = (37, 82, 127, 172, 217)       # rate buttons, 40 x 21 at y 71
RATE_Y = 71
START_POS = (269, 25)                  # start button, 44 x 31
SCREW_R = 4.8
SCREW_INSET = 8


def draw_background():
    img = brushed_metal(BG_W, BG_H, seed=1999, base=178, spread=1.3)
    d = ImageDraw.Draw(img)

    # bevelled plate edge, 2 px
    frame(img, (0, 0, BG_W - 1, BG_H - 1), (250, 251, 253), (64, 66, 72))
    frame(img, (1, 1, BG_W - 2, BG_H - 2), (222, 224, 228), (118, 120, 126))

    # display window: black with a thin dark inset bevel
    x0, y0, x1, y1 = DISPLAY
    frame(img, (x0 - 2, y0 - 2, x1 + 2, y1 + 2), (108, 110, 116), (236, 238, 242))
    frame(img, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), (30, 30, 32), (70, 72, 76))
    d.rectangle(DISPLAY, fill=(0, 0, 0))

    # dim colon dots in the gaps between the fields
    for gx in (89, 144, 199):
        cx = gx + 2
        for cy in (24, 40):
            d.rectangle((cx - 1, cy - 1, cx + 1, cy + 1), fill=(0, 74, 22))
            d.line((cx - 1, cy, cx + 1, cy), fill=(0, 112, 34))
            d.line((cx, cy - 1, cx, cy + 1), fill=(0, 112, 34))
            d.point((cx, cy), fill=(0, 140, 44))

    # captions under the fields, between the window and the rate buttons
    cap = font(FONT_BOLD, 8)
    for fx, word in zip(FIELD_X, ("HRS", "MIN", "SEC", "FRM")):
        m = text_mask(word, cap, crisp=True)
        engrave(img, word, cap, (fx + (FIELD_W - m.size[0]) // 2, 62), crisp=True,
                highlight=(212, 214, 218))

    # recessed strip behind the rate buttons and a well behind the start button
    recess(img, (RATE_X[0] - 1, RATE_Y - 1, RATE_X[-1] + RATE_W, RATE_Y + RATE_H))
    sx, sy = START_POS
    recess(img, (sx - 2, sy - 2, sx + START_W + 1, sy + START_H + 1))

    # FRAME/S beside the rate buttons, clear of the bottom-right screw
    lab = font(FONT_COND_BOLD, 13)
    m = text_mask("FRAME/S", lab, crisp=False)
    tx = RATE_X[-1] + RATE_W + 6
    ty = RATE_Y + (RATE_H - m.size[1]) // 2 - 1
    engrave(img, "FRAME/S", lab, (tx, ty))

    # a screw in each corner
    import math
    for i, (cx, cy) in enumerate(((SCREW_INSET, SCREW_INSET),
                                  (BG_W - SCREW_INSET, SCREW_INSET),
                                  (SCREW_INSET, BG_H - SCREW_INSET),
                                  (BG_W - SCREW_INSET, BG_H - SCREW_INSET))):
        screw(img, cx, cy, SCREW_R, math.radians((-35, 20, 65, -10)[i]))
    return img, (tx, ty, tx + m.size[0], ty + m.size[1])



def triangle(img, box, fill, outline=None):
    """Right-pointing play triangle inside box (inclusive), drawn at 8x and reduced."""
    x0, y0, x1, y1 = box
    s = 8
    w, h = x1 - x0 + 1, y1 - y0 + 1
    layer = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    pts = [(0, 0), (w * s - 1, h * s / 2.0 - 0.5), (0, h * s - 1)]
    if outline is None:
        d.polygon(pts, fill=fill + (255,))
    else:
        d.polygon(pts, fill=outline + (255,))
        k = 1.0 * s
        inner = [(k, k * 2.1), (w * s - 1 - k * 2.3, h * s / 2.0 - 0.5), (k, h * s - 1 - k * 2.1)]
        d.polygon(inner, fill=fill + (255,))
    small = layer.resize((w, h), Image.BOX)
    img.paste(small, (x0, y0), small)


def draw_start(on):
    if on:
        img = plate(START_W, START_H, True, (196, 198, 204), (178, 180, 186))
    else:
        img = plate(START_W, START_H, False, (226, 228, 232), (192, 194, 200))
    off = 1 if on else 0
    tw, th = 10, 11
    tx = (START_W - tw) // 2 + 1 + off
    if on:
        triangle(img, (tx, 4 + off, tx + tw - 1, 4 + th - 1 + off), (255, 216, 0), (150, 96, 0))
    else:
        triangle(img, (tx, 4 + off, tx + tw - 1, 4 + th - 1 + off), (36, 38, 44))
    word = "STOP" if on else "START"
    m = text_mask(word, font(FONT_COND_BOLD, 10), crisp=True)
    paste_colour(img, m, ((START_W - m.size[0]) // 2 + off, 18 + off), (28, 30, 36))
    return img


def draw_rate(label, on):
    if on:
        img = plate(RATE_W, RATE_H, True, (252, 236, 206), (238, 216, 178))
        colour, off = (208, 16, 16), 1
    else:
        img = plate(RATE_W, RATE_H, False, (246, 247, 249), (214, 216, 222))
        colour, off = (16, 32, 128), 0
    m = text_mask(label, font(FONT_NARROW_BOLD, 14), crisp=True)
    w, h = m.size
    if w > RATE_W - 8 or h > RATE_H - 6:
        sys.exit("gen_art: label %r (%dx%d) does not fit the rate button" % (label, w, h))
    paste_colour(img, m, ((RATE_W - w) // 2 + off, (RATE_H - h) // 2 + off), colour)
    return img




# ---------------------------------------------------------------- icon / cursor

# One 16-colour palette for the icon and the cursor (index 0 = black, used under the mask).
PAL16 = [
    (0, 0, 0), (255, 255, 255), (40, 42, 46), (84, 86, 92),
    (128, 130, 136), (168, 170, 176), (200, 202, 206), (228, 230, 234),
    (0, 60, 16), (0, 150, 40), (40, 255, 90), (208, 16, 16),
    (16, 32, 128), (255, 216, 0), (110, 112, 118), (248, 248, 250),
]
BLACK, WHITE, D2, D3, G4, G5, G6, G7, GDK, GMD, GBR, RED, BLUE, YEL, G14, W15 = range(16)
TRANSPARENT = -1

# 7-segment masks for "0" drawn by hand at two sizes
SEG0_BIG = [            # 7 x 11, 2-px strokes
    ".#####.",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    "##...##",
    ".#####.",
]
SEG0_SMALL = [          # 3 x 5
    "###",
    "#.#",
    "#.#",
    "#.#",
    "###",
]


def grid(w, h):
    return [[TRANSPARENT] * w for _ in range(h)]


def rect(g, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            g[y][x] = c


def stamp(g, x, y, rows, c):
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == "#":
                g[y + j][x + i] = c


def bevel_box(g, x0, y0, x1, y1, fill, hi, lo, edge=BLACK):
    rect(g, x0, y0, x1, y1, edge)
    rect(g, x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
    for x in range(x0 + 1, x1):
        g[y0 + 1][x] = hi
        g[y1 - 1][x] = lo
    for y in range(y0 + 1, y1):
        g[y][x0 + 1] = hi
        g[y][x1 - 1] = lo
    g[y1 - 1][x0 + 1] = fill
    g[y0 + 1][x1 - 1] = fill
    # round the outer corners
    for cx, cy in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        g[cy][cx] = TRANSPARENT


def icon32():
    g = grid(32, 32)
    bevel_box(g, 0, 3, 31, 28, G6, W15, G4)
    # display: black with a green "00", inset frame
    rect(g, 3, 6, 28, 21, D3)
    rect(g, 4, 7, 28, 21, W15)
    rect(g, 4, 7, 27, 20, BLACK)
    stamp(g, 7, 8, SEG0_BIG, GBR)
    stamp(g, 18, 8, SEG0_BIG, GBR)
    # a row of three rate buttons, the middle one lit
    for i, x in enumerate((4, 13, 22)):
        lit = i == 1
        rect(g, x, 23, x + 5, 26, BLACK)
        rect(g, x + 1, 24, x + 4, 25, YEL if lit else W15)
        g[24][x + 2] = g[24][x + 3] = RED if lit else BLUE
    return g


def icon16():
    g = grid(16, 16)
    bevel_box(g, 0, 2, 15, 13, G6, W15, G4)
    rect(g, 2, 4, 13, 10, BLACK)
    stamp(g, 4, 5, SEG0_SMALL, GBR)
    stamp(g, 9, 5, SEG0_SMALL, GBR)
    g[11][4] = BLUE
    g[11][5] = BLUE
    g[11][7] = RED
    g[11][8] = RED
    g[11][10] = BLUE
    g[11][11] = BLUE
    return g


CURSOR_ART = [
    "B.......................",
    "BB......................",
    "BWB.....................",
    "BWWB....................",
    "BWWWB...................",
    "BWWWWB..................",
    "BWWWWWB.................",
    "BWWWWWWB................",
    "BWWWWWWWB...............",
    "BWWWWWWWWB..............",
    "BWWWWWWWWWB.............",
    "BWWWWWWBBBBB............",
    "BWWWBWWB..........B.....",
    "BWWB.BWWB........BWB....",
    "BWB..BWWB.......BWWWB...",
    "BB....BWWB.....BWWWWWB..",
    "B.....BWWB....BWWWWWWWB.",
    ".......BWWB..BBBBWWWBBBB",
    ".......BWWB.....BWWWB...",
    "........BB......BWWWB...",
    "................BWWWB...",
    "................BWWWB...",
    ".............BBBBWWWBBBB",
    "..............BWWWWWWWB.",
    "...............BWWWWWB..",
    "................BWWWB...",
    ".................BWB....",
    "..................B.....",
]


def cursor32():
    g = grid(32, 32)
    for y, row in enumerate(CURSOR_ART):
        for x, ch in enumerate(row):
            if ch == "B":
                g[y][x] = BLACK
            elif ch == "W":
                g[y][x] = WHITE
    return g


def dib4(g):
    """BITMAPINFOHEADER + 16-entry palette + XOR (4 bpp) + AND (1 bpp) masks."""
    h = len(g)
    w = len(g[0])
    xor_stride = ((w * 4 + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        row = [c if c >= 0 else 0 for c in g[y]]
        line = bytearray((row[i] << 4) | row[i + 1] for i in range(0, w, 2))
        xor += line + b"\0" * (xor_stride - len(line))
        bits = bytearray(and_stride)
        for x in range(w):
            if g[y][x] < 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andm += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, len(xor) + len(andm), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, gg, r, 0) for r, gg, b in PAL16)
    return info + pal + bytes(xor) + bytes(andm)


def write_icon_file(path, images, kind, hotspots=None):
    """kind 1 = icon (planes 1, 4 bpp in the entry), 2 = cursor (hot spot in the entry)."""
    blobs = [dib4(g) for g in images]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for i, (g, blob) in enumerate(zip(images, blobs)):
        w, h = len(g[0]), len(g)
        if kind == 1:
            f1, f2 = 1, 4
        else:
            f1, f2 = hotspots[i]
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, f1, f2, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def grid_to_rgba(g):
    h, w = len(g), len(g[0])
    img = Image.new("RGBA", (w, h))
    for y in range(h):
        for x in range(w):
            c = g[y][x]
            img.putpixel((x, y), (0, 0, 0, 0) if c < 0 else PAL16[c] + (255,))
    return img




def check_icon_file(path, kind, sizes, hotspot=None):
    data = open(path, "rb").read()
    res, typ, count = struct.unpack_from("<HHH", data, 0)
    need(res == 0 and typ == kind and count == len(sizes), path, "directory %d/%d/%d" % (res, typ, count))
    end = 6 + 16 * count
    for i, s in enumerate(sizes):
        bw, bh, ncol, r0, f1, f2, nbytes, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        need((bw, bh) == (s % 256, s % 256), path, "entry %d size %dx%d" % (i, bw, bh))
        need(ncol == 16 and r0 == 0, path, "entry %d colour count %d" % (i, ncol))
        if kind == 1:
            need((f1, f2) == (1, 4), path, "entry %d planes/bitcount %d/%d" % (i, f1, f2))
        else:
            need((f1, f2) == hotspot, path, "entry %d hot spot %d,%d" % (i, f1, f2))
        need(off == end and off + nbytes <= len(data), path, "entry %d offset %d" % (i, off))
        (bi_size, dw, dh, planes, bpp, comp, img_size,
         _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", data, off)
        need(bi_size == 40 and (dw, dh) == (s, 2 * s), path, "entry %d DIB %dx%d" % (i, dw, dh))
        need(planes == 1 and bpp == 4 and comp == 0, path, "entry %d DIB %d bpp comp %d" % (i, bpp, comp))
        xor = ((s * 4 + 31) // 32) * 4 * s
        andm = ((s + 31) // 32) * 4 * s
        need(img_size == xor + andm and nbytes == 40 + 64 + xor + andm, path,
             "entry %d byte count %d" % (i, nbytes))
        end = off + nbytes
    need(end == len(data), path, "trailing bytes")
    return "%s: type %d, %s, 4 bpp, 16 colours%s" % (
        os.path.basename(path), kind, " + ".join("%dx%d" % (s, s) for s in sizes),
        ", hot spot %d,%d" % hotspot if hotspot else "")


def check_display_black(path):
    """The program draws its digits into the window: it must be pure black there."""
    with Image.open(path) as im:
        px = im.convert("RGB").load()
    x0, y0, x1, y1 = DISPLAY
    gaps = set()
    for fx in FIELD_X[:-1]:
        gaps.update(range(fx + FIELD_W, fx + FIELD_W + 5))
    bad = [(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
           if x not in gaps and px[x, y] != (0, 0, 0)]
    need(not bad, path, "display window not black at %d pixels, e.g. %s" % (len(bad), bad[:3]))
    return "%s: display window x %d..%d, y %d..%d is black" % (
        os.path.basename(path), x0, x1, y0, y1)


# ---------------------------------------------------------------- previews

def enlarge(img, k):
    return img.resize((img.size[0] * k, img.size[1] * k), Image.NEAREST)


def write_previews(pdir, bg, starts, rates, icons, cur):
    os.makedirs(pdir, exist_ok=True)
    comp = bg.copy()
    comp.paste(starts[0], START_POS)
    for i, x in enumerate(RATE_X):
        comp.paste(rates[i][1 if i == 3 else 0], (x, RATE_Y))
    digits = font(DEJAVU + "DejaVuSansMono-Bold.ttf", 40)
    for fx, t in zip(FIELD_X, ("01", "23", "45", "29")):
        m = text_mask(t, digits, crisp=False)
        paste_colour(comp, m, (fx + (FIELD_W - m.size[0]) // 2,
                               FIELD_Y + (FIELD_H - m.size[1]) // 2), (40, 255, 90))
    enlarge(comp, 4).save(os.path.join(pdir, "composite_4x.png"))
    comp2 = bg.copy()
    comp2.paste(starts[1], START_POS)
    for i, x in enumerate(RATE_X):
        comp2.paste(rates[i][1 if i == 0 else 0], (x, RATE_Y))
    enlarge(comp2, 2).save(os.path.join(pdir, "composite_on_2x.png"))
    enlarge(bg, 4).save(os.path.join(pdir, "smptebak_4x.png"))
    sheet = Image.new("RGB", (2 * 50 + 5 * 2 * 46, 36), (120, 122, 128))
    sheet.paste(starts[0], (2, 2))
    sheet.paste(starts[1], (50, 2))
    for i, pair in enumerate(rates):
        sheet.paste(pair[0], (100 + i * 92, 7))
        sheet.paste(pair[1], (100 + i * 92 + 45, 7))
    enlarge(sheet, 6).save(os.path.join(pdir, "buttons_6x.png"))
    ic = Image.new("RGBA", (32 + 16 + 32 + 12, 32), (0, 128, 128, 255))
    for j, im in enumerate((icons[1], icons[0], cur)):
        rgba = grid_to_rgba(im)
        ic.paste(rgba, ((0, 36, 58)[j], 0), rgba)
    enlarge(ic, 10).save(os.path.join(pdir, "icon_cursor_10x.png"))


# ---------------------------------------------------------------- main

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(here, "..", "resources"))
    ap.add_argument("--preview", default=None, help="also write enlarged PNG previews here")
    ap.add_argument("--gallery-preview", default=None,
                    help="also write the gallery panel with its controls, 1:1, to this PNG")
    args = ap.parse_args()
    out = os.path.normpath(args.out)

    bg, frames_box = draw_background()
    starts = (draw_start(False), draw_start(True))
    rates = [(draw_rate(label, False), draw_rate(label, True)) for _, label in RATES]
    icons = (icon16(), icon32())
    cur = cursor32()

    # FRAME/S must stay clear of the bottom-right screw and the rate buttons
    sx, sy = BG_W - SCREW_INSET, BG_H - SCREW_INSET
    fx0, fy0, fx1, fy1 = frames_box
    clear_of_screw = fy1 + 1 < sy - SCREW_R - 1 or fx1 + 1 < sx - SCREW_R - 1
    if not clear_of_screw or fx0 <= RATE_X[-1] + RATE_W + 2:
        sys.exit("gen_art: FRAME/S box %s collides with a screw or button" % (frames_box,))

    written = []
    jobs = [("smptebak.bmp", bg, BG_W, BG_H),
            ("start_off.bmp", starts[0], START_W, START_H),
            ("start_on.bmp", starts[1], START_W, START_H)]
    for (name, _), (off, on) in zip(RATES, rates):
        jobs.append(("%s_off.bmp" % name, off, RATE_W, RATE_H))
        jobs.append(("%s_on.bmp" % name, on, RATE_W, RATE_H))
    for name, img, w, h in jobs:
        path = os.path.join(out, name)
        write_bmp8(path, img)
        written.append((path, lambda p=path, w=w, h=h: check_bmp8(p, w, h)))

    bg_path = os.path.join(out, "smptebak.bmp")
    written.append((bg_path, lambda: check_display_black(bg_path)))

    ico = os.path.join(out, "desk.ico")
    write_icon_file(ico, icons, 1)
    written.append((ico, lambda: check_icon_file(ico, 1, (16, 32))))
    cur_path = os.path.join(out, "psize.cur")
    write_icon_file(cur_path, [cur], 2, hotspots=[(0, 0)])
    written.append((cur_path, lambda: check_icon_file(cur_path, 2, (32,), (0, 0))))

    import gallery_art
    gallery_preview = args.gallery_preview
    if args.preview and not gallery_preview:
        gallery_preview = os.path.join(args.preview, "gallery-preview.png")
    written += gallery_art.generate(os.path.normpath(os.path.join(here, "..")), gallery_preview)

    try:
        for _, check in written:
            print("ok", check())
    except BadFile as e:
        sys.exit("gen_art: BAD FILE %s" % e)

    if args.preview:
        write_previews(args.preview, bg, starts, rates, icons, cur)
        print("previews in", args.preview)
    if gallery_preview:
        print("gallery preview:", gallery_preview)


if __name__ == "__main__":
    main()
