// The record currency: the register's form of the rate, the exact division of the database's
// amounts, and both buttons of the window against the register.
#include "tables/ProgramowanieWalutyEwidencyjnej.h"
#include "tables/RecordCurrencyLogic.h"
#include "tests/tables/TablesTest.h"

#include <QDateEdit>

namespace {

void PutPrice(unsigned plu, uint32_t price) { DbWriteU32At(GoodsRecordOffset(plu) + GoodsField::Price, price); }
uint32_t Price(unsigned plu) { return DbReadU32At(GoodsRecordOffset(plu) + GoodsField::Price); }

} // namespace

TEST(RecordCurrencyRate, RegisterFormOfTypedRates)
{
    struct Case {
        const char* typed;
        uint32_t digits;
        int decimals;   // -1: refused with the short message, -2: with the padded one
        const char* shown;
    };
    const Case cases[] = {
        {"4,25", 42500000, 7, "4,25"}, {"12", 12000000, 6, "12"},   {"0,5", 5000000, 7, "0,5"},
        {"2.75", 27500000, 7, "2,75"}, {"05", 0, -1, ""},           {"1,2,3", 0, -1, ""},
        {"1a", 0, -1, ""},             {",5", 0, -1, ""},           {"1,", 0, -2, ""},
        {"0,0", 0, -2, ""},            {"123456789", 0, -2, ""},    {"99999999", 99999999, 0, "99999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const RecordCurrencyRateParse p = ParseRecordCurrencyRate(c.typed);
        if (c.decimals == -1) {
            EXPECT_EQ(p.Refusal, "Błędna wartość w polu Kurs");
        } else if (c.decimals == -2) {
            EXPECT_EQ(p.Refusal, "     Błędna wartość w polu Kurs     ");
        } else {
            EXPECT_TRUE(p.Refusal.isEmpty());
            EXPECT_EQ(p.Rate.Digits, c.digits);
            EXPECT_EQ(p.Rate.Decimals, c.decimals);
            EXPECT_EQ(RecordCurrencyRateText(p.Rate), c.shown);
        }
    }
}

class RecordCurrencyWindow : public TablesRegisterTest {
protected:
    TProgramowanieWalutyEwidencyjnej w;

    void Fill(const char* rate, const char* symbol)
    {
        w.FormShow();
        w.Edit1->setText(rate);
        w.Edit2->setText(symbol);
    }
};

TEST_F(RecordCurrencyWindow, RefusedInputsSendNothingAndARegisterChangeReportsOnlyFailures)
{
    PutPrice(1, 500);
    const std::vector<uint8_t> image = WholeImage();
    // Refused inputs send and write nothing.
    struct Input {
        const char* rate;
        const char* symbol;
        QString message;   // empty: a warning label instead
    };
    const Input inputs[] = {
        {"", "EUR", {}},
        {"4", "   ", {}},
        {"0,0", "EUR", "     Błędna wartość w polu Kurs     "},
        {"4,2,5", "EUR", "Błędna wartość w polu Kurs"},
        {"4", "€✓", "Tekst „€✓” zawiera znaki, których kasa nie obsługuje: ✓"},
    };
    for (const Input& c : inputs) {
        SCOPED_TRACE(c.rate);
        prompts.Clear();
        Fill(c.rate, c.symbol);
        w.Button1Click();
        w.Button3Click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.Texts().isEmpty());
            EXPECT_TRUE(w.Label6->isVisibleTo(&w) || w.Label7->isVisibleTo(&w));
        } else {
            EXPECT_EQ(prompts.Messages(), QStringList(2, c.message));
        }
    }
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('E').empty());

    prompts.Clear();
    Fill("4,25", "EU");
    w.CheckBox1->setChecked(true);
    w.DateTimePicker1->setDate(QDate::currentDate().addDays(1));
    w.Button1Click();
    EXPECT_TRUE(prompts.Texts().isEmpty());
    const emu::Bytes stored = fx.Emu().Setting('E');
    ASSERT_EQ(stored.size(), 14u);
    EXPECT_EQ(emu::GetU32(stored.data()), 42500000u);
    EXPECT_EQ(stored[4], 7);
    EXPECT_EQ(std::string(stored.begin() + 5, stored.begin() + 8), " EU");
    EXPECT_EQ(stored[8], 1);   // nominal
    EXPECT_EQ(stored[9], 1);   // print the conversion
    EXPECT_EQ(emu::GetU16(&stored[10]), QDate::currentDate().addDays(1).year());

    struct Case {
        emu::Faults faults;
        QString message;
    };
    const Case cases[] = {
        {Fault(&emu::Faults::PrintingReplies, 2), {}},
        {Fault(&emu::Faults::SilentRequests, 1), "Błąd komunikacji."},
        {Fault(&emu::Faults::ErrorCode, 84), "Błąd 84: Przekroczono dopuszczalną liczbę zmian waluty ewidencyjnej"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        prompts.Clear();
        fx.Emu().SetFaults(c.faults);
        w.Button1Click();
        EXPECT_EQ(prompts.Messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    // A date already past: the register refuses it.
    prompts.Clear();
    w.DateTimePicker1->setDate(QDate::currentDate().addDays(-1));
    w.Button1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd 83: Data wsteczna"});

    // Whatever the register said, the database is as it was.
    EXPECT_EQ(WholeImage(), image);
    EXPECT_EQ(App.RecordCurrencySymbol, "PLN");
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(w.Edit1->text(), "4,25");
}

TEST_F(RecordCurrencyWindow, DatabaseChangeDividesTheAmountsExactlyWithoutTheRegister)
{
    // At 0,5: prices and amount discounts double to their cap, percentages stay, currency rates double.
    ASSERT_TRUE(WriteSmallRecord(DiscountTableGeometry, DiscountRecordBytes(1, "Kwota", 0, 1, 60000000)));
    ASSERT_TRUE(WriteSmallRecord(DiscountTableGeometry, DiscountRecordBytes(2, "Procent", 0, 0, 1500)));
    ASSERT_TRUE(WriteSmallRecord(CurrencyTableGeometry, CurrencyRecordBytes(1, "Euro", 43000000, 7, "EUR")));
    PutPrice(1, 60000000);
    PutPrice(2, 1234);
    Fill("0,5", "EU");
    w.Button3Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Zamieniono walutę ewidencyjną na  EU. Kurs wymiany: 0,5"});
    EXPECT_EQ(Price(1), 99999999u);
    EXPECT_EQ(Price(2), 2468u);
    EXPECT_EQ(RecordU32(ReadSmallRecord(DiscountTableGeometry, 1), SmallField::DiscountValue), 99999998u);
    EXPECT_EQ(RecordU32(ReadSmallRecord(DiscountTableGeometry, 2), SmallField::DiscountValue), 1500u);
    const RecordBytes euro = ReadSmallRecord(CurrencyTableGeometry, 1);
    EXPECT_EQ(RecordU32(euro, SmallField::CurrencyRate), 86000000u);
    EXPECT_EQ(euro[SmallField::CurrencyDecimals], 7);
    EXPECT_EQ(DbReadStringAt(TableOffsets.RecordCurrencyBlock + 5, 3), " EU");
    EXPECT_EQ(App.RecordCurrencySymbol, " EU");
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_TRUE(fx.Emu().ReceivedFrames().empty());

    // Without a usable image nothing is converted.
    prompts.Clear();
    App.WorkMode = WorkModeRegister;
    w.Button3Click();
    EXPECT_EQ(prompts.Messages(), QStringList{FileClosed});
    EXPECT_EQ(Price(2), 2468u);
}
