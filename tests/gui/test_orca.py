#!/usr/bin/python3
"""What Orca says of the window.

Orca 43 runs with its own preferences, speaking through a speech server that
logs every utterance (orca/speech_log.py); `yzo` runs on a copy of the demo
account and gets real keys (xdotool); yzo-script runs the same keys first and
gives the messages, ledger lines, list items and prompts of each step.

Modes:
  script    yzo's Orca script is installed: each message is said once, in
            order, with no added words; the ledger is never read whole; boxes
            and lists are presented with their questions; the list item said
            is the one Enter chooses; each message spoken reaches Orca's
            braille output too (the lines its braille module logs).
  fallback  no script: every message's text is still heard at its step, with
            no name in place of a text, and the creation box with its question.
In both, a line of the cheque preview is heard as what it holds ("ordre :
DUPONT"), its blank lines and the report's rule as nothing. The comments of
STEPS and run_steps() say what each step looks for.

Usage (run_orca_test.sh sets up the display and the buses):
    test_orca.py MODE YZO YZO_SCRIPT DEMO_FOLDER WORK_FOLDER ORCA_SCRIPT
ORCA_SCRIPT is the script file, copied into the user's Orca folder, or an
installed tree's orca/scripts/apps, which Orca is given beside its own.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import time

import orca_lists

MODE, YZO, YZO_SCRIPT, DEMO, WORK, ORCA_SCRIPT = sys.argv[1:7]
HERE = os.path.dirname(os.path.abspath(__file__))
TODAY, NOW = "2026-12-28", "10:00:00"
ACCOUNT = "courant.yzo"
SPEECH_LOG = os.path.join(WORK, "speech.jsonl")
BRAILLE_LOG = os.path.join(WORK, "braille.log")

# The cheque preview's input boxes, "Ordre" and "Fait à", and their answers.
CHEQUE_PROMPTS, CHEQUE_ANSWERS = ("Ordre", "Fait à"), ("DUPONT", "Paris")
# The report's command file, the one the file chooser proposes, and its text.
REPORT_COMMANDS = (os.path.join(WORK, "demo", "courant.txt"), "Rapport\r\nNOM_COMPTE: courant.yzo\r\n")
REPORT_ENTRY = "Visualisation de la comptabilité détaillée"
# A line of the cheque preview as heard: what it holds, then its text.
PREVIEW_LINE = re.compile(r"(montant en chiffres|montant en lettres|suite du montant|ordre|fait à|date)"
                          r"(, (montant en chiffres|fait à|date))* : \S")

def script_key(xkey):
    """yzo-script's command for an xdotool key: letters in capitals, Return as Enter."""
    *modifiers, key = xkey.split("+")
    key = "Enter" if key == "Return" else key.upper() if len(key) == 1 else key
    return "key " + "+".join(modifiers + [key])


def steps(keys):
    """Steps from "key:look" words (look is what to look for, none by
    default); alt+c is the Création button."""
    out = []
    for word in keys.split():
        key, _, look = word.partition(":")
        out.append((key, "click CmdCreation" if key == "alt+c" else script_key(key), look))
    return out


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
CREATION_QUESTION = "Date de création :"

failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


def check(condition, text):
    if not condition:
        fail(text)
    return condition


# --- What the program sets, through yzo-script -------------------------------

def script_run(folder):
    """Per step: the messages set, the ledger line under the caret, the
    selected item of Liste and the prompt of an input box."""
    lines = ['start "%s"' % os.path.join(folder, ACCOUNT), "show txt"]
    for _, command, _ in STEPS:
        lines += ["# step", command, "show txt", "show Liste", "show LblDial", "show txtDial"]
    run = subprocess.run(
        [YZO_SCRIPT, "--dossier", folder, "--aujourdhui", TODAY, "--heure", NOW, "-"],
        input="\n".join(lines) + "\n", capture_output=True, text=True, timeout=60, cwd=folder)
    if run.returncode != 0:
        print(run.stdout, run.stderr)
        raise SystemExit("yzo-script failed on the steps: exit %d" % run.returncode)
    return split_steps(run.stdout)


def new_record():
    return {"messages": [], "text": [], "caret": None, "items": [], "selected": None, "prompt": None,
            "question": None, "box": None}


