#!/usr/bin/env python3
"""Draws the program icon, the menu pictures and the logo into XPM files (run from res/).

The XPM files are the sources the program compiles in; this script is how they were made. The
two button glyphs (desktop.xpm, documents.xpm) were drawn apart."""


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.put(x, y, c)
                elif fill:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def xpm(self, name, palette):
        used = {c for row in self.px for c in row}
        pal = {k: v for k, v in palette.items() if k in used}
        lines = [f'"{self.w} {self.h} {len(pal)} 1"'] + [f'"{k} c {v}"' for k, v in pal.items()]
        lines += ['"' + "".join(r) + '"' for r in self.px]
        with open(name + ".xpm", "w") as f:
            f.write(f"/* XPM */\nstatic const char* {name}_xpm[] = {{\n" + ",\n".join(lines) + "\n};\n")


P = {"b": "#0000FF", "k": "#000000", "w": "#FFFFFF", "g": "#808080", "s": "#C0C0C0",
     "y": "#FFFF00", "o": "#808000", "r": "#FF0000", "m": "#800000", "G": "#00FF00",
     "n": "#000080", "c": "#00FFFF", "d": "#008000"}

# Program icon: a yellow bent arrow on a blue square (32 x 32, 16 colours).
c = Canvas(32, 32, "n")
c.rect(1, 1, 30, 30, "w", "b")
for y in range(8, 13):  # the arrow's shaft goes right, then bends down
    for x in range(6, 21):
        c.put(x, y, "y")
for y in range(8, 22):
    for x in range(16, 21):
        c.put(x, y, "y")
for i in range(7):  # the head points down
    for x in range(12 + i, 25 - i):
        c.put(x, 21 + i, "y")
c.line(6, 8, 20, 8, "k"); c.line(6, 12, 15, 12, "k"); c.line(6, 8, 6, 12, "k")
c.line(15, 12, 15, 21, "k"); c.line(21, 8, 21, 21, "k")
c.line(11, 21, 18, 28, "k"); c.line(25, 21, 18, 28, "k")
c.line(11, 21, 15, 21, "k"); c.line(21, 21, 25, 21, "k")
c.xpm("hopscoot", P)

# Post1: a blank sheet with yellow rays, on olive (24 x 24).
c = Canvas(24, 24, "o")
c.rect(6, 5, 17, 21, "k", "w")
for x0, y0, x1, y1 in [(3, 2, 6, 5), (11, 0, 11, 3), (20, 2, 17, 5), (0, 10, 4, 10), (23, 10, 19, 10)]:
    c.line(x0, y0, x1, y1, "y")
c.xpm("post1", P)

# Folder1: a yellow checkered folder (20 x 20), own background in the bottom-left pixel.
c = Canvas(20, 20, "s")
c.rect(1, 4, 7, 6, "k", "y")
c.rect(1, 6, 18, 17, "k", "y")
for y in range(7, 17):
    for x in range(2, 18):
        if (x // 2 + y // 2) % 2:
            c.put(x, y, "o")
c.xpm("folder1", P)

# File1: a blank sheet with a sparkle (20 x 20).
c = Canvas(20, 20, "s")
c.rect(3, 2, 13, 18, "k", "w")
c.line(13, 2, 16, 5, "k"); c.line(16, 5, 16, 18, "k"); c.line(13, 18, 16, 18, "k")
for dx, dy in [(0, -2), (0, -1), (0, 1), (0, 2), (-2, 0), (-1, 0), (1, 0), (2, 0)]:
    c.put(15 + dx, 4 + dy, "y")
c.put(15, 4, "w")
c.xpm("file1", P)

# Delete1: a black-and-white waste bin (17 x 17).
c = Canvas(17, 17, "s")
c.rect(3, 3, 13, 4, "k", "w")
c.rect(6, 1, 10, 3, "k")
c.rect(4, 5, 12, 15, "k", "w")
for x in (6, 8, 10):
    c.line(x, 7, x, 13, "k")
c.xpm("delete1", P)

# N6: a waving four-coloured flag (16 x 16).
c = Canvas(16, 16, "s")
c.line(1, 1, 1, 15, "k")
colours = ["r", "G", "b", "y"]
for x in range(2, 15):
    wave = 1 if (x // 3) % 2 else 0
    for y in range(2, 10):
        q = (0 if x < 8 else 1) + (0 if y < 6 else 2)
        c.put(x, y + wave, colours[q])
c.xpm("n6", P)

# Hopscoot1: a speech bubble with a blue "i" (16 x 16).
c = Canvas(16, 16, "s")
c.rect(1, 1, 14, 10, "k", "w")
c.line(4, 11, 4, 14, "k"); c.line(4, 14, 7, 11, "k"); c.put(5, 11, "w"); c.put(5, 12, "w"); c.put(6, 11, "w")
c.put(7, 3, "b"); c.put(8, 3, "b")
for y in range(5, 9):
    c.put(7, y, "b"); c.put(8, y, "b")
c.xpm("hopscoot1", P)

# Exit1: a red cross, on olive (24 x 24).
c = Canvas(24, 24, "o")
for i in range(4, 20):
    for t in (-1, 0, 1):
        c.put(i + t, i, "r"); c.put(23 - i + t, i, "r")
c.xpm("exit1", P)

# The version window's logo (60 x 30): the icon's arrow beside three stepping stones.
c = Canvas(60, 30, "s")
c.rect(0, 0, 59, 29, "g", "n")
for i, x in enumerate((6, 20, 34)):
    c.rect(x, 19 - 4 * i, x + 9, 22 - 4 * i, "k", "w")
c.line(10, 16, 24, 11, "y"); c.line(24, 11, 38, 6, "y"); c.line(38, 6, 52, 6, "y")
c.line(49, 3, 52, 6, "y"); c.line(49, 9, 52, 6, "y")
c.xpm("logo", P)
