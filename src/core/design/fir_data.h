#pragma once

#include "data/corvi_data.h"
#include "design/design_types.h"
#include "design/fir_params.h"
#include "design/ntaps_constraints.h"
#include "design/pm_band.h"
#include "design/pm_method.h"
#include "design/quant_options.h"
#include "design/remez/remez_engine.h"
#include "design/unquantized_copy.h"
#include "dsp/min_phase_options.h"
#include "response/fir_freq_response.h"
#include "support/archive.h"
#include "support/host.h"
#include "support/view_settings.h"

#include <string>
#include <vector>

class CDesignControl;
class CFieldReader;
class CFieldWriter;
class OptimizerState;

// One whole FIR filter design: the coefficients (I and Q of the signal), the tap count asked
// for, the design method, the parameters of every method and the design options. A running
// design's cancel request and counters are its CDesignControl's, handed to the steps that run.
// Messages go through the host given at construction.
class CFirData : public CCorviData {
public:
    // Version of the project stream that Serialize writes.
    static constexpr int kCurrentVersion = kProjectStreamVersion;
    // Smallest and largest tap counts a design may have.
    static constexpr int kMinTaps = 3;
    static constexpr int kMaxTaps = NTapsConstraints::kAbsMaxTaps;
    // Number of bands a new filter can hold.
    static constexpr int kDefaultBandCapacity = 32;

    explicit CFirData(CHost* pHost = nullptr);
    // Copies every archived field.
    CFirData(const CFirData& src);
    CFirData& operator=(const CFirData& src);
    ~CFirData() override = default;
    void CopyFrom(const CFirData& src);

    // ---- archive -------------------------------------------------------------------------
    using CCorviData::Serialize;
    // The signal, then the sections of the taps and options, raised cosine, windowed sinc,
    // Parks-McClellan bands, Lth band, maxflat and CIC parameters, as the version holds them;
    // the project's view settings that the file keeps among them are written from view.
    void Serialize(CArchiveWriter& ar, int nVersion, const SViewSettings& view) const;
    // Reads the same sections (the view settings into view); fields an older version does not
    // hold keep their defaults. On a short or unreadable stream throws CArchiveException and
    // leaves the filter and view unchanged.
    void Serialize(CArchiveReader& ar, int nVersion, SViewSettings& view);
    // The same with the views' default settings; those read are dropped.
    void Serialize(CArchiveWriter& ar, int nVersion) const override;
    void Serialize(CArchiveReader& ar, int nVersion) override;

    // ---- replaced signal operations ------------------------------------------------------
    // No bands and no coefficients.
    bool IsEmpty() const override;
    // Also empties the frequency response.
    void RemoveAll() override;
    // Multiplies Fs by factor and divides every band edge by it, so that the bands keep their
    // absolute frequencies.
    void ScaleFs(double factor) override;

    // ---- coefficient operations (coefficient_ops.cpp) -------------------------------------
    // Reference measures of ScaleFilter, in the order of the scale dialog.
    enum EScaleMethod {
        kScaleGainAtDc = 0,       // |H| at frequency 0
        kScaleGainAt = 1,         // |H| at the given frequency
        kScaleMaxCoefficient = 2, // largest (signed) coefficient
        kScaleSumAbs = 3,         // sum of coefficient magnitudes
        kScaleSumSquares = 4,     // sum of coefficient squares
        kScaleMultiply = 5        // 1: the target is the factor itself
    };
    // Multiplies I (scaleI) and Q (scaleQ, complex data only) by target / r, r the measure of
    // method (EScaleMethod) taken on I, Q or the complex response; freq in the unit of Fs (for
    // kScaleGainAt). round rounds the products to integers. Refused with a message when r is 0.
    bool ScaleFilter(bool scaleI, bool round, double target, double freq, int method, bool scaleQ);
    // When m_bUnityGain is set and m_dGainFreq >= 0: scales to gain 1 at m_dGainFreq. Returns
    // whether the coefficients were scaled.
    bool ScaleToUnityGain();
    // Removes all-zero taps at both ends, then pads the end with zeros up to a count that meets
    // the tap constraints; reports "The filter was truncated to N taps." and returns the net
    // number of taps removed (0, and the filter unchanged, when there is nothing to remove).
    int TruncateEndZeros();
    // When quantization is on and m_bTruncateZeros is set: TruncateEndZeros; else 0.
    int TruncateQuantizedZeros();
    // n taps of value in I (fillI) and/or Q (fillQ), the other column zero, after the question
    // whether n should be adjusted to meet the tap constraints (Cancel refuses: false, nothing
    // changed). The tap count becomes n; the filter no longer comes from its band list.
    bool FillCoefficients(int n, double value, bool fillI, bool fillQ);
    // Keeps every phases-th coefficient from phase on (values multiplied by phases when
    // scaleValues); with scaleFs, Fs is divided by phases and the band edges (fractions of Fs)
    // are multiplied by it. m_nTaps becomes the new count. False, nothing changed, for a phase
    // outside 0..phases-1.
    bool SelectPolyphase(int phase, int phases, bool scaleValues, bool scaleFs);

