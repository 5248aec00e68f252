#!/usr/bin/python3
"""yzo's Orca script against the Orca it may meet, with stand-in modules.

Orca's script manager imports an application's script and takes an
ImportError as "no script here", falling back to its toolkit script; any
other exception while importing would break it. The script must therefore
load on Orca 43's modules, raise ImportError and nothing else where a module
or an attribute it uses is missing (Orca 44 and later), and hand an event to
Orca's own handler when its own fails at run time.

Usage: test_orca_script_guard.py ORCA_SCRIPT
"""
import importlib.util
import sys
import types

SCRIPT = sys.argv[1]
failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
        print("FAIL:", text, flush=True)


# --- Stand-ins for Orca 43's modules ------------------------------------------

class Source:
    def __init__(self, role, name, parent=None):
        self.role, self.name, self.parent = role, name, parent

    def getRole(self):
        return self.role


class Event:
    def __init__(self, source, any_data=""):
        self.source, self.any_data, self.type = source, any_data, "object:text-changed:insert"


def orca43():
    """Module name -> stand-in module, with what Orca 43 gives the script."""
    pyatspi = types.ModuleType("pyatspi")
    for n, name in enumerate(["ROLE_LABEL", "ROLE_TEXT", "ROLE_FRAME", "ROLE_NOTIFICATION", "ROLE_PANEL",
                              "ROLE_LIST_BOX", "ROLE_TABLE", "ROLE_TABLE_CELL", "ROLE_DIALOG", "ROLE_ALERT",
                              "STATE_SHOWING", "TEXT_BOUNDARY_LINE_START"]):
        setattr(pyatspi, name, n + 1)
    orca = types.ModuleType("orca")
    orca.__path__ = []
    debug = types.ModuleType("orca.debug")
    debug.LEVEL_INFO = 800
    debug.lines = []
    debug.println = lambda level, text, timestamp=False: debug.lines.append(text)
    orca_state = types.ModuleType("orca.orca_state")
    orca_state.locusOfFocus = None
    keybindings = types.ModuleType("orca.keybindings")
    keybindings.SHIFT_MODIFIER_MASK = 1
    speech_generator = types.ModuleType("orca.speech_generator")

    class SpeechGenerator:
        def __init__(self, script):
            self.script = script

        def _generateDescription(self, obj, **args):
            return ["description"]

        def _generateLabel(self, obj, **args):
            return ["label"]

        def generate(self, obj, **args):
            return ["generated"]
    speech_generator.SpeechGenerator = SpeechGenerator
    scripts = types.ModuleType("orca.scripts")
    scripts.__path__ = []
    toolkits = types.ModuleType("orca.scripts.toolkits")
    toolkits.__path__ = []
    gtk = types.ModuleType("orca.scripts.toolkits.gtk")

    class Script:
        """Orca's GTK script: records what it handled and what it said."""
        def __init__(self, app):
            self.app, self.handled, self.said = app, [], []

        def speakMessage(self, text, voice=None, interrupt=True, resetStyles=True, force=False):
            self.said.append(text)

        def getSpeechGenerator(self):
            return SpeechGenerator(self)

        def skipObjectEvent(self, event):
            return False

        def locusOfFocusChanged(self, event, oldFocus, newFocus):
            self.handled.append(("focus", newFocus))

        def presentKeyboardEvent(self, event):
            return False

        def _presentTextAtNewCaretPosition(self, event, otherObj=None):
            self.handled.append(("caret text", event))

        def _saveLastCursorPosition(self, obj, offset):
            pass

        @staticmethod
        def displayBrailleMessage(message, cursor=-1, flashTime=0):
            flashed.append((message, flashTime))
    flashed = []
    for handler in ["onTextInserted", "onTextDeleted", "onShowingChanged", "onNameChanged",
                    "onDescriptionChanged", "onTextSelectionChanged", "onCaretMoved"]:
        setattr(Script, handler, lambda self, event, _h=handler: self.handled.append((_h, event)))
    gtk.Script = Script
    gtk.flashed = flashed
    # Orca's settings as a new user has them: flash messages for 5 s.
    settings_manager = types.ModuleType("orca.settings_manager")
    defaults = {"enableFlashMessages": True, "flashIsPersistent": False, "brailleFlashTime": 5000}
    manager = types.SimpleNamespace(getSetting=defaults.get)
    settings_manager.getManager = lambda: manager
    orca.settings_manager = settings_manager
    orca.debug, orca.orca_state, orca.speech_generator, orca.scripts = debug, orca_state, speech_generator, scripts
    orca.keybindings = keybindings
    scripts.toolkits, toolkits.gtk = toolkits, gtk
    return {"pyatspi": pyatspi, "orca": orca, "orca.debug": debug, "orca.orca_state": orca_state,
            "orca.speech_generator": speech_generator, "orca.keybindings": keybindings, "orca.scripts": scripts,
            "orca.scripts.toolkits": toolkits, "orca.scripts.toolkits.gtk": gtk,
            "orca.settings_manager": settings_manager}


