// The small-table and report-set windows driven through their handlers, without a register:
// what reaches the image and what the user is told.
#include "tables/ListaTowarowTandem.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieZegara.h"
#include "tables/ProgramowanieZestawuRaportow.h"
#include "tests/tables/TablesTest.h"

#include <QPlainTextEdit>

namespace {

using SmallTableWindows = TablesTest;

void AddDiscount(TProgramowanieRabatow& w, const QString& number, const QString& name, const QString& value)
{
    w.Edit1->setText(number);
    w.Edit2->setText(name);
    w.Edit3->setText(value);
    w.BitBtn4Click();
}

} // namespace

TEST_F(SmallTableWindows, DiscountAddProposesNumbersAndRefusesDuplicates)
{
    TProgramowanieRabatow w;
    w.FormShow();
    EXPECT_EQ(w.Edit1->text(), "1");
    w.RadioGroup2->SetItemIndex(1);
    AddDiscount(w, "1", QStringLiteral("Stały klient"), "12,5");
    EXPECT_TRUE(prompts.Texts().isEmpty());
    const RecordBytes r = ReadSmallRecord(DiscountTableGeometry, 1);
    EXPECT_EQ(RecordName(r, DiscountTableGeometry), ToCp1250(QStringLiteral("Stały klient")));
    EXPECT_EQ(r[SmallField::DiscountType], 1);
    EXPECT_EQ(RecordU32(r, SmallField::DiscountValue), 1250u);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.Edit1->text(), "2");
    EXPECT_EQ(GridCell(w.StringGrid1, 0, 3), "     12,50");
    EXPECT_EQ(GridCell(w.StringGrid1, 0, 4), "PLN");

    // Its own name under its own number is a duplicate too.
    AddDiscount(w, "1", QStringLiteral("Stały klient  "), "5");
    EXPECT_EQ(prompts.LastText(), "Rabat/narzut o takiej nazwie już istnieje! Wybierz inną nazwę.");
    AddDiscount(w, "21", "Inny", "5");
    // The range never breaks apart in a wrapped message.
    EXPECT_EQ(prompts.LastText(), QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale "
                                                 "1\u00A0\u2011\u00A020"));

    for (uint8_t n = 2; n <= 20; ++n)
        ASSERT_TRUE(WriteSmallRecord(DiscountTableGeometry, DiscountRecordBytes(n, "R" + std::to_string(n), 0, 0, 1)));
    w.FormShow();
    EXPECT_EQ(w.Edit1->text(), "");
    prompts.Clear();
    AddDiscount(w, "", "Nowy", "1");
    EXPECT_TRUE(w.Label6->isVisibleTo(&w));
    EXPECT_FALSE(w.Label7->isVisibleTo(&w));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(SmallTableWindows, GroupsAndPaymentFormsWithAUsableImageAndWithout)
{
    TProgramowanieGrupTowarowych groups;
    TProgramowanieFormPlatnosci payments;
    // Group 1 stays; a delete marks the database modified.
    ASSERT_TRUE(WriteSmallRecord(GoodsGroupTableGeometry, GoodsGroupRecordBytes(2, "Napoje")));
    groups.FormShow();
    SelectNumber(groups.StringGrid1, 1);
    groups.Button3Click();
    EXPECT_EQ(prompts.Messages(), QStringList{" Nie można usunąć grupy towarowej nr  1"});
    EXPECT_EQ(ReadSmallRecord(GoodsGroupTableGeometry, 1)[0], 1);
    EXPECT_EQ(App.DatabaseModified, 0);
    SelectNumber(groups.StringGrid1, 2);
    groups.Button3Click();
    EXPECT_EQ(ReadSmallRecord(GoodsGroupTableGeometry, 2)[0], 0);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(groups.ComboBox1->currentText(), "2");

    // The payment type is written as the register numbers it.
    payments.FormShow();
    payments.Edit2->setText("Przelew");
    payments.ComboBox1->setCurrentIndex(4);
    payments.BitBtn4Click();
    EXPECT_EQ(ReadSmallRecord(PaymentFormTableGeometry, 1)[SmallField::PaymentFormType], 4);
    EXPECT_EQ(GridCell(payments.StringGrid1, 0, 2), "Inna");
    // A type byte the register does not know leaves no text from the earlier fill.
    DbWriteByteAt(SmallRecordOffset(PaymentFormTableGeometry, 1) + SmallField::PaymentFormType, 9);
    payments.FillPaymentFormsGrid();
    EXPECT_EQ(GridCell(payments.StringGrid1, 0, 2), "");
    EXPECT_EQ(GridCell(payments.StringGrid1, 0, 1), "Przelew");
    payments.Edit1->setText("2");
    payments.Edit2->setText("   ");
    payments.BitBtn4Click();
    EXPECT_EQ(prompts.LastText(), "Nazwa waluty nie może składać się z samych znaków spacji!");

    // Without a usable image: no rows, and no add takes.
    const RecordBytes groupTable = ReadSmallTableSlots(GoodsGroupTableGeometry);
    prompts.Clear();
    App.DatabaseModified = 0;
    App.WorkMode = WorkModeRegister;
    EXPECT_EQ(ReadSmallTableSlots(CashierTableGeometry), RecordBytes(SmallTableSlots * CashierRecordSize, 0));
    EXPECT_FALSE(ReadVatCodes());
    EXPECT_FALSE(WriteVatCodes(VatCodes{}));
    EXPECT_FALSE(ClearSmallRecord(CashierTableGeometry, 1));
    TProgramowanieRabatow discounts;
    payments.FormShow();
    discounts.FormShow();
    groups.FormShow();
    EXPECT_EQ(GridCell(payments.StringGrid1, 0, 1), "");
    EXPECT_EQ(GridCell(groups.StringGrid1, 0, 1), "");

    AddDiscount(discounts, "1", "Rabat", "5");
    payments.Edit1->setText("2");
    payments.Edit2->setText("Czek");
    payments.BitBtn4Click();
    groups.Edit2->setText("Napoje");
    groups.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), QStringList(3, FileClosed));
    // Sending needs a row, and there is none: nothing goes out.
    payments.Button4Click();
    EXPECT_EQ(prompts.Messages().size(), 3);

    App.WorkMode = WorkModeDatabase;
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(ReadSmallRecord(PaymentFormTableGeometry, 2)[0], 0);
    EXPECT_EQ(ReadSmallTableSlots(GoodsGroupTableGeometry), groupTable);
    DatabaseImage.MarkFailed();
    EXPECT_TRUE(DiscountGridRows("PLN").empty());
    EXPECT_FALSE(WriteSmallRecord(GoodsGroupTableGeometry, GoodsGroupRecordBytes(2, "Napoje")));
}

