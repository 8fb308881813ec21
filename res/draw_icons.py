#!/usr/bin/env python3
"""Draws the program's icons, a flatbed pen plotter seen from above, as 16-colour .ico files.

Run from anywhere: python3 res/draw_icons.py  (writes icon_app.ico and icon_app_small.ico beside
this script). Only the standard library is used.
"""
import os
import struct

# The standard 16-colour palette, so the icons look the same on every display.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# One letter per pixel in the pictures below; '.' is transparent.
COLOURS = {'k': 0, 'm': 1, 'n': 4, 'g': 7, 'd': 8, 'r': 9, 'y': 11, 'b': 12, 'w': 15}

# A grey plotter bed holding a white sheet, a navy gantry across it carrying a red pen
# carriage, and the blue line the pen has drawn so far.
PLOTTER_32 = """
................................
................................
..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..
..kggggggggggggggkkkkggggggggk..
..kgdddddddddddddknnkddddddddk..
..kggggggggggggggknnkggggggggk..
..kgkkkkkkkkkkkkkknnkkkkkkkkgk..
..kgkwwwwwwwwwwwwknnkwwwwwwkgk..
..kgkwwwwwwwwwwwwknnkwwwwwwkgk..
..kgkwwbbbwwwwwwwknnkwwwwwwkgk..
..kgkwbwwwbwwwwwwknnkwwwwwwkgk..
..kgkbwwwwwbwwwwwknnkwwwwwwkgk..
..kgkbwwwwwwbwwwkkkkkkwwwwwkgk..
..kgkbwwwwwwwbwwkrrrrkwwwwwkgk..
..kgkwbwwwwwwbwwkryyrkwwwwwkgk..
..kgkwwbwwwwwwbwkryyrkwwwwwkgk..
..kgkwwwbwwwwwbwkrrrrkwwwwwkgk..
..kgkwwwwbwwwwwbkkkkkkwwwwwkgk..
..kgkwwwwwbwwwwwbbkkwwwwwwwkgk..
..kgkwwwwwwbwwwwwknnkwwwwwwkgk..
..kgkwwwwwwwbwwwwknnkwwwwwwkgk..
..kgkwwwwwwwwbbwbknnkwwwwwwkgk..
..kgkwwwwwwwwwwbwknnkwwwwwwkgk..
..kgkwwwwwwwwwwwwknnkwwwwwwkgk..
..kgkwwwwwwwwwwwwknnkwwwwwwkgk..
..kgkkkkkkkkkkkkkknnkkkkkkkkgk..
..kggggggggggggggknnkggggggggk..
..kgdddddddddddddknnkddddddddk..
..kggggggggggggggkkkkggggggggk..
..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..
................................
................................
"""

PLOTTER_16 = """
................
kkkkkkkkkkkkkkkk
kgggggggkkgggggk
kgkkkkkknnkkkkgk
kgkwwwwknnkwwkgk
kgkwbbwknnkwwkgk
kgkbwwbkkkkkwkgk
kgkbwwkrrrrkwkgk
kgkwbwkryyrkwkgk
kgkwwbkkkkkkwkgk
kgkwwwbknnkwwkgk
kgkwwwwknnkwwkgk
kgkkkkkknnkkkkgk
kgggggggkkgggggk
kkkkkkkkkkkkkkkk
................
"""


def parse(picture, size):
    rows = [line for line in picture.strip('\n').split('\n')]
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError(f'picture is not {size} x {size}')
    return rows


def icon_image(rows):
    """One 4-bit icon image: header, palette, colour bits, transparency mask (bottom-up rows)."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', blue, green, red, 0) for red, green, blue in PALETTE)
    colour_bits = b''
    mask_bits = b''
    for row in reversed(rows):
        indexes = [COLOURS.get(pixel, 0) for pixel in row]
        line = bytes((indexes[x] << 4) | indexes[x + 1] for x in range(0, size, 2))
        colour_bits += line + b'\0' * (-len(line) % 4)
        mask = 0
        for pixel in row:
            mask = (mask << 1) | (pixel == '.')
        line = mask.to_bytes(size // 8, 'big')
        mask_bits += line + b'\0' * (-len(line) % 4)
    return header + palette + colour_bits + mask_bits


def write_icon(path, pictures):
    images = [(size, icon_image(parse(picture, size))) for size, picture in pictures]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    for size, image in images:
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as file:
        file.write(directory + entries + b''.join(image for _, image in images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, 'icon_app.ico'), [(32, PLOTTER_32), (16, PLOTTER_16)])
    write_icon(os.path.join(here, 'icon_app_small.ico'), [(16, PLOTTER_16)])


if __name__ == '__main__':
    main()
