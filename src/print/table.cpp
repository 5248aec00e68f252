// The table of the display: the lines shown in the ledger with a title, a
// header row and aligned columns, printed, shown or written to a file.
#include <algorithm>
#include <cwctype>
#include <string_view>

#include "account/account.h"
#include "account/paths.h"
#include "account/storedline.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "ledger/ledger.h"
#include "print/print.h"

namespace {
const std::wstring kLineEnd = L"\r\n";

// The columns of one stored line, as views into it: a table of many lines is
// laid out without a string per field.
struct TableFields {
    std::wstring_view rubrique, objet, amount, tva, numero;
    wchar_t flag = L' ';
};

std::wstring_view trimmed(std::wstring_view v) {
    size_t a = v.find_first_not_of(L' ');
    if (a == std::wstring_view::npos) return {};
    return v.substr(a, v.find_last_not_of(L' ') - a + 1);
}

// The columns as the ledger shows them: the same lenient cut of the line,
// its texts trimmed (the amounts are aligned as written).
TableFields tableFields(std::wstring_view line) {
    StoredFields stored = splitStoredLine(line);
    TableFields f;
    f.flag = stored.flag;
    f.rubrique = trimmed(stored.rubrique);
    f.objet = trimmed(stored.objet);
    f.amount = stored.montant;
    f.tva = stored.tva;
    f.numero = trimmed(stored.numero);
    return f;
}

bool hasSingleDecimal(std::wstring_view amount) {
    size_t dot = amount.find(L'.');
    return dot != std::wstring_view::npos && amount.size() == dot + 2;
}

// The trailing blanks that line an amount's units digit up with the others.
int amountTrail(std::wstring_view amount, bool someDot) {
    if (hasSingleDecimal(amount)) return 1;
    if (someDot && amount.find(L'.') == std::wstring_view::npos) return 3;
    return 0;
}

int length(std::wstring_view s) { return static_cast<int>(s.size()); }

void appendBlanks(std::wstring& out, int n) {
    if (n > 0) out.append(static_cast<size_t>(n), L' ');
}

// A column of at least minimum characters when it holds anything.
int atLeast(int width, int minimum) { return width >= 1 && width < minimum ? minimum : width; }

// The text cut to the width (ending with "_") or padded, and one blank more.
void appendCell(std::wstring& out, std::wstring_view text, int width) {
    if (width <= 0) return;
    if (length(text) > width) {
        out.append(text.substr(0, width - 1));
        out.append(L"_ ");
        return;
    }
    out.append(text);
    appendBlanks(out, width + 1 - length(text));
}

// A header title: the plain text and a blank at its minimum width, else centred.
std::wstring headerCell(const std::wstring& title, int width) {
    if (width <= 0) return L"";
    if (width == length(title)) return title + L" ";
    return centre(title, width) + L" ";
}

struct Widths {
    int rubrique = 0, objet = 0, amount = 0, tva = 0, numero = 0;
};

// Narrows the rubrique and objet columns by the excess over 80 characters.
void narrow(Widths& w, int total) {
    int excess = total - 80;
    if (excess <= 0) return;
    int fromObjet = std::min(excess, std::max(0, w.objet - 10));
    w.objet -= fromObjet;
    excess -= fromObjet;
    if (excess <= 0) return;
    int fromRubrique = std::min(excess, std::max(0, w.rubrique - 8));
    w.rubrique -= fromRubrique;
    excess -= fromRubrique;
    // What the rubrique cannot give the objet gives, down to its own minimum.
    if (w.objet > 0) w.objet = std::max(5, w.objet - excess);
}
}  // namespace

int fontSizeOf(const std::wstring& text, int fallback) {
    std::wstring digits = trim(text);
    if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), iswdigit)) return fallback;
    int size = std::stoi(digits);
    return size >= 1 ? size : fallback;
}

std::wstring tableOfLines(const std::vector<std::wstring>& lines, const TableSettings& settings) {
    std::wstring text;
    appendTableOfLines(text, lines, settings);
    return text;
}

