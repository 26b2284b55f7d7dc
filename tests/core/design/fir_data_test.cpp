#include "design/fir_data.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Little-endian bytes written by hand, independent of the archive writer.
struct Bytes {
    std::vector<uint8_t> v;
    template <typename T> Bytes& raw(T x) {
        uint8_t b[sizeof(T)];
        std::memcpy(b, &x, sizeof(T));
        v.insert(v.end(), b, b + sizeof(T));
        return *this;
    }
    Bytes& i32(int32_t x) { return raw(x); }
    Bytes& u16(uint16_t x) { return raw(x); }
    Bytes& f64(double x) { return raw(x); }
    Bytes& append(const std::vector<uint8_t>& other) {
        v.insert(v.end(), other.begin(), other.end());
        return *this;
    }
};

// The signal part of the stream, as the signal class writes it for a version.
std::vector<uint8_t> SignalSection(const CCorviData& data, int version) {
    CArchiveWriter w;
    data.CCorviData::Serialize(w, version);
    return w.Bytes();
}

std::vector<uint8_t> Store(const CFirData& f, int version = CFirData::kCurrentVersion) {
    CArchiveWriter w;
    f.Serialize(w, version);
    return w.Bytes();
}

// A filter with a value other than the default in every archived field.
void FillNonDefaults(CFirData& f) {
    f.m_pI->Add(0.25);
    f.m_pI->Add(-0.5);
    f.m_pQ->Add(0.0);
    f.m_pQ->Add(0.0);
    f.ResetRange();
    f.m_RspFreqs.Add(0.1);
    f.m_RspFreqs.Add(0.3);
    f.m_bRspAuto = 0;
    f.m_nCurveColor = 0x00FF00;
    f.m_nReserved5 = 7;
    f.m_nDesignType = kDesignLthBand;
    f.m_bMeetsSpec = 1;
    f.m_nReserved1 = 33;
    f.m_bUnityGain = 0;
    f.m_bMinPhaseDone = 1;
    f.m_Response.m_nResolution = 16;
    f.m_MinPhase = {1, 64, 0.125, 0};
    f.m_Quant = {12, 0, 3, 0, 8, 64};
    f.m_Constraints.m_nMin = 5;
    f.m_Constraints.m_nMax = 999;
    f.m_Constraints.m_bConstrainEstimates = 0;
    f.m_Constraints.m_nParity = 1;
    f.m_Constraints.m_nMultiple = 3;
    f.m_Rc = {0, 4.5, 0.35, 1, 10.0, 250.0, 41, 1, 0, 64};
    f.m_Ws = {3.5, 55.0, 2, 1, 0.125, 0.25, 4, 0};
    f.m_nTaps = 57;
    f.m_nResponseType = PmResponseType::Hilbert;
    f.m_nGridDensity = 20;
    f.SetBandCapacity(8);
    ASSERT_TRUE(f.AddBand(false, false, 0.0, 0.1, 1.0, 50.0, 1.0, false));
    ASSERT_TRUE(f.AddBand(false, false, 0.2, 0.5, 0.0, 1000.0, 4.0, false));
    f.m_bGainInDb = 1;
    f.m_bAttnInDb = 0;
    f.m_dMinDb = -140.0;
    f.m_bDesignedFromSpec = 1;
    f.m_Lth = {0.3, 4, 1, 2, 0, 0.5, 0, 33.0, 0};
    f.m_Maxflat = {0.15, 0.05, 1};
    f.m_Cic = {3, 4, 2};
}

