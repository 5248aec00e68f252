// The launch sequence, the command line and the configuration file yzo.INI.
#include <algorithm>
#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/folders.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "extras/orca.h"

void MainForm::Form_Load(const std::wstring& arguments) {
    try {
        loadSequence(arguments);
    } catch (const ProgramEnd&) {
    }
}

void MainForm::loadSequence(const std::wstring& arguments) {
    try {
        w.messageColour = 12;
        for (int k = 1; k <= kMaxSlots; ++k) {
            led.displayMode[k] = DisplayMode::Operations;
            led.currentColumn[k] = kColumnDate;
        }
        ent.creationDate = today();
        app.programFolder = ajoutbackslash(platform.ProgramFolder());
        installScreenReaderFiles();
        installScriptsAtStart(*this);
        app.pathRubriquePen = app.programFolder + L"Rubrique.pen";
        app.pathRubriqueOpe = app.programFolder + L"Rubrique.ope";
        app.pathTva = app.programFolder + L"Tva.txt";
        app.pathIni = app.programFolder + L"yzo.INI";
        seedProgramFolder();
        LitRubrique();
        InitTableLibelleCheque();
        readConfiguration();
        applyConfiguration();
        checkStorageFolder();
        acc.openCount = 1;
        acc.currentDoc = 1;
        commandLine(arguments);
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& e) {
        reportError(e, L"load");
    }
}

// The marker left by an installation asks once for the screen reader's files.
void MainForm::installScreenReaderFiles() {
    std::wstring marker = app.programFolder + L"verjaws.ini";
    if (!FichierExistant(marker)) return;
    jaws(L"yzo");
    std::error_code ec;
    std::filesystem::remove(fsPath(marker), ec);
}

void MainForm::commandLine(const std::wstring& arguments) {
    std::wstring arg = trim(arguments);
    if (!arg.empty()) {
        if (arg[0] == L'"') arg = arg.size() >= 2 ? arg.substr(1, arg.size() - 2) : L"";
        if (arg.size() >= 3 && arg[1] == L':' && arg[2] != L'\\') arg = arg.substr(1, arg.size() - 2);
        if (hasReportSwitch(arg)) {
            AppelComptabilite(arg);
            return;
        }
        slotPath(1) = arg;
    }
    ReprendreDisque(1);
}

std::wstring MainForm::configurationDefault(int line) const {
    static const wchar_t* defaults[] = {L"1", L"1", L"0", L"Courier",    L"10", L"Arial", L"12",
                                        L"",  L"",  L"",  L"Arial",      L"8",  L"0",     L"",
                                        L"0", L"1", L"",  L"en tableau", L"2",  L"14",    L"0"};
    if (line <= kMaxSlots) return kUntitled;
    if (line == kIniStorageFolder) return app.programFolder;
    return defaults[line - kMaxSlots - 1];
}

// Each line of yzo.INI is read alone: a line that is not text takes its
// default and the others are kept.
void MainForm::readConfiguration() {
    for (int k = 1; k <= kMaxSlots; ++k) app.config[k] = kUntitled;
    if (FichierExistant(app.pathIni)) {
        for (int k = kMaxSlots + 1; k <= kConfigLines; ++k) app.config[k].clear();
        try {
            std::vector<std::optional<std::wstring>> lines = readTextLinesEach(app.pathIni);
            removeLeftTemporaries(app.pathIni);
            int firstBad = 0;
            for (int k = 1; k <= kConfigLines && k <= static_cast<int>(lines.size()); ++k) {
                const auto& line = lines[k - 1];
                if (line) {
                    app.config[k] = *line;
                } else {
                    app.config[k] = configurationDefault(k);
                    if (firstBad == 0) firstBad = k;
                }
            }
            if (firstBad != 0) reportError(YzoError(kErrNotText).at(app.pathIni, firstBad), L"load");
        } catch (const std::exception& e) {
            // Nothing of it could be read: it is left as it is at the end.
            app.iniUnread = true;
            reportError(e, L"load");
        }
        return;
    }
    for (int k = kMaxSlots + 1; k <= kConfigLines; ++k) app.config[k] = configurationDefault(k);
    app.config[kIniStorageFolder] = defaultStorageFolder();
}

void MainForm::seedProgramFolder() {
    std::wstring installed = platform.InstalledDataFolder();
    if (installed.empty()) return;
    try {
        seedFolder(installed, app.programFolder);
    } catch (const std::exception& e) {
        reportError(e, L"seedProgramFolder");
    }
}

