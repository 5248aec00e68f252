#!/usr/bin/python3
"""What Orca 43 says of the window, logged by orca/speech_log.py, against
what yzo-script shows for the same keys. MODE script (yzo's Orca script
installed): each message once, in order, with no added words, and in
braille; boxes and lists with their questions. MODE fallback: each message's
text heard at its step. Extra arguments: MODE ORCA_SCRIPT (the script file,
or an installed tree's orca/scripts/apps, given to Orca beside its own)."""
import json
import re

from gui_support import *  # noqa: F401,F403

MODE, ORCA_SCRIPT = sys.argv[5:7]
WITH_SCRIPT = MODE == "script" and not os.environ.get("YZO_ORCA_TEST_WITHOUT_SCRIPT")
HERE = os.path.dirname(os.path.abspath(__file__))
SPEECH_LOG, BRAILLE_LOG = os.path.join(WORK, "speech.jsonl"), os.path.join(WORK, "braille.log")
# The cheque preview's input boxes, "Ordre" and "Fait à", and their answers.
CHEQUE_PROMPTS, CHEQUE_ANSWERS = ("Ordre", "Fait à"), ("DUPONT", "Paris")
# The report's command file, the one the file chooser proposes, and its text.
REPORT_COMMANDS = (os.path.join(WORK, "demo", "courant.txt"), "Rapport\r\nNOM_COMPTE: courant.yzo\r\n")
REPORT_ENTRY = "Visualisation de la comptabilité détaillée"
# A line of the cheque preview as heard: what it holds, then its text.
PREVIEW_LINE = re.compile(r"(montant en chiffres|montant en lettres|suite du montant|ordre|fait à|date)"
                          r"(, (montant en chiffres|fait à|date))* : \S")
CREATION_QUESTION = "Date de création :"


def steps(keys):
    """Steps from "key:look" words (look: what to look for); alt+c is the Création button."""
    words = [word.partition(":") for word in keys.split()]
    return [(key, "click CmdCreation" if key == "alt+c" else "key " + script_key(key), look) for key, _, look in words]


# (what the window gets, what yzo-script runs, what to look for). The
# window's keys are xdotool's; "dialog" waits for the input box and gives it
# the keyboard, as a window manager would.
STEPS = (
    # Shift+Down selects the line it leaves and says so, then the new line.
    steps("Down:caret s ctrl+Home Down:caret shift+Down:after F9 Escape")
    + [("ctrl+n", "answer yes\nkey ctrl+N", "msgbox")]
    # The traites and pensions: their first line once, the ledger not read
    # whole; Down on the last line: a beep and its word.
    + steps("F6 ctrl+t Escape ctrl+End Down alt+c:question Return:list")
    # The type-ahead says the rubrique each letter reaches, once, also when
    # the selection comes back to the row it started on; "E" finds "Eau",
    # then "EL" "Électricité". Home then Down: the second "Autre" of the
    # rubriques (Home stops at the first choice), which asks for the name as
    # the first does.
    + steps("a:typeahead l:typeahead x e:typeahead l:typeahead Home:item Down:item")
    + [("Return", 'answer ""\nkey Enter', "dialog")]
    # The manual sum and the cursor search: their messages as any other. A
    # search from the rubrique under the caret, its value chosen by
    # type-ahead: the line found is said once.
    + steps("Escape:ledger shift+Return z ctrl+F3 ctrl+Home Down:caret r F3:list l:typeahead o:typeahead "
            "y:typeahead Return:ledger")
    # A cheque: the objet box, the amount's input box answered, then the
    # numéro box that the focus brings back: each box's question and value
    # once; the new line once.
    + steps("alt+c:question Return:list c:typeahead h:typeahead Return:box p")
    + [("Return", 'answer "12,5"\nkey Enter', "answer")] + steps("Return")
    # Its preview (Alt+V, the ordre and the place answered): each line heard
    # as what it holds, its blank lines as nothing.
    + [("alt+v", 'answer "%s"\nanswer "%s"\nclick CmdYzo' % CHEQUE_ANSWERS, "cheque")]
    + steps("Down:preview " * 12 + "Escape")
    # The accounting report, from its menu entry (it has no key) on a command
    # file, for all dates: its rule is not heard as "80 dash characters".
    + [("report", 'answer file "%s"\nanswer no\nmenu MnuComptaDetailItem' % REPORT_COMMANDS[0], "report")]
    + steps("Down:rule " * 5 + "Escape"))
