#include "data/corvi_data.h"
#include "hdl/hdl_export.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "io_test_files.h"
#include "support/paths.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Every writable format's bytes for one real and one complex signal, compared with the files
// stored in tests/data/io/written. CORVIFIR_WRITE_REFERENCE=1 writes those files instead (only
// after a deliberate change of a format's layout).
const std::string kDir = std::string(CORVIFIR_TEST_DATA_DIR) + "/io/written/";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 12 points inside -1..1 with values of both signs, exact zeros and one full-scale value.
void MakeSignal(CCorviData& d, bool complex) {
    d.RemoveAll();
    for (int k = 0; k < 12; ++k) {
        d.m_pI->Add(k == 3 ? 1.0 : k == 7 ? 0.0 : 0.9 * std::sin(0.7 * k + 0.2));
        if (complex)
            d.m_pQ->Add(k == 5 ? -1.0 : 0.6 * std::cos(1.3 * k) - 0.1);
    }
    d.EqualizeLengths(0.0);
}

// Formats that hold one column only.
bool OneColumnOnly(int code) {
    return code == kFormatCoe || code == kFormatMif || code == kFormatVerilog;
}

std::string FileName(const SFileFormat& format, bool complex, int waveSize) {
    std::string name = std::to_string(format.code) + (complex ? "_complex" : "_real");
    if (format.code == kFormatWave)
        name += waveSize == 0 ? "_8bit" : "_16bit";
    // ".ref" keeps the stored C source out of the source checks.
    return name + format.suffix + ".ref";
}

} // namespace

TEST(WrittenFiles, EveryWritableFormatKeepsItsBytes) {
    const bool writeReference = std::getenv("CORVIFIR_WRITE_REFERENCE") != nullptr;
    for (const SFileFormat& format : FileFormatTable()) {
        if (!(format.flags & kFormatCanWrite))
            continue;
        for (const bool complex : {false, true}) {
            if (complex && OneColumnOnly(format.code))
                continue;
            for (const int waveSize : {0, 1}) {
                if (waveSize == 1 && format.code != kFormatWave)
                    continue;
                CScriptedHost host;
                CCorviData d(&host);
                MakeSignal(d, complex);
                CFileFormatOpts opts;
                ASSERT_TRUE(SelectFormat(opts, format.name));
                opts.m_WavFmt.m_nSampleSize = waveSize;
                std::string bytes;
                ASSERT_EQ(WriteDataSet(d, opts, bytes, 0, complex ? 1 : -1, 1), 1) << format.name;
                const std::string path = kDir + FileName(format, complex, waveSize);
                if (writeReference) {
                    std::ofstream(path, std::ios::binary) << bytes;
                    continue;
                }
                EXPECT_EQ(bytes, ReadAll(path)) << format.name << (complex ? " complex" : "");
            }
        }
    }
}

// A Verilog export to a file writes the module (the same bytes as written elsewhere) and its
// testbench files beside it; C source and assembler data go to the file as they are written
// elsewhere.
TEST(WrittenFiles, CodeExportsWriteTheirWholeFiles) {
    const bool writeReference = std::getenv("CORVIFIR_WRITE_REFERENCE") != nullptr;
    CTempFolder folder;
    CScriptedHost host;
    CCorviData d(&host);
    MakeSignal(d, false);
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatVerilog;
    ASSERT_EQ(WriteDataSetFile(d, opts, folder.Path("filter.v"), 0, -1, 1), 1)
        << host.LastMessage();
    for (const std::string& path : VerilogExportPaths(folder.Path("filter.v"))) {
        const std::string stored = kDir + "16_real" + FileNameOf(path).substr(6) + ".ref";
        if (writeReference) {
            std::ofstream(stored, std::ios::binary) << ReadAll(path);
            continue;
        }
        EXPECT_EQ(ReadAll(path), ReadAll(stored)) << path;
    }
    for (const auto& [code, stored] :
         {std::pair{kFormatC, "7_complex.h.ref"}, std::pair{kFormatTiAsm, "11_complex.asm.ref"}}) {
        MakeSignal(d, true);
        opts.m_nFormat = code;
        const std::string path = folder.Path(stored);
        ASSERT_EQ(WriteDataSetFile(d, opts, path, 0, 1, 1), 1) << host.LastMessage();
        EXPECT_EQ(ReadAll(path), ReadAll(kDir + stored)) << stored;
    }
}
