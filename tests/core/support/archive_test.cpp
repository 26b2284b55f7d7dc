#include "support/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> v) {
    return {v.begin(), v.end()};
}
} // namespace

TEST(Archive, ScalarsAreLittleEndian) {
    CArchiveWriter w;
    w.WriteInt16(-2);
    w.WriteUInt16(0x1234);
    w.WriteInt32(0x01020304);
    w.WriteFloat(1.0f);
    w.WriteDouble(-2.0);
    EXPECT_EQ(w.Bytes(), Bytes({0xFE, 0xFF, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00,
                                0x80, 0x3F, 0,    0,    0,    0,    0,    0,    0x00, 0xC0}));
    CArchiveReader r(w.Bytes());
    EXPECT_EQ(r.ReadInt16(), -2);
    EXPECT_EQ(r.ReadUInt16(), 0x1234);
    EXPECT_EQ(r.ReadInt32(), 0x01020304);
    EXPECT_EQ(r.ReadFloat(), 1.0f);
    EXPECT_EQ(r.ReadDouble(), -2.0);
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, StringLengthPrefixes) {
    struct Case {
        size_t length;
        std::vector<uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string s(c.length, 'a');
        CArchiveWriter w;
        w.WriteString(s);
        ASSERT_EQ(w.Bytes().size(), c.prefix.size() + c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), w.Bytes().begin())) << c.length;
        CArchiveReader r(w.Bytes());
        EXPECT_EQ(r.ReadString(), s);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, ReadsWideStringMarker) {
    // 0xFF, uint16 0xFFFE, then the length in characters and UTF-16 code units.
    const auto bytes = Bytes({0xFF, 0xFE, 0xFF, 0x03, 'H', 0, 'z', 0, 0xB5, 0x00});
    CArchiveReader r(bytes);
    EXPECT_EQ(r.ReadString(), "Hz\xC2\xB5");
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, UnderrunThrowsAndHugeCountsAreRefused) {
    const auto shortInt = Bytes({1, 2, 3});
    CArchiveReader r1(shortInt);
    EXPECT_THROW(r1.ReadInt32(), CArchiveException);

    // A string that claims 0xFFFFFFF0 characters in a 7-byte stream: no allocation, an exception.
    const auto hugeString = Bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
    CArchiveReader r2(hugeString);
    EXPECT_THROW(r2.ReadString(), CArchiveException);

    const auto four = Bytes({0, 0, 0, 0});
    CArchiveReader r3(four);
    EXPECT_NO_THROW(r3.CheckCount(1, 4));
    EXPECT_THROW(r3.CheckCount(2, 4), CArchiveException);
    EXPECT_THROW(r3.CheckCount(-1, 1), CArchiveException);
    EXPECT_THROW(r3.CheckCount(std::numeric_limits<int64_t>::max(), 8), CArchiveException);
}