def load(modules):
    """Imports the script as Orca does, with these modules (and no others)."""
    saved = {name: sys.modules.get(name) for name in list(orca43()) + ["yzo"]}
    for name in saved:
        sys.modules.pop(name, None)
    sys.modules.update(modules)
    # A module left out is one that cannot be imported.
    blocker = Blocker([name for name in orca43() if name not in modules])
    sys.meta_path.insert(0, blocker)
    try:
        spec = importlib.util.spec_from_file_location("yzo", SCRIPT)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        return module
    finally:
        sys.meta_path.remove(blocker)
        for name, module in saved.items():
            if module is None:
                sys.modules.pop(name, None)
            else:
                sys.modules[name] = module


class Blocker:
    """An import finder that refuses the given module names."""
    def __init__(self, names):
        self.names = set(names)

    def find_spec(self, name, path=None, target=None):
        if name in self.names:
            raise ModuleNotFoundError("No module named %r" % name)
        return None


def refused(modules, what):
    """The script must refuse to load with ImportError, and nothing else."""
    try:
        load(modules)
    except ImportError as error:
        print("refused as it must (%s): %s" % (what, error))
        return
    except Exception as error:
        check(False, "%s: the script raised %r, which breaks Orca's script manager" % (what, error))
        return
    check(False, "%s: the script loaded on an Orca it cannot serve" % what)


def main():
    # Orca 43: the script loads and is the one given for yzo.
    modules = orca43()
    yzo = load(modules)
    gtk = modules["orca.scripts.toolkits.gtk"]
    script = yzo.getScript("yzo")
    check(isinstance(script, yzo.Script) and isinstance(script, gtk.Script), "getScript did not give yzo's script")

    # Its status messages are spoken bare; other labels go to Orca's handler.
    pyatspi = modules["pyatspi"]
    notification = Source(pyatspi.ROLE_NOTIFICATION, "solde 12,00")
    status = Source(pyatspi.ROLE_LABEL, "solde 12,00", Source(pyatspi.ROLE_PANEL, "", notification))
    script.onTextInserted(Event(status, " solde 12,00 "))
    check(script.said == ["solde 12,00"] and not script.handled,
          "the status message was said as %r, handled %r" % (script.said, script.handled))
    check(gtk.flashed == [("solde 12,00", 5000)], "the status message was flashed in braille as %r" % gtk.flashed)
    other = Event(Source(pyatspi.ROLE_LABEL, "Date de création :", Source(pyatspi.ROLE_FRAME, "courant.yzo")), "x")
    script.onTextInserted(other)
    check(script.handled == [("onTextInserted", other)], "another label's text was not Orca's: %r" % script.handled)

    # A later Orca whose speakMessage changed: the event goes to Orca's handler.
    script.handled.clear()

    def changed(text):
        raise TypeError("speakMessage() got an unexpected keyword argument 'interrupt'")
    script.speakMessage = changed
    event = Event(status, "solde 13,00")
    script.onTextInserted(event)
    check(script.handled == [("onTextInserted", event)],
          "a failing handler did not fall back to Orca's: %r" % script.handled)
    check(any("Orca's own handling" in line for line in modules["orca.debug"].lines),
          "the fallback is not in Orca's debug log")

    # An Orca without the settings the flash reads: the message is spoken all the same.
    modules = orca43()
    del modules["orca.settings_manager"]
    delattr(modules["orca"], "settings_manager")
    script = load(modules).getScript("yzo")
    script.onTextInserted(Event(status, "solde 14,00"))
    check(script.said == ["solde 14,00"] and not script.handled and not modules["orca.scripts.toolkits.gtk"].flashed,
          "without Orca's settings the message was said %r, flashed %r, handled %r"
          % (script.said, modules["orca.scripts.toolkits.gtk"].flashed, script.handled))

    # A failing script class at start: Orca's GTK script instead of none.
    broken = orca43()
    yzo = load(broken)
    yzo.Script.__init__ = lambda self, app: (_ for _ in ()).throw(AttributeError("eventCache"))
    check(type(yzo.getScript("yzo")) is broken["orca.scripts.toolkits.gtk"].Script,
          "a script that cannot start did not give Orca's GTK script")

    # Later Orcas: a module gone, or a module without what the script uses.
    for gone in ["orca.orca_state", "orca.keybindings", "orca.speech_generator", "orca.scripts.toolkits.gtk", "pyatspi"]:
        modules = orca43()
        del modules[gone]
        parent, _, child = gone.rpartition(".")
        if parent:
            delattr(modules[parent], child)
        refused(modules, "without %s" % gone)
    modules = orca43()
    del modules["orca.orca_state"].locusOfFocus
    refused(modules, "orca_state without locusOfFocus")
    modules = orca43()
    del modules["orca.scripts.toolkits.gtk"].Script.onTextInserted
    refused(modules, "a GTK script without onTextInserted")
    modules = orca43()
    del modules["orca.speech_generator"].SpeechGenerator
    refused(modules, "speech_generator without SpeechGenerator")

    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("orca script guard: passed")


if __name__ == "__main__":
    main()
