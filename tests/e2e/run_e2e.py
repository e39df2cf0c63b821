#!/usr/bin/env python3
"""End-to-end checks of the real renderer in a private X server, driven with
real key presses and mouse moves through xdotool.

usage: run_e2e.py --renderer PATH --textures DIR --close-helper PATH
                  [--model FILE] [--sanitized] SCENARIO
       run_e2e.py ... screenshot OUT.png

Each scenario prints what it checked and exits 0, or 1 with the first
failure. The whole run is bounded by an alarm.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import picture  # noqa: E402
from x_session import Failure, Session, wait_until  # noqa: E402

HELP_LINES = 9  # the six original lines, then S, B and A


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


def is_text_box(shot, left, top, width):
    """A white box with dark glyphs: only white and black, mostly white."""
    values = shot.region(left, top, left + width, top + 18)
    whites = values.count(picture.WHITE)
    blacks = values.count(picture.BLACK)
    return (len(values) == width * 18 and whites + blacks == len(values)
            and whites > len(values) // 2 and blacks > 20)


def help_shown(shot):
    return all(is_text_box(shot, 10, 35 + 20 * line, 100)
               for line in range(HELP_LINES))


def help_hidden(shot):
    return not any(is_text_box(shot, 10, 35 + 20 * line, 100)
                   for line in range(HELP_LINES))


def rest(session):
    """Pauses both animations, resets the object, hides the help text and
    returns the picture once it has come to rest."""
    session.key("p", "o", "KP_Begin", "1")
    return session.still_picture()


def changes(session, reference, timeout=3):
    return wait_until(lambda: session.screenshot() != reference, timeout)


# --- scenarios ---------------------------------------------------------------

def scenario_window(args, session):
    session.start()
    print("ok: a window titled 'Renderer' appeared within 10 s")
    names = subprocess.run(["xprop", "-id", session.window, "WM_CLASS"],
                           env=session.env, capture_output=True, text=True,
                           timeout=10).stdout
    check('"MyClass"' in names, "its class is MyClass (%s)" % names.strip())
    check(session.window_origin() == (50, 50), "it stands at (50, 50)")
    shot = wait_until(lambda: (lambda s: s if help_shown(s) else None)(
        session.screenshot()), 5)
    check(shot, "the nine help lines show as white boxes with dark glyphs")
    check((shot.width, shot.height) == (750, 650), "the client area is 750 x 650")
    check(shot.count(picture.GREY) > shot.width * shot.height // 10,
          "the background is grey 0x787878")
    check(not is_text_box(shot, 10, 10, 50), "no FPS box before F")

    session.key("f")
    check(wait_until(lambda: is_text_box(session.screenshot(), 10, 10, 50), 3),
          "F shows the FPS box within 3 s")
    session.key("f")
    check(wait_until(lambda: not is_text_box(session.screenshot(), 10, 10, 50), 3),
          "F again hides it")

    session.close_window(args.close_helper)
    status = session.wait_exit(3)
    check(status == 0, "a close request ends the program with status 0 (%s)" % status)
    check(session.standard_output() == b"", "nothing was written to standard output")


def scenario_animation(args, session):
    session.start()
    first = session.screenshot()
    check(changes(session, first), "the model turns on its own")
    session.key("p")
    session.key("o")
    frozen = session.still_picture()
    time.sleep(0.5)
    check(session.screenshot() == frozen, "P and O freeze the picture")
    session.key("p")
    check(changes(session, frozen), "P again releases the rotation")
    session.key("p")
    frozen = session.still_picture()
    session.key("o")
    check(changes(session, frozen), "O again releases the texture scrolling")
    session.key("o")
    session.still_picture()
    print("ok: both pause again")

    session.key("p", "o")
    check(changes(session, frozen), "and run again")
    if args.sanitized:
        # The sanitizer's quarantine holds what X11 frees every frame.
        print("ok: resident memory left unmeasured under the sanitizer")
        return
    time.sleep(1.0)
    first = session.resident_kib()
    time.sleep(3.0)
    second = session.resident_kib()
    check(second - first <= 256, "resident memory stays flat while it animates "
          "(%d KiB, then %d KiB 3 s later)" % (first, second))


def scenario_controls(args, session):
    session.start()
    check(wait_until(lambda: help_shown(session.screenshot()), 5),
          "the help text shows at start")
    reference = rest(session)
    check(help_hidden(reference), "1 hides the help text")
    session.key("1")
    check(wait_until(lambda: help_shown(session.screenshot()), 3),
          "1 shows it again")
    session.key("1")
    check(session.still_picture() == reference, "and hides it once more")

    box, size = reference.scene_box()
    session.key(*["z"] * 5)
    bigger = session.still_picture().scene_box()[1]
    check(bigger > size * 1.05, "Z enlarges the model (%d -> %d pixels)" % (size, bigger))
    session.key(*["x"] * 15)
    smaller = session.still_picture().scene_box()[1]
    check(smaller < bigger * 0.8, "X shrinks it (%d -> %d pixels)" % (bigger, smaller))
    session.key(*["z"] * 10)
    check(session.still_picture() == reference, "the focal length comes back")

    session.key("Left", "Left", "Left")
    turned = session.still_picture()
    check(turned != reference, "an arrow key turns the model")
    session.key("KP_Begin")
    check(session.still_picture() == reference, "keypad 5 restores the reset picture")

    session.key("KP_Right")
    right = session.still_picture()
    session.key("KP_Begin", "KP_6")
    check(right != reference, "keypad 6 (sent as KP_Right) moves the model")
    check(session.still_picture() == right,
          "keypad 6 moves the model the same with Num Lock off and on")
    session.key("KP_Begin")
    check(session.still_picture() == reference, "and keypad 5 resets it again")

    x, y = session.window_origin()
    session.xdotool("mousemove", "--sync", str(x + 375), str(y + 325))
    session.xdotool("mousedown", "1")
    for step in range(1, 7):
        session.xdotool("mousemove", "--sync", str(x + 375 + 10 * step), str(y + 325))
    session.xdotool("mouseup", "1")
    dragged = session.still_picture()
    check(dragged != reference, "a left-button drag turns the model while paused")
    session.xdotool("mousemove", "--sync", str(x + 200), str(y + 200))
    check(session.still_picture() == dragged, "moving without the button turns nothing")

    session.xdotool("keydown", "z")
    time.sleep(1.2)
    session.xdotool("keyup", "z")
    held = session.still_picture().scene_box()[1]
    check(held > bigger, "a held key repeats (%d pixels after holding Z)" % held)


def scenario_looks(args, session):
    session.start()
    reference = rest(session)

    def shows(picture):
        # A look's first frame can take a while (16 samples under a
        # sanitizer): wait for it rather than for two equal screenshots.
        return wait_until(lambda: session.screenshot() == picture, 15)

    for key, name in (("s", "S (smooth shading)"),
                      ("b", "B (bilinear texels)")):
        session.key(key)
        check(changes(session, reference, 15), name + " changes the picture")
        session.key(key)
        check(shows(reference), name + " again gives the picture back")
    session.key("a")
    check(changes(session, reference, 15), "A draws 4 samples per pixel")
    four = session.still_picture()
    session.key("a")
    check(changes(session, four, 15), "A again draws 16")
    sixteen = session.still_picture()
    check(sixteen not in (reference, four), "A again draws 16, unlike 1 and 4")
    session.key("a")
    check(shows(reference), "and A once more 1 again")
    session.key("Escape")
    check(session.wait_exit(3) == 0, "Escape ends it with status 0")


def centre_offset(shot):
    (left, top, right, bottom), _ = shot.scene_box()
    return ((left + right) / 2 - shot.width / 2, (top + bottom) / 2 - shot.height / 2)


def scenario_resize(args, session):
    session.start()
    rest(session)
    session.key(*["x"] * 30)  # small enough to lie wholly inside the window
    before = session.still_picture()
    offset = centre_offset(before)
    check(abs(offset[0]) <= 3 and abs(offset[1]) <= 3,
          "the model is centred in the client area (%.1f, %.1f)" % offset)
    session.xdotool("windowsize", session.window, "520", "380")
    after = wait_until(lambda: (lambda s: s if (s.width, s.height) == (520, 380)
                                else None)(session.screenshot()), 5)
    check(after, "the window takes its new size")
    after = session.still_picture()
    moved = centre_offset(after)
    check(abs(moved[0] - offset[0]) <= 1 and abs(moved[1] - offset[1]) <= 1,
          "after a resize the model stays centred (%.1f, %.1f)" % moved)
    check(after.at(519, 379) == picture.GREY, "the whole new client area is drawn")

    session.xdotool("windowsize", session.window, "900", "700")
    wait_until(lambda: session.screenshot().width == 900, 5)
    larger = session.still_picture()
    moved = centre_offset(larger)
    check(abs(moved[0] - offset[0]) <= 1 and abs(moved[1] - offset[1]) <= 1
          and larger.at(899, 699) == picture.GREY,
          "also when it grows (%.1f, %.1f)" % moved)

    # Larger than the screen (1280 x 1024): the frame buffer is not.
    session.xdotool("windowsize", session.window, "1500", "1200")
    wait_until(lambda: session.screenshot().width == 1500, 5)
    time.sleep(0.5)
    huge = session.screenshot()
    check(session.program.poll() is None and huge.at(1000, 800) == picture.GREY,
          "a window larger than the screen is drawn as far as the screen goes")

    started = time.monotonic()
    session.key("Escape")
    status = session.wait_exit(3)
    check(status == 0, "Escape ends the program with status 0 within 3 s "
          "(%s after %.2f s)" % (status, time.monotonic() - started))


def scenario_no_images(args, session):
    session.start()
    check(wait_until(lambda: help_shown(session.screenshot()), 3),
          "without images the program still runs and draws")
    session.key("1")
    check(wait_until(lambda: help_hidden(session.screenshot()), 3),
          "and still answers its keys")
    session.key("Escape")
    check(session.wait_exit(3) == 0, "Escape ends it with status 0")
    check(session.error_output() == "", "nothing was written to standard error")


def run_without_display(command, cwd=None):
    """The program run to its end with no display in its environment."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    return subprocess.run(command, cwd=cwd, env=env, capture_output=True,
                          text=True, timeout=20, stdin=subprocess.DEVNULL)


