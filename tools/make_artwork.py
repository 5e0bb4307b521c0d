#!/usr/bin/env python3
"""Draws the Windows program's pictures and icons: res/art/bitmap<ID>.bmp and
res/art/icon<ID>.ico, all 24 bits per pixel.

The backgrounds (157, 158, 177, 179, 180) are drawn for 192 DPI, twice their size at
100%: the program shrinks them for the window's DPI with an area filter, so
they are sharp at 100%, 125%, 150% and 200%. The link pictures are drawn at
their own size (bitmap<ID>.bmp, which the link button loads as it stands) and
twice that (bitmap<2000 + ID>.bmp, shrunk by the program like the backgrounds).
Coordinates below are pixels at 100% whatever the scale of the picture.

    python3 tools/make_artwork.py [output folder]

Shapes are drawn here with anti-aliased distance functions; text is rendered by
ImageMagick's `convert` with the DejaVu fonts (Debian's fonts-dejavu-core), so
the same fonts give the same pictures. The output is committed; run this only to
change the artwork.

Where the pictures carry text next to controls of the dialogs, the positions are
the controls' dialog-unit positions converted with the dialog font's base units
on Windows (1 unit = 1.5 pixels across, 1.625 pixels down). Where the font is
replaced by a wider one (Wine: 1.75 pixels across) the controls move right, so
nothing is drawn just right of a control or framed tightly around one.
"""

import math
import os
import re
import struct
import subprocess
import sys

FONT_REGULAR = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Palette (red, green, blue).
NAVY = (0x17, 0x33, 0x50)          # header band
NAVY_DEEP = (0x10, 0x26, 0x3D)
BLUE = (0x1F, 0x6F, 0xC5)          # accent
BLUE_LIGHT = (0x5A, 0xA9, 0xF0)
ORANGE = (0xF0, 0x8A, 0x24)        # purchase accent
ORANGE_DARK = (0xD4, 0x70, 0x10)
WHITE = (0xFF, 0xFF, 0xFF)
PAGE = (0xFF, 0xFF, 0xFF)
PANEL = (0xEE, 0xF3, 0xF8)         # left step panel
PANEL_LINE = (0xD8, 0xE2, 0xEC)
CARD = (0xF7, 0xFA, 0xFD)
CARD_LINE = (0xD3, 0xDE, 0xEA)
INK = (0x1A, 0x2A, 0x3A)           # headings
TEXT = (0x45, 0x55, 0x66)          # body text
MUTED = (0x7A, 0x8A, 0x9A)
LINK_TEXT = (0xE6, 0xF0, 0xFA)
HEADER_MUTED = (0x9F, 0xB8, 0xD2)

HEADER_HEIGHT = 50


def dlu_x(units):
    return round(units * 1.5)


def dlu_y(units):
    return round(units * 1.625)


# ---------------------------------------------------------------------------
# Distance functions: negative inside, in pixels.

def sd_round_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sd(px, py):
        qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sd


def sd_circle(cx, cy, radius):
    return lambda px, py: math.hypot(px - cx, py - cy) - radius


def sd_ring(cx, cy, radius, width):
    return lambda px, py: abs(math.hypot(px - cx, py - cy) - radius) - width / 2


def sd_segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1.0

    def sd(px, py):
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
        return math.hypot(px - ax - t * dx, py - ay - t * dy) - width / 2
    return sd


