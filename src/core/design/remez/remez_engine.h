#pragma once

#include "design/remez/one_based_array.h"
#include "design/remez/pm_fir.h"
#include "design/remez/robust_exchange.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

// Outcome of a Parks-McClellan design. Only Success delivers coefficients.
enum class ERemezStatus {
    Success,
    BandStorage,         // band, desired, weight or impulse-response storage not available
    GridStorage,         // dense grid, extremal or coefficient storage not available
    InvalidArguments,    // nfilt < 3, nbands < 1, jtype outside 1..3, or a non-finite input
    GridTooSmall,        // one grid point or none left after the Fs/2 trim
    LagrangeNotFinite,   // a Lagrange coefficient of the reference set was not finite
    DeviationNotGrowing, // the levelled deviation did not grow from one pass to the next
    NotFinite,           // a grid value, the levelled response or a coefficient was not finite
    NotEquiripple,       // the long-filter exchange found no equiripple design
};

// Which exchange runs a design: Classic is the McClellan-Parks-Rabiner exchange, Robust the
// long-filter exchange (CRobustExchange); Auto runs the classical one and changes to the
// long-filter one when the classical one fails or its design is not equiripple on the grid.
enum class ERemezEngine { Auto, Classic, Robust };

// One band of a Parks-McClellan specification: edges as fractions of Fs (0 to 0.5), the
// desired value (linear gain; slope per unit of Fs for a differentiator) and the weight (linear
// 1/delta).
struct SRemezBand {
    double lower = 0.0;
    double upper = 0.0;
    double desired = 0.0;
    double weight = 1.0;
};

// What a Parks-McClellan design is asked for.
struct SRemezSpec {
    std::vector<SRemezBand> bands; // ascending, not overlapping
    // 1 filter (symmetric taps), 2 differentiator or 3 Hilbert (antisymmetric taps).
    int responseType = 1;
    int taps = 0;
    int gridDensity = 16; // grid points per extremal; 0 or less means 16
    ERemezEngine engine = ERemezEngine::Classic;
    // Supplies the desired response (EFF) and weight (WATE) at each grid frequency; null: the
    // plain CPmFir.
    const CPmFir* response = nullptr;
};

// What a running design shares with the job that runs it (both may be null): the exchange
// passes, counted from 0, and the cancel request another thread may set. A cancelled design
// delivers no coefficients.
struct SRemezJob {
    std::atomic<int>* iterations = nullptr;
    const std::atomic<int>* cancel = nullptr;
};

// The outcome of one Parks-McClellan design.
struct SRemezResult {
    ERemezStatus status = ERemezStatus::Success;
    std::vector<double> taps; // the coefficients; empty when the design failed or was cancelled
    // With NotFinite, the function whose result was not finite ("cos", or "Remez" for the
    // exchange itself); passed on to ReportMathError. Empty otherwise.
    std::string mathFunction;
    double deviation = 0.0; // weighted deviation (linear) of the last exchange pass
    int passes = 0;         // exchange passes started
    bool cancelled = false; // stopped because the cancel request was set
    bool reachedPassLimit = false;
    ERemezEngine usedEngine = ERemezEngine::Classic; // Classic or Robust
    // Frequencies (fractions of Fs) of the final extremal set, ascending.
    std::vector<double> extremals;

    bool Succeeded() const { return !taps.empty(); }
};

// Work storage and outcome of one Parks-McClellan design. Each thread designs with its own
// context, so designs on different threads never share state; a context may be reused for
// further designs on the same thread (its storage is kept).
class CRemezContext {
public:
    // Exchange passes after which the coefficients of the last pass are returned.
    static constexpr int kMaxPasses = 25;

    // McClellan-Parks-Rabiner equiripple design of spec.taps linear-phase taps (the long-filter
    // exchange as spec.engine says), reporting its passes to job and stopping at its cancel
    // request. The arguments are checked before anything is allocated (InvalidArguments).
    SRemezResult Design(const SRemezSpec& spec, const SRemezJob& job = {});

    // Largest weighted error of the last design's cosine polynomial on its dense grid; an
    // equiripple design keeps it within a hair of its deviation.
    double MaxGridError() const;
    // How the long-filter exchange of the last design ended (Converged when it did not run).
    EExchangeEnd LongExchangeEnd() const { return m_eLongEnd; }

