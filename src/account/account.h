// Account files: the header line, the stored lines, and the open accounts held in memory.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/calendar.h"
#include "app/textfile.h"

constexpr wchar_t RS = 0x1E;  // field separator inside a line
constexpr int kMaxSlots = 15;
// No real operation or header comes near this length: a longer line is malformed.
constexpr size_t kMaxLineLength = 4096;
inline const std::wstring kUntitled = L"sanstitre.yzo";

// The account types (AccountHeader::accountType), from the header's type letter;
// plain ints: the type choice list is ordered by them.
constexpr int kAccountNone = 0;      // a letter that names no type
constexpr int kAccountBankCode = 1;  // "T": receipts and expenses, registered "/", a bank line "B"
constexpr int kAccountMarked = 2;    // "P": receipts and expenses, marked "*"
constexpr int kAccountPlain = 3;     // "S": receipts and expenses
constexpr int kAccountReceipts = 4;  // "R": receipts only
constexpr int kAccountExpenses = 5;  // "D": expenses only

// The unit codes (AccountHeader::unitCode), from the header's unit name.
constexpr int kUnitFrancs = 1;  // "FRANCS": the other unit is the euro
constexpr int kUnitEuros = 2;   // "EUROS": the other unit is the franc
constexpr int kUnitOther = 3;   // any other name, or none: no other unit

struct AccountHeader {
    bool hasTva = false;
    Date startDate = 0;
    std::wstring startDateText;
    int accountType = kAccountBankCode;
    int unitCode = kUnitEuros;
    long lineCount = 0;
    double lastBalance = 0;
    double tvaTotal = 0;
    std::wstring objetListName, title, unitName, otherUnitName;
    std::wstring password;  // with its leading RS, or empty
};

struct Operation {
    Date date = 0;
    wchar_t flag = L' ';
    wchar_t code = L' ';
    double montant = 0;
    std::wstring rubrique, objet, numero;
    double tva = 0;
};

// An operation read from its stored line without copying: the texts are views
// into the line, which must outlive them.
struct OperationView {
    Date date = 0;
    wchar_t flag = L' ';
    wchar_t code = L' ';
    double montant = 0;
    std::wstring_view rubrique, objet, numero;
    double tva = 0;
    std::wstring_view montantText, tvaText;  // the amounts as written
};

struct LineEntry {
    std::wstring text;
    int16_t mark = 0;
};

// The lines of an open account that is not being worked on, held in one
// buffer rather than one string a line (1-based, as the line arrays).
struct StoredLines {
    std::string bytes;           // the lines one after the other
    std::vector<size_t> ends;    // where each line ends in bytes
    std::vector<int16_t> marks;  // the mark of each line

    long count() const { return static_cast<long>(ends.size()); }
    void clear();
    void reserve(long lines, size_t characters);
    void append(std::wstring_view line, int16_t mark);
    // Line k (1..count()), as it was appended.
    std::wstring line(long k) const;
    // The same into out, whose buffer is reused when it is large enough.
    void lineInto(long k, std::wstring& out) const;
    int16_t mark(long k) const { return marks[static_cast<size_t>(k) - 1]; }
};

// A date field of 8 characters: day, month, year; blanks are ignored.
// Throws YzoError on letters or an impossible date.
Date readDateField(const std::wstring& field);
// An amount field: "," or "." as decimal sign; empty reads 0.
// Throws YzoError kErrTypeMismatch on anything that is not a number.
double readAmountField(const std::wstring& field);
// Account type from its header letter, and back.
int lettrecompte(wchar_t letter);
wchar_t accountTypeLetter(int type);