TEST_F(SmallTableWindows, CurrencyRateAndSymbol)
{
    TProgramowanieWalutObcych w;
    w.FormShow();
    auto add = [&](const QString& number, const QString& name, const QString& rate, const QString& symbol) {
        w.Edit1->setText(number);
        w.Edit2->setText(name);
        w.Edit3->setText(rate);
        w.Edit4->setText(symbol);
        w.BitBtn4Click();
    };
    add("1", "Euro", "4.25", "EU");
    EXPECT_TRUE(prompts.Texts().isEmpty());
    const RecordBytes r = ReadSmallRecord(CurrencyTableGeometry, 1);
    EXPECT_EQ(RecordU32(r, SmallField::CurrencyRate), 42500000u);
    EXPECT_EQ(r[SmallField::CurrencyDecimals], 7);
    EXPECT_EQ(RecordText(r, SmallField::CurrencySymbol, 3), "EU ");
    EXPECT_EQ(GridCell(w.StringGrid1, 0, 2), "4,2500000");

    add("2", "Euro bis", "4,30", "EU ");
    EXPECT_EQ(prompts.LastText(), "Waluta o takim symbolu już istnieje! Wybierz inny symbol.");
    add("2", "Euro bis", "4.3.0", "EUR");
    EXPECT_EQ(w.Edit3->text(), "4,3.0");
    EXPECT_EQ(prompts.LastText(), "Błędnie wypełnione pole KURS!");
    add("2", "Funt", "5", "   ");
    EXPECT_EQ(prompts.LastText(), "Symbol nie może składać się z samych znaków spacji!");
    EXPECT_EQ(ReadSmallRecord(CurrencyTableGeometry, 2)[0], 0);
}

