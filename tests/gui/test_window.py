#!/usr/bin/python3
"""The window as a screen-reader user meets it, read through AT-SPI as Orca
reads it. Every key of STEPS also runs through yzo-script on the same
account: after each key the window shows the same ledger text and caret and
has said the same messages, in the same order."""
from gui_support import *  # noqa: F401,F403  (the arguments, the helpers)

# xdotool's keys, pressed in this order in the ledger.
STEPS = "Down Down Up Escape End Home m s F5 Escape shift+m Escape".split()
# Keys pressed while a button has the focus (where the program ignores them),
# on the X server's US keyboard: the key code and character the program
# receives. A key is known by the character it types: "/" and "*" (Shift+8)
# are 191 and 220, the keys that carry ":/" and "*" on a French keyboard;
# "\\" and "&" (Shift+7) have no code; the numeric pad has its own codes.
KEYS_ON_BUTTON = [("ampersand", 0, True, ord("&")), ("shift+8", 220, True, ord("*")), ("a", 65, False, ord("a")),
                  ("shift+a", 65, True, ord("A")), ("slash", 191, False, ord("/")),
                  ("backslash", 0, False, ord("\\")), ("KP_Divide", 111, False, ord("/")),
                  ("KP_Multiply", 106, False, ord("*"))]


def script_run(account):
    """Per step (the launch first): the messages so far, the ledger text and
    the caret; and the messages of the whole run."""
    lines = ['start "%s"' % account, "show txt"] + [l for key in STEPS for l in ("key " + script_key(key), "show txt")]
    shows, messages = script_shows(os.path.dirname(account), lines + ["click CmdQuitter"])
    carets = [[int(n) for n in l.split()[1:]] for _, printed in shows for l in printed if l.startswith("  caret: ")]
    return [(said, ledger_text(printed), tuple(caret)) for (said, printed), caret in zip(shows, carets)], messages


def main():
    snapshots, script_messages = script_run(fresh_account())
    heard, trace_path = Heard(), os.path.join(WORK, "yzo-stderr.txt")
    with open(trace_path, "w") as trace:
        window_test("window", lambda yzo: run_window(yzo, heard, snapshots, script_messages, trace_path),
                    extra_env={"YZO_TRACE_KEYS": "1"}, stderr=trace)


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
    def same_as(snapshot):  # (messages, ledger text, caret)
        return (heard.label,) + caret_of(ledger) == snapshot

    def show_difference(snapshot, step):
        for what, got, want in zip(("messages", "ledger text", "caret at line, column"),
                                   (heard.label,) + caret_of(ledger), snapshot):
            check(got == want, "%s: %s %r, yzo-script has %r" % (step, what, got, want))

    if not wait_until(lambda: same_as(snapshots[0]), 10, "the launch to match yzo-script"):
        show_difference(snapshots[0], "launch")
    check(snapshots[0][0], "the launch spoke no message")

    focus_main_window(yzo)

    for i, xkey in enumerate(STEPS, start=1):
        skey = script_key(xkey)
        _, before = caret_of(ledger)
        heard_before = len(heard.label)
        if not press(xkey, lambda: same_as(snapshots[i]), "key %s to match yzo-script" % skey):
            show_difference(snapshots[i], "key " + skey)
            break
        whole, after = caret_of(ledger)
        # What holds whatever the ledger does with these keys: Down and Up move one line, within the text.
        move = {"Down": 1, "Up": -1}.get(skey)
        if move and 1 <= before[0] + move <= whole.count("\n") + 1:
            check(after[0] == before[0] + move, "%s moved the caret from line %d to %d" % (skey, before[0], after[0]))
        if skey == "Escape":
            check(len(heard.label) > heard_before, "Escape said nothing")
            check(heard.label and heard.label[-1].strip() == line_at(whole, after[0]).strip(),
                  "Escape said %r, the caret line is %r" % (heard.label[-1:], line_at(whole, after[0])))

    # The label keeps the last message; the notification reappeared once for
    # every message, named by it; each was announced too.
    check(text_of(label) == (heard.label[-1] if heard.label else ""), "the label does not hold the last message")
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
    first = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Visu.Chèque")
    press("Tab", lambda: focused(first), "Tab to reach the first button", 5)
    traced_before = len(lines_of(trace_path))
    xdotool("key", *[k[0] for k in KEYS_ON_BUTTON])
    expected = ["key %d shift=%d ctrl=0 char=%d control=CmdYzo" % (code, shift, char)
                for _, code, shift, char in KEYS_ON_BUTTON]

    def traced():
        seen = [l.rstrip("\n") for l in lines_of(trace_path)[traced_before:] if l.startswith("key ")
                and "control=CmdYzo" in l and not l.startswith(("key 16 ", "key 17 "))]  # Shift and Ctrl themselves
        return seen if len(seen) >= len(expected) else None

    seen = wait_until(traced, 10, "the keys to reach the program") or []
    for keysym, want, got in zip([k[0] for k in KEYS_ON_BUTTON], expected, seen):
        check(want == got, "key %s: expected %r, got %r" % (keysym, want, got))

    # Quitter closes the window and ends the program; it said what
    # yzo-script said, in the same order.
    if not quit_program(frame, yzo):
        print("".join(lines_of(trace_path)))
    check(heard.label == script_messages, "the window said %r, yzo-script said %r" % (heard.label, script_messages))


def leave_menu(frame, ledger, heard):
    """F10 opens the menu bar's first menu; Down moves in the menu, not in the
    ledger; Escape leaves it and the ledger has the keys again."""
    _, where = caret_of(ledger)
    said_before = len(heard.label)
    fichier = find(frame, pyatspi.ROLE_MENU, "Fichier")
    if not press("F10", lambda: states(fichier).contains(pyatspi.STATE_SELECTED), "F10 to open Fichier"):
        return
    press("Down", lambda: any(states(item).contains(pyatspi.STATE_SELECTED) for item in walk(fichier)
                              if role(item) == pyatspi.ROLE_MENU_ITEM), "Down to reach an entry of Fichier")
    press("Escape", lambda: not states(fichier).contains(pyatspi.STATE_SELECTED) and focused(ledger),
          "Escape to leave the menu")
    check(caret_of(ledger)[1] == where, "the menu keys moved the ledger's caret from %r to %r"
          % (where, caret_of(ledger)[1]))
    check(len(heard.label) == said_before, "the menu keys reached the ledger: %r" % heard.label[said_before:])
    check(press("Down", lambda: caret_of(ledger)[1] != where, "Down in the ledger after the menu"),
          "the ledger does not have the keys after the menu")
    press("Up", lambda: caret_of(ledger)[1] == where, "Up back to the line before")


def tab_round(frame, ledger):
    """Tab goes from the ledger through the four buttons and back; the
    status area is no stop."""
    order = ["Visu.Chèque", "Création", "Modif. Ligne", "Quitter", "Opérations"]
    for name in order:
        if not press("Tab", lambda: focused_in(frame) is not None and focused_in(frame).name == name,
                     "Tab to reach " + name):
            stop = focused_in(frame)
            fail("Tab reached %r (%s) instead of %s" % (stop and stop.name, stop and stop.getRoleName(), name))
            return
    check(focused(ledger), "Tab round did not come back to the ledger")


if __name__ == "__main__":
    main()
