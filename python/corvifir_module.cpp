// The Python module corvifir: the program's filter design core in Python's terms.
#include "bindings.h"

PYBIND11_MODULE(corvifir, m) {
    m.doc() = "CorviFIR: equiripple and other FIR filter designs, responses, windows and "
              "projects, from the program's own design core.";
    BindRemez(m);
    BindResponses(m);
    BindDesigns(m);
    BindProject(m);
}
