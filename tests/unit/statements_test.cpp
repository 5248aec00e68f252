// The bank statement readers: every sample OFX file, inline OFX 2.x, QIF and
// CSV files, amounts, and the refusals that name their line.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "account/account.h"
#include "statements/statement.h"
#include "support.h"

namespace {
Date ymd(int y, int m, int d) { return dateFromYMD(y, m, d); }

// The reason and line of the refusal, or "" when the reader accepts.
template <typename Read>
std::pair<std::wstring, int> refusal(Read read) {
    try {
        read();
    } catch (const StatementError& e) {
        return {e.reason, e.line};
    }
    return {L"", 0};
}

// What a test expects of one line of a statement.
struct Expected {
    Date date;
    long long cents;
    std::wstring objet, numero = L"", memo = L"", category = L"";
};

void expectLine(const StatementLine& got, const Expected& want) {
    EXPECT_EQ(std::tuple(got.date, got.cents, got.objet, got.numero, got.memo, got.category),
              std::tuple(want.date, want.cents, want.objet, want.numero, want.memo, want.category));
}

// An OFX 1.x file of one bank statement whose transaction list holds the text.
std::string sgmlTransactions(const std::string& trn) {
    return "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nCHARSET:1252\r\n\r\n<OFX>\r\n<BANKMSGSRSV1><STMTTRNRS>"
           "<STMTRS><BANKACCTFROM><ACCTID>1</BANKACCTFROM><BANKTRANLIST>\r\n" +
           trn + "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";
}
}  // namespace