// The filter sections after the signal, version 20, for the values of FillNonDefaults.
Bytes FilterSectionsV20() {
    Bytes b;
    b.i32(2).f64(0.1).f64(0.3).i32(0);             // response list frequencies, auto
    b.i32(0x00FF00).i32(7).u16(5).i32(1).i32(0);   // colour, reserved, type, meets, 0
    b.i32(0).i32(33).i32(0);                       // 0, reserved, unity gain
    b.i32(1);                                      // minimum phase done
    b.i32(16);                                     // response resolution
    b.i32(1).i32(64).f64(0.125).i32(0);            // minimum-phase options
    b.i32(12).i32(0).i32(3).i32(0).i32(8).i32(64); // quantization options
    b.i32(5).i32(999).i32(0).i32(1).i32(3);        // tap constraints
    b.i32(0).f64(4.5).f64(0.35).i32(1).f64(10.0).f64(250.0).i32(41).i32(1).i32(0).i32(64);
    b.i32(57).f64(3.5).i32(2).i32(1).f64(0.125).f64(0.25).i32(4).i32(0).f64(55.0);
    b.i32(3).i32(20).i32(57).i32(8).i32(2); // type, grid, taps, capacity, bands
    b.f64(0.0).f64(0.1).f64(1.0).f64(50.0).f64(1.0);
    b.f64(0.2).f64(0.5).f64(0.0).f64(1000.0).f64(4.0);
    b.i32(1).i32(0).f64(-140.0).i32(1);
    b.f64(0.3).i32(4).i32(1).i32(2).i32(0).f64(0.5).i32(0).i32(0).f64(33.0);
    b.f64(0.15).f64(0.05).i32(1);
    b.i32(3).i32(4).i32(2).i32(0); // CIC and the unity-gain flag again
    return b;
}

} // namespace

TEST(FirData, NewFilterHasDefaults) {
    CFirData f;
    EXPECT_EQ(f.GetN(), 0);
    EXPECT_TRUE(f.IsEmpty());
    EXPECT_FALSE(f.HasCoefficients());
    EXPECT_EQ(f.m_nTaps, 0);
    EXPECT_EQ(f.m_nDesignType, kDesignNone);
    EXPECT_EQ(f.m_nKind, kKindParksMcClellan);
    EXPECT_EQ(f.m_nMinSpan, 1);
    EXPECT_EQ(f.m_bUnityGain, 1);
    EXPECT_EQ(f.m_dGainFreq, -1.0);
    EXPECT_EQ(f.m_nCurveColor, 255);
    EXPECT_EQ(f.GetBandCapacity(), 32);
    EXPECT_EQ(f.GetNumBands(), 0);
    EXPECT_EQ(f.m_nGridDensity, 16);
    EXPECT_EQ(f.m_nResponseType, PmResponseType::Filter);
    EXPECT_EQ(f.m_dMinDb, -120.0);
    EXPECT_FALSE(f.m_bWindowAfterDesign);
    EXPECT_EQ(f.m_Constraints.m_nMin, 0);
    EXPECT_EQ(f.m_Constraints.m_nMultiple, -2);
    EXPECT_EQ(f.m_Quant.m_nBits, -16);
    EXPECT_EQ(f.m_MinPhase.m_nMaxTaps, 128);
    EXPECT_EQ(f.m_Rc.m_nRcTaps, 47);
    EXPECT_EQ(f.m_Ws.m_dChebyParam, 40.0);
    EXPECT_EQ(f.m_Lth.m_nL, 2);
    EXPECT_EQ(f.m_Maxflat.m_dGamma, 0.1);
    EXPECT_EQ(f.m_Cic.m_nRate, 8);

    // The defaults as the stream holds them.
    Bytes b;
    b.i32(0).i32(1);
    b.i32(255).i32(1).u16(1000).i32(0).i32(0);
    b.i32(0).i32(32).i32(1);
    b.i32(0).i32(32);
    b.i32(0).i32(128).f64(0.05).i32(1);
    b.i32(-16).i32(1).i32(0).i32(1).i32(4).i32(32);
    b.i32(0).i32(0).i32(1).i32(0).i32(-2);
    b.i32(1).f64(6.0).f64(0.6).i32(0).f64(8.0).f64(0.0).i32(47).i32(0).i32(1).i32(48);
    b.i32(0).f64(2.5).i32(0).i32(0).f64(0.0).f64(0.0).i32(1).i32(1).f64(40.0);
    b.i32(1).i32(16).i32(0).i32(32).i32(0).i32(0).i32(1).f64(-120.0).i32(0);
    b.f64(0.0).i32(2).i32(0).i32(0).i32(1).f64(1.0).i32(1).i32(1).f64(60.0);
    b.f64(0.2).f64(0.1).i32(0);
    b.i32(5).i32(8).i32(1).i32(1);
    Bytes expected;
    expected.append(SignalSection(f, 20)).append(b.v);
    EXPECT_EQ(Store(f), expected.v);
}