def split_steps(transcript):
    """One record per step (the launch first): what a step prints ends with
    its "show txt" and "show Liste", so the next message, input box or
    ledger line begins the next step."""
    steps, record = [], new_record()
    for line in transcript.split("\n"):
        starts_step = line.startswith(("message: ", "input: ", "msgbox: ", "  | "))
        if starts_step and record["caret"] is not None:
            steps.append(record)
            record = new_record()
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
            value = line.split('"')[1].strip()
            record["box"] = (record["box"] or ()) + (value,)
        elif line.startswith("  caret: "):
            record["caret"] = int(line.split()[1])
        elif line.startswith("  ") and line[2:3].isdigit() and ": " in line:
            tag, item = line[2:].split(": ", 1)
            record["items"].append(item)
            if "*" in tag:
                record["selected"] = item.strip()  # as a screen reader says it
    steps.append(record)
    return steps


# --- Orca ------------------------------------------------------------------

def install_orca_preferences():
    prefs = os.path.join(os.environ["XDG_DATA_HOME"], "orca")
    scripts = os.path.join(prefs, "orca-scripts")
    os.makedirs(scripts, exist_ok=True)
    shutil.copy(os.path.join(HERE, "orca", "speech_log.py"), prefs)
    open(os.path.join(scripts, "__init__.py"), "w").close()
    # An installed tree's Orca package of application scripts is where the
    # package puts the script for every user; a file is copied where a user
    # copies it.
    if MODE == "script" and not os.environ.get("YZO_ORCA_TEST_WITHOUT_SCRIPT") and not os.path.isdir(ORCA_SCRIPT):
        shutil.copy(ORCA_SCRIPT, os.path.join(scripts, "yzo.py"))
    general = {"speechServerFactory": "speech_log", "speechServerInfo": None, "enableSpeech": True,
               "enableBraille": False, "enableBrailleMonitor": True, "enableFlashMessages": True, "enableSound": False,
               "enableKeyEcho": False, "enableEchoByCharacter": False, "enableEchoByWord": False,
               "firstStart": False, "startingProfile": ["Default", "default"],
               "activeProfile": ["Default", "default"]}
    profile = dict(general, profile=["Default", "default"])
    with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
        json.dump({"general": general, "profiles": {"default": profile}, "pronunciations": {},
                   "keybindings": {}}, f)


def spoken():
    try:
        with open(SPEECH_LOG, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]
    except FileNotFoundError:
        return []


def said(entries):
    return [e["text"].strip() for e in entries if e["what"] == "speak"]


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    fail("timed out after %d s waiting for %s" % (seconds, what))
    return None


def settle(start, quiet=0.8, limit=10):
    """What Orca said since entry number start, once it has been silent a while."""
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


def xdotool(*args):
    return subprocess.run(["xdotool"] + list(args), capture_output=True, text=True, timeout=30).stdout


def windows_of(pid, name):
    """The X ids of pid's shown windows whose name matches."""
    return xdotool("search", "--all", "--onlyvisible", "--pid", str(pid), "--name", name).split()


def focus_window(yzo, name, what, seconds=15):
    """Waits for yzo's window whose name matches and gives it the keyboard,
    as a desktop would; its ids, none after the wait."""
    ids = wait_for(lambda: windows_of(yzo.pid, name), seconds, what)
    if ids:
        xdotool("windowfocus", "--sync", ids[0])
    return ids


# --- The checks --------------------------------------------------------------

def texts_of(messages):
    return [m.strip() for m in messages if m.strip()]


def spoken_form(text):
    """A text as heard: blank runs as one, without the stop Orca adds."""
    return " ".join(text.split()).rstrip(".")


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


def braille_lines():
    """The lines Orca has put on its braille display so far."""
    prefix = "BRAILLE LINE:  '"
    try:
        with open(BRAILLE_LOG, encoding="utf-8") as f:
            return [line[len(prefix):].rstrip("\n").rstrip("'") for line in f if line.startswith(prefix)]
    except FileNotFoundError:
        return []


