#!/usr/bin/env python3
"""Writes the BMP fuzz target's seed corpus: valid images of odd sizes, and
files that are truncated or whose headers lie. Run once; the files are kept
in corpus/bmp_reader/."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus",
                   "bmp_reader")


def bmp(width, height, bpp=24, compression=0, offset=54, rows=None,
        signature=b"BM", pixel_bytes=None):
    stride = (abs(width) * 3 + 3) // 4 * 4
    if pixel_bytes is None:
        n = stride * abs(rows if rows is not None else height)
        pixel_bytes = bytes((i * 37 + 11) % 256 for i in range(n))
    header = signature + struct.pack("<IHHI", 54 + len(pixel_bytes), 0, 0,
                                     offset & 0xFFFFFFFF)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression,
                       len(pixel_bytes), 2835, 2835, 0, 0)
    return header + info + pixel_bytes


def white(width, height):
    stride = (width * 3 + 3) // 4 * 4
    return bmp(width, height, pixel_bytes=b"\xff" * stride * height)


SEEDS = {
    "valid_1x1.bmp": bmp(1, 1),
    "valid_2x2.bmp": bmp(2, 2),
    "valid_3x5.bmp": bmp(3, 5),
    "valid_5x3.bmp": bmp(5, 3),
    "valid_7x1.bmp": bmp(7, 1),
    "valid_1x7.bmp": bmp(1, 7),
    "valid_4x4.bmp": bmp(4, 4),
    "valid_13x9.bmp": bmp(13, 9),
    "white_6x2.bmp": white(6, 2),
    "rows_inside_header.bmp": bmp(1, 1, offset=0, pixel_bytes=b""),
    "empty.bmp": b"",
    "only_signature.bmp": b"BM",
    "header_cut_at_10.bmp": bmp(2, 2)[:10],
    "header_cut_at_25.bmp": bmp(2, 2)[:25],
    "header_cut_at_33.bmp": bmp(2, 2)[:33],
    "last_row_short.bmp": bmp(3, 3)[:-4],
    "last_byte_missing.bmp": bmp(3, 3)[:-1],
    "offset_past_end.bmp": bmp(2, 2, offset=1 << 20),
    "offset_negative.bmp": bmp(2, 2, offset=-4),
    "offset_max.bmp": bmp(2, 2, offset=0x7FFFFFFF),
    "width_negative.bmp": bmp(-2, 2, rows=2),
    "width_huge.bmp": bmp(0x7FFFFFFF, 1, pixel_bytes=b"\0" * 12),
    "height_huge.bmp": bmp(1, 0x7FFFFFFF, pixel_bytes=b"\0" * 12),
    "both_huge.bmp": bmp(0x10000, 0x10000, pixel_bytes=b"\0" * 12),
    "top_down.bmp": bmp(2, -2, rows=2),
    "height_zero.bmp": bmp(2, 0),
    "width_zero.bmp": bmp(0, 2),
    "bpp_32.bmp": bmp(2, 2, bpp=32),
    "bpp_8.bmp": bmp(2, 2, bpp=8),
    "rle8.bmp": bmp(2, 2, compression=1),
    "bitfields.bmp": bmp(2, 2, compression=3),
    "signature_BA.bmp": bmp(2, 2, signature=b"BA"),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
