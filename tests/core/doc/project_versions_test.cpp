// Project files of every method and every version this program reads, held as reference bytes in
// tests/data/doc/versions: the file of each version as this program writes it, and what it saves
// after opening that file. A change to the archive code that moves one byte fails here.
//
// The reference files are made (and only after a deliberate change of the file layout, made
// again) by running this program with CORVIFIR_WRITE_REFERENCE=1.

#include "doc/project_file.h"
#include "doc/project_templates.h"

#include "hand_built_project.h"

#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

const std::string kVersionsDir = std::string(CORVIFIR_TEST_DATA_DIR) + "/doc/versions/";
constexpr int kOldestVersion = 3;

bool WritingReferences() {
    return std::getenv("CORVIFIR_WRITE_REFERENCE") != nullptr;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

// View settings other than the default, different for each method.
SViewSettings FilledView(int type) {
    return {0x00FF00 + type};
}

// A filter of a method with a value other than the default in every archived field; the values
// differ from method to method.
CFirData FilledFilter(int type) {
    CFirData f;
    f.SetDesignType(type);
    const double t = type + 1.0;
    for (int i = 0; i < 5 + type; ++i) {
        f.m_pI->Add(0.0625 * t * (i + 1) - 0.5);
        f.m_pQ->Add(type == kDesignImport ? 0.125 * i : 0.0);
    }
    f.ResetRange();
    f.m_RspFreqs.Add(0.05 * t);
    f.m_RspFreqs.Add(0.3);
    f.m_bRspAuto = 0;
    f.m_nReserved5 = 7;
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
    // A window code that older versions numbered differently.
    f.m_Ws = {3.5, 55.0, 1 + type % 7, 1, 0.125, 0.25, 4, 0};
    f.m_nTaps = 57 + type;
    f.m_nResponseType = PmResponseType::Hilbert;
    f.m_nGridDensity = 20;
    f.SetBandCapacity(8);
    f.AddBand(false, false, 0.0, 0.1, 1.0, 50.0, 1.0, false);
    f.AddBand(false, false, 0.2, 0.5, 0.0, 1000.0, 4.0 + type, false);
    f.m_bGainInDb = 1;
    f.m_bAttnInDb = 0;
    f.m_dMinDb = -140.0;
    f.m_bDesignedFromSpec = 1;
    f.m_Lth = {0.3, 4, 1, 2, 0, 0.5, 0, 33.0, 0};
    f.m_Maxflat = {0.15, 0.05, 1};
    f.m_Cic = {3, 4, 2};
    return f;
}

// A new project of a method, as the chooser makes it.
CFirProject NewProject(int type) {
    CFirProject p;
    p.m_nDesignType = type;
    p.m_Filter.SetDesignType(type);
    return p;
}

// Opens `bytes` as the file `name` and returns what saving it writes, as a person opening an
// older project and saving it gets.
std::vector<uint8_t> OpenAndSave(const std::string& name, const std::vector<uint8_t>& bytes) {
    static const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                             ("corvifir_versions_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    WriteAll(path, bytes);
    CScriptedHost host;
    CFirProject p(&host);
    EXPECT_EQ(LoadProject(path, p, host), ELoadResult::Ok) << name;
    std::filesystem::remove(path);
    std::filesystem::remove(dir); // only when empty
    return p.ToBytes();
}

// Compares `bytes` with the reference file `name`, or writes that file when references are made.
void ExpectReference(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = kVersionsDir + name;
    if (WritingReferences()) {
        std::filesystem::create_directories(kVersionsDir);
        WriteAll(path, bytes);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_TRUE(ReadAll(path) == bytes) << name << " differs from its reference";
}

std::string VersionName(const char* docName, int version) {
    return std::string(docName) + (version < 10 ? "_v0" : "_v") + std::to_string(version) + ".cfp";
}

} // namespace

// Each method's project of each version: written as the reference holds it, and opened then
// saved into the reference's current-version file.
TEST(ProjectVersions, EveryMethodAndVersionKeepsItsBytes) {
    for (const CProjectTemplate& t : ProjectTemplates()) {
        const CFirData filter = FilledFilter(t.designType);
        for (int v = kOldestVersion; v <= CFirProject::kCurrentVersion; ++v) {
            SCOPED_TRACE(VersionName(t.docName, v));
            const std::string name = VersionName(t.docName, v);
            const std::vector<uint8_t> old =
                HandBuiltProject(v, t.designType, filter, FilledView(t.designType));
            ExpectReference(name, old);
            ExpectReference("saved_" + name, OpenAndSave(name, ReadAll(kVersionsDir + name)));
        }
    }
}

// A new project of each method, and a filled one, saved then opened and saved again.
TEST(ProjectVersions, ProjectsOfEveryMethodRoundTrip) {
    for (const CProjectTemplate& t : ProjectTemplates()) {
        SCOPED_TRACE(t.docName);
        const std::string newName = std::string("new_") + t.docName + ".cfp";
        CFirProject fresh = NewProject(t.designType);
        ExpectReference(newName, fresh.ToBytes());
        CFirProject filled = NewProject(t.designType);
        filled.m_Filter = FilledFilter(t.designType);
        filled.m_View = FilledView(t.designType);
        const std::string filledName = std::string("filled_") + t.docName + ".cfp";
        filled.m_strTitle = filledName; // opened by path, a project takes its file name as title
        ExpectReference(filledName, filled.ToBytes());
        fresh.m_strTitle = newName;
        for (const CFirProject* p : {&fresh, &filled}) {
            const std::vector<uint8_t> bytes = p->ToBytes();
            EXPECT_TRUE(OpenAndSave(p->m_strTitle, bytes) == bytes) << p->m_strTitle;
        }
    }
}