def check_braille(steps):
    """Each message of the session that Orca spoke reached the braille
    display too (Orca shows a message there only when the script presents
    it as a message, not by speech alone)."""
    heard = {spoken_form(w) for w in said(spoken())}
    messages = [spoken_form(m) for step in steps for m in texts_of(step["messages"])]
    shown = [spoken_form(line) for line in braille_lines()]
    check(any(m in heard for m in messages), "braille: no message of the session was spoken")
    for m in messages:
        if m in heard:
            check(any(m in line for line in shown), "braille: the message %r was not shown in braille" % m)
    print("braille: %d spoken message(s) checked against %d braille line(s)"
          % (sum(m in heard for m in messages), len(shown)), flush=True)


def check_fallback(step, look, words):
    """Without the script: no name said in place of a text ("Message",
    "Question"), and the creation box said with its question (after its
    date: Orca 43 says the box's selection, which GTK sends before the
    focus, then the box's new description)."""
    heard = " ".join(words)
    check("Message." not in words and "Question." not in words, "%s: a name hides a text: %r" % (step, words))
    if look == "question":
        check(CREATION_QUESTION in heard and "28 12 2026" in heard,
              "%s: the creation box was said without its question: %r" % (step, words))


def copy_demo(folder):
    """A copy of the demo folder whose cheque parameter file (new, with its
    first values) is the current one, as yzo.INI keeps it."""
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(DEMO, folder)
    script = ['start "%s"' % os.path.join(folder, ACCOUNT), 'answer file "%s"' % os.path.join(folder, "cheque.PRM"),
              "menu mnuParametreCheque", "click CmdYzo", "click CmdQuitter"]
    subprocess.run([YZO_SCRIPT, "--dossier", folder, "--aujourdhui", TODAY, "--heure", NOW, "-"], cwd=folder,
                   input="\n".join(script) + "\n", capture_output=True, text=True, timeout=60, check=True)
    with open(os.path.join(folder, os.path.basename(REPORT_COMMANDS[0])), "w", newline="") as f:
        f.write(REPORT_COMMANDS[1])


def check_view_line(step, record, words, named):
    """A line of the cheque preview or of the report: a rule, or a blank line
    of the preview, is not heard ("80 dash characters", "blank"); a line of
    the preview is heard as what it holds and its text."""
    line = spoken_form(record["text"][record["caret"] - 1])
    heard = [spoken_form(w) for w in words if spoken_form(w)]
    if (line and not line.strip("-")) or (named and not line):
        check(not heard, "%s: the blank line or rule %r was said as %r" % (step, line, words))
    elif named:
        check(any(PREVIEW_LINE.match(w) and w.endswith(line) for w in heard),
              "%s: the preview's line %r was said as %r" % (step, line, words))


def open_report(yzo):
    """The report's menu entry clicked through the accessibility bus; the
    command file the file chooser proposes; "Non" to a range of dates."""
    import pyatspi
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == yzo.pid)
    entry = pyatspi.findDescendant(app, lambda x: x.name == REPORT_ENTRY and x.getRole() == pyatspi.ROLE_MENU_ITEM)
    entry.queryAction().doAction(0)
    for name, key in (("Ouvrir", "Return"), ("yzo", "alt+n")):
        if not focus_window(yzo, "^%s$" % name, "the window " + name):
            return
        settle(len(spoken()))  # the window is ready when Orca has said it
        xdotool("key", key)
        wait_for(lambda: not windows_of(yzo.pid, "^%s$" % name), 15, "the window %s to close" % name)
    xdotool("windowfocus", "--sync", windows_of(yzo.pid, "^" + ACCOUNT + "$")[0])


