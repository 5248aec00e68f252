"""What the window tests share: yzo and yzo-script on copies of the demo,
real keys (xdotool), the accessibility tree. Arguments (run_gui_test.sh sets
up the display and the buses): YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER ..."""
import os
import re
import shutil
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

YZO, YZO_SCRIPT, DEMO, WORK = sys.argv[1:5]
TODAY, NOW = "2026-12-28", "10:00:00"
ACCOUNT = "courant.yzo"
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


def check(condition, text):
    if not condition:
        fail(text)
    return condition


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_until(condition, seconds, what=None):
    """Pumps accessibility events until condition() is true; None on timeout,
    a failure unless what is None (a wait whose end is not a check)."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        try:
            result = condition()
        except Exception:  # the tree is still being built
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            if what is not None:
                fail("timed out after %d s waiting for %s" % (seconds, what))
            return None
        time.sleep(0.02)


def press(key, condition, what, seconds=10):
    """Presses a key (xdotool's name), then waits for condition() as wait_until does."""
    xdotool("key", key)
    return wait_until(condition, seconds, what)


def press_until(key, reached, state, times, what=None, seconds=5):
    """Presses key until reached(), at most times times, each time waiting for
    state() to change to something other than None (a failure after seconds
    unless what is None); whether reached."""
    for _ in range(times):
        if reached():
            return True
        before = state()
        press(key, lambda: state() not in (None, before), what, seconds)
    return bool(reached())


def later(seconds):
    """Events pumped after a pause: what a late reaction of the window would do has happened."""
    time.sleep(seconds)
    pump()


def lines_of(path):
    """The lines of a text file, none while it is not written."""
    try:
        with open(path, encoding="utf-8") as f:
            return f.readlines()
    except FileNotFoundError:
        return []


def read_bytes(path):
    """The bytes of a file, none while it cannot be read."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return b""


def crlf(lines):
    """Lines as the program writes its text files: Windows-1252, each ended by CR LF."""
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def script_key(xkey):
    """yzo-script's name of an xdotool key: letters in capitals, Return as Enter, space as Space."""
    *modifiers, key = xkey.split("+")
    named = {"Return": "Enter", "space": "Space"}
    return "+".join(modifiers + [named.get(key, key.upper() if len(key) == 1 else key)])


def yzo_script(folder, lines, *options):
    """What yzo-script prints for these lines in folder; the test stops when it fails."""
    run = subprocess.run([YZO_SCRIPT, "--dossier", folder, "--aujourdhui", TODAY, "--heure", NOW, *options, "-"],
                         cwd=folder, input="\n".join(lines) + "\n", capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        print(run.stdout, run.stderr)
        raise SystemExit("yzo-script failed: exit %d" % run.returncode)
    return run.stdout


def script_shows(folder, lines):
    """yzo-script on these lines: for each "show" command, the messages said before it and the
    lines it printed; and every message of the run."""
    messages, shows, printed = [], [], None
    for line in yzo_script(folder, lines, "--echo").split("\n"):
        if line.startswith("$ "):  # the command, echoed before what it does
            printed = [] if line.startswith("$ show ") else None
            if printed is not None:
                shows.append((list(messages), printed))
        elif line.startswith("message: "):
            messages.append(line[len("message: "):])
        elif printed is not None:
            printed.append(line)
    return shows, messages


def ledger_text(printed):
    """The ledger's text that "show txt" printed, lines joined by LF."""
    return "\n".join(line[4:] for line in printed if line.startswith("  | "))


# An item of a list as "show" prints it: its number, "*" when selected, "x" when ticked.
LIST_ITEM = re.compile(r"  (\d+)(\*?)(x?): (.*)$")


def list_items(printed):
    """The items that "show Liste" printed (item 0 is its title) and the selected one."""
    items = [m for m in map(LIST_ITEM.match, printed) if m]
    return [m.group(4) for m in items], next((m.group(4) for m in items if m.group(2)), None)


def fresh_account(name="demo"):
    folder = os.path.join(WORK, name)
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(DEMO, folder)
    return os.path.join(folder, ACCOUNT)


def start_yzo(account, **popen):
    """yzo on the account, in its folder, on the test's date, with no speech server."""
    env = dict(os.environ, YZO_DOSSIER=os.path.dirname(account), YZO_AUJOURDHUI=TODAY, YZO_HEURE=NOW)
    env.update(popen.pop("extra_env", {}))
    env.pop("YZO_SPEECHD", None)
    return subprocess.Popen([popen.pop("program", YZO), account], env=env, **popen)


def stop(process):
    """Kills the process if it is still there."""
    if process and process.poll() is None:
        process.kill()
        process.wait(10)


def report(name):
    """Exit 1 when a check failed."""
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print(name + " passed")


def window_test(name, body, account=None, **popen):
    """body(yzo) on yzo started as start_yzo starts it, on account (by default a new copy
    of the demo); the program killed if it is still there; exit 1 when a check failed."""
    yzo = start_yzo(account or fresh_account(), **popen)
    try:
        body(yzo)
    finally:
        stop(yzo)
    report(name + " test")


def xdotool(*args):
    """xdotool's output; a command other than a search must succeed."""
    run = subprocess.run(["xdotool"] + list(args), capture_output=True, text=True, timeout=30)
    if run.returncode and args[0] != "search":
        raise subprocess.CalledProcessError(run.returncode, run.args, run.stdout, run.stderr)
    return run.stdout


def window_ids(name, pid=None):
    """The X ids of the shown windows whose name matches, of pid if given."""
    return xdotool("search", "--all", "--onlyvisible", *(["--pid", str(pid)] if pid else []), "--name", name).split()


def focus_window(name, pid=None, seconds=10):
    """Gives the keyboard to the window whose name matches, as a desktop would; its X id."""
    ids = wait_until(lambda: window_ids(name, pid), seconds, "a window named " + name)
    if ids:
        xdotool("windowfocus", "--sync", ids[0])
    return ids and ids[0]


def focus_main_window(yzo):
    return focus_window("^courant", yzo.pid)


def answer_window(name, pid, *actions, back=None, focus=True, seconds=15):
    """A dialog answered as its user answers it: the window named name (a
    pattern matched whole) given the keyboard unless focus is false, then each
    action in turn (a wait, or xdotool's arguments), then its closing awaited;
    once it closed, back() gives the keyboard back as a desktop would. Whether
    it closed; each wait is bounded by seconds."""
    pattern = "^%s$" % name
    if focus and not focus_window(pattern, pid, seconds):
        return False
    for action in actions:
        if callable(action):
            action()
        else:
            xdotool(*action)
    if not wait_until(lambda: not window_ids(pattern, pid), seconds, "the window %s to close" % name):
        return False
    if back:
        back()
    return True


def role(acc):
    try:
        return acc.getRole()
    except Exception:
        return None


def walk(acc, depth=0):
    yield acc
    if depth > 30:
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, wanted_role, name=None):
    return next((a for a in walk(root) if role(a) == wanted_role and (name is None or a.name == name)), None)


def states(acc):
    return acc.getState()


def focused(acc):
    return acc is not None and states(acc).contains(pyatspi.STATE_FOCUSED)


def showing(acc):
    return acc is not None and states(acc).contains(pyatspi.STATE_SHOWING)


def text_of(acc):
    return acc.queryText().getText(0, -1)


def in_notification(acc, depth=3):
    """Whether the object stands inside the window's notification."""
    for _ in range(depth):
        acc = acc.parent if acc is not None else None
        if acc is None:
            return False
        if role(acc) == pyatspi.ROLE_NOTIFICATION:
            return True
    return False


def status_label(root):
    """The status label: the label of the notification, named by its text."""
    return next((a for a in walk(root) if role(a) == pyatspi.ROLE_LABEL and in_notification(a)), None)


def focused_in(root):
    for acc in walk(root):
        try:
            if focused(acc) and role(acc) != pyatspi.ROLE_FRAME:
                return acc
        except Exception:
            pass
    return None


def dialog_named(frame, name):
    """The shown dialog (or file chooser) of the frame's program named name."""
    return next((window for window in frame.getApplication() if window is not None and window.name == name
                 and role(window) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER) and showing(window)), None)


