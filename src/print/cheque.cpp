// Cheques: the parameter file that measures a cheque book in millimetres,
// its editing list, and the cheque of an expense composed as text, previewed
// and printed.
#include <algorithm>
#include <cwctype>

#include "account/account.h"
#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "print/print.h"
#include "print/words.h"

namespace {
const std::wstring kLineEnd = L"\r\n";

long valueOf(const std::wstring& digits) { return std::stol(digits); }

bool allDigits(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// A typed text that goes into a file: no field separator, no line break.
std::wstring oneLine(std::wstring text) {
    std::erase_if(text, [](wchar_t c) { return c == L'\x1e' || c == L'\r' || c == L'\n'; });
    return text;
}

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}
}  // namespace

std::array<std::wstring, kChequeLines + 1> chequeLabels() {
    return {L"",
            L"Les paramètres de position sont en Millimètre",
            L"Réglages selon l'imprimante :",
            L"Marge hauteur",
            L"Marge gauche",
            L"80 caractères font en longueur : ",
            L"65 lignes font en millimètres : ",
            L"Mensurations du chèque :",
            L"Largeur du chèque : ",
            L"hauteur de la ligne du montant en chiffre depuis le haut du chèque : ",
            L"début impression du montant en chiffre : ",
            L"Longueur champ du montant en chiffre : ",
            L"hauteur de la première ligne du montant en lettre depuis le haut du chèque : ",
            L"début impression de la première ligne du montant en lettre : ",
            L"Longueur champ du montant en lettre de la première ligne : ",
            L"hauteur de la deuxième ligne du montant en lettre depuis le haut du chèque : ",
            L"début impression de la deuxième ligne du montant en lettre : ",
            L"Longueur champ du montant en lettre de la deuxième ligne : ",
            L"hauteur de l'ordre depuis le haut du chèque : ",
            L"début impression de l'ordre : ",
            L"Longueur champ de l'ordre : ",
            L"hauteur du \"fait à\" depuis le haut du chèque : ",
            L"début impression du \"fait à\" : ",
            L"Longueur champ du \"fait à\"  : ",
            L"hauteur de la date depuis le haut du chèque : ",
            L"début impression de la date : ",
            L"Longueur champ de la date : "};
}

bool isChequeFixedLine(int line) { return line == 1 || line == 2 || line == 7; }

std::vector<std::wstring> newChequeParameterLines() {
    std::array<std::wstring, kChequeLines + 1> labels = chequeLabels();
    return {labels[1], labels[2], L"0", L"0",   L"203", L"213", labels[7], L"175", L"35", L"135", L"40", L"21",  L"50",
            L"72",     L"27",     L"5", L"116", L"33",  L"5",   L"115",    L"42",  L"90", L"31",  L"42", L"135", L"40"};
}

std::wstring chequeValueError(int line, const std::wstring& value) {
    if (value.empty()) return L"valeur absente";
    if (!allDigits(value)) return L"lettre interdit";
    if (value.size() > 6 || valueOf(value) > kChequeMaxValue)
        return L"valeur trop grande : " + std::to_wstring(kChequeMaxValue) + L" millimètres au plus";
    if ((line == 5 || line == 6) && valueOf(value) == 0) return L"la valeur ne peut pas être nulle";
    return L"";
}

int firstBadChequeLine(const std::array<std::wstring, kChequeLines + 1>& values) {
    for (int k = 1; k <= kChequeLines; ++k)
        if (!isChequeFixedLine(k) && !chequeValueError(k, values[k]).empty()) return k;
    return 0;
}

std::wstring chequeFileProblem(const std::vector<std::wstring>& lines) {
    if (lines.size() < static_cast<size_t>(kChequeLines)) return std::to_wstring(lines.size()) + L" lignes sur 26";
    std::array<std::wstring, kChequeLines + 1> values{};
    for (int k = 1; k <= kChequeLines; ++k) values[k] = lines[k - 1];
    int bad = firstBadChequeLine(values);
    return bad == 0 ? L"" : L"ligne " + std::to_wstring(bad) + L" incorrecte";
}

ChequeGeometry chequeGeometry(const std::array<std::wstring, kChequeLines + 1>& values) {
    ChequeGeometry g;
    long top = valueOf(values[3]), left = valueOf(values[4]);
    long lengthOf80 = valueOf(values[5]);
    g.heightOf65Lines = valueOf(values[6]);
    for (int k = 1; k <= kChequeItems; ++k) {
        int first = 9 + 3 * (k - 1);
        g.row[k] = std::max(0L, valueOf(values[first]) + top);
        g.column[k] = std::max(0L, (left + valueOf(values[first + 1])) * 80 / lengthOf80);
        g.length[k] = valueOf(values[first + 2]) * 80 / lengthOf80;
    }
    return g;
}

