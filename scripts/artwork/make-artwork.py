#!/usr/bin/python3
"""Draws the installer's pictures and icons into resources/.

    /usr/bin/python3 scripts/artwork/make-artwork.py [--plain] [--out DIR]

Everything is drawn from code (no fonts, no input files), so a rerun gives
the same bytes. Writes:
  side.bmp          200 x 350, 8-bit palette (welcome page side picture)
  logo.bmp          70 x 70, 8-bit palette, white background (header logo)
  folder.bmp        24 x 24, 24-bit; background RGB(240,240,240), which is
                    also its top-left pixel, so it can be keyed out
  vel_instaluj.ico  16, 32, 48 px, 32-bit with alpha (installer icon)
  vel.ico           16, 32, 48 px, 32-bit with alpha (application icon)

The palette bitmaps are RLE8-compressed unless --plain is given. The BMP and
ICO files are written by hand: bottom-up BITMAPINFOHEADER DIBs, icons with
an AND mask, no PNG inside the icon (older loaders reject it).

Needs Pillow (Debian: python3-pil).
"""
import argparse
import os
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SS = 4  # supersampling factor: shapes are drawn large, then reduced

# --- dot-matrix glyphs (rows top to bottom, '#' = lit) ----------------------

GLYPHS = {
    '3': [".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."],
    '5': ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '.': [".", ".", ".", ".", ".", ".", "#"],
    'V': ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    'e': ["....", "....", ".##.", "#..#", "####", "#...", ".###"],
    'l': ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'a': ["....", "....", ".###", "...#", ".###", "#..#", ".###"],
    'n': ["....", "....", "###.", "#..#", "#..#", "#..#", "#..#"],
    'd': ["...#", "...#", ".###", "#..#", "#..#", "#..#", ".###"],
    'r': ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
}


def text_matrix(text):
    """Lays glyphs side by side with one blank column between them."""
    rows = ["" for _ in range(7)]
    for i, ch in enumerate(text):
        glyph = GLYPHS[ch]
        for r in range(7):
            rows[r] += ("." if i else "") + glyph[r]
    return rows


# --- drawing helpers (coordinates in final pixels, drawn at SS scale) -------

def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(w, h, stops):
    """stops: [(position 0..1, rgb), ...] ascending."""
    img = Image.new("RGB", (w, h))
    px = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                px.line([(0, y), (w, y)], fill=lerp(c0, c1, (t - p0) / (p1 - p0)))
                break
    return img


def disc(draw, cx, cy, r, fill):
    s = SS
    draw.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s - 1, (cy + r) * s - 1],
                 fill=fill)


def led(draw, cx, cy, r, lit, core):
    """An LED: a body in the lit colour and a lighter off-centre highlight."""
    disc(draw, cx, cy, r, lit)
    disc(draw, cx - r * 0.18, cy - r * 0.18, r * 0.55, core)


def rounded_box(draw, box, radius, fill, outline=None, width=1):
    s = SS
    x0, y0, x1, y1 = box
    draw.rounded_rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1],
                           radius=radius * s, fill=fill, outline=outline,
                           width=width * s)


def led_panel(layer, glow, rows, x0, y0, pitch, radius, lit, core, unlit,
              halo):
    """Draws a dot matrix: every cell an LED, lit where rows has '#'."""
    d = ImageDraw.Draw(layer)
    g = ImageDraw.Draw(glow)
    for r, line in enumerate(rows):
        for c, ch in enumerate(line):
            cx = x0 + pitch * (c + 0.5)
            cy = y0 + pitch * (r + 0.5)
            if ch == '#':
                led(d, cx, cy, radius, lit, core)
                disc(g, cx, cy, radius * 1.9, halo)
            elif unlit is not None:
                disc(d, cx, cy, radius, unlit)


def reduce(img, w, h):
    return img.resize((w, h), Image.Resampling.LANCZOS)


def add_glow(base, glow_big, blur):
    """Blurs the halo layer and adds it onto base (screen-like, clamped)."""
    g = glow_big.filter(ImageFilter.GaussianBlur(blur * SS))
    return ImageChops.add(base, g.convert("RGB"))


def to_palette(img):
    return img.quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE)


# --- BMP / ICO writers ------------------------------------------------------

def rle8_row(row):
    """Encodes one row of palette indices in RLE8 (without end-of-line)."""
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 3 or n - i < 3:
            out += bytes((run, row[i]))
            i += run
            continue
        # absolute block: gather until a run of 3 starts (min 3 bytes)
        j = i
        while j < n and j - i < 255:
            if j + 2 < n and row[j] == row[j + 1] == row[j + 2]:
                break
            j += 1
        if j - i < 3:
            for k in range(i, j):
                out += bytes((1, row[k]))
        else:
            out += bytes((0, j - i)) + bytes(row[i:j])
            if (j - i) & 1:
                out += b"\0"
        i = j
    return bytes(out)


