"""Drives the real brimzo.exe under Wine on a virtual X display: clicks with xdotool,
captures the screen with ImageMagick, and reads brimzo.ini after the game quits. Every process
it starts it ends by its own id."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import zipfile

SCREEN_DEPTH = 24
QUIT_BUTTON = (630, 10)


class Picture:
    """A screen capture or skin sheet as rows of (red, green, blue)."""

    def __init__(self, path):
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                             capture_output=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", ppm)  # then the samples
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.data = ppm[header.end():]

    def block(self, x, y, width, height):
        return [self.data[3 * ((y + row) * self.width + x):3 * ((y + row) * self.width + x + width)]
                for row in range(height)]


def unescape_wine(text):
    r"""A wide text as Wine's traces write it: \n, \", \\ and \XXXX for the rest."""
    return re.sub(r'\\([nrt"\\]|[0-9a-f]{4})',
                  lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1))
                  if len(m.group(1)) == 1 else chr(int(m.group(1), 16)), text)


def wine32_launcher(root):
    """What runs a command with Wine's 32-bit half, unpacked (not installed) under root: its
    libraries laid over /usr/lib in a mount namespace of the command's own, so the machine's
    folders stay as they are. Its i386 libraries are found where the system's cache does not
    tell."""
    script = ('mount -t overlay overlay -o lowerdir=/usr/lib:"$0"/usr/lib /usr/lib && '
              'LD_LIBRARY_PATH=/usr/lib/i386-linux-gnu exec "$@"')
    return ["unshare", "--mount", "--propagation", "private", "sh", "-c", script, root]