// The parsers throw YzoError on a line they cannot take field by field: one
// shorter than its fixed positions, longer than kMaxLineLength, missing a
// separator, or with a separator among its fixed positions 1 to 10.
AccountHeader convertit_ChaineConfiguration(const std::wstring& line);
std::wstring FormeConfiguration(const AccountHeader& header);
Operation convertit_ChaineYzo(const std::wstring& line);
// The same reading, its texts left in the line; throws as convertit_ChaineYzo does.
OperationView readOperation(std::wstring_view line);
std::wstring FormeYzo(const Operation& op);
// A zero is never kept negative, so that it is never written "-0".
inline double withoutMinusZero(double value) { return value == 0 ? 0.0 : value; }
// The amount and its TVA change sign together, as when an operation changes
// from a receipt to an expense or back.
void negateAmounts(Operation& op);
// True for a traite or pension line (code "T" or "P" at position 10).
bool isPensionLine(const std::wstring& line);
// False when text cannot stand as a field of a line: it holds the field
// separator or a line break.
bool fitsInLine(const std::wstring& text);
// What the user is told when typed text holds one of them.
inline const std::wstring kForbiddenInLine = L"caractère interdit : séparateur de champ ou saut de ligne";
// What the user is told when typed text that goes into a Windows-1252 file
// holds a letter it cannot hold (naming the first); empty when there is none.
std::wstring unwritableLetterRefusal(const std::wstring& text);
// The text with every separator and line break turned into a blank.
std::wstring withoutLineBreaks(const std::wstring& text);
// A short excerpt of a line for a message: its start, without separators.
std::wstring lineExcerpt(const std::wstring& line);
// Header text of a new account dated startDate.
std::wstring newAccountHeaderText(Date startDate);
// The path cut three characters after the first "." of its file name.
std::wstring cutExtension(const std::wstring& path);
// The stored form of a typed password: for each character, a separator and
// the decimal code of the character scrambled by a fixed mask.
std::wstring cryptage(const std::wstring& typed);
// The path with the file name's extension replaced: the name kept up to and
// with its first "." and the extension appended ("." and the extension when
// the name has no ".").
std::wstring withExtension(const std::wstring& path, const std::wstring& extension);
// A name from a file dialog whose second and third characters are ":." loses the ".".
void dropDialogDot(std::wstring& name);
// The backup name: the file name's extension replaced by "bak".
std::wstring backupName(const std::wstring& path);

// The open accounts (slots 1..15; element 0 unused) and the current account.
struct AccountsState {
    int currentDoc = 1;
    int openCount = 1;
    std::array<AccountHeader, kMaxSlots + 1> table{};
    AccountHeader header;                    // the current slot's record
    std::vector<LineEntry> pensionLines{1};  // 1-based, element 0 unused
    std::vector<LineEntry> operationLines{1};
    std::array<StoredLines, kMaxSlots + 1> slotStore{};  // each slot's lines: pensions, then operations
    std::array<bool, kMaxSlots + 1> modified{};
    bool launching = false;  // launch flag (cleared once an account is read)
    // What each slot's file held when it was read or written, to notice a
    // file changed by another program before overwriting it.
    std::array<FileSignature, kMaxSlots + 1> fileSignature{};
    bool backupFailed = false;  // the last backup copy could not be written
    // A slot whose header is read but whose lines are not (its password is
    // asked, or reading them failed): nothing may write it or copy into it.
    std::array<bool, kMaxSlots + 1> linesUnread{};
    // The menu entries' enabled states while the password of an account being opened is asked.
    std::vector<bool> menusBeforePassword;
    int slotBeforeOpening = 1;  // where to come back when an opening is given up
    // Password dialog: creation, modification, suppression, the check at
    // opening, and the old password still to be checked during a modification.
    bool passwordCreation = false, passwordModification = false, passwordSuppression = false;
    bool passwordAtOpening = false, oldPasswordPending = false;
    std::wstring firstEntry;  // first typing of a new password, in stored form
    Operation parsed;         // filled by convertit_ChaineYzo
    Operation work;           // filled by the dialogs

    long pensionCount() const { return static_cast<long>(pensionLines.size()) - 1; }
    long operationCount() const { return static_cast<long>(operationLines.size()) - 1; }
};
