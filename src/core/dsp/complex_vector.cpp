#include "dsp/complex_vector.h"

#include <algorithm>
#include <cmath>

mvect::mvect(const std::vector<double>& re, const std::vector<double>& im) {
    m_data.resize(re.size());
    for (size_t k = 0; k < re.size(); ++k) {
        m_data[k] = mcplx(re[k], k < im.size() ? im[k] : 0.0);
    }
}

std::vector<double> mvect::Real() const {
    std::vector<double> out(m_data.size());
    std::transform(m_data.begin(), m_data.end(), out.begin(), [](mcplx z) { return z.real(); });
    return out;
}

std::vector<double> mvect::Imag() const {
    std::vector<double> out(m_data.size());
    std::transform(m_data.begin(), m_data.end(), out.begin(), [](mcplx z) { return z.imag(); });
    return out;
}

bool mvect::IsReal() const {
    return std::all_of(m_data.begin(), m_data.end(), [](mcplx z) { return z.imag() == 0.0; });
}

bool mvect::IsFinite() const {
    return std::all_of(m_data.begin(), m_data.end(),
                       [](mcplx z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); });
}

mcplx mvect::Sum() const {
    mcplx sum = 0.0;
    for (const mcplx& z : m_data) {
        sum += z;
    }
    return sum;
}

mvect& mvect::operator*=(mcplx factor) {
    for (mcplx& z : m_data) {
        z *= factor;
    }
    return *this;
}

mvect& mvect::operator/=(mcplx divisor) {
    for (mcplx& z : m_data) {
        z /= divisor;
    }
    return *this;
}
