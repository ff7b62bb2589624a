#!/usr/bin/env python3
"""Draws the settings window's pictures and writes them next to this file:

  capture.bmp  pointing hand for the capture button    20x22, 32 bits (BGRX)
  save.bmp     green tick for the save button          20x22, 24 bits
  exit.bmp     red arrow going into a doorway (exit)   22x22, 24 bits
  banner.jpg   415x60 strip at the bottom of the window

The button pictures sit on pure white because the program takes the lower-left pixel as
the transparent colour; anything light inside a drawing uses near-white so it stays visible.
The banner's background and logo are drawn here; ImageMagick's convert adds the text (it
knows how to render the fonts) and writes the JPEG.

Run it from any folder. With --previews DIR it also writes 4x PNG previews into DIR.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)  # the transparent colour of the buttons
CJK_FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
LATIN_FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf'
LATIN_BOLD_FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'


# --- drawing helpers -----------------------------------------------------------------------

class Canvas:
    """Rows top-down of (r, g, b) tuples, starting all white."""

    def __init__(self, width, height, fill=WHITE):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def get(self, x, y):
        return self.rows[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def shape(self, inside, colour):
        """Fills every pixel whose centre passes inside(cx, cy)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def stamp(self, x0, y0, art, palette):
        """Copies a character drawing; characters missing from palette are left alone."""
        for dy, line in enumerate(art):
            for dx, ch in enumerate(line):
                if ch in palette:
                    self.put(x0 + dx, y0 + dy, palette[ch])


def mix(a, b, t):
    """Colour t of the way from a to b."""
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from point p to the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polyline_distance(px, py, points):
    return min(segment_distance(px, py, *a, *b) for a, b in zip(points, points[1:]))


def in_polygon(px, py, points):
    """Even-odd test, enough for the small convex and arrow shapes drawn here."""
    inside = False
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


def outline(canvas, colour, body):
    """Paints colour on the white pixels that touch (4-way) a pixel accepted by body()."""
    marks = []
    for y in range(canvas.height):
        for x in range(canvas.width):
            if canvas.get(x, y) != WHITE:
                continue
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if 0 <= nx < canvas.width and 0 <= ny < canvas.height and body(canvas.get(nx, ny)):
                    marks.append((x, y))
                    break
    for x, y in marks:
        canvas.put(x, y, colour)


# --- file writers --------------------------------------------------------------------------

def bmp_bytes(canvas, bits):
    """Uncompressed bottom-up BMP with a BITMAPINFOHEADER and no colour table."""
    pixel_bytes = bits // 8
    row_bytes = (canvas.width * pixel_bytes + 3) // 4 * 4
    data = b''
    for row in reversed(canvas.rows):
        if bits == 32:
            line = b''.join(bytes((b, g, r, 0)) for r, g, b in row)
        else:
            line = b''.join(bytes((b, g, r)) for r, g, b in row)
        data += line + b'\0' * (row_bytes - len(line))
    offset = 14 + 40
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    # 2835 pixels per metre is 72 dpi; nothing reads it, but zero upsets some viewers
    info_header = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, bits, 0,
                              len(data), 2835, 2835, 0, 0)
    return file_header + info_header + data


def ppm_bytes(canvas):
    head = b'P6\n%d %d\n255\n' % (canvas.width, canvas.height)
    return head + b''.join(bytes(pixel) for row in canvas.rows for pixel in row)


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


# --- capture.bmp: a hand pointing up ------------------------------------------------------

HAND = [
    # o skin, h lit side, s crease, # outline, k cuff edge, c cuff, d cuff shadow
    '......###...........',
    '.....#hoo#..........',
    '.....#hoo#..........',
    '.....#hoo#..........',
    '.....#hoo#..........',
    '.....#hoo#..........',
    '.....#hoo#..........',
    '.....#hoo###........',
    '.....#hoo#ho###.....',
    '.....#hoo#ho#ho###..',
    '.....#hoo#ho#ho#ho#.',
    '.###.#hoosoosoosoo#.',
    '#hoo##hooooooooooo#.',
    '#hoooosooooooooooo#.',
    '.##ooooooooooooooo#.',
    '...#ooooooooooooos#.',
    '....#oooooooooooos#.',
    '.....#oooooooooos#..',
    '.....kkkkkkkkkkkkk..',
    '.....kccccccccccck..',
    '.....kddddddddddck..',
    '.....kkkkkkkkkkkkk..',
]


