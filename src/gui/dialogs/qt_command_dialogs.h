#pragma once

#include "doc/fir_commands.h"

class CHost;
class QWidget;

// The desktop's dialogs for the project commands: each command shows its real dialog, modal to
// the parent window, over the document's remembered values.
class CQtCommandDialogs : public CCommandDialogs {
public:
    CQtCommandDialogs(QWidget* parent, CHost& host) : m_pParent(parent), m_host(host) {}

    bool DataFiles(CDataFiles& files) override;
    bool SamplingFrequency(CFs& fs) override;
    bool DesignOptions(CDesignOptions& options) override;
    bool MinimumDb(double& minDb) override;
    bool FillConstant(CCombFillSettings& s) override;
    bool Generate(CGenerateSettings& s) override;
    bool Window(CWindowSettings& s) override;
    bool Scale(CScaleSettings& s, const std::string& unit) override;
    bool Quantize(CQuantizeSettings& s) override;
    bool Mix(SMixSettings& s, int nTaps, double fs) override;
    bool ZeroPad(CZeroPadSettings& s) override;
    bool Convolve(SConvolveChoice& choice) override;
    bool Truncate(CTruncateSettings& s) override;
    bool Polyphase(CPolyphaseSettings& s) override;
    // The pictures of the project's last editor, frequency plot and time plot (each drawn
    // from the filter when the project shows none of that kind) beside the report.
    bool SaveReportPictures(CFirDoc& doc, const std::string& reportPath) override;

private:
    QWidget* m_pParent;
    CHost& m_host;
};
