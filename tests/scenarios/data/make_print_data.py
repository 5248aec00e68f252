#!/usr/bin/env python3
"""Writes the accounts and cheque parameter files used by the print-*.scn scenarios.

Account files are Windows-1252 text with CR LF line ends; fields are separated
by the character 30. Run it again after changing an account here.
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing of this script's own is left among the data
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from account_lines import header, line, write  # noqa: E402


# Type 1 with TVA: long rubriques and objets make the table wider than 80
# columns; the cheque cases 12,05, 1 and 0,01 euro, a big amount, a recette.
banque = [
    line(" 1112026", " ", "B", "Banque", "BANQUE", "1000"),
    line(" 2112026", "/", "D", "Chèque", "BOULANGERIE DU COIN DE LA RUE", "-12,05", "-0,63", "1201"),
    line(" 3112026", " ", "D", "Alimentation générale", "SUPERMARCHÉ DU CENTRE COMMERCIAL", "-1", "0", "1202"),
    line(" 4112026", " ", "D", "Chèque", "POSTE", "-0,01", "0", "1203"),
    line(" 5112026", "/", "R", "Salaire", "EMPLOYEUR", "2000", "0", ""),
    line(" 6112026", " ", "D", "Remboursement d'emprunt immobilier", "BANQUE", "-1971,8", "-12,5", "1204"),
    line(" 7112026", " ", "D", "Chèque", "NOTAIRE", "-1234567,89", "0", "1205"),
]
write("print-banque.yzo", [header(" 1 12026", True, "T", "Compte joint", "EUROS", len(banque))] + banque)

# Type 2 in francs, no TVA, amounts written with a decimal point by an older
# program: whole amounts line their units digit up with the others.
repere = [
    line(" 2112026", "*", "R", "Paie", "EDF", "100"),
    line(" 3112026", " ", "D", "Gaz", "GDF", "-12.5", "0", "1"),
    line(" 4112026", " ", "D", "Eau", "SEM", "-3.25", "0", "22"),
    line(" 5112026", "*", "D", "Chèque", "ABC", "-7", "0", "333"),
]
write("print-repere.yzo", [header(" 1 12026", False, "P", "Livret", "FRANCS", len(repere))] + repere)

# Type 3 with TVA, no numbers at all.
simple = [
    line(" 2112026", " ", "D", "Courses", "MARCHÉ", "-45,3", "-2,49"),
    line(" 3112026", " ", "R", "Vente", "VOISIN", "150", "25"),
]
write("print-simple.yzo", [header(" 1 12026", True, "S", "Perso", "EUROS", len(simple))] + simple)

# Type 4, receipts only: no rubriques.
recettes = [
    line(" 2112026", " ", "R", "", "CLIENT DUPONT", "120", "0", "F001"),
    line(" 3112026", " ", "R", "", "CLIENT MARTIN", "60,5", "0", "ES"),
]
write("print-recettes.yzo", [header(" 1 12026", False, "R", "Ventes", "EUROS", len(recettes), "ventes.obj")] + recettes)

# Type 5, expenses only, in dollars: a traite code and an amount of one dollar.
depenses = [
    line(" 2112026", " ", "D", "", "PLOMBIER", "-350", "0", "77"),
    line(" 3112026", " ", "D", "", "PEINTRE", "-1"),
]
write("print-depenses.yzo", [header(" 1 12026", False, "D", "Maison", "DOLLARS", len(depenses), "maison.obj")] + depenses)

# Cheque parameter files: one too short, and others with a bad value each.
NEW = ["Les paramètres de position sont en Millimètre", "Réglages selon l'imprimante :", "0", "0", "203", "213",
       "Mensurations du chèque :", "175", "35", "135", "40", "21", "50", "72", "27", "5", "116", "33", "5", "115",
       "42", "90", "31", "42", "135", "40"]
write("cheque-court.PRM", NEW[:20])
write("cheque-zero.PRM", NEW[:4] + ["0"] + NEW[5:])
write("cheque-lettre.PRM", NEW[:10] + ["13O"] + NEW[11:])
write("cheque-enorme.PRM", NEW[:5] + ["99999999999999999999"] + NEW[6:])
write("cheque-negatif.PRM", NEW[:2] + ["-5"] + NEW[3:])
# A layout where the ordre and the amount in figures share a row, the figures
# to the left, and the date falls below the cheque (row 100 or more).
write("cheque-meme-ligne.PRM", NEW[:8] + ["33", "5", "40"] + NEW[11:17] + ["33", "40", "115"] + NEW[20:23] +
      ["100", "135", "40"])

# The parameter file the program writes for a new cheque book.
write(os.path.join("expected", "print-cheque-nouveau.PRM"), NEW)