def main():
    folder = os.path.join(WORK, "demo")
    copy_demo(folder)
    steps = script_run(folder)
    if len(steps) != len(STEPS) + 1:
        raise SystemExit("yzo-script gave %d steps for %d" % (len(steps), len(STEPS) + 1))
    copy_demo(folder)

    install_orca_preferences()
    env = dict(os.environ, YZO_SPEECH_LOG=SPEECH_LOG, YZO_BRAILLE_LOG=BRAILLE_LOG)
    if MODE == "script" and not os.environ.get("YZO_ORCA_TEST_WITHOUT_SCRIPT") and os.path.isdir(ORCA_SCRIPT):
        env["YZO_ORCA_APPS"] = ORCA_SCRIPT
    elif MODE != "script" or os.environ.get("YZO_ORCA_TEST_WITHOUT_SCRIPT"):
        env["YZO_ORCA_WITHOUT_APP_SCRIPT"] = "1"  # not even one a package installed
    orca_out = open(os.path.join(WORK, "orca.out"), "w")
    orca = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "orca", "run_orca.py")], env=env,
                            stdout=orca_out, stderr=subprocess.STDOUT)
    yzo = None
    try:
        if not wait_for(lambda: "Screen reader on." in said(spoken()), 60, "Orca to start"):
            with open(os.path.join(WORK, "orca.out")) as f:
                print(f.read())
            raise SystemExit("FAIL: Orca did not start")  # a test that did not run has not passed
        yenv = dict(os.environ, YZO_DOSSIER=folder, YZO_AUJOURDHUI=TODAY, YZO_HEURE=NOW, YZO_TRACE_KEYS="1")
        yenv.pop("YZO_SPEECHD", None)
        start = len(spoken())
        yzo = subprocess.Popen([YZO, os.path.join(folder, ACCOUNT)], env=yenv, cwd=folder,
                               stderr=open(os.path.join(WORK, "yzo-stderr.txt"), "w"))
        run_steps(yzo, steps, start)
        run_list_steps(yzo)
        if MODE == "script":
            check_braille(steps)
    finally:
        if yzo and yzo.poll() is None:
            yzo.kill()
            yzo.wait(10)
        orca.terminate()
        try:
            orca.wait(10)
        except subprocess.TimeoutExpired:
            orca.kill()
            orca.wait(10)
    print("Orca said:")
    for e in spoken():
        print("   ", e["what"], repr(e["text"]), "" if e.get("interrupt", True) else "(queued)")
    if failures:
        with open(os.path.join(WORK, "yzo-stderr.txt")) as f:
            print("yzo's keys:\n" + f.read())
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("orca test (%s) passed" % MODE)


def run_list_steps(yzo):
    """The choice lists, heard after the steps (orca_lists.py)."""
    folder = os.path.join(WORK, "demo-lists")
    copy_demo(folder)
    orca_lists.run(sys.modules[__name__], yzo, folder)


def answer_message_box(yzo, question, start):
    """The question is heard; Enter answers it with its default button, Oui."""
    if not focus_window(yzo, "^yzo$", "the message box"):
        return
    wait_for(lambda: any(question in w for w in said(spoken()[start:])), 15, "the question %r" % question)
    xdotool("key", "Return")
    if wait_for(lambda: not windows_of(yzo.pid, "^yzo$"), 15, "the message box to close"):
        focus_window(yzo, "^sanstitre.yzo$", "the new account's window")


def answer_input_box(yzo, prompt, answer):
    """The input box is answered by typing; the frame takes the keyboard back,
    as a desktop gives it back when a dialog closes."""
    if not focus_window(yzo, "^" + prompt + "$", "the input box " + prompt):
        return
    xdotool("type", "--delay", "60", answer)
    xdotool("key", "Return")
    close_input_box(yzo, prompt)


def cancel_input_box(yzo, prompt):
    """Escape cancels the input box; the program goes on to its next question
    in the window, which a desktop gives the keyboard back."""
    start = len(spoken())
    xdotool("key", "Escape")
    if close_input_box(yzo, prompt):
        settle(start)


def close_input_box(yzo, prompt):
    """Waits for the input box to close and gives the frame the keyboard back;
    false when the box stayed."""
    if not wait_for(lambda: not windows_of(yzo.pid, "^" + prompt + "$"), 15, "the input box to close"):
        return False
    frame = windows_of(yzo.pid, "^" + ACCOUNT + "$")
    if frame:
        xdotool("windowfocus", "--sync", frame[0])
    return True


