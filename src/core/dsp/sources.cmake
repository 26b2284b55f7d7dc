set(CORE_DSP_SOURCES
    fft.cpp
    fft_avx2.cpp
    fft_avx512.cpp
    transform.cpp
    # windows, signal operations, histogram, fixed-point quantizer
    chebyshev_window.cpp
    fixed_point.cpp
    histogram.cpp
    operation_settings.cpp
    signal_ops.cpp
    windows.cpp
    # complex vectors, polynomial roots, minimum phase
    complex_vector.cpp
    filter_zeros.cpp
    min_phase.cpp
    min_phase_options.cpp
    poly_roots.cpp
)
# The AVX2 and AVX-512 passes are chosen at run time, only on processors that have them.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/fft_avx2.cpp
        PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/fft_avx512.cpp
        PROPERTIES COMPILE_OPTIONS "-mavx512f")
endif()
