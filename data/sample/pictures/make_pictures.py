#!/usr/bin/python3
"""Draws the exhibit pictures of the sample question bank.

Every picture is described once as a list of drawing operations (a Scene) and
written by one of four writers:

  .bmp  8-bit palette bitmap (Pillow), drawn at twice the size and scaled down
  .ico  8-bit icon with an AND mask, written here record by record
  .wmf  placeable Windows Metafile, written here record by record
  .emf  Enhanced Metafile, written here record by record

Run with Debian's Python (needs python3-pil and fonts-liberation2):

    /usr/bin/python3 make_pictures.py            # writes the pictures next to this file
    /usr/bin/python3 make_pictures.py --check    # also converts each metafile with
                                                 # wmf2svg / emf2svg-conv to prove it parses

The pictures are committed; the build only copies them.
"""
import io
import math
import os
import re
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/truetype/liberation2"
FONT_FILES = {
    ("sans", False): "LiberationSans-Regular.ttf",
    ("sans", True): "LiberationSans-Bold.ttf",
    ("mono", False): "LiberationMono-Regular.ttf",
    ("mono", True): "LiberationMono-Bold.ttf",
}
# Face names written into the metafiles; Liberation fonts share their metrics.
FACE_NAMES = {"sans": "Arial", "mono": "Courier New"}

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (226, 230, 236)
PANEL = (242, 244, 247)
NAVY = (31, 59, 102)
BLUE = (52, 101, 164)
SKY = (200, 222, 245)
GREEN = (40, 130, 60)
RED = (190, 30, 30)
AMBER = (230, 160, 40)


# --------------------------------------------------------------------------- scene

class Scene:
    """A picture as a list of drawing operations in pixel coordinates."""

    def __init__(self, width, height, background=WHITE):
        self.width = width
        self.height = height
        self.ops = []
        if background is not None:
            self.rect(0, 0, width, height, fill=background, outline=None)

    def line(self, x1, y1, x2, y2, color=BLACK, width=2):
        self.ops.append(("polyline", [(x1, y1), (x2, y2)], color, width))

    def polyline(self, points, color=BLACK, width=2):
        self.ops.append(("polyline", list(points), color, width))

    def rect(self, x, y, w, h, fill=None, outline=BLACK, width=2):
        self.ops.append(("rect", (x, y, x + w, y + h), fill, outline, width))

    def ellipse(self, x, y, w, h, fill=None, outline=BLACK, width=2):
        self.ops.append(("ellipse", (x, y, x + w, y + h), fill, outline, width))

    def polygon(self, points, fill=None, outline=BLACK, width=2):
        self.ops.append(("polygon", [(round(px), round(py)) for px, py in points], fill, outline, width))

    def text(self, x, y, s, size=16, color=BLACK, font="sans", bold=False, align="left"):
        """Text whose cell top is at y; x is the left edge or, with align="center", the middle.

        Left-aligned text is cut at runs of spaces into pieces placed where they would fall,
        because SVG readers that render the converted metafiles collapse repeated spaces."""
        if align != "left" or "  " not in s and not s.startswith(" "):
            self.ops.append(("text", x, y, s, size, color, font, bold, align))
            return
        f = load_font(font, bold, size * 4)
        for m in re.finditer(r"\S+(?: \S+)*", s):
            dx = round(f.getlength(s[: m.start()]) / 4)
            self.ops.append(("text", x + dx, y, m.group(0), size, color, font, bold, align))


def load_font(font, bold, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, FONT_FILES[(font, bold)]), size)


# --------------------------------------------------------------------------- raster writers

def render(scene, scale=2):
    """Draws the scene at `scale` times its size and scales it down for smooth edges."""
    img = Image.new("RGBA", (scene.width * scale, scene.height * scale), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = scale
    for op in scene.ops:
        kind = op[0]
        if kind == "polyline":
            _, pts, color, width = op
            d.line([(x * s, y * s) for x, y in pts], fill=color, width=max(1, width * s), joint="curve")
        elif kind in ("rect", "ellipse", "polygon"):
            _, geo, fill, outline, width = op
            w = max(1, width * s) if outline else 0
            if kind == "rect":
                x1, y1, x2, y2 = geo
                d.rectangle((x1 * s, y1 * s, x2 * s - 1, y2 * s - 1), fill=fill, outline=outline, width=w)
            elif kind == "ellipse":
                x1, y1, x2, y2 = geo
                d.ellipse((x1 * s, y1 * s, x2 * s - 1, y2 * s - 1), fill=fill, outline=outline, width=w)
            else:
                pts = [(x * s, y * s) for x, y in geo]
                d.polygon(pts, fill=fill)
                if outline:
                    d.line(pts + [pts[0]], fill=outline, width=w, joint="curve")
        elif kind == "text":
            _, x, y, text, size, color, font, bold, align = op
            f = load_font(font, bold, size * s)
            d.text((x * s, y * s), text, font=f, fill=color, anchor="ma" if align == "center" else "la")
    return img.resize((scene.width, scene.height), Image.LANCZOS)


def write_bmp(scene, path):
    img = render(scene).convert("RGB")
    img.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE).save(path, format="BMP")