def scenario_no_display(args):
    started = time.monotonic()
    result = run_without_display([args.renderer], cwd=args.textures)
    lines = result.stderr.splitlines()
    check(result.returncode != 0, "without a display it fails (status %d)"
          % result.returncode)
    check(len(lines) == 1 and "display" in lines[0],
          "with one clear line on standard error: %r" % result.stderr)
    check(time.monotonic() - started < 10, "promptly")
    check(result.stdout == "", "and nothing on standard output")


def terminal_output(controller):
    """Everything written to a pseudo-terminal whose other end is closed."""
    data = b""
    while True:
        try:
            chunk = os.read(controller, 4096)
        except OSError:  # EIO once no process holds the terminal open
            return data
        if not chunk:
            return data
        data += chunk


def scenario_terminal_title(args, session):
    push, pop = b"\033[22;0t", b"\033[23;0t"
    set_title = b"\033]0;Renderer\a"
    ways_out = [
        ("Escape", lambda: session.key("Escape"), 0),
        ("closing the window",
         lambda: session.close_window(args.close_helper), 0),
        ("SIGINT", lambda: session.program.send_signal(signal.SIGINT),
         -signal.SIGINT),
        ("SIGTERM", lambda: session.program.send_signal(signal.SIGTERM),
         -signal.SIGTERM),
    ]
    for name, end, expected in ways_out:
        controller, terminal = os.openpty()
        try:
            session.start(stdout=terminal)
            os.close(terminal)
            terminal = None
            end()
            status = session.wait_exit(5)
            written = terminal_output(controller)
        finally:
            if terminal is not None:
                os.close(terminal)
            os.close(controller)
        check(status == expected, "%s ends the program with status %s (%s)"
              % (name, expected, status))
        check(written == push + set_title + pop,
              "the terminal's title is saved, set and given back after %s "
              "(%r)" % (name, written))


