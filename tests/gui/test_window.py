#!/usr/bin/python3
"""The window as a screen-reader user meets it.

Starts `yzo` on a copy of the demo account, presses real keys (xdotool) and
reads the window through the accessibility tree (AT-SPI), as Orca does:
the title, the ledger text and its caret, the status label, the notification
that makes Orca speak each message, the buttons.

Every key of STEPS is also run through yzo-script on the same account: after
each key the window must show the same ledger text and caret and must have
spoken the same status messages, in the same order. To cover a new key, add
it to STEPS.

Usage (run_gui_test.sh sets up the display and the buses):
    test_window.py YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER
"""
import os
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

# xdotool's keys, pressed in this order in the ledger.
STEPS = "Down Down Up Escape End Home m s F5 Escape shift+m Escape".split()


def script_key(xkey):
    """yzo-script's name of an xdotool key: letters in capitals."""
    *modifiers, key = xkey.split("+")
    return "+".join(modifiers + [key.upper() if len(key) == 1 else key])


# Keys pressed while a button has the focus (where the program ignores them),
# on the X server's US keyboard: the key code and character the program
# receives. A key is known by the character it types: "/" and "*" (Shift+8)
# are 191 and 220, the keys that carry ":/" and "*" on a French keyboard;
# "\\" and "&" (Shift+7) have no code; the numeric pad has its own codes.
KEYS_ON_BUTTON = [
    ("ampersand", 0, True, ord("&")),
    ("shift+8", 220, True, ord("*")),
    ("a", 65, False, ord("a")),
    ("shift+a", 65, True, ord("A")),
    ("slash", 191, False, ord("/")),
    ("backslash", 0, False, ord("\\")),
    ("KP_Divide", 111, False, ord("/")),
    ("KP_Multiply", 106, False, ord("*")),
]

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


def wait_until(condition, seconds, what):
    """Pumps accessibility events until condition() is true; False on timeout."""
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
            fail("timed out waiting for " + what)
            return None
        time.sleep(0.02)


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
    for acc in walk(root):
        if role(acc) == wanted_role and (name is None or acc.name == name):
            return acc
    return None


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
    for acc in walk(root):
        if role(acc) == pyatspi.ROLE_LABEL and in_notification(acc):
            return acc
    return None


def states(acc):
    return acc.getState()


def focused(acc):
    """Whether the object is there and has the keyboard focus."""
    return acc is not None and states(acc).contains(pyatspi.STATE_FOCUSED)


def showing(acc):
    """Whether the object is there and shown."""
    return acc is not None and states(acc).contains(pyatspi.STATE_SHOWING)


def listen(heard):
    """Gives heard the events that carry the status messages."""
    pyatspi.Registry.registerEventListener(
        heard, "object:text-changed:insert", "object:property-change:accessible-name",
        "object:state-changed:showing", "object:announcement")


# --- What the screen reader hears ------------------------------------------

class Heard:
    """Status messages, as the label, the notification and the announcements
    carry them; collected from the events the window sends."""

    def __init__(self):
        self.label = []          # new texts of the status label
        self.notified = []       # names given to the notification
        self.shown = []          # showing states of the notification, in order
        self.announced = []      # ATK announcements

    def __call__(self, event):
        try:
            source_role = role(event.source)
            if event.type.startswith("object:text-changed:insert"):
                if source_role == pyatspi.ROLE_LABEL and in_notification(event.source):
                    self.label.append(event.any_data)
            elif event.type.startswith("object:property-change:accessible-name"):
                if source_role == pyatspi.ROLE_NOTIFICATION:
                    self.notified.append(event.any_data)
            elif event.type.startswith("object:state-changed:showing"):
                if source_role == pyatspi.ROLE_NOTIFICATION:
                    self.shown.append(event.detail1)
            elif event.type.startswith("object:announcement"):
                self.announced.append(event.any_data)
        except Exception as e:  # an object gone meanwhile
            print("event not read:", event.type, e, flush=True)

    def reappearances(self):
        return sum(1 for a, b in zip(self.shown, self.shown[1:]) if a == 0 and b == 1)


# --- The same keys through yzo-script ---------------------------------------

