#pragma once

#include <atomic>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class CFft;

// The weighted approximation problem on the dense grid as an exchange engine sees it. Arrays
// are one-based like the rest of the engine; the grid has already been turned into the
// equivalent cosine-polynomial problem (desired values and weights carry the cos/sin factor).
struct CExchangeProblem {
    const double* grid = nullptr;  // frequencies, fractions of Fs, ascending
    const double* xgrid = nullptr; // cos(2 pi grid)
    const double* des = nullptr;   // desired value of the polynomial at each grid point
    const double* wt = nullptr;    // weight at each grid point
    int ngrid = 0;
    int nfcns = 0;     // cosine terms; the polynomial in x = cos(2 pi f) has degree nfcns - 1
    double delf = 0.0; // grid spacing, fractions of Fs
    // First and last grid index of each band (one-based, ascending, bands never overlap).
    std::vector<int> bandFirst, bandLast;
    // An edge below the first band's first grid point where the grid cannot start (the
    // equivalent problem is a limit there), or NaN when the band starts at that point: the
    // exchange on the grid snaps a point there onto the grid, the exchange between grid points
    // keeps it.
    double firstBandStart = std::numeric_limits<double>::quiet_NaN();
    // Desired value and weight of the equivalent problem at any frequency f inside band b
    // (zero-based), computed exactly as for the grid points.
    std::function<void(double f, int b, double& des, double& wt)> response;
};

// How a run of the long-filter exchange ended.
enum class EExchangeEnd {
    Converged,
    PassLimit,
    Cancelled,
    LagrangeNotFinite,   // the barycentric weights of the reference were not finite
    DeviationNotGrowing, // the levelled deviation fell: the arithmetic has broken down
    NotFinite,           // a levelled value or a coefficient was not finite
    NoAlternation,       // fewer alternating extrema than reference points were found
};

// Remez exchange for polynomials of large degree (after Filip, "A robust and scalable
// implementation of the Parks-McClellan algorithm for designing FIR filters", ACM TOMS 43,
// 2016). The trial polynomial is the barycentric Lagrange interpolant of the levelled values on
// the reference, turned into its Chebyshev series by a discrete cosine transform. As
// T_k(cos 2 pi f) = cos(2 pi k f), that series is a cosine series in f, so one FFT gives the
// polynomial on a uniform frequency grid far denser than the extremal spacing; the extrema of the
// weighted error are bracketed there, band by band, and located by a parabola through the three
// samples around each, where the error is evaluated exactly (Clenshaw). Every extremum is
// exchanged in each pass, keeping one point per alternation.
//
// The exchange first solves the problem of the design grid (each extremum moved to the grid
// point of largest error next to it), so that where the classical exchange converges both give
// the same design. When that design rises between its grid points by more than kRefineTolerance
// of its deviation (extremal points crowd towards band edges beyond what the grid resolves), the
// exchange goes on with the extrema where they lie, to a design that is equiripple at every
// frequency of the bands.
class CRobustExchange {
public:
    static constexpr int kMaxPasses = 100;
    // Largest rise of the error between grid points, as a fraction of the deviation, that a
    // design on the grid may keep.
    static constexpr double kRefineTolerance = 1e-2;

    CRobustExchange();
    ~CRobustExchange();

    // Runs the exchange from the reference iext[1..nfcns+1] (grid indices, ascending); on return
    // alpha[1..nfcns] holds the cosine-series coefficients of the last trial polynomial
    // (alpha[nfcns+1] and alpha[nfcns+2] are set to 0) and iext the grid points of the final
    // reference (the nearest ones when the reference left the grid). iterations is incremented
    // once per pass; a non-zero cancel stops the exchange at the next pass start or within a
    // trial polynomial, and leaves alpha zero when no pass had finished.
    EExchangeEnd Run(const CExchangeProblem& problem, int* iext, double* alpha,
                     std::atomic<int>* iterations, const std::atomic<int>* cancel);