def scenario_model(args, session):
    session.start()
    shot = session.screenshot()
    check(shot.count(picture.GREY) < shot.width * shot.height * 19 // 20,
          "the model given on the command line is drawn")
    check(changes(session, shot), "and turns on its own")
    still = rest(session)
    session.key("Left", "Left", "Left")
    check(changes(session, still), "the arrow keys turn it: the controls "
          "start on the model, not on the light")
    session.key("Escape")
    check(session.wait_exit(3) == 0, "Escape ends it with status 0")
    check(session.error_output() == "", "nothing was written to standard error")


def scenario_bad_model(args):
    broken = tempfile.mkdtemp(prefix="renderer-bad-model-")
    try:
        path = os.path.join(broken, "broken.glb")
        with open(path, "wb") as out:
            out.write(b"glTF\x02\x00\x00\x00\xff\x00\x00\x00")
        result = run_without_display([args.renderer, path])
    finally:
        shutil.rmtree(broken)
    lines = result.stderr.splitlines()
    check(result.returncode == 2, "an unreadable model exits with status 2 "
          "(%d)" % result.returncode)
    check(len(lines) == 1 and lines[0].startswith(path + ": header: "),
          "with one line naming file, place and problem: %r" % result.stderr)


def take_screenshot(args, session, path):
    session.start()
    time.sleep(1.5)
    shot = session.screenshot()
    shot.write_png(path)
    print("wrote", path)


