// Run-time errors and their report: number, description, "sur " + procedure.
#pragma once
#include <exception>
#include <string>

enum YzoErrorNumber {
    kErrBadArgument = 5,  // invalid argument (an impossible date...)
    kErrOverflow = 6,
    kErrOutOfMemory = 7,    // an allocation failed: the work is given up whole
    kErrSubscript = 9,      // a line shorter than its fixed positions
    kErrTypeMismatch = 13,  // not a number where one is needed
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrDiskFull = 61,
    kErrPastEnd = 62,  // a file with no header line
    kErrPermission = 70,
    kErrPathAccess = 75,
    kErrPathNotFound = 76,
    kErrNotText = 1001,       // bytes that are not Windows-1252 text
    kErrNotEncodable = 1002,  // a character Windows-1252 cannot hold
    kErrMissingSeparator = 1003,
    kErrBadLine = 1004,           // a separator out of place, or a line far too long
    kErrLineTooLong = 1010,       // a list line longer than a list accepts
    kErrUnreadNotWritten = 1011,  // a list file that was not read whole is kept as it is
    kErrReadOnly = 1012,          // a file without write permission is not replaced
    kErrNotRegularFile = 1013,    // a pipe, a device or a folder where a file is read
};

// The description of an error number, in French.
std::wstring errorDescription(int number);

class YzoError : public std::exception {
public:
    explicit YzoError(int number, const std::wstring& detail = {});
    int number() const { return number_; }
    // The description, followed by the detail when there is one.
    const std::wstring& description() const { return description_; }
    const char* what() const noexcept override { return "yzo error"; }
    // The same error, placed in a file and, when line > 0, at that line.
    YzoError at(const std::wstring& file, long line) const;

private:
    int number_;
    std::wstring description_;
};

// The text of the error message box: number, description and "sur " + procedure.
std::wstring errorText(const YzoError& error, const std::wstring& procedure);
