#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The version of the project stream this program writes: the one definition of it. Raise it
// when a field is added (support/archive_fields.h).
inline constexpr int kProjectStreamVersion = 20;

// Raised when a stream ends early or holds a value that cannot be right (a count larger than
// what is left). The document catches it, reports it once and keeps its previous state.
class CArchiveException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Little-endian writer of the project stream: int16/uint16, int32, float32, float64 and the
// length-prefixed 8-bit string (one byte below 255, else 0xFF + uint16, else 0xFF 0xFFFF + uint32).
class CArchiveWriter {
public:
    void WriteInt16(int16_t v) { WriteRaw(&v, 2); }
    void WriteUInt16(uint16_t v) { WriteRaw(&v, 2); }
    void WriteInt32(int32_t v) { WriteRaw(&v, 4); }
    void WriteUInt32(uint32_t v) { WriteRaw(&v, 4); }
    void WriteFloat(float v) { WriteRaw(&v, 4); }
    void WriteDouble(double v) { WriteRaw(&v, 8); }
    void WriteBool(bool v) { WriteInt32(v ? 1 : 0); }
    void WriteString(const std::string& s);
    void WriteBytes(const void* data, size_t n) { WriteRaw(data, n); }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    std::vector<uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    void WriteRaw(const void* data, size_t n);
    std::vector<uint8_t> m_bytes;
};

// Reader of the same stream. Every read checks what is left and throws CArchiveException on
// underrun; counts are checked with CheckCount before anything is allocated from them.
class CArchiveReader {
public:
    CArchiveReader(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
    explicit CArchiveReader(const std::vector<uint8_t>& bytes)
        : CArchiveReader(bytes.data(), bytes.size()) {}

    int16_t ReadInt16();
    uint16_t ReadUInt16();
    int32_t ReadInt32();
    uint32_t ReadUInt32();
    float ReadFloat();
    double ReadDouble();
    bool ReadBool() { return ReadInt32() != 0; }
    // Reads the 8-bit string; a wide (UTF-16) string written with the 0xFF 0xFFFE marker is
    // converted to UTF-8.
    std::string ReadString();
    void ReadBytes(void* dst, size_t n);

    // Throws unless count elements of elementSize bytes each can still be read.
    void CheckCount(int64_t count, size_t elementSize) const;
    size_t Remaining() const { return m_nSize - m_nPos; }
    size_t Position() const { return m_nPos; }
    bool AtEnd() const { return m_nPos == m_nSize; }

private:
    void ReadRaw(void* dst, size_t n);
    uint32_t ReadStringLength(bool& wide);
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};
