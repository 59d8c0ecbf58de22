#include "core/DatabaseFiles.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/GoodsArea.h"
#include "core/StatusHook.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/RegularFile.h"
#include "platform/TempFolder.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t MagicSize = 16;
const char NewImageHeader[] = "ORVA_TEPO_V_2_00    ";  // 20 characters, then the byte 1

} // namespace

namespace {

// The file a write of path lands in. A link of this user's own is one the user made, and is
// followed to its target; anyone else's link could have been planted in a shared folder, and is
// replaced instead of followed.
std::string WriteTarget(std::string path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) || st.st_uid != ::geteuid())
            break;
        std::string target(std::size_t(st.st_size) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || std::size_t(n) >= target.size())
            break;
        target.resize(std::size_t(n));
        const auto slash = path.find_last_of('/');
        path = target[0] == '/' || slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
    }
    return path;
}

// A name beside path that no one can guess and plant first.
std::string TemporaryName(const std::string& path)
{
    static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::random_device random;
    std::string name = path + ".tmp";
    for (int i = 0; i < 12; ++i)
        name.push_back(letters[random() % (sizeof letters - 1)]);
    return name;
}

// The umask, read rather than set and put back: setting it would change it for other threads.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The mode a new file takes at path in dir: that of the user's own regular file it replaces,
// without set-user, set-group and sticky bits; else 0666 less the umask. Another user's file
// lends nothing (in a shared folder its mode would open ours to all), and a link that is replaced
// is not looked through (whoever made it chose what it names).
mode_t FinalMode(int dir, const std::string& path)
{
    struct stat old {};
    if (::fstatat(dir, path.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode) &&
        old.st_uid == ::geteuid())
        return old.st_mode & 0777;
    return 0666 & ~CurrentUmask();
}

