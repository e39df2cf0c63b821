#!/usr/bin/env python3
"""Bad images at start-up: the real renderer in a private Xvfb, started in a
folder where five of the seven image names hold broken files (truncated,
lying about their size, top-down, 32 bits per pixel, zero bytes) and two
hold good ones.

It must start, draw the good images exactly as if the broken files were not
there at all, answer its keys, and end with status 0 on Escape. Three runs
are compared at rest (paused, object reset, help hidden): broken files plus
the good two, only the good two, and no images at all.

usage: bad_images.py --renderer PATH --textures DIR
"""
import argparse
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e")
sys.path.insert(0, E2E)

from run_e2e import help_hidden, rest  # noqa: E402
from x_session import Failure, Session  # noqa: E402

# corvik.bmp is the face toward the viewer at rest, so the good images show.
GOOD = ["corvik.bmp", "saffel1.bmp"]


def bmp(width, height, bpp=24, offset=54, pixel_bytes=None):
    """A BMP file whose header says what it is told to say."""
    stride = (abs(width) * bpp // 8 + 3) // 4 * 4
    if pixel_bytes is None:
        pixel_bytes = bytes((i * 7 + 3) % 256 for i in range(stride * abs(height)))
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixel_bytes), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       len(pixel_bytes), 2835, 2835, 0, 0)
    return header + info + pixel_bytes


BROKEN = {
    "data3.bmp": bmp(64, 64)[:1000],                    # truncated
    "neo.bmp": bmp(4096, 4096, pixel_bytes=b"\x80" * 300),  # lies about its size
    "t2.bmp": bmp(32, -32),                             # top-down
    "dremma2.bmp": bmp(32, 32, bpp=32),                 # 32 bits per pixel
    "torvel.bmp": b"",                                  # zero bytes
}


def make_folder(textures, broken):
    folder = tempfile.mkdtemp(prefix="renderer-bad-images-")
    for name in GOOD:
        shutil.copy(os.path.join(textures, name), folder)
    if broken:
        for name, data in BROKEN.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
    return folder


def picture_at_rest(args, folder, check_keys):
    session = Session(args.renderer, folder)
    try:
        session.start()
        shot = rest(session)
        if check_keys and not help_hidden(shot):
            raise Failure("the 1 key did not hide the help text")
        session.key("Escape")
        status = session.wait_exit(5)
        if status != 0:
            raise Failure("Escape did not end the program with status 0 (%s): %s"
                          % (status, session.error_output()))
        return shot
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--renderer", required=True)
    parser.add_argument("--textures", required=True)
    args = parser.parse_args()
    args.renderer = os.path.abspath(args.renderer)

    def out_of_time(signum, frame):
        raise Failure("the test ran out of time")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(150)
    folders = []
    try:
        folders = [make_folder(args.textures, True),
                   make_folder(args.textures, False),
                   tempfile.mkdtemp(prefix="renderer-no-images-")]
        broken = picture_at_rest(args, folders[0], True)
        print("ok: with five broken images the program starts, draws, "
              "answers its keys and ends with status 0 on Escape")
        good_only = picture_at_rest(args, folders[1], False)
        none = picture_at_rest(args, folders[2], False)
        if broken != good_only:
            raise Failure("the broken files changed the picture: they must "
                          "leave their slots empty, as missing files do")
        print("ok: the picture equals the one drawn without the broken files")
        if broken == none:
            raise Failure("the good images are not drawn")
        print("ok: the good images are drawn")
        return 0
    except (Failure, subprocess.SubprocessError) as failure:
        print("FAILED:", failure)
        return 1
    finally:
        signal.alarm(0)
        for folder in folders:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
