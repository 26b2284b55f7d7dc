#include "hdl/hdl_export.h"
#include "hdl/verilog_writer.h"
#include "support/file_access.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

TEST(HdlExport, ModuleNames) {
    const std::pair<const char*, const char*> fromFiles[] = {{"lowpass", "lowpass"},
                                                             {"low-pass 2", "low_pass_2"},
                                                             {"2x", "_2x"},
                                                             {"module", "module_fir"},
                                                             {"", "_"},
                                                             {"a$b", "a_b"}};
    for (const auto& [stem, name] : fromFiles) {
        EXPECT_EQ(VerilogNameOf(stem), name);
        EXPECT_TRUE(IsVerilogIdentifier(VerilogNameOf(stem))) << stem;
    }
    for (const char* bad : {"", "9a", "wire", "a-b", "$a", "a b"})
        EXPECT_FALSE(IsVerilogIdentifier(bad)) << bad;
}

TEST(HdlExport, FilesOfAnExport) {
    SHdlOptions options;
    std::vector<SHdlFile> files;
    std::string error;
    ASSERT_TRUE(MakeVerilogFiles({0.25, 0.5, 0.25}, options, "/out/my-fir.v", files, error));
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].path, "/out/my-fir.v");
    EXPECT_EQ(files[1].path, "/out/my-fir_tb.v");
    EXPECT_EQ(files[2].path, "/out/my-fir_in.txt");
    EXPECT_EQ(files[3].path, "/out/my-fir_out.txt");
    EXPECT_NE(files[0].bytes.find("module my_fir (\n    input clk,\n    input rst,\n"
                                  "    input in_valid,\n    input signed [15:0] in_data,\n"
                                  "    output out_valid,\n    output signed [30:0] out_data\n);"),
              std::string::npos);
    EXPECT_NE(files[1].bytes.find("module my_fir_tb;"), std::string::npos);
    EXPECT_NE(files[1].bytes.find("$fopen(\"my-fir_in.txt\", \"r\")"), std::string::npos);

    options.name = "wire";
    EXPECT_FALSE(MakeVerilogFiles({0.5}, options, "/out/f.v", files, error));
    EXPECT_EQ(error, "\"wire\" is not a module name: use letters, digits and '_', not starting "
                     "with a digit, and no keyword.");
    options.name.clear();
    EXPECT_FALSE(MakeVerilogFiles({0.5, 2.0}, options, "/out/f.v", files, error));
    EXPECT_EQ(error, "Coefficient h[1] = 2 does not fit in a word of 16 bits.");
    EXPECT_TRUE(files.empty());
}

TEST(HdlExport, WritesEveryFileOrNone) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("corvifir_hdl_set_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string a = (dir / "a.v").string();
    std::string ignored;
    ASSERT_TRUE(WriteFileSafely(a, "old", ignored));
    CScriptedHost host;
    // The last file cannot be written: nothing changes, no temporary file is left.
    EXPECT_FALSE(WriteFileSetReported(
        {{a, "new"}, {(dir / "b.txt").string(), "b"}, {(dir / "no/c.txt").string(), "c"}}, host));
    EXPECT_EQ(host.LastMessage().rfind("Cannot write file \"" + (dir / "no/c.txt").string(), 0),
              0u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"a.v"});
    std::vector<uint8_t> bytes;
    std::string reason;
    ASSERT_EQ(ReadFileBounded(a, bytes, reason), EFileRead::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");

    EXPECT_TRUE(WriteFileSetReported({{a, "new"}, {(dir / "b.txt").string(), "b"}}, host));
    ASSERT_EQ(ReadFileBounded(a, bytes, reason), EFileRead::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
    std::filesystem::remove_all(dir);
}