class Game:
    """One run of the game in a fresh working directory."""

    def __init__(self, exe, assets, prefix, depth=SCREEN_DEPTH, package=None, folder=None,
                 disk_kib=None, launcher=()):
        """The game goes into a fresh folder, or one at the given path below it; with disk_kib,
        onto a disk of its own that small. The launcher comes before Wine's command."""
        self.exe, self.assets, self.prefix = exe, assets, prefix
        self.launcher = list(launcher)
        self.folder = self.top = tempfile.mkdtemp(prefix="brimzo-e2e-")
        self.scratch = tempfile.mkdtemp(prefix="brimzo-e2e-captures-")  # not among the skins
        self.disk = self.xvfb = None
        self.drives = []
        self.logs = []  # what Wine tells of each copy of the game started
        self.clipboard_owner = None
        if disk_kib:
            self.disk = self.folder = os.path.join(self.top, "disk")
            os.mkdir(self.disk)
            subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % disk_kib, "tmpfs",
                            self.disk], check=True)
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x%d" % depth, "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.display = ":" + self.xvfb.stdout.readline().decode().strip()
        self.game = None
        self.window = None
        self.origin = (0, 0)
        if package:  # the game as a player unpacks it
            with zipfile.ZipFile(package) as archive:
                archive.extractall(self.folder)
            self.folder = os.path.join(self.folder, "Brimzo")
        else:
            if folder:
                self.folder = os.path.join(self.folder, folder)
            self.install(self.folder)

    def install(self, folder):
        """The program with its skins and sounds, as the build leaves them, in a folder."""
        os.makedirs(folder, exist_ok=True)
        for name in os.listdir(os.path.dirname(self.exe)):
            shutil.copy(os.path.join(os.path.dirname(self.exe), name), folder)

    def map_drive(self, letter, folder):
        """A drive letter of the Wine prefix for a folder, as a mapped or substituted drive."""
        link = os.path.join(self.prefix, "dosdevices", letter.lower() + ":")
        os.symlink(folder, link)
        self.drives.append(link)

    @staticmethod
    def windows_path(folder):
        return "Z:" + folder.replace("/", "\\")

    def env(self):
        env = dict(os.environ, DISPLAY=self.display, WINEPREFIX=self.prefix, WINEDEBUG="-all")
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def write_ini(self, text):
        with open(os.path.join(self.folder, "brimzo.ini"), "w", newline="\r\n") as ini:
            ini.write(text)

    def ini_bytes(self):
        path = os.path.join(self.folder, "brimzo.ini")
        return open(path, "rb").read() if os.path.exists(path) else None

    def ini(self):
        """The settings file as a list of (section, key, value) in file order."""
        entries = []
        section = None
        for line in (self.ini_bytes() or b"").decode("latin-1").splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1]
            elif "=" in line:
                key, value = line.split("=", 1)
                entries.append((section, key, value))
        return entries

    def value(self, section, key):
        for s, k, v in self.ini():
            if s == section and k == key:
                return v
        return None

    def wait_gone(self, window, name, timeout=15):
        """Closing a dialog can take a moment under Wine without a window manager."""
        deadline = time.time() + timeout
        while window in self.windows(name):
            if time.time() > deadline:
                return False
            time.sleep(0.1)
        time.sleep(0.3)
        return True

    def dismiss_message(self, caption, says=None):
        """Waits for a message box other than the game window and presses its button. A box
        of the running game must lie centred on the game's picture and above its window, and
        say what is given."""
        besides = [self.window] if self.window else []
        box = self.find_window("^%s$" % caption, timeout=30, besides=besides)
        if self.window:
            self.expect_over_game(box)
        if says is not None:
            shown = self.message_texts()[-1]
            if not (shown == says or shown.endswith("...") and says.startswith(shown[:-3])):
                raise AssertionError("the message box says %r, not %r" % (shown, says))
        self.key("Return", window=box)
        if not self.wait_gone(box, "^%s$" % caption):
            raise AssertionError("the message box %r stays" % caption)

    def expect_over_game(self, box):
        """A dialog or a box centred on the game's picture, and above its window while that is
        shown."""
        x, y, width, height = self.window_geometry(box)
        centre = (x + width // 2, y + height // 2)
        want = (self.origin[0] + 320, self.origin[1] + 240)
        if abs(centre[0] - want[0]) > 1 or abs(centre[1] - want[1]) > 1:
            raise AssertionError("centred at %r, not on the game: %r" % (centre, want))
        if self.window in self.windows("^Brimzo!$") and not self.above(box, self.window):
            raise AssertionError("under the game's window")

    def above(self, window, other):
        """Whether the first window lies above the other: xwininfo lists the top one first."""
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.env(),
                              capture_output=True, text=True, timeout=30).stdout
        order = [int(line.split()[0], 16) for line in tree.splitlines()
                 if line.strip().startswith("0x")]
        return order.index(int(window)) < order.index(int(other))

    def message_texts(self):
        """The text of every message box shown so far, as Wine traces it (cut after about 300
        characters, with "..." then)."""
        texts = []
        for log in self.logs:
            with open(log, encoding="latin-1") as lines:
                for line in lines:
                    found = re.search(r'trace:msgbox:MSGBOX_OnInit L"(.*)"(\.\.\.)?$', line)
                    if found:
                        texts.append(unescape_wine(found.group(1)) + (found.group(2) or ""))
        return texts

    def launch(self, folder=None, directory=None):
        """A copy of the game, started in a folder, or through cmd in a Windows directory (Wine
        takes a folder to the drive letter nearest to it)."""
        command = ["wine", "brimzo.exe"]
        if directory:
            command = ["wine", "cmd", "/c", "cd /d %s && brimzo.exe" % directory]
        self.logs.append(os.path.join(self.scratch, "wine-%d.txt" % len(self.logs)))
        env = dict(self.env(), WINEDEBUG="-all,trace+msgbox")  # the text of each message box
        with open(self.logs[-1], "w") as log:
            return subprocess.Popen(self.launcher + command, cwd=folder or self.folder, env=env,
                                    stdout=subprocess.DEVNULL, stderr=log)

    def start(self, wait_for_window=True, directory=None):
        self.game = self.launch(directory=directory)
        if wait_for_window:
            self.window = self.find_window("^Brimzo!$", size=(640, 480))
            self.origin = self.window_position()
            time.sleep(0.5)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env(), capture_output=True,
                              text=True, timeout=30).stdout

    def windows(self, name):
        return self.xdotool("search", "--onlyvisible", "--name", name).split()

    def find_window(self, name, timeout=60, besides=(), size=None):
        """The newest visible window of that name; the game's own shares its name with the
        message boxes, and is told by its size."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [w for w in self.windows(name) if w not in besides and
                     (size is None or self.window_geometry(w)[2:] == size)]
            if found:
                return found[-1]
            if self.game.poll() is not None:
                raise AssertionError("the game ended before a window %r came" % name)
            time.sleep(0.2)
        raise AssertionError("no window %r" % name)

    def window_geometry(self, window=None):
        """(x, y, width, height) of a window, the game window unless another is named."""
        out = self.xdotool("getwindowgeometry", "--shell", window or self.window)
        values = dict(line.split("=") for line in out.split() if "=" in line)
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def window_position(self, window=None):
        return self.window_geometry(window)[:2]

    def pointer_to(self, x, y):
        """Moves the pointer and waits until it is there (xdotool's own wait would sit for
        seconds when it is there already)."""
        location = self.xdotool("getmouselocation", "--shell")
        here = dict(line.split("=") for line in location.split() if "=" in line)
        if (int(here["X"]), int(here["Y"])) != (x, y):
            self.xdotool("mousemove", "--sync", str(x), str(y))

    def click(self, x, y, button=1):
        ox, oy = self.origin
        self.pointer_to(ox + x, oy + y)
        self.xdotool("mousedown", str(button), "mouseup", str(button))
        time.sleep(0.15)

    def move(self, x, y):
        ox, oy = self.origin
        self.pointer_to(ox + x, oy + y)
        time.sleep(0.1)

    def drag(self, start, end, button=3):
        ox, oy = self.origin
        self.pointer_to(ox + start[0], oy + start[1])
        self.xdotool("mousedown", str(button))
        for step in range(1, 6):
            x = start[0] + (end[0] - start[0]) * step // 5
            y = start[1] + (end[1] - start[1]) * step // 5
            self.pointer_to(ox + x, oy + y)
            time.sleep(0.05)
        self.xdotool("mouseup", str(button))
        time.sleep(0.3)

    def key(self, *keys, window=None):
        if window:
            self.xdotool("windowactivate", "--sync", window)
        self.xdotool("key", "--clearmodifiers", *keys)
        time.sleep(0.3)

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)
        time.sleep(0.2)

    def capture(self):
        """The game's 640 x 480 picture as it is on the screen now."""
        path = os.path.join(self.scratch, "capture.png")
        ox, oy = self.origin
        subprocess.run(["import", "-window", "root", "-crop", "640x480+%d+%d" % (ox, oy),
                        path], env=self.env(), check=True)
        return Picture(path)

    def quit(self, timeout=30):
        """Quits with the window's own button and waits for the process to end."""
        self.click(*QUIT_BUTTON)
        return self.wait(timeout)

    def wait(self, timeout=30):
        return self.game.wait(timeout=timeout)

    def folder_state(self):
        entries = []
        for name in sorted(os.listdir(self.folder)):
            status = os.stat(os.path.join(self.folder, name))
            entries.append((name, status.st_size, status.st_mtime_ns))
        return entries

    def kill_during_save(self, delay):
        """Quits, and ends the game the given time after its folder first changes, as a killed
        task or a power cut would."""
        ox, oy = self.origin
        self.pointer_to(ox + QUIT_BUTTON[0], oy + QUIT_BUTTON[1])
        before = self.folder_state()
        click = subprocess.Popen(["xdotool", "mousedown", "1", "mouseup", "1"], env=self.env())
        deadline = time.time() + 5
        while self.folder_state() == before and time.time() < deadline:
            time.sleep(0.0005)
        time.sleep(delay)
        self.game.send_signal(signal.SIGKILL)
        self.game.wait()
        click.wait()
        subprocess.run(["wineserver", "-k"], env=self.env(), capture_output=True)

    def clipboard(self):
        return subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env(),
                              capture_output=True, text=True, timeout=10).stdout

    def set_clipboard(self, text):
        """Another program's text on the clipboard: xclip serves it while it owns it, and ends
        once another program takes the clipboard."""
        before = self.clipboard_owner
        self.clipboard_owner = subprocess.Popen(
            ["xclip", "-selection", "clipboard", "-quiet"], stdin=subprocess.PIPE, env=self.env(),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard_owner.stdin.write(text.encode())
        self.clipboard_owner.stdin.close()
        deadline = time.time() + 10
        while self.clipboard() != text:
            if time.time() > deadline:
                raise AssertionError("xclip does not serve %r" % text)
            time.sleep(0.1)
        if before:
            before.wait(timeout=10)

    def close(self):
        for process in (self.game, self.clipboard_owner):
            if process and process.poll() is None:
                process.send_signal(signal.SIGKILL)
                process.wait()
        subprocess.run(["wineserver", "-k"], env=self.env(), capture_output=True)
        for link in self.drives:
            os.remove(link)
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        if self.disk:
            subprocess.run(["umount", "--lazy", self.disk], check=True)
        shutil.rmtree(self.top, ignore_errors=True)
        shutil.rmtree(self.scratch, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