def run_steps(yzo, steps, start):
    launch = steps[0]
    last = texts_of(launch["messages"])[-1]
    heard_launch = wait_for(lambda: any(last in w for w in said(spoken()[start:])), 40,
                            "the launch messages to be spoken")
    if not heard_launch:
        return
    utterances = settle(start)
    check_messages("launch", utterances, launch["messages"])

    # No window manager: the pointer is moved away and the frame is given
    # the keyboard, as a desktop would.
    xdotool("mousemove", "1279", "1023")
    if not focus_window(yzo, "^" + ACCOUNT, "the window", 20):
        return
    settle(len(spoken()))

    for (key, command, look), before, step in zip(STEPS, steps, steps[1:]):
        name = "key %s" % key
        start = len(spoken())
        if look == "report":
            open_report(yzo)
        else:
            xdotool("key", key)
        if look == "msgbox":
            answer_message_box(yzo, step["question"], start)
        if look == "answer":
            answer_input_box(yzo, step["prompt"], command.split('"')[1])
        for prompt, answer in zip(CHEQUE_PROMPTS, CHEQUE_ANSWERS) if look == "cheque" else ():
            answer_input_box(yzo, prompt, answer)
        if look == "dialog":
            if not focus_window(yzo, "^" + step["prompt"] + "$", "the input box " + step["prompt"]):
                return
        # What this step must make Orca say, waited for before the silence
        # that ends the step: a loaded machine may take seconds to say it.
        awaited = texts_of(step["messages"])[-1:]
        line = step["text"][(step["caret"] or 1) - 1].strip()
        if MODE == "script":
            awaited += {"caret": [line], "ledger": [line], "after": [line], "question": [CREATION_QUESTION],
                        "list": [step["selected"]], "item": [step["selected"]], "dialog": [step["prompt"]],
                        "box": list(step["box"] or ())[:1], "answer": list(step["box"] or ())[:1]}.get(look, [])
        if MODE == "fallback" and look == "question":
            awaited.append(CREATION_QUESTION)
        for text in map(spoken_form, awaited):
            wait_for(lambda: text in spoken_form(" ".join(said(spoken()[start:]))), 20,
                     "%s to say %r" % (name, text))
        utterances = settle(start)
        words = said(utterances)
        check_messages(name, utterances, step["messages"])
        if look == "dialog":
            cancel_input_box(yzo, step["prompt"])
        if MODE == "fallback":
            check_fallback(name, look, words)
        if look in ("preview", "rule"):
            check_view_line(name, step, words, look == "preview")
        if MODE != "script":
            continue
        if look == "caret":
            check(line in words, "%s: the new line %r was not said: %r" % (name, line, words))
        elif look == "question":
            check(CREATION_QUESTION in words and "28 12 2026" in " ".join(words),
                  "%s: the creation box was said as %r" % (name, words))
        elif look == "list":
            check(step["selected"] in " ".join(words),
                  "%s: the list was said as %r, its item is %r" % (name, words, step["selected"]))
        elif look == "after":
            # The messages first, the line the caret reached after them, once.
            heard, said_line = [spoken_form(w) for w in words], spoken_form(line)
            wanted = [spoken_form(m) for m in texts_of(step["messages"])]
            check(heard.count(said_line) == 1
                  and all(m in heard and heard.index(m) < heard.index(said_line) for m in wanted),
                  "%s: said %r; the messages %r come before the line %r" % (name, words, wanted, line))
        elif look in ("box", "answer"):
            # The box's question and the value the program put there, each once.
            heard = [spoken_form(w) for w in words]
            for part in filter(None, step["box"] or ()):
                count = sum(spoken_form(part) in w for w in heard)
                check(count == 1, "%s: %r was said %d times: %r" % (name, part, count, words))
        elif look == "typeahead":
            # The row the letter reached is the one the program selected.
            check(step["selected"] is not None and spoken_form(step["selected"]) in map(spoken_form, words),
                  "%s: said %r, the selected item is %r" % (name, words, step["selected"]))
        elif look == "item":
            # The item said is the one the program has selected: Enter chooses it.
            check(any(step["selected"] in w for w in words) and step["selected"] != before["selected"],
                  "%s: said %r, the selected item is %r" % (name, words, step["selected"]))
        elif look == "dialog":
            check(any(step["prompt"] in w for w in words),
                  "%s: the input box was said as %r, its question is %r" % (name, words, step["prompt"]))
        elif look == "ledger":
            # Back in the ledger: its line is said by the focus, and the
            # message that says it again is not.
            check(words.count(line) == 1, "%s: the ledger line %r was said %d times: %r"
                  % (name, line, words.count(line), words))

if __name__ == "__main__":
    main()
