#include "dialogs/qt_command_dialogs.h"

#include "dialogs/data_files_dialog.h"
#include "dialogs/design_options_sheet.h"
#include "dialogs/operation_dialog.h"
#include "dialogs/operation_dialogs.h"
#include "doc/fir_doc.h"
#include "editors/fir_editor.h"
#include "render/report_pictures.h"
#include "views/fir_plots.h"

bool CQtCommandDialogs::DataFiles(CDataFiles& files) {
    return RunModal(CDataFilesDialog(files, m_host, m_pParent));
}

bool CQtCommandDialogs::SamplingFrequency(CFs& fs) {
    return RunSampRateDialog(m_pParent, fs, m_host);
}

bool CQtCommandDialogs::DesignOptions(CDesignOptions& options) {
    return RunModal(CFirDesignOptionsSheet(options, m_host, m_pParent));
}

bool CQtCommandDialogs::MinimumDb(double& minDb) {
    return RunMinDbDialog(m_pParent, minDb, m_host);
}

bool CQtCommandDialogs::FillConstant(CCombFillSettings& s) {
    return RunCombFillDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Generate(CGenerateSettings& s) {
    return RunGenerateDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Window(CWindowSettings& s) {
    return RunWindowDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Scale(CScaleSettings& s, const std::string& unit) {
    return RunScaleDialog(m_pParent, s, unit, m_host);
}

bool CQtCommandDialogs::Quantize(CQuantizeSettings& s) {
    return RunQuantizeDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Mix(SMixSettings& s, int /*nTaps*/, double /*fs*/) {
    return RunMixDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::ZeroPad(CZeroPadSettings& s) {
    return RunZeroPadDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Convolve(SConvolveChoice& choice) {
    return RunConvolveDialog(m_pParent, choice, m_host);
}

bool CQtCommandDialogs::Truncate(CTruncateSettings& s) {
    return RunTruncateDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::Polyphase(CPolyphaseSettings& s) {
    return RunPolyphaseDialog(m_pParent, s, m_host);
}

bool CQtCommandDialogs::SaveReportPictures(CFirDoc& doc, const std::string& reportPath) {
    CFirEditor* editor = nullptr;
    CFirFreqPlot* freq = nullptr;
    CFirTimePlot* time = nullptr;
    for (CDocView* view : doc.Views()) {
        if (auto* e = dynamic_cast<CFirEditor*>(view))
            editor = e;
        else if (auto* f = dynamic_cast<CFirFreqPlot*>(view))
            freq = f;
        else if (auto* t = dynamic_cast<CFirTimePlot*>(view))
            time = t;
    }
    const CFirData& filter = doc.Filter();
    const SReportPictures pictures = {
        editor ? editor->CaptureImage() : ReportSummaryPicture(filter),
        freq ? freq->CaptureReportImage() : ReportPlotPicture(filter, doc.m_View, "magnitude"),
        time ? time->CaptureReportImage() : ReportPlotPicture(filter, doc.m_View, "impulse")};
    return WriteReportPictureFiles(pictures, reportPath, m_host);
}