# The statement the import reads, typed into the file chooser.
STATEMENT = os.path.join(HERE, "..", "scenarios", "data", "releves", "checking.ofx")
CHOOSER_SAID = []  # (first, end) of what Orca said in each file chooser
# The choice lists, heard after STEPS on a new copy of the demo. "SA" is the
# rubrique Salaire, which has its list of objets; "dialogs" answers each input
# box of LIST_PROMPTS with Enter; then the rubriques of the traites and
# pensions, and the search criteria, a list of check boxes where Enter ticks a row.
LIST_STEPS = (steps("alt+c Return:list s a Return:list Escape:ledger")
              + [("ctrl+shift+F9", 'answer "COURANT"\nanswer ""\nkey ctrl+shift+F9', "dialogs")]
              + steps("Return:list Escape:ledger ctrl+t alt+c Return:list Escape:ledger "
                      "ctrl+r:checklist Down Return:ticked Escape:ledger")
              # A bank statement's review: a list of check boxes where Space unticks a row.
              + [("ctrl+shift+i", 'answer file "%s"\nkey ctrl+shift+I' % STATEMENT, "statement")]
              + steps("Down space:ticked Escape:ledger"))
LIST_PROMPTS = ["titre", "date de début du calcul des soldes"]
# The steps whose list is the list of check boxes.
CHECKLIST_LOOKS = ("checklist", "ticked", "statement")
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


# --- What the program sets, through yzo-script -------------------------------

def script_run(folder, steps, first=0):
    """yzo-script's record of each step from number first (0: the launch)."""
    lines = ['start "%s"' % os.path.join(folder, ACCOUNT), "show txt"]
    for _, command, look in steps:
        shown = "ListeRec" if look in CHECKLIST_LOOKS else "Liste"
        lines += [command, "show txt", "show " + shown, "show LblDial", "show txtDial"]
    return split_steps(yzo_script(folder, lines, "--echo"))[first:]


def split_steps(transcript):
    """One record per step: a step's first command, echoed after its "show"s, begins it."""
    steps, record = [], None
    for line in transcript.split("\n"):
        if record is None or line.startswith("$ ") and not line.startswith("$ show ") and record["caret"] is not None:
            record = dict(messages=[], text=[], caret=None, items=[], selected=None, prompt=None, question=None,
                          box=None)
            steps.append(record)
        if line.startswith("message: "):
            record["messages"].append(line[len("message: "):])
        elif line.startswith("input: "):
            record["prompt"] = line[len("input: "):].split(" [")[0]
        elif line.startswith("msgbox: "):
            record["question"] = line[len("msgbox: "):].rsplit(" [", 1)[0]
        elif line.startswith("  | "):
            record["text"].append(line[4:])
        elif line.startswith(("  LblDial ", "  txtDial ")) and line.endswith(" visible enabled"):
            # The box of the dialog area: its question and its value.
            record["box"] = (record["box"] or ()) + (line.split('"')[1].strip(),)
        elif line.startswith("  caret: "):
            record["caret"] = int(line.split()[1])
        elif item := LIST_ITEM.match(line):
            record["items"].append(item.group(4))
            if item.group(2):
                record["selected"] = item.group(4).strip()  # as a screen reader says it
    return steps


def copy_demo(folder):
    """A copy of the demo whose yzo.INI names a new cheque parameter file, and the report's command file."""
    account = fresh_account(folder)
    folder = os.path.dirname(account)
    yzo_script(folder, ['start "%s"' % account, 'answer file "%s"' % os.path.join(folder, "cheque.PRM"),
                        "menu mnuParametreCheque", "click CmdYzo", "click CmdQuitter"])
    with open(os.path.join(folder, os.path.basename(REPORT_COMMANDS[0])), "w", newline="") as f:
        f.write(REPORT_COMMANDS[1])
    return folder


# --- Orca and what it said ---------------------------------------------------

