#!/usr/bin/python3
"""Draws the launcher's art and writes it into launcher/resources/:

  skin.bmp            1031 x 524, 16 bpp 5-5-5: figure at the left, framed panel at the right,
                      pure magenta (the window's cut-out colour) everywhere else
  progress_track.bmp  779 x 21, 16 bpp: the dark track of both progress bars
  splash.jpg          1024 x 768: the update layout's picture with two dark bar slots
  btn_home.bmp, btn_pay.bmp, btn_service.bmp, btn_forum.bmp
                      351 x 51, 8 bpp: normal, pressed and hover cells of the link buttons
  btn_close.bmp, btn_minimise.bmp
                      60 x 20, 8 bpp: the same for the two window buttons
  fill_left.bmp, fill_right.bmp, fill_middle.bmp
                      1 x 17, 16 bpp: the gold gradient of the progress fill

Needs Pillow (Debian python3-pil) and fonts-wqy-microhei. The output is committed; run
this again only when the art changes, then tools/pack_lzma86 for the packed forms.
Deterministic: the noise is seeded, so a rerun gives the same bytes.
"""
import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "launcher", "resources")
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
TITLE_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"

MAGENTA = (255, 0, 255)
SKIN_SIZE = (1031, 524)
# Where the window puts its children and its label (client coordinates, right/bottom exclusive).
PAGE_AREA = (336, 208, 1004, 504)
LINK_BUTTONS = [(342, 145, 459, 196), (459, 145, 576, 196), (763, 145, 880, 196), (880, 145, 997, 196)]
CLOSE_BUTTON = (956, 86, 976, 106)
MINIMISE_BUTTON = (928, 86, 948, 106)
VERSION_LABEL = (648, 172, 720, 192)
BAR_SIZE = (779, 21)
SPLASH_BARS = [(136, 670), (136, 710)]

# Palette: blacks with a red cast, crimson, gold.
INK = (14, 6, 8)
STRIP = (22, 10, 11)
CRIMSON = (122, 16, 22)
DEEP_CRIMSON = (58, 8, 12)
GOLD = (224, 170, 64)
PALE_GOLD = (255, 232, 160)
BRONZE = (110, 68, 18)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vertical_gradient(size, stops):
    """stops: [(t, colour)] with t from 0 (top) to 1 (bottom)."""
    w, h = size
    col = Image.new("RGB", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        for i in range(len(stops) - 1):
            t0, c0 = stops[i]
            t1, c1 = stops[i + 1]
            if t0 <= t <= t1:
                col.putpixel((0, y), lerp(c0, c1, (t - t0) / max(1e-9, t1 - t0)))
                break
    return col.resize((w, h))


def radial_glow(size, centre, radius, colour, strength=1.0):
    w, h = size
    mask = Image.new("L", size, 0)
    d = ImageDraw.Draw(mask)
    cx, cy = centre
    steps = 40
    for i in range(steps):
        r = radius * (1 - i / steps)
        v = int(255 * strength * (i / steps) ** 1.6)
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=v)
    layer = Image.new("RGB", size, colour)
    return layer, mask.filter(ImageFilter.GaussianBlur(radius / 10))


