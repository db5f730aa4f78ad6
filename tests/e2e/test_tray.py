"""The notification-area icon under a real XEmbed tray host (trayer)."""
import time
import unittest

from harness import DesktopTestCase, wait_for


class TrayTest(DesktopTestCase):
    tray = True

    def tray_icons(self, bar):
        wins = self.s.x("xdotool", "search", "--onlyvisible", "--pid", str(bar.pid),
                        "--name", "^hopscoot$").split()
        # xdotool matches names without regard to case: keep the icon, not the bar "Hopscoot".
        return [int(w) for w in wins if self.s.x("xdotool", "getwindowname", w).strip() == "hopscoot"]

    def popups(self):
        return set(self.s.x("xdotool", "search", "--onlyvisible", "--class", "hopscoot").split())

    def start(self, entries=0):
        ini = "[POSITION]\ntop=100\nleft=100\n"
        if entries:
            ini += f"[BUTTON]\ncount={entries}\n[OnClick]\n" + "".join(
                f"BTN{i}=/tmp\n" for i in range(1, entries + 1)) + "[Button_Name]\n" + "".join(
                f"BTN{i}=e{i}\n" for i in range(1, entries + 1))
        bar = self.s.start(self.s.install(ini=ini))
        win = self.s.wait_window(bar)
        icon = wait_for(lambda: self.tray_icons(bar), what="docked tray icon")[0]
        return bar, win, icon

    def press_icon(self, icon, button):
        x, y, w, h = self.s.geometry(icon)
        self.s.xdotool("mousemove", x + w // 2, y + h // 2)
        self.s.xdotool("click", button)
        return x + w // 2, y + h // 2

    def test_the_icon_docks(self):
        bar, win, icon = self.start()
        x, y, w, h = self.s.geometry(icon)
        self.assertGreaterEqual(y, 768 - 24)  # inside the panel at the bottom edge
        self.assertEqual(len(self.tray_icons(bar)), 1)

    def test_a_left_press_brings_a_minimised_bar_back(self):
        bar, win, icon = self.start()
        self.s.xdotool("windowminimize", win)
        wait_for(lambda: self.s.map_state(win) != "IsViewable", what="minimised bar")
        self.press_icon(icon, 1)
        wait_for(lambda: self.s.map_state(win) == "IsViewable", what="restored bar")
        wait_for(lambda: self.s.xdotool("getactivewindow").strip() == str(win), what="active bar")

    def test_a_right_press_opens_the_bar_menu(self):
        bar, win, icon = self.start()
        before = self.popups()
        self.press_icon(icon, 3)
        new = wait_for(lambda: self.popups() - before, what="bar menu")
        menu = int(next(iter(new)))
        mx, my, mw, mh = self.s.geometry(menu)
        self.assertGreater(mh, 100)  # the whole bar menu, kept on screen near the cursor
        self.assertLessEqual(mx + mw, 1024)
        self.s.xdotool("key", "z")  # 閉じる(Z) works from there too
        self.assertEqual(bar.wait(10), 0)

    def test_the_icon_answers_while_the_version_window_is_open(self):
        bar, win, icon = self.start()
        self.s.xdotool("mousemove", 130, 108)
        self.s.xdotool("click", 3)
        time.sleep(0.4)
        self.s.xdotool("key", "v")  # Ver情報(V): a modal window of the program
        wait_for(lambda: self.s.x("xdotool", "search", "--onlyvisible", "--name", "Ver情報").strip(),
                 what="version window")
        self.s.xdotool("windowminimize", win)
        wait_for(lambda: self.s.map_state(win) != "IsViewable", what="minimised bar")
        self.press_icon(icon, 1)
        wait_for(lambda: self.s.map_state(win) == "IsViewable", what="bar brought forward")
        before = self.popups()
        self.press_icon(icon, 3)
        wait_for(lambda: self.popups() - before, what="bar menu over the modal window")

    def test_a_rebuild_leaves_exactly_one_icon(self):
        bar, win, icon = self.start(entries=2)
        self.s.xdotool("mousemove", 130, 108)
        self.s.xdotool("click", 3)
        time.sleep(0.4)
        self.s.xdotool("key", "w", "Return")  # delete the first entry: the bar is rebuilt
        wait_for(lambda: b"count=1" in self.read_ini(), what="entry deleted")
        time.sleep(0.5)
        self.assertEqual(len(self.tray_icons(bar)), 1)


if __name__ == "__main__":
    unittest.main()
