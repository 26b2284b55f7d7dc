#pragma once

#include "cli.h"
#include "design/fir_data.h"
#include "dialogs/qt_command_dialogs.h"
#include "doc/fir_doc.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A project made by the command line (12 real taps imported from text), opened in a document
// whose commands show the desktop's dialogs.
class CCommandFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::ofstream data(Path("taps.txt"));
        for (int i = 0; i < 12; ++i)
            data << 0.05 * (i - 5) + 0.002 * i * i << " " << -0.03 * i << "\n";
        data.close();
        Cli({"import", Path("taps.txt"), "--format", "Text:Decimal", "--complex", "-o",
             Path("proj.cfp")});
        ASSERT_TRUE(doc.OnOpenDocument(Path("proj.cfp")));
    }
    std::string Path(const std::string& name) const {
        return (dir.path() + "/" + QString::fromStdString(name)).toStdString();
    }
    static int Cli(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = RunCli(args, out, err);
        EXPECT_EQ(status, 0) << err.str();
        return status;
    }
    // The project after `corvifir-cli run` of one command line on the original project.
    CFirData RunOnCommandLine(const std::string& command) {
        Cli({"run", Path("proj.cfp"), "-o", Path("run.cfp"), command});
        CScriptedHost quiet;
        CFirDoc result(quiet);
        EXPECT_TRUE(result.OnOpenDocument(Path("run.cfp")));
        return CFirData(result.Filter());
    }

    QTemporaryDir dir;
    CScriptedHost host;
    CFirDoc doc{host};
    CQtCommandDialogs dialogs{nullptr, host};
};

// The coefficients and sampling frequency of two filters agree.
inline void ExpectSameFilter(const CFirData& a, const CFirData& b) {
    ASSERT_EQ(a.GetN(), b.GetN());
    EXPECT_EQ(a.IsReal(), b.IsReal());
    EXPECT_EQ(a.m_Fs, b.m_Fs);
    for (int i = 0; i < a.GetN(); ++i) {
        EXPECT_NEAR(a.m_pI->GetAt(i), b.m_pI->GetAt(i), 1e-12) << i;
        EXPECT_NEAR(a.m_pQ->GetAt(i), b.m_pQ->GetAt(i), 1e-12) << i;
    }
}