def script_run(account):
    lines = ['start "%s"' % account, "show txt"]
    for key in STEPS:
        lines += ["key " + script_key(key), "show txt"]
    lines.append("click CmdQuitter")
    messages, snapshots, shown_lines = [], [], None
    for line in yzo_script(os.path.dirname(account), lines).split("\n"):
        if line.startswith("message: "):
            messages.append(line[len("message: "):])
        elif line.startswith("  | "):
            shown_lines = (shown_lines or []) + [line[4:]]
        elif line.startswith("  caret: "):
            l, c = line[len("  caret: "):].split()
            snapshots.append((list(messages), "\n".join(shown_lines or []), (int(l), int(c))))
            shown_lines = None
    return snapshots, messages


def yzo_script(folder, lines):
    """What yzo-script prints for these script lines, run in folder on the
    test's date and hour; the test stops when the script fails."""
    run = subprocess.run([YZO_SCRIPT, "--dossier", folder, "--aujourdhui", TODAY, "--heure", NOW, "-"],
                         input="\n".join(lines) + "\n", capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        print(run.stdout, run.stderr)
        raise SystemExit("yzo-script failed: exit %d" % run.returncode)
    return run.stdout


def start_yzo(account, **popen):
    """yzo started on the account, whose folder is the program's folder, on
    the test's date and hour, with no speech server."""
    env = dict(os.environ, YZO_DOSSIER=os.path.dirname(account), YZO_AUJOURDHUI=TODAY, YZO_HEURE=NOW)
    env.update(popen.pop("extra_env", {}))
    env.pop("YZO_SPEECHD", None)
    return subprocess.Popen([popen.pop("program", YZO), account], env=env, **popen)


def window_ids(name, pid=None):
    """The X ids of the shown windows whose name matches, of pid if given."""
    args = ["xdotool", "search", "--all", "--onlyvisible"] + (["--pid", str(pid)] if pid else [])
    return subprocess.run(args + ["--name", name], capture_output=True, text=True, timeout=20).stdout.split()


def focus_window(name, pid=None):
    """Gives the keyboard to the window whose name matches; its X id, None
    when there is none within 10 s."""
    ids = wait_until(lambda: window_ids(name, pid), 10, "a window named " + name)
    if ids:
        xdotool("windowfocus", "--sync", ids[0])
    return ids and ids[0]


def focus_main_window(yzo):
    """Gives the keyboard to the program's main window; its X window id."""
    return focus_window("^courant", yzo.pid)


def open_ledger(yzo):
    """(application, frame, ledger, window id) once the window is shown and
    its ledger has the keyboard; None (a check failed) otherwise."""
    app, frame = wait_for_window(yzo)
    ledger = frame and find(frame, pyatspi.ROLE_TEXT, "Opérations")
    if not (app and check(ledger, "no ledger text named Opérations")):
        return None
    window_id = focus_main_window(yzo)
    if not (window_id and wait_until(lambda: focused(ledger), 10, "the focus on the ledger")):
        return None
    return app, frame, ledger, window_id


def fresh_account():
    folder = os.path.join(WORK, "demo")
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(DEMO, folder)
    return os.path.join(folder, ACCOUNT)


# --- The window --------------------------------------------------------------

def run_and_report(yzo, body, name):
    """Runs body() against the started program, kills the program if it is
    still there, and ends the test: exit 1 when a check failed."""
    try:
        body()
    finally:
        if yzo.poll() is None:
            yzo.kill()
            yzo.wait(10)
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print(name + " test passed")


def wait_for_window(yzo):
    """The application and its frame named after the account, once the
    program has shown them; (None, None) after 20 s."""
    desktop = pyatspi.Registry.getDesktop(0)

    def our_app():
        for app in desktop:
            if app is not None and app.get_process_id() == yzo.pid:
                if find(app, pyatspi.ROLE_FRAME, ACCOUNT):
                    return app
        return None

    app = wait_until(our_app, 20, "the frame named " + ACCOUNT)
    return (app, find(app, pyatspi.ROLE_FRAME, ACCOUNT)) if app else (None, None)


def caret_of(text_acc):
    t = text_acc.queryText()
    whole = t.getText(0, -1)
    offset = t.caretOffset
    line = whole[:offset].count("\n") + 1
    column = offset - (whole.rfind("\n", 0, offset) + 1) + 1
    return whole, (line, column)


def line_at(whole, line):
    return whole.split("\n")[line - 1]


def xdotool(*args):
    subprocess.run(["xdotool"] + list(args), check=True, timeout=20)


def main():
    snapshots, script_messages = script_run(fresh_account())
    account = fresh_account()

    heard = Heard()
    listen(heard)

    trace_path = os.path.join(WORK, "yzo-stderr.txt")
    with open(trace_path, "w") as trace:
        yzo = start_yzo(account, extra_env={"YZO_TRACE_KEYS": "1"}, stderr=trace)
    run_and_report(yzo, lambda: run_window(yzo, heard, snapshots, script_messages, trace_path), "window")


def run_window(yzo, heard, snapshots, script_messages, trace_path):
    frame = wait_for_window(yzo)[1]
    if not frame:
        return
    ledger = find(frame, pyatspi.ROLE_TEXT, "Opérations")
    label = status_label(frame)
    if not (check(ledger, "no text object named Opérations") and check(label, "no status label in the notification")):
        return

    # The ledger: a read-only multi-line text that has the focus.
    s = states(ledger)
    check(s.contains(pyatspi.STATE_MULTI_LINE), "the ledger is not multi-line")
    check(not s.contains(pyatspi.STATE_EDITABLE), "the ledger is editable")
    wait_until(lambda: focused(ledger), 5, "the focus in the ledger")

    # The launch speaks what yzo-script's launch speaks.
    def same_as(snapshot):
        messages, text, caret = snapshot
        whole, where = caret_of(ledger)
        return heard.label == messages and whole == text and where == caret

    def show_difference(snapshot, step):
        messages, text, caret = snapshot
        whole, where = caret_of(ledger)
        if heard.label != messages:
            fail("%s: messages %r, yzo-script said %r" % (step, heard.label, messages))
        if whole != text:
            fail("%s: ledger text %r, yzo-script shows %r" % (step, whole, text))
        if where != caret:
            fail("%s: caret at line, column %r, yzo-script has %r" % (step, where, caret))

    if not wait_until(lambda: same_as(snapshots[0]), 10, "the launch to match yzo-script"):
        show_difference(snapshots[0], "launch")
    check(snapshots[0][0], "the launch spoke no message")

    focus_main_window(yzo)

    for i, xkey in enumerate(STEPS, start=1):
        skey = script_key(xkey)
        _, before = caret_of(ledger)
        heard_before = len(heard.label)
        xdotool("key", xkey)
        if not wait_until(lambda: same_as(snapshots[i]), 10, "key %s to match yzo-script" % skey):
            show_difference(snapshots[i], "key " + skey)
            break
        whole, after = caret_of(ledger)
        # What holds whatever the ledger does with these keys.
        if skey == "Down" and before[0] < whole.count("\n") + 1:
            check(after[0] == before[0] + 1, "Down moved the caret from line %d to %d" % (before[0], after[0]))
        if skey == "Up" and before[0] > 1:
            check(after[0] == before[0] - 1, "Up moved the caret from line %d to %d" % (before[0], after[0]))
        if skey == "Escape":
            check(len(heard.label) > heard_before, "Escape said nothing")
            check(heard.label and heard.label[-1].strip() == line_at(whole, after[0]).strip(),
                  "Escape said %r, the caret line is %r" % (heard.label[-1:], line_at(whole, after[0])))

    # The label keeps the last message; the notification reappeared once for
    # every message, named by it; each was announced too.
    check(label.queryText().getText(0, -1) == (heard.label[-1] if heard.label else ""),
          "the label does not hold the last message")
    # The notification is named by the messages of a key, joined.
    texts = [m.strip() for m in heard.label if m.strip()]
    check(" ".join(heard.notified) == " ".join(texts), "notification names %r, messages %r" % (heard.notified, texts))
    check(len(heard.notified) <= len(texts) and heard.reappearances() == len(heard.notified),
          "the notification reappeared %d times, named %d times, for %d messages"
          % (heard.reappearances(), len(heard.notified), len(texts)))
    check(heard.announced == heard.label, "announcements %r, messages %r" % (heard.announced, heard.label))

    # The buttons, by the names the screen reader says.
    for name in ["Visu.Chèque", "Création", "Modif. Ligne", "Quitter"]:
        b = find(frame, pyatspi.ROLE_PUSH_BUTTON, name)
        if check(b, "no button named " + name):
            s = states(b)
            check(s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_ENABLED),
                  "the button %s is not shown and enabled" % name)

    leave_menu(frame, ledger, heard)
    tab_round(frame, ledger)

    # Tab leaves the ledger for the first button; there the program receives
    # the codes of its own keys.
    xdotool("key", "Tab")
    first = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Visu.Chèque")
    wait_until(lambda: focused(first), 5, "Tab to reach the first button")
    with open(trace_path) as f:
        traced_before = len(f.readlines())
    for keysym, _, _, _ in KEYS_ON_BUTTON:
        xdotool("key", keysym)
    expected = ["key %d shift=%d ctrl=0 char=%d control=CmdYzo" % (code, shift, char)
                for _, code, shift, char in KEYS_ON_BUTTON]

    def traced():
        with open(trace_path) as f:
            seen = [l.rstrip("\n") for l in f.readlines()[traced_before:] if l.startswith("key ") and "control=CmdYzo" in l
                    and not l.startswith(("key 16 ", "key 17 "))]  # Shift and Ctrl themselves
        return seen if len(seen) >= len(expected) else None

    seen = wait_until(traced, 10, "the keys to reach the program") or []
    for keysym, want, got in zip([k[0] for k in KEYS_ON_BUTTON], expected, seen):
        check(want == got, "key %s: expected %r, got %r" % (keysym, want, got))

    # Quitter closes the window and ends the program; it said what
    # yzo-script said, in the same order.
    if not quit_program(frame, yzo):
        print(open(trace_path).read())
    check(heard.label == script_messages,
          "the window said %r, yzo-script said %r" % (heard.label, script_messages))


