// remez (scipy.signal.remez's signature) and remez_design (the same design with what the exchange
// found: deviation, extremal frequencies, passes, engine and each band's margin).
#include "bindings.h"
#include "cancellable.h"

#include "design/remez/remez_engine.h"
#include "design/remez/remez_messages.h"
#include "dsp/fft.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <mutex>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

int RemezType(const std::string& type) {
    if (type == "bandpass")
        return 1;
    if (type == "differentiator")
        return 2;
    if (type == "hilbert")
        return 3;
    throw py::value_error("type must be 'bandpass', 'differentiator' or 'hilbert'");
}

ERemezEngine RemezEngine(const std::string& word) {
    const SRemezEngineName* name = FindRemezEngine(word);
    if (name == nullptr)
        throw py::value_error("engine must be 'auto', 'classic' or 'robust'");
    return name->engine;
}

const char* EngineWord(ERemezEngine engine) {
    for (const SRemezEngineName& name : kRemezEngineNames)
        if (name.engine == engine)
            return name.word;
    return "";
}

// What a failed design tells its caller.
std::string RemezFailure(ERemezStatus status) {
    const char* message = RemezStatusMessage(status);
    if (message != nullptr)
        return message;
    if (status == ERemezStatus::InvalidArguments)
        return "The band edges, desired values or weights are not a valid design.";
    return "The Remez exchange did not converge.";
}

// The engine's specification (edges as fractions of Fs) and the Fs the caller's numbers use.
struct SRemezRequest {
    SRemezSpec spec;
    double fs = 1.0;
};

SRemezRequest MakeRemezRequest(int numtaps, const DoubleArray& bands, const DoubleArray& desired,
                               const std::optional<DoubleArray>& weight, const std::string& type,
                               int gridDensity, std::optional<double> fs,
                               const std::string& engine) {
    SRemezRequest r;
    r.fs = fs.value_or(1.0);
    if (!(r.fs > 0.0) || !std::isfinite(r.fs))
        throw py::value_error("fs must be a positive number");
    const std::vector<double> edges = ToVector(bands);
    if (edges.empty() || edges.size() % 2 != 0)
        throw py::value_error("bands must hold an even number of band edges");
    const size_t nbands = edges.size() / 2;
    const std::vector<double> values = ToVector(desired);
    if (values.size() != nbands)
        throw py::value_error("desired must hold one value per band");
    const std::vector<double> weights =
        weight ? ToVector(*weight) : std::vector<double>(nbands, 1.0);
    if (weights.size() != nbands)
        throw py::value_error("weight must hold one value per band");
    for (size_t b = 0; b < nbands; ++b)
        r.spec.bands.push_back(
            {edges[2 * b] / r.fs, edges[2 * b + 1] / r.fs, values[b], weights[b]});
    r.spec.taps = numtaps;
    r.spec.responseType = RemezType(type);
    r.spec.gridDensity = gridDensity;
    r.spec.engine = RemezEngine(engine);
    return r;
}

// The context a design runs in. Designs of up to kKeptTaps taps share one kept context, so that
// repeated designs (a script's loop) reuse its storage instead of allocating and touching it
// afresh; a longer design, or one that finds the kept context in use by another thread, takes
// a context of its own (whose storage is freed after it).
class CContextLease {
public:
    static constexpr int kKeptTaps = 8191;

    explicit CContextLease(int taps) {
        static std::mutex mutex;
        if (taps <= kKeptTaps)
            m_lock = std::unique_lock<std::mutex>(mutex, std::try_to_lock);
    }
    CRemezContext& Context() {
        static CRemezContext kept;
        return m_lock.owns_lock() ? kept : m_own.emplace();
    }

private:
    std::unique_lock<std::mutex> m_lock;
    std::optional<CRemezContext> m_own;
};

// Runs the exchange (cancellable by Ctrl+C); a refusal raises ValueError, a failure
// RuntimeError, so only a design that succeeded returns.
SRemezResult RunRemez(const SRemezRequest& r, CRemezContext& context) {
    std::atomic<int> cancel{0};
    SRemezResult result = RunCancellable(cancel, [&] {
        return context.Design(r.spec, {nullptr, &cancel});
    });
    if (!result.Succeeded()) {
        if (result.status == ERemezStatus::InvalidArguments)
            throw py::value_error(RemezFailure(result.status));
        throw std::runtime_error(RemezFailure(result.status));
    }
    return result;
}

