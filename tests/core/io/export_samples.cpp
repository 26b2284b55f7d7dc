// Writes a fixed set of coefficients in the formats that other programs read back (Python's
// wave module, NumPy, a C compiler), and the values themselves as "%.17g" text.
#include "data/corvi_data.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/scripted_host.h"

#include <cstdio>
#include <string>

namespace {

const double kI[] = {0.0,          0.015625, -0.03125,          0.125, -0.25, 0.5, 0.999, -1.0,
                     0.3333333333, -1e-4,    0.7071067811865476};
const double kQ[] = {-0.5,  0.25,  0.0078125, 0.9, -0.9,        0.001,
                     -0.75, 0.625, -0.0625,   1.0, -0.123456789};

bool Export(CCorviData& d, const std::string& path, const char* format, bool complex,
            void (*adjust)(CFileFormatOpts&) = nullptr) {
    CFileFormatOpts opts;
    if (!SelectFormat(opts, format))
        return false;
    if (adjust)
        adjust(opts);
    return WriteDataSetFile(d, opts, path, 0, complex ? 1 : -1, 1) == 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: io_export_samples <folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    CScriptedHost host;
    CCorviData d(&host);
    for (size_t k = 0; k < std::size(kI); ++k) {
        d.m_pI->Add(kI[k]);
        d.m_pQ->Add(kQ[k]);
    }
    d.EqualizeLengths(0.0);

    bool ok = Export(d, dir + "real.txt", "Text:Decimal", false) &&
              Export(d, dir + "complex.txt", "Text:Decimal", true) &&
              Export(d, dir + "complex.dat", "Binary:double", true) &&
              Export(d, dir + "real.f32", "Binary:float", false) &&
              Export(d, dir + "stereo16.wav", "Binary:Wave", true,
                     [](CFileFormatOpts& o) {
                         o.m_WavFmt.m_nSampleSize = 1;
                         o.m_WavFmt.m_nSampleRate = 1;
                     }) &&
              Export(d, dir + "mono8.wav", "Binary:Wave", false,
                     [](CFileFormatOpts& o) {
                         o.m_WavFmt.m_nSampleSize = 0;
                         o.m_WavFmt.m_nSampleRate = 2;
                     }) &&
              Export(d, dir + "real.h", "Text:C", false,
                     [](CFileFormatOpts& o) {
                         o.m_OptionsC.m_strName = "h_real";
                         o.m_OptionsC.m_strType = "double";
                         o.m_OptionsC.m_strSuffix = "";
                     }) &&
              Export(d, dir + "complex.h", "Text:C", true,
                     [](CFileFormatOpts& o) { o.m_OptionsC.m_strName = "h_cplx"; });
    if (!ok || !host.messages.empty()) {
        std::fprintf(stderr, "export failed: %s\n", host.LastMessage().c_str());
        return 1;
    }
    FILE* expected = std::fopen((dir + "expected.txt").c_str(), "w");
    if (!expected)
        return 1;
    for (size_t k = 0; k < std::size(kI); ++k)
        std::fprintf(expected, "%.17g %.17g\n", kI[k], kQ[k]);
    std::fclose(expected);
    return 0;
}
