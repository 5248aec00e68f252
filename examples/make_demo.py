#!/usr/bin/env python3
"""Writes the demo account examples/demo/courant.yzo (Windows-1252, CR LF)."""
import os

RS = "\x1e"

def date(d, m, y):
    return f"{d:2d}{m:2d}{y:04d}"

def amount(v):
    s = f"{abs(v):.2f}".replace(".", ",")
    if s.endswith(",00"):
        s = s[:-3]
    return ("-" if v < 0 and s != "0" else "") + s

def line(d, m, y, flag, code, rub, obj, mt, num, tva=0):
    return f"{date(d, m, y)}{flag}{code}{rub}{RS}{obj}{RS}{amount(mt)}{RS}{amount(tva)}{RS}{num}"

ops = []
cheque = 4501
for month in range(7, 13):
    ops.append(line(1, month, 2026, "/" if month < 11 else " ", "R", "Salaire", "EMPLOYEUR", 2150, ""))
    ops.append(line(3, month, 2026, "/" if month < 11 else " ", "D", "Loyer", "AGENCE DU PORT", -720, ""))
    ops.append(line(8, month, 2026, "/" if month < 11 else " ", "D", "Chèque", "BOULANGERIE", -23.4 - month, str(cheque)))
    cheque += 1
    ops.append(line(12, month, 2026, "/" if month < 10 else " ", "D", "Alimentation", "MARCHÉ", -64.15 - month * 2, "ES"))
    ops.append(line(17, month, 2026, " ", "D", "Électricité", "ÉNERGIE", -58.3, ""))
    if month % 2 == 0:
        ops.append(line(21, month, 2026, " ", "D", "Chèque", "PHARMACIE", -17.85, str(cheque)))
        cheque += 1
    ops.append(line(25, month, 2026, " ", "R", "Remboursement", "SÉCURITÉ SOCIALE", 31.5, ""))
ops.append(line(30, 9, 2026, " ", "B", "Banque", "BANQUE", 1840.25, ""))
ops.append(line(15, 12, 2026, " ", "D", "Cadeaux", "LIBRAIRIE", -42, "ES"))
ops.append(line(20, 12, 2026, " ", "D", "Chèque", "GARAGE", -312.6, str(cheque)))

def key(l):
    d, m, y = int(l[0:2]), int(l[2:4]), int(l[4:8])
    return (y, m, d)
ops.sort(key=key)
# Next due in January 2027: opening the demo in December 2026 inserts nothing;
# from then on it shows the catch-up of the items fallen due.
pensions = [line(5, 1, 2027, " ", "T", "Assurance", "ASSURANCE HABITATION", -240, "12"),
            line(10, 1, 2027, " ", "P", "Allocation", "CAF", 180, "1")]
lines = pensions + ops
header = f"{date(1, 7, 2026)} T{RS}COURANT{RS}0{RS}0{RS}EUROS{RS}{len(lines)}"
here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "demo", "courant.yzo"), "wb") as f:
    for l in [header] + lines:
        f.write(l.encode("cp1252") + b"\r\n")