    // ---- quantization (quantization.cpp) --------------------------------------------------
    // Coefficient counts above this run a search quantization on the host's worker thread.
    static constexpr int kThreadedQuantizeTaps = 50;
    // Quantizes the coefficients to options.m_nBits-bit fractions with options.m_nAlgorithm, on
    // control (none: a control of its own). A search over more than kThreadedQuantizeTaps
    // coefficients started while no design runs on that control goes to the host's worker
    // thread with the "Quantize" status display. Sets the quantized marker. Not completed when
    // there is nothing to quantize, the bit count is off or out of range, or the search was
    // cancelled (the taps searched so far stay quantized: changed).
    SQuantizeResult Quantize(const QuantOptions& options, CDesignControl* control = nullptr);
    // The coefficients before the first of the quantizations that made the present ones; kept
    // with the project file (not in its archived sections) and stale after any other change.
    CUnquantizedCopy m_Unquantized;
    // Whether m_Unquantized describes the present coefficients.
    bool HasUnquantized() const { return m_Unquantized.Describes(*this); }
    // This filter with its unquantized coefficients instead of its own (when it has them).
    CFirData UnquantizedFilter() const;

    // ---- taps, design type ---------------------------------------------------------------
    // Stores the id, derives the kind and, the first time, fills the tap-count limits.
    void SetDesignType(int id);
    int GetMinTaps() const { return kMinTaps; }
    int GetMaxTaps() const { return kMaxTaps; }
    int GetNumTaps() const { return m_nTaps; }
    // n < 0 means the constraints' minimum; clears m_bMeetsSpec.
    void SetNumTaps(int n);
    bool HasCoefficients() const { return GetN() != 0; }
    // The coefficient count of an imported filter, m_nTaps otherwise.
    int GetListedNumTaps() const;
    // Multiplies every band edge (fraction of Fs) by factor, at most 0.5.
    void ScaleBandEdges(double factor);
    // Estimate for the Parks-McClellan and Lth-band kinds when their bands allow it, m_nTaps
    // otherwise; moved up onto the constraints when m_bConstrainEstimates is set.
    int EstimateNumTaps() const;
    // Steps after every engine run and after the other designs, on the control of the design.
    virtual void PostDesign(CDesignControl* control);

    // "Cannot design FIR with less than N taps." when GetNumTaps is below the minimum.
    bool CheckMinTaps();
    // Even count with a passband at Fs/2: asks whether to add a tap (Yes n+1, No n-1, Cancel
    // refuses), then sets max(count, minimum).
    bool AskOddTaps();

    // ---- designed taps ---------------------------------------------------------------------
    // The methods' routines are the registry's (design_method.h, one file per method); the
    // post-design steps and the gridded response are the driver's (FinishDesign).

    // The coefficients become taps (I) and zeros (Q): real time data at the filter's Fs, whole
    // range shown, no window; the gridded response is emptied.
    void LoadDesignedTaps(const std::vector<double>& taps);
    // The window-after-design flag as the method's editor sets it (it is not archived): on for
    // a windowed-sinc design and for an Lth-band design by the windowed-sinc method, else off.
    // For a design run from a loaded project without its editor.
    void SetWindowAfterDesignByMethod();

