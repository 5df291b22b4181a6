"""The toolkit gallery's art and layout: a brushed-metal rack panel (gallery_bak) with
engraved sections, wells, knob faces and screws; the bitmaps of every control on it; the
header gallery/gallery_art.h that tells the program where each control sits and what the
art expects of it; checks of all of it; and a preview PNG of the panel as the program
composes it.

Called by gen_art.py (tools/gen-art): deterministic like the desk's art, and drawn with
the same helpers (art_kit.py) so that both look like one maker's hardware.
"""

import math
import os
import re

from PIL import Image, ImageDraw, ImageFilter

import art_kit as kit
from art_kit import (DEJAVU, FONT_COND_BOLD, LIBERATION, check_bmp8, clamp, engrave, font,
                     frame, need, paste_colour, plate, recess, screw, text_mask, write_bmp8)

# ---------------------------------------------------------------- colours

INK = (52, 54, 60)                 # engraving and key legends
LCD_BG = (6, 16, 10)               # every dark display: wells, strips, log, spinners
LCD_GHOST = (16, 36, 22)           # unlit dots of the dot-matrix strips
LCD_LIT = (96, 255, 136)           # lit dots, log text, spinner digits
AMBER = (255, 176, 48)             # small text label
AMBER_BG = (26, 16, 4)
KNOB_TOP = (60, 62, 68)            # flat top of both knobs, and the markers' ground
FACE_TOP, FACE_BOTTOM = (240, 236, 206), (226, 221, 186)   # cream windows (black text)
BAR = (0, 130, 120)                # the horizontal slider's bar (drawn by the control)
GAUGE_FILL, GAUGE_EMPTY = (110, 150, 176), (191, 199, 207)  # drawn by the gauge

# ---------------------------------------------------------------- sizes

W, H = 900, 560                    # client area = gallery_bak
KEY_W, KEY_H = 56, 24              # push button, three-state button
MENU_BTN_W = 20                    # the selector's child button (left columns)
FACE_W, FACE_H = 120, 22           # the selector's face
SWITCH_W, SWITCH_H = 32, 48        # on/off switch
LAMP = 24                          # static bitmap
VS_W, VS_H = 36, 136               # vertical slider track
VS_THUMB_W, VS_THUMB_H = 24, 13
VS_TRACK_BOTTOM = 127              # position 0; maxPos at y 0 (127: 1 px per step at 0..127)
VS_TRACK_TOP = 0                   # the pointer reaches maxPos
HS_W, HS_H = 220, 24               # horizontal slider background
HS_THUMB_W, HS_THUMB_H = 7, 22
HS_TRACK_LEFT, HS_TRACK_RIGHT = 1, 168
HS_VALUE_X = HS_TRACK_RIGHT + 6     # the value's own window, clear of bar and thumb
WAVE_W, WAVE_H = 48, 32            # bitmap list images
CELL_W, CELL_H = 6, 7              # digit and character cells
DIGIT_CELLS, TEXT_CELLS = 11, 39
TEXT_LEN = 30                      # characters of the bitmap text on the panel
KNOB = 76                          # knob control, square
MARKER = 7
GAUGE_W, GAUGE_H = 200, 12
LABEL_W, LABEL_H = 200, 16         # small text label
SPIN_W, SPIN_H = 52, 36            # two-digit spinner
START_W, START_H = kit.START_W, kit.START_H
RATE_W, RATE_H = kit.RATE_W, kit.RATE_H
CLEAR_W, CLEAR_H = 48, 18          # the log's clear key (a push button)

# Knob geometry as the control computes it from its size.
KNOB_C = KNOB // 2
KNOB_RADIUS = KNOB_C + 1            # min(width, height) / 2 + 1
KNOB_ORBIT = KNOB_RADIUS * 40 // 100
KNOB_FLAT_R = KNOB_ORBIT + 7.0     # flat top: holds every marker square (reach orbit + 5)
KNOB_SKIRT_R = KNOB_FLAT_R + 7.5
SWEEP = 4.712388000000001          # 270 degrees, as the control uses it
SWEEP_START = 3.92699              # minPos at 225 degrees; maxPos at -45 degrees

TITLE_FONT = (FONT_COND_BOLD, 12)
SMALL_FONT = (FONT_COND_BOLD, 9)   # legends and hints, drawn crisp
CONTROL_FONT = (LIBERATION + "LiberationSans-Regular.ttf", 12)   # Arial 14 (cell height)
SPIN_FONT = (LIBERATION + "LiberationSans-Bold.ttf", 32)         # bold Arial 36

# ---------------------------------------------------------------- layout

# Sections of the panel: engraved frame with its title in the top line.
SECTIONS = [
    ("push", "PUSH BUTTON", (22, 56, 128, 170)),
    ("select", "SELECTORS", (136, 56, 396, 170)),
    ("switch", "SWITCHES", (404, 56, 614, 170)),
    ("fader", "FADERS AND GAUGE", (22, 182, 404, 384)),
    ("knob", "KNOBS", (412, 182, 614, 384)),
    ("time", "SPINNERS AND TOGGLES", (22, 396, 394, 538)),
    ("read", "READOUTS", (402, 396, 614, 538)),
    ("log", "NOTIFICATIONS", (622, 56, 878, 538)),
]

