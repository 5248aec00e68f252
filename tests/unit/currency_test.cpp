// Francs and euros: the conversion of a whole account checked against exact
// arithmetic in cents, and the configuration chain that chooses the unit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>

#include "app/mainform.h"
#include "app/textfile.h"
#include "currency/currency.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const wchar_t RSs[] = {RS, 0};

// n / d rounded half away from zero, exactly.
int64_t roundedQuotient(int64_t n, int64_t d) {
    int64_t a = n < 0 ? -n : n;
    int64_t q = (2 * a + d) / (2 * d);
    return n < 0 ? -q : q;
}
// 6.55957 francs for one euro: in cents, francs * 100000 / 655957 and euros * 655957 / 100000.
int64_t francCentsToEuroCents(int64_t francs) { return roundedQuotient(francs * 100000, 655957); }
int64_t euroCentsToFrancCents(int64_t euros) { return roundedQuotient(euros * 655957, 100000); }
int64_t cents(double amount) { return std::llround(amount * 100); }

std::wstring amountText(int64_t c) { return Forme_montant(static_cast<double>(c) / 100); }

std::wstring line(Date date, wchar_t code, const std::wstring& objet, int64_t montant, int64_t tva,
                  const std::wstring& numero = L"") {
    return FormatDate(date) + L" " + code + L"Divers" + RSs + objet + RSs + amountText(montant) + RSs +
           amountText(tva) + RSs + numero;
}

std::wstring header(wchar_t type, const std::wstring& unit, bool tva) {
    return std::wstring(L" 1 12000") + (tva ? L"T" : L" ") + type + RSs + L"ESSAI" + RSs + L"0" + RSs + L"0" + RSs +
           unit + RSs + L"0";
}

class Account : public ::testing::Test {
protected:
    std::wstring folder;
    std::wstring path;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-currency-XXXXXX";
        folder = fromUtf8(mkdtemp(tmpl)) + L"/";
        path = folder + L"compte.yzo";
    }
    void TearDown() override { fs::remove_all(fsPath(folder)); }

    void open(const std::vector<std::wstring>& lines) {
        writeTextLines(path, lines);
        tp.folder = folder;
        tp.today = dateFromYMD(2001, 12, 31);
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(path);
    }
    std::vector<Operation> operations() const {
        std::vector<Operation> out;
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i)
            out.push_back(convertit_ChaineYzo(form->acc.operationLines[i].text));
        return out;
    }
    // The configuration chain up to the unit list: title, start date, account
    // type, then the answers of the input boxes that follow.
    void chainToUnits(int type, const std::vector<std::wstring>& more = {}) {
        tp.inputs.push_back(L"ESSAI");
        tp.inputs.push_back(L"");  // the start date stays
        tp.inputs.insert(tp.inputs.end(), more.begin(), more.end());
        form->MenuCommand(L"mnuModifConfiguration");
        form->w.Liste.selected = type;
        form->KeyPress(L"Liste", L'\r');
    }
    void chooseUnit(int row) {
        ASSERT_TRUE(form->ent.modes.unitChoice);
        form->w.Liste.selected = row;
        form->KeyPress(L"Liste", L'\r');
    }
};

TEST(Rates, RoundedToTheCentOnTheDecimalAmount) {
    EXPECT_EQ(r_franc_euro(100), 15.24);
    EXPECT_EQ(r_euro_franc(10), 65.6);
    EXPECT_EQ(Forme_montant(r_euro_franc(-1.5)), L"-9,84");
    EXPECT_EQ(Forme_montant(r_franc_euro(0.03)), L"0");  // never "-0" nor "0,00"
    EXPECT_EQ(Forme_montant(r_franc_euro(-0.03)), L"0");
}

