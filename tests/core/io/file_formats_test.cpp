#include "io/file_formats.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FileFormats, TableOrderCodesAndCapabilities) {
    struct Row {
        const char* name;
        int code;
        bool read;
        bool write;
        bool binary;
    };
    const Row expected[] = {
        {"Text:Decimal", 0, true, true, false},  {"Text:Plot", 1, true, true, false},
        {"Text:FIR", 2, true, true, false},      {"Text:Fract", 3, true, true, false},
        {"Text:Hex", 4, true, true, false},      {"Text:Binary", 5, true, true, false},
        {"Text:C", 7, false, true, false},       {"Text:Analyzer", 6, true, false, false},
        {"HTML:Report", 13, false, true, false}, {"Asm:TI Asm", 11, false, true, false},
        {"Asm:ADI PM", 12, true, true, false},   {"Binary:float", 8, true, true, true},
        {"Binary:double", 9, true, true, true},  {"Binary:Wave", 10, true, true, true},
        {"FPGA:COE", 14, true, true, false},     {"FPGA:MIF", 15, true, true, false},
        {"HDL:Verilog", 16, false, true, false},
    };
    const auto& table = FileFormatTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_STREQ(table[i].name, expected[i].name);
        EXPECT_EQ(table[i].code, expected[i].code) << expected[i].name;
        EXPECT_EQ(FormatCanRead(expected[i].code), expected[i].read) << expected[i].name;
        EXPECT_EQ(FormatCanWrite(expected[i].code), expected[i].write) << expected[i].name;
        EXPECT_EQ(table[i].binary, expected[i].binary) << expected[i].name;
        EXPECT_EQ(FindFileFormat(std::string(expected[i].name)), &table[i]);
        EXPECT_EQ(table[i].suffix[0], '.');
    }
}

TEST(FileFormats, ListsAndLookups) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ReadFormatNames(),
              (V{"Text:Decimal", "Text:Plot", "Text:FIR", "Text:Fract", "Text:Hex", "Text:Binary",
                 "Text:Analyzer", "Asm:ADI PM", "Binary:float", "Binary:double", "Binary:Wave",
                 "FPGA:COE", "FPGA:MIF"}));
    EXPECT_EQ(WriteFormatNames(),
              (V{"Text:Decimal", "Text:Plot", "Text:FIR", "Text:Fract", "Text:Hex", "Text:Binary",
                 "Text:C", "HTML:Report", "Asm:TI Asm", "Asm:ADI PM", "Binary:float",
                 "Binary:double", "Binary:Wave", "FPGA:COE", "FPGA:MIF", "HDL:Verilog"}));
    EXPECT_EQ(DataViewFormatNames(), (V{"Text:Decimal", "Text:Plot", "Text:FIR", "Text:Fract",
                                        "Text:Hex", "Text:Binary", "Asm:ADI PM"}));
    EXPECT_EQ(FileFormatName(100), "Binary:Wave");
    EXPECT_EQ(FileFormatName(101), "Binary:Wave");
    EXPECT_EQ(FileFormatName(65535), "");
    EXPECT_EQ(FileFormatName(-1), "");
    EXPECT_EQ(FindFileFormat(std::string("text:decimal")), nullptr);
    EXPECT_FALSE(FormatCanRead(65535));
    EXPECT_FALSE(FormatCanWrite(-1));

    for (int code : {1, 3, 4, 5, 7, 11, 10, 100, 101})
        EXPECT_TRUE(FormatHasOptions(code)) << code;
    for (int code : {-1, 0, 2, 6, 8, 9, 12, 13, 65535})
        EXPECT_FALSE(FormatHasOptions(code)) << code;
}

TEST(FileFormats, DerivedValuesOfAFormatState) {
    EXPECT_EQ(FormatChannels(10, 1), 1);
    EXPECT_EQ(FormatChannels(101, 2), 2);
    EXPECT_EQ(FormatChannels(0, 1), 2);
    EXPECT_EQ(FormatWordLength(3, 12), 12);
    EXPECT_EQ(FormatWordLength(5, 0), 1);     // held to 1..64
    EXPECT_EQ(FormatWordLength(4, 1000), 64); // held to 1..64
    EXPECT_EQ(FormatWordLength(12, 24), 16);
    EXPECT_EQ(FormatWordLength(101, 24), 16);
    EXPECT_EQ(FormatWordLength(100, 24), 0);
    EXPECT_EQ(FormatWordLength(0, 24), 0);

    EXPECT_EQ(FullScaleOfWordLength(0), 1.0);
    EXPECT_EQ(FullScaleOfWordLength(1), 1.0); // 2^0 - 1 would be 0 and divide by zero
    EXPECT_EQ(FullScaleOfWordLength(4), 7.0);
    EXPECT_EQ(FullScaleOfWordLength(16), 32767.0);
    EXPECT_EQ(FullScaleOfWordLength(51), std::ldexp(1.0, 50) - 1.0);
    EXPECT_EQ(FullScaleOfWordLength(52), std::ldexp(1.0, 51) - 1.0 - 1023.0);
    EXPECT_EQ(FullScaleOfWordLength(64), std::ldexp(1.0, 63) - 1024.0);
    EXPECT_LT(FullScaleOfWordLength(64), std::ldexp(1.0, 63));

    EXPECT_EQ(FormatFullScale(100, 16, false), 1.0);
    EXPECT_EQ(FormatFullScale(100, 16, true), 32767.0);
    EXPECT_EQ(FormatFullScale(101, 3, false), 32767.0);
    EXPECT_EQ(FormatFullScale(3, 8, false), 127.0);
    EXPECT_EQ(FormatFullScale(0, 8, true), 1.0);
}
