#!/usr/bin/env python3
"""Writes a Windows icon file from raw RGBA images with palette colours.

    write-ico.py OUT.ico IMAGE.rgba:SIZE:BITS ...

Each image is SIZE x SIZE pixels of 8-bit RGBA (ImageMagick's "rgba:" output).
BITS is 1 (black and white) or 4 (the standard 16-colour palette). Opaque
pixels must have a palette colour; a pixel with alpha below 128 is
transparent and goes into the icon's mask.
"""
import struct
import sys

VGA = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
       (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0), (255, 0, 255),
       (255, 255, 0), (255, 255, 255)]
PALETTES = {1: [(0, 0, 0), (255, 255, 255)], 4: VGA}


def packed_rows(values, bits, size):
    """Bottom-up rows of `bits`-bit values, each padded to 4 bytes."""
    stride = ((size * bits + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            v = values[y * size + x]
            bit = x * bits
            row[bit // 8] |= v << (8 - bits - bit % 8)
        out += row
    return bytes(out)


def dib(path, size, bits):
    data = open(path, 'rb').read()
    if len(data) != size * size * 4:
        sys.exit(f'{path}: expected {size}x{size} RGBA')
    palette = PALETTES[bits]
    colours, mask = [], []
    for i in range(size * size):
        r, g, b, a = data[4 * i:4 * i + 4]
        if a < 128:
            colours.append(0)
            mask.append(1)
            continue
        if (r, g, b) not in palette:
            sys.exit(f'{path}: pixel {i % size},{i // size} has colour {(r, g, b)} outside the palette')
        colours.append(palette.index((r, g, b)))
        mask.append(0)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, bits, 0, 0, 0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + table + packed_rows(colours, bits, size) + packed_rows(mask, 1, size), len(palette)


def main():
    out, entries = sys.argv[1], sys.argv[2:]
    images = []
    for entry in entries:
        path, size, bits = entry.rsplit(':', 2)
        images.append((int(size), int(bits)) + dib(path, int(size), int(bits)))
    offset = 6 + 16 * len(images)
    directory, bodies = b'', b''
    for size, bits, body, colours in images:
        directory += struct.pack('<BBBBHHII', size, size, colours if colours < 256 else 0, 0, 1, bits, len(body), offset)
        bodies += body
        offset += len(body)
    with open(out, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)) + directory + bodies)


main()