TEST(FirData, DesignTypesSelectKinds) {
    const struct {
        int id;
        int kind;
        const char* name;
    } cases[] = {
        {0, 0, "Simple PM"}, {1, 0, "Advanced PM"}, {2, 3, "Win Sinc"}, {3, 2, "Raised Cos"},
        {4, 7, "Import"},    {5, 6, "Lth Band"},    {6, 5, "Maxflat"},  {7, 1, "CIC"},
        {8, 0, "Combo"},     {9, 8, "Multirate"},   {1000, 8, ""},      {42, 0, ""},
    };
    for (const auto& c : cases) {
        CFirData f;
        f.SetDesignType(c.id);
        EXPECT_EQ(f.m_nDesignType, c.id);
        EXPECT_EQ(f.m_nKind, c.kind) << c.id;
        EXPECT_STREQ(DesignTypeName(c.id), c.name);
    }
}

TEST(FirData, MethodRowsAreInIdOrderAndFoundByTheirCommandWord) {
    std::string words;
    for (const SDesignMethod& m : DesignMethods()) {
        EXPECT_EQ(FindDesignMethod(m.type), &m);
        if (*m.commandWord) {
            EXPECT_EQ(FindDesignMethodByWord(m.commandWord), &m);
            words += std::string(m.commandWord) + " ";
        }
    }
    EXPECT_EQ(words, "simple-pm advanced-pm windowed-sinc raised-cosine lth-band maxflat cic ");
    EXPECT_EQ(FindDesignMethod(kDesignNone), nullptr);
    EXPECT_EQ(FindDesignMethodByWord(""), nullptr);
    EXPECT_EQ(FindDesignMethodByWord("Raised Cos"), nullptr);
}

TEST(FirData, FirstDesignTypeFillsTapConstraintsOnce) {
    CFirData lth;
    lth.SetDesignType(kDesignLthBand);
    EXPECT_EQ(lth.m_Constraints.m_nAbsMin, 3);
    EXPECT_EQ(lth.m_Constraints.m_nAbsMax, 16384);
    EXPECT_EQ(lth.m_Constraints.m_nMin, 3);
    EXPECT_EQ(lth.m_Constraints.m_nMax, 16384);
    EXPECT_EQ(lth.m_Constraints.m_nParity, NTapsConstraints::kParityOdd);
    lth.m_Constraints.m_nMin = 9;
    lth.SetDesignType(kDesignSimplePm);
    EXPECT_EQ(lth.m_Constraints.m_nParity, NTapsConstraints::kParityOdd);
    EXPECT_EQ(lth.m_Constraints.m_nMin, 9);

    CFirData pm;
    pm.SetDesignType(kDesignAdvancedPm);
    pm.SetDesignType(kDesignLthBand);
    EXPECT_EQ(pm.m_Constraints.m_nParity, NTapsConstraints::kParityEither);

    // A loaded project holds its limits but not the absolute ones; setting the type fills those.
    CFirData saved;
    saved.SetDesignType(kDesignSimplePm);
    saved.m_Constraints.m_nMin = 11;
    CFirData loaded;
    const std::vector<uint8_t> bytes = Store(saved);
    CArchiveReader r(bytes);
    loaded.Serialize(r, 20);
    loaded.SetDesignType(kDesignSimplePm);
    EXPECT_EQ(loaded.m_Constraints.m_nMin, 11);
    EXPECT_EQ(loaded.m_Constraints.m_nAbsMin, 3);
    EXPECT_EQ(loaded.m_Constraints.m_nAbsMax, 16384);
}

TEST(FirData, ArchiveWritesEverySectionInOrder) {
    CFirData f;
    FillNonDefaults(f);
    Bytes expected;
    expected.append(SignalSection(f, 20)).append(FilterSectionsV20().v);
    EXPECT_EQ(Store(f), expected.v);
}

