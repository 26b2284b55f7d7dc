// Feeds arbitrary text to the readers of the text and binary number formats. The first byte
// picks the format, the second the word length and whether two columns are read; the values
// read are written back in the same format with an interleave step.
#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "support/scripted_host.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static const int kCodes[] = {kFormatDecimal, kFormatPlot,   kFormatFir,      kFormatFract,
                                 kFormatHex,     kFormatBinary, kFormatAnalyzer, kFormatAdiPm,
                                 kFormatFloat,   kFormatDouble, kFormatCoe,      kFormatMif};
    SFormatState state;
    state.code = kCodes[data[0] % std::size(kCodes)];
    state.fixedBits = (data[1] & 0x3F) + 1;
    const bool complex = (data[1] & 0x40) != 0;
    const int step = (data[1] & 0x80) ? -2 : 3;
    CScriptedHost host;
    std::vector<double> a, b;
    if (ReadDataBytes(state, data + 2, size - 2, a, complex ? &b : nullptr, host)) {
        std::string out;
        if (state.code == kFormatAnalyzer)
            state.code = kFormatPlot;
        WriteDataBytes(state, out, a.data(), complex ? b.data() : nullptr,
                       static_cast<int>(a.size()), -2.0, 2.0, step, host);
        std::vector<double> a2, b2;
        ReadDataBytes(state, reinterpret_cast<const uint8_t*>(out.data()), out.size(), a2,
                      complex ? &b2 : nullptr, host);
    }
    return 0;
}
