#include "io/data_set_file_io.h"

#include "fixed/fixed_messages.h"
#include "hdl/hdl_export.h"
#include "io/code_export.h"
#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "io/format_state.h"
#include "io/io_messages.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <vector>

namespace {

// Stands in when a data set has no host: messages are dropped, questions take their default.
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
CDataColumn* ColumnOf(CDataSetIO& set, int column) {
    if (column < 0)
        return nullptr;
    while (set.GetColumnCount() <= column)
        set.AddColumn();
    return set.GetColumn(column);
}

// The implementation options of a hardware export, with the coefficient word length.
SHdlOptions HdlOptionsOf(const CFileFormatOpts& opts) {
    SHdlOptions options = opts.m_FixedPoint.m_Hdl;
    options.format.coefBits = opts.m_FixedPoint.m_nBits;
    return options;
}

// The files of a Verilog export of column a to path; false (reported) when the filter is complex
// or cannot be implemented.
bool MakeHdlFiles(const CFileFormatOpts& opts, const std::string& path, const CDataColumn* a,
                  const CDataColumn* b, std::vector<SHdlFile>& files, CHost& host) {
    if (b) {
        host.Error(kMsgFixedNeedsRealFilter);
        return false;
    }
    std::string error;
    if (!MakeVerilogFiles(std::vector<double>(a->begin(), a->end()), HdlOptionsOf(opts), path,
                          files, error)) {
        host.Error(error);
        return false;
    }
    return true;
}

// The frames that layers above io set for their formats' documents.
constexpr int kFramedFormats = 32;
std::array<std::atomic<FDocumentFrame>, kFramedFormats> g_frames{};

FDocumentFrame FrameOf(int format) {
    if (format < 0 || format >= kFramedFormats)
        return nullptr;
    return g_frames[static_cast<size_t>(format)].load(std::memory_order_acquire);
}

// The points of a format's file (the whole file of an unframed format), appended to out.
int WritePoints(CDataSetIO& set, CFileFormatOpts& opts, std::string& out, int columnA, int columnB,
                int step, const std::string& path) {
    CHost& host = HostOf(set.GetHost());
    const CDataColumn* a = ColumnOf(set, columnA);
    const CDataColumn* b = columnB == columnA ? nullptr : ColumnOf(set, columnB);
    if (!a)
        return 0;
    const int n = set.GetLength();
    if (opts.m_nFormat == kFormatVerilog) {
        // The module alone; WriteDataSetFile writes its testbench files beside it.
        std::vector<SHdlFile> files;
        if (!MakeHdlFiles(opts, path.empty() ? "filter.v" : path, a, b, files, host))
            return 0;
        out += files[0].bytes;
        return 1;
    }
    if (opts.m_nFormat == kFormatC || opts.m_nFormat == kFormatTiAsm) {
        // The code exporters take the points in the index order of the step.
        std::vector<int> order;
        if (!WriteOrder(n, step, order)) {
            host.Error(FormatMessage(kMsgStepDoesNotDivide,
                                     {std::to_string(n), std::to_string(std::abs(int64_t{step}))}));
            return 0;
        }
        std::vector<double> va, vb;
        for (const int i : order) {
            va.push_back(a->GetAt(i));
            if (b)
                vb.push_back(b->GetAt(i));
        }
        if (opts.m_nFormat == kFormatC)
            WriteC(out, n, va.data(), b ? vb.data() : nullptr, opts.m_OptionsC);
        else
            WriteTiAsm(out, n, va.data(), b ? vb.data() : nullptr, opts.m_AsmOpts);
        return 1;
    }
    SFormatState state = FormatStateOf(opts);
    const int result = WriteDataBytes(state, out, a->GetData(), b ? b->GetData() : nullptr, n,
                                      set.GetMin(), set.GetMax(), step, host);
    StoreFormatState(state, opts);
    return result;
}

// The whole file: the points, inside the document frame of the format when it has one.
int WriteDocument(CDataSetIO& set, CFileFormatOpts& opts, std::string& out, int columnA,
                  int columnB, int step, const std::string& path) {
    const FDocumentFrame frame = FrameOf(opts.m_nFormat);
    if (!frame)
        return WritePoints(set, opts, out, columnA, columnB, step, path);
    std::string body;
    if (!WritePoints(set, opts, body, columnA, columnB, step, path))
        return 0;
    frame(set, path, body);
    out += body;
    return 1;
}

} // namespace

void SetDocumentFrame(int format, FDocumentFrame frame) {
    if (format >= 0 && format < kFramedFormats)
        g_frames[static_cast<size_t>(format)].store(frame, std::memory_order_release);
}

bool ReadDataSet(CDataSetIO& set, CFileFormatOpts& opts, const uint8_t* data, size_t size,
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

bool ReadDataSetFile(CDataSetIO& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB) {
    if (path.empty())
        return false;
    const std::string resolved = set.ResolvePath(path);
    std::vector<uint8_t> bytes;
    if (!ReadFileReported(resolved, bytes, HostOf(set.GetHost()), set.m_bReportOpenErrors != 0))
        return false;
    return ReadDataSet(set, opts, bytes.data(), bytes.size(), columnA, columnB, resolved);
}

int WriteDataSet(CDataSetIO& set, CFileFormatOpts& opts, std::string& out, int columnA, int columnB,
                 int step) {
    return WriteDocument(set, opts, out, columnA, columnB, step, std::string());
}

int WriteDataSetFile(CDataSetIO& set, CFileFormatOpts& opts, const std::string& path, int columnA,
                     int columnB, int step) {
    if (path.empty())
        return 1;
    const std::string resolved = set.ResolvePath(path);
    CHost& host = HostOf(set.GetHost());
    if (opts.m_nFormat == kFormatVerilog) {
        if (step != 0 && step != 1) {
            host.Error(kMsgHdlNoInterleave);
            return 0;
        }
        std::vector<SHdlFile> files;
        if (!MakeHdlFiles(opts, resolved, ColumnOf(set, columnA),
                          columnB == columnA ? nullptr : ColumnOf(set, columnB), files, host))
            return 0;
        std::vector<SFileToWrite> set;
        for (SHdlFile& f : files)
            set.push_back({std::move(f.path), std::move(f.bytes)});
        return WriteFileSetReported(set, host) ? 1 : 0;
    }
    std::string bytes;
    if (!WriteDocument(set, opts, bytes, columnA, columnB, step, resolved))
        return 0;
    return WriteFileReported(resolved, bytes, host) ? 1 : 0;
}
