#!/usr/bin/python3
"""Times how soon the window answers each kind of key, as a screen reader sees it.

Starts the real `yzo` under a private X server (Xvfb), session bus and
accessibility bus, on a copy of the demo account with a cheque parameter
file, presses real keys with xdotool and listens to the accessibility events
(AT-SPI) the program sends. A key is held down 0.12 s, as a typist holds it (a
toolkit button waits for the key's release), and its latency runs from the
moment xdotool is started to the first event that a screen reader speaks from:

  - the status label's new text (text-changed), the status notification
    shown again, or an ATK announcement;
  - a new focus (a box, a list, a dialog's text), a list's new current row
    or a window activated;
  - a label's new text (the question of the dialog area).

Kinds of key, each session (the program is started again for every round):

  reader        M and S in the ledger: a field of the operation is said;
  window answer Enter in the dialog area's own boxes and lists (the date,
                the rubrique, the objet);
  button        Alt+C (Création), Alt+V (Visu.Chèque), Alt+Q (Quitter: it
                ends the program and says nothing more, so its figure runs
                to the window's end, its "destroy" event, or to the end of
                the process when that event does not reach us first);
  answer dialog Enter in a separate input box: the amount of a new
                operation ("montant"), the cheque's "Ordre" and "Fait à";
  message box   Enter on the "Oui" of a question in the toolkit's message
                box (Ctrl+N's "Souhaitez-vous créer un compte");
  file chooser  Enter in the "Ouvrir" dialog on a typed file name.

Prints each kind's median and worst over all rounds, in milliseconds.

  benchmarks/window_latency.py --yzo build-rel/yzo [--rounds 5]

Needs the Debian packages of the window tests: xvfb xauth xdotool dbus
at-spi2-core python3-pyatspi. The figures include starting xdotool (a few
milliseconds) and are those of the whole machine: run it when it is quiet.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ACCOUNT = "courant.yzo"
OTHER_ACCOUNT = "autre.yzo"            # opened through the file chooser
TODAY, NOW = "2026-12-28", "10:00:00"
EXPENSE = "GARAGE"                     # the demo's expense whose cheque is previewed
# What spoken_kind() calls the events a screen reader speaks from.
SPOKEN = {"status", "announcement", "focus", "item", "window", "label"}
KINDS = ["reader", "window answer", "button", "answer dialog", "message box", "file chooser"]
WAIT_SECONDS = 15                      # the most any awaited event may take
QUIET_SECONDS = 0.25                   # no event for this long: a key's answer is over
HOLD_SECONDS = 0.12                    # a key is released this long after it went down
SESSION_TIMEOUT = 900                  # the whole run under Xvfb, at most

# A cheque parameter file: margins, the lengths of 80 characters and 65
# lines, the cheque's height, then (height, start, length) of its six items.
CHEQUE_PARAMETERS = (["Les paramètres de position sont en Millimètre", "Réglages selon l'imprimante :",
                      "6", "4", "200", "260", "Mensurations du chèque :", "175"]
                     + [str(v) for item in [(35, 135, 40), (21, 50, 72), (27, 5, 116), (33, 5, 115),
                                            (42, 90, 31), (42, 135, 40)] for v in item])


def arguments():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--yzo", required=True, help="the window program")
    p.add_argument("--yzo-script", help="the scripted front-end (default: beside --yzo)")
    p.add_argument("--demo", default=os.path.join(HERE, "..", "examples", "demo"), help="the demo folder")
    p.add_argument("--rounds", type=int, default=5, help="sessions, each from the program's start")
    p.add_argument("--verbose", action="store_true", help="each key's time and what was said first")
    p.add_argument("--inner", help=argparse.SUPPRESS)  # the work folder, once inside the private session
    return p.parse_args()


# --- Outside: a private display and private buses ---------------------------

def run_in_private_session(args):
    for tool in ["xvfb-run", "xdotool", "dbus-run-session", "xauth", "timeout"]:
        if not shutil.which(tool):
            raise SystemExit("%s is missing (Debian packages xvfb xauth xdotool dbus)" % tool)
    work = tempfile.mkdtemp(prefix="yzo-latency-")
    try:
        run = os.path.join(work, "run")
        env = dict(os.environ, XDG_RUNTIME_DIR=run, XDG_CACHE_HOME=os.path.join(run, "cache"),
                   XDG_CONFIG_HOME=os.path.join(run, "config"), XDG_DATA_HOME=os.path.join(run, "data"),
                   LC_ALL="C.UTF-8", GDK_BACKEND="x11")
        for key in ["DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "YZO_SPEECHD", "NO_AT_BRIDGE"]:
            env.pop(key, None)
        for d in ["cache", "config", "data"]:
            os.makedirs(os.path.join(run, d))
        os.chmod(run, 0o700)
        script = args.yzo_script or os.path.join(os.path.dirname(os.path.abspath(args.yzo)), "yzo-script")
        command = ["timeout", "-k", "10", str(SESSION_TIMEOUT), "dbus-run-session", "--",
                   "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -nolisten tcp",
                   "/usr/bin/python3", os.path.abspath(__file__), "--yzo", os.path.abspath(args.yzo),
                   "--yzo-script", os.path.abspath(script), "--demo", os.path.abspath(args.demo),
                   "--rounds", str(args.rounds), "--inner", work] + (["--verbose"] if args.verbose else [])
        sys.exit(subprocess.run(command, env=env).returncode)
    finally:
        shutil.rmtree(work, ignore_errors=True)


# --- Inside: the window and its events --------------------------------------

def inner(args):
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import GLib
    import pyatspi

    class Listener:
        """Every event of the program, with the time it reached us."""

        def __init__(self):
            self.events = []

        def __call__(self, event):
            t = time.monotonic()
            try:
                self.events.append((t, spoken_kind(event)))
            except Exception:  # an object gone meanwhile
                self.events.append((t, None))

    def spoken_kind(event):
        """What a screen reader would say of the event (one of SPOKEN), "closed"
        for a window taken down, None for anything else."""
        kind = event.type
        if kind.startswith("object:announcement"):
            return "announcement"
        if kind.startswith("window:activate"):
            return "window"
        if kind.startswith("window:destroy"):
            return "closed"
        if kind.startswith("object:active-descendant-changed"):
            return "item"
        role = event.source.getRole()
        if kind.startswith("object:state-changed:focused"):
            return "focus" if event.detail1 == 1 and role != pyatspi.ROLE_FRAME else None
        if kind.startswith("object:state-changed:showing"):
            return "status" if event.detail1 == 1 and role == pyatspi.ROLE_NOTIFICATION else None
        if kind.startswith("object:text-changed:insert") and role == pyatspi.ROLE_LABEL:
            parent = event.source.parent
            return "status" if parent is not None and parent.getRole() == pyatspi.ROLE_NOTIFICATION else "label"
        return None

    listener = Listener()
    pyatspi.Registry.registerEventListener(
        listener, "object:text-changed:insert", "object:state-changed:focused", "object:state-changed:showing",
        "object:announcement", "object:active-descendant-changed", "window:activate",
        "window:destroy")
    context = GLib.MainContext.default()

    def pump():
        while context.pending():
            context.iteration(False)

    def wait_until(condition, what, seconds=WAIT_SECONDS):
        deadline = time.monotonic() + seconds
        while True:
            pump()
            try:
                result = condition()
            except Exception:  # the tree is still being built
                result = None
            if result:
                return result
            if time.monotonic() > deadline:
                raise RuntimeError("timed out waiting for " + what)
            time.sleep(0.01)

    def settle():
        """Waits until no event has come for QUIET_SECONDS."""
        last = len(listener.events)
        quiet_since = time.monotonic()
        while time.monotonic() - quiet_since < QUIET_SECONDS:
            pump()
            if len(listener.events) != last:
                last, quiet_since = len(listener.events), time.monotonic()
            time.sleep(0.005)

    def xdotool(*a):
        subprocess.run(["xdotool"] + list(a), check=True, timeout=20)

    def window_ids(pid, name):
        return subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", name],
                              capture_output=True, text=True, timeout=20).stdout.split()

    def focus_window(pid, name):
        ids = wait_until(lambda: window_ids(pid, name), "a window named " + name)
        xdotool("windowfocus", "--sync", ids[-1])

    figures = {k: [] for k in KINDS}

    def timed_key(kind, key, label, answers=SPOKEN, ending=None):
        """Presses key, held HOLD_SECONDS as a typist holds it, and records
        the time to the first event of the kinds that answer it (by default,
        the first spoken event), or to the end of the process ending, when it
        ends before any such event reached us."""
        settle()
        start = len(listener.events)
        t0 = time.monotonic()
        press, release = subprocess.Popen(["xdotool", "keydown", key]), None
        deadline = t0 + WAIT_SECONDS
        first = None
        while first is None and time.monotonic() < deadline:
            pump()
            first = next(((t, said) for t, said in listener.events[start:] if said in answers), None)
            if first is None and ending is not None and ending.poll() is not None:
                first = (time.monotonic(), "process ended")
            if release is None and time.monotonic() - t0 >= HOLD_SECONDS:
                release = subprocess.Popen(["xdotool", "keyup", key])
            if first is None:
                time.sleep(0.0005)
        release = release or subprocess.Popen(["xdotool", "keyup", key])
        press.wait(20)
        release.wait(20)
        if first is None:
            raise RuntimeError("%s: nothing said within %d s" % (label, WAIT_SECONDS))
        figures[kind].append((first[0] - t0) * 1000)
        if args.verbose:
            print("  %-35s %7.1f ms  (%s)" % (label, figures[kind][-1], first[1]), file=sys.stderr, flush=True)

    def walk(acc, depth=0):
        yield acc
        if depth < 30:
            for i in range(acc.childCount):
                child = acc.getChildAtIndex(i)
                if child is not None:
                    yield from walk(child, depth + 1)

    def find(root, role, name=None):
        return next((a for a in walk(root) if a.getRole() == role and (name is None or a.name == name)), None)

    def focused(acc):
        return acc.getState().contains(pyatspi.STATE_FOCUSED)

    def session(folder):
        env = dict(os.environ, YZO_DOSSIER=folder, YZO_AUJOURDHUI=TODAY, YZO_HEURE=NOW)
        yzo = subprocess.Popen([args.yzo, os.path.join(folder, ACCOUNT)], env=env, cwd=folder,
                               stderr=subprocess.DEVNULL)
        try:
            run_keys(yzo, folder)
        finally:
            if yzo.poll() is None:
                yzo.kill()
            yzo.wait(20)

    def run_keys(yzo, folder):
        desktop = pyatspi.Registry.getDesktop(0)

        def our_frame():
            for app in desktop:
                if app is not None and app.get_process_id() == yzo.pid:
                    return find(app, pyatspi.ROLE_FRAME, ACCOUNT)
            return None

        frame = wait_until(our_frame, "the window")
        ledger = wait_until(lambda: next(a for a in walk(frame) if a.getRole() == pyatspi.ROLE_TEXT
                                         and a.getState().contains(pyatspi.STATE_MULTI_LINE)
                                         and a.getState().contains(pyatspi.STATE_SHOWING)), "the ledger")

        def back_to_ledger():
            focus_window(yzo.pid, "^" + ACCOUNT + "$")
            wait_until(lambda: focused(ledger), "the ledger's focus")

        xdotool("mousemove", "1279", "1023")
        back_to_ledger()

        for key in ["m", "s", "m", "s"]:
            timed_key("reader", key, "key " + key)

        # The creation, up to the amount asked in an input box.
        timed_key("button", "alt+c", "Alt+C")
        timed_key("window answer", "Return", "Enter in the date box")
        timed_key("window answer", "Return", "Enter in the rubrique list")
        timed_key("window answer", "Return", "Enter in the objet list")
        focus_window(yzo.pid, "^montant$")
        xdotool("type", "12,50")
        timed_key("answer dialog", "Return", "Enter in the amount's input box")
        focus_window(yzo.pid, "^" + ACCOUNT + "$")
        xdotool("key", "Escape")  # the creation is left at its number
        wait_until(lambda: focused(ledger), "Escape back to the ledger")

        # The cheque of the expense: its ordre and its place in input boxes.
        def caret_line():
            t = ledger.queryText()
            whole = t.getText(0, -1)
            return whole[:t.caretOffset].split("\n")[-1] + whole[t.caretOffset:].split("\n")[0]

        for _ in range(20):
            if EXPENSE in caret_line():
                break
            before = ledger.queryText().caretOffset
            xdotool("key", "Up")
            wait_until(lambda: ledger.queryText().caretOffset != before, "Up in the ledger")
        if EXPENSE not in caret_line():
            raise RuntimeError("no operation %s in the ledger" % EXPENSE)
        timed_key("button", "alt+v", "Alt+V")
        focus_window(yzo.pid, "^Ordre$")
        timed_key("answer dialog", "Return", "Enter in the Ordre input box")
        focus_window(yzo.pid, "^Fait à$")
        timed_key("answer dialog", "Return", "Enter in the Fait à input box")
        focus_window(yzo.pid, "^" + ACCOUNT + "$")
        xdotool("key", "Escape")  # the preview is left
        wait_until(lambda: focused(ledger), "Escape back to the ledger from the preview")

        # A new account, after its question in a message box.
        xdotool("key", "ctrl+n")
        focus_window(yzo.pid, "^yzo$")
        timed_key("message box", "Return", "Enter on Oui in the message box")
        wait_until(lambda: not window_ids(yzo.pid, "^yzo$"), "the message box to close")
        focus_window(yzo.pid, "^sanstitre.yzo$")

        # Another account through the file chooser.
        xdotool("key", "ctrl+o")
        focus_window(yzo.pid, "^Ouvrir$")
        xdotool("key", "ctrl+l")
        settle()
        xdotool("type", os.path.join(folder, OTHER_ACCOUNT))
        settle()
        timed_key("file chooser", "Return", "Enter in the file chooser")
        wait_until(lambda: not window_ids(yzo.pid, "^Ouvrir$"), "the file chooser to close")
        focus_window(yzo.pid, "^" + OTHER_ACCOUNT + "$")

        timed_key("button", "alt+q", "Alt+Q", answers={"closed"}, ending=yzo)
        deadline = time.monotonic() + WAIT_SECONDS
        while yzo.poll() is None and time.monotonic() < deadline:
            pump()
            time.sleep(0.02)
        if yzo.poll() is None:
            raise RuntimeError("Alt+Q did not end the program")

    for n in range(args.rounds):
        folder = os.path.join(args.inner, "demo")
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(args.demo, folder)
        shutil.copy(os.path.join(folder, ACCOUNT), os.path.join(folder, OTHER_ACCOUNT))
        install_cheque_parameters(args.yzo_script, folder)
        session(folder)
        print("round %d of %d done" % (n + 1, args.rounds), file=sys.stderr, flush=True)
    report(figures, args.rounds)


def install_cheque_parameters(yzo_script, folder):
    """A cheque parameter file made the current one by yzo-script (yzo.INI
    keeps it when the program quits)."""
    prm = os.path.join(folder, "cheque.PRM")
    script = ['start "%s"' % os.path.join(folder, ACCOUNT), 'answer file "%s"' % prm,
              "menu mnuParametreCheque", "click CmdYzo", "click CmdQuitter"]
    run = subprocess.run([yzo_script, "--dossier", folder, "--aujourdhui", TODAY, "--heure", NOW, "-"],
                         input="\n".join(script) + "\n", capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        raise SystemExit("yzo-script failed to install the cheque parameters:\n" + run.stdout + run.stderr)
    with open(prm, "wb") as f:
        f.write(("\r\n".join(CHEQUE_PARAMETERS) + "\r\n").encode("cp1252"))


def report(figures, rounds):
    print("Time from the key to the first event a screen reader speaks, %d rounds" % rounds)
    print("  %-15s %5s %10s %10s" % ("kind of key", "keys", "median", "worst"))
    for kind in KINDS:
        values = figures[kind]
        if values:
            print("  %-15s %5d %7.1f ms %7.1f ms" % (kind, len(values), statistics.median(values), max(values)))
    every = [v for kind in KINDS for v in figures[kind]]
    print("  %-15s %5d %7.1f ms %7.1f ms" % ("all keys", len(every), statistics.median(every), max(every)))


if __name__ == "__main__":
    a = arguments()
    if a.inner:
        inner(a)
    else:
        run_in_private_session(a)
