#include "io/data_file_reader.h"

#include "io/data_format.h"
#include "io/io_messages.h"
#include "io/number_text.h"
#include "support/format_number.h"
#include "support/host.h"

#include <string>

bool ReadDataBytes(SFormatState& state, const uint8_t* data, size_t size, std::vector<double>& a,
                   std::vector<double>* b, CHost& host, const std::string& name) {
    static const uint8_t kNoBytes[1] = {0};
    if (data == nullptr) {
        data = kNoBytes;
        size = 0;
    }
    CLineReader reader(data, size);
    SFileBytes file{data, size, 0};
    if (!DataFormatOf(state.code).ReadHeader(state, reader, file, host))
        return false;

    if (b && state.Channels() < 2) {
        host.Warning(kMsgOneChannelOnly);
        b->clear();
        b = nullptr;
    }
    a.clear();
    if (b)
        b->clear();

    SReadColumns columns{&a, b};
    if (!DataFormatOf(state.code).ReadPoints(state, reader, file, columns, host))
        return false;
    if (columns.badLine > 0 || columns.badSample > 0) {
        host.Error(
            columns.badLine > 0
                ? FormatMessage(kMsgNotFiniteAtLine, {name, std::to_string(columns.badLine)})
                : FormatMessage(kMsgNotFiniteAtSample, {name, std::to_string(columns.badSample)}));
        a.clear();
        if (b)
            b->clear();
        return false;
    }
    if (columns.stoppedAt > 0 && !a.empty())
        host.ShowMessage(
            FormatMessage(kMsgReadStoppedAtLine,
                          {name, std::to_string(columns.stoppedAt), std::to_string(a.size())}),
            EMsgIcon::Exclamation);
    return !a.empty();
}
