#include "design/fir_params.h"

#include "data/corvi_data.h"

int WindowCodeFromFile(int code, int version) {
    return CCorviData::RemapWindowCode(code, version);
}
