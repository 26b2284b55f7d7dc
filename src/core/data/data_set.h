#pragma once

#include "data/data_column.h"

#include <memory>
#include <vector>

class CArchiveReader;
class CArchiveWriter;

// An ordered set of owned columns; a column keeps its address while others are added.
class CDataSet {
public:
    CDataSet() = default;
    CDataSet(const CDataSet&) = delete;
    CDataSet& operator=(const CDataSet&) = delete;

    // int32 column count, then each column.
    void Serialize(CArchiveWriter& ar) const;
    // Replaces the columns with the stored ones; on a short stream throws CArchiveException and
    // leaves the set unchanged.
    void Serialize(CArchiveReader& ar);
    // GetLength() is 0.
    bool IsEmpty() const;
    // Deletes every column.
    void RemoveAll();
    // Exchanges the columns with another set (column objects keep their addresses).
    void Swap(CDataSet& other) noexcept;

    // Appends a new empty column and returns it.
    CDataColumn* AddColumn();
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    CDataColumn* GetColumn(int i) { return m_columns[static_cast<size_t>(i)].get(); }
    const CDataColumn* GetColumn(int i) const { return m_columns[static_cast<size_t>(i)].get(); }
    // The smallest column size; 0 without columns.
    int GetLength() const;
    double GetValue(int column, int index) const { return GetColumn(column)->GetAt(index); }
    void Append(int column, double x) { GetColumn(column)->Add(x); }
    // Minimum of the column minima / maximum of the column maxima; 0.0 without columns.
    double GetMin() const;
    double GetMax() const;
    void ReverseAll();

private:
    std::vector<std::unique_ptr<CDataColumn>> m_columns;
};
