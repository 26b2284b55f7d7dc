#pragma once

#include "doc/project_file.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_time_plot_model.h"
#include "plot/pole_zero_plot_model.h"
#include "views/plot_view.h"

// The frequency-response window of a document: magnitude, phase, unwrapped phase, phase delay
// or group delay of its filter's inphase, quadrature, both or complex coefficients. It binds to
// the filter at the first frequency binding notice (EChange::BindFreq) the document sends.
class CFirFreqPlot : public CPlotView {
    Q_OBJECT
public:
    CFirFreqPlot(CFirDoc& doc, QWidget* parent = nullptr);
    CGraph& Model() override { return m_model; }
    CFirFreqPlotModel& FreqModel() { return m_model; }
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;
    void SetChannel(int channel);
    void SetKind(int kind);

    // Compare With: the project's state before its last change (followed as the project
    // changes), a project file, or nothing; false when there is no such state or file.
    bool CompareWithPrevious();
    bool CompareWithProject(const std::string& path);
    void CompareWithNone();
    void SetDifference(bool on);

protected:
    void AddViewMenus(QMenu& menu) override;

private:
    enum class ECompare { None, Previous, Other };
    void AddCompareMenu(QMenu& menu);
    void ShowCompare(const std::string& name);
    CFirFreqPlotModel m_model;
    ECompare m_eCompare = ECompare::None;
    std::unique_ptr<CFirProject> m_pCompare; // the filter compared with, owned by the view
};

// The time-response window of a document: the impulse response, the step response or both,
// as any graph type. It binds at the first time binding notice (EChange::BindTime or
// BindStep) the document sends.
class CFirTimePlot : public CPlotView {
    Q_OBJECT
public:
    CFirTimePlot(CFirDoc& doc, QWidget* parent = nullptr);
    CGraph& Model() override { return m_model; }
    CFirTimePlotModel& TimeModel() { return m_model; }
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;
    void SetMode(int mode);
    void SetType(int type);
    void ToggleHistogram();

protected:
    void AddViewMenus(QMenu& menu) override;

private:
    CFirTimePlotModel m_model;
};

// The pole-zero window of a document: the zeros of its filter in the z-plane. It binds at the
// first notice the document sends and finds the zeros again when the coefficients change.
class CPoleZeroPlot : public CPlotView {
    Q_OBJECT
public:
    CPoleZeroPlot(CFirDoc& doc, QWidget* parent = nullptr);
    CGraph& Model() override { return m_model; }
    CPoleZeroPlotModel& ZerosModel() { return m_model; }
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;

protected:
    void AddViewMenus(QMenu& /*menu*/) override {}

private:
    CPoleZeroPlotModel m_model;
};

// A plot window of kind (EViewKind::Frequency, Time or PoleZero) for doc, bound by the next
// binding notice the document sends.
CPlotView* CreatePlotView(CFirDoc& doc, EViewKind kind, QWidget* parent = nullptr);
