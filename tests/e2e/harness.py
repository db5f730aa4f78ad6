"""Shared harness for end-to-end tests of the real binary.

Starts Xvfb and openbox (and a tray host on request), gives every test its own folder, HOME and
XDG folders, copies the binary into that folder (its settings file lives beside it), drives it
with xdotool and cleans everything up by PID. Every wait is bounded.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BINARY = os.environ.get("HOPSCOOT_BINARY", "")
TIMEOUT = 10.0


def wait_for(predicate, timeout=TIMEOUT, interval=0.05, what="condition"):
    """Polls `predicate` until it returns a true value; fails the test after `timeout` s."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Desktop:
    """An X server with a window manager, for one test module."""

    def __init__(self, tray=False):
        self.root = tempfile.mkdtemp(prefix="hopscoot-e2e-")
        self.procs = []
        read_fd, write_fd = os.pipe()
        self.procs.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True))
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        self.base_env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": self.display,
            "HOME": os.path.join(self.root, "home"),
            "LANG": "C.UTF-8",
        }
        os.makedirs(self.base_env["HOME"])
        self.procs.append(self._spawn(["openbox", "--sm-disable"]))
        wait_for(lambda: self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").find("window id") >= 0,
                 what="openbox")
        if tray:
            self.start_tray()

    def start_tray(self):
        self.procs.append(self._spawn(["trayer", "--edge", "bottom", "--align", "right",
                                       "--widthtype", "pixel", "--width", "120", "--height", "24"]))
        wait_for(self._tray_owner, what="tray host")

    def _tray_owner(self):
        out = subprocess.run(["xdotool", "search", "--class", "trayer"], env=self.base_env,
                             capture_output=True, text=True).stdout
        return out.strip()

    def _spawn(self, argv):
        return subprocess.Popen(argv, env=self.base_env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)

    def x(self, *argv):
        """Runs an X client against this display and returns its standard output."""
        return subprocess.run(list(argv), env=self.base_env, capture_output=True, text=True,
                              timeout=TIMEOUT).stdout

    def close(self):
        for p in reversed(self.procs):
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            p.wait()
        shutil.rmtree(self.root, ignore_errors=True)


class Session:
    """One test's own folders: the program folder, HOME, XDG folders and runtime folder."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.root = tempfile.mkdtemp(prefix="case-", dir=desktop.root)
        self.env = dict(desktop.base_env)
        for var, sub in [("HOME", "home"), ("XDG_CONFIG_HOME", "home/.config"),
                         ("XDG_DATA_HOME", "home/.local/share"),
                         ("XDG_CACHE_HOME", "home/.cache"), ("XDG_RUNTIME_DIR", "runtime")]:
            path = os.path.join(self.root, sub)
            os.makedirs(path, mode=0o700, exist_ok=True)
            self.env[var] = path
        self.env["XDG_DATA_DIRS"] = "/usr/local/share:/usr/share"
        self.env["XDG_CONFIG_DIRS"] = "/etc/xdg"
        self.bars = []

    def install(self, folder="prog", name="hopscoot", ini=None):
        """Copies the binary to <root>/<folder>/<name>; writes its settings file if given."""
        path = os.path.join(self.root, folder)
        os.makedirs(path, exist_ok=True)
        exe = os.path.join(path, name)
        shutil.copy2(BINARY, exe)
        if ini is not None:
            with open(os.path.join(path, "Hopscoot.ini"), "w", encoding="utf-8") as f:
                f.write(ini)
        return exe

    def start(self, exe):
        log = open(os.path.join(self.root, f"bar-{len(self.bars)}.log"), "wb")
        p = subprocess.Popen([exe], env=self.env, cwd=self.root, stdout=log,
                             stderr=subprocess.STDOUT, start_new_session=True)
        log.close()
        self.bars.append(p)
        return p

    def x(self, *argv):
        return subprocess.run(list(argv), env=self.env, capture_output=True, text=True,
                              timeout=TIMEOUT).stdout

    def windows(self, pid=None, visible=True):
        argv = ["xdotool", "search"]
        if visible:
            argv.append("--onlyvisible")
        if pid is not None:
            argv += ["--all", "--pid", str(pid)]
        argv += ["--name", "^Hopscoot$"]
        # xdotool matches names without regard to case; the tray icon's window is "hopscoot".
        return [int(w) for w in self.x(*argv).split()
                if self.x("xdotool", "getwindowname", w).strip() == "Hopscoot"]

    def wait_window(self, proc, timeout=TIMEOUT):
        """The visible bar window of `proc`, once mapped and placed."""
        wins = wait_for(lambda: self.windows(proc.pid), timeout, what=f"bar of pid {proc.pid}")
        return wins[0]

    def geometry(self, win):
        out = self.x("xdotool", "getwindowgeometry", "--shell", str(win))
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return (int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"]))

    def map_state(self, win):
        for line in self.x("xwininfo", "-id", str(win)).splitlines():
            if "Map State:" in line:
                return line.split(":", 1)[1].strip()
        return ""

    def xdotool(self, *args):
        return self.x("xdotool", *[str(a) for a in args])

    def close(self):
        for p in self.bars:
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            p.wait()


class DesktopTestCase(unittest.TestCase):
    """A test case with one Desktop per class and one Session per test."""

    tray = False

    @classmethod
    def setUpClass(cls):
        if not BINARY or not os.path.exists(BINARY):
            raise unittest.SkipTest("HOPSCOOT_BINARY not set")
        cls.desktop = Desktop(tray=cls.tray)

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def setUp(self):
        self.s = Session(self.desktop)
        self.addCleanup(self.s.close)

    def read_ini(self, folder="prog"):
        with open(os.path.join(self.s.root, folder, "Hopscoot.ini"), "rb") as f:
            return f.read()
