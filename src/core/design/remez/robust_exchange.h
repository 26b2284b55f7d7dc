#pragma once

#include <atomic>
#include <functional>
#include <vector>

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
// 2016): the trial polynomial is the barycentric Lagrange interpolant of the levelled values
// on the reference, turned into its Chebyshev series by a discrete cosine transform; the
// extrema of the weighted error are located band by band, on subintervals between the
// reference points, as the roots of the derivative of a low-degree Chebyshev interpolant of
// the error, and then placed on the grid point of largest error next to them; every extremum
// is exchanged in each pass. The grid stays the definition of the problem, so a design the
// classical exchange converges on comes out the same.
class CRobustExchange {
public:
    static constexpr int kMaxPasses = 100;

    // Runs the exchange from the reference iext[1..nfcns+1] (grid indices, ascending); on return
    // iext holds the final reference and alpha[1..nfcns] the cosine-series coefficients of the
    // last trial polynomial (alpha[nfcns+1] and alpha[nfcns+2] are set to 0). iterations is
    // incremented once per pass; a non-zero cancel stops the exchange at the next pass start.
    EExchangeEnd Run(const CExchangeProblem& problem, int* iext, double* alpha,
                     std::atomic<int>* iterations, const std::atomic<int>* cancel);

    // Levelled deviation of the last pass (linear, weighted).
    double Deviation() const { return m_dDeviation; }
    int Passes() const { return m_nPasses; }

private:
    struct SCandidate {
        int index; // grid index
        double error;
    };

    bool LevelReference(const std::vector<int>& reference, double& dev);
    bool ReferenceWeights();
    void TrialCoefficients(double dev);
    void TrialValues(const double* xs, double* ps, int count) const;
    void FindExtrema(const std::vector<int>& reference, std::vector<SCandidate>& candidates);
    void ProxyCriticalPoints(int band, double fa, double fb, std::vector<double>& points);
    void GridErrors(const std::vector<int>& indices, std::vector<double>& errors);
    bool ChooseReference(std::vector<SCandidate>& candidates, std::vector<int>& reference) const;
    void ExchangeLargest(const std::vector<SCandidate>& candidates,
                         std::vector<int>& reference) const;

    const CExchangeProblem* m_pProblem = nullptr;
    double m_dDeviation = 0.0;
    int m_nPasses = 0;
    // Reference abscissae, barycentric weights and levelled values; Chebyshev coefficients of
    // the trial polynomial; scratch of the transform and of the evaluations.
    std::vector<double> m_x, m_w, m_y, m_cheb;
    // Barycentric weights of the first nfcns reference points alone.
    std::vector<double> m_wNodes;
    // Whether the Chebyshev series evaluates the trial polynomial accurately enough.
    bool m_bSeriesAccurate = false;
    double m_dLargestWeight = 0.0;
    std::vector<double> m_values, m_xs, m_ps;
};

// Values of the Chebyshev series sum c[k] T_k(x), k = 0..degree, at count points (Clenshaw's
// recurrence, many points side by side).
void ChebyshevSeriesValues(const double* c, int degree, const double* x, double* out, int count);