// The whole-file writer, at path in dir (a folder's descriptor, or AT_FDCWD). The temporary is
// private (0600) while its data is written and takes its final mode only then: a reader that
// opened it early would keep its access. kept (when given) receives the written descriptor,
// open for reading and writing, instead of its being closed.
WholeWrite WriteWhole(int dir, const std::string& chosen, const uint8_t* data, std::size_t n, bool sync,
                      bool followOwnLinks, int* kept)
{
    const std::string path = followOwnLinks ? WriteTarget(chosen) : chosen;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(path);
        fd = ::openat(dir, temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return WholeWrite::OpenFailed;

    bool ok = true;
    std::size_t done = 0;
    while (ok && done < n) {
        const ssize_t w = ::write(fd, data + done, n - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            ok = false;
        else
            done += std::size_t(w);
    }
    if (ok && ::fchmod(fd, FinalMode(dir, path)) != 0)
        ok = false;
    if (ok && sync && ::fsync(fd) != 0)
        ok = false;
    if (!kept && ::close(fd) != 0)
        ok = false;
    if (ok && ::renameat(dir, temp.c_str(), dir, path.c_str()) != 0)
        ok = false;
    if (!ok) {
        const int why = errno;
        if (kept)
            ::close(fd);
        ::unlinkat(dir, temp.c_str(), 0);
        errno = why;
        return WholeWrite::WriteFailed;
    }
    if (kept)
        *kept = fd;
    return WholeWrite::Ok;
}

} // namespace

WholeWrite WriteFileWhole(const std::string& path, const uint8_t* data, std::size_t n, bool sync)
{
    return WriteWhole(AT_FDCWD, path, data, n, sync, true, nullptr);
}

namespace {

// Puts a complete image in place of the working file and keeps the descriptor it was written
// through as the image stream, so that whatever lies at the name afterwards is never opened.
// The working file is the program's own: a link there is replaced, not followed. The open image
// is left as it was when the new one cannot be written.
bool InstallImage(const WorkingFolder& folder, const std::vector<uint8_t>& image)
{
    if (!folder)
        return false;
    int fd = -1;
    if (WriteWhole(folder.Fd(), App.WorkingImageFileName, image.data(), image.size(), false, false, &fd) !=
        WholeWrite::Ok)
        return false;
    DatabaseImage.Adopt(fd, folder.Path() + "/" + App.WorkingImageFileName);
    return true;
}

// The working folder that could not be had (refused names it then) or written, and why.
QString WorkingFolderFailure(const WorkingFolder& folder, const std::string& refused, int error)
{
    return QStringLiteral("Nie można utworzyć bazy roboczej w folderze %1: %2.")
        .arg(QFile::decodeName((folder ? folder.Path() : refused).c_str()),
             WriteFailureReason(error, App.WorkingImageFileName));
}

void PutU16(std::vector<uint8_t>& b, uint32_t at, uint16_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void PutU32(std::vector<uint8_t>& b, uint32_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

void PutText(std::vector<uint8_t>& b, uint32_t at, const std::string& text, std::size_t width)
{
    std::memcpy(b.data() + at, text.data(), std::min(text.size(), width));
}

std::vector<uint8_t> DefaultImage()
{
    std::vector<uint8_t> b(ImageSize, 0);
    PutText(b, 0, NewImageHeader, 20);
    b[20] = 1;

    // The manager, with every permission.
    const uint32_t cashier = TableOffsets.CashierTable;
    b[cashier] = 1;
    PutText(b, cashier + 1, "Kierownik", 21);
    PutText(b, cashier + 22, "9473", 4);
    std::memset(b.data() + cashier + 26, 1, 7);

    const uint32_t group = TableOffsets.GoodsGroupTable;
    b[group] = 1;
    PutText(b, group + 1, "Grupa podstawowa", 21);

    PutText(b, TableOffsets.RecordCurrencyBlock, App.RecordCurrencySymbol, 3);

    const uint16_t rates[7] = {2300, 800, 0, 500, 0xFFFE, 0xFFFE, 0xFFFF};
    for (uint32_t i = 0; i < 7; ++i) {
        const uint32_t at = TableOffsets.VatRateBlock + i * VatRateEntrySize;
        b[at] = uint8_t('A' + i);
        PutU16(b, at + 1, rates[i]);
    }

    const uint32_t halo[10] = {0, 100, 200, 500, 1000, 2000, 3000, 5000, 10000, 50000};
    for (uint32_t i = 0; i < 10; ++i)
        PutU32(b, TableOffsets.HaloBlock + i * 4, halo[i]);
    return b;
}

bool ReadAll(int fd, uint8_t* out, std::size_t n, std::size_t& got)
{
    got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, out + got, n - got, off_t(got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        if (r == 0)
            break;
        got += std::size_t(r);
    }
    return true;
}

// The refusal of a database file from its first bytes and its length; empty when it may load.
QString DatabaseFileRefusal(const uint8_t* magic, std::size_t magicGot, unsigned long long size)
{
    // The older format's tables lie elsewhere and cannot be placed: it is named whatever its length.
    if (magicGot >= MagicSize && std::memcmp(magic, OldDatabaseFileMagic, MagicSize) == 0)
        return QStringLiteral("Plik zapisano w starym formacie %1, którego program nie może przekształcić. "
                              "Nie wczytano bazy.")
            .arg(QString::fromLatin1(OldDatabaseFileMagic));
    if (size != DatabaseFileSize)
        return QStringLiteral("Plik bazy danych ma złą długość (%1 bajtów zamiast %2). Nie wczytano bazy.")
            .arg(qulonglong(size))
            .arg(qulonglong(DatabaseFileSize));
    return {};
}

// Reads a database file whole and checks it before anything of the image is touched. Returns
// the message that refuses the file, or an empty text when bytes holds the whole file.
QString ReadDatabaseFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    const QString unreadable = QStringLiteral("Nie można odczytać pliku bazy danych.");
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return unreadable;
    struct CloseOnExit {
        int fd;
        ~CloseOnExit() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return unreadable;

    uint8_t magic[MagicSize];
    std::size_t got = 0;
    if (!ReadAll(fd, magic, MagicSize, got))
        return unreadable;
    if (const QString refusal = DatabaseFileRefusal(magic, got, (unsigned long long)st.st_size); !refusal.isEmpty())
        return refusal;

    bytes.assign(DatabaseFileSize, 0);
    if (!ReadAll(fd, bytes.data(), bytes.size(), got) || got != DatabaseFileSize)
        return unreadable;
    return {};
}

QString PathText(const std::string& path) { return QFile::decodeName(path.c_str()); }

// The goods a database file holds above what the open database's register can (goods left out
// when a smaller register was found): a save over the file would drop them.
unsigned GoodsLeftOutOfFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (!ReadDatabaseFile(path, bytes).isEmpty())
        return 0;
    uint8_t* goods = bytes.data() + GoodsTableOffset;
    return RelayGoodsArea(goods, GoodsSpacingOfArea(goods), App.GoodsRecordSize).LeftOut;
}

// ---- price conversion ----

// The factor as the decimal number it was written as: mantissa x 10^exponent. The shortest
// form that gives the same double back is taken, so that 0.29 is 29 x 10^-2 and not the
// binary value just below it (whose product would truncate one grosz too low).
struct DecimalFactor {
    unsigned long long Mantissa = 0;
    int Exponent = 0;
};

DecimalFactor DecimalOf(double factor)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, factor, std::chars_format::scientific);
    DecimalFactor f;
    int fractionDigits = 0;
    bool afterDot = false;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            afterDot = true;
            continue;
        }
        f.Mantissa = f.Mantissa * 10 + unsigned(*p - '0');
        if (afterDot)
            ++fractionDigits;
    }
    int exponent = 0;
    if (p < res.ptr)
        std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, res.ptr, exponent);
    f.Exponent = exponent - fractionDigits;
    return f;
}

