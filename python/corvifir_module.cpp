// The Python module corvifir: the Remez exchange, frequency and group-delay responses and the
// window catalogue, with SciPy's signatures where SciPy has the function.
#include "design/remez/remez_engine.h"
#include "design/remez/remez_messages.h"
#include "dsp/windows.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <complex>
#include <future>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

std::vector<double> ToVector(const DoubleArray& a) {
    return std::vector<double>(a.data(), a.data() + a.size());
}

py::array_t<double> ToArray(const std::vector<double>& v) {
    py::array_t<double> out(static_cast<py::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), out.mutable_data());
    return out;
}

// Runs work on a thread of its own with the interpreter lock released, and looks for Ctrl+C
// every 50 ms; on one it sets cancel, waits for the work to stop and raises KeyboardInterrupt.
template <typename Work> auto RunCancellable(std::atomic<int>& cancel, Work work) {
    std::future<decltype(work())> result;
    {
        py::gil_scoped_release release;
        result = std::async(std::launch::async, work);
    }
    for (;;) {
        std::future_status status;
        {
            py::gil_scoped_release release;
            status = result.wait_for(std::chrono::milliseconds(50));
        }
        if (status == std::future_status::ready) {
            return result.get();
        }
        if (PyErr_CheckSignals() != 0) {
            cancel = 1;
            {
                py::gil_scoped_release release;
                result.wait();
            }
            throw py::error_already_set();
        }
    }
}

int RemezType(const std::string& type) {
    if (type == "bandpass") {
        return 1;
    }
    if (type == "differentiator") {
        return 2;
    }
    if (type == "hilbert") {
        return 3;
    }
    throw py::value_error("type must be 'bandpass', 'differentiator' or 'hilbert'");
}

ERemezEngine RemezEngine(const std::string& word) {
    const SRemezEngineName* name = FindRemezEngine(word);
    if (name == nullptr) {
        throw py::value_error("engine must be 'auto', 'classic' or 'robust'");
    }
    return name->engine;
}

// What a failed design tells its caller.
std::string RemezFailure(const CRemezContext& context) {
    const char* message = RemezStatusMessage(context.Status());
    if (message != nullptr) {
        return message;
    }
    if (context.Status() == ERemezStatus::InvalidArguments) {
        return "The band edges, desired values or weights are not a valid design.";
    }
    return "The Remez exchange did not converge.";
}

struct SRemezRequest {
    std::vector<double> edges; // fractions of Fs
    std::vector<double> desired;
    std::vector<double> weights;
    int taps = 0;
    int jtype = 1;
    int gridDensity = 16;
    ERemezEngine engine = ERemezEngine::Auto;
};

SRemezRequest MakeRemezRequest(int numtaps, const DoubleArray& bands, const DoubleArray& desired,
                               const std::optional<DoubleArray>& weight, const std::string& type,
                               int gridDensity, std::optional<double> fs,
                               const std::string& engine) {
    SRemezRequest r;
    const double rate = fs.value_or(1.0);
    if (!(rate > 0.0) || !std::isfinite(rate)) {
        throw py::value_error("fs must be a positive number");
    }
    r.edges = ToVector(bands);
    if (r.edges.empty() || r.edges.size() % 2 != 0) {
        throw py::value_error("bands must hold an even number of band edges");
    }
    for (double& edge : r.edges) {
        edge /= rate;
    }
    const size_t nbands = r.edges.size() / 2;
    r.desired = ToVector(desired);
    if (r.desired.size() != nbands) {
        throw py::value_error("desired must hold one value per band");
    }
    r.weights = weight ? ToVector(*weight) : std::vector<double>(nbands, 1.0);
    if (r.weights.size() != nbands) {
        throw py::value_error("weight must hold one value per band");
    }
    r.taps = numtaps;
    r.jtype = RemezType(type);
    r.gridDensity = gridDensity;
    r.engine = RemezEngine(engine);
    return r;
}

py::array_t<double> Remez(int numtaps, const DoubleArray& bands, const DoubleArray& desired,
                          const std::optional<DoubleArray>& weight, const std::string& type,
                          int maxiter, int gridDensity, std::optional<double> fs,
                          const std::string& engine) {
    (void)maxiter; // the exchange runs its own pass limit
    const SRemezRequest r =
        MakeRemezRequest(numtaps, bands, desired, weight, type, gridDensity, fs, engine);
    std::atomic<int> cancel{0};
    std::vector<double> taps(static_cast<size_t>(std::max(numtaps, 0)));
    CRemezContext context;
    context.SetEngine(r.engine);
    const CPmFir pmfir;
    const int ok = RunCancellable(cancel, [&] {
        return context.PMFir(r.edges.data(), static_cast<int>(r.desired.size()), pmfir, r.jtype,
                             r.taps, r.gridDensity, r.desired.data(), r.weights.data(), taps.data(),
                             nullptr, &cancel);
    });
    if (ok == 0) {
        if (context.Status() == ERemezStatus::InvalidArguments) {
            throw py::value_error(RemezFailure(context));
        }
        throw std::runtime_error(RemezFailure(context));
    }
    return ToArray(taps);
}

// Angular frequencies (radians per sample) at which to evaluate, from worN as SciPy reads it.
std::vector<double> AngularGrid(const py::object& worN, bool whole, double fs, bool& given) {
    std::vector<double> w;
    given = !py::isinstance<py::int_>(worN);
    if (!given) {
        const long n = worN.cast<long>();
        if (n < 1) {
            throw py::value_error("worN must be a positive number of points");
        }
        const double span = whole ? 2.0 * std::numbers::pi : std::numbers::pi;
        for (long k = 0; k < n; ++k) {
            w.push_back(span * static_cast<double>(k) / static_cast<double>(n));
        }
        return w;
    }
    w = ToVector(worN.cast<DoubleArray>());
    for (double& f : w) {
        f *= 2.0 * std::numbers::pi / fs;
    }
    return w;
}

