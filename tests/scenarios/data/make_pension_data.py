#!/usr/bin/env python3
"""Accounts with traites and pensions, and the yzo.INI that opens two of them at launch."""
RS = "\x1e"


def write(name, lines):
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")


def line(date, code, rubrique, objet, amount, numero=""):
    return date + " " + code + rubrique + RS + objet + RS + amount + RS + "0" + RS + numero


def account(title, items, ops, password="", letter="S"):
    header = " 1 12026 " + letter + RS + title + RS + "0" + RS + "0" + RS + "EUROS" + RS + str(len(items) + len(ops))
    return [header + password] + items + ops


salary = [line(" 1 12026", "R", "Salaire", "EMPLOYEUR", "1000")]

# Opened on 20 May 2026: the pension falls due three times, the traite of
# 31 January four times (31 January, then 3 March, 3 April, 3 May), the
# traite of mensualité 0 never, the pension of 2027 not yet.
write("pen-echues.yzo", account("ECHUES", [
    line("31 12026", "T", "Assurance", "MAIF", "-60", "1"),
    line("10 22026", "T", "Abonnement", "JOURNAL", "-12", "0"),
    line("15 32026", "P", "Retraite", "CAISSE", "800", "1"),
    line(" 1 12027", "P", "Retraite", "COMPLEMENTAIRE", "150", "12"),
], salary))

write("pen-futur.yzo", account("FUTUR", [
    line(" 1 62026", "T", "Assurance", "MAIF", "-60", "1"),
    line(" 1 72026", "P", "Retraite", "CAISSE", "800", "1"),
], salary))

# Password "abc", scrambled; one pension due on 1 May 2026.
write("pen-passe.yzo", account("PROTEGE", [line(" 1 52026", "P", "Retraite", "CAISSE", "800", "1")], salary,
                               password=RS + "198" + RS + "197" + RS + "196"))

# Opened on 1 November 2026, before any of its items falls due: they are
# inserted by hand.
write("pen-main.yzo", account("A LA MAIN", [
    line("10112026", "T", "Assurance", "MAIF", "-90", "3"),
    line("20112026", "T", "Divers", "ZERO", "-1", "0"),
    line("20112026", "T", "Divers", "VIDE", "-2", ""),
    line("20112026", "T", "Divers", "LETTRES", "-3", "abc"),
    line("20112026", "T", "Divers", "NEGATIVE", "-4", "-3"),
    line("20112026", "T", "Divers", "TROP", "-5", "99999"),
    line("31 12027", "P", "Retraite", "FIN DE MOIS", "100", "1"),
    line("29 22028", "P", "Retraite", "BISSEXTILE", "200", "12"),
], [line(" 1102026", "R", "Salaire", "EMPLOYEUR", "1000")]))

ini_lines = ["pen-echues.yzo", "pen-futur.yzo"] + ["sanstitre.yzo"] * 13
ini_lines += ["1", "1", "0", "Courier", "10", "Arial", "12", "", "./", "", "Arial", "8", "0", "", "0",
              "2", "", "en tableau", "2", "14", "0"]
write("ini-pensions.txt", ini_lines)
