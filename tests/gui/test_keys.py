#!/usr/bin/python3
"""Keys of the ledger, on an account whose operations are marked with "*":
Shift+8 (US keyboard) marks as yzo-script's key of the mark, the French "*"
unmarks; Ctrl+Space and Ctrl+Z unmark one selected line without a text
selection or a whole-text change (which the screen reader would read whole);
Ctrl+A, Ctrl+Z, Shift+F5 in the creation's date box act on the box; Space
ticks a criteria row once; Ctrl+Shift+S and Ctrl+Shift+B open one file dialog.
Then, on the demo account, keys_go_down() and in_the_notepad()."""
from gui_support import *  # noqa: F401,F403

# A type 2 account (operations marked with "*"), put in place of the demo account.
MARKED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios", "data", "ledger-repere.yzo")
# How long a cancelled dialog is given to come back.
SETTLE_SECONDS = 3
# Longer than GTK's wait for a key's release: what a late click would do has happened by then.
LATE_CLICK_SECONDS = 1
AMOUNT = "12,50"
NUMBER_QUESTION = "numéro :"
FIRST_OBJET = "BOULANGERIE"  # an objet of the rubrique offered first, in the demo's lists
FIRST = ["Appeler la banque lundi", "Chèque 4713 : garage"]
TYPED = "rendez-vous mardi"


def main():
    account = fresh_account()
    shutil.copy(MARKED, account)
    # The ledger text yzo-script shows after the key of the mark, lines joined by LF.
    marked = ledger_text(yzo_script(os.path.dirname(account), ['start "%s"' % account, "key Oem220", "show txt"])
                         .split("\n"))
    account = fresh_account()
    shutil.copy(MARKED, account)
    changes = Heard().ledger
    window_test("keys", lambda yzo: run_window(yzo, changes, marked), account)

    # Then on the demo account with a notepad file.
    account = fresh_account()
    if script_question(account) != NUMBER_QUESTION:
        raise SystemExit("yzo-script does not ask %r after the amount" % NUMBER_QUESTION)
    account = fresh_account()
    note = os.path.join(os.path.dirname(account), "courant.txt")
    with open(note, "wb") as f:
        f.write(crlf(FIRST))
    window_test("key press and notepad", lambda yzo: (keys_go_down(yzo), in_the_notepad(yzo, note)), account)


def script_question(account):
    """The question yzo-script asks after the amount of the first objet."""
    script = ['start "%s"' % account, "click CmdCreation", "key Enter", "key Enter", 'answer "%s"' % AMOUNT,
              "key Enter", "show LblDial"]
    shown = [l for l in yzo_script(os.path.dirname(account), script).split("\n") if l.startswith("  LblDial ")]
    return shown[0].split('"')[1].strip() if shown else None


