#include "data/corvi_data.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string kDir = std::string(CORVIFIR_TEST_DATA_DIR) + "/io/";

// The values and WAVE samples listed in io_reference.txt.
struct SReference {
    std::vector<double> i, q;
    std::vector<int> left, right, bytes8;
};

SReference LoadReference() {
    SReference ref;
    std::ifstream in(kDir + "io_reference.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string first;
        s >> first;
        if (first == "w16") {
            int a = 0, b = 0;
            s >> a >> b;
            ref.left.push_back(a);
            ref.right.push_back(b);
        } else if (first == "w8") {
            int a = 0;
            s >> a;
            ref.bytes8.push_back(a);
        } else {
            double q = 0;
            s >> q;
            ref.i.push_back(std::stod(first));
            ref.q.push_back(q);
        }
    }
    return ref;
}

CCorviData& ReadInto(CCorviData& d, const std::string& name, int code, bool complex) {
    CFileFormatOpts opts;
    opts.m_nFormat = code;
    EXPECT_TRUE(ReadDataSetFile(d, opts, kDir + name, 0, complex ? 1 : -1)) << name;
    return d;
}

} // namespace

// Files written by NumPy and by Python's wave module (tools/refdata/io_reference.py).
TEST(ReferenceFiles, ReadsFilesOfOtherPrograms) {
    const SReference ref = LoadReference();
    ASSERT_EQ(ref.i.size(), 24u);
    ASSERT_EQ(ref.left.size(), 24u);
    ASSERT_EQ(ref.bytes8.size(), 24u);
    CScriptedHost host;

    for (const char* name : {"np_savetxt.txt", "np_savetxt_comma.txt"}) {
        CCorviData d(&host);
        ReadInto(d, name, kFormatDecimal, true);
        ASSERT_EQ(d.GetN(), 24) << name;
        for (int k = 0; k < 24; ++k) {
            EXPECT_DOUBLE_EQ(d.m_pI->GetAt(k), ref.i[k]) << name << k;
            EXPECT_DOUBLE_EQ(d.m_pQ->GetAt(k), ref.q[k]) << name << k;
        }
    }
    {
        CCorviData d(&host);
        ReadInto(d, "np_tofile.dat", kFormatDouble, true);
        ASSERT_EQ(d.GetN(), 24);
        for (int k = 0; k < 24; ++k) {
            EXPECT_EQ(d.m_pI->GetAt(k), ref.i[k]);
            EXPECT_EQ(d.m_pQ->GetAt(k), ref.q[k]);
        }
        ReadInto(d, "np_tofile.f32", kFormatFloat, false);
        ASSERT_EQ(d.m_pI->GetSize(), 24);
        for (int k = 0; k < 24; ++k)
            EXPECT_EQ(d.m_pI->GetAt(k), static_cast<double>(static_cast<float>(ref.i[k])));
    }
    {
        CCorviData d(&host);
        CFileFormatOpts opts;
        opts.m_nFormat = kFormatWave;
        ASSERT_TRUE(ReadDataSetFile(d, opts, kDir + "py_stereo16.wav", 0, 1));
        ASSERT_EQ(d.GetN(), 24);
        for (int k = 0; k < 24; ++k) {
            EXPECT_DOUBLE_EQ(d.m_pI->GetAt(k), ref.left[k] / 32767.0);
            EXPECT_DOUBLE_EQ(d.m_pQ->GetAt(k), ref.right[k] / 32767.0);
        }
        double fs = 0;
        ASSERT_TRUE(GetWaveFs(opts, fs));
        EXPECT_EQ(fs, 48.0);

        opts.m_nFormat = kFormatWave;
        ASSERT_TRUE(ReadDataSetFile(d, opts, kDir + "py_mono8.wav", 0, -1));
        ASSERT_EQ(d.m_pI->GetSize(), 24);
        for (int k = 0; k < 24; ++k)
            EXPECT_EQ(d.m_pI->GetAt(k), (ref.bytes8[k] - 128) / 128.0);
        ASSERT_TRUE(GetWaveFs(opts, fs));
        EXPECT_EQ(fs, 8.0);
    }
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
}