def start_orca():
    """Orca on its preferences, its speech logged; with or without yzo's script."""
    prefs = os.path.join(os.environ["XDG_DATA_HOME"], "orca")
    scripts = os.path.join(prefs, "orca-scripts")
    os.makedirs(scripts, exist_ok=True)
    shutil.copy(os.path.join(HERE, "orca", "speech_log.py"), prefs)
    open(os.path.join(scripts, "__init__.py"), "w").close()
    # A script file goes where a user copies it; an installed tree is given to Orca beside its own.
    env = dict(os.environ, YZO_SPEECH_LOG=SPEECH_LOG, YZO_BRAILLE_LOG=BRAILLE_LOG)
    if not WITH_SCRIPT:
        env["YZO_ORCA_WITHOUT_APP_SCRIPT"] = "1"  # not even one a package installed
    elif os.path.isdir(ORCA_SCRIPT):
        env["YZO_ORCA_APPS"] = ORCA_SCRIPT
    else:
        shutil.copy(ORCA_SCRIPT, os.path.join(scripts, "yzo.py"))
    general = {"speechServerFactory": "speech_log", "speechServerInfo": None, "enableSpeech": True,
               "enableBraille": False, "enableBrailleMonitor": True, "enableFlashMessages": True, "enableSound": False,
               "enableKeyEcho": False, "enableEchoByCharacter": False, "enableEchoByWord": False,
               "firstStart": False, "startingProfile": ["Default", "default"],
               "activeProfile": ["Default", "default"]}
    with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
        json.dump({"general": general, "profiles": {"default": dict(general, profile=["Default", "default"])},
                   "pronunciations": {}, "keybindings": {}}, f)
    return subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "orca", "run_orca.py")], env=env,
                            stdout=open(os.path.join(WORK, "orca.out"), "w"), stderr=subprocess.STDOUT)


def spoken():
    return [json.loads(line) for line in lines_of(SPEECH_LOG) if line.strip()]


def said(entries):
    return [e["text"].strip() for e in entries if e["what"] == "speak"]


def said_since(start):  # what Orca said since entry number start
    return said(spoken()[start:])


def settle(start, quiet=0.8, limit=10):
    """The entries since number start, once Orca has been silent a while."""
    deadline = time.monotonic() + limit
    count, since = len(spoken()), time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.05)
        n = len(spoken())
        if n != count:
            count, since = n, time.monotonic()
        elif time.monotonic() - since >= quiet:
            break
    return spoken()[start:]


def texts_of(messages):
    return [m.strip() for m in messages if m.strip()]


def spoken_form(text):
    """A text as heard: blank runs as one, without the stop Orca adds."""
    return " ".join(text.split()).rstrip(".")


def normalized(text):
    return re.sub(r"\s+", " ", text).strip()


# --- The window's dialogs ------------------------------------------------------

def focus_frame(yzo):  # as a desktop does when a dialog closes
    frame = window_ids("^" + ACCOUNT + "$", yzo.pid)
    if frame:
        xdotool("windowfocus", "--sync", frame[0])


def open_report(yzo):
    """The menu entry clicked through AT-SPI; the file proposed; "Non" to a range of dates."""
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == yzo.pid)
    entry = pyatspi.findDescendant(app, lambda x: x.name == REPORT_ENTRY and x.getRole() == pyatspi.ROLE_MENU_ITEM)
    entry.queryAction().doAction(0)
    for name, key in (("Ouvrir", "Return"), ("yzo", "alt+n")):
        # The window is ready when Orca has said it.
        if not answer_window(name, yzo.pid, lambda: settle(len(spoken())), ("key", key)):
            return
    focus_frame(yzo)


def choose_file(yzo, path):
    """The file chooser given a path typed in its location box; what was said
    before it closed (the toolkit's words), or None when it did not close."""
    first = len(spoken())
    # The chooser is ready when Orca has said it.
    if answer_window("Ouvrir", yzo.pid, lambda: settle(first), ("key", "ctrl+l"), lambda: settle(len(spoken())),
                     ("type", "--delay", "20", os.path.abspath(path)),
                     lambda: CHOOSER_SAID.append((first, len(settle(0)))), ("key", "Return"),
                     back=lambda: focus_frame(yzo)):
        return CHOOSER_SAID[-1][1]
    return None


def hearing(text, start=0):
    """A wait for Orca to say text (since its entry number start)."""
    return lambda: wait_until(lambda: any(text in w for w in said_since(start)), 15, "%r to be said" % text)


