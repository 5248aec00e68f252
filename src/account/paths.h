// Path functions. "\" and "/" both separate folders; a new separator is the platform's.
#pragma once
#include <string>

#include "platform/separator.h"

// The text after the last separator or ":"; the whole path when there is none.
std::wstring NomFichSeul(const std::wstring& path);
// True when the file exists and its length can be read.
bool FichierExistant(const std::wstring& path);
bool DossierExistant(const std::wstring& path);
// Appends a separator unless the path already ends with one.
std::wstring ajoutbackslash(const std::wstring& path);
// Removes a final separator; a text shorter than 2 characters becomes empty.
std::wstring Sansbackslash(const std::wstring& path);
// The folder of a path (up to and with its last separator), empty when none.
std::wstring folderOf(const std::wstring& path);
// The file of the folder whose name is this one whatever its case (Linux file
// names are case-sensitive, the names the user types are not): the folder
// followed by the name as it stands on disk; the first in name order when
// several differ only by case; empty when there is none.
std::wstring fileWhateverCase(const std::wstring& folder, const std::wstring& name);
