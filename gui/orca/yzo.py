# yzo's own script for the Orca screen reader (Orca 43).
#
# Orca looks for an application's script by the application's name, first in
# the package orca-scripts of the user's Orca folder
# ($XDG_DATA_HOME/orca/orca-scripts/yzo.py), then in its own package
# orca.scripts.apps (orca/scripts/apps/yzo/__init__.py), where yzo's Debian
# package installs this file for every user. The program copies it into the
# user's folder on request (menu "?", "Installer le script Orca").
#
# What it changes, for yzo's windows only:
# - every new text of the status label (the label inside the window's
#   notification) is spoken, exactly, once,
#   queued after what is being said, with no role or name around it, and
#   flashed on the braille display as Orca's own messages are; the
#   notification that yzo shows for screen readers without this script is
#   not spoken;
# - one key says each thing once: a message that repeats the ledger line
#   which the focus or the caret has just brought is not said a second
#   time, and the ledger or a box that takes the focus back after a dialog
#   is not presented again when the key has already said its line, or its
#   question and value; Shift+Up and Shift+Down say the line they select,
#   then the line they reach;
# - a box or list of the dialog area is presented with its question; the
#   text that the program puts into a box is said with its question, not
#   as typed text;
# - the window is not presented again when it takes the keyboard back from
#   one of yzo's dialogs or message boxes, nor counted with its dialogs;
# - a change of the window's title is not spoken: yzo says the file name
#   itself; nor is the text the program writes into the ledger, which Orca
#   would read whole after a Ctrl key.
#
# It is written for Orca 43's modules. Where they are missing or lack what it
# uses (Orca 44 and later reorganised them), importing it raises ImportError,
# which Orca's script manager takes as "no script here": yzo then gets Orca's
# own script for GTK programs. A handler that fails at run time hands the
# event to that script's own handler.
try:
    import pyatspi

    from gi.repository import GLib

    from orca import debug
    from orca import keybindings
    from orca import orca_state
    from orca import speech_generator
    from orca.scripts.toolkits import gtk
except Exception as error:  # any failure, so that Orca sees an ImportError
    raise ImportError("yzo's Orca script needs Orca 43's modules: %s" % error) from error

# Orca's settings, for the braille flash of a message; without them (another
# Orca) the messages are spoken only.
try:
    from orca import settings_manager
except Exception:
    settings_manager = None

# What the script uses of Orca, checked before anything is defined on it:
# (where, the module or class, its attributes).
REQUIRED = (
    ("orca.scripts.toolkits.gtk.Script", getattr(gtk, "Script", None), (
        "onTextInserted", "onTextDeleted", "onShowingChanged", "onNameChanged",
        "onDescriptionChanged", "onTextSelectionChanged", "skipObjectEvent", "locusOfFocusChanged",
        "speakMessage", "getSpeechGenerator", "onCaretMoved", "presentKeyboardEvent",
        "_presentTextAtNewCaretPosition", "_saveLastCursorPosition")),
    ("orca.keybindings", keybindings, ("SHIFT_MODIFIER_MASK",)),
    ("GLib", GLib, ("timeout_add",)),
    ("orca.speech_generator.SpeechGenerator", getattr(speech_generator, "SpeechGenerator", None),
     ("_generateDescription", "_generateLabel", "generate")),
    ("orca.orca_state", orca_state, ("locusOfFocus",)),
    ("orca.debug", debug, ("println", "LEVEL_INFO")),
    ("pyatspi", pyatspi, ("ROLE_LABEL", "ROLE_TEXT", "ROLE_FRAME", "ROLE_NOTIFICATION",
                          "ROLE_LIST_BOX", "ROLE_TABLE", "ROLE_TABLE_CELL", "ROLE_DIALOG", "ROLE_ALERT", "ROLE_FILE_CHOOSER",
                          "STATE_SHOWING", "TEXT_BOUNDARY_LINE_START")),
)


