"""The bar on a real X server: start-up, the single-instance guard, placement, drag, collapse
and close, driven with real input."""
import os
import signal
import socket
import subprocess
import time
import unittest

from harness import DesktopTestCase, wait_for, TIMEOUT


class BarStartTest(DesktopTestCase):
    def test_first_start_creates_an_empty_file_and_shows_the_bar_at_the_corner(self):
        exe = self.s.install()
        bar = self.s.start(exe)
        win = self.s.wait_window(bar)
        self.assertEqual(self.read_ini(), b"")
        self.assertEqual(self.s.geometry(win), (0, 0, 101, 53))

    def test_without_a_display_it_ends_cleanly(self):
        exe = self.s.install()
        env = {k: v for k, v in self.s.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        done = subprocess.run([exe], env=env, capture_output=True, text=True, timeout=TIMEOUT)
        self.assertEqual(done.returncode, 0)
        self.assertIn("no display", done.stderr)

    def test_a_stored_position_and_count_are_restored(self):
        exe = self.s.install(ini="[POSITION]\ntop=120\nleft=300\n[BUTTON]\ncount=4\n")
        win = self.s.wait_window(self.s.start(exe))
        wait_for(lambda: self.s.geometry(win) == (300, 120, 131, 53), what="stored geometry")

    def test_the_bar_is_kept_out_of_taskbars_and_pagers(self):
        win = self.s.wait_window(self.s.start(self.s.install()))
        state = self.s.x("xprop", "-id", str(win), "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertIn("_NET_WM_STATE_SKIP_PAGER", state)

    def test_a_second_copy_brings_the_first_forward_and_exits(self):
        exe = self.s.install()
        first = self.s.start(exe)
        win = self.s.wait_window(first)
        self.s.xdotool("windowminimize", win)
        wait_for(lambda: self.s.map_state(win) != "IsViewable", what="minimised bar")
        second = self.s.start(exe)
        self.assertEqual(second.wait(TIMEOUT), 0)
        wait_for(lambda: self.s.map_state(win) == "IsViewable", what="restored bar")
        wait_for(lambda: self.s.xdotool("getactivewindow").strip() == str(win),
                 what="active bar")
        self.assertIsNone(first.poll())
        self.assertEqual(len(self.s.windows()), 1)

    def test_five_copies_started_at_once_give_one_bar(self):
        exes = [self.s.install(folder=f"copy{i}") for i in range(5)]
        procs = [self.s.start(e) for e in exes]
        wait_for(lambda: sum(p.poll() is not None for p in procs) == 4, what="four exits")
        self.assertEqual(sorted(p.returncode for p in procs if p.poll() is not None), [0] * 4)
        time.sleep(0.5)
        self.assertEqual(len(self.s.windows()), 1)

    def test_after_a_kill_the_next_start_runs(self):
        exe = self.s.install()
        first = self.s.start(exe)
        self.s.wait_window(first)
        os.killpg(first.pid, signal.SIGKILL)
        first.wait()
        second = self.s.start(exe)
        self.s.wait_window(second)
        self.assertIsNone(second.poll())

    def test_a_copy_under_another_name_runs_beside(self):
        first = self.s.start(self.s.install())
        self.s.wait_window(first)
        other = self.s.start(self.s.install(folder="other", name="hopscoot-two"))
        self.s.wait_window(other)
        self.assertEqual(len(self.s.windows()), 2)

    def test_a_guard_holder_that_only_connects_never_blocks_the_bar(self):
        exe = self.s.install()
        bar = self.s.start(exe)
        win = self.s.wait_window(bar)
        runtime = self.s.env["XDG_RUNTIME_DIR"]
        guard = [f for f in os.listdir(runtime)
                 if f.startswith("hopscoot-guard") and not f.endswith(".lock")][0]
        stall = socket.socket(socket.AF_UNIX)
        stall.connect(os.path.join(runtime, guard))
        stall.sendall(b"garbage that is no request")
        second = self.s.start(exe)
        self.assertEqual(second.wait(TIMEOUT), 0)  # the bar still answered the real request
        stall.close()
        self.assertIsNone(bar.poll())
        self.assertEqual(self.s.map_state(win), "IsViewable")


class BarInputTest(DesktopTestCase):
    def start_at(self, left, top):
        exe = self.s.install(ini=f"[POSITION]\ntop={top}\nleft={left}\n[BUTTON]\ncount=4\n")
        bar = self.s.start(exe)
        win = self.s.wait_window(bar)
        wait_for(lambda: self.s.geometry(win)[:2] == (left, top), what="placed bar")
        return bar, win

    def test_a_drag_moves_the_bar_and_writes_nothing(self):
        bar, win = self.start_at(300, 120)
        before = self.read_ini()
        mtime = os.stat(os.path.join(self.s.root, "prog", "Hopscoot.ini")).st_mtime_ns
        # Press on Shape4 left of the label (strip x 30, y 5; Shape5 below arms nothing).
        self.s.xdotool("mousemove", 300 + 2 + 30, 120 + 2 + 5)
        self.s.xdotool("mousedown", 1)
        self.s.xdotool("mousemove", 300 + 2 + 33, 120 + 2 + 8)
        time.sleep(0.2)
        for step in range(1, 6):
            self.s.xdotool("mousemove", 335 + 20 * step, 130 + 10 * step)
            time.sleep(0.05)
        self.s.xdotool("mouseup", 1)
        wait_for(lambda: self.s.geometry(win)[:2] == (300 + 100, 120 + 50), what="moved bar")
        self.assertEqual(self.read_ini(), before)
        self.assertEqual(os.stat(os.path.join(self.s.root, "prog", "Hopscoot.ini")).st_mtime_ns,
                         mtime)

    def test_a_close_button_ends_the_program_and_saves_the_position(self):
        for name, x in [("CL1", 2 + 2 + 1 + 5), ("CL2", 131 - 18 + 1 + 5)]:
            with self.subTest(name):
                bar, win = self.start_at(300, 120)
                self.s.xdotool("mousemove", 300 + x, 120 + 2 + 2 + 1 + 5)
                self.s.xdotool("click", 1)
                self.assertEqual(bar.wait(TIMEOUT), 0)
                ini = self.read_ini().decode()
                self.assertIn("top=120", ini)
                self.assertIn("left=300", ini)
                self.s.close()

    def test_a_moved_bar_saves_where_it_went(self):
        bar, win = self.start_at(200, 100)
        self.s.xdotool("windowmove", win, 250, 180)
        wait_for(lambda: self.s.geometry(win)[:2] == (250, 180), what="moved bar")
        time.sleep(0.2)
        self.s.xdotool("mousemove", 250 + 131 - 18 + 6, 180 + 10)
        self.s.xdotool("click", 1)
        self.assertEqual(bar.wait(TIMEOUT), 0)
        self.assertIn(b"top=180\nleft=250", self.read_ini())

    def test_a_double_click_collapses_and_expands(self):
        bar, win = self.start_at(100, 100)
        for height in (20, 53):
            self.s.xdotool("mousemove", 100 + 2 + 60, 100 + 2 + 6)  # on Label1
            self.s.xdotool("click", "--repeat", 2, "--delay", 80, 1)
            wait_for(lambda: self.s.geometry(win)[3] == height, what=f"height {height}")
            self.assertEqual(self.s.geometry(win)[2], 131)


if __name__ == "__main__":
    unittest.main()
