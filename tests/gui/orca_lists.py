"""What Orca says of the choice lists, after the steps of test_orca.py.

Each list is to be announced by its question (the title row of the
program's list) before its first item, and the list is no "table with N
rows 1 column"; with yzo's script, a dialog that closes gives the keyboard
back to the window without its frame being said again.

test_orca.py passes itself as `t`: its Orca log, its waits and its checks.
"""
import re
import subprocess

def list_steps(t):
    """(what the window gets, what yzo-script runs, what to look for), as
    test_orca's steps. "SA" is the rubrique Salaire, which has its list of
    objets; "dialogs" waits for each input box, gives it the keyboard and
    answers it with Enter; then the rubriques of the traites and pensions,
    and the search criteria, a list of check boxes where Enter ticks a row."""
    return (t.steps("alt+c Return:list s a Return:list Escape:ledger")
            + [("ctrl+shift+F9", 'answer "COURANT"\nanswer ""\nkey ctrl+shift+F9', "dialogs")]
            + t.steps("Return:list Escape:ledger ctrl+t alt+c Return:list Escape:ledger "
                      "ctrl+r:checklist Down Return:ticked Escape:ledger"))


# The steps whose list is the list of check boxes.
CHECKLIST_LOOKS = ("checklist", "ticked")
# Words that are no question and no answer of the program: a list's size
# (never said), and with yzo's script the window said again when a dialog
# gives the keyboard back, and its count of dialogs.
EXTRA_WORDS = ["table with", " rows "]
EXTRA_WORDS_WITH_SCRIPT = ["unfocused dialog"]
FRAME = re.compile(r"\S+\.yzo frame\b")
# Without the script the list of check boxes is said as the table it is (a
# screen reader reads a table's rows whole, check box and text): its size,
# whose rows are its choices, not its title. So is the file chooser's list.
CHECKLIST_SIZE = re.compile(r"^table with (\d+) rows 2 columns$")
TABLE_SIZE = re.compile(r"^table with \d+ rows \d+ columns$")


def normalized(text):
    return re.sub(r"\s+", " ", text).strip()


def script_records(t, folder):
    """The records of yzo-script for the list steps, run after test_orca's STEPS."""
    lines = ['start "%s"' % (folder + "/" + t.ACCOUNT), "show txt"]
    for _, command, look in t.STEPS + list_steps(t):
        shown = "ListeRec" if look in CHECKLIST_LOOKS else "Liste"
        lines += ["# step", command, "show txt", "show " + shown]
    run = subprocess.run(
        [t.YZO_SCRIPT, "--dossier", folder, "--aujourdhui", t.TODAY, "--heure", t.NOW, "-"],
        input="\n".join(lines) + "\n", capture_output=True, text=True, timeout=60, cwd=folder)
    if run.returncode != 0:
        print(run.stdout, run.stderr)
        raise SystemExit("yzo-script failed on the list steps: exit %d" % run.returncode)
    records = t.split_steps(run.stdout)
    return records[len(t.STEPS):]


def answer_dialogs(t, yzo, prompts):
    """Each input box of the prompts in turn: given the keyboard, answered by
    Enter; then the window takes the keyboard back."""
    for prompt in prompts:
        if not t.focus_window(yzo, "^" + prompt + "$", "the input box " + prompt):
            return False
        t.wait_for(lambda: any(prompt in w for w in t.said(t.spoken())), 15, "the input box %r said" % prompt)
        t.xdotool("key", "Return")
        if not t.wait_for(lambda: not t.windows_of(yzo.pid, "^" + prompt + "$"), 15, "the input box to close"):
            return False
    frame = t.windows_of(yzo.pid, "^" + t.ACCOUNT + "$")
    if frame:
        t.xdotool("windowfocus", "--sync", frame[0])
    return True


def check_list_question(t, name, words, record):
    """The list's question is said, then its selected item; nothing counts its rows."""
    question, item = normalized(record["items"][0]), normalized(record["selected"] or "")
    heard = [normalized(w) for w in words]
    said_question = [i for i, w in enumerate(heard) if question in w]
    said_item = [i for i, w in enumerate(heard) if item and item in w]
    t.check(said_question and said_item and said_question[0] <= said_item[-1],
            "%s: the list was not announced with its question %r before %r: %r" % (name, question, item, words))


def check_checklist(t, name, words, record):
    """The list of check boxes: its question first, its first row's text, and
    without the script its size counts its choices only."""
    question, item = normalized(record["items"][0]), normalized(record["selected"] or "")
    t.check(words and question in normalized(words[0]),
            "%s: the list was not announced first with its question %r: %r" % (name, question, words))
    t.check(any(item in normalized(w) for w in words), "%s: its row %r was not said: %r" % (name, item, words))
    for w in words:
        size = CHECKLIST_SIZE.match(w)
        if size:
            t.check(int(size.group(1)) == len(record["items"]) - 1,
                    "%s: %r, the list has %d choices" % (name, w, len(record["items"]) - 1))


def check_no_extra_words(t, name, words):
    extras = EXTRA_WORDS + (EXTRA_WORDS_WITH_SCRIPT if t.MODE == "script" else [])
    for w in words:
        if t.MODE != "script" and TABLE_SIZE.match(w):
            continue
        for extra in extras:
            t.check(extra not in " %s " % w, "%s: extra words %r in %r" % (name, extra, w))


def check_session(t):
    """With the script, the window is said once, when it first has the
    keyboard; and no list is said with its size in the whole session."""
    words = t.said(t.spoken())
    check_no_extra_words(t, "the session", words)
    if t.MODE == "script":
        frames = [w for w in words if FRAME.search(w)]
        t.check(len(frames) <= 1, "the window was said again: %r" % frames)


def run(t, yzo, folder_for_script):
    records = script_records(t, folder_for_script)
    for (key, _, look), record in zip(list_steps(t), records[1:]):
        name = "list step %s" % key
        start = len(t.spoken())
        t.xdotool("key", key)
        if look == "dialogs":
            prompts = ["titre", "date de début du calcul des soldes"]
            if not answer_dialogs(t, yzo, prompts):
                return
        if look in ("list", "checklist") or (look == "dialogs" and record["selected"]):
            item = normalized(record["selected"] or "")
            t.wait_for(lambda: item in normalized(" ".join(t.said(t.spoken()[start:]))), 20,
                       "%s to say %r" % (name, item))
        words = t.said(t.settle(start))
        print("%s: %r" % (name, words), flush=True)
        check_no_extra_words(t, name, words)
        # Without the script the list that follows a dialog is said as
        # Orca's default finds it: when the dialog's box is gone before
        # the list has the focus, Orca has no previous focus to say the
        # list's name against.
        if look == "list" or (look == "dialogs" and t.MODE == "script"):
            check_list_question(t, name, words, record)
        if look == "checklist":
            check_checklist(t, name, words, record)
        if look == "ticked":
            # The row Enter ticks is the one the program ticks: it says so.
            heard = " ".join(words)
            for m in t.texts_of(record["messages"]):
                t.check(m in heard, "%s: the message %r was not heard in %r" % (name, m, words))
            t.check(t.texts_of(record["messages"]), "%s: the program ticked nothing" % name)
    check_session(t)