TEST(FirData, ArchiveReadsBackAndCopies) {
    CFirData f;
    FillNonDefaults(f);
    f.SetDesignType(kDesignLthBand);
    const std::vector<uint8_t> bytes = Store(f);

    CFirData loaded;
    CArchiveReader r(bytes);
    loaded.Serialize(r, 20);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(Store(loaded), bytes);
    EXPECT_EQ(loaded.m_nKind, kKindLthBand); // the kind is not stored: it follows the type
    EXPECT_EQ(loaded.GetNumBands(), 2);
    EXPECT_EQ(loaded.Band(1).stopWeight, 4.0);
    EXPECT_EQ(loaded.m_pI->GetAt(1), -0.5);
    EXPECT_EQ(loaded.m_Response.m_nResolution, 16);
    EXPECT_EQ(loaded.m_Response.GetN(), 0); // computed when first needed
    {
        // A copy waits for the same bins: computed at the stored resolution, not the default.
        CFirData copied(loaded);
        double low = 0.0;
        double high = 0.0;
        copied.m_Response.GetPowerRange(low, high, 0.0, 0.5);
        EXPECT_EQ(copied.m_Response.m_nResolution, 16);
        EXPECT_EQ(copied.m_Response.GetN(), 64); // 16 times 4 bins for 2 taps
    }

    CFirData copy(f);
    EXPECT_EQ(Store(copy), bytes);
    copy.m_pI->SetAt(0, 9.0);
    copy.AddBand(false, false, 0.6, 0.7, 1.0, 2.0, 1.0, false);
    EXPECT_EQ(f.m_pI->GetAt(0), 0.25);

    CFirData assigned;
    assigned = f;
    EXPECT_EQ(Store(assigned), bytes);
}

