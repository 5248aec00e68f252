#!/usr/bin/env python3
"""Writes the notes files of the extras-bloc-note-*.scn scenarios that are not
Windows-1252 text: the end mark (0x1A) an old editor leaves after the last
line, and a UTF-16 file, whose NUL bytes are not text. Each is also written
under expected/, where the scenario checks that it is still the same."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

FILES = {
    "notes-dos.txt": "Rendez-vous chez le notaire\r\nPayer le loyer\r\n".encode("cp1252") + b"\x1a",
    "notes-utf16.txt": "\ufeffAcheter du pain\r\nTéléphoner à la banque\r\n".encode("utf-16-le"),
}

for name, data in FILES.items():
    for folder in (HERE, os.path.join(HERE, "expected")):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
