#include "render/image_memory.h"

#include <cstdlib>
#include <limits>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// The size of a huge page on the machines that have them (x86-64, AArch64 with 4 KiB pages).
constexpr size_t kHugePage = size_t{2} << 20;

void FreePixels(void* pixels) {
    std::free(pixels);
}

} // namespace

QImage NewOpaqueImage(QSize size) {
    if (size.isEmpty())
        return QImage(size, QImage::Format_RGB32);
    const size_t bytesPerLine = static_cast<size_t>(size.width()) * 4;
    const size_t rows = static_cast<size_t>(size.height());
    if (bytesPerLine > static_cast<size_t>(std::numeric_limits<int>::max()) / rows ||
        bytesPerLine * rows < kHugePage)
        return QImage(size, QImage::Format_RGB32);
    const size_t length = (bytesPerLine * rows + kHugePage - 1) / kHugePage * kHugePage;
    void* pixels = std::aligned_alloc(kHugePage, length);
    if (!pixels)
        return QImage();
#if defined(MADV_HUGEPAGE)
    madvise(pixels, length, MADV_HUGEPAGE); // only advice: without huge pages nothing changes
#endif
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(),
                  static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32, FreePixels, pixels);
}
