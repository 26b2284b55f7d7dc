#pragma once

#include "doc/project_file.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_time_plot_model.h"
#include "plot/pole_zero_plot_model.h"
#include "views/plot_view.h"

// A plot window that can draw a second filter over its document's: the project's state before
// its last change (followed as the project changes), a project file, or nothing.
class CComparingPlotView : public CPlotView {
    Q_OBJECT
public:
    using CPlotView::CPlotView;

    // Compare With; false when there is no such state or file.
    bool CompareWithPrevious();
    // The coefficients before the quantization that made the present ones (followed as well).
    bool CompareWithUnquantized();
    bool CompareWithProject(const std::string& path);
    void CompareWithNone();

protected:
    // Shows other (nullptr: none) with the names of both in the model.
    virtual void ApplyCompare(const CFirData* other, const std::string& ownName,
                              const std::string& otherName) = 0;
    // Items after the choices of the Compare With menu.
    virtual void AddCompareOptions(QMenu& /*compare*/) {}
    void AddCompareMenu(QMenu& menu);
    // After a change of the project: the previous state and the unquantized coefficients move
    // on with it (or end the comparison when there are none).
    void FollowPrevious();
    bool Compares() const { return m_pCompare != nullptr; }

private:
    enum class ECompare { None, Previous, Unquantized, Other };
    void ShowCompare(const std::string& name);
    ECompare m_eCompare = ECompare::None;
    std::unique_ptr<CFirProject> m_pCompare; // the filter compared with, owned by the view
};

// The frequency-response window of a document: magnitude, phase, unwrapped phase, phase delay
// or group delay of its filter's inphase, quadrature, both or complex coefficients. It binds to
// the filter at the first frequency binding notice (EChange::BindFreq) the document sends.
class CFirFreqPlot : public CComparingPlotView {
    Q_OBJECT
public:
    CFirFreqPlot(CFirDoc& doc, QWidget* parent = nullptr);
    CGraph& Model() override { return m_model; }
    CFirFreqPlotModel& FreqModel() { return m_model; }
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;
    void SetChannel(int channel);
    void SetKind(int kind);
    void SetDifference(bool on);

protected:
    void AddViewMenus(QMenu& menu) override;
    void ApplyCompare(const CFirData* other, const std::string& ownName,
                      const std::string& otherName) override;
    void AddCompareOptions(QMenu& compare) override;

private:
    CFirFreqPlotModel m_model;
};

// The time-response window of a document: the impulse response, the step response or both,
// as any graph type. It binds at the first time binding notice (EChange::BindTime or
// BindStep) the document sends.
class CFirTimePlot : public CComparingPlotView {
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
    void ApplyCompare(const CFirData* other, const std::string& ownName,
                      const std::string& otherName) override;

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