def _missing():
    """What Orca lacks of REQUIRED, as "module.attribute" names."""
    lacking = []
    for where, holder, names in REQUIRED:
        if holder is None:
            lacking.append(where)
            continue
        lacking += ["%s.%s" % (where, name) for name in names if not hasattr(holder, name)]
    return lacking


if _missing():
    raise ImportError("yzo's Orca script does not know this Orca: %s lacking" % ", ".join(_missing()))

# How far above the status label its notification stands.
STATUS_DEPTH = 3
LEDGER = "Opérations"
# The boxes and lists that answer the question of the dialog area; yzo gives
# each the question as its description.
ANSWERS = {"Réponse", "Date", "Mot de passe", "Liste", "Critères"}
# How long a ledger line waits for the message of the key that moved to it
# (Shift+Up and Shift+Down say the line they leave first), in milliseconds;
# the program sets its messages with the caret, so they follow at once.
PENDING_LINE_MS = 150
# The text boxes among them, whose text the program sets.
ANSWER_BOXES = {"Réponse", "Date", "Mot de passe"}
# The braille flash of a message lasts until the next one (what Orca's
# settings call a persistent flash).
PERSISTENT_FLASH = -1
# The roles of yzo's choice lists (a list of check boxes is a table); their
# question is their name.
CHOICE_LISTS = (pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE)


def _log(text):
    try:
        debug.println(debug.LEVEL_INFO, "YZO: " + text, True)
    except Exception:
        pass


def _orElseOrca(base):
    """Makes a handler of a class derived from base hand its arguments to
    base's own handler of that name when it fails: Orca then presents the
    event as it would without this script."""
    def decorate(method):
        name = method.__name__

        def handler(self, *args, **kwargs):
            try:
                return method(self, *args, **kwargs)
            except Exception as error:
                _log("%s failed (%r): Orca's own handling" % (name, error))
                return getattr(base, name)(self, *args, **kwargs)
        handler.__name__ = name
        handler.__doc__ = method.__doc__
        return handler
    return decorate


def _role(obj):
    try:
        return obj.getRole()
    except Exception:
        return None


def _name(obj):
    try:
        return obj.name
    except Exception:
        return ""


def _parent(obj):
    try:
        return obj.parent
    except Exception:
        return None


def _inNotification(obj):
    """Whether the object stands inside an object of role notification."""
    for _ in range(STATUS_DEPTH):
        obj = _parent(obj)
        if obj is None:
            return False
        if _role(obj) == pyatspi.ROLE_NOTIFICATION:
            return True
    return False


def _showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def _boxText(obj):
    try:
        text = obj.queryText()
        return text.getText(0, -1).strip()
    except Exception:
        return ""


def _spoken(text):
    """A text as it is compared with another: blanks runs as one, no end stop."""
    return " ".join((text or "").split()).rstrip(".")


def _caretLine(obj):
    """The line of a text object where its caret is, without its blanks."""
    try:
        text = obj.queryText()
        line, _, _ = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
        return line.strip()
    except Exception:
        return None


class SpeechGenerator(speech_generator.SpeechGenerator):

    @_orElseOrca(speech_generator.SpeechGenerator)
    def _generateDescription(self, obj, **args):
        # The question of a box or list of the dialog area is said before it.
        if _name(obj) in ANSWERS:
            return []
        return super()._generateDescription(obj, **args)

    @_orElseOrca(speech_generator.SpeechGenerator)
    def _generateLabel(self, obj, **args):
        # Nor is their label, which holds that question.
        if _name(obj) in ANSWERS:
            return []
        return super()._generateLabel(obj, **args)

    @_orElseOrca(speech_generator.SpeechGenerator)
    def generate(self, obj, **args):
        # A choice list around the item that has the focus: the script says
        # its question itself, without "list box" or the table's size.
        if args.get("formatType") == "ancestor" and args.get("role") in CHOICE_LISTS:
            return []
        return super().generate(obj, **args)

    @_orElseOrca(speech_generator.SpeechGenerator)
    def _generateUnfocusedDialogCount(self, obj, **args):
        # "1 unfocused dialog": yzo's dialogs are modal, the user is in them.
        return []


