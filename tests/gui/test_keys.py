#!/usr/bin/python3
"""Keys of the ledger as a screen-reader user presses them.

On an account whose operations are marked with "*" (the X server's keyboard
is a US one):
- Shift+8 types "*" and marks the operation under the caret, as yzo-script's
  key of the mark does; the "*" key of a French keyboard takes the mark away;
- Ctrl+Space and Ctrl+Z, with a line selected, change the mark of that line
  only: the text view never gets a selection and is never told that its
  whole text changed (the screen reader would read the whole account);
- Ctrl+A, Ctrl+Z and Shift+F5 in the creation's date box act on the box,
  not on the ledger's selection;
- Space in the criteria list ticks the selected row once, and once more
  unticks it, as yzo-script's Space does;
- Ctrl+Shift+S and Ctrl+Shift+B open their file dialog once: cancelled, it
  does not come back.

Usage (run_gui_test.sh sets up the display and the buses):
    test_keys.py YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER
"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_window as tw  # noqa: E402  (the same arguments, the same helpers)
import pyatspi  # noqa: E402

# A type 2 account (operations marked with "*"), put in place of the demo account.
MARKED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios", "data", "ledger-repere.yzo")
# How long a cancelled dialog is given to come back.
SETTLE_SECONDS = 3


class TextEvents:
    """The ledger's text changes, as (inserted or deleted, length)."""

    def __init__(self):
        self.changes = []

    def __call__(self, event):
        try:
            if tw.role(event.source) == pyatspi.ROLE_TEXT and event.source.name == "Opérations":
                self.changes.append((event.type, event.detail2))
        except Exception as e:  # an object gone meanwhile
            print("event not read:", event.type, e, flush=True)


def script_text(account, keys):
    """The ledger text yzo-script shows after these keys, lines joined by LF."""
    lines = ['start "%s"' % account] + ["key " + k for k in keys] + ["show txt"]
    shown = [l[4:] for l in tw.yzo_script(os.path.dirname(account), lines).split("\n") if l.startswith("  | ")]
    return "\n".join(shown)


def main():
    account = tw.fresh_account()
    shutil.copy(MARKED, account)
    marked = script_text(account, ["Oem220"])
    account = tw.fresh_account()
    shutil.copy(MARKED, account)
    events = TextEvents()
    pyatspi.Registry.registerEventListener(events, "object:text-changed")
    yzo = tw.start_yzo(account)
    tw.run_and_report(yzo, lambda: run_window(yzo, events, marked), "keys")


def run_window(yzo, events, marked):
    opened = tw.open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, window_id = opened

    def text():
        return ledger.queryText().getText(0, -1)

    # "*" typed as Shift+8 marks the operation, as the key of the mark does.
    unmarked = text()
    tw.xdotool("key", "shift+8")
    if not tw.wait_until(lambda: text() == marked, 10, "Shift+8 to mark the operation"):
        print("ledger %r, yzo-script after the mark: %r" % (text(), marked))
    # On a French keyboard "*" has a key of its own: it takes the mark away.
    if shutil.which("setxkbmap"):
        subprocess.run(["setxkbmap", "fr"], check=True, timeout=20)
        layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, timeout=20).stdout
        if tw.check("layout:     fr" in layout, "the French layout is not set: %r" % layout):
            tw.xdotool("key", "asterisk")
            tw.wait_until(lambda: text() == unmarked, 10, "the French key of \"*\" to take the mark away")
        subprocess.run(["setxkbmap", "us"], check=True, timeout=20)
    else:
        print("setxkbmap is missing (Debian package x11-xkb-utils): the French keyboard is not tried")

    # A line selected, then unselected by Ctrl+Space and by Ctrl+Z.
    for unselect in ["ctrl+space", "ctrl+z"]:
        tw.xdotool("key", "shift+Down")
        tw.wait_until(lambda: "sélectionné" in text(), 10, "Shift+Down to select a line")
        tw.xdotool("key", "Up")
        whole, (line, _) = tw.caret_of(ledger)
        if not tw.check("sélectionné" in tw.line_at(whole, line), "Up did not come back to the selected line"):
            continue
        longest = max(len(l) for l in whole.split("\n"))
        tw.pump()
        del events.changes[:]
        tw.xdotool("key", unselect)
        tw.wait_until(lambda: "sélectionné" not in text(), 10, unselect + " to unselect the line")
        time.sleep(0.3)
        tw.pump()
        t = ledger.queryText()
        tw.check(t.getNSelections() == 0, "%s left a selection in the ledger: %r"
                 % (unselect, [t.getSelection(i) for i in range(t.getNSelections())]))
        tw.check(events.changes and all(length <= longest for _, length in events.changes),
                 "%s changed more than a line of the ledger (%d characters at most): %r"
                 % (unselect, longest, events.changes))

    keys_in_answer_box(app, frame, ledger)
    space_in_criteria_list(frame, ledger)

    # Each key opens its file dialog once.
    for keys in ["ctrl+shift+s", "ctrl+shift+b"]:
        count_dialogs(app, frame, window_id, keys)