SCENARIOS = {
    "window": scenario_window,
    "animation": scenario_animation,
    "controls": scenario_controls,
    "looks": scenario_looks,
    "resize": scenario_resize,
    "no-images": scenario_no_images,
    "terminal-title": scenario_terminal_title,
    "model": scenario_model,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--renderer", required=True)
    parser.add_argument("--textures", required=True)
    parser.add_argument("--close-helper", required=True)
    parser.add_argument("--time-limit", type=int, default=90)
    parser.add_argument("--model", help="model file for the model scenario")
    parser.add_argument("--sanitized", action="store_true",
                        help="the program is built with AddressSanitizer")
    parser.add_argument("scenario")
    parser.add_argument("output", nargs="?")
    args = parser.parse_args()

    def out_of_time(signum, frame):
        raise Failure("the scenario ran out of time")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(args.time_limit)

    empty = None
    session = None
    try:
        if args.scenario == "no-display":
            scenario_no_display(args)
            return 0
        if args.scenario == "bad-model":
            scenario_bad_model(args)
            return 0
        workdir = args.textures
        if args.scenario == "no-images":
            empty = tempfile.mkdtemp(prefix="renderer-no-images-")
            workdir = empty
        arguments = [args.model] if args.scenario == "model" else []
        session = Session(args.renderer, workdir, arguments)
        if args.scenario == "screenshot":
            take_screenshot(args, session, args.output)
        else:
            SCENARIOS[args.scenario](args, session)
        return 0
    except Failure as failure:
        print("FAILED:", failure)
        if session is not None and session.program is not None:
            print("program's standard error:", session.error_output())
        return 1
    finally:
        signal.alarm(0)
        if session is not None:
            session.close()
        if empty is not None:
            shutil.rmtree(empty, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
