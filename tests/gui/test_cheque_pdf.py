#!/usr/bin/python3
"""A cheque printed to a PDF through GTK's "Print to File" lands where its
parameters put it: `pdftotext -bbox` reads its words, each of which must
start within half a character of the place its millimetres give, through
"80 caractères font en longueur" and "65 lignes font en millimètres"."""
import html, re
from gui_support import *  # noqa: F401,F403

# The parameter file's values, line by line (lines 1, 2 and 7 are fixed texts).
TOP, LEFT = 6, 4                 # margins
LENGTH_OF_80, HEIGHT_OF_65 = 200, 260
# (height from the top, start from the left, field length) of the six items.
ITEMS = {"figures": (35, 135, 40), "words1": (21, 50, 72), "words2": (27, 5, 116), "ordre": (33, 5, 115),
         "place": (42, 90, 31), "date": (42, 135, 40)}
ORDER = list(ITEMS)

# The expense of the demo account whose cheque is printed, and what it says.
EXPENSE, FIGURES, WORDS = "GARAGE", "312,60", "trois cent douze euros et soixante centimes"
DATE = "20 12  2026"               # its date in the cheque's short form
ORDRE, PLACE = "GARAGE DU PONT", "Quimper"
MM_PER_POINT = 25.4 / 72


def prepare(account):
    """The parameter file in the account's folder, made the current one by
    yzo-script's "Parametre du chéquier" (it writes yzo.INI on quitting)."""
    folder = os.path.dirname(account)
    prm = os.path.join(folder, "cheque.PRM")
    yzo_script(folder, ['start "%s"' % account, 'answer file "%s"' % prm, "menu mnuParametreCheque",
                        "click CmdYzo", "click CmdQuitter"])
    lines = ["Les paramètres de position sont en Millimètre", "Réglages selon l'imprimante :"]
    lines += [str(v) for v in [TOP, LEFT, LENGTH_OF_80, HEIGHT_OF_65]] + ["Mensurations du chèque :", "175"]
    lines += [str(v) for name in ORDER for v in ITEMS[name]]
    with open(prm, "wb") as f:
        f.write(crlf(lines))


def expected_words():
    """(text, x, y, item) in millimetres from the paper's corner for every word of the cheque."""
    char_width, line_height = LENGTH_OF_80 / 80, HEIGHT_OF_65 / 65
    # The amount in words is cut at the last blank that leaves the first
    # line within its field.
    field = ITEMS["words1"][2] * 80 // LENGTH_OF_80
    words = WORDS.split(" ")
    cut = max(n for n in range(len(words) + 1) if len(" ".join(words[:n])) <= field)
    texts = {"figures": FIGURES, "words1": " ".join(words[:cut]), "words2": " ".join(words[cut:]),
             "ordre": ORDRE, "place": PLACE, "date": DATE}
    out = []
    for name in ORDER:
        height, start, _ = ITEMS[name]
        column = (LEFT + start) * 80 // LENGTH_OF_80
        line = (TOP + height) * 65 // HEIGHT_OF_65
        for m in re.finditer(r"\S+", texts[name]):
            out.append((m.group(), (column + m.start()) * char_width, line * line_height, name))
    return out


def pdf_words(pdf):
    """(text, xMin, yMin) in millimetres of every word of the PDF, and the page sizes."""
    run = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True, timeout=30)
    if run.returncode != 0:
        fail("pdftotext failed: %s" % run.stderr)
        return [], []
    pages = [(float(w), float(h)) for w, h in re.findall(r'<page width="([\d.]+)" height="([\d.]+)"', run.stdout)]
    words = re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(.*?)</word>', run.stdout)
    return [(html.unescape(text), float(x) * MM_PER_POINT, float(y) * MM_PER_POINT) for x, y, text in words], pages


def check_positions(pdf):
    words, pages = pdf_words(pdf)
    if not check(len(pages) == 1, "the PDF has %d pages, the cheque one" % len(pages)):
        return
    width, height = pages[0]
    check(width < height, "the page is not in portrait: %r" % (pages[0],))
    half_width, half_line = LENGTH_OF_80 / 80 / 2, HEIGHT_OF_65 / 65 / 2
    left = list(words)
    for text, x, y, item in expected_words():
        same = [w for w in left if w[0] == text]
        if not check(same, "%s: no word %r in the PDF, which holds %r" % (item, text, [w[0] for w in words])):
            continue
        found = min(same, key=lambda w: abs(w[1] - x) + abs(w[2] - y))
        left.remove(found)
        print("%-8s %-10r at %6.1f %6.1f mm, expected %6.1f %6.1f" % (item, text, found[1], found[2], x, y))
        check(abs(found[1] - x) <= half_width and abs(found[2] - y) <= half_line,
              "%s: %r printed at %.1f mm, %.1f mm from the corner; the parameters put it at %.1f mm, %.1f mm"
              % (item, text, found[1], found[2], x, y))
    check(not left, "the PDF holds more than the cheque: %r" % [w[0] for w in left])


def main():
    if shutil.which("pdftotext") is None:
        print("SKIPPED: pdftotext is missing (Debian package poppler-utils)")
        sys.exit(77)
    account = fresh_account()
    prepare(account)
    pdf = os.path.join(WORK, "cheque.pdf")
    os.environ.pop("YZO_IMPRESSION_PDF", None)
    window_test("cheque PDF", lambda yzo: run_window(yzo, pdf) and check_positions(pdf), account,
                program=os.path.abspath(YZO), cwd=WORK)


