#pragma once
// A database image with N goods in a private TEMP folder, for the benchmarks.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh database image holding goods 1..count, in a TEMP folder of its own.
class BenchDatabase {
public:
    // False (after saying why) when the image cannot be built.
    bool Open(uint16_t count)
    {
        char tmpl[] = "/tmp/rivo-bench-XXXXXX";
        if (!::mkdtemp(tmpl))
            return false;
        folder_ = tmpl;
        ::setenv("TEMP", folder_.c_str(), 1);
        InitTableOffsets();
        if (CreateDatabaseImage() != 0) {
            std::fprintf(stderr, "cannot build the image\n");
            return false;
        }
        App.WorkMode = WorkModeDatabase;
        for (uint16_t plu = 1; plu <= count; ++plu) {
            GoodsRecordFields g;
            g.Plu = plu;
            g.Name = "Towar testowy " + std::to_string(plu);
            g.VatLetter = "A";
            g.Price = 199u + plu;
            g.Barcode = std::to_string(5900000000000ull + plu);
            g.Group = 1;
            WriteGoodsRecordToImage(g);
        }
        return true;
    }
    ~BenchDatabase()
    {
        DatabaseImage.Close();
        std::error_code ec;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ec);
    }

private:
    std::string folder_;
};

