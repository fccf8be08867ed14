#!/usr/bin/env python3
"""The program on a real X server, seen as a screen reader sees it.

Starts outlaysheet under Xvfb with the accessibility bus, checks that it shows
a top-level window titled "Outlaysheet" whose accessible tree holds the menu
buttons and the status texts, then covers the window with another one and
starts the program a second time: the second start must leave at once with
status 0 and bring the first window to the top. Last, zoomed by --scale 2,
the window and its buttons must be where the accessibility bus says they
are: a click at the middle of a button's reported place presses that button.

    realwindow_test.py BIN_DIR
"""
import os
import re
import subprocess
import sys
import tempfile
import time


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True,
                          text=True).stdout
    raise AssertionError("timed out waiting for %s; the windows:\n%s" % (what, tree))


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        raise AssertionError("Xvfb did not start")
    return server, ":" + display


def start_session_bus(environment):
    output = subprocess.run(["dbus-launch", "--sh-syntax"], env=environment, check=True,
                            capture_output=True, text=True).stdout
    for name, value in re.findall(r"^(DBUS_SESSION_BUS_\w+)='?([^';]*)'?;", output, re.M):
        environment[name] = value
    return int(environment["DBUS_SESSION_BUS_PID"])


def accessible_tree():
    """Every (role, name) pair of the desktop's applications, as text lines."""
    script = r"""
import pyatspi
def walk(node, depth):
    try:
        print('  ' * depth + node.getRoleName() + ': ' + (node.name or ''))
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), depth + 1)
    except Exception:
        pass
desktop = pyatspi.Registry.getDesktop(0)
for i in range(desktop.childCount):
    child = desktop.getChildAtIndex(i)
    if child is not None:
        walk(child, 0)
"""
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                            timeout=30)
    return result.stdout


def accessible_places():
    """Every object as [role, name, x, y, width, height], the place in the
    screen's pixels, in the order of the tree."""
    script = r"""
import pyatspi
def walk(node):
    try:
        try:
            e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            place = (e.x, e.y, e.width, e.height)
        except Exception:
            place = (0, 0, 0, 0)
        print('%s|%s|%d|%d|%d|%d' % ((node.getRoleName(), node.name or '') + place))
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i))
    except Exception:
        pass
desktop = pyatspi.Registry.getDesktop(0)
for i in range(desktop.childCount):
    child = desktop.getChildAtIndex(i)
    if child is not None:
        walk(child)
"""
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                            timeout=30)
    places = []
    for line in result.stdout.splitlines():
        fields = line.rsplit("|", 4)
        role, name = fields[0].split("|", 1)
        places.append([role, name] + [int(value) for value in fields[1:]])
    return places


def click(x, y):
    """A click of the first button at x, y of the screen, as a screen reader's
    user would have it made."""
    subprocess.run([sys.executable, "-c",
                    "import pyatspi; pyatspi.Registry.generateMouseEvent(%d, %d, 'b1c')"
                    % (x, y)], check=True, timeout=30)


def window_geometry(title):
    """The window's place on the X server: x, y, width, height."""
    info = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True).stdout
    values = dict(re.findall(r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):"
                             r"\s*(-?\d+)", info, re.M))
    return [int(values.get(key, -1)) for key in
            ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]


