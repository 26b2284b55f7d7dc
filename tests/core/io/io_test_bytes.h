#pragma once

#include <cstdint>
#include <string>

// Builds file contents byte by byte for the reader and writer tests.
class CBytes {
public:
    CBytes& Text(const std::string& s) {
        m_bytes += s;
        return *this;
    }
    CBytes& U8(unsigned v) {
        m_bytes.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    CBytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
    CBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    CBytes& Raw(const void* p, size_t n) {
        m_bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
    const std::string& Str() const { return m_bytes; }
    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(m_bytes.data()); }
    size_t Size() const { return m_bytes.size(); }

private:
    std::string m_bytes;
};

// The 46-byte header this program writes: PCM, format chunk of 18 bytes, then "data".
inline CBytes WaveHeader46(unsigned channels, uint32_t rate, unsigned bits, uint32_t dataBytes) {
    const unsigned block = channels * bits / 8;
    CBytes b;
    b.Text("RIFF").U32(dataBytes + 38).Text("WAVE").Text("fmt ").U32(18);
    b.U16(1).U16(channels).U32(rate).U32(rate * block).U16(block).U16(bits).U16(0);
    b.Text("data").U32(dataBytes);
    return b;
}