def choose_pdf_printer(app, frame, pdf):
    """Fichier, "Choix de l'imprimante": the "Print to File" printer, the
    PDF format and the file name; the dialog's "Print" keeps them."""
    fichier = find(frame, pyatspi.ROLE_MENU, "Fichier")
    if not press("F10", lambda: states(fichier).contains(pyatspi.STATE_SELECTED), "F10 to open Fichier"):
        return False

    def selected_entry():
        return next((item.name for item in walk(fichier) if role(item) == pyatspi.ROLE_MENU_ITEM
                     and states(item).contains(pyatspi.STATE_SELECTED)), None)

    # The entry is reached with Down (an item run through the accessibility
    # tree would hold the tree up for as long as its dialog is open).
    if not check(press_until("Down", lambda: selected_entry() == "Choix de l'imprimante", selected_entry, 40,
                             "Down to move in Fichier"), "no entry Choix de l'imprimante in Fichier"):
        return False
    dialog = press("Return", lambda: dialog_named(frame, "Choix de l'imprimante"), "the printer dialog", 20)
    if not dialog or not focus_window("^Choix de l'imprimante$"):
        return False

    # The printer list: Tab reaches it, Down selects its row "Print to File".
    printer = wait_until(lambda: find(dialog, pyatspi.ROLE_TABLE_CELL, "Print to File"), 20,
                         "the printer Print to File")
    if not printer:
        return False
    table = find(dialog, pyatspi.ROLE_TABLE)
    if not press("Tab", lambda: focused(table), "Tab to the printer list"):
        return False

    def chosen():
        return states(printer).contains(pyatspi.STATE_SELECTED)

    if not check(press_until("Down", chosen, chosen, 10, seconds=2), "Print to File is not selected"):
        return False

    pdf_format = wait_until(lambda: find(dialog, pyatspi.ROLE_RADIO_BUTTON, "PDF"), 10, "the output formats")
    if pdf_format and not states(pdf_format).contains(pyatspi.STATE_CHECKED):
        pdf_format.queryAction().doAction(0)
    check(wait_until(lambda: states(pdf_format).contains(pyatspi.STATE_CHECKED), 10, "PDF chosen"),
          "the output format is not PDF")

    # The file's button, named by the file it holds ("output.pdf" at first,
    # shortened from the left when long), opens a chooser that takes the whole path.
    file_button = wait_until(lambda: next((b for b in walk(dialog) if role(b) == pyatspi.ROLE_PUSH_BUTTON
                                           and b.name.endswith(".pdf") and showing(b)), None),
                             10, "the button of the file to print to")
    if not file_button:
        return False
    file_button.queryAction().doAction(0)
    chooser = wait_until(lambda: next((w for w in app if role(w) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)
                                       and w.name not in ("Choix de l'imprimante", ACCOUNT) and showing(w)), None),
                         15, "the file chooser of Print to File")
    if not (chooser and answer_window(re.escape(chooser.name), None, ("key", "ctrl+a"), ("type", "--delay", "20", pdf),
                                      ("key", "Return"))
            and wait_until(lambda: file_button.name.endswith(os.path.basename(pdf)), 15,
                           "the file name in the printer dialog")):
        print("file button: %r" % file_button.name)
        return False

    print_button = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Print")
    if not check(print_button and states(print_button).contains(pyatspi.STATE_ENABLED),
                 "the dialog's Print button is not enabled"):
        return False
    print_button.queryAction().doAction(0)
    return bool(wait_until(lambda: dialog_named(frame, "Choix de l'imprimante") is None, 15,
                           "the printer dialog to close"))


def run_window(yzo, pdf):
    app, frame, ledger, window_id = open_ledger(yzo)
    if not ledger or not choose_pdf_printer(app, frame, pdf):
        return False
    xdotool("windowfocus", "--sync", window_id)
    if not wait_until(lambda: focused(ledger), 10, "the ledger back"):
        return False

    # Up to the expense, then its cheque.
    def caret_line():
        whole, (line, _) = caret_of(ledger)
        return line_at(whole, line)

    if not check(press_until("Up", lambda: EXPENSE in caret_line(), lambda: caret_of(ledger)[1], 10,
                             "Up in the ledger"), "the caret did not reach the expense %s" % EXPENSE):
        return False
    xdotool("key", "alt+v")
    # Each input box, once shown, answered; then the frame given the keyboard back.
    for question, answer in (("Ordre", ORDRE), ("Fait à", PLACE)):
        if not (wait_until(lambda: dialog_named(frame, question), 10, "the input box " + question)
                and answer_window(re.escape(question), yzo.pid, ("key", "ctrl+a"), ("type", "--delay", "20", answer),
                                  ("key", "Return"), back=lambda: xdotool("windowfocus", "--sync", window_id))):
            return False
    if not wait_until(lambda: showing(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Imp.Chèque")), 10,
                      "the preview's Imp.Chèque button"):
        return False
    xdotool("key", "alt+i")

    # The backend writes the file when the job ends: complete once it ends as a PDF does.
    if wait_until(lambda: read_bytes(pdf).rstrip().endswith(b"%%EOF"), 30, "the PDF file written"):
        return True
    label = status_label(frame)
    print("the window says: %r" % (label and text_of(label)))
    return False


if __name__ == "__main__":
    main()
