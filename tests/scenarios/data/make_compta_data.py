#!/usr/bin/env python3
"""Writes the accounts and command files used by the compta-*.scn scenarios.

Account files and command files are Windows-1252 text with CR LF line ends;
fields of an account line are separated by the character 30. The storage
folder of these scenarios is stock/ (compta-ini.txt), the program's folder is
the scenario's folder. Run it again after changing a file here.
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing of this script's own is left among the data
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from account_lines import header, line, write  # noqa: E402


# Type 1 (bank code) with TVA, from 1 January 2026: a traite and a pension
# (summed, never listed), an operation before the start (never summed), the
# bank line (its amount is added to the balance), a registered operation (in
# the bank amount, so not summed again), cash written "ES" and " es ".
banque = [
    line(" 1 62026", " ", "P", "Retraite", "CAISSE", "800", "0", "1"),
    line(" 1 32026", " ", "T", "Crédit", "BANQUE", "-300", "0", "3"),
    line(" 1122025", " ", "D", "Ancien", "AVANT LE DÉBUT", "-999"),
    line(" 2 12026", " ", "B", "Banque", "BANQUE", "1000"),
    line(" 3 12026", "/", "D", "Chèque", "BOULANGERIE", "-50", "-2,5", "1200"),
    line(" 4 22026", " ", "D", "Chèque", "PHARMACIE", "-12,05", "-0,63", "1201"),
    line("15 42026", " ", "D", "Alimentation", "MARCHÉ", "-20", "0", "ES"),
    line("20 52026", " ", "R", "Remboursement", "VOISIN", "100", "0", " es "),
    line("30 62026", " ", "R", "Salaire", "EMPLOYEUR", "2000"),
    line("10 72026", " ", "D", "Loyer", "PROPRIÉTAIRE", "-700", "0", "1202"),
]
write("compta-banque.yzo", [header(" 1 12026", True, "T", "Compte joint", "EUROS", len(banque))] + banque)

# Type 3, euros, no TVA and no cash: only its total line.
simple = [
    line(" 5 22026", " ", "R", "Vente", "BROCANTE", "150"),
    line(" 6 62026", " ", "D", "Courses", "ÉPICERIE", "-45,3"),
]
write("compta-simple.yzo", [header(" 1 12026", False, "S", "Porte-monnaie", "EUROS", len(simple))] + simple)

# An account in the storage folder, its name in lower case on the disk.
stock = [
    line(" 7 32026", " ", "R", "Intérêts", "LIVRET A", "37,5"),
]
write("stock/compta-livret.yzo", [header(" 1 12026", False, "S", "Livret", "EUROS", len(stock))] + stock)

# Francs: a unit that differs from the first account's.
francs = [
    line(" 1 22026", " ", "R", "Héritage", "NOTAIRE", "6559,57"),
]
write("compta-francs.yzo", [header(" 1 12026", False, "S", "Vieux compte", "FRANCS", len(francs))] + francs)

# One line that cannot be read field by field: reported, not counted.
abimee = [
    line(" 2 22026", " ", "R", "Don", "AMI", "10"),
    " 3 22026 Dsans séparateur",
    line(" 4 22026", " ", "D", "Cadeau", "AMIE", "-4"),
]
write("compta-abimee.yzo", [header(" 1 12026", False, "S", "Abîmé", "EUROS", len(abimee))] + abimee)

# A header that is no account header at all (in the storage folder).
write("stock/compta-illisible.yzo", ["ceci n'est pas un compte"])

# Every form of a command line.
write("compta-mots.txt", [
    "Rapport de démonstration",
    "   une remarque qui garde ses blancs",
    "NOM_COMPTE: compta-banque.yzo",
    "nom_compte:compta-livret.yzo+COMPTA-SIMPLE.YZO",
    "SOLDE_PARTIEL:   trois comptes",
    "Solde_Partiel: aussitôt",
    "NOM_COMPTE compta-simple.yzo",
    "Remarque : SOLDE_TOTAL: après une remarque",
    "NOM_COMPTE: absent.yzo + /nulle/part/absent.yzo",
    "",
    "SOLDE_TOTAL: général",
])

# A text with no keyword at all: the header, the title and the copy.
write("compta-texte.txt", [
    "Aucun mot clé ici,",
    "",
    "   rien que du texte : recopié tel quel.",
])

# The same text in a command file named ".prn", which its report would replace.
write("compta-rapport.prn", [
    "Aucun mot clé ici,",
    "",
    "   rien que du texte : recopié tel quel.",
])

# Differing units: the warning at the account, every later total replaced.
write("compta-unites.txt", [
    "NOM_COMPTE: compta-simple.yzo",
    "SOLDE_PARTIEL: euros",
    "NOM_COMPTE: compta-francs.yzo",
    "SOLDE_PARTIEL: francs",
    "SOLDE_TOTAL: tout",
])

# Accounts that cannot be read whole.
write("compta-abime.txt", [
    "NOM_COMPTE: compta-illisible.yzo + compta-abimee.yzo",
    "SOLDE_TOTAL: total",
])

# The open account and a date range (the window's scenario).
write("compta-fenetre.txt", [
    "Comptes du premier semestre",
    "NOM_COMPTE: compta-banque.yzo",
    "NOM_COMPTE: compta-simple.yzo",
    "SOLDE_TOTAL: semestre",
])

# The program's options with the storage folder stock/.
ini = ["sanstitre.yzo"] * 15 + ["1", "1", "0", "Courier", "10", "Arial", "12", "", "stock/", "",
                                "Arial", "8", "0", "", "0", "1", "", "en tableau", "2", "14", "0"]
write("compta-ini.txt", ini)

# A command file in a folder of its own, beside one of its accounts: the last
# name of a line is looked for in the program's folder, then in the storage
# folder, then beside the command file.
os.makedirs(os.path.join(os.path.dirname(os.path.abspath(__file__)), "rapport"), exist_ok=True)
voisin = [
    line(" 8 32026", " ", "R", "Cotisation", "ADHÉRENT", "25"),
]
write("rapport/compta-voisin.yzo", [header(" 1 12026", False, "S", "Caisse du club", "EUROS", len(voisin))] + voisin)
write("rapport/compta-dossiers.txt", [
    "Comptes cherchés dans les dossiers",
    "NOM_COMPTE: compta-livret.yzo",
    "NOM_COMPTE: compta-voisin.yzo",
    "NOM_COMPTE: compta-simple.yzo + compta-voisin.yzo",
    "NOM_COMPTE: absent.yzo",
    "SOLDE_TOTAL: tout",
])