// A few thousand random franc operations of every kind on a bank account with
// registered lines and TVA: each amount is converted on its own, one operation
// makes up the rounding, the euro balance is the converted franc balance, and
// the file written reads back the same; then the chain takes it back to francs.
TEST_F(Account, ConvertingAWholeAccountToEurosAndBack) {
    std::mt19937 rng(20011231);
    std::uniform_int_distribution<int64_t> amount(1, 500000);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<std::wstring> lines = {header(L'T', L"FRANCS", true)};
    // Due after today, so that opening inserts nothing.
    lines.push_back(line(dateFromYMD(2002, 1, 1), L'T', L"TRAITE", -12345, 0, L"1"));
    std::vector<int64_t> francs;
    int64_t francBalance = 0, lastBank = 0;
    Date date = dateFromYMD(2000, 1, 1);
    const int n = 3000;
    for (int i = 0; i < n; ++i) {
        if (i % 5 == 0) ++date;
        int k = kind(rng);
        int64_t c = amount(rng);
        wchar_t code = k < 5 ? L'D' : k < 9 ? L'R' : L'B';
        if (code == L'D') c = -c;
        bool registered = code != L'B' && k % 3 == 0;
        std::wstring text = line(date, code, L"OP" + std::to_wstring(i), c, code == L'B' ? 0 : c / 7);
        if (registered) text[8] = L'/';
        lines.push_back(text);
        francs.push_back(c);
        // A registered line is left out of the balance; the last bank line gives
        // the bank amount, added once.
        if (code == L'B') lastBank = c;
        else if (!registered) francBalance += c;
    }
    francBalance += lastBank;
    open(lines);
    ASSERT_EQ(form->acc.operationCount(), n);

    tp.replies.push_back(MsgResult::Yes);
    form->MenuCommand(L"mnuConvertirEuroItem");
    EXPECT_EQ(tp.boxes.back(), L"Convertir en euro");

    std::vector<Operation> ops = operations();
    ASSERT_EQ(ops.size(), static_cast<size_t>(n + 1));
    int64_t euroSum = 0, lastBankEuros = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(ops[i].objet, L"OP" + std::to_wstring(i));
        int64_t e = francCentsToEuroCents(francs[i]);
        ASSERT_EQ(cents(ops[i].montant), e) << i;
        if (ops[i].code != L'B') EXPECT_EQ(cents(ops[i].tva), francCentsToEuroCents(francs[i] / 7)) << i;
        if (ops[i].code == L'B') lastBankEuros = e;
        else if (ops[i].flag != L'/') euroSum += e;
    }
    euroSum += lastBankEuros;
    const int64_t wanted = francCentsToEuroCents(francBalance);
    ASSERT_NE(wanted, euroSum) << "the random amounts should need a balancing operation";
    const Operation& balancing = ops.back();
    EXPECT_EQ(balancing.objet, L"Conversion franc-euro");
    EXPECT_EQ(cents(balancing.montant), wanted - euroSum);
    EXPECT_EQ(balancing.code, wanted > euroSum ? L'R' : L'D');
    EXPECT_EQ(balancing.tva, 0);
    EXPECT_EQ(balancing.date, date);
    EXPECT_EQ(cents(convertit_ChaineYzo(form->acc.pensionLines[1].text).montant), francCentsToEuroCents(-12345));

    const AccountHeader& h = form->acc.table[1];
    EXPECT_EQ(h.unitCode, 2);
    EXPECT_EQ(h.unitName, L"EUROS");
    EXPECT_EQ(h.otherUnitName, L"FRANCS");
    EXPECT_EQ(cents(form->led.totals.balance), wanted);
    EXPECT_EQ(cents(h.lastBalance), wanted);
    EXPECT_TRUE(form->acc.modified[1]);

    form->enregistrer();
    std::vector<std::wstring> written = readTextLines(path);
    ASSERT_EQ(written.size(), static_cast<size_t>(n + 3));
    AccountHeader reread = convertit_ChaineConfiguration(written[0]);
    EXPECT_EQ(reread.unitCode, 2);
    EXPECT_EQ(cents(reread.lastBalance), wanted);
    EXPECT_EQ(written.back(), form->acc.operationLines[n + 1].text);

    // Back to francs through the configuration chain: no balancing operation.
    chainToUnits(1);
    tp.replies.push_back(MsgResult::Yes);
    chooseUnit(3);
    EXPECT_EQ(tp.boxes.back(), L"Convertir en franc");
    std::vector<Operation> back = operations();
    ASSERT_EQ(back.size(), static_cast<size_t>(n + 1));
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(cents(back[i].montant), euroCentsToFrancCents(cents(ops[i].montant))) << i;
    EXPECT_EQ(form->acc.table[1].unitCode, 1);
    EXPECT_EQ(form->acc.table[1].otherUnitName, L"EUROS");
}