py::array_t<double> Remez(int numtaps, const DoubleArray& bands, const DoubleArray& desired,
                          const std::optional<DoubleArray>& weight, const std::string& type,
                          int /*maxiter: the exchange has its own pass limit*/, int gridDensity,
                          std::optional<double> fs, const std::string& engine) {
    const SRemezRequest r =
        MakeRemezRequest(numtaps, bands, desired, weight, type, gridDensity, fs, engine);
    CContextLease lease(r.spec.taps);
    return ToArray(RunRemez(r, lease.Context()).taps);
}

// |H(f)| of taps at f (fraction of Fs), summed directly.
double MagnitudeAt(const std::vector<double>& taps, double f) {
    std::complex<double> sum = 0.0;
    const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi * f);
    for (auto it = taps.rbegin(); it != taps.rend(); ++it)
        sum = sum * step + *it;
    return std::abs(sum);
}

// The largest of the sampled errors (the band's edges first and last, evenly spaced points
// between), each local maximum among the even points raised to the vertex of the parabola
// through it and its neighbours (the error is smooth near its peaks).
double PeakError(const std::vector<double>& e) {
    double worst = 0.0;
    for (size_t k = 0; k < e.size(); ++k) {
        double peak = e[k];
        if (k > 1 && k + 2 < e.size() && e[k] >= e[k - 1] && e[k] >= e[k + 1]) {
            const double curvature = 2.0 * e[k] - e[k - 1] - e[k + 1];
            if (curvature > 0.0)
                peak += (e[k - 1] - e[k + 1]) * (e[k - 1] - e[k + 1]) / (8.0 * curvature);
        }
        worst = std::max(worst, peak);
    }
    return worst;
}

// The largest weighted error of each band, || H(f) | - | D(f) || * W(f), at the band's edges and
// on a grid of 64 points per tap (at least 1024 in all) inside it, refined between grid points.
std::vector<double> BandErrors(const std::vector<double>& taps, const SRemezRequest& r,
                               const CPmFir& pmfir) {
    size_t n = 1024;
    while (n < 64 * taps.size())
        n *= 2;
    std::vector<std::complex<double>> padded(n);
    std::copy(taps.begin(), taps.end(), padded.begin());
    const std::vector<std::complex<double>> spectrum = FftForward(padded);
    std::vector<double> errors;
    const int jtype = r.spec.responseType;
    for (size_t b = 0; b < r.spec.bands.size(); ++b) {
        const SRemezBand& spec = r.spec.bands[b];
        const double lower = spec.lower, upper = spec.upper;
        const int band = static_cast<int>(b) + 1;
        const auto error = [&](double f, double magnitude) {
            const double d = pmfir.EFF(f, spec.desired, spec.weight, band, jtype);
            const double w = pmfir.WATE(f, spec.desired, spec.weight, band, jtype);
            return std::abs(magnitude - std::abs(d)) * w;
        };
        // A differentiator's weight grows without bound towards 0 Hz; the exchange leaves 0 out.
        std::vector<double> sampled;
        if (lower > 0.0 || jtype != 2)
            sampled.push_back(error(lower, MagnitudeAt(taps, lower)));
        const auto first = static_cast<size_t>(std::ceil(lower * static_cast<double>(n)));
        for (size_t k = std::max<size_t>(first, 1); k <= n / 2; ++k) {
            const double f = static_cast<double>(k) / static_cast<double>(n);
            if (f >= upper)
                break;
            if (f > lower)
                sampled.push_back(error(f, std::abs(spectrum[k])));
        }
        sampled.push_back(error(upper, MagnitudeAt(taps, upper)));
        errors.push_back(PeakError(sampled));
    }
    return errors;
}

// The outcome of remez_design.
struct SRemezDesign {
    py::array_t<double> taps;
    double deviation = 0.0;
    py::array_t<double> extremals;
    int iterations = 0;
    std::string engine;
    py::array_t<double> bandErrors;
    py::array_t<double> margins;
};

