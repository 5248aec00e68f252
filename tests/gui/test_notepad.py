#!/usr/bin/python3
"""The notepad opened by its key (Ctrl+Shift+B) on the proposed file holds the
file's lines; a line typed and saved with Ctrl+S is in the file, the previous
text in its own backup; the "Opérations" button brings the ledger back."""
from gui_support import *  # noqa: F401,F403

FIRST = ["Appeler la banque lundi", "Chèque 4713 : garage"]
TYPED = "rendez-vous mardi"


def main():
    account = fresh_account()
    folder = os.path.dirname(account)
    note = os.path.join(folder, "courant.txt")
    with open(note, "wb") as f:
        f.write("\r\n".join(FIRST).encode("cp1252") + b"\r\n")
    yzo = start_yzo(account)
    run_and_report(yzo, lambda: run_window(yzo, note), "notepad")


def run_window(yzo, note):
    opened = open_ledger(yzo)
    if not opened:
        return
    app, frame, ledger, _ = opened
    notepad = find(frame, pyatspi.ROLE_TEXT, "Bloc note")
    if not check(notepad, "no text named Bloc note"):
        return

    # The key opens the file dialog on the proposed name, beside the account.
    xdotool("key", "ctrl+shift+b")
    dialog = wait_until(lambda: find(app, pyatspi.ROLE_FILE_CHOOSER) or find(app, pyatspi.ROLE_DIALOG),
                        15, "the notepad's file dialog")
    if not dialog:
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
    xdotool("key", "ctrl+End")
    xdotool("key", "Return")
    xdotool("type", "--delay", "20", TYPED)
    wanted = "\n".join(FIRST + [TYPED])
    if not wait_until(lambda: text_of(notepad) == wanted, 10, "the typed line read back"):
        print("notepad text: %r" % text_of(notepad))
        return
    xdotool("key", "ctrl+s")

    def saved():
        with open(note, "rb") as f:
            return f.read() == ("\r\n".join(FIRST + [TYPED]) + "\r\n").encode("cp1252")

    check(wait_until(saved, 10, "the notepad written"), "the file does not hold what was read")
    backup = note + ".bak"
    if check(os.path.exists(backup), "no backup of the notepad"):
        with open(backup, "rb") as f:
            check(f.read() == ("\r\n".join(FIRST) + "\r\n").encode("cp1252"),
                  "the backup does not hold the previous text")
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