# --- The checks --------------------------------------------------------------

def check_messages(step, utterances, messages):
    words = said(utterances)
    # A message that is a list's row may be heard as that row, once.
    wanted = [spoken_form(m) for m in texts_of(messages)]
    if MODE == "fallback":
        heard = spoken_form(" ".join(words))
        for m in wanted:
            check(m in heard, "%s: the message %r was not heard in %r" % (step, m, words))
        return
    for w in words:
        check("notification" not in w and w != "Message.", "%s: added words %r" % (step, w))
        # The ledger's text, rewritten by the program, is never read whole.
        check("\n" not in w, "%s: a whole text was read: %r" % (step, w))
    got = [spoken_form(w) for w in words if spoken_form(w) in wanted]
    check(got == wanted, "%s: messages said %r, the program set %r (all said: %r)" % (step, got, wanted, words))


def check_braille(steps):
    """Each message Orca spoke reached the braille display too (Orca shows it
    there only when the script presents it as a message, not by speech alone)."""
    heard = {spoken_form(w) for w in said(spoken())}
    messages = [spoken_form(m) for step in steps for m in texts_of(step["messages"])]
    prefix = "BRAILLE LINE:  '"  # how Orca's braille module logs a line
    shown = [spoken_form(line[len(prefix):].rstrip("\n").rstrip("'")) for line in lines_of(BRAILLE_LOG)
             if line.startswith(prefix)]
    check(any(m in heard for m in messages), "braille: no message of the session was spoken")
    for m in messages:
        if m in heard:
            check(any(m in line for line in shown), "braille: the message %r was not shown in braille" % m)
    print("braille: %d spoken message(s) checked against %d braille line(s)"
          % (sum(m in heard for m in messages), len(shown)), flush=True)


def check_view_line(step, record, words, named):
    """A rule, or a blank line of the preview, is not heard ("80 dash
    characters", "blank"); a preview line is heard as what it holds, then its text."""
    line = spoken_form(record["text"][record["caret"] - 1])
    heard = [spoken_form(w) for w in words if spoken_form(w)]
    if (line and not line.strip("-")) or (named and not line):
        check(not heard, "%s: the blank line or rule %r was said as %r" % (step, line, words))
    elif named:
        check(any(PREVIEW_LINE.match(w) and w.endswith(line) for w in heard),
              "%s: the preview's line %r was said as %r" % (step, line, words))


def check_script_step(name, look, words, step, before, line):  # with the script
    heard = [spoken_form(w) for w in words]
    if look == "caret":
        check(line in words, "%s: the new line %r was not said: %r" % (name, line, words))
    elif look == "list":
        check(step["selected"] in " ".join(words),
              "%s: the list was said as %r, its item is %r" % (name, words, step["selected"]))
    elif look == "after":
        # The messages first, the line the caret reached after them, once.
        said_line = spoken_form(line)
        wanted = [spoken_form(m) for m in texts_of(step["messages"])]
        check(heard.count(said_line) == 1
              and all(m in heard and heard.index(m) < heard.index(said_line) for m in wanted),
              "%s: said %r; the messages %r come before the line %r" % (name, words, wanted, line))
    elif look in ("box", "answer"):
        # The box's question and the value the program put there, each once.
        for part in filter(None, step["box"] or ()):
            count = sum(spoken_form(part) in w for w in heard)
            check(count == 1, "%s: %r was said %d times: %r" % (name, part, count, words))
    elif look == "typeahead":
        # The row the letter reached is the one the program selected.
        check(step["selected"] is not None and spoken_form(step["selected"]) in heard,
              "%s: said %r, the selected item is %r" % (name, words, step["selected"]))
    elif look == "item":
        # The item said is the one the program has selected: Enter chooses it.
        check(any(step["selected"] in w for w in words) and step["selected"] != before["selected"],
              "%s: said %r, the selected item is %r" % (name, words, step["selected"]))
    elif look == "dialog":
        check(any(step["prompt"] in w for w in words),
              "%s: the input box was said as %r, its question is %r" % (name, words, step["prompt"]))
    elif look == "ledger":
        # Back in the ledger: its line is said by the focus, and the message
        # that says it again is not.
        check(words.count(line) == 1, "%s: the ledger line %r was said %d times: %r"
              % (name, line, words.count(line), words))


