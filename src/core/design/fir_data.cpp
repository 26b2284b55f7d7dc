#include "design/fir_data.h"

#include "design/design_messages.h"
#include "support/archive.h"

#include <algorithm>
#include <string>

CFirData::CFirData(CHost* pHost) : CCorviData(pHost) {
    m_nMinSpan = 1;
}

CFirData::CFirData(const CFirData& src) : CFirData(src.GetHost()) {
    CopyFrom(src);
    m_nKind = src.m_nKind; // derived from the design type, not archived
    m_eRemezEngine = src.m_eRemezEngine;
}

CFirData& CFirData::operator=(const CFirData& src) {
    if (this != &src) {
        CopyFrom(src);
        m_nKind = src.m_nKind;
        m_eRemezEngine = src.m_eRemezEngine;
    }
    return *this;
}

void CFirData::CopyFrom(const CFirData& src) {
    CArchiveWriter out;
    src.StoreSections(out, kCurrentVersion);
    CArchiveReader in(out.Bytes());
    // The bins are not copied: a response that has them, or waits for them, is computed again
    // at its resolution when first needed; one that was never computed stays so.
    LoadSections(in, kCurrentVersion);
    if (src.m_Response.IsEmpty() && !src.m_Response.Pending())
        m_Response.RemoveAll();
}

void CFirData::Report(const std::string& text, EMsgIcon icon) const {
    if (CHost* host = GetHost())
        host->ShowMessage(text, icon);
}

// ---- archive --------------------------------------------------------------------------------

void CFirData::Serialize(CArchiveWriter& ar, int nVersion) const {
    StoreSections(ar, nVersion);
}

void CFirData::Serialize(CArchiveReader& ar, int nVersion) {
    // Read into a scratch filter first so that a short stream leaves this one as it was.
    CFirData scratch(GetHost());
    scratch.LoadSections(ar, nVersion);
    CopyFrom(scratch);
}

void CFirData::StoreSections(CArchiveWriter& ar, int nVersion) const {
    CCorviData::Serialize(ar, nVersion);

    if (nVersion > 5) {
        m_RspFreqs.Serialize(ar);
        ar.WriteInt32(m_bRspAuto);
    }
    if (nVersion > 8) {
        ar.WriteInt32(m_nCurveColor);
        ar.WriteInt32(m_nReserved5);
        ar.WriteUInt16(static_cast<uint16_t>(m_nDesignType));
        ar.WriteInt32(m_bMeetsSpec);
        ar.WriteInt32(0);
    }
    if (nVersion > 9) {
        ar.WriteInt32(0);
        ar.WriteInt32(m_nReserved1);
        ar.WriteInt32(m_bUnityGain);
    }
    if (nVersion > 16)
        ar.WriteInt32(m_bMinPhaseDone);
    m_Response.Serialize(ar, nVersion);
    if (nVersion > 16)
        m_MinPhase.Write(ar);
    if (nVersion >= 14) {
        m_Quant.Store(ar);
        m_Constraints.Store(ar);
    }

    m_Rc.Store(ar, nVersion);
    m_Ws.Store(ar, nVersion, m_nTaps);
    StoreBands(ar, nVersion);
    m_Lth.Store(ar, nVersion);
    m_Maxflat.Store(ar, nVersion);
    m_Cic.Store(ar, nVersion, m_bUnityGain);
}

void CFirData::LoadSections(CArchiveReader& ar, int nVersion) {
    CCorviData::Serialize(ar, nVersion);

    if (nVersion > 5) {
        m_RspFreqs.Serialize(ar);
        m_bRspAuto = ar.ReadInt32();
    }
    if (nVersion > 8) {
        m_nCurveColor = ar.ReadInt32();
        m_nReserved5 = ar.ReadInt32();
        m_nDesignType = ar.ReadUInt16();
        m_nKind = DesignKindOf(m_nDesignType); // the kind is not archived: it follows the type
        m_bMeetsSpec = ar.ReadInt32();
        ar.ReadInt32();
    }
    if (nVersion > 9) {
        ar.ReadInt32();
        m_nReserved1 = ar.ReadInt32();
        m_bUnityGain = ar.ReadInt32();
    }
    if (nVersion > 16)
        m_bMinPhaseDone = ar.ReadInt32();
    m_Response.Serialize(ar, nVersion);
    if (nVersion > 16)
        m_MinPhase.Read(ar);
    if (nVersion >= 14) {
        m_Quant.Load(ar);
        m_Constraints.Load(ar);
    }

    m_Rc.Load(ar, nVersion);
    m_Ws.Load(ar, nVersion, m_nTaps);
    LoadBands(ar, nVersion);
    m_Lth.Load(ar, nVersion);
    m_Maxflat.Load(ar, nVersion);
    m_Cic.Load(ar, nVersion, m_bUnityGain);
}