def noise(size, seed, amount):
    rnd = random.Random(seed)
    w, h = size
    small = Image.new("L", (w // 4 + 1, h // 4 + 1))
    small.putdata([rnd.randint(128 - amount, 128 + amount) for _ in range(small.width * small.height)])
    return small.resize((w, h), Image.BILINEAR).filter(ImageFilter.GaussianBlur(1.2))


def textured(base, seed, amount=18):
    """Stone-like mottling over a picture."""
    n = noise(base.size, seed, amount).convert("RGB")
    return Image.blend(base, ImageChops.overlay(base, n), 0.6)


def gold_fill(size, bright=1.0):
    stops = [(0.0, PALE_GOLD), (0.35, GOLD), (0.55, BRONZE), (0.75, GOLD), (1.0, (150, 96, 30))]
    g = vertical_gradient(size, stops)
    if bright != 1.0:
        g = g.point(lambda v: min(255, int(v * bright)))
    return g


def gold_text(img, xy, text, font, anchor="mm", bright=1.0, shadow=True, stroke=1):
    """Gold gradient letters with a dark outline and a soft drop shadow."""
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=font, fill=255, anchor=anchor, stroke_width=0)
    box = mask.getbbox()
    if box is None:
        return
    if shadow:
        sh = Image.new("L", img.size, 0)
        ImageDraw.Draw(sh).text((xy[0] + 2, xy[1] + 2), text, font=font, fill=200, anchor=anchor, stroke_width=stroke + 1)
        img.paste(INK, (0, 0), sh.filter(ImageFilter.GaussianBlur(2)))
    outline = Image.new("L", img.size, 0)
    ImageDraw.Draw(outline).text(xy, text, font=font, fill=255, anchor=anchor, stroke_width=stroke)
    img.paste((40, 18, 6), (0, 0), outline)
    fill = Image.new("RGB", img.size, GOLD)
    grad = gold_fill((box[2] - box[0], box[3] - box[1]), bright)
    fill.paste(grad, box[:2])
    img.paste(fill, (0, 0), mask)


def bevel_frame(draw_img, box, width, inner_dark=True):
    """A gold frame of `width` pixels around the inside edge of box."""
    x0, y0, x1, y1 = box
    for i in range(width):
        t = i / max(1, width - 1)
        c = lerp(PALE_GOLD, BRONZE, t) if i < width / 2 else lerp(BRONZE, GOLD, t)
        if i == 0:
            c = (60, 34, 8)
        if i == width - 1 and inner_dark:
            c = (40, 20, 8)
        ImageDraw.Draw(draw_img).rectangle((x0 + i, y0 + i, x1 - 1 - i, y1 - 1 - i), outline=c)


# ---------------------------------------------------------------------------------------
# The skin

def draw_figure(size):
    """The hooded sword-bearer at the left, in front of a blood moon. Returns (rgb, mask)."""
    s = 2  # drawn at twice the size and reduced, for smooth edges before the hard cut
    W, H = size[0] * s, size[1] * s
    rgb = Image.new("RGB", (W, H), INK)
    mask = Image.new("L", (W, H), 0)
    md = ImageDraw.Draw(mask)

    def P(pts):
        return [(x * s, y * s) for x, y in pts]

    # Blood moon disc with a gold ring.
    mcx, mcy, mr = 196, 200, 168
    moon = vertical_gradient((2 * mr * s, 2 * mr * s), [(0, (236, 128, 64)), (0.55, (176, 52, 30)), (1, (70, 12, 12))])
    moon = textured(moon, 7, 30)
    mm = Image.new("L", moon.size, 0)
    ImageDraw.Draw(mm).ellipse((0, 0, moon.width - 1, moon.height - 1), fill=255)
    rgb.paste(moon, ((mcx - mr) * s, (mcy - mr) * s), mm)
    md.ellipse(((mcx - mr - 10) * s, (mcy - mr - 10) * s, (mcx + mr + 10) * s, (mcy + mr + 10) * s), fill=255)
    d = ImageDraw.Draw(rgb)
    for i in range(10 * s):
        t = i / (10 * s)
        c = lerp(PALE_GOLD, BRONZE, abs(0.5 - t) * 2)
        r = (mr + 10) * s - i
        d.ellipse((mcx * s - r, mcy * s - r, mcx * s + r, mcy * s + r), outline=c)
    # Runes around the ring: small gold diamonds.
    for k in range(24):
        a = k * math.pi * 2 / 24
        x = mcx + (mr + 5) * math.cos(a)
        y = mcy + (mr + 5) * math.sin(a)
        d.polygon(P([(x, y - 4), (x + 3, y), (x, y + 4), (x - 3, y)]), fill=(70, 30, 8))

    # Cloak: crimson, flaring to the bottom edge.
    cloak = [(96, 166), (292, 166), (306, 250), (328, 380), (346, 524), (30, 524), (60, 380), (82, 250)]
    cl = vertical_gradient((W, H), [(0, (150, 22, 28)), (0.5, (96, 12, 18)), (1, (36, 4, 8))])
    cl = textured(cl, 11, 26)
    cm = Image.new("L", (W, H), 0)
    ImageDraw.Draw(cm).polygon(P(cloak), fill=255)
    rgb.paste(cl, (0, 0), cm)
    md.polygon(P(cloak), fill=255)
    # Folds: dark wedges down the cloak.
    for fx, spread in [(120, 40), (170, 30), (230, 36), (280, 44)]:
        fold = Image.new("L", (W, H), 0)
        ImageDraw.Draw(fold).polygon(P([(fx, 260), (fx + 6, 260), (fx + spread * 0.6 + 8, 524), (fx + spread * 0.2, 524)]),
                                     fill=120)
        fold = fold.filter(ImageFilter.GaussianBlur(6 * s))
        rgb.paste((20, 2, 4), (0, 0), ImageChops.multiply(fold, cm))
    # Gold edging and hem.
    d.line(P(cloak[1:6]), fill=GOLD, width=3 * s)
    d.line(P([cloak[5], cloak[6], cloak[7], cloak[0]]), fill=GOLD, width=3 * s)

    # Shoulders with gold-trimmed pauldrons.
    for cx in (126, 262):
        box = P([(cx - 44, 138), (cx + 44, 196)])
        d.pieslice(box[0] + box[1], 180, 360, fill=(58, 50, 56))
        d.arc(box[0] + box[1], 180, 360, fill=GOLD, width=4 * s)
        md.pieslice(box[0] + box[1], 180, 360, fill=255)
    # Breastplate.
    chest = [(150, 160), (238, 160), (228, 300), (194, 330), (160, 300)]
    d.polygon(P(chest), fill=(38, 32, 36))
    d.line(P(chest + [chest[0]]), fill=GOLD, width=3 * s)
    d.polygon(P([(194, 200), (210, 240), (194, 290), (178, 240)]), fill=(150, 20, 26), outline=PALE_GOLD)

    # Hood: a pointed arch, empty darkness inside, two ember eyes.
    hood = [(194, 40), (236, 80), (250, 130), (240, 172), (148, 172), (138, 130), (152, 80)]
    d.polygon(P(hood), fill=(70, 10, 16))
    md.polygon(P(hood), fill=255)
    d.line(P(hood + [hood[0]]), fill=(150, 100, 40), width=2 * s)
    face = [(194, 78), (222, 110), (226, 160), (162, 160), (166, 110)]
    d.polygon(P(face), fill=(8, 3, 4))
    for ex in (182, 206):
        glow, gm = radial_glow((W, H), (ex * s, 124 * s), 14 * s, (255, 190, 60), 1.0)
        rgb.paste(glow, (0, 0), gm)
        d.ellipse(P([(ex - 4, 122), (ex + 4, 127)]), fill=(255, 236, 170))

    # Greatsword held point down in front: silver blade, gold guard, crimson gem.
    blade = [(188, 230), (200, 230), (202, 500), (194, 518), (186, 500)]
    bl = vertical_gradient((W, H), [(0, (230, 232, 240)), (1, (120, 124, 140))])
    bm = Image.new("L", (W, H), 0)
    ImageDraw.Draw(bm).polygon(P(blade), fill=255)
    glow, gm = radial_glow((W, H), (194 * s, 380 * s), 120 * s, (255, 80, 60), 0.35)
    rgb.paste(glow, (0, 0), ImageChops.multiply(gm, mask))
    rgb.paste(bl, (0, 0), bm)
    d.line(P([(194, 236), (194, 500)]), fill=(90, 92, 110), width=1 * s)
    d.rounded_rectangle(P([(150, 214), (238, 230)]), radius=6 * s, fill=GOLD, outline=(80, 44, 10), width=2 * s)
    d.rectangle(P([(188, 180), (200, 214)]), fill=(60, 30, 20))
    d.ellipse(P([(184, 166), (204, 186)]), fill=(190, 24, 30), outline=PALE_GOLD, width=2 * s)

    # Embers rising around the figure.
    rnd = random.Random(5)
    for _ in range(70):
        x = rnd.uniform(20, 330)
        y = rnd.uniform(20, 500)
        r = rnd.uniform(0.8, 2.2)
        c = lerp((255, 120, 40), (255, 220, 120), rnd.random())
        d.ellipse(((x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s), fill=c)

    return rgb.resize(size, Image.LANCZOS), mask.resize(size, Image.LANCZOS)


def draw_panel(size):
    """The framed panel at the right, with its header, button strip and page well."""
    px0, py0, px1, py1 = 318, 62, 1022, 516
    rgb = Image.new("RGB", size, INK)
    mask = Image.new("L", size, 0)
    md = ImageDraw.Draw(mask)
    md.rectangle((px0, py0, px1 - 1, py1 - 1), fill=255)
    # Corner bosses bulge out of the frame.
    for cx, cy in [(px0, py0), (px1 - 1, py0), (px0, py1 - 1), (px1 - 1, py1 - 1)]:
        md.ellipse((cx - 9, cy - 9, cx + 9, cy + 9), fill=255)
    # Crest above the header.
    crest = [(600, 62), (630, 40), (670, 30), (710, 40), (740, 62)]
    md.polygon(crest, fill=255)

    body = vertical_gradient(size, [(0, (46, 10, 14)), (0.3, (30, 8, 10)), (1, (16, 5, 7))])
    body = textured(body, 3, 22)
    rgb.paste(body, (0, 0))
    d = ImageDraw.Draw(rgb)
    d.polygon(crest, fill=(60, 12, 16), outline=GOLD)
    glow, gm = radial_glow(size, (670, 48), 26, (255, 170, 60), 0.8)
    rgb.paste(glow, (0, 0), gm)
    d.ellipse((662, 40, 678, 56), fill=(180, 20, 28), outline=PALE_GOLD)

    bevel_frame(rgb, (px0, py0, px1, py1), 8)
    for cx, cy in [(px0, py0), (px1 - 1, py0), (px0, py1 - 1), (px1 - 1, py1 - 1)]:
        d.ellipse((cx - 9, cy - 9, cx + 9, cy + 9), fill=BRONZE, outline=(50, 26, 6))
        d.ellipse((cx - 6, cy - 6, cx + 6, cy + 6), fill=GOLD)
        d.ellipse((cx - 3, cy - 3, cx + 3, cy + 3), fill=(170, 22, 28))

    # Header: the game's name, and a plate for the two window buttons.
    title = ImageFont.truetype(TITLE_FONT, 40)
    gold_text(rgb, (520, 104), "ZORVATH", title, bright=1.05, stroke=2)
    sub = ImageFont.truetype(CJK_FONT, 15)
    d.text((722, 104), "血月征途", font=sub, fill=(200, 150, 80), anchor="lm")
    d.line((340, 134, 1000, 134), fill=BRONZE, width=1)
    d.line((340, 136, 1000, 136), fill=(60, 30, 10), width=1)
    d.rounded_rectangle((MINIMISE_BUTTON[0] - 6, MINIMISE_BUTTON[1] - 5, CLOSE_BUTTON[2] + 5, CLOSE_BUTTON[3] + 4),
                        radius=4, fill=STRIP, outline=BRONZE)

    # Button strip: a dark groove the link buttons sit in, and the version plaque between them.
    d.rectangle((336, 141, 1004, 200), fill=STRIP)
    d.line((336, 140, 1004, 140), fill=BRONZE)
    d.line((336, 200, 1004, 200), fill=BRONZE)
    vx0, vy0, vx1, vy1 = VERSION_LABEL
    d.rectangle((vx0 - 10, vy0 - 4, vx1 + 10, vy1 + 3), fill=(6, 3, 4), outline=(120, 80, 30))
    rune = ImageFont.truetype(CJK_FONT, 13)
    d.text((670, 158), "· 征 ·", font=rune, fill=(150, 100, 44), anchor="mm")

    # The page well: a dark inset with a thin gold line just outside the page area.
    ax0, ay0, ax1, ay1 = PAGE_AREA
    d.rectangle((ax0 - 4, ay0 - 4, ax1 + 3, ay1 + 3), fill=(8, 4, 5), outline=(60, 30, 10))
    d.rectangle((ax0 - 2, ay0 - 2, ax1 + 1, ay1 + 1), outline=GOLD)
    d.rectangle((ax0, ay0, ax1 - 1, ay1 - 1), fill=(12, 8, 9))
    return rgb, mask


def make_skin():
    fig, fig_mask = draw_figure(SKIN_SIZE)
    panel, panel_mask = draw_panel(SKIN_SIZE)
    out = Image.new("RGB", SKIN_SIZE, MAGENTA)
    # Hard cut: a pixel is either art or exactly the key colour, never a pink fringe.
    cut = lambda m: m.point(lambda v: 255 if v >= 128 else 0)
    out.paste(fig, (0, 0), cut(fig_mask))
    out.paste(panel, (0, 0), cut(panel_mask))
    return out


# ---------------------------------------------------------------------------------------
# Small pieces

def gold_column():
    return vertical_gradient((1, 17), [(0, (255, 246, 190)), (0.3, (250, 206, 90)), (0.65, (214, 150, 36)),
                                       (1, (122, 72, 12))])


def make_track():
    w, h = BAR_SIZE
    img = vertical_gradient(BAR_SIZE, [(0, (10, 4, 6)), (0.5, (28, 10, 12)), (1, (8, 3, 4))])
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=(150, 106, 40))
    d.rectangle((1, 1, w - 2, h - 2), outline=(34, 14, 8))
    for x in range(40, w - 2, 78):
        d.line((x, 3, x, h - 4), fill=(36, 14, 16))
    return img


def button_cell(size, caption, state, font):
    """One link-button image: a chamfered plaque on the strip colour."""
    w, h = size
    img = Image.new("RGB", size, STRIP)
    c = 7
    plaque = [(c, 1), (w - 1 - c, 1), (w - 2, c), (w - 2, h - 1 - c), (w - 1 - c, h - 2), (c, h - 2), (1, h - 1 - c),
              (1, c)]
    inner = [(x + (1 if x < w / 2 else -1) * 3, y + (1 if y < h / 2 else -1) * 3) for x, y in plaque]
    body = {
        "normal": [(0, (110, 20, 24)), (0.5, (70, 10, 14)), (1, (36, 5, 8))],
        "pressed": [(0, (34, 4, 6)), (0.5, (58, 8, 12)), (1, (80, 14, 18))],
        "hover": [(0, (178, 40, 36)), (0.5, (124, 20, 24)), (1, (64, 8, 12))],
    }[state]
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).polygon(plaque, fill=255)
    img.paste(gold_fill(size, 1.15 if state == "hover" else 1.0), (0, 0), m)
    m2 = Image.new("L", size, 0)
    ImageDraw.Draw(m2).polygon(inner, fill=255)
    img.paste(vertical_gradient(size, body), (0, 0), m2)
    d = ImageDraw.Draw(img)
    d.line(inner[:2], fill=(200, 120, 80) if state != "pressed" else (20, 2, 4))
    if state == "hover":
        glow, gm = radial_glow(size, (w // 2, h // 2), 40, (255, 120, 60), 0.45)
        img.paste(glow, (0, 0), ImageChops.multiply(gm, m2))
    dy = 1 if state == "pressed" else 0
    gold_text(img, (w // 2, h // 2 + dy), caption, font, bright=1.2 if state == "hover" else 0.95, shadow=False,
              stroke=1)
    return img


def strip(cells):
    w, h = cells[0].size
    out = Image.new("RGB", (w * len(cells), h))
    for i, c in enumerate(cells):
        out.paste(c, (i * w, 0))
    return out


def window_button_cell(kind, state):
    img = Image.new("RGB", (20, 20), STRIP)
    d = ImageDraw.Draw(img)
    face = {"normal": (70, 12, 16), "pressed": (30, 4, 6), "hover": (170, 30, 30)}[state]
    rim = {"normal": GOLD, "pressed": BRONZE, "hover": PALE_GOLD}[state]
    d.rounded_rectangle((1, 1, 18, 18), radius=3, fill=face, outline=rim)
    ink = PALE_GOLD if state != "pressed" else GOLD
    o = 1 if state == "pressed" else 0
    if kind == "close":
        d.line((6 + o, 6 + o, 13 + o, 13 + o), fill=ink, width=2)
        d.line((13 + o, 6 + o, 6 + o, 13 + o), fill=ink, width=2)
    else:
        d.rectangle((5 + o, 12 + o, 14 + o, 13 + o), fill=ink)
    return img


# ---------------------------------------------------------------------------------------
# The splash picture

def make_splash():
    size = (1024, 768)
    w, h = size
    img = vertical_gradient(size, [(0, (6, 2, 8)), (0.35, (40, 6, 14)), (0.62, (150, 30, 24)), (0.7, (60, 10, 12)),
                                   (1, (6, 2, 3))])
    # The blood moon, low over the mountains.
    glow, gm = radial_glow(size, (700, 300), 300, (255, 90, 50), 0.5)
    img.paste(glow, (0, 0), gm)
    d = ImageDraw.Draw(img)
    moon = vertical_gradient((220, 220), [(0, (255, 150, 100)), (1, (170, 30, 24))])
    moon = textured(moon, 21, 30)
    mm = Image.new("L", (220, 220), 0)
    ImageDraw.Draw(mm).ellipse((0, 0, 219, 219), fill=255)
    img.paste(moon, (590, 190), mm)
    rnd = random.Random(9)
    for _ in range(160):
        x, y = rnd.uniform(0, w), rnd.uniform(0, 260)
        v = rnd.randint(120, 255)
        d.point((x, y), fill=(v, v, int(v * 0.9)))

    # Mountain ranges, far to near.
    def ridge(seed, base, amp, colour, rough):
        r = random.Random(seed)
        pts = [(0, h)]
        y = base
        for x in range(0, w + 16, 16):
            y = base + amp * math.sin(x / 140 + seed) + r.uniform(-rough, rough)
            pts.append((x, y))
        pts.append((w, h))
        d.polygon(pts, fill=colour)

    ridge(1, 430, 40, (54, 12, 18), 14)
    ridge(2, 480, 34, (30, 8, 12), 18)
    # The fortress on the near crag.
    d.polygon([(140, 520), (200, 400), (260, 380), (330, 430), (360, 520)], fill=(14, 4, 6))
    for x, top, wdt in [(206, 290, 26), (244, 250, 30), (286, 310, 22), (318, 340, 18)]:
        d.rectangle((x, top, x + wdt, 440), fill=(12, 3, 5))
        d.polygon([(x - 4, top), (x + wdt // 2, top - 46), (x + wdt + 4, top)], fill=(12, 3, 5))
        for k in range(3):
            d.rectangle((x + wdt // 2 - 2, top + 20 + k * 30, x + wdt // 2 + 2, top + 28 + k * 30), fill=(255, 170, 60))
    ridge(3, 560, 24, (16, 5, 7), 10)
    # Fog over the valley.
    fog = Image.new("L", size, 0)
    ImageDraw.Draw(fog).rectangle((0, 500, w, 600), fill=70)
    img.paste((120, 50, 50), (0, 0), fog.filter(ImageFilter.GaussianBlur(30)))

    title = ImageFont.truetype(TITLE_FONT, 84)
    gold_text(img, (w // 2, 110), "ZORVATH", title, bright=1.1, stroke=3)
    sub = ImageFont.truetype(CJK_FONT, 30)
    gold_text(img, (w // 2, 180), "血 月 征 途", sub, bright=0.95, stroke=1)

    # The bottom console with the two slots the progress bars cover.
    d.rectangle((0, 640, w, h), fill=(10, 4, 5))
    bevel_frame(img, (40, 648, 984, 756), 4)
    label = ImageFont.truetype(CJK_FONT, 14)
    for (x, y), text in zip(SPLASH_BARS, ["当前文件", "全部进度"]):
        bw, bh = BAR_SIZE
        d.rectangle((x - 4, y - 4, x + bw + 3, y + bh + 3), fill=(4, 2, 2), outline=(120, 80, 30))
        d.rectangle((x, y, x + bw - 1, y + bh - 1), fill=(0, 0, 0))
        d.text((x - 12, y + bh // 2), text, font=label, fill=(220, 170, 90), anchor="rm")
    d.text((w // 2, 750), "正在更新游戏客户端，请稍候……", font=label, fill=(170, 120, 70), anchor="mb")
    return img


# ---------------------------------------------------------------------------------------
# Writers

def write_bmp555(img, path):
    """16 bpp 5-5-5 BMP, bottom-up, no compression, pixels at offset 54."""
    w, h = img.size
    stride = (w * 2 + 3) & ~3
    px = img.load()
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y][:3]
            row += struct.pack("<H", ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 16, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def keep_off_key(img):
    """Art pixels that would land on the key colour once cut to 5-5-5 are nudged off it."""
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            r, g, b = px[x, y]
            if (r >> 3, g >> 3, b >> 3) == (31, 0, 31) and (r, g, b) != MAGENTA:
                px[x, y] = (r, g, 240)


def write_bmp8(img, path):
    img.convert("P", palette=Image.ADAPTIVE, colors=256).save(path, "BMP")


def main():
    os.makedirs(OUT, exist_ok=True)
    skin = make_skin()
    keep_off_key(skin)
    write_bmp555(skin, os.path.join(OUT, "skin.bmp"))
    write_bmp555(make_track(), os.path.join(OUT, "progress_track.bmp"))
    make_splash().save(os.path.join(OUT, "splash.jpg"), "JPEG", quality=86, optimize=True)

    font = ImageFont.truetype(CJK_FONT, 21)
    for name, caption in [("btn_home", "官方网站"), ("btn_pay", "充值中心"), ("btn_service", "在线客服"),
                          ("btn_forum", "游戏论坛")]:
        cells = [button_cell((117, 51), caption, s, font) for s in ("normal", "pressed", "hover")]
        write_bmp8(strip(cells), os.path.join(OUT, name + ".bmp"))
    for name, kind in [("btn_close", "close"), ("btn_minimise", "minimise")]:
        write_bmp8(strip([window_button_cell(kind, s) for s in ("normal", "pressed", "hover")]),
                   os.path.join(OUT, name + ".bmp"))
    for name in ("fill_left", "fill_right", "fill_middle"):
        write_bmp555(gold_column(), os.path.join(OUT, name + ".bmp"))
    # Previews for whoever edits the art (not used by the build).
    if len(sys.argv) > 1:
        skin.save(os.path.join(sys.argv[1], "skin.png"))


if __name__ == "__main__":
    main()