def quit_program(frame, yzo):
    """Presses Quitter through the accessibility tree; whether the program
    ended within 15 s, with status 0."""
    quit_button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Quitter")
    if check(quit_button, "no button named Quitter"):
        quit_button.queryAction().doAction(0)
    deadline = time.monotonic() + 15
    while yzo.poll() is None and time.monotonic() < deadline:
        pump()
        time.sleep(0.05)
    pump()
    return check(yzo.poll() is not None, "Quitter did not end the program") and \
        check(yzo.returncode == 0, "yzo ended with status %d" % yzo.returncode)


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


def leave_menu(frame, ledger, heard):
    """F10 opens the menu bar's first menu; Down moves in the menu, not in the
    ledger; Escape leaves it and the ledger has the keys again."""
    _, where = caret_of(ledger)
    said_before = len(heard.label)
    fichier = find(frame, pyatspi.ROLE_MENU, "Fichier")
    xdotool("key", "F10")
    if not wait_until(lambda: states(fichier).contains(pyatspi.STATE_SELECTED), 10, "F10 to open Fichier"):
        return
    xdotool("key", "Down")
    wait_until(lambda: any(states(item).contains(pyatspi.STATE_SELECTED) for item in walk(fichier)
                           if role(item) == pyatspi.ROLE_MENU_ITEM), 10, "Down to reach an entry of Fichier")
    xdotool("key", "Escape")
    wait_until(lambda: not states(fichier).contains(pyatspi.STATE_SELECTED)
               and focused(ledger), 10, "Escape to leave the menu")
    check(caret_of(ledger)[1] == where, "the menu keys moved the ledger's caret from %r to %r"
          % (where, caret_of(ledger)[1]))
    check(len(heard.label) == said_before, "the menu keys reached the ledger: %r" % heard.label[said_before:])
    xdotool("key", "Down")
    check(wait_until(lambda: caret_of(ledger)[1] != where, 10, "Down in the ledger after the menu"),
          "the ledger does not have the keys after the menu")
    xdotool("key", "Up")
    wait_until(lambda: caret_of(ledger)[1] == where, 10, "Up back to the line before")


def tab_round(frame, ledger):
    """Tab goes from the ledger through the four buttons and back; the
    status area is no stop."""
    order = ["Visu.Chèque", "Création", "Modif. Ligne", "Quitter", "Opérations"]
    for name in order:
        xdotool("key", "Tab")
        got = wait_until(lambda: focused_in(frame) is not None and focused_in(frame).name == name, 10,
                         "Tab to reach " + name)
        if not got:
            stop = focused_in(frame)
            fail("Tab reached %r (%s) instead of %s" % (stop and stop.name, stop and stop.getRoleName(), name))
            return
    check(focused(ledger), "Tab round did not come back to the ledger")


if __name__ == "__main__":
    main()
