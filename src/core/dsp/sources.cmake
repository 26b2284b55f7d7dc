set(CORE_DSP_SOURCES complex_vector.cpp min_phase.cpp min_phase_options.cpp poly_roots.cpp)