// Sum of c[k] x^k by Horner's rule.
std::complex<double> Polynomial(const std::vector<double>& c, std::complex<double> x) {
    std::complex<double> sum = 0.0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) {
        sum = sum * x + *it;
    }
    return sum;
}

py::array_t<double> Frequencies(const std::vector<double>& w, double fs) {
    std::vector<double> f(w);
    for (double& x : f) {
        x *= fs / (2.0 * std::numbers::pi);
    }
    return ToArray(f);
}

py::tuple Freqz(const DoubleArray& b, const DoubleArray& a, const py::object& worN, bool whole,
                double fs) {
    bool given = false;
    const std::vector<double> w = AngularGrid(worN, whole, fs, given);
    const std::vector<double> num = ToVector(b), den = ToVector(a);
    py::array_t<std::complex<double>> h(static_cast<py::ssize_t>(w.size()));
    for (size_t k = 0; k < w.size(); ++k) {
        const std::complex<double> z = std::polar(1.0, -w[k]);
        h.mutable_data()[k] = Polynomial(num, z) / Polynomial(den, z);
    }
    return py::make_tuple(Frequencies(w, fs), h);
}

// Group delay (samples) of one polynomial at z = exp(-jw): Re(sum k c[k] z^k / sum c[k] z^k).
double PolynomialDelay(const std::vector<double>& c, std::complex<double> z) {
    std::vector<double> ramp(c.size());
    for (size_t k = 0; k < c.size(); ++k) {
        ramp[k] = static_cast<double>(k) * c[k];
    }
    const std::complex<double> sum = Polynomial(c, z);
    if (std::abs(sum) < 10.0 * std::numeric_limits<double>::epsilon()) {
        return 0.0;
    }
    return (Polynomial(ramp, z) / sum).real();
}

py::tuple GroupDelay(const py::tuple& system, const py::object& w, bool whole, double fs) {
    if (system.size() != 2) {
        throw py::value_error("system must be a (b, a) pair");
    }
    bool given = false;
    const std::vector<double> grid = AngularGrid(w, whole, fs, given);
    const std::vector<double> num = ToVector(system[0].cast<DoubleArray>());
    const std::vector<double> den = ToVector(system[1].cast<DoubleArray>());
    std::vector<double> gd(grid.size());
    for (size_t k = 0; k < grid.size(); ++k) {
        const std::complex<double> z = std::polar(1.0, -grid[k]);
        gd[k] = PolynomialDelay(num, z) - PolynomialDelay(den, z);
    }
    return py::make_tuple(Frequencies(grid, fs), ToArray(gd));
}

const SWindowInfo& WindowByWord(const std::string& word) {
    for (const SWindowInfo& info : kWindowCatalogue) {
        if (word == info.word) {
            return info;
        }
    }
    std::string known;
    for (const SWindowInfo& info : kWindowCatalogue) {
        known += std::string(known.empty() ? "" : ", ") + info.word;
    }
    throw py::value_error("unknown window '" + word + "' (one of " + known + ")");
}

py::array_t<double> Window(const std::string& name, int n, double parameter) {
    if (n < 1) {
        throw py::value_error("a window has at least one point");
    }
    const SWindowInfo& info = WindowByWord(name);
    return ToArray(ComputeWindow(static_cast<int>(info.code), parameter, n));
}

py::list WindowNames() {
    py::list names;
    for (const SWindowInfo& info : kWindowCatalogue) {
        names.append(info.word);
    }
    return names;
}

} // namespace

PYBIND11_MODULE(corvifir, m) {
    m.doc() = "CorviFIR: equiripple FIR design, responses and windows.";
    m.def("remez", &Remez, py::arg("numtaps"), py::arg("bands"), py::arg("desired"), py::kw_only(),
          py::arg("weight") = py::none(), py::arg("type") = "bandpass", py::arg("maxiter") = 25,
          py::arg("grid_density") = 16, py::arg("fs") = py::none(), py::arg("engine") = "auto",
          "Equiripple (Parks-McClellan) FIR design with scipy.signal.remez's signature.\n\n"
          "bands are edges in the units of fs (default 1.0); engine is 'auto' (classical "
          "exchange, long-filter exchange when it fails), 'classic' or 'robust'. The interpreter "
          "lock is released during the design and Ctrl+C cancels it. Raises ValueError for "
          "arguments that are not a design and RuntimeError when the exchange fails.");
    m.def("freqz", &Freqz, py::arg("b"), py::arg("a") = 1.0, py::arg("worN") = 512,
          py::arg("whole") = false, py::arg("fs") = 2.0 * std::numbers::pi,
          "Frequency response (w, h) with scipy.signal.freqz's signature.");
    m.def("group_delay", &GroupDelay, py::arg("system"), py::arg("w") = 512,
          py::arg("whole") = false, py::arg("fs") = 2.0 * std::numbers::pi,
          "Group delay (w, gd) in samples with scipy.signal.group_delay's signature.");
    m.def("window", &Window, py::arg("name"), py::arg("n"), py::arg("parameter") = 0.0,
          "The n weights of a window named as on the command line (see window_names()); "
          "parameter is gamma for 'dolph-chebyshev' and alpha for 'kaiser-bessel'.");
    m.def("window_names", &WindowNames, "The window words window() accepts.");
}
