#include "support/archive.h"

#include <cstring>

static_assert(sizeof(float) == 4 && sizeof(double) == 8, "IEEE-754 types expected");

void CArchiveWriter::WriteRaw(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + n);
}

void CArchiveWriter::WriteString(const std::string& s) {
    const size_t n = s.size();
    if (n < 0xFF) {
        m_bytes.push_back(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        m_bytes.push_back(0xFF);
        WriteUInt16(static_cast<uint16_t>(n));
    } else {
        m_bytes.push_back(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(n));
    }
    WriteRaw(s.data(), n);
}

void CArchiveReader::ReadRaw(void* dst, size_t n) {
    if (n > Remaining())
        throw CArchiveException("Unexpected end of file.");
    if (n == 0)
        return; // an empty field may have no storage at all
    std::memcpy(dst, m_pData + m_nPos, n);
    m_nPos += n;
}

void CArchiveReader::ReadBytes(void* dst, size_t n) {
    ReadRaw(dst, n);
}

int16_t CArchiveReader::ReadInt16() {
    int16_t v;
    ReadRaw(&v, 2);
    return v;
}

uint16_t CArchiveReader::ReadUInt16() {
    uint16_t v;
    ReadRaw(&v, 2);
    return v;
}

int32_t CArchiveReader::ReadInt32() {
    int32_t v;
    ReadRaw(&v, 4);
    return v;
}

uint32_t CArchiveReader::ReadUInt32() {
    uint32_t v;
    ReadRaw(&v, 4);
    return v;
}

float CArchiveReader::ReadFloat() {
    float v;
    ReadRaw(&v, 4);
    return v;
}

double CArchiveReader::ReadDouble() {
    double v;
    ReadRaw(&v, 8);
    return v;
}

void CArchiveReader::CheckCount(int64_t count, size_t elementSize) const {
    if (count < 0)
        throw CArchiveException("Invalid count in file.");
    if (elementSize != 0 && static_cast<uint64_t>(count) > Remaining() / elementSize)
        throw CArchiveException("Unexpected end of file.");
}

// The length prefix; the marker 0xFF 0xFFFE announces a wide string whose own length prefix
// follows.
uint32_t CArchiveReader::ReadStringLength(bool& wide) {
    wide = false;
    for (;;) {
        uint8_t b;
        ReadRaw(&b, 1);
        if (b < 0xFF)
            return b;
        const uint16_t w = ReadUInt16();
        if (w == 0xFFFE) {
            if (wide)
                throw CArchiveException("Invalid string in file.");
            wide = true;
            continue;
        }
        if (w < 0xFFFF)
            return w;
        return ReadUInt32();
    }
}

static void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string CArchiveReader::ReadString() {
    bool wide = false;
    const uint32_t n = ReadStringLength(wide);
    if (!wide) {
        CheckCount(n, 1);
        std::string s(reinterpret_cast<const char*>(m_pData + m_nPos), n);
        m_nPos += n;
        return s;
    }
    CheckCount(n, 2);
    std::string s;
    s.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t cp = ReadUInt16();
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < n) {
            const uint32_t lo = ReadUInt16();
            ++i;
            if (lo >= 0xDC00 && lo < 0xE000)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
            else
                cp = 0xFFFD;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        AppendUtf8(s, cp);
    }
    return s;
}
