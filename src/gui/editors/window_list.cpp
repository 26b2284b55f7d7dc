#include "editors/window_list.h"

#include <QComboBox>

namespace {
const char* const kWindowCaptions[] = {"None",
                                       "Dolph-Chebyshev",
                                       "Kaiser-Bessel",
                                       "Blackman-Harris 4",
                                       "Blackman-Harris 7",
                                       "Hanning (Cosine)",
                                       "Gaussian",
                                       "Hamming"};
} // namespace

void FillWindowList(QComboBox* list, int first) {
    for (int code = first; code < static_cast<int>(std::size(kWindowCaptions)); ++code)
        list->addItem(kWindowCaptions[code], code);
}
