#!/usr/bin/python3
"""yzo's Orca script on stand-ins of Orca's modules. Orca's script manager
takes an ImportError as "no script here" and any other exception breaks it:
the script must load on Orca 43's modules, raise ImportError where a module
or attribute it uses is missing (Orca 44 and later), and hand an event to
Orca's own handler when its own fails. Usage: test_orca_script_guard.py ORCA_SCRIPT"""
import importlib.util
import sys
import types

SCRIPT = sys.argv[1]
failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
        print("FAIL:", text, flush=True)


def Source(role, name, parent=None):
    return types.SimpleNamespace(role=role, name=name, parent=parent, getRole=lambda: role)


def Event(source, any_data=""):
    return types.SimpleNamespace(source=source, any_data=any_data, type="object:text-changed:insert")


PYATSPI_NAMES = ["ROLE_LABEL", "ROLE_TEXT", "ROLE_FRAME", "ROLE_NOTIFICATION", "ROLE_PANEL", "ROLE_LIST_BOX",
                 "ROLE_TABLE", "ROLE_TABLE_CELL", "ROLE_DIALOG", "ROLE_ALERT", "ROLE_FILE_CHOOSER", "STATE_SHOWING",
                 "TEXT_BOUNDARY_LINE_START"]
# Handlers of Orca's GTK script that the stand-in records as handled.
HANDLERS = ["onTextInserted", "onTextDeleted", "onShowingChanged", "onNameChanged", "onDescriptionChanged",
            "onTextSelectionChanged", "onCaretMoved"]


def orca43():
    """Module name -> stand-in of Orca 43's module; a submodule is also an attribute of its parent."""
    lines, flashed = [], []
    generator = type("SpeechGenerator", (), {
        "__init__": lambda self, script: setattr(self, "script", script),
        "_generateDescription": lambda self, obj, **args: ["description"],
        "_generateLabel": lambda self, obj, **args: ["label"],
        "generate": lambda self, obj, **args: ["generated"]})
    # Orca's GTK script: records what it handled and what it said.
    script = type("Script", (), dict({
        "__init__": lambda self, app: self.__dict__.update(app=app, handled=[], said=[]),
        "speakMessage": lambda self, text, voice=None, interrupt=True, resetStyles=True, force=False:
            self.said.append(text),
        "getSpeechGenerator": lambda self: generator(self),
        "skipObjectEvent": lambda self, event: False,
        "locusOfFocusChanged": lambda self, event, old, new: self.handled.append(("focus", new)),
        "presentKeyboardEvent": lambda self, event: False,
        "_presentTextAtNewCaretPosition": lambda self, event, otherObj=None:
            self.handled.append(("caret text", event)),
        "_saveLastCursorPosition": lambda self, obj, offset: None,
        "displayBrailleMessage": staticmethod(lambda message, cursor=-1, flashTime=0:
                                              flashed.append((message, flashTime)))},
        **{h: (lambda self, event, _h=h: self.handled.append((_h, event))) for h in HANDLERS}))
    # Orca's settings as a new user has them: flash messages for 5 s.
    defaults = {"enableFlashMessages": True, "flashIsPersistent": False, "brailleFlashTime": 5000}
    table = {
        "pyatspi": {name: n for n, name in enumerate(PYATSPI_NAMES, 1)},
        "orca": {},
        "orca.debug": {"LEVEL_INFO": 800, "lines": lines,
                       "println": lambda level, text, timestamp=False: lines.append(text)},
        "orca.orca_state": {"locusOfFocus": None},
        "orca.keybindings": {"SHIFT_MODIFIER_MASK": 1},
        "orca.speech_generator": {"SpeechGenerator": generator},
        "orca.scripts": {}, "orca.scripts.toolkits": {},
        "orca.scripts.toolkits.gtk": {"Script": script, "flashed": flashed},
        "orca.settings_manager": {"getManager": lambda: types.SimpleNamespace(getSetting=defaults.get)},
    }
    modules = {}
    for name, names in table.items():
        module = modules[name] = types.ModuleType(name)
        module.__path__ = []
        vars(module).update(names)
        parent, _, child = name.rpartition(".")
        if parent:
            setattr(modules[parent], child, module)
    return modules


def without(modules, dotted):
    """The modules without this dotted module or attribute."""
    modules.pop(dotted, None)
    holder, _, name = dotted.rpartition(".")
    if holder:
        module = max((m for m in modules if holder == m or holder.startswith(m + ".")), key=len)
        owner = modules[module]
        for part in holder[len(module) + 1:].split(".") if holder != module else []:
            owner = getattr(owner, part)
        delattr(owner, name)
    return modules


def load(modules):
    """Imports the script as Orca does, with these modules (and no others)."""
    saved = {name: sys.modules.get(name) for name in list(orca43()) + ["yzo"]}
    for name in saved:
        sys.modules.pop(name, None)
    sys.modules.update(modules)
    # A module left out is one that cannot be imported: Python refuses a name whose module is None.
    sys.modules.update((name, None) for name in orca43() if name not in modules)
    try:
        spec = importlib.util.spec_from_file_location("yzo", SCRIPT)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        return module
    finally:
        for name, module in saved.items():
            if module is None:
                sys.modules.pop(name, None)
            else:
                sys.modules[name] = module


def refused(modules, what):
    try:
        load(modules)
    except ImportError as error:
        print("refused as it must (%s): %s" % (what, error))
    except Exception as error:
        check(False, "%s: the script raised %r, which breaks Orca's script manager" % (what, error))
    else:
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
    script.speakMessage = lambda text: (_ for _ in ()).throw(
        TypeError("speakMessage() got an unexpected keyword argument 'interrupt'"))
    event = Event(status, "solde 13,00")
    script.onTextInserted(event)
    check(script.handled == [("onTextInserted", event)],
          "a failing handler did not fall back to Orca's: %r" % script.handled)
    check(any("Orca's own handling" in line for line in modules["orca.debug"].lines),
          "the fallback is not in Orca's debug log")

    # An Orca without the settings the flash reads: the message is spoken all the same.
    modules = without(orca43(), "orca.settings_manager")
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
    for gone in ["orca.orca_state", "orca.keybindings", "orca.speech_generator", "orca.scripts.toolkits.gtk", "pyatspi",
                 "orca.orca_state.locusOfFocus", "orca.scripts.toolkits.gtk.Script.onTextInserted",
                 "orca.speech_generator.SpeechGenerator"]:
        refused(without(orca43(), gone), "without " + gone)

    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("orca script guard: passed")


if __name__ == "__main__":
    main()
