#!/usr/bin/python3
"""Buttons and input boxes answer as the key goes down: GTK's button, activated
by a key, clicks on its release or a quarter of a second later, after the
keys that follow. Each case sends its keys in one burst: Alt+C then Escape
leaves the creation it opened; Enter in the amount's box then Backspaces
answers the amount (with the wait, the Backspaces emptied the box: a cancel)."""
from gui_support import *  # noqa: F401,F403

# Longer than GTK's wait for a key's release: what a late click would do has happened by then.
LATE_CLICK_SECONDS = 1
AMOUNT = "12,50"
NUMBER_QUESTION = "numéro :"
FIRST_OBJET = "BOULANGERIE"  # an objet of the rubrique offered first, in the demo's lists


def script_question(account):
    """The question yzo-script asks after the amount of the first objet."""
    script = ['start "%s"' % account, "click CmdCreation", "key Enter", "key Enter", 'answer "%s"' % AMOUNT,
              "key Enter", "show LblDial"]
    shown = [l for l in yzo_script(os.path.dirname(account), script).split("\n") if l.startswith("  LblDial ")]
    return shown[0].split('"')[1].strip() if shown else None


def main():
    account = fresh_account()
    if script_question(account) != NUMBER_QUESTION:
        raise SystemExit("yzo-script does not ask %r after the amount" % NUMBER_QUESTION)
    account = fresh_account()
    yzo = start_yzo(account)
    run_and_report(yzo, lambda: run_window(yzo), "key press")


def question_shown(frame, text):
    """A label of the window shows this text."""
    return any(role(a) == pyatspi.ROLE_LABEL and showing(a) and text_of(a).strip() == text for a in walk(frame))


def run_window(yzo):
    # The pointer is moved away once the window is there.
    if not wait_for_window(yzo)[0]:
        return
    xdotool("mousemove", "1279", "1023")
    opened = open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, frame_id = opened
    date = find(frame, pyatspi.ROLE_TEXT, "Date")
    if not check(date, "no date box named Date"):
        return

    # Alt+C and Escape at once: the creation opened and left.
    xdotool("key", "--delay", "0", "alt+c", "Escape")
    wait_until(lambda: focused(ledger) and not showing(date), 10, "the ledger back after Alt+C and Escape")
    time.sleep(LATE_CLICK_SECONDS)
    pump()
    check(focused(ledger) and not showing(date), "Alt+C opened the creation after the Escape that followed it")

    # The amount answered by Enter, Backspaces right behind it.
    xdotool("key", "alt+c")
    if not wait_until(lambda: focused(date), 10, "the creation's date box"):
        return
    xdotool("key", "Return")  # the date: the rubrique list
    # The choice list is a list box named by its question.
    wait_until(lambda: any(role(a) == pyatspi.ROLE_LIST_BOX and focused(a)
                           for a in walk(frame)), 10, "the rubrique list")
    xdotool("key", "Return")  # the rubrique: the objet list, then Enter asks the amount
    wait_until(lambda: any(role(a) == pyatspi.ROLE_TABLE_CELL and a.name.strip() == FIRST_OBJET
                           for a in walk(frame)), 10, "the objet list")
    xdotool("key", "Return")
    box = wait_until(lambda: window_ids("^montant$", yzo.pid), 10, "the amount's input box")
    if not box:
        return
    xdotool("windowfocus", "--sync", box[0])
    xdotool("key", "ctrl+a")
    xdotool("type", AMOUNT)
    xdotool("key", "--delay", "0", "Return", *["BackSpace"] * len(AMOUNT))
    wait_until(lambda: not window_ids("^montant$", yzo.pid), 10, "the amount's input box to close")
    time.sleep(LATE_CLICK_SECONDS)
    pump()
    check(question_shown(frame, NUMBER_QUESTION),
          "Enter did not answer the amount at once: no question %r after it" % NUMBER_QUESTION)
    xdotool("windowfocus", "--sync", frame_id)
    xdotool("key", "Escape")
    wait_until(lambda: focused(ledger), 10, "Escape back to the ledger")


if __name__ == "__main__":
    main()