using Wide = unsigned __int128;

// old x factor, truncated towards zero, at most limit.
uint32_t ScaleAmount(uint32_t old, const DecimalFactor& f, uint32_t limit)
{
    Wide n = Wide(old) * f.Mantissa;  // at most 10 + 17 digits
    int e = f.Exponent;
    for (; e > 0 && n <= limit; --e)
        n *= 10;
    for (; e < 0 && n != 0; ++e)
        n /= 10;
    return n > limit ? limit : uint32_t(n);
}

constexpr uint32_t RateDigits = 8;
constexpr uint32_t RateMax = 99999999;

// Eight significant digits n x 10^exponent into the rate's two fields.
void StoreRate(Wide n, int exponent, uint32_t& digits, uint8_t& decimals)
{
    if (exponent > 0) {
        // Beyond eight whole digits: the largest rate the field holds.
        digits = RateMax;
        decimals = 0;
    } else if (exponent < -255) {
        digits = 0;
    } else {
        digits = uint32_t(n);
        decimals = uint8_t(-exponent);
    }
}

void ConvertRateExact(uint32_t& digits, uint8_t& decimals, const DecimalFactor& f)
{
    if (digits == 0)
        return;  // a free slot stays as it is
    Wide n = Wide(digits) * f.Mantissa;
    int exponent = f.Exponent - int(decimals);
    if (n == 0) {
        digits = 0;
        return;
    }
    unsigned length = 0;
    for (Wide t = n; t != 0; t /= 10)
        ++length;
    if (length > RateDigits) {
        // More than 8 significant digits: rounded half up to 8.
        Wide unit = 1;
        for (unsigned i = RateDigits; i < length; ++i)
            unit *= 10;
        const Wide rest = n % unit;
        n /= unit;
        if (rest * 2 >= unit)
            ++n;
        exponent += int(length - RateDigits);
        if (n > RateMax) {  // 99999999.5 rounded up to 100000000
            n /= 10;
            ++exponent;
        }
    } else {
        // Padded with trailing zeros to 8 digits.
        for (; length < RateDigits; ++length) {
            n *= 10;
            --exponent;
        }
    }
    StoreRate(n, exponent, digits, decimals);
}

bool UsableFactor(double factor) { return std::isfinite(factor) && factor >= 0; }

} // namespace

bool SaveWholeFile(const QString& path, QByteArrayView bytes)
{
    if (WriteFileWhole(QFile::encodeName(path).toStdString(), reinterpret_cast<const uint8_t*>(bytes.data()),
                       std::size_t(bytes.size()), true) == WholeWrite::Ok)
        return true;
    ShowMessage(QStringLiteral("Nie mogę zapisać do pliku") + path + u'.');
    return false;
}

QString WriteFailureReason(int error, const std::string& fileName)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return QStringLiteral("brak miejsca na dysku");
    case EACCES:
    case EPERM: return QStringLiteral("brak uprawnień");
    case EROFS: return QStringLiteral("system plików tylko do odczytu");
    case EISDIR: return QStringLiteral("w miejscu pliku %1 jest folder").arg(QFile::decodeName(fileName.c_str()));
    case ENOENT: return QStringLiteral("folder nie istnieje");
    case ENOTDIR: return QStringLiteral("w ścieżce folderu jest plik");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

