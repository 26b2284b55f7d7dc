// Feeds arbitrary bytes to the project reader. A stream it accepts must survive a write and a
// second read unchanged: the bytes written after the first read equal those written after the
// second.
#include "doc/project_file.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CScriptedHost host;
    CFirProject project(&host);
    try {
        CArchiveReader ar(data, size);
        project.Serialize(ar);
    } catch (const CArchiveException&) {
        return 0;
    }
    const std::vector<uint8_t> written = project.ToBytes();
    CFirProject again(&host);
    CArchiveReader ar(written);
    again.Serialize(ar); // a stream this program wrote must read back
    if (ar.Remaining() != 0 || again.ToBytes() != written)
        std::abort();
    return 0;
}
