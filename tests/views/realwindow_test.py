#!/usr/bin/env python3
"""The program on a real X server, seen as a screen reader sees it.

Starts outlaysheet under Xvfb with the accessibility bus, checks that it shows
a top-level window titled "Outlaysheet" whose accessible tree holds the menu
buttons and the status texts, then covers the window with another one and
starts the program a second time: the second start must leave at once with
status 0 and bring the first window to the top.

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
                         "push button: New Expense", "label: Report:", "label: 2 items",
                         "label: Total \\S*37.50"):
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