def bmp_bytes(pixels, width, height, bpp,
              compression, palette=b""):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression,
                       len(pixels), 2835, 2835, len(palette) // 4 if palette else 0,
                       0)
    off = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    return head + info + palette + pixels


def write_bmp8(path, pimg, rle):
    w, h = pimg.size
    pal = pimg.getpalette()[:768]
    pal += [0] * (768 - len(pal))
    palette = b"".join(bytes((pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0))
                       for i in range(256))
    data = pimg.tobytes()
    rows = [data[y * w:(y + 1) * w] for y in range(h - 1, -1, -1)]
    pad = b"\0" * ((4 - w % 4) % 4)
    pixels, comp = b"".join(r + pad for r in rows), 0
    if rle:
        packed = b"".join(rle8_row(r) + b"\0\0" for r in rows[:-1])
        packed += rle8_row(rows[-1]) + b"\0\1"
        if len(packed) < len(pixels):  # RLE8 can lose on busy pictures
            pixels, comp = packed, 1  # BI_RLE8
    with open(path, "wb") as f:
        f.write(bmp_bytes(pixels, w, h, 8, comp, palette))


def write_bmp24(path, img):
    w, h = img.size
    rgb = img.convert("RGB").tobytes()
    pad = b"\0" * ((4 - (w * 3) % 4) % 4)
    rows = []
    for y in range(h - 1, -1, -1):
        line = rgb[y * w * 3:(y + 1) * w * 3]
        bgr = bytearray(line)
        bgr[0::3], bgr[2::3] = line[2::3], line[0::3]
        rows.append(bytes(bgr) + pad)
    with open(path, "wb") as f:
        f.write(bmp_bytes(b"".join(rows), w, h, 24, 0))


def icon_image(img):
    """One ICO entry: a 32-bit DIB (height doubled) plus a 1-bit AND mask."""
    w, h = img.size
    rgba = img.convert("RGBA").tobytes()
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = rgba[(y * w + x) * 4:(y * w + x) * 4 + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def write_ico(path, images):
    entries = [icon_image(im) for im in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for im, data in zip(images, entries):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(entries))


# --- the pictures -----------------------------------------------------------

# (lit body, highlight, unlit, halo)
AMBER = ((255, 150, 20), (255, 226, 150), (52, 40, 30), (255, 120, 0))
GREEN = ((60, 225, 80), (200, 255, 200), (26, 46, 32), (0, 200, 40))

TILE = (20, 26, 36)


def side_picture():
    W, H = 200, 350
    bg = vertical_gradient(W, H, [(0.0, (6, 20, 48)), (0.55, (10, 52, 86)),
                                  (1.0, (10, 98, 112))])
    big = bg.resize((W * SS, H * SS), Image.Resampling.NEAREST)
    glow = Image.new("RGB", big.size, (0, 0, 0))
    d = ImageDraw.Draw(big)

    # the board with "3.51" in amber
    rows = ["." * 21] + ["." + r + "." for r in text_matrix("3.51")] + ["." * 21]
    pitch = 8
    bw, bh = 21 * pitch, 9 * pitch
    bx, by = (W - bw) / 2, 62
    rounded_box(d, (bx - 5, by - 5, bx + bw + 5, by + bh + 5), 9,
                fill=(38, 60, 84))
    rounded_box(d, (bx - 4, by - 4, bx + bw + 4, by + bh + 4), 8, fill=TILE)
    lit, core, unlit, halo = AMBER
    led_panel(big, glow, rows, bx, by, pitch, 3.1, lit, core, unlit,
              (110, 52, 0))

    # the product name in small cool-white dots
    name = text_matrix("Velandra")
    npitch = 4.5
    nx = (W - len(name[0]) * npitch) / 2
    led_panel(big, glow, name, nx, 176, npitch, 1.95, (190, 236, 255),
              (250, 255, 255), None, (20, 60, 90))

    # an amber rule under the name, two pixels so that a shrinking stretch
    # that drops rows cannot lose it
    rounded_box(d, (nx + 1, 216, W - nx - 1, 218), 1, fill=(236, 146, 32))

    # a faint dot field at the bottom, brightening towards the lower edge
    fd = ImageDraw.Draw(big)
    for r in range(8):
        cy = 262 + r * 11
        for c in range(18):
            cx = 10 + c * 11 + 0.5
            t = (r + 1) / 8
            col = lerp((10, 60, 92), (40, 140, 150), t)
            disc(fd, cx, cy, 2.6, col)

    out = add_glow(big, glow, 2.5)
    return reduce(out, W, H)


def logo_tile(size, lit_set, margin=1, pitch=None):
    """The logo mark: a dark rounded tile with an LED matrix showing V (with
    `margin` blank rows above and below and one more blank column than that
    each side), on a transparent surround."""
    lit, core, unlit, halo = lit_set
    big = Image.new("RGB", (size * SS, size * SS), TILE)
    alpha = Image.new("L", big.size, 0)
    m = max(1, size / 35)
    rounded_box(ImageDraw.Draw(alpha), (m * 0.5, m * 0.5, size - m * 0.5,
                                        size - m * 0.5), size * 0.17, fill=255)
    glow = Image.new("RGB", big.size, (0, 0, 0))
    side = "." * (margin + 1)
    n = 5 + 2 * len(side)
    grid = (["." * n] * margin + [side + r + side for r in GLYPHS['V']]
            + ["." * n] * margin)
    pitch = pitch or (size - 2 * m - size * 0.08) / n
    x0 = (size - n * pitch) / 2
    d, gd = ImageDraw.Draw(big), ImageDraw.Draw(glow)
    r = pitch * 0.4
    for row, line in enumerate(grid):
        for col, ch in enumerate(line):
            cx = x0 + pitch * (col + 0.5)
            cy = x0 + pitch * (row + 0.5)
            if ch == '#':
                disc(gd, cx, cy, r * 1.5, halo)
    big = ImageChops.add(big, glow.filter(
        ImageFilter.GaussianBlur(pitch * 0.3 * SS)))
    d = ImageDraw.Draw(big)
    for row, line in enumerate(grid):
        for col, ch in enumerate(line):
            cx = x0 + pitch * (col + 0.5)
            cy = x0 + pitch * (row + 0.5)
            if ch == '#':
                led(d, cx, cy, r, lit, core)
            else:
                disc(d, cx, cy, r, unlit)
    big.putalpha(alpha)
    return big.resize((size, size), Image.Resampling.LANCZOS)


def on_white(img):
    white = Image.new("RGBA", img.size, (255, 255, 255, 255))
    return Image.alpha_composite(white, img).convert("RGB")


def small_icon(lit_set):
    """16 px: one pixel block per LED would blur away, so draw it as pixels."""
    lit, core, unlit, halo = lit_set
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, 15, 15], radius=3, fill=TILE + (255,))
    for row, line in enumerate(GLYPHS['V']):
        for col, ch in enumerate(line):
            x, y = 3 + col * 2, 1 + row * 2
            if ch == '#':
                d.rectangle([x, y, x, y], fill=core)
                d.point((x + 1, y), fill=lit)
                d.point((x, y + 1), fill=lit)
                d.point((x + 1, y + 1), fill=lit)
    return img


