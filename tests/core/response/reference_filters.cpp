#include "reference_filters.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

double ToDouble(const std::string& s) {
    return std::strtod(s.c_str(), nullptr);
}

std::vector<SReferenceFilter> Load() {
    const std::string path = std::string(CORVIFIR_TEST_DATA_DIR) + "/response/freqz_reference.txt";
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<SReferenceFilter> filters;
    std::string word;
    while (in >> word) {
        if (word != "filter") {
            throw std::runtime_error("unexpected " + word + " in " + path);
        }
        SReferenceFilter filter;
        int taps = 0;
        in >> filter.name >> taps;
        for (int n = 0; n < taps; ++n) {
            std::string a, b;
            in >> a >> b;
            filter.i.push_back(ToDouble(a));
            filter.q.push_back(ToDouble(b));
        }
        int count = 0;
        in >> word >> count;
        for (int k = 0; k < count; ++k) {
            std::string f, re, im, gd;
            in >> f >> re >> im >> gd;
            filter.points.push_back({ToDouble(f), ToDouble(re), ToDouble(im), ToDouble(gd)});
        }
        if (!in) {
            throw std::runtime_error("truncated " + path);
        }
        filters.push_back(std::move(filter));
    }
    return filters;
}

} // namespace

bool SReferenceFilter::IsReal() const {
    for (double v : q) {
        if (v != 0.0) {
            return false;
        }
    }
    return true;
}

double SReferenceFilter::SumAbs() const {
    double sum = 0.0;
    for (size_t n = 0; n < i.size(); ++n) {
        sum += std::hypot(i[n], q[n]);
    }
    return sum;
}

const std::vector<SReferenceFilter>& ReferenceFilters() {
    static const std::vector<SReferenceFilter> filters = Load();
    return filters;
}
