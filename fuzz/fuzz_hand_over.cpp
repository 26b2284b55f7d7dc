// Feeds arbitrary bytes to the desktop program's hand-over request reader, whole and in two
// pieces; a complete request must be rebuilt byte for byte from the paths it gave.
#include "support/hand_over.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> paths;
    const EHandOverRequest whole = ParseHandOverRequest(bytes, paths);
    if (whole == EHandOverRequest::Complete) {
        const std::string request = HandOverRequest(paths);
        if (!paths.empty() && request.empty())
            std::abort(); // a path that was read cannot be sent again
        if (!paths.empty() && bytes.substr(0, request.size()) != request)
            std::abort();
    }
    std::vector<std::string> part;
    const EHandOverRequest first = ParseHandOverRequest(bytes.substr(0, size / 2), part);
    if (first == EHandOverRequest::Complete && whole != EHandOverRequest::Complete)
        std::abort(); // more bytes never undo a complete request
    return 0;
}