std::wstring chequeWords(long whole, long cents, const std::wstring& unitName) {
    if (whole == 0 && cents == 0) return L"";
    std::wstring words;
    if (whole > 0) {
        std::wstring unit = lowerCase(unitName.substr(0, unitName.empty() ? 0 : unitName.size() - 1));
        words = mise_l(whole) + L" " + unit + (whole > 1 ? L"s" : L"");
    }
    if (cents > 0) {
        words += (whole > 0 ? L" et " : L"") + mise_l(cents) + L" centime" + (cents > 1 ? L"s" : L"");
    }
    return words;
}

namespace {
// What each item is, as the preview names its line (element 0 unused).
const std::array<const wchar_t*, kChequeItems + 1> kChequeItemNames = {
    L"", L"montant en chiffres", L"montant en lettres", L"suite du montant", L"ordre", L"fait à", L"date"};
}  // namespace

std::wstring composeChequeText(const ChequeGeometry& g, const std::array<std::wstring, kChequeItems + 1>& texts,
                               std::vector<std::wstring>* lineNames) {
    std::vector<std::wstring> names;
    // Items by row, the lower item number first among equal rows; a row of 100 or more is never printed.
    std::vector<int> order;
    for (int k = 1; k <= kChequeItems; ++k)
        if (g.row[k] < 100) order.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return g.row[a] < g.row[b]; });

    // Each row goes on the line its own height gives, counted from the top:
    // line feeds counted from the previous row would add up the millimetres
    // each difference leaves over and print every later item too high. A
    // row that falls on a line already written goes on the next one.
    std::wstring text;
    long nextLine = 0;
    for (size_t i = 0; i < order.size();) {
        long row = g.row[order[i]];
        long feeds = std::max(0L, g.lineFeeds(row) - nextLine);
        for (long n = 0; n < feeds; ++n) text += kLineEnd;
        names.resize(names.size() + static_cast<size_t>(feeds));
        nextLine += feeds + 1;
        // The items of one row share a line: from the leftmost, each other text
        // adds what lies beyond the line written so far.
        std::vector<int> sameRow;
        for (; i < order.size() && g.row[order[i]] == row; ++i) sameRow.push_back(order[i]);
        std::stable_sort(sameRow.begin(), sameRow.end(), [&](int a, int b) { return g.column[a] < g.column[b]; });
        std::wstring line, name;
        for (int k : sameRow) {
            std::wstring placed = std::wstring(static_cast<size_t>(g.column[k]), L' ') + texts[k];
            if (placed.size() <= line.size()) continue;
            line += placed.substr(line.size());
            name += (name.empty() ? L"" : L", ") + std::wstring(kChequeItemNames[k]);
        }
        text += line + kLineEnd;
        names.push_back(name);
    }
    if (lineNames) *lineNames = names;
    return text;
}

void MainForm::InitTableLibelleCheque() { prn.chequeLabels = chequeLabels(); }

void MainForm::mnuParametreCheque() {
    if (describeKey(L"paramètres du chéquier")) return;
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    std::wstring& path = app.config[kIniChequeParameters];
    if (!FichierExistant(path)) path.clear();
    FileDialogRequest request;
    request.filter = L"Fichiers paramètres chèquiers (*.PRM)|*.PRM";
    request.initialName = path.empty() ? app.storageFolder + withExtension(NomFichSeul(currentPath()), L"PRM") : path;
    std::optional<std::wstring> chosen = platform.SaveFileDialog(request);
    if (!chosen) return;
    std::wstring name = *chosen;
    dropDialogDot(name);
    path = name;
    prn.chequeValuesChanged = false;
    try {
        if (!FichierExistant(name)) {
            message(L"création du fichier " + NomFichSeul(name));
            writeTextLines(name, newChequeParameterLines());
        }
        std::vector<std::wstring> lines = readTextLines(name);
        prn.chequeValues = {};
        for (int k = 1; k <= kChequeLines && k <= static_cast<int>(lines.size()); ++k)
            prn.chequeValues[k] = lines[k - 1];
        if (lines.size() < static_cast<size_t>(kChequeLines))
            msgBox(L"Le fichier " + NomFichSeul(name) + L" n'a que " + std::to_wstring(lines.size()) +
                   L" lignes sur 26 : complétez les valeurs absentes");
        else if (!chequeFileProblem(lines).empty())
            message(L"Le fichier " + NomFichSeul(name) + L" n'est pas un paramètre du chèquier : " +
                    chequeFileProblem(lines));
    } catch (const std::exception& e) {
        reportError(e, L"mnuParametreCheque");
        return;
    }
    app.normalMode = false;
    ent.modes.chequeParameter = true;
    w.txt.show(false);
    w.CmdYzo.text = kCaptionOk;
    w.CmdYzo.show();
    w.CmdCreation.visible = false;
    w.CmdModifLigne.text = kCaptionModifyLine;
    w.CmdModifLigne.show();
    w.CmdQuitter.text = kCaptionCancel;
    w.CmdQuitter.show();
    w.Liste.show();
    AfficheListeCheque();
    w.Liste.selected = 1;
    w.focus = L"Liste";
}

