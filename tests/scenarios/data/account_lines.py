"""Helpers of the scripts that write the scenarios' accounts: a header, a
stored line and a Windows-1252 file with CR LF line ends, fields separated by
the character 30."""
import os

RS = "\x1e"
HERE = os.path.dirname(os.path.abspath(__file__))


def header(start, tva, kind, title, unit, count, objets=""):
    return f"{start}{'T' if tva else ' '}{kind}{objets}{RS}{title}{RS}0{RS}0{RS}{unit}{RS}{count}"


def line(date, flag, code, rub, obj, amount, tva="0", num=""):
    return f"{date}{flag}{code}{rub}{RS}{obj}{RS}{amount}{RS}{tva}{RS}{num}"


def write(name, lines):
    text = "\r\n".join(lines) + "\r\n"
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(text.encode("cp1252"))
