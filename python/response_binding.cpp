// freqz and group_delay with SciPy's signatures and results, and the window catalogue.
#include "bindings.h"

#include "dsp/windows.h"

#include <pybind11/stl.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

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

void BindResponses(py::module_& m) {
    m.def("freqz", &Freqz, py::arg("b"), py::arg("a") = 1.0, py::arg("worN") = 512,
          py::arg("whole") = false, py::arg("fs") = 2.0 * std::numbers::pi,
          "freqz(b, a=1, worN=512, whole=False, fs=2*pi) -> (w, h)\n\n"
          "Frequency response with scipy.signal.freqz's signature and result: worN points from 0 "
          "up to fs/2 (fs with whole=True), or the frequencies given in the units of fs.");
    m.def("group_delay", &GroupDelay, py::arg("system"), py::arg("w") = 512,
          py::arg("whole") = false, py::arg("fs") = 2.0 * std::numbers::pi,
          "group_delay(system, w=512, whole=False, fs=2*pi) -> (w, gd)\n\n"
          "Group delay in samples of system = (b, a) with scipy.signal.group_delay's signature "
          "and result.");
    m.def("window", &Window, py::arg("name"), py::arg("n"), py::arg("parameter") = 0.0,
          "window(name, n, parameter=0.0) -> ndarray\n\n"
          "The n weights of a window named as on the command line (see window_names()); "
          "parameter is gamma for 'dolph-chebyshev' and alpha for 'kaiser-bessel'.");
    m.def("window_names", &WindowNames,
          "window_names() -> list[str]\n\nThe window names window() accepts.");
}
