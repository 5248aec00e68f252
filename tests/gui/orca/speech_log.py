"""Orca's speech server when its settings name it ("speechServerFactory"):
speaks nothing, and logs each utterance as a JSON line in $YZO_SPEECH_LOG:
{"t": seconds, "what": "speak" | "char" | "key" | "stop", "text": ..., "interrupt": ...}"""
import json
import os
import threading
import time

from orca import speechserver

_lock = threading.Lock()


def _log(what, text="", interrupt=None):
    entry = {"t": round(time.monotonic(), 3), "what": what, "text": text}
    if interrupt is not None:
        entry["interrupt"] = bool(interrupt)
    line = json.dumps(entry, ensure_ascii=False)
    with _lock, open(os.environ["YZO_SPEECH_LOG"], "a", encoding="utf-8") as f:
        f.write(line + "\n")


class SpeechServer(speechserver.SpeechServer):
    """Holds nothing: every instance writes to the one log. What it does not
    define (rate, pitch, shutdown...) is the base class's, which does nothing."""

    @staticmethod
    def getFactoryName():
        return "yzo speech log"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        return SpeechServer()

    def getInfo(self):
        return ["yzo speech log", "log"]

    def speak(self, text=None, acss=None, interrupt=True):
        if text:
            _log("speak", str(text), interrupt)

    def speakCharacter(self, character, acss=None):
        _log("char", str(character))

    def speakKeyEvent(self, event, acss=None):
        _log("key", getattr(event, "event_string", str(event)))

    def sayAll(self, utteranceIterator, progressCallback):
        for context, _ in utteranceIterator:
            _log("speak", context.utterance, False)

    def stop(self):
        _log("stop")
