#include "design/design_summary.h"
#include "design/fir_data.h"
#include "design/unquantized_copy.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/project_file.h"
#include "doc/scripted_dialogs.h"
#include "support/archive.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kLowpass = CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp";

std::vector<double> Column(const CDataColumn& c) {
    return std::vector<double>(c.begin(), c.end());
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The designed lowpass opened as a document, and a quantization of its inphase part.
struct Unquantized : ::testing::Test {
    CScriptedHost host;
    CFirDoc doc{host};
    CScriptedCommandDialogs dialogs;
    std::vector<double> designed;
    void SetUp() override {
        ASSERT_TRUE(doc.OnOpenDocument(kLowpass));
        designed = Column(*doc.Filter().m_pI);
    }
    void Quantize(int bits) {
        dialogs.quantize = [bits](CQuantizeSettings& s) {
            s.m_nAlgorithm = 1;
            s.m_nBits = bits;
            return true;
        };
        ASSERT_TRUE(FirCommand::Quantize(doc, dialogs, EParts::Inphase));
    }
};

} // namespace

// The worst stopband level before and after a quantization, against SciPy's freqz on a dense
// grid (tests/data/quant/quantization_loss.txt, tools/refdata/quantization_loss_reference.py).
TEST_F(Unquantized, LossMatchesSciPy) {
    std::ifstream in(CORVIFIR_TEST_DATA_DIR "/quant/quantization_loss.txt");
    std::string word;
    int n = 0;
    in >> word >> n;
    ASSERT_EQ(n, 41);
    std::vector<double> ideal(static_cast<size_t>(n)), quantized(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        in >> ideal[static_cast<size_t>(k)] >> quantized[static_cast<size_t>(k)];
    double idealDb = 0, quantizedDb = 0;
    in >> word >> idealDb >> quantizedDb;
    ASSERT_EQ(word, "worst");

    CFirData& f = doc.Filter();
    EXPECT_FALSE(MeasureQuantizationLoss(f).has_value());
    EXPECT_EQ(QuantizationLossText(f), "");
    std::copy(quantized.begin(), quantized.end(), f.m_pI->begin());
    f.m_Unquantized.Keep(ideal, std::vector<double>(ideal.size()), f);
    const auto loss = MeasureQuantizationLoss(f);
    ASSERT_TRUE(loss.has_value());
    EXPECT_NEAR(loss->dUnquantizedDb, idealDb, 0.02);
    EXPECT_NEAR(loss->dQuantizedDb, quantizedDb, 0.02);
    std::string text, method;
    GetDesignSummary(f, text, method);
    EXPECT_NE(text.find(StrPrintf("Worst stopband level = %.2f dB unquantized, %.2f dB quantized",
                                  loss->dUnquantizedDb, loss->dQuantizedDb)),
              std::string::npos)
        << text;
}

// Quantize keeps the coefficients it started from, a second quantization keeps those of the
// first, any other change of the coefficients leaves the copy stale, and Undo and Redo bring
// back the copy each state had.
TEST_F(Unquantized, QuantizeKeepsTheCopyUntilAnotherChange) {
    EXPECT_FALSE(doc.Filter().HasUnquantized());
    Quantize(8);
    ASSERT_TRUE(doc.Filter().HasUnquantized());
    EXPECT_EQ(doc.Filter().m_Unquantized.I(), designed);
    EXPECT_NE(Column(*doc.Filter().m_pI), designed);
    const CFirData ideal = doc.Filter().UnquantizedFilter();
    EXPECT_EQ(Column(*ideal.m_pI), designed);
    EXPECT_FALSE(ideal.HasUnquantized());
    EXPECT_EQ(ideal.GetNumBands(), doc.Filter().GetNumBands());

    Quantize(5);
    ASSERT_TRUE(doc.Filter().HasUnquantized());
    EXPECT_EQ(doc.Filter().m_Unquantized.I(), designed);

    // Reversed, the symmetric taps are unchanged: the copy still describes them. Doubled, not.
    FirCommand::Reverse(doc);
    EXPECT_TRUE(doc.Filter().HasUnquantized());
    dialogs.scale = [](CScaleSettings& s) {
        s.m_nMethod = CFirData::kScaleMultiply;
        s.m_dTarget = 2.0;
        s.m_bInDb = 0;
        s.m_bRound = 0;
        return true;
    };
    ASSERT_TRUE(FirCommand::Scale(doc, dialogs, EParts::Inphase));
    EXPECT_FALSE(doc.Filter().HasUnquantized());
    ASSERT_TRUE(FirCommand::Undo(doc));
    ASSERT_TRUE(doc.Filter().HasUnquantized());
    EXPECT_EQ(doc.Filter().m_Unquantized.I(), designed);
    ASSERT_TRUE(FirCommand::Redo(doc));
    EXPECT_FALSE(doc.Filter().HasUnquantized());
}

// The copy is a tagged section after the title: a project with nothing quantized is written
// byte for byte as before, one with the copy is the same bytes and the section, and a reader
// takes only a section it can read whole and that describes the coefficients.
TEST_F(Unquantized, ProjectFileAppendsASectionOlderReadersSkip) {
    CFirProject plain(&host);
    ASSERT_EQ(LoadProject(kLowpass, plain, host), ELoadResult::Ok);
    EXPECT_EQ(plain.ToBytes(), FileBytes(kLowpass));

    Quantize(8);
    const std::vector<uint8_t> with = doc.ToBytes();
    CFirProject stripped(&host);
    {
        CArchiveReader ar(with);
        stripped.Serialize(ar);
    }
    ASSERT_TRUE(stripped.m_Filter.HasUnquantized());
    EXPECT_EQ(stripped.m_Filter.m_Unquantized.I(), designed);
    stripped.m_Filter.m_Unquantized.Clear();
    const std::vector<uint8_t> without = stripped.ToBytes();
    ASSERT_LT(without.size(), with.size());
    EXPECT_TRUE(std::equal(without.begin(), without.end(), with.begin()));

    const auto read = [&](const std::vector<uint8_t>& bytes) {
        CFirProject p(&host);
        CArchiveReader ar(bytes);
        p.Serialize(ar);
        EXPECT_EQ(Column(*p.m_Filter.m_pI), Column(*doc.Filter().m_pI));
        return p.m_Filter.HasUnquantized();
    };
    // Cut short, with an unknown section first, or describing other coefficients.
    std::vector<uint8_t> cut(with.begin(), with.end() - 3);
    EXPECT_FALSE(read(cut));
    std::vector<uint8_t> unknown = without;
    for (const uint8_t b : {0x78, 0x56, 0x34, 0x12, 2, 0, 0, 0, 7, 7})
        unknown.push_back(b);
    unknown.insert(unknown.end(), with.begin() + static_cast<long>(without.size()), with.end());
    EXPECT_TRUE(read(unknown));
    std::vector<uint8_t> other = with;
    other.back() ^= 1; // the print of the quantized coefficients
    EXPECT_FALSE(read(other));
    host.messages.clear();
}
