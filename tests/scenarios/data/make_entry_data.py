#!/usr/bin/env python3
"""Accounts and list files for the entry scenarios (Windows-1252, CR LF)."""
import os

RS = "\x1e"


def write(name, lines):
    os.makedirs(os.path.dirname(name) or ".", exist_ok=True)
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")


def op(date, code, rubrique, objet, montant, numero="", flag=" ", tva="0"):
    return date + flag + code + rubrique + RS + objet + RS + montant + RS + tva + RS + numero


def header(letter, title, unit="EUROS", tva=" ", objets="", count=0):
    return " 1 12026" + tva + letter + objets + RS + title + RS + "0" + RS + "0" + RS + unit + RS + str(count)


# List files of the program's folder.
write("Rubrique.ope", ["D Chèque", "D Loyer", "R Salaire"])
write("Rubrique.pen", ["T Assurance", "P Retraite"])
write("Tva.txt", ["19,6", "5,5"])
write("LOYER.OBJ", ["AGENCE", "PROPRIETAIRE"])
write("Dons.obj", ["CROIX ROUGE", "RESTOS"])

ops = [op(" 3112026", "D", "Chèque", "EPICERIE", "-45,3", "4711"),
       op(" 5112026", "D", "Loyer", "AGENCE", "-700", "ES"),
       op(" 5112026", "R", "Salaire", "EMPLOYEUR", "1500", "12"),
       op(" 5112026", "D", "Chèque", "GARAGE", "-80", "15")]
write("ent-banque.yzo", [header("T", "BANQUE", count=len(ops))] + ops)
write("ent-repere.yzo", [header("P", "REPERE", count=len(ops))] + ops)
write("ent-simple.yzo", [header("S", "SIMPLE", tva="T", count=len(ops))] + ops)
write("ent-francs.yzo", [header("S", "FRANCS", unit="FRANCS", count=len(ops))] + ops)
write("ent-recettes.yzo", [header("R", "RECETTES", objets="Dons.obj", count=1),
                           op(" 2112026", "R", "", "RESTOS", "20", "7")])
write("ent-depenses.yzo", [header("D", "DEPENSES", objets="absent.obj", count=0)])
