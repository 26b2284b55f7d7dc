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
    const size_t length = bytesPerLine * rows;
    void* pixels = nullptr;
    if (posix_memalign(&pixels, kHugePage, length) != 0)
        return QImage();
#if defined(MADV_HUGEPAGE)
    // Only advice, and only for whole huge pages: the rest keeps small pages, so the image
    // takes no more memory than it needs.
    madvise(pixels, length / kHugePage * kHugePage, MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(),
                  static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32, FreePixels, pixels);
}
