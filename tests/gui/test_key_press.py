#!/usr/bin/python3
"""Buttons and input boxes answer as the key goes down, not when it is released.

GTK's button, activated by a key, clicks on the key's release or a quarter
of a second later; the release goes to the focused widget, so the program
answered a quarter of a second late. Each case sends its keys in one burst,
which reaches the program before such a wait ends:
- Alt+C then Escape: the creation opens on Alt+C and Escape leaves it (with
  the wait, Escape reached the ledger first and the creation opened after);
- Enter in the amount's input box, then Backspaces: the amount typed is the
  answer, and the creation goes on to its number (with the wait, the
  Backspaces emptied the box before it was answered: a cancel).

Usage (run_gui_test.sh sets up the display and the buses):
    test_key_press.py YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_window as tw  # noqa: E402  (the same arguments, the same helpers)
import pyatspi  # noqa: E402

# Longer than GTK's wait for a key's release: what a late click would do has happened by then.
LATE_CLICK_SECONDS = 1
AMOUNT = "12,50"
NUMBER_QUESTION = "numéro :"
FIRST_OBJET = "BOULANGERIE"  # an objet of the rubrique offered first, in the demo's lists


def script_question(account):
    """The question yzo-script asks after the amount of the first objet."""
    script = ['start "%s"' % account, "click CmdCreation", "key Enter", "key Enter", 'answer "%s"' % AMOUNT,
              "key Enter", "show LblDial"]
    shown = [l for l in tw.yzo_script(os.path.dirname(account), script).split("\n") if l.startswith("  LblDial ")]
    return shown[0].split('"')[1].strip() if shown else None


def main():
    account = tw.fresh_account()
    if script_question(account) != NUMBER_QUESTION:
        raise SystemExit("yzo-script does not ask %r after the amount" % NUMBER_QUESTION)
    account = tw.fresh_account()
    yzo = tw.start_yzo(account)
    tw.run_and_report(yzo, lambda: run_window(yzo), "key press")


def question_shown(frame, text):
    """A label of the window shows this text."""
    return any(tw.role(a) == pyatspi.ROLE_LABEL and tw.showing(a) and a.queryText().getText(0, -1).strip() == text
               for a in tw.walk(frame))


def run_window(yzo):
    # The pointer is moved away once the window is there.
    if not tw.wait_for_window(yzo)[0]:
        return
    tw.xdotool("mousemove", "1279", "1023")
    opened = tw.open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, frame_id = opened
    date = tw.find(frame, pyatspi.ROLE_TEXT, "Date")
    if not tw.check(date, "no date box named Date"):
        return

    # Alt+C and Escape at once: the creation opened and left.
    tw.xdotool("key", "--delay", "0", "alt+c", "Escape")
    tw.wait_until(lambda: tw.focused(ledger) and not tw.showing(date), 10,
                  "the ledger back after Alt+C and Escape")
    time.sleep(LATE_CLICK_SECONDS)
    tw.pump()
    tw.check(tw.focused(ledger) and not tw.showing(date),
             "Alt+C opened the creation after the Escape that followed it")

    # The amount answered by Enter, Backspaces right behind it.
    tw.xdotool("key", "alt+c")
    if not tw.wait_until(lambda: tw.focused(date), 10, "the creation's date box"):
        return
    tw.xdotool("key", "Return")  # the date: the rubrique list
    # The choice list is a list box named by its question.
    tw.wait_until(lambda: any(tw.role(a) == pyatspi.ROLE_LIST_BOX and tw.focused(a)
                              for a in tw.walk(frame)), 10, "the rubrique list")
    tw.xdotool("key", "Return")  # the rubrique: the objet list, then Enter asks the amount
    tw.wait_until(lambda: any(tw.role(a) == pyatspi.ROLE_TABLE_CELL and a.name.strip() == FIRST_OBJET
                              for a in tw.walk(frame)), 10, "the objet list")
    tw.xdotool("key", "Return")
    box = tw.wait_until(lambda: tw.window_ids("^montant$", yzo.pid), 10, "the amount's input box")
    if not box:
        return
    tw.xdotool("windowfocus", "--sync", box[0])
    tw.xdotool("key", "ctrl+a")
    tw.xdotool("type", AMOUNT)
    tw.xdotool("key", "--delay", "0", "Return", *["BackSpace"] * len(AMOUNT))
    tw.wait_until(lambda: not tw.window_ids("^montant$", yzo.pid), 10, "the amount's input box to close")
    time.sleep(LATE_CLICK_SECONDS)
    tw.pump()
    tw.check(question_shown(frame, NUMBER_QUESTION),
             "Enter did not answer the amount at once: no question %r after it" % NUMBER_QUESTION)
    tw.xdotool("windowfocus", "--sync", frame_id)
    tw.xdotool("key", "Escape")
    tw.wait_until(lambda: tw.focused(ledger), 10, "Escape back to the ledger")


if __name__ == "__main__":
    main()