def keys_in_answer_box(app, frame, ledger):
    """Ctrl+A, Ctrl+Z and Shift+F5 typed in the creation's date box act on
    the box: the ledger keeps its one selected line."""
    tw.xdotool("key", "shift+Down")
    tw.xdotool("key", "Up")
    if not tw.wait_until(lambda: ledger.queryText().getText(0, -1).count("sélectionné") == 1, 10,
                         "Shift+Down to select one line"):
        return
    before = ledger.queryText().getText(0, -1)
    tw.xdotool("key", "alt+c")
    date = tw.find(frame, pyatspi.ROLE_TEXT, "Date")
    if not tw.wait_until(lambda: date and tw.focused(date), 10, "the creation box"):
        return
    typed = date.queryText().getText(0, -1)
    tw.xdotool("key", "ctrl+a")
    tw.wait_until(lambda: date.queryText().getNSelections() == 1, 10, "Ctrl+A to select the box's text")
    tw.check(date.queryText().getSelection(0) == (0, len(typed)),
             "Ctrl+A selected %r of the date box's %r" % (date.queryText().getSelection(0), typed))
    for keys in ["ctrl+z", "shift+F5"]:
        tw.xdotool("key", keys)
    time.sleep(0.5)
    tw.pump()
    tw.check(not tw.find(app, pyatspi.ROLE_ALERT) and tw.focused(date),
             "a key of the date box left it for another window")
    tw.check(ledger.queryText().getText(0, -1) == before,
             "keys of the date box changed the ledger: %r" % ledger.queryText().getText(0, -1))
    tw.xdotool("key", "Escape")
    tw.wait_until(lambda: tw.focused(ledger), 10, "Escape back to the ledger")


def space_in_criteria_list(frame, ledger):
    """Space ticks the criteria list's selected row and says so; a second
    Space unticks it. The widget does not tick it a second time."""
    tw.xdotool("key", "ctrl+r")
    if not tw.wait_until(lambda: (tw.focused_in(frame).name or "").startswith("Critères"), 10,
                         "Ctrl+R to the criteria list"):
        return

    def ticked():
        return sum(1 for acc in tw.walk(frame) if tw.states(acc).contains(pyatspi.STATE_CHECKED))

    before = ticked()
    label = tw.status_label(frame)
    tw.xdotool("key", "space")
    tw.wait_until(lambda: ticked() == before + 1 and label.name.strip() == "sélectionné", 10,
                  "Space to tick one row and say so")
    tw.xdotool("key", "space")
    tw.wait_until(lambda: ticked() == before, 10, "a second Space to untick the row")
    tw.xdotool("key", "Escape")
    tw.wait_until(lambda: tw.focused(ledger), 10, "Escape back to the ledger")


def count_dialogs(app, frame, window_id, keys):
    """Presses keys in the ledger, cancels every file dialog that shows within
    SETTLE_SECONDS of the last one, and checks that there was exactly one."""
    tw.xdotool("windowfocus", "--sync", window_id)
    tw.xdotool("key", keys)
    opened = 0
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        tw.pump()
        dialog = tw.find(app, pyatspi.ROLE_FILE_CHOOSER)
        if dialog and tw.showing(dialog):
            opened += 1
            ids = tw.window_ids("^" + dialog.name + "$")
            if ids:
                tw.xdotool("windowfocus", "--sync", ids[-1])
            tw.xdotool("key", "Escape")
            tw.wait_until(lambda: not tw.showing(tw.find(app, pyatspi.ROLE_FILE_CHOOSER)), 10,
                          "Escape to close the file dialog of " + keys)
            deadline = time.monotonic() + SETTLE_SECONDS
        time.sleep(0.05)
    tw.check(opened == 1, "%s opened %d file dialogs" % (keys, opened))


if __name__ == "__main__":
    main()