    // ---- Parks-McClellan band list -------------------------------------------------------
    // Empties the band list and sets response type, grid density and tap count.
    void ResetSpec(int responseType, int gridDensity, int taps);
    // Makes room for n bands (the list is emptied).
    void SetBandCapacity(int n);
    int GetNumBands() const { return static_cast<int>(m_Bands.size()); }
    int GetBandCapacity() const { return m_nBandCapacity; }
    // Appends a band. Edges in the unit of Fs when absFreq, else fractions of Fs; desired gain
    // in dB when gainInDb (below m_dMinDb: a stopband), else linear; attn (passband ripple or
    // stopband attenuation) and stopWeight in dB when attnInDb, else as linear 1/delta factors.
    // Refused with a message when the list is full, the band does not lie above the previous
    // one or a linear gain is negative.
    bool AddBand(bool attnInDb, bool absFreq, double lower, double upper, double desired,
                 double attn, double stopWeight, bool gainInDb);
    const std::vector<SPmBand>& Bands() const { return m_Bands; }
    const SPmBand& Band(int i) const { return m_Bands[static_cast<size_t>(i)]; }
    bool IsPassband(int i) const { return Band(i).IsPassband(); }
    // Desired gain for display: dB (-1000 for no gain) or linear.
    double GetBandGain(int i, bool inDb) const;
    // Ripple (passband, peak to peak) or attenuation (stopband) for display: dB or the factor.
    double GetBandAttn(int i, bool inDb) const;
    // Whether a passband reaches above 0.499999 of Fs.
    bool HasPassbandAtNyquist() const;

    // 4 without taps or bands, otherwise 1 + 2 / (widest band * taps).
    int GetRequiredGridDensity() const;
    // Raises the grid density to the required one, with a notice.
    void EnsureGridDensity();

    // Converts a lowpass (0), highpass (1), bandpass (2) or bandstop (3) specification to the
    // band list. e1, e2 and center in the unit of Fs (band widths for types 2 and 3), ripple and
    // atten in dB, stopWeight in dB.
    bool SetSimpleSpec(int taps, double e1, double ripple, double e2, double atten, double center,
                       double stopWeight, int gridDensity, int type);
    // The inverse, for display; false when the list is not a two- or three-band specification.
    bool GetSimpleSpec(int& taps, double& e1, double& ripple, double& e2, double& atten,
                       double& center, int& gridDensity, int& type) const;

    // ---- Parks-McClellan margins (pm_design.cpp) ------------------------------------------
    // Measured on the frequency response: the passband ripple (dB, peak to peak) or the
    // stopband attenuation (dB) the coefficients achieve in band i.
    double GetBandActual(int i);
    // How far band i is inside its specification (dB; negative: outside); -120 for no band and
    // for a passband without gain.
    double GetBandMargin(int i);
    // Smallest band margin; -120 without coefficients or bands. >= 0 meets the specification.
    double GetMargin();
    // Smallest stopband margin, at most 200; 0 without coefficients or bands.
    double GetStopbandMargin();