def capture_picture():
    canvas = Canvas(20, 22)
    canvas.stamp(0, 0, HAND, {
        '#': (96, 56, 28),
        'o': (246, 204, 160),
        'h': (252, 226, 196),
        's': (214, 160, 112),
        'k': (24, 58, 112),
        'c': (58, 116, 200),
        'd': (40, 88, 164),
    })
    return canvas


# --- save.bmp: a green tick -----------------------------------------------------------------

def save_picture():
    canvas = Canvas(20, 22)
    stroke = [(3.5, 11.5), (8.0, 16.5), (16.5, 5.0)]
    top, bottom = (110, 200, 80), (28, 132, 40)
    for y in range(canvas.height):
        for x in range(canvas.width):
            if polyline_distance(x + 0.5, y + 0.5, stroke) <= 1.9:
                canvas.put(x, y, mix(top, bottom, y / (canvas.height - 1)))
    outline(canvas, (18, 84, 26), lambda c: c != WHITE)
    return canvas


# --- exit.bmp: a red arrow going into a doorway ---------------------------------------------

def exit_picture():
    canvas = Canvas(22, 22)
    frame_dark, frame, wood = (92, 60, 30), (150, 104, 60), (184, 132, 78)
    canvas.rect(8, 1, 21, 20, frame_dark)
    canvas.rect(9, 2, 20, 20, frame)
    canvas.rect(11, 4, 18, 20, (44, 48, 66))  # the dark room beyond
    canvas.rect(11, 4, 18, 4, (30, 32, 44))  # shadow under the lintel
    # the door stands open into the room, hinged on the right, so its far edge looks shorter
    door = [(15.0, 7.0), (19.0, 4.0), (19.0, 21.0), (15.0, 18.0)]
    canvas.shape(lambda x, y: in_polygon(x, y, door), wood)
    for y in range(7, 18):
        canvas.put(15, y, frame_dark)  # the door's free edge
    canvas.rect(16, 12, 16, 13, (236, 196, 80))  # handle

    arrow = [(1.0, 9.0), (8.0, 9.0), (8.0, 4.5), (14.5, 11.0), (8.0, 17.5), (8.0, 13.0),
             (1.0, 13.0)]
    red, red_light, red_dark = (214, 36, 32), (240, 96, 80), (132, 16, 16)
    arrow_pixels = []
    for y in range(canvas.height):
        for x in range(canvas.width):
            if in_polygon(x + 0.5, y + 0.5, arrow):
                arrow_pixels.append((x, y))
    inside = set(arrow_pixels)

    def edge(x, y):
        return any(p not in inside for p in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))

    for x, y in arrow_pixels:
        if edge(x, y):
            colour = red_dark
        elif edge(x, y - 1) and y < 11:  # a glint just under the upper edge
            colour = red_light
        else:
            colour = red
        canvas.put(x, y, colour)
    return canvas


# --- banner.jpg ----------------------------------------------------------------------------