std::string FileNameOfPath(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

int CreateDatabaseImage(QString* why)
{
    if (TableOffsets.DiscountTable == 0)
        InitTableOffsets();
    std::string refused;
    const WorkingFolder folder = TempFolder("C:\\Tepo_Tmp", &refused);
    if (InstallImage(folder, DefaultImage()))
        return 0;
    const int error = errno;
    if (why)
        *why = WorkingFolderFailure(folder, refused, error) +
               QStringLiteral(" Otwórz plik bazy danych albo utwórz nową bazę, gdy przyczyna zniknie.");
    return 1;
}

int LoadDatabaseFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (const QString refusal = ReadDatabaseFile(path, bytes); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return 1;
    }
    return LoadDatabaseBytes(std::move(bytes), ToCp1250(PathText(FileNameOfPath(path))));
}

int LoadDatabaseBytes(std::vector<uint8_t> bytes, const std::string& fileName)
{
    if (const QString refusal = DatabaseFileRefusal(bytes.data(), bytes.size(), bytes.size()); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return 1;
    }
    // The file does not say which register's spacing its goods have: they are read at the
    // spacing they fit and laid out at the current one.
    uint8_t* goods = bytes.data() + GoodsTableOffset;
    const uint8_t spacing = GoodsSpacingOfArea(goods);
    GoodsRelay relay;
    if (spacing != App.GoodsRecordSize)
        relay = RelayGoodsArea(goods, spacing, App.GoodsRecordSize);
    // The file is the image with its magic over bytes 0..15, which the image keeps. The file was
    // read: when the working folder cannot be had or written, the message says where and why.
    std::string refused;
    const WorkingFolder folder = TempFolder("C:\\Rivo_Tmp", &refused);
    if (!InstallImage(folder, bytes)) {
        const int error = errno;
        ShowMessage(WorkingFolderFailure(folder, refused, error) + QStringLiteral(" Nie wczytano bazy."));
        return 1;
    }
    App.CurrentDatabaseFileName = fileName;
    App.WorkMode |= WorkModeDatabase;
    if (relay.Kept > 0 || relay.LeftOut > 0)
        MarkDatabaseModified();
    ReportGoodsLeftOut(relay.LeftOut);
    RequestStatusRefresh();
    return 0;
}

int WriteDatabaseFile(const std::string& path)
{
    if (!DatabaseImage.Usable()) {
        ShowMessage(QStringLiteral("Plik z bazą nie jest otwarty."));
        App.WorkMode &= uint8_t(~WorkModeDatabase);
        return 1;
    }
    std::vector<uint8_t> bytes(DatabaseFileSize);
    DbReadBytesAt(0, bytes.data(), bytes.size());
    std::memcpy(bytes.data(), DatabaseFileMagic, MagicSize);

    // A target that could not be opened for writing in place is not replaced either.
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    WholeWrite result = WholeWrite::OpenFailed;
    if (!exists || (S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0))
        result = WriteFileWhole(path, bytes.data(), bytes.size(), true);
    if (result == WholeWrite::OpenFailed) {
        ShowMessage(QStringLiteral("Nie mogę otworzyć pliku docelowego"));
        return 1;
    }
    if (result == WholeWrite::WriteFailed) {
        ShowMessage(QStringLiteral("Wystąpił błąd zapisu"));
        return 1;
    }
    ShowMessage(QStringLiteral("Zapisano plik ") + PathText(path));
    return 0;
}

void SaveDatabaseFile()
{
    QString chosen = CurrentPrompts().SaveFileName(QStringLiteral("Zapisz bazę danych do pliku"),
                                                   QStringLiteral("Baza danych Orva Rivo (*.rkb)|*.rkb"),
                                                   FromCp1250(App.CurrentDatabaseFileName));
    if (chosen.isEmpty())
        return;
    // The open dialog lists only *.rkb: a file saved under another name could not be found again.
    if (!chosen.endsWith(QStringLiteral(".rkb"), Qt::CaseInsensitive))
        chosen += QStringLiteral(".rkb");
    if (!ConfirmOverwrite(chosen))
        return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    if (const unsigned lost = GoodsLeftOutOfFile(path);
        lost > 0 && AskQuestion(QStringLiteral("Plik zawiera %1 towarów o numerach powyżej %2, których ta baza nie "
                                               "obejmuje. Zapisanie ich usunie. Kontynuować?")
                                    .arg(lost)
                                    .arg(App.MaxGoodsCount),
                                PromptButtons::YesNo, {}, PromptIcon::Warning) != PromptAnswer::Yes)
        return;
    if (WriteDatabaseFile(path) != 0)
        return;
    App.CurrentDatabaseFileName = ToCp1250(PathText(FileNameOfPath(path)));
    RequestStatusRefresh();
    App.DatabaseSaved = 1;
    App.DatabaseModified = 0;
}

