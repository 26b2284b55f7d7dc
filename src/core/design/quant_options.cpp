#include "design/quant_options.h"

#include "support/archive.h"

const SQuantAlgorithmInfo& QuantAlgorithmInfo(int code) {
    for (const SQuantAlgorithmInfo& info : kQuantAlgorithms)
        if (info.code == code)
            return info;
    return kQuantAlgorithms[0];
}

void QuantOptions::Store(CArchiveWriter& ar) const {
    ar.WriteInt32(m_nBits);
    ar.WriteInt32(m_bSaveInFileOptions);
    ar.WriteInt32(m_nAlgorithm);
    ar.WriteInt32(m_bTruncateZeros);
    ar.WriteInt32(m_nSearchLow);
    ar.WriteInt32(m_nSearchHigh);
}

void QuantOptions::Load(CArchiveReader& ar) {
    m_nBits = ar.ReadInt32();
    m_bSaveInFileOptions = ar.ReadInt32();
    m_nAlgorithm = ar.ReadInt32();
    m_bTruncateZeros = ar.ReadInt32();
    m_nSearchLow = ar.ReadInt32();
    m_nSearchHigh = ar.ReadInt32();
}
