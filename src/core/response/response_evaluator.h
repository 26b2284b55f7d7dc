#pragma once

// Direct evaluation of a FIR filter's frequency response at one frequency,
// H(w) = sum over n of x[n] * e^(j*w*n), with w = -2*pi*f/Fs in radians per sample.

// Real coefficients h[0..count-1]. The results are written through pIm and pRe (in this order).
void EvaluateRealResponse(const double* h, double w, int count, double* pIm, double* pRe);

// Complex coefficients I[n] + j*Q[n], n = 0..count-1.
void EvaluateComplexResponse(const double* pI, const double* pQ, double w, int count, double* pRe,
                             double* pIm);
