#pragma once
// The register's command set: one frame builder per command. Each lays out one frame, fills its
// payload from its arguments or from the database image, seals it and sends it through
// SendBytes. None reads a reply.
//
// Results: R0 builders return 0 when the record's slot is empty (nothing sent), else 1;
// R1 builders always 1; RS builders 1 when the send succeeded, 0 when it failed. Builders that
// check a text's length show their message and return 0 without sending. A builder that reads
// the database image sends nothing and returns 0 when the image cannot be read or holds no
// database (WorkMode without bit 0): such a slot counts as empty.
#include <cstdint>
#include <string>

// ---- program frames (records from the image) ----
int SendGoodsRecord(uint8_t address, uint16_t frameNumber, uint16_t plu, uint16_t ignored, uint8_t confirmFlag);   // R0
int SendDiscountRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);    // R0
int SendCashierRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);     // R0
int SendPaymentFormRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag); // R0
int SendCurrencyRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);    // R0
int SendVatRates(uint8_t address, uint16_t frameNumber, uint8_t confirmFlag);                                      // R0
int SendPackagingRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);   // R0
int SendHeader(uint8_t address, uint16_t frameNumber);                                                             // R1
int SendGoodsGroupRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);  // R0
int SendQuickKeyRecord(uint8_t address, uint16_t frameNumber, uint8_t cashier, uint8_t key, uint8_t confirmFlag);  // R1
int SendFooter(uint8_t address, uint16_t frameNumber, uint8_t flag);                                               // R1
int SendHaloTable(uint8_t address, uint16_t frameNumber);                                                          // R1

// ---- settings frames ----
int SendClock(uint8_t address, uint16_t frameNumber, uint32_t yearMonth, uint32_t dayHour, uint32_t minuteSecond); // R1
int SendRecordCurrency(uint8_t address, uint16_t frameNumber, const std::string& symbol, uint32_t rate, uint8_t decimals,
                       uint8_t constant, uint8_t flag, uint16_t year, uint8_t month, uint8_t day);                 // R1
int SendManagerPassword(uint8_t address, uint16_t frameNumber, const std::string& first, const std::string& second,
                        uint8_t confirmFlag);                                                                      // R1
int SendGoodsUnits(uint8_t address, uint16_t frameNumber, const std::string& unit1, const std::string& unit2,
                   const std::string& unit3);                                                                      // R1
int SendSalesQuickKey(uint8_t address, uint16_t frameNumber, uint32_t keyBytes, uint8_t number);                  // R1
int SendFunctionKey(uint8_t ignored, uint16_t frameNumber, uint8_t b1, uint8_t b2, uint8_t b3);                   // R1, address 1
constexpr std::size_t ConfigurationRecordSize = 27;
int SendConfiguration(uint8_t ignored, uint16_t frameNumber, const uint8_t record[ConfigurationRecordSize],
                      uint8_t modelFlag);                                                                          // RS, address 1
constexpr std::size_t EmailParamsBlockSize = 243;
constexpr std::size_t WifiParamsBlockSize = 186;
int SendEmailParams(uint8_t ignored, uint16_t frameNumber, const uint8_t block[EmailParamsBlockSize]);            // RS, address 1
int SendWifiParams(uint8_t ignored, uint16_t frameNumber, const uint8_t block[WifiParamsBlockSize]);              // RS, address 1
int SendHeaderGraphicRow(uint8_t ignored, uint16_t frameNumber, uint8_t row, const uint8_t pixels[48]);           // R1, address 1
int SendFooterGraphicRow(uint8_t ignored, uint16_t frameNumber, uint8_t row, const uint8_t pixels[48]);           // R1, address 1
int DeleteHeaderGraphic(uint8_t ignored, uint16_t frameNumber);                                                    // R1, address 1
int DeleteFooterGraphic(uint8_t ignored, uint16_t frameNumber);                                                    // R1, address 1
int SendPortTest(const uint8_t bytes[5], uint16_t frameNumber);                                                    // R1, address 1
int SendPortQuery(uint8_t ignored, uint16_t frameNumber);                                                          // R1, address 1
int SendClearDatabase(uint8_t ignored, uint16_t frameNumber);                                                      // R1, address 1
int SendClearSales(uint8_t ignored, uint16_t frameNumber);                                                         // R1, address 1
int SendProbeQ(uint8_t address, uint16_t frameNumber, uint8_t byte);                                               // RS
int RequestCacheDump(uint8_t address, uint16_t frameNumber);                                                       // RS