TEST_F(SmallTableWindows, PackagingDeleteUntiesGoodsOnlyWhenConfirmed)
{
    GoodsRecordFields goods = GoodsOf(12, "Piwo");
    goods.Tandem = 3;
    StoreGoods(goods);
    // Goods tied to another packaging keep it.
    GoodsRecordFields other = GoodsOf(13, "Sok");
    other.Tandem = 4;
    StoreGoods(other);
    ASSERT_TRUE(WriteSmallRecord(PackagingTableGeometry, PackagingRecordBytes(3, "Butelka", 50, 0)));
    ASSERT_TRUE(WriteSmallRecord(PackagingTableGeometry, PackagingRecordBytes(4, "Karton", 20, 0)));
    TListaTowarowTandem list;
    bool confirm = false;
    ModalGuard modal([&](QDialog& d) {
        auto* l = qobject_cast<TListaTowarowTandem*>(&d);
        l->FormShow();
        confirm ? l->Button1Click() : l->Button2Click();
        return 0;
    });
    TProgramowanieOpakowan w;
    w.FormShow();
    EXPECT_EQ(w.ComboBox1->currentText(), "1");
    SelectNumber(w.StringGrid1, 3);
    w.Button3Click();
    EXPECT_EQ(list.Memo1->toPlainText(), "Piwo");
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(12) + GoodsField::Tandem), 3);
    EXPECT_EQ(ReadSmallRecord(PackagingTableGeometry, 3)[0], 3);
    EXPECT_EQ(App.DatabaseModified, 0);

    confirm = true;
    w.Button3Click();
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(12) + GoodsField::Tandem), 0);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(13) + GoodsField::Tandem), 4);
    EXPECT_EQ(ReadSmallRecord(PackagingTableGeometry, 3)[0], 0);
    EXPECT_EQ(App.DatabaseModified, 1);
    list.FormShow();   // nothing is tied to it any more
    EXPECT_EQ(list.Memo1->toPlainText(), "Z opakowaniem nie są powiązane\nżadne towary.");
    EXPECT_TRUE(list.FormKeyDown(Qt::Key_Escape));

    w.Edit2->setText("Skrzynka");
    for (const char* price : {"0", "0,001", "1000000", "-1", "1,5"}) {
        w.Edit3->setText(price);
        w.BitBtn4Click();
    }
    const QString zero = "     Cena musi mieć wartość niezerową     ";
    const QString bad = "     Błędna wartość w polu Cena     ";
    EXPECT_EQ(prompts.Messages(), (QStringList{zero, zero, bad, bad}));
    EXPECT_EQ(RecordU32(ReadSmallRecord(PackagingTableGeometry, 1), SmallField::PackagingPrice), 150u);
}

