// OFX statements, 1.x (SGML: a header of KEY:VALUE lines, leaf elements
// without end tags) and 2.x (XML). The reader is self-contained: it walks the
// tags in order and keeps what a bank or credit-card statement says of its
// account, balance and operations. It needs no DTD or other file at run time
// and no library beyond the standard one, so that the program stays one
// self-contained executable that builds and reads alike on every system it
// runs on. It never guesses a value: an amount or a date it cannot read stops
// the reading with the line where it stands.
#include <algorithm>
#include <cctype>
#include <limits>

#include "statements/reading.h"

using namespace statements;

namespace {
constexpr int kDateDigits = 8;
constexpr int kYearDigits = 4, kMonthDigits = 2;
constexpr size_t kNoPos = std::wstring_view::npos;
// The last character a reference may name: Unicode's last, or less where a
// wide character is smaller.
constexpr unsigned long kLastCharacter =
    std::min<unsigned long>(0x10FFFF, static_cast<unsigned long>(std::numeric_limits<wchar_t>::max()));
constexpr wchar_t kReplacement = 0xFFFD;
// The header key naming the file's character set.
constexpr std::string_view kCharsetKey = "CHARSET:";
// The longest character reference read ("&#x10FFFF;" and some leading zeros).
constexpr size_t kMaxReference = 10;

// The file as text: Windows-1252 when its header says so (CHARSET 1252 or an
// ISO-8859 one), else UTF-8 when it is UTF-8, else Windows-1252.
std::wstring decodeOfx(std::string_view bytes) {
    std::string_view body = withoutBom(bytes);
    std::string head(body.substr(0, body.find('<')));
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    size_t charset = head.find(kCharsetKey);
    if (charset != std::string::npos) {
        const size_t from = charset + kCharsetKey.size();
        std::string value = head.substr(from, head.find_first_of("\r\n", from) - from);
        if (value.find("1252") != std::string::npos || value.find("8859") != std::string::npos)
            return decodeWindows1252(body);
    }
    return decodeUtf8OrWindows1252(body);
}

// The character of a numeric reference ("233" or "xE9"), U+FFFD for one
// beyond what a wide character holds here; nullopt when it is not one.
std::optional<wchar_t> characterReference(std::wstring_view number) {
    const bool hex = number[0] == L'x' || number[0] == L'X';
    std::wstring_view digits = number.substr(hex ? 1 : 0);
    if (digits.empty()) return std::nullopt;
    unsigned long code = 0;
    for (wchar_t d : digits) {
        const int value = d >= L'0' && d <= L'9'          ? d - L'0'
                          : hex && d >= L'a' && d <= L'f' ? d - L'a' + 10
                          : hex && d >= L'A' && d <= L'F' ? d - L'A' + 10
                                                          : -1;
        if (value < 0) return std::nullopt;
        code = std::min(code * (hex ? 16 : 10) + static_cast<unsigned long>(value), kLastCharacter + 1);
    }
    if (code == 0) return std::nullopt;
    return code > kLastCharacter ? kReplacement : static_cast<wchar_t>(code);
}

// The text with its character references (&amp; &lt; &gt; &apos; &quot;,
// &#NN; and &#xHH;) replaced; an "&" that starts none stays as it is.
std::wstring decodeEntities(std::wstring_view text) {
    static const std::pair<std::wstring_view, wchar_t> kNamed[] = {
        {L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"apos", L'\''}, {L"quot", L'"'}};
    std::wstring out;
    size_t i = 0;
    while (i < text.size()) {
        size_t semi = text[i] == L'&' ? text.find(L';', i) : kNoPos;
        if (semi == kNoPos || semi - i > kMaxReference) {
            out += text[i++];
            continue;
        }
        std::wstring_view name = text.substr(i + 1, semi - i - 1);
        std::optional<wchar_t> c;
        for (const auto& [word, letter] : kNamed)
            if (name == word) c = letter;
        if (!c && name.size() > 1 && name[0] == L'#') c = characterReference(name.substr(1));
        if (!c) {
            out += text[i++];
            continue;
        }
        out += *c;
        i = semi + 1;
    }
    return out;
}

// Tag names are ASCII: their letters in upper case.
wchar_t upperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool allDigits(std::wstring_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// An OFX date: YYYYMMDD, then optionally hhmm[ss[.xxx]] and a time zone in
// brackets ("20090401122017.000[-5:EST]"). The day is the one written.
std::optional<Date> ofxDate(std::wstring_view text) {
    text = trimmed(text);
    if (text.size() < kDateDigits || !allDigits(text.substr(0, kDateDigits))) return std::nullopt;
    std::wstring_view rest = text.substr(kDateDigits);
    size_t zone = rest.find(L'[');
    if (zone != kNoPos) {
        if (rest.back() != L']') return std::nullopt;
        rest = rest.substr(0, zone);
    }
    size_t dot = rest.find(L'.');
    std::wstring_view time = rest.substr(0, dot), millis = dot == kNoPos ? L"" : rest.substr(dot + 1);
    if ((!time.empty() && (!allDigits(time) || (time.size() != 4 && time.size() != 6))) ||
        (dot != kNoPos && (time.size() != 6 || !allDigits(millis))))
        return std::nullopt;
    std::wstring digits(text.substr(0, kDateDigits));
    return dateOf(std::stoi(digits.substr(0, kYearDigits)), std::stoi(digits.substr(kYearDigits, kMonthDigits)),
                  std::stoi(digits.substr(kYearDigits + kMonthDigits)));
}

// An OFX amount: a sign, digits and one decimal mark, "." or "," (OFX
// writes no thousands separator, so a lone "," is the decimal mark).
std::optional<long long> ofxAmount(std::wstring_view text) {
    std::wstring s(trimmed(text));
    if (s.find(L'.') == std::wstring::npos) std::replace(s.begin(), s.end(), L',', L'.');
    if (std::count(s.begin(), s.end(), L'.') > 1) return std::nullopt;
    return parseStatementAmount(s);
}

// One tag of the file: its name in upper case, whether it ends an element,
// the text after it up to the next tag, and the line where it stands.
struct Tag {
    std::wstring name;
    bool closing = false;
    std::wstring_view text;
    int line = 0;
};

// The operation being read, with what its elements gave.
struct PendingLine {
    StatementLine line;
    std::optional<int> dateLine, amountLine;
    std::wstring name, payeeName, memo;
    int nameLine = 0, payeeLine = 0, memoLine = 0;
};

// Walks the tags and builds the statement.
class OfxReader {
public:
    explicit OfxReader(std::wstring text) : text_(std::move(text)), lines_(text_) {}

    Statement read() {
        statement_.format = StatementFormat::Ofx;
        size_t pos = upperFind(L"<OFX");
        while (pos != kNoPos && pos < text_.size()) pos = nextTag(pos);
        closeAccount();
        return std::move(statement_);
    }

private:
    std::wstring text_;
    LineCounter lines_;
    Statement statement_;
    std::optional<StatementAccount> account_;
    std::optional<PendingLine> pending_;
    bool inPayee_ = false, inLedger_ = false, inAccountFrom_ = false;
    std::optional<long long> balance_;
    int balanceLine_ = 0;

    // Where the word first stands, letters compared in upper case.
    size_t upperFind(std::wstring_view word) const {
        auto it = std::search(text_.begin(), text_.end(), word.begin(), word.end(),
                              [](wchar_t a, wchar_t b) { return upperAscii(a) == b; });
        return it == text_.end() ? kNoPos : static_cast<size_t>(it - text_.begin());
    }

    // Reads the tag at pos (a "<"), handles it, and returns where the next one starts.
    size_t nextTag(size_t pos) {
        size_t close = text_.find(L'>', pos);
        if (close == kNoPos) return kNoPos;
        std::wstring_view inside = std::wstring_view(text_).substr(pos + 1, close - pos - 1);
        size_t next = text_.find(L'<', close);
        if (inside.empty() || inside[0] == L'?' || inside[0] == L'!') return next;
        Tag tag;
        tag.line = lines_.lineAt(pos);
        tag.closing = inside[0] == L'/';
        inside = inside.substr(tag.closing ? 1 : 0);
        inside = inside.substr(0, inside.find_first_of(L" \t\r\n/"));
        for (wchar_t c : inside) tag.name += upperAscii(c);
        tag.text = std::wstring_view(text_).substr(close + 1, (next == kNoPos ? text_.size() : next) - close - 1);
        if (tag.closing) closing(tag.name);
        else opening(tag);
        return next;
    }

    void opening(const Tag& tag) {
        const std::wstring& n = tag.name;
        if (n == L"STMTRS" || n == L"CCSTMTRS") {
            closeAccount();
            account_.emplace();
        }
        if (!account_) return;
        if (n == L"STMTTRN") {
            closeLine();
            pending_.emplace();
            pending_->line.sourceLine = tag.line;
        } else if (n == L"PAYEE") {
            inPayee_ = true;
        } else if (n == L"LEDGERBAL") {
            inLedger_ = true;
        } else if (n == L"BANKACCTFROM" || n == L"CCACCTFROM") {
            inAccountFrom_ = true;
        } else if (pending_) {
            transactionField(tag);
        } else if (inLedger_) {
            balanceField(tag);
        } else if (inAccountFrom_ && n == L"ACCTID") {
            account_->id = fieldText(decodeEntities(tag.text), tag.line);
        }
    }

    void closing(const std::wstring& n) {
        if (n == L"STMTTRN" || n == L"BANKTRANLIST") closeLine();
        if (n == L"PAYEE") inPayee_ = false;
        if (n == L"LEDGERBAL") inLedger_ = false;
        if (n == L"BANKACCTFROM" || n == L"CCACCTFROM") inAccountFrom_ = false;
        if (n == L"STMTRS" || n == L"CCSTMTRS") closeAccount();
    }

    void transactionField(const Tag& tag) {
        PendingLine& p = *pending_;
        const std::wstring& n = tag.name;
        if (n == L"DTPOSTED") {
            std::optional<Date> date = ofxDate(tag.text);
            if (!date) throw StatementError(kBadDate, tag.line);
            p.line.date = *date;
            p.dateLine = tag.line;
        } else if (n == L"TRNAMT") {
            std::optional<long long> cents = ofxAmount(tag.text);
            if (!cents) throw StatementError(kBadAmount, tag.line);
            p.line.cents = *cents;
            p.amountLine = tag.line;
        } else if (n == L"NAME") {
            (inPayee_ ? p.payeeName : p.name) = fieldText(decodeEntities(tag.text), tag.line);
        } else if (n == L"MEMO") {
            p.memo = fieldText(decodeEntities(tag.text), tag.line);
        } else if (n == L"CHECKNUM") {
            p.line.numero = fieldText(decodeEntities(tag.text), tag.line);
        }
    }

    void balanceField(const Tag& tag) {
        if (tag.name == L"BALAMT" && !trimmed(tag.text).empty()) {
            balance_ = ofxAmount(tag.text);
            if (!balance_) throw StatementError(kBadAmount, tag.line);
            balanceLine_ = tag.line;
        } else if (tag.name == L"DTASOF" && !trimmed(tag.text).empty()) {
            std::optional<Date> date = ofxDate(tag.text);
            if (!date) throw StatementError(kBadDate, tag.line);
            account_->balanceDate = *date;
        }
    }

    // The operation read: its date and amount are required; the objet is the
    // name, else the payee's name, else the memo.
    void closeLine() {
        if (!pending_) return;
        PendingLine p = std::move(*pending_);
        pending_.reset();
        inPayee_ = false;
        if (!p.dateLine) throw StatementError(kBadDate, p.line.sourceLine);
        if (!p.amountLine) throw StatementError(kBadAmount, p.line.sourceLine);
        p.line.objet = !p.name.empty() ? p.name : !p.payeeName.empty() ? p.payeeName : p.memo;
        if (p.line.objet != p.memo) p.line.memo = p.memo;
        account_->lines.push_back(std::move(p.line));
    }

    void closeAccount() {
        closeLine();
        if (!account_) return;
        if (balance_) {
            if (account_->balanceDate == 0) throw StatementError(kBadDate, balanceLine_);
            account_->balanceCents = balance_;
        }
        statement_.accounts.push_back(std::move(*account_));
        account_.reset();
        balance_.reset();
        inLedger_ = inAccountFrom_ = false;
    }
};
}  // namespace

Statement readOfx(std::string_view bytes) { return OfxReader(decodeOfx(bytes)).read(); }