TEST_F(Account, SmallAmountsWhoseRoundingsDoNotAddUpGetOneBalancingOperation) {
    // 3 francs are 0,46 euro, but three of them convert one by one to 0,46 each
    // and 9 francs to 1,37: 1,38 against 1,37.
    Date d = dateFromYMD(2001, 3, 1);
    open({header(L'S', L"FRANCS", false), line(d, L'R', L"A", 300, 0), line(d, L'R', L"B", 300, 0),
          line(d, L'R', L"C", 300, 0)});
    tp.replies.push_back(MsgResult::Yes);
    form->MenuCommand(L"mnuConvertirEuroItem");
    std::vector<Operation> ops = operations();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[3].objet, L"Conversion franc-euro");
    EXPECT_EQ(ops[3].code, L'D');
    EXPECT_EQ(ops[3].montant, -0.01);
    EXPECT_EQ(form->led.totals.balance, 1.37);
}

TEST_F(Account, OneOperationConvertsWithoutBalancingAndAnEuroAccountIsLeftAlone) {
    open({header(L'S', L"FRANCS", false), line(dateFromYMD(2001, 3, 1), L'R', L"A", 10000, 0)});
    tp.replies.push_back(MsgResult::Yes);
    form->MenuCommand(L"mnuConvertirEuroItem");
    ASSERT_EQ(operations().size(), 1u);
    EXPECT_EQ(operations()[0].montant, 15.24);
    // Already in euros: no question, nothing changes.
    size_t asked = tp.boxes.size();
    form->MenuCommand(L"mnuConvertirEuroItem");
    EXPECT_EQ(tp.boxes.size(), asked);
    EXPECT_EQ(operations()[0].montant, 15.24);
}

TEST_F(Account, ABalanceThatDoesNotSuitTheAccountIsWrittenInTheObjet) {
    // An expenses account: rounding up gives a positive difference, which an
    // expenses account cannot hold as an amount.
    Date d = dateFromYMD(2001, 3, 1);
    open({header(L'D', L"FRANCS", false), line(d, L'D', L"A", -300, 0), line(d, L'D', L"B", -300, 0),
          line(d, L'D', L"C", -300, 0)});
    tp.replies.push_back(MsgResult::Yes);
    form->MenuCommand(L"mnuConvertirEuroItem");
    std::vector<Operation> ops = operations();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[3].montant, 0);
    EXPECT_EQ(ops[3].code, L'D');
    EXPECT_EQ(ops[3].objet, L"Solde avec conversion de l'ancien solde en euro -1,37 EUROS -9 FRANCS");
}

TEST_F(Account, TheChainEndsOnEveryAccountType) {
    for (int type = 1; type <= 5; ++type) {
        SCOPED_TRACE(type);
        open({header(L'T', L"EUROS", false), line(dateFromYMD(2001, 3, 1), L'R', L"A", 1000, 0)});
        tp.boxes.clear();
        // The objets list follows the receipts and expenses types.
        chainToUnits(type, type >= 4 ? std::vector<std::wstring>{L"dons"} : std::vector<std::wstring>{});
        if (type >= 4) EXPECT_EQ(tp.boxes.back(), L"input: Nom de la liste des objets standards");
        ASSERT_TRUE(form->ent.modes.unitChoice);
        EXPECT_EQ(form->w.Liste.items.at(0), L"Liste des unités sur ESSAI");
        EXPECT_EQ(form->w.Liste.selected, 2);  // EUROS
        if (type >= 3) tp.replies.push_back(MsgResult::Yes);
        chooseUnit(4);  // SANS UNITE: no conversion question
        const AccountHeader& h = form->acc.table[1];
        EXPECT_EQ(h.accountType, type);
        EXPECT_EQ(h.unitCode, 3);
        EXPECT_EQ(h.unitName, L"");
        EXPECT_EQ(h.hasTva, type >= 3);
        if (type >= 4) EXPECT_EQ(h.objetListName, L"dons.obj");
        EXPECT_TRUE(form->acc.modified[1]);
        EXPECT_TRUE(form->app.normalMode);
        EXPECT_TRUE(tp.inputs.empty());
        EXPECT_TRUE(tp.replies.empty());
        // The amounts were not touched.
        EXPECT_EQ(operations()[0].montant, 10);
    }
}