void CFirData::StoreBands(CArchiveWriter& ar, int nVersion) const {
    ar.WriteInt32(m_nResponseType);
    ar.WriteInt32(m_nGridDensity);
    ar.WriteInt32(m_nTaps);
    ar.WriteInt32(m_nBandCapacity);
    ar.WriteInt32(GetNumBands());
    for (int i = 0; i < GetNumBands(); ++i) {
        ar.WriteDouble(GetBandLower(i));
        ar.WriteDouble(GetBandUpper(i));
        ar.WriteDouble(GetBandDesired(i));
        ar.WriteDouble(GetBandAttnFactor(i));
        if (nVersion >= 10)
            ar.WriteDouble(GetBandStopWeight(i));
    }
    ar.WriteInt32(m_bGainInDb);
    ar.WriteInt32(m_bAttnInDb);
    ar.WriteDouble(m_dMinDb);
    ar.WriteInt32(m_bDesignedFromSpec);
}

void CFirData::LoadBands(CArchiveReader& ar, int nVersion) {
    m_nResponseType = ar.ReadInt32();
    m_nGridDensity = ar.ReadInt32();
    m_nTaps = ar.ReadInt32();
    const int capacity = ar.ReadInt32();
    if (capacity < 0)
        throw CArchiveException("Bad band capacity");
    SetBandCapacity(capacity);
    const int bands = ar.ReadInt32();
    if (bands < 0 || bands > capacity)
        throw CArchiveException("Bad band count");
    const size_t bandSize = nVersion >= 10 ? 5 * sizeof(double) : 4 * sizeof(double);
    ar.CheckCount(bands, bandSize);
    for (int i = 0; i < bands; ++i) {
        m_Edges.push_back(ar.ReadDouble());
        m_Edges.push_back(ar.ReadDouble());
        m_Desired.push_back(ar.ReadDouble());
        m_Attn.push_back(ar.ReadDouble());
        // Older files hold no stopband weight: take the neutral 1.0 ("none"), never 0.0, which
        // would silence the stopband when the stored design is run again.
        m_StopWeight.push_back(nVersion >= 10 ? ar.ReadDouble() : 1.0);
    }
    m_bGainInDb = ar.ReadInt32();
    m_bAttnInDb = ar.ReadInt32();
    m_dMinDb = ar.ReadDouble();
    m_bDesignedFromSpec = ar.ReadInt32();
}

// ---- replaced signal operations -------------------------------------------------------------

bool CFirData::IsEmpty() const {
    return GetNumBands() == 0 && GetN() == 0;
}

void CFirData::RemoveAll() {
    CCorviData::RemoveAll();
    m_Response.RemoveAll();
}

void CFirData::ScaleFs(double factor) {
    CCorviData::ScaleFs(factor);
    for (double& edge : m_Edges)
        edge /= factor;
}

// ---- taps, design type ----------------------------------------------------------------------

void CFirData::SetDesignType(int id) {
    m_nDesignType = id;
    m_nKind = DesignKindOf(id);
    if (m_Constraints.m_nAbsMin == 0) {
        m_Constraints.m_nAbsMin = kMinTaps;
        m_Constraints.m_nAbsMax = kMaxTaps;
    }
    if (m_Constraints.m_nMin == 0) {
        m_Constraints.m_nMin = kMinTaps;
        m_Constraints.m_nMax = kMaxTaps;
        if (m_nKind == kKindLthBand)
            m_Constraints.m_nParity = NTapsConstraints::kParityOdd;
    }
}

void CFirData::SetNumTaps(int n) {
    if (n < 0)
        n = m_Constraints.m_nMin;
    m_nTaps = n;
    m_bMeetsSpec = 0;
}

int CFirData::GetListedNumTaps() const {
    return m_nDesignType == kDesignImport ? GetN() : m_nTaps;
}

void CFirData::ScaleBandEdges(double factor) {
    for (double& edge : m_Edges)
        edge = std::min(edge * factor, 0.5);
}

int CFirData::EstimateNumTaps() const {
    int n = m_nTaps;
    if (m_nKind == kKindParksMcClellan || m_nKind == kKindLthBand)
        n = EstimatePmTaps();
    // Limits that were never filled (no design type set yet) would clamp every count to 0.
    const bool limitsSet = m_Constraints.m_nMax > 0;
    if (m_Constraints.m_bConstrainEstimates)
        m_Constraints.AdjustTaps(true, n, limitsSet);
    return n;
}

void CFirData::PostDesign(CDesignControl* control) {
    if (m_nDesignType == kDesignLthBand)
        LthFixup();
    if (m_Quant.m_nBits > 0)
        Quantize(m_Quant, control);
}

bool CFirData::CheckMinTaps() {
    if (GetNumTaps() >= m_Constraints.m_nMin)
        return true;
    Report(kMsgMinTapsPrefix + std::to_string(m_Constraints.m_nMin) + kMsgMinTapsSuffix);
    return false;
}

bool CFirData::AskOddTaps() {
    CHost* host = GetHost();
    const EAnswer answer =
        host ? host->Ask(kMsgAskOddTaps, true, EAnswer::Yes, EMsgIcon::Stop) : EAnswer::Yes;
    if (answer == EAnswer::Cancel)
        return false;
    const int n = answer == EAnswer::Yes ? GetNumTaps() + 1 : GetNumTaps() - 1;
    SetNumTaps(std::max(n, m_Constraints.m_nMin));
    return true;
}
