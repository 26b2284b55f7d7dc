#pragma once

#include "doc/operation_checks.h"
#include "dsp/operation_settings.h"

#include <string>
#include <vector>

class CDataFiles;
class CFirDoc;
class CFirProject;

// What the design options' OK does to the data file options: quantization that is on and asks
// to be saved in the file options gives its bit count to fixed-point exports.
void KeepQuantBitsInFileOptions(CFirProject& project);

// Which coefficients a command works on: the menu item's variant.
enum class EParts { Inphase, Quadrature, Complex };

// The commands of a project's menus whose items can be disabled or that take a variant.
enum class ECommand {
    Import,
    Export,
    SamplingFrequency,
    DesignOptions,
    MinimumDb,
    FillConstant,
    FillSine,
    Window,
    Scale,
    Quantize,
    Mix,
    ZeroStuff,
    Convolve,
    Truncate,
    Polyphase,
    MinPhase,
    Reverse,
    CopyIToQ,
    CopyQToI,
    SwapIQ,
    CopyToClipboard,
    Undo,
    Redo
};

// Why the menu item of cmd (variant parts) is disabled for doc; nullptr when it is enabled.
const char* CommandDisabledReason(const CFirDoc& doc, ECommand cmd, EParts parts = EParts::Inphase);
inline bool IsCommandEnabled(const CFirDoc& doc, ECommand cmd, EParts parts = EParts::Inphase) {
    return CommandDisabledReason(doc, cmd, parts) == nullptr;
}

// The choice of the "Convolve" dialog: the titles of the other projects with coefficients, in
// creation order, and the row chosen (-1 none).
struct SConvolveChoice {
    std::vector<std::string> titles;
    std::vector<CFirDoc*> documents;
    int selected = 0;
};

// The dialogs of the commands. Each shows its values (the document's remembered ones), lets the
// user change them and returns true for OK. The desktop shows real dialogs; the command line
// fills the values from its options. A dialog that is shown again in one command (after a
// refused value) may return false to end the command.
class CCommandDialogs {
public:
    virtual ~CCommandDialogs() = default;
    virtual bool DataFiles(CDataFiles& files) = 0;
    virtual bool SamplingFrequency(CFs& fs) = 0;
    virtual bool DesignOptions(CDesignOptions& options) = 0;
    virtual bool MinimumDb(double& minDb) = 0;
    virtual bool FillConstant(CCombFillSettings& s) = 0;
    virtual bool Generate(CGenerateSettings& s) = 0;
    virtual bool Window(CWindowSettings& s) = 0;
    // unit: the sampling frequency's unit, shown beside the "Gain at" frequency.
    virtual bool Scale(CScaleSettings& s, const std::string& unit) = 0;
    virtual bool Quantize(CQuantizeSettings& s) = 0;
    virtual bool Mix(SMixSettings& s, int nTaps, double fs) = 0;
    virtual bool ZeroPad(CZeroPadSettings& s) = 0;
    virtual bool Convolve(SConvolveChoice& choice) = 0;
    virtual bool Truncate(CTruncateSettings& s) = 0;
    virtual bool Polyphase(CPolyphaseSettings& s) = 0;
    // After an "HTML:Report" export: the pictures of the views beside the report. False when
    // one could not be written (reported).
    virtual bool SaveReportPictures(CFirDoc& /*doc*/, const std::string& /*reportPath*/) {
        return true;
    }
};

// How an export ended: its dialog was cancelled; no file could be written; the files were
// written but the export could not be finished (a report's pictures, putting the files in
// place), so none of them is kept; or every file is in place.
enum class EExportEnd { Cancelled, NotWritten, NotFinished, Written };

// The commands. Each checks that it applies, asks and reports through the document's host,
// runs its dialog, changes the filter and notifies (views, modified flag, undo point). Each
// returns whether it went through to the end (false: cancelled, refused or failed).
namespace FirCommand {
bool Import(CFirDoc& doc, CCommandDialogs& dialogs);
bool Export(CFirDoc& doc, CCommandDialogs& dialogs);
// Export, telling how it ended.
EExportEnd ExportFiles(CFirDoc& doc, CCommandDialogs& dialogs);
bool SamplingFrequency(CFirDoc& doc, CCommandDialogs& dialogs);
bool DesignOptions(CFirDoc& doc, CCommandDialogs& dialogs);
bool MinimumDb(CFirDoc& doc, CCommandDialogs& dialogs);
bool FillConstant(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts);
bool FillSine(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts);
bool Window(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts);
bool Scale(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts);
bool Quantize(CFirDoc& doc, CCommandDialogs& dialogs, EParts parts);
bool Mix(CFirDoc& doc, CCommandDialogs& dialogs);
bool ZeroStuff(CFirDoc& doc, CCommandDialogs& dialogs);
bool Convolve(CFirDoc& doc, CCommandDialogs& dialogs);
bool Truncate(CFirDoc& doc, CCommandDialogs& dialogs);
bool Polyphase(CFirDoc& doc, CCommandDialogs& dialogs);
bool MinPhase(CFirDoc& doc);
bool Reverse(CFirDoc& doc);
bool CopyIToQ(CFirDoc& doc);
bool CopyQToI(CFirDoc& doc);
bool SwapIQ(CFirDoc& doc);
bool CopyToClipboard(CFirDoc& doc);
bool Undo(CFirDoc& doc);
bool Redo(CFirDoc& doc);

// The scale command of the filter's kind: inphase for a real filter, complex otherwise.
bool ScaleWithSettings(CFirDoc& doc, CCommandDialogs& dialogs);
// After an import or a fill: the views the preferences ask for, scaling or OnFilterChanged, then
// the modified mark.
void AfterRead(CFirDoc& doc, CCommandDialogs& dialogs);
// After a design by the editor: no window marker, the views the preferences ask for, then
// scaling or OnFilterChanged.
void AfterDesign(CFirDoc& doc, CCommandDialogs& dialogs);
// Before a design or an optimisation of the document's filter: the Parks-McClellan exchange
// engine the preferences choose.
void BeforeDesign(CFirDoc& doc);
} // namespace FirCommand