SRemezDesign RemezDesign(int numtaps, const DoubleArray& bands, const DoubleArray& desired,
                         const std::optional<DoubleArray>& weight, const std::string& type,
                         int gridDensity, std::optional<double> fs, const std::string& engine) {
    const SRemezRequest r =
        MakeRemezRequest(numtaps, bands, desired, weight, type, gridDensity, fs, engine);
    CContextLease lease(r.spec.taps);
    SRemezResult result = RunRemez(r, lease.Context());
    SRemezDesign d;
    d.taps = ToArray(result.taps);
    d.deviation = result.deviation;
    for (double& f : result.extremals)
        f *= r.fs;
    d.extremals = ToArray(result.extremals);
    d.iterations = result.passes;
    d.engine = EngineWord(result.usedEngine);
    const std::vector<double> errors = BandErrors(result.taps, r, CPmFir());
    std::vector<double> margins;
    for (double e : errors)
        margins.push_back(20.0 * std::log10(std::abs(d.deviation) / e));
    d.bandErrors = ToArray(errors);
    d.margins = ToArray(margins);
    return d;
}

constexpr const char* kRemezDoc =
    "remez(numtaps, bands, desired, *, weight=None, type='bandpass', maxiter=25, "
    "grid_density=16, fs=None, engine='auto') -> ndarray\n\n"
    "Equiripple (Parks-McClellan) FIR design with scipy.signal.remez's signature and result.\n\n"
    "bands are band edges in the units of fs (default 1.0, so 0 to 0.5); desired holds one gain "
    "per band (a slope for 'differentiator'); weight one weight per band. engine chooses the "
    "exchange: 'auto' (the classical exchange, and the long-filter exchange when it fails or is "
    "not equiripple, so designs of many thousand taps succeed), 'classic' or 'robust'. maxiter "
    "is accepted for compatibility; the exchange stops after 25 passes.\n\n"
    "The interpreter lock is released while the exchange runs and Ctrl+C cancels it "
    "(KeyboardInterrupt). Raises ValueError for arguments that are not a design and "
    "RuntimeError when the exchange fails; no failed design returns taps.";

constexpr const char* kRemezDesignDoc =
    "remez_design(numtaps, bands, desired, *, weight=None, type='bandpass', grid_density=16, "
    "fs=None, engine='auto') -> RemezDesign\n\n"
    "The design of remez() with what the exchange found: the taps, the levelled deviation, the "
    "extremal frequencies, the exchange passes, the engine whose result it is and, per band, the "
    "largest weighted error and the margin. Same arguments, cancellation and errors as remez().";

} // namespace

void BindRemez(py::module_& m) {
    py::class_<SRemezDesign>(m, "RemezDesign",
                             "The outcome of remez_design(): a successful equiripple design.")
        .def_readonly("taps", &SRemezDesign::taps, "The coefficients (float64 array).")
        .def_readonly("deviation", &SRemezDesign::deviation,
                      "The weighted deviation the exchange levelled (linear).")
        .def_readonly("extremal_frequencies", &SRemezDesign::extremals,
                      "The frequencies of the final extremal set, ascending, in the units of fs.")
        .def_readonly("iterations", &SRemezDesign::iterations, "Exchange passes run.")
        .def_readonly("engine", &SRemezDesign::engine,
                      "The exchange whose result this is: 'classic' or 'robust'.")
        .def_readonly("band_errors", &SRemezDesign::bandErrors,
                      "Per band, the largest weighted error ||H(f)| - |D(f)|| * W(f) found on "
                      "its edges and a grid of 64 points per tap, refined between its points.")
        .def_readonly("margins", &SRemezDesign::margins,
                      "Per band, 20*log10(deviation / band error) in dB: about 0 for an "
                      "equiripple design, below 0 where the response exceeds the deviation.")
        .def("__repr__", [](const SRemezDesign& d) {
            return "RemezDesign(taps=" + std::to_string(d.taps.size()) +
                   ", deviation=" + py::repr(py::float_(d.deviation)).cast<std::string>() +
                   ", iterations=" + std::to_string(d.iterations) + ", engine='" + d.engine + "')";
        });
    m.def("remez", &Remez, py::arg("numtaps"), py::arg("bands"), py::arg("desired"), py::kw_only(),
          py::arg("weight") = py::none(), py::arg("type") = "bandpass", py::arg("maxiter") = 25,
          py::arg("grid_density") = 16, py::arg("fs") = py::none(), py::arg("engine") = "auto",
          kRemezDoc);
    m.def("remez_design", &RemezDesign, py::arg("numtaps"), py::arg("bands"), py::arg("desired"),
          py::kw_only(), py::arg("weight") = py::none(), py::arg("type") = "bandpass",
          py::arg("grid_density") = 16, py::arg("fs") = py::none(), py::arg("engine") = "auto",
          kRemezDesignDoc);
}