def run_window(yzo, changes, marked):
    app, frame, ledger, window_id = open_ledger(yzo)
    if not ledger:
        return

    # "*" typed as Shift+8 marks the operation, as the key of the mark does.
    unmarked = text_of(ledger)
    if not press("shift+8", lambda: text_of(ledger) == marked, "Shift+8 to mark the operation"):
        print("ledger %r, yzo-script after the mark: %r" % (text_of(ledger), marked))
    # On a French keyboard "*" has a key of its own: it takes the mark away.
    if shutil.which("setxkbmap"):
        subprocess.run(["setxkbmap", "fr"], check=True, timeout=20)
        layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, timeout=20).stdout
        if check("layout:     fr" in layout, "the French layout is not set: %r" % layout):
            press("asterisk", lambda: text_of(ledger) == unmarked, "the French key of \"*\" to take the mark away")
        subprocess.run(["setxkbmap", "us"], check=True, timeout=20)
    else:
        print("setxkbmap is missing (Debian package x11-xkb-utils): the French keyboard is not tried")

    # A line selected, then unselected by Ctrl+Space and by Ctrl+Z.
    for unselect in ["ctrl+space", "ctrl+z"]:
        press("shift+Down", lambda: "sélectionné" in text_of(ledger), "Shift+Down to select a line")
        xdotool("key", "Up")
        whole, (line, _) = caret_of(ledger)
        if not check("sélectionné" in line_at(whole, line), "Up did not come back to the selected line"):
            continue
        longest = max(len(l) for l in whole.split("\n"))
        pump()
        del changes[:]
        press(unselect, lambda: "sélectionné" not in text_of(ledger), unselect + " to unselect the line")
        later(0.3)
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
    if not press("Up", lambda: text_of(ledger).count("sélectionné") == 1, "Shift+Down to select one line"):
        return
    before = text_of(ledger)
    date = find(frame, pyatspi.ROLE_TEXT, "Date")
    if not press("alt+c", lambda: date and focused(date), "the creation box"):
        return
    typed = text_of(date)
    press("ctrl+a", lambda: date.queryText().getNSelections() == 1, "Ctrl+A to select the box's text")
    check(date.queryText().getSelection(0) == (0, len(typed)),
          "Ctrl+A selected %r of the date box's %r" % (date.queryText().getSelection(0), typed))
    xdotool("key", "ctrl+z", "shift+F5")
    later(0.5)
    check(not find(app, pyatspi.ROLE_ALERT) and focused(date), "a key of the date box left it for another window")
    check(text_of(ledger) == before, "keys of the date box changed the ledger: %r" % text_of(ledger))
    press("Escape", lambda: focused(ledger), "Escape back to the ledger")


def space_in_criteria_list(frame, ledger):
    """Space ticks the criteria list's selected row and says so; a second
    Space unticks it. The widget does not tick it a second time."""
    if not press("ctrl+r", lambda: (focused_in(frame).name or "").startswith("Critères"),
                 "Ctrl+R to the criteria list"):
        return

    def ticked():
        return sum(1 for acc in walk(frame) if states(acc).contains(pyatspi.STATE_CHECKED))

    before = ticked()
    label = status_label(frame)
    press("space", lambda: ticked() == before + 1 and label.name.strip() == "sélectionné",
          "Space to tick one row and say so")
    press("space", lambda: ticked() == before, "a second Space to untick the row")
    press("Escape", lambda: focused(ledger), "Escape back to the ledger")


def count_dialogs(app, frame, window_id, keys):
    """Presses keys in the ledger, cancels every file dialog that shows within
    SETTLE_SECONDS of the last one, and checks that there was exactly one."""
    xdotool("windowfocus", "--sync", window_id)
    xdotool("key", keys)

    def shown_chooser():
        dialog = find(app, pyatspi.ROLE_FILE_CHOOSER)
        return dialog if showing(dialog) else None

    opened, seconds = 0, 15
    while dialog := wait_until(shown_chooser, seconds):
        opened, seconds = opened + 1, SETTLE_SECONDS
        ids = window_ids("^" + dialog.name + "$")
        if ids:
            xdotool("windowfocus", "--sync", ids[-1])
        press("Escape", lambda: not shown_chooser(), "Escape to close the file dialog of " + keys)
    check(opened == 1, "%s opened %d file dialogs" % (keys, opened))


