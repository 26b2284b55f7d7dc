#include "render/png_encoder.h"

#include <QImage>

#include <csetjmp>
#include <png.h>

namespace {

// Deflate level of the picture data: plots are mostly flat colour, which level 3 compresses
// nearly as well as the default level 6 in half the time.
constexpr int kDeflateLevel = 3;

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<QByteArray*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void NoFlush(png_structp) {}

// Writes the rows of image (Format_RGB32) with libpng; false on any error of the library. The
// rows go to the library as they are: it drops the unused byte of each pixel and reorders the
// colours itself, so no converted copy of the image is made.
bool WriteRows(png_structp png, png_infop info, const QImage& image, int dpmX, int dpmY) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (dpmX > 0 && dpmY > 0)
        png_set_pHYs(png, info, static_cast<png_uint_32>(dpmX), static_cast<png_uint_32>(dpmY),
                     PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kDeflateLevel);
    png_write_info(png, info);
    // A pixel is the word 0xffRRGGBB: bytes B, G, R, unused on a little-endian machine.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
#else
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, info);
    return true;
}

} // namespace

QByteArray EncodeOpaquePng(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.isNull() || !image.textKeys().isEmpty())
        return {};
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    bool written = false;
    if (info) {
        png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
        written = WriteRows(png, info, image, image.dotsPerMeterX(), image.dotsPerMeterY());
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return written ? bytes : QByteArray();
}