def check_list(name, words, record, checklist):
    """The list's question is said, then its selected item; a list of check boxes
    says its question first, and a size said counts its choices only."""
    question, item = normalized(record["items"][0]), normalized(record["selected"] or "")
    heard = [normalized(w) for w in words]
    said_question = [i for i, w in enumerate(heard) if question in w]
    said_item = [i for i, w in enumerate(heard) if item and item in w]
    check(said_question and said_item and said_question[0] <= said_item[-1],
          "%s: the list was not announced with its question %r before %r: %r" % (name, question, item, words))
    if not checklist:
        return
    check(said_question[:1] == [0], "%s: the list was not announced first with its question %r: %r"
          % (name, question, words))
    for w in words:
        size = CHECKLIST_SIZE.match(w)
        if size:
            check(int(size.group(1)) == len(record["items"]) - 1,
                  "%s: %r, the list has %d choices" % (name, w, len(record["items"]) - 1))


def check_no_extra_words(name, words):
    extras = EXTRA_WORDS + (EXTRA_WORDS_WITH_SCRIPT if MODE == "script" else [])
    for w in words:
        if MODE != "script" and TABLE_SIZE.match(w):
            continue
        for extra in extras:
            check(extra not in " %s " % w, "%s: extra words %r in %r" % (name, extra, w))


# --- The session ---------------------------------------------------------------

def main():
    folder = copy_demo("demo")
    steps = script_run(folder, STEPS)
    if len(steps) != len(STEPS) + 1:
        raise SystemExit("yzo-script gave %d steps for %d" % (len(steps), len(STEPS) + 1))
    copy_demo("demo")
    orca, yzo = start_orca(), None
    try:
        if not wait_until(lambda: "Screen reader on." in said(spoken()), 60, "Orca to start"):
            print("".join(lines_of(os.path.join(WORK, "orca.out"))))
            raise SystemExit("FAIL: Orca did not start")  # a test that did not run has not passed
        start = len(spoken())
        yzo = start_yzo(os.path.join(folder, ACCOUNT), extra_env={"YZO_TRACE_KEYS": "1"}, cwd=folder,
                        stderr=open(os.path.join(WORK, "yzo-stderr.txt"), "w"))
        run_steps(yzo, steps, start)
        # The lists' steps, checked against a run of all steps on a new copy.
        run_list_steps(yzo, script_run(copy_demo("demo-lists"), STEPS + LIST_STEPS, len(STEPS)))
        if MODE == "script":
            check_braille(steps)
    finally:
        stop(yzo)
        stop(orca)
    print("Orca said:")
    for e in spoken():
        print("   ", e["what"], repr(e["text"]), "" if e.get("interrupt", True) else "(queued)")
    if failures:
        print("yzo's keys:\n" + "".join(lines_of(os.path.join(WORK, "yzo-stderr.txt"))))
    report("orca test (%s)" % MODE)


