#pragma once

#include "doc/fir_commands.h"

class QWidget;

// The desktop's dialogs of the project commands. The sampling frequency (also the first page of
// the design options) and the minimum dB are asked here; the other operation dialogs are not
// part of this program yet, so their commands end without a change.
class CQtCommandDialogs : public CCommandDialogs {
public:
    explicit CQtCommandDialogs(QWidget* parent) : m_pParent(parent) {}

    bool DataFiles(CDataFiles&) override { return false; }
    bool SamplingFrequency(CFs& fs) override;
    bool DesignOptions(CDesignOptions& options) override;
    bool MinimumDb(double& minDb) override;
    bool FillConstant(CCombFillSettings&) override { return false; }
    bool Generate(CGenerateSettings&) override { return false; }
    bool Window(CWindowSettings&) override { return false; }
    bool Scale(CScaleSettings&, const std::string&) override { return false; }
    bool Quantize(CQuantizeSettings&) override { return false; }
    bool Mix(SMixSettings&, int, double) override { return false; }
    bool ZeroPad(CZeroPadSettings&) override { return false; }
    bool Convolve(SConvolveChoice&) override { return false; }
    bool Truncate(CTruncateSettings&) override { return false; }
    bool Polyphase(CPolyphaseSettings&) override { return false; }

private:
    QWidget* m_pParent;
};
