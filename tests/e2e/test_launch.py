"""Launching and the bar menu on a real X server: right-button menu, registering through the
pickers by typing, deleting and closing by keyboard, and buttons that start executables,
documents, folders and desktop entries through the real XDG machinery."""
import os
import stat
import time
import unittest

from harness import DesktopTestCase, wait_for, TIMEOUT


class LaunchTest(DesktopTestCase):
    def setUp(self):
        super().setUp()
        self.log = os.path.join(self.s.root, "handler.log")
        # A recording handler, registered as the default for folders and text files.
        self.handler = self.script("record.sh", f'printf "%s\\n" "$@" >> "{self.log}"\n')
        apps = os.path.join(self.s.env["XDG_DATA_HOME"], "applications")
        os.makedirs(apps)
        with open(os.path.join(apps, "recorder.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recorder\n"
                    f"Exec={self.handler} %f\nMimeType=inode/directory;text/plain;\n")
        with open(os.path.join(self.s.env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\ninode/directory=recorder.desktop\n"
                    "text/plain=recorder.desktop\n")

    def script(self, name, body, folder=None):
        folder = folder or self.s.root
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, name)
        with open(path, "w") as f:
            f.write("#!/bin/sh\n" + body)
        os.chmod(path, stat.S_IRWXU)
        return path

    def logged(self):
        try:
            with open(self.log) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def start_with(self, targets):
        lines = ["[POSITION]", "top=100", "left=100", "[BUTTON]", f"count={len(targets)}",
                 "[OnClick]"]
        lines += [f"BTN{i + 1}={t}" for i, t in enumerate(targets)]
        lines += ["[Button_Name]"] + [f"BTN{i + 1}=e{i + 1}" for i in range(len(targets))]
        exe = self.s.install(ini="\n".join(lines) + "\n")
        bar = self.s.start(exe)
        win = self.s.wait_window(bar)
        wait_for(lambda: self.s.geometry(win)[:2] == (100, 100), what="placed bar")
        return bar, win

    def click_button(self, i):
        self.s.xdotool("mousemove", 100 + 4 + 31 * (i - 1) + 15, 100 + 20 + 15)
        self.s.xdotool("click", 1)

    def menu_shown(self, x, y):
        """True when the screen below the bar, where the menu opens from (x, y), is not the bare
        black desktop."""
        out = self.s.x("import", "-window", "root", "-crop", f"1x1+{x + 40}+{y + 60}", "txt:-")
        return "#000000" not in out.upper()

    def open_menu(self, bar, x=130, y=108):
        wait_for(lambda: not self.menu_shown(x, y), what="a clear screen below the bar")
        self.s.xdotool("mousemove", x, y)
        self.s.xdotool("mousedown", 3)
        time.sleep(0.3)
        self.assertFalse(self.menu_shown(x, y), "the menu opened on the press")
        self.s.xdotool("mouseup", 3)
        wait_for(lambda: self.menu_shown(x, y), what="bar menu")

    def test_right_release_opens_the_menu_and_close_ends_the_program(self):
        bar, win = self.start_with([])
        self.open_menu(bar)
        self.s.xdotool("key", "z")  # 閉じる(Z)
        self.assertEqual(bar.wait(TIMEOUT), 0)
        self.assertIn(b"top=100\nleft=100", self.read_ini())

    def test_a_click_starts_an_executable_exactly_and_without_a_shell(self):
        folder = os.path.join(self.s.root, "odd dir; $(touch pwned)")
        marker = os.path.join(self.s.root, "argv0")
        exe = self.script("run me 'x' $HOME -n.sh", f'printf "%s" "$0" > "{marker}"\n', folder)
        bar, win = self.start_with([exe])
        self.click_button(1)
        def started():
            if not os.path.exists(marker):
                return ""
            with open(marker) as f:
                return f.read()
        wait_for(started, what="started program")
        self.assertEqual(started(), exe)
        self.assertFalse(os.path.exists(os.path.join(self.s.root, "pwned")))
        self.assertIsNone(bar.poll())

    def test_folders_and_text_files_open_in_their_default_application(self):
        folder = os.path.join(self.s.root, "Photos and more")
        os.makedirs(folder)
        text = os.path.join(self.s.root, "notes; today.txt")
        with open(text, "w") as f:
            f.write("hello\n")
        bar, win = self.start_with([folder, text])
        self.click_button(1)
        wait_for(lambda: folder in self.logged(), what="folder opened")
        self.click_button(2)
        wait_for(lambda: text in self.logged(), what="text file opened")

    def test_a_desktop_entry_starts_its_application(self):
        entry = os.path.join(self.s.root, "tool.desktop")
        with open(entry, "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName=Tool\nExec={self.handler} from-entry\n")
        bar, win = self.start_with([entry])
        self.click_button(1)
        wait_for(lambda: "from-entry" in self.logged(), what="entry's application")

    def test_an_empty_target_does_nothing(self):
        bar, win = self.start_with([""])
        self.click_button(1)
        time.sleep(0.5)
        self.assertEqual(self.logged(), [])
        self.assertIsNone(bar.poll())

    def test_register_a_file_and_a_folder_by_typing_then_delete_by_keyboard(self):
        target = os.path.join(self.s.root, "report 2026.txt")
        open(target, "w").close()
        folder = os.path.join(self.s.root, "Music")
        os.makedirs(folder)
        bar, win = self.start_with([])

        self.open_menu(bar)
        self.s.xdotool("key", "u", "Down", "Return")  # 登録(U) → ファイル
        wait_for(lambda: self.s.x("xdotool", "search", "--onlyvisible", "--name",
                                  "登録ファイルを選択して下さい").strip(), what="file picker")
        time.sleep(0.3)
        self.s.xdotool("type", "--delay", 5, target)
        self.s.xdotool("key", "Return")
        wait_for(lambda: b"BTN1=" + target.encode() in self.read_ini(), what="file registered")
        self.assertIn(b"BTN1=report 2026.txt", self.read_ini())

        self.open_menu(bar)
        self.s.xdotool("key", "u", "Return")  # 登録(U) → フォルダ
        wait_for(lambda: self.s.x("xdotool", "search", "--onlyvisible", "--name",
                                  "フォルダを選択して下さい。").strip(), what="folder picker")
        time.sleep(0.3)
        self.s.xdotool("key", "ctrl+a")
        self.s.xdotool("type", "--delay", 5, folder)
        self.s.xdotool("key", "Return")
        time.sleep(0.3)
        if b"BTN2=" not in self.read_ini():
            self.s.xdotool("key", "Return")  # the first Enter may only enter the folder
        wait_for(lambda: b"BTN2=" + folder.encode() in self.read_ini(), what="folder registered")
        self.assertIn(b"BTN2=[Music]", self.read_ini())

        self.open_menu(bar)
        self.s.xdotool("key", "w", "Return")  # 削除(W) → the first entry
        wait_for(lambda: b"count=1" in self.read_ini(), what="entry deleted")
        ini = self.read_ini()
        self.assertIn(b"BTN1=" + folder.encode(), ini)
        self.assertIn(b"BTN1=[Music]", ini)


if __name__ == "__main__":
    unittest.main()