    // ---- design driver (design_driver.cpp) ------------------------------------------------
    // The tap count against the constraints' limits ("less than the minimum", "greater than the
    // maximum"), then the adjust question; false when refused or cancelled.
    bool CheckTapLimits();
    // For a requested count n that does not meet the constraints, asks whether to adjust it:
    // Yes moves n up onto them, No keeps it, Cancel refuses (false). Never asked for CIC.
    bool AskAdjustTaps(int& n);
    // Refuses (with its message) a tap count above kMaxTaps, whatever the constraints say.
    bool CheckTapMaximum(long long n);
    // Whether the method can estimate its tap count (the reason is shown when asked).
    bool CanEstimateNumTaps(bool showMessage) const;
    // Design flow: when taps is below the minimum and the method can estimate, asks "Too few
    // taps were specified.\nEstimate and design?"; Yes puts the estimate into taps. Returns
    // false when the design is to stop.
    bool AskEstimateTaps(int& taps);
    // CheckTapLimits (not for CIC), then the method's own checks.
    bool ValidateSpecs();
    // Runs the method's design (caption: the status display's title after "Designing "), then
    // FinishDesign, on control (none: a control of its own). Returns
    // whether the method's design succeeded; a design that quantization turned into zeros only
    // is reported and fails.
    bool DesignFilter(const std::string& caption, CDesignControl* control = nullptr);
    // Whether quantization is on and every coefficient is zero.
    bool QuantizedToZero() const;
    // Runs the method's optimisation, then FinishDesign; false when it could not start. The
    // optimiser's state is kept in *pState when given. On control (none: one of its own).
    bool OptimizeFilter(const std::string& caption, OptimizerState* pState = nullptr,
                        CDesignControl* control = nullptr);
    // Post-design steps, when there are coefficients: window, minimum phase, unity gain, the
    // post-design step of designs not made from the band list (on control).
    void FinishDesign(CDesignControl* control = nullptr);
    // Searches for the fewest taps that meet the band list's specification (odd counts only
    // when oddOnly or a passband reaches Fs/2) on the host's worker thread; the outcome is shown
    // as a message and as the status text. False when the specification cannot be optimised.
    bool Optimize(bool oddOnly, const std::string& caption);
    // The same, with the optimiser's state kept by the caller, on control (none: one of its
    // own).
    bool Optimize(OptimizerState& state, bool oddOnly, const std::string& caption,
                  CDesignControl* control = nullptr);

    // ---- fields --------------------------------------------------------------------------
    int m_nTaps = 0; // taps the next design uses
    int m_nDesignType = kDesignNone;
    int m_nKind = kKindParksMcClellan;
    int m_nReserved1 = 32;
    int m_bUnityGain = 1;      // after a design, scale to gain 1 at m_dGainFreq
    double m_dGainFreq = -1.0; // unit of Fs; negative: none
    MinPhaseOptions m_MinPhase;
    QuantOptions m_Quant;
    NTapsConstraints m_Constraints;
    int m_bMinPhaseDone = 0;
    int m_bMeetsSpec = 0;
    int m_nQuantAlgorithmRun = -1; // algorithm the last quantization ran (not archived)
    int m_nReserved5 = 1;
    CDataColumn m_RspFreqs; // frequencies of the response list, unit of Fs
    int m_bRspAuto = 1;
    CFirFreqResponse m_Response{this}; // gridded frequency response of the coefficients

    RaisedCosineParams m_Rc;
    WindowedSincParams m_Ws;

    int m_nResponseType = PmResponseType::Filter;
    int m_nGridDensity = 16;
    int m_bAttnInDb = 1;
    int m_bGainInDb = 0;
    double m_dMinDb = -120.0; // a desired gain in dB below this is a stopband
    int m_bDesignedFromSpec = 0;
    // Exchange engine of the Parks-McClellan designs: a setting of the session, copied with the
    // filter but not archived.
    ERemezEngine m_eRemezEngine = ERemezEngine::Auto;

    LthBandParams m_Lth;
    MaxflatParams m_Maxflat;
    CicParams m_Cic;
    bool m_bWindowAfterDesign = false;

protected:
    // Asks through the host; def without one.
    EAnswer AskHost(const std::string& text, bool withCancel, EAnswer def) const;
    // Shows a message through the host, if any.
    void Report(const std::string& text, EMsgIcon icon = EMsgIcon::Stop) const;

private:
    void StoreSections(CArchiveWriter& ar, int nVersion, const SViewSettings& view) const;
    void LoadSections(CArchiveReader& ar, int nVersion, SViewSettings& view);
    template <class Fields, class Self, class View>
    static void DescribeFields(Fields& f, Self& s, View& view);
    static void BandList(CFieldWriter& f, const CFirData& s);
    static void BandList(CFieldReader& f, CFirData& s);

    int m_nBandCapacity = kDefaultBandCapacity;
    std::vector<SPmBand> m_Bands;
};