def run_steps(yzo, steps, start):
    last = texts_of(steps[0]["messages"])[-1]
    if not wait_until(lambda: any(last in w for w in said_since(start)), 40, "the launch messages to be spoken"):
        return
    check_messages("launch", settle(start), steps[0]["messages"])
    # No window manager: the pointer is moved away and the frame is given
    # the keyboard, as a desktop would.
    xdotool("mousemove", "1279", "1023")
    if not focus_window("^" + ACCOUNT, yzo.pid, 20):
        return
    settle(len(spoken()))

    for (key, command, look), before, step in zip(STEPS, steps, steps[1:]):
        name = "key %s" % key
        start = len(spoken())
        if look == "report":
            open_report(yzo)
        else:
            xdotool("key", key)
        if look == "msgbox":  # Enter, once the question is heard, answers the default button, Oui
            answer_window("yzo", yzo.pid, hearing(step["question"], start), ("key", "Return"),
                          back=lambda: focus_window("^sanstitre.yzo$", yzo.pid, 15))
        answers = [(step["prompt"], command.split('"')[1])] if look == "answer" else \
            zip(CHEQUE_PROMPTS, CHEQUE_ANSWERS) if look == "cheque" else ()
        for prompt, answer in answers:
            answer_window(prompt, yzo.pid, ("type", "--delay", "60", answer), ("key", "Return"),
                          back=lambda: focus_frame(yzo))
        if look == "dialog" and not focus_window("^" + step["prompt"] + "$", yzo.pid, 15):
            return
        # What this step must make Orca say, waited for before the silence
        # that ends the step: a loaded machine may take seconds to say it.
        awaited = texts_of(step["messages"])[-1:]
        line = step["text"][(step["caret"] or 1) - 1].strip()
        if MODE == "script":
            awaited += {"caret": [line], "ledger": [line], "after": [line], "list": [step["selected"]],
                        "item": [step["selected"]], "dialog": [step["prompt"]], "box": list(step["box"] or ())[:1],
                        "answer": list(step["box"] or ())[:1]}.get(look, [])
        if look == "question":
            awaited.append(CREATION_QUESTION)
        for text in map(spoken_form, awaited):
            wait_until(lambda: text in spoken_form(" ".join(said_since(start))), 20, "%s to say %r" % (name, text))
        utterances = settle(start)
        words = said(utterances)
        check_messages(name, utterances, step["messages"])
        if look == "dialog":
            # Escape cancels the box; the program goes on in the window.
            cancel_start = len(spoken())
            if answer_window(step["prompt"], yzo.pid, ("key", "Escape"), focus=False, back=lambda: focus_frame(yzo)):
                settle(cancel_start)
        if MODE == "fallback":  # no name said in place of a text
            check("Message." not in words and "Question." not in words, "%s: a name hides a text: %r" % (name, words))
        if look == "question":
            # The creation box: its question (an utterance of its own with the script) and its
            # date. Without the script Orca 43 says the date first (the box's selection, which
            # GTK sends before the focus), then the question (the box's new description).
            joined = " ".join(words)
            check(CREATION_QUESTION in (words if MODE == "script" else joined) and "28 12 2026" in joined,
                  "%s: the creation box was said as %r, its question is %r" % (name, words, CREATION_QUESTION))
        if look in ("preview", "rule"):
            check_view_line(name, step, words, look == "preview")
        if MODE == "script":
            check_script_step(name, look, words, step, before, line)


def run_list_steps(yzo, records):
    for (key, _, look), record in zip(LIST_STEPS, records[1:]):
        name = "list step %s" % key
        start = len(spoken())
        xdotool("key", key)
        if look == "dialogs":  # each input box in turn: focused, heard, answered by Enter
            if not all(answer_window(prompt, yzo.pid, hearing(prompt), ("key", "Return")) for prompt in LIST_PROMPTS):
                return
            focus_frame(yzo)
        if look == "statement":
            start = choose_file(yzo, STATEMENT)  # what the file chooser says is the toolkit's
            if start is None:
                return
        if look in ("list", "checklist", "statement") or (look == "dialogs" and record["selected"]):
            item = normalized(record["selected"] or "")
            wait_until(lambda: item in normalized(" ".join(said_since(start))), 20, "%s to say %r" % (name, item))
        words = said(settle(start))
        print("%s: %r" % (name, words), flush=True)
        check_no_extra_words(name, words)
        # Without the script the list that follows a dialog is said as
        # Orca's default finds it: when the dialog's box is gone before the
        # list has the focus, Orca has no previous focus to say the list's
        # name against.
        if look == "list" or (look == "dialogs" and MODE == "script"):
            check_list(name, words, record, False)
        if look in ("checklist", "statement"):
            # Without the script Orca says the window again when the file chooser gives it back.
            back = look == "statement" and MODE == "fallback" and words and FRAME.search(words[0])
            check_list(name, words[1:] if back else words, record, True)
        if look == "ticked":
            # The row Enter ticks is the one the program ticks: it says so.
            for m in texts_of(record["messages"]):
                check(m in " ".join(words), "%s: the message %r was not heard in %r" % (name, m, words))
            check(texts_of(record["messages"]), "%s: the program ticked nothing" % name)
    # The file chooser's own words are the toolkit's.
    words = said([u for i, u in enumerate(spoken()) if not any(a <= i < b for a, b in CHOOSER_SAID)])
    check_no_extra_words("the session", words)
    if MODE == "script":
        frames = [w for w in words if FRAME.search(w)]
        check(len(frames) <= 1, "the window was said again: %r" % frames)


if __name__ == "__main__":
    main()
