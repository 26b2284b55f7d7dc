#pragma once

#include "data/data_column.h"

#include <memory>
#include <string>
#include <vector>

class CArchiveReader;
class CArchiveWriter;

// An ordered set of owned columns with a name; a column keeps its address while others are
// added.
class CDataSet {
public:
    CDataSet() = default;
    virtual ~CDataSet() = default;
    CDataSet(const CDataSet&) = delete;
    CDataSet& operator=(const CDataSet&) = delete;

    // Name, int32 column count, then each column.
    virtual void Serialize(CArchiveWriter& ar) const;
    // Replaces name and columns with the stored ones; on a short stream throws
    // CArchiveException and leaves the set unchanged.
    virtual void Serialize(CArchiveReader& ar);
    virtual bool IsEmpty() const;
    // Deletes every column.
    virtual void RemoveAll();

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

    std::string m_strName;

protected:
    // Called after the columns were replaced by a load; derived sets rebind their pointers.
    virtual void OnColumnsReplaced() {}
    // Exchanges name and columns with another set (column objects keep their addresses).
    void SwapDataSet(CDataSet& other) noexcept;

    std::vector<std::unique_ptr<CDataColumn>> m_columns;
};
