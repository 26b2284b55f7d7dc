#include "plot/plot_layout.h"

namespace {
constexpr SRgb kPalette[10] = {{255, 0, 0},     {0, 0, 255}, {0, 128, 0},   {255, 0, 255},
                               {0, 0, 128},     {0, 255, 0}, {0, 255, 255}, {128, 128, 128},
                               {160, 160, 160}, {0, 0, 0}};
} // namespace

SRgb RgbFromColorRef(int colorRef) {
    const auto c = static_cast<uint32_t>(colorRef);
    return {static_cast<uint8_t>(c & 0xff), static_cast<uint8_t>((c >> 8) & 0xff),
            static_cast<uint8_t>((c >> 16) & 0xff)};
}

SRgb PaletteColor(int i) {
    return kPalette[((i % 10) + 10) % 10];
}

int PaletteIndex(SRgb c) {
    for (int i = 0; i < 10; ++i)
        if (kPalette[i] == c)
            return i;
    return -1;
}