// What the sample files hold beyond what their import shows (the counts, dates
// and refusals are in the import-echantillons and import-refus scenarios): the
// account's id, its balance, whose date may carry a fraction and a zone (an
// empty one is none), and a first line whose memo stands in for an empty name.
TEST(StatementFiles, SamplesKeepTheirIdsBalancesAndMemos) {
    struct Case {
        const char* file;
        std::wstring id;
        std::optional<long long> balance;
        Date balanceDate;
        std::optional<Expected> first = std::nullopt;
    };
    const Case cases[] = {
        {"bank_medium.ofx", L"12300 000012345678", 38234, ymd(2009, 5, 23),
         Expected{ymd(2009, 4, 1), -660, L"MCDONALD'S #112", L"", L"POS MERCHANDISE;MCDONALD'S #112"}},
        {"checking.ofx", L"1452687~7", 10099, ymd(2013, 5, 25)},
        {"multiple_accounts.ofx", L"9100", 11100, ymd(2012, 6, 3)},
        {"ofx-v102-empty-tags.ofx", L"12345678", std::nullopt, 0, Expected{ymd(2018, 5, 7), 1234, L"CBA:Transfer"}},
        {"fail_nice-empty_balance.ofx", L"192639749", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Statement s = readOfx(readBytes(fs::path(YZO_TEST_DATA) / "releves" / c.file));
        ASSERT_FALSE(s.accounts.empty());
        const StatementAccount& a = s.accounts[0];
        EXPECT_EQ(a.id, c.id);
        EXPECT_EQ(a.balanceCents, c.balance);
        if (c.balance) {
            EXPECT_EQ(a.balanceDate, c.balanceDate);
        }
        if (c.first) expectLine(a.lines.at(0), *c.first);
    }
}

// OFX 2.x: a bank and a credit-card statement, entities, a payee aggregate,
// a decimal comma, rounding on the decimal text and an investment transaction
// left aside.
TEST(Ofx, XmlStatementOfBothKinds) {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?OFX OFXHEADER=\"200\" VERSION=\"211\"?>\n<OFX>\n"
        "<BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKACCTFROM><ACCTID>FR76 1</ACCTID></BANKACCTFROM><BANKTRANLIST>\n"
        "<STMTTRN><DTPOSTED>20240229</DTPOSTED><TRNAMT>1.045</TRNAMT><NAME>Caf\xC3\xA9 &amp; Th&#233;</NAME>"
        "<CHECKNUM>1234567</CHECKNUM></STMTTRN>\n"
        "<STMTTRN><DTPOSTED>20240301</DTPOSTED><TRNAMT>-1.045</TRNAMT><PAYEE><NAME>A &lt;B&gt;</NAME></PAYEE>"
        "<MEMO>note</MEMO><BANKACCTTO><ACCTID>999</ACCTID></BANKACCTTO></STMTTRN>\n"
        "</BANKTRANLIST><LEDGERBAL><BALAMT>-12,50</BALAMT><DTASOF>20240302</DTASOF></LEDGERBAL>"
        "<AVAILBAL><BALAMT>5</BALAMT><DTASOF>20240302</DTASOF></AVAILBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1>\n"
        "<CREDITCARDMSGSRSV1><CCSTMTTRNRS><CCSTMTRS><CCACCTFROM><ACCTID>4970</ACCTID></CCACCTFROM><BANKTRANLIST>"
        "<STMTTRN><DTPOSTED>20240305120000</DTPOSTED><TRNAMT>-7</TRNAMT><MEMO>  P\xC3\xA9"
        "age   A7 </MEMO></STMTTRN>"
        "</BANKTRANLIST></CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1>\n"
        "<INVSTMTMSGSRSV1><INVSTMTTRNRS><INVSTMTRS><INVTRANLIST><INVBANKTRAN><STMTTRN><DTPOSTED>20240306"
        "</DTPOSTED><TRNAMT>1</TRNAMT></STMTTRN></INVBANKTRAN></INVTRANLIST></INVSTMTRS></INVSTMTTRNRS>"
        "</INVSTMTMSGSRSV1>\n</OFX>\n";
    EXPECT_EQ(detectStatementFormat(xml), StatementFormat::Ofx);
    Statement s = readOfx(xml);
    ASSERT_EQ(s.accounts.size(), 2u);
    EXPECT_EQ(s.accounts[0].id, L"FR76 1");
    ASSERT_EQ(s.accounts[0].lines.size(), 2u);
    expectLine(s.accounts[0].lines[0], {ymd(2024, 2, 29), 105, L"Café & Thé", L"1234567"});
    expectLine(s.accounts[0].lines[1], {ymd(2024, 3, 1), -105, L"A <B>", L"", L"note"});
    EXPECT_EQ(s.accounts[0].lines[1].sourceLine, 6);
    EXPECT_EQ(s.accounts[0].balanceCents, -1250);
    EXPECT_EQ(s.accounts[0].balanceDate, ymd(2024, 3, 2));
    EXPECT_EQ(s.accounts[1].id, L"4970");
    ASSERT_EQ(s.accounts[1].lines.size(), 1u);
    expectLine(s.accounts[1].lines[0], {ymd(2024, 3, 5), -700, L"Péage A7"});
    EXPECT_FALSE(s.accounts[1].balanceCents);
}

// What an OFX 1.x file refuses, with the line of the fault; and the header's
// Windows-1252 read as such.
TEST(Ofx, SgmlFaultsNameTheirLine) {
    const std::pair<std::string, std::pair<std::wstring, int>> cases[] = {
        {"<STMTTRN><DTPOSTED>20240101<TRNAMT>12.5<NAME>Caf\xE9</STMTTRN>\r\n", {L"", 0}},
        {"<STMTTRN>\r\n<DTPOSTED>20240101\r\n<TRNAMT>1 2.3.4\r\n</STMTTRN>\r\n", {L"montant invalide", 10}},
        {"<STMTTRN><DTPOSTED>20240101<NAME>x</STMTTRN>\r\n", {L"montant invalide", 8}},
        {"<STMTTRN>\r\n<DTPOSTED>2024-01-01\r\n<TRNAMT>1\r\n</STMTTRN>\r\n", {L"date invalide", 9}},
        {"<STMTTRN>\r\n<DTPOSTED>20240101[+1:CET\r\n<TRNAMT>1\r\n</STMTTRN>\r\n", {L"date invalide", 9}},
        {"<STMTTRN><DTPOSTED>20240101<TRNAMT>1<NAME>a\x1E"
         "b</STMTTRN>\r\n",
         {kForbiddenInLine, 8}},
        {"<STMTTRN><DTPOSTED>20240101<TRNAMT>1<NAME>a&#937;</STMTTRN>\r\n",
         {L"texte refusé : le caractère Ω ne peut pas être enregistré", 8}},
    };
    for (const auto& [trn, want] : cases) {
        SCOPED_TRACE(trn);
        EXPECT_EQ(refusal([&] { readOfx(sgmlTransactions(trn)); }), want);
    }
    EXPECT_EQ(readOfx(sgmlTransactions(cases[0].first)).accounts[0].lines[0].objet, L"Café");
}

TEST(Statements, FormatAndAmountReadFromTheText) {
    const std::pair<std::string, StatementFormat> formats[] = {
        {"\xEF\xBB\xBF\r\n  OFXHEADER:100\r\n", StatementFormat::Ofx},
        {"<?xml version=\"1.0\"?><?OFX OFXHEADER=\"200\"?><OFX>", StatementFormat::Ofx},
        {"!Type:Bank\r\nD1/2/24\r\n", StatementFormat::Qif},
        {"!Account\nNLivret\n", StatementFormat::Qif},
        {"Date;Libellé;Montant\n", StatementFormat::Csv},
        {"Date\nLibellé\n", StatementFormat::Unknown},
        {"", StatementFormat::Unknown},
    };
    for (const auto& [bytes, format] : formats) EXPECT_EQ(detectStatementFormat(bytes), format) << bytes;
    const std::pair<std::wstring, long long> amounts[] = {
        {L"1.045", 105},       {L"-1.045", -105},          {L"1.0449", 104},      {L"-12,3", -1230},
        {L"1 234,56", 123456}, {L"1\u00A0234,56", 123456}, {L"1.234,56", 123456}, {L"1,234.56", 123456},
        {L"1,234", 123400},    {L"1.234.567", 123456700},  {L"+.5", 50},
    };
    for (const auto& [text, cents] : amounts) EXPECT_EQ(parseStatementAmount(text), cents) << toUtf8(text);
    for (const wchar_t* text : {L"$120", L"", L"-", L"12,34,5", L"1.2.3,4", L"12a", L"1234567890123456"})
        EXPECT_FALSE(parseStatementAmount(text)) << toUtf8(text);
}

// The order of a QIF file's dates, decided by the dates that read one way only
// (the question an undecided file asks is in the import-qif-csv scenario).
TEST(Qif, DateOrderDecidedForTheWholeFile) {
    struct Case {
        std::string dates;
        QifDateOrder order;
        int faultLine;
    };
    const Case cases[] = {
        {"D03/04/2024\nD25/04/2024\n", QifDateOrder::DayFirst, 0},
        {"D03/04/2024\nD04/25'24\n", QifDateOrder::MonthFirst, 0},
        {"D03/04/2024\nD04/05/24\n", QifDateOrder::Undecided, 0},
        {"D2024-04-25\n", QifDateOrder::DayFirst, 0},
        {"D25/04/2024\nT1\nD04/25/2024\n", QifDateOrder::Undecided, 4},
        {"D13/13/2024\n", QifDateOrder::Undecided, 2},
        {"Dhier\n", QifDateOrder::Undecided, 2},
    };
    for (const Case& c : cases) {
        const std::string file = "!Type:Bank\n" + c.dates;
        EXPECT_EQ(refusal([&] { qifDateOrder(file); }).second, c.faultLine) << c.dates;
        if (c.faultLine == 0) {
            EXPECT_EQ(qifDateOrder(file).order, c.order) << c.dates;
        }
    }
}

// A QIF file's records: Quicken dates, thousands, a transfer, splits, the
// payee or memo as objet, and the faults.
TEST(Qif, RecordsBecomeOperations) {
    const std::string file =
        "!Account\nNCompte joint\nTBank\n^\n!Type:Bank\n"
        "D1/ 2'05\nT-1,234.50\nN1001\nPEDF\nMfacture\nLFactures:Electricite\n^\n"
        "D12/31'2004\nU250.00\nL[Livret bleu]\n^\n"
        "D12/30/04\nT-80.00\nMcourses\nSAlimentation\nE pain\n$-30.00\nSMaison\n$-50.00\n^\n"
        "!Type:CCard\nD1.3.2005\nT-9\nPPéage\n^\n";
    Statement s = readQif(file, QifDateOrder::MonthFirst);
    ASSERT_EQ(s.accounts.size(), 2u);
    EXPECT_EQ(s.accounts[0].id, L"Compte joint");
    ASSERT_EQ(s.accounts[0].lines.size(), 3u);
    expectLine(s.accounts[0].lines[0],
               {ymd(2005, 1, 2), -123450, L"EDF", L"1001", L"facture", L"Factures:Electricite"});
    expectLine(s.accounts[0].lines[1], {ymd(2004, 12, 31), 25000, L"Livret bleu"});
    expectLine(s.accounts[0].lines[2], {ymd(2004, 12, 30), -8000, L"courses", L"", L"", L"Alimentation"});
    EXPECT_EQ(s.accounts[0].lines[2].sourceLine, 17);
    expectLine(s.accounts[1].lines[0], {ymd(2005, 1, 3), -900, L"Péage"});
    const std::pair<std::string, std::pair<std::wstring, int>> faults[] = {
        {"!Type:Bank\nD1/2/2005\nT12.x\n^\n", {L"montant invalide", 3}},
        {"!Type:Bank\nD1/2/2005\nPx\n^\n", {L"montant invalide", 2}},
        {"!Type:Bank\nT1\n^\n", {L"date invalide", 2}},
        {"!Type:Bank\nD2/30/2005\nT1\n^\n", {L"date invalide", 2}},
        {"!Type:Invst\nD1/2/2005\n^\n", {L"type de relevé QIF non pris en charge : Invst", 1}},
    };
    for (const auto& [bytes, want] : faults)
        EXPECT_EQ(refusal([&] { readQif(bytes, QifDateOrder::MonthFirst); }), want) << bytes;
}

// CSV files as banks give them: the layout guessed, then the rows read.
TEST(Csv, LayoutGuessedAndRowsRead) {
    struct Case {
        std::string bytes;
        CsvLayout layout;
        std::vector<Expected> lines;
    };
    const Case cases[] = {
        // UTF-8 with a BOM, a preamble, debit and credit apart, the debit positive, quotes.
        {"\xEF\xBB\xBF"
         "Compte;123\r\nDate d'export;01/01/2024\r\n\r\nDate opération;Date valeur;Libellé;Débit;Crédit;N° chèque\r\n"
         "02/01/2024;03/01/2024;\"CB \"\"LE\"\" MARCHE\";12,30;;\r\n"
         "05/01/24;05/01/24;VIR   SALAIRE;;\"1 500,00\";\r\n"
         "2024-01-06;;CHEQUE;-45,00;;0012345\r\n\r\n;;\r\n",
         {0, -1, 3, 4, 2, 5},
         {{ymd(2024, 1, 2), -1230, L"CB \"LE\" MARCHE"},
          {ymd(2024, 1, 5), 150000, L"VIR SALAIRE"},
          {ymd(2024, 1, 6), -4500, L"CHEQUE", L"0012345"}}},
        // Windows-1252, "," between cells, one amount column, a decimal point.
        {"date,objet,montant\n15.03.2024,\"Caf\xE9, th\xE9\",-3.50\n",
         {0, 2, -1, -1, 1, -1},
         {{ymd(2024, 3, 15), -350, L"Café, thé"}}},
        // No header at all, and no words the reader knows: the contents tell.
        {"02/01/2024;EDF;-50\n01/02/2024;Loyer;-600,00\n",
         {0, 2, -1, -1, 1, -1},
         {{ymd(2024, 1, 2), -5000, L"EDF"}, {ymd(2024, 2, 1), -60000, L"Loyer"}}},
        {"a;b;c\n01/02/2024;Loyer;-600,00\n", {0, 2, -1, -1, 1, -1}, {{ymd(2024, 2, 1), -60000, L"Loyer"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(detectStatementFormat(c.bytes), StatementFormat::Csv);
        CsvTable t = readCsvTable(c.bytes);
        CsvLayout l = guessCsvLayout(t);
        EXPECT_EQ(std::vector<int>({l.date, l.amount, l.debit, l.credit, l.objet, l.numero}),
                  std::vector<int>({c.layout.date, c.layout.amount, c.layout.debit, c.layout.credit, c.layout.objet,
                                    c.layout.numero}));
        Statement s = readCsv(t, l);
        ASSERT_EQ(s.accounts.size(), 1u);
        ASSERT_EQ(s.accounts[0].lines.size(), c.lines.size());
        for (size_t i = 0; i < c.lines.size(); ++i) expectLine(s.accounts[0].lines[i], c.lines[i]);
    }
    CsvTable first = readCsvTable(cases[0].bytes);
    EXPECT_EQ(first.headerLine, L"Date opération;Date valeur;Libellé;Débit;Crédit;N° chèque");
    EXPECT_EQ(first.rowLines, std::vector<int>({5, 6, 7}));
    EXPECT_EQ(readCsvTable(cases[2].bytes).headerLine, L"");
    const std::pair<std::string, std::pair<std::wstring, int>> faults[] = {
        {"Date;Libellé;Montant;Note\n01/02/2024;a;1;\"x\ny\"\n03/02/2024;d;x;\n", {L"montant invalide", 4}},
        {"Date;Libellé;Montant\n01/02/2024;a;1\n\"02/02/2024\";\"b\nc\";2\n", {kForbiddenInLine, 3}},
        {"Date;Libellé;Montant\n01/02/2024;a;1\n31/02/2024;b;2\n", {L"date invalide", 3}},
        {"Date;Libellé;Débit;Crédit\n01/02/2024;a;;\n", {L"montant invalide", 2}},
        {"Date;Libellé;Montant\n01/02/2024;a\x1E;1\n", {kForbiddenInLine, 2}},
    };
    for (const auto& [bytes, want] : faults) {
        CsvTable t = readCsvTable(bytes);
        EXPECT_EQ(refusal([&] { readCsv(t, guessCsvLayout(t)); }), want) << bytes;
    }
}