    // Levelled deviation of the last pass (linear, weighted).
    double Deviation() const { return m_dDeviation; }
    int Passes() const { return m_nPasses; }
    // Largest weighted error of the last trial polynomial over the bands: on the dense uniform
    // grid, at its located extrema and at the band edges.
    double LargestError() const { return m_dLargestError; }
    // Frequencies (fractions of Fs) of the final reference, ascending.
    const std::vector<double>& ReferenceFrequencies() const { return m_referenceF; }
    // Whether the final reference left the design grid.
    bool Refined() const { return m_bContinuous; }
    // Whether the last run took the trial polynomial's series on the span of the bands rather
    // than on [-1, 1]; its cosine series (alpha) may then be too large in an end gap to give
    // the taps accurately, and the taps are better taken from TrialValues.
    bool OnSpan() const { return m_bSpan; }
    // Values of the last trial polynomial at count abscissae x = cos(2 pi f).
    void TrialValues(const double* x, double* out, int count) const;

private:
    // A frequency of a band with the problem's data there and the error of the trial polynomial.
    struct SPoint {
        double f = 0.0;
        double x = 0.0; // cos(2 pi f)
        double des = 0.0;
        double wt = 0.0;
        double error = 0.0;
        int band = 0;
        int grid = 0; // grid index, 0 off the grid
    };

    void ChooseSpan();
    double ToSpan(double x) const;
    double FromSpan(double s) const;
    bool PrepareDense();
    SPoint GridPoint(int g, int band) const;
    SPoint FreePoint(double f, int band) const;
    bool LevelReference(double& dev);
    bool ReferenceWeights();
    bool CancelRequested() const { return m_pCancel != nullptr && m_pCancel->load() != 0; }
    // False when a cancel stopped the computation (the coefficients are then incomplete).
    bool TrialCoefficients();
    void SampleDense();
    void PointErrors(std::vector<SPoint>& points);
    void CosineSeries(double* alpha);
    double OutsideValue(double x) const;
    void LocateExtrema(std::vector<SPoint>& candidates);
    void OnGrid(std::vector<SPoint>& candidates);
    bool ChooseReference(std::vector<SPoint>& candidates, std::vector<SPoint>& next) const;
    void ExchangeLargest(const std::vector<SPoint>& candidates, std::vector<SPoint>& next) const;
    std::vector<int> BandCounts(const std::vector<SPoint>& reference) const;
    double LevelledDeviation(const std::vector<SPoint>& reference);
    bool OntoGrid(std::vector<SPoint>& points) const;
    std::vector<double> BandPlaces(const std::vector<SPoint>& reference, std::size_t begin,
                                   std::size_t end) const;
    std::vector<SPoint> Respread(const std::vector<SPoint>& reference,
                                 const std::vector<int>& counts) const;
    void ExtendBandMove(std::vector<SPoint>& next);
    bool NextReference(std::vector<SPoint>& candidates, std::vector<SPoint>& next,
                       bool& alternating) const;

    const CExchangeProblem* m_pProblem = nullptr;
    const std::atomic<int>* m_pCancel = nullptr;
    double m_dDeviation = 0.0;
    double m_dLargestError = 0.0;
    int m_nPasses = 0;
    bool m_bContinuous = false;
    std::vector<SPoint> m_reference;
    std::vector<double> m_referenceF;
    // Reference abscissae, barycentric weights and levelled values; Chebyshev coefficients of
    // the trial polynomial; the nfcns reference points that define it, with their barycentric
    // weights and levelled values.
    std::vector<double> m_x, m_w, m_y, m_cheb, m_xNodes, m_wNodes, m_yNodes;
    // The factor C and the power of two top of the barycentric weights (see ReferenceWeights),
    // of the reference and of the nodes.
    double m_dWeightScale = 1.0;
    double m_dNodeScale = 1.0;
    int m_nWeightTop = 0;
    int m_nNodeTop = 0;
    // The interval [m_xLo, m_xHi] of x = cos(2 pi f) that the trial polynomial's Chebyshev
    // series is taken on: [-1, 1], or, when a band ends far from 0 or Fs/2 (m_bSpan), the span
    // of the bands, so that the series never extrapolates over the gap at the end.
    bool m_bSpan = false;
    double m_xLo = -1.0;
    double m_xHi = 1.0;
    // Dense grid uniform in the angle of the series' variable, s_j = cos(pi j / L), j = 0..L
    // (f_j = j / (2 L) on [-1, 1]): its frequencies, the trial polynomial there, and the desired
    // value and weight at the points inside a band (first and last index per band).
    int m_nDense = 0;
    std::vector<double> m_denseF, m_denseP, m_denseDes, m_denseWt;
    std::vector<int> m_denseFirst, m_denseLast;
    std::unique_ptr<CFft> m_pDenseFft, m_pDctFft;
    std::vector<double> m_xs, m_ps;
};

// Values of the Chebyshev series sum c[k] T_k(x), k = 0..degree, at count points (Clenshaw's
// recurrence, many points side by side).
void ChebyshevSeriesValues(const double* c, int degree, const double* x, double* out, int count);