std::wstring MainForm::defaultStorageFolder() {
    std::wstring folder = ajoutbackslash(platform.DefaultStorageFolder());
    if (DossierExistant(folder)) return folder;
    std::error_code ec;
    std::filesystem::create_directories(fsPath(folder), ec);
    if (!ec) return folder;
    reportError(YzoError(kErrPathAccess, folder), L"load");
    return app.programFolder;
}

namespace {
bool validColour(const std::wstring& text, int& value) {
    std::wstring t = trim(text);
    if (t.empty() || t.size() > 2) return false;
    value = 0;
    for (wchar_t c : t) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + (c - L'0');
    }
    return value <= 15;
}

int launchCount(const std::wstring& text) {
    std::wstring t = trim(text);
    if (t.empty() || t.size() > 2) return 0;
    int v = 0;
    for (wchar_t c : t) {
        if (c < L'0' || c > L'9') return 0;
        v = v * 10 + (c - L'0');
    }
    return v;
}
}  // namespace

void MainForm::applyConfiguration() {
    auto& c = app.config;
    w.entry(L"mnuAutreUniteItem").checked = c[kIniOtherUnit] == L"1";
    w.entry(L"mnuIncrementationNumero").checked = c[kIniIncrementOnCheque] == L"1";
    w.entry(L"mnuNumeroSurCheque").checked = c[kIniNumeroOnCheque] == L"1";
    w.entry(L"mnuOrientationImprimanteCheque").checked = c[kIniChequeLandscape] == L"1";
    w.entry(L"mnuNomJour").checked = c[kIniDayNames] == L"1";
    w.entry(L"mnuNomMois").checked = c[kIniMonthNames] == L"1";
    if (!c[kIniScreenFont].empty()) w.fontName = c[kIniScreenFont];
    int size = launchCount(c[kIniScreenFontSize]);
    if (size > 0) w.fontSize = size;
    if (c[kIniChequeFont].empty()) c[kIniChequeFont] = L"Arial";
    if (c[kIniChequeFontSize].empty()) c[kIniChequeFontSize] = L"8";
    int n = launchCount(c[kIniLaunchCount]);
    if (n < 1 || n > kMaxSlots) c[kIniLaunchCount] = L"1";
    w.entry(L"mnuDeuxFichiersItem").caption = L"Nombre de fichier à ouvrir au lancement : " + c[kIniLaunchCount];
    if (c[kIniDisplayStyle].empty()) c[kIniDisplayStyle] = L"en tableau";
    w.entry(L"mnuEnTableau").caption = L"Affichage en tableau/compactée: " + c[kIniDisplayStyle];
    if (c[kIniForeColour].empty()) c[kIniForeColour] = L"2";
    if (c[kIniBackColour].empty()) c[kIniBackColour] = L"14";
    int fore = 2, back = 14;
    if (c[kIniForeColour] == c[kIniBackColour] || !validColour(c[kIniForeColour], fore) ||
        !validColour(c[kIniBackColour], back)) {
        c[kIniForeColour] = L"2";
        c[kIniBackColour] = L"14";
        fore = 2;
        back = 14;
    }
    w.foreColour = w.ledgerForeColour = fore;
    w.backColour = w.ledgerBackColour = back;
}

void MainForm::checkStorageFolder() {
    std::wstring& folder = app.config[kIniStorageFolder];
    if (!folder.empty()) {
        if (DossierExistant(folder)) {
            app.storageFolder = ajoutbackslash(folder);
        } else {
            if (ask(L"Le dossier de stockage " + folder + L" est absent, continuez ?", MsgButtons::YesNo) !=
                MsgResult::Yes)
                endProgram();
            app.storageFolder = app.programFolder;
        }
    } else {
        app.storageFolder = defaultStorageFolder();
        RangeDossierStockage();
    }
    w.entry(L"mnuDossierStockage").caption = L"Dossier de stockage des comptes par defaut : " + app.storageFolder;
}

void MainForm::RangeDossierStockage() {
    std::wstring answer = inputLineText(L"Dossier de stockage des comptes par défaut", app.storageFolder, Typed::Path);
    if (answer.empty()) return;
    if (!DossierExistant(answer)) {
        if (ask(L"Création du dossier " + answer, MsgButtons::YesNo) != MsgResult::Yes) return;
        try {
            std::filesystem::create_directories(fsPath(answer));
        } catch (const std::exception& e) {
            reportError(e, L"RangeDossierStockage");
            return;
        }
    }
    app.storageFolder = ajoutbackslash(answer);
    app.config[kIniStorageFolder] = app.storageFolder;
    w.entry(L"mnuDossierStockage").caption = L"Dossier de stockage des comptes par defaut : " + app.storageFolder;
}
