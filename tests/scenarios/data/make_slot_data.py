#!/usr/bin/env python3
"""Accounts and yzo.INI files for the scenarios with several accounts."""
RS = "\x1e"

def write(name, lines):
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")

def account(title, balance, ops, password=""):
    header = " 1 12026 S" + RS + title + RS + balance + RS + "0" + RS + "EUROS" + RS + str(len(ops)) + password
    return [header] + ops

def op(date, code, rubrique, objet, amount, numero=""):
    return date + " " + code + rubrique + RS + objet + RS + amount + RS + "0" + RS + numero

write("slot-a.yzo", account("COMPTE A", "100", [op(" 1122026", "R", "Salaire", "A", "100")]))
write("slot-b.yzo", account("COMPTE B", "-20", [op(" 2122026", "D", "Courses", "B", "-20", "ES")]))
write("slot-c.yzo", account("COMPTE C", "300", [op(" 3122026", "R", "Vente", "C", "300")]))
# Password "abc", scrambled.
write("slot-passe.yzo", account("PROTEGE", "50", [op(" 4122026", "R", "Don", "P", "50")],
                                RS + "198" + RS + "197" + RS + "196"))

def ini(files, count):
    lines = files + ["sanstitre.yzo"] * (15 - len(files))
    lines += ["1", "1", "0", "Courier", "10", "Arial", "12", "", "./", "", "Arial", "8", "0", "", "0",
              str(count), "", "en tableau", "2", "14", "0"]
    write(name_of(files, count), lines)

def name_of(files, count):
    return "ini-" + "-".join(f.replace("slot-", "").replace(".yzo", "") for f in files) + f"-{count}.txt"

ini(["slot-a.yzo", "slot-absent.yzo", "slot-c.yzo"], 3)
ini(["slot-a.yzo", "slot-passe.yzo", "slot-c.yzo"], 3)
ini(["slot-a.yzo", "slot-b.yzo", "slot-c.yzo"], 3)

# What the scenarios leave behind.
import shutil
for name in ["slot-a.yzo", "slot-b.yzo"]:
    shutil.copy(name, "expected/" + name)
with open("ini-a-b-c-3.txt", "rb") as f:
    options = f.read().split(b"\r\n")[15:36]
write("expected/ini-apres-quitter.txt",
      ["slot-c.yzo", "slot-a.yzo", "slot-b.yzo"] + ["sanstitre.yzo"] * 12 + [o.decode("cp1252") for o in options])
# Saved with the password "un".
write("expected/slot-a-passe-un.yzo", account("COMPTE A", "100", [op(" 1122026", "R", "Salaire", "A", "100")],
                                             RS + "210" + RS + "201"))
write("expected/slot-c-passe-zz.yzo", account("COMPTE C", "300", [op(" 3122026", "R", "Vente", "C", "300")],
                                             RS + "221" + RS + "221"))
shutil.copy("slot-c.yzo", "expected/slot-c.yzo")
shutil.copy("slot-passe.yzo", "expected/slot-passe.yzo")
