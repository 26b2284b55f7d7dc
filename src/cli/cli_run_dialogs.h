#pragma once

#include "cli_host.h"
#include "doc/fir_commands.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>

// The command line's host for the run command: messages go to standard error prefixed by their
// kind, questions take the --answer values in order and then their default button, and every
// error is counted so that a command that reported one counts as failed.
class CRunHost : public CCliHost {
public:
    explicit CRunHost(std::ostream& err) : CCliHost(err), m_err(err) {}
    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void QueueAnswer(EAnswer a) { m_answers.push_back(a); }
    int Errors() const { return m_nErrors; }

private:
    std::ostream& m_err;
    std::deque<EAnswer> m_answers;
    int m_nErrors = 0;
};

// The dialogs of one command, filled from its options: each starts from the document's
// remembered values, takes the options given and is accepted. A dialog shown a second time in
// one command (after its values were refused) is cancelled, so the command ends.
class CRunDialogs : public CCommandDialogs {
public:
    template <class T> using Edit = std::function<bool(T&)>;

    // Forgets the previous command's edits and shown dialogs.
    void BeginCommand() { *this = CRunDialogs(); }

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

private:
    template <class T> bool Show(Edit<T>& edit, T& values) {
        const void* key = &edit;
        for (const void* shown : m_shown)
            if (shown == key)
                return false;
        m_shown.push_back(key);
        return edit ? edit(values) : true;
    }
    std::vector<const void*> m_shown;
};