TEST_F(SmallTableWindows, CashiersKeepTheManagerAndShowRights)
{
    TProgramowanieKasjerow w;
    w.FormShow();
    EXPECT_EQ(w.Edit1->text(), "2");
    // A cashier 15 copied in from the register has its row too.
    ASSERT_TRUE(WriteSmallRecord(CashierTableGeometry, CashierRecordBytes(15, "Zmiana", "", {})));

    w.Edit1->setText("1");
    w.Edit1Exit();
    EXPECT_FALSE(w.MaskEdit1->isEnabled());
    EXPECT_EQ(w.MaskEdit1->palette().color(QPalette::Base), QColor(128, 128, 128));
    w.Edit2->setText("Szef");
    w.BitBtn4Click();
    EXPECT_EQ(RecordText(ReadSmallRecord(CashierTableGeometry, 1), SmallField::CashierPassword, 4), "9473");
    EXPECT_EQ(RecordName(ReadSmallRecord(CashierTableGeometry, 1), CashierTableGeometry), "Szef");

    w.Edit1->setText("3");
    w.Edit1Exit();
    EXPECT_TRUE(w.MaskEdit1->isEnabled());
    w.Edit2->setText("Anna");
    w.MaskEdit1->setText("42");
    w.Rights[1]->setChecked(true);
    w.BitBtn4Click();
    const RecordBytes anna = ReadSmallRecord(CashierTableGeometry, 3);
    EXPECT_EQ(RecordBytes(anna.begin() + 22, anna.begin() + 26), (RecordBytes{'4', '2', 0, 0}));
    EXPECT_EQ(RecordBytes(anna.begin() + 26, anna.end()), (RecordBytes{0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(GridCell(w.StringGrid1, 2, 1), "Zmiana");

    SelectNumber(w.StringGrid1, 3);
    w.StringGrid1Click();
    EXPECT_EQ(w.Label20->text(), "42");
    EXPECT_TRUE(w.Indicators[1]->isVisibleTo(&w));
    EXPECT_FALSE(w.Indicators[0]->isVisibleTo(&w));

    // Deleting the last row leaves it empty: no rights of a cashier that is gone.
    SelectNumber(w.StringGrid1, 15);
    w.Button3Click();
    EXPECT_EQ(GridCell(w.StringGrid1, 2, 0), "");
    EXPECT_FALSE(w.Indicators[1]->isVisibleTo(&w));
    EXPECT_EQ(App.DatabaseModified, 1);

    SelectNumber(w.StringGrid1, 1);
    w.Button3Click();
    w.Edit1->setText("11");
    w.Edit2->setText("Ktoś");
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Nie można usunąć kasjera nr 1",
                                               "Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10"}));
    EXPECT_EQ(ReadSmallRecord(CashierTableGeometry, 1)[0], 1);
}

TEST_F(SmallTableWindows, ReportSetFollowsTheImageWhenItIsUsable)
{
    ReportSet stored{};
    stored[0] = 2;
    stored[17] = 1;
    stored[5] = 3;
    ASSERT_TRUE(WriteReportSet(stored));
    TProgramowanieZestawuRaportow w;
    w.Lines[5]->SetItemIndex(1);
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    w.FormShow();
    EXPECT_EQ(w.Button2->text(), "Zapisz");
    EXPECT_EQ(w.Lines[0]->ItemIndex(), 2);
    EXPECT_EQ(w.Lines[17]->ItemIndex(), 1);
    EXPECT_EQ(w.Lines[5]->ItemIndex(), 1);   // a byte of 3 leaves its line as it was

    for (TRadioGroup* line : w.Lines)
        line->SetItemIndex(1);
    w.Button2Click();
    ReportSet full;
    full.fill(1);
    EXPECT_EQ(ReadReportSet(), full);
    EXPECT_EQ(App.DatabaseModified, 1);

    // Without a usable image: this run's choices, and nothing written.
    App.DatabaseModified = 0;
    App.WorkMode = WorkModeRegister;
    w.Lines[3]->SetItemIndex(0);
    w.FormShow();
    EXPECT_EQ(w.Button2->text(), "Wyslij");
    EXPECT_EQ(w.Lines[3]->ItemIndex(), 1);
    w.Lines[3]->SetItemIndex(2);
    w.Button2Click();
    EXPECT_EQ(w.WorkingCopy[3], 2);
    EXPECT_EQ(prompts.Messages(), QStringList{FileClosed});
    EXPECT_EQ(App.DatabaseModified, 0);
}
