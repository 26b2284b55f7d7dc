#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <vector>

// The parts of the module corvifir; each adds its functions and classes to the module.
void BindRemez(pybind11::module_& m);
void BindResponses(pybind11::module_& m);
void BindDesigns(pybind11::module_& m);
void BindProject(pybind11::module_& m);

// NumPy arrays of doubles as the functions take them (any numeric sequence is converted).
using DoubleArray =
    pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;

inline std::vector<double> ToVector(const DoubleArray& a) {
    return std::vector<double>(a.data(), a.data() + a.size());
}

inline pybind11::array_t<double> ToArray(const std::vector<double>& v) {
    pybind11::array_t<double> out(static_cast<pybind11::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), out.mutable_data());
    return out;
}
