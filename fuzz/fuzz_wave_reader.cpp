// Feeds arbitrary bytes to the WAVE header and sample reader, read as real and as complex data,
// and writes what was read back in the format found.
#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "support/scripted_host.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool complex : {false, true}) {
        CScriptedHost host;
        SFormatState state;
        state.code = kFormatWave;
        std::vector<double> a, b;
        if (ReadDataBytes(state, data, size, a, complex ? &b : nullptr, host)) {
            std::string out;
            const bool withB = complex && b.size() == a.size();
            WriteDataBytes(state, out, a.data(), withB ? b.data() : nullptr,
                           static_cast<int>(a.size()), -1.0, 1.0, 1, host);
        }
    }
    return 0;
}
