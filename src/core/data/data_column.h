#pragma once

#include <cstddef>
#include <vector>

class CArchiveReader;
class CArchiveWriter;

// One growable array of doubles. Capacity grows in steps of 1024 elements and only shrinks when
// the size is set to 0.
class CDataColumn {
public:
    static constexpr int kGrowBy = 1024;

    CDataColumn() = default;
    virtual ~CDataColumn() = default;
    CDataColumn(const CDataColumn&) = delete;
    CDataColumn& operator=(const CDataColumn&) = delete;

    int GetSize() const { return m_nSize; }
    // Allocated element capacity.
    int GetMaxSize() const { return m_nMaxSize; }
    bool IsEmpty() const { return m_nSize == 0; }

    // n = 0 frees the storage; without storage exactly n elements are allocated; above the
    // capacity it grows to capacity + 1024 or n, whichever is larger, keeping the contents.
    // Elements that become valid keep whatever the storage held. Throws std::bad_alloc and then
    // leaves the column unchanged.
    void SetSize(int n);
    void Add(double x);

    double& operator[](int i) { return m_data[static_cast<size_t>(i)]; }
    double operator[](int i) const { return m_data[static_cast<size_t>(i)]; }
    double GetAt(int i) const { return m_data[static_cast<size_t>(i)]; }
    void SetAt(int i, double x) { m_data[static_cast<size_t>(i)] = x; }
    double* GetData() { return m_data.data(); }
    const double* GetData() const { return m_data.data(); }
    double* begin() { return m_data.data(); }
    double* end() { return m_data.data() + m_nSize; }
    const double* begin() const { return m_data.data(); }
    const double* end() const { return m_data.data() + m_nSize; }

    // Replaces the contents with those of src.
    void Copy(const CDataColumn& src);
    // Copies the first min(size, dst size) values into dst without resizing it.
    void CopyValues(CDataColumn& dst) const;
    // Exchanges the first min(size, other size) values.
    void SwapValues(CDataColumn& other);
    void Zero();
    void Reverse();
    // The last element moves to index 0, all others up by one.
    void RotateRight();
    // Elements with absolute value strictly below t become 0.
    void ZeroBelow(double t);
    // 0.0 for an empty column.
    double Min() const;
    double Max() const;
    // Sums accumulated in extended precision; 0.0 for an empty column.
    double Sum() const;
    double SumAbs() const;
    double SumSquares() const;
    // Index of the element closest to x, the first on ties; -1 when empty.
    int NearestIndex(double x) const;
    // Stable ascending sort.
    void SortAscending();
    // Each pair i, n-1-i becomes its mean.
    void Symmetrize();
    // this[i] = src[0] + ... + src[i].
    void RunningSum(const CDataColumn& src);
    // Full linear convolution of a and b into this (size(a) + size(b) - 1 values; empty when
    // either is empty). a or b may be this column.
    void Convolve(const CDataColumn& a, const CDataColumn& b);

    // int32 count, then each element as float64.
    virtual void Serialize(CArchiveWriter& ar) const;
    // Replaces the contents with the stored elements; on a short stream throws
    // CArchiveException and leaves the column unchanged.
    virtual void Serialize(CArchiveReader& ar);

private:
    void Reallocate(int capacity);

    std::vector<double> m_data; // m_data.size() is the capacity
    int m_nSize = 0;
    int m_nMaxSize = 0;
};