TEST(FirData, ReadsOlderVersions) {
    CCorviData signal;
    signal.m_pI->Add(1.0);
    signal.m_pQ->Add(0.0);
    signal.ResetRange();

    // Version 5: no response list, no raised-cosine, windowed-sinc or Lth-band parameters,
    // bands without stopband weights.
    {
        Bytes b;
        b.append(SignalSection(signal, 5));
        b.i32(2).i32(8).i32(31).i32(4).i32(1).f64(0.0).f64(0.2).f64(1.0).f64(5.0);
        b.i32(0).i32(1).f64(-100.0).i32(1);
        CFirData f;
        f.m_Ws.m_dCorner1 = 7.0;
        CArchiveReader r(b.v);
        f.Serialize(r, 5);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(f.m_nTaps, 31);
        EXPECT_EQ(f.m_nResponseType, PmResponseType::Differentiator);
        EXPECT_EQ(f.GetBandCapacity(), 4);
        EXPECT_EQ(f.Band(0).stopWeight, 1.0); // neutral: no override of the weight
        EXPECT_EQ(f.m_Ws.m_dCorner1, 0.0);
        EXPECT_EQ(f.m_Rc.m_nRcTaps, 47);
        EXPECT_EQ(f.m_Lth.m_dAttn, 60.0);
        EXPECT_EQ(f.m_nDesignType, kDesignNone);
        EXPECT_EQ(f.m_pI->GetAt(0), 1.0);
    }
    // Version 8: response list, raised cosine without the root flag, windowed sinc with the
    // spline order and an old window code, Lth band; no design type, options or later records.
    {
        Bytes b;
        b.append(SignalSection(signal, 8));
        b.i32(1).f64(0.25).i32(0);
        b.i32(0).f64(3.0).f64(0.5).i32(1).f64(4.0).f64(100.0).i32(13).i32(0).i32(20);
        b.i32(21).f64(1.5).i32(1).i32(2).f64(0.1).f64(0.2).i32(3).i32(0);
        b.i32(1).i32(16).i32(25).i32(32).i32(2);
        b.f64(0.0).f64(0.1).f64(1.0).f64(17.0).f64(0.2).f64(0.5).f64(0.0).f64(1000.0);
        b.i32(0).i32(1).f64(-120.0).i32(0);
        b.f64(0.25).i32(3).i32(1).i32(1).i32(0).f64(0.5).i32(0).i32(1).f64(45.0);
        CFirData f;
        f.m_Rc.m_bRoot = 1;
        CArchiveReader r(b.v);
        f.Serialize(r, 8);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(f.m_nDesignType, kDesignNone);
        EXPECT_EQ(f.m_RspFreqs.GetSize(), 1);
        EXPECT_EQ(f.m_bRspAuto, 0);
        EXPECT_EQ(f.m_Rc.m_nRcTaps, 13);
        EXPECT_EQ(f.m_Rc.m_bRoot, 0);
        EXPECT_EQ(f.m_Ws.m_nWindowType, 3); // old code 1
        EXPECT_EQ(f.m_Ws.m_nSplineOrder, 3);
        EXPECT_EQ(f.m_Ws.m_dChebyParam, 40.0);
        EXPECT_EQ(f.m_nTaps, 25); // the band section decides
        EXPECT_EQ(f.Band(1).attn, 1000.0);
        EXPECT_EQ(f.m_Lth.m_nL, 3);
        EXPECT_EQ(f.m_Lth.m_dAttn, 45.0);
        EXPECT_EQ(f.m_Maxflat.m_dBeta, 0.2);
        EXPECT_EQ(f.m_Cic.m_nStages, 5);
        EXPECT_EQ(f.m_Quant.m_nBits, -16);
        EXPECT_EQ(f.m_Constraints.m_nMultiple, -2);
    }
    // Version 13: design type, reserved fields and every method, no options yet.
    {
        Bytes b;
        b.append(SignalSection(signal, 13));
        b.i32(0).i32(1);
        b.i32(128).i32(1).u16(6).i32(1).i32(0);
        b.i32(0).i32(32).i32(0);
        b.i32(1).f64(6.0).f64(0.6).i32(0).f64(8.0).f64(0.0).i32(47).i32(1).i32(1).i32(48);
        b.i32(0).f64(2.5).i32(6).i32(0).f64(0.0).f64(0.0).i32(1).i32(1).f64(50.0);
        b.i32(1).i32(16).i32(0).i32(32).i32(1).f64(0.0).f64(0.5).f64(1.0).f64(2.0).f64(1.0);
        b.i32(0).i32(1).f64(-120.0).i32(0);
        b.f64(0.0).i32(2).i32(0).i32(0).i32(1).f64(1.0).i32(1).i32(1).f64(60.0);
        b.f64(0.3).f64(0.05).i32(1);
        b.i32(2).i32(3).i32(4).i32(1);
        CFirData f;
        CArchiveReader r(b.v);
        f.Serialize(r, 13);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(f.m_nDesignType, kDesignMaxflat);
        EXPECT_EQ(f.m_nCurveColor, 128);
        EXPECT_EQ(f.m_bMeetsSpec, 1);
        EXPECT_EQ(f.m_bUnityGain, 1); // the CIC section's copy decides
        EXPECT_EQ(f.m_Rc.m_bRoot, 1);
        EXPECT_EQ(f.m_Ws.m_nWindowType, 6); // current codes from version 13
        EXPECT_EQ(f.m_Ws.m_dChebyParam, 50.0);
        EXPECT_EQ(f.Band(0).stopWeight, 1.0);
        EXPECT_EQ(f.m_Maxflat.m_dBeta, 0.3);
        EXPECT_EQ(f.m_Cic.m_nDelay, 4);
        EXPECT_EQ(f.m_Quant.m_nBits, -16);
        EXPECT_EQ(f.m_Constraints.m_nMin, 0);
        EXPECT_EQ(f.m_Response.m_nResolution, 32);
        EXPECT_EQ(f.m_Response.GetN(), 0); // computed when first needed
    }
    // Version 16: response resolution, quantization and constraints; no minimum-phase record.
    {
        CFirData src;
        FillNonDefaults(src);
        CFirData f;
        const std::vector<uint8_t> bytes = Store(src, 16);
        CArchiveReader r(bytes);
        f.Serialize(r, 16);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(f.m_Response.m_nResolution, 16);
        EXPECT_EQ(f.m_Quant.m_nAlgorithm, 3);
        EXPECT_EQ(f.m_Constraints.m_nMax, 999);
        EXPECT_EQ(f.m_bMinPhaseDone, 0);
        EXPECT_EQ(f.m_MinPhase.m_nMaxTaps, 128);
        EXPECT_EQ(Store(src, 16).size() + 4 + 20, Store(src, 20).size());
    }
}