void ConvertRate(uint32_t& digits, uint8_t& decimals, double factor)
{
    if (UsableFactor(factor))
        ConvertRateExact(digits, decimals, DecimalOf(factor));
}

namespace {

constexpr uint32_t PriceMax = 99999999;
constexpr uint32_t DiscountMax = 99999998;

// Every money amount and currency rate of the image through the two conversions: goods
// prices, amount discounts (percentages stay), currency rates, packaging prices.
void ConvertEveryAmount(const std::function<uint32_t(uint32_t amount, uint32_t limit)>& amount,
                        const std::function<void(uint32_t& digits, uint8_t& decimals)>& rate)
{
    for (unsigned plu = 1; plu <= App.MaxGoodsCount; ++plu) {
        const uint32_t at = GoodsRecordOffset(plu) + GoodsField::Price;
        DbWriteU32At(at, amount(DbReadU32At(at), PriceMax));
    }
    for (uint32_t i = 0; i < SmallTableSlots; ++i) {
        const uint32_t record = TableOffsets.DiscountTable + i * DiscountRecordSize;
        if (DbReadByteAt(record + 23) == 1)  // an amount, not a percentage
            DbWriteU32At(record + 24, amount(DbReadU32At(record + 24), DiscountMax));
    }
    for (uint32_t i = 0; i < SmallTableSlots; ++i) {
        const uint32_t record = TableOffsets.CurrencyTable + i * CurrencyRecordSize;
        uint32_t digits = DbReadU32At(record + 22);
        uint8_t decimals = DbReadByteAt(record + 26);
        rate(digits, decimals);
        DbWriteU32At(record + 22, digits);
        DbWriteByteAt(record + 26, decimals);
    }
    for (uint32_t i = 0; i < SmallTableSlots; ++i) {
        const uint32_t at = TableOffsets.PackagingTable + i * PackagingRecordSize + 43;
        DbWriteU32At(at, amount(DbReadU32At(at), PriceMax));
    }
    MarkDatabaseModified();
}

Wide PowerOfTen(unsigned n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// digits x 10^-decimals divided by the rate, back to 8 significant digits (rounded half up).
void DivideRateExact(uint32_t& digits, uint8_t& decimals, uint32_t rateDigits, uint8_t rateDecimals)
{
    if (digits == 0)
        return;  // a free slot stays as it is
    Wide numerator = digits;
    int exponent = int(rateDecimals) - int(decimals);
    // Nine significant digits of the quotient, the ninth for the rounding.
    while (numerator < Wide(rateDigits) * 100000000) {
        numerator *= 10;
        --exponent;
    }
    Wide q = numerator / rateDigits;
    while (q > 999999999) {
        q /= 10;
        ++exponent;
    }
    Wide n = q / 10 + (q % 10 >= 5 ? 1 : 0);
    ++exponent;
    if (n > RateMax) {
        n /= 10;
        ++exponent;
    }
    StoreRate(n, exponent, digits, decimals);
}

} // namespace

void ConvertPrices(double factor)
{
    // A negative or undefined factor would wipe every amount; there is nothing to convert by.
    if (!UsableFactor(factor))
        return;
    const DecimalFactor f = DecimalOf(factor);
    ConvertEveryAmount([&f](uint32_t old, uint32_t limit) { return ScaleAmount(old, f, limit); },
                       [&f](uint32_t& digits, uint8_t& decimals) { ConvertRateExact(digits, decimals, f); });
}

void ConvertPricesByRate(uint32_t rateDigits, uint8_t rateDecimals)
{
    if (rateDigits == 0 || rateDecimals > 18)
        return;
    const Wide scale = PowerOfTen(rateDecimals);
    ConvertEveryAmount(
        [&](uint32_t old, uint32_t limit) {
            const Wide n = Wide(old) * scale / rateDigits;
            return n > limit ? limit : uint32_t(n);
        },
        [&](uint32_t& digits, uint8_t& decimals) { DivideRateExact(digits, decimals, rateDigits, rateDecimals); });
}