class Script(gtk.Script):

    def __init__(self, app):
        super().__init__(app)
        # The ledger line the presentation of the focus has just said.
        self._lineSaidByFocus = None
        # What the current key has already said, with the input event it
        # answers: the ledger line of its caret, its last message, and the
        # question and value of a box.
        self._lineSaidByCaret = (None, None)
        self._lastMessage = (None, None)
        self._boxSaid = (None, None)
        self._rowSaid = (None, None)
        # A ledger line that waits to be said after the key's message.
        self._pendingLine = (None, None)
        # Key presses counted: what is said now answers the last one (a
        # release, or the focus coming back after a dialog, is the same key).
        self._keyCount = 0
        self._shiftDown = False
        self._selecting = False
        # The last focus was in one of yzo's dialogs or message boxes.
        self._focusWasInDialog = False

    def presentKeyboardEvent(self, event):
        if event.event_string in ("Shift_L", "Shift_R"):
            self._shiftDown = event.isPressedKey()
        elif event.isPressedKey() and not event.isModifierKey():
            self._keyCount += 1
            # Whether this key is Shift+Up or Shift+Down, as it was pressed:
            # the Shift key may be up again before its events arrive.
            shifted = self._shiftDown or bool(event.modifiers & keybindings.SHIFT_MODIFIER_MASK)
            self._selecting = shifted and event.event_string in ("Up", "Down")
        return super().presentKeyboardEvent(event)

    def _key(self):
        return self._keyCount

    @_orElseOrca(gtk.Script)
    def getSpeechGenerator(self):
        return SpeechGenerator(self)

    # --- The status messages ----------------------------------------------

    def _isStatusLabel(self, obj):
        return _role(obj) == pyatspi.ROLE_LABEL and _inNotification(obj)

    def sayMessage(self, text):
        text = text.strip()
        repeated, self._lineSaidByFocus = self._lineSaidByFocus, None
        if not text:
            return
        if text == repeated:
            _log("message already said by the focus: %s" % text)
            return
        line, event = self._lineSaidByCaret
        if text == line and event == self._key():
            _log("message already said by the caret: %s" % text)
            return
        if self._saidByThisKey(self._rowSaid, _spoken(text)):
            _log("message already said by the list: %s" % text)
            return
        self._lastMessage = (text, self._key())
        self._presentStatus(text)
        self._sayPendingLine()

    def _presentStatus(self, text):
        """A message as Orca presents its own: spoken, then flashed on the
        braille display. Orca's presentMessage would interrupt what is being
        said; a message is queued after it."""
        self.speakMessage(text, interrupt=False)
        try:
            self._flashBraille(text)
        except Exception as error:
            _log("braille flash failed (%r): spoken only" % error)

    def _flashBraille(self, text):
        """Shows the text on the braille display (and Orca's braille monitor)
        for the time Orca's flash settings give; Orca shows nothing when
        braille is off."""
        setting = settings_manager.getManager().getSetting
        if not setting("enableFlashMessages"):
            return
        duration = PERSISTENT_FLASH if setting("flashIsPersistent") else setting("brailleFlashTime")
        self.displayBrailleMessage(text, flashTime=duration)

    def _sayPendingLine(self):
        line, key = self._pendingLine
        self._pendingLine = (None, None)
        if line is None or key != self._key():
            return False
        self._lineSaidByCaret = (line, key)
        self.speakMessage(line, interrupt=False)
        return False  # a GLib timeout runs once

    def _saidByThisKey(self, said, what):
        text, event = said
        return text is not None and text == what and event == self._key()

    def _selectingLine(self):
        """Whether the last key is Shift+Up or Shift+Down."""
        return self._selecting

    def _keepCaretOffset(self, obj):
        """Orca's record of the caret, as if it had presented the move."""
        try:
            self._saveLastCursorPosition(obj, obj.queryText().caretOffset)
        except Exception:
            pass

    def _isLedger(self, obj):
        return _role(obj) == pyatspi.ROLE_TEXT and _name(obj) == LEDGER

    def _isAnswerBox(self, obj):
        return _role(obj) == pyatspi.ROLE_TEXT and _name(obj) in ANSWER_BOXES

    def _typedInto(self, obj):
        """Whether the last key typed text into the box (its own echo says it)."""
        return self.utilities.lastInputEventWasPrintableKey() or self.utilities.lastInputEventWasCommand()

    @_orElseOrca(gtk.Script)
    def onTextInserted(self, event):
        if self._isStatusLabel(event.source):
            # The inserted text, not the label's text now: when one key sets
            # two messages the label already holds the second.
            self.sayMessage(event.any_data or "")
            return
        if self._isAnswerBox(event.source) and not self._typedInto(event.source):
            return  # the program's text: said with the question
        if self._isLedger(event.source):
            # The program rewrites the ledger; after a Ctrl key Orca would
            # read all of it. Its caret line and the messages say what changed.
            return
        super().onTextInserted(event)

    @_orElseOrca(gtk.Script)
    def onTextDeleted(self, event):
        if self._isStatusLabel(event.source):
            return
        if self._isLedger(event.source) or (self._isAnswerBox(event.source) and not self._typedInto(event.source)):
            return
        super().onTextDeleted(event)

    @_orElseOrca(gtk.Script)
    def onDescriptionChanged(self, event):
        # A box that keeps the focus and gets a new question: the question
        # and the value the program put there, once.
        obj = event.source
        if _name(obj) not in ANSWERS:
            super().onDescriptionChanged(event)
            return
        if not self.utilities.isSameObject(obj, orca_state.locusOfFocus) or not _showing(obj):
            return
        self._presentQuestion(obj)

    def _presentQuestion(self, obj):
        question = self._question(obj)
        said = (question + " " + _boxText(obj)).strip() if self._isAnswerBox(obj) else question
        if not said or self._saidByThisKey(self._boxSaid, said):
            return
        self._boxSaid = (said, self._key())
        self.speakMessage(said, interrupt=False)

    @_orElseOrca(gtk.Script)
    def onCaretMoved(self, event):
        obj = event.source
        if _role(obj) == pyatspi.ROLE_TEXT and _name(obj) == LEDGER:
            line = _caretLine(obj)
            if self._saidByThisKey(self._lastMessage, line) \
               and self.utilities.isSameObject(obj, orca_state.locusOfFocus):
                # The key's message has said this line already.
                _log("caret line already said by the message: %s" % line)
                self._keepCaretOffset(obj)
                return
            if self._selectingLine() and self.utilities.isSameObject(obj, orca_state.locusOfFocus):
                # Shift+Up and Shift+Down select the line they leave and say
                # so: that message first, then the new line.
                _log("line waits for the message: %s" % line)
                self._keepCaretOffset(obj)
                self._pendingLine = (line, self._key())
                GLib.timeout_add(PENDING_LINE_MS, self._sayPendingLine)
                return
        super().onCaretMoved(event)

    def _presentTextAtNewCaretPosition(self, event, otherObj=None):
        obj = otherObj or event.source
        u = self.utilities
        super()._presentTextAtNewCaretPosition(event, otherObj)
        # Orca says the caret's line after a key that moves by lines or pages
        # only; then the key's message is not said again.
        saysLine = u.lastInputEventWasLineNav() or u.lastInputEventWasPageNav() or u.lastInputEventWasFileBoundaryNav()
        if saysLine and _role(obj) == pyatspi.ROLE_TEXT and _name(obj) == LEDGER:
            self._lineSaidByCaret = (_caretLine(obj), self._key())

    @_orElseOrca(gtk.Script)
    def onShowingChanged(self, event):
        if _role(event.source) == pyatspi.ROLE_NOTIFICATION:
            return  # the label's text is spoken itself
        super().onShowingChanged(event)

    @_orElseOrca(gtk.Script)
    def onNameChanged(self, event):
        if _role(event.source) in (pyatspi.ROLE_FRAME, pyatspi.ROLE_NOTIFICATION):
            return
        super().onNameChanged(event)

    @_orElseOrca(gtk.Script)
    def onTextSelectionChanged(self, event):
        # A box of the dialog area that is hidden loses its selection.
        if not _showing(event.source):
            return
        super().onTextSelectionChanged(event)

    # --- Events Orca would drop --------------------------------------------

    @_orElseOrca(gtk.Script)
    def skipObjectEvent(self, event):
        # Orca drops an event when a newer one of its kind for the same object
        # is queued: two messages set by one key would make one.
        if event.type.startswith("object:text-changed") and self._isStatusLabel(event.source):
            return False
        # GTK tells each focus twice; Orca would drop both as duplicates of
        # each other. The first is presented, the second is a duplicate.
        if event.type == "object:state-changed:focused" and event.detail1:
            cached, _ = self.eventCache.get(event.type, [None, 0])
            if cached is not None and cached != event and cached.source == event.source \
               and cached.detail1 == event.detail1:
                return self.utilities.isSameObject(event.source, orca_state.locusOfFocus)
        return super().skipObjectEvent(event)

    # --- The focus ---------------------------------------------------------

    def _listQuestion(self, oldFocus, newFocus):
        """The question of the choice list the focus enters, else ""."""
        try:
            lst = pyatspi.findAncestor(newFocus, lambda x: _role(x) in CHOICE_LISTS)
            if lst is None:
                return ""
            if oldFocus and not self.utilities.isDead(oldFocus) \
               and pyatspi.findAncestor(oldFocus, lambda x: self.utilities.isSameObject(x, lst)):
                return ""  # within the same list
            return (lst.name or "").strip()
        except Exception:
            return ""

    def _question(self, obj):
        if _name(obj) not in ANSWERS:
            return ""
        try:
            return (obj.description or "").strip()
        except Exception:
            return ""

    def _inDialog(self, obj):
        """The object is in one of yzo's dialogs, message boxes or file choosers."""
        try:
            return _role(self.utilities.topLevelObject(obj)) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT,
                                                                  pyatspi.ROLE_FILE_CHOOSER)
        except Exception:
            return False

    @_orElseOrca(gtk.Script)
    def locusOfFocusChanged(self, event, oldFocus, newFocus):
        if not newFocus or self.utilities.isSameObject(oldFocus, newFocus):
            super().locusOfFocusChanged(event, oldFocus, newFocus)
            return
        backFromDialog = _role(newFocus) == pyatspi.ROLE_FRAME and self._focusWasInDialog
        self._focusWasInDialog = self._inDialog(newFocus)
        if backFromDialog:
            # The window takes the keyboard back from one of yzo's dialogs: the
            # box or list that has the keyboard is said next, not the window.
            _log("window back from a dialog: not presented")
            return
        self._lineSaidByFocus = None
        isLedger = _role(newFocus) == pyatspi.ROLE_TEXT and _name(newFocus) == LEDGER
        # Back from a dialog: what this key has said already is not said again.
        if isLedger and self._saidByThisKey(self._lastMessage, _caretLine(newFocus)):
            _log("ledger line already said by the message")
            return
        question = self._question(newFocus) or self._listQuestion(oldFocus, newFocus)
        if self._isAnswerBox(newFocus) and question:
            said = (question + " " + _boxText(newFocus)).strip()
            if self._saidByThisKey(self._boxSaid, said):
                _log("box already said: %s" % said)
                return
            self._boxSaid = (said, self._key())
        if question:
            self.speakMessage(question, interrupt=True)
        super().locusOfFocusChanged(event, oldFocus, newFocus)
        if _role(newFocus) == pyatspi.ROLE_TABLE_CELL:
            # The row of a list that this key reached: its message is not said again.
            self._rowSaid = (_spoken(_name(newFocus)), self._key())
        if isLedger:
            self._lineSaidByFocus = _caretLine(newFocus)


def getScript(app):
    try:
        return Script(app)
    except Exception as error:
        _log("yzo's script could not start (%r): Orca's GTK script" % error)
        return gtk.Script(app)
