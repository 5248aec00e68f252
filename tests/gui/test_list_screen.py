#!/usr/bin/python3
"""The rubrique screen of operations, opened from the "Edition" menu: after each
key (arrows, type-ahead, a letter that matches nothing) it selects the item
yzo-script selects and says the same messages; Esc returns to the ledger."""
from gui_support import *  # noqa: F401,F403

MENU_ENTRY = "Rubriques et objets standards des opérations"
# xdotool's keys, pressed in the list.
STEPS = "Down Down End Up Home l o z s".split()


def script_run(account):
    """The selected item and the messages said so far, after the menu and
    each key; the messages of the whole run; the list's title (its item 0)."""
    lines = ['start "%s"' % account, "menu mnuAfficheRubriqueOperation", "show Liste"]
    lines += [l for key in STEPS for l in ("key " + script_key(key), "show Liste")] + ["key Escape", "click CmdQuitter"]
    shows, messages = script_shows(os.path.dirname(account), lines)
    return [(said, list_items(printed)[1]) for said, printed in shows], messages, list_items(shows[0][1])[0][0]


def selected_text(table):
    """The text of the selected item of a list, as the screen reader finds it."""
    try:
        sel = table.querySelection()
        if sel.nSelectedChildren > 0:
            return sel.getSelectedChild(0).name
    except NotImplementedError:
        pass
    for acc in walk(table):
        if acc is not table and states(acc).contains(pyatspi.STATE_SELECTED) and acc.name:
            return acc.name
    return None


def main():
    snapshots, script_messages, title = script_run(fresh_account())
    heard = Heard()
    window_test("list screen", lambda yzo: run_window(yzo, heard, snapshots, script_messages, title))


def run_window(yzo, heard, snapshots, script_messages, title):
    app, frame = wait_for_window(yzo)
    if not app:
        return
    label = status_label(frame)
    ledger = find(frame, pyatspi.ROLE_TEXT, "Opérations")
    # The list is a list box, named "Liste" until it shows a question.
    table = find(frame, pyatspi.ROLE_LIST_BOX, "Liste")
    if not (check(label, "no status label in the notification") and check(table, "no list box named Liste")):
        return
    wait_until(lambda: heard.label == snapshots[0][0][:len(heard.label)] and heard.label, 10, "the launch messages")

    # The menu entry, found and chosen as the screen reader's user would.
    entry = wait_until(lambda: find(app, pyatspi.ROLE_MENU_ITEM, MENU_ENTRY), 10, "the menu entry " + MENU_ENTRY)
    if not entry:
        return
    entry.queryAction().doAction(0)

    if not wait_until(lambda: showing(table) and selected_text(table) == snapshots[0][1], 10,
                      "the rubrique screen on %r" % snapshots[0][1]):
        print("selected:", selected_text(table))
        return
    check(not showing(ledger), "the ledger is still shown beside the list")
    # The list is named by its title, which is none of its rows.
    check(table.name == title, "the list is named %r, its title is %r" % (table.name, title))
    rows = [acc.name for acc in walk(table) if acc is not table and acc.name]
    check(rows and title not in rows, "the title %r is a row of the list: %r" % (title, rows[:3]))
    # The focus follows the list once the toolkit has handled the show: wait for it.
    check(wait_until(lambda: focused(table), 10, "the focus on the list"), "the list does not have the focus")

    focus_main_window(yzo)
    for i, xkey in enumerate(STEPS, start=1):
        skey = script_key(xkey)
        messages, wanted = snapshots[i]
        if not press(xkey, lambda: selected_text(table) == wanted and heard.label == messages,
                     "key %s to select %r" % (skey, wanted)):
            fail("key %s: selected %r, messages %r; yzo-script: %r, %r"
                 % (skey, selected_text(table), heard.label, wanted, messages))
            return
    check(any(m.strip() == "introuvable" for m in heard.label), "a letter matching nothing did not say introuvable")

    press("Escape", lambda: showing(ledger) and focused(ledger), "Esc to bring back the ledger")
    check(not showing(table), "the list is still shown after Esc")
    quit_program(frame, yzo)
    check(heard.label == script_messages, "the window said %r, yzo-script said %r" % (heard.label, script_messages))


if __name__ == "__main__":
    main()
