"""Draws the program's icons (24 x 24) into resources/icons/: the toolbar's navigation and
record buttons, the clipboard and window-arrangement items, the OK button and the settings
window. Run it again after changing a drawing: python3 resources/draw_icons.py
"""

import math
import os

from canvas import Canvas, ellipse_points, vertical_gradient

SIZE = 24
HERE = os.path.dirname(os.path.abspath(__file__))

BLUE = (58, 112, 196, 255)
BLUE_LIGHT = (120, 170, 235, 255)
BLUE_DARK = (26, 54, 112, 255)
GREEN = (52, 158, 64, 255)
GREEN_LIGHT = (120, 210, 110, 255)
GREEN_DARK = (20, 84, 28, 255)
RED = (212, 48, 40, 255)
RED_LIGHT = (245, 120, 100, 255)
RED_DARK = (110, 18, 14, 255)
GREY_DARK = (64, 64, 70, 255)
GREY = (150, 150, 158, 255)
PAPER = (255, 255, 255, 255)
PAPER_SHADE = (222, 228, 236, 255)
WHITE = (255, 255, 255, 255)


def shaded(light, dark, y0=2, y1=22):
    return vertical_gradient(light, dark, y0, y1)


def outlined(c, points, fill, outline, width=1.6):
    """A filled shape with a thin outline of its own colour family."""
    c.stroke(points, width, outline, closed=True)
    c.polygon(points, fill)


def heavy_line(c, points, fill, outline, width=3.6):
    """A thick line with an outline."""
    c.stroke(points, width + 1.6, outline)
    c.stroke(points, width, fill)


# --- navigation: blue triangles and bars

def triangle_left(x0, x1, y0=5, y1=19):
    return [(x0, (y0 + y1) / 2), (x1, y0), (x1, y1)]


def triangle_right(x0, x1, y0=5, y1=19):
    return [(x1, (y0 + y1) / 2), (x0, y1), (x0, y0)]


def blue(c, points):
    outlined(c, points, shaded(BLUE_LIGHT, BLUE), BLUE_DARK)


def bar(x0, x1, y0=5, y1=19):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def vcrfirst(c):
    blue(c, bar(4, 7.5))
    blue(c, triangle_left(9, 20))


def vcrprior(c):
    blue(c, triangle_left(3, 12.5))
    blue(c, triangle_left(11.5, 21))


def vcrup(c):
    blue(c, [(12, 4), (21, 18), (3, 18)])


def vcrdown(c):
    blue(c, [(12, 20), (3, 6), (21, 6)])


def vcrnext(c):
    blue(c, triangle_right(3, 12.5))
    blue(c, triangle_right(11.5, 21))


def vcrlast(c):
    blue(c, triangle_right(4, 15))
    blue(c, bar(16.5, 20))


# --- records

def find(c):
    heavy_line(c, [(15, 15), (20.5, 20.5)], (120, 84, 40, 255), (60, 40, 16, 255), width=3.4)
    c.ellipse(9.5, 9.5, 5.6, 5.6, (205, 230, 250, 220))
    c.ellipse(8, 8, 2.2, 2.2, (255, 255, 255, 200))
    c.ring(9.5, 9.5, 7.2, 5.4, GREY_DARK)
    c.ring(9.5, 9.5, 6.6, 5.8, GREY)


def check_mark(c, points, width=3.6):
    heavy_line(c, points, shaded(GREEN_LIGHT, GREEN), GREEN_DARK, width)


def mark(c):
    check_mark(c, [(4, 12.5), (9.5, 18), (20, 5.5)])


def plus_points(cx, cy, arm, half):
    return [(cx - half, cy - arm), (cx + half, cy - arm), (cx + half, cy - half), (cx + arm, cy - half),
            (cx + arm, cy + half), (cx + half, cy + half), (cx + half, cy + arm), (cx - half, cy + arm),
            (cx - half, cy + half), (cx - arm, cy + half), (cx - arm, cy - half), (cx - half, cy - half)]


def insert(c):
    outlined(c, plus_points(12, 12, 8.5, 2.8), shaded(GREEN_LIGHT, GREEN), GREEN_DARK)


def edit(c):
    # a pencil from the lower left to the upper right
    def along(t, side):
        ax, ay, bx, by = 4.5, 19.5, 19.5, 4.5
        length = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / length, (bx - ax) / length
        return (ax + (bx - ax) * t + nx * side, ay + (by - ay) * t + ny * side)

    w = 3.2
    outlined(c, [along(0.22, w), along(0.82, w), along(0.82, -w), along(0.22, -w)], (246, 196, 60, 255), (120, 80, 10, 255))
    outlined(c, [along(0.82, w), along(0.96, w), along(0.96, -w), along(0.82, -w)], (236, 130, 150, 255), (120, 50, 60, 255))
    outlined(c, [along(0.0, 0), along(0.22, w), along(0.22, -w)], (240, 214, 170, 255), (110, 80, 40, 255))
    c.polygon([along(0.0, 0), along(0.08, 1.15), along(0.08, -1.15)], GREY_DARK)