PUSH = (47, 98)
SELECTOR = (152, 90)                       # 20 + FACE_W wide, FACE_H high
WAVES = (320, 84)
SWITCH = (426, 84)
LAMP_AT = (494, 96)
STATE3 = (542, 96)
FADERS = [(64, 210), (128, 210)]
DIGITS = (FADERS[0][0] + (VS_W - 3 * CELL_W) // 2, 358)
HSLIDERS = [(176, 214), (176, 270)]
GAUGE = (186, 340)
KNOBS = [(424, 224), (526, 224)]
SPINNERS = [(40 + 58 * i, 420) for i in range(4)]
START = (288, 422)
RATES = [(40 + 45 * i, 480) for i in range(5)]
BMPTEXT = (418, 438)
LABEL = (408, 490)
LOG = (638, 76, 862, 500)                  # listbox: x0, y0, x1, y1 (exclusive)
CLEAR = (812, 510)

FADER_MAX = (127, 100)                     # scale legends of the two faders
KNOB_RANGES = ((0, 127), (-50, 50))        # scale legends of the two knobs

RATE_NAMES = [name for name, _ in kit.RATES]


def place(xy, w, h):
    return (xy[0], xy[1], w, h)


def controls():
    """Every control on the panel: (name, x, y, w, h)."""
    out = [("push button", *place(PUSH, KEY_W, KEY_H)),
           ("popup selector", *place(SELECTOR, MENU_BTN_W + FACE_W, FACE_H)),
           ("bitmap list", *place(WAVES, WAVE_W, WAVE_H)),
           ("on/off switch", *place(SWITCH, SWITCH_W, SWITCH_H)),
           ("lamp", *place(LAMP_AT, LAMP, LAMP)),
           ("three-state button", *place(STATE3, KEY_W, KEY_H)),
           ("digit display", *place(DIGITS, 3 * CELL_W, CELL_H)),
           ("bitmap text", *place(BMPTEXT, TEXT_LEN * CELL_W, CELL_H)),
           ("small text", *place(LABEL, LABEL_W, LABEL_H)),
           ("gauge", *place(GAUGE, GAUGE_W, GAUGE_H)),
           ("start toggle", *place(START, START_W, START_H)),
           ("log", LOG[0], LOG[1], LOG[2] - LOG[0], LOG[3] - LOG[1]),
           ("clear key", *place(CLEAR, CLEAR_W, CLEAR_H))]
    out += [("fader %d" % i, *place(p, VS_W, VS_H)) for i, p in enumerate(FADERS)]
    out += [("slider %d" % i, *place(p, HS_W, HS_H)) for i, p in enumerate(HSLIDERS)]
    out += [("knob %d" % i, *place(p, KNOB, KNOB)) for i, p in enumerate(KNOBS)]
    out += [("spinner %d" % i, *place(p, SPIN_W, SPIN_H)) for i, p in enumerate(SPINNERS)]
    out += [("rate toggle %d" % i, *place(p, RATE_W, RATE_H)) for i, p in enumerate(RATES)]
    return out


# Dark wells behind displays: (box inclusive, fill). The fill meets the control's own
# background exactly.
def wells():
    def around(xy, w, h, mx, my):
        return (xy[0] - mx, xy[1] - my, xy[0] + w - 1 + mx, xy[1] + h - 1 + my)
    return [
        (around(DIGITS, 3 * CELL_W, CELL_H, 5, 4), LCD_BG),
        (around(BMPTEXT, TEXT_LEN * CELL_W, CELL_H, 6, 5), LCD_BG),
        (around(LABEL, LABEL_W, LABEL_H, 0, 0), AMBER_BG),
        (around(SPINNERS[0], SPINNERS[-1][0] + SPIN_W - SPINNERS[0][0], SPIN_H, 6, 6), LCD_BG),
        ((LOG[0] - 6, LOG[1] - 6, LOG[2] + 5, LOG[3] + 5), LCD_BG),
    ]


# ---------------------------------------------------------------- small drawing helpers

def fnt(face):
    return font(*face)


LEGENDS = []                       # (text, box) of every legend on the panel, for the checks


def legend(img, text, x, y, face=SMALL_FONT, align="centre", crisp=True):
    """Engraved text; x is the centre, the left or the right edge by align."""
    f = fnt(face)
    m = text_mask(text, f, crisp)
    w = m.size[0]
    left = {"centre": x - w // 2, "left": x, "right": x - w}[align]
    engrave(img, text, f, (left, y), crisp=crisp, highlight=(214, 216, 220))
    box = (left, y, left + w, y + m.size[1])
    LEGENDS.append((text, box))
    return box


def supersampled(w, h, draw, s=4):
    """An RGBA layer of w x h drawn by draw(ImageDraw, s) at s times and reduced."""
    big = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    draw(ImageDraw.Draw(big), s)
    return big.resize((w, h), Image.BOX)


def oval(d, k, box, fill, alpha=255):
    """A filled ellipse in box (x0, y0, x1, y1), on a layer drawn at k times."""
    d.ellipse([v * k for v in box], fill=tuple(fill) + (alpha,))


def disc(d, k, x, y, r, fill, alpha=255):
    """A filled circle of radius r around (x, y), on a layer drawn at k times."""
    oval(d, k, (x - r, y - r, x + r, y + r), fill, alpha)


def vgradient(w, h, top, bottom):
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line((0, y, w - 1, y), fill=tuple(clamp(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


def dark_well(img, box, fill):
    """A display window cut into the panel: two-step dark bevel around a flat fill."""
    x0, y0, x1, y1 = box
    frame(img, (x0 - 2, y0 - 2, x1 + 2, y1 + 2), (108, 110, 116), (236, 238, 242))
    frame(img, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), (30, 30, 32), (70, 72, 76))
    ImageDraw.Draw(img).rectangle(box, fill=fill)


def seat(img, xy, w, h):
    """The recess a key or plate sits in: one pixel of shadow and highlight around it."""
    recess(img, (xy[0] - 2, xy[1] - 2, xy[0] + w + 1, xy[1] + h + 1))


def key_plate(w, h, pressed):
    """The plate of a key, in the desk's start button's colours; pressed is darker."""
    if pressed:
        return plate(w, h, True, (196, 198, 204), (178, 180, 186))
    return plate(w, h, False, (226, 228, 232), (192, 194, 200))


def key(w, h, legend_text, pressed, size=10, led=None):
    """A key with a legend (and a lamp before it); pressed, the legend moves one pixel."""
    img = key_plate(w, h, pressed)
    off = 1 if pressed else 0
    m = text_mask(legend_text, font(FONT_COND_BOLD, size), crisp=True)
    tx = (w - m.size[0]) // 2 + off
    if led is not None:
        lw = 8
        tx = (w - m.size[0] + lw + 4) // 2 + off
        lx, ly = tx - lw - 4, (h - 4) // 2 + off
        d = ImageDraw.Draw(img)
        d.rectangle((lx - 1, ly - 1, lx + lw, ly + 4), fill=(40, 42, 48))
        d.rectangle((lx, ly, lx + lw - 1, ly + 3), fill=led)
        d.line((lx, ly, lx + lw - 1, ly), fill=tuple(clamp(c * 0.6 + 102) for c in led))
    paste_colour(img, m, (tx, (h - m.size[1]) // 2 + off), (28, 30, 36))
    return img


# ---------------------------------------------------------------- panel

def group(img, box, title):
    """Engraved section frame: a groove with the title set into a gap of its top line."""
    x0, y0, x1, y1 = box
    f = fnt(TITLE_FONT)
    m = text_mask(title, f, crisp=False)
    tw, th = m.size
    dark, light = (116, 118, 124), (238, 240, 244)
    d = ImageDraw.Draw(img)
    g0, g1 = x0 + 8, x0 + 8 + tw + 10
    for a, b in ((x0 + 2, g0), (g1, x1 - 2)):
        d.line((a, y0, b, y0), fill=dark)
        d.line((a, y0 + 1, b, y0 + 1), fill=light)
    d.line((x0 + 2, y1, x1 - 2, y1), fill=dark)
    d.line((x0 + 2, y1 + 1, x1 - 2, y1 + 1), fill=light)
    d.line((x0, y0 + 2, x0, y1 - 2), fill=dark)
    d.line((x0 + 1, y0 + 2, x0 + 1, y1 - 2), fill=light)
    d.line((x1, y0 + 2, x1, y1 - 2), fill=dark)
    d.line((x1 + 1, y0 + 2, x1 + 1, y1 - 2), fill=light)
    for cx, cy, sx, sy in ((x0, y0, 1, 1), (x1, y0, -1, 1), (x0, y1, 1, -1), (x1, y1, -1, -1)):
        d.point((cx + sx, cy + sy), fill=dark)                 # rounded corners
        d.point((cx + sx + (1 if sx > 0 else 0), cy + sy + (1 if sy > 0 else 0)), fill=light)
    engrave(img, title, f, (g0 + 5, y0 - th // 2))


def knob_face(img, cx, cy, rng, label):
    """A knob's body as the control's owner shows it: shadow, knurled skirt, flat top (the
    markers' ground), and around it the scale with its legends; all centred on the middle
    of pixel cx, cy, where the control puts its centre."""
    size = 2 * int(KNOB_SKIRT_R) + 10
    half = size // 2
    s = 4
    # drop shadow
    sh = Image.new("L", (size * s, size * s), 0)
    r, x, y = KNOB_SKIRT_R, half + 2.0, half + 3.0
    ImageDraw.Draw(sh).ellipse([(x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s], fill=120)
    sh = sh.resize((size, size), Image.BOX).filter(ImageFilter.GaussianBlur(1.6))
    ox, oy = cx - size // 2, cy - size // 2
    img.paste(Image.new("RGB", (size, size), (30, 32, 38)), (ox, oy), sh)

    # skirt and top, pixel by pixel with 4x4 samples; the flat top stays exactly KNOB_TOP
    px = img.load()
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            flat = 0
            for j in range(s):
                for i in range(s):
                    dx = x - half + (i + 0.5) / s - 0.5     # from the centre pixel's middle
                    dy = y - half + (j + 0.5) / s - 0.5
                    r = math.hypot(dx, dy)
                    if r > KNOB_SKIRT_R:
                        continue
                    cover += 1
                    if r <= KNOB_FLAT_R - 0.8:
                        flat += 1
                        if r < 5.0:                        # centre dimple
                            v = -(dx + dy) / 7.0
                            c = (62 - 10 * v, 64 - 10 * v, 70 - 10 * v)
                        else:
                            c = KNOB_TOP
                    elif r <= KNOB_FLAT_R:                 # dark edge of the top
                        c = (34, 36, 40)
                    else:                                  # skirt: lit from the top-left
                        a = math.atan2(-dy, dx)
                        lit = math.cos(a - math.radians(135))
                        knurl = 0.78 if int((a + math.pi) / (2 * math.pi) * 72) % 2 else 1.0
                        edge = 1.0 - 0.35 * ((r - KNOB_FLAT_R) / (KNOB_SKIRT_R - KNOB_FLAT_R)) ** 3
                        v = (150 + 70 * lit) * knurl * edge
                        c = (v - 4, v - 2, v + 3)
                    acc = [a_ + c_ for a_, c_ in zip(acc, c)]
            if not cover:
                continue
            X, Y = ox + x, oy + y
            if flat == s * s and all(abs(a_ / cover - k) < 1e-6 for a_, k in zip(acc, KNOB_TOP)):
                px[X, Y] = KNOB_TOP
                continue
            cov = cover / (s * s)
            under = px[X, Y]
            px[X, Y] = tuple(clamp(u * (1 - cov) + a_ / cover * cov) for u, a_ in zip(under, acc))

    # scale: ticks on the sweep, the ends and the middle longer
    half_ = KNOB_C + 2
    r0 = KNOB_SKIRT_R + 3.0

    def ticks(d, k):
        n = 10
        for i in range(n + 1):
            ang = SWEEP_START - SWEEP * i / n
            r1 = r0 + (5.5 if i in (0, n // 2, n) else 3.5)
            c = (half_ + 0.5) * k                         # the centre pixel's middle
            d.line([(c + r0 * math.cos(ang) * k, c - r0 * math.sin(ang) * k),
                    (c + r1 * math.cos(ang) * k, c - r1 * math.sin(ang) * k)],
                   fill=INK + (255,), width=int(1.5 * k))
    lay = supersampled(2 * half_, 2 * half_, ticks)
    hi = Image.new("RGBA", lay.size, (222, 224, 228, 0))
    hi.putalpha(lay.getchannel("A"))
    img.paste(hi, (cx - half_ + 1, cy - half_ + 1), hi)
    img.paste(lay, (cx - half_, cy - half_), lay)
    lo, hi_ = rng
    end = int((r0 + 5) * math.sqrt(0.5))
    legend(img, "%d" % lo, cx - end - 5, cy + end + 4)
    legend(img, ("+%d" if lo < 0 else "%d") % hi_, cx + end + 6, cy + end + 4)
    legend(img, label, cx, cy - int(r0) - 22)


def fader_scale(img, xy, top):
    """Legends beside a fader's track: its top value and 0."""
    x, y = xy
    legend(img, str(top), x - 3, y + 1, align="right")
    legend(img, "0", x - 3, y + VS_TRACK_BOTTOM - 4, align="right")


def draw_panel():
    del LEGENDS[:]
    img = kit.brushed_metal(W, H, seed=2024, base=178, spread=1.2, light=18.0)
    frame(img, (0, 0, W - 1, H - 1), (250, 251, 253), (64, 66, 72))
    frame(img, (1, 1, W - 2, H - 2), (222, 224, 228), (118, 120, 126))
    d = ImageDraw.Draw(img)

    # name plate across the top
    engrave(img, "KORVANE", font(FONT_COND_BOLD, 20), (28, 13))
    engrave(img, "TOOLKIT GALLERY", font(FONT_COND_BOLD, 13), (134, 19))
    legend(img, "FIFTEEN CONTROL CLASSES, LIVE", 262, 22, align="left")
    legend(img, "POINT AT A CONTROL TO FOCUS IT: THE WHEEL TURNS THE ONE UNDER THE POINTER",
           W - 28, 22, align="right")
    d.line((22, 44, W - 23, 44), fill=(116, 118, 124))
    d.line((22, 45, W - 23, 45), fill=(238, 240, 244))

    for _, title, box in SECTIONS:
        group(img, box, title)
    for box, fill in wells():
        dark_well(img, box, fill)

    # push button
    seat(img, PUSH, KEY_W, KEY_H)
    legend(img, "CLICK", PUSH[0] + KEY_W // 2, 134)
    legend(img, "RIGHT-CLICK", PUSH[0] + KEY_W // 2, 146)

    # selectors
    seat(img, SELECTOR, MENU_BTN_W + FACE_W, FACE_H)
    scx = SELECTOR[0] + (MENU_BTN_W + FACE_W) // 2
    legend(img, "POPUP MENU", scx, 70)
    legend(img, "CLICK: NEXT ITEM", scx, 122)
    legend(img, "ARROW: THE WHOLE MENU", scx, 134)
    seat(img, WAVES, WAVE_W, WAVE_H)
    wcx = WAVES[0] + WAVE_W // 2
    legend(img, "BITMAP LIST", wcx, 70)
    legend(img, "CLICK / R-CLICK", wcx, 122)
    legend(img, "WHEEL", wcx, 134)

    # switches
    seat(img, SWITCH, SWITCH_W, SWITCH_H)
    legend(img, "ON", SWITCH[0] + SWITCH_W + 5, SWITCH[1] + 3, align="left")
    legend(img, "OFF", SWITCH[0] + SWITCH_W + 5, SWITCH[1] + SWITCH_H - 12, align="left")
    legend(img, "CLICK", SWITCH[0] + SWITCH_W // 2, 140)
    seat(img, LAMP_AT, LAMP, LAMP)
    legend(img, "LAMP", LAMP_AT[0] + LAMP // 2, 82)
    seat(img, STATE3, KEY_W, KEY_H)
    legend(img, "3-STATE", STATE3[0] + KEY_W // 2, 82)
    legend(img, "CLICK:", STATE3[0] + KEY_W // 2, 128)
    legend(img, "OFF, ON, AUTO", STATE3[0] + KEY_W // 2, 140)

    # faders, sliders, gauge
    for i, (xy, top) in enumerate(zip(FADERS, FADER_MAX)):
        seat(img, xy, VS_W, VS_H)
        fader_scale(img, xy, top)
        legend(img, "AB"[i], xy[0] + VS_W // 2, xy[1] - 15)
    legend(img, "DRAG / WHEEL", FADERS[1][0] + VS_W // 2, 352)
    legend(img, "ARROW KEYS", FADERS[1][0] + VS_W // 2, 364)
    for xy in HSLIDERS:
        seat(img, xy, HS_W, HS_H)
        legend(img, "DRAG / WHEEL / RIGHT-CLICK", xy[0] + HS_W // 2, xy[1] + HS_H + 7)
    seat(img, GAUGE, GAUGE_W, GAUGE_H)
    gx = GAUGE[0] + GAUGE_W // 2
    legend(img, "GAUGE: FOLLOWS FADER B", gx, GAUGE[1] - 14)
    legend(img, "DIGITS UNDER FADER A FOLLOW IT", gx, GAUGE[1] + GAUGE_H + 9)

    # knobs
    for xy, rng, label in zip(KNOBS, KNOB_RANGES, ("VALUE", "PAN")):
        knob_face(img, xy[0] + KNOB_C, xy[1] + KNOB_C, rng, label)
    kx = (KNOBS[0][0] + KNOBS[1][0] + KNOB) // 2
    legend(img, "DRAG AROUND THE CENTRE", kx, 344)
    legend(img, "WHEEL: 16 A NOTCH", kx, 356)

    # spinners and toggles
    for xy, word in zip(SPINNERS, ("HRS", "MIN", "SEC", "FRM")):
        legend(img, word, xy[0] + SPIN_W // 2, xy[1] + SPIN_H + 9)
    for xy in SPINNERS[:-1]:                   # dim colon dots between the fields
        gx = xy[0] + SPIN_W + 2
        for cy in (xy[1] + 12, xy[1] + 25):
            d.rectangle((gx, cy - 1, gx + 1, cy), fill=(0, 96, 40))
    seat(img, START, START_W, START_H)
    legend(img, "CLICK / R-CLICK", START[0] + START_W // 2, START[1] + START_H + 6)
    recess(img, (RATES[0][0] - 1, RATES[0][1] - 1, RATES[-1][0] + RATE_W, RATES[0][1] + RATE_H))
    engrave(img, "FRAME/S", font(FONT_COND_BOLD, 13), (RATES[-1][0] + RATE_W + 8, RATES[0][1] + 3))
    mid = (RATES[0][0] + RATES[-1][0] + RATE_W) // 2
    legend(img, "SPINNERS: CLICK +1 / R-CLICK RESET / WHEEL", mid, 509)
    legend(img, "TOGGLES: CLICK / R-CLICK", mid, 521)

    # readouts
    rx = (SECTIONS[6][2][0] + SECTIONS[6][2][2]) // 2
    legend(img, "BITMAP TEXT", rx, BMPTEXT[1] - 22)
    legend(img, "SMALL TEXT LABEL", rx, LABEL[1] - 16)

    # log
    seat(img, CLEAR, CLEAR_W, CLEAR_H)
    legend(img, "NEWEST LINE AT THE BOTTOM", LOG[0] - 4, CLEAR[1] + 4, align="left")

    for i, (sx, sy) in enumerate(((10, 10), (W - 11, 10), (10, H - 11), (W - 11, H - 11))):
        screw(img, sx, sy, 5.2, math.radians((-35, 20, 65, -10)[i]))
    return img


# ---------------------------------------------------------------- control images

def down_arrow(img, cx, cy, colour):
    d = ImageDraw.Draw(img)
    for i in range(4):
        d.line((cx - 3 + i, cy - 2 + i, cx + 3 - i, cy - 2 + i), fill=colour)


def draw_menu_button(pressed):
    img = key_plate(MENU_BTN_W, FACE_H, pressed)
    o = 1 if pressed else 0
    down_arrow(img, MENU_BTN_W // 2 - 1 + o, FACE_H // 2 + o, (28, 30, 36))
    return img


def draw_menu_face():
    img = vgradient(FACE_W, FACE_H, FACE_TOP, FACE_BOTTOM)
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, FACE_W - 1, FACE_H - 1), outline=(52, 54, 60))
    d.line((1, 1, FACE_W - 2, 1), fill=(204, 198, 162))
    d.line((1, 1, 1, FACE_H - 2), fill=(214, 208, 172))
    return img


def draw_switch(lever, held):
    """Bat toggle on a satin plate. lever: +1 up (on), -1 down (off); held: mid-throw."""
    w, h, s = SWITCH_W, SWITCH_H, 4
    img = plate(w, h, False, (214, 216, 220), (188, 190, 196))
    cx, cy = w / 2.0, h / 2.0

    def body(d, k):
        # mounting nut and bushing
        disc(d, k, cx, cy, 9, (70, 72, 78))
        disc(d, k, cx, cy, 8, (150, 152, 158))
        oval(d, k, (cx - 8, cy - 8, cx + 6, cy + 6), (196, 198, 204))
        disc(d, k, cx, cy, 5, (40, 42, 46))
        reach = 7 if held else 18
        tip = cy - lever * reach
        # shadow of the lever, to the lower right
        d.line([((cx + 2) * k, (cy + 2) * k), ((cx + 2) * k, (tip + 2 + lever * -1) * k)],
               fill=(20, 20, 24, 90), width=int(5 * k))
        # the bat: tapered, lit from the left
        for off, col in ((0, (120, 122, 128)), (-0.8, (228, 230, 234)), (0.9, (96, 98, 104))):
            a, b = off * 0.6, off * 0.4
            d.polygon([((cx - 2.6 + a) * k, cy * k), ((cx + 2.6 + a) * k, cy * k),
                       ((cx + 1.7 + b) * k, tip * k), ((cx - 1.7 + b) * k, tip * k)],
                      fill=col + (255,))
        d.polygon([((cx - 1.6) * k, cy * k), ((cx + 0.2) * k, cy * k), ((cx - 0.2) * k, tip * k),
                   ((cx - 1.3) * k, tip * k)], fill=(246, 246, 248, 255))
        br = 3.4 if held else 3.0
        disc(d, k, cx, tip, br, (104, 106, 112))
        oval(d, k, (cx - br + 0.5, tip - br + 0.5, cx + br - 1.2, tip + br - 1.2), (236, 238, 242))
    lay = supersampled(w, h, body, s)
    img.paste(lay, (0, 0), lay)
    if held:
        img = Image.blend(img, Image.new("RGB", img.size, (60, 62, 70)), 0.12)
    return img


def draw_lamp(lens):
    """A lamp in a square dark bezel; lens None for off, else (centre, rim) colours."""
    img = plate(LAMP, LAMP, False, (92, 94, 100), (62, 64, 70))
    c = LAMP / 2.0

    def body(d, k):
        disc(d, k, c, c, 9, (30, 30, 34))
        disc(d, k, c, c, 8, (176, 178, 184))
        disc(d, k, c, c, 7, (24, 24, 28))
        if lens is None:
            centre, rim = (86, 92, 88), (36, 40, 38)
        else:
            centre, rim = lens
        for i in range(13, 0, -1):
            t = i / 13.0
            col = tuple(clamp(a + (b - a) * t) for a, b in zip(centre, rim))
            r = 6.5 * t
            disc(d, k, c, c, r, col)
        oval(d, k, (c - 4.5, c - 5, c - 0.5, c - 2), (255, 255, 255), 150)
    lay = supersampled(LAMP, LAMP, body)
    img.paste(lay, (0, 0), lay)
    return img


def draw_vs_track():
    w, h = VS_W, VS_H
    img = vgradient(w, h, (86, 88, 94), (72, 74, 80))
    d = ImageDraw.Draw(img)
    frame(img, (0, 0, w - 1, h - 1), (44, 46, 50), (150, 152, 158))
    top, bottom = VS_THUMB_H // 2, VS_TRACK_BOTTOM
    x0 = w // 2 - 2
    d.rectangle((x0, top - 2, x0 + 3, bottom + 2), fill=(8, 8, 10))
    d.line((x0, top - 2, x0, bottom + 2), fill=(0, 0, 0))
    d.line((x0 + 4, top - 1, x0 + 4, bottom + 3), fill=(118, 120, 126))
    for i in range(11):
        y = max(VS_TRACK_BOTTOM - round(i * VS_TRACK_BOTTOM / 10), top)
        long_ = i in (0, 5, 10)
        for xa, xb in ((2, 5 if long_ else 4), (w - 6 if long_ else w - 5, w - 3)):
            d.line((xa, y, xb, y), fill=(210, 212, 216))
    return img


def draw_vs_thumb(focused):
    w, h = VS_THUMB_W, VS_THUMB_H
    img = vgradient(w, h, (236, 238, 242), (170, 172, 178))
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=(28, 30, 34))
    frame(img, (1, 1, w - 2, h - 2), (252, 252, 253), (120, 122, 128))
    d.line((2, h // 2 - 2, w - 3, h // 2 - 2), fill=(150, 152, 158))
    d.line((2, h // 2 + 2, w - 3, h // 2 + 2), fill=(206, 208, 212))
    line = (255, 112, 16) if focused else (36, 38, 44)
    d.line((1, h // 2, w - 2, h // 2), fill=line)
    d.line((1, h // 2 - 1, w - 2, h // 2 - 1), fill=(255, 190, 120) if focused else (110, 112, 118))
    d.line((1, h // 2 + 1, w - 2, h // 2 + 1), fill=(200, 80, 0) if focused else (84, 86, 92))
    return img


def draw_hs_back():
    """Two cream windows in one dark rim: the bar's trough (caption) and, at the right, the
    value's window, which neither the bar nor the thumb reaches."""
    w, h = HS_W, HS_H
    img = vgradient(w, h, FACE_TOP, FACE_BOTTOM)
    d = ImageDraw.Draw(img)
    rim = (52, 54, 60)
    # rims: three rows or columns at the top, bottom and left, two at the right
    frame(img, (0, 0, w - 1, h - 1), (110, 112, 118), (240, 242, 246))
    d.rectangle((1, 1, w - 2, h - 2), outline=rim)
    d.line((2, 2, w - 3, 2), fill=rim)
    d.line((2, 2, 2, h - 3), fill=rim)
    d.line((3, h - 3, w - 3, h - 3), fill=rim)
    d.line((3, 3, w - 3, 3), fill=(200, 194, 160))
    # the divider between trough and value window
    x = HS_TRACK_RIGHT + 2
    for i, c in enumerate((rim, (150, 152, 158), (214, 216, 220), rim)):
        d.line((x + i, 3, x + i, h - 4), fill=c)
    # a tick every tenth of the travel along the bottom of the trough
    for i in range(11):
        x = round(HS_TRACK_LEFT + (HS_TRACK_RIGHT - HS_TRACK_LEFT) * i / 10)
        x = min(max(x, 4), HS_TRACK_RIGHT)
        d.line((x, h - (6 if i in (0, 5, 10) else 5), x, h - 4), fill=(150, 144, 110))
    return img


def draw_hs_thumb(focused):
    w, h = HS_THUMB_W, HS_THUMB_H
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for x in range(w):
        t = x / (w - 1)
        d.line((x, 0, x, h - 1), fill=tuple(clamp(a + (b - a) * t)
                                              for a, b in zip((246, 247, 249), (150, 152, 158))))
    d.rectangle((0, 0, w - 1, h - 1), outline=(28, 30, 34))
    mid = (255, 112, 16) if focused else (40, 42, 48)
    d.line((w // 2, 3, w // 2, h - 4), fill=mid)
    if focused:
        d.line((w // 2 - 1, 3, w // 2 - 1, h - 4), fill=(255, 190, 120))
    return img


def draw_wave(kind):
    w, h = WAVE_W, WAVE_H
    img = Image.new("RGB", (w, h), (8, 26, 14))
    d = ImageDraw.Draw(img)
    for gx in range(4, w - 3, 8):
        for gy in range(4, h - 3, 2):
            d.point((gx, gy), fill=(22, 56, 30))
    for gy in range(4, h - 3, 8):
        for gx in range(4, w - 3, 2):
            d.point((gx, gy), fill=(22, 56, 30))
    frame(img, (0, 0, w - 1, h - 1), (30, 30, 32), (150, 152, 158))
    frame(img, (1, 1, w - 2, h - 2), (16, 18, 20), (60, 70, 62))

    def trace(dr, k):
        pts = []
        x0, x1, yc, amp = 5, w - 5, h / 2.0, 9.0
        for i in range(0, 400):
            u = i / 399.0
            ph = (u * 2.0) % 1.0                    # two periods
            if kind == "sine":
                v = math.sin(2 * math.pi * ph)
            elif kind == "square":
                v = 1.0 if ph < 0.5 else -1.0
            elif kind == "saw":
                v = 1.0 - 2.0 * ph
            else:
                v = 4 * ph - 1 if ph < 0.5 else 3 - 4 * ph
            pts.append(((x0 + (x1 - x0) * u) * k, (yc - amp * v) * k))
        if kind in ("square", "saw"):              # vertical edges drawn as such
            fixed = [pts[0]]
            for a, b in zip(pts, pts[1:]):
                if abs(a[1] - b[1]) > 4 * k:
                    fixed.append((b[0], a[1]))
                fixed.append(b)
            pts = fixed
        dr.line(pts, fill=(40, 160, 80, 255), width=int(3 * k))
        dr.line(pts, fill=(150, 255, 180, 255), width=int(1.2 * k))
    lay = supersampled(w, h, trace)
    img.paste(lay, (0, 0), lay)
    return img


# 5 x 7 dot-matrix glyphs; '#' lit.
GLYPHS = {
    "0": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "1": "..#..|.##..|..#..|..#..|..#..|..#..|.###.",
    "2": ".###.|#...#|....#|...#.|..#..|.#...|#####",
    "3": "#####|...#.|..#..|...#.|....#|#...#|.###.",
    "4": "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",
    "5": "#####|#....|####.|....#|....#|#...#|.###.",
    "6": "..##.|.#...|#....|####.|#...#|#...#|.###.",
    "7": "#####|....#|...#.|..#..|.#...|.#...|.#...",
    "8": ".###.|#...#|#...#|.###.|#...#|#...#|.###.",
    "9": ".###.|#...#|#...#|.####|....#|...#.|.##..",
    "A": ".###.|#...#|#...#|#...#|#####|#...#|#...#",
    "B": "####.|#...#|#...#|####.|#...#|#...#|####.",
    "C": ".###.|#...#|#....|#....|#....|#...#|.###.",
    "D": "###..|#..#.|#...#|#...#|#...#|#..#.|###..",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    "F": "#####|#....|#....|####.|#....|#....|#....",
    "G": ".###.|#...#|#....|#.###|#...#|#...#|.####",
    "H": "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    "I": ".###.|..#..|..#..|..#..|..#..|..#..|.###.",
    "J": "..###|...#.|...#.|...#.|...#.|#..#.|.##..",
    "K": "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    "L": "#....|#....|#....|#....|#....|#....|#####",
    "M": "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",
    "N": "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",
    "O": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "P": "####.|#...#|#...#|####.|#....|#....|#....",
    "Q": ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",
    "R": "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "T": "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    "U": "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    "V": "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    "W": "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",
    "X": "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",
    "Y": "#...#|#...#|#...#|.#.#.|..#..|..#..|..#..",
    "Z": "#####|....#|...#.|..#..|.#...|#....|#####",
    "dash": ".....|.....|.....|#####|.....|.....|.....",
    "mark": ".....|.....|.....|.##..|.##..|.....|.....",
    "blank": ".....|.....|.....|.....|.....|.....|.....",
}


def strip(keys):
    """A row of 6 x 7 dot-matrix cells: 5 dot columns and one of spacing, no anti-aliasing."""
    img = Image.new("RGB", (CELL_W * len(keys), CELL_H), LCD_BG)
    px = img.load()
    for n, k in enumerate(keys):
        rows = GLYPHS[k].split("|")
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                px[n * CELL_W + x, y] = LCD_LIT if ch == "#" else LCD_GHOST
    return img


DIGIT_KEYS = [str(d) for d in range(10)] + ["dash"]
TEXT_KEYS = ([chr(c) for c in range(ord("A"), ord("Z") + 1)] + [str(d) for d in range(10)]
             + ["mark", "blank", "blank"])


# ---------------------------------------------------------------- the bitmaps

# Every bitmap of the gallery: (resource name, file, width, height), in header order.
def images():
    return [
        ("gallery_bak", W, H, draw_panel),
        ("button_up", KEY_W, KEY_H, lambda: key(KEY_W, KEY_H, "PUSH", False)),
        ("button_down", KEY_W, KEY_H, lambda: key(KEY_W, KEY_H, "PUSH", True)),
        ("clear_up", CLEAR_W, CLEAR_H, lambda: key(CLEAR_W, CLEAR_H, "CLEAR", False, 9)),
        ("clear_down", CLEAR_W, CLEAR_H, lambda: key(CLEAR_W, CLEAR_H, "CLEAR", True, 9)),
        ("menu_up", MENU_BTN_W, FACE_H, lambda: draw_menu_button(False)),
        ("menu_down", MENU_BTN_W, FACE_H, lambda: draw_menu_button(True)),
        ("menu_face", FACE_W, FACE_H, draw_menu_face),
        ("switch_81", SWITCH_W, SWITCH_H, lambda: draw_switch(-1, True)),
        ("switch_82", SWITCH_W, SWITCH_H, lambda: draw_switch(-1, False)),
        ("switch_83", SWITCH_W, SWITCH_H, lambda: draw_switch(1, False)),
        ("switch_84", SWITCH_W, SWITCH_H, lambda: draw_switch(1, True)),
        ("lamp_off", LAMP, LAMP, lambda: draw_lamp(None)),
        ("lamp_green", LAMP, LAMP, lambda: draw_lamp(((214, 255, 214), (16, 170, 56)))),
        ("lamp_red", LAMP, LAMP, lambda: draw_lamp(((255, 214, 196), (210, 20, 10)))),
        ("mode_off", KEY_W, KEY_H, lambda: key(KEY_W, KEY_H, "OFF", False, led=(72, 74, 78))),
        ("mode_on", KEY_W, KEY_H, lambda: key(KEY_W, KEY_H, "ON", True, led=(60, 255, 100))),
        ("mode_auto", KEY_W, KEY_H, lambda: key(KEY_W, KEY_H, "AUTO", True, led=(255, 176, 32))),
        ("vs_track", VS_W, VS_H, draw_vs_track),
        ("vs_thumb", VS_THUMB_W, VS_THUMB_H, lambda: draw_vs_thumb(False)),
        ("vs_thumb_focus", VS_THUMB_W, VS_THUMB_H, lambda: draw_vs_thumb(True)),
        ("hs_back", HS_W, HS_H, draw_hs_back),
        ("hs_thumb", HS_THUMB_W, HS_THUMB_H, lambda: draw_hs_thumb(False)),
        ("hs_thumb_focus", HS_THUMB_W, HS_THUMB_H, lambda: draw_hs_thumb(True)),
        ("wave_sine", WAVE_W, WAVE_H, lambda: draw_wave("sine")),
        ("wave_square", WAVE_W, WAVE_H, lambda: draw_wave("square")),
        ("wave_saw", WAVE_W, WAVE_H, lambda: draw_wave("saw")),
        ("wave_triangle", WAVE_W, WAVE_H, lambda: draw_wave("triangle")),
        ("digits", CELL_W * DIGIT_CELLS, CELL_H, lambda: strip(DIGIT_KEYS)),
        ("charset", CELL_W * TEXT_CELLS, CELL_H, lambda: strip(TEXT_KEYS)),
        ("knob_marker", MARKER, MARKER, lambda: draw_marker(False)),
        ("knob_marker_focus", MARKER, MARKER, lambda: draw_marker(True)),
    ]


def draw_marker(focused):
    """A lit dot on a square of the knob's flat top; the outer ring of pixels stays that
    colour, so the square meets the face without a seam wherever the knob puts it."""
    img = Image.new("RGB", (MARKER, MARKER), KNOB_TOP)
    c = MARKER / 2.0

    def dot(d, k):
        if focused:
            disc(d, k, c, c, 2.4, (255, 96, 0), 150)
            disc(d, k, c, c, 2.1, (255, 150, 30))
            oval(d, k, (c - 1.0, c - 1.2, c + 0.5, c + 0.3), (255, 236, 190))
        else:
            disc(d, k, c, c, 2.4, (118, 120, 126))
            disc(d, k, c, c, 2.0, (240, 242, 246))
    lay = supersampled(MARKER, MARKER, dot, 8)
    img.paste(lay, (0, 0), lay)
    return img


# Exact colours of gallery_bak that controls drawn over it must meet.
BAK_KEEP = (KNOB_TOP, LCD_BG, AMBER_BG)


# ---------------------------------------------------------------- the header

HEADER = """\
// The toolkit gallery's art and layout, written by tools/gen-art (tools/gallery_art.py):
// regenerate, do not edit. Bitmap names are the lower-case names the code asks for; the
// resources store them upper-case (gallery/gallery.rc). Places are client pixels of the
// gallery window; where a control's image sizes it, the size is given all the same.
// Colours are COLORREF values (0x00BBGGRR).
#pragma once

namespace gallery_art {{

struct Place {{
    int x, y, w, h;
}};
struct Size {{
    int w, h;
}};

constexpr unsigned long Rgb(int r, int g, int b) {{
    return static_cast<unsigned long>(r | g << 8 | b << 16);
}}

// Window: the client area is exactly the background bitmap, a brushed panel with the
// sections, wells, knob faces and legends drawn in. Paint it at 0,0 and keep
// WS_CLIPCHILDREN off: the knobs draw only their markers, so their faces are this
// bitmap showing through.
constexpr int kClientWidth = {W}, kClientHeight = {H};
constexpr char kBackground[] = "gallery_bak";

// Dark displays: one LCD style for the wells, the digit and character strips, the
// spinners and the log (text and back colours below meet the wells exactly).
constexpr unsigned long kLcdBack = {lcd_back};
constexpr unsigned long kLcdText = {lcd_text};

// Bitmap push button (Zut_ButtonClass): a key shown at its image's size.
constexpr char kButtonUp[] = "button_up";
constexpr char kButtonDown[] = "button_down";
constexpr Size kKeySize = {{{KEY_W}, {KEY_H}}};  // the three-state button's too
constexpr Place kPushButton = {push};

// Popup-menu selector (Zut_PopMenuClass): the child button's columns plus the face. The
// child push button (id 5000) sits at 0,0, kMenuButtonWidth x {FACE_H}, with menu_up and
// menu_down. The label is written at 24,4 in the shared font with the DC's default (black)
// text on the cream face, with kSelectorTextRoom pixels to the face's right edge (about
// 13 capitals).
constexpr char kMenuUp[] = "menu_up";
constexpr char kMenuDown[] = "menu_down";
constexpr char kMenuFace[] = "menu_face";
constexpr int kMenuButtonWidth = {MENU_BTN_W};
constexpr Size kMenuFaceSize = {{{FACE_W}, {FACE_H}}};
constexpr int kSelectorTextRoom = {text_room};
constexpr Place kSelector = {selector};

// Bitmap list (Zut_BmpListClass): four oscilloscope images, in stepping order.
{waves}
constexpr Size kWaveSize = {{{WAVE_W}, {WAVE_H}}};
constexpr Place kBitmapList = {waves_place};

// On/off switch (Zut_OnOffClass): a bat toggle; the class loads its four images by these
// integer resource ids. Engraved ON above, OFF below: up is on.
constexpr int kSwitchPressedOff = 0x81, kSwitchReleasedOff = 0x82;
constexpr int kSwitchReleasedOn = 0x83, kSwitchPressedOn = 0x84;
constexpr Size kSwitchSize = {{{SWITCH_W}, {SWITCH_H}}};
constexpr Place kOnOff = {switch};

// Static bitmap (Zut_StaticClass): a lamp; send WM_SETICON with one of these names (the
// first right after creation).
constexpr char kLampOff[] = "lamp_off";
constexpr char kLampGreen[] = "lamp_green";
constexpr char kLampRed[] = "lamp_red";
constexpr Size kLampSize = {{{LAMP}, {LAMP}}};
constexpr Place kLamp = {lamp};

// Three-state button (Zut_State3Class): a mode key, states 0 OFF, 1 ON, 2 AUTO.
{modes}
constexpr Place kThreeState = {state3};

// Vertical sliders (Zut_VSClass): faders A and B. Position 0 at kVsTrackBottom, maxPos at
// y 0; the pointer is taken from kVsTrackTop. The engraved scales read 0 to kFaderMax;
// fader A's buddy is the digit display under it, fader B's the gauge.
constexpr char kVsTrack[] = "vs_track";
constexpr char kVsThumb[] = "vs_thumb";
constexpr char kVsThumbFocus[] = "vs_thumb_focus";
constexpr Size kVsTrackSize = {{{VS_W}, {VS_H}}};
constexpr Size kVsThumbSize = {{{VS_THUMB_W}, {VS_THUMB_H}}};
constexpr int kVsTrackTop = {VS_TRACK_TOP}, kVsTrackBottom = {VS_TRACK_BOTTOM};
{faders}
constexpr int kFaderMax[2] = {{{fader_max0}, {fader_max1}}};

// Horizontal sliders (Zut_HSClass): a cream trough for the bar and the black caption, and
// at the right a window of its own for the value text (up to {value_chars} characters fit it; the
// bar and the thumb never reach it). Position 0 at x 0, maxPos at kHsTrackRight; the bar
// never gets shorter than kHsTrackLeft (the pointer still reaches 0).
constexpr char kHsBack[] = "hs_back";
constexpr char kHsThumb[] = "hs_thumb";
constexpr char kHsThumbFocus[] = "hs_thumb_focus";
constexpr Size kHsBackSize = {{{HS_W}, {HS_H}}};
constexpr Size kHsThumbSize = {{{HS_THUMB_W}, {HS_THUMB_H}}};
constexpr int kHsTrackLeft = {HS_TRACK_LEFT}, kHsTrackRight = {HS_TRACK_RIGHT};
{sliders}

// Digit display (Zut_DigitClass): eleven 6 x 7 cells, 0-9 then a dash (x 60) for values out
// of range; shows 18 x 7 at the place, in a well under fader A.
constexpr char kDigits[] = "digits";
constexpr Size kDigitsSize = {{{digits_w}, {CELL_H}}};
constexpr Place kDigitDisplay = {digit_display};

// Bitmap text (Zut_BmpTextClass): 39 cells of 6 x 7 (A-Z, 0-9, 36 a dot for the marks from
// the full stop up, 37 and 38 blank); kBitmapTextLength cells in its well.
constexpr char kCharset[] = "charset";
constexpr Size kCharsetSize = {{{charset_w}, {CELL_H}}};
constexpr int kBitmapTextLength = {TEXT_LEN};
constexpr Place kBitmapText = {bitmap_text};

// Bitmap gauge (Zut_BmpGageClass): draws itself, over a recessed seat. The legend above it
// reads GAUGE: FOLLOWS FADER B: make it fader B's buddy (0..100 is its percent).
constexpr Place kGauge = {gauge};

// Rotary knobs (Zut_KnobClass): markers on the flat top of the knob face drawn in the
// background: centre {KNOB_C},{KNOB_C} of the place, orbit {KNOB_ORBIT} px, 225 degrees (min)
// clockwise to -45 (max). The engraved scales read kKnobMin to kKnobMax (VALUE, then PAN).
constexpr char kKnobMarker[] = "knob_marker";
constexpr char kKnobMarkerFocus[] = "knob_marker_focus";
constexpr Size kMarkerSize = {{{MARKER}, {MARKER}}};
{knobs}
constexpr int kKnobMin[2] = {{{knob_min0}, {knob_min1}}};
constexpr int kKnobMax[2] = {{{knob_max0}, {knob_max1}}};

// Two-digit spinners (Zut_DigitExClass): hours, minutes, seconds, frames in one LCD well,
// captioned HRS MIN SEC FRM.
{spinners}
constexpr unsigned long kSpinnerText = kLcdText, kSpinnerBack = kLcdBack;

// Bitmap toggles (Zut_TogleClass): the desk's start key and rate keys (their images size
// them), the rate keys in a recessed strip captioned FRAME/S.
constexpr char kStartOn[] = "start_on";
constexpr char kStartOff[] = "start_off";
constexpr Place kStartToggle = {start};
{rate_on}
{rate_off}
{rates}

// Small text label (Zut_SmallTextClass): amber on its own dark well, which it fills.
constexpr Place kSmallText = {small_text};
constexpr unsigned long kSmallTextColor = {amber};
constexpr unsigned long kSmallTextBack = {amber_back};

// Notification log: a borderless LISTBOX (the well is its bezel) in the LCD colours; the
// clear key is a push button with its own pair of images.
constexpr Place kLog = {log};
constexpr unsigned long kLogText = kLcdText;
constexpr unsigned long kLogBack = kLcdBack;
constexpr char kClearUp[] = "clear_up";
constexpr char kClearDown[] = "clear_down";
constexpr Size kClearSize = {{{CLEAR_W}, {CLEAR_H}}};
constexpr Place kClearKey = {clear};

}}  // namespace gallery_art
"""


def carray(decl, items):
    """A constexpr array, on one line when it fits in 100 columns, else one item a line."""
    one = "%s = {%s};" % (decl, ", ".join(items))
    if len(one) <= 100:
        return one
    return "%s = {\n%s\n};" % (decl, "\n".join("    %s," % i for i in items))


def header():
    """gallery/gallery_art.h: names, sizes and places, as plain constexpr C++."""
    ctl = {name: "{%d, %d, %d, %d}" % tuple(p) for name, *p in controls()}
    rgb = lambda c: "Rgb(%d, %d, %d)" % c
    places = lambda decl, prefix, n: carray(decl, [ctl["%s %d" % (prefix, i)] for i in range(n)])
    names = lambda decl, ns: carray(decl, ['"%s"' % n for n in ns])
    rates = [n if n != "30d" else "30D" for n in RATE_NAMES]
    return HEADER.format(
        lcd_back=rgb(LCD_BG), lcd_text=rgb(LCD_LIT), amber=rgb(AMBER), amber_back=rgb(AMBER_BG),
        push=ctl["push button"], selector=ctl["popup selector"], text_room=FACE_W - 4 - 3,
        waves=names("constexpr const char* kWaves[4]",
                    ["wave_sine", "wave_square", "wave_saw", "wave_triangle"]),
        waves_place=ctl["bitmap list"], switch=ctl["on/off switch"], lamp=ctl["lamp"],
        modes=names("constexpr const char* kModes[3]", ["mode_off", "mode_on", "mode_auto"]),
        state3=ctl["three-state button"],
        faders=places("constexpr Place kFaders[2]", "fader", 2),
        fader_max0=FADER_MAX[0], fader_max1=FADER_MAX[1],
        value_chars=(HS_W - 2 - HS_VALUE_X) // 7,
        sliders=places("constexpr Place kSliders[2]", "slider", 2),
        digits_w=CELL_W * DIGIT_CELLS, digit_display=ctl["digit display"],
        charset_w=CELL_W * TEXT_CELLS, bitmap_text=ctl["bitmap text"], gauge=ctl["gauge"],
        knobs=places("constexpr Place kKnobs[2]", "knob", 2),
        knob_min0=KNOB_RANGES[0][0], knob_min1=KNOB_RANGES[1][0],
        knob_max0=KNOB_RANGES[0][1], knob_max1=KNOB_RANGES[1][1],
        spinners=places("constexpr Place kSpinners[4]", "spinner", 4),
        start=ctl["start toggle"],
        rate_on=names("constexpr const char* kRateOn[5]", ["%s_on" % n for n in rates]),
        rate_off=names("constexpr const char* kRateOff[5]", ["%s_off" % n for n in rates]),
        rates=places("constexpr Place kRateToggles[5]", "rate toggle", 5),
        small_text=ctl["small text"], log=ctl["log"], clear=ctl["clear key"],
        **{k: v for k, v in globals().items() if k.isupper() and isinstance(v, int)})


# ---------------------------------------------------------------- preview

def cell_of(ch):
    """The bitmap text's character-to-cell rule."""
    c = ord(ch)
    if c >= 0x80:
        return 38
    if 0x41 <= c <= 0x5A:
        return c - 0x41
    if 0x30 <= c <= 0x39:
        return c - 0x16
    return 36 if c >= 0x2E else 38


def knob_marker_at(pos, lo, hi, w=MARKER):
    theta = (hi - pos) * SWEEP / (hi - lo) - 0.785398
    x = KNOB_C + int(KNOB_ORBIT * math.cos(theta)) - w // 2
    y = KNOB_C - int(KNOB_ORBIT * math.sin(theta)) - w // 2
    return x, y


def preview(path, img):
    """The panel with every control drawn at its place the way the program composes it."""
    comp = img["gallery_bak"].copy()
    d = ImageDraw.Draw(comp)
    text_font = fnt(CONTROL_FONT)

    def text(xy, s, colour=(0, 0, 0), f=text_font, dst=None):
        ImageDraw.Draw(dst or comp).text(xy, s, font=f, fill=colour)

    comp.paste(img["button_up"], PUSH)
    comp.paste(img["menu_up"], SELECTOR)
    comp.paste(img["menu_face"], (SELECTOR[0] + MENU_BTN_W, SELECTOR[1]))
    text((SELECTOR[0] + 24, SELECTOR[1] + 4), "MIDI CHANNEL 10")
    comp.paste(img["wave_sine"], WAVES)
    comp.paste(img["switch_83"], SWITCH)
    comp.paste(img["lamp_green"], LAMP_AT)
    comp.paste(img["mode_auto"], STATE3)

    for i, (xy, pos, top) in enumerate(zip(FADERS, (64, 35), FADER_MAX)):
        c = img["vs_track"].copy()
        th = img["vs_thumb_focus" if i == 0 else "vs_thumb"]
        t = min(pos * VS_TRACK_BOTTOM // top, VS_TRACK_BOTTOM)
        ty = max(VS_TRACK_BOTTOM - th.size[1] // 2 - t, 0)
        c.paste(th, ((VS_W - th.size[0]) // 2, ty))
        comp.paste(c, xy)
    strip_ = img["digits"]
    for i, ch in enumerate("%03d" % 64):
        g = int(ch)
        comp.paste(strip_.crop((6 * g, 0, 6 * g + 6, 7)), (DIGITS[0] + 6 * i, DIGITS[1]))

    for i, (xy, caption, pos, value) in enumerate(zip(HSLIDERS, ("VOLUME", "PAN"), (100, 90),
                                                      ("100", "-15 L"))):
        c = img["hs_back"].copy()
        t = max(min(pos * HS_TRACK_RIGHT // 127, HS_TRACK_RIGHT), HS_TRACK_LEFT)
        ImageDraw.Draw(c).rectangle((3, 3, t + 1, HS_H - 4), fill=BAR)   # null pen: one less
        text((4, 4), caption, dst=c)
        text((HS_W - 7 * len(value) - 2, 4), value, dst=c)
        th = img["hs_thumb_focus" if i == 1 else "hs_thumb"]
        c.paste(th, (max(t - th.size[0] // 2, 0), 1))
        comp.paste(c, xy)

    for i, (xy, (lo, hi), pos) in enumerate(zip(KNOBS, KNOB_RANGES, (96, -20))):
        mk = img["knob_marker_focus" if i == 0 else "knob_marker"]
        mx, my = knob_marker_at(pos, lo, hi)
        comp.paste(mk, (xy[0] + mx, xy[1] + my))

    spin_font = fnt(SPIN_FONT)
    for xy, v in zip(SPINNERS, (1, 23, 45, 12)):
        c = Image.new("RGB", (SPIN_W, SPIN_H), LCD_BG)
        s = "%02d" % v
        tw = ImageDraw.Draw(c).textlength(s, font=spin_font)
        text(((SPIN_W - tw) / 2, 0), s, LCD_LIT, spin_font, c)
        comp.paste(c, xy)
    comp.paste(Image.open(os.path.join(ROOT, "resources", "start_off.bmp")).convert("RGB"), START)
    for i, (xy, name) in enumerate(zip(RATES, RATE_NAMES)):
        state = "on" if i == 4 else "off"
        comp.paste(Image.open(os.path.join(ROOT, "resources", "%s_%s.bmp" % (name, state)))
                   .convert("RGB"), xy)

    chars = img["charset"]
    for i, ch in enumerate("KNOB A 96: WM_HSCROLL POS 96".ljust(TEXT_LEN)[:TEXT_LEN].upper()):
        k = cell_of(ch)
        comp.paste(chars.crop((6 * k, 0, 6 * k + 6, 7)), (BMPTEXT[0] + 6 * i, BMPTEXT[1]))
    d.rectangle((LABEL[0], LABEL[1], LABEL[0] + LABEL_W - 1, LABEL[1] + LABEL_H - 1), fill=AMBER_BG)
    s = "SWITCH ON, LAMP GREEN"
    tw = d.textlength(s, font=text_font)
    text((LABEL[0] + LABEL_W // 2 - tw / 2, LABEL[1]), s, AMBER)
    a = GAUGE_W * 60 // 100
    x0, y0 = GAUGE
    d.rectangle((x0, y0, x0 + a - 1, y0 + GAUGE_H - 1), fill=GAUGE_FILL, outline=(0, 0, 0))
    d.rectangle((x0 + a - 1, y0, x0 + GAUGE_W - 1, y0 + GAUGE_H - 1), fill=GAUGE_EMPTY,
                outline=(0, 0, 0))

    log_font = font(DEJAVU + "DejaVuSansMono.ttf", 11)
    lines = ["WM_COMMAND id=0x101 code=1", "WM_COMMAND id=0x102 code=0",
             "WM_VSCROLL request=5 pos=63", "WM_VSCROLL request=5 pos=64",
             "WM_VSCROLL request=4 pos=64", "WM_HSCROLL request=4 pos=100",
             "WM_HSCROLL request=5 pos=96", "WM_COMMAND id=0x104 code=2"]
    for i, line in enumerate(lines):
        text((LOG[0] + 4, LOG[1] + 2 + 15 * i), line, LCD_LIT, log_font)
    comp.paste(img["clear_up"], CLEAR)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    comp.save(path)
    return comp


# ---------------------------------------------------------------- checks

def read_rgb(path):
    with Image.open(path) as im:
        return im.convert("RGB")


def check_layout():
    """Every control lies inside the window and its section, clear of the others and of the
    screws."""
    boxes = {key_: box for key_, _, box in SECTIONS}
    home = {"push button": "push", "popup selector": "select", "bitmap list": "select",
            "on/off switch": "switch", "lamp": "switch", "three-state button": "switch",
            "digit display": "fader", "bitmap text": "read", "small text": "read",
            "gauge": "fader", "start toggle": "time", "log": "log", "clear key": "log"}
    for p, key_ in (("fader", "fader"), ("slider", "fader"), ("knob", "knob"),
                    ("spinner", "time"), ("rate toggle", "time")):
        for i in range(5):
            home["%s %d" % (p, i)] = key_
    cs = controls()
    for name, x, y, w, h in cs:
        need(0 <= x and 0 <= y and x + w <= W and y + h <= H, "layout",
             "%s leaves the window" % name)
        bx0, by0, bx1, by1 = boxes[home[name]]
        need(bx0 + 4 <= x and by0 + 6 <= y and x + w <= bx1 - 3 and y + h <= by1 - 3, "layout",
             "%s (%d,%d %dx%d) leaves its section %s" % (name, x, y, w, h, home[name]))
    for i, (n1, x1, y1, w1, h1) in enumerate(cs):
        for n2, x2, y2, w2, h2 in cs[i + 1:]:
            apart = x1 + w1 + 2 <= x2 or x2 + w2 + 2 <= x1 or y1 + h1 + 2 <= y2 or y2 + h2 + 2 <= y1
            need(apart, "layout", "%s and %s touch" % (n1, n2))
    for i, (a, b, c, e) in enumerate(b for _, _, b in SECTIONS):
        for _, _, (a2, b2, c2, e2) in SECTIONS[i + 1:]:
            need(c + 4 <= a2 or c2 + 4 <= a or e + 8 <= b2 or e2 + 8 <= b, "layout",
                 "sections overlap")
    return "layout: %d controls inside the window and their sections, none touching" % len(cs)


def check_legends():
    """Every engraved legend sits inside one section (or in the name plate above them all),
    clear of the frames and of every control but the knobs, whose faces carry their scales."""
    cs = [(n, (x, y, x + w, y + h)) for n, x, y, w, h in controls() if not n.startswith("knob")]
    for text, (x0, y0, x1, y1) in LEGENDS:
        inside = [b for _, _, b in SECTIONS if b[0] + 3 <= x0 and x1 <= b[2] - 2 and
                  b[1] + 8 <= y0 and y1 <= b[3] - 2]
        above = y1 < SECTIONS[0][2][1] - 8 and 16 <= x0 and x1 <= W - 16
        need(inside or above, "layout",
             "legend %r at %s crosses a section frame" % (text, (x0, y0, x1, y1)))
        for n, (a0, b0, a1, b1) in cs:
            need(x1 + 1 <= a0 or a1 + 1 <= x0 or y1 + 1 <= b0 or b1 + 1 <= y0, "layout",
                 "legend %r runs into the %s" % (text, n))
    return "layout: %d legends inside their sections, clear of the controls" % len(LEGENDS)


def check_knobs(bak_path, normal_path, focus_path):
    """The markers meet the knob faces without a seam at every position of the sweep."""
    bak = read_rgb(bak_path).load()
    for p in (normal_path, focus_path):
        mk = read_rgb(p).load()
        ring = [(x, y) for x in range(MARKER) for y in range(MARKER)
                if x in (0, MARKER - 1) or y in (0, MARKER - 1)]
        bad = [xy for xy in ring if mk[xy] != KNOB_TOP]
        need(not bad, p, "marker edge not the knob top colour at %s" % bad[:3])
    steps = 2700
    for kx, ky in KNOBS:
        for i in range(steps + 1):
            mx, my = knob_marker_at(i, 0, steps)
            for y in range(my, my + MARKER):
                for x in range(mx, mx + MARKER):
                    need(bak[kx + x, ky + y] == KNOB_TOP, bak_path,
                         "knob at %d,%d: face under the marker not flat at %d,%d"
                         % (kx, ky, kx + x, ky + y))
    return "knobs: markers meet the flat tops at %d positions of the sweep" % (steps + 1)


def check_wells(bak_path):
    """Each display well is flat in the colour the control in it fills or draws on."""
    bak = read_rgb(bak_path).load()
    skip = set()
    for xy in SPINNERS[:-1]:                       # the colon dots between the fields
        for x in range(xy[0] + SPIN_W, SPINNERS[1][0] - SPINNERS[0][0] + xy[0]):
            for y in range(xy[1], xy[1] + SPIN_H):
                skip.add((x, y))
    n = 0
    for (x0, y0, x1, y1), fill in wells():
        bad = [(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
               if (x, y) not in skip and bak[x, y] != fill]
        need(not bad, bak_path, "well %s not flat %s at %d pixels, e.g. %s"
             % ((x0, y0, x1, y1), fill, len(bad), bad[:3]))
        n += 1
    return "gallery_bak: %d display wells flat in their controls' colours" % n


def check_strip(path, keys):
    """Dot-matrix strip: three exact colours only (no anti-aliasing), lit dots inside the 5
    glyph columns, the spacing column and the blank cells dark."""
    im = read_rgb(path)
    px = im.load()
    colours = {px[x, y] for x in range(im.size[0]) for y in range(CELL_H)}
    need(colours <= {LCD_BG, LCD_GHOST, LCD_LIT}, path, "colours beyond the LCD's three: %s"
         % sorted(colours - {LCD_BG, LCD_GHOST, LCD_LIT})[:3])
    for n, k in enumerate(keys):
        for y in range(CELL_H):
            need(px[n * CELL_W + 5, y] == LCD_BG, path, "cell %d: spacing column not dark" % n)
            lit = sum(px[n * CELL_W + x, y] == LCD_LIT for x in range(5))
            need(k != "blank" or lit == 0, path, "blank cell %d has lit dots" % n)
        lit = [(x, y) for x in range(5) for y in range(CELL_H) if px[n * CELL_W + x, y] == LCD_LIT]
        need(k == "blank" or lit, path, "cell %d is empty" % n)
    return "%s: %d crisp cells of 6 x 7" % (os.path.basename(path), len(keys))


def luminance(c):
    lin = [((v / 255.0 + 0.055) / 1.055) ** 2.4 if v > 10 else v / 255.0 / 12.92 for v in c]
    return 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]


def check_black_text(path, box):
    """Black text must read on this area: contrast 10:1 or better at every pixel."""
    im = read_rgb(path).load()
    x0, y0, x1, y1 = box
    worst = min(luminance(im[x, y]) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))
    contrast = (worst + 0.05) / 0.05
    need(contrast >= 10, path, "black text contrast only %.1f:1" % contrast)
    return "%s: black text reads at %.1f:1 or better" % (os.path.basename(path), contrast)


def check_rc(rc_path, names):
    """gallery.rc holds every bitmap under its upper-case name, the switch's four under their
    ids, and what the program takes from the desk's resources."""
    text = open(rc_path).read()
    for name in names:
        if name.startswith("switch_"):
            line = r'^0x%s\s+BITMAP\s+"art/%s\.bmp"' % (name[-2:], name)
        else:
            line = r'^%s\s+BITMAP\s+"art/%s\.bmp"' % (name.upper(), name)
        need(re.search(line, text, re.M), rc_path, "no resource line for %s" % name)
    for n in ["start"] + RATE_NAMES:
        for s in ("on", "off"):
            line = r'^"%s_%s"\s+BITMAP\s+"\.\./resources/%s_%s\.bmp"' % (n.upper(), s.upper(), n, s)
            need(re.search(line,
                           text, re.M), rc_path, "no desk bitmap %s_%s" % (n, s))
    need(re.search(r'^PSIZE\s+CURSOR\s+"\.\./resources/psize\.cur"', text, re.M), rc_path,
         "no PSIZE cursor")
    need(re.search(r'^IDI_DESK\s+ICON\s+"\.\./resources/desk\.ico"', text, re.M), rc_path,
         "no icon")
    return "gallery.rc: %d gallery bitmaps, the desk's toggles, cursor and icon" % len(names)


# ---------------------------------------------------------------- entry

ROOT = None


def generate(root, preview_path=None):
    """Draws and writes everything; returns the checks to run, as (path, check) pairs."""
    global ROOT
    ROOT = root
    art = os.path.join(root, "gallery", "art")
    os.makedirs(art, exist_ok=True)
    drawn, checks = {}, [("layout", check_layout)]
    check_layout()                               # a bad layout is not worth drawing
    for name, w, h, draw in images():
        img = draw()
        path = os.path.join(art, name + ".bmp")
        write_bmp8(path, img, keep=BAK_KEEP if name == "gallery_bak" else ())
        drawn[name] = img
        checks.append((path, lambda p=path, w=w, h=h: check_bmp8(p, w, h)))
    p = lambda n: os.path.join(art, n + ".bmp")
    checks += [
        ("layout", check_legends),
        (p("gallery_bak"), lambda: check_wells(p("gallery_bak"))),
        (p("gallery_bak"), lambda: check_knobs(p("gallery_bak"), p("knob_marker"),
                                               p("knob_marker_focus"))),
        (p("digits"), lambda: check_strip(p("digits"), DIGIT_KEYS)),
        (p("charset"), lambda: check_strip(p("charset"), TEXT_KEYS)),
        (p("menu_face"), lambda: check_black_text(p("menu_face"), (3, 3, FACE_W - 3, FACE_H - 3))),
        (p("hs_back"), lambda: check_black_text(p("hs_back"), (4, 4, HS_TRACK_RIGHT + 1, 17))),
        (p("hs_back"), lambda: check_black_text(p("hs_back"), (HS_VALUE_X, 4, HS_W - 3, HS_H - 5))),
    ]
    hpath = os.path.join(root, "gallery", "gallery_art.h")
    with open(hpath, "w") as f:
        f.write(header())
    rc = os.path.join(root, "gallery", "gallery.rc")
    checks.append((rc, lambda: check_rc(rc, [n for n, _, _, _ in images()])))
    if preview_path:
        preview(preview_path, drawn)
    return checks
