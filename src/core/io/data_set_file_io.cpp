#include "io/data_set_file_io.h"

#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "io/data_format.h"
#include "io/format_state.h"
#include "support/file_access.h"
#include "support/host.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

namespace {

// Stands in when a signal has no host: messages are dropped, questions take their default.
class CQuietHost : public CHost {
public:
    void ShowMessage(const std::string&, EMsgIcon) override {}
    EAnswer Ask(const std::string&, bool, EAnswer def, EMsgIcon = EMsgIcon::Question) override {
        return def;
    }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

CHost& HostOf(CHost* host) {
    static CQuietHost quiet;
    return host ? *host : quiet;
}

// The columns a read or write names, made to exist.
CDataColumn* ColumnOf(CCorviData& set, int column) {
    if (column < 0)
        return nullptr;
    CDataSet& columns = set.Columns();
    while (columns.GetColumnCount() <= column)
        columns.AddColumn();
    return columns.GetColumn(column);
}

// The frames that layers above io set for their formats' documents.
constexpr int kFramedFormats = 32;
std::array<std::atomic<FDocumentFrame>, kFramedFormats> g_frames{};

FDocumentFrame FrameOf(int format) {
    if (format < 0 || format >= kFramedFormats)
        return nullptr;
    return g_frames[static_cast<size_t>(format)].load(std::memory_order_acquire);
}

// The points of a format's file, appended to out.
int WritePoints(CCorviData& set, CFileFormatOpts& opts, std::string& out, const CDataColumn* a,
                const CDataColumn* b, int step, CHost& host) {
    SFormatState state = FormatStateOf(opts);
    const int result = WriteDataBytes(state, out, a->GetData(), b ? b->GetData() : nullptr,
                                      set.Columns().GetLength(), set.Columns().GetMin(),
                                      set.Columns().GetMax(), step, host);
    StoreFormatState(state, opts);
    return result;
}

// The files of a write: the format's own file, inside its document frame when it has one,
// then those it writes beside it (path: the file's, empty when the bytes go elsewhere).
bool WriteFiles(CCorviData& set, CFileFormatOpts& opts, int columnA, int columnB, int step,
                const std::string& path, std::vector<SFileToWrite>& files) {
    CHost& host = HostOf(set.GetHost());
    const CDataColumn* a = ColumnOf(set, columnA);
    const CDataColumn* b = columnB == columnA ? nullptr : ColumnOf(set, columnB);
    if (!a)
        return false;
    const CDataFormat& format = DataFormatOf(opts.m_nFormat);
    if (format.WritesWholeFiles()) {
        if (!format.MakeFiles(opts, {a, b, set.Columns().GetLength(), step}, path, files, host))
            return false;
    } else {
        files.push_back({path, std::string()});
        if (!WritePoints(set, opts, files.back().bytes, a, b, step, host))
            return false;
    }
    if (const FDocumentFrame frame = FrameOf(opts.m_nFormat))
        frame(set, path, files.front().bytes);
    return true;
}

} // namespace

void SetDocumentFrame(int format, FDocumentFrame frame) {
    if (format >= 0 && format < kFramedFormats)
        g_frames[static_cast<size_t>(format)].store(frame, std::memory_order_release);
}

bool ReadDataSet(CCorviData& set, CFileFormatOpts& opts, const uint8_t* data, size_t size,
                 int columnA, int columnB, const std::string& name) {
    CDataColumn* a = ColumnOf(set, columnA);
    if (!a)
        return false;
    CDataColumn* b = columnB == columnA ? nullptr : ColumnOf(set, columnB);
    // The reader empties its columns once the file's header is accepted; until then they hold
    // the present values, so that a refused file changes nothing.
    std::vector<double> va(a->begin(), a->end());
    std::vector<double> vb;
    if (b)
        vb.assign(b->begin(), b->end());
    SFormatState state = FormatStateOf(opts);
    const bool ok =
        ReadDataBytes(state, data, size, va, b ? &vb : nullptr, HostOf(set.GetHost()), name);
    StoreFormatState(state, opts);
    a->SetSize(static_cast<int>(va.size()));
    std::copy(va.begin(), va.end(), a->begin());
    if (b) {
        b->SetSize(static_cast<int>(vb.size()));
        std::copy(vb.begin(), vb.end(), b->begin());
    }
    return ok;
}

bool ReadDataSetFile(CCorviData& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB) {
    if (path.empty())
        return false;
    const std::string resolved = set.m_File.ResolvePath(path);
    std::vector<uint8_t> bytes;
    if (!ReadFileReported(resolved, bytes, HostOf(set.GetHost()),
                          set.m_File.m_bReportOpenErrors != 0))
        return false;
    return ReadDataSet(set, opts, bytes.data(), bytes.size(), columnA, columnB, resolved);
}

int WriteDataSet(CCorviData& set, CFileFormatOpts& opts, std::string& out, int columnA, int columnB,
                 int step) {
    std::vector<SFileToWrite> files;
    if (!WriteFiles(set, opts, columnA, columnB, step, std::string(), files))
        return 0;
    out += files.front().bytes;
    return 1;
}

int WriteDataSetFile(CCorviData& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB, int step) {
    if (path.empty())
        return 1;
    std::vector<SFileToWrite> files;
    if (!WriteFiles(set, opts, columnA, columnB, step, set.m_File.ResolvePath(path), files))
        return 0;
    CHost& host = HostOf(set.GetHost());
    if (files.size() == 1)
        return WriteFileReported(files.front().path, files.front().bytes, host) ? 1 : 0;
    return WriteFileSetReported(files, host) ? 1 : 0;
}
