#pragma once

#include "doc/fir_commands.h"

#include <functional>

// Dialogs without a window: each starts from the values the command gives it (the document's
// remembered ones), runs the edit set for it (none: the values stay) and returns the edit's
// answer (true without an edit). The command line fills them from its options; tests script
// them.
class CScriptedCommandDialogs : public CCommandDialogs {
public:
    template <class T> using Edit = std::function<bool(T&)>;

    bool DataFiles(CDataFiles& files) override { return Show(dataFiles, files); }
    bool SamplingFrequency(CFs& fs) override { return Show(samplingFrequency, fs); }
    bool DesignOptions(CDesignOptions& o) override { return Show(designOptions, o); }
    bool MinimumDb(double& v) override { return Show(minimumDb, v); }
    bool FillConstant(CCombFillSettings& s) override { return Show(fillConstant, s); }
    bool Generate(CGenerateSettings& s) override { return Show(generate, s); }
    bool Window(CWindowSettings& s) override { return Show(window, s); }
    bool Scale(CScaleSettings& s, const std::string&) override { return Show(scale, s); }
    bool Quantize(CQuantizeSettings& s) override { return Show(quantize, s); }
    bool Mix(SMixSettings& s, int, double) override { return Show(mix, s); }
    bool ZeroPad(CZeroPadSettings& s) override { return Show(zeroPad, s); }
    bool Convolve(SConvolveChoice& c) override { return Show(convolve, c); }
    bool Truncate(CTruncateSettings& s) override { return Show(truncate, s); }
    bool Polyphase(CPolyphaseSettings& s) override { return Show(polyphase, s); }

    Edit<CDataFiles> dataFiles;
    Edit<CFs> samplingFrequency;
    Edit<CDesignOptions> designOptions;
    Edit<double> minimumDb;
    Edit<CCombFillSettings> fillConstant;
    Edit<CGenerateSettings> generate;
    Edit<CWindowSettings> window;
    Edit<CScaleSettings> scale;
    Edit<CQuantizeSettings> quantize;
    Edit<SMixSettings> mix;
    Edit<CZeroPadSettings> zeroPad;
    Edit<SConvolveChoice> convolve;
    Edit<CTruncateSettings> truncate;
    Edit<CPolyphaseSettings> polyphase;
    int shown = 0; // dialogs shown so far

protected:
    // Whether the dialog of an edit (identified by its address) may be shown now; a dialog
    // that may not is cancelled.
    virtual bool MayShow(const void* /*edit*/) { return true; }

private:
    template <class T> bool Show(const Edit<T>& edit, T& values) {
        if (!MayShow(&edit))
            return false;
        ++shown;
        return edit ? edit(values) : true;
    }
};
