#pragma once
// Database files (*.rkb): a new default image, loading a file into the image, saving the image.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t DatabaseFileSize = 805000;
constexpr const char* DatabaseFileMagic = "ORVA_RIVO_V_2_00";
constexpr const char* OldDatabaseFileMagic = "ORVA_RIVO_V_1_01";

class QByteArrayView;
class QString;

// Builds a fresh default image in the temporary folder. 0 built, 1 the working file could not
// be written (the image open before stays open and as it was); why (when given) then tells the
// user the folder and the reason.
int CreateDatabaseImage(QString* why = nullptr);

// Loads a database file into the image. The file is checked whole before the image is touched:
// a file that cannot be read, is not exactly 805000 bytes or is of the older format is refused
// with a message and the image stays as it was. The image is replaced whole, so a failure to
// write it leaves it as it was too (the message names the working folder and why). 0 loaded,
// 1 refused.
// The goods are read at the spacing they were saved under and laid out at the current one;
// goods the current register cannot hold are reported and left out (the database is then
// modified, the file untouched).
int LoadDatabaseFile(const std::string& path);
// The same for a file's bytes already in memory; fileName becomes the current database name.
int LoadDatabaseBytes(std::vector<uint8_t> bytes, const std::string& fileName);

// Writes the image into path (through a temporary file renamed over it when complete), with
// the messages of the save. 0 written, 1 not.
int WriteDatabaseFile(const std::string& path);

// The whole save: the save dialog, the overwrite question and the write. Over a database file
// that holds goods above the open database's capacity it asks before dropping them. Sets
// DatabaseSaved to 1 when a file was written.
void SaveDatabaseFile();

// Converts every money amount of the image by factor (after a change of the record currency).
void ConvertPrices(double factor);
// Converts every money amount of the image into a new record currency worth rate units of the
// old one: each amount divided by rateDigits x 10^-rateDecimals exactly (300 / 3 = 100),
// truncated, with the caps of ConvertPrices; currency rates divided likewise and kept to 8
// significant digits. A zero rate converts nothing.
void ConvertPricesByRate(uint32_t rateDigits, uint8_t rateDecimals);
// The currency rate conversion on its own: the rate held as digits with decimals, times factor,
// back to at most 8 significant digits (rounded half up).
void ConvertRate(uint32_t& digits, uint8_t& decimals, double factor);

// Writes the bytes into a new file beside path and renames it over path only when every byte
// is written (and, with sync, on the disk), so that a failure leaves the old file as it was
// (errno then says why). A link of this user's own is written through to its target, which
// gets the new file beside it; another user's link is replaced, never followed. The new file is
// private (0600) until its bytes are written, then takes the permission bits of the user's own
// regular file it replaces (0666 less the umask when there is none, or another user's); its
// temporary name cannot be guessed.
enum class WholeWrite { Ok, OpenFailed, WriteFailed };
WholeWrite WriteFileWhole(const std::string& path, const uint8_t* data, std::size_t n, bool sync);
// The same for a file the user chose: on failure shows "Nie mogę zapisać do pliku" + path + ".".
bool SaveWholeFile(const QString& path, QByteArrayView bytes);
// Why a write failed (its errno), in the user's words; fileName is the file that was meant.
QString WriteFailureReason(int error, const std::string& fileName);

// The file name without folders (everything up to the last '/' or '\' removed).
std::string FileNameOfPath(const std::string& path);