def folder_picture():
    """Drawn pixel by pixel (no smoothing) so it stays crisp at 24 px."""
    face = (240, 240, 240)
    img = Image.new("RGB", (24, 24), face)
    d = ImageDraw.Draw(img)
    edge, back, front = (168, 112, 16), (226, 166, 44), (250, 200, 76)
    light = (255, 226, 140)
    d.rectangle([2, 5, 9, 7], fill=back, outline=edge)     # tab
    d.rectangle([2, 7, 21, 20], fill=back, outline=edge)   # back sheet
    d.point([(2, 5), (9, 5), (2, 20), (21, 20)], fill=face)
    d.line([(10, 6), (10, 7)], fill=edge)
    d.rectangle([4, 9, 19, 13], fill=(255, 255, 255), outline=(176, 176, 176))
    d.rectangle([2, 11, 21, 20], fill=front, outline=edge)  # front flap
    d.line([(3, 12), (20, 12)], fill=light)
    d.point([(2, 20), (21, 20)], fill=face)
    d.line([(3, 21), (20, 21)], fill=(208, 208, 208))      # soft shadow
    return img


def icon_set(lit_set):
    # whole-pixel pitches keep the small sizes crisp
    return [small_icon(lit_set), logo_tile(32, lit_set, 0, 4),
            logo_tile(48, lit_set, 0, 6)]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--plain", action="store_true",
                    help="write the palette bitmaps uncompressed")
    ap.add_argument("--out", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources"))
    a = ap.parse_args()
    out = os.path.normpath(a.out)
    os.makedirs(out, exist_ok=True)
    rle = not a.plain

    write_bmp8(os.path.join(out, "side.bmp"), to_palette(side_picture()), rle)
    logo = on_white(logo_tile(70, AMBER))
    write_bmp8(os.path.join(out, "logo.bmp"), to_palette(logo), rle)
    write_bmp24(os.path.join(out, "folder.bmp"), folder_picture())
    write_ico(os.path.join(out, "vel_instaluj.ico"), icon_set(AMBER))
    write_ico(os.path.join(out, "vel.ico"), icon_set(GREEN))
    for name in ("side.bmp", "logo.bmp", "folder.bmp", "vel_instaluj.ico",
                 "vel.ico"):
        print(f"{name}: {os.path.getsize(os.path.join(out, name))} bytes")


if __name__ == "__main__":
    main()
