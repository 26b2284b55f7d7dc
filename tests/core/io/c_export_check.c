/* Compiled against the exported headers: the arrays must hold the coefficients listed in
   expected.txt (argv[1]). */
#include "complex.h"
#include "real.h"

#include <math.h>
#include <stdio.h>

int main(int argc, char** argv) {
    FILE* f;
    double i, q;
    int k = 0, bad = 0;
    if (argc != 2 || !(f = fopen(argv[1], "r")))
        return 2;
    while (fscanf(f, "%lf %lf", &i, &q) == 2) {
        if (k >= H_REAL_LENGTH || k >= H_CPLX_LENGTH) {
            bad = 1;
            break;
        }
        if (fabs(h_real[k] - i) > 1e-12 || fabs(h_cplx_I[k] - i) > 1e-6 ||
            fabs(h_cplx_Q[k] - q) > 1e-6) {
            printf("value %d differs\n", k);
            bad = 1;
        }
        ++k;
    }
    fclose(f);
    if (k != H_REAL_LENGTH || k != H_CPLX_LENGTH) {
        printf("%d values expected, arrays of %d and %d\n", k, H_REAL_LENGTH, H_CPLX_LENGTH);
        bad = 1;
    }
    return bad;
}