def ico_entry(img):
    """One 8-bit icon image: BITMAPINFOHEADER, palette, XOR bits and AND mask, bottom row first."""
    w, h = img.size
    alpha = img.getchannel("A")
    rgb = Image.new("RGB", img.size, WHITE)
    rgb.paste(img.convert("RGB"), mask=alpha)
    pal_img = rgb.quantize(colors=255, method=Image.MEDIANCUT, dither=Image.NONE)
    palette = pal_img.getpalette()[: 255 * 3]
    palette += [0] * (255 * 3 - len(palette))
    index = pal_img.tobytes()
    opaque = alpha.tobytes()
    xor_stride = (w + 3) // 4 * 4
    and_stride = ((w + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for row in range(h - 1, -1, -1):
        px = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for col in range(w):
            i = row * w + col
            if opaque[i] >= 128:
                px[col] = index[i] + 1  # index 0 is the black used under transparent pixels
            else:
                mask[col // 8] |= 0x80 >> (col % 8)
        xor_rows.append(bytes(px))
        and_rows.append(bytes(mask))
    colors = b"\0\0\0\0" + b"".join(
        bytes((palette[3 * k + 2], palette[3 * k + 1], palette[3 * k], 0)) for k in range(255))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(bits), 0, 0, 256, 0)
    return header + colors + bits


def write_ico(scene, path, sizes=(256, 48, 32)):
    big = render(scene, scale=2)
    images = [ico_entry(big if size == scene.width else big.resize((size, size), Image.LANCZOS))
              for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(path, "wb") as fh:
        fh.write(out + b"".join(images))


# --------------------------------------------------------------------------- metafile helpers

def colorref(c):
    return c[0] | (c[1] << 8) | (c[2] << 16)


def text_advances(text, font, bold, size):
    """Per-character advances in pixels, so that metafile text matches the bitmap layout."""
    f = load_font(font, bold, size * 4)
    out, prev = [], 0.0
    for i in range(1, len(text) + 1):
        cur = f.getlength(text[:i]) / 4
        out.append(round(cur) - round(prev))
        prev = cur
    return out


class Handles:
    """A GDI object table: a new object takes the lowest free slot."""

    def __init__(self, first):
        self.first = first
        self.used = set()
        self.peak = 0

    def take(self):
        i = self.first
        while i in self.used:
            i += 1
        self.used.add(i)
        self.peak = max(self.peak, len(self.used))
        return i

    def free(self, i):
        self.used.discard(i)


# --------------------------------------------------------------------------- WMF writer

class WmfWriter:
    def __init__(self):
        self.records = []
        self.handles = Handles(0)

    def rec(self, function, payload=b""):
        assert len(payload) % 2 == 0
        size = 3 + len(payload) // 2
        self.records.append(struct.pack("<IH", size, function) + payload)

    def words(self, function, *values):
        self.rec(function, struct.pack("<%dh" % len(values), *values))

    def create_pen(self, color, width):
        style = 0 if color else 5  # PS_SOLID or PS_NULL
        self.rec(0x02FA, struct.pack("<HhhI", style, width, 0, colorref(color or BLACK)))
        return self.handles.take()

    def create_brush(self, color):
        style = 0 if color else 1  # BS_SOLID or BS_NULL
        self.rec(0x02FC, struct.pack("<HIH", style, colorref(color or BLACK), 0))
        return self.handles.take()

    def create_font(self, font, bold, size):
        face = FACE_NAMES[font].encode("ascii").ljust(32, b"\0")
        pitch = 0x31 if font == "mono" else 0x22  # FIXED_PITCH|FF_MODERN, VARIABLE_PITCH|FF_SWISS
        self.rec(0x02FB, struct.pack("<hhhhhBBBBBBBB", -size, 0, 0, 0, 700 if bold else 400,
                                     0, 0, 0, 0, 0, 0, 4, pitch) + face)
        return self.handles.take()

    def select(self, h):
        self.words(0x012D, h)

    def delete(self, h):
        self.words(0x01F0, h)
        self.handles.free(h)

    def release(self, *objects):
        """Puts the resting objects back into the context, then deletes the given ones."""
        for h in (self.null_pen, self.null_brush, self.rest_font):
            self.select(h)
        for h in objects:
            self.delete(h)

    def shape(self, function, coords, fill, outline, width):
        pen = self.create_pen(outline, width)
        brush = self.create_brush(fill)
        self.select(pen)
        self.select(brush)
        self.rec(function, coords)
        self.release(brush, pen)

    def draw(self, scene):
        self.words(0x0103, 8)  # SETMAPMODE MM_ANISOTROPIC
        self.words(0x020B, 0, 0)  # SETWINDOWORG y, x
        self.words(0x020C, scene.height, scene.width)  # SETWINDOWEXT y, x
        self.words(0x0102, 1)  # SETBKMODE TRANSPARENT
        # A WMF has no stock objects: make resting ones so that nothing selected is ever deleted.
        self.null_pen = self.create_pen(None, 1)
        self.null_brush = self.create_brush(None)
        self.rest_font = self.create_font("sans", False, 12)
        self.release()
        for op in scene.ops:
            kind = op[0]
            if kind == "polyline":
                _, pts, color, width = op
                pen = self.create_pen(color, width)
                self.select(pen)
                # MOVETO / LINETO rather than POLYLINE: some readers fill an open polyline.
                self.words(0x0214, pts[0][1], pts[0][0])
                for x, y in pts[1:]:
                    self.words(0x0213, y, x)
                self.release(pen)
            elif kind in ("rect", "ellipse"):
                _, (x1, y1, x2, y2), fill, outline, width = op
                function = 0x041B if kind == "rect" else 0x0418
                self.shape(function, struct.pack("<hhhh", y2, x2, y1, x1), fill, outline, width)
            elif kind == "polygon":
                _, pts, fill, outline, width = op
                payload = struct.pack("<h", len(pts)) + b"".join(struct.pack("<hh", x, y) for x, y in pts)
                self.shape(0x0324, payload, fill, outline, width)
            elif kind == "text":
                _, x, y, text, size, color, font, bold, align = op
                f = self.create_font(font, bold, size)
                self.select(f)
                self.words(0x0209, *struct.unpack("<hh", struct.pack("<I", colorref(color))))  # SETTEXTCOLOR
                self.words(0x012E, 6 if align == "center" else 0)  # SETTEXTALIGN TA_TOP|TA_CENTER or TA_LEFT
                raw = text.encode("cp1252")
                # EXTTEXTOUT with the advance of every character: readers that size the picture
                # from its contents (libwmf) otherwise guess text widths far too wide and squeeze
                # the drawing sideways to make room.
                dx = text_advances(text, font, bold, size)
                self.rec(0x0A32, struct.pack("<hhhH", y, x, len(raw), 0)
                         + raw.ljust((len(raw) + 1) // 2 * 2, b"\0") + struct.pack("<%dh" % len(dx), *dx))
                self.release(f)
        self.rec(0x0000)  # EOF

    def save(self, scene, path, dpi=96):
        self.draw(scene)
        body = b"".join(self.records)
        total_words = 9 + len(body) // 2
        max_record = max(len(r) for r in self.records) // 2
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, total_words, max(1, self.handles.peak), max_record, 0)
        placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, scene.width, scene.height, dpi, 0)
        checksum = 0
        for (word,) in struct.iter_unpack("<H", placeable):
            checksum ^= word
        with open(path, "wb") as fh:
            fh.write(placeable + struct.pack("<H", checksum) + header + body)


def write_wmf(scene, path):
    WmfWriter().save(scene, path)


# --------------------------------------------------------------------------- EMF writer

class EmfWriter:
    NULL_BRUSH = 0x80000005
    NULL_PEN = 0x80000008
    SYSTEM_FONT = 0x8000000D

    def __init__(self):
        self.records = []
        self.handles = Handles(1)  # slot 0 is the metafile itself

    def rec(self, rtype, payload=b""):
        assert len(payload) % 4 == 0
        self.records.append(struct.pack("<II", rtype, 8 + len(payload)) + payload)

    def create_pen(self, color, width):
        h = self.handles.take()
        self.rec(38, struct.pack("<IIiiI", h, 0, width, 0, colorref(color)))
        return h

    def create_brush(self, color):
        h = self.handles.take()
        self.rec(39, struct.pack("<IIII", h, 0, colorref(color), 0))
        return h

    def create_font(self, font, bold, size):
        h = self.handles.take()
        face = FACE_NAMES[font].encode("utf-16-le").ljust(64, b"\0")
        pitch = 0x31 if font == "mono" else 0x22
        logfont = struct.pack("<iiiiiBBBBBBBB", -size, 0, 0, 0, 700 if bold else 400,
                              0, 0, 0, 0, 0, 0, 4, pitch) + face
        self.rec(82, struct.pack("<I", h) + logfont)
        return h

    def select(self, h):
        self.rec(37, struct.pack("<I", h))

    def delete(self, h):
        self.rec(40, struct.pack("<I", h))
        self.handles.free(h)

    def release(self, objects):
        """Selects stock objects back in, then deletes the given ones."""
        for h in (self.NULL_PEN, self.NULL_BRUSH, self.SYSTEM_FONT):
            self.select(h)
        for h in objects:
            self.delete(h)

    def styled(self, fill, outline, width):
        pen = self.create_pen(outline, width) if outline else None
        brush = self.create_brush(fill) if fill else None
        self.select(pen if pen else self.NULL_PEN)
        self.select(brush if brush else self.NULL_BRUSH)
        return [h for h in (brush, pen) if h]

    @staticmethod
    def bounds(pts):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        return struct.pack("<iiii", min(xs), min(ys), max(xs), max(ys))

    def draw(self, scene):
        self.rec(17, struct.pack("<I", 1))  # SETMAPMODE MM_TEXT
        self.rec(18, struct.pack("<I", 1))  # SETBKMODE TRANSPARENT
        self.release([])
        for op in scene.ops:
            kind = op[0]
            if kind == "polyline":
                _, pts, color, width = op
                made = self.styled(None, color, width)
                self.rec(87, self.bounds(pts) + struct.pack("<I", len(pts))
                         + b"".join(struct.pack("<hh", x, y) for x, y in pts))  # POLYLINE16
                self.release(made)
            elif kind in ("rect", "ellipse"):
                _, box, fill, outline, width = op
                made = self.styled(fill, outline, width)
                self.rec(43 if kind == "rect" else 42, struct.pack("<iiii", *box))
                self.release(made)
            elif kind == "polygon":
                _, pts, fill, outline, width = op
                made = self.styled(fill, outline, width)
                self.rec(86, self.bounds(pts) + struct.pack("<I", len(pts))
                         + b"".join(struct.pack("<hh", x, y) for x, y in pts))  # POLYGON16
                self.release(made)
            elif kind == "text":
                _, x, y, text, size, color, font, bold, align = op
                f = self.create_font(font, bold, size)
                self.select(f)
                self.rec(24, struct.pack("<I", colorref(color)))  # SETTEXTCOLOR
                self.rec(22, struct.pack("<I", 6 if align == "center" else 0))  # SETTEXTALIGN
                adv = text_advances(text, font, bold, size)
                width = sum(adv)
                left = x - width // 2 if align == "center" else x
                box = struct.pack("<iiii", left, y, left + width, y + round(size * 1.2))
                chars = text.encode("utf-16-le")
                chars += b"\0" * (-len(chars) % 4)
                off_string = 76
                off_dx = off_string + len(chars)
                payload = (box + struct.pack("<Iff", 1, 0.0, 0.0)
                           + struct.pack("<iiIII", x, y, len(text), off_string, 0)
                           + struct.pack("<iiiiI", 0, 0, -1, -1, off_dx)
                           + chars + b"".join(struct.pack("<i", a) for a in adv))
                self.rec(84, payload)  # EXTTEXTOUTW
                self.release([f])
        self.rec(14, struct.pack("<III", 0, 16, 20))  # EOF

    def save(self, scene, path, dpi=96):
        self.draw(scene)
        body = b"".join(self.records)
        header_size = 108
        total = header_size + len(body)
        w, h = scene.width, scene.height
        frame = (0, 0, round(w * 2540 / dpi), round(h * 2540 / dpi))
        dev = (1024, 768)
        mm = (round(dev[0] * 25.4 / dpi), round(dev[1] * 25.4 / dpi))
        header = struct.pack("<II", 1, header_size)
        header += struct.pack("<iiii", 0, 0, w - 1, h - 1)
        header += struct.pack("<iiii", *frame)
        header += struct.pack("<IIIIHHIIIiiii", 0x464D4520, 0x10000, total, len(self.records) + 1,
                              self.handles.peak + 1, 0, 0, 0, 0, dev[0], dev[1], mm[0], mm[1])
        header += struct.pack("<IIIii", 0, 0, 0, mm[0] * 1000, mm[1] * 1000)
        assert len(header) == header_size
        with open(path, "wb") as fh:
            fh.write(header + body)


def write_emf(scene, path):
    EmfWriter().save(scene, path)


# --------------------------------------------------------------------------- drawing parts

def cloud(sc, cx, cy, label):
    for dx, dy, r in ((-55, 8, 34), (-20, -14, 40), (25, -10, 36), (58, 10, 30), (0, 16, 38)):
        sc.ellipse(cx + dx - r, cy + dy - r, 2 * r, 2 * r, fill=SKY, outline=None)
    sc.text(cx, cy - 6, label, 17, NAVY, bold=True, align="center")


def router(sc, cx, cy, label=None):
    sc.ellipse(cx - 34, cy - 16, 68, 32, fill=BLUE, outline=NAVY)
    for ax, ay, bx, by in ((-20, -6, -6, -6), (6, 6, 20, 6)):
        sc.line(cx + ax, cy + ay, cx + bx, cy + by, WHITE, 3)
    sc.polygon([(cx - 6, cy - 10), (cx - 6, cy - 2), (cx, cy - 6)], fill=WHITE, outline=None)
    sc.polygon([(cx + 6, cy + 2), (cx + 6, cy + 10), (cx, cy + 6)], fill=WHITE, outline=None)
    if label:
        sc.text(cx, cy + 20, label, 14, BLACK, bold=True, align="center")


def switch(sc, cx, cy, label=None, ports=8):
    sc.rect(cx - 70, cy - 14, 140, 28, fill=NAVY, outline=None)
    for i in range(ports):
        sc.rect(cx - 60 + i * 15, cy - 5, 10, 10, fill=LIGHT, outline=None)
    if label:
        sc.text(cx + 80, cy - 9, label, 14, BLACK, bold=True)


def computer(sc, cx, top, lines):
    sc.rect(cx - 30, top, 60, 40, fill=LIGHT, outline=BLACK)
    sc.rect(cx - 24, top + 6, 48, 28, fill=SKY, outline=None)
    sc.rect(cx - 5, top + 40, 10, 8, fill=GREY, outline=None)
    sc.rect(cx - 20, top + 48, 40, 5, fill=GREY, outline=None)
    for i, t in enumerate(lines):
        sc.text(cx, top + 58 + i * 17, t, 13, BLACK, bold=(i == 0), align="center")


def server(sc, cx, top, lines):
    sc.rect(cx - 22, top, 44, 56, fill=LIGHT, outline=BLACK)
    for i in range(3):
        sc.line(cx - 14, top + 12 + i * 10, cx + 14, top + 12 + i * 10, GREY, 2)
    sc.ellipse(cx + 8, top + 44, 6, 6, fill=GREEN, outline=None)
    for i, t in enumerate(lines):
        sc.text(cx, top + 62 + i * 17, t, 13, BLACK, bold=(i == 0), align="center")


def window(sc, title, lines, width, font_size=15, line_gap=20, value_x=None):
    """A terminal-like window: title bar, then monospaced lines.

    A line given as (label, value) is drawn in two columns, the value starting at value_x,
    so that the columns stay aligned whatever font a reader substitutes."""
    sc.rect(0, 0, width, sc.height, fill=WHITE, outline=GREY, width=2)
    sc.rect(0, 0, width, 28, fill=NAVY, outline=None)
    sc.text(12, 6, title, 14, WHITE, bold=True)
    for i, t in enumerate(lines):
        y = 40 + i * line_gap
        if isinstance(t, tuple):
            sc.text(14, y, t[0], font_size, NAVY, bold=True)
            sc.text(value_x, y, t[1], font_size, BLACK, font="mono")
        else:
            sc.text(14, y, t, font_size, BLACK, font="mono")


def table(sc, x, y, col_widths, rows, row_h=30, size=14):
    """A ruled table; rows[0] is the heading row."""
    total = sum(col_widths)
    sc.rect(x, y, total, row_h, fill=NAVY, outline=None)
    for r, row in enumerate(rows):
        ty = y + r * row_h
        if r > 0 and r % 2 == 0:
            sc.rect(x, ty, total, row_h, fill=PANEL, outline=None)
        cx = x
        for c, cell in enumerate(row):
            sc.text(cx + 8, ty + 7, cell, size, WHITE if r == 0 else BLACK,
                    font="sans" if r == 0 else "mono", bold=(r == 0))
            cx += col_widths[c]
    sc.rect(x, y, total, row_h * len(rows), fill=None, outline=GREY, width=1)
    cx = x
    for w in col_widths[:-1]:
        cx += w
        sc.line(cx, y, cx, y + row_h * len(rows), GREY, 1)


# --------------------------------------------------------------------------- the pictures

def diag_office_lan():
    sc = Scene(640, 420)
    cloud(sc, 320, 55, "Internet")
    sc.line(320, 92, 320, 140, BLACK, 3)
    router(sc, 320, 156, None)
    sc.text(370, 142, "Router", 14, BLACK, bold=True)
    sc.text(370, 160, "LAN interface 192.168.10.1/24", 13, BLACK)
    sc.line(320, 172, 320, 236, BLACK, 3)
    switch(sc, 320, 250, "Switch")
    sc.polyline([(290, 264), (290, 290), (180, 290), (180, 312)], BLACK, 3)
    sc.polyline([(350, 264), (350, 290), (460, 290), (460, 308)], BLACK, 3)
    computer(sc, 180, 312, ["Workstation", "192.168.10.25/24"])
    server(sc, 460, 308, ["File and DNS server", "192.168.10.5/24"])
    return sc


def out_adapter_config():
    sc = Scene(560, 250)
    window(sc, "Adapter settings - Ethernet 1", [
        ("Link status", "up, 1 Gb/s, full duplex"),
        ("Address source", "manual"),
        ("IPv4 address", "192.168.10.25"),
        ("Subnet mask", "255.255.255.0"),
        ("Default gateway", "192.168.1.1"),
        ("DNS server", "192.168.10.5"),
        ("MAC address", "3C-52-82-1A-07-E4"),
    ], 560, font_size=15, line_gap=28, value_x=190)
    return sc


T568A = ["white/green", "green", "white/orange", "blue", "white/blue", "orange", "white/brown", "brown"]
T568B = ["white/orange", "orange", "white/green", "blue", "white/blue", "green", "white/brown", "brown"]
WIRE = {"green": (30, 140, 60), "orange": (235, 120, 20), "blue": (30, 80, 200), "brown": (120, 70, 30)}


def wire_swatch(sc, x, y, name, w=60, h=14):
    base = name.split("/")[-1]
    if name.startswith("white/"):
        sc.rect(x, y, w, h, fill=WHITE, outline=None)
        for k in range(0, w, 14):
            sc.rect(x + k, y, 6, h, fill=WIRE[base], outline=None)
    else:
        sc.rect(x, y, w, h, fill=WIRE[base], outline=None)
    sc.rect(x, y, w, h, fill=None, outline=GREY, width=1)


def cable_pinout_ab():
    sc = Scene(640, 400)
    sc.text(320, 14, "Twisted-pair patch cable: wire color on each pin", 16, NAVY, bold=True, align="center")
    for side, (x0, colours, title) in enumerate(((40, T568A, "End 1"), (360, T568B, "End 2"))):
        sc.text(x0 + 120, 50, title, 16, BLACK, bold=True, align="center")
        sc.rect(x0, 78, 240, 8 * 34 + 12, fill=PANEL, outline=GREY, width=1)
        for pin, colour in enumerate(colours):
            y = 90 + pin * 34
            sc.text(x0 + 14, y + 2, "Pin %d" % (pin + 1), 15, BLACK, bold=True)
            wire_swatch(sc, x0 + 80, y + 4, colour)
            sc.text(x0 + 150, y + 2, colour, 14, BLACK)
    sc.rect(280, 206, 80, 12, fill=(90, 110, 140), outline=None)
    sc.text(320, 184, "cable", 13, GREY, align="center")
    return sc


def topo_mesh():
    sc = Scene(560, 440)
    cx, cy, r = 280, 215, 165
    pts = []
    for i, name in enumerate("ABCDE"):
        a = -math.pi / 2 + i * 2 * math.pi / 5
        pts.append((round(cx + r * math.cos(a)), round(cy + r * math.sin(a)), name))
    for i in range(5):
        for j in range(i + 1, 5):
            sc.line(pts[i][0], pts[i][1], pts[j][0], pts[j][1], BLUE, 3)
    for x, y, name in pts:
        router(sc, x, y)
        sc.rect(x - 30, y + 20, 60, 20, fill=WHITE, outline=None)
        sc.text(x, y + 21, "Site " + name, 15, BLACK, bold=True, align="center")
    return sc


def conn_rj45():
    sc = Scene(256, 256, background=None)
    sc.rect(108, 170, 40, 80, fill=(70, 110, 170), outline=None)          # cable
    sc.polygon([(70, 40), (186, 40), (186, 176), (70, 176)], fill=(225, 232, 240), outline=(120, 130, 145), width=3)
    for i in range(8):
        x = 80 + i * 13
        sc.rect(x, 44, 8, 40, fill=(212, 175, 55), outline=(150, 120, 30), width=1)
    colours = ["white/orange", "orange", "white/green", "blue", "white/blue", "green", "white/brown", "brown"]
    for i, c in enumerate(colours):
        base = WIRE[c.split("/")[-1]]
        sc.rect(81 + i * 13, 92, 6, 80, fill=base if not c.startswith("white") else (245, 245, 245), outline=None)
        if c.startswith("white"):
            for k in range(92, 172, 16):
                sc.rect(81 + i * 13, k, 6, 7, fill=base, outline=None)
    sc.polygon([(100, 176), (156, 176), (150, 212), (106, 212)], fill=(200, 210, 222), outline=(120, 130, 145), width=2)
    sc.polygon([(106, 40), (150, 40), (144, 16), (112, 16)], fill=(200, 210, 222), outline=(120, 130, 145), width=2)
    return sc


def conn_lc_duplex():
    sc = Scene(256, 256, background=None)
    for x in (62, 138):
        sc.rect(x + 14, 150, 28, 100, fill=(0, 170, 190), outline=None)   # aqua multimode jacket
        sc.polygon([(x + 4, 128), (x + 52, 128), (x + 46, 172), (x + 10, 172)], fill=(230, 230, 230), outline=GREY)
        sc.rect(x, 70, 56, 60, fill=(235, 235, 235), outline=GREY, width=2)
        sc.rect(x + 20, 30, 16, 42, fill=(250, 248, 240), outline=GREY, width=2)  # ceramic ferrule
        sc.ellipse(x + 24, 24, 8, 8, fill=(250, 248, 240), outline=GREY, width=1)
    sc.rect(62, 100, 132, 14, fill=(200, 200, 200), outline=GREY, width=2)  # duplex clip
    sc.polygon([(100, 70), (156, 70), (150, 52), (106, 52)], fill=(215, 215, 215), outline=GREY, width=2)
    return sc


def conn_bnc():
    sc = Scene(256, 256, background=None)
    sc.rect(200, 112, 56, 32, fill=(30, 30, 30), outline=None)               # thin coax
    sc.polygon([(150, 106), (204, 110), (204, 146), (150, 150)], fill=(60, 60, 60), outline=None)  # boot
    sc.rect(60, 84, 94, 88, fill=(200, 200, 205), outline=(110, 110, 120), width=3)  # bayonet sleeve
    for k in range(0, 88, 12):
        sc.line(110, 84 + k, 150, 84 + k, (150, 150, 160), 2)                    # knurling
    sc.polygon([(60, 110), (88, 110), (96, 124), (60, 124)], fill=(120, 120, 130), outline=None)  # J slot
    sc.rect(30, 96, 32, 64, fill=(220, 220, 225), outline=(110, 110, 120), width=3)   # mating body
    sc.rect(10, 122, 24, 12, fill=(212, 175, 55), outline=(150, 120, 30), width=1)     # center pin
    return sc


def tbl_routes():
    sc = Scene(620, 250)
    sc.text(14, 10, "Routing table of R1", 17, NAVY, bold=True)
    table(sc, 14, 38, [190, 170, 110, 110], [
        ["Destination", "Next hop", "Interface", "Metric"],
        ["0.0.0.0/0", "203.0.113.1", "wan0", "1"],
        ["10.20.0.0/16", "10.0.0.2", "lan1", "2"],
        ["10.20.5.0/24", "10.0.0.6", "lan2", "3"],
        ["10.30.0.0/16", "10.0.0.10", "lan3", "2"],
        ["10.0.0.0/30", "directly connected", "lan1", "0"],
        ["10.0.0.4/30", "directly connected", "lan2", "0"],
        ["10.0.0.8/30", "directly connected", "lan3", "0"],
    ], row_h=25, size=13)
    return sc


def diag_subnets():
    sc = Scene(680, 400)
    router(sc, 340, 60)
    sc.text(340, 80, "R1", 15, BLACK, bold=True, align="center")
    sc.line(306, 60, 180, 60, BLACK, 3)
    sc.line(374, 60, 500, 60, BLACK, 3)
    sc.text(186, 34, "192.168.1.1/24", 13, BLACK)
    sc.text(386, 34, "192.168.2.1/24", 13, BLACK)
    sc.line(180, 60, 180, 150, BLACK, 3)
    sc.line(500, 60, 500, 150, BLACK, 3)
    switch(sc, 180, 164)
    switch(sc, 500, 164)
    sc.text(190, 112, "LAN A", 15, NAVY, bold=True)
    sc.text(510, 112, "LAN B", 15, NAVY, bold=True)
    for x1, x2 in ((150, 100), (210, 260)):
        sc.polyline([(x1, 178), (x1, 200), (x2, 200), (x2, 222)], BLACK, 2)
    for x1, x2 in ((470, 420), (530, 580)):
        sc.polyline([(x1, 178), (x1, 200), (x2, 200), (x2, 222)], BLACK, 2)
    computer(sc, 100, 222, ["Host A", "192.168.1.10/24", "gw 192.168.1.1"])
    computer(sc, 260, 222, ["Host B", "192.168.1.11/24", "gw 192.168.1.1"])
    computer(sc, 420, 222, ["Host C", "192.168.2.20/24", "gw 192.168.2.1"])
    computer(sc, 580, 222, ["Host D", "192.168.1.30/24", "gw 192.168.2.1"])
    return sc


def tbl_dhcp_scope():
    sc = Scene(600, 270)
    sc.text(14, 12, "DHCP scope \"Office\"", 17, NAVY, bold=True)
    table(sc, 14, 44, [250, 320], [
        ["Setting", "Value"],
        ["Subnet", "10.1.1.0/24"],
        ["Address pool", "10.1.1.50 - 10.1.1.199"],
        ["Lease time", "8 days"],
        ["Option 3 (router)", "10.1.1.1"],
        ["Option 6 (DNS servers)", "10.1.1.10, 10.1.1.11"],
    ], row_h=34)
    return sc


def port_stats():
    sc = Scene(520, 300)
    window(sc, "Switch port 7 - status and counters", [
        ("Link", "up"),
        ("Speed", "100 Mb/s"),
        ("Duplex", "half"),
        ("Frames in / out", "1 204 551 / 988 302"),
        ("Collisions", "14 870"),
        ("Late collisions", "2 317"),
        ("CRC errors", "0"),
        ("Runts", "0"),
    ], 520, font_size=15, line_gap=30, value_x=200)
    return sc


def out_traceroute():
    sc = Scene(640, 300)
    window(sc, "Terminal", [
        "$ traceroute www.example.net",
        "traceroute to www.example.net (198.51.100.20), 30 hops max",
        " 1  192.168.1.1     0.6 ms   0.5 ms   0.5 ms",
        " 2  10.40.0.1       4.1 ms   3.9 ms   4.3 ms",
        " 3  * * *",
        " 4  * * *",
        " 5  * * *",
        "   ...",
        "30  * * *",
    ], 640, font_size=14, line_gap=27)
    return sc


def out_ping_unreach():
    sc = Scene(620, 230)
    window(sc, "Terminal", [
        "$ ping -c 3 10.5.5.5",
        "PING 10.5.5.5 (10.5.5.5) 56(84) bytes of data.",
        "From 192.168.1.1 icmp_seq=1 Destination Net Unreachable",
        "From 192.168.1.1 icmp_seq=2 Destination Net Unreachable",
        "From 192.168.1.1 icmp_seq=3 Destination Net Unreachable",
        "",
        "--- 10.5.5.5 ping statistics ---",
        "3 packets transmitted, 0 received, +3 errors, 100% packet loss",
    ], 620, font_size=14, line_gap=22)
    return sc


def out_nslookup():
    sc = Scene(520, 200)
    window(sc, "Terminal", [
        "$ nslookup intranet.example.com",
        "Server:     10.1.1.10",
        "Address:    10.1.1.10#53",
        "",
        "** server can't find intranet.example.com:",
        "   NXDOMAIN",
    ], 520, font_size=15, line_gap=25)
    return sc


def out_netstat():
    sc = Scene(600, 250)
    window(sc, "Terminal", [
        "$ netstat -ltn",
        "Active Internet connections (only servers)",
        "Proto Local Address     Foreign Address   State",
        "tcp   0.0.0.0:22        0.0.0.0:*         LISTEN",
        "tcp   0.0.0.0:443       0.0.0.0:*         LISTEN",
        "tcp   127.0.0.1:5432    0.0.0.0:*         LISTEN",
        "tcp6  :::22             :::*              LISTEN",
        "tcp6  :::443            :::*              LISTEN",
    ], 600, font_size=15, line_gap=25)
    return sc


def label_box(sc, x, y, w, h, lines, fill=PANEL):
    """A rounded-looking box with centered lines of text: a device or an area in a diagram."""
    sc.rect(x, y, w, h, fill=fill, outline=NAVY, width=2)
    for i, t in enumerate(lines):
        sc.text(x + w // 2, y + 8 + i * 17, t, 13, BLACK, bold=(i == 0), align="center")


def diag_vlan_trunk():
    sc = Scene(660, 330)
    switch(sc, 170, 90)
    switch(sc, 490, 90)
    sc.text(170, 52, "SW1", 15, NAVY, bold=True, align="center")
    sc.text(490, 52, "SW2", 15, NAVY, bold=True, align="center")
    sc.line(240, 90, 420, 90, BLUE, 5)
    sc.text(330, 62, "802.1Q trunk", 14, BLUE, bold=True, align="center")
    sc.text(330, 100, "port 24 - port 24", 13, BLACK, align="center")
    for cx, sx, lines in ((90, 140, ["PC1", "VLAN 10", "10.10.0.11/24"]),
                          (250, 200, ["PC2", "VLAN 20", "10.20.0.12/24"]),
                          (410, 460, ["PC3", "VLAN 10", "10.10.0.13/24"]),
                          (570, 520, ["PC4", "VLAN 20", "10.20.0.14/24"])):
        sc.polyline([(sx, 104), (sx, 150), (cx, 150), (cx, 196)], BLACK, 2)
        computer(sc, cx, 196, lines)
    return sc


def out_trunk_status():
    sc = Scene(560, 230)
    window(sc, "SW2 - port 24 status", [
        ("Link", "up, 1 Gb/s, full duplex"),
        ("Mode", "trunk (802.1Q)"),
        ("Native VLAN", "1"),
        ("Allowed VLANs", "1, 10, 30"),
        ("Forwarding VLANs", "1, 10, 30"),
        ("Spanning tree", "forwarding"),
    ], 560, font_size=15, line_gap=30, value_x=210)
    return sc


def stp_switch(sc, cx, cy, name, priority, mac, above=False):
    switch(sc, cx, cy)
    ty = cy - 76 if above else cy + 20
    sc.text(cx, ty, name, 15, NAVY, bold=True, align="center")
    sc.text(cx, ty + 18, "priority " + priority, 13, BLACK, align="center")
    sc.text(cx, ty + 35, "MAC " + mac, 13, BLACK, align="center")


def diag_stp():
    sc = Scene(660, 420)
    sc.line(330, 100, 140, 300, BLUE, 3)
    sc.line(330, 100, 520, 300, BLUE, 3)
    sc.line(140, 300, 520, 300, BLUE, 3)
    stp_switch(sc, 330, 100, "SW-B", "4096", "00:1a:2b:00:00:02", above=True)
    stp_switch(sc, 140, 300, "SW-A", "32768", "00:1a:2b:00:00:01")
    stp_switch(sc, 520, 300, "SW-C", "32768", "00:1a:2b:00:00:03")
    sc.text(330, 392, "All links 1 Gb/s. Spanning tree (802.1D/802.1w) runs on every switch.", 13, GREY, align="center")
    return sc


def tbl_stp_ports():
    sc = Scene(600, 230)
    sc.text(14, 10, "SW3 - spanning tree, VLAN 1", 17, NAVY, bold=True)
    table(sc, 14, 40, [90, 150, 150, 80, 100], [
        ["Port", "Role", "State", "Cost", "Link"],
        ["1", "Root", "Forwarding", "4", "1 Gb/s"],
        ["2", "Designated", "Forwarding", "4", "1 Gb/s"],
        ["3", "Alternate", "Blocking", "4", "1 Gb/s"],
        ["5", "Designated", "Forwarding", "19", "100 Mb/s"],
    ], row_h=32)
    return sc


def tbl_wifi_survey():
    sc = Scene(620, 270)
    sc.text(14, 10, "Site survey, suite 3B: networks heard in 2.4 GHz", 17, NAVY, bold=True)
    table(sc, 14, 40, [200, 110, 160, 120], [
        ["Network name", "Channel", "Signal", "Security"],
        ["CafeNet", "1", "-49 dBm", "WPA2"],
        ["Suite3A-Staff", "1", "-58 dBm", "WPA3"],
        ["PrintShop", "6", "-52 dBm", "WPA2"],
        ["Lobby-Guest", "6", "-66 dBm", "open"],
        ["DentalCare", "11", "-86 dBm", "WPA2"],
    ], row_h=34)
    return sc


def access_point(sc, cx, cy, name, channel):
    sc.ellipse(cx - 105, cy - 105, 210, 210, fill=None, outline=BLUE, width=2)
    sc.rect(cx - 22, cy - 10, 44, 20, fill=NAVY, outline=None)
    sc.line(cx - 14, cy - 10, cx - 18, cy - 26, NAVY, 3)
    sc.line(cx + 14, cy - 10, cx + 18, cy - 26, NAVY, 3)
    sc.text(cx, cy + 16, name, 14, BLACK, bold=True, align="center")
    sc.text(cx, cy + 34, "channel " + channel, 13, BLACK, align="center")


def diag_floor_aps():
    sc = Scene(740, 330)
    sc.rect(10, 40, 720, 260, fill=PANEL, outline=GREY, width=2)
    sc.text(370, 10, "Second floor, 2.4 GHz cells (20 MHz channels)", 16, NAVY, bold=True, align="center")
    for cx, name, ch in ((130, "AP1", "1"), (290, "AP2", "6"), (450, "AP3", "6"), (610, "AP4", "1")):
        access_point(sc, cx, 165, name, ch)
    return sc


def out_syslog():
    sc = Scene(660, 250)
    window(sc, "Syslog server - messages from sw-floor3", [
        "Mar 14 09:12:07 sw-floor3 <3> port 17: link down",
        "Mar 14 09:12:09 sw-floor3 <5> port 17: link up, 1 Gb/s full",
        "Mar 14 09:12:31 sw-floor3 <3> port 17: link down",
        "Mar 14 09:12:34 sw-floor3 <5> port 17: link up, 1 Gb/s full",
        "Mar 14 09:12:58 sw-floor3 <3> port 17: link down",
        "Mar 14 09:13:00 sw-floor3 <5> port 17: link up, 1 Gb/s full",
        "Mar 14 09:13:26 sw-floor3 <3> port 17: link down",
    ], 660, font_size=14, line_gap=27)
    return sc


def tbl_netflow():
    sc = Scene(680, 260)
    sc.text(14, 10, "Flow collector: top talkers on the Internet uplink, 09:00-09:15", 16, NAVY, bold=True)
    table(sc, 14, 40, [150, 170, 120, 100, 110], [
        ["Source", "Destination", "Protocol", "Port", "Bytes"],
        ["10.1.4.77", "198.51.100.80", "TCP", "443", "38.6 G"],
        ["10.1.2.15", "203.0.113.25", "TCP", "443", "0.9 G"],
        ["10.1.3.40", "192.0.2.53", "UDP", "53", "0.1 G"],
        ["10.1.2.31", "203.0.113.25", "TCP", "443", "0.1 G"],
        ["10.1.5.12", "198.51.100.9", "TCP", "993", "0.1 G"],
    ], row_h=32)
    return sc


def out_ipv6_config():
    sc = Scene(660, 250)
    window(sc, "Adapter settings - Ethernet 1 (IPv6)", [
        ("Physical address", "5C-1E-7A-3B-9A-10"),
        ("IPv6 address", "2001:db8:acad:1:5e1e:7aff:fe3b:9a10"),
        ("Temporary IPv6", "2001:db8:acad:1:d4f2:11b9:6e0a:3c27"),
        ("Link-local IPv6", "fe80::5e1e:7aff:fe3b:9a10"),
        ("Prefix length", "64"),
        ("Default gateway", "fe80::1"),
    ], 660, font_size=15, line_gap=30, value_x=200)
    return sc


def out_arp_table():
    sc = Scene(560, 230)
    window(sc, "Terminal", [
        "C:\\> arp -a",
        "Interface: 192.168.20.35",
        "  Internet Address   Physical Address    Type",
        "  192.168.20.1       00-50-56-c0-00-08   dynamic",
        "  192.168.20.10      3c-52-82-4b-11-20   dynamic",
        "  192.168.20.44      00-50-56-c0-00-08   dynamic",
        "  192.168.20.255     ff-ff-ff-ff-ff-ff   static",
    ], 560, font_size=14, line_gap=25)
    return sc


def tbl_qos_classes():
    sc = Scene(660, 240)
    sc.text(14, 10, "WAN router: outbound traffic classes on the 20 Mb/s link", 16, NAVY, bold=True)
    table(sc, 14, 40, [120, 170, 110, 230], [
        ["Class", "Matches", "DSCP", "Queue"],
        ["Voice", "DSCP 46", "EF", "priority, 20 %"],
        ["Video", "DSCP 34", "AF41", "30 %"],
        ["Business", "DSCP 18", "AF21", "25 %"],
        ["Default", "everything else", "0", "25 %, dropped first"],
    ], row_h=34)
    return sc


def out_lag_status():
    sc = Scene(600, 230)
    window(sc, "Switch - link aggregation group 1 (LACP)", [
        "Port   Speed      Duplex   LACP state",
        "1      1 Gb/s     full     bundled",
        "2      1 Gb/s     full     bundled",
        "3      1 Gb/s     full     bundled",
        "4      100 Mb/s   full     suspended",
        "",
        "Load balancing: source and destination IP",
    ], 600, font_size=15, line_gap=25)
    return sc


def diag_cloud_vnet():
    sc = Scene(700, 420)
    sc.rect(10, 10, 680, 400, fill=PANEL, outline=BLUE, width=2)
    sc.text(24, 20, "Cloud virtual network 10.50.0.0/16", 16, NAVY, bold=True)
    label_box(sc, 560, 40, 120, 40, ["Internet", "gateway"], fill=SKY)
    for x, title, vm, routes in (
            (30, "Public subnet 10.50.1.0/24", ["web01", "10.50.1.10", "public IP 203.0.113.70"],
             ["Route table", "10.50.0.0/16  local", "0.0.0.0/0  Internet gateway"]),
            (360, "Private subnet 10.50.2.0/24", ["db01", "10.50.2.20", "no public IP"],
             ["Route table", "10.50.0.0/16  local"])):
        sc.rect(x, 100, 310, 290, fill=WHITE, outline=NAVY, width=2)
        sc.text(x + 155, 110, title, 14, NAVY, bold=True, align="center")
        server(sc, x + 155, 142, vm)
        sc.rect(x + 20, 282, 270, 26 + 17 * (len(routes) - 1), fill=LIGHT, outline=None)
        for i, line in enumerate(routes):
            sc.text(x + 30, 288 + i * 17, line, 13, BLACK, font="mono" if i else "sans", bold=(i == 0))
    sc.line(340, 60, 560, 60, BLUE, 3)
    sc.line(185, 60, 185, 100, BLUE, 3)
    sc.line(185, 60, 340, 60, BLUE, 3)
    return sc


def tbl_route_sources():
    sc = Scene(640, 220)
    sc.text(14, 10, "R2: routes to 172.16.8.0/24 offered by each source", 16, NAVY, bold=True)
    table(sc, 14, 40, [150, 150, 170, 130], [
        ["Source", "Next hop", "Admin distance", "Metric"],
        ["Static", "10.1.1.2", "1", "0"],
        ["OSPF", "10.1.2.2", "110", "20"],
        ["RIP", "10.1.3.2", "120", "2"],
    ], row_h=34)
    return sc


def out_traceroute_loop():
    sc = Scene(600, 260)
    window(sc, "Terminal", [
        "$ traceroute 172.31.9.9",
        " 1  10.0.0.1      0.7 ms   0.6 ms   0.6 ms",
        " 2  10.9.9.2      2.1 ms   2.0 ms   2.2 ms",
        " 3  10.9.9.1      2.9 ms   3.0 ms   2.8 ms",
        " 4  10.9.9.2      3.8 ms   3.9 ms   3.7 ms",
        " 5  10.9.9.1      4.6 ms   4.5 ms   4.7 ms",
        " 6  10.9.9.2      5.4 ms   5.5 ms   5.3 ms",
        "   ...",
    ], 600, font_size=14, line_gap=26)
    return sc


def tbl_change_request():
    sc = Scene(660, 330)
    sc.text(14, 10, "Change request CR-2291", 17, NAVY, bold=True)
    table(sc, 14, 40, [190, 430], [
        ["Field", "Entry"],
        ["Summary", "Upgrade firmware on both core switches"],
        ["Reason", "Vendor fix for a memory leak"],
        ["Risk", "Medium: core reloads, about 10 min each"],
        ["Window", "Saturday 22:00 - 02:00"],
        ["Test plan", "Ping core servers, check uplinks"],
        ["Back-out plan", "(none given)"],
        ["Approval", "Pending"],
    ], row_h=33)
    return sc


def tbl_firewall_rules():
    sc = Scene(680, 240)
    sc.text(14, 10, "Perimeter firewall: inbound rules, checked top to bottom", 16, NAVY, bold=True)
    table(sc, 14, 40, [60, 90, 140, 170, 170], [
        ["No.", "Action", "Source", "Destination", "Service"],
        ["1", "deny", "any", "any", "any"],
        ["2", "allow", "any", "203.0.113.10", "TCP 443"],
        ["3", "allow", "any", "203.0.113.11", "TCP 25"],
        ["4", "allow", "198.51.100.7", "203.0.113.12", "TCP 22"],
    ], row_h=34)
    return sc


def diag_rack():
    sc = Scene(520, 560)
    sc.text(260, 8, "Rack MDF-2 (front view)", 16, NAVY, bold=True, align="center")
    sc.rect(50, 36, 220, 510, fill=(60, 60, 66), outline=BLACK, width=3)
    units = [(42, 1, "Patch panel A (ports 1-24)", LIGHT), (41, 1, "Patch panel B (ports 25-48)", LIGHT),
             (40, 1, "Switch SW-ACC-1 (48 port)", SKY), (39, 1, "Switch SW-ACC-2 (48 port)", SKY),
             (38, 1, "Cable manager", GREY), (36, 1, "Router RTR-EDGE", SKY), (35, 1, "Firewall FW-1", AMBER),
             (32, 2, "Server SRV-FILE", LIGHT), (29, 2, "Server SRV-BACKUP", LIGHT), (3, 2, "UPS 3 kVA", AMBER)]
    top, unit_h = 40, 12
    for u in range(1, 43):
        y = top + (42 - u) * unit_h
        if u % 3 == 0:
            sc.text(34, y - 1, str(u), 10, BLACK, align="center")
    for u, size, name, color in units:
        y = top + (42 - u) * unit_h
        sc.rect(60, y, 200, unit_h * size, fill=color, outline=BLACK, width=1)
        sc.text(280, y + unit_h * size // 2 - 7, "U%d  %s" % (u, name), 11, BLACK)
    sc.text(34, 20, "U", 12, BLACK, bold=True, align="center")
    return sc


def conn_sc():
    sc = Scene(256, 256, background=None)
    sc.rect(112, 176, 32, 76, fill=(240, 200, 40), outline=None)            # yellow single-mode jacket
    sc.polygon([(100, 150), (156, 150), (150, 190), (106, 190)], fill=(60, 90, 200), outline=None)  # boot
    sc.rect(78, 60, 100, 96, fill=(40, 90, 210), outline=(20, 50, 130), width=3)  # square blue housing
    sc.rect(92, 74, 72, 68, fill=(70, 120, 230), outline=None)
    sc.rect(118, 22, 20, 46, fill=(250, 248, 240), outline=GREY, width=2)   # ferrule
    sc.ellipse(122, 16, 12, 12, fill=(250, 248, 240), outline=GREY, width=1)
    return sc


def conn_f_type():
    sc = Scene(256, 256, background=None)
    sc.rect(190, 108, 66, 40, fill=(25, 25, 25), outline=None)              # coax jacket
    sc.rect(150, 104, 46, 48, fill=(190, 190, 195), outline=(110, 110, 120), width=2)  # crimp sleeve
    sc.polygon([(80, 92), (150, 92), (150, 164), (80, 164)], fill=(205, 205, 210), outline=(110, 110, 120), width=3)
    for k in range(92, 164, 12):
        sc.line(80, k, 150, k, (150, 150, 160), 2)                              # hex nut faces
    sc.rect(40, 108, 44, 40, fill=(215, 215, 220), outline=(110, 110, 120), width=2)  # threaded barrel
    for k in range(44, 84, 8):
        sc.line(k, 108, k + 4, 148, (140, 140, 150), 2)                         # thread
    sc.rect(8, 124, 34, 8, fill=(200, 120, 60), outline=None)                # bare center conductor
    return sc


def conn_st():
    sc = Scene(256, 256, background=None)
    sc.rect(188, 114, 68, 28, fill=(0, 170, 190), outline=None)             # aqua jacket
    sc.polygon([(150, 106), (192, 112), (192, 144), (150, 150)], fill=(30, 30, 30), outline=None)  # boot
    sc.rect(80, 90, 74, 76, fill=(200, 200, 205), outline=(110, 110, 120), width=3)  # bayonet ring
    for k in range(84, 154, 10):
        sc.line(k, 90, k, 166, (150, 150, 160), 2)                               # knurling
    sc.polygon([(80, 110), (104, 110), (112, 124), (80, 124)], fill=(120, 120, 130), outline=None)  # bayonet slot
    sc.rect(56, 112, 26, 32, fill=(190, 190, 195), outline=(110, 110, 120), width=2)  # body
    sc.rect(16, 120, 42, 16, fill=(250, 248, 240), outline=GREY, width=2)    # long round ferrule
    return sc


def mod_sfp():
    sc = Scene(256, 256, background=None)
    sc.polygon([(40, 70), (200, 70), (200, 186), (40, 186)], fill=(200, 204, 210), outline=(100, 104, 112), width=3)
    sc.rect(40, 70, 160, 24, fill=(170, 175, 185), outline=None)
    for i in range(10):
        sc.rect(48 + i * 14, 160, 8, 22, fill=(212, 175, 55), outline=None)   # edge contacts
    sc.rect(196, 98, 40, 56, fill=(30, 30, 30), outline=None)               # optical end with two ports
    sc.rect(206, 106, 22, 16, fill=(90, 90, 90), outline=None)
    sc.rect(206, 130, 22, 16, fill=(90, 90, 90), outline=None)
    sc.polyline([(236, 96), (250, 96), (250, 156), (236, 156)], (30, 80, 200), 5)  # pull bail
    sc.text(120, 120, "1000BASE-LX", 14, BLACK, bold=True, align="center")
    return sc


def ant_yagi():
    sc = Scene(256, 256, background=None)
    sc.rect(118, 130, 12, 120, fill=(120, 120, 128), outline=None)          # mast
    sc.line(20, 128, 236, 128, (90, 90, 100), 6)                            # boom
    for k, half in enumerate((54, 46, 42, 40, 38, 36, 34, 32)):
        x = 32 + k * 27
        sc.line(x, 128 - half, x, 128 + half, (60, 60, 70), 4)              # elements
    sc.rect(56, 120, 18, 16, fill=(30, 30, 30), outline=None)               # feed box
    return sc


PICTURES = [
    ("diag-office-lan.bmp", diag_office_lan, write_bmp),
    ("cable-pinout.bmp", cable_pinout_ab, write_bmp),
    ("topo-mesh.bmp", topo_mesh, write_bmp),
    ("conn-rj45.ico", conn_rj45, write_ico),
    ("conn-lc-duplex.ico", conn_lc_duplex, write_ico),
    ("conn-bnc.ico", conn_bnc, write_ico),
    ("tbl-routes.wmf", tbl_routes, write_wmf),
    ("diag-subnets.wmf", diag_subnets, write_wmf),
    ("tbl-dhcp-scope.wmf", tbl_dhcp_scope, write_wmf),
    ("port-stats.wmf", port_stats, write_wmf),
    ("out-adapter-config.emf", out_adapter_config, write_emf),
    ("out-traceroute.emf", out_traceroute, write_emf),
    ("out-ping-unreach.emf", out_ping_unreach, write_emf),
    ("out-nslookup.emf", out_nslookup, write_emf),
    ("out-netstat.emf", out_netstat, write_emf),
    ("diag-vlan-trunk.bmp", diag_vlan_trunk, write_bmp),
    ("diag-stp.bmp", diag_stp, write_bmp),
    ("diag-floor-aps.bmp", diag_floor_aps, write_bmp),
    ("diag-cloud-vnet.bmp", diag_cloud_vnet, write_bmp),
    ("diag-rack.bmp", diag_rack, write_bmp),
    ("conn-sc.ico", conn_sc, write_ico),
    ("conn-f-type.ico", conn_f_type, write_ico),
    ("conn-st.ico", conn_st, write_ico),
    ("mod-sfp.ico", mod_sfp, write_ico),
    ("ant-yagi.ico", ant_yagi, write_ico),
    ("tbl-stp-ports.wmf", tbl_stp_ports, write_wmf),
    ("tbl-wifi-survey.wmf", tbl_wifi_survey, write_wmf),
    ("tbl-netflow.wmf", tbl_netflow, write_wmf),
    ("tbl-qos-classes.wmf", tbl_qos_classes, write_wmf),
    ("tbl-route-sources.wmf", tbl_route_sources, write_wmf),
    ("tbl-change-request.wmf", tbl_change_request, write_wmf),
    ("tbl-firewall-rules.wmf", tbl_firewall_rules, write_wmf),
    ("out-trunk-status.emf", out_trunk_status, write_emf),
    ("out-syslog.emf", out_syslog, write_emf),
    ("out-ipv6-config.emf", out_ipv6_config, write_emf),
    ("out-arp-table.emf", out_arp_table, write_emf),
    ("out-lag-status.emf", out_lag_status, write_emf),
    ("out-traceroute-loop.emf", out_traceroute_loop, write_emf),
]


def check(path):
    """Converts a metafile with the libwmf / libemf2svg command-line tools."""
    with tempfile.TemporaryDirectory() as tmp:
        svg = os.path.join(tmp, "out.svg")
        if path.endswith(".wmf"):
            cmd = ["wmf2svg", "-o", svg, path]
        else:
            cmd = ["emf2svg-conv", "-i", path, "-o", svg]
        res = subprocess.run(cmd, capture_output=True, text=True)
        ok = res.returncode == 0 and os.path.exists(svg) and os.path.getsize(svg) > 200
        return ok, (res.stderr or res.stdout).strip()


def main():
    want_check = "--check" in sys.argv[1:]
    failed = False
    for name, make, writer in PICTURES:
        path = os.path.join(HERE, name)
        scene = make()
        assert scene.width <= 800 and scene.height <= 600
        writer(scene, path)
        line = "%-24s %4dx%-4d %7d bytes" % (name, scene.width, scene.height, os.path.getsize(path))
        if want_check and name.endswith((".wmf", ".emf")):
            ok, msg = check(path)
            line += "  converts" if ok else "  FAILED " + msg
            failed |= not ok
        print(line)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
