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


# Accounts as the entry scenarios leave them once saved, worked out from the
# line layout: every line that was changed is written again from its fields
# (amounts with two decimals and no ",00"); the others keep their text. The
# header carries the balance and the TVA total of the last display of all
# operations and the number of lines.
def saved(letter, title, balance, lines, unit="EUROS", tva=" ", objets="", tva_total="0"):
    head = " 1 12026" + tva + letter + objets + RS + title + RS + balance + RS + tva_total + RS + unit + RS + str(len(lines))
    return [head] + lines


# Marked account: two creations kept (a free rubrique R, a Loyer line from its
# objet list), one cheque with an older number; then the flag of GARAGE, the
# date of EPICERIE (moved after the 5 November lines), the rubrique of the
# salary (turned into an expense), the objet of AGENCE, the amount of the free
# rubrique and the numéro of GARAGE.
write("expected/ent-repere-apres.yzo", saved("P", "REPERE", "-2988,30", [
    op(" 5112026", "D", "Loyer", "PROPRIETAIRE", "-700", ""),
    op(" 5112026", "R", "Remboursement", "secu", "45", "13"),
    op(" 5112026", "D", "Loyer", "Notaire", "-700", "ES"),
    op(" 5112026", "D", "Chèque", "EMPLOYEUR", "-1500", "12"),
    op(" 5112026", "D", "Chèque", "GARAGE", "-80", "17", flag="*"),
    op(" 7112026", "D", "Chèque", "EPICERIE", "-45,30", "4711"),
    op(" 6122026", "D", "Chèque", "", "-8", "4711")]))

# Account with TVA: an expense of 100 at the rate 19,6, a receipt with a TVA
# of 9,80 typed; then the rate 5,5 on GARAGE and a TVA of 3 typed on EPICERIE.
write("expected/ent-simple-apres.yzo", saved("S", "SIMPLE", "624,70", [
    op(" 3112026", "D", "Chèque", "EPICERIE", "-45,30", "4711", tva="-3"),
    op(" 5112026", "D", "Loyer", "AGENCE", "-700", "ES"),
    op(" 5112026", "R", "Salaire", "EMPLOYEUR", "1500", "12"),
    op(" 5112026", "D", "Chèque", "GARAGE", "-80", "15", tva="-4,40"),
    op(" 6122026", "D", "Loyer", "AGENCE", "-100", "", tva="-19,60"),
    op(" 6122026", "R", "Salaire", "prime", "50", "20", tva="9,80")], tva="T", tva_total="-17,20"))

# Francs account: 10 euros typed with E on a free expense (65,60 francs) and
# 100 francs typed with F on a receipt; the abandoned creations leave nothing.
write("expected/ent-francs-apres.yzo", saved("S", "FRANCS", "709,10", ops + [
    op(" 1122026", "D", "Cadeau", "livre", "-65,60", ""),
    op(" 1122026", "R", "Salaire", "prime", "100", "")], unit="FRANCS"))

# Receipts account: an objet typed through "création d'un objet", a receipt
# numbered 8 after the refusal of 7; then the objet of the first line chosen
# from the list.
write("expected/ent-recettes-apres.yzo", saved("R", "RECETTES", "55,50", [
    op(" 2112026", "R", "", "CROIX ROUGE", "20", "7"),
    op(" 3112026", "R", "", "mairie", "15,50", ""),
    op(" 3112026", "R", "", "CROIX ROUGE", "20", "8")], objets="Dons.obj"))

# Expenses account: two expenses typed in the objet box, the second without a
# number; then the amount of the first, the numéro and the date of the second.
write("expected/ent-depenses-apres.yzo", saved("D", "DEPENSES", "-3,20", [
    op(" 4122026", "D", "", "pain", "-1,20", "3"),
    op(" 5122026", "D", "", "lait", "-2", "ES")], objets="absent.obj"))