def sd_polyline(points, width):
    parts = [sd_segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda px, py: min(part(px, py) for part in parts)


def sd_convex(points):
    """A convex polygon, corners in clockwise order on screen."""
    edges = []
    for i, (ax, ay) in enumerate(points):
        bx, by = points[(i + 1) % len(points)]
        nx, ny = by - ay, ax - bx
        length = math.hypot(nx, ny) or 1.0
        edges.append((ax, ay, nx / length, ny / length))
    return lambda px, py: max((px - ax) * nx + (py - ay) * ny for ax, ay, nx, ny in edges)


def sd_union(*parts):
    return lambda px, py: min(part(px, py) for part in parts)


def sd_intersect(*parts):
    return lambda px, py: max(part(px, py) for part in parts)


def sd_subtract(shape, hole):
    return lambda px, py: max(shape(px, py), -hole(px, py))


# ---------------------------------------------------------------------------
# Text, rendered by ImageMagick as a coverage map.

_text_cache = {}


def text_mask(text, size, bold=False):
    """(width, height, coverage bytes) of one line of text."""
    key = (text, size, bold)
    if key not in _text_cache:
        label = text if not text.startswith("@") else "\\" + text
        pgm = subprocess.run(
            ["convert", "-background", "black", "-fill", "white", "-font", FONT_BOLD if bold else FONT_REGULAR,
             "-pointsize", str(size), "label:" + label, "-depth", "8", "pgm:-"],
            check=True, capture_output=True).stdout
        header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", pgm)
        width, height = int(header.group(1)), int(header.group(2))
        _text_cache[key] = (width, height, pgm[header.end():header.end() + width * height])
    return _text_cache[key]


def text_width(text, size, bold=False):
    return text_mask(text, size, bold)[0]


# ---------------------------------------------------------------------------

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    """An RGB picture of floats, drawn with coverage-weighted blending. Drawing
    calls take pixels at 100%; `scale` pixels of the picture stand for one."""

    def __init__(self, width, height, colour=WHITE, scale=1):
        self.scale = scale
        self.page_width, self.page_height = width, height  # at 100%
        self.width, self.height = width * scale, height * scale
        self.pixels = [list(colour) for _ in range(self.width * self.height)]

    def _px(self, value):
        return int(round(value * self.scale))

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        pixel = self.pixels[y * self.width + x]
        alpha = min(alpha, 1.0)
        for i in range(3):
            pixel[i] += (colour[i] - pixel[i]) * alpha

    def fill_rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        x0, y0, x1, y1 = self._px(x0), self._px(y0), self._px(x1), self._px(y1)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, alpha)

    def gradient_rect(self, x0, y0, x1, y1, top, bottom):
        x0, y0, x1, y1 = self._px(x0), self._px(y0), self._px(x1), self._px(y1)
        for y in range(max(0, y0), min(self.height, y1)):
            colour = mix(top, bottom, (y - y0) / max(1, y1 - y0 - 1))
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, 1.0)

    def shape(self, sd, box, colour, alpha=1.0, softness=1.0):
        """Fills where sd < 0, anti-aliased over `softness` pixels; box bounds the work.
        Edges stay one picture pixel soft at every scale; wider softness (a
        shadow) grows with the scale."""
        k = self.scale
        x0, y0, x1, y1 = (int(math.floor(box[0] * k)) - 2 * k, int(math.floor(box[1] * k)) - 2 * k,
                          int(math.ceil(box[2] * k)) + 2 * k, int(math.ceil(box[3] * k)) + 2 * k)
        soft = softness * k if softness > 1.0 else softness
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                coverage = 0.5 - sd((x + 0.5) / k, (y + 0.5) / k) * k / soft
                if coverage > 0:
                    self.blend(x, y, colour, alpha * min(coverage, 1.0))

    def text(self, x, y, text, size, colour, bold=False, align="left"):
        """Draws one line with its label box's top at y; returns the width at 100%."""
        width, height, coverage = text_mask(text, size * self.scale, bold)
        x, y = self._px(x), self._px(y)
        if align == "center":
            x -= width // 2
        elif align == "right":
            x -= width
        for row in range(height):
            for column in range(width):
                value = coverage[row * width + column]
                if value:
                    self.blend(x + column, y + row, colour, value / 255.0)
        return width / self.scale

    def lines(self, x, y, lines, size, colour, leading, bold=False):
        for i, line in enumerate(lines):
            self.text(x, y + i * leading, line, size, colour, bold)

    def rgb_rows(self):
        """Rows top to bottom of (r, g, b) byte tuples."""
        return [[tuple(max(0, min(255, int(round(c)))) for c in self.pixels[y * self.width + x])
                 for x in range(self.width)] for y in range(self.height)]


# ---------------------------------------------------------------------------
# File formats.

def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(body), 0, 0, 14 + len(header))
    return file_header + header + body


