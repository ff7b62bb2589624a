#!/usr/bin/env python3
"""Draws the program icon: a red X-shaped mark on a transparent background, as 16x16 and
32x32 images of 24-bit colour with a 1-bit transparency mask, written as kestrow.ico.
Run it from any folder; it writes next to itself."""
import os
import struct


def draw(size):
    """Rows top-down of (r, g, b, opaque) for the X mark at the given size."""
    thickness = size / 16 * 1.6
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            # distance to the two diagonals of the square inset by one pixel
            d1 = abs(cx - cy) / 2 ** 0.5
            d2 = abs(cx + cy - size) / 2 ** 0.5
            inside = 1 <= x < size - 1 and 1 <= y < size - 1
            d = min(d1, d2)
            if inside and d <= thickness:
                edge = d > thickness - 0.8
                row.append((160, 0, 0, True) if edge else (224, 24, 24, True))
            else:
                row.append((0, 0, 0, False))
        rows.append(row)
    return rows


def dib(size):
    """BITMAPINFOHEADER (height doubled for XOR + AND), bottom-up BGR rows, AND mask."""
    rows = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    xor = b''
    and_mask = b''
    row_bytes = (size * 3 + 3) // 4 * 4
    mask_bytes = (size + 31) // 32 * 4
    for row in reversed(rows):
        line = b''.join(struct.pack('BBB', b, g, r) for r, g, b, _ in row)
        xor += line + b'\0' * (row_bytes - len(line))
        bits = 0
        for x, (_, _, _, opaque) in enumerate(row):
            if not opaque:
                bits |= 1 << (mask_bytes * 8 - 1 - x)
        and_mask += bits.to_bytes(mask_bytes, 'big')
    return header + xor + and_mask


def main():
    images = [dib(16), dib(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'kestrow.ico'), 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
