#include "render/png_encoder.h"

#include <QImage>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
// Rows packed and handed to the compressor at a time.
constexpr int kRowsPerBatch = 16;
// The least room given to the compressor for its output.
constexpr qsizetype kOutputStep = 64 * 1024;
// The longest chunk a PNG file allows.
constexpr qsizetype kMaxChunk = std::numeric_limits<int32_t>::max();

// A PNG number: four bytes, most significant first.
void PutU32(char* at, uint32_t value) {
    at[0] = static_cast<char>(value >> 24);
    at[1] = static_cast<char>(value >> 16);
    at[2] = static_cast<char>(value >> 8);
    at[3] = static_cast<char>(value);
}

void AppendU32(QByteArray& out, uint32_t value) {
    char bytes[4];
    PutU32(bytes, value);
    out.append(bytes, 4);
}

// The CRC of the chunk that starts at out[start] (its length field) and runs to the end of out.
void AppendChunkCrc(QByteArray& out, qsizetype start) {
    const auto* typeAndData = reinterpret_cast<const unsigned char*>(out.constData() + start + 4);
    AppendU32(out, crc32_gzip_refl(0, typeAndData, static_cast<uint64_t>(out.size() - start - 4)));
}

void AppendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    const qsizetype start = out.size();
    AppendU32(out, static_cast<uint32_t>(data.size()));
    out.append(type, 4);
    out.append(data);
    AppendChunkCrc(out, start);
}

QByteArray HeaderData(const QImage& image) {
    QByteArray data;
    AppendU32(data, static_cast<uint32_t>(image.width()));
    AppendU32(data, static_cast<uint32_t>(image.height()));
    // 8 bits per sample, RGB, deflate, adaptive filtering (each row says "none"), no interlace.
    data.append("\x08\x02\x00\x00\x00", 5);
    return data;
}

QByteArray ResolutionData(int dpmX, int dpmY) {
    QByteArray data;
    AppendU32(data, static_cast<uint32_t>(dpmX));
    AppendU32(data, static_cast<uint32_t>(dpmY));
    data.append('\x01'); // per metre
    return data;
}

// A row as the file stores it: the filter type (none), then R, G, B of each of width pixels.
void PackRow(const QRgb* pixels, int width, unsigned char* out) {
    *out++ = 0;
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = static_cast<unsigned char>(qRed(pixels[x]));
        out[1] = static_cast<unsigned char>(qGreen(pixels[x]));
        out[2] = static_cast<unsigned char>(qBlue(pixels[x]));
    }
}

// Compresses the packed rows at a fast level into a zlib stream appended to out.
class CRowDeflater {
public:
    explicit CRowDeflater(QByteArray& out)
        : m_out(out), m_start(out.size()), m_stream(std::make_unique<isal_zstream>()),
          m_level(ISAL_DEF_LVL1_SMALL) {
        isal_deflate_init(m_stream.get());
        m_stream->gzip_flag = IGZIP_ZLIB;
        m_stream->level = 1;
        m_stream->level_buf = m_level.data();
        m_stream->level_buf_size = static_cast<uint32_t>(m_level.size());
        m_stream->flush = NO_FLUSH;
    }

    // False when the compressor fails or the stream outgrows a chunk.
    bool Add(const unsigned char* data, size_t size, bool last) {
        m_stream->next_in = const_cast<unsigned char*>(data);
        m_stream->avail_in = static_cast<uint32_t>(size);
        m_stream->end_of_stream = last ? 1 : 0;
        do {
            if (!Deflate())
                return false;
        } while (m_stream->avail_in > 0 || (last && m_stream->internal_state.state != ZSTATE_END));
        return true;
    }

private:
    // One call of the compressor into the room left in out (grown geometrically).
    bool Deflate() {
        const qsizetype written = m_out.size();
        if (m_out.capacity() - written < kOutputStep)
            m_out.reserve(std::max(2 * m_out.capacity(), written + kOutputStep));
        const qsizetype room = std::min<qsizetype>(m_out.capacity() - written, kMaxChunk);
        m_out.resize(written + room);
        m_stream->next_out = reinterpret_cast<unsigned char*>(m_out.data()) + written;
        m_stream->avail_out = static_cast<uint32_t>(room);
        const int status = isal_deflate(m_stream.get());
        m_out.truncate(m_out.size() - m_stream->avail_out);
        return status == COMP_OK && m_out.size() - m_start <= kMaxChunk;
    }

    QByteArray& m_out;
    qsizetype m_start;
    std::unique_ptr<isal_zstream> m_stream;
    std::vector<uint8_t> m_level;
};

// The IDAT chunk of the image's rows; false on a failure of the compressor.
bool AppendImageData(QByteArray& out, const QImage& image) {
    const qsizetype start = out.size();
    AppendU32(out, 0); // the length, known at the end
    out.append("IDAT", 4);
    const size_t rowBytes = 1 + 3 * static_cast<size_t>(image.width());
    std::vector<unsigned char> rows(rowBytes * kRowsPerBatch);
    CRowDeflater deflater(out);
    for (int y = 0; y < image.height(); y += kRowsPerBatch) {
        const int count = std::min(kRowsPerBatch, image.height() - y);
        for (int r = 0; r < count; ++r)
            PackRow(reinterpret_cast<const QRgb*>(image.constScanLine(y + r)), image.width(),
                    rows.data() + r * rowBytes);
        if (!deflater.Add(rows.data(), rowBytes * count, y + count == image.height()))
            return false;
    }
    PutU32(out.data() + start, static_cast<uint32_t>(out.size() - start - 8));
    AppendChunkCrc(out, start);
    return true;
}

} // namespace

QByteArray EncodeOpaquePng(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.isNull() || !image.textKeys().isEmpty())
        return {};
    QByteArray out(kSignature, 8);
    AppendChunk(out, "IHDR", HeaderData(image));
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        AppendChunk(out, "pHYs", ResolutionData(image.dotsPerMeterX(), image.dotsPerMeterY()));
    if (!AppendImageData(out, image))
        return {};
    AppendChunk(out, "IEND", QByteArray());
    return out;
}
