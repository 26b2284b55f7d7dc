#include "design/fir_data.h"

#include "design/design_messages.h"
#include "design/design_method.h"
#include "design/design_summary.h"
#include "design/lth_band.h"
#include "support/archive_fields.h"

#include <algorithm>
#include <string>

CFirData::CFirData(CHost* pHost) : CCorviData(pHost) {
    RegisterHtmlReport();
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
    SViewSettings view;
    src.StoreSections(out, kCurrentVersion, view);
    CArchiveReader in(out.Bytes());
    // The bins are not copied: a response that has them, or waits for them, is computed again
    // at its resolution when first needed; one that was never computed stays so.
    LoadSections(in, kCurrentVersion, view);
    if (src.m_Response.IsEmpty() && !src.m_Response.Pending())
        m_Response.RemoveAll();
    m_Unquantized = src.m_Unquantized;
}

void CFirData::Report(const std::string& text, EMsgIcon icon) const {
    if (CHost* host = GetHost())
        host->ShowMessage(text, icon);
}

// ---- archive --------------------------------------------------------------------------------

void CFirData::Serialize(CArchiveWriter& ar, int nVersion, const SViewSettings& view) const {
    StoreSections(ar, nVersion, view);
}

void CFirData::Serialize(CArchiveReader& ar, int nVersion, SViewSettings& view) {
    // Read into a scratch filter first so that a short stream leaves this one as it was.
    CFirData scratch(GetHost());
    SViewSettings scratchView;
    scratch.LoadSections(ar, nVersion, scratchView);
    CopyFrom(scratch);
    view = scratchView;
}

void CFirData::Serialize(CArchiveWriter& ar, int nVersion) const {
    Serialize(ar, nVersion, SViewSettings());
}

void CFirData::Serialize(CArchiveReader& ar, int nVersion) {
    SViewSettings dropped;
    Serialize(ar, nVersion, dropped);
}

// The filter's sections after the signal's, in file order: the one list that writes and reads
// them (support/archive_fields.h). A field added to the file goes at the end with its version.
template <class Fields, class Self, class View>
void CFirData::DescribeFields(Fields& f, Self& s, View& view) {
    f.Object(s.m_RspFreqs, 6);
    f.Int32(s.m_bRspAuto, 6);
    f.Int32(view.m_nCurveColor, 9);
    f.Int32(s.m_nReserved5, 9);
    f.UInt16(s.m_nDesignType, 9);
    f.Int32(s.m_bMeetsSpec, 9);
    f.Unused(9);
    f.Unused(10);
    f.Int32(s.m_nReserved1, 10);
    f.Int32(s.m_bUnityGain, 10);
    f.Int32(s.m_bMinPhaseDone, 17);
    f.Versioned(s.m_Response);
    f.Record(s.m_MinPhase, 17);
    f.Record(s.m_Quant, 14);
    f.Record(s.m_Constraints, 14);
    f.Record(s.m_Rc);
    f.Int32(s.m_nTaps, 6); // opens the windowed-sinc section
    f.Record(s.m_Ws);
    f.Int32(s.m_nResponseType);
    f.Int32(s.m_nGridDensity);
    f.Int32(s.m_nTaps);
    BandList(f, s);
    f.Int32(s.m_bGainInDb);
    f.Int32(s.m_bAttnInDb);
    f.Double(s.m_dMinDb);
    f.Int32(s.m_bDesignedFromSpec);
    f.Record(s.m_Lth);
    f.Record(s.m_Maxflat);
    f.Record(s.m_Cic);
    f.Int32(s.m_bUnityGain, 10); // the CIC section's copy, the one a reader keeps
}

void CFirData::StoreSections(CArchiveWriter& ar, int nVersion, const SViewSettings& view) const {
    CCorviData::Serialize(ar, nVersion);
    CFieldWriter fields(ar, nVersion);
    DescribeFields(fields, *this, view);
}

void CFirData::LoadSections(CArchiveReader& ar, int nVersion, SViewSettings& view) {
    CCorviData::Serialize(ar, nVersion);
    CFieldReader fields(ar, nVersion);
    DescribeFields(fields, *this, view);
    m_nKind = DesignKindOf(m_nDesignType); // the kind is not archived: it follows the type
}

void CFirData::BandList(CFieldWriter& f, const CFirData& s) {
    f.Archive().WriteInt32(s.m_nBandCapacity);
    f.Archive().WriteInt32(s.GetNumBands());
    for (const SPmBand& band : s.m_Bands)
        f.Record(band);
}

void CFirData::BandList(CFieldReader& f, CFirData& s) {
    CArchiveReader& ar = f.Archive();
    const int capacity = ar.ReadInt32();
    if (capacity < 0)
        throw CArchiveException("Bad band capacity");
    s.SetBandCapacity(capacity);
    const int bands = ar.ReadInt32();
    if (bands < 0 || bands > capacity)
        throw CArchiveException("Bad band count");
    ar.CheckCount(bands, ArchivedSize<SPmBand>(f.Version()));
    for (int i = 0; i < bands; ++i) {
        SPmBand band;
        f.Record(band);
        s.m_Bands.push_back(band);
    }
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
    for (SPmBand& band : m_Bands) {
        band.lower /= factor;
        band.upper /= factor;
    }
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
    for (SPmBand& band : m_Bands) {
        band.lower = std::min(band.lower * factor, 0.5);
        band.upper = std::min(band.upper * factor, 0.5);
    }
}

int CFirData::EstimateNumTaps() const {
    const CDesignMethodImpl* method = DesignMethodOfKind(m_nKind);
    int n = method ? method->Estimate(*this) : m_nTaps;
    // Limits that were never filled (no design type set yet) would clamp every count to 0.
    const bool limitsSet = m_Constraints.m_nMax > 0;
    if (m_Constraints.m_bConstrainEstimates)
        m_Constraints.AdjustTaps(true, n, limitsSet);
    return n;
}

void CFirData::PostDesign(CDesignControl* control) {
    if (m_nDesignType == kDesignLthBand)
        LthFixup(*this);
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
