// Bank statements read from the files banks give (OFX, QIF, CSV): what a
// reader makes of a file, before anything of an account changes. The readers
// are pure: bytes in, a Statement out, or a StatementError naming the line.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/calendar.h"

// The formats a statement file may hold, recognised from its content.
enum class StatementFormat { Unknown, Ofx, Qif, Csv };

// One line of a statement: one operation of the bank.
struct StatementLine {
    Date date = 0;
    long long cents = 0;    // the amount in cents, read from its decimal text: negative for an expense
    std::wstring objet;     // the name (else the payee, else the memo), or a QIF transfer's account
    std::wstring numero;    // the cheque number, or empty
    std::wstring category;  // the bank's or QIF's category ("L" line), or empty
    std::wstring memo;      // the memo when it is not the objet, or empty
    int sourceLine = 0;     // 1-based line of the file where the operation starts
};

// The operations of one account in a statement file.
struct StatementAccount {
    std::wstring id;  // the bank's account number, or empty
    std::vector<StatementLine> lines;
    std::optional<long long> balanceCents;  // the bank's balance (OFX LEDGERBAL), when given
    Date balanceDate = 0;                   // the day of that balance
};

// A whole statement file: usually one account, several in some OFX files.
struct Statement {
    StatementFormat format = StatementFormat::Unknown;
    std::vector<StatementAccount> accounts;
};

// A file that cannot be read whole as a statement. reason is said as it
// stands ("montant invalide"); line is the 1-based line of the file, 0 when
// the fault is not on one line.
struct StatementError : std::runtime_error {
    std::wstring reason;
    int line = 0;
    StatementError(std::wstring why, int at) : std::runtime_error("statement"), reason(std::move(why)), line(at) {}
};

// The format of a file from its first bytes (not from its name).
StatementFormat detectStatementFormat(std::string_view bytes);

// OFX 1.x (SGML, unclosed tags, the header's CHARSET) and 2.x (XML): every
// STMTTRN of a bank or credit-card statement, per account.
Statement readOfx(std::string_view bytes);

// QIF: which way its dates read. MonthFirst or DayFirst when the file's
// dates decide it (a date that reads only one way, none contradicting it);
// Undecided when every date reads both ways (the user is asked, shown
// sampleDate read both ways); DayFirst when no date reads both ways (only
// year-first dates, or none); throws StatementError ("date invalide", its
// line) on a date that reads neither way and on the first date contradicting
// the others.
enum class QifDateOrder { Undecided, DayFirst, MonthFirst };
struct QifDates {
    QifDateOrder order = QifDateOrder::Undecided;
    std::wstring sampleDate;                        // a date of the file as written, for the question
    Date sampleDayFirst = 0, sampleMonthFirst = 0;  // that date read both ways
};
QifDates qifDateOrder(std::string_view bytes);
// The file read with its dates in that order; Undecided is a fault of the
// caller (std::invalid_argument). A section of another type than Bank, CCard
// or Cash is refused ("type de relevé QIF non pris en charge : Invst").
Statement readQif(std::string_view bytes, QifDateOrder order);

// CSV: the table as text, its header row apart.
struct CsvTable {
    wchar_t separator = L';';
    std::vector<std::wstring> header;             // the header row's cells (empty texts when there is none)
    std::wstring headerLine;                      // the header row as decoded, the key of a remembered layout;
                                                  // empty when the first row is already an operation
    std::vector<std::vector<std::wstring>> rows;  // the other rows' cells, unquoted
    std::vector<int> rowLines;                    // the 1-based file line of each row
};
// Decodes (UTF-8 with or without BOM, else Windows-1252) and cuts the file.
// The header is the first row of three cells or more naming a date (a bank's
// preamble above it is left out), else the first row; none when that row
// holds a date. Rows whose cells are all empty are left out.
CsvTable readCsvTable(std::string_view bytes);

// Which column holds what (0-based; -1 when there is none).
struct CsvLayout {
    int date = -1;
    int amount = -1;  // one signed amount column, or -1 when debit and credit are apart
    int debit = -1, credit = -1;
    int objet = -1;
    int numero = -1;
};
// The reader's guess from the header's words and the rows' contents.
CsvLayout guessCsvLayout(const CsvTable& table);
// The rows read with that layout (dates JJ/MM/AAAA, decimal comma or point).
Statement readCsv(const CsvTable& table, const CsvLayout& layout);

// Reads a decimal amount as written ("1 234,56", "-12.3", "1,234.56" with
// thousands separators) into cents, rounding half away from zero on the
// decimal text; nullopt when it is not an amount.
std::optional<long long> parseStatementAmount(std::wstring_view text);
