#include "design/fir_params.h"

#include "data/corvi_data.h"
#include "support/archive.h"

void RaisedCosineParams::Store(CArchiveWriter& ar, int version) const {
    if (version < 6)
        return;
    ar.WriteInt32(m_bLengthInTaps);
    ar.WriteDouble(m_dSymbols);
    ar.WriteDouble(m_dRolloff);
    ar.WriteInt32(m_bRateGiven);
    ar.WriteDouble(m_dSamplesPerSymbol);
    ar.WriteDouble(m_dSymbolRate);
    ar.WriteInt32(m_nRcTaps);
    if (version > 9)
        ar.WriteInt32(m_bRoot);
    ar.WriteInt32(m_bZeroPad);
    ar.WriteInt32(m_nZeroPadTaps);
}

void RaisedCosineParams::Load(CArchiveReader& ar, int version) {
    if (version < 6) {
        *this = RaisedCosineParams();
        return;
    }
    m_bLengthInTaps = ar.ReadInt32();
    m_dSymbols = ar.ReadDouble();
    m_dRolloff = ar.ReadDouble();
    m_bRateGiven = ar.ReadInt32();
    m_dSamplesPerSymbol = ar.ReadDouble();
    m_dSymbolRate = ar.ReadDouble();
    m_nRcTaps = ar.ReadInt32();
    if (version > 9)
        m_bRoot = ar.ReadInt32();
    m_bZeroPad = ar.ReadInt32();
    m_nZeroPadTaps = ar.ReadInt32();
}

void WindowedSincParams::Store(CArchiveWriter& ar, int version, int nTaps) const {
    if (version > 5) {
        ar.WriteInt32(nTaps);
        ar.WriteDouble(m_dWindowParam);
        ar.WriteInt32(m_nWindowType);
        ar.WriteInt32(m_nFilterType);
        ar.WriteDouble(m_dCorner1);
        ar.WriteDouble(m_dCorner2);
        if (version > 6) {
            ar.WriteInt32(m_nSplineOrder);
            ar.WriteInt32(m_bAutoOrder);
        }
    }
    if (version >= 10)
        ar.WriteDouble(m_dChebyParam);
}

void WindowedSincParams::Load(CArchiveReader& ar, int version, int& nTaps) {
    *this = WindowedSincParams();
    nTaps = 0;
    if (version > 5) {
        nTaps = ar.ReadInt32();
        m_dWindowParam = ar.ReadDouble();
        m_nWindowType = CCorviData::RemapWindowCode(ar.ReadInt32(), version);
        m_nFilterType = ar.ReadInt32();
        m_dCorner1 = ar.ReadDouble();
        m_dCorner2 = ar.ReadDouble();
        if (version > 6) {
            m_nSplineOrder = ar.ReadInt32();
            m_bAutoOrder = ar.ReadInt32();
        }
    }
    if (version >= 10)
        m_dChebyParam = ar.ReadDouble();
}

void LthBandParams::Store(CArchiveWriter& ar, int version) const {
    if (version < 7)
        return;
    ar.WriteDouble(m_dCutoff);
    ar.WriteInt32(m_nL);
    ar.WriteInt32(m_bZeroize);
    ar.WriteInt32(m_nLthMethod);
    ar.WriteInt32(m_bSpecifyAttn);
    ar.WriteDouble(m_dRipple);
    ar.WriteInt32(m_bRippleInDb);
    ar.WriteInt32(m_bAttnDb);
    ar.WriteDouble(m_dAttn);
}

void LthBandParams::Load(CArchiveReader& ar, int version) {
    *this = LthBandParams();
    if (version < 7)
        return;
    m_dCutoff = ar.ReadDouble();
    m_nL = ar.ReadInt32();
    m_bZeroize = ar.ReadInt32();
    m_nLthMethod = ar.ReadInt32();
    m_bSpecifyAttn = ar.ReadInt32();
    m_dRipple = ar.ReadDouble();
    m_bRippleInDb = ar.ReadInt32();
    m_bAttnDb = ar.ReadInt32();
    m_dAttn = ar.ReadDouble();
}

void MaxflatParams::Store(CArchiveWriter& ar, int version) const {
    if (version < 10)
        return;
    ar.WriteDouble(m_dBeta);
    ar.WriteDouble(m_dGamma);
    ar.WriteInt32(m_bGammaGiven);
}

void MaxflatParams::Load(CArchiveReader& ar, int version) {
    if (version < 10)
        return;
    m_dBeta = ar.ReadDouble();
    m_dGamma = ar.ReadDouble();
    m_bGammaGiven = ar.ReadInt32();
}

void CicParams::Store(CArchiveWriter& ar, int version, int unityGain) const {
    if (version < 10)
        return;
    ar.WriteInt32(m_nStages);
    ar.WriteInt32(m_nRate);
    ar.WriteInt32(m_nDelay);
    ar.WriteInt32(unityGain);
}

void CicParams::Load(CArchiveReader& ar, int version, int& unityGain) {
    if (version < 10)
        return;
    m_nStages = ar.ReadInt32();
    m_nRate = ar.ReadInt32();
    m_nDelay = ar.ReadInt32();
    unityGain = ar.ReadInt32();
}
