#include "doc/project_templates.h"

#include "design/design_types.h"
#include "doc/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ProjectTemplates, ChooserButtonsMapToTypes) {
    const std::vector<std::pair<int, int>> cases{{0, 0}, {1, 1}, {2, 2}, {3, 3},
                                                 {4, 5}, {5, 4}, {6, 6}, {7, 7}};
    for (auto [radio, type] : cases) {
        const CChooserResult r = ResolveChooserChoice(radio, "/ignored.cfp");
        EXPECT_EQ(r.designType, type) << radio;
        EXPECT_TRUE(r.path.empty());
    }
    EXPECT_EQ(TemplateOfType(ChooserTypes()[4])->chooserCaption, std::string("Lth-Band (Nyquist)"));
    EXPECT_EQ(TemplateOfType(ChooserTypes()[5])->chooserCaption, std::string("Import/Boxcar"));
    // No button: the remembered file, or a new Simple Parks-McClellan project.
    EXPECT_EQ(ResolveChooserChoice(-1, "/a/b.cfp").path, "/a/b.cfp");
    const CChooserResult none = ResolveChooserChoice(-1, "");
    EXPECT_TRUE(none.path.empty());
    EXPECT_EQ(none.designType, kDesignSimplePm);
}

TEST(ProjectTemplates, OnlyTheEightMethodsHaveTemplates) {
    for (int type : {int(kDesignCombo), int(kDesignMultirate), int(kDesignNone), -1})
        EXPECT_EQ(TemplateOfType(type), nullptr) << type;
    EXPECT_EQ(FormOfEditor("CNyquistEditor").formWidthDu, 292);
    EXPECT_EQ(FormOfEditor("CSomethingElse").editorClass, std::string("CAdvancedPmEditor"));
}

TEST(ProjectTemplates, ChooserListsRecentFilesThenFolderFilesOnce) {
    const fs::path dir = fs::temp_directory_path() / "corvifir_chooser_test";
    fs::remove_all(dir);
    fs::create_directories(dir / "sub.cfp");
    for (const char* name : {"b.cfp", "a.cfs", "c.cfa", "notes.txt", ".hidden.cfp", "x.cf"})
        std::ofstream(dir / name) << "x";
    const std::string inFolder = (dir / "b.cfp").string();
    const std::vector<std::string> recent{"/elsewhere/r.cfp", "", inFolder};
    const std::vector<std::string> list = ChooserFileList(recent, dir.string());
    const std::vector<std::string> expected{"/elsewhere/r.cfp", inFolder, (dir / "a.cfs").string(),
                                            (dir / "c.cfa").string()};
    EXPECT_EQ(list, expected);
    fs::remove_all(dir);
}

TEST(ProjectTemplates, RecentFileListKeepsFourNewestFirst) {
    CRecentFileList recent;
    for (const char* p : {"/1.cfp", "/2.cfp", "/3.cfp", "/4.cfp", "/5.cfp", "/3.cfp"})
        recent.Add(p);
    EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/3.cfp", "/5.cfp", "/4.cfp", "/2.cfp"}));
    CMemorySettingsStore store;
    recent.Write(store);
    EXPECT_EQ(store.values["Recent File List/File1"], "/3.cfp");
    recent.Remove("/5.cfp");
    recent.Write(store);
    EXPECT_EQ(store.values["Recent File List/File4"], "");
    CRecentFileList again;
    again.Read(store);
    EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/3.cfp", "/4.cfp", "/2.cfp"}));
}