void MainForm::AfficheListeCheque() {
    Control& l = w.Liste;
    l.clearItems();
    l.addItem(L"Paramètre du chèquier de " + NomFichSeul(app.config[kIniChequeParameters]));
    for (int k = 1; k <= kChequeLines; ++k)
        l.addItem(isChequeFixedLine(k) ? prn.chequeLabels[k] : prn.chequeLabels[k] + prn.chequeValues[k]);
}

void MainForm::validationCheque() {
    int row = w.Liste.selected;
    if (row < 1 || row > kChequeLines || isChequeFixedLine(row)) return;
    std::wstring answer = inputBox(prn.chequeLabels[row], prn.chequeValues[row]);
    if (answer.empty()) return;
    std::wstring error = chequeValueError(row, answer);
    if (!error.empty()) {
        msgBox(error);
        return;
    }
    if (answer != prn.chequeValues[row]) prn.chequeValuesChanged = true;
    prn.chequeValues[row] = answer;
    AfficheListeCheque();
    w.Liste.selected = row;
}

bool MainForm::RangeListeCheque() {
    const std::wstring& path = app.config[kIniChequeParameters];
    if (!prn.chequeValuesChanged) return true;
    if (!mayReplaceChequeFile(path)) {
        message(L"rien n'est enregistré");
        return false;
    }
    std::vector<std::wstring> lines;
    for (int k = 1; k <= kChequeLines; ++k)
        lines.push_back(isChequeFixedLine(k) ? prn.chequeLabels[k] : oneLine(prn.chequeValues[k]));
    try {
        writeTextLines(path, lines);
    } catch (const std::exception& e) {
        reportError(e, L"RangeListeCheque");
        return false;
    }
    prn.chequeValuesChanged = false;
    return true;
}

void MainForm::validationListeCheque() {
    bool unchanged = !prn.chequeValuesChanged;
    if (!RangeListeCheque()) return;
    InitYzo();
    // Said last, so that the label keeps it.
    if (unchanged)
        message(L"aucune valeur changée, " + NomFichSeul(app.config[kIniChequeParameters]) + L" n'est pas réécrit");
}

bool MainForm::mayReplaceChequeFile(const std::wstring& path) {
    if (!FichierExistant(path)) return true;
    std::wstring problem;
    try {
        problem = chequeFileProblem(readTextLines(path));
    } catch (const YzoError& e) {
        problem = e.description();
    }
    if (problem.empty()) return true;
    return ask(L"Le fichier " + NomFichSeul(path) + L" n'est pas un paramètre du chèquier (" + problem +
                   L") : le remplacer par ces 26 lignes ?",
               MsgButtons::YesNo, 2) == MsgResult::Yes;
}

bool MainForm::readChequeParameters(const std::wstring& procedure) {
    const std::wstring& path = app.config[kIniChequeParameters];
    std::vector<std::wstring> lines;
    try {
        lines = readTextLines(path);
    } catch (const std::exception& e) {
        reportError(e, procedure);
        return false;
    }
    if (lines.size() < static_cast<size_t>(kChequeLines)) {
        msgBox(L"Paramètre du chèquier incomplet : " + std::to_wstring(lines.size()) + L" lignes sur 26 dans " +
               NomFichSeul(path));
        return false;
    }
    for (int k = 1; k <= kChequeLines; ++k) prn.chequeValues[k] = lines[k - 1];
    int bad = firstBadChequeLine(prn.chequeValues);
    if (bad == 0) return true;
    msgBox(L"Paramètre du chèquier incorrect à la ligne " + std::to_wstring(bad) + L", " +
           trimRight(prn.chequeLabels[bad]) + L" " + prn.chequeValues[bad] + L" : " +
           chequeValueError(bad, prn.chequeValues[bad]));
    return false;
}