def delete(c):
    for line in ([(5.5, 5.5), (18.5, 18.5)], [(18.5, 5.5), (5.5, 18.5)]):
        c.stroke(line, 5.8, RED_DARK)
    for line in ([(5.5, 5.5), (18.5, 18.5)], [(18.5, 5.5), (5.5, 18.5)]):
        c.stroke(line, 4.0, shaded(RED_LIGHT, RED))


def ditto(c):
    # the previous value: a clock face with an arrow turning back
    c.ellipse(12, 12.5, 6.2, 6.2, PAPER)
    arc = ellipse_points(12, 12.5, 7.6, 7.6, math.radians(-60), math.radians(220), steps=28)
    heavy_line(c, arc, shaded(BLUE_LIGHT, BLUE), BLUE_DARK, width=2.2)
    ex, ey = arc[0]
    outlined(c, [(ex + 3.6, ey - 2.6), (ex - 1.6, ey - 4.0), (ex + 0.6, ey + 1.8)], BLUE, BLUE_DARK, width=1.0)
    c.stroke([(12, 8.5), (12, 12.5), (15, 14.5)], 1.6, GREY_DARK)


def help(c):
    c.ellipse(12, 12, 10, 10, BLUE_DARK)
    c.ellipse(12, 12, 9, 9, shaded(BLUE_LIGHT, BLUE))
    hook = ellipse_points(12, 9.3, 3.6, 3.4, math.radians(190), math.radians(430), steps=20)
    c.stroke(hook + [(12, 13.2), (12, 14.6)], 2.6, WHITE)
    c.ellipse(12, 18.2, 1.6, 1.6, WHITE)


# --- clipboard

def page(c, x0, y0, x1, y1, fold=4.0, lines=True):
    points = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    outlined(c, points, vertical_gradient(PAPER, PAPER_SHADE, y0, y1), GREY_DARK, width=1.2)
    c.polygon([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)], GREY)
    if lines:
        y = y0 + fold + 2.5
        while y < y1 - 2:
            c.stroke([(x0 + 2.5, y), (x1 - 2.5, y)], 1.0, (120, 140, 170, 255))
            y += 3


def cut(c):
    for x in (8, 16):
        c.ring(x, 17.5, 3.6, 2.0, RED_DARK)
        c.ring(x, 17.5, 3.0, 2.3, RED)
    c.stroke([(9.5, 14.5), (16.5, 3)], 2.2, GREY_DARK)
    c.stroke([(14.5, 14.5), (7.5, 3)], 2.2, GREY)
    c.ellipse(12, 11.2, 1.1, 1.1, GREY_DARK)


def copy(c):
    page(c, 3, 2, 14, 16, fold=3.5)
    page(c, 9, 7, 21, 22, fold=3.5)


def paste(c):
    outlined(c, [(4, 4), (20, 4), (20, 22), (4, 22)], shaded((196, 150, 92, 255), (150, 104, 56, 255)),
             (84, 56, 24, 255), width=1.2)
    page(c, 8, 8, 21, 22, fold=3.5)
    outlined(c, [(8.5, 2.5), (15.5, 2.5), (15.5, 6), (8.5, 6)], GREY, GREY_DARK, width=1.0)


# --- window arrangement

def little_window(c, x0, y0, x1, y1):
    outlined(c, [(x0, y0), (x1, y0), (x1, y1), (x0, y1)], PAPER, BLUE_DARK, width=1.0)
    c.rect(x0, y0, x1, min(y1, y0 + 2.6), shaded(BLUE_LIGHT, BLUE, y0, y0 + 2.6))


def tile(c):
    for x0, y0 in ((2.5, 2.5), (12.5, 2.5), (2.5, 12.5), (12.5, 12.5)):
        little_window(c, x0, y0, x0 + 9, y0 + 9)


def cascade(c):
    for i in range(3):
        little_window(c, 2.5 + 4 * i, 2.5 + 4 * i, 13.5 + 4 * i, 13.5 + 4 * i)


def arrange(c):
    outlined(c, [(2.5, 2.5), (21.5, 2.5), (21.5, 21.5), (2.5, 21.5)], (236, 240, 246, 255), GREY_DARK, width=1.0)
    for i in range(3):
        little_window(c, 4 + 6 * i, 16, 8.5 + 6 * i, 19.5)


# --- buttons and windows of the program

def wizok(c):
    c.ellipse(12, 12, 10, 10, GREEN_DARK)
    c.ellipse(12, 12, 9, 9, shaded(GREEN_LIGHT, GREEN))
    c.stroke([(7, 12.5), (10.5, 16), (17, 8)], 2.8, WHITE)


def wizcncl(c):
    c.ellipse(12, 12, 10, 10, RED_DARK)
    c.ellipse(12, 12, 9, 9, shaded(RED_LIGHT, RED))
    for line in ([(8, 8), (16, 16)], [(16, 8), (8, 16)]):
        c.stroke(line, 2.8, WHITE)


def rwfyes(c):
    # a list of estimates with the chosen one ticked
    page(c, 3, 2, 17, 22, fold=4.0, lines=True)
    check_mark(c, [(10, 15.5), (14, 19.5), (21.5, 10)], width=3.0)


