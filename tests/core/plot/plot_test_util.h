#pragma once

#include "plot/plot.h"

// Text sizes of a font whose glyphs are 0.6 of its height wide and whose lines are 1.2 high.
class CFixedMeasurer : public CTextMeasurer {
public:
    double TextWidth(const std::string& text, double h) const override {
        return 0.6 * h * static_cast<double>(text.size());
    }
    double LineHeight(double h) const override { return 1.2 * h; }
};
