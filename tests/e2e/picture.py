"""Screenshots as plain arrays of 0xRRGGBB values, and what tests ask of them."""
import array
import struct
import zlib

GREY = 0x787878
WHITE = 0xFFFFFF
BLACK = 0x000000


class Picture:
    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # array of 0xRRGGBB, rows top first

    def __eq__(self, other):
        return (self.width, self.height, self.pixels) == (
            other.width, other.height, other.pixels)

    def at(self, x, y):
        return self.pixels[y * self.width + x]

    def region(self, left, top, right, bottom):
        """The values of the pixels in [left, right) x [top, bottom)."""
        values = []
        for y in range(max(top, 0), min(bottom, self.height)):
            row = y * self.width
            values.extend(self.pixels[row + max(left, 0):row + min(right, self.width)])
        return values

    def count(self, colour):
        return self.pixels.count(colour)

    def scene_box(self, ignore_top=0):
        """Bounding box (left, top, right, bottom) and pixel count of what is
        not background grey, below row `ignore_top`."""
        left, top, right, bottom, count = self.width, self.height, -1, -1, 0
        w = self.width
        for y in range(ignore_top, self.height):
            row = self.pixels[y * w:(y + 1) * w]
            xs = [x for x, p in enumerate(row) if p != GREY]
            if xs:
                count += len(xs)
                left = min(left, xs[0])
                right = max(right, xs[-1])
                top = min(top, y)
                bottom = y
        return (left, top, right, bottom), count

    def write_png(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for p in self.pixels[y * self.width:(y + 1) * self.width]:
                raw += bytes(((p >> 16) & 255, (p >> 8) & 255, p & 255))

        def chunk(kind, data):
            body = kind + data
            return (struct.pack(">I", len(data)) + body +
                    struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                    chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
                    chunk(b"IEND", b""))


def from_xwd(data):
    """Reads an X window dump of 24 or 32 bits per pixel (ZPixmap)."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    if pixmap_format != 2 or bits_per_pixel != 32:
        raise ValueError("unsupported window dump: format %d, %d bits"
                         % (pixmap_format, bits_per_pixel))
    if (red_mask, green_mask, blue_mask) != (0xFF0000, 0xFF00, 0xFF):
        raise ValueError("unsupported colour masks")
    start = header_size + 12 * ncolors
    little_host = array.array("I", [1]).tobytes()[0] == 1
    pixels = array.array("I")
    for y in range(height):
        offset = start + y * bytes_per_line
        row = bytearray(data[offset:offset + 4 * width])
        # Clear the unused byte of each pixel, then read the rest as 0xRRGGBB.
        unused = 3 if byte_order == 0 else 0
        row[unused::4] = bytes(width)
        values = array.array("I", bytes(row))
        if (byte_order == 0) != little_host:
            values.byteswap()
        pixels.extend(values)
    return Picture(width, height, pixels)
