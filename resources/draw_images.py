"""Draws the program's pictures into resources/images/: the logo of the about and splash
windows, the frame's icon "TINCALC", the frame's tiled background "cvtexture" and the tiled
wallpaper of the windows "WIZBCK02". Run it again after changing a drawing:
python3 resources/draw_images.py
"""

import math
import os
import random

from canvas import Canvas, ellipse_points, mix, rounded_rect_points, vertical_gradient

HERE = os.path.dirname(os.path.abspath(__file__))

OUTLINE = (40, 48, 66, 255)


def outlined(c, points, fill, outline=OUTLINE, width=2.0):
    c.stroke(points, width, outline, closed=True)
    c.polygon(points, fill)


def box(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def logo():
    """A house going up beside a tower crane, under a clear sky."""
    w, h = 240, 180
    c = Canvas(w, h)
    frame = rounded_rect_points(2, 2, w - 2, h - 2, 14)
    c.polygon(frame, vertical_gradient((118, 170, 232, 255), (236, 244, 252, 255), 0, 140))
    c.ellipse(44, 38, 16, 16, (255, 214, 90, 200))
    c.ellipse(44, 38, 11, 11, (255, 236, 150, 255))
    radius = 14
    ground = ([(2, 140), (w - 2, 134)] + ellipse_points(w - 2 - radius, h - 2 - radius, radius, radius, 0, math.pi / 2, 8)
              + ellipse_points(2 + radius, h - 2 - radius, radius, radius, math.pi / 2, math.pi, 8))
    c.polygon(ground, vertical_gradient((128, 168, 96, 255), (86, 120, 64, 255), 134, h))

    # the house: brick walls, a roof, windows and a door
    outlined(c, box(36, 78, 140, 142), vertical_gradient((214, 126, 84, 255), (170, 92, 60, 255), 78, 142))
    for y in range(86, 142, 8):
        c.stroke([(37, y), (139, y)], 0.8, (150, 80, 52, 160))
    outlined(c, [(26, 80), (88, 36), (150, 80)], vertical_gradient((176, 64, 50, 255), (120, 36, 30, 255), 36, 80))
    for x0, y0 in ((48, 90), (104, 90), (48, 116), (76, 90)):
        outlined(c, box(x0, y0, x0 + 16, y0 + 16), vertical_gradient((210, 236, 255, 255), (140, 190, 235, 255), y0, y0 + 16),
                 (250, 250, 250, 255), width=2.4)
        c.stroke([(x0 + 8, y0), (x0 + 8, y0 + 16)], 1.2, (250, 250, 250, 255))
    outlined(c, box(102, 112, 122, 142), vertical_gradient((132, 86, 46, 255), (96, 60, 30, 255), 112, 142))
    c.ellipse(118, 128, 1.6, 1.6, (240, 210, 120, 255))

    # the crane: a lattice mast, its jib and counter-jib, the cable and a beam on the hook
    yellow = (246, 186, 40, 255)
    dark = (96, 70, 10, 255)
    mast_x0, mast_x1, top = 178, 190, 30
    for x in (mast_x0, mast_x1):
        c.stroke([(x, 140), (x, top)], 2.4, dark)
        c.stroke([(x, 140), (x, top)], 1.6, yellow)
    zig = [(mast_x0 if i % 2 == 0 else mast_x1, 140 - i * 10) for i in range(12)]
    c.stroke(zig, 1.4, yellow)
    c.stroke([(150, top), (232, top)], 4.4, dark)
    c.stroke([(150, top), (232, top)], 3.0, yellow)
    c.stroke([(184, top), (184, 16), (150, top)], 1.4, dark)
    c.stroke([(184, 16), (232, top)], 1.2, dark)
    outlined(c, box(150, top + 2, 162, top + 10), (120, 124, 130, 255), dark, width=1.2)
    c.stroke([(218, top), (218, 84)], 1.0, (60, 60, 60, 255))
    outlined(c, box(202, 84, 234, 91), vertical_gradient((150, 156, 168, 255), (100, 106, 118, 255), 84, 91), dark, width=1.2)
    c.stroke(frame, 3, (34, 62, 120, 255), closed=True)
    return c


def tincalc():
    """The frame's icon: a small calculator."""
    c = Canvas(48, 48)
    body = rounded_rect_points(8, 2.5, 40, 45.5, 5)
    outlined(c, body, vertical_gradient((214, 218, 228, 255), (140, 146, 162, 255), 2, 46), (44, 48, 60, 255), width=2.2)
    outlined(c, box(12.5, 7, 35.5, 17), vertical_gradient((186, 214, 160, 255), (140, 172, 118, 255), 7, 17),
             (50, 62, 44, 255), width=1.4)
    for x in (22, 27, 32):
        c.stroke([(x, 9.5), (x - 0.8, 14.5)], 1.6, (40, 56, 36, 255))
    for row in range(4):
        for column in range(4):
            x0, y0 = 12.5 + column * 6, 21 + row * 6
            colour = (236, 132, 44, 255) if column == 3 else (250, 250, 252, 255)
            outlined(c, rounded_rect_points(x0, y0, x0 + 4.6, y0 + 4.2, 1.2), colour, (70, 74, 88, 255), width=1.0)
    return c


def tiled_noise(size, period, seed):
    """Smooth noise that repeats every `size` pixels, with lattice cells of `period` pixels."""
    cells = size // period
    rng = random.Random(seed)
    lattice = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def at(x, y):
        gx, gy = x / period, y / period
        ix, iy = int(math.floor(gx)), int(math.floor(gy))
        fx, fy = gx - ix, gy - iy
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        v = [[lattice[(iy + j) % cells][(ix + i) % cells] for i in (0, 1)] for j in (0, 1)]
        top = v[0][0] + (v[0][1] - v[0][0]) * fx
        bottom = v[1][0] + (v[1][1] - v[1][0]) * fx
        return top + (bottom - top) * fy

    return at


def cvtexture():
    """The frame's background: a woven canvas in slate blue, tiled seamlessly."""
    size = 128
    c = Canvas(size, size, ss=1)
    mottle = tiled_noise(size, 16, seed=7)
    grain = random.Random(11)
    speckle = [grain.uniform(-1, 1) for _ in range(size * size)]
    base, light = (104, 116, 134, 255), (146, 158, 176, 255)

    def colour(x, y):
        ix, iy = int(x), int(y)
        weft_on_top = ((ix // 4) + (iy // 4)) % 2 == 0
        thread = math.sin(math.pi * ((iy if weft_on_top else ix) % 4) / 4)
        t = 0.25 + 0.35 * thread + 0.3 * mottle(x, y) + 0.08 * speckle[iy * size + ix]
        return mix(base, light, t)

    c.rect(0, 0, size, size, colour)
    return c


def wizbck02():
    """The windows' wallpaper: pale blue-grey with faint diagonal lines, tiled seamlessly."""
    size = 64
    c = Canvas(size, size, ss=1)
    base, line = (238, 241, 246, 255), (222, 228, 238, 255)
    c.rect(0, 0, size, size, lambda x, y: mix(base, line, max(0.0, math.cos(2 * math.pi * (x + y) / 8)) ** 3))
    return c


IMAGES = [logo, tincalc, cvtexture, wizbck02]


def main():
    folder = os.path.join(HERE, "images")
    os.makedirs(folder, exist_ok=True)
    for draw in IMAGES:
        draw().save(os.path.join(folder, draw.__name__ + ".png"))


if __name__ == "__main__":
    main()