void appendTableOfLines(std::wstring& text, const std::vector<std::wstring>& lines, const TableSettings& settings) {
    std::vector<TableFields> rows;
    rows.reserve(lines.size());
    bool someDot = false;
    for (const std::wstring& line : lines) {
        rows.push_back(tableFields(line));
        if (rows.back().amount.find(L'.') != std::wstring_view::npos) someDot = true;
    }
    Widths w;
    for (const TableFields& f : rows) {
        w.rubrique = std::max(w.rubrique, length(f.rubrique));
        w.objet = std::max(w.objet, length(f.objet));
        w.amount = std::max(w.amount, length(f.amount) + amountTrail(f.amount, someDot));
        w.tva = std::max(w.tva, length(f.tva));
        w.numero = std::max(w.numero, length(f.numero));
    }
    w.rubrique = atLeast(w.rubrique, 8);
    w.objet = atLeast(w.objet, 5);
    w.numero = atLeast(w.numero, 6);
    w.amount = std::max(w.amount, 7);
    w.tva = std::max(w.tva, 3);

    std::wstring header = L"   DATE    ";
    if (settings.accountType == kAccountBankCode) header += L"V ";
    else if (settings.accountType == kAccountMarked) header += L"R ";
    auto columnSpace = [](int width) { return width > 0 ? width + 1 : 0; };
    int total = length(header) + columnSpace(w.rubrique) + columnSpace(w.objet) + w.amount + 1 +
                (settings.hasTva ? w.tva + 1 : 0) + w.numero + 1;
    if (!settings.report) narrow(w, total);

    header += headerCell(L"RUBRIQUE", w.rubrique) + headerCell(L"OBJET", w.objet) + headerCell(L"MONTANT", w.amount);
    if (settings.hasTva) header += headerCell(L"TVA", w.tva);
    if (w.numero == 6) header += L"NUMERO";
    else if (w.numero > 0) header += trimRight(centre(L"NUMERO", w.numero));

    // Room for the rows, at least doubling so that a report appending
    // table after table is not copied again for each.
    size_t needed = text.size() + header.size() + 2 + rows.size() * static_cast<size_t>(total + w.numero + 4);
    if (text.capacity() < needed) text.reserve(std::max(needed, 2 * text.capacity()));
    text.append(header).append(kLineEnd);
    for (size_t k = 0; k < rows.size(); ++k) {
        const TableFields& f = rows[k];
        std::wstring_view line = lines[k];
        if (line.size() > 7) {
            text.append(line.substr(0, 2)).append(L"/").append(line.substr(2, 2)).append(L"/");
            text.append(line.substr(4, 4)).append(L" ");
        }
        if (settings.accountType < kAccountPlain) {
            text += f.flag;
            text += L' ';
        }
        appendCell(text, f.rubrique, w.rubrique);
        appendCell(text, f.objet, w.objet);
        int trail = amountTrail(f.amount, someDot);
        appendBlanks(text, w.amount - length(f.amount) - trail);
        text.append(f.amount);
        appendBlanks(text, trail + 1);
        if (settings.hasTva) {
            text.append(f.tva);
            appendBlanks(text, w.tva + 1 - length(f.tva));
        }
        text.append(f.numero).append(kLineEnd);
    }
}

std::wstring MainForm::FormeTableAffiche(bool report) {
    bool reportBuild = displayMode() == DisplayMode::Report;
    std::wstring text;
    if (!reportBuild) text = centre(acc.header.title, 80) + kLineEnd + kLineEnd;
    std::vector<std::wstring> lines;
    lines.reserve(led.displayTable.size());
    for (long k = 1; k <= led.displayCount(); ++k) lines.emplace_back(led.shownText(k));
    text += tableOfLines(lines, TableSettings{acc.header.accountType, acc.header.hasTva, report});
    if (!reportBuild) text += balanceScreenLine();
    return text;
}

void MainForm::VisuImprimer(const std::wstring& text) {
    AfficheTexte(textLines(text));
    w.focus = L"txt";
}

void MainForm::InitPortrait(PrintJob& job) {
    job.orientation = Orientation::Portrait;
    job.fontName = app.config[kIniPrinterFont].empty() ? L"Arial" : app.config[kIniPrinterFont];
    job.fontSize = fontSizeOf(app.config[kIniPrinterFontSize], 12);
}

bool MainForm::printText(PrintJob& job, const std::wstring& text) {
    job.text = text + L"\f";
    return platform.Print(job);
}

void MainForm::mnuImprimer() {
    if (describeKey(L"imprimer l'affichage")) return;
    std::wstring table = FormeTableAffiche(false);
    PrintJob job;
    InitPortrait(job);
    message(printText(job, table) ? L"impression envoyée" : L"échec de l'impression");
}

void MainForm::mnuVisuImprimer() {
    if (describeKey(L"Visualisation de l'impression")) return;
    VisuImprimer(FormeTableAffiche(false));
}

void MainForm::mnuParametreImprimer() {
    if (describeKey(L"Choix de l'imprimante")) return;
    platform.PrinterDialog();
}

void MainForm::mnuMiseFichier() {
    if (describeKey(L"Mise sur fichier de l'affichage")) return;
    FileDialogRequest request;
    request.filter = L"Fichiers (*.TXT)|*.TXT";
    request.initialName = withExtension(currentPath(), L"txt");
    request.confirmOverwrite = true;
    std::optional<std::wstring> chosen = platform.SaveFileDialog(request);
    if (!chosen) return;
    std::wstring name = *chosen;
    dropDialogDot(name);
    try {
        writeTextLines(name, textLines(FormeTableAffiche(false)));
    } catch (const std::exception& e) {
        reportError(e, L"mnuMiseFichier");
        return;
    }
    message(L"mise sur fichier " + name);
}

bool MainForm::printMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuImprimer", &MainForm::mnuImprimer},
        {L"mnuVisuImprimer", &MainForm::mnuVisuImprimer},
        {L"mnuParametreImprimer", &MainForm::mnuParametreImprimer},
        {L"mnuMiseFichier", &MainForm::mnuMiseFichier},
        {L"mnuParametreCheque", &MainForm::mnuParametreCheque},
    };
    return runMenuTable(actions, name);
}
