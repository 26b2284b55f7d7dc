#include "data/data_set.h"

#include "support/archive.h"

#include <algorithm>

void CDataSet::Serialize(CArchiveWriter& ar) const {
    ar.WriteInt32(static_cast<int32_t>(m_columns.size()));
    for (const auto& column : m_columns)
        column->Serialize(ar);
}

void CDataSet::Serialize(CArchiveReader& ar) {
    const int32_t count = ar.ReadInt32();
    ar.CheckCount(count, 4);
    std::vector<std::unique_ptr<CDataColumn>> columns;
    columns.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        columns.push_back(std::make_unique<CDataColumn>());
        columns.back()->Serialize(ar);
    }
    m_columns.swap(columns);
}

bool CDataSet::IsEmpty() const {
    return GetLength() == 0;
}

void CDataSet::RemoveAll() {
    m_columns.clear();
}

CDataColumn* CDataSet::AddColumn() {
    m_columns.push_back(std::make_unique<CDataColumn>());
    return m_columns.back().get();
}

int CDataSet::GetLength() const {
    if (m_columns.empty())
        return 0;
    int n = m_columns.front()->GetSize();
    for (const auto& column : m_columns)
        n = std::min(n, column->GetSize());
    return n;
}

double CDataSet::GetMin() const {
    if (m_columns.empty())
        return 0.0;
    double m = m_columns.front()->Min();
    for (const auto& column : m_columns)
        m = std::min(m, column->Min());
    return m;
}

double CDataSet::GetMax() const {
    if (m_columns.empty())
        return 0.0;
    double m = m_columns.front()->Max();
    for (const auto& column : m_columns)
        m = std::max(m, column->Max());
    return m;
}

void CDataSet::ReverseAll() {
    for (auto& column : m_columns)
        column->Reverse();
}

void CDataSet::Swap(CDataSet& other) noexcept {
    m_columns.swap(other.m_columns);
}