void MainForm::AfficheCheque() {
    if (describeKey(L"visualisation du chèque")) return;
    if (!FichierExistant(app.config[kIniChequeParameters])) {
        msgBox(L"Paramètre du chèquier non installé");
        return;
    }
    if (w.Liste.visible || displayMode() == DisplayMode::Text) return;
    long index = IndexAbsolu();
    if (!TestNumeroAffiche(index)) {
        sayNotAnOperation();
        return;
    }
    cursorIndex() = index;
    try {
        acc.work = convertit_ChaineYzo(std::wstring(led.shownText(index)));
    } catch (const std::exception& e) {
        reportError(e, L"AfficheCheque");
        return;
    }
    if (acc.work.code != L'D' && acc.work.code != L'T') {
        message(L"L'opération n'est pas en dépense");
        return;
    }
    if (!readChequeParameters(L"AfficheCheque")) return;
    ChequeGeometry g = chequeGeometry(prn.chequeValues);

    prn.whole = prn.cents = 0;
    if (acc.work.montant != 0) {
        std::wstring figures = Forme_montant(std::abs(acc.work.montant));
        size_t comma = figures.find(L',');
        std::wstring wholeText = figures.substr(0, comma);
        if (wholeText.size() > 10 || std::stoll(wholeText) > 2147483647LL) {
            msgBox(L"Montant trop grand pour un chèque : " + figures);
            return;
        }
        prn.whole = std::stol(wholeText);
        if (comma != std::wstring::npos) prn.cents = std::stol(figures.substr(comma + 1));
    }
    prn.wordsLine1 = chequeWords(prn.whole, prn.cents, acc.header.unitName);
    prn.wordsLine2 = decoupe_chiffre(prn.wordsLine1, static_cast<int>(g.length[2]));
    if (static_cast<long>(prn.wordsLine2.size()) > g.length[3])
        msgBox(L"Montant en lettres de la deuxième ligne trop long : " + prn.wordsLine2);

    std::wstring ordre = inputBox(L"Ordre", acc.work.objet);
    if (ordre.empty()) return;
    std::wstring place = inputBox(L"Fait à", app.config[kIniChequePlace]);
    if (place.empty()) return;
    prn.ordre = oneLine(ordre);
    prn.place = oneLine(place);
    app.config[kIniChequePlace] = prn.place;

    std::array<std::wstring, kChequeItems + 1> texts;
    texts[1] = std::to_wstring(prn.whole);
    if (prn.cents != 0) texts[1] += L"," + completegaucheCar(std::to_wstring(prn.cents), L'0', 2);
    texts[2] = prn.wordsLine1;
    texts[3] = prn.wordsLine2;
    texts[4] = prn.ordre;
    texts[5] = prn.place;
    texts[6] = ligne_dateReduit(FormatDate(acc.work.date), formatSettings());
    prn.chequeText = composeChequeText(g, texts, &prn.chequeLineNames);

    w.CmdYzo.visible = false;
    w.CmdCreation.visible = false;
    w.CmdModifLigne.text = kCaptionPrintCheque;
    w.CmdModifLigne.show();
    w.CmdQuitter.text = kCaptionCancel;
    w.CmdQuitter.show();
    app.normalMode = false;
    ent.modes.chequePreview = true;
    VisuImprimer(L"Chèque avec lparamètres de " + NomFichSeul(app.config[kIniChequeParameters]) + kLineEnd +
                 prn.chequeText);
    // The title line, then the cheque's lines, each named by what it holds.
    w.txt.lineNames = {L""};
    w.txt.lineNames.insert(w.txt.lineNames.end(), prn.chequeLineNames.begin(), prn.chequeLineNames.end());
}

bool MainForm::ImprimeCheque() {
    PrintJob job;
    job.orientation =
        w.entry(L"mnuOrientationImprimanteCheque").checked ? Orientation::Landscape : Orientation::Portrait;
    job.fontName = app.config[kIniChequeFont].empty() ? L"Arial" : app.config[kIniChequeFont];
    job.fontSize = fontSizeOf(app.config[kIniChequeFontSize], 8);
    // The columns and lines are those the parameters measure, whatever the font.
    job.columnWidthMm = static_cast<double>(valueOf(prn.chequeValues[5])) / 80;
    job.lineHeightMm = static_cast<double>(valueOf(prn.chequeValues[6])) / 65;
    return printText(job, prn.chequeText);
}
