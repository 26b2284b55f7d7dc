// The code exporters as formats: C source, TI assembler data and the Verilog module with its
// testbench files. Each makes whole files from the columns rather than writing points.
#include "io/data_formats.h"

#include "data/data_column.h"
#include "data/format_options.h"
#include "fixed/fixed_messages.h"
#include "hdl/hdl_export.h"
#include "io/code_export.h"
#include "io/data_file_writer.h"
#include "io/io_messages.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cstdlib>
#include <vector>

namespace {

// A code exporter that takes the points in the index order of the step.
class CCodeFormat : public CDataFormat {
public:
    bool WritesWholeFiles() const override { return true; }
    bool MakeFiles(const CFileFormatOpts& opts, const SColumnsToWrite& columns,
                   const std::string& path, std::vector<SFileToWrite>& files,
                   CHost& host) const override {
        std::vector<int> order;
        if (!WriteOrder(columns.n, columns.step, order)) {
            host.Error(FormatMessage(
                kMsgStepDoesNotDivide,
                {std::to_string(columns.n), std::to_string(std::abs(int64_t{columns.step}))}));
            return false;
        }
        std::vector<double> a, b;
        for (const int i : order) {
            a.push_back(columns.a->GetAt(i));
            if (columns.b)
                b.push_back(columns.b->GetAt(i));
        }
        std::string bytes;
        WriteCode(bytes, columns.n, a.data(), columns.b ? b.data() : nullptr, opts);
        files.push_back({path, std::move(bytes)});
        return true;
    }

protected:
    virtual void WriteCode(std::string& out, int n, const double* a, const double* b,
                           const CFileFormatOpts& opts) const = 0;
};

class CCSource : public CCodeFormat {
    void WriteCode(std::string& out, int n, const double* a, const double* b,
                   const CFileFormatOpts& opts) const override {
        WriteC(out, n, a, b, opts.m_OptionsC);
    }
};

class CTiAsm : public CCodeFormat {
    void WriteCode(std::string& out, int n, const double* a, const double* b,
                   const CFileFormatOpts& opts) const override {
        WriteTiAsm(out, n, a, b, opts.m_AsmOpts);
    }
};

// The module of a real filter's column a (named after path, "filter.v" when the bytes go
// elsewhere), then its testbench files beside it. No polyphase order: the module holds the taps.
class CVerilog : public CDataFormat {
public:
    bool WritesWholeFiles() const override { return true; }
    bool MakeFiles(const CFileFormatOpts& opts, const SColumnsToWrite& columns,
                   const std::string& path, std::vector<SFileToWrite>& files,
                   CHost& host) const override {
        if (columns.step != 0 && columns.step != 1) {
            host.Error(kMsgHdlNoInterleave);
            return false;
        }
        if (columns.b) {
            host.Error(kMsgFixedNeedsRealFilter);
            return false;
        }
        SHdlOptions options = opts.m_FixedPoint.m_Hdl;
        options.format.coefBits = opts.m_FixedPoint.m_nBits;
        std::vector<SHdlFile> made;
        std::string error;
        if (!MakeVerilogFiles(std::vector<double>(columns.a->begin(), columns.a->end()), options,
                              path.empty() ? "filter.v" : path, made, error)) {
            host.Error(error);
            return false;
        }
        for (SHdlFile& f : made)
            files.push_back({std::move(f.path), std::move(f.bytes)});
        return true;
    }
};

} // namespace

const CDataFormat& CSourceFormat() {
    static const CCSource format;
    return format;
}

const CDataFormat& TiAsmFormat() {
    static const CTiAsm format;
    return format;
}

const CDataFormat& VerilogFormat() {
    static const CVerilog format;
    return format;
}