def aperture_logo(size, scale=4):
    """A rounded square holding a six-bladed shutter. Each pixel averages scale x scale
    samples so the curves come out smooth; returns the colours and, per pixel, how much of
    it the rounded square covers (0..1) for blending its corners onto the background."""
    big = size * scale
    half = big / 2
    corner = big * 0.24
    ring = big * 0.36
    hole = big * 0.15
    gap = big * 0.022
    hexagon = [(half + hole * math.cos(math.radians(60 * i + 15)),
                half + hole * math.sin(math.radians(60 * i + 15))) for i in range(6)]
    # each blade edge runs on from one side of the hole to the outer ring
    edges = []
    for i in range(6):
        (ax, ay), (bx, by) = hexagon[i], hexagon[(i + 1) % 6]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        edges.append(((bx, by), (bx + dx / length * ring, by + dy / length * ring)))

    square_top, square_bottom = (46, 112, 196), (22, 66, 140)
    blade_light, blade_dark = (250, 250, 250), (200, 222, 246)
    hole_colour = (255, 190, 92)

    def sample(px, py):
        """(colour, coverage) of one sub-pixel."""
        qx = min(max(px, corner), big - corner)
        qy = min(max(py, corner), big - corner)
        if math.hypot(px - qx, py - qy) > corner:
            return None
        r = math.hypot(px - half, py - half)
        square = mix(square_top, square_bottom, py / big)
        if r > ring:
            return square
        if r <= hole * 1.02 and in_polygon(px, py, hexagon):
            return hole_colour
        if any(segment_distance(px, py, *a, *b) < gap for a, b in edges):
            return square
        if r > ring - gap * 1.6:
            return square
        # blades catch light from the upper left
        angle = math.atan2(py - half, px - half)
        return mix(blade_light, blade_dark, (1 - math.cos(angle + math.radians(135))) / 2)

    canvas = Canvas(size, size, (0, 0, 0))
    mask = [[0.0] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            total, hits = [0, 0, 0], 0
            for sy in range(scale):
                for sx in range(scale):
                    c = sample(x * scale + sx + 0.5, y * scale + sy + 0.5)
                    if c is not None:
                        hits += 1
                        total = [t + v for t, v in zip(total, c)]
            if hits:
                canvas.put(x, y, tuple(round(t / hits) for t in total))
                mask[y][x] = hits / scale ** 2
    return canvas, mask


def banner_background():
    """Soft blue, lighter on the left where the logo sits, with the logo laid on it."""
    canvas = Canvas(415, 60)
    left, right = (92, 152, 222), (40, 92, 172)
    for y in range(canvas.height):
        for x in range(canvas.width):
            t = x / (canvas.width - 1)
            c = mix(left, right, t)
            # a little lighter towards the top edge, like light falling on it
            canvas.put(x, y, mix(c, (255, 255, 255), 0.10 * (1 - y / (canvas.height - 1))))

    logo, coverage = aperture_logo(46)
    ox, oy = 8, 7
    for y in range(logo.height):
        for x in range(logo.width):
            a = coverage[y][x]
            if a:
                back = canvas.get(ox + x, oy + y)
                canvas.put(ox + x, oy + y, mix(back, logo.get(x, y), a))
    # a faint divider between the name and the slogan
    for y in range(14, 47):
        canvas.put(214, y, mix(canvas.get(214, y), (255, 255, 255), 0.45))
        canvas.put(215, y, mix(canvas.get(215, y), (20, 50, 110), 0.25))
    return canvas


def banner_jpeg(folder):
    base = os.path.join(folder, 'banner.ppm')
    with open(base, 'wb') as f:
        f.write(ppm_bytes(banner_background()))
    out = os.path.join(HERE, 'banner.jpg')
    subprocess.run([
        'convert', base,
        '-fill', 'white',
        '-font', LATIN_BOLD_FONT, '-pointsize', '25', '-annotate', '+64+32', 'Kestrow',
        '-fill', '#dbe9fb',
        '-font', LATIN_FONT, '-pointsize', '11', '-annotate', '+65+50', 'www.kestrow.example',
        '-fill', 'white',
        '-font', CJK_FONT, '-pointsize', '19', '-annotate', '+232+37', '轻松截图  随手保存',
        # baseline JPEG, no chroma subsampling so the small coloured text stays sharp
        '-strip', '-interlace', 'none', '-sampling-factor', '1x1', '-quality', '90',
        out,
    ], check=True)


# --- previews ------------------------------------------------------------------------------

def previews(folder):
    os.makedirs(folder, exist_ok=True)
    for name in ('capture', 'save', 'exit'):
        subprocess.run(['convert', os.path.join(HERE, name + '.bmp'), '-filter', 'point',
                        '-scale', '400%', os.path.join(folder, name + '.png')], check=True)
    subprocess.run(['convert', os.path.join(HERE, 'banner.jpg'), '-filter', 'point',
                    '-scale', '400%', os.path.join(folder, 'banner.png')], check=True)
    subprocess.run(['convert', os.path.join(HERE, 'banner.jpg'),
                    os.path.join(folder, 'banner-1x.png')], check=True)


def main():
    write('capture.bmp', bmp_bytes(capture_picture(), 32))
    write('save.bmp', bmp_bytes(save_picture(), 24))
    write('exit.bmp', bmp_bytes(exit_picture(), 24))
    with tempfile.TemporaryDirectory() as folder:
        banner_jpeg(folder)
    if len(sys.argv) == 3 and sys.argv[1] == '--previews':
        previews(sys.argv[2])


if __name__ == '__main__':
    main()