TEST_F(Account, EscAtEachStepLeavesTheAccountAsItWas) {
    const std::vector<std::wstring> lines = {header(L'S', L"FRANCS", false),
                                             line(dateFromYMD(2001, 3, 1), L'R', L"A", 1000, 0)};
    auto unchanged = [&] {
        const AccountHeader& h = form->acc.table[1];
        EXPECT_EQ(h.accountType, 3);
        EXPECT_EQ(h.unitCode, 1);
        EXPECT_EQ(h.title, L"ESSAI");
        EXPECT_FALSE(h.hasTva);
        EXPECT_EQ(operations()[0].montant, 10);
        EXPECT_FALSE(form->acc.modified[1]);
        EXPECT_TRUE(form->app.normalMode);
        EXPECT_FALSE(form->w.Liste.visible);
    };
    {
        SCOPED_TRACE("title");
        open(lines);
        tp.inputs.push_back(L"");
        form->MenuCommand(L"mnuModifConfiguration");
        unchanged();
    }
    {
        SCOPED_TRACE("account type list");
        open(lines);
        tp.inputs.push_back(L"AUTRE TITRE");
        tp.inputs.push_back(L"");
        form->MenuCommand(L"mnuModifConfiguration");
        form->KeyPress(L"Liste", 27);
        unchanged();
    }
    {
        SCOPED_TRACE("objets list name");
        open(lines);
        chainToUnits(5, {L""});
        EXPECT_EQ(tp.boxes.back(), L"input: Nom de la liste des objets standards");
        unchanged();
    }
    {
        SCOPED_TRACE("unit list");
        open(lines);
        chainToUnits(2);
        form->KeyPress(L"Liste", 27);
        unchanged();
    }
    {
        SCOPED_TRACE("other unit box");
        open(lines);
        chainToUnits(3);
        tp.inputs.push_back(L"");
        chooseUnit(1);
        unchanged();
    }
    {
        SCOPED_TRACE("conversion question");
        open(lines);
        chainToUnits(3);
        tp.replies.push_back(MsgResult::No);
        chooseUnit(2);
        EXPECT_EQ(tp.boxes.back(), L"Convertir en euro");
        unchanged();
    }
    {
        SCOPED_TRACE("TVA question");
        open(lines);
        chainToUnits(3);
        tp.replies.push_back(MsgResult::Cancel);
        chooseUnit(3);
        EXPECT_EQ(tp.boxes.back(), L"avec une colonne du montant de la t V a");
        unchanged();
    }
}

TEST_F(Account, AnOtherUnitThatWouldBreakTheHeaderIsRefused) {
    open({header(L'S', L"EUROS", false)});
    chainToUnits(1);
    tp.inputs.push_back(std::wstring(L"DOL") + RS + L"LARS");
    tp.inputs.push_back(L"DOLLARS\r\nX");
    tp.inputs.push_back(L"DOLLARS");
    chooseUnit(1);
    int refusals = 0;
    for (const std::wstring& box : tp.boxes) refusals += box == L"caractère interdit dans unité";
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(form->acc.table[1].unitName, L"DOLLARS");
    EXPECT_EQ(form->acc.table[1].unitCode, 3);
    form->enregistrer();
    AccountHeader reread = convertit_ChaineConfiguration(readTextLines(path).at(0));
    EXPECT_EQ(reread.unitName, L"DOLLARS");
    EXPECT_EQ(reread.accountType, 1);
}
}  // namespace
