#include "doc/fir_commands.h"

#include "doc/command_messages.h"
#include "doc/fir_doc.h"
#include "doc/view_commands.h"
#include "dsp/min_phase.h"
#include "dsp/signal_ops.h"
#include "io/data_files.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool WantsI(EParts parts) {
    return parts != EParts::Quadrature;
}
bool WantsQ(EParts parts) {
    return parts != EParts::Inphase;
}

// The gridded response follows the coefficients once it has been computed; then the views and
// the undo point.
void CoefficientsChanged(CFirDoc& doc) {
    CFirData& f = doc.Filter();
    if (!f.m_Response.IsEmpty()) {
        if (f.HasCoefficients())
            f.m_Response.ComputeResponse(f.m_Response.m_nResolution);
        else
            f.m_Response.RemoveAll();
    }
    doc.OnFilterChanged();
}

// Goes on when the filter is empty, otherwise asks whether to overwrite it.
bool ConfirmOverwrite(CFirDoc& doc, const char* prefix) {
    if (doc.Filter().IsEmpty())
        return true;
    return doc.Host().AskYesNo(std::string(prefix) + CmdMsg::kWillOverwrite, EAnswer::Yes);
}

// Runs a dialog until its values pass check (a refusal is shown and the dialog comes again);
// false when the dialog is cancelled.
template <class T, class Show, class Check>
bool RunCheckedDialog(CHost& host, T& values, Show show, Check check) {
    for (;;) {
        if (!show(values))
            return false;
        const std::string refusal = check(values);
        if (refusal.empty())
            return true;
        host.Error(refusal);
    }
}

std::string TruncatedMessage(int n, bool eachEnd) {
    std::string text = FormatMessage(CmdMsg::kTruncated, {std::to_string(n)});
    if (n != 1)
        text += CmdMsg::kTruncatedPlural;
    if (eachEnd)
        text += CmdMsg::kTruncatedEachEnd;
    return text + ".";
}

void CopyColumn(const CDataColumn& from, CDataColumn& to, int n) {
    for (int i = 0; i < n; ++i)
        to[i] = from[i];
}

} // namespace

void KeepQuantBitsInFileOptions(CFirProject& project) {
    const QuantOptions& q = project.m_Filter.m_Quant;
    if (q.m_bSaveInFileOptions && q.m_nBits > 0)
        project.m_DataFiles.SetWordLength(q.m_nBits);
}

const char* CommandDisabledReason(const CFirDoc& doc, ECommand cmd, EParts parts) {
    static constexpr const char* kNoCoefficients = "the filter has no coefficients";
    static constexpr const char* kReal = "the filter is real";
    const CFirData& f = doc.Filter();
    switch (cmd) {
    case ECommand::Import:
    case ECommand::Export:
    case ECommand::SamplingFrequency:
    case ECommand::DesignOptions:
    case ECommand::MinimumDb:
    case ECommand::FillConstant:
    case ECommand::FillSine:
        return nullptr;
    case ECommand::Window:
    case ECommand::Scale:
    case ECommand::Quantize:
        if (!f.HasCoefficients())
            return kNoCoefficients;
        return parts != EParts::Inphase && f.IsReal() ? kReal : nullptr;
    case ECommand::Undo:
        return doc.CanUndo() ? nullptr : "there is nothing to undo";
    case ECommand::Redo:
        return doc.CanRedo() ? nullptr : "there is nothing to redo";
    case ECommand::MinPhase:
        if (f.m_bMinPhaseDone)
            return "the filter is already minimum phase";
        if (f.IsEmpty())
            return "the filter is empty";
        return f.IsReal() ? nullptr : "the filter is complex";
    default:
        return f.HasCoefficients() ? nullptr : kNoCoefficients;
    }
}