def caret_of(text_acc):
    """The whole text and the caret's (line, column), from 1."""
    t = text_acc.queryText()
    whole, offset = t.getText(0, -1), t.caretOffset
    return whole, (whole[:offset].count("\n") + 1, offset - (whole.rfind("\n", 0, offset) + 1) + 1)


def line_at(whole, line):
    return whole.split("\n")[line - 1]


def wait_for_window(yzo):
    """The application and its frame named after the account, within 20 s."""
    def our_app():
        return next((app for app in pyatspi.Registry.getDesktop(0) if app is not None
                     and app.get_process_id() == yzo.pid and find(app, pyatspi.ROLE_FRAME, ACCOUNT)), None)

    app = wait_until(our_app, 20, "the frame named " + ACCOUNT)
    return (app, find(app, pyatspi.ROLE_FRAME, ACCOUNT)) if app else (None, None)


def open_ledger(yzo):
    """(application, frame, ledger, window id) once the ledger has the keyboard; four Nones on failure."""
    app, frame = wait_for_window(yzo)
    ledger = frame and find(frame, pyatspi.ROLE_TEXT, "Opérations")
    if not (app and check(ledger, "no ledger text named Opérations")):
        return None, None, None, None
    window_id = focus_main_window(yzo)
    if not (window_id and wait_until(lambda: focused(ledger), 10, "the focus on the ledger")):
        return None, None, None, None
    return app, frame, ledger, window_id


def quit_program(frame, yzo):
    """Presses Quitter; whether the program ended within 15 s, with status 0."""
    quit_button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Quitter")
    if check(quit_button, "no button named Quitter"):
        quit_button.queryAction().doAction(0)
    return check(wait_until(lambda: yzo.poll() is not None, 15), "Quitter did not end the program") and \
        check(yzo.returncode == 0, "yzo ended with status %d" % yzo.returncode)


class Heard:
    """Status messages as the label, the notification and the announcements
    carry them; the ledger's text changes, as (inserted or deleted, length)."""

    def __init__(self):
        self.label, self.notified, self.shown, self.announced, self.ledger = [], [], [], [], []
        pyatspi.Registry.registerEventListener(
            self, "object:text-changed", "object:property-change:accessible-name",
            "object:state-changed:showing", "object:announcement")

    def __call__(self, event):
        try:
            source_role, notification = role(event.source), role(event.source) == pyatspi.ROLE_NOTIFICATION
            if source_role == pyatspi.ROLE_TEXT and event.source.name == "Opérations" \
                    and event.type.startswith("object:text-changed"):
                self.ledger.append((event.type, event.detail2))
            elif event.type.startswith("object:text-changed:insert"):
                if source_role == pyatspi.ROLE_LABEL and in_notification(event.source):
                    self.label.append(event.any_data)
            elif event.type.startswith("object:announcement"):
                self.announced.append(event.any_data)
            elif notification and event.type.startswith("object:property-change:accessible-name"):
                self.notified.append(event.any_data)
            elif notification and event.type.startswith("object:state-changed:showing"):
                self.shown.append(event.detail1)
        except Exception as e:  # an object gone meanwhile
            print("event not read:", event.type, e, flush=True)

    def reappearances(self):
        return sum(1 for a, b in zip(self.shown, self.shown[1:]) if a == 0 and b == 1)
