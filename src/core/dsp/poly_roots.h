#pragma once

#include "dsp/complex_vector.h"

#include <vector>

// Roots of the polynomial g[0]*x^(n-1) + g[1]*x^(n-2) + ... + g[n-1] (highest power first).
// Degree 1 and 2 are solved directly (a quadratic's exact 0 + 0j root is not kept); from degree 3
// on only the real parts of g are factored, by Jenkins-Traub. Empty when no root is found: fewer
// than two coefficients, a leading coefficient of 0, or a search that did not converge.
mvect FindRoots(const mvect& g);

// All n-1 roots of the real polynomial p (highest power first) by the Jenkins-Traub three-stage
// algorithm; roots at the origin come first. False, with roots empty, when p[0] is 0 or the search
// fails. Every call keeps its own work state, so calls may run on several threads at once.
bool FindRealPolyRoots(const std::vector<double>& p, mvect& roots);