def sme(c):
    page(c, 4, 2, 20, 22, fold=4.5, lines=False)
    for row in range(4):
        y = 9 + row * 3.2
        c.stroke([(6.5, y), (17.5, y)], 1.0, (120, 140, 170, 255))
    c.stroke([(11, 7.5), (11, 18.5)], 1.0, (120, 140, 170, 255))
    c.rect(6.5, 5, 13, 7.2, GREEN)


def triangle(c):
    # the small pointer of a button that opens a list
    blue(c, triangle_right(8, 17, 6, 18))


def import_(c):
    # a rate sheet with an arrow bringing records into it
    page(c, 8, 2, 22, 22, fold=4.0, lines=True)
    heavy_line(c, [(2, 12), (11, 12)], GREEN, GREEN_DARK, width=3.2)
    outlined(c, [(10, 7.5), (15, 12), (10, 16.5)], shaded(GREEN_LIGHT, GREEN), GREEN_DARK)


# --- queries of a list

def qkqbe(c):
    page(c, 3, 2, 17, 21)
    heavy_line(c, [(16, 16), (21, 21)], (120, 84, 40, 255), (60, 40, 16, 255), width=3.0)
    c.ellipse(12.5, 12.5, 4.4, 4.4, (205, 230, 250, 230))
    c.ring(12.5, 12.5, 5.8, 4.3, GREY_DARK)


def qkload(c):
    page(c, 3, 2, 17, 21)
    heavy_line(c, [(10, 13), (17, 13)], GREEN, GREEN_DARK, width=3.0)
    outlined(c, [(16, 8.5), (22, 13), (16, 17.5)], shaded(GREEN_LIGHT, GREEN), GREEN_DARK)


import_.__name__ = "import"


# --- the estimate editor

def print_(c):
    # a printer with a sheet coming out of it
    page(c, 7, 2, 17, 11, fold=2.5, lines=False)
    outlined(c, [(3, 10), (21, 10), (21, 18), (3, 18)], shaded((200, 204, 212, 255), GREY), GREY_DARK, width=1.2)
    page(c, 6.5, 15, 17.5, 22, fold=0.1, lines=True)
    c.ellipse(18, 12.5, 1.0, 1.0, GREEN)


print_.__name__ = "print"


def compose(c):
    # an act: a sheet with a pen signing it
    page(c, 3, 2, 17, 22, fold=4.0, lines=True)
    heavy_line(c, [(20.5, 5), (11, 18.5)], (232, 190, 72, 255), (120, 84, 20, 255), width=2.6)
    c.polygon([(11, 18.5), (9.5, 21.5), (12.6, 19.6)], GREY_DARK)


def row_arrow(c, down):
    # a row of the tree with an arrow moving it
    outlined(c, [(2.5, 9.5), (12.5, 9.5), (12.5, 14.5), (2.5, 14.5)], (179, 206, 232, 255), BLUE_DARK, width=1.0)
    if down:
        outlined(c, [(14, 5), (20, 5), (20, 12), (22.5, 12), (17, 20), (11.5, 12), (14, 12)], shaded(GREEN_LIGHT, GREEN), GREEN_DARK)
    else:
        outlined(c, [(14, 19), (20, 19), (20, 12), (22.5, 12), (17, 4), (11.5, 12), (14, 12)], shaded(GREEN_LIGHT, GREEN), GREEN_DARK)


def rowdown(c):
    row_arrow(c, True)


def rowup(c):
    row_arrow(c, False)


def exit_(c):
    # an open door with an arrow leaving through it
    outlined(c, [(4, 2.5), (15, 2.5), (15, 21.5), (4, 21.5)], shaded((196, 150, 92, 255), (150, 104, 56, 255)),
             (84, 56, 24, 255), width=1.2)
    heavy_line(c, [(9, 12), (19, 12)], RED, RED_DARK, width=3.0)
    outlined(c, [(18, 7.5), (22.5, 12), (18, 16.5)], shaded(RED_LIGHT, RED), RED_DARK)


exit_.__name__ = "exit"


def export(c):
    # a sheet with an arrow taking its records out
    page(c, 2, 2, 16, 22, fold=4.0, lines=True)
    heavy_line(c, [(11, 12), (19, 12)], BLUE, BLUE_DARK, width=3.2)
    outlined(c, [(18, 7.5), (22.5, 12), (18, 16.5)], shaded(BLUE_LIGHT, BLUE), BLUE_DARK)

ICONS = [vcrfirst, vcrprior, vcrup, find, vcrdown, vcrnext, vcrlast, mark, insert, edit, delete, ditto, help,
         cut, copy, paste, tile, cascade, arrange, wizok, wizcncl, rwfyes, sme, triangle, import_,
         print_, compose, rowdown, rowup, exit_, export, qkqbe, qkload]


def main():
    folder = os.path.join(HERE, "icons")
    os.makedirs(folder, exist_ok=True)
    for draw in ICONS:
        c = Canvas(SIZE, SIZE)
        draw(c)
        c.save(os.path.join(folder, draw.__name__ + ".png"))


if __name__ == "__main__":
    main()
