"""A small anti-aliased canvas for the program's own pictures, written out as PNG files.

Shapes are lists of closed contours filled with the non-zero winding rule (so overlapping
pieces of one shape join, and a contour wound the other way cuts a hole); each pixel is
sampled on a grid of ss x ss points. Colours are (r, g, b, a) tuples of 0..255, or a function
of the pixel centre (x, y) that returns one. Only the standard library is used.
"""

import math
import struct
import zlib


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def wound(points, clockwise=False):
    """The contour in the given winding direction (y grows downwards)."""
    return list(reversed(points)) if (signed_area(points) < 0) != clockwise else list(points)


def ellipse_points(cx, cy, rx, ry, start=0.0, end=2 * math.pi, steps=None):
    steps = steps or max(24, int(2 * math.pi * max(rx, ry)))
    return [(cx + rx * math.cos(start + (end - start) * i / steps), cy + ry * math.sin(start + (end - start) * i / steps))
            for i in range(steps + 1)]


class Canvas:
    def __init__(self, width, height, ss=4):
        self.width, self.height, self.ss = width, height, ss
        self.pixels = [(0.0, 0.0, 0.0, 0.0)] * (width * height)  # premultiplied, 0..1

    # --- filling

    def fill(self, contours, color):
        for index, cover in self._coverage(contours).items():
            x, y = index % self.width, index // self.width
            c = color(x + 0.5, y + 0.5) if callable(color) else color
            alpha = cover * c[3] / 255
            r, g, b, a = self.pixels[index]
            keep = 1 - alpha
            self.pixels[index] = (c[0] / 255 * alpha + r * keep, c[1] / 255 * alpha + g * keep,
                                  c[2] / 255 * alpha + b * keep, alpha + a * keep)

    def _coverage(self, contours):
        ss = self.ss
        edges = []
        for contour in contours:
            for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]):
                if y0 != y1:
                    edges.append((x0, y0, x1, y1, 1 if y1 > y0 else -1))
        if not edges:
            return {}
        top = max(0, int(min(min(e[1], e[3]) for e in edges) * ss))
        bottom = min(self.height * ss, int(math.ceil(max(max(e[1], e[3]) for e in edges) * ss)) + 1)
        counts = {}
        for sy in range(top, bottom):
            y = (sy + 0.5) / ss
            crossings = []
            for x0, y0, x1, y1, direction in edges:
                if min(y0, y1) <= y < max(y0, y1):
                    crossings.append((x0 + (y - y0) * (x1 - x0) / (y1 - y0), direction))
            crossings.sort()
            winding = 0
            for (xa, da), (xb, _) in zip(crossings, crossings[1:]):
                winding += da
                if winding != 0:
                    self._count_span(counts, sy // ss, xa, xb)
        full = ss * ss
        return {index: n / full for index, n in counts.items()}

    def _count_span(self, counts, row, xa, xb):
        ss = self.ss
        # sample columns whose centres lie in [xa, xb)
        first = max(0, math.ceil(xa * ss - 0.5))
        last = min(self.width * ss, math.ceil(xb * ss - 0.5))
        base = row * self.width
        sx = first
        while sx < last:
            column = sx // ss
            end = min(last, (column + 1) * ss)
            counts[base + column] = counts.get(base + column, 0) + end - sx
            sx = end

    # --- shapes

    def polygon(self, points, color):
        self.fill([points], color)

    def rect(self, x0, y0, x1, y1, color):
        self.fill([[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]], color)

    def rounded_rect(self, x0, y0, x1, y1, radius, color):
        self.fill([rounded_rect_points(x0, y0, x1, y1, radius)], color)

    def ellipse(self, cx, cy, rx, ry, color):
        self.fill([ellipse_points(cx, cy, rx, ry)], color)

    def ring(self, cx, cy, outer, inner, color):
        self.fill([wound(ellipse_points(cx, cy, outer, outer)),
                   wound(ellipse_points(cx, cy, inner, inner), clockwise=True)], color)

    def stroke(self, points, width, color, closed=False):
        """A line of the given width through the points, with round joins and ends."""
        self.fill(stroke_contours(points, width, closed), color)

    # --- output

    def save(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)  # no filter
            for r, g, b, a in self.pixels[y * self.width:(y + 1) * self.width]:
                if a > 0:
                    rows += bytes(min(255, round(v / a * 255)) for v in (r, g, b))
                else:
                    rows += b"\0\0\0"
                rows.append(min(255, round(a * 255)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
                    + chunk(b"IEND", b""))


def rounded_rect_points(x0, y0, x1, y1, radius):
    r = min(radius, (x1 - x0) / 2, (y1 - y0) / 2)
    corners = [(x1 - r, y0 + r, -math.pi / 2), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, math.pi / 2), (x0 + r, y0 + r, math.pi)]
    points = []
    for cx, cy, start in corners:
        points += ellipse_points(cx, cy, r, r, start, start + math.pi / 2, steps=8)
    return points


def stroke_contours(points, width, closed=False):
    half = width / 2
    segments = list(zip(points, points[1:] + points[:1])) if closed else list(zip(points, points[1:]))
    contours = []
    for (x0, y0), (x1, y1) in segments:
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        contours.append(wound([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    for x, y in points:
        contours.append(wound(ellipse_points(x, y, half, half, steps=16)))
    return contours


def mix(c0, c1, t):
    """The colour a fraction t of the way from c0 to c1."""
    t = max(0.0, min(1.0, t))
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def vertical_gradient(top_color, bottom_color, y0, y1):
    return lambda x, y: mix(top_color, bottom_color, (y - y0) / (y1 - y0))