def keys_go_down(yzo):
    """Buttons and input boxes answer as the key goes down: GTK's button,
    activated by a key, clicks on its release or a quarter of a second later,
    after the keys that follow. Each case sends its keys in one burst: Alt+C
    then Escape leaves the creation it opened; Enter in the amount's box then
    Backspaces answers the amount (with the wait, the Backspaces emptied the
    box: a cancel)."""
    # The pointer is moved away once the window is there.
    if not wait_for_window(yzo)[0]:
        return
    xdotool("mousemove", "1279", "1023")
    app, frame, ledger, frame_id = open_ledger(yzo)
    if not ledger:
        return
    date = find(frame, pyatspi.ROLE_TEXT, "Date")
    if not check(date, "no date box named Date"):
        return

    # Alt+C and Escape at once: the creation opened and left.
    xdotool("key", "--delay", "0", "alt+c", "Escape")
    wait_until(lambda: focused(ledger) and not showing(date), 10, "the ledger back after Alt+C and Escape")
    later(LATE_CLICK_SECONDS)
    check(focused(ledger) and not showing(date), "Alt+C opened the creation after the Escape that followed it")

    # The amount answered by Enter, Backspaces right behind it.
    if not press("alt+c", lambda: focused(date), "the creation's date box"):
        return
    # The date: the rubrique list, a list box named by its question.
    press("Return", lambda: any(role(a) == pyatspi.ROLE_LIST_BOX and focused(a) for a in walk(frame)),
          "the rubrique list")
    # The rubrique: the objet list, then Enter asks the amount.
    press("Return", lambda: any(role(a) == pyatspi.ROLE_TABLE_CELL and a.name.strip() == FIRST_OBJET
                                for a in walk(frame)), "the objet list")
    xdotool("key", "Return")
    if not answer_window("montant", yzo.pid, ("key", "ctrl+a"), ("type", AMOUNT),
                         ("key", "--delay", "0", "Return", *["BackSpace"] * len(AMOUNT)), seconds=10):
        return
    later(LATE_CLICK_SECONDS)
    check(any(role(a) == pyatspi.ROLE_LABEL and showing(a) and text_of(a).strip() == NUMBER_QUESTION
              for a in walk(frame)),
          "Enter did not answer the amount at once: no question %r after it" % NUMBER_QUESTION)
    xdotool("windowfocus", "--sync", frame_id)
    press("Escape", lambda: focused(ledger), "Escape back to the ledger")


def in_the_notepad(yzo, note):
    """The notepad opened by its key (Ctrl+Shift+B) on the proposed file holds
    the file's lines; a line typed and saved with Ctrl+S is in the file, the
    previous text in its own backup; the "Opérations" button brings the ledger back."""
    app, frame, ledger, _ = open_ledger(yzo)
    if not ledger:
        return
    notepad = find(frame, pyatspi.ROLE_TEXT, "Bloc note")
    if not check(notepad, "no text named Bloc note"):
        return

    # The key opens the file dialog on the proposed name, beside the account.
    if not press("ctrl+shift+b", lambda: find(app, pyatspi.ROLE_FILE_CHOOSER) or find(app, pyatspi.ROLE_DIALOG),
                 "the notepad's file dialog", 15):
        return
    # The location box takes the whole path, whatever folder the dialog shows.
    xdotool("key", "ctrl+l")
    time.sleep(0.3)
    xdotool("type", "--delay", "20", note)
    xdotool("key", "Return")

    if not wait_until(lambda: showing(notepad) and text_of(notepad) == "\n".join(FIRST), 15,
                      "the notepad holding the file's lines"):
        print("notepad text: %r" % text_of(notepad))
        return
    check(not showing(ledger), "the ledger is still shown beside the notepad")
    check(wait_until(lambda: focused(notepad), 10, "the focus on the notepad"), "the notepad does not have the focus")

    # A line typed at the end, then saved.
    xdotool("key", "ctrl+End", "Return")
    xdotool("type", "--delay", "20", TYPED)
    wanted = "\n".join(FIRST + [TYPED])
    if not wait_until(lambda: text_of(notepad) == wanted, 10, "the typed line read back"):
        print("notepad text: %r" % text_of(notepad))
        return
    xdotool("key", "ctrl+s")

    check(wait_until(lambda: read_bytes(note) == crlf(FIRST + [TYPED]), 10, "the notepad written"),
          "the file does not hold what was read")
    backup = note + ".bak"
    if check(os.path.exists(backup), "no backup of the notepad"):
        check(read_bytes(backup) == crlf(FIRST), "the backup does not hold the previous text")
    check(not os.path.exists(os.path.join(os.path.dirname(note), "courant.bak")),
          "the notepad's backup took the account's backup name")

    # The button under the notepad brings the ledger back.
    button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Opérations")
    if check(button, "no button named Opérations beside the notepad"):
        button.queryAction().doAction(0)
        check(wait_until(lambda: showing(ledger) and not showing(notepad), 10, "the ledger back"),
              "the ledger is not back after the button")


if __name__ == "__main__":
    main()
