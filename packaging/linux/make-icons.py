#!/usr/bin/env python3
"""Writes packaging/linux/icons/pilgrove-16.png and pilgrove-48.png.

The same picture as the Windows icon: the grid and palette of scripts/make-icon.py, drawn
at 16 x 16 and scaled by three to 48 x 48 (each grid cell a 3 x 3 block), with the
transparent cells fully transparent. The PNG bytes depend on the grid alone, so running
the script again gives the same files. Run it after changing the grid and commit them.
"""
import importlib.util
import pathlib
import struct
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent


def load_icon_grid():
    found = importlib.util.spec_from_file_location("make_icon", ROOT / "scripts" / "make-icon.py")
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module.GRID, module.PALETTE, module.INDEX


def rgba_rows(scale):
    grid, palette, index = load_icon_grid()
    rows = []
    for line in grid:
        row = bytearray()
        for cell in line:
            if cell == ".":
                pixel = bytes((0, 0, 0, 0))
            else:
                blue, green, red = palette[index[cell]]
                pixel = bytes((red, green, blue, 255))
            row += pixel * scale
        rows.extend([bytes(row)] * scale)
    return rows


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(rows):
    height = len(rows)
    width = len(rows[0]) // 4
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    folder = pathlib.Path(__file__).resolve().parent / "icons"
    folder.mkdir(exist_ok=True)
    for size, scale in ((16, 1), (48, 3)):
        target = folder / f"pilgrove-{size}.png"
        target.write_bytes(png_bytes(rgba_rows(scale)))
        print(f"wrote {target}")


if __name__ == "__main__":
    main()
