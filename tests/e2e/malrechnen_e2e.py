"""Drives the real malrechnen program under an X server, as a pupil or a teacher would:
real mouse and keyboard events through xdotool, the screen read through the
accessibility bus."""

import os
import subprocess
import time

import pyatspi

# seconds a condition may take before a scenario fails (longer under valgrind)
WAIT = float(os.environ.get("MALRECHNEN_E2E_WAIT", "10"))


class ScenarioFailed(AssertionError):
    pass


def wait_for(what, condition, timeout=WAIT, interval=0.05):
    """Polls `condition` until it returns something truthy; fails with `what` otherwise."""
    start = time.monotonic()
    end = start + timeout
    while True:
        try:
            value = condition()
        except ScenarioFailed:
            raise
        except Exception:  # the accessible tree changes under our feet
            value = None
        if value:
            if time.monotonic() - start > 2:
                print("  (slow: %.1f s for %s)" % (time.monotonic() - start, what), flush=True)
            return value
        if time.monotonic() > end:
            raise ScenarioFailed("timed out waiting for " + what)
        time.sleep(interval)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(node, depth=0):
    yield node
    if depth > 8:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def text_of(node):
    """What a label shows (its accessible name)."""
    return node.name or ""


class Program:
    """One run of the program."""

    def __init__(self, binary, shots_dir):
        self.binary = binary
        self.shots_dir = shots_dir
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        if os.environ.get("MALRECHNEN_E2E_HOME"):
            env["HOME"] = os.environ["MALRECHNEN_E2E_HOME"]
        # What the program says on stderr goes to a log beside the screenshots, so a
        # program that never shows up on the accessibility bus can tell why.
        self.log = open(os.path.join(shots_dir, "program-stderr.log"), "a")
        self.log.write("--- %s\n" % time.strftime("%H:%M:%S"))
        self.log.flush()
        self.process = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                        stderr=self.log)
        self.app = wait_for("the program on the accessibility bus", self._find_app,
                            timeout=max(30, WAIT))
        self.window("Schriftliche Multiplikation")

    def _find_app(self):
        if self.process.poll() is not None:
            raise ScenarioFailed("the program ended at start with status %s (see %s)"
                                 % (self.process.returncode, self.log.name))
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(WAIT)  # under valgrind the leak check takes a while
            except subprocess.TimeoutExpired:
                self.process.kill()
        self.log.close()

    # --- reading the screen ------------------------------------------------------------

    def windows(self):
        return [w for w in self.app if w is not None and showing(w)]

    def window(self, title, timeout=WAIT):
        """The shown top-level window with this title."""
        return wait_for("window '%s'" % title,
                        lambda: next((w for w in self.windows() if w.name == title), None), timeout)

    def find(self, root, role=None, name=None, description=None, shown=True):
        for node in walk(root):
            if role is not None and node.getRoleName() != role:
                continue
            if name is not None and node.name != name:
                continue
            if description is not None and node.description != description:
                continue
            if shown and not showing(node):
                continue
            return node
        return None

    def get(self, root, **what):
        return wait_for("control %s" % what, lambda: self.find(root, **what))

    def alert(self, title=None):
        """The message box on screen (the one with this title): (title, text, node)."""
        def find_alert():
            for w in self.windows():
                node = w if w.getRoleName() == "alert" else self.find(w, role="alert")
                if node is not None and (title is None or node.name == title):
                    return node
            return None
        node = wait_for("a message box" + (" '%s'" % title if title else ""), find_alert)
        texts = [n.name for n in walk(node) if n.getRoleName() == "label" and n.name]
        return node.name, "\n".join(texts), node

    def no_alert(self):
        wait_for("the message box to close",
                 lambda: not any(w.getRoleName() == "alert" or self.find(w, role="alert")
                                 for w in self.windows()))

    def list_lines(self, root, name=None):
        """The lines of the shown list box."""
        box = self.get(root, role="list")
        return [item.name for item in box if item is not None]

    def state(self, root, descriptions):
        """The texts of the labels with these descriptions."""
        return [text_of(self.get(root, description=d)) for d in descriptions]

    # --- acting ------------------------------------------------------------------------

    def move_to(self, x, y):
        # --sync waits for the pointer to move: never ask it to stay where it is.
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True,
                             capture_output=True, text=True).stdout
        here = dict(line.split("=", 1) for line in out.split())
        if (int(here["X"]), int(here["Y"])) != (x, y):
            xdotool("mousemove", "--sync", x, y)

    def point_at(self, window):
        """Rests the pointer in a corner of `window`: with no window manager, X sends the
        keys to the window under the pointer."""
        x, y, w, h = extents(window)
        self.move_to(x + w - 5, y + h - 5)

    def click(self, node):
        self.move_to(*centre(node))
        xdotool("click", "1")

    def drag(self, source, target):
        """A real mouse drag from the middle of `source` to the middle of `target`."""
        x0, y0 = centre(source)
        x1, y1 = centre(target)
        self.move_to(x0, y0)
        xdotool("mousedown", "1")
        # While the program drags, it holds the pointer: --sync would wait in vain.
        steps = 8
        for i in range(1, steps + 1):
            xdotool("mousemove", x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
            time.sleep(0.02)
        xdotool("mousemove", x1, y1)
        time.sleep(0.05)
        xdotool("mouseup", "1")

    def key(self, *keys):
        for k in keys:
            xdotool("key", k)
        # a key sent while a box closes can stay pressed
        xdotool("keyup", *keys)

    def answer_alert(self, key="Return"):
        self.alert()
        self.key(key)
        self.no_alert()

    def screenshot(self, name):
        os.makedirs(self.shots_dir, exist_ok=True)
        path = os.path.join(self.shots_dir, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=True)
        return path

    def describe_screen(self):
        """Window titles and label texts on screen, for a failure report."""
        lines = []
        for w in self.windows():
            lines.append("[%s] %s" % (w.getRoleName(), w.name))
            for n in walk(w):
                if n.getRoleName() in ("label", "push button") and showing(n) and n.name:
                    desc = (" (%s)" % n.description) if n.description else ""
                    lines.append("    %s%s: %s" % (n.getRoleName(), desc, n.name))
        return "\n".join(lines)