    // The most memory (bytes) a dense grid may take; a larger one is refused (GridStorage) before
    // anything is allocated. By default the machine's physical memory.
    void SetGridMemoryLimit(std::size_t bytes) { m_nGridMemoryLimit = bytes; }

private:
    int PMFir(const double* edges, int nbands, const CPmFir& pmfir, int jtype, int nfilt, int lgrid,
              const double* desired, const double* weights);
    std::vector<double> ExtremalFrequencies() const;
    int PMFirOneBased(int lgrid, const CPmFir& pmfir, int jtype, int nfilt, int nbands);
    bool BuildGrid(int lgrid, const CPmFir& pmfir, int jtype, int nbands, int neg);
    void GridResponse(double f, int band, double& des, double& wt) const;
    double FirstBandStart() const;
    bool NeedsLongExchange();
    double GridError(const std::atomic<int>* cancel) const;
    void RunRobust(int nfilt);
    double Change(double f) const;
    bool TapsOnSpan(const CRobustExchange& exchange, int nfilt);
    void EquilibriumReference();
    void SetReference(std::vector<int>& reference);
    void ImpulseResponse(int nfilt, int neg, int nodd);
    struct SExchangeState;
    // How a scan for a larger error ended: found one, ran into its limit, or stopped after its
    // one step.
    enum class ESeek { Found, Exhausted, Stopped };
    void Remez();
    bool LevelPass(SExchangeState& s);
    bool MoveExtremal(SExchangeState& s);
    void StoreAbove(SExchangeState& s);
    bool StoreBelow(SExchangeState& s);
    bool SearchEnds(SExchangeState& s);
    ESeek Seek(int& l, int step, int limit, int nut, double& comp, bool once) const;
    void Climb(int& l, int step, int limit, int nut, double& comp) const;
    void Dee(int n, int m);
    double Gee(double xf) const;
    double Error(int l, int nut) const;
    void IFFT();
    bool CancelRequested() const { return m_pCancel != nullptr && m_pCancel->load() != 0; }
    // Every 256th step of a long loop looks at the cancel flag; true (and recorded) on a cancel.
    bool CancelledAtStep(int step) {
        if ((step & 255) == 0 && CancelRequested()) {
            m_bCancelled = true;
        }
        return m_bCancelled;
    }
    // The same for the loops over the dense grid, every kGridCancelStride-th point.
    bool GridCancelled(int j);
    void Fail(ERemezStatus status, const char* mathFunction = "");

    // Band storage.
    OneBasedArray<double> m_edge, m_fx, m_wtx, m_h;
    // Dense grid: frequencies (fractions of Fs), their cos(2*pi*f), desired values and weights.
    OneBasedArray<double> m_grid, m_xgrid, m_des, m_wt;
    OneBasedArray<int> m_iext;
    OneBasedArray<double> m_alpha;
    // Exchange scratch: transform, polynomial, Lagrange, abscissa and ordinate arrays.
    OneBasedArray<double> m_a, m_p, m_q, m_ad, m_x, m_y;
    std::vector<double> m_cosTable;
    // First and last grid index of each band; what the equivalent problem multiplies the
    // desired value and weight by (cos, sin of pi f or sin of 2 pi f, or none).
    std::vector<int> m_bandFirst, m_bandLast;
    const CPmFir* m_pPmFir = nullptr;
    int m_jtype = 1;
    int m_neg = 0;
    int m_nodd = 0;
    double m_delf = 0.0;
    ERemezEngine m_eEngine = ERemezEngine::Classic;
    ERemezEngine m_eUsedEngine = ERemezEngine::Classic;
    // Whether m_h already holds the taps (taken from the amplitude of a long-filter design on
    // the span of its bands).
    bool m_bTapsReady = false;
    // Reference frequencies of the last long-filter exchange (they may lie between grid points).
    std::vector<double> m_robustExtremals;
    EExchangeEnd m_eLongEnd = EExchangeEnd::Converged;

    int m_nfcns = 0;
    int m_ngrid = 0;
    bool m_bFailed = false;
    std::atomic<int>* m_pIterations = nullptr;
    const std::atomic<int>* m_pCancel = nullptr;

    ERemezStatus m_eStatus = ERemezStatus::Success;
    std::string m_strMathFunction;
    double m_dDeviation = 0.0;
    int m_nPasses = 0;
    bool m_bCancelled = false;
    bool m_bPassLimit = false;
    std::size_t m_nGridMemoryLimit = PhysicalMemory();

    static std::size_t PhysicalMemory();
};

// One design with a context of its own; see CRemezContext::Design.
SRemezResult DesignRemez(const SRemezSpec& spec, const SRemezJob& job = {});
