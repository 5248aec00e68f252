# yzo's own script for the Orca screen reader (Orca 43).
#
# Orca reads application scripts from the package orca-scripts of its
# preferences folder ($XDG_DATA_HOME/orca/orca-scripts/), by the name of the
# application: this file is installed there as yzo.py (yzo offers to copy it
# at start when the file verorca.ini is in its folder).
#
# What it changes, for yzo's windows only:
# - every new text of the status label "Message" is spoken, exactly, once,
#   queued after what is being said, with no role or name around it; the
#   notification that yzo shows for screen readers without this script is
#   not spoken;
# - a message that repeats the ledger line which the focus has just
#   brought is not said a second time;
# - a box or list of the dialog area is presented with its question; a
#   choice list (its question is its name) by its question alone, when the
#   focus enters it, without its role or its size;
# - the window is not presented again when it takes the keyboard back from
#   one of yzo's dialogs or message boxes, nor counted with its dialogs;
# - a change of the window's title is not spoken: yzo says the file name
#   itself.
import pyatspi

from orca import debug
from orca import orca_state
from orca import speech_generator
from orca.scripts.toolkits import gtk

STATUS_LABEL = "Message"
LEDGER = "Opérations"
# The boxes and lists that answer the question of the dialog area; yzo gives
# each the question as its description.
ANSWERS = {"Réponse", "Date", "Mot de passe", "Liste", "Critères"}
# The roles of yzo's choice lists (a list of check boxes is a table); their
# question is their name.
CHOICE_LISTS = (pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE)


def _log(text):
    debug.println(debug.LEVEL_INFO, "YZO: " + text, True)


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


def _showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def _caretLine(obj):
    """The line of a text object where its caret is, without its blanks."""
    try:
        text = obj.queryText()
        line, _, _ = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
        return line.strip()
    except Exception:
        return None


class SpeechGenerator(speech_generator.SpeechGenerator):

    def _generateDescription(self, obj, **args):
        # The question of a box or list of the dialog area is said before it.
        if _name(obj) in ANSWERS:
            return []
        return super()._generateDescription(obj, **args)

    def generate(self, obj, **args):
        # A choice list around the item that has the focus: the script says
        # its question itself, without "list box" or the table's size.
        if args.get("formatType") == "ancestor" and args.get("role") in CHOICE_LISTS:
            return []
        return super().generate(obj, **args)

    def _generateUnfocusedDialogCount(self, obj, **args):
        # "1 unfocused dialog": yzo's dialogs are modal, the user is in them.
        return []


class Script(gtk.Script):

    def __init__(self, app):
        super().__init__(app)
        # The ledger line the presentation of the focus has just said.
        self._lineSaidByFocus = None
        # The last focus was in one of yzo's dialogs or message boxes.
        self._focusWasInDialog = False

    def getSpeechGenerator(self):
        return SpeechGenerator(self)

    # --- The status messages ----------------------------------------------

    def _isStatusLabel(self, obj):
        return _role(obj) == pyatspi.ROLE_LABEL and _name(obj) == STATUS_LABEL

    def sayMessage(self, text):
        text = text.strip()
        repeated, self._lineSaidByFocus = self._lineSaidByFocus, None
        if not text:
            return
        if text == repeated:
            _log("message already said by the focus: %s" % text)
            return
        self.speakMessage(text, interrupt=False)

    def onTextInserted(self, event):
        if self._isStatusLabel(event.source):
            # The inserted text, not the label's text now: when one key sets
            # two messages the label already holds the second.
            self.sayMessage(event.any_data or "")
            return
        super().onTextInserted(event)

    def onTextDeleted(self, event):
        if self._isStatusLabel(event.source):
            return
        super().onTextDeleted(event)

    def onShowingChanged(self, event):
        if _role(event.source) == pyatspi.ROLE_NOTIFICATION:
            return  # the label's text is spoken itself
        super().onShowingChanged(event)

    def onNameChanged(self, event):
        if _role(event.source) in (pyatspi.ROLE_FRAME, pyatspi.ROLE_NOTIFICATION):
            return
        super().onNameChanged(event)

    def onTextSelectionChanged(self, event):
        # A box of the dialog area that is hidden loses its selection.
        if not _showing(event.source):
            return
        super().onTextSelectionChanged(event)

    # --- Events Orca would drop --------------------------------------------

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
        """The object is in one of yzo's dialogs or message boxes."""
        try:
            return _role(self.utilities.topLevelObject(obj)) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
        except Exception:
            return False

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
        question = self._question(newFocus) or self._listQuestion(oldFocus, newFocus)
        if question:
            self.speakMessage(question, interrupt=True)
        super().locusOfFocusChanged(event, oldFocus, newFocus)
        if _role(newFocus) == pyatspi.ROLE_TEXT and _name(newFocus) == LEDGER:
            self._lineSaidByFocus = _caretLine(newFocus)


def getScript(app):
    return Script(app)
