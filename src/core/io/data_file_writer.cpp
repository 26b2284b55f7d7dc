#include "io/data_file_writer.h"

#include "io/data_format.h"
#include "io/io_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cstdint>

bool WriteOrder(int n, int step, std::vector<int>& order) {
    order.clear();
    if (n <= 0)
        return true;
    int64_t s = step == 0 ? 1 : step;
    const int64_t magnitude = s < 0 ? -s : s;
    if (n % magnitude != 0)
        return false;
    order.reserve(static_cast<size_t>(n));
    int64_t i = s > 0 ? 0 : n + s;
    for (int k = 0; k < n; ++k) {
        order.push_back(static_cast<int>(i));
        i += s;
        if (i >= n)
            i = i - n + 1;
        else if (i < 0)
            i = i + n + 1;
    }
    return true;
}

bool ConfirmOverflow(double fullScale, double minAll, double maxAll, CHost& host) {
    if (fullScale == 1.0)
        return true;
    if (minAll < -1.0 || maxAll > 1.0)
        return host.Ask(kMsgOverflowQuestion, false, EAnswer::Yes) == EAnswer::Yes;
    return true;
}

int WriteDataBytes(SFormatState& state, std::string& out, const double* a, const double* b, int n,
                   double minAll, double maxAll, int step, CHost& host) {
    if (n < 0)
        n = 0;
    const int code = state.code;
    if (!FormatCanWrite(code) || code == kFormatC || code == kFormatTiAsm) {
        const std::string name = FileFormatName(code);
        host.Error(
            FormatMessage(kMsgFormatCannotBeWritten, {name.empty() ? std::to_string(code) : name}));
        return 0;
    }
    const CDataFormat& format = DataFormatOf(code);
    if (!format.AcceptColumns(code, b != nullptr, host))
        return 0;
    std::vector<int> order;
    if (!WriteOrder(n, step, order)) {
        host.Error(FormatMessage(
            kMsgStepDoesNotDivide,
            {std::to_string(n), std::to_string(step < 0 ? -static_cast<int64_t>(step) : step)}));
        return 0;
    }
    if (!format.PrepareWrite(state, n, b ? 2 : 1, host))
        return 0;
    format.WriteHeader(state, n, out);

    const int writeCode = state.code;
    const int bits = state.WordLength();
    const double fullScale = FormatFullScale(writeCode, state.fixedBits, true);
    if (!ConfirmOverflow(fullScale, minAll, maxAll, host))
        return 0;

    SPointText text;
    text.code = writeCode;
    text.bits = bits;
    text.count = n;
    const bool longData = n >= 2500;
    text.decWidth = longData ? 24 : 21;
    text.decDigits = longData ? 21 : 18;
    const CDataFormat& points = DataFormatOf(writeCode);
    text.fixedWidth = points.FixedWidth(bits, fullScale);
    if (!points.WritesPoints())
        return 1;
    for (const int i : order) {
        const double va = a[i] * fullScale;
        const double vb = b ? b[i] * fullScale : 0.0;
        points.WritePoint(out, text, i, va, b ? &vb : nullptr);
        ++text.line;
    }
    points.WriteFooter(text, out);
    return 1;
}