// ---- identity texts (length-checked) ----
int SendNip(uint8_t address, uint16_t frameNumber, const std::string& text);                                      // RS
int SendUniqueNumber(uint8_t address, uint16_t frameNumber, const std::string& text);                             // RS
int SendFiscalMemoryKey(uint8_t address, uint16_t frameNumber, const std::string& key);                           // RS
int SendKeyAndUniqueNumber(uint8_t address, uint16_t frameNumber, const std::string& uniqueNumber,
                           const std::string& key);                                                                // RS

// ---- report requests ----
int RequestPeriodicReportByNumbers(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t first, uint16_t last);
int RequestPeriodicReportByDates(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t year1, uint8_t month1,
                                 uint8_t day1, uint16_t year2, uint8_t month2, uint8_t day2);
int RequestPeriodicReportMonthly(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t year, uint8_t month);
int RequestSalesReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag1,
                              uint8_t flag2);
int RequestSalesReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first, uint16_t last,
                              uint8_t flag1, uint8_t flag2);
int RequestInactiveGoodsReport(uint8_t address, uint16_t frameNumber);
int RequestBaseWithPtuReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag);
int RequestBaseWithPtuReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first,
                                    uint16_t last, uint8_t flag);
int RequestFullPluReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag);
int RequestFullPluReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first, uint16_t last,
                                uint8_t flag);
int RequestCashierReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2, uint8_t b3);
int RequestShiftSalesReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2);
int RequestDiscountsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2);
int RequestPackagingsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2);
int RequestPaymentFormsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2);
int RequestGoodsGroupsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2);
int RequestGroupTurnoverReport(uint8_t address, uint16_t frameNumber, uint32_t firstYearMonth, uint32_t ignored1,
                               uint32_t ignored2, uint32_t ignored3, uint32_t secondYearMonth, uint32_t ignored4,
                               uint32_t ignored5, uint32_t ignored6, uint8_t operation, bool zeroRecords);
int RequestFixedTextsReport(uint8_t address, uint16_t frameNumber);
int RequestVatRatesReport(uint8_t address, uint16_t frameNumber);
int RequestRegisterStateReport(uint8_t address, uint16_t frameNumber);
int RequestQuickKeysReport(uint8_t address, uint16_t frameNumber);

// ---- electronic-copy requests (command 0x01, 24 bytes, RS) ----
struct CopyDateTime {
    uint8_t Hour = 0, Minute = 0, Day = 0, Month = 0;
    uint16_t Year = 0;
};
int RequestCopyLastReceipt(uint8_t address, uint16_t frameNumber, uint8_t handling);
int RequestCopyByNumbers(uint8_t address, uint16_t frameNumber, uint8_t ignored, uint16_t firstReport,
                         uint32_t firstReceipt, uint16_t lastReport, uint32_t lastReceipt, uint8_t range, uint8_t handling);
int RequestCopyByDates(uint8_t address, uint16_t frameNumber, const CopyDateTime& first, const CopyDateTime& second,
                       uint8_t range, uint8_t handling);
int RequestCopyCacheMemory(uint8_t address, uint16_t frameNumber, uint8_t ignored, uint8_t handling);

// ---- delete frames (RS); names longer than their field are cut to it ----
int DeleteGoodsRecord(uint8_t address, uint16_t frameNumber, uint16_t plu, const std::string& name, uint8_t confirmFlag);
int DeleteDiscountRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name, uint8_t confirmFlag);
int DeleteCashierRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name);
int DeletePaymentFormRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name,
                            uint8_t confirmFlag);
int DeleteCurrencyRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name);
int DeletePackagingRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name);
int DeleteGoodsGroupRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name, uint8_t flag);

// ---- read requests: 11 bytes, [7-8] the word (RS) ----
int SendCommandWithWord(uint8_t address, uint16_t frameNumber, uint8_t command, uint16_t word);

// Lengths of the data frames the register sends for the table reads.
constexpr std::size_t GoodsDataFrameLength = 92;
constexpr std::size_t CashierDataFrameLength = 338;
constexpr std::size_t DiscountDataFrameLength = 45;
constexpr std::size_t PaymentFormDataFrameLength = 40;
constexpr std::size_t CurrencyDataFrameLength = 51;
constexpr std::size_t GoodsGroupDataFrameLength = 35;
constexpr std::size_t PackagingDataFrameLength = 75;
