"""A private X server with the renderer running in it, driven by xdotool.

Each session starts its own Xvfb on a display number the server picks
itself (-displayfd), starts the program, and ends both by process id. Both
children are also told to die with this process, so a harness killed by a
time-out leaves nothing behind.
"""
import ctypes
import os
import select
import signal
import subprocess
import tempfile
import time

import picture

_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(
        _PR_SET_PDEATHSIG, signal.SIGKILL)


class Failure(Exception):
    pass


def wait_until(condition, timeout, interval=0.05):
    """Polls `condition` until it returns something true or time runs out."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            return result
        time.sleep(interval)


def start_x_server(screen="1280x1024x24"):
    """Starts Xvfb on a free display; returns (process, ':N')."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 15
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip().isdigit():
        server.kill()
        server.wait()
        raise Failure("Xvfb did not start")
    return server, ":" + number.decode().strip()


class Session:
    """The renderer in its own X server."""

    def __init__(self, renderer, workdir, arguments=()):
        self.renderer = renderer
        self.workdir = workdir
        self.arguments = list(arguments)
        self.server = None
        self.program = None
        self.window = None
        self.logs = tempfile.TemporaryDirectory()
        self.server, self.display = start_x_server()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        # In a sanitizer build, the system libraries' own leaks are not ours.
        suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                    "lsan_suppressions.txt")
        self.env["LSAN_OPTIONS"] = ":".join(filter(None, [
            os.environ.get("LSAN_OPTIONS", ""),
            "suppressions=" + suppressions, "print_suppressions=0"]))

    # --- the program -----------------------------------------------------
    def start(self, stdout=None):
        """Starts the program; its standard output goes to `stdout` (a file
        descriptor) when given, else to a log file."""
        self.stdout = open(os.path.join(self.logs.name, "stdout"), "w+b")
        self.stderr = open(os.path.join(self.logs.name, "stderr"), "w+b")
        self.program = subprocess.Popen(
            [self.renderer] + self.arguments, cwd=self.workdir, env=self.env,
            stdin=subprocess.DEVNULL,
            stdout=self.stdout if stdout is None else stdout,
            stderr=self.stderr, preexec_fn=_die_with_parent)
        found = wait_until(self._find_window, 10, 0.1)
        if not found:
            raise Failure("no window titled 'Renderer' within 10 s")
        self.window = found
        self.xdotool("windowfocus", "--sync", self.window)
        # The window can be mapped before the first frame reaches it.
        if not wait_until(lambda: self.screenshot().count(picture.GREY) > 0, 10):
            raise Failure("no frame was drawn in the window within 10 s")
        return self.window

    def _find_window(self):
        if self.program.poll() is not None:
            raise Failure("the program ended early with status %d: %s"
                          % (self.program.returncode, self.error_output()))
        result = subprocess.run(
            ["xdotool", "search", "--name", "^Renderer$"], env=self.env,
            capture_output=True, text=True, timeout=10)
        ids = result.stdout.split()
        return ids[0] if ids else None

    def wait_exit(self, timeout):
        """The program's exit status, or None if it is still running."""
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def error_output(self):
        self.stderr.flush()
        with open(self.stderr.name, "rb") as f:
            return f.read().decode(errors="replace")

    def standard_output(self):
        self.stdout.flush()
        with open(self.stdout.name, "rb") as f:
            return f.read()

    def resident_kib(self):
        with open("/proc/%d/status" % self.program.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        raise Failure("no VmRSS for the program")

    # --- input and output ------------------------------------------------
    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.env, check=True,
                       timeout=15, stdout=subprocess.DEVNULL)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def screenshot(self):
        result = subprocess.run(
            ["xwd", "-silent", "-id", self.window], env=self.env,
            capture_output=True, check=True, timeout=15)
        return picture.from_xwd(result.stdout)

    def window_origin(self):
        result = subprocess.run(
            ["xdotool", "getwindowgeometry", self.window], env=self.env,
            capture_output=True, text=True, check=True, timeout=10)
        for line in result.stdout.splitlines():
            line = line.strip()
            if line.startswith("Position:"):
                x, y = line.split()[1].split(",")
                return int(x), int(y)
        raise Failure("no window position from xdotool")

    def close_window(self, helper):
        subprocess.run([helper, self.window], env=self.env, check=True,
                       timeout=10)

    def settle(self, seconds=0.3):
        time.sleep(seconds)

    def still_picture(self, timeout=5):
        """Waits until two screenshots a moment apart are equal; returns it."""
        previous = [self.screenshot()]

        def unchanged():
            time.sleep(0.25)
            current = self.screenshot()
            same = current == previous[0]
            previous[0] = current
            return current if same else None
        found = wait_until(unchanged, timeout, 0)
        if not found:
            raise Failure("the picture did not come to rest")
        return found

    # --- the end ---------------------------------------------------------
    def close(self):
        for process in (self.program, self.server):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait(timeout=10)
        self.logs.cleanup()
