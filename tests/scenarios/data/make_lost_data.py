#!/usr/bin/env python3
"""Accounts for the scenarios in which nothing may be lost: separators out of
place, a line longer than any operation, several bank lines."""
import shutil
RS = "\x1e"

def write(name, lines):
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")

def op(date, flag, code, rubrique, objet, amount, numero=""):
    return date + flag + code + rubrique + RS + objet + RS + amount + RS + "0" + RS + numero

# The type and TVA letters replaced by separators.
write("sep-entete.yzo", [" 1 12026" + RS * 5, op(" 1122026", " ", "R", "Salaire", "A", "100")])
# A stored line whose flag and code are separators, between two good ones.
write("sep-ligne.yzo", [" 1 12026 S" + RS + "SEPARATEURS" + RS + "100" + RS + "0" + RS + "EUROS" + RS + "3",
                        op(" 1122026", " ", "R", "Salaire", "A", "100"),
                        "14 72026" + RS * 4,
                        op(" 2122026", " ", "D", "Courses", "B", "-20", "ES")])
# A numéro of 5,000 digits: far longer than any operation.
write("longue-ligne.yzo", [" 1 12026 S" + RS + "LONGUE" + RS + "0" + RS + "0" + RS + "EUROS" + RS + "2",
                           op(" 1122026", " ", "R", "Salaire", "A", "100"),
                           op(" 2122026", " ", "D", "Courses", "B", "-20", "7" * 5000)])
# The same long line on an account whose operations are registered with "/".
write("longue-ligne-banque.yzo", [" 1 12026 T" + RS + "LONGUE" + RS + "0" + RS + "0" + RS + "EUROS" + RS + "2",
                                  op(" 1122026", " ", "R", "Salaire", "A", "100"),
                                  op(" 2122026", " ", "D", "Courses", "B", "-20", "7" * 5000)])
# Two bank lines: the last one holds the bank balance.
write("banque-deux.yzo", [" 1 12020 T" + RS + "BANQUE" + RS + "0" + RS + "0" + RS + "EUROS" + RS + "4",
                          op(" 1 12026", "/", "B", "Banque", "Banque", "1000"),
                          op(" 2 12026", " ", "D", "Courses", "B", "-40"),
                          op(" 3 12026", "/", "B", "Banque", "Banque", "900"),
                          op(" 4 12026", " ", "R", "Salaire", "A", "15")])

shutil.copy("sep-entete.yzo", "expected/sep-entete.yzo")
write("expected/sep-ligne-ecrit.yzo",
      [" 1 12026 S" + RS + "SEPARATEURS" + RS + "80" + RS + "0" + RS + "EUROS" + RS + "3",
       op(" 1122026", " ", "R", "Salaire", "A", "100"),
       "14 72026" + RS * 4,
       op(" 2122026", " ", "D", "Courses", "B", "-20", "ES")])
write("expected/longue-ligne-ecrit.yzo",
      [" 1 12026 S" + RS + "LONGUE" + RS + "100" + RS + "0" + RS + "EUROS" + RS + "2",
       op(" 1122026", " ", "R", "Salaire", "A", "100"),
       op(" 2122026", " ", "D", "Courses", "B", "-20", "7" * 5000)])
write("expected/longue-ligne-banque-ecrit.yzo",
      [" 1 12026 T" + RS + "LONGUE" + RS + "0" + RS + "0" + RS + "EUROS" + RS + "2",
       op(" 1122026", "/", "R", "Salaire", "A", "100"),
       op(" 2122026", " ", "D", "Courses", "B", "-20", "7" * 5000)])
