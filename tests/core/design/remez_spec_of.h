#pragma once

#include "design/remez/remez_engine.h"

#include <cstddef>
#include <vector>

// The engine's specification of a band list given as edge pairs (lower, upper per band),
// desired values and weights, as the reference cases hold them. Extra edges or values beyond
// the shortest list are left out.
inline SRemezSpec RemezSpecOf(int responseType, int taps, int gridDensity,
                              const std::vector<double>& edges, const std::vector<double>& desired,
                              const std::vector<double>& weights,
                              ERemezEngine engine = ERemezEngine::Classic) {
    SRemezSpec spec;
    for (std::size_t b = 0; b < desired.size() && b < weights.size() && 2 * b + 1 < edges.size();
         ++b)
        spec.bands.push_back({edges[2 * b], edges[2 * b + 1], desired[b], weights[b]});
    spec.responseType = responseType;
    spec.taps = taps;
    spec.gridDensity = gridDensity;
    spec.engine = engine;
    return spec;
}
