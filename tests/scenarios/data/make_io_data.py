#!/usr/bin/env python3
"""Account files for the reading and writing scenarios (Windows-1252, CR LF)."""
RS = "\x1e"

def write(name, lines):
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")

# Due next year, so that opening the account inserts nothing.
traite = "10 12027 T" + RS + "ASSURANCE" + RS + "-240" + RS + "0" + RS + "12"
ops = [" 2112026 RSalaire" + RS + "EMPLOYEUR" + RS + "1500" + RS + "0" + RS,
       " 5112026 DChèque" + RS + "ÉPICERIE" + RS + "-45,30" + RS + "0" + RS + "1201",
       "20112026 DLoyer" + RS + "AGENCE" + RS + "-700" + RS + "0" + RS,
       " 7122026 DCourses" + RS + "MARCHÉ" + RS + "-62,15" + RS + "0" + RS + "ES"]
header = " 1 12026 S" + RS + "PERSO" + RS + "692,55" + RS + "0" + RS + "EUROS" + RS + "5"
write("io-perso.yzo", [header, traite] + ops)
write("expected/io-perso.yzo", [header, traite] + ops)
# The same account under a name with accents, saved over its own file.
write("Épargne-été.yzo", [header, traite] + ops)
# The traite stands after the operations: it is written back first.
write("io-desordre.yzo", [header] + ops[:2] + [traite] + ops[2:])
write("expected/io-desordre-ecrit.yzo", [header, traite] + ops)
write("expected/io-desordre.bak", [header] + ops[:2] + [traite] + ops[2:])
