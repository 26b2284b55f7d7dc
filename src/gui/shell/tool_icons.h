#pragma once

#include <QIcon>

// The main toolbar's pictures that the platform's style does not have, drawn as simple line
// glyphs so that they stay sharp at every screen scale.
enum class EToolIcon {
    SamplingFrequency,
    Window,
    Scale,
    Quantize,
    Mix,
    Specifications,
    FrequencyResponse,
    ImpulseResponse,
    Coefficients,
    Cut,
    Copy,
    Paste,
    Print,
    ContextHelp
};

QIcon ToolIcon(EToolIcon which);
