#!/usr/bin/env python3
"""Writes res/Pilgrove.ico: the 16 x 16, 256-colour application icon "MAINICON".

A mouse pointer whose tip sits in a short red burst: a click. The picture is the grid
below; the file is written byte by byte from it, so running the script again gives the
same file. Run it after changing the grid and commit both.
"""
import pathlib
import struct

# '.' transparent, 'B' black outline, 'W' white fill, 'R' red burst.
GRID = [
    ".....R..........",
    "..R..R..R.......",
    "...R...R........",
    "................",
    "RR...B..........",
    ".....BB.........",
    "...R.BWB........",
    "..R..BWWB.......",
    ".....BWWWB......",
    ".....BWWWWB.....",
    ".....BWWWWWB....",
    ".....BWWBBBBB...",
    ".....BWBBWB.....",
    ".....BB..BWB....",
    ".....B...BWB....",
    "..........BB....",
]
# Palette index per grid character; entries are (blue, green, red).
PALETTE = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF), (0x20, 0x20, 0xE0)]
INDEX = {".": 0, "B": 0, "W": 1, "R": 2}
SIZE = 16


def icon_bytes():
    assert len(GRID) == SIZE and all(len(row) == SIZE for row in GRID)
    # The image: a BITMAPINFOHEADER whose height counts the colour rows and the mask rows,
    # 256 palette entries, 8-bit colour rows and 1-bit AND-mask rows, both bottom-up.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b"".join(bytes((b, g, r, 0)) for b, g, r in PALETTE)
    palette += bytes(4 * (256 - len(PALETTE)))
    colour = b"".join(bytes(INDEX[c] for c in row) for row in reversed(GRID))
    mask = b""
    for row in reversed(GRID):
        bits = 0
        for c in row:
            bits = (bits << 1) | (c == ".")
        mask += struct.pack(">H", bits) + bytes(2)  # rows padded to 32 bits
    image = header + palette + colour + mask
    # ICONDIR and its one ICONDIRENTRY; the image follows them at offset 6 + 16.
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    target = pathlib.Path(__file__).resolve().parent.parent / "res" / "Pilgrove.ico"
    target.write_bytes(icon_bytes())
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