namespace FirCommand {

// ---- shared steps ----------------------------------------------------------------------------

bool ScaleWithSettings(CFirDoc& doc, CCommandDialogs& dialogs) {
    return Scale(doc, dialogs, doc.Filter().IsReal() ? EParts::Inphase : EParts::Complex);
}

void AfterRead(CFirDoc& doc, CCommandDialogs& dialogs) {
    const CPreferences& prefs = doc.Preferences();
    if (prefs.m_bReadViewCoeffs)
        ShowCoefficientView(doc);
    if (prefs.m_bReadViewImp)
        ShowImpulseView(doc);
    if (prefs.m_bReadViewFreq)
        ShowFrequencyView(doc);
    if (prefs.m_bScaleAfterRead)
        ScaleWithSettings(doc, dialogs);
    else
        CoefficientsChanged(doc);
    doc.SetModifiedFlag();
}

void BeforeDesign(CFirDoc& doc) {
    doc.Filter().m_eRemezEngine = doc.Preferences().m_eRemezEngine;
}

void AfterDesign(CFirDoc& doc, CCommandDialogs& dialogs) {
    doc.Filter().m_nWindow = -1;
    const CPreferences& prefs = doc.Preferences();
    if (prefs.m_bDesignViewCoeffs)
        ShowCoefficientView(doc);
    if (prefs.m_bDesignViewImp)
        ShowImpulseView(doc);
    if (prefs.m_bDesignViewFreq)
        ShowFrequencyView(doc);
    if (prefs.m_bScaleAfterDesign)
        ScaleWithSettings(doc, dialogs);
    else
        doc.OnFilterChanged();
}

// ---- File menu -------------------------------------------------------------------------------

bool Import(CFirDoc& doc, CCommandDialogs& dialogs) {
    if (!ConfirmOverwrite(doc, CmdMsg::kImportingPrefix))
        return false;
    // Read into a copy: a cancelled dialog or a failed read leaves the filter as it was, with no
    // after-read steps.
    CFirData& filter = doc.Filter();
    CFirData read(filter);
    read.SetHost(&doc.Host());
    const int ok =
        doc.m_DataFiles.Import(CmdMsg::kImportTitle, read, doc.m_strTitle, doc.Host(),
                               [&](CDataFiles& files) { return dialogs.DataFiles(files); });
    if (!ok)
        return false;
    filter = read;
    filter.SetNumTaps(filter.GetN());
    double waveKHz = 0.0;
    if (GetWaveFs(doc.m_DataFiles.m_FormatI, waveKHz))
        filter.ApplyFs(CFs(waveKHz, 1));
    AfterRead(doc, dialogs);
    return true;
}

bool Export(CFirDoc& doc, CCommandDialogs& dialogs) {
    return ExportFiles(doc, dialogs) == EExportEnd::Written;
}

EExportEnd ExportFiles(CFirDoc& doc, CCommandDialogs& dialogs) {
    CDataFiles& files = doc.m_DataFiles;
    // The files of one export (both parts, a report and its pictures) are written whole or
    // not at all.
    CFileSetWrite set;
    bool accepted = false;
    const int written =
        files.Export(CmdMsg::kExportTitle, doc.Filter(), doc.m_strTitle, doc.Host(),
                     [&](CDataFiles& f) { return accepted = dialogs.DataFiles(f); });
    EExportEnd end = EExportEnd::Written;
    if (!written)
        end = accepted ? EExportEnd::NotWritten : EExportEnd::Cancelled;
    else if (files.m_FormatI.m_nFormat == kFormatHtml &&
             !dialogs.SaveReportPictures(doc, files.m_writtenFiles.front()))
        end = EExportEnd::NotFinished;
    else if (!set.CommitReported(doc.Host()))
        end = EExportEnd::NotFinished;
    if (end != EExportEnd::Written)
        files.m_writtenFiles.clear();
    return end;
}

// ---- FIR menu: settings ----------------------------------------------------------------------

bool SamplingFrequency(CFirDoc& doc, CCommandDialogs& dialogs) {
    doc.m_SampRate = doc.Filter().m_Fs;
    if (!dialogs.SamplingFrequency(doc.m_SampRate))
        return false;
    doc.Filter().ApplyFs(doc.m_SampRate);
    doc.OnSampleRateChanged();
    return true;
}

bool DesignOptions(CFirDoc& doc, CCommandDialogs& dialogs) {
    CFirData& filter = doc.Filter();
    const std::string fsBefore = filter.m_Fs.GetFsText();
    CDesignOptions options = GetDesignOptions(filter, doc.m_nDesignOptionsPage);
    for (;;) {
        if (!dialogs.DesignOptions(options))
            return false;
        if (ApplyDesignOptions(options, filter, doc.Host()))
            break;
    }
    doc.m_nDesignOptionsPage = options.m_nPage;
    KeepQuantBitsInFileOptions(doc);
    if (filter.m_Fs.GetFsText() != fsBefore)
        doc.OnSampleRateChanged();
    doc.SetModifiedFlag();
    return true;
}

bool MinimumDb(CFirDoc& doc, CCommandDialogs& dialogs) {
    double minDb = doc.Filter().m_dMinDb;
    if (!dialogs.MinimumDb(minDb))
        return false;
    doc.Filter().m_dMinDb = minDb;
    doc.OnFilterChanged();
    return true;
}

// ---- FIR menu: fills -------------------------------------------------------------------------

bool FillConstant(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    CCombFillSettings& s = doc.m_CombFill;
    if (!RunCheckedDialog(
            doc.Host(), s, [&](CCombFillSettings& v) { return dialogs.FillConstant(v); },
            [](CCombFillSettings& v) {
                ApplyOneOverN(v);
                return CheckFillConstantDialog(v);
            }))
        return false;
    if (!doc.Filter().FillCoefficients(s.m_nTaps, s.m_dConstant, WantsI(parts), WantsQ(parts)))
        return false;
    AfterRead(doc, dialogs);
    return true;
}

bool FillSine(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    if (!ConfirmOverwrite(doc, CmdMsg::kFillingSinePrefix))
        return false;
    CGenerateSettings& s = doc.m_Generate;
    if (!dialogs.Generate(s))
        return false;
    CFirData& filter = doc.Filter();
    {
        CBusyScope busy(doc.Host(), CmdMsg::kFillingWithSine);
        filter.RemoveAll();
        if (s.m_nRateMode == 1)
            GenerateCycles(filter, s.m_nSamples, WantsI(parts), WantsQ(parts), s.m_fCycles, 0.0);
        else
            Generate(filter, s.m_nSamples, WantsI(parts), WantsQ(parts), s.m_fFrequency, 0.0);
        filter.SetNumTaps(s.m_nSamples);
        filter.m_bDesignedFromSpec = 0;
    }
    AfterRead(doc, dialogs);
    return true;
}

// ---- FIR menu: operations on the coefficients ------------------------------------------------

bool Window(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    CFirData& filter = doc.Filter();
    if (filter.m_nWindow != -1 && !doc.Host().AskYesNo(CmdMsg::kAlreadyWindowed, EAnswer::Yes))
        return false;
    CWindowSettings& s = doc.m_Window;
    if (!dialogs.Window(s))
        return false;
    if (const std::string refusal = CheckWindowDialog(s); !refusal.empty()) {
        doc.Host().Error(refusal);
        return false;
    }
    {
        CBusyScope busy(doc.Host(), CmdMsg::kWindowing);
        ApplyWindow(filter, s.m_nCode, WindowParameter(s), WantsI(parts), WantsQ(parts));
        filter.m_bDesignedFromSpec = 0;
    }
    CoefficientsChanged(doc);
    return true;
}

bool Scale(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    CFirData& filter = doc.Filter();
    CScaleSettings& s = doc.m_Scale;
    bool scaled = false;
    if (dialogs.Scale(s, filter.m_Fs.GetFreqUnitName())) {
        const double target = s.m_bInDb ? std::pow(10.0, s.m_dTarget / 20.0) : s.m_dTarget;
        scaled = filter.ScaleFilter(WantsI(parts), s.m_bRound != 0, target, s.m_dFrequency,
                                    s.m_nMethod, WantsQ(parts));
    }
    // Notified after Cancel too.
    CoefficientsChanged(doc);
    return scaled;
}

bool Quantize(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    CQuantizeSettings& s = doc.m_Quantize;
    QuantOptions& record = doc.m_QuantDialog;
    s.m_bInphaseOnly = parts == EParts::Inphase ? 1 : 0;
    // Without a quadrature-only quantizer, the quadrature item quantizes both parts and the two
    // searches are offered only for the inphase part.
    if (!s.m_bInphaseOnly && s.m_nAlgorithm > 1)
        s.m_nAlgorithm = 0;
    // The dialog keeps its own word length and algorithm; the rest comes from the record.
    SQuantDialogValues shown = GetQuantDialogValues(record);
    shown.m_bQuantize = s.m_bQuantize;
    shown.m_nBits = s.m_nBits;
    shown.m_nAlgorithm = s.m_nAlgorithm;
    static_cast<SQuantDialogValues&>(s) = shown;
    if (!RunCheckedDialog(
            doc.Host(), s, [&](CQuantizeSettings& v) { return dialogs.Quantize(v); },
            [](const CQuantizeSettings& v) { return CheckQuantizeDialog(v); }))
        return false;
    // The record keeps its word length: only the design options set that.
    const int recordBits = record.m_nBits;
    record = QuantOptionsOf(s);
    record.m_nBits = recordBits;
    if (s.m_bSave)
        doc.m_DataFiles.SetWordLength(s.m_nBits);
    QuantOptions q; // the record's defaults but the dialog's word length and algorithm
    q.m_nBits = s.m_nBits;
    q.m_nAlgorithm = s.m_nAlgorithm;
    CFirData& filter = doc.Filter();
    // A cancelled search keeps the taps it has quantized: the undo point is taken either way.
    filter.Quantize(q);
    filter.TruncateEndZeros();
    CoefficientsChanged(doc);
    return true;
}

bool Mix(CFirDoc& doc, CCommandDialogs& dialogs) {
    CFirData& filter = doc.Filter();
    const double fs = filter.GetFs();
    const int n = filter.GetN();
    SMixSettings& s = doc.m_Mix.m_settings;
    ApplyMixDefaults(s, fs);
    for (;;) {
        if (!dialogs.Mix(s, n, fs))
            return false;
        if (CheckMixSettings(doc.Host(), s, fs))
            break;
    }
    const double f = MixFrequency(s, fs);
    Mix(filter, f, MixPhase(s, f, fs, n));
    filter.m_bDesignedFromSpec = 0;
    if (doc.Preferences().m_bScaleAfterMix)
        ScaleWithSettings(doc, dialogs);
    else
        CoefficientsChanged(doc);
    return true;
}

bool ZeroStuff(CFirDoc& doc, CCommandDialogs& dialogs) {
    CZeroPadSettings& s = doc.m_ZeroPad;
    if (!dialogs.ZeroPad(s))
        return false;
    CFirData& filter = doc.Filter();
    const bool stuffed = s.m_nStuff > 0 && filter.HasCoefficients();
    const int64_t n = filter.GetN();
    const int64_t length = (stuffed ? (n - 1) * (int64_t{s.m_nStuff} + 1) + 1 : n) +
                           std::max(s.m_nPrepend, 0) + std::max(s.m_nAppend, 0);
    if (length > kMaxProjectTaps) {
        doc.Host().Error(FormatMessage(CmdMsg::kTooManyTaps,
                                       {std::to_string(length), std::to_string(kMaxProjectTaps)}));
        return false;
    }
    {
        CBusyScope busy(doc.Host(), CmdMsg::kZeroStuffing);
        StuffZeros(filter, s.m_nStuff, s.m_bScaleFs != 0);
        if (s.m_nPrepend > 0)
            PrependZeros(filter, s.m_nPrepend);
        if (s.m_nAppend > 0)
            AppendZeros(filter, s.m_nAppend);
    }
    CoefficientsChanged(doc);
    if (stuffed && s.m_bScaleFs) {
        doc.UpdateAllViews(Notice::kSampleRate);
        doc.UpdateAllViews(Notice::kCoefficients);
    }
    return true;
}

bool Convolve(CFirDoc& doc, CCommandDialogs& dialogs) {
    CHost& host = doc.Host();
    SConvolveChoice choice;
    for (CFirDoc* other : CFirDoc::Documents()) {
        if (other != &doc && other->Filter().HasCoefficients()) {
            choice.titles.push_back(other->m_strTitle);
            choice.documents.push_back(other);
        }
    }
    if (!doc.Filter().HasCoefficients() || choice.documents.empty()) {
        host.Error(CmdMsg::kOnlyOneProject);
        return false;
    }
    for (;;) {
        if (!dialogs.Convolve(choice))
            return false;
        if (choice.selected >= 0 && choice.selected < static_cast<int>(choice.documents.size()))
            break;
        host.Error(CmdMsg::kSelectProject);
    }
    CFirData& filter = doc.Filter();
    const CFirData& other = choice.documents[static_cast<size_t>(choice.selected)]->Filter();
    double mine = 1.0, theirs = 1.0;
    const double fsMine = filter.GetFs(&mine) * mine;
    const double fsTheirs = other.GetFs(&theirs) * theirs;
    if (fsMine != fsTheirs && host.Ask(CmdMsg::kFsDiffer, false, EAnswer::Yes) != EAnswer::Yes)
        return false;
    Convolve(filter, other);
    CoefficientsChanged(doc);
    host.ShowMessage(FormatMessage(CmdMsg::kConvolvedTaps, {std::to_string(filter.GetN())}),
                     EMsgIcon::None);
    return true;
}

bool Truncate(CFirDoc& doc, CCommandDialogs& dialogs) {
    CTruncateSettings& s = doc.m_Truncate;
    if (!dialogs.Truncate(s))
        return false;
    const int n = Truncate(doc.Filter(), s.m_nMethod, s.m_nWhere, s.m_dValue);
    if (n < 1) {
        doc.Host().Notice(CmdMsg::kNotTruncated);
        return true;
    }
    CoefficientsChanged(doc);
    if (s.m_nMethod != TruncateQuantity)
        doc.Host().Notice(TruncatedMessage(n, s.m_nWhere == RemoveEachEnd));
    return true;
}

bool Polyphase(CFirDoc& doc, CCommandDialogs& dialogs) {
    CFirData& filter = doc.Filter();
    CPolyphaseSettings& s = doc.m_Polyphase;
    const int n = filter.GetN();
    if (!RunCheckedDialog(
            doc.Host(), s, [&](CPolyphaseSettings& v) { return dialogs.Polyphase(v); },
            [n](const CPolyphaseSettings& v) { return CheckPolyphaseDialog(v, n); }))
        return false;
    filter.SelectPolyphase(s.m_nPhase, s.m_nPhases, s.m_bScaleGain != 0, s.m_bScaleFs != 0);
    if (s.m_bScaleFs)
        doc.UpdateAllViews(Notice::kSampleRate);
    CoefficientsChanged(doc);
    return true;
}

bool MinPhase(CFirDoc& doc) {
    CFirData& filter = doc.Filter();
    // The leading zeros go first; the conversion works on a copy so that a refusal changes
    // nothing.
    CCorviData taps;
    taps.Copy(filter, filter.GetN());
    TruncateBelow(taps, RemoveBeginning, 0.0);
    if (taps.GetN() == 0)
        return false;
    const int n = taps.GetN();
    mvect h(std::vector<double>(taps.m_pI->begin(), taps.m_pI->begin() + n),
            std::vector<double>(taps.m_pQ->begin(), taps.m_pQ->begin() + n));
    if (!ConvertToMinPhaseAsking(doc.Host(), h))
        return false;
    TruncateBelow(filter, RemoveBeginning, 0.0);
    for (int i = 0; i < n; ++i) {
        (*filter.m_pI)[i] = h[static_cast<size_t>(i)].real();
        (*filter.m_pQ)[i] = h[static_cast<size_t>(i)].imag();
    }
    filter.m_bMinPhaseDone = 1;
    CoefficientsChanged(doc);
    return true;
}

bool Reverse(CFirDoc& doc) {
    doc.Filter().Columns().ReverseAll();
    CoefficientsChanged(doc);
    return true;
}

bool CopyIToQ(CFirDoc& doc) {
    CFirData& f = doc.Filter();
    CopyColumn(*f.m_pI, *f.m_pQ, f.GetN());
    f.m_bReal = 0;
    CoefficientsChanged(doc);
    return true;
}

bool CopyQToI(CFirDoc& doc) {
    CFirData& f = doc.Filter();
    CopyColumn(*f.m_pQ, *f.m_pI, f.GetN());
    f.m_bReal = 0;
    CoefficientsChanged(doc);
    return true;
}

bool SwapIQ(CFirDoc& doc) {
    CFirData& f = doc.Filter();
    f.m_pI->SwapValues(*f.m_pQ);
    f.m_bReal = 0;
    CoefficientsChanged(doc);
    return true;
}

bool CopyToClipboard(CFirDoc& doc) {
    doc.Filter().CopyToClipboard();
    return true;
}

bool Undo(CFirDoc& doc) {
    if (!doc.CanUndo())
        return false;
    doc.OnUndo();
    return true;
}

bool Redo(CFirDoc& doc) {
    if (!doc.CanRedo())
        return false;
    doc.OnRedo();
    return true;
}

} // namespace FirCommand
