#!/usr/bin/python3
"""The notepad as a screen-reader user meets it.

Opens the notepad of the demo account with its key (Ctrl+Shift+B), answers
the file dialog with the proposed name, and reads the notepad's text through
the accessibility tree: it must hold the file's lines. Then types a line with
real keys, saves with Ctrl+S and reads the text again: the file holds what
the screen reader reads, its previous text is kept in its own backup, and the
"Opérations" button brings the ledger back.

Usage (run_gui_test.sh sets up the display and the buses):
    test_notepad.py YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_window as tw  # noqa: E402  (the same arguments, the same helpers)
import pyatspi  # noqa: E402

FIRST = ["Appeler la banque lundi", "Chèque 4713 : garage"]
TYPED = "rendez-vous mardi"


def text_of(acc):
    return acc.queryText().getText(0, -1)


def main():
    account = tw.fresh_account()
    folder = os.path.dirname(account)
    note = os.path.join(folder, "courant.txt")
    with open(note, "wb") as f:
        f.write("\r\n".join(FIRST).encode("cp1252") + b"\r\n")
    yzo = tw.start_yzo(account)
    tw.run_and_report(yzo, lambda: run_window(yzo, note), "notepad")


def run_window(yzo, note):
    opened = tw.open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, _ = opened
    notepad = tw.find(frame, pyatspi.ROLE_TEXT, "Bloc note")
    if not tw.check(notepad, "no text named Bloc note"):
        return

    # The key opens the file dialog on the proposed name, beside the account.
    tw.xdotool("key", "ctrl+shift+b")
    dialog = tw.wait_until(lambda: tw.find(app, pyatspi.ROLE_FILE_CHOOSER) or tw.find(app, pyatspi.ROLE_DIALOG),
                           15, "the notepad's file dialog")
    if not dialog:
        return
    # The location box takes the whole path, whatever folder the dialog shows.
    tw.xdotool("key", "ctrl+l")
    time.sleep(0.3)
    tw.xdotool("type", "--delay", "20", note)
    tw.xdotool("key", "Return")

    if not tw.wait_until(lambda: tw.showing(notepad) and text_of(notepad) == "\n".join(FIRST), 15,
                         "the notepad holding the file's lines"):
        print("notepad text: %r" % text_of(notepad))
        return
    tw.check(not tw.showing(ledger), "the ledger is still shown beside the notepad")
    tw.check(tw.wait_until(lambda: tw.focused(notepad), 10, "the focus on the notepad"),
             "the notepad does not have the focus")

    # A line typed at the end, then saved.
    tw.xdotool("key", "ctrl+End")
    tw.xdotool("key", "Return")
    tw.xdotool("type", "--delay", "20", TYPED)
    wanted = "\n".join(FIRST + [TYPED])
    if not tw.wait_until(lambda: text_of(notepad) == wanted, 10, "the typed line read back"):
        print("notepad text: %r" % text_of(notepad))
        return
    tw.xdotool("key", "ctrl+s")

    def saved():
        with open(note, "rb") as f:
            return f.read() == ("\r\n".join(FIRST + [TYPED]) + "\r\n").encode("cp1252")

    tw.check(tw.wait_until(saved, 10, "the notepad written"), "the file does not hold what was read")
    backup = note + ".bak"
    if tw.check(os.path.exists(backup), "no backup of the notepad"):
        with open(backup, "rb") as f:
            tw.check(f.read() == ("\r\n".join(FIRST) + "\r\n").encode("cp1252"),
                     "the backup does not hold the previous text")
    tw.check(not os.path.exists(os.path.join(os.path.dirname(note), "courant.bak")),
             "the notepad's backup took the account's backup name")

    # The button under the notepad brings the ledger back.
    button = tw.find(frame, pyatspi.ROLE_PUSH_BUTTON, "Opérations")
    if tw.check(button, "no button named Opérations beside the notepad"):
        button.queryAction().doAction(0)
        tw.check(tw.wait_until(lambda: tw.showing(ledger) and not tw.showing(notepad), 10, "the ledger back"),
                 "the ledger is not back after the button")


if __name__ == "__main__":
    main()
