#!/usr/bin/python3
"""A list screen as a screen-reader user meets it.

Opens the rubrique screen of operations from the "Edition" menu through the
accessibility tree, moves in the list with real keys (arrows, type-ahead,
a letter that matches nothing) and reads, after each key, the selected item
of the list and the status label through AT-SPI. The same keys run through
yzo-script on the same account: the window must select the same items and
say the same messages. Esc then returns to the ledger.

Usage (run_gui_test.sh sets up the display and the buses):
    test_list_screen.py YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_window as tw  # noqa: E402  (the same arguments, the same helpers)
import pyatspi  # noqa: E402

MENU_ENTRY = "Rubriques et objets standards des opérations"
# xdotool's keys, pressed in the list.
STEPS = "Down Down End Up Home l o z s".split()


def script_run(account):
    """The selected item and the messages said so far, after the menu and
    each key; the messages of the whole run; the list's title (its item 0)."""
    lines = ['start "%s"' % account, "menu mnuAfficheRubriqueOperation", "show Liste"]
    for key in STEPS:
        lines += ["key " + tw.script_key(key), "show Liste"]
    lines += ["key Escape", "click CmdQuitter"]
    messages, snapshots, selected, listing, title = [], [], None, False, None
    for line in tw.yzo_script(os.path.dirname(account), lines).split("\n"):
        head = line[2:line.index(":")] if line.startswith("  ") and ":" in line else ""
        is_item = head.rstrip("*x").isdigit()
        if listing and (not is_item or head.rstrip("*x") == "0"):  # a listing ends
            snapshots.append((list(messages), selected))
            listing, selected = False, None
        if line.startswith("message: "):
            messages.append(line[len("message: "):])
        elif is_item:
            listing = True
            if head.rstrip("*x") == "0" and title is None:
                title = line[line.index(":") + 2:]
            if head.endswith("*"):
                selected = line[line.index(":") + 2:]
    return snapshots, messages, title


def selected_text(table):
    """The text of the selected item of a list, as the screen reader finds it."""
    try:
        sel = table.querySelection()
        if sel.nSelectedChildren > 0:
            return sel.getSelectedChild(0).name
    except NotImplementedError:
        pass
    for acc in tw.walk(table):
        if acc is not table and tw.states(acc).contains(pyatspi.STATE_SELECTED) and acc.name:
            return acc.name
    return None


def main():
    snapshots, script_messages, title = script_run(tw.fresh_account())
    account = tw.fresh_account()
    heard = tw.Heard()
    tw.listen(heard)
    yzo = tw.start_yzo(account)
    tw.run_and_report(yzo, lambda: run_window(yzo, heard, snapshots, script_messages, title), "list screen")


def check_title_is_no_row(table, title):
    """The list is named by its title, which is none of its rows."""
    tw.check(table.name == title, "the list is named %r, its title is %r" % (table.name, title))
    rows = [acc.name for acc in tw.walk(table) if acc is not table and acc.name]
    tw.check(rows and title not in rows, "the title %r is a row of the list: %r" % (title, rows[:3]))


def run_window(yzo, heard, snapshots, script_messages, title):
    app, frame = tw.wait_for_window(yzo)
    if not app:
        return
    label = tw.status_label(frame)
    ledger = tw.find(frame, pyatspi.ROLE_TEXT, "Opérations")
    # The list is a list box, named "Liste" until it shows a question.
    table = tw.find(frame, pyatspi.ROLE_LIST_BOX, "Liste")
    if not (tw.check(label, "no status label in the notification") and tw.check(table, "no list box named Liste")):
        return
    tw.wait_until(lambda: heard.label == snapshots[0][0][:len(heard.label)] and heard.label, 10, "the launch messages")

    # The menu entry, found and chosen as the screen reader's user would.
    entry = tw.wait_until(lambda: tw.find(app, pyatspi.ROLE_MENU_ITEM, MENU_ENTRY), 10, "the menu entry " + MENU_ENTRY)
    if not entry:
        return
    entry.queryAction().doAction(0)

    if not tw.wait_until(lambda: tw.showing(table) and selected_text(table) == snapshots[0][1], 10,
                         "the rubrique screen on %r" % snapshots[0][1]):
        print("selected:", selected_text(table))
        return
    tw.check(not tw.showing(ledger), "the ledger is still shown beside the list")
    check_title_is_no_row(table, title)
    # The focus follows the list once the toolkit has handled the show: wait for it.
    tw.check(tw.wait_until(lambda: tw.focused(table), 10,
                           "the focus on the list"), "the list does not have the focus")

    tw.focus_main_window(yzo)
    for i, xkey in enumerate(STEPS, start=1):
        skey = tw.script_key(xkey)
        messages, wanted = snapshots[i]
        tw.xdotool("key", xkey)
        if not tw.wait_until(lambda: selected_text(table) == wanted and heard.label == messages, 10,
                             "key %s to select %r" % (skey, wanted)):
            tw.fail("key %s: selected %r, messages %r; yzo-script: %r, %r"
                    % (skey, selected_text(table), heard.label, wanted, messages))
            return
    tw.check(any(m.strip() == "introuvable" for m in heard.label), "a letter matching nothing did not say introuvable")

    tw.xdotool("key", "Escape")
    tw.wait_until(lambda: tw.showing(ledger) and tw.focused(ledger), 10,
                  "Esc to bring back the ledger")
    tw.check(not tw.showing(table), "the list is still shown after Esc")
    tw.quit_program(frame, yzo)
    tw.check(heard.label == script_messages,
             "the window said %r, yzo-script said %r" % (heard.label, script_messages))


if __name__ == "__main__":
    main()
