#pragma once

#include <complex>
#include <cstddef>
#include <initializer_list>
#include <vector>

// A complex double with the library's division, square root, overflow-safe absolute value and
// logarithm.
using mcplx = std::complex<double>;

// An ordered, growable array of values with value semantics.
template <class T> class mv_T {
public:
    using value_type = T;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    mv_T() = default;
    explicit mv_T(size_t n, const T& value = T()) : m_data(n, value) {}
    mv_T(std::initializer_list<T> values) : m_data(values) {}

    size_t size() const { return m_data.size(); }
    bool empty() const { return m_data.empty(); }
    T& operator[](size_t i) { return m_data[i]; }
    const T& operator[](size_t i) const { return m_data[i]; }
    T* data() { return m_data.data(); }
    const T* data() const { return m_data.data(); }
    iterator begin() { return m_data.begin(); }
    iterator end() { return m_data.end(); }
    const_iterator begin() const { return m_data.begin(); }
    const_iterator end() const { return m_data.end(); }

    void Append(const T& value) { m_data.push_back(value); }
    void Resize(size_t n, const T& value = T()) { m_data.resize(n, value); }
    void Clear() { m_data.clear(); }

    bool operator==(const mv_T& other) const = default;

protected:
    std::vector<T> m_data;
};

// A vector of complex samples, e.g. the taps h[k] = I[k] + j*Q[k] of a filter.
class mvect : public mv_T<mcplx> {
public:
    using mv_T<mcplx>::mv_T;
    mvect() = default;
    // Taps from real and imaginary parts; a shorter (or empty) imaginary part is padded with 0.
    explicit mvect(const std::vector<double>& re, const std::vector<double>& im = {});

    std::vector<double> Real() const;
    std::vector<double> Imag() const;
    // True when every element has an imaginary part of exactly 0.
    bool IsReal() const;
    // True when no element holds an infinity or a NaN.
    bool IsFinite() const;
    mcplx Sum() const;

    mvect& operator*=(mcplx factor);
    mvect& operator/=(mcplx divisor);
};
