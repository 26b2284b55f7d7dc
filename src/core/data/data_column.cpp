#include "data/data_column.h"

#include "support/archive.h"

#include <algorithm>
#include <cmath>
#include <utility>

void CDataColumn::Reallocate(int capacity) {
    std::vector<double> grown(static_cast<size_t>(capacity));
    std::copy_n(m_data.begin(), std::min(m_nSize, capacity), grown.begin());
    m_data.swap(grown);
    m_nMaxSize = capacity;
}

void CDataColumn::SetSize(int n) {
    if (n <= 0) {
        std::vector<double>().swap(m_data);
        m_nSize = 0;
        m_nMaxSize = 0;
        return;
    }
    if (m_nMaxSize == 0)
        Reallocate(n);
    else if (n > m_nMaxSize)
        Reallocate(std::max(m_nMaxSize + kGrowBy, n));
    m_nSize = n;
}

void CDataColumn::Add(double x) {
    SetSize(m_nSize + 1);
    m_data[static_cast<size_t>(m_nSize - 1)] = x;
}

void CDataColumn::Copy(const CDataColumn& src) {
    if (&src == this)
        return;
    SetSize(src.m_nSize);
    std::copy(src.begin(), src.end(), begin());
}

void CDataColumn::CopyValues(CDataColumn& dst) const {
    std::copy_n(begin(), std::min(m_nSize, dst.m_nSize), dst.begin());
}

void CDataColumn::SwapValues(CDataColumn& other) {
    std::swap_ranges(begin(), begin() + std::min(m_nSize, other.m_nSize), other.begin());
}

void CDataColumn::Zero() {
    std::fill(begin(), end(), 0.0);
}

void CDataColumn::Reverse() {
    std::reverse(begin(), end());
}

void CDataColumn::RotateRight() {
    if (m_nSize > 1)
        std::rotate(begin(), end() - 1, end());
}

void CDataColumn::ZeroBelow(double t) {
    for (double& x : *this)
        if (std::fabs(x) < t)
            x = 0.0;
}

double CDataColumn::Min() const {
    return m_nSize == 0 ? 0.0 : *std::min_element(begin(), end());
}

double CDataColumn::Max() const {
    return m_nSize == 0 ? 0.0 : *std::max_element(begin(), end());
}

double CDataColumn::Sum() const {
    long double s = 0.0L;
    for (double x : *this)
        s += x;
    return static_cast<double>(s);
}

double CDataColumn::SumAbs() const {
    long double s = 0.0L;
    for (double x : *this)
        s += std::fabs(x);
    return static_cast<double>(s);
}

double CDataColumn::SumSquares() const {
    long double s = 0.0L;
    for (double x : *this)
        s += static_cast<long double>(x) * x;
    return static_cast<double>(s);
}

int CDataColumn::NearestIndex(double x) const {
    if (m_nSize == 0)
        return -1;
    int best = 0;
    double bestDist = std::fabs(m_data[0] - x);
    for (int i = 1; i < m_nSize; ++i) {
        const double d = std::fabs((*this)[i] - x);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

void CDataColumn::SortAscending() {
    std::stable_sort(begin(), end());
}

void CDataColumn::Symmetrize() {
    for (int i = 0, j = m_nSize - 1; i < j; ++i, --j) {
        const double mean = ((*this)[i] + (*this)[j]) / 2.0;
        (*this)[i] = mean;
        (*this)[j] = mean;
    }
}

void CDataColumn::RunningSum(const CDataColumn& src) {
    const int n = src.m_nSize;
    std::vector<double> sums(static_cast<size_t>(n));
    double acc = 0.0;
    for (int i = 0; i < n; ++i) {
        acc += src[i];
        sums[static_cast<size_t>(i)] = acc;
    }
    SetSize(n);
    std::copy(sums.begin(), sums.end(), begin());
}

void CDataColumn::Convolve(const CDataColumn& a, const CDataColumn& b) {
    const int na = a.m_nSize;
    const int nb = b.m_nSize;
    if (na == 0 || nb == 0) {
        SetSize(0);
        return;
    }
    std::vector<double> y(static_cast<size_t>(na) + static_cast<size_t>(nb) - 1, 0.0);
    for (int j = 0; j < na; ++j) {
        const double aj = a[j];
        double* out = y.data() + j;
        for (int k = 0; k < nb; ++k)
            out[k] += aj * b[k];
    }
    SetSize(static_cast<int>(y.size()));
    std::copy(y.begin(), y.end(), begin());
}

void CDataColumn::Serialize(CArchiveWriter& ar) const {
    ar.WriteInt32(m_nSize);
    for (double x : *this)
        ar.WriteDouble(x);
}

void CDataColumn::Serialize(CArchiveReader& ar) {
    const int32_t n = ar.ReadInt32();
    ar.CheckCount(n, 8);
    // The capacity is the one that appending the elements one by one would leave.
    const int capacity = n == 0 ? 0 : 1 + (n - 1 + kGrowBy - 1) / kGrowBy * kGrowBy;
    std::vector<double> storage(static_cast<size_t>(capacity));
    for (int i = 0; i < n; ++i)
        storage[static_cast<size_t>(i)] = ar.ReadDouble();
    m_data.swap(storage);
    m_nSize = n;
    m_nMaxSize = capacity;
}