def stacking():
    """The names of the root's shown children, top first (as xwininfo lists them)."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True,
                          text=True).stdout
    shown = []
    for window, name in re.findall(r'^\s+(0x[0-9a-f]+) "([^"]*)"', tree, re.M):
        state = subprocess.run(["xwininfo", "-id", window], capture_output=True,
                               text=True).stdout
        if "IsViewable" in state:
            shown.append(name)
    return shown


def main():
    bin_dir = sys.argv[1]
    program = os.path.join(bin_dir, "outlaysheet")
    cli = os.path.join(bin_dir, "outlaysheet-cli")
    folder = tempfile.TemporaryDirectory()
    folders = ["--root", os.path.join(folder.name, "root"),
               "--registry", os.path.join(folder.name, "registry")]
    environment = dict(os.environ)
    environment.pop("WAYLAND_DISPLAY", None)
    # In a sanitizer build: the X keyboard library reads a string's bytes past
    # its end with strndup, which the strict string checks report; that is
    # the library's, not ours.
    if "ASAN_OPTIONS" in environment:
        environment["ASAN_OPTIONS"] = environment["ASAN_OPTIONS"].replace(
            "strict_string_checks=1", "strict_string_checks=0")
    environment["HOME"] = folder.name
    environment["XDG_RUNTIME_DIR"] = folder.name
    for command in (["new-report", "Trip"],
                    ["add-expense", "Trip", "--category", "Lunch", "--amount", "12.50"],
                    ["add-expense", "Trip", "--category", "Lunch", "--amount", "25"]):
        subprocess.run([cli] + folders + command, env=environment, check=True,
                       stdout=subprocess.DEVNULL)

    server, display = start_x_server()
    environment.update(DISPLAY=display, QT_QPA_PLATFORM="xcb",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    os.environ.update(environment)
    bus = start_session_bus(environment)
    os.environ.update(environment)
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                env=environment, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    # A program that starts before the accessibility bus is there never
    # joins it.
    wait_for(lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], env=environment, capture_output=True).returncode == 0,
        30, "the accessibility bus")
    first = cover = None
    try:
        arguments = [program] + folders + ["--no-splash", "--scale", "1"]
        first = subprocess.Popen(arguments, env=environment, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE)
        wait_for(lambda: "Outlaysheet" in stacking(), 30, "the window titled Outlaysheet")

        tree = wait_for(lambda: (lambda t: t if "2 items" in t else "")(accessible_tree()),
                        30, "the window on the accessibility bus")
        for expected in ("push button: Edit", "push button: View", "push button: Tools",
                         "push button: New Expense", "push button: Report:",
                         "push button: 2 items", "push button: Total \\S*37.50"):
            if not re.search(r"^\s*" + expected.replace("$", "\\$") + "$", tree, re.M):
                raise AssertionError("the screen reader does not see '%s' in:\n%s"
                                     % (expected, tree))
        print("the screen reader sees the menus and the status texts")

        cover = subprocess.Popen(["xmessage", "-name", "cover", "-geometry", "400x400+0+0",
                                  "cover"], env=environment)
        wait_for(lambda: stacking()[:1] == ["cover"], 30,
                 "the covering window")
        started = time.monotonic()
        second = subprocess.run(arguments, env=environment, capture_output=True, timeout=30)
        elapsed = time.monotonic() - started
        if second.returncode != 0:
            raise AssertionError("the second start ended with %d: %s"
                                 % (second.returncode, second.stderr.decode()))
        if elapsed > 2:
            raise AssertionError("the second start took %.1f s" % elapsed)
        wait_for(lambda: stacking()[:1] == ["Outlaysheet"], 10, "the first window on top")
        if first.poll() is not None:
            raise AssertionError("the first program ended")
        print("a second start raised the first window and left in %.2f s" % elapsed)

        first.kill()
        first.wait()
        first = subprocess.Popen([program] + folders + ["--no-splash", "--scale", "2"],
                                 env=environment, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE)
        places = wait_for(lambda: (lambda p: p if any(
            o[:2] == ["push button", "Supplies"] and o[4] > 0 for o in p) else [])(
                accessible_places()), 30, "the zoomed window on the accessibility bus")
        application = [i for i, o in enumerate(places)
                       if o[:2] == ["application", "Outlaysheet"]][-1]
        reported = places[application + 1][2:]
        real = window_geometry("Outlaysheet")
        if reported != real:
            raise AssertionError("zoomed, the window says it is at %s but is at %s"
                                 % (reported, real))
        supplies = [o for o in places[application:] if o[:2] == ["push button", "Supplies"]][0]
        x, y, width, height = supplies[2:]
        click(x + width // 2, y + height // 2)
        slip = wait_for(lambda: (lambda p: p[[o[:2] for o in p].index(
            ["dialog", "Expense Slip"]):] if ["dialog", "Expense Slip"] in [
                o[:2] for o in p] else [])(accessible_places()), 30, "the slip")
        if not any(o[:2] == ["push button", "Supplies"] for o in slip):
            raise AssertionError("a click where Supplies says it is opened another slip:\n%s"
                                 % "\n".join("%s: %s" % (o[0], o[1]) for o in slip))
        print("zoomed, the window and its buttons are where the screen reader is told")
    finally:
        for process in (cover, first, launcher):
            if process is not None:
                process.kill()
                process.wait()
        os.kill(bus, 15)
        server.kill()
        server.wait()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
