#!/usr/bin/env python3
"""Writes the ledger accounts used by the ledger-*.scn scenarios into data/.

Account files are Windows-1252 text with CR LF line ends; fields are separated
by the character 30. Run it again after changing an account here.
"""
import os

RS = "\x1e"
HERE = os.path.dirname(os.path.abspath(__file__))


def header(start, tva, kind, title, unit, count, objets=""):
    return f"{start}{'T' if tva else ' '}{kind}{objets}{RS}{title}{RS}0{RS}0{RS}{unit}{RS}{count}"


def line(date, flag, code, rub, obj, amount, tva="0", num=""):
    return f"{date}{flag}{code}{rub}{RS}{obj}{RS}{amount}{RS}{tva}{RS}{num}"


def write(name, head, lines):
    text = "\r\n".join([head] + lines) + "\r\n"
    with open(os.path.join(HERE, "data", name), "wb") as f:
        f.write(text.encode("cp1252"))


def dated(day, month, year):
    """The 8-character stored date: a leading zero of the day or month is a blank."""
    return f"{day:2d}{month:2d}{year:04d}"


# Type 1, euros, TVA: a bank line, a line before the start date, registered lines,
# cash numbers in two cases, a traite over 12 months and a pension.
banque = [
    line(" 1 12026", " ", "B", "Banque", "BANQUE", "1000"),
    line("15122025", " ", "D", "Loyer", "AGENCE", "-500"),
    line(" 5 12026", "/", "R", "Salaire", "EMPLOYEUR", "2000"),
    line("10 32026", " ", "D", "Chèque", "BOULANGERIE", "-12,5", "-2,05", "4711"),
    line("20 62026", " ", "D", "Alimentation", "MARCHÉ", "-45,3", "-2,49", "ES"),
    line("28112026", "/", "D", "Essence", "STATION", "-60", "-10", "4712"),
    line(" 6122026", " ", "R", "Remboursement", "SÉCU", "23,75"),
    line("15122026", " ", "D", "Chèque", "TRÉSOR", "-150", "0", "4713"),
    line("10 12027", " ", "D", "Loyer", "AGENCE", "-500", "0", " es "),
]
pensions = [
    line(" 1 12027", " ", "T", "Assurance", "MAAF", "-1200", "0", "12"),
    line(" 5 12027", " ", "P", "Retraite", "CAISSE", "500", "0", "1"),
]
write("ledger-banque.yzo", header(" 1 12026", True, "T", "Compte courant", "EUROS", 11), pensions + banque)

# Type 2, francs, no TVA: marked lines.
write("ledger-repere.yzo", header(" 1 12026", False, "P", "Livret", "FRANCS", 4), [
    line("12112026", "*", "R", "Salaire", "EMPLOYEUR", "1500"),
    line(" 3122026", " ", "D", "Chèque", "PHARMACIE", "-32,4", "0", "0099"),
    line(" 8122026", " ", "D", "Courses", "MARCHÉ", "-80", "0", "ES"),
    line("24122026", "*", "D", "Cadeau", "MAGASIN", "-25,55", "0", "0100"),
])

# Type 3 in another unit: no other-unit text, an average line.
write("ledger-dollars.yzo", header(" 1 12026", False, "S", "Voyage", "DOLLARS", 3), [
    line(" 2 22026", " ", "R", "Virement", "BANQUE", "300"),
    line("14 72026", " ", "D", "Hôtel", "ROME", "-120,4", "0", "ES"),
    line(" 1 12027", " ", "D", "Train", "SNCF", "-79,6"),
])

# Type 4 (receipts only), euros, TVA, no rubriques shown.
write("ledger-recettes.yzo", header(" 1 12026", True, "R", "Ventes", "EUROS", 3, " ventes.obj "), [
    line("15 92026", " ", "R", "", "CLIENT DUPONT", "120", "20", "F001"),
    line(" 6122026", " ", "R", "", "CLIENT MARTIN", "60", "10", "ES"),
    line("20122026", " ", "R", "", "CLIENT DURAND", "240", "40", "F002"),
])

# Type 5 (expenses only), francs, no TVA; the last line was cancelled ("A").
write("ledger-depenses.yzo", header(" 1 12026", False, "D", "Maison", "FRANCS", 3, "maison.obj"), [
    line(" 3 32026", " ", "D", "", "PLOMBIER", "-350"),
    line("30112026", " ", "D", "", "ÉLECTRICIEN", "-1200,8", "0", "ES"),
    line(" 2122026", " ", "A", "", "PEINTRE", "0"),
])

# 43 operations: with the header and the balance line, 45 screen lines.
long_lines = []
day, month = 1, 10
days_in = {10: 31, 11: 30}
for i in range(43):
    long_lines.append(line(dated(day, month, 2026), " ", "D" if i % 3 else "R", "Divers",
                           f"OBJET {i + 1:02d}", f"-{i + 1}" if i % 3 else f"{10 * (i + 1)}"))
    day += 1
    if day > days_in[month]:
        day, month = 1, month + 1
write("ledger-long.yzo", header(" 1 12026", False, "S", "Quarante trois", "EUROS", 43), long_lines)
