#include "app/errors.h"

std::wstring errorDescription(int number) {
    switch (number) {
    case kErrBadArgument: return L"Argument ou appel de procédure incorrect";
    case kErrOverflow: return L"Dépassement de capacité";
    case kErrOutOfMemory: return L"Mémoire insuffisante";
    case kErrSubscript: return L"L'indice n'appartient pas à la sélection";
    case kErrTypeMismatch: return L"Type incompatible";
    case kErrBadFileName: return L"Nom ou numéro de fichier incorrect";
    case kErrFileNotFound: return L"Fichier introuvable";
    case kErrDiskFull: return L"Disque plein";
    case kErrPastEnd: return L"Entrée au-delà de la fin de fichier";
    case kErrPermission: return L"Permission refusée";
    case kErrPathAccess: return L"Erreur d'accès au chemin/fichier";
    case kErrPathNotFound: return L"Chemin d'accès introuvable";
    case kErrNotText: return L"Fichier non texte";
    case kErrNotEncodable: return L"Caractère impossible à enregistrer";
    case kErrMissingSeparator: return L"Séparateur de champ absent";
    case kErrBadLine: return L"Ligne mal formée";
    case kErrLineTooLong: return L"Ligne trop longue";
    case kErrUnreadNotWritten: return L"Fichier mal lu, il n'est pas remplacé";
    case kErrReadOnly: return L"Fichier en lecture seule, il n'est pas remplacé";
    case kErrNotRegularFile: return L"Ce n'est pas un fichier ordinaire, il n'est pas lu";
    default: return L"Erreur inconnue";
    }
}

YzoError::YzoError(int number, const std::wstring& detail) : number_(number), description_(errorDescription(number)) {
    if (!detail.empty()) description_ += L" (" + detail + L")";
}

YzoError YzoError::at(const std::wstring& file, long line) const {
    YzoError placed = *this;
    placed.description_ += L" dans " + file;
    if (line > 0) placed.description_ += L", ligne " + std::to_wstring(line);
    return placed;
}

std::wstring errorText(const YzoError& error, const std::wstring& procedure) {
    // A blank between the parts, so that the screen reader says them as words.
    return std::to_wstring(error.number()) + L" " + error.description() + L" sur " + procedure;
}