def ico_bytes(images):
    """images: list of (rows, mask rows of booleans, True = opaque)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for rows, opaque in images:
        size = len(rows)
        stride = (size * 3 + 3) & ~3
        mask_stride = ((size + 31) // 32) * 4
        colour = bytearray()
        mask = bytearray()
        for y in reversed(range(size)):
            line = bytearray()
            bits = bytearray(mask_stride)
            for x in range(size):
                r, g, b = rows[y][x] if opaque[y][x] else (0, 0, 0)
                line += bytes((b, g, r))
                if not opaque[y][x]:
                    bits[x // 8] |= 0x80 >> (x % 8)
            colour += line + bytes(stride - len(line))
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
        blob = header + colour + mask
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 24, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


# ---------------------------------------------------------------------------
# Shared pieces of the pictures.

def envelope(canvas, x, y, width, colour, line_colour, stroke):
    """A letter: body with its flap, top-left corner at (x, y)."""
    height = width * 0.7
    canvas.shape(sd_round_rect(x, y, x + width, y + height, width * 0.08), (x, y, x + width, y + height), colour)
    canvas.shape(sd_polyline([(x + stroke, y + stroke * 1.2), (x + width / 2, y + height * 0.55),
                              (x + width - stroke, y + stroke * 1.2)], stroke),
                 (x, y, x + width, y + height), line_colour)


def person(canvas, cx, top, size, colour):
    """Head and shoulders, size tall, centred on cx."""
    head = sd_circle(cx, top + size * 0.27, size * 0.22)
    shoulders = sd_intersect(sd_circle(cx, top + size * 1.02, size * 0.47),
                             lambda px, py: py - (top + size))
    canvas.shape(sd_union(head, shoulders), (cx - size / 2, top, cx + size / 2, top + size), colour)


def recover_arrow(canvas, cx, cy, radius, width, colour):
    """A circular arrow, open at the top right, turning clockwise."""
    ring = sd_ring(cx, cy, radius, width)
    gap = sd_convex([(cx, cy), (cx + radius * 2, cy - radius * 2), (cx + radius * 2, cy)])
    arc = sd_subtract(ring, gap)
    tip_x, tip_y = cx + radius, cy - radius * 0.05
    head = sd_convex([(tip_x - width * 1.3, tip_y - width * 0.2), (tip_x + width * 1.3, tip_y - width * 0.2),
                      (tip_x, tip_y + width * 1.5)])
    box = (cx - radius - width * 2, cy - radius - width * 2, cx + radius + width * 2, cy + radius + width * 2)
    canvas.shape(sd_union(arc, head), box, colour)


def logo_mark(canvas, x, y, size):
    """The product mark: a rounded tile with a letter and a circular arrow."""
    canvas.shape(sd_round_rect(x, y, x + size, y + size, size * 0.22), (x, y, x + size, y + size), BLUE)
    canvas.shape(sd_round_rect(x, y, x + size, y + size * 0.55, size * 0.22), (x, y, x + size, y + size),
                 BLUE_LIGHT, alpha=0.35)
    envelope(canvas, x + size * 0.2, y + size * 0.3, size * 0.6, WHITE, BLUE, max(1.2, size * 0.06))
    badge = size * 0.2
    canvas.shape(sd_circle(x + size * 0.8, y + size * 0.8, badge + size * 0.04),
                 (x + size * 0.5, y + size * 0.5, x + size * 1.1, y + size * 1.1), NAVY)
    canvas.shape(sd_circle(x + size * 0.8, y + size * 0.8, badge),
                 (x + size * 0.5, y + size * 0.5, x + size * 1.1, y + size * 1.1), ORANGE)
    recover_arrow(canvas, x + size * 0.8, y + size * 0.8, badge * 0.52, max(1.0, size * 0.05), WHITE)


def header_band(canvas):
    canvas.fill_rect(0, 0, canvas.page_width, HEADER_HEIGHT, NAVY)
    canvas.fill_rect(0, HEADER_HEIGHT, canvas.page_width, HEADER_HEIGHT + 3, ORANGE)
    logo_mark(canvas, 14, 11, 28)
    canvas.text(50, 11, "Oxbrim Tessel", 16, WHITE, bold=True)
    canvas.text(51, 31, "IncrediMail recovery", 10, HEADER_MUTED)


CHOOSE_STEP = ("Choose", ["What to recover and", "which file to read"])
REVIEW_STEP = ("Review and save", ["See what was found, tick", "what to keep, save it"])
# Two lines at most: the side panel's instruction text starts below them.
MOVE_STEP = ("Move", ["Every store, address book", "to files for another program"])


def step_panel(canvas, active, steps=(CHOOSE_STEP, REVIEW_STEP)):
    top = HEADER_HEIGHT + 3
    canvas.fill_rect(0, top, 200, canvas.page_height, PANEL)
    canvas.fill_rect(200, top, 201, canvas.page_height, PANEL_LINE)
    canvas.text(22, top + 24, "RECOVERY STEPS", 9, MUTED, bold=True)
    for index, (title, detail) in enumerate(steps):
        number = index + 1
        y = top + 56 + index * 78
        cx, cy = 36, y + 11
        if number < active:
            canvas.shape(sd_circle(cx, cy, 11), (cx - 12, cy - 12, cx + 12, cy + 12), BLUE)
            canvas.shape(sd_polyline([(cx - 5, cy), (cx - 1.5, cy + 4), (cx + 5.5, cy - 4)], 2.2),
                         (cx - 8, cy - 8, cx + 8, cy + 8), WHITE)
        elif number == active:
            canvas.shape(sd_circle(cx, cy, 11), (cx - 12, cy - 12, cx + 12, cy + 12), BLUE)
            canvas.text(cx, cy - 8, str(number), 12, WHITE, bold=True, align="center")
        else:
            canvas.shape(sd_ring(cx, cy, 10.5, 1.5), (cx - 12, cy - 12, cx + 12, cy + 12), MUTED)
            canvas.text(cx, cy - 8, str(number), 12, MUTED, bold=True, align="center")
        canvas.text(56, y + 2, title, 12, INK if number == active else TEXT, bold=number == active)
        canvas.lines(56, y + 22, detail, 10, MUTED, 15)
        if index + 1 < len(steps):
            canvas.fill_rect(cx, cy + 17, cx + 1, cy + 62, PANEL_LINE)
    # The version is a label of the window (the build's own), not painted here.


def card(canvas, x0, y0, x1, y1):
    canvas.shape(sd_round_rect(x0, y0 + 2, x1, y1 + 2, 8), (x0 - 4, y0 - 2, x1 + 4, y1 + 8), NAVY,
                 alpha=0.07, softness=4.0)
    canvas.shape(sd_round_rect(x0, y0, x1, y1, 8), (x0, y0, x1, y1), CARD_LINE)
    canvas.shape(sd_round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 7), (x0, y0, x1, y1), CARD)


def icon_disc(canvas, cx, cy, radius):
    canvas.shape(sd_circle(cx, cy, radius), (cx - radius, cy - radius, cx + radius, cy + radius), (0xE3, 0xEE, 0xFA))


# ---------------------------------------------------------------------------
# The pictures.

PROCEED_LEFT = dlu_x(201)
PROCEED_HEIGHT = dlu_y(17)
# The "Proceed ..." buttons' tops in dialog units, as res/tessel.rc places them.
STORE_PROCEED_TOP = dlu_y(121)
BOOK_PROCEED_TOP = dlu_y(198)
IDENTITY_PROCEED_TOP = dlu_y(275)
CARD_LEFT, CARD_RIGHT = 225, 740
CARD_ABOVE_BUTTON = 78   # from a card's top to its button's top
CARD_BELOW_BUTTON = 12   # from the button's bottom to the card's bottom


def folder(canvas, cx, cy, size, colour, back):
    """A folder, size wide, centred on (cx, cy)."""
    x0, x1 = cx - size / 2, cx + size / 2
    y0, y1 = cy - size * 0.36, cy + size * 0.36
    tab = sd_round_rect(x0, y0, x0 + size * 0.45, y0 + size * 0.2, size * 0.06)
    body = sd_round_rect(x0, y0 + size * 0.1, x1, y1, size * 0.07)
    box = (x0 - 1, y0 - 1, x1 + 1, y1 + 1)
    canvas.shape(sd_union(tab, body), box, colour)
    canvas.shape(sd_round_rect(x0 + size * 0.08, y0 + size * 0.24, x1 - size * 0.08, y0 + size * 0.28, 0.5), box,
                 back)


def choose_step():
    """Bitmap 177: the choose step, with a card around each "Proceed ..." button."""
    canvas = Canvas(765, 500, PAGE, scale=2)
    header_band(canvas)
    step_panel(canvas, active=1)
    canvas.text(CARD_LEFT, 64, "What would you like to recover?", 19, INK, bold=True)
    canvas.text(CARD_LEFT, 93, "Pick the kind of file. The files are only read, never changed.", 11, TEXT)

    cards = [
        (STORE_PROCEED_TOP, "Messages", "store",
         ["Recovers e-mail messages from an IncrediMail message store (.imm)",
          "or its index (.imh), also messages the index no longer lists."]),
        (BOOK_PROCEED_TOP, "Contacts", "book",
         ["Recovers the contacts of an IncrediMail address book (.imb):",
          "names, e-mail addresses, phone numbers and postal addresses."]),
        (IDENTITY_PROCEED_TOP, "Everything in an IncrediMail folder", "identity",
         ["Moves every store and address book of an identity folder",
          "to files another mail program imports."]),
    ]
    disc = (0xE3, 0xEE, 0xFA)
    for button_top, title, kind, body in cards:
        top = button_top - CARD_ABOVE_BUTTON
        bottom = button_top + PROCEED_HEIGHT + CARD_BELOW_BUTTON
        card(canvas, CARD_LEFT, top, CARD_RIGHT, bottom)
        cx, cy = (CARD_LEFT + PROCEED_LEFT) // 2 - 2, top + 38
        icon_disc(canvas, cx, cy, 25)
        if kind == "store":
            envelope(canvas, cx - 15, cy - 11, 30, BLUE, disc, 2.2)
        elif kind == "book":
            person(canvas, cx, cy - 15, 30, BLUE)
        else:
            folder(canvas, cx, cy, 30, BLUE, disc)
        canvas.text(PROCEED_LEFT, top + 11, title, 15, INK, bold=True)
        canvas.lines(PROCEED_LEFT, top + 36, body, 11, TEXT, 17)
    return canvas


LIST_LEFT, LIST_BOTTOM = dlu_x(150), dlu_y(96 + 195)


def results_step():
    """Bitmap 179: the results step; the list, progress bar and buttons lie over
    it. It serves messages and contacts alike, so it names neither."""
    canvas = Canvas(765, 500, PAGE, scale=2)
    header_band(canvas)
    step_panel(canvas, active=2)
    canvas.text(LIST_LEFT, 60, "Recovered items", 19, INK, bold=True)
    canvas.text(LIST_LEFT, LIST_BOTTOM + 6, "Ticked items are saved when you press Save.", 10, MUTED)
    return canvas


def move_step():
    """Bitmap 180: the step that moves a whole IncrediMail folder. Its rows, the
    progress bar and buttons lie over it, and its two links where the results
    picture has its footer, so nothing is drawn there."""
    canvas = Canvas(765, 500, PAGE, scale=2)
    header_band(canvas)
    step_panel(canvas, active=2, steps=(CHOOSE_STEP, MOVE_STEP))
    canvas.text(LIST_LEFT, 60, "Moving your mail", 19, INK, bold=True)
    return canvas


def about_box():
    """Bitmap 158: the About box; the title, notice and contact lines lie over its white part."""
    canvas = Canvas(359, 335, PAGE, scale=2)
    canvas.gradient_rect(0, 0, 359, 112, NAVY, NAVY_DEEP)
    canvas.fill_rect(0, 112, 359, 115, ORANGE)
    logo_mark(canvas, 28, 30, 52)
    canvas.text(96, 32, "Oxbrim Tessel", 22, WHITE, bold=True)
    canvas.text(97, 62, "IncrediMail recovery", 12, HEADER_MUTED)
    footer_top = dlu_y(182) - 12
    canvas.fill_rect(0, footer_top, 359, footer_top + 1, PANEL_LINE)
    canvas.fill_rect(0, footer_top + 1, 359, 335, PANEL)
    return canvas


def prefix_dialog():
    """Bitmap 157: background of the file name prefix dialog."""
    canvas = Canvas(375, 185, PAGE, scale=2)
    canvas.gradient_rect(0, 0, 375, 185, (0xFA, 0xFC, 0xFE), (0xEC, 0xF2, 0xF8))
    canvas.fill_rect(0, 0, 375, 3, BLUE)
    # Inside the group box, under the label and the edit field.
    canvas.text(dlu_x(35), dlu_y(34 + 14) + 14, "Every saved message's file name starts with it.", 10, MUTED)
    return canvas


# Link pictures: (id, size, look, label, left). They sit on the header band, so
# their background is the band's colour and they join it without a seam. The
# buttons' rectangles are uneven (the template puts them at 138, 175, 218, 276
# and 323 dialog units), so each label starts at its own offset ("right": flush
# right) to stand evenly spaced on the band.
LINKS = [
    (181, (46, 20), "link", "Home", 2),
    (184, (58, 20), "link", "Support", "right"),
    (186, (82, 20), "help", "Help", 19),
    (188, (46, 19), "link", "About", 5),
    (174, (121, 22), "buy", "Buy now", 0),
]
LINK_ROW_TOP = dlu_y(8)  # where the labels' tops line up, whatever the picture's own top
LINK_TOPS = {188: dlu_y(9)}

# The button loads its picture with the standard greys mapped to the desktop's
# 3-D colours; these must not occur in a link picture.
MAPPED_GREYS = {(128, 128, 128), (192, 192, 192), (223, 223, 223)}


def link_picture(number, size, look, label, left, scale=1):
    width, height = size
    label_top = 2 - (LINK_TOPS.get(number, LINK_ROW_TOP) - LINK_ROW_TOP)
    canvas = Canvas(width, height, NAVY, scale)
    size_px = 12
    text_w = text_width(label, size_px * scale, bold=look == "buy") / scale
    if look == "buy":
        canvas.shape(sd_round_rect(0.5, 0.5, width - 0.5, height - 0.5, (height - 1) / 2), (0, 0, width, height),
                     ORANGE)
        canvas.shape(sd_round_rect(0.5, height / 2, width - 0.5, height - 0.5, (height - 1) / 2),
                     (0, 0, width, height), ORANGE_DARK, alpha=0.35)
        cart_w = 14
        left = (width - (cart_w + 6 + text_w)) // 2
        cy = height / 2
        cart = sd_polyline([(left, cy - 5), (left + 3, cy - 5), (left + 5, cy + 2.5), (left + 12, cy + 2.5),
                            (left + 13.5, cy - 3), (left + 4, cy - 3)], 1.6)
        canvas.shape(cart, (left - 2, cy - 8, left + 16, cy + 5), WHITE)
        for wheel_x in (left + 6, left + 11):
            canvas.shape(sd_circle(wheel_x, cy + 5.5, 1.4), (wheel_x - 3, cy + 2, wheel_x + 3, cy + 9), WHITE)
        canvas.text(left + cart_w + 6, (height - 16) // 2 + 1, label, size_px, WHITE, bold=True)
    else:
        glyph = 14 if look == "help" else 0
        if left == "right":
            left = width - text_w
        if glyph:
            cx, cy = left + 7, label_top + 8
            canvas.shape(sd_circle(cx, cy, 7), (cx - 8, cy - 8, cx + 8, cy + 8), BLUE_LIGHT)
            canvas.text(cx, int(cy) - 7, "?", 10, NAVY, bold=True, align="center")
            left += glyph + 5
        top = label_top
        canvas.text(left, top, label, size_px, LINK_TEXT)
        canvas.fill_rect(left, top + 16, left + text_w, top + 17, BLUE_LIGHT, alpha=0.8)
    rows = canvas.rgb_rows()
    return [[(r, g, b ^ 1) if (r, g, b) in MAPPED_GREYS else (r, g, b) for r, g, b in row] for row in rows]


# ---------------------------------------------------------------------------
# Icons, drawn 4 times larger and scaled down, with a 1-bit mask.

SUPERSAMPLE = 4


def icon_image(draw, size):
    big = size * SUPERSAMPLE
    canvas = Canvas(big, big, (0, 0, 0))
    cover = Canvas(big, big, (0, 0, 0))  # coverage in channel 0
    draw(canvas, cover, big)
    rows, opaque = [], []
    for y in range(size):
        row, mask_row = [], []
        for x in range(size):
            total = [0.0, 0.0, 0.0]
            alpha = 0.0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    index = (y * SUPERSAMPLE + sy) * big + x * SUPERSAMPLE + sx
                    a = cover.pixels[index][0] / 255.0
                    alpha += a
                    for i in range(3):
                        total[i] += canvas.pixels[index][i] * a
            alpha /= SUPERSAMPLE * SUPERSAMPLE
            if alpha >= 0.5:
                colour = tuple(int(round(total[i] / (alpha * SUPERSAMPLE * SUPERSAMPLE))) for i in range(3))
                row.append(tuple(max(0, min(255, c)) for c in colour))
                mask_row.append(True)
            else:
                row.append((0, 0, 0))
                mask_row.append(False)
        rows.append(row)
        opaque.append(mask_row)
    return rows, opaque


def paint(canvas, cover, sd, box, colour, alpha=1.0):
    canvas.shape(sd, box, colour, alpha)
    cover.shape(sd, box, WHITE, alpha)


def draw_program_icon(canvas, cover, s):
    """Icon 128: the product mark."""
    tile = sd_round_rect(s * 0.04, s * 0.04, s * 0.96, s * 0.96, s * 0.2)
    paint(canvas, cover, tile, (0, 0, s, s), BLUE)
    canvas.shape(sd_intersect(tile, lambda px, py: py - s * 0.5), (0, 0, s, s), BLUE_LIGHT, alpha=0.3)
    envelope(canvas, s * 0.17, s * 0.24, s * 0.62, WHITE, BLUE, s * 0.065)
    badge = sd_circle(s * 0.74, s * 0.74, s * 0.24)
    paint(canvas, cover, badge, (s * 0.4, s * 0.4, s, s), NAVY)
    canvas.shape(sd_circle(s * 0.74, s * 0.74, s * 0.2), (s * 0.4, s * 0.4, s, s), ORANGE)
    recover_arrow(canvas, s * 0.74, s * 0.74, s * 0.105, s * 0.055, WHITE)


def draw_message_icon(canvas, cover, s):
    """Icon 178: a recovered message."""
    x0, y0, x1, y1 = s * 0.06, s * 0.2, s * 0.94, s * 0.8
    paint(canvas, cover, sd_round_rect(x0, y0, x1, y1, s * 0.07), (0, 0, s, s), BLUE)
    canvas.shape(sd_round_rect(x0 + s * 0.06, y0 + s * 0.06, x1 - s * 0.06, y1 - s * 0.06, s * 0.03),
                 (0, 0, s, s), WHITE)
    canvas.shape(sd_polyline([(x0 + s * 0.08, y0 + s * 0.1), (s / 2, y0 + s * 0.36), (x1 - s * 0.08, y0 + s * 0.1)],
                             s * 0.07), (0, 0, s, s), BLUE)


def draw_contact_icon(canvas, cover, s):
    """Icon 168: a recovered contact."""
    paint(canvas, cover, sd_circle(s / 2, s / 2, s * 0.46), (0, 0, s, s), (0xE3, 0xEE, 0xFA))
    canvas.shape(sd_ring(s / 2, s / 2, s * 0.44, s * 0.04), (0, 0, s, s), BLUE)
    head = sd_circle(s / 2, s * 0.38, s * 0.15)
    body = sd_intersect(sd_circle(s / 2, s * 0.88, s * 0.3), sd_circle(s / 2, s / 2, s * 0.42))
    canvas.shape(sd_union(head, body), (0, 0, s, s), BLUE)


ICONS = [(128, draw_program_icon), (178, draw_message_icon), (168, draw_contact_icon)]
ICON_SIZES = (16, 32, 48)  # the list loads its icons at 48 pixels; windows use 16 and 32

# The link pictures drawn twice as large have this added to their ids (res/resource.h).
LARGE_LINK_OFFSET = 2000

BITMAPS = [(177, choose_step), (179, results_step), (180, move_step), (158, about_box), (157, prefix_dialog)]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res", "art")
    os.makedirs(out, exist_ok=True)
    for number, draw in BITMAPS:
        write(out, f"bitmap{number}.bmp", bmp_bytes(draw().rgb_rows()))
    for number, size, look, label, left in LINKS:
        write(out, f"bitmap{number}.bmp", bmp_bytes(link_picture(number, size, look, label, left)))
        write(out, f"bitmap{LARGE_LINK_OFFSET + number}.bmp",
              bmp_bytes(link_picture(number, size, look, label, left, scale=2)))
    for number, draw in ICONS:
        write(out, f"icon{number}.ico", ico_bytes([icon_image(draw, size) for size in ICON_SIZES]))


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)
    print(os.path.join(folder, name))


if __name__ == "__main__":
    main()
