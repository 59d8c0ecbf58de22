// csv_import: the whole goods import (read the file, check every line into the staged table,
// write it once) against reading the same file to its end with ReadTextLine, best of 10 each,
// for 8000 and 4000 records with every column and Polish letters. Prints both times and their
// ratio; the ratio stays the same for both sizes when the import grows linearly.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "export/DatabaseCsv.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::string GoodsFile(int count)
{
    std::string file = "Towary\nNumer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;"
                       "Sprzedaz na sztuki;Indeks HALO\n";
    const std::string name = ToCp1250(QStringLiteral("Żółć gęślą jaźń towar numer "));
    for (int plu = 1; plu <= count; ++plu)
        file += std::to_string(plu) + ';' + name + std::to_string(plu) + ';' + FormatHundredths(plu * 137LL) + ";" +
                char('A' + plu % 7) + ";59" + std::to_string(10000000000LL + plu) + ';' + std::to_string(plu % 20 + 1) +
                ';' + std::to_string(plu % 21) + ';' + std::to_string(plu % 2) + ";1;" + std::to_string(plu % 10) +
                '\n';
    return file;
}

template <class F>
double BestOf10(F run)
{
    double best = 1e9;
    for (int i = 0; i < 10; ++i) {
        const auto start = Clock::now();
        if (!run()) {
            std::fprintf(stderr, "run failed\n");
            std::exit(1);
        }
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

double Measure(const std::string& folder, int count)
{
    const std::string path = folder + "/goods" + std::to_string(count) + ".csv";
    {
        std::ofstream out(path, std::ios::binary);
        out << GoodsFile(count);
    }
    const double import = BestOf10([&] {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const CsvImportCheck check = CheckCsvImport(bytes);
        return check.Errors.empty() && check.RecordLines == count && ApplyCsvImport(check);
    });
    const double reading = BestOf10([&] {
        std::ifstream in(path, std::ios::binary);
        int lines = 0;
        while (!ReadTextLine(in).empty())
            ++lines;
        return lines == count + 2;
    });
    std::printf("%5d records: import %.2f ms, ReadTextLine to the end %.2f ms, ratio %.2f\n", count, import, reading,
                import / reading);
    return import / reading;
}

} // namespace

int main()
{
    char folder[] = "/tmp/rivo-bench-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    ::setenv("TEMP", folder, 1);
    InitTableOffsets();
    if (CreateDatabaseImage() != 0)
        return 1;
    App.WorkMode = WorkModeDatabase;
    const double big = Measure(folder, 8000);
    const double half = Measure(folder, 4000);
    std::printf("target: ratio at most 2.0 (8000: %.2f, 4000: %.2f)\n", big, half);
    DatabaseImage.Close();
    std::filesystem::remove_all(folder);
    return big <= 2.0 ? 0 : 2;
}
