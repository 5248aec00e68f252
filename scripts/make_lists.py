#!/usr/bin/env python3
"""Writes the default list files shipped with yzo (Windows-1252, CR LF) into
data/ and the same files into the demo folder examples/demo/."""
import os

RUBRIQUES_OPERATIONS = [
    ("D", "Alimentation"), ("R", "Allocations"), ("D", "Assurance"), ("D", "Cadeaux"),
    ("D", "Carburant"), ("D", "Chèque"), ("D", "Eau"), ("D", "Électricité"),
    ("D", "Frais bancaires"), ("D", "Impôts"), ("D", "Internet"), ("D", "Loisirs"),
    ("D", "Loyer"), ("R", "Remboursement"), ("R", "Salaire"), ("D", "Santé"),
    ("D", "Téléphone"), ("D", "Transport"), ("D", "Vêtements"),
]
RUBRIQUES_PENSIONS = [
    ("T", "Abonnement"), ("P", "Allocations"), ("T", "Assurance"), ("T", "Crédit"),
    ("T", "Impôts"), ("T", "Loyer"), ("P", "Pension"), ("P", "Retraite"),
]
TVA = ["20", "10", "5,5", "2,1"]
OBJETS = {
    "Alimentation.obj": ["BOULANGERIE", "MARCHÉ", "SUPERMARCHÉ"],
    "Assurance.obj": ["ASSURANCE AUTO", "ASSURANCE HABITATION", "MUTUELLE"],
    "Impôts.obj": ["TAXE FONCIÈRE", "TRÉSOR PUBLIC"],
    "Loyer.obj": ["AGENCE DU PORT", "PROPRIÉTAIRE"],
    "Salaire.obj": ["EMPLOYEUR"],
    "Santé.obj": ["DENTISTE", "MÉDECIN", "PHARMACIE"],
    # Standard objets of receipts-only and expenses-only accounts.
    "Recettes.obj": ["DON", "REMBOURSEMENT", "VENTE"],
    "Depenses.obj": ["COURSES", "ESSENCE", "PHARMACIE"],
}


def write(folder, name, lines):
    with open(os.path.join(folder, name), "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\r\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for folder in (os.path.join(root, "data"), os.path.join(root, "examples", "demo")):
        os.makedirs(folder, exist_ok=True)
        write(folder, "Rubrique.ope", [c + " " + n for c, n in RUBRIQUES_OPERATIONS])
        write(folder, "Rubrique.pen", [c + " " + n for c, n in RUBRIQUES_PENSIONS])
        write(folder, "Tva.txt", TVA)
        for name, objets in OBJETS.items():
            write(folder, name, objets)


if __name__ == "__main__":
    main()
