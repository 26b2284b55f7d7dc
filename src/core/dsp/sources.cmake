set(CORE_DSP_SOURCES
    fft.cpp
    # windows, signal operations, histogram, fixed-point quantizer
    chebyshev_window.cpp
    fixed_point.cpp
    histogram.cpp
    operation_settings.cpp
    signal_ops.cpp
    windows.cpp
)
