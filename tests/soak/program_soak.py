#!/usr/bin/env python3
"""Program soak: the real renderer in a private Xvfb under a random stream of
key presses, drags, mouse moves, window resizes and moves from xdotool.

Every few seconds it checks that the program is alive and answers (it draws
a window of a size it is given, and its help text follows the 1 key), and
samples its resident memory; at the end the memory must not have grown and
Escape must end the program with status 0.

usage: program_soak.py --renderer PATH --textures DIR [--seconds N]
                       [--seed N] [--no-memory-check]
"""
import argparse
import os
import random
import signal
import subprocess
import sys
import time

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e")
sys.path.insert(0, E2E)

from run_e2e import help_shown  # noqa: E402
from x_session import Failure, Session, wait_until  # noqa: E402

# Every control key, and a few the program ignores. Escape is left out: it
# ends the program, which the soak does once, at the end.
KEYS = ["Left", "Right", "Up", "Down", "Page_Up", "Page_Down", "1", "o", "p",
        "x", "z", "f", "KP_End", "KP_Down", "KP_Next", "KP_Left", "KP_Begin",
        "KP_Right", "KP_Home", "KP_Up", "KP_Prior", "KP_1", "KP_5", "KP_9",
        "KP_Add", "KP_Subtract", "q", "space", "Return", "Tab", "F1",
        "shift+z", "ctrl+x"]
CHECK_EVERY = 5.0
# Seconds the program has to answer a check: generous, since a sanitizer
# build on a busy machine draws slowly (a wait ends as soon as it answers).
ANSWER_WITHIN = 15
# Allowed growth of resident memory between the first sample after warm-up
# and the last; a leak in the frame loop grows far faster.
RSS_SLACK_KIB = 4096


def press_keys(session, rng):
    keys = [rng.choice(KEYS) for _ in range(rng.randint(1, 25))]
    session.xdotool("key", "--delay", "3", *keys)


def hold_key(session, rng):
    key = rng.choice(["z", "x", "Left", "KP_Add", "KP_Subtract", "Up", "Down"])
    session.xdotool("keydown", key)
    time.sleep(rng.uniform(0.05, 0.6))
    session.xdotool("keyup", key)


def somewhere(rng):
    """A point anywhere on the 1280 x 1024 screen, inside the window or not."""
    return str(rng.randint(0, 1279)), str(rng.randint(0, 1023))


def drag(session, rng):
    """A drag with the left (turning) or another button, leaving the window
    at times."""
    button = rng.choice(["1", "1", "1", "2", "3"])
    session.xdotool("mousemove", *somewhere(rng))
    session.xdotool("mousedown", button)
    for _ in range(rng.randint(1, 12)):
        session.xdotool("mousemove", *somewhere(rng))
    session.xdotool("mouseup", button)


def move_mouse(session, rng):
    session.xdotool("mousemove", *somewhere(rng))


def resize(session, rng):
    """Tiny, ordinary, and larger than the 1280 x 1024 screen."""
    width = rng.choice([1, 2, rng.randint(1, 200), rng.randint(200, 1280),
                        rng.randint(1280, 2000)])
    height = rng.choice([1, 2, rng.randint(1, 200), rng.randint(200, 1024),
                         rng.randint(1024, 1600)])
    session.xdotool("windowsize", session.window, str(width), str(height))


def move_window(session, rng):
    """Anywhere from the top-left corner to mostly off the screen."""
    session.xdotool("windowmove", session.window,
                    str(rng.randint(0, 1250)), str(rng.randint(0, 1000)))


ACTIONS = [(press_keys, 40), (hold_key, 5), (drag, 20), (move_mouse, 10),
           (resize, 15), (move_window, 5)]


def check_answers(session):
    """Alive, draws a window of the size it is given, and answers the 1 key."""
    if session.program.poll() is not None:
        raise Failure("the program ended with status %d: %s"
                      % (session.program.returncode, session.error_output()))
    session.xdotool("windowmove", session.window, "50", "50")
    session.xdotool("windowsize", session.window, "750", "650")
    shot = wait_until(lambda: (lambda s: s if (s.width, s.height) == (750, 650)
                               else None)(session.screenshot()), ANSWER_WITHIN)
    if not shot:
        raise Failure("the window did not take the size 750 x 650")
    time.sleep(0.2)
    before = help_shown(session.screenshot())
    session.key("1")
    if not wait_until(lambda: help_shown(session.screenshot()) != before,
                      ANSWER_WITHIN):
        raise Failure("the help text did not follow the 1 key within %d s"
                      % ANSWER_WITHIN)


def soak(session, args):
    rng = random.Random(args.seed)
    names = [a for a, _ in ACTIONS]
    weights = [w for _, w in ACTIONS]
    session.start()
    started = time.monotonic()
    next_check = started + CHECK_EVERY
    samples = []
    actions = 0
    while time.monotonic() - started < args.seconds:
        rng.choices(names, weights)[0](session, rng)
        actions += 1
        if time.monotonic() >= next_check:
            check_answers(session)
            samples.append(session.resident_kib())
            next_check = time.monotonic() + CHECK_EVERY
    check_answers(session)
    samples.append(session.resident_kib())
    print("ok: alive and answering after %d random actions in %.0f s "
          "(%d checks)" % (actions, time.monotonic() - started, len(samples)))
    print("resident memory (KiB) at each check:", samples)
    # The first samples include start-up growth (X and SDL buffers, the
    # largest window size yet seen); from the second on it must stay flat.
    if not args.no_memory_check and len(samples) >= 3:
        growth = samples[-1] - samples[1]
        if growth > RSS_SLACK_KIB:
            raise Failure("resident memory grew by %d KiB" % growth)
        print("ok: resident memory stayed flat (%+d KiB)" % growth)
    session.key("Escape")
    status = session.wait_exit(5)
    if status != 0:
        raise Failure("Escape did not end the program with status 0 (%s)"
                      % status)
    print("ok: Escape ended the program with status 0")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--renderer", required=True)
    parser.add_argument("--textures", required=True)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--no-memory-check", action="store_true")
    args = parser.parse_args()
    if args.seed is None:
        args.seed = random.randrange(1 << 30)
    print("seed", args.seed)

    def out_of_time(signum, frame):
        raise Failure("the soak ran out of time")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(int(args.seconds) + 90)
    session = None
    try:
        session = Session(os.path.abspath(args.renderer),
                          os.path.abspath(args.textures))
        soak(session, args)
        return 0
    except (Failure, subprocess.SubprocessError) as failure:
        print("FAILED (seed %d): %s" % (args.seed, failure))
        if session is not None and session.program is not None:
            print("program status:", session.program.poll())
        if session is not None and session.program is not None:
            print("program's standard error:", session.error_output())
        return 1
    finally:
        signal.alarm(0)
        if session is not None:
            session.close()


if __name__ == "__main__":
    sys.exit(main())
