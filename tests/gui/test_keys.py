#!/usr/bin/python3
"""Keys of the ledger, on an account whose operations are marked with "*":
Shift+8 (US keyboard) marks as yzo-script's key of the mark, the French "*"
unmarks; Ctrl+Space and Ctrl+Z unmark one selected line without a text
selection or a whole-text change (which the screen reader would read whole);
Ctrl+A, Ctrl+Z, Shift+F5 in the creation's date box act on the box; Space
ticks a criteria row once; Ctrl+Shift+S and Ctrl+Shift+B open one file dialog."""
from gui_support import *  # noqa: F401,F403

# A type 2 account (operations marked with "*"), put in place of the demo account.
MARKED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios", "data", "ledger-repere.yzo")
# How long a cancelled dialog is given to come back.
SETTLE_SECONDS = 3


def text_events(changes):
    """Listens for the ledger's text changes, as (inserted or deleted, length)."""
    def heard(event):
        try:
            if role(event.source) == pyatspi.ROLE_TEXT and event.source.name == "Opérations":
                changes.append((event.type, event.detail2))
        except Exception as e:  # an object gone meanwhile
            print("event not read:", event.type, e, flush=True)
    pyatspi.Registry.registerEventListener(heard, "object:text-changed")


def main():
    account = fresh_account()
    shutil.copy(MARKED, account)
    # The ledger text yzo-script shows after the key of the mark, lines joined by LF.
    shown = yzo_script(os.path.dirname(account), ['start "%s"' % account, "key Oem220", "show txt"])
    marked = "\n".join(l[4:] for l in shown.split("\n") if l.startswith("  | "))
    account = fresh_account()
    shutil.copy(MARKED, account)
    changes = []
    text_events(changes)
    yzo = start_yzo(account)
    run_and_report(yzo, lambda: run_window(yzo, changes, marked), "keys")


def run_window(yzo, changes, marked):
    opened = open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, window_id = opened

    # "*" typed as Shift+8 marks the operation, as the key of the mark does.
    unmarked = text_of(ledger)
    xdotool("key", "shift+8")
    if not wait_until(lambda: text_of(ledger) == marked, 10, "Shift+8 to mark the operation"):
        print("ledger %r, yzo-script after the mark: %r" % (text_of(ledger), marked))
    # On a French keyboard "*" has a key of its own: it takes the mark away.
    if shutil.which("setxkbmap"):
        subprocess.run(["setxkbmap", "fr"], check=True, timeout=20)
        layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, timeout=20).stdout
        if check("layout:     fr" in layout, "the French layout is not set: %r" % layout):
            xdotool("key", "asterisk")
            wait_until(lambda: text_of(ledger) == unmarked, 10, "the French key of \"*\" to take the mark away")
        subprocess.run(["setxkbmap", "us"], check=True, timeout=20)
    else:
        print("setxkbmap is missing (Debian package x11-xkb-utils): the French keyboard is not tried")

    # A line selected, then unselected by Ctrl+Space and by Ctrl+Z.
    for unselect in ["ctrl+space", "ctrl+z"]:
        xdotool("key", "shift+Down")
        wait_until(lambda: "sélectionné" in text_of(ledger), 10, "Shift+Down to select a line")
        xdotool("key", "Up")
        whole, (line, _) = caret_of(ledger)
        if not check("sélectionné" in line_at(whole, line), "Up did not come back to the selected line"):
            continue
        longest = max(len(l) for l in whole.split("\n"))
        pump()
        del changes[:]
        xdotool("key", unselect)
        wait_until(lambda: "sélectionné" not in text_of(ledger), 10, unselect + " to unselect the line")
        time.sleep(0.3)
        pump()
        t = ledger.queryText()
        check(t.getNSelections() == 0, "%s left a selection in the ledger: %r"
              % (unselect, [t.getSelection(i) for i in range(t.getNSelections())]))
        check(changes and all(length <= longest for _, length in changes),
              "%s changed more than a line of the ledger (%d characters at most): %r" % (unselect, longest, changes))

    keys_in_answer_box(app, frame, ledger)
    space_in_criteria_list(frame, ledger)

    # Each key opens its file dialog once.
    for keys in ["ctrl+shift+s", "ctrl+shift+b"]:
        count_dialogs(app, frame, window_id, keys)


def keys_in_answer_box(app, frame, ledger):
    """Ctrl+A, Ctrl+Z and Shift+F5 typed in the creation's date box act on
    the box: the ledger keeps its one selected line."""
    xdotool("key", "shift+Down")
    xdotool("key", "Up")
    if not wait_until(lambda: text_of(ledger).count("sélectionné") == 1, 10, "Shift+Down to select one line"):
        return
    before = text_of(ledger)
    xdotool("key", "alt+c")
    date = find(frame, pyatspi.ROLE_TEXT, "Date")
    if not wait_until(lambda: date and focused(date), 10, "the creation box"):
        return
    typed = text_of(date)
    xdotool("key", "ctrl+a")
    wait_until(lambda: date.queryText().getNSelections() == 1, 10, "Ctrl+A to select the box's text")
    check(date.queryText().getSelection(0) == (0, len(typed)),
          "Ctrl+A selected %r of the date box's %r" % (date.queryText().getSelection(0), typed))
    for keys in ["ctrl+z", "shift+F5"]:
        xdotool("key", keys)
    time.sleep(0.5)
    pump()
    check(not find(app, pyatspi.ROLE_ALERT) and focused(date), "a key of the date box left it for another window")
    check(text_of(ledger) == before, "keys of the date box changed the ledger: %r" % text_of(ledger))
    xdotool("key", "Escape")
    wait_until(lambda: focused(ledger), 10, "Escape back to the ledger")


def space_in_criteria_list(frame, ledger):
    """Space ticks the criteria list's selected row and says so; a second
    Space unticks it. The widget does not tick it a second time."""
    xdotool("key", "ctrl+r")
    if not wait_until(lambda: (focused_in(frame).name or "").startswith("Critères"), 10,
                      "Ctrl+R to the criteria list"):
        return

    def ticked():
        return sum(1 for acc in walk(frame) if states(acc).contains(pyatspi.STATE_CHECKED))

    before = ticked()
    label = status_label(frame)
    xdotool("key", "space")
    wait_until(lambda: ticked() == before + 1 and label.name.strip() == "sélectionné", 10,
               "Space to tick one row and say so")
    xdotool("key", "space")
    wait_until(lambda: ticked() == before, 10, "a second Space to untick the row")
    xdotool("key", "Escape")
    wait_until(lambda: focused(ledger), 10, "Escape back to the ledger")


def count_dialogs(app, frame, window_id, keys):
    """Presses keys in the ledger, cancels every file dialog that shows within
    SETTLE_SECONDS of the last one, and checks that there was exactly one."""
    xdotool("windowfocus", "--sync", window_id)
    xdotool("key", keys)
    opened = 0
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        pump()
        dialog = find(app, pyatspi.ROLE_FILE_CHOOSER)
        if dialog and showing(dialog):
            opened += 1
            ids = window_ids("^" + dialog.name + "$")
            if ids:
                xdotool("windowfocus", "--sync", ids[-1])
            xdotool("key", "Escape")
            wait_until(lambda: not showing(find(app, pyatspi.ROLE_FILE_CHOOSER)), 10,
                       "Escape to close the file dialog of " + keys)
            deadline = time.monotonic() + SETTLE_SECONDS
        time.sleep(0.05)
    check(opened == 1, "%s opened %d file dialogs" % (keys, opened))


if __name__ == "__main__":
    main()