TEST(FirData, UnreadableStreamLeavesFilterUnchanged) {
    CFirData src;
    FillNonDefaults(src);
    std::vector<uint8_t> bytes = Store(src);

    CFirData f;
    f.m_pI->Add(3.0);
    f.m_pQ->Add(0.0);
    f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
    const std::vector<uint8_t> before = Store(f);
    for (size_t cut = 0; cut < bytes.size(); cut += 5) {
        CArchiveReader r(bytes.data(), cut);
        EXPECT_THROW(f.Serialize(r, 20), CArchiveException) << cut;
    }
    EXPECT_EQ(Store(f), before);

    // A band count above the capacity read before it.
    const size_t signal = SignalSection(src, 20).size();
    // Response list, base fields, options, raised cosine, windowed sinc, type/grid/taps.
    const size_t capacityAt = signal + 24 + 18 + 12 + 4 + 4 + 20 + 24 + 20 + 56 + 52 + 12;
    Bytes section = FilterSectionsV20();
    ASSERT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<long>(signal), bytes.end()),
              section.v);
    int32_t one = 1;
    std::memcpy(&bytes[capacityAt], &one, 4);
    CArchiveReader r(bytes);
    EXPECT_THROW(f.Serialize(r, 20), CArchiveException);
    EXPECT_EQ(Store(f), before);
}

TEST(FirData, TapCountsAndListedCount) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignImport);
    f.m_nTaps = 32;
    for (int i = 0; i < 37; ++i) {
        f.m_pI->Add(1.0);
        f.m_pQ->Add(0.0);
    }
    EXPECT_EQ(f.GetListedNumTaps(), 37);
    f.SetDesignType(kDesignSimplePm);
    EXPECT_EQ(f.GetListedNumTaps(), 32);

    f.m_bMeetsSpec = 1;
    f.m_Constraints.m_nMin = 7;
    f.SetNumTaps(-1);
    EXPECT_EQ(f.m_nTaps, 7);
    EXPECT_EQ(f.m_bMeetsSpec, 0);

    f.SetNumTaps(5);
    EXPECT_FALSE(f.CheckMinTaps());
    EXPECT_EQ(host.LastMessage(), "Cannot design FIR with less than 7 taps.");
    EXPECT_EQ(host.messages.back().icon, EMsgIcon::Stop);
}

TEST(FirData, OddTapsQuestion) {
    const struct {
        EAnswer answer;
        bool result;
        int taps;
    } cases[] = {{EAnswer::Yes, true, 21}, {EAnswer::No, true, 19}, {EAnswer::Cancel, false, 20}};
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(kDesignAdvancedPm);
        f.SetNumTaps(20);
        host.QueueAnswer(c.answer);
        EXPECT_EQ(f.AskOddTaps(), c.result);
        EXPECT_EQ(f.m_nTaps, c.taps);
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(host.questions[0], "Linear-phase FIRs cannot have a passband at Fs/2 with an "
                                     "EVEN Number of Taps.\nDo you want to add one tap?");
    }
    // No is never allowed to go below the minimum.
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.SetNumTaps(4);
    f.m_Constraints.m_nMin = 4;
    host.QueueAnswer(EAnswer::No);
    EXPECT_TRUE(f.AskOddTaps());
    EXPECT_EQ(f.m_nTaps, 4);
}

TEST(FirData, EmptinessAndSamplingFrequencyKeepBandFrequencies) {
    CFirData f;
    f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
    f.AddBand(false, false, 0.2, 0.5, 0.0, 100.0, 1.0, false);
    EXPECT_FALSE(f.IsEmpty()); // bands but no coefficients
    f.ScaleFs(4.0);
    EXPECT_EQ(f.GetFs(), 4.0);
    EXPECT_DOUBLE_EQ(f.Band(0).upper, 0.025);
    EXPECT_DOUBLE_EQ(f.Band(1).upper, 0.125);
    f.ScaleBandEdges(8.0);
    EXPECT_DOUBLE_EQ(f.Band(0).upper, 0.2);
    EXPECT_DOUBLE_EQ(f.Band(1).lower, 0.4);
    EXPECT_EQ(f.Band(1).upper, 0.5); // clamped
    f.ResetSpec(PmResponseType::Filter, 16, 0);
    EXPECT_TRUE(f.IsEmpty());
}
